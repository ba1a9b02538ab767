#include "ui/main/WindowTarget.h"

#include <QMetaObject>
#include <QThread>

namespace kelp {

void CWindowTarget::Post(AppMessage message) {
    QObject* receiver = receiver_.data();
    if (receiver == nullptr) {
        return;
    }
    QMetaObject::invokeMethod(
        receiver, [this, message = std::move(message)] { handler_(message); }, Qt::QueuedConnection);
}

void CWindowTarget::Send(AppMessage message) {
    QObject* receiver = receiver_.data();
    if (receiver == nullptr) {
        return;
    }
    if (receiver->thread() == QThread::currentThread()) {
        handler_(message);
        return;
    }
    QMetaObject::invokeMethod(
        receiver, [this, &message] { handler_(message); }, Qt::BlockingQueuedConnection);
}

}  // namespace kelp
