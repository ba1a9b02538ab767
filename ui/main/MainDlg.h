#pragma once
#include <QDialog>
#include <QFont>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "app/GraphSettings.h"
#include "data/CaptureJournal.h"
#include "data/Catalogue.h"
#include "data/MeasDataSet.h"
#include "link/Event.h"
#include "link/MessageTarget.h"
#include "link/PortSettings.h"
#include "link/RunEnd.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QTimer;

namespace kelp {

class CColorLamp;
class CGraphSettingsDlg;
class CPaneStack;
class CRecordSpinBox;
class CTrendGraphPane;
class CSettingsStore;
class CValueCell;
class IProgressDialog;

// The program's only top-level window: the value panel of the current
// record, record navigation, live capture and full download from the
// instrument, the data files, and the trend pane area.
class CMainDlg final : public QDialog {
    Q_OBJECT
  public:
    enum State : int { Idle = 0, Capturing = 1, Downloading = 2 };

    // Reads every setting from `settings` now and writes the graph settings
    // back when destroyed. `programPath` is the file whose version the
    // About box shows. `journalName` is the capture journal's file in its
    // folder (a window on another display keeps another); empty for none.
    CMainDlg(CSettingsStore& settings, std::string programPath, QWidget* parent = nullptr,
             const std::string& journalName = CCaptureJournal::kFileName);
    ~CMainDlg() override;
    CMainDlg(const CMainDlg&) = delete;
    CMainDlg& operator=(const CMainDlg&) = delete;

    State GetState() const { return state_; }
    int GetCurrentRecord() const { return current_; }
    const CMeasDataSet& LiveData() const { return live_; }
    const CMeasDataSet& DownloadedData() const { return downloaded_; }
    const std::array<int, kSlotCount>& ColumnElements() const { return columnElements_; }
    const GraphSlotArray& GraphSlots() const { return graphSlots_; }
    const GraphTimeSettings& GraphTime() const { return graphTime_; }

    // Where the capture and download threads deliver their messages.
    IMessageTarget& Target() { return *target_; }

    // Replaces the data selection that follows a download: it gets the
    // downloaded set (source) and the live set (target) and returns true
    // when it imported records into the target.
    using DataSelection = std::function<bool(QWidget* owner, CMeasDataSet& source, CMeasDataSet& target)>;
    void SetDataSelection(DataSelection selection) { dataSelection_ = std::move(selection); }

    // ---- pane stack ----
    int GetPaneCount() const;
    // The graph slot shown in the first pane, plus one (1 .. 14 - panes).
    int GetScrollPosition() const;
    int GetScrollMaximum() const;
    CTrendGraphPane* Pane(int i) const;
    // Shows `count` panes (1..3) with graph slot `firstSlot` in the first;
    // asking for the current count changes nothing.
    void SetPaneCount(int count, int firstSlot);
    // The modeless graph display settings dialog once it has been opened.
    CGraphSettingsDlg* GraphSettingsDialog() const { return graphSettingsDlg_; }
    // The font handed to every window this one opens; null at 96 dpi.
    const QFont* DialogFont() const { return dialogFont_ ? &*dialogFont_ : nullptr; }

    // The dialog font for a screen of `dpi` dots per inch: none at 96;
    // otherwise a regular font of 8640 / dpi tenths of a point in the
    // Japanese face, or 7680 / dpi tenths in the Latin one.
    static std::optional<QFont> MakeDialogFont(int dpi, bool japanese);

    // Opens the data file at `path` as File > Open does with the file
    // chosen, asking first about unsaved data: a file named where the
    // program was started, or handed over by a later start. While a run is
    // active or another dialog is open, says why it does not.
    void OpenDataFile(const std::string& path);

    // Evaluates the enabling and check rules of every menu command (also
    // done whenever a menu pops up).
    void UpdateCommandUi();

    // The capture button's caption, with its mnemonic, while idle or capturing.
    static QString CaptureButtonText(bool capturing);
    // The line that ends a message about the journal with its folder; empty
    // when there is no folder to name.
    static std::string JournalFolderLine(const std::string& folder);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    // ---- building ----
    void BuildMenu();
    void BuildControls();
    void SetTabOrder();
    void KeepPanelRows();
    QAction* AddCommand(QMenu* menu, int commandId, void (CMainDlg::*handler)());

    // ---- messages ----
    void OnAppMessage(const AppMessage& message);
    void OnCaptureMessage(const AppMessage& message);
    // `openError`: the errno of the run's failed port open.
    void ShowRunFailure(RunEnd end, int openError);
    void OnDownloadMessage(const AppMessage& message);

