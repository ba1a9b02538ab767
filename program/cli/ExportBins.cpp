#include "program/cli/ExportBins.h"

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "analysis/CastFinder.h"
#include "analysis/DepthBins.h"
#include "data/Cp932.h"
#include "data/CsvError.h"
#include "data/CsvFile.h"
#include "data/MeasDataSet.h"
#include "program/cli/Arguments.h"
#include "program/cli/CastArguments.h"
#include "program/cli/CliTexts.h"
#include "program/cli/CommandSupport.h"
#include "program/cli/Console.h"
#include "program/cli/ExitStatus.h"
#include "program/cli/InputFiles.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp::cli {

namespace {

constexpr const char* kBinOption = "bin";
constexpr const char* kDowncastOption = "downcast";
constexpr double kMinBinMetres = 0.01;
constexpr double kMaxBinMetres = 1000.0;
// A mean carries one decimal more than the values it comes from, up to this.
constexpr int kMaxMeanDecimals = 6;

// The decimals a bin height is written with ("0.25": 2), and one more for
// the centre of a bin.
int CentreDecimals(const std::string& text) {
    const auto point = text.find('.');
    const int given = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
    return std::min(given + 1, kMaxMeanDecimals);
}

struct Table {
    std::string text;
    int rows = 0;
    int casts = 0;
};

Table BinTable(const CMeasDataSet& data, const CastList& list, bool downcast, double binMetres,
               int centreDecimals, bool ascii) {
    ValueStats values;
    values.Add(data);
    const std::vector<ValueColumn> columns = ValueColumns(values);
    std::vector<BinColumn> binColumns;
    std::vector<int> decimals;
    for (const ValueColumn& c : columns) {
        binColumns.push_back({c.slot, c.unit});
        decimals.push_back(std::min(data.GetStats(c.slot, c.unit).Decimals + 1, kMaxMeanDecimals));
    }
    Table table;
    std::vector<std::string> titles =
        ascii ? ColumnTitles({"cast", "site", "bin_depth_m"}, columns, true)
              : ColumnTitles({LoadText(IDS_CLI_CASTS_COL_CAST), LoadText(IDS_CLI_EXPORT_SITE),
                              LoadText(IDS_CLI_EXPORT_BIN_CENTRE)},
                             columns, false);
    titles.push_back(ascii ? "records" : LoadText(IDS_CLI_CASTS_COL_RECORDS));
    table.text = CsvLine(titles) + kLineEnd;
    for (const Cast& cast : list.casts) {
        const RecordRange range = downcast ? cast.down : cast.records;
        if (range.Empty()) {
            continue;
        }
        const std::vector<DepthBin> bins = BinByDepth(data, range, binMetres, binColumns);
        if (bins.empty()) {
            continue;
        }
        ++table.casts;
        const std::string site = CsvField(TrimRight(Cp932ToUtf8(cast.site)));
        for (const DepthBin& bin : bins) {
            std::string line = std::to_string(cast.number);
            line += ',';
            line += site;
            line += ',';
            line += FormatDecimals(bin.centreMetres, centreDecimals);
            for (std::size_t c = 0; c < columns.size(); ++c) {
                line += ',';
                if (bin.counts[c] > 0) {
                    line += FormatDecimals(bin.means[c], decimals[c]);
                }
            }
            line += ',';
            line += std::to_string(bin.records);
            line += kLineEnd;
            table.text += line;
            ++table.rows;
        }
    }
    return table;
}

}  // namespace

std::vector<CommandOption> WithBinOptions(std::vector<CommandOption> options) {
    options.insert(options.end(), {{kBinOption}, {kDowncastOption, 0, false}});
    return WithCastOptions(std::move(options));
}

bool WantsBins(const CommandContext& context) {
    return HasCastOption(context, {kBinOption, kDowncastOption});
}

int TidyOutputFailed(CommandContext& context, const std::string& output, const CCsvFile& file) {
    if (output != kStandardStream) {
        context.console.Message(WriteFailureText(output));
    } else if (file.SaveFailure().error != EPIPE) {
        context.console.Message(LoadText(IDS_CLI_STDOUT_FAILED));
    }
    return kExitWriteFailed;
}

int ExportBins(CommandContext& context, const std::string& input, const std::string& output, bool ascii) {
    const CArguments& arguments = context.arguments;
    if (!arguments.Has(kBinOption)) {
        std::string given = arguments.Has(kDowncastOption) ? kDowncastOption : "";
        for (const std::string& name : CastOptionNames()) {
            given = given.empty() && arguments.Has(name) ? name : given;
        }
        return UsageError(context, Fill(IDS_CLI_EXPORT_BIN_ONLY, {"--" + given}));
    }
    const std::string binText = arguments.Value(kBinOption);
    double binMetres = 0.0;
    if (!ParseDecimal(binText, kMinBinMetres, kMaxBinMetres, binMetres)) {
        return UsageError(
            context, Fill(IDS_CLI_BAD_VALUE, {"--bin", binText}) + "\n" + LoadText(IDS_CLI_EXPORT_BIN_HINT));
    }
    CastOptions options;
    if (const int status = ReadCastOptions(context, options); status != kExitOk) {
        return status;
    }
    CMeasDataSet data;
    if (const int status = LoadInput(context, input, data); status != kExitOk) {
        return status;
    }
    const Table table = BinTable(data, FindCasts(data, options), arguments.Has(kDowncastOption), binMetres,
                                 CentreDecimals(binText), ascii);
    // Written beside the target and renamed over it when complete; or to
    // standard output without the mark, which only spreadsheets need.
    const bool toStandardOutput = output == kStandardStream;
    CCsvFile file;
    bool written = toStandardOutput ? file.OpenWrite(stdout) : file.OpenSave(output);
    if (written) {
        try {
            file.WriteText(toStandardOutput ? table.text : kByteOrderMark + table.text);
            written = file.CommitSave();
        } catch (ECsvError) {
            written = false;
        }
    }
    file.Close();
    if (!written) {
        return TidyOutputFailed(context, output, file);
    }
    context.console.Note(Fill(IDS_CLI_EXPORT_BINNED, {std::to_string(table.rows), std::to_string(table.casts),
                                                      binText, ShownName(output, true)}));
    return kExitOk;
}

}  // namespace kelp::cli
