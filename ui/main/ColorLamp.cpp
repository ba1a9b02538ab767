#include "ui/main/ColorLamp.h"

#include <QApplication>
#include <QPalette>

namespace kelp {

std::uint32_t ButtonFaceColour() {
    return RefFromQColor(QApplication::palette().color(QPalette::Button));
}

std::uint32_t WindowTextColour() {
    return RefFromQColor(QApplication::palette().color(QPalette::WindowText));
}

CColorLamp::CColorLamp(QWidget* parent) : CColorLamp(QString(), parent) {}

CColorLamp::CColorLamp(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAutoFillBackground(true);
    setAlignment(Qt::AlignCenter);
    ApplyPalette();
}

void CColorLamp::SetBackgroundColour(std::uint32_t colour) {
    background_ = colour;
    ApplyPalette();
    repaint();
}

void CColorLamp::SetTextColour(std::uint32_t colour) {
    text_ = colour;
    ApplyPalette();
    repaint();
}

void CColorLamp::ApplyPalette() {
    QPalette p = palette();
    const QColor bg = QColorFromRef(background_);
    for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Window, bg);
    }
    // The disabled group keeps the system's grey text.
    p.setColor(QPalette::Active, QPalette::WindowText, QColorFromRef(text_));
    p.setColor(QPalette::Inactive, QPalette::WindowText, QColorFromRef(text_));
    setPalette(p);
}

}  // namespace kelp
