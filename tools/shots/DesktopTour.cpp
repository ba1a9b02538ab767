#include "tools/shots/DesktopTour.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QToolTip>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/DataFileName.h"
#include "link/PortSettings.h"
#include "resources/ResourceIds.h"
#include "ui/dialogs/PortSettingsDlg.h"
#include "ui/main/ColorLamp.h"
#include "ui/main/MainDlg.h"
#include "ui/main/MessageBox.h"
#include "ui/main/ValueCell.h"

namespace kelp {
namespace {

using Shoot = std::function<void(QWidget*, const QString&)>;

template <class T>
T* Find(QWidget* root, int id) {
    return root->findChild<T*>(QString::number(id));
}

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

void ShootTips(CMainDlg& window, const Shoot& shoot) {
    // One value of each colour the records have, then the lamps.
    auto* record = Find<QSpinBox>(&window, IDC_RECORD_SPIN);
    const int shown = record->value();
    std::vector<std::uint32_t> seen;
    for (int number = 1; number <= window.LiveData().GetCount() && seen.size() < 4; ++number) {
        record->setValue(number);
        for (int row = 0; row < kSlotCount; ++row) {
            auto* cell = Find<CValueCell>(&window, IDC_VALUE_CELL_FIRST + row);
            const std::uint32_t colour = cell->GetBackgroundColour();
            if (cell->toolTip().isEmpty() || std::find(seen.begin(), seen.end(), colour) != seen.end()) {
                continue;
            }
            seen.push_back(colour);
            ShootTip(cell, QStringLiteral("desktop-tip-record-%1-value-%2").arg(number).arg(row), shoot);
        }
    }
    for (int id : {IDC_LAMP_CALIBRATING, IDC_LAMP_OTHER, IDC_LAMP_ERROR, IDC_LAMP_INSTRUMENT_ERROR}) {
        ShootTip(Find<CColorLamp>(&window, id), QStringLiteral("desktop-tip-lamp-%1").arg(id), shoot);
    }
    record->setValue(shown);
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
        dialog->resize(760, 460);
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
    ShootTips(window, shoot);
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
