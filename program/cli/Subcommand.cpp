#include "program/cli/Subcommand.h"

#include <algorithm>
#include <list>

namespace kelp::cli {

namespace {

// A function-local list: registrations run during static initialisation,
// in whatever order the files are linked.
std::list<Subcommand>& Registry() {
    static std::list<Subcommand> registry;
    return registry;
}

}  // namespace

CSubcommandRegistration::CSubcommandRegistration(Subcommand command) {
    Registry().push_back(std::move(command));
}

std::vector<const Subcommand*> Subcommands() {
    std::vector<const Subcommand*> all;
    for (const Subcommand& command : Registry()) {
        all.push_back(&command);
    }
    std::sort(all.begin(), all.end(),
              [](const Subcommand* a, const Subcommand* b) { return a->order < b->order; });
    return all;
}

const Subcommand* FindSubcommand(std::string_view name) {
    for (const Subcommand& command : Registry()) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

}  // namespace kelp::cli
