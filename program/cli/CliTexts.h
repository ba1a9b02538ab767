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

// Columns a text (UTF-8) takes on a terminal: East Asian wide and
// full-width characters take two.
int DisplayWidth(const std::string& text);
// `text` padded with blanks to `width` columns, or followed by one blank
// when it is as wide already.
std::string PadTo(const std::string& text, int width);

// A CSV field as RFC 4180 wants it: quoted (quotes doubled) when it holds a
// comma, a quote or a line break.
std::string CsvField(const std::string& text);

// The name of `element` with the text of `unit` in brackets: "pH [mV]";
// the name alone for a component without a unit text.
std::string ComponentTitle(int element, int unit);

}  // namespace kelp::cli
