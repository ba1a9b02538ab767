#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>

class QLocalServer;
class QLocalSocket;
class QWidget;

namespace kelp {

// The running program's ear for later starts: a local socket beside the
// single-instance lock. A later start calls it and leaves; the running one
// brings its window (or the dialog it has open) to the front, and opens the
// file the later start was given.
class CInstanceBeacon final : public QObject {
    Q_OBJECT
  public:
    explicit CInstanceBeacon(QString socketPath, QObject* parent = nullptr);
    ~CInstanceBeacon() override;
    CInstanceBeacon(const CInstanceBeacon&) = delete;
    CInstanceBeacon& operator=(const CInstanceBeacon&) = delete;

    // Starts listening, in place of a socket a crashed run left behind (the
    // caller holds the lock, so no other instance owns it). False when the
    // socket cannot be made; later starts then leave without a word.
    bool Listen();
    // The window to bring to the front.
    void SetWindow(QWidget* window);
    // What opens a file a later start hands over; called from the event
    // loop once the later start has had its answer, so that it may ask.
    // Paths are the file system's bytes, which need not be UTF-8.
    void SetFileHandler(std::function<void(const std::string& path)> handler);

    // What a later start does: asks the running instance to show its
    // window, and to open `file` (an absolute path) when one is given, and
    // waits at most `timeoutMs` for its answer. True when it answered.
    static bool CallRunning(const QString& socketPath, const std::string& file = {}, int timeoutMs = 3000);

    // The desktop session a start shows its window in, as part of a file
    // name: the Qt platform (`platform` as QT_QPA_PLATFORM gives it, else
    // the one the displays imply) with its display. Starts in one session
    // share one window; a start on another display gets its own.
    static QString SessionName(const QString& platform, const QString& waylandDisplay,
                               const QString& x11Display);
    // The same, from this process's environment.
    static QString SessionName();

  private:
    void OnConnection();
    void OnRequest(QLocalSocket* socket);
    void BringToFront();

    QString path_;
    QLocalServer* server_ = nullptr;
    QPointer<QWidget> window_;
    std::function<void(const std::string&)> fileHandler_;
};

}  // namespace kelp
