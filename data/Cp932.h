#pragma once
#include <string>
#include <string_view>

namespace kelp {

// Text conversion between the UTF-8 of the program and CP932 (Shift JIS as
// Windows writes it), the code page of data files and of site names sent by
// a Japanese instrument. Both are safe on any input: a byte sequence that
// cannot be converted becomes "?" (CP932 -> UTF-8: U+FFFD), and conversion
// goes on after it. Callable from any thread.
std::string Utf8ToCp932(std::string_view utf8);
std::string Cp932ToUtf8(std::string_view cp932);

}  // namespace kelp
