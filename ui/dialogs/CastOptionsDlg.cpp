#include "ui/dialogs/CastOptionsDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "resources/ResourceIds.h"
#include "ui/dialogs/DialogText.h"
#include "ui/dialogs/NumericEdit.h"
#include "ui/graphs/RangeValidation.h"

namespace kelp {

namespace {

constexpr int kLabelIds[4] = {IDC_LABEL_CAST_GAP, IDC_LABEL_CAST_DISTANCE, IDC_LABEL_CAST_HEIGHT,
                              IDC_LABEL_CAST_RECORDS};
constexpr int kEditIds[4] = {IDC_CAST_GAP, IDC_CAST_DISTANCE, IDC_CAST_HEIGHT, IDC_CAST_RECORDS};
constexpr char kKeys[4] = {'S', 'M', 'H', 'R'};
constexpr double kSecondsPerMinute = 60.0;
// The silence is shown in minutes, to the second.
constexpr double kMinGapMinutes = 0.01;
constexpr double kMaxGapMinutes = kMaxCastGapSeconds / kSecondsPerMinute;

// A value with at most two decimals, without trailing zeros.
QString Short(double value) {
    QString text = QString::number(value, 'f', 2);
    while (text.contains(u'.') && (text.endsWith(u'0') || text.endsWith(u'.'))) {
        text.chop(1);
    }
    return text;
}

// "Enter a value from 1 to 1000000.": the bounds as they are typed.
QString Allowed(double lowest, double highest) {
    return DlgString(IDS_RANGE_ALLOWED).arg(Short(lowest), Short(highest));
}

}  // namespace

CCastOptionsDlg::CCastOptionsDlg(const CastOptions& options, QWidget* parent)
    : QDialog(parent), options_(options) {
    setObjectName(QString::number(IDD_CAST_OPTIONS));
    setWindowTitle(DlgTitle(IDD_CAST_OPTIONS));
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::number(kEditIds[i]));
        edit->setAlignment(Qt::AlignRight);
        edit->setMaxLength(12);
        edit->setFixedWidth(QFontMetrics(font()).horizontalAdvance(QStringLiteral("000000000")) + 12);
        auto* label = new QLabel(WithMnemonic(DlgCaption(IDD_CAST_OPTIONS, kLabelIds[i]), kKeys[i]), this);
        label->setObjectName(QString::number(kLabelIds[i]));
        label->setBuddy(edit);
        form->addRow(label, edit);
        edits_[i] = edit;
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* defaults = buttons->addButton(
        WithMnemonic(DlgCaption(IDD_CAST_OPTIONS, IDC_CAST_DEFAULTS), 'D'), QDialogButtonBox::ResetRole);
    defaults->setObjectName(QString::number(IDC_CAST_DEFAULTS));
    defaults->setAutoDefault(false);
    QPushButton* ok = buttons->addButton(DlgCaption(IDD_CAST_OPTIONS, IDOK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QString::number(IDOK));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(DlgCaption(IDD_CAST_OPTIONS, IDCANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QString::number(IDCANCEL));
    connect(defaults, &QPushButton::clicked, this, &CCastOptionsDlg::OnDefaults);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    CNumericEdit::Install(this, NumberStyle::Decimal);
    Show(options_);
}

void CCastOptionsDlg::Show(const CastOptions& options) {
    edits_[0]->setText(Short(options.gapSeconds / kSecondsPerMinute));
    edits_[1]->setText(Short(options.distanceMetres));
    edits_[2]->setText(Short(options.minHeightMetres));
    edits_[3]->setText(QString::number(options.minRecords));
}

void CCastOptionsDlg::OnDefaults() {
    Show(CastOptions{});
}

void CCastOptionsDlg::accept() {
    CastOptions read = options_;
    const struct {
        double low;
        double high;
    } limits[3] = {{kMinGapMinutes, kMaxGapMinutes},
                   {kMinCastDistanceMetres, kMaxCastDistanceMetres},
                   {kMinCastHeightMetres, kMaxCastHeightMetres}};
    double values[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto value = ReadDecimalNumber(edits_[i]->text().toStdString());
        if (!value) {
            RefuseEdit(this, edits_[i], IDS_ENTER_NUMBER);
            return;
        }
        if (!(*value >= limits[i].low && *value <= limits[i].high)) {
            RefuseEdit(this, edits_[i], IDS_RANGE_INVALID, Allowed(limits[i].low, limits[i].high));
            return;
        }
        values[i] = *value;
    }
    const auto records = ReadWholeNumber(edits_[3]->text().toStdString());
    if (!records) {
        RefuseEdit(this, edits_[3], IDS_ENTER_NUMBER);
        return;
    }
    if (*records < kMinCastRecords || *records > kMaxCastRecords) {
        RefuseEdit(this, edits_[3], IDS_RANGE_INVALID, Allowed(kMinCastRecords, kMaxCastRecords));
        return;
    }
    read.gapSeconds = std::max(1, static_cast<int>(std::lround(values[0] * kSecondsPerMinute)));
    read.distanceMetres = values[1];
    read.minHeightMetres = values[2];
    read.minRecords = *records;
    options_ = read;
    QDialog::accept();
}

}  // namespace kelp
