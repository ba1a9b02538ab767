#include "app/IniFile.h"

#include <unistd.h>

#include <cerrno>

#include "data/FileReplacement.h"
#include "data/RegularFile.h"

namespace kelp {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    const auto close = line.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> SplitKeyLine(std::string_view line) {
    const auto trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') {
        return std::nullopt;
    }
    const auto eq = trimmed.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{Trim(trimmed.substr(0, eq)), Trim(trimmed.substr(eq + 1))};
}

std::string Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

}  // namespace

void CIniFile::Parse(std::string_view text) {
    lines_.clear();
    while (!text.empty()) {
        const auto nl = text.find('\n');
        auto line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines_.emplace_back(line);
        if (nl == std::string_view::npos) {
            break;
        }
        text.remove_prefix(nl + 1);
    }
}

CIniFile::LoadResult CIniFile::Read(const std::string& path) {
    lines_.clear();
    const int fd = OpenRegularFile(path);
    if (fd < 0) {
        return errno == ENOENT ? LoadResult::Missing : LoadResult::Unreadable;
    }
    std::string text;
    char buffer[8192];
    LoadResult result = LoadResult::Loaded;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            result = LoadResult::Unreadable;
            break;
        }
        if (n == 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > kMaxFileSize) {
            result = LoadResult::TooLarge;
            break;
        }
    }
    ::close(fd);
    if (result == LoadResult::Loaded) {
        Parse(text);
    }
    return result;
}

bool CIniFile::Save(const std::string& path) const {
    CFileReplacement replacement;
    if (!replacement.Begin(path)) {
        return false;
    }
    if (!WriteAllAt(replacement.Fd(), Text(), 0)) {
        replacement.Abandon();
        return false;
    }
    return replacement.Commit();
}

std::string CIniFile::Text() const {
    std::string text;
    for (const auto& line : lines_) {
        text += line;
        text += '\n';
    }
    return text;
}

std::optional<CIniFile::SectionRange> CIniFile::FindSection(std::string_view section) const {
    const std::string_view wanted = Trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i]);
        if (!name || !SameName(*name, wanted)) {
            continue;
        }
        SectionRange range{i, i + 1, i + 1};
        while (range.end < lines_.size() && !SectionName(lines_[range.end])) {
            ++range.end;
        }
        return range;
    }
    return std::nullopt;
}

std::optional<std::string> CIniFile::Find(std::string_view section, std::string_view key) const {
    const auto range = FindSection(section);
    if (!range) {
        return std::nullopt;
    }
    const std::string_view wanted = Trim(key);
    for (std::size_t i = range->begin; i < range->end; ++i) {
        const auto kv = SplitKeyLine(lines_[i]);
        if (kv && SameName(kv->key, wanted)) {
            return Unquote(kv->value);
        }
    }
    return std::nullopt;
}

std::string CIniFile::GetString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    auto value = Find(section, key);
    return value ? std::move(*value) : std::string(fallback);
}

std::int32_t CIniFile::GetInt(std::string_view section, std::string_view key, std::int32_t fallback) const {
    const auto value = Find(section, key);
    return value ? ParseProfileInt(*value) : fallback;
}

std::int32_t CIniFile::ParseProfileInt(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::uint32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10u + static_cast<std::uint32_t>(c - '0');
    }
    if (negative) {
        value = 0u - value;
    }
    return static_cast<std::int32_t>(value);
}

void CIniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(Trim(key)) + "=" + std::string(value);
    // A line break would split the entry and make a stray line of the rest.
    for (char& c : line) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    const auto range = FindSection(section);
    if (!range) {
        std::string header(1, '[');
        header.append(Trim(section));
        header.push_back(']');
        lines_.push_back(std::move(header));
        lines_.push_back(std::move(line));
        return;
    }
    const std::string_view wanted = Trim(key);
    for (std::size_t i = range->begin; i < range->end; ++i) {
        const auto kv = SplitKeyLine(lines_[i]);
        if (kv && SameName(kv->key, wanted)) {
            lines_[i] = std::move(line);
            return;
        }
    }
    // After the last key of the section, so that blank lines that separate
    // it from the next section stay where they are.
    std::size_t at = range->end;
    while (at > range->begin && Trim(lines_[at - 1]).empty()) {
        --at;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

}  // namespace kelp
