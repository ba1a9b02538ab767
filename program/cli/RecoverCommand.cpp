// kelp-collector recover: the journal of a capture that was killed, made
// into the data file the capture would have saved.
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "app/NewDataFile.h"
#include "data/CaptureJournal.h"
#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "data/RegularFile.h"
#include "program/cli/Arguments.h"
#include "program/cli/CliTexts.h"
#include "program/cli/CommandSupport.h"
#include "program/cli/Console.h"
#include "program/cli/ConsoleLoop.h"
#include "program/cli/ConsoleProgress.h"
#include "program/cli/ExitStatus.h"
#include "program/cli/InputFiles.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp::cli {

namespace {

constexpr const char* kRecoveredTag = "recovered";
constexpr std::string_view kCaptureJournalEnd = ".journal.csv";

// An open file, closed (and its lock released) when it goes out of scope.
struct CHeldFile final {
    explicit CHeldFile(int descriptor) : fd(descriptor) {}
    ~CHeldFile() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    CHeldFile(const CHeldFile&) = delete;
    CHeldFile& operator=(const CHeldFile&) = delete;
    const int fd;
};

// The capture's own file for its journal (station.csv for
// station.journal.csv), else the journal's name tagged as recovered.
std::string DefaultOutput(const std::string& journal) {
    if (journal.size() > kCaptureJournalEnd.size() && journal.ends_with(kCaptureJournalEnd)) {
        std::string own = journal.substr(0, journal.size() - kCaptureJournalEnd.size());
        own += ".csv";
        struct stat there {};
        if (::lstat(own.c_str(), &there) != 0 && errno == ENOENT) {
            return own;
        }
        return FreeNameBeside(own, kRecoveredTag);
    }
    return FreeNameBeside(journal, kRecoveredTag);
}

int RunRecoverCommand(CommandContext& context) {
    const CArguments& arguments = context.arguments;
    CConsole& console = context.console;
    std::string journalPath;
    if (const int status = OneInput(context, journalPath); status != kExitOk) {
        return status;
    }
    const bool named = arguments.Has(kOutputOption.name);
    const std::string output = named ? arguments.Value(kOutputOption.name) : DefaultOutput(journalPath);
    if (output.empty()) {
        return UsageError(context, LoadText(IDS_CLI_NO_OUTPUT));
    }
    if (const int status = RefuseOutputOverInput(context, output, {journalPath}); status != kExitOk) {
        return status;
    }
    const CHeldFile held(OpenRegularFile(journalPath));
    if (held.fd < 0) {
        LoadFailure failure;
        failure.kind = LoadFailure::Kind::Open;
        failure.error = errno;
        console.Message(LoadFailureText(journalPath, journalPath, failure, CMeasDataSet()));
        return kExitBadInput;
    }
    // Held to the end, so that no capture or second recover takes the
    // journal meanwhile. One that someone holds is a running capture's: its
    // records are still arriving, and it is that capture's only safety copy.
    if (::flock(held.fd, LOCK_EX | LOCK_NB) != 0) {
        console.Message(Fill(IDS_CLI_JOURNAL_IN_USE, {journalPath}));
        return kExitBadInput;
    }
    // Whatever stands there, a link that leads nowhere included.
    struct stat there {};
    if (named && ::lstat(output.c_str(), &there) == 0) {
        console.Message(Fill(IDS_CLI_FILE_EXISTS, {output}));
        return kExitWriteFailed;
    }

    const std::string folder = FolderOf(journalPath);
    const auto slash = journalPath.rfind('/');
    CCaptureJournal journal(folder.empty() ? "." : folder,
                            slash == std::string::npos ? journalPath : journalPath.substr(slash + 1));
    CMeasDataSet data;
    const int restored = journal.Read(data);
    const int skipped = journal.UnreadableLines();
    // A finished data file (a typo for its journal, say) is no journal: it
    // is left as it is rather than "recovered" and removed.
    if (journal.Announced() >= 0 && journal.Announced() != CCaptureJournal::kAnnouncedRecords) {
        console.Message(Fill(IDS_CLI_NOT_A_JOURNAL, {journalPath}));
        return kExitBadInput;
    }
    if (restored == 0) {
        console.Message(Fill(IDS_CLI_RECOVER_NOTHING, {journalPath, std::to_string(skipped)}));
        return kExitBadInput;
    }

    CConsoleLoop loop;
    CConsoleProgress saving(loop, console.IsTerminal() ? &console : nullptr);
    FileFailure failure;
    const std::string saved = SaveNewDataFile(output, data, saving, named ? "" : kRecoveredTag, &failure);
    if (saved.empty()) {
        std::string text = WriteFailureText(output);
        if (const std::string reason = DescribeFileFailure(failure); !reason.empty()) {
            text += '\n';
            text += reason;
        }
        console.Message(text);
        return kExitWriteFailed;
    }
    std::string text =
        Fill(IDS_CLI_RECOVERED, {journalPath, std::to_string(restored), saved, std::to_string(skipped)});
    // A journal with lines that could not be read stays for whoever can
    // mend them; otherwise the data file holds all it had.
    if (skipped > 0) {
        text += '\n';
        text += Fill(IDS_CLI_JOURNAL_KEPT_DAMAGED, {journalPath});
    } else if (journal.Remove()) {
        text += '\n';
        text += Fill(IDS_CLI_JOURNAL_REMOVED, {journalPath});
    }
    // Success is a note (silent under --quiet); a journal left with lines
    // that could not be read is worth saying always.
    if (skipped > 0) {
        console.Message(text);
    } else {
        console.Note(text);
    }
    return kExitOk;
}

const CSubcommandRegistration kRecover({
    .name = "recover",
    .order = 25,
    .summaryId = IDS_CLI_SUMMARY_RECOVER,
    .helpId = IDS_CLI_HELP_RECOVER,
    .options = {kOutputOption},
    .run = RunRecoverCommand,
});

}  // namespace

}  // namespace kelp::cli
