#include "link/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace kelp {
namespace {

using Clock = std::chrono::steady_clock;

struct BaudEntry {
    int rate;
    speed_t speed;
};

constexpr BaudEntry kBaudRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

int RemainingMs(Clock::time_point deadline) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

CSerialPort::~CSerialPort() {
    Close();
}

struct CSerialPort::LineFlags {
    speed_t speed = B0;
    tcflag_t cflag = 0;
};

bool CSerialPort::MakeLineFlags(int baudRate, int byteSize, int parity, int stopBits, LineFlags& flags) {
    const auto baud = std::find_if(std::begin(kBaudRates), std::end(kBaudRates),
                                   [baudRate](const BaudEntry& e) { return e.rate == baudRate; });
    if (baud == std::end(kBaudRates)) {
        return false;
    }
    tcflag_t size = 0;
    switch (byteSize) {
        case 5:
            size = CS5;
            break;
        case 6:
            size = CS6;
            break;
        case 7:
            size = CS7;
            break;
        case 8:
            size = CS8;
            break;
        default:
            return false;
    }
    tcflag_t parityFlags = 0;
    switch (parity) {
        case 0:
            break;
        case 1:
            parityFlags = PARENB | PARODD;
            break;
        case 2:
            parityFlags = PARENB;
            break;
        default:
            return false;
    }
    // One and a half stop bits exist only with 5 data bits, and there they
    // are what the "two stop bits" flag gives.
    if (stopBits < 0 || stopBits > 2 || CheckLineSettings(byteSize, stopBits) != LineFault::None) {
        return false;
    }
    const tcflag_t stopFlags = stopBits == 0 ? 0 : CSTOPB;
    flags.speed = baud->speed;
    flags.cflag = size | parityFlags | stopFlags;
    return true;
}

bool CSerialPort::Open(int portNo, int baudRate, int byteSize, int parity, int stopBits) {
    return Open(PortSettings{portNo, baudRate, static_cast<std::uint8_t>(byteSize),
                             static_cast<std::uint8_t>(parity), static_cast<std::uint8_t>(stopBits)},
                PortDeviceMap{});
}

bool CSerialPort::Open(const PortSettings& settings, const PortDeviceMap& devices) {
    const std::string path = PortDevicePath(settings.PortNo, devices);
    if (path.empty()) {
        Close();
        return Fail(ENODEV);
    }
    return OpenDevice(path, settings.BaudRate, settings.ByteSize, settings.Parity, settings.StopBits);
}

bool CSerialPort::Fail(int error) {
    lastError_ = static_cast<std::uint32_t>(error);
    return false;
}

bool CSerialPort::OpenDevice(const std::string& path, int baudRate, int byteSize, int parity, int stopBits) {
    Close();
    // Refuse what the line cannot do before touching the device.
    LineFlags flags;
    if (!MakeLineFlags(baudRate, byteSize, parity, stopBits, flags)) {
        return Fail(EINVAL);
    }
    // O_NONBLOCK: the open must not wait for a modem carrier; every later
    // wait is a bounded poll.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return Fail(errno);
    }
    // Exclusive use, as the line would be on a system without sharing.
    // flock holds against every other opener, root included; TIOCEXCL also
    // keeps out programs that do not take the lock (except root).
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return Fail(error);
    }
    if (::ioctl(fd, TIOCEXCL) != 0) {
        const int error = errno;
        ::close(fd);
        return Fail(error);
    }
    fd_ = fd;
    pending_.clear();
    baudRate_ = baudRate;
    // Start bit, data bits, parity bit, stop bits (one and a half counted as two).
    bitsPerChar_ = 1 + byteSize + (parity != 0 ? 1 : 0) + (stopBits != 0 ? 2 : 1);
    if (!Configure(flags)) {
        const std::uint32_t error = lastError_;
        Close();
        lastError_ = error;
        return false;
    }
    ::tcflush(fd_, TCIOFLUSH);
    return true;
}

bool CSerialPort::Configure(const LineFlags& flags) {
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0) {
        return Fail(errno);
    }
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL);
    tio.c_cflag |= flags.cflag | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    // VMIN 1 with O_NONBLOCK: an empty queue reads as EAGAIN, so a read of 0
    // bytes can only mean a hang-up.
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, flags.speed) != 0 || ::cfsetospeed(&tio, flags.speed) != 0) {
        return Fail(errno);
    }
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0) {
        return Fail(errno);
    }
    return true;
}

void CSerialPort::Close() {
    if (fd_ < 0) {
        return;
    }
    ::tcflush(fd_, TCIOFLUSH);
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);  // also releases the flock
    fd_ = -1;
    pending_.clear();
    std::this_thread::sleep_for(std::chrono::milliseconds(kCloseSettleMs));
}

