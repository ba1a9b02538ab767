// kelp-collector casts: the stations and casts of data files, as a table or
// as CSV.
#include <vector>

#include "analysis/CastFinder.h"
#include "data/Catalogue.h"
#include "data/Cp932.h"
#include "data/MeasDataSet.h"
#include "program/cli/Arguments.h"
#include "program/cli/CastArguments.h"
#include "program/cli/CliTexts.h"
#include "program/cli/CommandSupport.h"
#include "program/cli/Console.h"
#include "program/cli/ExitStatus.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp::cli {

namespace {

constexpr const char* kCsvHeader =
    "cast,station,site,first,last,deepest,max_depth_m,start,end,records,down_first,down_last\n";
constexpr const char* kIsoTime = "%Y-%m-%dT%H:%M:%S";
constexpr const char* kTablePattern = "%Y/%m/%d %H:%M:%S";
constexpr const char* kTimeOfDay = "%H:%M:%S";
constexpr const char* kColumnGap = "  ";

// Record numbers as the file's "No." column counts them.
std::string Number(int record) {
    return std::to_string(record + 1);
}

std::string Metres(double metres) {
    return FormatDecimals(metres, 2);
}

std::string Site(const Cast& cast) {
    return TrimRight(Cp932ToUtf8(cast.site));
}

std::string CsvRow(const Cast& cast) {
    const bool depth = cast.deepest >= 0;
    const std::vector<std::string> fields = {
        std::to_string(cast.number),
        std::to_string(cast.station),
        Site(cast),
        Number(cast.records.first),
        Number(cast.records.last),
        depth ? Number(cast.deepest) : std::string(),
        depth ? Metres(cast.maxDepthMetres) : std::string(),
        cast.start.Format(kIsoTime),
        cast.end.Format(kIsoTime),
        std::to_string(cast.Records()),
        cast.series ? std::string() : Number(cast.down.first),
        cast.series ? std::string() : Number(cast.down.last),
    };
    return CsvLine(fields) + "\n";
}

// A table whose columns are as wide as their widest cell; numbers are
// aligned to the right.
class CTable final {
  public:
    void Add(std::vector<std::string> row) { rows_.push_back(std::move(row)); }

    std::string Text(const std::vector<bool>& rightAligned) const {
        std::vector<int> widths(rightAligned.size(), 0);
        for (const auto& row : rows_) {
            for (std::size_t c = 0; c < row.size(); ++c) {
                widths[c] = std::max(widths[c], DisplayWidth(row[c]));
            }
        }
        std::string text;
        for (const auto& row : rows_) {
            std::string line = " ";
            for (std::size_t c = 0; c < row.size(); ++c) {
                const std::string padding(static_cast<std::size_t>(widths[c] - DisplayWidth(row[c])), ' ');
                line += kColumnGap;
                line += rightAligned[c] ? padding + row[c] : row[c] + padding;
            }
            text += TrimRight(line) + "\n";
        }
        return text;
    }

  private:
    std::vector<std::vector<std::string>> rows_;
};

std::string Table(const CastList& list, const std::string& path) {
    const int series = list.SeriesCount();
    std::string text =
        path + "\n  " +
        Fill(IDS_CLI_CASTS_SUMMARY,
             {std::to_string(list.stations.size()),
              std::to_string(static_cast<int>(list.casts.size()) - series), std::to_string(series)}) +
        "\n";
    if (list.casts.empty()) {
        return text;
    }
    CTable table;
    table.Add({LoadText(IDS_CLI_CASTS_COL_CAST), LoadText(IDS_CLI_CASTS_COL_STATION),
               LoadText(IDS_CLI_CASTS_COL_SITE), LoadText(IDS_CLI_CASTS_COL_START),
               LoadText(IDS_CLI_CASTS_COL_END), LoadText(IDS_CLI_CASTS_COL_RECORDS),
               LoadText(IDS_CLI_CASTS_COL_DEPTH), LoadText(IDS_CLI_CASTS_COL_NUMBERS),
               LoadText(IDS_CLI_CASTS_COL_DOWN)});
    const std::string metre = TrimRight(LoadText(UnitTextId(kDepthElement, 0)));
    for (const Cast& cast : list.casts) {
        const bool sameDay = cast.start.Format("%Y%m%d") == cast.end.Format("%Y%m%d");
        std::string depth = cast.deepest >= 0 ? Metres(cast.maxDepthMetres) + " " + metre : std::string("-");
        if (cast.series) {
            depth = LoadText(IDS_CLI_CASTS_SERIES) + (cast.deepest >= 0 ? " " + depth : std::string());
        }
        table.Add({std::to_string(cast.number), std::to_string(cast.station), Site(cast),
                   cast.start.Format(kTablePattern), cast.end.Format(sameDay ? kTimeOfDay : kTablePattern),
                   std::to_string(cast.Records()), depth,
                   Number(cast.records.first) + "-" + Number(cast.records.last),
                   cast.series ? std::string("-") : Number(cast.down.first) + "-" + Number(cast.down.last)});
    }
    return text + table.Text({true, true, false, false, false, true, true, false, false});
}

int RunCastsCommand(CommandContext& context) {
    const std::vector<std::string>& files = context.arguments.Operands();
    if (files.empty()) {
        return UsageError(context, LoadText(IDS_CLI_NO_INPUT));
    }
    const bool csv = context.arguments.Has("csv");
    if (csv && files.size() > 1) {
        return UsageError(context, LoadText(IDS_CLI_CASTS_CSV_ONE_FILE));
    }
    CastOptions options;
    if (const int status = ReadCastOptions(context, options); status != kExitOk) {
        return status;
    }
    int status = kExitOk;
    CMeasDataSet data;
    bool first = true;
    for (const std::string& path : files) {
        if (LoadInput(context, path, data) != kExitOk) {
            status = kExitBadInput;
            continue;
        }
        const CastList list = FindCasts(data, options);
        std::string text;
        if (csv) {
            text = kCsvHeader;
            for (const Cast& cast : list.casts) {
                text += CsvRow(cast);
            }
        } else {
            if (!first) {
                text = "\n";
            }
            text += Table(list, path);
        }
        first = false;
        if (!WriteStandardOutput(text)) {
            return StandardOutputFailed(context);
        }
    }
    return status;
}

const CSubcommandRegistration kCasts({
    .name = "casts",
    .order = 34,
    .summaryId = IDS_CLI_SUMMARY_CASTS,
    .helpId = IDS_CLI_HELP_CASTS,
    .options = WithCastOptions({{"csv", 0, false}}),
    .run = RunCastsCommand,
});

}  // namespace

}  // namespace kelp::cli
