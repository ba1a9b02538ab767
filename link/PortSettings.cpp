#include "link/PortSettings.h"

namespace kelp {

std::string PortDevicePath(int portNo, const PortDeviceMap& overrides) {
    if (auto it = overrides.find(portNo); it != overrides.end() && !it->second.empty()) {
        return it->second;
    }
    if (portNo >= 1 && portNo <= 4) {
        return "/dev/ttyS" + std::to_string(portNo - 1);
    }
    if (portNo >= 5 && portNo <= 12) {
        return "/dev/ttyUSB" + std::to_string(portNo - 5);
    }
    if (portNo >= 13 && portNo <= 19) {
        return "/dev/ttyACM" + std::to_string(portNo - 13);
    }
    return {};
}

LineFault CheckLineSettings(int byteSize, int stopBits) {
    if (byteSize < 5 || byteSize > 8) {
        return LineFault::DataBits;
    }
    if (stopBits == 1 && byteSize != 5) {
        return LineFault::OneAndAHalfStopBits;
    }
    if (stopBits == 2 && byteSize == 5) {
        return LineFault::TwoStopBits;
    }
    return LineFault::None;
}

}  // namespace kelp
