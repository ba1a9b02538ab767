#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

namespace kelp {

// The text of a string-table id in the language chosen by SelectLanguage
// (Japanese until then). An unknown id gives an empty text. Texts are UTF-8.
const std::string& LoadText(int id);

// `text` with %1, %2 ... replaced by `args` in order, and each
// "{N:one|other}" by the word that agrees with argument N: English counts
// "1 record" but "2 records".
std::string FillText(const std::string& text, std::initializer_list<std::string> args);

// The caption of control `controlId` in dialog template `templateId`; for a
// combo box with fixed entries, the entries one a line. Empty when the
// tables have none (the window then keeps whatever it set itself).
const std::string& LoadCaption(int templateId, int controlId);

// The title of dialog template `templateId`; empty when it has none.
const std::string& LoadDialogTitle(int templateId);

// The text of item `commandId` (or a submenu's ID_POPUP_ number) in menu
// `menuId`, with its '&' mnemonic. Keyed by menu because one command number
// has different texts in different menus.
const std::string& LoadMenuText(int menuId, int commandId);

// Chooses the language of every text: English when `localeName` (for
// example "en_US", "de_DE", "ja_JP") is not Japanese and `englishFile` can be
// read; Japanese otherwise. Returns true when English is in use. Call once at
// start-up, before any other thread asks for a text.
bool SelectLanguage(std::string_view localeName, const std::string& englishFile);

// True when the English texts are in use.
bool IsEnglish();

// True for a Japanese locale name: "ja" alone or followed by '_', '-', '.'
// or '@' ("ja_JP", "ja-JP", "ja_JP.UTF-8"), in any letter case.
bool IsJapaneseLocale(std::string_view localeName);

}  // namespace kelp
