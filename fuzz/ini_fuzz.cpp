// Any bytes as the settings file: reading never fails and every value the
// store hands out is within its checks; a key written reads back.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/IniFile.h"
#include "app/SettingsStore.h"

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

const std::string& ScratchPath() {
    static const std::string path = [] {
        char name[] = "/tmp/kelp-ini-fuzz-XXXXXX";
        const int fd = ::mkstemp(name);
        ::close(fd);
        return std::string(name);
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    kelp::CIniFile ini;
    ini.Parse(text);
    (void)ini.GetInt("PortSettings", "PortNo", 3);
    (void)ini.GetString("GraphSettings", "YMin1", "0");

    ini.SetString("GraphSettings", "ElmNo1", "5");
    Check(ini.GetInt("GraphSettings", "ElmNo1", -1) == 5, "written key reads back");
    kelp::CIniFile again;
    again.Parse(ini.Text());
    Check(again.GetInt("graphsettings", "elmno1", -1) == 5, "written key survives the file");

    // The store on the same bytes as a file.
    if (std::FILE* f = std::fopen(ScratchPath().c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    const kelp::CSettingsStore store(ScratchPath());
    kelp::PortSettings port;
    kelp::PortDeviceMap devices;
    store.ReadPortSettings(port, devices);
    Check(port.PortNo >= 1 && port.PortNo <= 19, "port number");
    for (const auto& [n, path] : devices) {
        Check(n >= 1 && n <= 19 && !path.empty(), "port device");
    }
    Check(store.ReadCaptureInterval() <= 9999, "capture interval");
    auto slots = kelp::DefaultGraphSlots();
    store.ReadGraphSlots("GraphSettings", slots);
    for (const auto& slot : slots) {
        Check(slot.ElmNo >= 0 && slot.ElmNo <= 12, "slot element");
        Check(slot.YUnit >= 0 && slot.YUnit <= 3, "slot unit");
        Check(std::isfinite(slot.YMin) && std::isfinite(slot.YMax), "finite limits");
        Check(slot.YMin >= -10000.0 && slot.YMax <= 100000.0 && slot.YMin < slot.YMax, "slot limits");
    }
    kelp::GraphTimeSettings time;
    store.ReadTimeAxis(time);
    Check(time.DispType >= 0 && time.DispType <= 2 && time.RangeType >= 0 && time.RangeType <= 3,
          "time types");
    Check(std::isfinite(time.XMin) && std::isfinite(time.XMax) && time.XMin < time.XMax, "time limits");
    Check(time.Range >= 1.0, "time range");
    return 0;
}
