#pragma once
#include <QElapsedTimer>
#include <QSpinBox>

namespace kelp {

// The record up-down: a held arrow (or key) steps by 1, after 3 s by 10 and
// after 6 s by 100, like the accelerations of a Windows up-down control.
class CRecordSpinBox final : public QSpinBox {
    Q_OBJECT
  public:
    explicit CRecordSpinBox(QWidget* parent = nullptr);

    void stepBy(int steps) override;

    // Step size for a press held `heldMs` milliseconds.
    static int Acceleration(qint64 heldMs);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    QElapsedTimer held_;
};

}  // namespace kelp
