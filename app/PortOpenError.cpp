#include "app/PortOpenError.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <vector>

#include "link/SerialPort.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp {

namespace {

// The name of the group that owns `path`, or an empty text.
std::string DeviceGroup(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) {
        return {};
    }
    long size = ::sysconf(_SC_GETGR_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 4096);
    for (;;) {
        struct group entry {};
        struct group* found = nullptr;
        const int rc = ::getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found);
        if (rc == ERANGE && buffer.size() < (1u << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        return rc == 0 && found != nullptr && found->gr_name != nullptr ? std::string(found->gr_name)
                                                                        : std::string();
    }
}

}  // namespace

PortOpenReason ClassifyPortOpenError(int error) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
        // A serial device node without hardware behind it (an unplugged
        // adapter, a ttyS without a UART) fails with an I/O error.
        case EIO:
            return PortOpenReason::NoDevice;
        case EACCES:
        case EPERM:
            return PortOpenReason::Permission;
        case EBUSY:
        case EWOULDBLOCK:
            return PortOpenReason::Busy;
        default:
            return PortOpenReason::Other;
    }
}

std::string PortOpenErrorDetail(const std::string& devicePath, int error) {
    std::string text;
    if (!devicePath.empty()) {
        text = LoadText(IDS_PORT_DEVICE) + devicePath + "\n";
    }
    if (error == 0) {
        // No failure to explain: the path alone, without its line break.
        if (!text.empty()) {
            text.pop_back();
        }
        return text;
    }
    switch (ClassifyPortOpenError(error)) {
        case PortOpenReason::NoDevice:
            text += LoadText(IDS_PORT_REASON_NO_DEVICE);
            break;
        case PortOpenReason::Permission: {
            text += LoadText(IDS_PORT_REASON_PERMISSION);
            const std::string group = DeviceGroup(devicePath);
            if (!group.empty()) {
                text += "\n" + LoadText(IDS_PORT_DEVICE_GROUP) + group;
            }
            break;
        }
        case PortOpenReason::Busy:
            text += LoadText(IDS_PORT_REASON_BUSY);
            break;
        case PortOpenReason::Other:
            // generic_category().message is strerror without its shared buffer.
            text += LoadText(IDS_PORT_REASON_OTHER) + std::generic_category().message(error);
            break;
    }
    return text;
}

std::string PortOpenErrorMessage(const std::string& devicePath, int error) {
    const std::string detail = PortOpenErrorDetail(devicePath, error);
    return detail.empty() ? LoadText(IDS_PORT_OPEN_FAILED) : LoadText(IDS_PORT_OPEN_FAILED) + "\n\n" + detail;
}

PortOpenProbe ProbePortOpen(const PortSettings& port, const PortDeviceMap& devices) {
    PortOpenProbe probe;
    probe.devicePath = PortDevicePath(port.PortNo, devices);
    CSerialPort serial;
    if (!serial.Open(port, devices)) {
        probe.error = static_cast<int>(serial.LastError());
        // A failure that left no errno is still a failure to explain.
        if (probe.error == 0) {
            probe.error = EIO;
        }
    }
    serial.Close();
    return probe;
}

std::string DescribePortOpenFailure(const PortSettings& port, const PortDeviceMap& devices, int error) {
    return PortOpenErrorMessage(PortDevicePath(port.PortNo, devices), error != 0 ? error : EIO);
}

}  // namespace kelp
