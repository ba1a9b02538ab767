#pragma once
// A progress dialog for benchmarks of the file jobs: it costs nothing, so
// that what is timed is the job itself.
#include <atomic>
#include <condition_variable>
#include <mutex>

#include "link/ProgressDialog.h"

namespace kelp {

// Stands in for the dialog at no cost: a step is taken on the worker's own
// thread, and only the final message crosses to the waiting caller.
class NullDialog final : public IProgressDialog, private IMessageTarget {
  public:
    void SetTotal(int) override {}
    void SetTitleId(int) override {}
    void SetCancelEvent(CEvent*) override {}
    bool IsWindowCreated() const override { return true; }
    IMessageTarget& Target() override { return *this; }
    int DoModal() override {
        std::unique_lock lock(mutex_);
        cv_.wait(lock, [this] { return result_ != 0; });
        return result_;
    }

  private:
    void Send(AppMessage message) override { Post(std::move(message)); }
    void Post(AppMessage message) override {
        if (message.wParam == PROGRESS_STEP) {
            steps_.store(message.lParam, std::memory_order_relaxed);
            return;
        }
        std::lock_guard lock(mutex_);
        result_ = message.wParam == PROGRESS_FINISHED ? 1 : 2;
        cv_.notify_all();
    }

    std::atomic<std::intptr_t> steps_{0};
    std::mutex mutex_;
    std::condition_variable cv_;
    int result_ = 0;
};

}  // namespace kelp
