#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <set>

#include "MainTestSupport.h"
#include "app/SettingsStore.h"
#include "link/MessageTarget.h"
#include "link/RunEnd.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "tests/csv/CsvTestUtil.h"
#include "tests/ui_graphwin/CastData.h"
#include "tests/ui_graphwin/PictureFiles.h"
#include "ui/graphs/GraphPicture.h"
#include "ui/graphs/TrendGraphPane.h"
#include "ui/main/ColorLamp.h"
#include "ui/main/MainDlg.h"
#include "ui/main/MessageBox.h"
#include "ui/main/ValueCell.h"

namespace kelp {
namespace {

using test::App;
using test::Block;
using test::LiveReply;
using test::NormalBlocks;
using test::Responder;
using test::Simulator;
using test::WaitFor;

QString Text(int id) {
    return QString::fromStdString(LoadText(id));
}

// What the panel shows: every value, its colour and unit, and the texts.
struct PanelSnapshot {
    std::vector<QString> texts;
    std::vector<std::uint32_t> colours;
    bool operator==(const PanelSnapshot&) const = default;
};

class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override { App(); }

    void Open(const std::string& device, int interval = 0) {
        folder_ = std::make_unique<test::SettingsFolder>(device, interval);
        store_ = std::make_unique<CSettingsStore>(folder_->File());
        dlg_ = std::make_unique<CMainDlg>(*store_, "/nowhere/kelp-collector");
        dlg_->show();
    }

    void TearDown() override { dlg_.reset(); }

