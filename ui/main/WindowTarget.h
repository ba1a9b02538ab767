#pragma once
#include <QObject>
#include <QPointer>
#include <functional>

#include "link/MessageTarget.h"

namespace kelp {

// Delivers worker messages to a window on the window's thread: Post queues an
// event and returns, Send waits until the handler has run. Messages from one
// sender keep their order, posted and sent alike, as both travel through the
// receiver's one event queue. The receiver must outlive every sender's last
// Send; a message for a receiver already gone is dropped.
class CWindowTarget final : public IMessageTarget {
  public:
    using Handler = std::function<void(const AppMessage&)>;

    CWindowTarget(QObject* receiver, Handler handler) : receiver_(receiver), handler_(std::move(handler)) {}
    CWindowTarget(const CWindowTarget&) = delete;
    CWindowTarget& operator=(const CWindowTarget&) = delete;

    void Post(AppMessage message) override;
    void Send(AppMessage message) override;

  private:
    QPointer<QObject> receiver_;
    Handler handler_;
};

}  // namespace kelp
