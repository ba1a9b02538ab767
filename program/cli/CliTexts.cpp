#include "program/cli/CliTexts.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "data/Catalogue.h"
#include "data/MeasDataSet.h"
#include "resources/Texts.h"

namespace kelp::cli {

std::string Fill(int id, std::initializer_list<std::string> args) {
    return FillText(LoadText(id), args);
}

std::string TrimRight(std::string text) {
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

std::string Trim(std::string text) {
    text = TrimRight(std::move(text));
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

int DisplayWidth(const std::string& text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t cp = length == 1 ? c : c & (0x7F >> length);
        for (int k = 1; k < length && i + static_cast<std::size_t>(k) < text.size(); ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3F);
        }
        i += static_cast<std::size_t>(length);
        const bool wide = (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
                          (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
                          (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
                          (cp >= 0xFFE0 && cp <= 0xFFE6);
        width += wide ? 2 : 1;
    }
    return width;
}

std::string PadTo(const std::string& text, int width) {
    const int have = DisplayWidth(text);
    return have >= width ? text + " " : text + std::string(static_cast<std::size_t>(width - have), ' ');
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += i == 0 ? "" : ",";
        line += CsvField(fields[i]);
    }
    return line;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

std::string DecimalDegrees(std::int32_t value) {
    if (value == kNoPosition) {
        return {};
    }
    char text[32];
    const auto result =
        std::to_chars(text, text + sizeof text, DegreesOf(value), std::chars_format::fixed, 6);
    return std::string(text, result.ptr);
}

std::string ComponentTitle(int element, int unit) {
    const std::string unitText = TrimRight(LoadText(UnitTextId(element, unit)));
    const std::string& name = LoadText(ElementNameId(element));
    return unitText.empty() ? name : name + " [" + unitText + "]";
}

}  // namespace kelp::cli
