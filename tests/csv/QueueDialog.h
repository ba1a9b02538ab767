#pragma once
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "link/Event.h"
#include "link/ProgressDialog.h"

namespace kelp::test {

// A progress dialog without a window: DoModal runs the message loop on the
// calling thread, as the real dialog does, until the worker's final message.
// It records what the worker told it, and can press cancel the moment the
// worker hands over a given step.
class QueueDialog final : public IProgressDialog, private IMessageTarget {
  public:
    void SetTotal(int total) override { total_ = total; }
    void SetTitleId(int id) override { titleId_ = id; }
    void SetCancelEvent(CEvent* cancel) override { cancel_ = cancel; }
    bool IsWindowCreated() const override {
        std::lock_guard lock(mutex_);
        return created_;
    }
    IMessageTarget& Target() override { return *this; }

    int DoModal() override {
        {
            std::lock_guard lock(mutex_);
            created_ = true;
        }
        for (;;) {
            std::unique_lock lock(mutex_);
            cv_.wait(lock, [this] { return !queue_.empty(); });
            AppMessage m = std::move(queue_.front());
            queue_.pop_front();
            lock.unlock();
            int result = 0;
            if (m.message == WM_APP_PROGRESS) {
                if (m.wParam == PROGRESS_STEP) {
                    steps.push_back(static_cast<int>(m.lParam));
                } else if (m.wParam == PROGRESS_FINISHED || m.wParam == PROGRESS_FAILED) {
                    finalValue = static_cast<int>(m.lParam);
                    result = m.wParam == PROGRESS_FINISHED ? 1 : 2;
                }
            }
            lock.lock();
            ++handled_;
            cv_.notify_all();
            lock.unlock();
            if (result != 0) {
                ++modalRuns;
                lock.lock();
                created_ = false;
                return result;
            }
        }
    }

    int total() const { return total_; }
    int titleId() const { return titleId_; }

    std::vector<int> steps;  // lParam of every progress step, in order
    int finalValue = -1;
    // Cancel is pressed as the first step at or past this one is handed
    // over; cancelledAt is that step.
    int cancelAtStep = -1;
    int cancelledAt = -1;
    int modalRuns = 0;

  private:
    void Post(AppMessage message) override {
        std::lock_guard lock(mutex_);
        if (message.message == WM_APP_PROGRESS && message.wParam == PROGRESS_STEP && cancelAtStep >= 0 &&
            cancelledAt < 0 && message.lParam >= cancelAtStep && cancel_ != nullptr) {
            cancelledAt = static_cast<int>(message.lParam);
            cancel_->Set();
        }
        queue_.push_back(std::move(message));
        ++posted_;
        cv_.notify_all();
    }
    void Send(AppMessage message) override {
        std::unique_lock lock(mutex_);
        queue_.push_back(std::move(message));
        const long mine = ++posted_;
        cv_.notify_all();
        cv_.wait(lock, [&] { return handled_ >= mine; });
    }

    mutable std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<AppMessage> queue_;
    long posted_ = 0;
    long handled_ = 0;
    bool created_ = false;
    int total_ = 0;
    int titleId_ = 0;
    CEvent* cancel_ = nullptr;
};

}  // namespace kelp::test
