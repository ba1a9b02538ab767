#include "ui/main/WindowTarget.h"

#include <QMetaObject>
#include <QThread>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace kelp {

void CWindowTarget::Post(AppMessage message) {
    QObject* receiver = receiver_.data();
    if (receiver == nullptr) {
        return;
    }
    QMetaObject::invokeMethod(
        receiver, [this, message = std::move(message)] { handler_(message); }, Qt::QueuedConnection);
}

namespace {

// The sender's wait for one sent message. The queued call owns a Notifier;
// when the call has run (or was dropped because the receiver is gone) the
// Notifier is destroyed and releases the sender. The wait uses our own
// mutex, so that thread checkers see the hand-over.
struct SendState {
    std::mutex mutex;
    std::condition_variable cv;
    bool done = false;
};

struct Notifier {
    explicit Notifier(std::shared_ptr<SendState> s) : state(std::move(s)) {}
    Notifier(const Notifier&) = delete;
    Notifier& operator=(const Notifier&) = delete;
    ~Notifier() {
        {
            std::lock_guard lock(state->mutex);
            state->done = true;
        }
        state->cv.notify_all();
    }
    std::shared_ptr<SendState> state;
};

}  // namespace

void CWindowTarget::Send(AppMessage message) {
    QObject* receiver = receiver_.data();
    if (receiver == nullptr) {
        return;
    }
    if (receiver->thread() == QThread::currentThread()) {
        handler_(message);
        return;
    }
    auto state = std::make_shared<SendState>();
    auto notifier = std::make_shared<Notifier>(state);
    QMetaObject::invokeMethod(
        receiver, [this, notifier, message = std::move(message)] { handler_(message); },
        Qt::QueuedConnection);
    notifier.reset();
    std::unique_lock lock(state->mutex);
    state->cv.wait(lock, [&] { return state->done; });
}

}  // namespace kelp
