#include "ui/graphs/AxisSettingsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/Catalogue.h"
#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/dialogs/DialogText.h"
#include "ui/dialogs/NumericEdit.h"
#include "ui/graphs/GraphWindowUtil.h"
#include "ui/graphs/RangeValidation.h"

namespace kelp {

namespace {
constexpr int kBoundLength = 6;
}

CAxisSettingsDlg::CAxisSettingsDlg(QWidget* owner) : QDialog(owner) {
    setObjectName(QString::number(IDD_AXIS_SETTINGS));
    setWindowTitle(Utf8(LoadDialogTitle(IDD_AXIS_SETTINGS)));
    setModal(false);
    BuildControls();
    // Only '-', '.', digits and control characters reach the bound edits.
    CNumericEdit::Install(this, NumberStyle::Decimal);
}

CAxisSettingsDlg::~CAxisSettingsDlg() = default;

void CAxisSettingsDlg::BuildControls() {
    auto* grid = new QGridLayout;
    const auto header = [this, grid](int id, int column, int span) {
        auto* label = new QLabel(Utf8(LoadCaption(IDD_AXIS_SETTINGS, id)), this);
        label->setObjectName(QString::number(id));
        grid->addWidget(label, 0, column, 1, span, Qt::AlignCenter);
    };
    header(IDC_LABEL_COMPONENT, 0, 1);
    header(IDC_LABEL_UNIT, 1, 1);
    header(IDC_LABEL_RANGE, 2, 4);
    for (int n = 0; n < 13; ++n) {
        Row& row = rows_[static_cast<std::size_t>(n)];
        row.label = new QLabel(this);
        row.label->setObjectName(QString::number(kRangeRowLabelIds[n]));
        row.label->setMinimumWidth(90);
        row.unit = new QComboBox(this);
        row.unit->setObjectName(QString::number(kRangeRowUnitIds[n]));
        row.unit->setMinimumWidth(80);
        row.automatic = new QCheckBox(Utf8(LoadCaption(IDD_AXIS_SETTINGS, kRangeRowAutoIds[n])), this);
        row.automatic->setObjectName(QString::number(kRangeRowAutoIds[n]));
        row.lower = new QLineEdit(this);
        row.lower->setObjectName(QString::number(kRangeRowLowerIds[n]));
        row.lower->setMaxLength(kBoundLength);
        row.lower->setFixedWidth(64);
        row.upper = new QLineEdit(this);
        row.upper->setObjectName(QString::number(kRangeRowUpperIds[n]));
        row.upper->setMaxLength(kBoundLength);
        row.upper->setFixedWidth(64);
        auto* tilde = new QLabel(Utf8(LoadCaption(IDD_AXIS_SETTINGS, IDC_LABEL_TILDE)), this);
        grid->addWidget(row.label, n + 1, 0);
        grid->addWidget(row.unit, n + 1, 1);
        grid->addWidget(row.automatic, n + 1, 2);
        grid->addWidget(row.lower, n + 1, 3);
        grid->addWidget(tilde, n + 1, 4);
        grid->addWidget(row.upper, n + 1, 5);
        connect(row.unit, &QComboBox::activated, this, [this, n](int index) { OnUnitChange(n, index); });
        connect(row.automatic, &QCheckBox::clicked, this, [this, n] { OnAutoClick(n); });
    }

    auto* ok = new QPushButton(Utf8(LoadCaption(IDD_AXIS_SETTINGS, IDOK)), this);
    ok->setObjectName(QString::number(IDOK));
    ok->setDefault(true);
    auto* cancel = new QPushButton(Utf8(LoadCaption(IDD_AXIS_SETTINGS, IDCANCEL)), this);
    cancel->setObjectName(QString::number(IDCANCEL));
    cancel->setAutoDefault(false);
    auto* apply = new QPushButton(WithMnemonic(Utf8(LoadCaption(IDD_AXIS_SETTINGS, IDC_APPLY)), 'A'), this);
    apply->setObjectName(QString::number(IDC_APPLY));
    apply->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CAxisSettingsDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CAxisSettingsDlg::reject);
    connect(apply, &QPushButton::clicked, this, &CAxisSettingsDlg::OnApply);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(apply);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    for (int n = 0; n < 13; ++n) {
        FillRow(n);
    }
}

void CAxisSettingsDlg::SetFont(const QFont* font) {
    font_ = font;
    if (font != nullptr) {
        setFont(*font);
    }
}

void CAxisSettingsDlg::SetSettings(GraphSlotArray* settings, const CMeasDataSet& data) {
    source_ = settings;
    for (int n = 0; n < 13; ++n) {
        elements_[static_cast<std::size_t>(n)] = data.GetCount() > 0 ? data.GetElement(n) : kNoElement;
    }
    if (settings != nullptr) {
        working_ = *settings;
    }
    for (int n = 0; n < 13; ++n) {
        FillRow(n);
    }
}

void CAxisSettingsDlg::FillRow(int n) {
    const std::size_t i = static_cast<std::size_t>(n);
    Row& row = rows_[i];
    const GraphSlotSettings& s = working_[i];
    const int element = elements_[i];
    row.label->setText(Utf8(OneLineLabel(LoadText(ElementLabelId(element)))));
    const QSignalBlocker block(row.unit);
    row.unit->clear();
    for (int u = 0, units = UnitCount(element); u < units; ++u) {
        row.unit->addItem(Utf8(LoadText(UnitTextId(element, u))));
    }
    row.unit->setEnabled(row.unit->count() > 0);
    row.unit->setCurrentIndex(row.unit->count() > 0 ? s.YUnit : -1);
    row.automatic->setChecked(s.YAuto != 0);
    row.lower->setEnabled(s.YAuto == 0);
    row.upper->setEnabled(s.YAuto == 0);
    const int decimals = AxisDecimals(element, s.YUnit);
    SetBoundText(row.lower, Utf8(FormatBound(s.YMin, decimals)), kBoundLength);
    SetBoundText(row.upper, Utf8(FormatBound(s.YMax, decimals)), kBoundLength);
}

void CAxisSettingsDlg::OnUnitChange(int row, int index) {
    if (index >= 0) {
        working_[static_cast<std::size_t>(row)].YUnit = index;
    }
}

void CAxisSettingsDlg::OnAutoClick(int n) {
    Row& row = rows_[static_cast<std::size_t>(n)];
    const int automatic = row.automatic->isChecked() ? 1 : 0;
    working_[static_cast<std::size_t>(n)].YAuto = automatic;
    row.lower->setEnabled(automatic == 0);
    row.upper->setEnabled(automatic == 0);
}

bool CAxisSettingsDlg::Apply() {
    const RangeLimits limits{kAxisLowest, kAxisHighest};
    for (std::size_t i = 0; i < 13; ++i) {
        GraphSlotSettings& s = working_[i];
        if (s.YAuto != 0) {
            continue;
        }
        if (!ValidateRangeEdits(this, rows_[i].lower, rows_[i].upper, s.YMin, s.YMax, limits)) {
            return false;
        }
    }
    if (source_ != nullptr) {
        *source_ = working_;
    }
    emit GraphApplied();
    return true;
}

void CAxisSettingsDlg::OnApply() {
    Apply();
}

void CAxisSettingsDlg::accept() {
    if (Apply()) {
        QDialog::accept();
    }
}

}  // namespace kelp
