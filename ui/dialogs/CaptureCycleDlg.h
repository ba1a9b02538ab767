#pragma once
#include <QDialog>
#include <cstdint>

#include "app/SettingsStore.h"

class QLineEdit;

namespace kelp {

// The capture interval dialog (template 146): one digits-only edit of at
// most four characters. OK stores 1 to 9999 seconds into the caller's value;
// when a settings store was given, OK also writes it to the settings file.
class CCaptureCycleDlg final : public QDialog {
    Q_OBJECT
  public:
    explicit CCaptureCycleDlg(QWidget* parent = nullptr);

    // Before DoModal: the interval being edited (not owned) and the dialog
    // font (not owned, may be null).
    void SetSettings(std::uint32_t* cycle) { cycle_ = cycle; }
    void SetFont(const QFont* font) { font_ = font; }
    // The store that OK writes the interval to (not owned, may be null).
    void SetStore(const CSettingsStore* store) { store_ = store; }

    // IDOK after the interval has been stored, IDCANCEL otherwise.
    int DoModal();

    // Longest text the edit takes.
    static constexpr int kMaxDigits = 4;
    static constexpr int kMinCycle = 1;
    static constexpr int kMaxCycle = CSettingsStore::kMaxCaptureInterval;

  public slots:
    void accept() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void OnInitDialog();
    void SizeEdit();

    QLineEdit* edit_ = nullptr;
    std::uint32_t* cycle_ = nullptr;
    const QFont* font_ = nullptr;
    const CSettingsStore* store_ = nullptr;
    bool initialised_ = false;
};

}  // namespace kelp
