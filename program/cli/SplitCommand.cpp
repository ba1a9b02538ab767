// kelp-collector split: each cast or station of a data file as a data file
// of its own.
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstdio>

#include "analysis/CastFinder.h"
#include "app/CastFiles.h"
#include "data/MeasDataSet.h"
#include "program/cli/Arguments.h"
#include "program/cli/CastArguments.h"
#include "program/cli/CliTexts.h"
#include "program/cli/CommandSupport.h"
#include "program/cli/Console.h"
#include "program/cli/ConsoleLoop.h"
#include "program/cli/ExitStatus.h"
#include "program/cli/InterruptWatcher.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp::cli {

namespace {

constexpr const char* kByOption = "by";
constexpr const char* kDowncastOption = "downcast";

std::string CannotWrite(const std::string& folder, const FileFailure& failure) {
    const std::string reason = DescribeFileFailure(failure);
    return Fill(IDS_CLI_SPLIT_CANNOT_WRITE, {folder}) + (reason.empty() ? "" : "\n" + reason);
}

int RunSplitCommand(CommandContext& context) {
    const CArguments& arguments = context.arguments;
    CConsole& console = context.console;
    std::string input;
    if (const int status = OneInput(context, input); status != kExitOk) {
        return status;
    }
    const std::string folder = arguments.Value(kOutputOption.name);
    if (folder.empty()) {
        return UsageError(context, LoadText(IDS_CLI_NO_OUTPUT));
    }
    const std::string by = arguments.Value(kByOption, "cast");
    if (by != "cast" && by != "station") {
        return UsageError(context, Fill(IDS_CLI_SPLIT_BY, {by}));
    }
    const bool downcast = arguments.Has(kDowncastOption);
    CastOptions options;
    if (const int status = ReadCastOptions(context, options); status != kExitOk) {
        return status;
    }
    // Before the input is read: a folder that is not there is a typing
    // error to hear about at once.
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) {
        console.Message(CannotWrite(folder, FileFailureOf(errno)));
        return kExitWriteFailed;
    }
    if (!S_ISDIR(st.st_mode)) {
        console.Message(Fill(IDS_CLI_SPLIT_NOT_FOLDER, {folder}));
        return kExitWriteFailed;
    }

    // An interrupt stops the split between two files: every file written
    // is whole, and none is left half-written.
    CConsoleLoop loop;
    const CInterruptWatcher watcher(loop);
    bool interrupted = false;
    loop.SetInterruptHandler([&] { interrupted = true; });
    const auto checkInterrupt = [&] {
        // Handles what has arrived, waiting no longer than a microsecond.
        loop.RunUntil([] { return false; }, CConsoleLoop::Clock::now() + std::chrono::microseconds(1));
        return interrupted;
    };

    CMeasDataSet data;
    if (const int status = LoadInput(context, input, data); status != kExitOk) {
        return status;
    }
    if (data.GetCount() == 0) {
        console.Note(Fill(IDS_CLI_SPLIT_NOTHING, {input}));
        return kExitOk;
    }
    const CastList list = FindCasts(data, options);
    const std::vector<SplitPiece> pieces =
        SplitPieces(list, by == "station" ? SplitBy::Station : SplitBy::Cast, downcast);
    CMeasDataSet piece;
    int files = 0;
    int records = 0;
    for (const SplitPiece& p : pieces) {
        if (checkInterrupt()) {
            console.Message(LoadText(IDS_CLI_INTERRUPTED) + "\n" +
                            (files == 0 ? LoadText(IDS_CLI_NOTHING_SAVED)
                                        : Fill(IDS_CLI_SPLIT_DONE,
                                               {std::to_string(files), std::to_string(records), folder})));
            return kExitInterrupted;
        }
        CopyPiece(data, p, piece);
        std::string path;
        FileFailure failure;
        if (!SaveNewDataFile(folder, piece, path, failure)) {
            std::string text = CannotWrite(folder, failure);
            if (files > 0) {
                text += '\n';
                text += Fill(IDS_CLI_SPLIT_PARTIAL, {std::to_string(files), std::to_string(records), folder});
            }
            console.Message(text);
            return kExitWriteFailed;
        }
        ++files;
        records += piece.GetCount();
        // Listed once it is whole: a script reading along may take it.
        // A reader that went away stops no file from being written.
        std::fputs((path + "\n").c_str(), stdout);
        std::fflush(stdout);
    }
    const int series = list.SeriesCount();
    std::string text = Fill(IDS_CLI_SPLIT_DONE, {std::to_string(files), std::to_string(records), folder});
    if (downcast && series > 0) {
        text += '\n';
        text += Fill(IDS_CLI_SPLIT_SERIES_LEFT, {std::to_string(series)});
    }
    console.Note(text);
    return kExitOk;
}

const CSubcommandRegistration kSplit({
    .name = "split",
    .order = 36,
    .summaryId = IDS_CLI_SUMMARY_SPLIT,
    .helpId = IDS_CLI_HELP_SPLIT,
    .options = WithCastOptions({kOutputOption, {kByOption}, {kDowncastOption, 0, false}}),
    .run = RunSplitCommand,
});

}  // namespace

}  // namespace kelp::cli
