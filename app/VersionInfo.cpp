#include "app/VersionInfo.h"

#include <cstdio>

#include "app/VersionConfig.h"

namespace kelp {

VersionBlock CompiledVersionBlock() {
    VersionBlock block;
    block.fileVersionMS = (std::uint32_t{KELP_VERSION_MAJOR} << 16) | std::uint32_t{KELP_VERSION_MINOR};
    block.fileVersionLS = (std::uint32_t{KELP_VERSION_PATCH} << 16) | std::uint32_t{KELP_VERSION_TWEAK};
    // Japanese, Unicode: the language the program's own texts are written in.
    const VersionTranslation japanese{0x0411, 0x04b0};
    block.translations.push_back(japanese);
    auto& values = block.strings["041104b0"];
    values["LegalCopyright"] = KELP_COPYRIGHT;
    values["PrivateBuild"] = KELP_PART_NUMBER;
    values["FileVersion"] = std::to_string(KELP_VERSION_MAJOR) + "." + std::to_string(KELP_VERSION_MINOR) +
                            "." + std::to_string(KELP_VERSION_PATCH) + "." +
                            std::to_string(KELP_VERSION_TWEAK);
    return block;
}

const char* ReleaseDate() {
    return KELP_RELEASE_DATE;
}

CVersionInfo::CVersionInfo(std::string filePath)
    : CVersionInfo(std::move(filePath), CompiledVersionBlock()) {}

CVersionInfo::CVersionInfo(std::string filePath, std::optional<VersionBlock> block)
    : filePath_(std::move(filePath)), source_(std::move(block)) {}

const VersionBlock* CVersionInfo::Load() {
    if (!loaded_) {
        loaded_ = true;
        block_ = source_;
    }
    return block_ ? &*block_ : nullptr;
}

bool CVersionInfo::GetFileVersion(std::uint32_t& ms, std::uint32_t& ls) {
    const VersionBlock* block = Load();
    if (block == nullptr) {
        return false;
    }
    ms = block->fileVersionMS;
    ls = block->fileVersionLS;
    return true;
}

bool CVersionInfo::GetVersionText(std::string& text) {
    std::uint32_t ms = 0;
    std::uint32_t ls = 0;
    if (!GetFileVersion(ms, ls)) {
        text.clear();
        return false;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%u.%u.%u.%u", ms >> 16, ms & 0xFFFFu, ls >> 16, ls & 0xFFFFu);
    text = buffer;
    return true;
}

bool CVersionInfo::GetTranslations(std::vector<VersionTranslation>& list, int& count) {
    const VersionBlock* block = Load();
    if (block == nullptr || block->translations.empty()) {
        return false;
    }
    list = block->translations;
    count = static_cast<int>(list.size());
    return true;
}

bool CVersionInfo::GetStringValue(const VersionTranslation& pair, const std::string& name,
                                  std::string& text) {
    const VersionBlock* block = Load();
    if (block == nullptr) {
        return false;
    }
    char key[16];
    std::snprintf(key, sizeof key, "%04x%04x", unsigned{pair.language}, unsigned{pair.codePage});
    const auto table = block->strings.find(key);
    if (table == block->strings.end()) {
        return false;
    }
    const auto value = table->second.find(name);
    if (value == table->second.end() || value->second.empty()) {
        return false;
    }
    text = value->second;
    return true;
}

VersionStrings& AppVersionStrings() {
    static VersionStrings strings;
    return strings;
}

void FillVersionStrings(CVersionInfo& reader, VersionStrings& strings) {
    reader.GetVersionText(strings.version);
    std::vector<VersionTranslation> translations;
    int count = 0;
    if (!reader.GetTranslations(translations, count) || count < 1) {
        return;
    }
    std::string text;
    if (reader.GetStringValue(translations[0], "LegalCopyright", text)) {
        strings.copyright = text;
    }
    if (reader.GetStringValue(translations[0], "PrivateBuild", text)) {
        strings.partNumber = text;
    }
}

}  // namespace kelp
