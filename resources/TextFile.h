#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "resources/TextKey.h"

namespace kelp {

// The language text file, UTF-8, one text a line:
//
//   # a comment
//   1006<TAB>The port could not be opened.
//   102/1003<TAB>Capture
//   100/title<TAB>About Kelp Data Collector
//   menu/129/32779<TAB>&Capture
//
// Everything after the first TAB is the text, taken as it stands except for
// the escapes \n (line break), \t (TAB), \s (blank, for texts that end in one)
// and \\ (backslash). Blank lines and lines starting with '#' are skipped; a
// byte-order mark and CR line ends are accepted.
struct TextFileError {
    int line = 0;  // 1-based
    std::string reason;
};

struct TextFileContents {
    std::map<TextKey, std::string> texts;
    // Lines that could not be used (no TAB, bad key, bad escape, repeated
    // key); they are left out of `texts`, so their ids fall back.
    std::vector<TextFileError> errors;
};

TextFileContents ParseTextFile(std::string_view content);

// No value when the file does not exist or cannot be read.
std::optional<TextFileContents> ReadTextFile(const std::string& path);

}  // namespace kelp
