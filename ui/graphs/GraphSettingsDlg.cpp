#include "ui/graphs/GraphSettingsDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "link/MessageTarget.h"
#include "resources/ResourceIds.h"
#include "ui/dialogs/DialogText.h"
#include "ui/dialogs/NumericEdit.h"
#include "ui/graphs/RangeValidation.h"
#include "ui/main/MessageBox.h"

namespace kelp {
namespace {

template <typename T>
T* Named(T* widget, int id) {
    widget->setObjectName(QString::number(id));
    return widget;
}

QString Bound(double value, int decimals) {
    return QString::fromStdString(FormatBound(value, decimals));
}

}  // namespace

CGraphSettingsDlg::CGraphSettingsDlg(IMessageTarget* owner, std::span<const int, kSlotCount> columnElements,
                                     QWidget* parent)
    : QDialog(parent), owner_(owner), columnElements_(columnElements) {
    setObjectName(QString::number(IDD_GRAPH_SETTINGS));
    setWindowTitle(DlgTitle(IDD_GRAPH_SETTINGS));
    setModal(false);
    BuildControls();
}

void CGraphSettingsDlg::BuildControls() {
    auto caption = [](int id) { return DlgCaption(IDD_GRAPH_SETTINGS, id); };
    auto* decimal = new CNumericEdit(NumberStyle::Decimal, this);
    // The time-axis edits take digits only, as the template's number style did.
    auto* digits = new CNumericEdit(NumberStyle::Digits, this);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->addWidget(new QLabel(caption(IDC_LABEL_COMPONENT), this), 0, 1);
    grid->addWidget(new QLabel(caption(IDC_LABEL_UNIT), this), 0, 2);
    grid->addWidget(new QLabel(caption(IDC_LABEL_RANGE), this), 0, 3, 1, 4);
    for (int r = 0; r < kRowCount; ++r) {
        Row& row = rows_[r];
        row.component = Named(new QComboBox(this), kRangeRowComponentIds[r]);
        row.unit = Named(new QComboBox(this), kRangeRowUnitIds[r]);
        row.autoRange = Named(new QCheckBox(this), kRangeRowAutoIds[r]);
        row.lower = Named(new QLineEdit(this), kRangeRowLowerIds[r]);
        row.upper = Named(new QLineEdit(this), kRangeRowUpperIds[r]);
        row.component->setMinimumContentsLength(12);
        row.unit->setMinimumContentsLength(6);
        for (QLineEdit* edit : {row.lower, row.upper}) {
            edit->setMaxLength(kBoundChars);
            edit->setAlignment(Qt::AlignRight);
            decimal->Watch(edit);
        }
        const int line = r + 1;
        grid->addWidget(new QLabel(QString::asprintf("[%2d]", r + 1), this), line, 0);
        grid->addWidget(row.component, line, 1);
        grid->addWidget(row.unit, line, 2);
        grid->addWidget(row.autoRange, line, 3);
        grid->addWidget(row.lower, line, 4);
        grid->addWidget(new QLabel(caption(IDC_LABEL_TILDE), this), line, 5);
        grid->addWidget(row.upper, line, 6);

        connect(row.component, &QComboBox::currentIndexChanged, this,
                [this, r](int selection) { OnComponentChanged(r, selection); });
        connect(row.unit, &QComboBox::currentIndexChanged, this, [this, r](int selection) {
            if (!filling_) {
                workSlots_[r].YUnit = selection;
            }
        });
        connect(row.autoRange, &QCheckBox::toggled, this, [this, r](bool on) {
            if (!filling_) {
                workSlots_[r].YAuto = on ? 1 : 0;
                EnableRangeEdits(r);
            }
        });
    }

    auto* group = Named(new QGroupBox(caption(IDC_GROUP_TIME_AXIS), this), IDC_GROUP_TIME_AXIS);
    dispType_ = Named(new QComboBox(group), IDC_TIME_LABEL_STYLE);
    rangeGroup_ = new QButtonGroup(this);
    const int radioIds[3] = {IDC_RANGE_AUTO, IDC_RANGE_FIXED, IDC_RANGE_LATEST};
    const char radioKeys[3] = {'U', 'F', 'L'};
    for (int type = 0; type < 3; ++type) {
        rangeRadios_[type] = Named(
            new QRadioButton(WithMnemonic(caption(radioIds[type]), radioKeys[type]), group), radioIds[type]);
        rangeGroup_->addButton(rangeRadios_[type], type);
    }
    connect(rangeGroup_, &QButtonGroup::idClicked, this, &CGraphSettingsDlg::OnRangeType);
    xMin_ = Named(new QLineEdit(group), IDC_X_MIN);
    xMax_ = Named(new QLineEdit(group), IDC_X_MAX);
    xRange_ = Named(new QLineEdit(group), IDC_X_RANGE);
    for (QLineEdit* edit : {xMin_, xMax_, xRange_}) {
        edit->setMaxLength(kTimeChars);
        edit->setAlignment(Qt::AlignRight);
        digits->Watch(edit);
    }
    cursor_ = Named(new QCheckBox(WithMnemonic(caption(IDC_SHOW_CURSOR), 'C'), group), IDC_SHOW_CURSOR);
    connect(dispType_, &QComboBox::currentIndexChanged, this, [this](int selection) {
        if (!filling_) {
            workTime_.DispType = selection;
        }
    });
    connect(cursor_, &QCheckBox::toggled, this, [this](bool on) {
        if (!filling_) {
            workTime_.Cursol = on ? 1 : 0;
        }
    });

    auto* time = new QGridLayout(group);
    time->addWidget(dispType_, 0, 0, 1, 2);
    time->addWidget(rangeRadios_[0], 1, 0);
    time->addWidget(rangeRadios_[1], 2, 0);
    auto* fixedRow = new QHBoxLayout;
    fixedRow->addWidget(xMin_);
    fixedRow->addWidget(new QLabel(caption(IDC_LABEL_TILDE), group));
    fixedRow->addWidget(xMax_);
    fixedRow->addWidget(new QLabel(caption(IDC_LABEL_SECONDS), group));
    fixedRow->addStretch(1);
    time->addLayout(fixedRow, 2, 1);
    time->addWidget(rangeRadios_[2], 3, 0);
    auto* latestRow = new QHBoxLayout;
    latestRow->addWidget(xRange_);
    latestRow->addWidget(new QLabel(caption(IDC_LABEL_SECONDS), group));
    latestRow->addStretch(1);
    time->addLayout(latestRow, 3, 1);
    time->addWidget(cursor_, 4, 0, 1, 2);
    time->setRowStretch(5, 1);

    auto* buttons = new QVBoxLayout;
    auto* apply = Named(new QPushButton(WithMnemonic(caption(IDC_APPLY), 'A'), this), IDC_APPLY);
    auto* ok = Named(new QPushButton(caption(IDOK), this), IDOK);
    auto* cancel = Named(new QPushButton(caption(IDCANCEL), this), IDCANCEL);
    ok->setDefault(true);
    connect(apply, &QPushButton::clicked, this, [this] { Apply(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addStretch(1);
    buttons->addWidget(apply);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* right = new QVBoxLayout;
    right->addWidget(group);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    SizeEdits();
}

void CGraphSettingsDlg::SizeEdits() {
    // Wide enough for the longest text the user may type, in the font the
    // dialog has now: the main window may give it its own after creation.
    const QFontMetrics metrics(font());
    const int bound = metrics.horizontalAdvance(QStringLiteral("0000000")) + 10;
    const int time = metrics.horizontalAdvance(QStringLiteral("0000000000")) + 10;
    for (const Row& row : rows_) {
        row.lower->setFixedWidth(bound);
        row.upper->setFixedWidth(bound);
    }
    for (QLineEdit* edit : {xMin_, xMax_, xRange_}) {
        edit->setFixedWidth(time);
    }
}

void CGraphSettingsDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && xRange_ != nullptr) {
        SizeEdits();
    }
    QDialog::changeEvent(event);
}

int CGraphSettingsDlg::ColumnElement(int column) const {
    return column >= 0 && column < kSlotCount ? columnElements_[column] : kNoElement;
}

void CGraphSettingsDlg::SetSettings(GraphSlotArray* slotSettings, GraphTimeSettings* timeSettings) {
    sourceSlots_ = slotSettings;
    sourceTime_ = timeSettings;
    if (slotSettings != nullptr) {
        workSlots_ = *slotSettings;
    }
    if (timeSettings != nullptr) {
        workTime_ = *timeSettings;
    }
    filling_ = true;
    for (int r = 0; r < kRowCount; ++r) {
        FillRow(r);
    }
    FillTimeAxis();
    filling_ = false;
}

void CGraphSettingsDlg::FillRow(int r) {
    Row& row = rows_[r];
    const GraphSlotSettings& slot = workSlots_[r];
    row.component->clear();
    for (int column = 0; column < kSlotCount; ++column) {
        row.component->addItem(DlgString(ElementNameId(ColumnElement(column))));
    }
    row.component->setCurrentIndex(slot.ElmNo);
    FillUnits(r);
    row.unit->setCurrentIndex(slot.YUnit);
    row.autoRange->setChecked(slot.YAuto != 0);
    EnableRangeEdits(r);
    const int decimals = AxisDecimals(ColumnElement(slot.ElmNo), slot.YUnit);
    SetBoundText(row.lower, Bound(slot.YMin, decimals), kBoundChars);
    SetBoundText(row.upper, Bound(slot.YMax, decimals), kBoundChars);
}

void CGraphSettingsDlg::FillUnits(int r) {
    QComboBox* unit = rows_[r].unit;
    const int element = ColumnElement(workSlots_[r].ElmNo);
    unit->clear();
    for (int code = 0, units = UnitCount(element); code < units; ++code) {
        unit->addItem(DlgString(UnitTextId(element, code)));
    }
    unit->setEnabled(unit->count() > 0);
}

void CGraphSettingsDlg::FillTimeAxis() {
    dispType_->clear();
    dispType_->addItem(DlgString(IDS_TIME_LABEL_RELATIVE));
    dispType_->addItem(DlgString(IDS_TIME_LABEL_CLOCK));
    dispType_->setCurrentIndex(workTime_.DispType);
    if (workTime_.RangeType >= 0 && workTime_.RangeType < 3) {
        rangeRadios_[workTime_.RangeType]->setChecked(true);
    } else {
        // No radio for this mode: show none checked.
        rangeGroup_->setExclusive(false);
        for (QRadioButton* radio : rangeRadios_) {
            radio->setChecked(false);
        }
        rangeGroup_->setExclusive(true);
    }
    SetBoundText(xMin_, Bound(workTime_.XMin, 0), kTimeChars);
    SetBoundText(xMax_, Bound(workTime_.XMax, 0), kTimeChars);
    SetBoundText(xRange_, Bound(workTime_.Range, 0), kTimeChars);
    EnableTimeEdits();
    cursor_->setChecked(workTime_.Cursol != 0);
}

void CGraphSettingsDlg::EnableRangeEdits(int r) {
    const bool fixed = workSlots_[r].YAuto == 0;
    rows_[r].lower->setEnabled(fixed);
    rows_[r].upper->setEnabled(fixed);
}

void CGraphSettingsDlg::EnableTimeEdits() {
    xMin_->setEnabled(workTime_.RangeType == 1);
    xMax_->setEnabled(workTime_.RangeType == 1);
    xRange_->setEnabled(workTime_.RangeType == 2);
}

void CGraphSettingsDlg::OnComponentChanged(int r, int selection) {
    if (filling_ || selection < 0 || selection == workSlots_[r].ElmNo) {
        return;
    }
    // A new component starts from its first unit; the bounds stay as typed.
    workSlots_[r].ElmNo = selection;
    workSlots_[r].YUnit = 0;
    filling_ = true;
    FillUnits(r);
    rows_[r].unit->setCurrentIndex(0);
    filling_ = false;
}

void CGraphSettingsDlg::OnRangeType(int type) {
    workTime_.RangeType = type;
    EnableTimeEdits();
}

bool CGraphSettingsDlg::Apply() {
    const RangeLimits axis{kAxisLowest, kAxisHighest};
    for (int r = 0; r < kRowCount; ++r) {
        GraphSlotSettings& slot = workSlots_[r];
        if (slot.YAuto != 0) {
            continue;
        }
        if (!ValidateRangeEdits(this, rows_[r].lower, rows_[r].upper, slot.YMin, slot.YMax, axis)) {
            return false;
        }
    }
    if (workTime_.RangeType == 1) {
        if (!ValidateRangeEdits(this, xMin_, xMax_, workTime_.XMin, workTime_.XMax, RangeLimits{})) {
            return false;
        }
    } else if (workTime_.RangeType == 2) {
        const auto range = ReadDecimalNumber(xRange_->text().toStdString());
        if (!range) {
            RefuseEdit(this, xRange_, IDS_ENTER_NUMBER);
            return false;
        }
        workTime_.Range = *range;
        if (workTime_.Range < 1.0) {
            RefuseEdit(this, xRange_, IDS_RANGE_INVALID, AtLeastText(1.0));
            return false;
        }
    }
    if (sourceSlots_ != nullptr) {
        *sourceSlots_ = workSlots_;
    }
    if (sourceTime_ != nullptr) {
        *sourceTime_ = workTime_;
    }
    if (owner_ != nullptr) {
        owner_->Post(AppMessage{WM_APP_GRAPH_APPLIED, 0, 0, {}});
    }
    emit applied();
    return true;
}

void CGraphSettingsDlg::accept() {
    if (Apply()) {
        QDialog::accept();
    }
}

}  // namespace kelp
