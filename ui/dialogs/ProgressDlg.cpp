#include "ui/dialogs/ProgressDlg.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/FileJobs.h"
#include "link/Event.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/main/MessageBox.h"

namespace kelp {

CProgressDlg::CProgressDlg(QWidget* parent)
    : QDialog(parent), target_(this, [this](const AppMessage& message) { OnProgress(message); }) {
    setObjectName(QString::number(IDD_PROGRESS));
    setModal(true);
    // No help button; the close box stays and acts as cancel.
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    bar_ = new QProgressBar(this);
    bar_->setObjectName(QString::number(IDC_PROGRESS_BAR));
    bar_->setTextVisible(false);
    counter_ = new QLabel(QStringLiteral("1/10"), this);
    counter_->setObjectName(QString::number(IDC_PROGRESS_COUNTER));
    counter_->setAlignment(Qt::AlignCenter);
    cancelButton_ =
        new QPushButton(QString::fromStdString(LoadCaption(IDD_PROGRESS, IDC_PROGRESS_CANCEL)), this);
    cancelButton_->setObjectName(QString::number(IDC_PROGRESS_CANCEL));
    // Enter does nothing in this dialog: the button is never the default.
    cancelButton_->setAutoDefault(false);
    cancelButton_->setDefault(false);
    connect(cancelButton_, &QPushButton::clicked, this, [this] { OnCancel(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    layout->addWidget(counter_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelButton_);
    buttons->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(260);
}

CProgressDlg::~CProgressDlg() = default;

int CProgressDlg::DoModal() {
    return exec();
}

void CProgressDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shownOnce_) {
        return;
    }
    shownOnce_ = true;
    if (font_ != nullptr) {
        setFont(*font_);
        for (QWidget* child : findChildren<QWidget*>()) {
            child->setFont(*font_);
        }
    }
    UpdateCounter(0);
    setWindowTitle(QString::fromStdString(LoadText(titleId_)));
    windowCreated_.store(true);
}

void CProgressDlg::UpdateCounter(int value) {
    // Qt shows an equal minimum and maximum as a busy animation; a total of 0
    // is an empty bar instead.
    if (total_ > 0) {
        bar_->setRange(0, total_);
    } else {
        bar_->setRange(0, 1);
    }
    bar_->setValue(total_ > 0 ? std::min(std::max(value, 0), total_) : 0);
    counter_->setText(QStringLiteral("%1 / %2").arg(value).arg(total_));
}

void CProgressDlg::OnProgress(const AppMessage& message) {
    if (message.message != WM_APP_PROGRESS) {
        return;
    }
    switch (message.wParam) {
        case PROGRESS_FINISHED:
            done(1);
            break;
        case PROGRESS_FAILED:
            done(2);
            break;
        case PROGRESS_STEP:
            UpdateCounter(static_cast<int>(message.lParam));
            break;
        case PROGRESS_TOTAL:
            total_ = static_cast<int>(message.lParam);
            UpdateCounter(0);
            break;
        default:
            break;
    }
}

void CProgressDlg::OnCancel() {
    if (cancel_ != nullptr) {
        cancel_->Set();
    }
}

void CProgressDlg::reject() {
    // Esc: closing here would leave the worker writing to a dialog that is
    // gone, so it only asks the worker to stop.
    OnCancel();
}

void CProgressDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    OnCancel();
}

void CProgressDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int LoadWithProgress(QWidget* owner, const QFont* font, const std::string& path, CMeasDataSet& data,
                     int* fileRecords) {
    CProgressDlg progress(owner);
    progress.SetDialogFont(font);
    return LoadDataFile(path, data, progress, fileRecords);
}

void ShowPartlyRead(QWidget* owner, int fileRecords, int read) {
    if (fileRecords <= 0) {
        return;
    }
    const QString text = QString::fromStdString(LoadText(IDS_FILE_PARTLY_READ)).arg(fileRecords).arg(read);
    ShowMessage(owner, IDS_FILE_PARTLY_READ, kStyleWarning, text.toStdString());
}

}  // namespace kelp
