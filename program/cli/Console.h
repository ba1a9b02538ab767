#pragma once
#include <chrono>
#include <cstdio>
#include <string>

namespace kelp::cli {

// Standard error of a subcommand: its messages, and one progress display
// at a time. On a terminal the progress is a bar redrawn in place (messages
// print above it); otherwise it is a plain line now and then, which a log
// file or a pipe can keep.
class CConsole final {
  public:
    // `prefix` starts every message ("kelp-collector download").
    CConsole(std::FILE* out, bool terminal, std::string prefix);
    ~CConsole();
    CConsole(const CConsole&) = delete;
    CConsole& operator=(const CConsole&) = delete;

    bool IsTerminal() const { return terminal_; }
    const std::string& Prefix() const { return prefix_; }
    // --quiet: no progress and no notes, only the messages that tell of a
    // problem.
    void SetQuiet(bool quiet) { quiet_ = quiet; }

    // A message of one or more lines: an error, a warning, an interruption.
    void Message(const std::string& text);
    // A message that only reports what went as asked ("3 records saved").
    void Note(const std::string& text);

    // A progress display titled `label`; `total` 0 while the total is not
    // known, and a plain count is shown.
    void StartProgress(const std::string& label, int total);
    void SetTotal(int total);
    void Progress(int done);
    // Ends the display (on a terminal, the bar stays as last drawn).
    void EndProgress();

  private:
    void Draw();
    std::string CountText() const;
    void ClearBar();
    void Write(const std::string& text);

    std::FILE* out_;
    bool terminal_;
    std::string prefix_;
    bool quiet_ = false;
    bool active_ = false;
    bool barShown_ = false;
    std::string label_;
    int total_ = 0;
    int done_ = 0;
    int lastLineStep_ = -1;
    std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace kelp::cli
