#include "ui/main/RecordSpinBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace kelp {

CRecordSpinBox::CRecordSpinBox(QWidget* parent) : QSpinBox(parent) {
    setRange(1, 1);
    setValue(1);
    setKeyboardTracking(false);
}

int CRecordSpinBox::Acceleration(qint64 heldMs) {
    if (heldMs >= 6000) {
        return 100;
    }
    if (heldMs >= 3000) {
        return 10;
    }
    return 1;
}

void CRecordSpinBox::stepBy(int steps) {
    const qint64 held = held_.isValid() ? held_.elapsed() : 0;
    QSpinBox::stepBy(steps * Acceleration(held));
}

void CRecordSpinBox::mousePressEvent(QMouseEvent* event) {
    held_.start();
    QSpinBox::mousePressEvent(event);
}

void CRecordSpinBox::mouseReleaseEvent(QMouseEvent* event) {
    held_.invalidate();
    QSpinBox::mouseReleaseEvent(event);
}

void CRecordSpinBox::keyPressEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) {
        held_.start();
    }
    QSpinBox::keyPressEvent(event);
}

void CRecordSpinBox::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) {
        held_.invalidate();
    }
    QSpinBox::keyReleaseEvent(event);
}

}  // namespace kelp
