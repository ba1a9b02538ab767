#include "program/InstanceBeacon.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QWidget>

namespace kelp {
namespace {

constexpr char kRequest[] = "show\n";
constexpr char kAnswer[] = "shown\n";
// A caller that says nothing within this time is dropped.
constexpr int kRequestWaitMs = 2000;

}  // namespace

CInstanceBeacon::CInstanceBeacon(QString socketPath, QObject* parent)
    : QObject(parent), path_(std::move(socketPath)), server_(new QLocalServer(this)) {
    // Only this user's later starts may call.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &CInstanceBeacon::OnConnection);
}

CInstanceBeacon::~CInstanceBeacon() = default;

void CInstanceBeacon::SetWindow(QWidget* window) {
    window_ = window;
}

bool CInstanceBeacon::Listen() {
    QLocalServer::removeServer(path_);
    return server_->listen(path_);
}

void CInstanceBeacon::OnConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnRequest(socket); });
        QTimer::singleShot(kRequestWaitMs, socket, [socket] { socket->abort(); });
    }
}

void CInstanceBeacon::OnRequest(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        return;
    }
    if (socket->readLine(64) == kRequest) {
        BringToFront();
        socket->write(kAnswer);
        socket->flush();
    }
    socket->disconnectFromServer();
}

void CInstanceBeacon::BringToFront() {
    for (QWidget* window : {static_cast<QWidget*>(window_.data()), QApplication::activeModalWidget()}) {
        if (window == nullptr) {
            continue;
        }
        if (window->isMinimized()) {
            window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        }
        window->show();
        window->raise();
        window->activateWindow();
    }
}

bool CInstanceBeacon::CallRunning(const QString& socketPath, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    socket.write(kRequest);
    if (!socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs)) {
            return false;
        }
    }
    return socket.readLine(64) == kAnswer;
}

}  // namespace kelp
