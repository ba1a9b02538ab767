#include "app/SettingsStore.h"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>

#include "app/IniFile.h"
#include "data/RegularFile.h"

namespace kelp {

namespace {

constexpr const char* kPortSection = "PortSettings";
constexpr const char* kPortDeviceSection = "PortDevices";
constexpr const char* kMeasureSection = "MeasureSettings";
constexpr const char* kGraphSection = CSettingsStore::kTrendGraphSection;
constexpr const char* kFileSection = "FileSettings";
// Real numbers are read into a buffer of 50 characters.
constexpr std::size_t kRealBufferChars = 49;

// The value of a real-number key as the C library's conversion reads it
// (leading blanks, optional sign, the longest number that follows; nothing
// gives 0), but independent of the process locale, which the windowing
// library sets from the user's environment. A value that is not finite is
// not a usable setting and gives `fallback`.
double ParseReal(std::string text, double fallback) {
    if (text.size() > kRealBufferChars) {
        text.resize(kRealBufferChars);
    }
    std::string_view s = text;
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        return fallback;
    }
    if (result.ec != std::errc()) {
        return 0.0;
    }
    return std::isfinite(value) ? value : fallback;
}

double ReadReal(const CIniFile& ini, std::string_view section, const std::string& key, const char* fallback,
                double fallbackValue) {
    return ParseReal(ini.GetString(section, key, fallback), fallbackValue);
}

std::string FormatReal(double value, int decimals) {
    char buffer[512];  // room for the widest double in fixed notation
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) {
        return "0";
    }
    return std::string(buffer, result.ptr);
}

std::string FormatInt(std::int64_t value) {
    return std::to_string(value);
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// Renames the file at `path` to `path`.YYYYMMDD-hhmmss (with -2, -3 ...
// when that is taken). Returns the new name, or an empty text when the file
// could not be renamed.
std::string SetAside(const std::string& path) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    for (int n = 1; n < 100; ++n) {
        std::string aside = path;
        aside += '.';
        aside += stamp;
        if (n > 1) {
            aside += '-';
            aside += std::to_string(n);
        }
        // Never over a file of the same name: a second one set aside within
        // the same second takes the next number.
        if (RenameNoReplace(path, aside)) {
            return aside;
        }
        if (errno != EEXIST) {
            return {};
        }
    }
    return {};
}

// Makes `path` a directory: an existing directory is fine, an existing file
// is a failure, a missing one is created.
bool PrepareDirectory(const std::string& path) {
    if (IsDirectory(path)) {
        return true;
    }
    if (Exists(path)) {
        return false;
    }
    return ::mkdir(path.c_str(), 0700) == 0 || IsDirectory(path);
}

// Creates the configuration base folder and its parents, as the XDG layout
// expects them to exist.
bool PrepareBase(const std::string& base) {
    if (base.empty() || base.front() != '/') {
        return false;
    }
    std::string::size_type pos = 1;
    while (true) {
        const auto slash = base.find('/', pos);
        const std::string part = base.substr(0, slash);
        if (!part.empty() && !PrepareDirectory(part)) {
            return false;
        }
        if (slash == std::string::npos) {
            return true;
        }
        pos = slash + 1;
    }
}

std::string ConfigBase() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    // Relative values are to be ignored by the XDG rules.
    if (xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.config";
    }
    return {};
}

// True when `text` reads back unchanged as a value: on one line, without
// the blanks and quotes at its ends that reading takes away.
bool KeepsAsValue(const std::string& text) {
    auto trimmed = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
    return !text.empty() && text.find_first_of("\r\n") == std::string::npos && !trimmed(text.front()) &&
           !trimmed(text.back());
}

std::string Numbered(const char* key, int n) {
    return std::string(key) + std::to_string(n);
}

// Whether `path` can be stored as the device of port `portNo`.
bool CanStoreDevice(int portNo, const std::string& path) {
    return portNo >= 1 && portNo <= kPortCount && KeepsAsValue(path);
}

}  // namespace

std::string CSettingsStore::BuildPath(const std::string& programPath) {
    std::string folder = ConfigBase();
    bool ok = PrepareBase(folder);
    if (ok) {
        folder += "/TARVIK";
        ok = PrepareDirectory(folder);
    }
    if (ok) {
        folder += "/KELPWIN";
        ok = PrepareDirectory(folder);
    }
    if (ok) {
        folder += "/";
    } else {
        const auto slash = programPath.rfind('/');
        folder = slash == std::string::npos ? std::string() : programPath.substr(0, slash + 1);
    }
    return folder + kFileName;
}

