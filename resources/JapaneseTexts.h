#pragma once
#include <span>
#include <string_view>

#include "resources/TextKey.h"

namespace kelp {

struct TextEntry {
    TextKey key;
    std::string_view text;  // UTF-8
};

// The built-in Japanese texts: the string table, dialog titles, control
// captions and menu texts. The English text file carries the same keys.
std::span<const TextEntry> JapaneseTexts();

}  // namespace kelp
