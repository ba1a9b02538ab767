#pragma once
#include <string>
#include <vector>

namespace kelp {

// Where the system keeps its device nodes and what the kernel tells about
// its terminals. Tests point both at folders of their own.
struct DeviceFolders {
    std::string dev = "/dev";
    std::string ttyClass = "/sys/class/tty";
};

// A serial device found on this machine.
struct SerialDevice {
    std::string path;  // /dev/ttyUSB0, /dev/serial/by-id/usb-..., ...
    std::string name;  // the adapter's name where the system knows one, else empty
};

// Every serial device present: the stable names under dev/serial/by-id
// first (in name order), then ttyS*, ttyUSB*, ttyACM* and rfcomm* in number
// order. Built-in ports where the kernel found no UART are left out.
std::vector<SerialDevice> ListSerialDevices(const DeviceFolders& folders = {});

// True when the device at `path` (or what a link there points to) is there
// to be opened: a node that exists, and for a built-in serial port one where
// the kernel found a UART (`ttyClassDir`/ttySn/type not 0).
bool SerialDevicePresent(const std::string& path, const std::string& ttyClassDir = "/sys/class/tty");

// The name under which the device at `path` is found again after it has
// been unplugged and plugged in (when it may come back as another ttyUSBn):
// the link under dev/serial/by-id that leads to it, or `path` itself when
// there is none.
std::string StableDevicePath(const std::string& path, const DeviceFolders& folders = {});

// The COM number (1 to 19) whose built-in device is the one at `path`,
// links followed; 0 for any other device.
int BuiltInPortNumber(const std::string& path, const DeviceFolders& folders = {});

}  // namespace kelp
