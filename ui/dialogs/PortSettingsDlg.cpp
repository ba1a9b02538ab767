#include "ui/dialogs/PortSettingsDlg.h"

#include <sys/stat.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/SettingsStore.h"
#include "resources/ResourceIds.h"
#include "ui/dialogs/DialogText.h"
#include "ui/main/MessageBox.h"

namespace kelp {
namespace {

QComboBox* MakeList(QWidget* parent, int id) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::number(id));
    return combo;
}

// A dot in front of the ports whose device is there, and a blank of the
// same size in front of the others, so that the names stay aligned.
QIcon PresenceIcon(bool present) {
    constexpr int kSize = 12;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    if (present) {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QColor(0x1e, 0x6b, 0x2a));
        painter.setBrush(QColor(0x2e, 0xb8, 0x44));
        painter.drawEllipse(QRectF(1.5, 1.5, kSize - 3, kSize - 3));
    }
    return QIcon(pixmap);
}

// CB_FINDSTRING: the first entry that starts with `text`, or -1.
int FindPrefix(const QComboBox* combo, const QString& text) {
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).startsWith(text, Qt::CaseInsensitive)) {
            return i;
        }
    }
    return -1;
}

QString Printf(const char* format, int value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return QString::fromLatin1(text);
}

}  // namespace

bool CPortSettingsDlg::DevicePresent(const std::string& path, const std::string& ttyClassDir) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return false;
    }
    // The kernel makes the nodes of the first built-in serial ports whether a
    // UART answers there or not; its class folder says which kind it found,
    // 0 for none. Nodes of other kinds (USB adapters, pseudo-terminals) exist
    // only while their device does.
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(path, error);
    const std::string name = error ? std::string() : real.filename().string();
    if (name.rfind("ttyS", 0) == 0) {
        std::ifstream type(ttyClassDir + "/" + name + "/type");
        int kind = -1;
        if (type >> kind && kind == 0) {
            return false;
        }
    }
    return true;
}

CPortSettingsDlg::CPortSettingsDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(IDD_PORT_SETTINGS));
    setWindowTitle(DlgTitle(IDD_PORT_SETTINGS));

    baud_ = MakeList(this, IDC_BAUD_RATE);
    byteSize_ = MakeList(this, IDC_BYTE_SIZE);
    parity_ = MakeList(this, IDC_PARITY);
    port_ = MakeList(this, IDC_PORT_NO);
    stopBits_ = MakeList(this, IDC_STOP_BITS);
    port_->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    // The parity and stop-bit lists are fixed entries of the template, one a
    // line, in code order.
    parity_->addItems(DlgCaption(IDD_PORT_SETTINGS, IDC_PARITY).split(QLatin1Char('\n')));
    stopBits_->addItems(DlgCaption(IDD_PORT_SETTINGS, IDC_STOP_BITS).split(QLatin1Char('\n')));

    auto* portRow = new QFormLayout;
    portRow->addRow(DlgCaption(IDD_PORT_SETTINGS, IDC_LABEL_PORT_NO), port_);

    auto* group = new QGroupBox(DlgCaption(IDD_PORT_SETTINGS, IDC_GROUP_LINE_DETAILS), this);
    auto* details = new QFormLayout(group);
    details->addRow(DlgCaption(IDD_PORT_SETTINGS, IDC_LABEL_BAUD_RATE), baud_);
    details->addRow(DlgCaption(IDD_PORT_SETTINGS, IDC_LABEL_BYTE_SIZE), byteSize_);
    details->addRow(DlgCaption(IDD_PORT_SETTINGS, IDC_LABEL_PARITY), parity_);
    details->addRow(DlgCaption(IDD_PORT_SETTINGS, IDC_LABEL_STOP_BITS), stopBits_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(DlgCaption(IDD_PORT_SETTINGS, IDOK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QString::number(IDOK));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(DlgCaption(IDD_PORT_SETTINGS, IDCANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QString::number(IDCANCEL));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(portRow);
    layout->addWidget(group);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int CPortSettingsDlg::DoModal() {
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CPortSettingsDlg::showEvent(QShowEvent* event) {
    if (!initialised_) {
        initialised_ = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CPortSettingsDlg::FillPortList() {
    port_->clear();
    for (int no = 1; no <= kPortCount; ++no) {
        const std::string path = PortDevicePath(no, devices_);
        QString text = QStringLiteral("COM%1").arg(no);
        if (!path.empty()) {
            text += QStringLiteral(" (%1)").arg(QString::fromStdString(path));
        }
        port_->addItem(text);
        // A port whose device is plugged in stands out with a dot and in
        // bold, so that the user finds the adapter among nineteen names.
        const bool present = DevicePresent(path);
        port_->setItemData(no - 1, present, kDevicePresentRole);
        port_->setItemIcon(no - 1, PresenceIcon(present));
        if (present) {
            QFont bold = port_->font();
            bold.setBold(true);
            port_->setItemData(no - 1, bold, Qt::FontRole);
        }
    }
}

void CPortSettingsDlg::OnInitDialog() {
    const PortSettings current = settings_ != nullptr ? *settings_ : PortSettings{};

    FillPortList();
    const int portNo = current.PortNo >= 1 && current.PortNo <= kPortCount ? current.PortNo : kDefaultPortNo;
    port_->setCurrentIndex(portNo - 1);

    baud_->clear();
    for (int rate : kBaudRates) {
        baud_->addItem(Printf("%5d", rate));
    }
    const int baud = FindPrefix(baud_, Printf("%5d", current.BaudRate));
    baud_->setCurrentIndex(baud >= 0 ? baud : kDefaultBaudEntry);

    byteSize_->clear();
    for (int bits : kByteSizes) {
        byteSize_->addItem(Printf("%d", bits));
    }
    const int bits = FindPrefix(byteSize_, Printf("%d", current.ByteSize));
    byteSize_->setCurrentIndex(bits >= 0 ? bits : kDefaultByteEntry);

    // A code outside the lists (a hand-edited file) selects the first entry,
    // so that OK never stores "no selection" as 255.
    parity_->setCurrentIndex(current.Parity < parity_->count() ? current.Parity : 0);
    stopBits_->setCurrentIndex(current.StopBits < stopBits_->count() ? current.StopBits : 0);

    if (font_ != nullptr) {
        setFont(*font_);
    }
}

void CPortSettingsDlg::accept() {
    if (settings_ != nullptr) {
        settings_->PortNo = port_->currentIndex() + 1;
        settings_->BaudRate = kBaudRates[baud_->currentIndex()];
        settings_->ByteSize = static_cast<std::uint8_t>(kByteSizes[byteSize_->currentIndex()]);
        settings_->Parity = static_cast<std::uint8_t>(parity_->currentIndex());
        settings_->StopBits = static_cast<std::uint8_t>(stopBits_->currentIndex());
        if (store_ != nullptr) {
            store_->WritePortSettings(*settings_);
        }
    }
    QDialog::accept();
}

}  // namespace kelp
