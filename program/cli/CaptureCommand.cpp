// kelp-collector capture: a live capture of any length, rolled over into a
// new data file every 10000 records and journaled record by record.
#include <dirent.h>
#include <sys/stat.h>

#include <array>
#include <deque>
#include <memory>
#include <thread>

#include "app/SettingsStore.h"
#include "data/CaptureJournal.h"
#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "link/CaptureRun.h"
#include "program/cli/Arguments.h"
#include "program/cli/CliTexts.h"
#include "program/cli/CommandSupport.h"
#include "program/cli/Console.h"
#include "program/cli/ConsoleLoop.h"
#include "program/cli/ConsoleProgress.h"
#include "program/cli/ExitStatus.h"
#include "program/cli/InterruptWatcher.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp::cli {

namespace {

using Clock = std::chrono::steady_clock;

constexpr long long kMaxCount = 1000000000;
constexpr const char* kJournalSuffix = ".journal";

// The names of a capture's files: FILE.csv, FILE-2.csv, FILE-3.csv ... and
// beside each its journal FILE.journal.csv, FILE-2.journal.csv ...
class CPartNames final {
  public:
    explicit CPartNames(const std::string& output) {
        const auto slash = output.rfind('/');
        folder_ = slash == std::string::npos ? "." : (slash == 0 ? "/" : output.substr(0, slash));
        prefix_ = slash == std::string::npos ? "" : output.substr(0, slash + 1);
        const std::string name = slash == std::string::npos ? output : output.substr(slash + 1);
        const auto dot = name.rfind('.');
        const bool csv = dot != std::string::npos && dot > 0 && name.size() - dot == 4 &&
                         (name.compare(dot, 4, ".csv") == 0 || name.compare(dot, 4, ".CSV") == 0);
        stem_ = csv ? name.substr(0, dot) : name;
        extension_ = csv ? name.substr(dot) : "";
    }

    const std::string& Folder() const { return folder_; }
    // The file name (without folder) of part `n` (1, 2, ...), or of its journal.
    std::string Name(int n, bool journal) const {
        std::string name = stem_;
        if (n > 1) {
            name += '-';
            name += std::to_string(n);
        }
        if (journal) {
            name += kJournalSuffix;
        }
        name += extension_;
        return name;
    }
    std::string Path(int n, bool journal = false) const { return prefix_ + Name(n, journal); }

    // The first file in the folder that a capture to these names would
    // write or that an earlier one left (`journal` tells which kind); empty
    // when there is none.
    std::string FirstTaken(bool& journal) const {
        for (const bool j : {false, true}) {
            struct stat info {};
            if (::lstat(Path(1, j).c_str(), &info) == 0) {
                journal = j;
                return Path(1, j);
            }
        }
        DIR* dir = ::opendir(folder_.c_str());
        if (dir == nullptr) {
            return {};
        }
        std::string taken;
        while (const dirent* entry = ::readdir(dir)) {
            if (IsLaterPart(entry->d_name, journal)) {
                taken = prefix_ + entry->d_name;
                break;
            }
        }
        ::closedir(dir);
        return taken;
    }

  private:
    // stem-N.ext or stem-N.journal.ext with N a number from 2 on.
    bool IsLaterPart(std::string_view name, bool& journal) const {
        if (!name.starts_with(stem_ + "-") || !name.ends_with(extension_)) {
            return false;
        }
        name.remove_prefix(stem_.size() + 1);
        name.remove_suffix(extension_.size());
        journal = name.ends_with(kJournalSuffix);
        if (journal) {
            name.remove_suffix(std::char_traits<char>::length(kJournalSuffix));
        }
        if (name.empty() || name.front() == '0') {
            return false;
        }
        for (const char c : name) {
            if (c < '0' || c > '9') {
                return false;
            }
        }
        return true;
    }

