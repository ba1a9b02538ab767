#include "program/cli/InterruptWatcher.h"

#include <pthread.h>

#include "program/cli/ConsoleLoop.h"

namespace kelp::cli {

namespace {

// Wakes the watcher when it is destroyed.
constexpr int kStopSignal = SIGUSR1;

}  // namespace

CInterruptWatcher::CInterruptWatcher(CConsoleLoop& loop) : loop_(loop) {
    sigemptyset(&watched_);
    sigaddset(&watched_, SIGINT);
    sigaddset(&watched_, SIGTERM);
    sigaddset(&watched_, SIGHUP);
    sigaddset(&watched_, kStopSignal);
    pthread_sigmask(SIG_BLOCK, &watched_, &before_);
    thread_ = std::thread(&CInterruptWatcher::Watch, this);
}

CInterruptWatcher::~CInterruptWatcher() {
    stopping_ = true;
    pthread_kill(thread_.native_handle(), kStopSignal);
    thread_.join();
    pthread_sigmask(SIG_SETMASK, &before_, nullptr);
}

void CInterruptWatcher::Watch() {
    bool interrupted = false;
    for (;;) {
        int signal = 0;
        if (sigwait(&watched_, &signal) != 0) {
            continue;
        }
        if (signal == kStopSignal) {
            if (stopping_) {
                return;
            }
            continue;
        }
        if (!interrupted) {
            interrupted = true;
            loop_.Interrupt();
            continue;
        }
        // The second one: the user insists. The journal of a capture keeps
        // its records.
        struct sigaction plain {};
        plain.sa_handler = SIG_DFL;
        sigemptyset(&plain.sa_mask);
        sigaction(signal, &plain, nullptr);
        sigset_t only;
        sigemptyset(&only);
        sigaddset(&only, signal);
        pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
        raise(signal);
    }
}

}  // namespace kelp::cli
