#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/SettingsStore.h"
#include "data/CaptureJournal.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "tests/ui_main/MainTestSupport.h"
#include "ui/main/MainDlg.h"
#include "ui/main/MessageBox.h"
#include "ui/main/ValueCell.h"

namespace kelp {
namespace {

namespace fs = std::filesystem;
using test::App;
using test::Responder;
using test::Simulator;
using test::WaitFor;

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The journal of the window's live capture, seen from outside: it must hold
// exactly the records on display, and it must disappear in every normal case
// where the records on display stop needing it.
class JournalWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        ASSERT_TRUE(sim_.Started());
        folder_ = std::make_unique<test::SettingsFolder>(sim_.Path(), 0);
        store_ = std::make_unique<CSettingsStore>(folder_->File());
        journalPath_ = folder_->Folder() + "/" + CCaptureJournal::kFileName;
    }

    void TearDown() override { dlg_.reset(); }

    void OpenWindow() {
        dlg_ = std::make_unique<CMainDlg>(*store_, "/nowhere/kelp-collector");
        dlg_->show();
    }

    template <class T>
    T* Find(int id) {
        T* widget = dlg_->findChild<T*>(QString::number(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }

    QAction* Action(int id) { return Find<QAction>(id); }

    // A capture from the simulator, confirmed, run to at least `records`
    // records and stopped.
    void Capture(Responder& answers, int records) {
        answers.Answer(IDOK);
        Find<QPushButton>(IDC_CAPTURE)->click();
        ASSERT_EQ(dlg_->GetState(), CMainDlg::Capturing);
        ASSERT_TRUE(WaitFor([&] { return dlg_->LiveData().GetCount() >= records; }));
        answers.Answer(IDOK);
        Find<QPushButton>(IDC_CAPTURE)->click();
        ASSERT_TRUE(WaitFor([&] { return dlg_->GetState() == CMainDlg::Idle; }));
    }

    // The journal holds the header and one line per record on display, the
    // same lines a data file of them would hold.
    void ExpectJournalOfLiveData() {
        ASSERT_TRUE(fs::exists(journalPath_));
        CMeasDataSet live;
        live.CopyFrom(dlg_->LiveData());
        ASSERT_GT(live.GetCount(), 0);
        std::string expected;
        for (int r = 0; r < live.GetCount(); ++r) {
            expected += live.FormatRecordLine(r);
        }
        const std::string journal = ReadBytes(journalPath_);
        ASSERT_GE(journal.size(), expected.size());
        EXPECT_EQ(journal.substr(journal.size() - expected.size()), expected);
        const std::string header = journal.substr(0, journal.size() - expected.size());
        EXPECT_EQ(std::count(header.begin(), header.end(), '\n'), 2) << header;
    }

    bool JournalExists() const { return fs::exists(journalPath_); }

    Simulator sim_;
    std::unique_ptr<test::SettingsFolder> folder_;
    std::unique_ptr<CSettingsStore> store_;
    std::unique_ptr<CMainDlg> dlg_;
    std::string journalPath_;
};

TEST_F(JournalWindow, SavingRemovesTheJournalAndAFailedSaveKeepsIt) {
    OpenWindow();
    Responder answers;
    Capture(answers, 3);
    ExpectJournalOfLiveData();

    QTemporaryDir dir;
    // A folder that does not exist: the save fails and the data stay unsaved.
    answers.SavePath(dir.filePath("missing/field.csv").toStdString());
    Action(ID_FILE_SAVE)->trigger();
    EXPECT_EQ(answers.Ids().back(), IDS_FILE_OPEN_FAILED);
    ExpectJournalOfLiveData();

    answers.SavePath(dir.filePath("field.csv").toStdString());
    Action(ID_FILE_SAVE)->trigger();
    EXPECT_TRUE(QFile::exists(dir.filePath("field.csv")));
    EXPECT_FALSE(JournalExists());
}

TEST_F(JournalWindow, ClearingRemovesTheJournalOnlyWhenConfirmed) {
    OpenWindow();
    Responder answers;
    Capture(answers, 2);
    answers.Answer(IDCANCEL);
    Action(ID_CLEAR)->trigger();
    ExpectJournalOfLiveData();

    answers.Answer(IDOK);
    Action(ID_CLEAR)->trigger();
    EXPECT_EQ(dlg_->LiveData().GetCount(), 0);
    EXPECT_FALSE(JournalExists());
}

TEST_F(JournalWindow, OpeningAFileRemovesTheJournalAndAFailedOpenKeepsIt) {
    OpenWindow();
    Responder answers;
    Capture(answers, 2);
    QTemporaryDir dir;
    const std::string saved = dir.filePath("earlier.csv").toStdString();
    answers.SavePath(saved);
    Action(ID_FILE_SAVE)->trigger();
    ASSERT_FALSE(JournalExists());

    Capture(answers, 2);
    ExpectJournalOfLiveData();
    answers.OpenPath(dir.filePath("no-such-file.csv").toStdString());
    Action(ID_FILE_OPEN)->trigger();
    EXPECT_EQ(answers.Ids().back(), IDS_FILE_OPEN_FAILED);
    ExpectJournalOfLiveData();

    answers.OpenPath(saved);
    Action(ID_FILE_OPEN)->trigger();
    EXPECT_EQ(dlg_->LiveData().GetName(), saved);
    EXPECT_FALSE(JournalExists());
}

TEST_F(JournalWindow, ImportRemovesTheJournalAndAnAbandonedSelectionKeepsIt) {
    OpenWindow();
    Responder answers;
    bool import = false;
    dlg_->SetDataSelection([&](QWidget*, CMeasDataSet& source, CMeasDataSet& target) {
        if (!import) {
            return false;
        }
        CMeasDataSet keep;
        keep.CopyFrom(source);
        target.Clear();
        target.AppendRecordFrom(keep, 0);
        return true;
    });
    Capture(answers, 2);
    Action(ID_DATA_SELECT)->trigger();
    ExpectJournalOfLiveData();

    import = true;
    answers.Answer(IDOK);  // replace the records offered last time
    Action(ID_DATA_SELECT)->trigger();
    EXPECT_EQ(dlg_->LiveData().GetCount(), 1);
    EXPECT_FALSE(JournalExists());
}

TEST_F(JournalWindow, ANewCaptureReplacesTheJournalOnlyWhenConfirmed) {
    OpenWindow();
    Responder answers;
    Capture(answers, 3);
    const std::string first = ReadBytes(journalPath_);

    answers.Answer(IDCANCEL);
    Find<QPushButton>(IDC_CAPTURE)->click();
    EXPECT_EQ(dlg_->GetState(), CMainDlg::Idle);
    EXPECT_EQ(ReadBytes(journalPath_), first);

    Capture(answers, 1);
    // Only the new run's records: the old ones went with the confirmation.
    ExpectJournalOfLiveData();
    EXPECT_NE(ReadBytes(journalPath_), first);
}

TEST_F(JournalWindow, ANormalCloseRemovesTheJournal) {
    OpenWindow();
    Responder answers;
    Capture(answers, 2);
    ExpectJournalOfLiveData();
    EXPECT_TRUE(dlg_->close());
    dlg_.reset();
    EXPECT_FALSE(JournalExists());
}

// A journal left by a run that ended abnormally, as the capture writes it.
class RestoreAtStart : public JournalWindow {
  protected:
    void SetUp() override {
        JournalWindow::SetUp();
        OpenWindow();
        Responder answers;
        Capture(answers, 4);
        journal_ = ReadBytes(journalPath_);
        records_.CopyFrom(dlg_->LiveData());
        // Leave the window without its normal close: the journal stays.
        fs::copy_file(journalPath_, journalPath_ + ".keep");
        dlg_.reset();
        fs::rename(journalPath_ + ".keep", journalPath_);
    }

    std::string journal_;
    CMeasDataSet records_;
};

TEST_F(RestoreAtStart, OkMakesTheJournalTheLiveDataWithoutAFileName) {
    Responder answers;
    answers.Answer(IDOK);
    OpenWindow();
    ASSERT_EQ(answers.Ids(), (std::vector<int>{IDS_CONFIRM_RESTORE}));
    EXPECT_EQ(answers.Asked()[0].style, 33);

    ASSERT_EQ(dlg_->LiveData().GetCount(), records_.GetCount());
    for (int r = 0; r < records_.GetCount(); ++r) {
        EXPECT_EQ(dlg_->LiveData().FormatTime(r, "%Y%m%d%H%M%S"), records_.FormatTime(r, "%Y%m%d%H%M%S"));
        EXPECT_EQ(dlg_->LiveData().FormatValue(0, r), records_.FormatValue(0, r));
    }
    EXPECT_EQ(dlg_->LiveData().GetName(), "");
    EXPECT_EQ(Find<QLabel>(IDC_FILE_NAME)->text(), "");
    EXPECT_EQ(dlg_->GetCurrentRecord(), 0);
    EXPECT_EQ(Find<QSpinBox>(IDC_RECORD_SPIN)->maximum(), records_.GetCount());
    EXPECT_EQ(Find<CValueCell>(IDC_VALUE_CELL_FIRST)->GetText().toStdString(), records_.FormatValue(0, 0));
    dlg_->UpdateCommandUi();
    EXPECT_TRUE(Action(ID_FILE_SAVE)->isEnabled());

    // Restored data are still unsaved: the journal stays until they are.
    EXPECT_EQ(ReadBytes(journalPath_), journal_);
    QTemporaryDir dir;
    answers.SavePath(dir.filePath("restored.csv").toStdString());
    Action(ID_FILE_SAVE)->trigger();
    EXPECT_FALSE(JournalExists());
}

TEST_F(RestoreAtStart, CancelKeepsTheJournalAsideAndStartsEmpty) {
    Responder answers;
    answers.Answer(IDCANCEL);
    OpenWindow();
    ASSERT_EQ(answers.Ids(), (std::vector<int>{IDS_CONFIRM_RESTORE}));
    EXPECT_EQ(dlg_->LiveData().GetCount(), 0);
    EXPECT_EQ(Find<CValueCell>(IDC_VALUE_CELL_FIRST)->GetText(), "");
    EXPECT_FALSE(JournalExists());

    std::vector<std::string> aside;
    for (const auto& entry : fs::directory_iterator(folder_->Folder())) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("CaptureJournal-")) {
            aside.push_back(entry.path().string());
        }
    }
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(ReadBytes(aside[0]), journal_);

