#pragma once
// A stand-in for the window thread: one queue of messages for the main
// window and the progress dialog, a target that records what a window
// receives, and a progress dialog whose modal loop also serves the main
// window (as the real modal loop does).
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "link/Event.h"
#include "link/MessageTarget.h"
#include "link/ProgressDialog.h"

namespace kelp::test {

using Clock = std::chrono::steady_clock;

struct Received {
    AppMessage message;
    Clock::time_point at;
};

// Collects what a worker posts; tests wait on conditions over the list.
class CRecordingTarget final : public IMessageTarget {
  public:
    void Post(AppMessage message) override {
        {
            std::lock_guard lock(mutex_);
            received_.push_back({std::move(message), Clock::now()});
        }
        cv_.notify_all();
    }
    void Send(AppMessage message) override { Post(std::move(message)); }

    // Waits until `done` holds for the messages so far; false on time-out.
    bool WaitUntil(const std::function<bool(const std::vector<Received>&)>& done, int timeoutMs) {
        std::unique_lock lock(mutex_);
        return cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return done(received_); });
    }

    std::vector<Received> Snapshot() {
        std::lock_guard lock(mutex_);
        return received_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable cv_;
    std::vector<Received> received_;
};

class CMessageLoop final {
  public:
    enum class To { MainWindow, Dialog };
    struct Item {
        To to;
        AppMessage message;
    };

    void Push(To to, AppMessage message) {
        {
            std::lock_guard lock(mutex_);
            queue_.push_back({to, std::move(message)});
        }
        cv_.notify_one();
    }

    std::optional<Item> Pop(int timeoutMs) {
        std::unique_lock lock(mutex_);
        if (!cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !queue_.empty(); })) {
            return std::nullopt;
        }
        Item item = std::move(queue_.front());
        queue_.pop_front();
        return item;
    }

  private:
    std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<Item> queue_;
};

class CLoopTarget final : public IMessageTarget {
  public:
    CLoopTarget(CMessageLoop& loop, CMessageLoop::To to) : loop_(loop), to_(to) {}
    void Post(AppMessage message) override { loop_.Push(to_, std::move(message)); }
    void Send(AppMessage message) override { loop_.Push(to_, std::move(message)); }

  private:
    CMessageLoop& loop_;
    CMessageLoop::To to_;
};

// The progress dialog and, while it is modal, the main window's receiving
// side of a download.
class CFakeProgressDialog final : public IProgressDialog {
  public:
    explicit CFakeProgressDialog(CMessageLoop& loop) : loop_(loop) {}

    void SetTotal(int total) override { total_ = total; }
    void SetTitleId(int id) override { titleId_ = id; }
    void SetCancelEvent(CEvent* cancel) override { cancel_ = cancel; }
    bool IsWindowCreated() const override { return created_.load(); }
    IMessageTarget& Target() override { return dialogTarget_; }

    // Presses cancel once the main window has received `records` records.
    void CancelAfter(int records) { cancelAfter_ = records; }

    int DoModal() override {
        created_ = true;
        int result = -1;
        while (result < 0) {
            auto item = loop_.Pop(120'000);
            if (!item) {
                break;  // the worker never closed the dialog
            }
            if (item->to == CMessageLoop::To::Dialog) {
                progress.push_back(item->message);
                if (item->message.wParam == PROGRESS_FINISHED) {
                    result = 1;
                } else if (item->message.wParam == PROGRESS_FAILED) {
                    result = 2;
                }
                continue;
            }
            const AppMessage& m = item->message;
            mainWindow.push_back(m);
            if (m.message == WM_APP_DOWNLOAD && m.wParam == 4) {
                ++records_;
                if (records_ == cancelAfter_ && cancel_ != nullptr) {
                    cancel_->Set();
                }
            } else if (m.message == WM_APP_DOWNLOAD && m.wParam == 7) {
                reinterpret_cast<IProgressDialog*>(m.lParam)->Target().Post(
                    {WM_APP_PROGRESS, PROGRESS_FINISHED, 0, {}});
            }
        }
        created_ = false;
        modalResult = result;
        return result;
    }

    std::vector<AppMessage> mainWindow;  // as received by the main window, in order
    std::vector<AppMessage> progress;    // WM_APP_PROGRESS as received by the dialog
    int modalResult = 0;
    int total_ = -1;
    int titleId_ = 0;

  private:
    CMessageLoop& loop_;
    CLoopTarget dialogTarget_{loop_, CMessageLoop::To::Dialog};
    std::atomic<bool> created_ = false;
    CEvent* cancel_ = nullptr;
    int cancelAfter_ = -1;
    int records_ = 0;
};

}  // namespace kelp::test
