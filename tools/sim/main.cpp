// kelp-sim: the instrument simulator. See --help.
#include <signal.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "tools/sim/SimOptions.h"
#include "tools/sim/Simulator.h"

namespace {

volatile std::sig_atomic_t g_quit = 0;

void OnSignal(int) {
    g_quit = 1;
}

}  // namespace

int main(int argc, char** argv) {
    kelp::sim::SimOptions options;
    bool help = false;
    std::string error;
    if (!kelp::sim::ParseOptions(argc, argv, options, help, error)) {
        std::fprintf(stderr, "kelp-sim: %s\nTry 'kelp-sim --help'.\n", error.c_str());
        return 2;
    }
    if (help) {
        std::fputs(kelp::sim::HelpText(), stdout);
        return 0;
    }

    // No SA_RESTART: a signal interrupts the wait so that the loop sees it.
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);

    kelp::sim::CSimulator simulator(options);
    if (!simulator.Start(error)) {
        std::fprintf(stderr, "kelp-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", simulator.SlavePath().c_str());
    std::fflush(stdout);
    return simulator.Run(g_quit);
}
