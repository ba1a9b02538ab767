#pragma once
#include <string>
#include <vector>

#include "program/cli/Subcommand.h"

namespace kelp {
class CCsvFile;
}  // namespace kelp

namespace kelp::cli {

// The tidy files of export: spreadsheets take a file for UTF-8 only when it
// starts with the mark (pandas and R skip it); lines end with CR LF.
inline constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
inline constexpr const char* kLineEnd = "\r\n";

// The end of an export whose `file` could not be written to `output`
// ("-": standard output): kExitWriteFailed, with the message, unless the
// reader of standard output had simply seen enough (head).
int TidyOutputFailed(CommandContext& context, const std::string& output, const CCsvFile& file);

// export FILE --bin METRES [--downcast]: the casts of a data file averaged
// into depth bins, one row per cast and bin.

// `options` and those of the bins: --bin, --downcast and the thresholds of
// the cast finder.
std::vector<CommandOption> WithBinOptions(std::vector<CommandOption> options);

// True when the command line gives --bin or an option that goes with it.
bool WantsBins(const CommandContext& context);

// Reads `input` and writes its bins to `output` (already checked to be
// given and not the input; "-" is standard output), titled in ASCII or
// with the program's titles. An exit status, with the message shown.
int ExportBins(CommandContext& context, const std::string& input, const std::string& output, bool ascii);

}  // namespace kelp::cli