    // Nothing is asked again: the file aside is not a journal any more.
    dlg_.reset();
    answers.Forget();
    OpenWindow();
    EXPECT_TRUE(answers.Asked().empty());
    EXPECT_TRUE(fs::exists(aside[0]));
}

TEST(PortErrorWindow, TheBoxNamesTheDeviceAndTheReason) {
    App();
    test::SettingsFolder folder("/nonexistent/kelp-tty");
    CSettingsStore store(folder.File());
    SelectLanguage("ja_JP", "");
    CMainDlg dlg(store, "/nowhere/kelp-collector");
    dlg.show();
    std::vector<std::string> texts;
    SetMessageResponder([&](QWidget*, int id, int) {
        texts.push_back(std::to_string(id) + ":" + ShownMessageText());
        return IDOK;
    });
    dlg.findChild<QPushButton*>(QString::number(IDC_CAPTURE))->click();
    EXPECT_TRUE(WaitFor([&] { return dlg.GetState() == CMainDlg::Idle && texts.size() == 2; }));
    int selections = 0;
    dlg.SetDataSelection([&](QWidget*, CMeasDataSet&, CMeasDataSet&) { return ++selections, false; });
    dlg.findChild<QPushButton*>(QString::number(IDC_DOWNLOAD))->click();
    SetMessageResponder({});

    const std::string expected = std::to_string(IDS_PORT_OPEN_FAILED) + ":" + LoadText(IDS_PORT_OPEN_FAILED) +
                                 "\n\n" + LoadText(IDS_PORT_DEVICE) + "/nonexistent/kelp-tty\n" +
                                 LoadText(IDS_PORT_REASON_NO_DEVICE);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[1], expected) << "capture";
    EXPECT_EQ(texts[3], expected) << "download";
    EXPECT_EQ(selections, 0);
}

}  // namespace
}  // namespace kelp
