#include "tools/shots/DesktopTour.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolTip>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/DataFileName.h"
#include "app/SettingsStore.h"
#include "link/MessageTarget.h"
#include "link/PortSettings.h"
#include "link/RunEnd.h"
#include "resources/ResourceIds.h"
#include "tests/ui_main/WaitFor.h"
#include "tools/shots/TourSupport.h"
#include "ui/dialogs/PortSettingsDlg.h"
#include "ui/main/ColorLamp.h"
#include "ui/main/MainDlg.h"
#include "ui/main/MessageBox.h"
#include "ui/main/ValueCell.h"

namespace kelp {
namespace {

using namespace tour;

// The tooltip of `widget` as hovering shows it.
void ShootTip(QWidget* widget, const QString& name, const Shoot& shoot) {
    if (widget == nullptr || widget->toolTip().isEmpty()) {
        return;
    }
    QToolTip::showText(widget->mapToGlobal(widget->rect().center()), widget->toolTip(), widget);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->inherits("QTipLabel") && top->isVisible()) {
            shoot(top, name);
        }
    }
    QToolTip::hideText();
}

void ShootSizes(CMainDlg& window, const Shoot& shoot) {
    for (const QSize size : {QSize(1920, 1080), QSize(1100, 760), QSize(800, 1400)}) {
        window.resize(size);
        shoot(&window, QStringLiteral("desktop-main-%1x%2").arg(size.width()).arg(size.height()));
    }
    window.resize(800, 600);
}

// One live record whose values show every colour: white, yellow, green and
// red (state 1, 2, 5, and 1 with component error 2), with instrument error 3.
std::string ColourfulRecord() {
    struct Value {
        int element, state, error;
        const char* text;
    };
    constexpr Value kValues[] = {{10, 1, 0, "21.50"}, {1, 2, 0, "7.012"}, {24, 5, 0, "-12.3"},
                                 {2, 1, 2, " 9999"},  {6, 7, 0, "4.512"}, {3, 1, 3, "0.512"},
                                 {4, 1, 0, "8.123"},  {8, 1, 0, "2.934"}, {7, 1, 0, "28.13"},
                                 {9, 1, 0, "22.10"},  {11, 1, 0, "12.50"}};
    std::string reply =
        "#RDKELP BAY ST.01      13"
        "12.3";
    for (int i = 0; i < kSlotCount; ++i) {
        char block[16];
        if (i < static_cast<int>(std::size(kValues))) {
            const Value& v = kValues[i];
            std::snprintf(block, sizeof block, "%02d%X%X%.5s0", v.element, v.state, v.error, v.text);
        } else {
            std::snprintf(block, sizeof block, "000000.000");
        }
        reply += block;
    }
    return reply + "260615080012" + "351234 N1394506 E";
}

void ShootTips(const std::string& folder, const Shoot& shoot) {
    CSettingsStore settings(folder + "/tips/Kelp-Win.ini");
    std::filesystem::create_directories(folder + "/tips");
    CMainDlg window(settings, {});
    window.show();
    window.Target().Post(
        AppMessage{WM_APP_CAPTURE, static_cast<std::uintptr_t>(RunEnd::RecordArrived), 0, ColourfulRecord()});
    test::WaitFor([&] { return window.LiveData().GetCount() > 0; }, 2000);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    shoot(&window, QStringLiteral("desktop-main-colours"));
    for (int row : {1, 2, 3, 5}) {
        ShootTip(Find<CValueCell>(&window, IDC_VALUE_CELL_FIRST + row),
                 QStringLiteral("desktop-tip-value-%1").arg(row), shoot);
    }
    for (int id : {IDC_LAMP_CALIBRATING, IDC_LAMP_OTHER, IDC_LAMP_ERROR, IDC_LAMP_INSTRUMENT_ERROR}) {
        ShootTip(Find<CColorLamp>(&window, id), QStringLiteral("desktop-tip-lamp-%1").arg(id), shoot);
    }
}

