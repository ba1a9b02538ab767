#include "ui/main/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kelp {
namespace {

QPixmap Draw(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 32.0;
    p.scale(s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1e, 0x5a, 0x9c));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
    QPainterPath wave;
    wave.moveTo(1, 18);
    wave.cubicTo(8, 13, 12, 23, 18, 18);
    wave.cubicTo(23, 14, 27, 20, 31, 17);
    wave.lineTo(31, 26);
    wave.quadTo(31, 31, 26, 31);
    wave.lineTo(6, 31);
    wave.quadTo(1, 31, 1, 26);
    wave.closeSubpath();
    p.setBrush(QColor(0x5c, 0xc8, 0xf0));
    p.drawPath(wave);
    p.setBrush(QColor(0xf5, 0xf5, 0xf5));
    p.drawRoundedRect(QRectF(14, 4, 4, 19), 2, 2);
    p.setBrush(QColor(0xff, 0xb0, 0x20));
    p.drawEllipse(QPointF(16, 24), 3, 3);
    return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        icon.addPixmap(Draw(size));
    }
    return icon;
}

}  // namespace kelp
