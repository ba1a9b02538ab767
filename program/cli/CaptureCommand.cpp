// kelp-collector capture: a live capture of any length, rolled over into a
// new data file every 10000 records and journaled record by record.
#include <dirent.h>
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <deque>
#include <memory>
#include <thread>

#include "app/NewDataFile.h"
#include "app/SerialDevices.h"
#include "app/SettingsStore.h"
#include "data/CaptureJournal.h"
#include "data/MeasDataSet.h"
#include "data/RegularFile.h"
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
// Put into a name that was taken, for the one the capture uses instead.
constexpr const char* kTakenTag = "capture";
constexpr int kMaxAlternatives = 999;
// How long --reconnect keeps trying by default, and the pause between tries.
constexpr long long kDefaultReconnectSeconds = 600;
constexpr auto kReopenPause = std::chrono::seconds(3);
// A journal that another capture has just made is locked within moments.
constexpr auto kLockWait = std::chrono::seconds(1);

std::string BaseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// A span of time as --for takes it: "1h30m", "45s".
std::string DurationText(long long seconds) {
    std::string text;
    for (const auto& [unit, letter] : {std::pair{86400LL, 'd'}, {3600LL, 'h'}, {60LL, 'm'}, {1LL, 's'}}) {
        if (seconds >= unit) {
            text += std::to_string(seconds / unit);
            text += letter;
            seconds %= unit;
        }
    }
    return text.empty() ? "0s" : text;
}

long long WholeSeconds(Clock::duration span) {
    return std::chrono::duration_cast<std::chrono::seconds>(span).count();
}

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
    // The journal beside the data file `path` (a part's, or one it took instead).
    std::string JournalOf(const std::string& path) const {
        const bool withExtension = !extension_.empty() && path.ends_with(extension_);
        const std::string stem = withExtension ? path.substr(0, path.size() - extension_.size()) : path;
        return stem + kJournalSuffix + (withExtension ? extension_ : std::string());
    }

    // A file in the folder that a capture to these names would write or
    // that an earlier one left: the journal of one that is running first,
    // then any journal, then any data file.
    struct Taken {
        std::string path;
        bool journal = false;
        bool running = false;
    };
    Taken FindTaken() const {
        std::vector<Taken> found;
        for (const bool j : {false, true}) {
            if (Exists(Path(1, j))) {
                found.push_back({Path(1, j), j});
            }
        }
        if (DIR* dir = ::opendir(folder_.c_str()); dir != nullptr) {
            while (const dirent* entry = ::readdir(dir)) {
                bool journal = false;
                if (IsLaterPart(entry->d_name, journal)) {
                    found.push_back({prefix_ + entry->d_name, journal});
                }
            }
            ::closedir(dir);
        }
        Taken chosen;
        for (Taken& taken : found) {
            taken.running = taken.journal && CCaptureJournal::IsInUse(taken.path);
            if (chosen.path.empty() || (taken.running && !chosen.running) ||
                (taken.journal && !chosen.journal && !chosen.running)) {
                chosen = taken;
            }
        }
        return chosen;
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
    std::string path;  // the data file it is saved as
    int number = 0;
    State state = State::Free;
    bool moved = false;  // its journal has gone to a fallback folder (or tried to)
};

std::unique_ptr<CCaptureJournal> JournalAt(const std::string& path) {
    const std::string folder = FolderOf(path);
    return std::make_unique<CCaptureJournal>(folder.empty() ? "." : folder, BaseName(path));
}

class CCapture final {
  public:
    CCapture(CommandContext& context, const InstrumentSetup& setup, const std::string& output)
        : console_(context.console), setup_(setup), output_(output), names_(output) {}

    int Run(int interval, long long count, long long seconds, long long reconnectSeconds);

  private:
    // Refuses names that an earlier or a running capture has; kExitOk when free.
    int CheckNames();
    // Reserves the names of the next part: its journal is made where no file
    // stands at either name. The first part's names must be its own.
    bool OpenPart(Part& part, bool first);
    void Store(std::string text);
    // After each record: the journal takes it, or the user learns at once
    // that it does not (and again when it does once more).
    void WriteJournal(Part& part);
    // A journal that is gone goes on in a fallback folder.
    bool MoveJournal(Part& part);
    void OnMessage(const AppMessage& message);
    void StartRun(bool reopen);
    // Whether a run that ended with a failed port is followed by another.
    bool MayReconnect();
    // Saves a full or final part; true when its records are in a file.
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
    // The port's device by the name it keeps when it is plugged in again.
    PortDeviceMap reopenDevices_;

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
    bool journalWriting_ = true;

