#pragma once
#include <QDialog>
#include <array>
#include <string>

#include "app/SerialDevices.h"
#include "link/PortSettings.h"

class QComboBox;

namespace kelp {

class CSettingsStore;

// The port settings dialog (template 141): port number and line settings of
// the instrument link. OK copies the five lists into the caller's record and,
// when a settings store was given, writes the record to the settings file.
class CPortSettingsDlg final : public QDialog {
    Q_OBJECT
  public:
    explicit CPortSettingsDlg(QWidget* parent = nullptr);

    // Before DoModal: the record being edited (not owned), the dialog font
    // (not owned, may be null), the settings file's device paths of the port
    // numbers (copied), and the store that OK writes to (not owned, may be null).
    void SetSettings(PortSettings* settings) { settings_ = settings; }
    void SetFont(const QFont* font) { font_ = font; }
    void SetDeviceMap(const PortDeviceMap& devices) { devices_ = devices; }
    void SetStore(const CSettingsStore* store) { store_ = store; }
    // Where the serial devices offered besides COM1 to COM19 are looked for.
    void SetDeviceFolders(const DeviceFolders& folders) { folders_ = folders; }

    // The device paths of the port numbers after OK: a device chosen from
    // the list is kept under its port number.
    const PortDeviceMap& DeviceMap() const { return devices_; }

    // IDOK after the record has been updated, IDCANCEL otherwise.
    int DoModal();

    static constexpr std::array<int, 5> kBaudRates = kOfferedBaudRates;
    static constexpr std::array<int, 5> kByteSizes = kOfferedByteSizes;
    // Entries chosen when the stored value has none.
    static constexpr int kDefaultBaudEntry = 2;  // 19200
    static constexpr int kDefaultByteEntry = 4;  // 8 bits
    static constexpr int kDefaultPortNo = 3;

    // True when the device at `path` (or what a link there points to) is
    // there to be opened: a node that exists, and for a built-in serial port
    // one where the kernel found a UART (`ttyClassDir`/ttySn/type not 0).
    static bool DevicePresent(const std::string& path, const std::string& ttyClassDir = "/sys/class/tty");

    // The message that refuses data bits `byteSize` with stop-bit code
    // `stopBits` (0 one, 1 one and a half, 2 two), or 0 when a serial port
    // can be set so.
    static int LineSettingsProblem(int byteSize, int stopBits);

    // Item data role that is true for a port whose device exists here.
    static constexpr int kDevicePresentRole = Qt::UserRole + 1;
    // Item data role of the entries after COM19: the device's path.
    static constexpr int kDevicePathRole = Qt::UserRole + 2;

  public slots:
    void accept() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void OnInitDialog();
    void FillPortList();
    void AddPortEntry(const QString& text, bool present);
    // The port number and device of the chosen entry; the device is under
    // its stable name, so that a replugged adapter is found again.
    std::pair<int, std::string> ChosenPort() const;

    QComboBox* baud_ = nullptr;
    QComboBox* byteSize_ = nullptr;
    QComboBox* parity_ = nullptr;
    QComboBox* port_ = nullptr;
    QComboBox* stopBits_ = nullptr;
    PortSettings* settings_ = nullptr;
    const QFont* font_ = nullptr;
    PortDeviceMap devices_;
    const CSettingsStore* store_ = nullptr;
    DeviceFolders folders_;
    bool initialised_ = false;
};

}  // namespace kelp
