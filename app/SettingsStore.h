#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/CastFinder.h"
#include "app/GraphSettings.h"
#include "link/PortSettings.h"

namespace kelp {

class CIniFile;

// The settings operations of the application object: one read and one write
// per group of settings, each on the settings file at Path(). A missing or
// unreadable file, or a value out of range, gives the defaults; nothing is
// ever reported. Every write replaces the file atomically, and none is made
// while a file is there that cannot be read (it would lose its other keys)
// or that is not a regular file; a file too large to be a settings file is
// set aside under a timestamped name before a new one is written.
class CSettingsStore final {
  public:
    CSettingsStore() = default;
    explicit CSettingsStore(std::string path) : path_(std::move(path)) {}

    // $XDG_CONFIG_HOME (else ~/.config) /TARVIK/KELPWIN/Kelp-Win.ini, making
    // the two folders when they are missing; when a folder cannot be made, or
    // a plain file stands in its way, the file beside `programPath` instead.
    static std::string BuildPath(const std::string& programPath);

    const std::string& Path() const { return path_; }
    void SetPath(std::string path) { path_ = std::move(path); }

    // Port settings, and the device paths of section PortDevices (keys COM1
    // to COM19) that replace the built-in mapping of port numbers.
    void ReadPortSettings(PortSettings& port, PortDeviceMap& devices) const;
    bool WritePortSettings(const PortSettings& port) const;
    // The port settings and, unless `device` is empty, the device of port
    // port.PortNo (as WritePortDevice stores it) in one write. A device that
    // WritePortDevice refuses is left out, and the settings are written all
    // the same; false then, or when the file could not be written.
    bool WritePortSettings(const PortSettings& port, const std::string& device) const;

    // `section` is "GraphSettings" (main window) or "XYGraphSettings". The
    // slots keep the caller's values unless the section holds ElmNo1.
    void ReadGraphSlots(std::string_view section, GraphSlotArray& slots) const;
    bool WriteGraphSlots(std::string_view section, const GraphSlotArray& slots) const;

    // The time axis keeps the caller's values unless GraphSettings holds Cursol.
    void ReadTimeAxis(GraphTimeSettings& time) const;
    bool WriteTimeAxis(const GraphTimeSettings& time) const;

    std::uint32_t ReadCaptureInterval() const;
    bool WriteCaptureInterval(std::uint32_t seconds) const;

    // The device of port `portNo` in section PortDevices (key COMn), which
    // ReadPortSettings gives back in its device map.
    bool WritePortDevice(int portNo, const std::string& path) const;

    // The folder the file dialogs used last (section FileSettings, key
    // LastFolder); empty when none is stored. A folder whose name cannot
    // stand on one line of the file is not stored.
    std::string ReadLastFolder() const;
    bool WriteLastFolder(const std::string& folder) const;

    // The thresholds of the station and cast finder (section CastFinder;
    // SettingsStoreCasts.cpp). A key that is missing or out of range gives
    // its default; the minimum height is kept in whole centimetres and the
    // distance in whole metres.
    CastOptions ReadCastOptions() const;
    bool WriteCastOptions(const CastOptions& options) const;

    static constexpr const char* kFileName = "Kelp-Win.ini";
    // The section of the main window's graph slots and time axis.
    static constexpr const char* kTrendGraphSection = "GraphSettings";
    // The longest capture interval, in seconds; a longer one in the file
    // reads as 1.
    static constexpr int kMaxCaptureInterval = 9999;

  private:
    CIniFile LoadFile() const;
    // The file's content to change; false when a file is there that cannot
    // be read, which a write must not replace with only its own keys.
    bool LoadForWrite(CIniFile& ini) const;
    // Saves `ini` unless its text is still `before`: the windows write
    // their graph settings as they close, mostly unchanged, and a save
    // waits for the disk.
    bool SaveChanged(const CIniFile& ini, const std::string& before) const;

    std::string path_;
};

}  // namespace kelp