void ShootWindowMenu(CMainDlg& window, const Shoot& shoot) {
    auto* menu = window.findChild<QMenu*>(QStringLiteral("window-menu"));
    auto* bar = window.findChild<QMenuBar*>();
    if (menu == nullptr || bar == nullptr) {
        return;
    }
    menu->popup(bar->mapToGlobal(QPoint(bar->width() - 120, bar->height() / 2)));
    shoot(menu, QStringLiteral("desktop-window-menu"));
    menu->hide();
}

void ShootFileDialogs(CMainDlg& window, const std::string& folder, const Shoot& shoot) {
    for (const bool save : {false, true}) {
        const std::string start = save ? folder + "/" + ProposedFileName(window.LiveData()) : folder;
        auto dialog = BuildFileDialog(&window, save, start);
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->show();
        shoot(dialog.get(), save ? QStringLiteral("desktop-file-save") : QStringLiteral("desktop-file-open"));
        dialog->reject();
    }
}

// A machine with a USB adapter known by its id and a Bluetooth port.
void ShootPortDevices(CMainDlg& window, const std::string& folder, const Shoot& shoot) {
    namespace fs = std::filesystem;
    const fs::path dev = fs::path(folder) / "dev";
    const fs::path usb = fs::path(folder) / "sys" / "1-2";
    std::error_code error;
    fs::create_directories(dev / "serial" / "by-id", error);
    fs::create_directories(usb / "1-2:1.0", error);
    fs::create_directories(fs::path(folder) / "class" / "ttyUSB0", error);
    for (const char* node : {"ttyUSB0", "rfcomm0"}) {
        std::ofstream(dev / node).put('x');
    }
    std::ofstream(usb / "manufacturer") << "FTDI\n";
    std::ofstream(usb / "product") << "FT232R USB UART\n";
    fs::create_directory_symlink(usb / "1-2:1.0", fs::path(folder) / "class" / "ttyUSB0" / "device", error);
    fs::create_symlink("../../ttyUSB0",
                       dev / "serial" / "by-id" / "usb-FTDI_FT232R_USB_UART_A9XYZ-if00-port0", error);

    PortSettings port{5, 19200, 8, 0, 0};
    CPortSettingsDlg dlg(&window);
    dlg.SetSettings(&port);
    dlg.SetDeviceFolders({dev.string(), (fs::path(folder) / "class").string()});
    dlg.show();
    auto* list = Find<QComboBox>(&dlg, IDC_PORT_NO);
    list->setCurrentIndex(list->findText(QStringLiteral("FT232R"), Qt::MatchContains));
    shoot(&dlg, QStringLiteral("desktop-port-device"));
    list->showPopup();
    shoot(list->view()->window(), QStringLiteral("desktop-port-devices"));
    list->hidePopup();
    // Four data bits: refused at OK, naming the setting.
    Find<QComboBox>(&dlg, IDC_BYTE_SIZE)->setCurrentIndex(0);
    Find<QPushButton>(&dlg, IDOK)->click();
    shoot(&dlg, QStringLiteral("desktop-port-refused"));
    dlg.reject();
}

}  // namespace

void ShootDesktop(CMainDlg& window, const std::string& folder, const Shoot& shoot) {
    ShootSizes(window, shoot);
    ShootTips(folder, shoot);
    ShootWindowMenu(window, shoot);
    ShootFileDialogs(window, folder, shoot);
    ShootPortDevices(window, folder, shoot);
    // The messages that now say what to do.
    for (int id : {IDS_COMM_FAILED, IDS_NO_REPLY, IDS_CLOSE_WHILE_CAPTURING, IDS_CLOSE_WHILE_DOWNLOADING,
                   IDS_PORT_STOP_BITS_1_5, IDS_PORT_STOP_BITS_2}) {
        ShowMessage(&window, id,
                    id == IDS_COMM_FAILED || id == IDS_NO_REPLY ? kStyleError : MB_ICONINFORMATION);
    }
}

}  // namespace kelp