bool CSerialPort::Write(const char* text) {
    if (fd_ < 0) {
        return Fail(EBADF);
    }
    ::tcflush(fd_, TCIOFLUSH);
    pending_.clear();

    const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
    const char* p = text;
    std::size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n > 0) {
            p += n;
            left -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            return Fail(errno);
        }
        pollfd pfd{fd_, POLLOUT, 0};
        const int ready = ::poll(&pfd, 1, RemainingMs(deadline));
        if (ready < 0 && errno != EINTR) {
            return Fail(errno);
        }
        if (ready == 0) {
            return Fail(ETIMEDOUT);
        }
        if (pfd.revents & (POLLERR | POLLHUP | POLLNVAL)) {
            return Fail(EIO);
        }
    }
    return true;
}

bool CSerialPort::Drain(int& error) {
    char chunk[512];
    for (;;) {
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n > 0) {
            pending_.insert(pending_.end(), chunk, chunk + n);
            // A line that streams bytes without an LF must not grow the
            // queue without bound: keep the newest bytes, as a driver queue
            // that overflows would.
            if (pending_.size() > kMaxQueuedBytes) {
                pending_.erase(pending_.begin(),
                               pending_.end() - static_cast<std::ptrdiff_t>(kMaxQueuedBytes));
            }
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return true;
        }
        // 0 from a tty in raw non-blocking mode means the other side hung up.
        error = n == 0 ? EIO : errno;
        return false;
    }
}

LinkResult CSerialPort::ReadReply(char* buffer, int& length) {
    return ReadReply(buffer, length, kReplyTimeoutMs);
}

LinkResult CSerialPort::ReadReply(char* buffer, int& length, int waitMs) {
    const int capacity = length;
    if (fd_ < 0 || capacity <= 0) {
        lastError_ = EBADF;
        return LinkResult::CommError;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(waitMs, 0));
    bool hungUp = false;
    for (;;) {
        int error = 0;
        if (!Drain(error)) {
            lastError_ = static_cast<std::uint32_t>(error);
            return LinkResult::CommError;
        }
        if (std::find(pending_.begin(), pending_.end(), '\n') != pending_.end()) {
            break;
        }
        // The line reported a hang-up and the read after it brought no
        // reply: nothing more can come, so waiting out the deadline (and
        // polling a line that reports the hang-up at once) helps no one.
        if (hungUp) {
            lastError_ = EIO;
            return LinkResult::CommError;
        }
        const int wait = RemainingMs(deadline);
        if (wait == 0) {
            return LinkResult::Timeout;
        }
        pollfd pfd{fd_, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, wait);
        if (ready < 0 && errno != EINTR) {
            lastError_ = static_cast<std::uint32_t>(errno);
            return LinkResult::CommError;
        }
        if (ready > 0 && (pfd.revents & (POLLERR | POLLNVAL))) {
            lastError_ = EIO;
            return LinkResult::CommError;
        }
        // POLLHUP with data still queued: the next Drain takes the data
        // first, and a reply among it is still handed out.
        hungUp = ready > 0 && (pfd.revents & POLLHUP) != 0;
    }

    const std::size_t take = std::min(pending_.size(), static_cast<std::size_t>(capacity - 1));
    std::memset(buffer, 0, static_cast<std::size_t>(capacity));
    std::memcpy(buffer, pending_.data(), take);
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(take));
    length = static_cast<int>(take);
    return LinkResult::Ok;
}

bool CSerialPort::DropUntilQuiet(int quietMs, int limitMs, const std::function<bool()>& giveUp) {
    if (fd_ < 0) {
        return false;
    }
    // How often `giveUp` is asked while the line is silent.
    constexpr int kGiveUpPollMs = 50;
    const auto limit = Clock::now() + std::chrono::milliseconds(limitMs);
    auto silentSince = Clock::now();
    pending_.clear();
    for (;;) {
        int error = 0;
        if (!Drain(error)) {
            pending_.clear();
            return Fail(error);
        }
        if (!pending_.empty()) {
            pending_.clear();
            silentSince = Clock::now();
        }
        const auto quietAt = silentSince + std::chrono::milliseconds(quietMs);
        if (Clock::now() >= quietAt) {
            return true;
        }
        if (Clock::now() >= limit || (giveUp && giveUp())) {
            return false;
        }
        const int wait = std::min({RemainingMs(quietAt), RemainingMs(limit), kGiveUpPollMs});
        pollfd pfd{fd_, POLLIN, 0};
        if (::poll(&pfd, 1, std::max(wait, 1)) < 0 && errno != EINTR) {
            return Fail(errno);
        }
        // Whatever else the line holds is dropped anyway.
        if (pfd.revents & (POLLERR | POLLHUP | POLLNVAL)) {
            return Fail(EIO);
        }
    }
}

int CSerialPort::TransferMs(std::size_t bytes) const {
    if (baudRate_ <= 0) {
        return 0;
    }
    const long long bits = static_cast<long long>(bytes) * bitsPerChar_;
    return static_cast<int>((bits * 1000 + baudRate_ - 1) / baudRate_);
}

}  // namespace kelp