    std::string folder_;
    std::string prefix_;
    std::string stem_;
    std::string extension_;
};

// One file of the capture while it fills: the records in memory, and the
// journal that keeps them on disk until the file is saved.
struct Part {
    enum class State { Free, Filling, Full };
    CMeasDataSet data;
    std::unique_ptr<CCaptureJournal> journal;
    int number = 0;
    State state = State::Free;
};

class CCapture final {
  public:
    CCapture(CommandContext& context, const InstrumentSetup& setup, const std::string& output)
        : console_(context.console), setup_(setup), output_(output), names_(output) {}

    int Run(int interval, long long count, long long seconds);

  private:
    bool OpenPart(Part& part);
    void Store(std::string text);
    void OnMessage(const AppMessage& message);
    void StartRun();
    // Saves a full or final part; true when it is saved.
    bool SavePart(Part& part);
    Part* FreePart();
    void StoreWaiting();
    // End the run and keep what came.
    void Stop();
    // The count or the time given is done: take no more records.
    void StopAtPlan();
    // Interrupt: end the run, keep what came.
    void OnInterrupt();

    CConsole& console_;
    const InstrumentSetup& setup_;
    std::string output_;
    CPartNames names_;

    CConsoleLoop loop_;
    CEvent stop_;
    std::jthread run_;
    bool runEnded_ = false;
    RunEnd runEnd_ = RunEnd::Finished;
    int openError_ = 0;
    int runRecords_ = 0;
    Clock::time_point lastArrival_{};

