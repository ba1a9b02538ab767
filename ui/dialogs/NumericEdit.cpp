#include "ui/dialogs/NumericEdit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <charconv>
#include <limits>

namespace kelp {

bool IsTypedCharAllowed(char32_t ch, NumberStyle style) {
    // X11 and Wayland send the Delete key with the character DEL (127).
    if (ch < 32 || ch == 0x7F) {
        return true;
    }
    if (ch >= U'0' && ch <= U'9') {
        return true;
    }
    return style == NumberStyle::Decimal && (ch == U'-' || ch == U'.');
}

std::string_view TrimBlanks(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n\v\f";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::optional<int> ReadWholeNumber(std::string_view text) {
    const std::string_view number = TrimBlanks(text);
    if (number.empty()) {
        return std::nullopt;
    }
    for (char c : number) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    // Like atoi: a run of digits too long for an int saturates instead of
    // wrapping into a small (and so acceptable) value.
    int value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        return std::numeric_limits<int>::max();
    }
    return value;
}

CNumericEdit::CNumericEdit(NumberStyle style, QObject* parent) : QObject(parent), style_(style) {}

CNumericEdit* CNumericEdit::Install(QWidget* dialog, NumberStyle style) {
    auto* filter = new CNumericEdit(style, dialog);
    for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
        filter->Watch(edit);
    }
    return filter;
}

void CNumericEdit::Watch(QObject* edit) {
    edit->installEventFilter(this);
}

bool CNumericEdit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty()) {
            const char32_t ch = text.toUcs4().value(0);
            if (!IsTypedCharAllowed(ch, style_)) {
                return true;
            }
        }
    } else if (event->type() == QEvent::InputMethod) {
        // Characters composed with an input method are typed characters too.
        const auto* input = static_cast<QInputMethodEvent*>(event);
        for (char32_t ch : input->commitString().toUcs4()) {
            if (!IsTypedCharAllowed(ch, style_)) {
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kelp
