// kelp-collector export: a data file as a tidy UTF-8 CSV file.
#include <charconv>
#include <cstdlib>
#include <vector>

#include "data/Catalogue.h"
#include "data/Cp932.h"
#include "data/CsvError.h"
#include "data/CsvFile.h"
#include "data/MeasDataSet.h"
#include "program/cli/Arguments.h"
#include "program/cli/CliTexts.h"
#include "program/cli/CommandSupport.h"
#include "program/cli/Console.h"
#include "program/cli/ExitStatus.h"
#include "program/cli/ExportBins.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp::cli {

namespace {

constexpr const char* kUtf8Format = "utf8";
constexpr const char* kIsoTime = "%Y-%m-%dT%H:%M:%S";
// Spreadsheets take a file for UTF-8 only when it starts with the mark;
// pandas and R skip it.
constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* kLineEnd = "\r\n";

// ddmmss (dddmmss), negative south or west, in decimal degrees; empty
// without a position.
std::string DecimalDegrees(std::int32_t value) {
    if (value == kNoPosition) {
        return {};
    }
    const std::int32_t m = std::abs(value);
    double degrees = m / 10000 + (m / 100 % 100) / 60.0 + (m % 100) / 3600.0;
    if (value < 0) {
        degrees = -degrees;
    }
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, degrees, std::chars_format::fixed, 6);
    return std::string(text, result.ptr);
}

// Writes `data` to `file` (already open for saving).
void WriteTidy(CMeasDataSet& data, CCsvFile& file) {
    const std::vector<ValueColumn> columns = ValueColumns(data);
    std::string line = std::string(kByteOrderMark) + CsvField(LoadText(IDS_CLI_EXPORT_TIME)) + "," +
                       CsvField(LoadText(IDS_CLI_EXPORT_SITE)) + "," + CsvField(LoadText(IDS_COL_LATITUDE)) +
                       "," + CsvField(LoadText(IDS_COL_LONGITUDE));
    // One column per component and unit that has a valid value: a tidy
    // column holds one quantity in one unit.
    for (const ValueColumn& c : columns) {
        line += ',';
        line += CsvField(c.title);
    }
    file.WriteText(line + kLineEnd);
    for (int r = 0; r < data.GetCount(); ++r) {
        line = data.GetTime(r).Format(kIsoTime) + "," +
               CsvField(TrimRight(Cp932ToUtf8(data.GetSiteName(r)))) + "," +
               DecimalDegrees(data.GetLatitude(r)) + "," + DecimalDegrees(data.GetLongitude(r));
        for (const ValueColumn& c : columns) {
            line += ",";
            if (data.GetUnit(c.slot, r) == c.unit && data.IsValueValid(c.slot, r)) {
                line += FormatDecimals(data.GetValue(c.slot, r), data.GetDecimals(c.slot, r));
            }
        }
        file.WriteText(line + kLineEnd);
    }
}

int RunExportCommand(CommandContext& context) {
    const CArguments& arguments = context.arguments;
    CConsole& console = context.console;
    const std::string format = arguments.Value("format", kUtf8Format);
    if (format != kUtf8Format) {
        return UsageError(context, Fill(IDS_CLI_UNKNOWN_FORMAT, {format}));
    }
    if (arguments.Operands().empty()) {
        return UsageError(context, LoadText(IDS_CLI_NO_INPUT));
    }
    if (arguments.Operands().size() > 1) {
        return UsageError(context, Fill(IDS_CLI_EXTRA_ARGUMENT, {arguments.Operands()[1]}));
    }
    const std::string input = arguments.Operands().front();
    const std::string output = arguments.Value(kOutputOption.name);
    if (output.empty()) {
        return UsageError(context, LoadText(IDS_CLI_NO_OUTPUT));
    }
    // Replacing the input would lose the data file for its export.
    if (SameFile(input, output)) {
        return UsageError(context, Fill(IDS_CLI_OUTPUT_IS_INPUT, {output}));
    }
    if (WantsBins(context)) {
        return ExportBins(context, input, output);
    }

    CMeasDataSet data;
    if (const int status = LoadInput(context, input, data); status != kExitOk) {
        return status;
    }
    // Written beside the target and renamed over it when complete.
    CCsvFile file;
    bool written = file.OpenSave(output);
    if (written) {
        try {
            WriteTidy(data, file);
            written = file.CommitSave();
        } catch (ECsvError) {
            written = false;
        }
    }
    file.Close();
    if (!written) {
        console.Message(WriteFailureText(output));
        return kExitWriteFailed;
    }
    console.Message(Fill(IDS_CLI_EXPORTED, {std::to_string(data.GetCount()), output}));
    return kExitOk;
}

const CSubcommandRegistration kExport({
    .name = "export",
    .order = 40,
    .summaryId = IDS_CLI_SUMMARY_EXPORT,
    .helpId = IDS_CLI_HELP_EXPORT,
    .options = WithBinOptions({kOutputOption, {"format"}}),
    .run = RunExportCommand,
});

}  // namespace

}  // namespace kelp::cli