CIniFile CSettingsStore::LoadFile() const {
    CIniFile ini;
    ini.Load(path_);
    return ini;
}

bool CSettingsStore::SaveChanged(const CIniFile& ini, const std::string& before) const {
    return ini.Text() == before || ini.Save(path_);
}

bool CSettingsStore::LoadForWrite(CIniFile& ini) const {
    switch (ini.Read(path_)) {
        case CIniFile::LoadResult::Loaded:
        case CIniFile::LoadResult::Missing:
            return true;
        case CIniFile::LoadResult::Unreadable:
            return false;
        case CIniFile::LoadResult::TooLarge:
            // Not a file this program wrote, but perhaps one that someone
            // needs: it goes out of the way, and the write starts afresh.
            return !SetAside(path_).empty();
    }
    return false;
}

void CSettingsStore::ReadPortSettings(PortSettings& port, PortDeviceMap& devices) const {
    const CIniFile ini = LoadFile();
    port.PortNo = ini.GetInt(kPortSection, "PortNo", 3);
    if (port.PortNo < 1 || port.PortNo > kPortCount) {
        port.PortNo = 3;
    }
    port.BaudRate = ini.GetInt(kPortSection, "BaudRate", 19200);
    port.ByteSize = static_cast<std::uint8_t>(ini.GetInt(kPortSection, "ByteSize", 8));
    port.Parity = static_cast<std::uint8_t>(ini.GetInt(kPortSection, "Parity", 0));
    port.StopBits = static_cast<std::uint8_t>(ini.GetInt(kPortSection, "StopBits", 0));

    devices.clear();
    for (int n = 1; n <= kPortCount; ++n) {
        const auto path = ini.GetString(kPortDeviceSection, Numbered("COM", n), "");
        if (!path.empty()) {
            devices[n] = path;
        }
    }
}

bool CSettingsStore::WritePortSettings(const PortSettings& port) const {
    return WritePortSettings(port, {});
}

bool CSettingsStore::WritePortSettings(const PortSettings& port, const std::string& device) const {
    CIniFile ini;
    if (!LoadForWrite(ini)) {
        return false;
    }
    const bool deviceKept = device.empty() || CanStoreDevice(port.PortNo, device);
    if (!device.empty() && deviceKept) {
        ini.SetString(kPortDeviceSection, Numbered("COM", port.PortNo), device);
    }
    ini.SetString(kPortSection, "PortNo", FormatInt(port.PortNo));
    ini.SetString(kPortSection, "BaudRate", FormatInt(port.BaudRate));
    ini.SetString(kPortSection, "ByteSize", FormatInt(port.ByteSize));
    ini.SetString(kPortSection, "Parity", FormatInt(port.Parity));
    ini.SetString(kPortSection, "StopBits", FormatInt(port.StopBits));
    return ini.Save(path_) && deviceKept;
}

void CSettingsStore::ReadGraphSlots(std::string_view section, GraphSlotArray& slots) const {
    const CIniFile ini = LoadFile();
    if (ini.GetInt(section, "ElmNo1", -1) == -1) {
        return;
    }
    for (int i = 0; i < 13; ++i) {
        const int n = i + 1;
        auto& slot = slots[static_cast<std::size_t>(i)];
        slot.ElmNo = ini.GetInt(section, Numbered("ElmNo", n), i);
        if (slot.ElmNo < 0 || slot.ElmNo > 12) {
            slot.ElmNo = 0;
        }
        slot.YAuto = ini.GetInt(section, Numbered("YAuto", n), 1);
        slot.YUnit = ini.GetInt(section, Numbered("YUnit", n), 0);
        if (slot.YUnit < 0 || slot.YUnit > 3) {
            slot.YUnit = 0;
        }
        slot.YMin = ReadReal(ini, section, Numbered("YMin", n), "0", 0.0);
        if (slot.YMin < -10000.0) {
            slot.YMin = -10000.0;
        }
        slot.YMax = ReadReal(ini, section, Numbered("YMax", n), "10", 10.0);
        if (slot.YMax > 100000.0) {
            slot.YMax = 100000.0;
        }
        if (slot.YMin >= slot.YMax) {
            slot.YMin = 0.0;
            slot.YMax = 1.0;
        }
    }
}

