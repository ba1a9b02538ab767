#pragma once
#include <vector>

#include "analysis/CastFinder.h"
#include "program/cli/Subcommand.h"

namespace kelp::cli {

// A decimal number with "." as its point (whatever the locale says) within
// [low, high]; false otherwise.
bool ParseDecimal(const std::string& text, double low, double high, double& out);

// The names of the finder's thresholds, as options.
std::vector<std::string> CastOptionNames();

// `options` and the finder's thresholds: --gap, --min-height, --min-records
// and --distance.
std::vector<CommandOption> WithCastOptions(std::vector<CommandOption> options);

// The thresholds of the settings file (--settings, or the window's own),
// and over them those given as options. kExitOk, or kExitUsage with the
// message shown.
int ReadCastOptions(CommandContext& context, CastOptions& options);

}  // namespace kelp::cli
