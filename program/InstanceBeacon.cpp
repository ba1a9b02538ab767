#include "program/InstanceBeacon.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QWidget>

namespace kelp {
namespace {

constexpr char kRequest[] = "show\n";
// Followed by the file's path, its bytes percent-encoded (a file name may
// hold any byte but NUL and '/', a line break included).
constexpr char kOpenRequest[] = "open ";
constexpr char kAnswer[] = "shown\n";
// A caller that says nothing within this time is dropped.
constexpr int kRequestWaitMs = 2000;
// The longest request: a path of PATH_MAX bytes, each encoded as three.
constexpr qint64 kMaxRequest = 3 * 4096 + 16;

// `text` with every character that is not a letter, a digit, '.' or '_'
// turned into '-', without leading or trailing ones.
QString FileNamePart(const QString& text) {
    QString part;
    for (const QChar c : text) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
                           c == u'.' || c == u'_';
        part += plain ? c : QChar(u'-');
    }
    while (part.startsWith(u'-')) {
        part.remove(0, 1);
    }
    while (part.endsWith(u'-')) {
        part.chop(1);
    }
    return part;
}

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

void CInstanceBeacon::SetFileHandler(std::function<void(const std::string& path)> handler) {
    fileHandler_ = std::move(handler);
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
        if (socket->bytesAvailable() > kMaxRequest) {
            socket->abort();
        }
        return;
    }
    QByteArray request = socket->readLine(kMaxRequest + 1);
    std::string file;
    if (request.startsWith(kOpenRequest) && request.endsWith('\n')) {
        request.chop(1);
        file = QByteArray::fromPercentEncoding(request.mid(int(sizeof kOpenRequest) - 1)).toStdString();
        request = kRequest;
    }
    if (request == kRequest) {
        BringToFront();
        socket->write(kAnswer);
        socket->flush();
        if (!file.empty() && fileHandler_) {
            // Not before the caller has its answer: opening may ask about
            // unsaved data and wait for the user.
            QTimer::singleShot(0, this, [this, file] {
                if (fileHandler_) {
                    fileHandler_(file);
                }
            });
        }
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

bool CInstanceBeacon::CallRunning(const QString& socketPath, const std::string& file, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    socket.write(file.empty() ? QByteArray(kRequest)
                              : kOpenRequest + QByteArray::fromStdString(file).toPercentEncoding() + '\n');
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

QString CInstanceBeacon::SessionName(const QString& platform, const QString& waylandDisplay,
                                     const QString& x11Display) {
    // QT_QPA_PLATFORM may list platforms to try ("wayland;xcb") and give a
    // plugin its arguments ("vnc:size=800x600"); the first one names it.
    QString name = platform.section(u';', 0, 0).section(u':', 0, 0).trimmed();
    if (name.isEmpty()) {
        name = !waylandDisplay.isEmpty() ? QStringLiteral("wayland") : QStringLiteral("xcb");
    }
    if (name.startsWith(QStringLiteral("wayland"))) {
        return QStringLiteral("wayland-") +
               FileNamePart(waylandDisplay.isEmpty() ? QStringLiteral("wayland-0") : waylandDisplay);
    }
    if (name == QStringLiteral("xcb")) {
        // ":0" and ":0.0" are one display: its screens share one session.
        QString display = x11Display;
        const qsizetype colon = display.lastIndexOf(u':');
        const qsizetype dot = display.indexOf(u'.', colon + 1);
        if (colon >= 0 && dot > colon) {
            display.truncate(dot);
        }
        if (display.startsWith(QStringLiteral("unix:"))) {
            display.remove(0, 4);
        }
        return QStringLiteral("x11-") + FileNamePart(display);
    }
    // Offscreen, VNC, a frame buffer: one session of its own each.
    return FileNamePart(name);
}

QString CInstanceBeacon::SessionName() {
    return SessionName(qEnvironmentVariable("QT_QPA_PLATFORM"), qEnvironmentVariable("WAYLAND_DISPLAY"),
                       qEnvironmentVariable("DISPLAY"));
}

}  // namespace kelp
