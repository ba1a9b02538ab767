#include "program/cli/CommandLine.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "app/VersionInfo.h"
#include "program/CollectorApp.h"
#include "program/cli/Arguments.h"
#include "program/cli/CliTexts.h"
#include "program/cli/CommandSupport.h"
#include "program/cli/Console.h"
#include "program/cli/ExitStatus.h"
#include "program/cli/Subcommand.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp::cli {

namespace {

constexpr const char* kProgramName = "kelp-collector";
constexpr int kNameColumn = 10;

bool IsHelp(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

// The program file itself, links resolved (bin/kelp-collector is a link to
// the program beside its English texts).
std::string ProgramPath(const char* argv0) {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string(argv0);
}

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

std::string OverallHelp() {
    std::string text = LoadText(IDS_CLI_USAGE) + "\n";
    for (const Subcommand* command : Subcommands()) {
        std::string name = command->name;
        name.resize(std::max<std::size_t>(name.size() + 1, kNameColumn), ' ');
        text += "  ";
        text += name;
        text += LoadText(command->summaryId);
        text += '\n';
    }
    return text + "\n" + LoadText(IDS_CLI_USAGE_FOOTER) + "\n";
}

std::string VersionLine(const std::string& programPath) {
    CVersionInfo reader(programPath);
    std::string version;
    reader.GetVersionText(version);
    return std::string(kProgramName) + " " + version + " (" + ReleaseDate() + ")\n";
}

bool EndsWithCsv(std::string_view arg) {
    if (arg.size() < 4) {
        return false;
    }
    const std::string_view tail = arg.substr(arg.size() - 4);
    return tail[0] == '.' && (tail[1] | 0x20) == 'c' && (tail[2] | 0x20) == 's' && (tail[3] | 0x20) == 'v';
}

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// An argument the start does not understand: what is wrong, then the one
// line of usage, which says where the help is.
int StartError(const std::string& text) {
    CConsole console(stderr, false, kProgramName);
    console.Message(text + "\n" + LoadText(IDS_CLI_USAGE_LINE));
    return kExitUsage;
}

}  // namespace

bool IsWindowFile(std::string_view arg) {
    if (arg.empty() || arg[0] == '-' || FindSubcommand(arg) != nullptr) {
        return false;
    }
    struct stat status {};
    return arg.find('/') != std::string_view::npos || EndsWithCsv(arg) ||
           ::stat(std::string(arg).c_str(), &status) == 0;
}

bool IsCommandLine(int argc, char** argv) {
    return argc > 2 || (argc == 2 && !IsWindowFile(argv[1]));
}

bool HasDisplay() {
    return IsSet("QT_QPA_PLATFORM") || IsSet("WAYLAND_DISPLAY") || IsSet("DISPLAY");
}

int RefuseWindow(const std::string& localeName, const std::string& qtReason) {
    SelectLanguage(localeName, CCollectorApp::EnglishTextFile(ProgramPath(kProgramName)));
    CConsole console(stderr, false, kProgramName);
    console.Message(qtReason.empty() ? LoadText(IDS_CLI_NO_DISPLAY)
                                     : Fill(IDS_CLI_DISPLAY_FAILED, {qtReason}));
    return kExitUsage;
}

int RunCommandLine(int argc, char** argv, const std::string& localeName) {
    // A reader that went away (a closed pipe) must not end a capture.
    signal(SIGPIPE, SIG_IGN);
    const std::string programPath = ProgramPath(argv[0]);
    SelectLanguage(localeName, CCollectorApp::EnglishTextFile(programPath));

    const std::string_view first = argv[1];
    if (IsHelp(first)) {
        Print(OverallHelp());
        return kExitOk;
    }
    if (first == "--version") {
        Print(VersionLine(programPath));
        return kExitOk;
    }
    if (first.starts_with('-')) {
        return StartError(Fill(IDS_CLI_UNKNOWN_OPTION, {std::string(first)}));
    }
    const Subcommand* command = FindSubcommand(first);
    if (command == nullptr) {
        // The window takes one file and nothing else.
        return StartError(IsWindowFile(first) ? Fill(IDS_CLI_EXTRA_ARGUMENT, {argv[2]})
                                              : Fill(IDS_CLI_UNKNOWN_COMMAND, {std::string(first)}));
    }

    CConsole console(stderr, ::isatty(STDERR_FILENO) == 1, std::string(kProgramName) + " " + command->name);
    std::vector<CommandOption> options = command->options;
    options.push_back({"settings"});
    options.push_back({"quiet", 'q', false});
    options.push_back({"help", 'h', false});
    CArguments arguments;
    CommandContext context{arguments, console, programPath};
    if (!arguments.Parse(argc, argv, 2, options)) {
        console.Message(arguments.Error() + "\n" + Fill(IDS_CLI_TRY_HELP, {console.Prefix()}));
        return kExitUsage;
    }
    if (arguments.Has("help")) {
        Print(LoadText(command->helpId) + "\n");
        return kExitOk;
    }
    console.SetQuiet(arguments.Has("quiet"));
    return command->run(context);
}

}  // namespace kelp::cli