    template <class T>
    T* Find(int id) {
        T* widget = dlg_->findChild<T*>(QString::number(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }

    QAction* Action(int id) { return Find<QAction>(id); }
    CValueCell* Value(int row) { return Find<CValueCell>(IDC_VALUE_CELL_FIRST + row); }
    QLabel* Unit(int row) { return Find<QLabel>(IDC_UNIT_TEXT_FIRST + row); }

    void Post(unsigned message, RunEnd code, std::string text = {}) {
        dlg_->Target().Post(AppMessage{message, static_cast<std::uintptr_t>(code), 0, std::move(text)});
    }
    void PostRecord(const std::string& reply) { Post(WM_APP_CAPTURE, RunEnd::RecordArrived, reply); }

    // Posts `n` normal records and waits until the panel shows the last.
    void PostRecords(int first, int n) {
        for (int i = first; i < first + n; ++i) {
            PostRecord(LiveReply(NormalBlocks(i)));
        }
        const int count = dlg_->LiveData().GetCount() + n;
        ASSERT_TRUE(WaitFor([&] { return dlg_->LiveData().GetCount() == count; }));
        ASSERT_TRUE(WaitFor([&] { return Find<QSpinBox>(IDC_RECORD_SPIN)->maximum() == count; }));
    }

    PanelSnapshot Snapshot() {
        PanelSnapshot s;
        for (int i = 0; i < 13; ++i) {
            s.texts.push_back(Value(i)->GetText());
            s.texts.push_back(Unit(i)->text());
            s.colours.push_back(Value(i)->GetBackgroundColour());
        }
        for (int id : {IDC_SITE, IDC_DATETIME, IDC_GPS}) {
            s.texts.push_back(Find<QLabel>(id)->text());
        }
        return s;
    }

    std::unique_ptr<test::SettingsFolder> folder_;
    std::unique_ptr<CSettingsStore> store_;
    std::unique_ptr<CMainDlg> dlg_;
};

TEST_F(MainWindow, PanelColoursFollowStateThenErrorCode) {
    Open("/nonexistent/tty");
    // Slot order of the instrument: temperature, pH, pH mV, ORP, conductivity,
    // turbidity, DO, TDS, salinity, gravity, depth.
    std::vector<Block> blocks = {
        {10, 1, 0, "21.50", 0},  // state 1: white
        {1, 2, 0, "7.012", 1},   // other state: yellow, unit code 1
        {24, 5, 0, "-12.3", 0},  // calibrating: green
        {2, 9, 0, "123.4", 0},   // no value: empty, white
        {6, 1, 3, "1.234", 0},   // error code: red
        {3, 6, 0, "0.512", 0},   // green
        {4, 7, 0, "8.123", 0},   // green
        {8, 0, 0, "0.100", 0},   // state 0: empty, white
        {7, 5, 2, "3.456", 0},   // error beats the calibrating state: red
        {9, 9, 2, "22.00", 0},   // no value beats the error: empty, white
        {11, 3, 0, "12.50", 0},  // yellow
    };
    PostRecord(LiveReply(blocks, 3));
    ASSERT_TRUE(WaitFor([&] { return Value(0)->GetText() == "21.50"; }));

    const std::vector<std::pair<QString, std::uint32_t>> expected = {
        {"21.50", 0xFFFFFF}, {"7.012", 0x00FFFF}, {"-12.3", 0x00FF00}, {"", 0xFFFFFF},
        {"1.234", 0x0000FF}, {"0.512", 0x00FF00}, {"8.123", 0x00FF00}, {"", 0xFFFFFF},
        {"3.456", 0x0000FF}, {"", 0xFFFFFF},      {"12.50", 0x00FFFF},
    };
    for (int i = 0; i < static_cast<int>(expected.size()); ++i) {
        EXPECT_EQ(Value(i)->GetText(), expected[i].first) << "row " << i;
        EXPECT_EQ(Value(i)->GetBackgroundColour(), expected[i].second) << "row " << i;
    }
    // Hovering tells what a colour means, with the component's error.
    EXPECT_EQ(Value(0)->toolTip(), Text(IDS_TIP_NORMAL));
    EXPECT_TRUE(Value(1)->toolTip().contains(Text(IDS_TIP_STATE).arg(2)))
        << Value(1)->toolTip().toStdString();
    EXPECT_EQ(Value(3)->toolTip(), Text(IDS_TIP_NO_VALUE));
    EXPECT_TRUE(Value(4)->toolTip().contains(Text(IDS_COMPONENT_ERROR_ZERO_CAL)));
    EXPECT_TRUE(Value(8)->toolTip().contains(Text(IDS_COMPONENT_ERROR_RANGE)));
    EXPECT_TRUE(Find<CColorLamp>(IDC_LAMP_INSTRUMENT_ERROR)
                    ->toolTip()
                    .contains(Text(IDS_INSTRUMENT_ERROR_EEPROM_USER)));
    EXPECT_FALSE(Find<CColorLamp>(IDC_LAMP_CALIBRATING)->toolTip().isEmpty());
    EXPECT_EQ(Unit(1)->text(), Text(IDS_UNIT_MV));
    EXPECT_EQ(Unit(0)->text(), Text(IDS_UNIT_CELSIUS));
    // Rows without a component show nothing.
    EXPECT_EQ(Value(11)->GetText(), "");
    EXPECT_EQ(Unit(12)->text(), "");

    auto* lamp = Find<CColorLamp>(IDC_LAMP_INSTRUMENT_ERROR);
    EXPECT_TRUE(lamp->isEnabled());
    EXPECT_EQ(lamp->GetBackgroundColour(), 0x0000FFu);
    EXPECT_EQ(lamp->GetTextColour(), 0xFFFFFFu);
    EXPECT_EQ(Find<QLabel>(IDC_SITE)->text().trimmed(), "SITE-A");
    EXPECT_EQ(Find<QLabel>(IDC_GPS)->text(), "35 12 34 N / 139 45 06 E");

    PostRecord(LiveReply(NormalBlocks(1), 0));
    ASSERT_TRUE(WaitFor([&] { return !lamp->isEnabled(); }));
    EXPECT_EQ(lamp->GetBackgroundColour(), ButtonFaceColour());
    EXPECT_EQ(Value(3)->GetBackgroundColour(), 0xFFFFFFu);
    EXPECT_EQ(Unit(1)->text(), Text(IDS_UNIT_PH));
}

TEST_F(MainWindow, NavigatingBackThenNewRecordsStepOnFromThere) {
    Open("/nonexistent/tty");
    PostRecords(0, 6);
    auto* spin = Find<QSpinBox>(IDC_RECORD_SPIN);
    EXPECT_EQ(spin->value(), 6);
    spin->setValue(3);
    EXPECT_EQ(dlg_->GetCurrentRecord(), 2);
    EXPECT_EQ(Value(0)->GetText(), "10.02");

    PostRecords(6, 2);
    EXPECT_EQ(dlg_->GetCurrentRecord(), 4);
    EXPECT_EQ(spin->value(), 5);
    EXPECT_EQ(Value(0)->GetText(), "10.04");

    // Navigation stays inside the records.
    spin->setValue(1);
    EXPECT_EQ(Value(0)->GetText(), "10.00");
    spin->stepBy(-1);
    EXPECT_EQ(dlg_->GetCurrentRecord(), 0);
}

TEST_F(MainWindow, CaptureFromTheSimulatorStopsOnlyWhenConfirmed) {
    // Replies 20 ms late: back to back, the capture would otherwise reach
    // the 10000-record limit within a second and end by itself.
    Simulator sim({"--turnaround", "20"});
    ASSERT_TRUE(sim.Started());
    Open(sim.Path(), 0);
    Responder answers;
    auto* capture = Find<QPushButton>(IDC_CAPTURE);

    answers.Answer(IDCANCEL);
    capture->click();
    EXPECT_EQ(dlg_->GetState(), CMainDlg::Idle);

    capture->click();
    ASSERT_EQ(answers.Asked().size(), 2u);
    EXPECT_EQ(answers.Asked()[1].id, IDS_CONFIRM_CAPTURE);
    EXPECT_EQ(answers.Asked()[1].style, 65);
    EXPECT_EQ(dlg_->GetState(), CMainDlg::Capturing);
    EXPECT_EQ(capture->text(), CMainDlg::CaptureButtonText(true));
    EXPECT_EQ(Find<QLabel>(IDC_STATE)->text(), Text(IDS_STATE_CAPTURING));
    ASSERT_TRUE(WaitFor([&] { return dlg_->LiveData().GetCount() >= 5 && !Value(0)->GetText().isEmpty(); }));

    // Commands while capturing.
    dlg_->UpdateCommandUi();
    EXPECT_TRUE(Action(ID_CAPTURE_STOP)->isEnabled());
    for (int id : {ID_FILE_OPEN, ID_FILE_SAVE, ID_EXIT, ID_CAPTURE, ID_DOWNLOAD, ID_CLEAR, ID_ABOUT,
                   ID_DATA_SELECT, ID_PORT_SETTINGS, ID_CAPTURE_CYCLE, ID_DEPTH_GRAPH, ID_XY_GRAPH}) {
        EXPECT_FALSE(Action(id)->isEnabled()) << id;
    }
    for (int id : {IDC_DOWNLOAD, IDC_XY_GRAPH, IDC_DEPTH_GRAPH}) {
        EXPECT_FALSE(Find<QPushButton>(id)->isEnabled()) << id;
    }
    // The panes may be rearranged while records arrive.
    EXPECT_TRUE(Find<QPushButton>(IDC_GRAPH_SETTINGS)->isEnabled());
    EXPECT_TRUE(Action(ID_GRAPH_SETTINGS)->isEnabled());

    // Closing is refused while capturing, and the window says why; so is a
    // file handed over from the desktop.
    EXPECT_FALSE(dlg_->close());
    EXPECT_TRUE(dlg_->isVisible());
    EXPECT_EQ(answers.Ids().back(), IDS_CLOSE_WHILE_CAPTURING);
    dlg_->OpenDataFile(KELP_TEST_DATA_DIR "/csv/golden.csv");
    EXPECT_EQ(answers.Ids().back(), IDS_OPEN_BUSY);
    EXPECT_EQ(dlg_->GetState(), CMainDlg::Capturing);

    answers.Answer(IDCANCEL);
    capture->click();
    EXPECT_EQ(answers.Asked().back().id, IDS_CONFIRM_STOP);
    EXPECT_EQ(answers.Asked().back().style, 65);
    const int before = dlg_->LiveData().GetCount();
    ASSERT_TRUE(WaitFor([&] { return dlg_->LiveData().GetCount() > before + 3; }));
    EXPECT_EQ(dlg_->GetState(), CMainDlg::Capturing);

    capture->click();
    ASSERT_TRUE(WaitFor([&] { return dlg_->GetState() == CMainDlg::Idle; }));
    EXPECT_EQ(answers.Ids().back(), IDS_CONFIRM_STOP);  // a stop shows no message
    EXPECT_EQ(capture->text(), CMainDlg::CaptureButtonText(false));
    EXPECT_EQ(Find<QLabel>(IDC_STATE)->text(), Text(IDS_STATE_IDLE));
    const int count = dlg_->LiveData().GetCount();
    EXPECT_EQ(Find<QSpinBox>(IDC_RECORD_SPIN)->maximum(), count);
    EXPECT_EQ(dlg_->GetCurrentRecord(), count - 1);
    answers.Answer(IDNO);
    EXPECT_TRUE(dlg_->close());
    EXPECT_EQ(answers.Ids().back(), IDS_CONFIRM_SAVE_UNSAVED);
}

TEST_F(MainWindow, EveryLinkFailureHasItsMessage) {
    Open("/nonexistent/tty");
    Responder answers;
    Find<QPushButton>(IDC_CAPTURE)->click();
    ASSERT_TRUE(WaitFor([&] { return dlg_->GetState() == CMainDlg::Idle; }));
    ASSERT_EQ(answers.Ids(), (std::vector<int>{IDS_CONFIRM_CAPTURE, IDS_PORT_OPEN_FAILED}));
    EXPECT_EQ(answers.Asked()[1].style, 16);

    answers.Forget();
    for (RunEnd code : {RunEnd::CommFailed, RunEnd::NoReply, RunEnd::Stopped, RunEnd::Finished}) {
        Post(WM_APP_CAPTURE, code);
    }
    ASSERT_TRUE(WaitFor([&] { return answers.Asked().size() == 2; }));
    WaitFor([] { return false; }, 50);
    EXPECT_EQ(answers.Ids(), (std::vector<int>{IDS_COMM_FAILED, IDS_NO_REPLY}));
    EXPECT_EQ(answers.Asked()[0].style, 16);
    EXPECT_EQ(answers.Asked()[1].style, 16);

    answers.Forget();
    int selections = 0;
    dlg_->SetDataSelection([&](QWidget*, CMeasDataSet&, CMeasDataSet&) { return ++selections, false; });
    Find<QPushButton>(IDC_DOWNLOAD)->click();
    EXPECT_EQ(answers.Ids(), (std::vector<int>{IDS_CONFIRM_DOWNLOAD, IDS_PORT_OPEN_FAILED}));
    EXPECT_EQ(answers.Asked()[0].style, 65);
    EXPECT_EQ(dlg_->GetState(), CMainDlg::Idle);
    EXPECT_EQ(selections, 0);
}

TEST_F(MainWindow, DownloadAsksBeforeFetchingAgain) {
    Simulator sim({"--records", "25"});
    ASSERT_TRUE(sim.Started());
    Open(sim.Path());
    Responder answers;
    int selections = 0;
    int offered = 0;
    dlg_->SetDataSelection([&](QWidget*, CMeasDataSet& source, CMeasDataSet& target) {
        ++selections;
        offered = source.GetCount();
        target.Clear();
        target.CopyFrom(source);
        return true;
    });
    // The state and the commands as they stand during the download.
    bool sawDownloading = false;
    bool captureEnabledThen = true;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (dlg_->GetState() == CMainDlg::Downloading) {
            sawDownloading = true;
            dlg_->UpdateCommandUi();
            captureEnabledThen =
                Find<QPushButton>(IDC_CAPTURE)->isEnabled() || Action(ID_FILE_OPEN)->isEnabled() ||
                Find<QPushButton>(IDC_GRAPH_SETTINGS)->isEnabled() ||
                Action(ID_GRAPH_SETTINGS)->isEnabled() || Find<QPushButton>(IDC_DEPTH_GRAPH)->isEnabled() ||
                Action(ID_XY_GRAPH)->isEnabled();
        }
    });
    probe.start(2);

