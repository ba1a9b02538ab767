#include "resources/TextFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kelp {

namespace {

// Undoes the escapes of the file format; no value for an unknown escape or a
// backslash at the end of the line.
std::optional<std::string> Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) {
            return std::nullopt;
        }
        switch (text[i]) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 's':
                out += ' ';
                break;
            case '\\':
                out += '\\';
                break;
            default:
                return std::nullopt;
        }
    }
    return out;
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

TextFileContents ParseTextFile(std::string_view content) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (content.starts_with(kByteOrderMark)) {
        content.remove_prefix(kByteOrderMark.size());
    }
    TextFileContents result;
    int lineNo = 0;
    while (!content.empty()) {
        ++lineNo;
        const auto end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (IsBlank(line) || line.starts_with('#')) {
            continue;
        }
        const auto tab = line.find('\t');
        if (tab == std::string_view::npos) {
            result.errors.push_back({lineNo, "no TAB between key and text"});
            continue;
        }
        const auto key = ParseTextKey(line.substr(0, tab));
        if (!key) {
            result.errors.push_back({lineNo, "bad key '" + std::string(line.substr(0, tab)) + "'"});
            continue;
        }
        auto text = Unescape(line.substr(tab + 1));
        if (!text) {
            result.errors.push_back({lineNo, "bad escape in the text of " + FormatTextKey(*key)});
            continue;
        }
        if (!result.texts.emplace(*key, std::move(*text)).second) {
            result.errors.push_back({lineNo, "key " + FormatTextKey(*key) + " appears again"});
        }
    }
    return result;
}

std::optional<TextFileContents> ReadTextFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return std::nullopt;
    }
    return ParseTextFile(content);
}

}  // namespace kelp
