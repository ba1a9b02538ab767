#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "link/MessageTarget.h"

namespace kelp::cli {

class CConsoleProgress;

// The command line's stand-in for the window thread: workers post and send
// their messages here, and the main thread handles them in order inside
// RunUntil, as the window's event loop would. WM_APP_PROGRESS goes to the
// progress display that is modal at the time, everything else to the
// handler of the running subcommand.
class CConsoleLoop final : public IMessageTarget {
  public:
    using Clock = std::chrono::steady_clock;
    using Handler = std::function<void(const AppMessage&)>;

    void Post(AppMessage message) override;
    // Returns once the main thread has handled the message.
    void Send(AppMessage message) override;

    // Handles messages until `done` holds or `until` has passed; `done` is
    // tested after every message and at least every 100 ms.
    void RunUntil(const std::function<bool()>& done, Clock::time_point until = Clock::time_point::max());

    void SetHandler(Handler handler) { handler_ = std::move(handler); }
    // The progress display that receives WM_APP_PROGRESS; returns the one
    // before it (nested modal displays restore it).
    CConsoleProgress* SetProgress(CConsoleProgress* progress);

    // Callable from any thread: the user asked to stop. The interrupt
    // handler then runs on the main thread, in order with the messages.
    void Interrupt();
    void SetInterruptHandler(std::function<void()> handler) { onInterrupt_ = std::move(handler); }

  private:
    struct Item {
        AppMessage message;
        bool interrupt = false;
        // Set (under the mutex) once a sent message has been handled.
        std::shared_ptr<bool> handled;
    };
    void Push(Item item);
    void Dispatch(const Item& item);

    std::mutex mutex_;
    std::condition_variable arrived_;
    std::condition_variable handled_;
    std::deque<Item> queue_;

    Handler handler_;
    CConsoleProgress* progress_ = nullptr;
    std::function<void()> onInterrupt_;
};

}  // namespace kelp::cli
