#include "program/cli/PlotCasts.h"

#include "analysis/CastFinder.h"
#include "app/CastFiles.h"
#include "data/MeasDataSet.h"
#include "program/cli/Arguments.h"
#include "program/cli/CastArguments.h"
#include "program/cli/CliTexts.h"
#include "program/cli/CommandSupport.h"
#include "program/cli/Console.h"
#include "program/cli/ExitStatus.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/graphs/DepthGraph.h"
#include "ui/graphs/XYGraph.h"

namespace kelp::cli {

namespace {

constexpr const char* kCastsOption = "casts";
constexpr const char* kDowncastOption = "downcast";

// The casts of `data` drawn as profiles, or kExitBadInput with the message
// shown when there is none.
int FindProfiles(CommandContext& context, const std::string& path, const CMeasDataSet& data, CastList& list,
                 std::vector<std::pair<const Cast*, RecordRange>>& ranges) {
    CastOptions options;
    if (const int status = ReadCastOptions(context, options); status != kExitOk) {
        return status;
    }
    list = FindCasts(data, options);
    ranges = ProfileRanges(list, context.arguments.Has(kDowncastOption));
    if (ranges.empty()) {
        context.console.Message(Fill(IDS_CLI_PLOT_NO_CASTS, {path}));
        return kExitBadInput;
    }
    return kExitOk;
}

}  // namespace

std::vector<CommandOption> WithPlotCastOptions(std::vector<CommandOption> options) {
    options.insert(options.end(), {{kCastsOption, 0, false}, {kDowncastOption, 0, false}});
    return WithCastOptions(std::move(options));
}

bool WantsCasts(const CommandContext& context) {
    return HasCastOption(context, {kCastsOption, kDowncastOption});
}

int CheckCastPlot(CommandContext& context, bool depthOrXY, std::size_t files) {
    if (!context.arguments.Has(kCastsOption)) {
        std::string given = context.arguments.Has(kDowncastOption) ? kDowncastOption : "";
        for (const std::string& name : CastOptionNames()) {
            given = given.empty() && context.arguments.Has(name) ? name : given;
        }
        return UsageError(context, Fill(IDS_CLI_PLOT_CASTS_ONLY, {"--" + given}));
    }
    if (!depthOrXY) {
        return UsageError(context, LoadText(IDS_CLI_PLOT_CASTS_KIND));
    }
    if (files != 1) {
        return UsageError(context, LoadText(IDS_CLI_PLOT_CASTS_ONE_FILE));
    }
    return kExitOk;
}

int AddCastSeries(CommandContext& context, const std::string& path, CMeasDataSet& data, CDepthGraph& graph) {
    if (const int status = LoadInput(context, path, data); status != kExitOk) {
        return status;
    }
    CastList list;
    std::vector<std::pair<const Cast*, RecordRange>> ranges;
    if (const int status = FindProfiles(context, path, data, list, ranges); status != kExitOk) {
        return status;
    }
    if (ranges.size() > static_cast<std::size_t>(kDepthMaxSeries)) {
        context.console.Message(Fill(IDS_CLI_PLOT_CASTS_LEFT_OUT, {path, std::to_string(ranges.size())}));
        ranges.resize(static_cast<std::size_t>(kDepthMaxSeries));
    }
    CMeasDataSet piece;
    for (const auto& [cast, range] : ranges) {
        CopyCast(data, *cast, range, piece);
        if (graph.AddSeries(piece) == CDepthGraph::AddResult::NoMemory) {
            context.console.Message(path + ": " + LoadText(IDS_MEMORY_FAILED));
            return kExitBadInput;
        }
    }
    return kExitOk;
}

int SetCastPieces(CommandContext& context, const std::string& path, const CMeasDataSet& data,
                  CXYGraph& graph) {
    CastList list;
    std::vector<std::pair<const Cast*, RecordRange>> ranges;
    if (const int status = FindProfiles(context, path, data, list, ranges); status != kExitOk) {
        return status;
    }
    std::vector<CXYGraph::Piece> pieces;
    for (const auto& [cast, range] : ranges) {
        pieces.push_back({range, CastName(*cast)});
    }
    graph.SetPieces(std::move(pieces), true);
    return kExitOk;
}

}  // namespace kelp::cli
