#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelp {

// An INI file in memory with the behaviour of the classic private-profile
// calls: section and key names compare without regard to case, the first
// matching section and key win, a missing key gives the caller's default,
// values lose surrounding blanks and one pair of matching quotes, integers
// are read from their leading sign and digits. Lines that are not understood
// are kept as they are and written back unchanged.
class CIniFile final {
  public:
    CIniFile() = default;

    // Replaces the content by `text`. Any bytes are accepted.
    void Parse(std::string_view text);
    enum class LoadResult { Loaded, Missing, Unreadable, TooLarge };
    // Reads the file at `path`; anything but Loaded leaves an empty content.
    // Missing: there is no file. Unreadable: something is there that cannot
    // be read (no permission, a folder, a pipe or a device, which are never
    // opened in a way that could wait, an I/O error). TooLarge: larger than
    // a settings file can sensibly be.
    LoadResult Read(const std::string& path);
    bool Load(const std::string& path) { return Read(path) == LoadResult::Loaded; }
    // Writes the content to `path` through CFileReplacement (a temporary
    // file flushed to disk, then renamed over the old file; in place where
    // the rename would lose the file's links or cannot be made). False on
    // any failure; the old file is then untouched.
    bool Save(const std::string& path) const;
    std::string Text() const;

    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    bool HasKey(std::string_view section, std::string_view key) const {
        return Find(section, key).has_value();
    }
    std::string GetString(std::string_view section, std::string_view key, std::string_view fallback) const;
    std::int32_t GetInt(std::string_view section, std::string_view key, std::int32_t fallback) const;
    // Replaces the value of the key in place, or appends the key to the end of
    // its section, or appends the section to the end of the file.
    void SetString(std::string_view section, std::string_view key, std::string_view value);

    // The integer of a profile text: leading blanks, an optional sign, then
    // decimal digits up to the first other character (none gives 0). Overlong
    // digit runs wrap as 32-bit arithmetic would.
    static std::int32_t ParseProfileInt(std::string_view text);

    static constexpr std::size_t kMaxFileSize = 1 << 20;

  private:
    // Index of the first line of the section's body and one past its last
    // line, or nothing.
    struct SectionRange {
        std::size_t header = 0;
        std::size_t begin = 0;
        std::size_t end = 0;
    };
    std::optional<SectionRange> FindSection(std::string_view section) const;

    std::vector<std::string> lines_;
};

}  // namespace kelp
