#pragma once
#include <signal.h>

#include <atomic>
#include <thread>

namespace kelp::cli {

class CConsoleLoop;

// Turns Ctrl+C (SIGINT), SIGTERM and SIGHUP (a closed ssh session) into an
// orderly stop: the first one calls CConsoleLoop::Interrupt, so the
// subcommand ends its run and saves what it has; a second one ends the
// process at once, as the signal would have.
//
// Construct it on the main thread before any other thread starts: the
// signals are blocked there and in every thread started later, and one
// thread of the watcher takes them with sigwait, outside any signal
// handler.
class CInterruptWatcher final {
  public:
    explicit CInterruptWatcher(CConsoleLoop& loop);
    ~CInterruptWatcher();
    CInterruptWatcher(const CInterruptWatcher&) = delete;
    CInterruptWatcher& operator=(const CInterruptWatcher&) = delete;

  private:
    void Watch();

    CConsoleLoop& loop_;
    sigset_t watched_{};
    sigset_t before_{};
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace kelp::cli
