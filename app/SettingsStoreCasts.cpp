// The settings of the station and cast finder, beside the other groups of
// CSettingsStore.
#include <cmath>
#include <string>

#include "app/IniFile.h"
#include "app/SettingsStore.h"

namespace kelp {

namespace {

constexpr const char* kCastSection = "CastFinder";
constexpr const char* kGapKey = "GapSeconds";
constexpr const char* kDistanceKey = "DistanceMetres";
constexpr const char* kHeightKey = "MinHeightCentimetres";
constexpr const char* kRecordsKey = "MinRecords";

// The key's integer when it is there and within [low, high], else `fallback`.
std::int32_t ReadBounded(const CIniFile& ini, const char* key, double low, double high,
                         std::int32_t fallback) {
    if (!ini.HasKey(kCastSection, key)) {
        return fallback;
    }
    const std::int32_t value = ini.GetInt(kCastSection, key, fallback);
    return value >= low && value <= high ? value : fallback;
}

}  // namespace

CastOptions CSettingsStore::ReadCastOptions() const {
    const CIniFile ini = LoadFile();
    CastOptions options;
    options.gapSeconds =
        ReadBounded(ini, kGapKey, kMinCastGapSeconds, kMaxCastGapSeconds, options.gapSeconds);
    options.distanceMetres = ReadBounded(ini, kDistanceKey, kMinCastDistanceMetres, kMaxCastDistanceMetres,
                                         static_cast<std::int32_t>(options.distanceMetres));
    options.minHeightMetres =
        ReadBounded(ini, kHeightKey, kMinCastHeightMetres * 100, kMaxCastHeightMetres * 100,
                    static_cast<std::int32_t>(options.minHeightMetres * 100)) /
        100.0;
    options.minRecords = ReadBounded(ini, kRecordsKey, kMinCastRecords, kMaxCastRecords, options.minRecords);
    return options;
}

bool CSettingsStore::WriteCastOptions(const CastOptions& options) const {
    CIniFile ini;
    if (!LoadForWrite(ini)) {
        return false;
    }
    ini.SetString(kCastSection, kGapKey, std::to_string(options.gapSeconds));
    ini.SetString(kCastSection, kDistanceKey, std::to_string(std::lround(options.distanceMetres)));
    ini.SetString(kCastSection, kHeightKey, std::to_string(std::lround(options.minHeightMetres * 100)));
    ini.SetString(kCastSection, kRecordsKey, std::to_string(options.minRecords));
    return ini.Save(path_);
}

}  // namespace kelp
