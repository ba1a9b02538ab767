#include "app/SerialDevices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/settings/TempDir.h"

namespace kelp {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& file, const std::string& text = "x") {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

// A machine with a 16550A on ttyS0, no UART behind ttyS1, an FTDI adapter
// (ttyUSB0, known by id), a modem (ttyACM0), a Bluetooth port and
// terminals that are no serial ports.
class SerialDevicesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* node :
             {"ttyS0", "ttyS1", "ttyUSB10", "ttyUSB0", "ttyACM0", "rfcomm0", "tty5", "ttyUSBx", "ptmx"}) {
            Touch(dev / node);
        }
        Touch(cls / "ttyS0" / "type", "4\n");
        Touch(cls / "ttyS1" / "type", "0\n");
        // The adapter's USB device names itself; the terminal's device
        // folder is its interface, one level below.
        const fs::path usb = root / "sys" / "usb1" / "1-2";
        Touch(usb / "manufacturer", "FTDI\n");
        Touch(usb / "product", "FT232R USB UART\n");
        fs::create_directories(usb / "1-2:1.0");
        fs::create_directories(cls / "ttyUSB0");
        fs::create_directory_symlink(usb / "1-2:1.0", cls / "ttyUSB0" / "device");
        fs::create_directories(dev / "serial" / "by-id");
        fs::create_symlink("../../ttyUSB0", byId());
        fs::create_symlink("../../ttyUSB7", dev / "serial" / "by-id" / "usb-Gone_Adapter_1-if00-port0");
        folders.dev = dev.string();
        folders.ttyClass = cls.string();
    }
    std::string byId() const {
        return (dev / "serial" / "by-id" / "usb-FTDI_FT232R_USB_UART_A9XYZ-if00-port0").string();
    }

    test::TempDir temp;
    fs::path root = temp.Path();
    fs::path dev = root / "dev";
    fs::path cls = root / "class";
    DeviceFolders folders;
};

TEST_F(SerialDevicesTest, ListsEveryPresentDeviceStableNamesFirst) {
    std::vector<std::string> paths;
    std::vector<std::string> names;
    for (const SerialDevice& device : ListSerialDevices(folders)) {
        paths.push_back(device.path);
        names.push_back(device.name);
    }
    const std::string d = dev.string() + "/";
    EXPECT_EQ(paths, (std::vector<std::string>{byId(), d + "ttyS0", d + "ttyUSB0", d + "ttyUSB10",
                                               d + "ttyACM0", d + "rfcomm0"}));
    EXPECT_EQ(names,
              (std::vector<std::string>{"FTDI FT232R USB UART", "", "FTDI FT232R USB UART", "", "", ""}));
    // Without the USB device's own words the link's name is read.
    fs::remove(cls / "ttyUSB0" / "device");
    EXPECT_EQ(ListSerialDevices(folders).front().name, "FTDI FT232R USB UART A9XYZ");
}

TEST_F(SerialDevicesTest, ChosenDeviceIsKeptUnderItsStableName) {
    EXPECT_EQ(StableDevicePath((dev / "ttyUSB0").string(), folders), byId());
    EXPECT_EQ(StableDevicePath(byId(), folders), byId());
    EXPECT_EQ(StableDevicePath((dev / "ttyACM0").string(), folders), (dev / "ttyACM0").string());
    EXPECT_EQ(BuiltInPortNumber(byId(), folders), 5);
    EXPECT_EQ(BuiltInPortNumber((dev / "ttyS0").string(), folders), 1);
    EXPECT_EQ(BuiltInPortNumber((dev / "ttyACM0").string(), folders), 13);
    EXPECT_EQ(BuiltInPortNumber((dev / "ttyUSB10").string(), folders), 0);
    EXPECT_EQ(BuiltInPortNumber((dev / "rfcomm0").string(), folders), 0);
    EXPECT_EQ(BuiltInPortNumber((root / "elsewhere").string(), folders), 0);
}

}  // namespace
}  // namespace kelp
