#pragma once
#include <atomic>

#include "link/ProgressDialog.h"

namespace kelp::cli {

class CConsole;
class CConsoleLoop;

// The progress dialog of a download or a file job on the command line: its
// modal loop is the console loop, its display the console's progress (none
// when `console` is null).
class CConsoleProgress final : public IProgressDialog {
  public:
    CConsoleProgress(CConsoleLoop& loop, CConsole* console);

    void SetTotal(int total) override;
    void SetTitleId(int stringId) override;
    void SetCancelEvent(CEvent* cancel) override { cancel_ = cancel; }
    // 1 after WM_APP_PROGRESS code 0, 2 after code 1.
    int DoModal() override;
    bool IsWindowCreated() const override { return created_.load(); }
    IMessageTarget& Target() override;

    // What the cancel button would do: sets the cancel event, if any.
    void Cancel();
    // WM_APP_PROGRESS, from the loop.
    void OnProgress(const AppMessage& message);

  private:
    CConsoleLoop& loop_;
    CConsole* console_;
    CEvent* cancel_ = nullptr;
    int total_ = 0;
    int titleId_ = 0;
    int result_ = 0;
    std::atomic<bool> created_{false};
};

}  // namespace kelp::cli