bool CSettingsStore::WriteGraphSlots(std::string_view section, const GraphSlotArray& slots) const {
    CIniFile ini;
    if (!LoadForWrite(ini)) {
        return false;
    }
    const std::string before = ini.Text();
    for (int i = 0; i < 13; ++i) {
        const int n = i + 1;
        const auto& slot = slots[static_cast<std::size_t>(i)];
        ini.SetString(section, Numbered("ElmNo", n), FormatInt(slot.ElmNo));
        ini.SetString(section, Numbered("YAuto", n), FormatInt(slot.YAuto));
        ini.SetString(section, Numbered("YUnit", n), FormatInt(slot.YUnit));
        ini.SetString(section, Numbered("YMin", n), FormatReal(slot.YMin, 4));
        ini.SetString(section, Numbered("YMax", n), FormatReal(slot.YMax, 4));
    }
    return SaveChanged(ini, before);
}

void CSettingsStore::ReadTimeAxis(GraphTimeSettings& time) const {
    const CIniFile ini = LoadFile();
    if (!ini.HasKey(kGraphSection, "Cursol")) {
        return;
    }
    time.Cursol = ini.GetInt(kGraphSection, "Cursol", 1);
    time.DispType = ini.GetInt(kGraphSection, "DispType", 1);
    if (time.DispType < 0 || time.DispType > 2) {
        time.DispType = 0;
    }
    time.RangeType = ini.GetInt(kGraphSection, "RangeType", 1);
    if (time.RangeType < 0 || time.RangeType > 3) {
        time.RangeType = 0;
    }
    time.XMin = ReadReal(ini, kGraphSection, "XMin", "0", 0.0);
    time.XMax = ReadReal(ini, kGraphSection, "XMax", "10", 10.0);
    if (time.XMax <= time.XMin) {
        time.XMin = 0.0;
        time.XMax = 10.0;
    }
    time.Range = ReadReal(ini, kGraphSection, "Range", "10", 10.0);
    if (time.Range < 1.0) {
        time.Range = 1.0;
    }
}

bool CSettingsStore::WriteTimeAxis(const GraphTimeSettings& time) const {
    CIniFile ini;
    if (!LoadForWrite(ini)) {
        return false;
    }
    const std::string before = ini.Text();
    ini.SetString(kGraphSection, "Cursol", FormatInt(time.Cursol));
    ini.SetString(kGraphSection, "DispType", FormatInt(time.DispType));
    ini.SetString(kGraphSection, "RangeType", FormatInt(time.RangeType));
    ini.SetString(kGraphSection, "XMin", FormatReal(time.XMin, 0));
    ini.SetString(kGraphSection, "XMax", FormatReal(time.XMax, 0));
    ini.SetString(kGraphSection, "Range", FormatReal(time.Range, 0));
    return SaveChanged(ini, before);
}

std::uint32_t CSettingsStore::ReadCaptureInterval() const {
    const CIniFile ini = LoadFile();
    const auto cycle = static_cast<std::uint32_t>(ini.GetInt(kMeasureSection, "MeasCycle", 1));
    return cycle > static_cast<unsigned>(CSettingsStore::kMaxCaptureInterval) ? 1u : cycle;
}

bool CSettingsStore::WriteCaptureInterval(std::uint32_t seconds) const {
    CIniFile ini;
    if (!LoadForWrite(ini)) {
        return false;
    }
    // Written with "%d", as the 32-bit value the file has always held.
    ini.SetString(kMeasureSection, "MeasCycle", FormatInt(static_cast<std::int32_t>(seconds)));
    return ini.Save(path_);
}

bool CSettingsStore::WritePortDevice(int portNo, const std::string& path) const {
    if (!CanStoreDevice(portNo, path)) {
        return false;
    }
    CIniFile ini;
    if (!LoadForWrite(ini)) {
        return false;
    }
    ini.SetString(kPortDeviceSection, Numbered("COM", portNo), path);
    return ini.Save(path_);
}

std::string CSettingsStore::ReadLastFolder() const {
    return LoadFile().GetString(kFileSection, "LastFolder", "");
}

bool CSettingsStore::WriteLastFolder(const std::string& folder) const {
    if (!KeepsAsValue(folder)) {
        return false;
    }
    CIniFile ini;
    if (!LoadForWrite(ini)) {
        return false;
    }
    ini.SetString(kFileSection, "LastFolder", folder);
    return ini.Save(path_);
}

}  // namespace kelp
