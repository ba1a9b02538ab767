#include "program/cli/ConsoleLoop.h"

#include <algorithm>

#include "program/cli/ConsoleProgress.h"

namespace kelp::cli {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(100);

}  // namespace

void CConsoleLoop::Push(Item item) {
    std::unique_lock lock(mutex_);
    const std::shared_ptr<bool> handled = item.handled;
    queue_.push_back(std::move(item));
    arrived_.notify_one();
    if (handled) {
        handled_.wait(lock, [&] { return *handled; });
    }
}

void CConsoleLoop::Post(AppMessage message) {
    Push(Item{std::move(message), false, nullptr});
}

void CConsoleLoop::Send(AppMessage message) {
    Push(Item{std::move(message), false, std::make_shared<bool>(false)});
}

void CConsoleLoop::Interrupt() {
    Push(Item{{}, true, nullptr});
}

CConsoleProgress* CConsoleLoop::SetProgress(CConsoleProgress* progress) {
    CConsoleProgress* before = progress_;
    progress_ = progress;
    return before;
}

void CConsoleLoop::Dispatch(const Item& item) {
    if (item.interrupt) {
        if (onInterrupt_) {
            onInterrupt_();
        }
    } else if (item.message.message == WM_APP_PROGRESS) {
        if (progress_ != nullptr) {
            progress_->OnProgress(item.message);
        }
    } else if (handler_) {
        handler_(item.message);
    }
}

void CConsoleLoop::RunUntil(const std::function<bool()>& done, Clock::time_point until) {
    while (!done()) {
        const auto now = Clock::now();
        if (now >= until) {
            return;
        }
        const auto wake = std::min(until, now + kPollInterval);
        Item item;
        {
            std::unique_lock lock(mutex_);
            if (!arrived_.wait_until(lock, wake, [this] { return !queue_.empty(); })) {
                continue;
            }
            item = std::move(queue_.front());
            queue_.pop_front();
        }
        // A handler may run a nested loop (a save inside a capture).
        Dispatch(item);
        if (item.handled) {
            {
                const std::lock_guard lock(mutex_);
                *item.handled = true;
            }
            handled_.notify_all();
        }
    }
}

}  // namespace kelp::cli
