#pragma once
#include <QDialog>
#include <atomic>
#include <string>

#include "link/ProgressDialog.h"
#include "ui/main/WindowTarget.h"

class QFont;
class QLabel;
class QProgressBar;
class QPushButton;

namespace kelp {

class CMeasDataSet;

// The modal window shown while a worker loads or saves a file or downloads
// the instrument's records. It does no work of its own: the worker drives it
// with WM_APP_PROGRESS, and the worker's final message closes it. Cancel, Esc
// and the close box only signal the worker, which ends the run itself.
class CProgressDlg final : public QDialog, public IProgressDialog {
    Q_OBJECT

  public:
    explicit CProgressDlg(QWidget* parent = nullptr);
    ~CProgressDlg() override;

    void SetTotal(int total) override { total_ = total; }
    void SetTitleId(int stringId) override { titleId_ = stringId; }
    void SetCancelEvent(CEvent* cancel) override { cancel_ = cancel; }
    // Applied to the dialog and its controls when it is shown; may be null.
    void SetDialogFont(const QFont* font) { font_ = font; }
    // 1 after the worker's success (or cancellation), 2 after its failure.
    int DoModal() override;
    bool IsWindowCreated() const override { return windowCreated_.load(); }
    IMessageTarget& Target() override { return target_; }

    // Handles one WM_APP_PROGRESS message; other messages are ignored.
    void OnProgress(const AppMessage& message);

    int Total() const { return total_; }

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void OnCancel();
    void UpdateCounter(int value);

    QProgressBar* bar_ = nullptr;
    QLabel* counter_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    int total_ = 0;
    CEvent* cancel_ = nullptr;
    int titleId_ = 0;
    const QFont* font_ = nullptr;
    bool shownOnce_ = false;
    std::atomic<bool> windowCreated_{false};
    CWindowTarget target_;
};

// Loads a data file behind a progress dialog over `owner`, as the windows
// do; the result and `fileRecords` as LoadDataFile gives them.
int LoadWithProgress(QWidget* owner, const QFont* font, const std::string& path, CMeasDataSet& data,
                     int* fileRecords);

// Tells the user that only the first `read` records of a file of
// `fileRecords` were read; nothing when `fileRecords` is 0.
void ShowPartlyRead(QWidget* owner, int fileRecords, int read);

}  // namespace kelp
