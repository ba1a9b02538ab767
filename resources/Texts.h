#pragma once
#include <string>
#include <string_view>

namespace kelp {

// The text of a string-table id in the language chosen by SelectLanguage
// (Japanese until then). An unknown id gives an empty text. Texts are UTF-8.
const std::string& LoadText(int id);

// Chooses the language of every text: English when `localeName` (for
// example "en_US", "de_DE", "ja_JP") is not Japanese and `englishFile` can be
// read; Japanese otherwise. Returns true when English is in use. Call once at
// start-up, before any other thread asks for a text.
bool SelectLanguage(std::string_view localeName, const std::string& englishFile);

// True when the English texts are in use.
bool IsEnglish();

}  // namespace kelp
