#include "program/cli/CommandSupport.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>

#include "app/NewDataFile.h"
#include "app/PortOpenError.h"
#include "app/SettingsStore.h"
#include "data/Catalogue.h"
#include "data/CsvFile.h"
#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "program/CollectorApp.h"
#include "program/cli/Arguments.h"
#include "program/cli/CliTexts.h"
#include "program/cli/Console.h"
#include "program/cli/ConsoleLoop.h"
#include "program/cli/ConsoleProgress.h"
#include "program/cli/ExitStatus.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp::cli {

namespace {

// COMn in any letter case, n from 1 to 19; 0 when `text` is not one.
int ComPortNumber(const std::string& text) {
    if (text.size() < 4 || text.size() > 5) {
        return 0;
    }
    for (int i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(text[static_cast<std::size_t>(i)])) != "COM"[i]) {
            return 0;
        }
    }
    int n = 0;
    for (std::size_t i = 3; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            return 0;
        }
        n = n * 10 + (text[i] - '0');
    }
    return n >= 1 && n <= kPortCount ? n : 0;
}

}  // namespace

std::string ReadFailureText(int loadResult, const std::string& path) {
    const int id = loadResult == FILEJOB_FAILED ? IDS_FILE_FORMAT_INVALID : IDS_FILE_OPEN_FAILED;
    return path + ": " + LoadText(id) + "\n" + Fill(IDS_CLI_READ_HINT, {path});
}

std::string PortText(const InstrumentSetup& setup) {
    const std::string device = PortDevicePath(setup.port.PortNo, setup.devices);
    return "COM" + std::to_string(setup.port.PortNo) + (device.empty() ? "" : " (" + device + ")");
}

std::string SettingsPath(const CommandContext& context, bool& ok) {
    ok = true;
    if (!context.arguments.Has("settings")) {
        return CSettingsStore::BuildPath(context.programPath);
    }
    const std::string path = context.arguments.Value("settings");
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        ok = false;
    }
    return path;
}

bool ReadInstrumentSetup(CommandContext& context, InstrumentSetup& setup) {
    bool ok = true;
    setup.settingsPath = SettingsPath(context, ok);
    if (!ok) {
        UsageError(context, Fill(IDS_CLI_SETTINGS_MISSING, {setup.settingsPath}));
        return false;
    }
    const CSettingsStore store(setup.settingsPath);
    store.ReadPortSettings(setup.port, setup.devices);
    setup.captureInterval = store.ReadCaptureInterval();
    if (context.arguments.Has(kPortOption.name)) {
        const std::string port = context.arguments.Value(kPortOption.name);
        if (const int n = ComPortNumber(port); n != 0) {
            setup.port.PortNo = n;
        } else if (port.find('/') != std::string::npos) {
            // A device path stands in for the port number of the settings.
            setup.devices[setup.port.PortNo] = port;
        } else {
            UsageError(context, Fill(IDS_CLI_BAD_VALUE, {"--port", port}));
            return false;
        }
    }
    return true;
}

int ReadInstrumentCommand(CommandContext& context, std::string& output, InstrumentSetup& setup) {
    const CArguments& arguments = context.arguments;
    if (!arguments.Operands().empty()) {
        return UsageError(context, Fill(IDS_CLI_EXTRA_ARGUMENT, {arguments.Operands().front()}));
    }
    output = arguments.Value(kOutputOption.name);
    if (output.empty()) {
        return UsageError(context, LoadText(IDS_CLI_NO_OUTPUT));
    }
    return ReadInstrumentSetup(context, setup) ? kExitOk : kExitUsage;
}

int LoadInput(CommandContext& context, const std::string& path, CMeasDataSet& data) {
    CConsoleLoop loop;
    CConsoleProgress loading(loop, nullptr);
    data.Clear();
    int fileRecords = 0;
    const int result = LoadDataFile(path, data, loading, &fileRecords);
    if (result != FILEJOB_OK) {
        context.console.Message(ReadFailureText(result, path));
        return kExitBadInput;
    }
    if (fileRecords > 0) {
        context.console.Message(
            path + ": " +
            Fill(IDS_FILE_PARTLY_READ, {std::to_string(fileRecords), std::to_string(data.GetCount())}));
    }
    return kExitOk;
}

int LoadEveryRecord(CommandContext& context, const std::string& path, CMeasDataSet& data,
                    const std::function<bool(CMeasDataSet&)>& full) {
    CConsoleLoop loop;
    CConsoleProgress loading(loop, nullptr);
    data.Clear();
    const int result = LoadAllRecords(path, data, loading, full);
    if (result != FILEJOB_OK) {
        context.console.Message(ReadFailureText(result, path));
        return kExitBadInput;
    }
    return kExitOk;
}

