#pragma once
#include <string>

namespace kelp::cli {

// True when the arguments name a subcommand (any first argument that is not
// an option), or ask for the overall help or the version: the program then
// runs as a command line, without any display.
bool IsCommandLine(int argc, char** argv);

// Runs the command line and returns the exit status. `localeName` is the
// user's locale as the window reads it; it chooses the language the same way.
int RunCommandLine(int argc, char** argv, const std::string& localeName);

}  // namespace kelp::cli
