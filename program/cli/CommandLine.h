#pragma once
#include <string>
#include <string_view>

namespace kelp::cli {

// True unless the arguments ask for the window: none at all, or one data
// file to open in it (see IsWindowFile). Subcommands, the overall help, the
// version and every argument that is not understood are the command line's,
// which needs no display.
bool IsCommandLine(int argc, char** argv);

// True when `arg`, the first argument, names a data file for the window
// rather than a subcommand: not an option, not a subcommand's name, and a
// path with a folder in it, a name ending in .csv or something that exists.
bool IsWindowFile(std::string_view arg);

// True when the window has somewhere to appear: a Qt platform chosen, or a
// display of the desktop session (X11 or Wayland).
bool HasDisplay();

// Says on standard error that the window cannot open, with `qtReason` (what
// Qt said) when Qt could not reach the display set, and where the commands
// are. Returns the exit status.
int RefuseWindow(const std::string& localeName, const std::string& qtReason = {});

// Runs the command line and returns the exit status. `localeName` is the
// user's locale as the window reads it; it chooses the language the same way.
int RunCommandLine(int argc, char** argv, const std::string& localeName);

}  // namespace kelp::cli
