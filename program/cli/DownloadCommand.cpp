// kelp-collector download: the full download, saved as a data file.
#include "app/DownloadReceiver.h"
#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "link/DownloadRun.h"
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

int RunDownloadCommand(CommandContext& context) {
    CConsole& console = context.console;
    std::string output;
    InstrumentSetup setup;
    if (const int status = ReadInstrumentCommand(context, output, setup); status != kExitOk) {
        return status;
    }
    if (const int status = RefuseOutputOverInput(context, output, {setup.settingsPath}); status != kExitOk) {
        return status;
    }
    // A download takes minutes: find out now that its file cannot be saved.
    if (!CanWrite(output)) {
        console.Message(WriteFailureText(output));
        return kExitWriteFailed;
    }

    CConsoleLoop loop;
    const CInterruptWatcher watcher(loop);
    CMeasDataSet downloaded;
    CConsoleProgress progress(loop, &console);
    // The receiving side of the run, as the main window has it.
    loop.SetHandler([&](const AppMessage& message) { ReceiveDownloadMessage(message, downloaded); });
    loop.SetInterruptHandler([&] { progress.Cancel(); });
    int openError = 0;
    int announced = -1;
    RunEnd end = RunDownload(loop, progress, setup.port, setup.devices, &openError, &announced);
    loop.SetHandler({});

    const int received = downloaded.GetCount();
    if (end == RunEnd::Finished && received == 0) {
        // The count said there were records, the memory ended at once.
        end = RunEnd::NoData;
    }
    if (end != RunEnd::Finished && end != RunEnd::Stopped) {
        std::string text = RunFailureText(end, setup, openError);
        if (received > 0) {
            text += '\n';
            text += Fill(IDS_CLI_DOWNLOAD_RETRY, {std::to_string(received)});
        }
        console.Message(text);
        return ExitStatusOf(end);
    }
    if (end == RunEnd::Stopped) {
        console.Message(LoadText(IDS_CLI_INTERRUPTED));
        if (received == 0) {
            console.Message(LoadText(IDS_CLI_NOTHING_SAVED));
            return kExitInterrupted;
        }
    }

    const bool countDiffers = end == RunEnd::Finished && announced >= 0 && announced != received;
    if (countDiffers) {
        console.Message(
            Fill(IDS_DOWNLOAD_COUNT_DIFFERS, {std::to_string(announced), std::to_string(received)}));
    }

    CConsoleProgress saving(loop, console.IsTerminal() ? &console : nullptr);
    // Part of the memory never replaces a file: an earlier download of the
    // whole may be the only copy left of a day the probe has since forgotten.
    const bool partial = end == RunEnd::Stopped;
    const SavedRecords saved = SaveRecords(console, output, downloaded, saving, partial ? "partial" : "");
    if (saved.path.empty()) {
        console.Message(Fill(IDS_CLI_RECORDS_LOST, {std::to_string(received)}));
        return kExitWriteFailed;
    }
    if (saved.elsewhere) {
        return kExitWriteFailed;
    }
    if (saved.path == output) {
        console.Note(Fill(IDS_CLI_SAVED, {std::to_string(received), output}));
    } else {
        console.Message(Fill(IDS_CLI_PARTIAL_SAVED, {std::to_string(received), saved.path, output}));
    }
    return countDiffers ? kExitCountDiffers : ExitStatusOf(end);
}

const CSubcommandRegistration kDownload({
    .name = "download",
    .order = 10,
    .summaryId = IDS_CLI_SUMMARY_DOWNLOAD,
    .helpId = IDS_CLI_HELP_DOWNLOAD,
    .options = WithLineOptions({kPortOption, kOutputOption}),
    .run = RunDownloadCommand,
});

}  // namespace

}  // namespace kelp::cli
