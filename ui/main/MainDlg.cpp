#include "ui/main/MainDlg.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "app/DataFileName.h"
#include "app/DownloadReceiver.h"
#include "app/PortOpenError.h"
#include "app/SettingsStore.h"
#include "app/VersionInfo.h"
#include "data/Cp932.h"
#include "data/FileJobs.h"
#include "link/CaptureRun.h"
#include "link/DownloadRun.h"
#include "link/RunEnd.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/dialogs/CaptureCycleDlg.h"
#include "ui/dialogs/DataSelectDlg.h"
#include "ui/dialogs/DialogText.h"
#include "ui/dialogs/PortSettingsDlg.h"
#include "ui/dialogs/ProgressDlg.h"
#include "ui/graphs/DepthGraphDlg.h"
#include "ui/graphs/GraphPicture.h"
#include "ui/graphs/GraphSettingsDlg.h"
#include "ui/graphs/GraphWindowUtil.h"
#include "ui/graphs/TrendGraphPane.h"
#include "ui/graphs/XYGraphDlg.h"
#include "ui/main/AboutDlg.h"
#include "ui/main/ColorLamp.h"
#include "ui/main/Fonts.h"
#include "ui/main/MessageBox.h"
#include "ui/main/PaneStack.h"
#include "ui/main/RecordSpinBox.h"
#include "ui/main/ValueCell.h"
#include "ui/main/WindowTarget.h"

