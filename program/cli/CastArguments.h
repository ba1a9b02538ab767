#pragma once
#include <vector>

#include "analysis/CastFinder.h"
#include "program/cli/Subcommand.h"

namespace kelp::cli {

// `options` and the finder's thresholds: --gap, --min-height, --min-records
// and --distance.
std::vector<CommandOption> WithCastOptions(std::vector<CommandOption> options);

// The thresholds of the settings file (--settings, or the window's own),
// and over them those given as options. kExitOk, or kExitUsage with the
// message shown.
int ReadCastOptions(CommandContext& context, CastOptions& options);

}  // namespace kelp::cli
