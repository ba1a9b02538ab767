#pragma once
#include <string>

#include "link/PortSettings.h"

namespace kelp {

// What a failed port open most likely means to the person at the computer.
enum class PortOpenReason {
    NoDevice,    // nothing at that path: cable, adapter or port number
    Permission,  // the user may not open the device
    Busy,        // another program holds the device
    Other,
};

// Sorts the errno of a failed open (CSerialPort::LastError) into a reason.
PortOpenReason ClassifyPortOpenError(int error);

// The lines shown under message 1006: the device path (left out when empty)
// and the reason in plain words, in the current language. For a permission
// problem the group that owns the device is named when it can be found; for
// any other failure the system's own text follows.
std::string PortOpenErrorDetail(const std::string& devicePath, int error);

// Message 1006 followed by a blank line and PortOpenErrorDetail.
std::string PortOpenErrorMessage(const std::string& devicePath, int error);

// The device path of `port` and the errno of an open of it now (0 when it
// opens; it is closed again at once).
struct PortOpenProbe {
    std::string devicePath;
    int error = 0;
};
PortOpenProbe ProbePortOpen(const PortSettings& port, const PortDeviceMap& devices);

// Message 1006 for a run that could not open `port`, with the errno that
// the run's own open failed with (0, no errno left, counts as an I/O
// error). The device is not opened again: by the time the box shows, the
// port may be free, or held for another reason.
std::string DescribePortOpenFailure(const PortSettings& port, const PortDeviceMap& devices, int error);

}  // namespace kelp
