#include <gtest/gtest.h>

#include "link/PortSettings.h"

namespace kelp {
namespace {

TEST(PortDevicePath, BuiltInMapping) {
    EXPECT_EQ(PortDevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(PortDevicePath(4), "/dev/ttyS3");
    EXPECT_EQ(PortDevicePath(5), "/dev/ttyUSB0");
    EXPECT_EQ(PortDevicePath(12), "/dev/ttyUSB7");
    EXPECT_EQ(PortDevicePath(13), "/dev/ttyACM0");
    EXPECT_EQ(PortDevicePath(19), "/dev/ttyACM6");
    EXPECT_EQ(PortDevicePath(0), "");
    EXPECT_EQ(PortDevicePath(20), "");
    EXPECT_EQ(PortDevicePath(-3), "");
}

TEST(PortDevicePath, OverridesReplaceOnlyTheirNumber) {
    const PortDeviceMap overrides{{3, "/dev/pts/7"}, {20, "/dev/serial/by-id/probe"}, {5, ""}};
    EXPECT_EQ(PortDevicePath(3, overrides), "/dev/pts/7");
    EXPECT_EQ(PortDevicePath(20, overrides), "/dev/serial/by-id/probe");
    EXPECT_EQ(PortDevicePath(4, overrides), "/dev/ttyS3");
    // An empty entry does not hide the built-in path.
    EXPECT_EQ(PortDevicePath(5, overrides), "/dev/ttyUSB0");
}

}  // namespace
}  // namespace kelp
