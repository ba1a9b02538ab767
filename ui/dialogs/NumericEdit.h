#pragma once
#include <QObject>
#include <optional>
#include <string_view>

class QWidget;

namespace kelp {

// Which characters a numeric edit lets through when they are typed.
enum class NumberStyle {
    Digits,   // '0' to '9'
    Decimal,  // '0' to '9', '-' and '.'
};

// True when a typed character may reach an edit of the given style. Control
// characters (below 32: backspace, the clipboard shortcuts; and 127, which
// comes with the Delete key) always pass, so
// that editing keys keep working and pasted text is checked only when the
// user confirms.
bool IsTypedCharAllowed(char32_t ch, NumberStyle style);

// Trims the white space at both ends of `text`.
std::string_view TrimBlanks(std::string_view text);

// Reads a whole number of the capture-cycle kind: the trimmed text must be
// non-empty and hold digits only. Nothing when the text is not such a number.
std::optional<int> ReadWholeNumber(std::string_view text);

// The character filter of a dialog: discards every typed character that the
// style refuses before it reaches any line edit inside the dialog. Text that
// arrives by pasting or by setText is left alone.
class CNumericEdit final : public QObject {
    Q_OBJECT
  public:
    CNumericEdit(NumberStyle style, QObject* parent = nullptr);

    // Filters every line edit that `dialog` holds now (a dialog builds all its
    // controls before it installs the filter).
    static CNumericEdit* Install(QWidget* dialog, NumberStyle style);

    // Adds one more line edit to the filter.
    void Watch(QObject* edit);

    NumberStyle Style() const { return style_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    NumberStyle style_ = NumberStyle::Digits;
};

}  // namespace kelp
