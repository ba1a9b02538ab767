#include "ui/main/ValueCell.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/main/Fonts.h"

namespace kelp {

namespace {

// Average character width of a value cell's font per pixel of cell width.
constexpr double kValueWidthRatio = 0.14705882352941177;

}  // namespace

CValueCell::CValueCell(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CValueCell::SetBackgroundColour(std::uint32_t colour) {
    background_ = colour;
    repaint();
}

void CValueCell::SetTextColour(std::uint32_t colour) {
    textColour_ = colour;
    repaint();
}

void CValueCell::SetText(const QString& text) {
    text_ = text;
    repaint();
}

QFont CValueCell::ValueFont(const QFont& base, int width, int height) {
    QFont font = base;
    font.setFamily(MapFontFace(QStringLiteral("MS UI Gothic")));
    if (height <= 0) {
        return font;
    }
    font.setPixelSize(height);
    font.setStretch(QFont::Unstretched);
    const int targetWidth = static_cast<int>(std::trunc(width * kValueWidthRatio));
    const int naturalWidth = QFontMetrics(font).averageCharWidth();
    // A width of 0 keeps the face's own proportions.
    if (targetWidth > 0 && naturalWidth > 0) {
        const int stretch = static_cast<int>(std::lround(100.0 * targetWidth / naturalWidth));
        font.setStretch(std::clamp(stretch, 1, 4000));
    }
    return font;
}

QFont CValueCell::LabelFont(const QFont& base, int height) {
    QFont font = base;
    const int pixels = (height * 4) / 7;
    if (pixels > 0) {
        font.setPixelSize(pixels);
    }
    return font;
}

void CValueCell::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, QColorFromRef(background_));
    painter.setPen(QColorFromRef(textColour_));
    const QFont dialogFont = parentWidget() != nullptr ? parentWidget()->font() : font();

    if (valueMode_) {
        painter.setFont(autoFont_ ? ValueFont(dialogFont, r.width(), r.height()) : dialogFont);
        painter.drawText(r, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, text_);
        return;
    }

    painter.setFont(autoFont_ ? LabelFont(dialogFont, r.height()) : dialogFont);
    const qsizetype lf = text_.indexOf(u'\n');
    if (lf < 0) {
        // A label that does not fit at the scaled height falls back to the
        // dialog font rather than being cut.
        if (autoFont_ && r.width() < painter.fontMetrics().horizontalAdvance(text_) + 5) {
            painter.setFont(dialogFont);
        }
        painter.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, text_);
        return;
    }
    const int mid = r.top() + r.height() / 2;
    const QRect upper(r.left(), r.top(), r.width(), mid - r.top());
    const QRect lower(r.left(), mid, r.width(), mid - r.top());
    const QString first = text_.left(lf);
    const QString second = text_.mid(lf + 1);
    if (autoFont_) {
        painter.setFont(TwoLineFont(painter.font(), dialogFont, upper.size(), first, second));
    }
    painter.drawText(upper, Qt::AlignCenter | Qt::TextSingleLine, first);
    painter.drawText(lower, Qt::AlignCenter | Qt::TextSingleLine, second);
}

QFont CValueCell::TwoLineFont(const QFont& scaled, const QFont& dialogFont, const QSize& half,
                              const QString& first, const QString& second) {
    // Each line keeps to its half of the cell with a pixel to spare, so that
    // the two lines touch neither each other nor the rows around them:
    // the scaled font shrinks until both fit, but never below the dialog
    // font, which draws them whatever the room.
    const int floor = QFontInfo(dialogFont).pixelSize();
    QFont font = scaled;
    for (int pixels = font.pixelSize(); pixels > floor; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        if (metrics.height() + 2 <= half.height() &&
            std::max(metrics.horizontalAdvance(first), metrics.horizontalAdvance(second)) + 5 <=
                half.width()) {
            return font;
        }
    }
    return scaled.pixelSize() > floor ? dialogFont : scaled;
}

}  // namespace kelp
