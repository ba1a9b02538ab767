#pragma once
#include <initializer_list>
#include <vector>

#include "analysis/CastFinder.h"
#include "program/cli/Subcommand.h"

namespace kelp::cli {

// A decimal number with "." as its point (whatever the locale says) within
// [low, high]; false otherwise.
bool ParseDecimal(const std::string& text, double low, double high, double& out);

// The names of the finder's thresholds, as options.
std::vector<std::string> CastOptionNames();

// Whether any of `names`, or any of the finder's thresholds, is given.
bool HasCastOption(const CommandContext& context, std::initializer_list<const char*> names);

// `options` and the finder's thresholds: --gap, --min-height, --min-records
// and --distance.
std::vector<CommandOption> WithCastOptions(std::vector<CommandOption> options);

// The thresholds of the settings file (--settings, or the window's own),
// and over them those given as options. kExitOk, or kExitUsage with the
// message shown.
int ReadCastOptions(CommandContext& context, CastOptions& options);

}  // namespace kelp::cli