void ValueStats::Add(const CMeasDataSet& data) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const auto s = static_cast<std::size_t>(slot);
        elements[s] = data.GetElement(slot);
        for (int unit = 0; unit < kUnitCount; ++unit) {
            const SlotStats& more = data.GetStats(slot, unit);
            SlotStats& all = stats[s][static_cast<std::size_t>(unit)];
            if (more.Count == 0) {
                continue;
            }
            if (all.Count == 0) {
                all = more;
                continue;
            }
            all.Min = std::min(all.Min, more.Min);
            all.Max = std::max(all.Max, more.Max);
            all.Decimals = std::max(all.Decimals, more.Decimals);
            all.Count += more.Count;
        }
    }
}

std::vector<ValueColumn> ValueColumns(const ValueStats& values) {
    std::vector<ValueColumn> columns;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int element = values.elements[static_cast<std::size_t>(slot)];
        for (int unit = 0; unit < kUnitCount && element != kNoElement; ++unit) {
            if (values.stats[static_cast<std::size_t>(slot)][static_cast<std::size_t>(unit)].Count > 0) {
                columns.push_back({slot, unit, ComponentTitle(element, unit)});
            }
        }
    }
    return columns;
}

int ExitStatusOf(RunEnd end) {
    switch (end) {
        case RunEnd::PortOpenFailed:
            return kExitPortOpen;
        case RunEnd::CommFailed:
            return kExitCommFailed;
        case RunEnd::NoReply:
            return kExitNoReply;
        case RunEnd::NoData:
            return kExitInstrumentEmpty;
        case RunEnd::Stopped:
            return kExitInterrupted;
        default:
            return kExitOk;
    }
}

std::string RunFailureText(RunEnd end, const InstrumentSetup& setup, int openError) {
    switch (end) {
        case RunEnd::PortOpenFailed:
            return DescribePortOpenFailure(setup.port, setup.devices, openError) + "\n" +
                   Fill(IDS_CLI_PORT_HINT, {setup.settingsPath});
        case RunEnd::CommFailed:
            return LoadText(IDS_COMM_FAILED) + "\n" + Fill(IDS_CLI_COMM_HINT, {PortText(setup)});
        case RunEnd::NoReply:
            return LoadText(IDS_NO_REPLY) + "\n" +
                   Fill(IDS_CLI_NO_REPLY_HINT, {PortText(setup), setup.settingsPath});
        case RunEnd::NoData:
            return LoadText(IDS_INSTRUMENT_EMPTY) + "\n" + LoadText(IDS_CLI_NOTHING_SAVED);
        default:
            return {};
    }
}

bool CanWrite(const std::string& path) {
    CCsvFile probe;
    const bool ok = probe.OpenSave(path);
    probe.Close();
    return ok;
}

std::string WriteFailureText(const std::string& path) {
    return LoadText(IDS_FILE_SAVE_FAILED) + "\n" + Fill(IDS_CLI_WRITE_HINT, {path});
}

int RefuseOutputOverInput(CommandContext& context, const std::string& output,
                          const std::vector<std::string>& inputs) {
    for (const std::string& input : inputs) {
        if (SameFile(output, input)) {
            return UsageError(context, Fill(IDS_CLI_SAME_FILE, {output, input}));
        }
    }
    return kExitOk;
}

SavedRecords SaveRecords(CConsole& console, const std::string& path, CMeasDataSet& data,
                         IProgressDialog& dialog, const std::string& tag) {
    FileFailure failure;
    std::string saved;
    if (!tag.empty()) {
        saved = SaveNewDataFile(path, data, dialog, tag, &failure);
    } else if (SaveDataFile(path, data, dialog, &failure) == FILEJOB_OK &&
               RecordLinesIn(path) == data.GetCount()) {
        saved = path;
    }
    if (!saved.empty()) {
        return {saved, false};
    }
    std::string text = WriteFailureText(path);
    if (const std::string reason = DescribeFileFailure(failure); !reason.empty()) {
        text += "\n" + reason;
    }
    console.Message(text);
    const auto slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    for (const std::string& folder : FallbackFolders()) {
        saved = SaveNewDataFile(folder + "/" + name, data, dialog, tag.empty() ? "saved" : tag);
        if (!saved.empty()) {
            console.Message(Fill(IDS_CLI_SAVED_INSTEAD, {std::to_string(data.GetCount()), saved}));
            return {saved, true};
        }
    }
    return {};
}

int UsageError(CommandContext& context, const std::string& text) {
    context.console.Message(text + "\n" + Fill(IDS_CLI_TRY_HELP, {context.console.Prefix()}));
    return kExitUsage;
}

}  // namespace kelp::cli
