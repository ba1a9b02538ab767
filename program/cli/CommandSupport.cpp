#include "program/cli/CommandSupport.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>

#include "app/NewDataFile.h"
#include "app/PortOpenError.h"
#include "app/SettingsStore.h"
#include "data/Catalogue.h"
#include "data/CsvFile.h"
#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "program/CollectorApp.h"
#include "program/cli/Arguments.h"
#include "program/cli/AsciiNames.h"
#include "program/cli/CliTexts.h"
#include "program/cli/Console.h"
#include "program/cli/ConsoleLoop.h"
#include "program/cli/ConsoleProgress.h"
#include "program/cli/ExitStatus.h"
#include "program/cli/InputFiles.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/dialogs/PortSettingsDlg.h"

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

constexpr const char* kBaudOption = "baud";
constexpr const char* kDataBitsOption = "data-bits";
constexpr const char* kParityOption = "parity";
constexpr const char* kStopBitsOption = "stop-bits";

// A word a line option takes, and the value of the settings it stands for.
struct LineChoice {
    std::string word;
    int value = 0;
};

// The numbers of `offered`, each standing for itself.
template <std::size_t N>
std::vector<LineChoice> Numbers(const std::array<int, N>& offered) {
    std::vector<LineChoice> choices;
    for (const int n : offered) {
        choices.push_back({std::to_string(n), n});
    }
    return choices;
}

// The line options given, over the settings of the file; false with the
// message shown when one is not a setting the port dialog offers, or the
// port cannot take them together.
bool ApplyLineOptions(CommandContext& context, PortSettings& port) {
    const CArguments& arguments = context.arguments;
    int baud = port.BaudRate;
    int byteSize = port.ByteSize;
    int parity = port.Parity;
    int stopBits = port.StopBits;
    struct LineOption {
        const char* name;
        std::vector<LineChoice> choices;
        int& value;
    };
    const LineOption options[] = {
        {kBaudOption, Numbers(kOfferedBaudRates), baud},
        {kDataBitsOption, Numbers(kOfferedByteSizes), byteSize},
        {kParityOption, {{"none", 0}, {"odd", 1}, {"even", 2}}, parity},
        {kStopBitsOption, {{"1", 0}, {"1.5", 1}, {"2", 2}}, stopBits},
    };
    bool any = false;
    for (const LineOption& option : options) {
        if (!arguments.Has(option.name)) {
            continue;
        }
        const std::string given = arguments.Value(option.name);
        const auto chosen = std::find_if(option.choices.begin(), option.choices.end(),
                                         [&given](const LineChoice& c) { return c.word == given; });
        if (chosen == option.choices.end()) {
            UsageError(context, Fill(IDS_CLI_BAD_VALUE, {std::string("--") + option.name, given}) + "\n" +
                                    LoadText(IDS_CLI_LINE_HINT));
            return false;
        }
        option.value = chosen->value;
        any = true;
    }
    // The rule the dialog applies on OK, to what the run will use.
    if (any) {
        if (const int problem = CPortSettingsDlg::LineSettingsProblem(byteSize, stopBits); problem != 0) {
            UsageError(context, LoadText(problem));
            return false;
        }
    }
    port.BaudRate = baud;
    port.ByteSize = static_cast<std::uint8_t>(byteSize);
    port.Parity = static_cast<std::uint8_t>(parity);
    port.StopBits = static_cast<std::uint8_t>(stopBits);
    return true;
}

}  // namespace

std::vector<CommandOption> WithLineOptions(std::vector<CommandOption> options) {
    options.insert(options.end(), {{kBaudOption}, {kDataBitsOption}, {kParityOption}, {kStopBitsOption}});
    return options;
}

std::string PortText(const InstrumentSetup& setup) {
    if (!setup.givenDevice.empty()) {
        return setup.givenDevice;
    }
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

std::string SettingsFailureText(const std::string& path) {
    const std::string kind = KindOf(path);
    return kind.empty() ? Fill(IDS_CLI_SETTINGS_MISSING, {path})
                        : Fill(IDS_CLI_SETTINGS_NOT_FILE, {path, kind});
}

bool ReadInstrumentSetup(CommandContext& context, InstrumentSetup& setup) {
    bool ok = true;
    setup.settingsPath = SettingsPath(context, ok);
    if (!ok) {
        UsageError(context, SettingsFailureText(setup.settingsPath));
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
            setup.givenDevice = port;
        } else {
            UsageError(context, Fill(IDS_CLI_BAD_VALUE, {"--port", port}));
            return false;
        }
    }
    return ApplyLineOptions(context, setup.port);
}

