#pragma once
#include <QFont>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "ui/main/ColorLamp.h"

namespace kelp {

// One cell of the value panel, painted by itself with a font that scales with
// the cell. A value cell shows one right-aligned line in a fixed face whose
// character height is the cell height; a label cell shows one centred line,
// or two (split at the first line feed) in the upper and lower halves, with a
// character height of four sevenths of the cell.
class CValueCell final : public QWidget {
    Q_OBJECT
  public:
    explicit CValueCell(QWidget* parent = nullptr);

    // The creator sets the mode after construction: value cells use value
    // mode and automatic font, labels label mode and automatic font.
    void SetValueMode(bool on) { valueMode_ = on; }
    void SetAutoFont(bool on) { autoFont_ = on; }
    bool IsValueMode() const { return valueMode_; }
    bool IsAutoFont() const { return autoFont_; }

    // Each stores its argument and repaints at once.
    void SetBackgroundColour(std::uint32_t colour);
    void SetTextColour(std::uint32_t colour);
    void SetText(const QString& text);

    std::uint32_t GetBackgroundColour() const { return background_; }
    std::uint32_t GetTextColour() const { return textColour_; }
    const QString& GetText() const { return text_; }

    // The font a value cell of the given size draws with: the fixed face,
    // character height = cell height, average character width a little over a
    // sixth of the cell width.
    static QFont ValueFont(const QFont& base, int width, int height);
    // The scaled font of a label cell: character height 4/7 of the cell.
    static QFont LabelFont(const QFont& base, int height);
    // The font of a two-line label: `scaled`, made smaller where the lines
    // would not fit their halves of size `half`, down to `dialogFont`.
    static QFont TwoLineFont(const QFont& scaled, const QFont& dialogFont, const QSize& half,
                             const QString& first, const QString& second);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool valueMode_ = false;
    bool autoFont_ = false;
    std::uint32_t background_ = ButtonFaceColour();
    std::uint32_t textColour_ = WindowTextColour();
    QString text_;
};

}  // namespace kelp
