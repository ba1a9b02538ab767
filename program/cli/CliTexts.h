#pragma once
#include <initializer_list>
#include <string>

namespace kelp::cli {

// The text of string `id` with %1, %2 ... replaced by `args` in order.
std::string Fill(int id, std::initializer_list<std::string> args);
std::string FillText(const std::string& text, std::initializer_list<std::string> args);

// `text` without its trailing blanks (site names are padded to 20).
std::string TrimRight(std::string text);
// `text` without its leading and trailing blanks.
std::string Trim(std::string text);

// The name of `element` with the text of `unit` in brackets: "pH [mV]";
// the name alone for a component without a unit text.
std::string ComponentTitle(int element, int unit);

}  // namespace kelp::cli
