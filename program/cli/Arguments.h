#pragma once
#include <map>
#include <string>
#include <vector>

#include "program/cli/Subcommand.h"

namespace kelp::cli {

// The options and operands of one subcommand's command line. Options take
// the forms --name VALUE, --name=VALUE, -s VALUE and -sVALUE; "--" ends the
// options. An option given twice keeps its last value.
class CArguments final {
  public:
    // Parses argv[first..argc-1] against `options`. False on an unknown
    // option or a missing value, with the message in Error().
    bool Parse(int argc, char** argv, int first, const std::vector<CommandOption>& options);

    bool Has(const std::string& name) const { return values_.contains(name); }
    // The value of an option, or `fallback` when it was not given.
    std::string Value(const std::string& name, const std::string& fallback = {}) const;
    const std::vector<std::string>& Operands() const { return operands_; }
    const std::string& Error() const { return error_; }

  private:
    std::map<std::string, std::string> values_;
    std::vector<std::string> operands_;
    std::string error_;
};

// A whole number from `text` (digits only, at most `max`); false otherwise.
bool ParseCount(const std::string& text, long long max, long long& out);

// A duration in seconds: a whole number of seconds, or numbers each followed
// by d, h, m or s ("90s", "15m", "1h30m", "2d"). False when it is not one,
// is zero, or exceeds ten years.
bool ParseDuration(const std::string& text, long long& seconds);

}  // namespace kelp::cli