    long long reconnectSeconds_ = 0;  // 0: no reconnection
    bool reconnecting_ = false;
    Clock::time_point quietSince_{};
    Clock::time_point reconnectUntil_{};
    int reconnections_ = 0;
    Clock::duration withoutData_{};
};

Part* CCapture::FreePart() {
    for (Part& part : parts_) {
        if (part.state == Part::State::Free) {
            return &part;
        }
    }
    return nullptr;
}

int CCapture::CheckNames() {
    const CPartNames::Taken taken = names_.FindTaken();
    if (taken.path.empty()) {
        return kExitOk;
    }
    console_.Message(taken.running   ? Fill(IDS_CLI_CAPTURE_RUNNING, {output_, taken.path})
                     : taken.journal ? Fill(IDS_CLI_JOURNAL_EXISTS, {taken.path})
                                     : Fill(IDS_CLI_OUTPUT_EXISTS, {taken.path}));
    return kExitWriteFailed;
}

bool CCapture::OpenPart(Part& part, bool first) {
    part.data.Clear();
    part.number = nextNumber_++;
    part.state = Part::State::Filling;
    part.moved = false;
    const std::string own = names_.Path(part.number);
    // Its own names, or (past the first part) the first pair of others at
    // which nothing stands.
    for (int alternative = 0; alternative <= kMaxAlternatives; ++alternative) {
        part.path = alternative == 0 ? own : NameBeside(own, kTakenTag, alternative);
        const std::string journal = names_.JournalOf(part.path);
        part.journal = JournalAt(journal);
        const bool dataTaken = Exists(part.path);
        if (!dataTaken && part.journal->Start(part.data, true)) {
            if (part.path != own) {
                console_.Message(Fill(IDS_CLI_NAME_TAKEN, {own, part.path}));
            }
            return true;
        }
        const bool taken = dataTaken || errno == EEXIST;
        if (first && taken) {
            // Another capture to the same name started since the names were
            // looked at; the journal it made is locked in a moment.
            const auto until = Clock::now() + kLockWait;
            bool running = CCaptureJournal::IsInUse(journal);
            while (!running && !dataTaken && Exists(journal) && Clock::now() < until) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                running = CCaptureJournal::IsInUse(journal);
            }
            console_.Message(running     ? Fill(IDS_CLI_CAPTURE_RUNNING, {output_, journal})
                             : dataTaken ? Fill(IDS_CLI_OUTPUT_EXISTS, {part.path})
                                         : Fill(IDS_CLI_JOURNAL_EXISTS, {journal}));
            return false;
        }
        if (!taken) {
            // A later part goes on without it (its first record tells and
            // looks for another place); the first does not start.
            if (first) {
                console_.Message(Fill(IDS_CLI_JOURNAL_FAILED, {journal}));
            }
            return false;
        }
    }
    part.path = own;
    return false;
}

