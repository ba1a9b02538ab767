#pragma once
#include <QColor>
#include <QLabel>
#include <cstdint>

namespace kelp {

// Colours travel as 0x00BBGGRR values; these convert at the widget edge.
inline QColor QColorFromRef(std::uint32_t ref) {
    return QColor(static_cast<int>(ref & 0xFF), static_cast<int>((ref >> 8) & 0xFF),
                  static_cast<int>((ref >> 16) & 0xFF));
}
inline std::uint32_t RefFromQColor(const QColor& c) {
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}
// The system's button-face and window-text colours.
std::uint32_t ButtonFaceColour();
std::uint32_t WindowTextColour();

// A static text with a settable background and text colour: the legend and
// status lamps of the main window and the depth graph. The text is the
// label's ordinary caption. A disabled lamp draws its text greyed, whatever
// text colour is set, so that a lamp can be shown as switched off.
class CColorLamp final : public QLabel {
    Q_OBJECT
  public:
    explicit CColorLamp(QWidget* parent = nullptr);
    CColorLamp(const QString& text, QWidget* parent);

    void SetBackgroundColour(std::uint32_t colour);
    void SetTextColour(std::uint32_t colour);
    std::uint32_t GetBackgroundColour() const { return background_; }
    std::uint32_t GetTextColour() const { return text_; }

  private:
    void ApplyPalette();

    std::uint32_t background_ = ButtonFaceColour();
    std::uint32_t text_ = WindowTextColour();
};

}  // namespace kelp
