#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "resources/Texts.h"

namespace kelp::cli {

// The text of string `id` filled as FillText fills it.
std::string Fill(int id, std::initializer_list<std::string> args);

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
// `fields` joined by commas, each as CsvField writes it.
std::string CsvLine(const std::vector<std::string>& fields);

// A JSON string: `text` (UTF-8) in quotes, with quotes, backslashes and
// control characters escaped.
std::string JsonString(const std::string& text);

// A position as the data set stores it (ddmmss or dddmmss, negative south
// or west) in decimal degrees with six decimals; empty without a position.
std::string DecimalDegrees(std::int32_t value);

// The name of `element` with the text of `unit` in brackets: "pH [mV]";
// the name alone for a component without a unit text.
std::string ComponentTitle(int element, int unit);

}  // namespace kelp::cli