    auto* download = Find<QPushButton>(IDC_DOWNLOAD);
    download->click();
    probe.stop();
    EXPECT_EQ(answers.Ids(), (std::vector<int>{IDS_CONFIRM_DOWNLOAD}));
    EXPECT_TRUE(sawDownloading);
    EXPECT_FALSE(captureEnabledThen);
    EXPECT_EQ(selections, 1);
    EXPECT_EQ(offered, 25);
    EXPECT_EQ(dlg_->GetState(), CMainDlg::Idle);
    EXPECT_EQ(dlg_->LiveData().GetCount(), 25);
    EXPECT_EQ(Find<QSpinBox>(IDC_RECORD_SPIN)->maximum(), 25);
    EXPECT_EQ(dlg_->GetCurrentRecord(), 0);
    EXPECT_FALSE(Value(0)->GetText().isEmpty());
    // Logged records arrive newest first; the set holds them oldest first.
    EXPECT_LE(dlg_->DownloadedData().GetTime(0), dlg_->DownloadedData().GetTime(24));

    answers.Forget();
    answers.Answer(IDCANCEL);
    download->click();
    EXPECT_EQ(selections, 1);
    // The imported records are unsaved: the selection that would replace
    // them asks first.
    answers.Answer(IDNO);
    answers.Answer(IDNO);
    download->click();
    EXPECT_EQ(answers.Ids(),
              (std::vector<int>{IDS_CONFIRM_REDOWNLOAD, IDS_CONFIRM_REDOWNLOAD, IDS_CONFIRM_SAVE_UNSAVED}));
    EXPECT_EQ(answers.Asked()[1].style, 35);
    EXPECT_EQ(selections, 2);
    EXPECT_EQ(offered, 25);

