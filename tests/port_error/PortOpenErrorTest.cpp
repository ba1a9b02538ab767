#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "app/PortOpenError.h"
#include "link/SerialPort.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp {
namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The errno values that real opens of a device give, sorted the way a
// person would act on them.
TEST(PortOpenReasonTest, ErrnoValuesSortIntoReasons) {
    for (int e : {ENOENT, ENODEV, ENXIO, EIO}) {
        EXPECT_EQ(ClassifyPortOpenError(e), PortOpenReason::NoDevice) << e;
    }
    for (int e : {EACCES, EPERM}) {
        EXPECT_EQ(ClassifyPortOpenError(e), PortOpenReason::Permission) << e;
    }
    for (int e : {EBUSY, EWOULDBLOCK}) {
        EXPECT_EQ(ClassifyPortOpenError(e), PortOpenReason::Busy) << e;
    }
    for (int e : {EINVAL, ENOTTY, ENOMEM, 0, 9999}) {
        EXPECT_EQ(ClassifyPortOpenError(e), PortOpenReason::Other) << e;
    }
}

// Failures produced by the system itself, not spelled by hand.
TEST(PortOpenReasonTest, RealFailuresOfOpenAndLock) {
    ASSERT_LT(::open("/dev/kelp-no-such-port", O_RDWR | O_NOCTTY), 0);
    EXPECT_EQ(ClassifyPortOpenError(errno), PortOpenReason::NoDevice);

    // The serial port takes an exclusive lock; a second holder sees it busy.
    const std::string path =
        std::filesystem::temp_directory_path() / ("kelp-busy-" + std::to_string(::getpid()));
    std::ofstream(path) << "x";
    const int first = ::open(path.c_str(), O_RDWR);
    const int second = ::open(path.c_str(), O_RDWR);
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    ASSERT_EQ(::flock(first, LOCK_EX | LOCK_NB), 0);
    ASSERT_NE(::flock(second, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(ClassifyPortOpenError(errno), PortOpenReason::Busy);
    ::close(first);
    ::close(second);

    if (::geteuid() != 0) {
        ::chmod(path.c_str(), 0);
        ASSERT_LT(::open(path.c_str(), O_RDWR), 0);
        EXPECT_EQ(ClassifyPortOpenError(errno), PortOpenReason::Permission);
    }
    std::filesystem::remove(path);
}

class PortOpenTextTest : public ::testing::Test {
  protected:
    void TearDown() override { SelectLanguage("ja_JP", ""); }
};

TEST_F(PortOpenTextTest, JapaneseMessageKeepsMessage1006AndAddsPathAndReason) {
    SelectLanguage("ja_JP", "");
    const std::string text = PortOpenErrorMessage("/dev/ttyUSB0", ENOENT);
    EXPECT_EQ(text.rfind(LoadText(IDS_PORT_OPEN_FAILED) + "\n\n", 0), 0u) << text;
    EXPECT_TRUE(Contains(text, "デバイス：/dev/ttyUSB0\n")) << text;
    EXPECT_TRUE(Contains(text, "ケーブルの接続とポート番号を確認してください")) << text;

    const std::string busy = PortOpenErrorDetail("/dev/ttyS0", EBUSY);
    EXPECT_TRUE(Contains(busy, "使用中")) << busy;
    EXPECT_FALSE(Contains(busy, "ケーブル")) << busy;
}

TEST_F(PortOpenTextTest, EnglishReasonsSayWhatToDo) {
    ASSERT_TRUE(SelectLanguage("en_US", KELP_ENGLISH_TEXT_SOURCE));
    const std::string missing = PortOpenErrorMessage("/dev/ttyACM0", ENODEV);
    EXPECT_EQ(missing.rfind("The port could not be opened.\n\nDevice: /dev/ttyACM0\n", 0), 0u) << missing;
    EXPECT_TRUE(Contains(missing, "Check the cable and the port number.")) << missing;

    const std::string denied = PortOpenErrorDetail("/dev/kelp-no-such-port", EACCES);
    EXPECT_TRUE(Contains(denied, "dialout")) << denied;
    EXPECT_TRUE(Contains(denied, "log in again")) << denied;
    // No device node to ask for its group: no group line.
    EXPECT_FALSE(Contains(denied, "Group of the device")) << denied;

    EXPECT_TRUE(Contains(PortOpenErrorDetail("/dev/ttyS1", EBUSY), "Another program holds it")) << "busy";

    const std::string other = PortOpenErrorDetail("/dev/ttyS1", EINVAL);
    EXPECT_TRUE(Contains(other, "System error: ")) << other;
    EXPECT_TRUE(Contains(other, std::generic_category().message(EINVAL))) << other;
}

TEST_F(PortOpenTextTest, PermissionNamesTheGroupThatOwnsTheDevice) {
    ASSERT_TRUE(SelectLanguage("en_US", KELP_ENGLISH_TEXT_SOURCE));
    const std::string path =
        std::filesystem::temp_directory_path() / ("kelp-dev-" + std::to_string(::getpid()));
    std::ofstream(path) << "x";
    const struct group* own = ::getgrgid(::getegid());
    ASSERT_NE(own, nullptr);
    const std::string groupName = own->gr_name;
    const std::string text = PortOpenErrorDetail(path, EACCES);
    std::filesystem::remove(path);
    EXPECT_TRUE(Contains(text, "\nGroup of the device: " + groupName)) << text;
}

TEST_F(PortOpenTextTest, EmptyPathLeavesOutTheDeviceLine) {
    SelectLanguage("ja_JP", "");
    const std::string text = PortOpenErrorDetail("", ENODEV);
    EXPECT_FALSE(Contains(text, "デバイス：")) << text;
    EXPECT_EQ(text, LoadText(IDS_PORT_REASON_NO_DEVICE));
}

// What the window shows after a run could not open the port: the reason the
// run's own open failed with, for each way a real device refuses, even when
// the port is free again by the time the box is shown.
TEST_F(PortOpenTextTest, DescribingAFailedRunUsesTheRunsOwnError) {
    ASSERT_TRUE(SelectLanguage("en_US", KELP_ENGLISH_TEXT_SOURCE));
    const std::string failed = LoadText(IDS_PORT_OPEN_FAILED) + "\n\n";
    PortSettings port;
    port.PortNo = 3;

    CSerialPort run;
    ASSERT_FALSE(run.Open(port, {{3, "/nonexistent/kelp-tty"}}));
    const std::string missing =
        DescribePortOpenFailure(port, {{3, "/nonexistent/kelp-tty"}}, static_cast<int>(run.LastError()));
    EXPECT_EQ(missing, failed + "Device: /nonexistent/kelp-tty\n" + LoadText(IDS_PORT_REASON_NO_DEVICE));

    // A number without a device: no path to show.
    port.PortNo = 25;
    ASSERT_FALSE(run.Open(port, {}));
    EXPECT_EQ(DescribePortOpenFailure(port, {}, static_cast<int>(run.LastError())),
              failed + LoadText(IDS_PORT_REASON_NO_DEVICE));
    port.PortNo = 3;

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string terminal = ::ptsname(master);
    const PortDeviceMap devices{{3, terminal}};
    int busyError = 0;
    {
        CSerialPort holder;
        ASSERT_TRUE(holder.Open(port, devices));
        const PortOpenProbe busy = ProbePortOpen(port, devices);
        EXPECT_EQ(busy.devicePath, terminal);
        EXPECT_EQ(ClassifyPortOpenError(busy.error), PortOpenReason::Busy) << busy.error;
        ASSERT_FALSE(run.Open(port, devices));
        busyError = static_cast<int>(run.LastError());
    }
    // Free again by the time the box is shown: still the reason of the run.
    EXPECT_EQ(ProbePortOpen(port, devices).error, 0);
    EXPECT_EQ(DescribePortOpenFailure(port, devices, busyError),
              failed + "Device: " + terminal + "\n" + LoadText(IDS_PORT_REASON_BUSY));
    ::close(master);
}

}  // namespace
}  // namespace kelp
