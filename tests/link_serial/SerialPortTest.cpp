#include <gtest/gtest.h>
#include <termios.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

#include "link/SerialPort.h"
#include "tests/link_support/PtyPair.h"

namespace kelp {
namespace {

using Clock = std::chrono::steady_clock;
using test::CPtyPair;

long long MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class SerialPortTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!pty_.Ok()) {
            GTEST_SKIP() << "no pseudo-terminal available on this system";
        }
    }
    bool OpenDefault(CSerialPort& port) { return port.OpenDevice(pty_.Path(), 19200, 8, 0, 0); }

    CPtyPair pty_;
};

TEST_F(SerialPortTest, OpenFailuresKeepThePortClosedWithTheError) {
    CSerialPort port;
    EXPECT_FALSE(port.OpenDevice("/dev/no-such-kelp-port", 19200, 8, 0, 0));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.LastError(), static_cast<std::uint32_t>(ENOENT));

    // A number outside 1..19 with no override has no device.
    EXPECT_FALSE(port.Open(PortSettings{0, 19200, 8, 0, 0}, {}));
    EXPECT_EQ(port.LastError(), static_cast<std::uint32_t>(ENODEV));

    struct Line {
        const char* what;
        int baud, bits, parity, stop;
    };
    const Line bad[] = {
        {"unsupported baud rate", 14400, 8, 0, 0},
        {"zero baud rate", 0, 8, 0, 0},
        {"4 data bits", 19200, 4, 0, 0},
        {"9 data bits", 19200, 9, 0, 0},
        {"parity code 3", 19200, 8, 3, 0},
        {"parity code 255", 19200, 8, 255, 0},
        {"1.5 stop bits with 8 data bits", 19200, 8, 0, 1},
        {"1.5 stop bits with 6 data bits", 19200, 6, 0, 1},
        {"2 stop bits with 5 data bits", 19200, 5, 0, 2},
        {"stop-bit code 3", 19200, 8, 0, 3},
    };
    for (const Line& l : bad) {
        EXPECT_FALSE(port.OpenDevice(pty_.Path(), l.baud, l.bits, l.parity, l.stop)) << l.what;
        EXPECT_FALSE(port.IsOpen()) << l.what;
        EXPECT_EQ(port.LastError(), static_cast<std::uint32_t>(EINVAL)) << l.what;
    }

    // What the platform can give opens, and the line gets it. 1.5 stop bits
    // with 5 data bits is the UART's "two stop bits" flag.
    struct Given {
        Line line;
        speed_t speed;
        tcflag_t flags;
    };
    const Given good[] = {{{"default", 19200, 8, 0, 0}, B19200, CS8},
                          {{"odd, 7 bits, 2 stop", 9600, 7, 1, 2}, B9600, CS7 | PARENB | PARODD | CSTOPB},
                          {{"even, 6 bits", 57600, 6, 2, 0}, B57600, CS6 | PARENB},
                          {{"1.5 stop bits with 5 data bits", 4800, 5, 0, 1}, B4800, CS5 | CSTOPB}};
    for (const Given& g : good) {
        const Line& l = g.line;
        EXPECT_TRUE(port.OpenDevice(pty_.Path(), l.baud, l.bits, l.parity, l.stop)) << l.what;
        EXPECT_TRUE(port.IsOpen()) << l.what;
        const termios tio = pty_.Line();
        // A pseudo-terminal forces 8 bits without parity onto its line, so
        // of the character format only the stop bits and odd parity show.
        EXPECT_EQ(tio.c_cflag & (PARODD | CSTOPB), g.flags & (PARODD | CSTOPB)) << l.what;
        EXPECT_EQ(cfgetospeed(&tio), g.speed) << l.what;
        EXPECT_EQ(cfgetispeed(&tio), g.speed) << l.what;
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u) << l.what << ": not raw";
    }
}

TEST_F(SerialPortTest, SecondOpenOfTheSameDeviceFailsUntilClosed) {
    CSerialPort first;
    CSerialPort second;
    ASSERT_TRUE(OpenDefault(first));
    EXPECT_FALSE(OpenDefault(second));
    EXPECT_EQ(second.LastError(), static_cast<std::uint32_t>(EBUSY));
    first.Close();
    EXPECT_TRUE(OpenDefault(second));
}

TEST_F(SerialPortTest, OpensThroughTheOverrideMap) {
    CSerialPort port;
    PortSettings settings;
    settings.PortNo = 12;
    EXPECT_TRUE(port.Open(settings, PortDeviceMap{{12, pty_.Path()}}));
}

TEST_F(SerialPortTest, ClosePausesOnlyWhenAPortWasOpen) {
    CSerialPort port;
    auto start = Clock::now();
    port.Close();
    EXPECT_LT(MsSince(start), 50);

    ASSERT_TRUE(OpenDefault(port));
    start = Clock::now();
    port.Close();
    EXPECT_GE(MsSince(start), CSerialPort::kCloseSettleMs);
    EXPECT_FALSE(port.IsOpen());
    start = Clock::now();
    port.Close();
    EXPECT_LT(MsSince(start), 50);
}

