// kelp-collector export: a data file as a tidy UTF-8 CSV file.
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
#include "program/cli/InputFiles.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp::cli {

namespace {

constexpr const char* kUtf8Format = "utf8";
constexpr const char* kTitlesOption = "titles";
constexpr const char* kAsciiTitles = "ascii";
constexpr const char* kProgramTitles = "program";
constexpr const char* kUtcOffsetOption = "utc-offset";
constexpr const char* kIsoTime = "%Y-%m-%dT%H:%M:%S";

// "+09:00" or "-03:30" within the offsets of the world's time zones; false
// for anything else.
bool IsUtcOffset(const std::string& text) {
    const auto digit = [&text](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; };
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':' || !digit(1) || !digit(2) ||
        !digit(4) || !digit(5)) {
        return false;
    }
    const int minutes =
        ((text[1] - '0') * 10 + (text[2] - '0')) * 60 + (text[4] - '0') * 10 + (text[5] - '0');
    return text[4] < '6' && minutes <= (text[0] == '+' ? 14 * 60 : 12 * 60);
}

// A record's time in ISO 8601: the instrument's local time, with the
// offset of its zone when the user gave one.
std::string IsoTime(const CDateTime& time, const std::string& utcOffset) {
    return time.Format(kIsoTime) + utcOffset;
}

// The title line of the tidy file with these value columns: ASCII names
// that scripts can rely on, or the program's own titles in its language.
// `mark` starts it with the byte-order mark.
std::string TitleLine(const std::vector<ValueColumn>& columns, bool ascii, bool mark) {
    std::vector<std::string> leading;
    if (ascii) {
        leading = {"time", "site", "latitude", "longitude"};
    } else {
        leading = {LoadText(IDS_CLI_EXPORT_TIME), LoadText(IDS_CLI_EXPORT_SITE), LoadText(IDS_COL_LATITUDE),
                   LoadText(IDS_COL_LONGITUDE)};
    }
    return (mark ? kByteOrderMark : "") + CsvLine(ColumnTitles(std::move(leading), columns, ascii)) +
           kLineEnd;
}

// Writes the records of `data` to `file` (already open for saving).
void WriteRecords(const CMeasDataSet& data, const std::vector<ValueColumn>& columns,
                  const std::string& utcOffset, CCsvFile& file) {
    std::string line;
    for (int r = 0; r < data.GetCount(); ++r) {
        line = IsoTime(data.GetTime(r), utcOffset) + "," +
               CsvField(TrimRight(Cp932ToUtf8(data.GetSiteName(r)))) + "," +
               DecimalDegrees(data.GetLatitude(r)) + "," + DecimalDegrees(data.GetLongitude(r));
        for (const ValueColumn& c : columns) {
            line += ",";
            if (data.GetUnit(c.slot, r) == c.unit && data.IsValueValid(c.slot, r)) {
                line += FormatDecimals(data.GetValue(c.slot, r), data.GetDecimals(c.slot, r));
            }
        }
        line += kLineEnd;
        file.WriteText(line);
    }
}

int RunExportCommand(CommandContext& context) {
    const CArguments& arguments = context.arguments;
    CConsole& console = context.console;
    const std::string format = arguments.Value("format", kUtf8Format);
    if (format != kUtf8Format) {
        return UsageError(context, Fill(IDS_CLI_UNKNOWN_FORMAT, {format}));
    }
    std::string input;
    if (const int status = OneInput(context, input); status != kExitOk) {
        return status;
    }
    const std::string output = arguments.Value(kOutputOption.name);
    if (output.empty()) {
        return UsageError(context, LoadText(IDS_CLI_NO_OUTPUT));
    }
    const std::string titles = arguments.Value(kTitlesOption, kAsciiTitles);
    if (titles != kAsciiTitles && titles != kProgramTitles) {
        return UsageError(
            context, Fill(IDS_CLI_BAD_VALUE, {"--titles", titles}) + "\n" + LoadText(IDS_CLI_TITLES_HINT));
    }
    const std::string utcOffset = arguments.Value(kUtcOffsetOption);
    if (arguments.Has(kUtcOffsetOption) && !IsUtcOffset(utcOffset)) {
        return UsageError(context, Fill(IDS_CLI_BAD_VALUE, {"--utc-offset", utcOffset}) + "\n" +
                                       LoadText(IDS_CLI_UTC_OFFSET_HINT));
    }

    // The bins read the settings file for the finder's thresholds.
    std::vector<std::string> inputs = {input};
    if (WantsBins(context)) {
        bool found = true;
        inputs.push_back(SettingsPath(context, found));
    }
    if (const int status = RefuseOutputOverInput(context, output, inputs); status != kExitOk) {
        return status;
    }
    if (WantsBins(context)) {
        return ExportBins(context, input, output, titles == kAsciiTitles);
    }
    // Every record is written, however many the file holds. The columns
    // come before the records, so a file longer than a data set is read
    // twice: once for its columns, once to write its records, a data set at
    // a time either way.
    CMeasDataSet data;
    ValueStats values;
    bool whole = true;
    const auto gather = [&](CMeasDataSet& full) {
        values.Add(full);
        whole = false;
        return true;
    };
    if (const int status = LoadEveryRecord(context, input, data, gather); status != kExitOk) {
        return status;
    }
    values.Add(data);
    const std::vector<ValueColumn> columns = ValueColumns(values);

    // Written beside the target and renamed over it when complete; or to
    // standard output as it goes, without the mark, which only spreadsheets
    // opening a file need.
    const bool toStandardOutput = output == kStandardStream;
    CCsvFile file;
    bool written = toStandardOutput ? file.OpenWrite(stdout) : file.OpenSave(output);
    long long records = 0;
    int status = kExitOk;
    if (written) {
        try {
            file.WriteText(TitleLine(columns, titles == kAsciiTitles, !toStandardOutput));
            if (!whole) {
                const auto write = [&](CMeasDataSet& full) {
                    try {
                        WriteRecords(full, columns, utcOffset, file);
                    } catch (ECsvError) {
                        written = false;
                    }
                    records += full.GetCount();
                    return written;
                };
                status = LoadEveryRecord(context, input, data, write);
            }
            if (written && status == kExitOk) {
                WriteRecords(data, columns, utcOffset, file);
                records += data.GetCount();
                written = file.CommitSave();
            }
        } catch (ECsvError) {
            written = false;
        }
    }
    file.Close();
    if (status != kExitOk) {
        return status;
    }
    if (!written) {
        return TidyOutputFailed(context, output, file);
    }
    console.Note(Fill(IDS_CLI_EXPORTED, {std::to_string(records), ShownName(output, true)}));
    return kExitOk;
}

const CSubcommandRegistration kExport({
    .name = "export",
    .order = 40,
    .summaryId = IDS_CLI_SUMMARY_EXPORT,
    .helpId = IDS_CLI_HELP_EXPORT,
    .options = WithBinOptions({kOutputOption, {"format"}, {kTitlesOption}, {kUtcOffsetOption}}),
    .run = RunExportCommand,
});

}  // namespace

}  // namespace kelp::cli
