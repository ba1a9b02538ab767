#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFont>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/SettingsStore.h"
#include "tests/ui_dialogs/MessageLog.h"
#include "ui/dialogs/PortSettingsDlg.h"
#include "ui/main/MessageBox.h"

namespace kelp {
namespace {

using test::Control;

// Shows the dialog on `settings`, lets `edit` change the lists, and presses
// OK (or Cancel when `ok` is false).
template <typename Edit>
int RunDialog(CPortSettingsDlg& dlg, PortSettings& settings, Edit edit, bool ok = true) {
    dlg.SetSettings(&settings);
    QTimer::singleShot(0, &dlg, [&] {
        edit(dlg);
        Control<QPushButton>(&dlg, ok ? IDOK : IDCANCEL)->click();
    });
    return dlg.DoModal();
}

int Selected(CPortSettingsDlg& dlg, int id) {
    return Control<QComboBox>(&dlg, id)->currentIndex();
}

TEST(PortSettingsDlg, ListsShowTheStoredSettings) {
    PortSettings settings{19, 38400, 7, 2, 1};
    QTemporaryDir noDevices;  // a machine without serial devices of its own
    CPortSettingsDlg dlg;
    dlg.SetSettings(&settings);
    dlg.SetDeviceFolders({noDevices.path().toStdString(), noDevices.path().toStdString()});
    dlg.show();
    auto* port = Control<QComboBox>(&dlg, IDC_PORT_NO);
    ASSERT_EQ(port->count(), 19);
    EXPECT_EQ(port->currentIndex(), 18);
    EXPECT_TRUE(port->currentText().startsWith(QStringLiteral("COM19 (/dev/ttyACM6)")));
    EXPECT_EQ(port->itemText(4), QStringLiteral("COM5 (/dev/ttyUSB0)"));
    auto* baud = Control<QComboBox>(&dlg, IDC_BAUD_RATE);
    ASSERT_EQ(baud->count(), 5);
    EXPECT_EQ(baud->itemText(0), QStringLiteral(" 4800"));
    EXPECT_EQ(baud->currentText(), QStringLiteral("38400"));
    EXPECT_EQ(Control<QComboBox>(&dlg, IDC_BYTE_SIZE)->currentText(), QStringLiteral("7"));
    EXPECT_EQ(Selected(dlg, IDC_PARITY), 2);
    EXPECT_EQ(Control<QComboBox>(&dlg, IDC_STOP_BITS)->currentText(), QStringLiteral("1.5"));
    dlg.reject();
}

TEST(PortSettingsDlg, ValuesOutsideTheListsFallBackToDefaults) {
    // A baud rate or bit count that is not listed shows 19200 or 8; a parity
    // or stop-bit code beyond the lists shows entry 0 and never comes back
    // from OK as 255.
    PortSettings settings{3, 1200, 9, 7, 200};
    CPortSettingsDlg dlg;
    EXPECT_EQ(RunDialog(dlg, settings, [](CPortSettingsDlg&) {}), IDOK);
    EXPECT_EQ(settings.PortNo, 3);
    EXPECT_EQ(settings.BaudRate, 19200);
    EXPECT_EQ(settings.ByteSize, 8);
    EXPECT_EQ(settings.Parity, 0);
    EXPECT_EQ(settings.StopBits, 0);
}

TEST(PortSettingsDlg, OkStoresTheChoiceAndWritesTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CSettingsStore store(dir.filePath(QStringLiteral("Kelp-Win.ini")).toStdString());
    PortSettings settings;
    CPortSettingsDlg dlg;
    dlg.SetStore(&store);
    const int result = RunDialog(dlg, settings, [](CPortSettingsDlg& d) {
        Control<QComboBox>(&d, IDC_PORT_NO)->setCurrentIndex(18);
        Control<QComboBox>(&d, IDC_BAUD_RATE)->setCurrentIndex(4);
        Control<QComboBox>(&d, IDC_BYTE_SIZE)->setCurrentIndex(3);
        Control<QComboBox>(&d, IDC_PARITY)->setCurrentIndex(1);
        Control<QComboBox>(&d, IDC_STOP_BITS)->setCurrentIndex(2);
    });
    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(settings.PortNo, 19);
    EXPECT_EQ(settings.BaudRate, 57600);
    EXPECT_EQ(settings.ByteSize, 7);
    EXPECT_EQ(settings.Parity, 1);
    EXPECT_EQ(settings.StopBits, 2);

    PortSettings read;
    PortDeviceMap devices;
    store.ReadPortSettings(read, devices);
    EXPECT_EQ(read.PortNo, 19);
    EXPECT_EQ(read.BaudRate, 57600);
    EXPECT_EQ(read.ByteSize, 7);
    EXPECT_EQ(read.Parity, 1);
    EXPECT_EQ(read.StopBits, 2);
}

TEST(PortSettingsDlg, CancelChangesNothingAndWritesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kelp-Win.ini"));
    const CSettingsStore store(path.toStdString());
    PortSettings settings{5, 9600, 8, 0, 0};
    CPortSettingsDlg dlg;
    dlg.SetStore(&store);
    const int result = RunDialog(
        dlg, settings, [](CPortSettingsDlg& d) { Control<QComboBox>(&d, IDC_PORT_NO)->setCurrentIndex(0); },
        false);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(settings.PortNo, 5);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(PortSettingsDlg, MarksPortsWhoseDeviceExists) {
    QTemporaryDir dir;
    const std::string present = dir.filePath(QStringLiteral("tty-sim")).toStdString();
    std::ofstream(present).put('x');
    PortSettings settings;
    CPortSettingsDlg dlg;
    dlg.SetSettings(&settings);
    dlg.SetDeviceMap({{7, present}, {8, dir.filePath(QStringLiteral("gone")).toStdString()}});
    dlg.show();
    auto* port = Control<QComboBox>(&dlg, IDC_PORT_NO);
    EXPECT_EQ(port->itemText(6), QStringLiteral("COM7 (%1)").arg(QString::fromStdString(present)));
    EXPECT_TRUE(port->itemData(6, CPortSettingsDlg::kDevicePresentRole).toBool());
    EXPECT_TRUE(port->itemData(6, Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(port->itemData(7, CPortSettingsDlg::kDevicePresentRole).toBool());
    EXPECT_FALSE(port->itemData(7, Qt::FontRole).isValid());
    EXPECT_FALSE(port->itemIcon(6).isNull());
    dlg.reject();
}

TEST(PortSettingsDlg, BuiltInSerialPortWithoutUartIsNotPresent) {
    // A fake class folder: ttyS1 has a 16550A, ttyS2 has no UART (type 0),
    // ttyS3 has no class entry at all.
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString();
    QDir().mkpath(dir.filePath(QStringLiteral("dev")));
    for (const char* name : {"ttyS1", "ttyS2", "ttyS3"}) {
        std::ofstream(root + "/dev/" + name).put('x');
    }
    for (auto [name, type] : {std::pair{"ttyS1", "4\n"}, std::pair{"ttyS2", "0\n"}}) {
        QDir().mkpath(QString::fromStdString(root + "/class/" + name));
        std::ofstream(root + "/class/" + name + "/type") << type;
    }
    const std::string link = root + "/dev/by-id-adapter";
    std::filesystem::create_symlink(root + "/dev/ttyS2", link);
    const std::string classDir = root + "/class";
    EXPECT_TRUE(CPortSettingsDlg::DevicePresent(root + "/dev/ttyS1", classDir));
    EXPECT_FALSE(CPortSettingsDlg::DevicePresent(root + "/dev/ttyS2", classDir));
    EXPECT_FALSE(CPortSettingsDlg::DevicePresent(link, classDir)) << "followed to ttyS2";
    EXPECT_TRUE(CPortSettingsDlg::DevicePresent(root + "/dev/ttyS3", classDir));
    EXPECT_FALSE(CPortSettingsDlg::DevicePresent(root + "/dev/ttyS4", classDir)) << "no node";
    EXPECT_FALSE(CPortSettingsDlg::DevicePresent(root + "/dev", classDir)) << "a folder";
    EXPECT_FALSE(CPortSettingsDlg::DevicePresent("", classDir));
}

TEST(PortSettingsDlg, ImpossibleLineSettingsAreRefusedAtOk) {
    test::MessageLog log;
    PortSettings settings{3, 19200, 8, 0, 0};
    CPortSettingsDlg dlg;
    dlg.SetSettings(&settings);
    dlg.show();
    auto* bits = Control<QComboBox>(&dlg, IDC_BYTE_SIZE);
    auto* stop = Control<QComboBox>(&dlg, IDC_STOP_BITS);
    auto* ok = Control<QPushButton>(&dlg, IDOK);
    struct Case {
        int bits;
        int stop;
        int message;
        QComboBox* focus;
    };
    for (const Case& c : {Case{4, 0, IDS_PORT_BYTE_SIZE_4, bits}, Case{8, 1, IDS_PORT_STOP_BITS_1_5, stop},
                          Case{6, 1, IDS_PORT_STOP_BITS_1_5, stop}, Case{5, 2, IDS_PORT_STOP_BITS_2, stop}}) {
        log.ids.clear();
        bits->setCurrentIndex(bits->findText(QString::number(c.bits)));
        stop->setCurrentIndex(c.stop);
        ok->click();
        EXPECT_EQ(log.ids, std::vector<int>{c.message}) << c.bits << "/" << c.stop;
        EXPECT_EQ(log.styles.back(), kStyleError);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.focusWidget(), c.focus) << c.bits << "/" << c.stop;
        EXPECT_EQ(settings.ByteSize, 8) << "nothing stored";
    }
    // 1.5 stop bits with 5 data bits is what a UART does.
    bits->setCurrentIndex(bits->findText(QStringLiteral("5")));
    stop->setCurrentIndex(1);
    log.ids.clear();
    ok->click();
    EXPECT_TRUE(log.ids.empty());
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(settings.ByteSize, 5);
    EXPECT_EQ(settings.StopBits, 1);
}

TEST(PortSettingsDlg, FocusStartsAtThePortAndTabFollowsTheEye) {
    PortSettings settings;
    CPortSettingsDlg dlg;
    dlg.SetSettings(&settings);
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    std::vector<QString> order;
    for (int i = 0; i < 8; ++i) {
        order.push_back(QApplication::focusWidget()->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order, (std::vector<QString>{"1207", "1208", "1209", "1210", "1211", "1", "2", "1207"}));
    // The labels' mnemonics lead to their lists.
    QTest::keyClick(&dlg, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Control<QComboBox>(&dlg, IDC_STOP_BITS));
    dlg.reject();
}

// The machine's own serial devices follow COM1 to COM19; the one chosen is
// kept under its stable name with the port number it stands for.
TEST(PortSettingsDlg, DevicesOfTheMachineAreOfferedAndKept) {
    QTemporaryDir dir;
    const std::string dev = dir.filePath(QStringLiteral("dev")).toStdString();
    const std::string byId = dev + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A9XYZ-if00-port0";
    std::filesystem::create_directories(dev + "/serial/by-id");
    for (const char* node : {"ttyUSB0", "rfcomm0"}) {
        std::ofstream(dev + "/" + node).put('x');
    }
    std::filesystem::create_symlink("../../ttyUSB0", byId);
    const CSettingsStore store(dir.filePath(QStringLiteral("Kelp-Win.ini")).toStdString());

    auto choose = [&](const QString& wanted, PortSettings& settings, CPortSettingsDlg& dlg) {
        dlg.SetSettings(&settings);
        dlg.SetStore(&store);
        dlg.SetDeviceFolders({dev, dir.filePath(QStringLiteral("class")).toStdString()});
        dlg.show();
        auto* port = Control<QComboBox>(&dlg, IDC_PORT_NO);
        const int entry = port->findText(wanted, Qt::MatchContains);
        EXPECT_GT(entry, kPortCount) << wanted.toStdString();
        port->setCurrentIndex(entry);
        Control<QPushButton>(&dlg, IDOK)->click();
    };
    PortSettings settings;
    CPortSettingsDlg first;
    choose(QStringLiteral("FTDI FT232R USB UART A9XYZ (%1)").arg(QString::fromStdString(byId)), settings,
           first);
    EXPECT_EQ(settings.PortNo, 5) << "ttyUSB0 is COM5";
    PortSettings read;
    PortDeviceMap devices;
    store.ReadPortSettings(read, devices);
    EXPECT_EQ(read.PortNo, 5);
    EXPECT_EQ(devices, (PortDeviceMap{{5, byId}}));
    EXPECT_EQ(first.DeviceMap(), devices);

    // A device no number stands for takes the last free one.
    CPortSettingsDlg second;
    second.SetDeviceMap(devices);
    choose(QStringLiteral("rfcomm0"), settings, second);
    store.ReadPortSettings(read, devices);
    EXPECT_EQ(settings.PortNo, 19);
    EXPECT_EQ(devices, (PortDeviceMap{{5, byId}, {19, dev + "/rfcomm0"}}));
}

}  // namespace
}  // namespace kelp