TEST_F(SerialPortTest, WriteSendsTheTextAndPurgesOldInput) {
    CSerialPort port;
    ASSERT_TRUE(OpenDefault(port));
    pty_.Send("stale reply\r\n");
    ASSERT_TRUE(pty_.WaitQueued(13));

    ASSERT_TRUE(port.Write("#RD@75\r\n"));
    EXPECT_EQ(pty_.ReceiveLine(), "#RD@75\r\n");
    EXPECT_EQ(pty_.QueuedForPort(), 0);

    pty_.Send("fresh\r\n");
    char buffer[300];
    int length = sizeof buffer;
    ASSERT_EQ(port.ReadReply(buffer, length), LinkResult::Ok);
    EXPECT_EQ(length, 7);
    EXPECT_STREQ(buffer, "fresh\r\n");
}

TEST_F(SerialPortTest, ReplyIsCutToCapacityMinusOne) {
    CSerialPort port;
    ASSERT_TRUE(OpenDefault(port));
    pty_.Send(std::string(399, 'x') + "\n");
    ASSERT_TRUE(pty_.WaitQueued(400));

    char buffer[301];
    std::memset(buffer, 'Z', sizeof buffer);
    int length = 300;
    ASSERT_EQ(port.ReadReply(buffer, length), LinkResult::Ok);
    EXPECT_EQ(length, 299);
    EXPECT_EQ(std::string(buffer, 299), std::string(299, 'x'));
    EXPECT_EQ(buffer[299], '\0');
    EXPECT_EQ(buffer[300], 'Z');  // nothing written past the capacity
}

TEST_F(SerialPortTest, FloodWithoutLfStaysBounded) {
    CSerialPort port;
    ASSERT_TRUE(OpenDefault(port));
    const std::string flood(3 * CSerialPort::kMaxQueuedBytes, 'g');
    std::thread sender([&] { pty_.Send(flood + "\n"); });
    char buffer[300];
    int length = sizeof buffer;
    const LinkResult result = port.ReadReply(buffer, length);
    sender.join();
    ASSERT_EQ(result, LinkResult::Ok);
    EXPECT_EQ(length, 299);
    EXPECT_EQ(std::string(buffer), std::string(299, 'g'));
}

TEST_F(SerialPortTest, ReplyWaitsForTheLf) {
    CSerialPort port;
    ASSERT_TRUE(OpenDefault(port));
    char buffer[300];

    // Bytes without an LF are not a reply.
    pty_.Send("#RN00012@4E\r");
    auto start = Clock::now();
    int length = sizeof buffer;
    EXPECT_EQ(port.ReadReply(buffer, length), LinkResult::Timeout);
    const auto waited = MsSince(start);
    EXPECT_GE(waited, CSerialPort::kReplyTimeoutMs);
    EXPECT_LT(waited, CSerialPort::kReplyTimeoutMs + 300);

    // A reply in two pieces is read whole once its LF is there.
    ASSERT_TRUE(port.Write("#RN@7F\r\n"));
    pty_.Send("#RN000");
    std::thread late([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        pty_.Send("12@4E\r\n");
    });
    length = sizeof buffer;
    EXPECT_EQ(port.ReadReply(buffer, length), LinkResult::Ok);
    late.join();
    EXPECT_STREQ(buffer, "#RN00012@4E\r\n");
}

TEST_F(SerialPortTest, HungUpLineFailsAtOnce) {
    CSerialPort port;
    ASSERT_TRUE(OpenDefault(port));
    pty_.HangUp();
    const auto start = Clock::now();
    char buffer[300];
    int length = sizeof buffer;
    EXPECT_EQ(port.ReadReply(buffer, length), LinkResult::CommError);
    EXPECT_FALSE(port.Write("#RD@75\r\n"));
    EXPECT_EQ(port.LastError(), static_cast<std::uint32_t>(EIO));
    EXPECT_LT(MsSince(start), 500);
}

TEST_F(SerialPortTest, WriteThatCannotGoOutFailsAfterASecond) {
    CSerialPort port;
    ASSERT_TRUE(OpenDefault(port));
    // Nobody reads the other side: the line's buffers fill up.
    const std::string flood(4 << 20, 'w');
    const auto start = Clock::now();
    EXPECT_FALSE(port.Write(flood.c_str()));
    EXPECT_EQ(port.LastError(), static_cast<std::uint32_t>(ETIMEDOUT));
    const auto waited = MsSince(start);
    EXPECT_GE(waited, CSerialPort::kWriteTimeoutMs);
    EXPECT_LT(waited, CSerialPort::kWriteTimeoutMs + 300);
}

}  // namespace
}  // namespace kelp
