#pragma once
#include <QObject>
#include <memory>
#include <string>

class QTimer;

namespace kelp {

class CMainDlg;

// Drives the installed program without a person: the package check and the
// crash test start it with QT_QPA_PLATFORM=offscreen and read what it
// prints. Nothing happens unless KELP_AUTORUN is set.
//
//   KELP_AUTORUN=capture:N       start a capture, wait for N records, stop
//                                it, list the records, close the window
//   KELP_AUTORUN=capture:N:hold  the same, but keep capturing after N (the
//                                crash test kills the process)
//   KELP_AUTORUN=report          list the records on display (a restored
//                                capture) and close the window
//   KELP_AUTORUN_RESTORE=ok|cancel  the answer to the restore question
//                                (default ok)
//
// Every message box is answered (OK, Yes, or as above; No to saving the
// unsaved records when the window closes) and reported. Lines on
// standard output, one event each:
//   ready <window title>       the window is up (its title shows the language)
//   message <id>               a message box was answered
//   shown <n> <time> <value>   the display shows n records; the newest one's
//                              time and first value
//   record <i> <time> <value>  one record of the final list
//   done <n>                   finished with n records on display
//   failed <reason>            gave up (the process then exits with 3)
class CAutoRun final : public QObject {
  public:
    struct Plan {
        enum class Mode { Capture, Report };
        Mode mode = Mode::Report;
        int records = 1;
        bool hold = false;
        bool restore = true;
    };

    // Null when KELP_AUTORUN is not set; a plan that cannot be read is
    // reported as failed and ends the process.
    static std::unique_ptr<CAutoRun> FromEnvironment();
    // Null when `text` is not a plan.
    static std::unique_ptr<Plan> ParsePlan(const std::string& text, const std::string& restoreAnswer);

    explicit CAutoRun(Plan plan);
    ~CAutoRun() override;
    CAutoRun(const CAutoRun&) = delete;
    CAutoRun& operator=(const CAutoRun&) = delete;

    // Answers message boxes from now on: install before anything may ask
    // (the restore question comes before the window).
    void InstallResponder();
    // Starts the plan once `window`'s modal loop runs.
    void Attach(CMainDlg& window);

    // How long the plan may take before it gives up.
    static constexpr int kTimeLimitMs = 60000;

  private:
    void Step();
    void Print(const std::string& line);
    void Fail(const std::string& reason);
    void ListAndClose();

    Plan plan_;
    CMainDlg* window_ = nullptr;
    QTimer* timer_ = nullptr;
    int elapsedMs_ = 0;
    int shown_ = 0;
    bool started_ = false;
    bool stopping_ = false;
    bool errorSeen_ = false;
};

}  // namespace kelp
