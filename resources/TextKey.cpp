#include "resources/TextKey.h"

#include <charconv>

namespace kelp {

namespace {

// Unsigned decimal that fills the whole text.
std::optional<int> ParseNumber(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string FormatTextKey(const TextKey& key) {
    switch (key.kind) {
        case TextKind::String:
            return std::to_string(key.item);
        case TextKind::Control:
            return std::to_string(key.owner) + "/" + std::to_string(key.item);
        case TextKind::DialogTitle:
            return std::to_string(key.owner) + "/title";
        case TextKind::MenuItem:
            return "menu/" + std::to_string(key.owner) + "/" + std::to_string(key.item);
    }
    return {};
}

std::optional<TextKey> ParseTextKey(std::string_view text) {
    constexpr std::string_view kMenuPrefix = "menu/";
    if (text.starts_with(kMenuPrefix)) {
        const std::string_view rest = text.substr(kMenuPrefix.size());
        const auto slash = rest.find('/');
        if (slash == std::string_view::npos) {
            return std::nullopt;
        }
        const auto menu = ParseNumber(rest.substr(0, slash));
        const auto command = ParseNumber(rest.substr(slash + 1));
        if (!menu || !command) {
            return std::nullopt;
        }
        return MenuItemKey(*menu, *command);
    }
    const auto slash = text.find('/');
    if (slash == std::string_view::npos) {
        const auto id = ParseNumber(text);
        if (!id) {
            return std::nullopt;
        }
        return StringKey(*id);
    }
    const auto owner = ParseNumber(text.substr(0, slash));
    if (!owner) {
        return std::nullopt;
    }
    const std::string_view item = text.substr(slash + 1);
    if (item == "title") {
        return DialogTitleKey(*owner);
    }
    const auto control = ParseNumber(item);
    if (!control) {
        return std::nullopt;
    }
    return ControlKey(*owner, *control);
}

}  // namespace kelp