    std::array<Part, 2> parts_;
    Part* active_ = nullptr;
    std::deque<Part*> full_;
    // Records that came while both parts were full (a save taking longer
    // than 10000 requests): stored once a part is free again.
    std::deque<std::string> waiting_;
    int nextNumber_ = 1;
    long long stored_ = 0;
    int interval_ = 0;
    long long count_ = 0;  // 0: no limit
    bool accepting_ = true;
    bool stopping_ = false;
    bool planReached_ = false;  // the count or the time given is done
    bool interrupted_ = false;
    bool writeFailed_ = false;
};

Part* CCapture::FreePart() {
    for (Part& part : parts_) {
        if (part.state == Part::State::Free) {
            return &part;
        }
    }
    return nullptr;
}

bool CCapture::OpenPart(Part& part) {
    part.data.Clear();
    part.number = nextNumber_++;
    part.state = Part::State::Filling;
    part.journal = std::make_unique<CCaptureJournal>(names_.Folder(), names_.Name(part.number, true));
    if (!part.journal->Start(part.data)) {
        console_.Message(Fill(IDS_CLI_JOURNAL_FAILED, {part.journal->Path()}));
        return false;
    }
    return true;
}

void CCapture::Store(std::string text) {
    if (active_ == nullptr) {
        active_ = FreePart();
        if (active_ == nullptr) {
            waiting_.push_back(std::move(text));
            return;
        }
        OpenPart(*active_);
    }
    CMeasDataSet& data = active_->data;
    if (!data.AddLiveRecord(text)) {
        return;  // a reply shorter than a record: nothing to keep
    }
    active_->journal->Append(data, data.GetCount() - 1);
    ++stored_;
    console_.Progress(static_cast<int>(std::min<long long>(stored_, 0x7fffffff)));
    if (count_ > 0 && stored_ >= count_) {
        StopAtPlan();
    }
    if (data.GetCount() >= kMeasCapacity) {
        active_->state = Part::State::Full;
        full_.push_back(active_);
        active_ = nullptr;
    }
}

void CCapture::OnMessage(const AppMessage& message) {
    if (message.message != WM_APP_CAPTURE) {
        return;
    }
    const auto code = static_cast<RunEnd>(message.wParam);
    if (code == RunEnd::RecordArrived) {
        lastArrival_ = Clock::now();
        ++runRecords_;
        if (accepting_) {
            Store(message.text);
        }
        return;
    }
    runEnded_ = true;
    runEnd_ = code;
    // A failed open carries the reason the system gave for it.
    openError_ = code == RunEnd::PortOpenFailed ? static_cast<int>(message.lParam) : 0;
}

void CCapture::StartRun() {
    runEnded_ = false;
    runRecords_ = 0;
    stop_.Reset();
    run_ = StartCapture(loop_, stop_, setup_.port, setup_.devices, interval_);
}

bool CCapture::SavePart(Part& part) {
    const std::string path = names_.Path(part.number);
    const int records = part.data.GetCount();
    // No display of its own: the capture's count stays on the terminal.
    CConsoleProgress saving(loop_, nullptr);
    const bool saved = SaveDataFile(path, part.data, saving) == FILEJOB_OK;
    if (saved) {
        part.journal->Remove();
        console_.Note(Fill(IDS_CLI_SAVED, {std::to_string(records), path}));
    } else {
        // The journal is a complete data file of the same records: it stays.
        part.journal->Finish();
        console_.Message(WriteFailureText(path) + "\n" + Fill(IDS_CLI_JOURNAL_KEPT, {part.journal->Path()}));
        writeFailed_ = true;
    }
    part.journal.reset();
    part.data.Clear();
    part.state = Part::State::Free;
    return saved;
}

void CCapture::StoreWaiting() {
    while (!waiting_.empty() && (active_ != nullptr || FreePart() != nullptr)) {
        std::string text = std::move(waiting_.front());
        waiting_.pop_front();
        Store(std::move(text));
    }
}

void CCapture::Stop() {
    stopping_ = true;
    stop_.Set();
}

void CCapture::StopAtPlan() {
    accepting_ = false;
    planReached_ = true;
    Stop();
}

void CCapture::OnInterrupt() {
    interrupted_ = true;
    Stop();
}

int CCapture::Run(int interval, long long count, long long seconds) {
    interval_ = interval;
    count_ = count;
    bool journal = false;
    if (const std::string taken = names_.FirstTaken(journal); !taken.empty()) {
        console_.Message(Fill(journal ? IDS_CLI_JOURNAL_EXISTS : IDS_CLI_OUTPUT_EXISTS, {taken}));
        return kExitWriteFailed;
    }
    if (!CanWrite(output_)) {
        console_.Message(WriteFailureText(output_));
        return kExitWriteFailed;
    }

    // Before the first thread (the journal's) starts.
    const CInterruptWatcher watcher(loop_);
    loop_.SetHandler([this](const AppMessage& message) { OnMessage(message); });
    loop_.SetInterruptHandler([this] { OnInterrupt(); });
    active_ = &parts_[0];
    if (!OpenPart(*active_)) {
        active_->journal->Remove();
        return kExitWriteFailed;
    }
    console_.Note(Fill(IDS_CLI_CAPTURE_START, {PortText(setup_), std::to_string(interval), output_}));
    console_.StartProgress(LoadText(IDS_CLI_CAPTURING),
                           static_cast<int>(std::min<long long>(count, 0x7fffffff)));

    const auto deadline =
        seconds > 0 ? Clock::now() + std::chrono::seconds(seconds) : Clock::time_point::max();
    bool waitingRestart = false;
    Clock::time_point restartAt{};
    StartRun();
    for (;;) {
        // Once stopping, only the end of the run is awaited.
        auto until = stopping_ ? Clock::time_point::max() : deadline;
        if (waitingRestart) {
            until = std::min(until, restartAt);
        }
        loop_.RunUntil([this] { return runEnded_ || !full_.empty() || (stopping_ && !run_.joinable()); },
                       until);
        if (!full_.empty()) {
            Part* part = full_.front();
            full_.pop_front();
            if (!SavePart(*part)) {
                Stop();
            }
            StoreWaiting();
            continue;
        }
        if (runEnded_) {
            runEnded_ = false;
            run_.join();
            // A run ends by itself after 10000 records; the capture goes on
            // with a new one. Its first request waits for the interval, as
            // the next request of the old run would have.
            if (stopping_ || runEnd_ != RunEnd::Finished || runRecords_ < kMaxRunRecords) {
                break;
            }
            waitingRestart = true;
            restartAt = interval > 0 ? lastArrival_ + std::chrono::seconds(interval) : Clock::now();
        }
        const auto now = Clock::now();
        if (now >= deadline && !stopping_) {
            StopAtPlan();
        }
        if (stopping_ && !run_.joinable()) {
            break;
        }
        if (waitingRestart && now >= restartAt) {
            waitingRestart = false;
            StartRun();
        }
    }

    // Whatever is left, in the order it came.
    while (!full_.empty()) {
        Part* part = full_.front();
        full_.pop_front();
        SavePart(*part);
        StoreWaiting();
    }
    if (active_ != nullptr) {
        if (active_->data.GetCount() > 0) {
            SavePart(*active_);
        } else {
            active_->journal->Remove();
        }
    }
    console_.EndProgress();
    loop_.SetHandler({});

    if (writeFailed_) {
        return kExitWriteFailed;
    }
    if (runEnd_ == RunEnd::PortOpenFailed || runEnd_ == RunEnd::NoReply || runEnd_ == RunEnd::CommFailed) {
        console_.Message(RunFailureText(runEnd_, setup_, openError_) + "\n" +
                         LoadText(stored_ > 0 ? IDS_CLI_ENDED_EARLY : IDS_CLI_NOTHING_SAVED));
        return ExitStatusOf(runEnd_);
    }
    if (interrupted_ && stored_ == 0) {
        console_.Message(LoadText(IDS_CLI_INTERRUPTED) + "\n" + LoadText(IDS_CLI_NOTHING_SAVED));
        return kExitInterrupted;
    }
    // Without a count or a time, the interrupt is the way to end.
    if (interrupted_ && !planReached_ && (count > 0 || seconds > 0)) {
        console_.Message(LoadText(IDS_CLI_INTERRUPTED));
        return kExitInterrupted;
    }
    return kExitOk;
}

int RunCaptureCommand(CommandContext& context) {
    const CArguments& arguments = context.arguments;
    std::string output;
    InstrumentSetup setup;
    if (const int status = ReadInstrumentCommand(context, output, setup); status != kExitOk) {
        return status;
    }
    long long interval = setup.captureInterval;
    if (arguments.Has("interval") &&
        !ParseCount(arguments.Value("interval"), CSettingsStore::kMaxCaptureInterval, interval)) {
        return UsageError(context, Fill(IDS_CLI_BAD_VALUE, {"--interval", arguments.Value("interval")}));
    }
    long long count = 0;
    if (arguments.Has("count") && (!ParseCount(arguments.Value("count"), kMaxCount, count) || count == 0)) {
        return UsageError(context, Fill(IDS_CLI_BAD_VALUE, {"--count", arguments.Value("count")}));
    }
    long long seconds = 0;
    if (arguments.Has("for") && !ParseDuration(arguments.Value("for"), seconds)) {
        return UsageError(context, Fill(IDS_CLI_BAD_VALUE, {"--for", arguments.Value("for")}));
    }
    if (count > 0 && seconds > 0) {
        return UsageError(context, LoadText(IDS_CLI_COUNT_OR_FOR));
    }
    CCapture capture(context, setup, output);
    return capture.Run(static_cast<int>(interval), count, seconds);
}

const CSubcommandRegistration kCapture({
    .name = "capture",
    .order = 20,
    .summaryId = IDS_CLI_SUMMARY_CAPTURE,
    .helpId = IDS_CLI_HELP_CAPTURE,
    .options = WithLineOptions({kPortOption, kOutputOption, {"interval"}, {"count"}, {"for"}}),
    .run = RunCaptureCommand,
});

}  // namespace

}  // namespace kelp::cli
