#pragma once
#include <QObject>
#include <QPointer>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QWidget;

namespace kelp {

// The running program's ear for later starts: a local socket beside the
// single-instance lock. A later start calls it and leaves; the running one
// brings its window (or the dialog it has open) to the front.
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

    // What a later start does: asks the running instance to show its
    // window and waits at most `timeoutMs` for its answer. True when it
    // answered.
    static bool CallRunning(const QString& socketPath, int timeoutMs = 3000);

  private:
    void OnConnection();
    void OnRequest(QLocalSocket* socket);
    void BringToFront();

    QString path_;
    QLocalServer* server_ = nullptr;
    QPointer<QWidget> window_;
};

}  // namespace kelp
