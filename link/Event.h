#pragma once
#include <condition_variable>
#include <mutex>

namespace kelp {

// An auto-reset event: Set wakes one waiter (or the next one to wait), and a
// successful wait resets it. The only object that a worker thread and the
// window thread share.
class CEvent final {
  public:
    CEvent() = default;
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    void Set() {
        {
            std::lock_guard lock(mutex_);
            signalled_ = true;
        }
        cv_.notify_one();
    }

    void Reset() {
        std::lock_guard lock(mutex_);
        signalled_ = false;
    }

    // Waits up to `ms` milliseconds (0 polls, a negative value waits without
    // limit). True when the event was signalled; it is then reset.
    bool Wait(int ms) {
        std::unique_lock lock(mutex_);
        if (ms < 0) {
            cv_.wait(lock, [this] { return signalled_; });
        } else if (!cv_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return signalled_; })) {
            return false;
        }
        signalled_ = false;
        return true;
    }

  private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool signalled_ = false;
};

}  // namespace kelp