int ReadInstrumentCommand(CommandContext& context, std::string& output, InstrumentSetup& setup) {
    const CArguments& arguments = context.arguments;
    if (!arguments.Operands().empty()) {
        return UsageError(context, Fill(IDS_CLI_EXTRA_ARGUMENT, {arguments.Operands().front()}));
    }
    output = arguments.Value(kOutputOption.name);
    // Data files and their journals go to files: "-" is no name for them
    // here ("./-" is).
    if (output.empty() || output == kStandardStream) {
        return UsageError(context, LoadText(IDS_CLI_NO_OUTPUT));
    }
    return ReadInstrumentSetup(context, setup) ? kExitOk : kExitUsage;
}

namespace {

// LoadInput, or with `full` LoadEveryRecord.
int LoadWith(CommandContext& context, const std::string& path, CMeasDataSet& data, const FullDataSet* full) {
    CConsoleLoop loop;
    CConsoleProgress loading(loop, nullptr);
    data.Clear();
    std::string error;
    const std::string file = ReadablePath(path, error);
    if (file.empty()) {
        context.console.Message(error);
        return kExitBadInput;
    }
    int fileRecords = 0;
    LoadFailure failure;
    const int result = full != nullptr ? LoadAllRecords(file, data, loading, *full, &failure)
                                       : LoadDataFile(file, data, loading, &fileRecords, &failure);
    if (result != FILEJOB_OK) {
        context.console.Message(LoadFailureText(path, file, failure, data));
        return kExitBadInput;
    }
    if (fileRecords > 0) {
        context.console.Message(
            ShownName(path) + ": " +
            Fill(IDS_FILE_PARTLY_READ, {std::to_string(fileRecords), std::to_string(data.GetCount())}));
    }
    return kExitOk;
}

}  // namespace

int LoadInput(CommandContext& context, const std::string& path, CMeasDataSet& data) {
    return LoadWith(context, path, data, nullptr);
}

int LoadEveryRecord(CommandContext& context, const std::string& path, CMeasDataSet& data,
                    const FullDataSet& full) {
    return LoadWith(context, path, data, &full);
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
                columns.push_back({slot, unit, ComponentTitle(element, unit), element});
            }
        }
    }
    return columns;
}

std::vector<std::string> ColumnTitles(std::vector<std::string> leading,
                                      const std::vector<ValueColumn>& columns, bool ascii) {
    for (const ValueColumn& c : columns) {
        std::string title = ascii ? AsciiTitle(c.element, c.unit) : c.title;
        if (ascii && std::find(leading.begin(), leading.end(), title) != leading.end()) {
            title += '_';
            title += std::to_string(c.slot + 1);
        }
        leading.push_back(std::move(title));
    }
    return leading;
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
        // Standard input is the file the shell opened for it, if any.
        const bool standard = input == kStandardStream;
        if (SameFile(output, standard ? "/dev/stdin" : input)) {
            return UsageError(context, Fill(IDS_CLI_SAME_FILE, {output, ShownName(input)}));
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

bool WriteStandardOutput(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
}

int StandardOutputFailed(CommandContext& context) {
    if (errno != EPIPE) {
        context.console.Message(LoadText(IDS_CLI_STDOUT_FAILED));
    }
    return kExitWriteFailed;
}

int OneInput(CommandContext& context, std::string& input) {
    const std::vector<std::string>& operands = context.arguments.Operands();
    if (operands.empty()) {
        return UsageError(context, LoadText(IDS_CLI_NO_INPUT));
    }
    if (operands.size() > 1) {
        return UsageError(context, Fill(IDS_CLI_EXTRA_ARGUMENT, {operands[1]}));
    }
    input = operands.front();
    return kExitOk;
}

int UsageError(CommandContext& context, const std::string& text) {
    context.console.Message(text + "\n" + Fill(IDS_CLI_TRY_HELP, {context.console.Prefix()}));
    return kExitUsage;
}

}  // namespace kelp::cli