    answers.Forget();
    answers.Answer(IDYES);
    answers.Answer(IDNO);
    download->click();
    EXPECT_EQ(answers.Ids(), (std::vector<int>{IDS_CONFIRM_REDOWNLOAD, IDS_CONFIRM_SAVE_UNSAVED}));
    EXPECT_EQ(selections, 3);
    EXPECT_EQ(dlg_->DownloadedData().GetCount(), 25);
}

TEST_F(MainWindow, EmptyOrShortMemorySaysSo) {
    Simulator sim({"--records", "0"});
    ASSERT_TRUE(sim.Started());
    Open(sim.Path());
    Responder answers;
    int selections = 0;
    dlg_->SetDataSelection([&](QWidget*, CMeasDataSet&, CMeasDataSet&) { return ++selections, false; });
    Find<QPushButton>(IDC_DOWNLOAD)->click();
    EXPECT_EQ(answers.Ids(), (std::vector<int>{IDS_CONFIRM_DOWNLOAD, IDS_INSTRUMENT_EMPTY}));
    EXPECT_EQ(answers.Asked()[1].style, 16);
    EXPECT_EQ(selections, 0);

    // A memory that ends before the count it announced: what came is
    // offered, and the difference is told.
    Simulator shortSim({"--records", "5", "--claim", "8"});
    ASSERT_TRUE(shortSim.Started());
    dlg_.reset();
    Open(shortSim.Path());
    answers.Forget();
    dlg_->SetDataSelection([&](QWidget*, CMeasDataSet& source, CMeasDataSet&) {
        selections = source.GetCount();
        return false;
    });
    Find<QPushButton>(IDC_DOWNLOAD)->click();
    ASSERT_EQ(answers.Ids(), (std::vector<int>{IDS_CONFIRM_DOWNLOAD, IDS_DOWNLOAD_COUNT_DIFFERS}));
    EXPECT_EQ(answers.Asked()[1].style, kStyleWarning);
    const std::string& told = answers.Asked()[1].text;
    ASSERT_NE(told.find('8'), std::string::npos) << told;
    EXPECT_NE(told.find('5', told.find('8')), std::string::npos) << told;
    EXPECT_EQ(selections, 5);
}

TEST_F(MainWindow, SavedFileOpensToTheSamePanel) {
    Open("/nonexistent/tty");
    Responder answers;
    Action(ID_FILE_SAVE)->trigger();  // disabled: nothing happens
    dlg_->UpdateCommandUi();
    EXPECT_FALSE(Action(ID_FILE_SAVE)->isEnabled());
    EXPECT_FALSE(Action(ID_CLEAR)->isEnabled());

    PostRecords(0, 3);
    dlg_->UpdateCommandUi();
    EXPECT_TRUE(Action(ID_FILE_SAVE)->isEnabled());
    EXPECT_TRUE(Action(ID_CLEAR)->isEnabled());
    Find<QSpinBox>(IDC_RECORD_SPIN)->setValue(1);
    const PanelSnapshot first = Snapshot();

    QTemporaryDir dir;
    // A picture of unsaved data says so and is named after the site and time.
    answers.SavePath(dir.filePath("unsaved.svg").toStdString());
    Action(ID_SAVE_PICTURE)->trigger();
    EXPECT_TRUE(FileDialogStartPath().ends_with("/SITE-A_20261207-1030-trend.png")) << FileDialogStartPath();
    const QString unsavedTitle =
        QString::fromStdString(CTrendGraph::PictureTitle(dlg_->LiveData(), LoadText(IDS_PICTURE_UNSAVED)));
    EXPECT_TRUE(testing::ReadSvg(dir.filePath("unsaved.svg").toStdString()).texts.contains(unsavedTitle))
        << unsavedTitle.toStdString();
    const std::string path = dir.filePath("field-1.csv").toStdString();
    answers.SavePath(path);
    Action(ID_FILE_SAVE)->trigger();
    EXPECT_TRUE(answers.Asked().empty());
    EXPECT_EQ(Find<QLabel>(IDC_FILE_NAME)->text(), "field-1.csv");
    // The save dialog proposed the site and the first record's time.
    EXPECT_TRUE(FileDialogStartPath().ends_with("/SITE-A_20261207-1030.csv")) << FileDialogStartPath();

    Action(ID_CLEAR)->trigger();
    ASSERT_EQ(answers.Ids(), (std::vector<int>{IDS_CONFIRM_CLEAR}));
    EXPECT_EQ(answers.Asked()[0].style, 33);
    EXPECT_EQ(dlg_->LiveData().GetCount(), 0);
    EXPECT_EQ(Value(0)->GetText(), "");
    EXPECT_EQ(Find<QLabel>(IDC_FILE_NAME)->text(), "");

    answers.Forget();
    answers.OpenPath(path);
    Action(ID_FILE_OPEN)->trigger();
    EXPECT_EQ(FileDialogStartPath(), dir.path().toStdString()) << "the folder used last";
    EXPECT_EQ(CSettingsStore(folder_->File()).ReadLastFolder(), dir.path().toStdString());
    EXPECT_TRUE(answers.Asked().empty());
    EXPECT_EQ(dlg_->LiveData().GetCount(), 3);
    EXPECT_EQ(Snapshot(), first);
    EXPECT_EQ(Find<QLabel>(IDC_FILE_NAME)->text(), "field-1.csv");

    // The picture of the panes: proposed after the file, a title line over
    // the panes, all on white; the print is one page.
    const QString picture = dir.filePath("field-1-trend.png");
    answers.SavePath(picture.toStdString());
    Action(ID_SAVE_PICTURE)->trigger();
    EXPECT_TRUE(FileDialogStartPath().ends_with("/field-1-trend.png")) << FileDialogStartPath();
    QImage image;
    ASSERT_TRUE(image.load(picture));
    const CTrendGraphPane* pane = dlg_->Pane(0);
    EXPECT_EQ(image.size(), QSize(pane->width(), CTrendGraph::kPictureTitleHeight + pane->height()));
    int titleInk = 0;
    for (int x = 0; x < image.width(); ++x) {
        titleInk += qGray(image.pixel(x, CTrendGraph::kPictureTitleHeight / 2)) < 128 ? 1 : 0;
    }
    EXPECT_GT(titleInk, 20);
    EXPECT_EQ(image.pixel(1, CTrendGraph::kPictureTitleHeight + 2) & 0xFFFFFF, 0xFFFFFFu);  // not grey
    const std::string title = CTrendGraph::PictureTitle(dlg_->LiveData(), "field-1.csv");
    EXPECT_TRUE(title.starts_with("field-1.csv   2026/12/07 10:30:00")) << title;
    EXPECT_TRUE(title.ends_with("   SITE-A")) << title;
    const QString printed = dir.filePath("printed.pdf");
    SetPrintResponder([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        return true;
    });
    Action(ID_PRINT_GRAPH)->trigger();
    SetPrintResponder({});
    QFile pdf(printed);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_EQ(testing::PdfPages(bytes.toStdString()), 1);

    // Saving nothing is refused before the dialog.
    answers.Answer(IDOK);
    Action(ID_CLEAR)->trigger();
    answers.Forget();
    answers.SavePath(dir.filePath("never.csv").toStdString());
    Action(ID_FILE_SAVE)->setEnabled(true);
    Action(ID_FILE_SAVE)->trigger();
    EXPECT_EQ(answers.Ids(), (std::vector<int>{IDS_NO_DATA_TO_SAVE}));
    EXPECT_FALSE(QFile::exists(dir.filePath("never.csv")));
}

TEST_F(MainWindow, FailedOpenLeavesTheDisplayUnchanged) {
    Open("/nonexistent/tty");
    Responder answers;
    PostRecords(0, 2);
    const PanelSnapshot before = Snapshot();

    QTemporaryDir dir;
    const std::string notOurs = dir.filePath("other.csv").toStdString();
    std::ofstream(notOurs) << "\"Something else\",\"1.00\",\"3\"\r\n";
    answers.OpenPath(notOurs);
    answers.Answer(IDNO);  // let the unsaved records go, should the file load
    Action(ID_FILE_OPEN)->trigger();
    EXPECT_EQ(answers.Ids(), (std::vector<int>{IDS_CONFIRM_SAVE_UNSAVED, IDS_FILE_OPEN_FAILED}));
    EXPECT_EQ(answers.Asked()[1].style, 16);

    // A data file whose first record line is cut short.
    const std::string good = dir.filePath("good.csv").toStdString();
    answers.SavePath(good);
    Action(ID_FILE_SAVE)->trigger();
    std::ifstream in(good, std::ios::binary);
    std::string line1, line2, line3;
    std::getline(in, line1);
    std::getline(in, line2);
    std::getline(in, line3);
    const std::string broken = dir.filePath("broken.csv").toStdString();
    std::ofstream(broken, std::ios::binary) << line1 << "\n"
                                            << line2 << "\n"
                                            << line3.substr(0, 40) << "\r\n";

    answers.Forget();
    answers.OpenPath(broken);
    Action(ID_FILE_OPEN)->trigger();
    EXPECT_EQ(answers.Ids(), (std::vector<int>{IDS_FILE_FORMAT_INVALID}));
    EXPECT_EQ(dlg_->LiveData().GetCount(), 2);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(Find<QLabel>(IDC_FILE_NAME)->text(), "good.csv");
}

// A file named on the command line or handed over by a later start opens
// as File > Open would open it: after the question about unsaved data, and
// never under a dialog that waits for an answer.
TEST_F(MainWindow, AFileFromTheDesktopOpensOnlyWhenTheWindowIsFree) {
    Open("/nonexistent/tty");
    Responder answers;
    PostRecords(0, 2);
    const std::string golden = KELP_TEST_DATA_DIR "/csv/golden.csv";

    QDialog other(dlg_.get());
    QTimer::singleShot(0, &other, [&] {
        dlg_->OpenDataFile(golden);
        other.reject();
    });
    other.exec();
    EXPECT_EQ(answers.Ids(), (std::vector<int>{IDS_OPEN_BUSY}));
    EXPECT_EQ(dlg_->LiveData().GetCount(), 2);

    answers.Forget();
    answers.Answer(IDCANCEL);
    dlg_->OpenDataFile(golden);
    EXPECT_EQ(answers.Ids(), (std::vector<int>{IDS_CONFIRM_SAVE_UNSAVED}));
    EXPECT_EQ(dlg_->LiveData().GetCount(), 2);

    answers.Answer(IDNO);
    dlg_->OpenDataFile(golden);
    EXPECT_EQ(dlg_->LiveData().GetCount(), 3);
    EXPECT_EQ(Find<QLabel>(IDC_FILE_NAME)->text(), "golden.csv");
    EXPECT_FALSE(dlg_->windowTitle().startsWith(u'*'));
}

// A file of more records than the window holds opens with its first ones,
// and the window says how many the file has.
TEST_F(MainWindow, OpeningALongerFileSaysWhatWasRead) {
    Open("/nonexistent/tty");
    Responder answers;
    CMeasDataSet first;
    testing::FillCast(first, 25.0, kMeasCapacity);
    CMeasDataSet rest;
    testing::FillCast(rest, 60.0, 5);
    QTemporaryDir dir;
    const std::string path = dir.filePath("long.csv").toStdString();
    test::WriteBytes(path, test::JoinedDataFile({&first, &rest}));
    answers.OpenPath(path);
    Action(ID_FILE_OPEN)->trigger();
    ASSERT_EQ(answers.Ids(), (std::vector<int>{IDS_FILE_PARTLY_READ}));
    EXPECT_EQ(answers.Asked()[0].style, 48);
    EXPECT_EQ(answers.Asked()[0].text,
              "このファイルには 10005 件のデータがあります。読み込んだのは最初の 10000 件だけです。");
    EXPECT_EQ(dlg_->LiveData().GetCount(), kMeasCapacity);
    EXPECT_EQ(Find<QLabel>(IDC_FILE_NAME)->text(), "long.csv");
}

TEST_F(MainWindow, MenuOfAnIdleWindow) {
    Open("/nonexistent/tty");
    dlg_->UpdateCommandUi();
    for (int id : {ID_FILE_OPEN, ID_EXIT, ID_CAPTURE, ID_DOWNLOAD, ID_ABOUT, ID_PANES_1, ID_PANES_2,
                   ID_PANES_3, ID_GRAPH_SETTINGS, ID_DEPTH_GRAPH, ID_XY_GRAPH}) {
        EXPECT_TRUE(Action(id)->isEnabled()) << id;
    }
    for (int id : {IDC_GRAPH_SETTINGS, IDC_XY_GRAPH, IDC_DEPTH_GRAPH}) {
        EXPECT_TRUE(Find<QPushButton>(id)->isEnabled()) << id;
    }
    for (int id : {ID_FILE_SAVE, ID_CAPTURE_STOP, ID_CLEAR, ID_DATA_SELECT}) {
        EXPECT_FALSE(Action(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(Action(ID_PANES_1)->isChecked());
    Action(ID_PANES_3)->trigger();
    EXPECT_FALSE(Action(ID_PANES_1)->isChecked());
    EXPECT_TRUE(Action(ID_PANES_3)->isChecked());
    EXPECT_EQ(Find<QLabel>(IDC_STATE)->text(), Text(IDS_STATE_IDLE));
    EXPECT_EQ(dlg_->windowTitle(), Text(IDS_APP_TITLE));

    // Exit closes an idle window (posted, so after the event loop runs).
    Action(ID_EXIT)->trigger();
    EXPECT_TRUE(WaitFor([&] { return !dlg_->isVisible(); }));
}

// Esc pressed by mistake must not close the window with the data; the title
// names the file and marks data not saved.
TEST_F(MainWindow, EscKeepsTheWindowAndTheTitleMarksUnsavedData) {
    Open("/nonexistent/tty");
    Responder answers;
    const QString app = Text(IDS_APP_TITLE);
    EXPECT_EQ(dlg_->windowTitle(), app);
    PostRecords(0, 3);
    EXPECT_EQ(dlg_->windowTitle(), "*" + app);

    auto* capture = Find<QPushButton>(IDC_CAPTURE);
    capture->setFocus();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(capture, &esc);
    WaitFor([] { return false; }, 50);
    EXPECT_TRUE(dlg_->isVisible());
    EXPECT_EQ(dlg_->LiveData().GetCount(), 3);
    EXPECT_TRUE(answers.Asked().empty());

    QTemporaryDir dir;
    answers.SavePath(dir.filePath("river-7.csv").toStdString());
    dlg_->UpdateCommandUi();
    Action(ID_FILE_SAVE)->trigger();
    EXPECT_EQ(dlg_->windowTitle(), "river-7.csv - " + app);
    PostRecords(3, 1);
    EXPECT_EQ(dlg_->windowTitle(), "*river-7.csv - " + app);
    Action(ID_CLEAR)->trigger();
    EXPECT_EQ(dlg_->windowTitle(), app);
}

// An unattended capture that fills the data set says so when it ends.
TEST_F(MainWindow, AFullDataSetEndsTheCaptureWithAMessage) {
    Open("/nonexistent/tty");
    Responder answers;
    // One record short of full: the end says nothing.
    PostRecords(0, kMeasCapacity - 1);
    Post(WM_APP_CAPTURE, RunEnd::Finished);
    WaitFor([] { return false; }, 50);
    EXPECT_TRUE(answers.Asked().empty());
    PostRecords(kMeasCapacity - 1, 1);
    Post(WM_APP_CAPTURE, RunEnd::Finished);
    ASSERT_TRUE(WaitFor([&] { return !answers.Asked().empty(); }));
    EXPECT_EQ(answers.Ids(), (std::vector<int>{IDS_CAPTURE_LIMIT_REACHED}));
    EXPECT_EQ(answers.Asked()[0].style, 48);
    EXPECT_EQ(dlg_->GetState(), CMainDlg::Idle);
}

TEST_F(MainWindow, DataSelectionStartsFromTheDataOnDisplay) {
    Open("/nonexistent/tty");
    Responder answers;
    int selections = 0;
    int offered = 0;
    dlg_->SetDataSelection([&](QWidget*, CMeasDataSet& source, CMeasDataSet& target) {
        ++selections;
        offered = source.GetCount();
        // Take the last two records only.
        CMeasDataSet keep;
        keep.CopyFrom(source);
        target.Clear();
        target.AppendRecordFrom(keep, 2);
        target.AppendRecordFrom(keep, 3);
        return true;
    });
    PostRecords(0, 4);
    dlg_->UpdateCommandUi();
    ASSERT_TRUE(Action(ID_DATA_SELECT)->isEnabled());
    answers.Answer(IDNO);
    Action(ID_DATA_SELECT)->trigger();
    // Nothing downloaded: only the question about the unsaved records.
    EXPECT_EQ(answers.Ids(), (std::vector<int>{IDS_CONFIRM_SAVE_UNSAVED}));
    EXPECT_EQ(selections, 1);
    EXPECT_EQ(offered, 4);
    EXPECT_EQ(dlg_->LiveData().GetCount(), 2);
    EXPECT_EQ(dlg_->GetCurrentRecord(), 0);
    EXPECT_EQ(Value(0)->GetText(), "10.02");
    EXPECT_EQ(Find<QSpinBox>(IDC_RECORD_SPIN)->maximum(), 2);

    // The source now holds records: the next selection asks before replacing it.
    answers.Forget();
    answers.Answer(IDCANCEL);
    Action(ID_DATA_SELECT)->trigger();
    EXPECT_EQ(answers.Ids(), (std::vector<int>{IDS_CONFIRM_REPLACE_SELECTION}));
    EXPECT_EQ(answers.Asked()[0].style, 65);
    EXPECT_EQ(selections, 1);
    answers.Answer(IDOK);
    answers.Answer(IDNO);
    Action(ID_DATA_SELECT)->trigger();
    EXPECT_EQ(selections, 2);
    EXPECT_EQ(offered, 2);
}

TEST_F(MainWindow, KeyboardReachesTheCommands) {
    Open("/nonexistent/tty");
    Responder answers;
    dlg_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg_.get()));
    dlg_->SetPaneCount(2, 0);

    // Tab: the record number (where the window starts), the layout buttons
    // of the panes shown, left to right and top to bottom, the scroll bar
    // beside them (arrows move it), then the buttons at the bottom.
    auto name = [&](QWidget* w) {
        for (int i = 0; i < 3; ++i) {
            if (dlg_->Pane(i)->isAncestorOf(w)) {
                return QStringLiteral("pane%1/%2").arg(i).arg(w->objectName());
            }
        }
        return Find<QSpinBox>(IDC_RECORD_SPIN)->isAncestorOf(w) ? QStringLiteral("1002") : w->objectName();
    };
    std::vector<QString> order;
    for (int i = 0; i < 13; ++i) {
        order.push_back(name(QApplication::focusWidget()));
        if (order.back() == QString::number(IDC_GRAPH_SCROLL)) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            EXPECT_EQ(dlg_->GetScrollPosition(), 2);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order, (std::vector<QString>{"1002", "pane0/1054", "pane0/1055", "pane0/1056", "pane1/1054",
                                           "pane1/1055", "pane1/1056", "1000", "1003", "1004", "1007", "1005",
                                           "1006"}));

    // Every button and captioned control has a mnemonic of its own.
    std::set<QKeySequence> keys;
    for (QMenu* menu :
         dlg_->findChild<QMenuBar*>()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!menu->title().isEmpty()) {
            keys.insert(QKeySequence::mnemonic(menu->title()));
        }
    }
    for (int id : {IDC_CAPTURE, IDC_DOWNLOAD, IDC_GRAPH_SETTINGS, IDC_XY_GRAPH, IDC_DEPTH_GRAPH}) {
        EXPECT_TRUE(keys.insert(QKeySequence::mnemonic(Find<QPushButton>(id)->text())).second) << id;
    }
    EXPECT_TRUE(keys.insert(QKeySequence::mnemonic(Find<QLabel>(IDC_LABEL_RECORD_NO)->text())).second);
    EXPECT_FALSE(keys.contains(QKeySequence()));
    QTest::keyClick(dlg_.get(), Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(Find<QSpinBox>(IDC_RECORD_SPIN)->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == Find<QSpinBox>(IDC_RECORD_SPIN));

    // Ctrl+S, Ctrl+O and Ctrl+Q follow the enabling of Save, Open and Exit.
    QTemporaryDir dir;
    const std::string path = dir.filePath("keys.csv").toStdString();
    answers.SavePath(path);
    answers.OpenPath(path);
    QTest::keyClick(dlg_.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path))) << "nothing to save";
    PostRecords(0, 2);
    dlg_->UpdateCommandUi();
    QTest::keyClick(dlg_.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));
    Action(ID_CLEAR)->trigger();
    // The offscreen platform leaves no window active after the progress
    // dialog; a desktop gives the activation back to the main window.
    dlg_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg_.get()));
    QTest::keyClick(dlg_.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dlg_->LiveData().GetCount(), 2);
    EXPECT_TRUE(answers.Asked().size() == 1 && answers.Asked()[0].id == IDS_CONFIRM_CLEAR);
    dlg_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg_.get()));
    QTest::keyClick(dlg_.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(WaitFor([&] { return !dlg_->isVisible(); }));
}

TEST_F(MainWindow, PanelKeepsItsRowsWhileThePanesTakeTheRoom) {
    Open("/nonexistent/tty");
    PostRecords(0, 1);
    auto* label = Find<CValueCell>(IDC_LABEL_CELL_FIRST + 9);
    const QRect labelAt = label->geometry();
    const QRect valueAt = Value(12)->geometry();
    const int paneHeight = dlg_->Pane(0)->height();
    const int paneWidth = dlg_->Pane(0)->width();
    for (const QSize size : {QSize(1920, 1080), QSize(800, 1400), QSize(1100, 760), QSize(800, 600)}) {
        dlg_->resize(size);
        QApplication::processEvents();
        EXPECT_EQ(label->geometry(), labelAt) << size.width() << "x" << size.height();
        EXPECT_EQ(Value(12)->geometry(), valueAt) << size.width() << "x" << size.height();
        EXPECT_EQ(dlg_->Pane(0)->height() - paneHeight, size.height() - 600);
        EXPECT_EQ(dlg_->Pane(0)->width() - paneWidth, size.width() - 800);
    }
}

}  // namespace
}  // namespace kelp