namespace kelp {
namespace {

// The trend panes the stack shows, first to last.
std::vector<const CTrendGraphPane*> ShownPanes(const CPaneStack& stack) {
    std::vector<const CTrendGraphPane*> panes;
    for (int i = 0; i < stack.Count(); ++i) {
        panes.push_back(stack.Pane(i));
    }
    return panes;
}

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kYellow = 0x00FFFF;

// A fast capture delivers records far quicker than a screen refreshes; the
// panel shows the newest state at most this often.
constexpr int kRefreshMs = 40;

QString Text(int id) {
    return QString::fromStdString(LoadText(id));
}
QString Caption(int controlId) {
    return QString::fromStdString(LoadCaption(IDD_MAIN, controlId));
}
QString Name(int id) {
    return QString::number(id);
}

// A text of the catalogue, or the bare code when the catalogue has none.
QString CodeText(int textId, int code) {
    const QString text = textId != kNoTextId ? Text(textId) : QString();
    return text.isEmpty() ? QString::number(code) : text;
}

// How a value shows by its state and component error code: the background
// and what hovering over it tells.
struct ValueLook {
    std::uint32_t colour = kWhite;
    QString tip;
};

ValueLook LookOf(int state, int error) {
    const QString stateLine = Text(IDS_TIP_STATE).arg(state);
    if (state == 0 || state == kNoValueState) {
        return {kWhite, Text(IDS_TIP_NO_VALUE)};
    }
    if (error != 0) {
        return {kRed, Caption(IDC_LAMP_ERROR) + u'\n' +
                          Text(IDS_TIP_COMPONENT_ERROR).arg(CodeText(ComponentErrorTextId(error), error))};
    }
    if (state == 5 || state == 6 || state == 7) {
        return {kGreen, Caption(IDC_LAMP_CALIBRATING) + u'\n' + stateLine};
    }
    if (state == 1) {
        return {kWhite, Text(IDS_TIP_NORMAL)};
    }
    return {kYellow, Caption(IDC_LAMP_OTHER) + u'\n' + stateLine};
}

QLabel* MakeTextBox(QWidget* parent, int id) {
    auto* label = new QLabel(parent);
    label->setObjectName(Name(id));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextFormat(Qt::PlainText);
    label->setMinimumWidth(10);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    return label;
}

}  // namespace

CMainDlg::CMainDlg(CSettingsStore& settings, std::string programPath, QWidget* parent,
                   const std::string& journalName)
    : QDialog(parent),
      journal_(journalName.empty() ? std::string() : CCaptureJournal::FolderFor(settings.Path(), programPath),
               journalName),
      settings_(settings),
      programPath_(std::move(programPath)) {
    setObjectName(Name(IDD_MAIN));
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    setWindowTitle(Text(IDS_APP_TITLE));
    setWindowIcon(QApplication::windowIcon());
    target_ =
        std::make_unique<CWindowTarget>(this, [this](const AppMessage& message) { OnAppMessage(message); });

    CVersionInfo version(programPath_);
    FillVersionStrings(version, AppVersionStrings());

    for (int i = 0; i < kSlotCount; ++i) {
        columnElements_[i] = kSlotElements[i];
    }
    graphSlots_ = DefaultGraphSlots();
    settings_.ReadPortSettings(port_, portDevices_);
    settings_.ReadGraphSlots(CSettingsStore::kTrendGraphSection, graphSlots_);
    settings_.ReadTimeAxis(graphTime_);
    captureInterval_ = settings_.ReadCaptureInterval();

    dataSelection_ = [this](QWidget* owner, CMeasDataSet& source, CMeasDataSet& target) {
        CDataSelectDlg selection(owner);
        selection.SetSettingsStore(&settings_);
        selection.SetDataSets(&source, &target);
        selection.SetDialogFont(DialogFont());
        selection.DoModal();
        return selection.IsImported();
    };

    // Set before any control exists so that every one inherits it.
    dialogFont_ = MakeDialogFont(logicalDpiX(), !IsEnglish());
    if (dialogFont_) {
        setFont(*dialogFont_);
    }

    BuildMenu();
    BuildControls();
    CreatePanes();
    SetTabOrder();
    EnterState(Idle);

    refreshTimer_ = new QTimer(this);
    refreshTimer_->setSingleShot(true);
    refreshTimer_->setInterval(kRefreshMs);
    connect(refreshTimer_, &QTimer::timeout, this, [this] {
        SetRecordRange(live_.GetCount(), current_ + 1);
        ShowCurrentRecord();
        SetPaneRecords(live_.GetCount());
    });

    move(0, 0);
    resize(800, 600);
    setMinimumSize(800, 600);
    KeepPanelRows();
    // The window opens where the eye starts and the tab chain begins: the
    // record number at the top left.
    recordSpin_->setFocus();
    SetFileDialogStore(&settings_);
    initialised_ = true;
    RestoreJournal();
}

std::string CMainDlg::JournalFolderLine(const std::string& folder) {
    return folder.empty() ? std::string() : "\n\n" + LoadText(IDS_JOURNAL_FOLDER) + folder;
}

void CMainDlg::RestoreJournal() {
    const int restored = journal_.Recover(live_);
    const int unreadable = journal_.UnreadableLines();
    const std::string folder = JournalFolderLine(journal_.Folder());
    if (restored == 0) {
        if (unreadable > 0) {
            ShowMessage(this, IDS_JOURNAL_UNREADABLE, kStyleWarning,
                        Text(IDS_JOURNAL_UNREADABLE).arg(unreadable).toStdString() + folder);
        }
        return;
    }
    std::string question = LoadText(IDS_CONFIRM_RESTORE);
    if (unreadable > 0) {
        question +=
            "\n\n" + Text(IDS_RESTORE_UNREADABLE).arg(unreadable).arg(restored).toStdString() + folder;
    }
    if (ShowMessage(this, IDS_CONFIRM_RESTORE, kStyleQuestion, question) == IDOK) {
        if (unreadable > 0) {
            // The damaged file stays as it is, for whoever can mend it; the
            // records restored from it get a sound journal of their own.
            journal_.SetAside();
            journal_.WriteFrom(live_);
        }
        ShowFileName({});
        SetCurrentRecord(0);
        RefreshAfterLoading();
        SetUnsaved(true);
    } else {
        live_.Clear();
        journal_.SetAside();
    }
    UpdateCommandUi();
}

CMainDlg::~CMainDlg() {
    // The window closes only when idle; a capture still running here (a test
    // tearing down, say) must not outlive the data it writes to.
    if (captureThread_.joinable()) {
        stopEvent_.Set();
        captureThread_.join();
    }
    settings_.WriteGraphSlots(CSettingsStore::kTrendGraphSection, graphSlots_);
    settings_.WriteTimeAxis(graphTime_);
    SetFileDialogStore(nullptr);
    // Unsaved data keep their journal: the user has not let them go, so they
    // are offered again at the next start. Otherwise nothing is left to keep
    // (a capture that stored no record leaves a bare header).
    if (!unsaved_) {
        journal_.Remove();
    }
    // They point into this window's data and settings: gone before those are.
    delete graphSettingsDlg_;
    graphSettingsDlg_ = nullptr;
    paneStack_->DestroyPanes();
}

// ---- building ----------------------------------------------------------

QAction* CMainDlg::AddCommand(QMenu* menu, int commandId, void (CMainDlg::*handler)()) {
    QAction* action = AddMenuCommand(menu, IDR_MENU_MAIN, commandId);
    if (handler != nullptr) {
        connect(action, &QAction::triggered, this, handler);
    }
    return action;
}

void CMainDlg::BuildMenu() {
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(Name(IDR_MENU_MAIN));
    auto popup = [this](int titleId) {
        QMenu* menu = menuBar_->addMenu(QString::fromStdString(LoadMenuText(IDR_MENU_MAIN, titleId)));
        menu->setObjectName(Name(titleId));
        connect(menu, &QMenu::aboutToShow, this, &CMainDlg::UpdateCommandUi);
        return menu;
    };

    QMenu* file = popup(ID_POPUP_FILE);
    openAction_ = AddCommand(file, ID_FILE_OPEN, &CMainDlg::OnOpen);
    saveAction_ = AddCommand(file, ID_FILE_SAVE, &CMainDlg::OnSave);
    file->addSeparator();
    AddCommand(file, ID_SAVE_PICTURE, &CMainDlg::OnSavePicture);
    AddCommand(file, ID_PRINT_GRAPH, &CMainDlg::OnPrintGraph);
    file->addSeparator();
    exitAction_ = AddCommand(file, ID_EXIT, &CMainDlg::OnExit);
    // The keys every desktop program has; they follow the items' enabling.
    openAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    exitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* measure = popup(ID_POPUP_MEASURE);
    captureAction_ = AddCommand(measure, ID_CAPTURE, &CMainDlg::OnStartCapture);
    stopAction_ = AddCommand(measure, ID_CAPTURE_STOP, &CMainDlg::OnStopCapture);
    measure->addSeparator();
    downloadAction_ = AddCommand(measure, ID_DOWNLOAD, &CMainDlg::OnDownload);
    dataSelectAction_ = AddCommand(measure, ID_DATA_SELECT, &CMainDlg::OnDataSelect);
    measure->addSeparator();
    clearAction_ = AddCommand(measure, ID_CLEAR, &CMainDlg::OnClear);

    QMenu* graph = popup(ID_POPUP_GRAPH);
    QMenu* panes = graph->addMenu(QString::fromStdString(LoadMenuText(IDR_MENU_MAIN, ID_POPUP_PANE_COUNT)));
    panes->setObjectName(Name(ID_POPUP_PANE_COUNT));
    connect(panes, &QMenu::aboutToShow, this, &CMainDlg::UpdateCommandUi);
    paneCountActions_[0] = AddCommand(panes, ID_PANES_1, &CMainDlg::OnPaneCount1);
    paneCountActions_[1] = AddCommand(panes, ID_PANES_2, &CMainDlg::OnPaneCount2);
    paneCountActions_[2] = AddCommand(panes, ID_PANES_3, &CMainDlg::OnPaneCount3);
    for (QAction* action : paneCountActions_) {
        action->setCheckable(true);
    }
    graphSettingsAction_ = AddCommand(graph, ID_GRAPH_SETTINGS, &CMainDlg::OnGraphSettings);
    graph->addSeparator();
    depthAction_ = AddCommand(graph, ID_DEPTH_GRAPH, &CMainDlg::OnDepthGraph);
    xyAction_ = AddCommand(graph, ID_XY_GRAPH, &CMainDlg::OnXYGraph);

    QMenu* setup = popup(ID_POPUP_SETTINGS);
    portAction_ = AddCommand(setup, ID_PORT_SETTINGS, &CMainDlg::OnPortSettings);
    intervalAction_ = AddCommand(setup, ID_CAPTURE_CYCLE, &CMainDlg::OnCaptureCycle);

    QMenu* help = popup(ID_POPUP_HELP);
    aboutAction_ = AddCommand(help, ID_ABOUT, &CMainDlg::OnAbout);

    // The window menu, which programs cannot extend here, becomes the
    // context menu of the menu bar and of the window's bare background:
    // the About entry of string 101. The controls keep no context menu.
    windowMenu_ = new QMenu(this);
    windowMenu_->setObjectName(QStringLiteral("window-menu"));
    const QString aboutEntry = Text(IDS_ABOUT_MENU_ENTRY);
    if (!aboutEntry.isEmpty()) {
        QAction* entry = windowMenu_->addAction(aboutEntry);
        entry->setObjectName(QStringLiteral("system-16"));
        connect(entry, &QAction::triggered, this, [this] {
            if (state_ == Idle) {
                OnAbout();
            }
        });
    }
    connect(windowMenu_, &QMenu::aboutToShow, this, [this] {
        for (QAction* entry : windowMenu_->actions()) {
            entry->setEnabled(state_ == Idle);
        }
    });
    menuBar_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(menuBar_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { windowMenu_->popup(menuBar_->mapToGlobal(at)); });
}

void CMainDlg::contextMenuEvent(QContextMenuEvent* event) {
    QWidget* under = childAt(event->pos());
    if (under == nullptr || under == panel_) {
        windowMenu_->popup(event->globalPos());
    }
}

void CMainDlg::BuildControls() {
    // Left: the texts of the current record, the state, the record number,
    // the legend and the 13 rows of the panel. Right: the trend pane area
    // and its scroll bar. Bottom: the five buttons.
    auto* panel = new QWidget(this);
    panel_ = panel;
    panel->setObjectName(QStringLiteral("panel"));
    auto* panelLayout = new QGridLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setHorizontalSpacing(4);
    panelLayout->setVerticalSpacing(3);

    int row = 0;
    auto addText = [&](int captionId, int id, QLabel*& member) {
        auto* caption = new QLabel(Caption(captionId), panel);
        caption->setObjectName(Name(captionId));
        member = MakeTextBox(panel, id);
        panelLayout->addWidget(caption, row, 0);
        panelLayout->addWidget(member, row, 1, 1, 2);
        ++row;
    };
    addText(IDC_LABEL_SITE, IDC_SITE, siteText_);
    addText(IDC_LABEL_DATETIME, IDC_DATETIME, timeText_);
    addText(IDC_LABEL_GPS, IDC_GPS, gpsText_);
    addText(IDC_LABEL_FILE_NAME, IDC_FILE_NAME, fileText_);

    statusText_ = MakeTextBox(panel, IDC_STATE);
    statusText_->setAlignment(Qt::AlignCenter);
    auto* recordCaption = new QLabel(WithMnemonic(Caption(IDC_LABEL_RECORD_NO), 'N'), panel);
    recordCaption->setObjectName(Name(IDC_LABEL_RECORD_NO));
    recordCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    recordSpin_ = new CRecordSpinBox(panel);
    recordSpin_->setObjectName(Name(IDC_RECORD_SPIN));
    recordCaption->setBuddy(recordSpin_);
    if (auto* buddy = recordSpin_->findChild<QLineEdit*>()) {
        buddy->setObjectName(Name(IDC_RECORD_NO));
    }
    connect(recordSpin_, &QSpinBox::valueChanged, this, &CMainDlg::OnRecordChanged);
    panelLayout->addWidget(statusText_, row, 0);
    panelLayout->addWidget(recordCaption, row, 1);
    panelLayout->addWidget(recordSpin_, row, 2);
    ++row;

    // Legend and the instrument-error lamp.
    auto* lamps = new QHBoxLayout();
    lamps->setSpacing(3);
    auto addLamp = [&](int id, std::uint32_t colour) {
        auto* lamp = new CColorLamp(Caption(id), panel);
        lamp->setObjectName(Name(id));
        lamp->setAlignment(Qt::AlignCenter);
        lamp->setFrameStyle(QFrame::Box | QFrame::Plain);
        lamp->setMinimumHeight(22);
        lamp->SetBackgroundColour(colour);
        lamp->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        lamp->setMinimumWidth(lamp->fontMetrics().horizontalAdvance(lamp->text()) + 10);
        // Spare width goes evenly to the lamps, but each keeps room for its
        // text first (the English "Instrument Error" is long).
        lamps->addWidget(lamp);
        return lamp;
    };
    addLamp(IDC_LAMP_CALIBRATING, kGreen)->setToolTip(Text(IDS_TIP_LAMP_CALIBRATING));
    addLamp(IDC_LAMP_OTHER, kYellow)->setToolTip(Text(IDS_TIP_LAMP_OTHER));
    addLamp(IDC_LAMP_ERROR, kRed)->setToolTip(Text(IDS_TIP_LAMP_ERROR));
    instrumentLamp_ = addLamp(IDC_LAMP_INSTRUMENT_ERROR, ButtonFaceColour());
    instrumentLamp_->setEnabled(false);
    panelLayout->addLayout(lamps, row, 0, 1, 3);
    ++row;

    for (int i = 0; i < kSlotCount; ++i) {
        labels_[i] = new CValueCell(panel);
        labels_[i]->setObjectName(Name(IDC_LABEL_CELL_FIRST + i));
        labels_[i]->SetValueMode(false);
        labels_[i]->SetAutoFont(true);
        values_[i] = new CValueCell(panel);
        values_[i]->setObjectName(Name(IDC_VALUE_CELL_FIRST + i));
        values_[i]->SetValueMode(true);
        values_[i]->SetAutoFont(true);
        values_[i]->SetBackgroundColour(kWhite);
        values_[i]->SetTextColour(kBlack);
        units_[i] = new QLabel(panel);
        units_[i]->setObjectName(Name(IDC_UNIT_TEXT_FIRST + i));
        units_[i]->setTextFormat(Qt::PlainText);
        units_[i]->setMinimumWidth(56);
        for (QWidget* cell : {static_cast<QWidget*>(labels_[i]), static_cast<QWidget*>(values_[i])}) {
            cell->setMinimumHeight(24);
            cell->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        }
        panelLayout->addWidget(labels_[i], row, 0);
        panelLayout->addWidget(values_[i], row, 1);
        panelLayout->addWidget(units_[i], row, 2);
        panelLayout->setRowStretch(row, 1);
        ++row;
    }
    panelLayout->setColumnStretch(0, 5);
    panelLayout->setColumnStretch(1, 5);
    panelLayout->setColumnStretch(2, 2);
    panel->setMinimumWidth(330);
    panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    paneStack_ = new CPaneStack(this);

    auto button = [this](int id, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(Name(id));
        b->setAutoDefault(false);
        return b;
    };
    // Mnemonics apart from the menu titles' F, M, G, C and H.
    captureButton_ = button(IDC_CAPTURE, CaptureButtonText(false));
    downloadButton_ = button(IDC_DOWNLOAD, WithMnemonic(Caption(IDC_DOWNLOAD), 'D'));
    graphSettingsButton_ = button(IDC_GRAPH_SETTINGS, WithMnemonic(Caption(IDC_GRAPH_SETTINGS), 'S'));
    xyButton_ = button(IDC_XY_GRAPH, WithMnemonic(Caption(IDC_XY_GRAPH), 'X'));
    depthButton_ = button(IDC_DEPTH_GRAPH, WithMnemonic(Caption(IDC_DEPTH_GRAPH), 'P'));
    connect(captureButton_, &QPushButton::clicked, this, &CMainDlg::OnCaptureButton);
    connect(downloadButton_, &QPushButton::clicked, this, [this] {
        if (state_ == Idle) {
            OnDownload();
        }
    });
    connect(graphSettingsButton_, &QPushButton::clicked, this, &CMainDlg::OnGraphSettings);
    connect(xyButton_, &QPushButton::clicked, this, &CMainDlg::OnXYGraph);
    connect(depthButton_, &QPushButton::clicked, this, &CMainDlg::OnDepthGraph);

    auto* buttons = new QHBoxLayout();
    buttons->addWidget(captureButton_);
    buttons->addWidget(downloadButton_);
    buttons->addStretch(1);
    buttons->addWidget(graphSettingsButton_);
    buttons->addWidget(xyButton_);
    buttons->addWidget(depthButton_);

    auto* grid = new QGridLayout(this);
    grid->setMenuBar(menuBar_);
    grid->setContentsMargins(6, 4, 0, 6);
    grid->setHorizontalSpacing(6);
    buttons->setContentsMargins(0, 0, 6, 0);
    grid->addWidget(panel, 0, 0);
    grid->addWidget(paneStack_, 0, 1);
    grid->addLayout(buttons, 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);

    for (int i = 0; i < kSlotCount; ++i) {
        const int element = columnElements_[i];
        labels_[i]->SetText(Text(ElementLabelId(element)));
        if (element != kNoElement) {
            units_[i]->setText(Text(UnitTextId(element, 0)));
        } else {
            values_[i]->SetBackgroundColour(ButtonFaceColour());
        }
    }
    ClearDisplay();
}

void CMainDlg::SetTabOrder() {
    // Tab follows the eye: the record number, the buttons of the panes shown
    // from left to right and top to bottom, the scroll bar beside them, then
    // the buttons at the bottom.
    std::vector<QWidget*> chain{recordSpin_};
    for (int i = 0; i < CPaneStack::kPaneObjects; ++i) {
        for (int id : {IDC_PANE_ONE, IDC_PANE_TWO, IDC_PANE_THREE}) {
            if (auto* paneButton = paneStack_->Pane(i)->findChild<QWidget*>(Name(id))) {
                chain.push_back(paneButton);
            }
        }
    }
    chain.push_back(paneStack_->ScrollBar());
    chain.insert(chain.end(),
                 {captureButton_, downloadButton_, graphSettingsButton_, xyButton_, depthButton_});
    SetTabChain(chain);
}

void CMainDlg::KeepPanelRows() {
    // The panel takes the height it has in a window of 800 x 600 and keeps
    // it, and with it the size of its rows and their fonts: a larger window
    // gives its room to the panes, and the panel stays as the user knows it.
    layout()->activate();
    panel_->setFixedHeight(panel_->height());
    layout()->setAlignment(panel_, Qt::AlignTop);
}

QString CMainDlg::CaptureButtonText(bool capturing) {
    return capturing ? WithMnemonic(Text(IDS_CAPTURE_STOP), 'T') : WithMnemonic(Text(IDS_CAPTURE_START), 'A');
}

// ---- commands and their enabling ---------------------------------------

void CMainDlg::UpdateCommandUi() {
    const bool idle = state_ == Idle;
    const bool hasData = live_.GetCount() > 0;
    openAction_->setEnabled(idle);
    saveAction_->setEnabled(idle && hasData);
    exitAction_->setEnabled(idle);
    captureAction_->setEnabled(idle);
    stopAction_->setEnabled(state_ == Capturing);
    downloadAction_->setEnabled(idle);
    // Data selection needs its dialog; without one it stays off.
    dataSelectAction_->setEnabled(idle && hasData && static_cast<bool>(dataSelection_));
    clearAction_->setEnabled(idle && hasData);
    for (int i = 0; i < 3; ++i) {
        paneCountActions_[i]->setEnabled(true);
        paneCountActions_[i]->setChecked(paneStack_->Count() == i + 1);
    }
    graphSettingsAction_->setEnabled(graphSettingsButton_->isEnabled());
    depthAction_->setEnabled(idle);
    xyAction_->setEnabled(idle);
    portAction_->setEnabled(idle);
    intervalAction_->setEnabled(idle);
    aboutAction_->setEnabled(idle);
}

void CMainDlg::EnterState(State state) {
    state_ = state;
    switch (state) {
        case Idle:
            statusText_->setText(Text(IDS_STATE_IDLE));
            captureButton_->setText(CaptureButtonText(false));
            captureButton_->setEnabled(true);
            downloadButton_->setEnabled(true);
            graphSettingsButton_->setEnabled(true);
            break;
        case Capturing:
            statusText_->setText(Text(IDS_STATE_CAPTURING));
            captureButton_->setText(CaptureButtonText(true));
            captureButton_->setEnabled(true);
            downloadButton_->setEnabled(false);
            break;
        case Downloading:
            statusText_->setText(Text(IDS_STATE_CONNECTED));
            captureButton_->setText(CaptureButtonText(false));
            captureButton_->setEnabled(false);
            downloadButton_->setEnabled(false);
            graphSettingsButton_->setEnabled(false);
            break;
    }
    // The graph settings button keeps its state while capturing: the panes
    // may be rearranged during a capture.
    xyButton_->setEnabled(state == Idle);
    depthButton_->setEnabled(state == Idle);
    // No cursor line while records pour in: the newest record is the one shown.
    paneStack_->ShowCursor(state != Capturing);
    UpdateCommandUi();
}

void CMainDlg::OnCaptureButton() {
    if (state_ == Idle) {
        OnStartCapture();
    } else if (state_ == Capturing) {
        OnStopCapture();
    }
}

void CMainDlg::OnStartCapture() {
    if (state_ != Idle) {
        return;
    }
    if (ShowMessage(this, IDS_CONFIRM_CAPTURE, kStyleConfirm) == IDCANCEL) {
        return;
    }
    live_.Clear();
    ClearDisplay();
    SetUnsaved(false);
    const bool journalled = journal_.Start(live_);
    journalNoticeShown_ = false;
    EnterState(Capturing);
    stopEvent_.Reset();
    captureThread_ =
        StartCapture(*target_, stopEvent_, port_, portDevices_, static_cast<int>(captureInterval_));
    // Said after the start: the capture goes on while the notice is open.
    if (!journalled) {
        ShowJournalNotice();
    }
}

void CMainDlg::ShowJournalNotice() {
    if (journalNoticeShown_) {
        return;
    }
    journalNoticeShown_ = true;
    ShowMessage(this, IDS_JOURNAL_NOT_WRITTEN, kStyleWarning,
                LoadText(IDS_JOURNAL_NOT_WRITTEN) + JournalFolderLine(journal_.Folder()));
}

void CMainDlg::OnStopCapture() {
    if (state_ != Capturing) {
        return;
    }
    if (ShowMessage(this, IDS_CONFIRM_STOP, kStyleConfirm) != IDCANCEL) {
        stopEvent_.Set();
    }
}

// The message for a run that ended without success; a finished or stopped
// run says nothing. Only a download can find the instrument empty.
void CMainDlg::ShowRunFailure(RunEnd end, int openError) {
    switch (end) {
        case RunEnd::PortOpenFailed:
            ShowMessage(this, IDS_PORT_OPEN_FAILED, kStyleError,
                        DescribePortOpenFailure(port_, portDevices_, openError));
            break;
        case RunEnd::CommFailed:
            ShowMessage(this, IDS_COMM_FAILED, kStyleError);
            break;
        case RunEnd::NoReply:
            ShowMessage(this, IDS_NO_REPLY, kStyleError);
            break;
        case RunEnd::NoData:
            ShowMessage(this, IDS_INSTRUMENT_EMPTY, kStyleError);
            break;
        default:
            break;
    }
}

void CMainDlg::OnDownload() {
    if (state_ != Idle) {
        return;
    }
    if (downloaded_.GetCount() == 0) {
        if (ShowMessage(this, IDS_CONFIRM_DOWNLOAD, kStyleConfirm) == IDCANCEL) {
            return;
        }
    } else {
        const int answer = ShowMessage(this, IDS_CONFIRM_REDOWNLOAD, kStyleYesNoCancel);
        if (answer == IDCANCEL) {
            return;
        }
        if (answer == IDNO) {
            OpenDataSelection();
            return;
        }
    }
    downloaded_.Clear();
    EnterState(Downloading);
    RunEnd result = RunEnd::Finished;
    int openError = 0;
    int announced = -1;
    {
        CProgressDlg progress(this);
        progress.SetDialogFont(DialogFont());
        downloadProgress_ = &progress;
        result = RunDownload(*target_, progress, port_, portDevices_, &openError, &announced);
        downloadProgress_ = nullptr;
    }
    ShowRunFailure(result, openError);
    // A memory that ends early, or holds more than a download takes, must
    // not pass for the whole of it.
    if (result == RunEnd::Finished && announced >= 0 && downloaded_.GetCount() != announced) {
        ShowMessage(
            this, IDS_DOWNLOAD_COUNT_DIFFERS, kStyleWarning,
            Text(IDS_DOWNLOAD_COUNT_DIFFERS).arg(announced).arg(downloaded_.GetCount()).toStdString());
    }
    EnterState(Idle);
    if (downloaded_.GetCount() > 0) {
        OpenDataSelection();
    }
}

void CMainDlg::OnDataSelect() {
    if (state_ != Idle || !dataSelection_) {
        return;
    }
    if (downloaded_.GetCount() > 0) {
        if (ShowMessage(this, IDS_CONFIRM_REPLACE_SELECTION, kStyleConfirm) == IDCANCEL) {
            return;
        }
    } else if (live_.GetCount() == 0) {
        ShowMessage(this, IDS_NO_DATA, kStyleError);
        return;
    }
    downloaded_.Clear();
    downloaded_.CopyFrom(live_);
    OpenDataSelection();
}

void CMainDlg::OpenDataSelection() {
    if (!dataSelection_ || !MayReplaceLiveData()) {
        return;
    }
    if (dataSelection_(this, downloaded_, live_)) {
        // What was on display is gone; what came in exists only in memory.
        SetUnsaved(live_.GetCount() > 0);
        if (unsaved_) {
            journal_.WriteFrom(live_);
        } else {
            journal_.Remove();
        }
        ShowFileName({});
        SetCurrentRecord(0);
        if (live_.GetCount() > 0) {
            RefreshAfterLoading();
        } else {
            ClearDisplay();
        }
    }
    UpdateCommandUi();
}

void CMainDlg::OnClear() {
    if (state_ != Idle || live_.GetCount() == 0) {
        return;
    }
    if (ShowMessage(this, IDS_CONFIRM_CLEAR, kStyleQuestion) == IDOK) {
        journal_.Remove();
        live_.Clear();
        ClearDisplay();
        SetUnsaved(false);
    }
    UpdateCommandUi();
}

void CMainDlg::OnOpen() {
    if (state_ != Idle || !MayReplaceLiveData()) {
        return;
    }
    const std::string path = AskOpenFileName(this);
    if (path.empty()) {
        return;
    }
    LoadLiveData(path);
}

void CMainDlg::OpenDataFile(const std::string& path) {
    // Only where the user could have chosen Open: idle, and no dialog of
    // this window waiting for an answer.
    QWidget* modal = QApplication::activeModalWidget();
    if (state_ != Idle || (modal != nullptr && modal != this)) {
        ShowMessage(modal != nullptr ? modal : this, IDS_OPEN_BUSY, kStyleWarning,
                    Text(IDS_OPEN_BUSY).arg(QString::fromStdString(path)).toStdString());
        return;
    }
    if (!MayReplaceLiveData()) {
        return;
    }
    LoadLiveData(path);
}

void CMainDlg::LoadLiveData(const std::string& path) {
    scratch_.Clear();
    int fileRecords = 0;
    const int result = LoadWithProgress(this, DialogFont(), path, scratch_, &fileRecords);
    if (result == 1) {
        ShowMessage(this, IDS_FILE_OPEN_FAILED, kStyleError);
    } else if (result == 2) {
        ShowMessage(this, IDS_FILE_FORMAT_INVALID, kStyleError);
    } else if (result == 0) {
        journal_.Remove();
        live_.Clear();
        live_.CopyFrom(scratch_);
        live_.SetName(path);
        ShowFileName(path);
        SetUnsaved(false);
        SetCurrentRecord(0);
        if (live_.GetCount() > 0) {
            RefreshAfterLoading();
        } else {
            ClearDisplay();
        }
        ShowPartlyRead(this, fileRecords, live_.GetCount());
    }
    scratch_.Clear();
    UpdateCommandUi();
}

void CMainDlg::OnSave() {
    SaveLiveData();
}

bool CMainDlg::SaveLiveData() {
    if (state_ != Idle) {
        return false;
    }
    if (live_.GetCount() == 0) {
        ShowMessage(this, IDS_NO_DATA_TO_SAVE, kStyleError);
        return false;
    }
    const std::string path = AskSaveFileName(this, ProposedFileName(live_));
    if (path.empty()) {
        return false;
    }
    int result = 0;
    FileFailure failure;
    {
        CProgressDlg progress(this);
        progress.SetDialogFont(DialogFont());
        result = SaveDataFile(path, live_, progress, &failure);
    }
    if (result == 0) {
        journal_.Remove();
        live_.SetName(path);
        ShowFileName(path);
        SetUnsaved(false);
        return true;
    }
    if (result == 1) {
        ShowMessage(this, IDS_FILE_OPEN_FAILED, kStyleError,
                    FileFailureMessage(IDS_FILE_OPEN_FAILED, failure));
    } else {
        // The records could not all be written: the file is incomplete and
        // does not become the data's file.
        ShowMessage(this, IDS_FILE_SAVE_FAILED, kStyleError,
                    FileFailureMessage(IDS_FILE_SAVE_FAILED, failure));
    }
    return false;
}

bool CMainDlg::MayReplaceLiveData() {
    if (!unsaved_ || live_.GetCount() == 0) {
        return true;
    }
    const int answer = ShowMessage(this, IDS_CONFIRM_SAVE_UNSAVED, kStyleYesNoCancel);
    if (answer == IDYES) {
        return SaveLiveData();
    }
    return answer == IDNO;
}

void CMainDlg::SetUnsaved(bool unsaved) {
    if (unsaved != unsaved_) {
        unsaved_ = unsaved;
        UpdateTitle();
    }
}

void CMainDlg::UpdateTitle() {
    QString title = Text(IDS_APP_TITLE);
    QString file = fileText_->text();
    if (!file.isEmpty()) {
        // Qt takes "[*]" in a title for its modification mark; doubled, it
        // shows as typed.
        title = file.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")) + QStringLiteral(" - ") + title;
    }
    setWindowTitle(unsaved_ ? QLatin1Char('*') + title : title);
}

void CMainDlg::OnExit() {
    if (state_ == Idle) {
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

void CMainDlg::OnPortSettings() {
    if (state_ != Idle) {
        return;
    }
    // The dialog writes the settings file itself when closed with OK.
    CPortSettingsDlg dialog(this);
    dialog.SetSettings(&port_);
    dialog.SetFont(DialogFont());
    dialog.SetDeviceMap(portDevices_);
    dialog.SetStore(&settings_);
    if (dialog.DoModal() == IDOK) {
        portDevices_ = dialog.DeviceMap();
    }
}

void CMainDlg::OnCaptureCycle() {
    if (state_ != Idle) {
        return;
    }
    CCaptureCycleDlg dialog(this);
    dialog.SetSettings(&captureInterval_);
    dialog.SetFont(DialogFont());
    dialog.SetStore(&settings_);
    dialog.DoModal();
}

void CMainDlg::OnAbout() {
    CAboutDlg about(this);
    if (dialogFont_) {
        about.setFont(*dialogFont_);
    }
    about.exec();
}

void CMainDlg::OnPaneCount1() {
    SetPaneCount(1, 0);
}
void CMainDlg::OnPaneCount2() {
    SetPaneCount(2, 0);
}
void CMainDlg::OnPaneCount3() {
    SetPaneCount(3, 0);
}

void CMainDlg::OnGraphSettings() {
    if (!graphSettingsButton_->isEnabled()) {
        return;
    }
    if (graphSettingsDlg_ == nullptr) {
        // Modeless and kept: edits can be applied to the panes again and
        // again. It is a child of this window only so that this window's
        // modality does not block it.
        graphSettingsDlg_ = new CGraphSettingsDlg(target_.get(), columnElements_, this);
        graphSettingsDlg_->setWindowFlag(Qt::Window, true);
        if (dialogFont_) {
            graphSettingsDlg_->setFont(*dialogFont_);
        }
        graphSettingsDlg_->adjustSize();
        graphSettingsDlg_->move(frameGeometry().center() - graphSettingsDlg_->rect().center());
    }
    graphSettingsDlg_->show();
    graphSettingsDlg_->SetSettings(&graphSlots_, &graphTime_);
    graphSettingsDlg_->raise();
    graphSettingsDlg_->activateWindow();
}

void CMainDlg::HideGraphSettings() {
    if (graphSettingsDlg_ != nullptr && graphSettingsDlg_->isVisible()) {
        graphSettingsDlg_->hide();
    }
}

void CMainDlg::OnXYGraph() {
    if (state_ != Idle) {
        return;
    }
    HideGraphSettings();
    CXYGraphDlg graph(&settings_, this);
    graph.SetSourceData(live_);
    if (dialogFont_) {
        graph.SetGraphFont(&*dialogFont_);
    }
    graph.exec();
}

void CMainDlg::OnDepthGraph() {
    if (state_ != Idle) {
        return;
    }
    HideGraphSettings();
    CDepthGraphDlg graph(this);
    if (live_.GetCount() > 0) {
        graph.SetInitialData(&live_);
    }
    graph.SetCastOptions(settings_.ReadCastOptions());
    if (dialogFont_) {
        graph.SetGraphFont(&*dialogFont_);
    }
    graph.exec();
}

// The trend panes shown, as a picture to keep, under a line naming the
// data's file, sites and times.
QString CMainDlg::PictureTitle() const {
    const std::string name =
        fileText_->text().isEmpty() ? LoadText(IDS_PICTURE_UNSAVED) : fileText_->text().toStdString();
    return QString::fromStdString(CTrendGraph::PictureTitle(live_, name));
}

void CMainDlg::OnSavePicture() {
    const std::string dataFile =
        fileText_->text().isEmpty() ? ProposedFileName(live_) : fileText_->text().toStdString();
    SavePanesPicture(this, ShownPanes(*paneStack_), PictureTitle(), ProposedPictureName(dataFile, "trend"));
}

void CMainDlg::OnPrintGraph() {
    PrintPanes(this, ShownPanes(*paneStack_), PictureTitle());
}

// ---- dialog font and pane stack ------------------------------------------

std::optional<QFont> CMainDlg::MakeDialogFont(int dpi, bool japanese) {
    if (dpi == 96 || dpi <= 0) {
        return std::nullopt;
    }
    QFont font = QApplication::font();
    font.setWeight(QFont::Normal);
    font.setStretch(QFont::AnyStretch);
    font.setStyleStrategy(QFont::PreferDefault);
    const int tenths = (japanese ? 8640 : 7680) / dpi;
    font.setFamily(MapFontFace(japanese ? QStringLiteral("ＭＳ Ｐゴシック") : QStringLiteral("Arial")));
    font.setPointSizeF(tenths / 10.0);
    return font;
}

int CMainDlg::GetPaneCount() const {
    return paneStack_->Count();
}
int CMainDlg::GetScrollPosition() const {
    return paneStack_->ScrollPosition();
}
int CMainDlg::GetScrollMaximum() const {
    return paneStack_->ScrollMaximum();
}
CTrendGraphPane* CMainDlg::Pane(int i) const {
    return paneStack_->Pane(i);
}

void CMainDlg::CreatePanes() {
    paneStack_->CreatePanes(&columnElements_, target_.get(), &graphSlots_, &graphTime_, &live_, DialogFont());
}

void CMainDlg::UpdatePanes() {
    paneStack_->UpdateSlots();
}

void CMainDlg::SetPaneRecords(int count) {
    paneStack_->SetRecords(count);
}

void CMainDlg::SetPaneCount(int count, int firstSlot) {
    if (paneStack_->SetCount(count, firstSlot)) {
        UpdateCommandUi();
    }
}

// ---- closing -------------------------------------------------------------

void CMainDlg::closeEvent(QCloseEvent* event) {
    if (state_ != Idle) {
        event->ignore();
        // Say why nothing happens, and what to do instead.
        ShowMessage(this, state_ == Capturing ? IDS_CLOSE_WHILE_CAPTURING : IDS_CLOSE_WHILE_DOWNLOADING,
                    MB_ICONINFORMATION | MB_OK);
        return;
    }
    if (!MayReplaceLiveData()) {
        event->ignore();
        return;
    }
    if (unsaved_) {
        // The user chose to let them go.
        journal_.Remove();
        SetUnsaved(false);
    }
    // Not through reject(): that is Esc, which must not close this window.
    QDialog::reject();
    event->accept();
}

void CMainDlg::reject() {
    // Esc: a key pressed by mistake must not close the window and the data
    // with it. The close box, Exit and the system still close it.
}

// ---- messages from the runs --------------------------------------------

void CMainDlg::OnAppMessage(const AppMessage& message) {
    if (message.message == WM_APP_CAPTURE) {
        OnCaptureMessage(message);
    } else if (message.message == WM_APP_DOWNLOAD) {
        OnDownloadMessage(message);
    } else if (message.message == WM_APP_PANE_COUNT) {
        SetPaneCount(static_cast<int>(message.wParam), static_cast<int>(message.lParam));
    } else if (message.message == WM_APP_GRAPH_APPLIED) {
        UpdatePanes();
    }
}

void CMainDlg::OnCaptureMessage(const AppMessage& message) {
    const auto code = static_cast<RunEnd>(message.wParam);
    if (code == RunEnd::RecordArrived) {
        const bool first = live_.GetCount() == 0;
        // A record that was not stored (full set, short reply) must not move
        // the current record past the end.
        if (live_.AddLiveRecord(message.text)) {
            const bool journalled = journal_.Append(live_, live_.GetCount() - 1);
            SetUnsaved(true);
            OnNewLiveRecord(first);
            if (!journalled && state_ == Capturing) {
                ShowJournalNotice();
            }
        }
        return;
    }
    JoinCapture();
    journal_.Finish();
    refreshTimer_->stop();
    if (live_.GetCount() > 0) {
        SetRecordRange(live_.GetCount(), current_ + 1);
        ShowCurrentRecord();
        SetPaneRecords(live_.GetCount());
    }
    ShowRunFailure(code, code == RunEnd::PortOpenFailed ? static_cast<int>(message.lParam) : 0);
    EnterState(Idle);
    // An unattended run that filled the data set must not end unnoticed.
    if (live_.GetCount() >= live_.GetCapacity()) {
        ShowMessage(this, IDS_CAPTURE_LIMIT_REACHED, kStyleWarning);
    }
}

void CMainDlg::OnDownloadMessage(const AppMessage& message) {
    ReceiveDownloadMessage(message, downloaded_, downloadProgress_);
}

void CMainDlg::JoinCapture() {
    if (captureThread_.joinable()) {
        captureThread_.join();
    }
}

void CMainDlg::OnNewLiveRecord(bool first) {
    if (first) {
        RefreshRowLabels();
        SetCurrentRecord(0);
        recordSpin_->setEnabled(true);
    } else {
        SetCurrentRecord(current_ + 1);
    }
    ScheduleRefresh();
}

void CMainDlg::ScheduleRefresh() {
    if (!refreshTimer_->isActive()) {
        refreshTimer_->start();
    }
}

// ---- display -------------------------------------------------------------

void CMainDlg::SetRecordRange(int count, int position) {
    const QSignalBlocker block(recordSpin_);
    recordSpin_->setRange(1, std::max(count, 1));
    recordSpin_->setValue(position);
}

void CMainDlg::ClearDisplay() {
    if (refreshTimer_ != nullptr) {
        refreshTimer_->stop();
    }
    for (int i = 0; i < kSlotCount; ++i) {
        values_[i]->SetText(QString());
        values_[i]->setToolTip(QString());
        // A row without a component keeps the face colour: it never shows a value.
        values_[i]->SetBackgroundColour(columnElements_[i] != kNoElement ? kWhite : ButtonFaceColour());
    }
    instrumentLamp_->setToolTip(Text(IDS_TIP_NO_INSTRUMENT_ERROR));
    instrumentLamp_->SetBackgroundColour(ButtonFaceColour());
    instrumentLamp_->SetTextColour(WindowTextColour());
    instrumentLamp_->setEnabled(false);
    siteText_->clear();
    timeText_->clear();
    gpsText_->clear();
    SetRecordRange(1, 1);
    SetPaneRecords(0);
    SetCurrentRecord(0);
    ShowFileName({});
    UpdateCommandUi();
}

void CMainDlg::RefreshAfterLoading() {
    RefreshRowLabels();
    SetRecordRange(live_.GetCount(), current_ + 1);
    SetPaneRecords(live_.GetCount());
    ShowCurrentRecord();
}

void CMainDlg::RefreshRowLabels() {
    for (int i = 0; i < kSlotCount; ++i) {
        const int element = live_.GetElement(i);
        bool changed = false;
        if (element != columnElements_[i]) {
            columnElements_[i] = element;
            changed = true;
        }
        labels_[i]->SetText(Text(ElementLabelId(element)));
        const int unit = live_.GetCount() > 0 ? live_.GetUnit(i, 0) : 0;
        if (element != kNoElement) {
            units_[i]->setText(Text(UnitTextId(element, unit)));
        } else {
            values_[i]->SetBackgroundColour(ButtonFaceColour());
            values_[i]->SetText(QString());
            values_[i]->setToolTip(QString());
            units_[i]->clear();
        }
        for (GraphSlotSettings& slot : graphSlots_) {
            if (slot.ElmNo == i) {
                AdoptColumn(slot, unit, changed);
            }
        }
    }
    UpdatePanes();
    if (graphSettingsDlg_ != nullptr && graphSettingsDlg_->isVisible()) {
        graphSettingsDlg_->SetSettings(&graphSlots_, &graphTime_);
    }
}

void CMainDlg::ShowCurrentRecord() {
    ShowRecord(current_);
}

void CMainDlg::ShowRecord(int record) {
    if (record < 0 || record >= live_.GetCount()) {
        return;
    }
    for (int i = 0; i < kSlotCount; ++i) {
        const int element = columnElements_[i];
        if (element == kNoElement) {
            continue;
        }
        units_[i]->setText(Text(UnitTextId(element, live_.GetUnit(i, record))));
        const int state = live_.GetState(i, record);
        const bool noValue = state == 0 || state == kNoValueState;
        values_[i]->SetText(noValue ? QString() : QString::fromStdString(live_.FormatValue(i, record)));
        const ValueLook look = LookOf(state, live_.GetErrorCode(i, record));
        values_[i]->SetBackgroundColour(look.colour);
        values_[i]->setToolTip(look.tip);
    }
    const int instrumentCode = live_.GetInstrumentError(record);
    const bool instrumentError = instrumentCode != 0;
    instrumentLamp_->setToolTip(
        instrumentError ? Text(IDS_TIP_INSTRUMENT_ERROR)
                              .arg(CodeText(InstrumentErrorTextId(instrumentCode), instrumentCode))
                        : Text(IDS_TIP_NO_INSTRUMENT_ERROR));
    if (instrumentError && !instrumentLamp_->isEnabled()) {
        instrumentLamp_->SetBackgroundColour(kRed);
        instrumentLamp_->SetTextColour(kWhite);
        instrumentLamp_->setEnabled(true);
    } else if (!instrumentError && instrumentLamp_->isEnabled()) {
        instrumentLamp_->SetBackgroundColour(ButtonFaceColour());
        instrumentLamp_->setEnabled(false);
    }
    siteText_->setText(QString::fromStdString(Cp932ToUtf8(live_.GetSiteName(record))));
    timeText_->setText(QString::fromStdString(live_.FormatTime(record, "%Y/%m/%d %H:%M:%S")));
    gpsText_->setText(
        QString::fromStdString(live_.FormatLatitude(record) + " / " + live_.FormatLongitude(record)));
}

void CMainDlg::ShowFileName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    fileText_->setText(QString::fromStdString(slash == std::string::npos ? path : path.substr(slash + 1)));
    UpdateTitle();
}

void CMainDlg::SetCurrentRecord(int record) {
    current_ = record;
    paneStack_->SetCursorIndex(record);
}

void CMainDlg::OnRecordChanged(int position) {
    if (live_.GetCount() == 0) {
        return;
    }
    const int number = std::clamp(position, 1, live_.GetCount());
    if (number != current_ + 1) {
        SetCurrentRecord(number - 1);
        ShowCurrentRecord();
    }
}

}  // namespace kelp
