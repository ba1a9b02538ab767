#include "ui/dialogs/CaptureCycleDlg.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/SettingsStore.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/dialogs/DialogText.h"
#include "ui/dialogs/NumericEdit.h"
#include "ui/graphs/RangeValidation.h"
#include "ui/main/MessageBox.h"

namespace kelp {

CCaptureCycleDlg::CCaptureCycleDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(IDD_CAPTURE_CYCLE));
    setWindowTitle(DlgTitle(IDD_CAPTURE_CYCLE));

    edit_ = new QLineEdit(this);
    edit_->setObjectName(QString::number(IDC_CAPTURE_CYCLE));
    edit_->setMaxLength(kMaxDigits);
    edit_->setAlignment(Qt::AlignRight);
    SizeEdit();

    auto* row = new QHBoxLayout;
    auto* caption =
        new QLabel(WithMnemonic(DlgCaption(IDD_CAPTURE_CYCLE, IDC_LABEL_CAPTURE_CYCLE), 'I'), this);
    caption->setBuddy(edit_);
    row->addWidget(caption);
    row->addWidget(edit_);
    row->addWidget(new QLabel(DlgCaption(IDD_CAPTURE_CYCLE, IDC_LABEL_SECONDS), this));
    row->addStretch(1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(DlgCaption(IDD_CAPTURE_CYCLE, IDOK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QString::number(IDOK));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(DlgCaption(IDD_CAPTURE_CYCLE, IDCANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QString::number(IDCANCEL));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    CNumericEdit::Install(this, NumberStyle::Digits);
}

void CCaptureCycleDlg::SizeEdit() {
    // Four digits and the caret, in the font the dialog has now (SetFont
    // applies the caller's font only when the dialog opens).
    edit_->setFixedWidth(QFontMetrics(font()).horizontalAdvance(QStringLiteral("00000")) + 12);
}

void CCaptureCycleDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && edit_ != nullptr) {
        SizeEdit();
    }
    QDialog::changeEvent(event);
}

int CCaptureCycleDlg::DoModal() {
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CCaptureCycleDlg::showEvent(QShowEvent* event) {
    if (!initialised_) {
        initialised_ = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CCaptureCycleDlg::OnInitDialog() {
    if (cycle_ != nullptr) {
        edit_->setText(QString::number(*cycle_));
    }
    if (font_ != nullptr) {
        setFont(*font_);
    }
    edit_->setFocus(Qt::OtherFocusReason);
    edit_->selectAll();
}

void CCaptureCycleDlg::accept() {
    const auto value = ReadWholeNumber(edit_->text().toStdString());
    if (!value) {
        RefuseEdit(this, edit_, IDS_ENTER_NUMBER);
        return;
    }
    if (*value < kMinCycle || *value > kMaxCycle) {
        RefuseEdit(this, edit_, IDS_RANGE_INVALID, AllowedRangeText(kMinCycle, kMaxCycle));
        return;
    }
    if (cycle_ != nullptr) {
        *cycle_ = static_cast<std::uint32_t>(*value);
        if (store_ != nullptr) {
            store_->WriteCaptureInterval(*cycle_);
        }
    }
    QDialog::accept();
}

}  // namespace kelp
