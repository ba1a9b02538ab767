#include "ui/dialogs/PortSettingsDlg.h"

#include <QAbstractItemView>
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
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <utility>

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
    return SerialDevicePresent(path, ttyClassDir);
}

int CPortSettingsDlg::LineSettingsProblem(int byteSize, int stopBits) {
    switch (CheckLineSettings(byteSize, stopBits)) {
        case LineFault::DataBits:
            return IDS_PORT_BYTE_SIZE_4;
        case LineFault::OneAndAHalfStopBits:
            return IDS_PORT_STOP_BITS_1_5;
        case LineFault::TwoStopBits:
            return IDS_PORT_STOP_BITS_2;
        case LineFault::None:
            break;
    }
    return 0;
}

CPortSettingsDlg::CPortSettingsDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(IDD_PORT_SETTINGS));
    setWindowTitle(DlgTitle(IDD_PORT_SETTINGS));

    // Made in the order the eye reads them, which is the Tab order too.
    port_ = MakeList(this, IDC_PORT_NO);
    baud_ = MakeList(this, IDC_BAUD_RATE);
    byteSize_ = MakeList(this, IDC_BYTE_SIZE);
    parity_ = MakeList(this, IDC_PARITY);
    stopBits_ = MakeList(this, IDC_STOP_BITS);
    // The stable names of USB adapters are long: the closed list keeps a
    // sensible width and the open one shows them whole.
    port_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    port_->setMinimumContentsLength(26);

    // The parity and stop-bit lists are fixed entries of the template, one a
    // line, in code order.
    parity_->addItems(DlgCaption(IDD_PORT_SETTINGS, IDC_PARITY).split(QLatin1Char('\n')));
    stopBits_->addItems(DlgCaption(IDD_PORT_SETTINGS, IDC_STOP_BITS).split(QLatin1Char('\n')));

    // A label with a mnemonic takes the focus to its list.
    auto label = [](int id, char key) { return WithMnemonic(DlgCaption(IDD_PORT_SETTINGS, id), key); };
    auto* portRow = new QFormLayout;
    portRow->addRow(label(IDC_LABEL_PORT_NO, 'P'), port_);

    auto* group = new QGroupBox(DlgCaption(IDD_PORT_SETTINGS, IDC_GROUP_LINE_DETAILS), this);
    auto* details = new QFormLayout(group);
    details->addRow(label(IDC_LABEL_BAUD_RATE, 'B'), baud_);
    details->addRow(label(IDC_LABEL_BYTE_SIZE, 'D'), byteSize_);
    details->addRow(label(IDC_LABEL_PARITY, 'A'), parity_);
    details->addRow(label(IDC_LABEL_STOP_BITS, 'S'), stopBits_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(DlgCaption(IDD_PORT_SETTINGS, IDOK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QString::number(IDOK));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(DlgCaption(IDD_PORT_SETTINGS, IDCANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QString::number(IDCANCEL));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    SetTabChain({port_, baud_, byteSize_, parity_, stopBits_, ok, cancel});

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

void CPortSettingsDlg::AddPortEntry(const QString& text, bool present) {
    const int index = port_->count();
    port_->addItem(text);
    // A port whose device is plugged in stands out with a dot and in bold,
    // so that the user finds the adapter among nineteen names.
    port_->setItemData(index, present, kDevicePresentRole);
    port_->setItemIcon(index, PresenceIcon(present));
    if (present) {
        QFont bold = port_->font();
        bold.setBold(true);
        port_->setItemData(index, bold, Qt::FontRole);
    }
}

void CPortSettingsDlg::FillPortList() {
    port_->clear();
    std::set<std::string> listed;
    for (int no = 1; no <= kPortCount; ++no) {
        const std::string path = PortDevicePath(no, devices_);
        QString text = QStringLiteral("COM%1").arg(no);
        if (!path.empty()) {
            text += QStringLiteral(" (%1)").arg(QString::fromStdString(path));
        }
        AddPortEntry(text, DevicePresent(path, folders_.ttyClass));
        listed.insert(path);
    }
    // Then every serial device of the machine that no port number names
    // yet, with the adapter's own name where the system knows it (present,
    // as the list holds only devices that are).
    bool first = true;
    for (const SerialDevice& device : ListSerialDevices(folders_)) {
        if (listed.contains(device.path)) {
            continue;
        }
        if (std::exchange(first, false)) {
            port_->insertSeparator(port_->count());
        }
        const QString path = QString::fromStdString(device.path);
        AddPortEntry(device.name.empty()
                         ? path
                         : QStringLiteral("%1 (%2)").arg(QString::fromStdString(device.name), path),
                     true);
        port_->setItemData(port_->count() - 1, path, kDevicePathRole);
    }
    // The open list shows every name whole, in the bold of a present device.
    QFont bold = port_->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int widest = 0;
    for (int i = 0; i < port_->count(); ++i) {
        widest = std::max(widest, metrics.horizontalAdvance(port_->itemText(i)));
    }
    port_->view()->setMinimumWidth(widest + port_->iconSize().width() + 40);
}

std::pair<int, std::string> CPortSettingsDlg::ChosenPort() const {
    const int index = port_->currentIndex();
    const QVariant device = port_->itemData(index, kDevicePathRole);
    if (!device.isValid()) {
        const int no = index + 1;
        return {no, StableDevicePath(PortDevicePath(no, devices_), folders_)};
    }
    const std::string path = device.toString().toStdString();
    int no = BuiltInPortNumber(path, folders_);
    // A device that no number stands for by itself (a Bluetooth port, a
    // ninth USB adapter) takes the last number that neither names a device
    // already nor has its own device here, so that no port is taken over.
    for (int n = kPortCount; no == 0 && n >= 1; --n) {
        const std::string builtIn =
            folders_.dev + "/" + std::filesystem::path(PortDevicePath(n)).filename().string();
        if (!devices_.contains(n) && !DevicePresent(builtIn, folders_.ttyClass)) {
            no = n;
        }
    }
    if (no == 0) {
        no = settings_ != nullptr ? settings_->PortNo : kDefaultPortNo;
    }
    return {no, StableDevicePath(path, folders_)};
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
    port_->setFocus(Qt::OtherFocusReason);
}

void CPortSettingsDlg::accept() {
    // Settings no serial port takes are refused here, naming the setting,
    // rather than failing later when a capture opens the port.
    const int byteSize = kByteSizes[byteSize_->currentIndex()];
    if (const int problem = LineSettingsProblem(byteSize, stopBits_->currentIndex()); problem != 0) {
        ShowMessage(this, problem, kStyleError);
        (problem == IDS_PORT_BYTE_SIZE_4 ? byteSize_ : stopBits_)->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (settings_ != nullptr) {
        const auto [portNo, device] = ChosenPort();
        settings_->PortNo = portNo;
        settings_->BaudRate = kBaudRates[baud_->currentIndex()];
        settings_->ByteSize = static_cast<std::uint8_t>(byteSize);
        settings_->Parity = static_cast<std::uint8_t>(parity_->currentIndex());
        settings_->StopBits = static_cast<std::uint8_t>(stopBits_->currentIndex());
        const bool newDevice = !device.empty() && device != PortDevicePath(portNo, devices_);
        if (newDevice) {
            devices_[portNo] = device;
        }
        if (store_ != nullptr) {
            store_->WritePortSettings(*settings_, newDevice ? device : std::string());
        }
    }
    QDialog::accept();
}

}  // namespace kelp
