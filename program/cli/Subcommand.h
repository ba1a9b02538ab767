#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kelp::cli {

class CArguments;
class CConsole;

// One option of a subcommand: --name, or -s when `shortName` is set.
struct CommandOption {
    const char* name;
    char shortName = 0;
    bool takesValue = true;
};

// What a subcommand gets to work with.
struct CommandContext {
    const CArguments& arguments;
    CConsole& console;
    std::string programPath;
};

// A subcommand of kelp-collector. Each lives in a file of its own that
// registers it with a static CSubcommandRegistration; the dispatcher, the
// overall help and the parser know nothing else of it.
struct Subcommand {
    const char* name = "";
    int order = 0;      // place in the list of the overall help
    int summaryId = 0;  // its line in that list
    int helpId = 0;     // the text of `kelp-collector NAME --help`
    // Besides --settings and --help, which every subcommand takes.
    std::vector<CommandOption> options;
    int (*run)(CommandContext& context) = nullptr;
};

class CSubcommandRegistration final {
  public:
    explicit CSubcommandRegistration(Subcommand command);
};

// Every registered subcommand, in their order.
std::vector<const Subcommand*> Subcommands();
const Subcommand* FindSubcommand(std::string_view name);

}  // namespace kelp::cli
