#pragma once
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelp {

// What a text belongs to: a string-table entry, a control of a dialog
// template, the title of a dialog template, or an item of a menu.
enum class TextKind : std::uint8_t { String, Control, DialogTitle, MenuItem };

// Identifies one text in both languages. `owner` is the template or menu id
// (0 for strings), `item` the string, control or command id (0 for titles).
struct TextKey {
    TextKind kind = TextKind::String;
    int owner = 0;
    int item = 0;

    auto operator<=>(const TextKey&) const = default;
};

constexpr TextKey StringKey(int id) {
    return {TextKind::String, 0, id};
}
constexpr TextKey ControlKey(int templateId, int controlId) {
    return {TextKind::Control, templateId, controlId};
}
constexpr TextKey DialogTitleKey(int templateId) {
    return {TextKind::DialogTitle, templateId, 0};
}
constexpr TextKey MenuItemKey(int menuId, int commandId) {
    return {TextKind::MenuItem, menuId, commandId};
}

// The key as written in the English text file: "1006", "102/1003",
// "100/title", "menu/129/32779".
std::string FormatTextKey(const TextKey& key);

// The inverse of FormatTextKey; no value for anything else (signs, blanks,
// empty numbers, numbers beyond int).
std::optional<TextKey> ParseTextKey(std::string_view text);

}  // namespace kelp
