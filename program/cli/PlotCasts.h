#pragma once
// Ahead of every Qt header: it names a variable `slots`, which Qt's headers
// define as a macro.
#include "app/GraphSettings.h"

#include <string>
#include <vector>

#include "program/cli/Subcommand.h"

namespace kelp {
class CDepthGraph;
class CMeasDataSet;
class CXYGraph;
}  // namespace kelp

namespace kelp::cli {

// plot --depth --casts and plot --xy --casts: the casts of one data file as
// series of their own.

// `options` and those of the casts: --casts, --downcast and the thresholds
// of the cast finder.
std::vector<CommandOption> WithPlotCastOptions(std::vector<CommandOption> options);

// True when the command line gives --casts or an option that goes with it.
bool WantsCasts(const CommandContext& context);

// The usage checks of the casts: kExitOk, or kExitUsage with the message
// shown. `depthOrXY` tells whether the graph asked for can draw casts.
int CheckCastPlot(CommandContext& context, bool depthOrXY, std::size_t files);

// Reads `path` into `data` and adds its casts to `graph` as series, the
// first 20 of them (saying so when there are more). An exit status, with
// the message shown.
int AddCastSeries(CommandContext& context, const std::string& path, CMeasDataSet& data, CDepthGraph& graph);

// Makes each cast of `data` (read from `path`) a line of its own in
// `graph`. An exit status, with the message shown.
int SetCastPieces(CommandContext& context, const std::string& path, const CMeasDataSet& data,
                  CXYGraph& graph);

}  // namespace kelp::cli
