#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>

namespace kelp {

// The COM port numbers run from 1 to kPortCount.
inline constexpr int kPortCount = 19;

// Line settings of the instrument port, as stored in the settings file.
struct PortSettings {
    std::int32_t PortNo = 3;  // COM port number, 1 to 19
    std::int32_t BaudRate = 19200;
    std::uint8_t ByteSize = 8;
    std::uint8_t Parity = 0;    // 0 none, 1 odd, 2 even
    std::uint8_t StopBits = 0;  // 0 one, 1 one and a half, 2 two
};

// The line settings the port dialog offers; the command line takes the same.
inline constexpr std::array<int, 5> kOfferedBaudRates = {4800, 9600, 19200, 38400, 57600};
inline constexpr std::array<int, 5> kOfferedByteSizes = {4, 5, 6, 7, 8};

// What keeps a serial port from taking `byteSize` data bits with stop-bit
// code `stopBits`: termios knows characters of 5 to 8 bits, and one stop bit
// or "two", which a UART sends as one and a half with 5-bit characters.
enum class LineFault { None, DataBits, OneAndAHalfStopBits, TwoStopBits };
LineFault CheckLineSettings(int byteSize, int stopBits);

// Device paths that replace the built-in mapping of a port number (the
// settings file's PortDevices section: COMn=path).
using PortDeviceMap = std::map<int, std::string>;

// The device path of COM port `portNo`: an override when `overrides` has
// one, else COM1-4 -> /dev/ttyS0-3, COM5-12 -> /dev/ttyUSB0-7,
// COM13-19 -> /dev/ttyACM0-6; an empty text for a number outside 1 to 19
// without an override.
std::string PortDevicePath(int portNo, const PortDeviceMap& overrides = {});

}  // namespace kelp
