#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kelp {

// One language / code-page pair of a version record.
struct VersionTranslation {
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
};

// What a program file's version record carries: the fixed file version and
// the string values of each translation ("040904b0" -> name -> text).
struct VersionBlock {
    std::uint32_t fileVersionMS = 0;
    std::uint32_t fileVersionLS = 0;
    std::vector<VersionTranslation> translations;
    std::map<std::string, std::map<std::string, std::string>> strings;
};

// The version record of this build, made from the project version and the
// copyright and part number given to CMake.
VersionBlock CompiledVersionBlock();

// The date of this version (YYYY-MM-DD), set beside the project version;
// the manual pages and the AppStream metadata carry the same.
const char* ReleaseDate();

// Reads a version record through the queries a version resource offers.
// The record is loaded on first use; a reader without one answers every
// query with failure.
class CVersionInfo final {
  public:
    // A reader of the program's own compiled-in record. `filePath` names the
    // program file, kept for the caller's information.
    explicit CVersionInfo(std::string filePath);
    // A reader over a given record, or over none.
    CVersionInfo(std::string filePath, std::optional<VersionBlock> block);

    const std::string& FilePath() const { return filePath_; }
    const VersionBlock* Load();
    bool GetFileVersion(std::uint32_t& ms, std::uint32_t& ls);
    // "%u.%u.%u.%u" of the file version; empty text on failure.
    bool GetVersionText(std::string& text);
    bool GetTranslations(std::vector<VersionTranslation>& list, int& count);
    bool GetStringValue(const VersionTranslation& pair, const std::string& name, std::string& text);

  private:
    std::string filePath_;
    std::optional<VersionBlock> source_;
    bool loaded_ = false;
    std::optional<VersionBlock> block_;
};

// The three version strings of the application that the About box shows.
struct VersionStrings {
    std::string version;
    std::string copyright;
    std::string partNumber;
};

// The application's version strings: empty until FillVersionStrings runs.
VersionStrings& AppVersionStrings();

// Version text from the file version; copyright ("LegalCopyright") and part
// number ("PrivateBuild") from the first translation, each only when its
// query succeeds.
void FillVersionStrings(CVersionInfo& reader, VersionStrings& strings);

}  // namespace kelp
