#include "program/cli/Console.h"

#include <algorithm>

#include "program/cli/CliTexts.h"
#include "resources/ResourceIds.h"

namespace kelp::cli {

namespace {

constexpr int kBarWidth = 30;
// A terminal bar is redrawn at most this often.
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
// Without a total, a plain line every this many records.
constexpr int kLineEveryRecords = 1000;

}  // namespace

CConsole::CConsole(std::FILE* out, bool terminal, std::string prefix)
    : out_(out), terminal_(terminal), prefix_(std::move(prefix)) {}

CConsole::~CConsole() {
    EndProgress();
}

void CConsole::Write(const std::string& text) {
    // Nothing to do about a standard error that is gone (a closed pipe, a
    // terminal hung up): the work goes on.
    (void)std::fwrite(text.data(), 1, text.size(), out_);
    (void)std::fflush(out_);
}

void CConsole::ClearBar() {
    if (barShown_) {
        Write("\r\033[K");
        barShown_ = false;
    }
}

void CConsole::Message(const std::string& text) {
    ClearBar();
    std::string line = prefix_;
    line += ": ";
    line += text;
    if (text.empty() || text.back() != '\n') {
        line += '\n';
    }
    Write(line);
    if (active_ && terminal_) {
        Draw();
    }
}

void CConsole::Note(const std::string& text) {
    if (!quiet_) {
        Message(text);
    }
}

void CConsole::StartProgress(const std::string& label, int total) {
    EndProgress();
    if (quiet_) {
        return;
    }
    active_ = true;
    label_ = label;
    total_ = total;
    done_ = 0;
    lastLineStep_ = -1;
    lastDraw_ = {};
    if (terminal_) {
        Draw();
    }
}

void CConsole::SetTotal(int total) {
    total_ = total;
    lastLineStep_ = -1;
    Progress(done_);
}

void CConsole::Progress(int done) {
    if (!active_) {
        return;
    }
    done_ = done;
    if (terminal_) {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastDraw_ >= kRedrawInterval || (total_ > 0 && done_ >= total_)) {
            Draw();
        }
        return;
    }
    // A line at each tenth of the total, or every so many records.
    const int step = total_ > 0 ? static_cast<int>(static_cast<long long>(done_) * 10 / total_)
                                : done_ / kLineEveryRecords;
    if (step != lastLineStep_ && (total_ > 0 || done_ > 0)) {
        lastLineStep_ = step;
        std::string line = label_;
        line += ' ';
        line += CountText();
        line += '\n';
        Write(line);
    }
}

std::string CConsole::CountText() const {
    return total_ > 0 ? Fill(IDS_CLI_PROGRESS_OF, {std::to_string(done_), std::to_string(total_)})
                      : Fill(IDS_CLI_PROGRESS_COUNT, {std::to_string(done_)});
}

void CConsole::Draw() {
    lastDraw_ = std::chrono::steady_clock::now();
    std::string line = "\r\033[K";
    line += label_;
    line += ' ';
    if (total_ > 0) {
        const int filled =
            static_cast<int>(static_cast<long long>(std::min(done_, total_)) * kBarWidth / total_);
        line += '[';
        line.append(static_cast<std::size_t>(filled), '#');
        line.append(static_cast<std::size_t>(kBarWidth - filled), '-');
        line += "] ";
    }
    line += CountText();
    Write(line);
    barShown_ = true;
}

void CConsole::EndProgress() {
    if (!active_) {
        return;
    }
    if (terminal_) {
        Draw();
        Write("\n");
        barShown_ = false;
    }
    active_ = false;
}

}  // namespace kelp::cli
