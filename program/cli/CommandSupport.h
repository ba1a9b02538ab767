#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "link/PortSettings.h"
#include "link/RunEnd.h"
#include "program/cli/Subcommand.h"

namespace kelp {
class IProgressDialog;
}  // namespace kelp

namespace kelp::cli {

class CConsole;

// The instrument side of a subcommand: the settings file it reads and the
// port it talks to.
struct InstrumentSetup {
    std::string settingsPath;
    PortSettings port;
    PortDeviceMap devices;
    std::uint32_t captureInterval = 1;
    // The device path --port gave, which messages name instead of a COM port.
    std::string givenDevice;
};

// Options shared by several subcommands.
inline constexpr CommandOption kPortOption{"port"};
inline constexpr CommandOption kOutputOption{"output", 'o'};

// `options` with those that set the line for one run: --baud, --data-bits,
// --parity and --stop-bits.
std::vector<CommandOption> WithLineOptions(std::vector<CommandOption> options);

// The settings file: --settings FILE (which must exist), or the program's
// own, found as the window finds it.
std::string SettingsPath(const CommandContext& context, bool& ok);
// Why --settings `path` is refused: it does not exist, or is a folder, a
// FIFO, a device or a socket.
std::string SettingsFailureText(const std::string& path);

// Reads the port, line settings, port devices and capture interval from the
// settings file and applies --port: COMn (1 to 19, through the settings
// mapping) or a device path, and the line options, which the port dialog's
// rule checks. False, with the message shown, when an option is wrong.
bool ReadInstrumentSetup(CommandContext& context, InstrumentSetup& setup);

// "COM3 (/dev/ttyUSB2)": the port and the device it stands for; the device
// alone when --port named it.
std::string PortText(const InstrumentSetup& setup);

// The start shared by the subcommands that talk to the instrument and write
// one file: no operands, the file of -o, the settings with --port applied.
// kExitOk, or kExitUsage with the message shown.
int ReadInstrumentCommand(CommandContext& context, std::string& output, InstrumentSetup& setup);

// Loads the data file at `path` ("-": standard input) into `data` as the
// window does; kExitOk, or kExitBadInput with the message, which names the
// cause, shown. A file of more records than a
// data set takes loads its first ones, and a message says so.
int LoadInput(CommandContext& context, const std::string& path, CMeasDataSet& data);

// Loads every record of the file at `path`, however many: whenever `data`
// is full and more follow, `full` is called with it and `data` is emptied
// for the next ones; the last ones stay in `data`. kExitOk, or
// kExitBadInput with the message shown.
int LoadEveryRecord(CommandContext& context, const std::string& path, CMeasDataSet& data,
                    const FullDataSet& full);

// The statistics of the valid values of a data file, per slot and unit,
// gathered over the data sets that hold its records.
struct ValueStats {
    std::array<int, kSlotCount> elements{};
    std::array<std::array<SlotStats, kUnitCount>, kSlotCount> stats{};
    void Add(const CMeasDataSet& data);
};

// A column of values in a data file: a slot and one unit of its component
// with at least one valid value, titled as ComponentTitle does.
struct ValueColumn {
    int slot = 0;
    int unit = 0;
    std::string title;
    int element = 0;
};
// The value columns, slot by slot and unit by unit.
std::vector<ValueColumn> ValueColumns(const ValueStats& values);
// The titles of a table: `leading`, then one per column, as ASCII names
// (AsciiTitle; a component's second column gets its slot number, so that
// scripts can tell them apart) or as the program's titles in its language.
std::vector<std::string> ColumnTitles(std::vector<std::string> leading,
                                      const std::vector<ValueColumn>& columns, bool ascii);

// The exit status of a run that ended with `end` (kExitOk for the normal
// endings).
int ExitStatusOf(RunEnd end);
// The message of a run that failed, saying what to do. `openError` is the
// errno of a failed port open (RunEnd::PortOpenFailed), as the run reported it.
std::string RunFailureText(RunEnd end, const InstrumentSetup& setup, int openError = 0);

// False when `path` cannot be written (a new file beside it cannot be
// made, or it is not a file this user may replace). Leaves nothing behind.
bool CanWrite(const std::string& path);
std::string WriteFailureText(const std::string& path);

// kExitOk when `output` is none of `inputs`, compared as files (another
// name, a link, a hard link); otherwise kExitUsage with the message shown,
// and nothing is touched.
int RefuseOutputOverInput(CommandContext& context, const std::string& output,
                          const std::vector<std::string>& inputs);

// Where SaveRecords put the records: `path` empty when nowhere.
struct SavedRecords {
    std::string path;
    bool elsewhere = false;  // in a fallback folder, not where they were asked for
};

// Saves `data` at `path`: as a new file (SaveNewDataFile with `tag`), or
// with an empty `tag` replacing what is there once the file is complete.
// When that fails, the failure is shown and the records go to the first
// folder of FallbackFolders that takes them, as a new file under the same
// name; the message names it.
SavedRecords SaveRecords(CConsole& console, const std::string& path, CMeasDataSet& data,
                         IProgressDialog& dialog, const std::string& tag);

// Writes `text` to standard output; false when it is gone (a reader that
// stopped early) or refuses the bytes.
bool WriteStandardOutput(const std::string& text);
// The end of a command whose standard output failed: kExitWriteFailed, and
// a message unless the reader had simply seen enough (EPIPE: `head`).
int StandardOutputFailed(CommandContext& context);

// The usage error: the message, then where the help is. Returns kExitUsage.
int UsageError(CommandContext& context, const std::string& text);
// The one input file a command takes: kExitOk with it in `input`, or the
// usage error for none or more than one.
int OneInput(CommandContext& context, std::string& input);

}  // namespace kelp::cli