    // ---- commands ----
    void OnCaptureButton();
    void OnStartCapture();
    void OnStopCapture();
    void OnDownload();
    void OnDataSelect();
    void OnClear();
    void OnOpen();
    // Open's work once the file is chosen and the live data may go.
    void LoadLiveData(const std::string& path);
    void OnSave();
    // The save command's work; true when the live data were saved.
    bool SaveLiveData();
    void OnExit();
    void OnAbout();
    void OnPortSettings();
    void OnCaptureCycle();
    void OnPaneCount1();
    void OnPaneCount2();
    void OnPaneCount3();
    void OnGraphSettings();
    void OnXYGraph();
    void OnDepthGraph();
    void OnSavePicture();
    void OnPrintGraph();
    QString PictureTitle() const;
    void OnRecordChanged(int position);

    // ---- state and display ----
    void EnterState(State state);
    void OpenDataSelection();
    void ClearDisplay();
    void RefreshAfterLoading();
    void RefreshRowLabels();
    void ShowCurrentRecord();
    void ShowRecord(int record);
    void ShowFileName(const std::string& path);
    void SetCurrentRecord(int record);
    void OnNewLiveRecord(bool first);
    void SetRecordRange(int count, int position);
    void ScheduleRefresh();
    void JoinCapture();
    void CreatePanes();
    void UpdatePanes();
    void SetPaneRecords(int count);
    void HideGraphSettings();
    void RestoreJournal();

    // ---- unsaved data ----
    // Before unsaved live data are closed or replaced: asks whether to save
    // them. True when the caller may go on (saved, or the user lets them
    // go: the caller then discards them), false to stay.
    bool MayReplaceLiveData();
    void SetUnsaved(bool unsaved);
    // The title: the file name, if any, before the program's; a leading "*"
    // while the live data are unsaved.
    void UpdateTitle();
    // Tells, once per capture, that the capture runs without a journal.
    void ShowJournalNotice();

    // Data.
    CMeasDataSet live_;
    CMeasDataSet downloaded_;
    CMeasDataSet scratch_;
    CCaptureJournal journal_;
    State state_ = Idle;
    int current_ = 0;
    bool initialised_ = false;
    // From the first captured, imported or restored record until they are
    // saved or let go.
    bool unsaved_ = false;
    bool journalNoticeShown_ = false;

    // Settings.
    CSettingsStore& settings_;
    std::string programPath_;
    std::array<int, kSlotCount> columnElements_{};
    GraphSlotArray graphSlots_ = DefaultGraphSlots();
    GraphTimeSettings graphTime_;
    PortSettings port_;
    PortDeviceMap portDevices_;
    std::uint32_t captureInterval_ = 1;

    // Runs.
    CEvent stopEvent_;
    std::jthread captureThread_;
    std::unique_ptr<IMessageTarget> target_;
    IProgressDialog* downloadProgress_ = nullptr;
    DataSelection dataSelection_;

    // Controls.
    QMenuBar* menuBar_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QWidget* panel_ = nullptr;
    std::array<CValueCell*, kSlotCount> labels_{};
    std::array<CValueCell*, kSlotCount> values_{};
    std::array<QLabel*, kSlotCount> units_{};
    QLabel* siteText_ = nullptr;
    QLabel* timeText_ = nullptr;
    QLabel* gpsText_ = nullptr;
    QLabel* fileText_ = nullptr;
    QLabel* statusText_ = nullptr;
    CColorLamp* instrumentLamp_ = nullptr;
    CRecordSpinBox* recordSpin_ = nullptr;
    QPushButton* captureButton_ = nullptr;
    QPushButton* downloadButton_ = nullptr;
    QPushButton* graphSettingsButton_ = nullptr;
    QPushButton* xyButton_ = nullptr;
    QPushButton* depthButton_ = nullptr;
    CPaneStack* paneStack_ = nullptr;
    QTimer* refreshTimer_ = nullptr;
    CGraphSettingsDlg* graphSettingsDlg_ = nullptr;
    std::optional<QFont> dialogFont_;

    // Menu commands whose enabling depends on the state.
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* captureAction_ = nullptr;
    QAction* stopAction_ = nullptr;
    QAction* downloadAction_ = nullptr;
    QAction* dataSelectAction_ = nullptr;
    QAction* clearAction_ = nullptr;
    std::array<QAction*, 3> paneCountActions_{};
    QAction* graphSettingsAction_ = nullptr;
    QAction* depthAction_ = nullptr;
    QAction* xyAction_ = nullptr;
    QAction* portAction_ = nullptr;
    QAction* intervalAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
};

}  // namespace kelp
