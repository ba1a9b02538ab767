#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/LinkResult.h"
#include "link/PortSettings.h"

namespace kelp {

// One serial line to the instrument: raw termios, exclusive use, every wait
// bounded. A worker thread creates one, opens it for a run and closes it at
// the end; the port is never held between runs.
class CSerialPort {
  public:
    // How long a write may take to go out, and how long a reply may take to
    // reach its LF.
    static constexpr int kWriteTimeoutMs = 1000;
    static constexpr int kReplyTimeoutMs = 1000;
    // Pause after closing, so that an immediate re-open finds the line released.
    static constexpr int kCloseSettleMs = 200;
    // Most bytes held between reads; older ones are dropped beyond it.
    static constexpr std::size_t kMaxQueuedBytes = 64 * 1024;

    CSerialPort() = default;
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;
    virtual ~CSerialPort();

    // Opens COM port `portNo` through the built-in device mapping.
    bool Open(int portNo, int baudRate, int byteSize, int parity, int stopBits);
    // Opens the port of `settings`, with the device paths of `devices`
    // replacing the built-in mapping where they name the port.
    bool Open(const PortSettings& settings, const PortDeviceMap& devices);
    // Opens a device by path (a pseudo-terminal, a /dev/serial/by-id link).
    bool OpenDevice(const std::string& path, int baudRate, int byteSize, int parity, int stopBits);
    // Safe to call when closed; pauses kCloseSettleMs only when a port was open.
    void Close();

    // Discards unread input and unsent output, then sends `text` (without its
    // NUL). False when it could not be written within kWriteTimeoutMs.
    bool Write(const char* text);

    // Waits up to kReplyTimeoutMs for an LF, then takes what is queued at that
    // moment, at most `length` - 1 bytes; the buffer is zero-filled, so the
    // text always ends in a NUL. On Ok `length` is the number of bytes taken.
    LinkResult ReadReply(char* buffer, int& length);
    // The same with a wait of `waitMs` for the LF (0: only what is queued).
    LinkResult ReadReply(char* buffer, int& length, int waitMs);

    // Reads and drops whatever arrives until the line has stayed silent for
    // `quietMs`, at most `limitMs` in all. True when it fell silent; false
    // when it kept talking, was hung up, or `giveUp` (asked every few tens
    // of milliseconds) said so.
    bool DropUntilQuiet(int quietMs, int limitMs, const std::function<bool()>& giveUp = {});

    // How long `bytes` characters take on the open line (start, data,
    // parity and stop bits), rounded up to whole milliseconds.
    int TransferMs(std::size_t bytes) const;

    bool IsOpen() const { return fd_ >= 0; }
    // The errno of the last failed open or write (0 when none failed).
    std::uint32_t LastError() const { return lastError_; }

  private:
    struct LineFlags;
    // The termios flags of a line; false when the platform cannot give it.
    static bool MakeLineFlags(int baudRate, int byteSize, int parity, int stopBits, LineFlags& flags);
    bool Fail(int error);
    bool Configure(const LineFlags& flags);
    // Reads whatever the line holds now into pending_; false on a line error
    // or hang-up (errno-style code in `error`).
    bool Drain(int& error);

    int fd_ = -1;
    std::uint32_t lastError_ = 0;
    int baudRate_ = 0;
    int bitsPerChar_ = 10;
    // Bytes already taken from the line but not yet handed out: the part of
    // a reply beyond the caller's capacity, dropped by the next purge.
    std::vector<char> pending_;
};

}  // namespace kelp