void CCapture::Store(std::string text) {
    if (active_ == nullptr) {
        active_ = FreePart();
        if (active_ == nullptr) {
            waiting_.push_back(std::move(text));
            return;
        }
        OpenPart(*active_, false);
    }
    CMeasDataSet& data = active_->data;
    if (!data.AddLiveRecord(text)) {
        return;  // a reply shorter than a record: nothing to keep
    }
    WriteJournal(*active_);
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

void CCapture::WriteJournal(Part& part) {
    CCaptureJournal& journal = *part.journal;
    if (journal.IsOpen() && journal.Append(part.data, part.data.GetCount() - 1)) {
        if (!journalWriting_) {
            journalWriting_ = true;
            console_.Message(Fill(IDS_CLI_JOURNAL_WRITTEN_AGAIN, {journal.Path()}));
        }
        return;
    }
    const std::string trouble =
        Fill(journal.IsLost() ? IDS_CLI_JOURNAL_LOST : IDS_CLI_JOURNAL_FAILED, {journal.Path()});
    // A journal that cannot come back where it is (its folder gone, or never
    // made) goes on elsewhere, once; a full disk may make room again.
    if ((journal.IsLost() || !journal.IsOpen()) && !part.moved) {
        part.moved = true;
        const bool moved = MoveJournal(part);
        console_.Message(
            trouble + "\n" +
            (moved ? Fill(IDS_CLI_JOURNAL_MOVED, {part.journal->Path()}) : LoadText(IDS_CLI_KEPT_IN_MEMORY)));
        journalWriting_ = moved;
        return;
    }
    if (journalWriting_) {
        journalWriting_ = false;
        console_.Message(trouble + "\n" + LoadText(IDS_CLI_KEPT_IN_MEMORY));
    }
}

bool CCapture::MoveJournal(Part& part) {
    const std::string name = BaseName(part.journal->Path());
    for (const std::string& folder : FallbackFolders()) {
        std::string path = folder + "/" + name;
        for (int attempt = 0; attempt < 2 && !path.empty(); ++attempt) {
            auto moved = JournalAt(path);
            if (moved->StartWith(part.data, true) && moved->Holds(part.data.GetCount())) {
                part.journal = std::move(moved);
                return true;
            }
            if (errno != EEXIST) {
                break;
            }
            path = FreeNameBeside(folder + "/" + name, kTakenTag);
        }
    }
    return false;
}

void CCapture::OnMessage(const AppMessage& message) {
    if (message.message != WM_APP_CAPTURE) {
        return;
    }
    const auto code = static_cast<RunEnd>(message.wParam);
    if (code == RunEnd::RecordArrived) {
        lastArrival_ = Clock::now();
        ++runRecords_;
        if (reconnecting_) {
            reconnecting_ = false;
            ++reconnections_;
            withoutData_ += lastArrival_ - quietSince_;
            console_.Note(Fill(IDS_CLI_RECONNECTED,
                               {PortText(setup_), DurationText(WholeSeconds(lastArrival_ - quietSince_))}));
        }
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

void CCapture::StartRun(bool reopen) {
    runEnded_ = false;
    runRecords_ = 0;
    stop_.Reset();
    run_ = StartCapture(loop_, stop_, setup_.port, reopen ? reopenDevices_ : setup_.devices, interval_);
}

bool CCapture::MayReconnect() {
    // A port that fails once records have come (the adapter unplugged, the
    // line hung up); while it is being reopened, a device that is not back
    // yet, or an instrument that does not answer yet, is tried again.
    const bool portFailed = runEnd_ == RunEnd::CommFailed && stored_ > 0;
    const bool notBack = reconnecting_ && (runEnd_ == RunEnd::PortOpenFailed || runEnd_ == RunEnd::NoReply ||
                                           runEnd_ == RunEnd::CommFailed);
    if (reconnectSeconds_ <= 0 || (!portFailed && !notBack)) {
        return false;
    }
    const auto now = Clock::now();
    if (!reconnecting_) {
        reconnecting_ = true;
        quietSince_ = lastArrival_;
        reconnectUntil_ = now + std::chrono::seconds(reconnectSeconds_);
        console_.Message(Fill(IDS_CLI_PORT_LOST,
                              {PortText(setup_), std::to_string(stored_), DurationText(reconnectSeconds_)}));
    }
    if (now + kReopenPause > reconnectUntil_) {
        console_.Message(Fill(IDS_CLI_RECONNECT_GAVE_UP, {DurationText(reconnectSeconds_)}));
        return false;
    }
    return true;
}

bool CCapture::SavePart(Part& part) {
    const int records = part.data.GetCount();
    // No display of its own: the capture's count stays on the terminal.
    CConsoleProgress saving(loop_, nullptr);
    const SavedRecords saved = SaveRecords(console_, part.path, part.data, saving, kTakenTag);
    if (!saved.path.empty()) {
        part.journal->Remove();
        if (!saved.elsewhere) {
            if (saved.path != part.path) {
                console_.Message(Fill(IDS_CLI_NAME_TAKEN, {part.path, saved.path}));
            }
            console_.Note(Fill(IDS_CLI_SAVED, {std::to_string(records), saved.path}));
        }
        writeFailed_ = writeFailed_ || saved.elsewhere;
    } else {
        // Said only of a journal that is seen to hold them all.
        if (part.journal->Holds(records)) {
            part.journal->Finish();
            console_.Message(Fill(IDS_CLI_JOURNAL_KEPT, {part.journal->Path()}));
        } else {
            console_.Message(Fill(IDS_CLI_RECORDS_LOST, {std::to_string(records)}));
        }
        writeFailed_ = true;
    }
    part.journal.reset();
    part.data.Clear();
    part.state = Part::State::Free;
    return !saved.path.empty();
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

int CCapture::Run(int interval, long long count, long long seconds, long long reconnectSeconds) {
    interval_ = interval;
    count_ = count;
    reconnectSeconds_ = reconnectSeconds;
    if (const int status = CheckNames(); status != kExitOk) {
        return status;
    }
    if (!CanWrite(output_)) {
        console_.Message(WriteFailureText(output_));
        return kExitWriteFailed;
    }
    reopenDevices_ = setup_.devices;
    reopenDevices_[setup_.port.PortNo] = StableDevicePath(PortDevicePath(setup_.port.PortNo, setup_.devices));

    // Before the first thread (the journal's) starts.
    const CInterruptWatcher watcher(loop_);
    loop_.SetHandler([this](const AppMessage& message) { OnMessage(message); });
    loop_.SetInterruptHandler([this] { OnInterrupt(); });
    active_ = &parts_[0];
    if (!OpenPart(*active_, true)) {
        active_->journal.reset();
        return kExitWriteFailed;
    }
    console_.Note(Fill(IDS_CLI_CAPTURE_START, {PortText(setup_), std::to_string(interval), output_}));
    console_.StartProgress(LoadText(IDS_CLI_CAPTURING),
                           static_cast<int>(std::min<long long>(count, 0x7fffffff)));

    const auto deadline =
        seconds > 0 ? Clock::now() + std::chrono::seconds(seconds) : Clock::time_point::max();
    bool waitingRestart = false;
    Clock::time_point restartAt{};
    StartRun(false);
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
            if (stopping_) {
                break;
            }
            if (runEnd_ == RunEnd::Finished && runRecords_ >= kMaxRunRecords) {
                // A run ends by itself after 10000 records; the capture goes
                // on with a new one. Its first request waits for the
                // interval, as the next request of the old run would have.
                waitingRestart = true;
                restartAt = interval > 0 ? lastArrival_ + std::chrono::seconds(interval) : Clock::now();
            } else if (MayReconnect()) {
                waitingRestart = true;
                restartAt = Clock::now() + kReopenPause;
            } else {
                break;
            }
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
            StartRun(reconnecting_);
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

    if (reconnecting_) {
        withoutData_ += Clock::now() - quietSince_;
    }
    if (reconnections_ > 0 || reconnecting_) {
        console_.Message(Fill(IDS_CLI_RECONNECT_SUMMARY,
                              {std::to_string(reconnections_), DurationText(WholeSeconds(withoutData_))}));
    }
    if (writeFailed_) {
        return kExitWriteFailed;
    }
    const bool ended = interrupted_ || planReached_;
    if (!ended &&
        (runEnd_ == RunEnd::PortOpenFailed || runEnd_ == RunEnd::NoReply || runEnd_ == RunEnd::CommFailed)) {
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
    long long reconnect = kDefaultReconnectSeconds;
    if (const std::string text = arguments.Value("reconnect");
        arguments.Has("reconnect") && text != "0" && !ParseDuration(text, reconnect)) {
        return UsageError(context, Fill(IDS_CLI_BAD_VALUE, {"--reconnect", text}));
    } else if (text == "0") {
        reconnect = 0;
    }
    if (const int status = RefuseOutputOverInput(context, output, {setup.settingsPath}); status != kExitOk) {
        return status;
    }
    CCapture capture(context, setup, output);
    return capture.Run(static_cast<int>(interval), count, seconds, reconnect);
}

const CSubcommandRegistration kCapture({
    .name = "capture",
    .order = 20,
    .summaryId = IDS_CLI_SUMMARY_CAPTURE,
    .helpId = IDS_CLI_HELP_CAPTURE,
    .options = WithLineOptions({kPortOption, kOutputOption, {"interval"}, {"count"}, {"for"}, {"reconnect"}}),
    .run = RunCaptureCommand,
});

}  // namespace

}  // namespace kelp::cli
