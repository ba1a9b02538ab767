#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "app/SettingsStore.h"
#include "data/CaptureJournal.h"
#include "data/FileJobs.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "tests/link_support/MessageLoop.h"
#include "tests/settings/AsPlainUser.h"
#include "tests/settings/FileSizeLimit.h"
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

int RecordsIn(const std::string& path) {
    CMeasDataSet data;
    test::CMessageLoop loop;
    test::CFakeProgressDialog dialog(loop);
    return LoadDataFile(path, data, dialog) == FILEJOB_OK ? data.GetCount() : -1;
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

    // The files set aside beside the journal.
    std::vector<std::string> Aside() const {
        std::vector<std::string> aside;
        for (const auto& entry : fs::directory_iterator(folder_->Folder())) {
            if (entry.path().filename().string().starts_with("CaptureJournal-")) {
                aside.push_back(entry.path().string());
            }
        }
        return aside;
    }

    // What an abnormal end leaves: a journal of `count` records as a
    // capture writes it.
    void LeaveJournal(int count) {
        CMeasDataSet live;
        CCaptureJournal journal(folder_->Folder());
        ASSERT_TRUE(journal.Start(live));
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(live.AddLiveRecord(test::LiveReply(test::NormalBlocks(i))));
            ASSERT_TRUE(journal.Append(live, i));
        }
        journal.Finish();
    }

    QString Title(const QString& file = {}) const {
        const QString app = QString::fromStdString(LoadText(IDS_APP_TITLE));
        return file.isEmpty() ? app : file + " - " + app;
    }

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
    // No lets the records go only once a file has taken their place.
    answers.OpenPath(dir.filePath("no-such-file.csv").toStdString());
    answers.Answer(IDNO);
    Action(ID_FILE_OPEN)->trigger();
    EXPECT_EQ(answers.Ids().back(), IDS_FILE_OPEN_FAILED);
    ExpectJournalOfLiveData();
    EXPECT_EQ(dlg_->windowTitle(), "*" + Title());

    answers.OpenPath(saved);
    answers.Answer(IDNO);
    Action(ID_FILE_OPEN)->trigger();
    EXPECT_EQ(dlg_->LiveData().GetName(), saved);
    EXPECT_FALSE(JournalExists());
    EXPECT_EQ(dlg_->windowTitle(), Title("earlier.csv"));
}

TEST_F(JournalWindow, ImportJournalsTheImportedDataAndAnAbandonedSelectionKeepsTheJournal) {
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
    answers.Answer(IDNO);
    Action(ID_DATA_SELECT)->trigger();
    ExpectJournalOfLiveData();

    import = true;
    answers.Answer(IDOK);  // replace the records offered last time
    answers.Answer(IDNO);
    Action(ID_DATA_SELECT)->trigger();
    EXPECT_EQ(dlg_->LiveData().GetCount(), 1);
    // The record taken over exists only in memory: it has a journal of its own.
    ExpectJournalOfLiveData();
    EXPECT_EQ(dlg_->windowTitle(), "*" + Title());
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

// A window that goes without the user letting its records go (a test
// tearing it down here; a crash, a kill or a logout in the field) keeps them.
TEST_F(JournalWindow, AWindowGoneWithUnsavedDataKeepsTheJournal) {
    OpenWindow();
    Responder answers;
    Capture(answers, 2);
    ExpectJournalOfLiveData();
    const std::string journal = ReadBytes(journalPath_);
    const int records = dlg_->LiveData().GetCount();
    dlg_.reset();
    EXPECT_EQ(ReadBytes(journalPath_), journal);

    answers.Forget();
    OpenWindow();
    EXPECT_EQ(answers.Ids(), (std::vector<int>{IDS_CONFIRM_RESTORE}));
    EXPECT_EQ(dlg_->LiveData().GetCount(), records);
}

// Exit, the close box, Open and Import with each answer to the question
// about unsaved data: Cancel stays, No lets them go, Yes saves first and goes
// on only when the save succeeded.
TEST_F(JournalWindow, UnsavedDataAreClosedOrReplacedOnlyAsTheUserAnswers) {
    QTemporaryDir dir;
    const std::string other = dir.filePath("other.csv").toStdString();
    {
        // A file to open: one record.
        LeaveJournal(1);
        Responder answers;
        OpenWindow();
        answers.SavePath(other);
        Action(ID_FILE_SAVE)->trigger();
        ASSERT_TRUE(fs::exists(other));
        dlg_.reset();
    }
    enum Result { Closes, Opens, Imports };
    struct Way {
        const char* name;
        std::function<void()> run;
        Result result;
    };
    const std::vector<Way> ways = {
        {"exit",
         [&] {
             Action(ID_EXIT)->trigger();
             WaitFor([] { return false; }, 50);
         },
         Closes},
        {"close box", [&] { dlg_->close(); }, Closes},
        {"open", [&] { Action(ID_FILE_OPEN)->trigger(); }, Opens},
        {"import", [&] { Action(ID_DATA_SELECT)->trigger(); }, Imports},
    };
    enum Reply { Cancel, No, Yes, YesButNoSave };
    int n = 0;
    for (const Way& way : ways) {
        for (Reply reply : {Cancel, No, Yes, YesButNoSave}) {
            SCOPED_TRACE(std::string(way.name) + " " + std::to_string(reply));
            LeaveJournal(3);
            Responder answers;
            answers.Answer(IDOK);  // restore
            OpenWindow();
            int selections = 0;
            dlg_->SetDataSelection([&](QWidget*, CMeasDataSet& source, CMeasDataSet& target) {
                ++selections;
                CMeasDataSet keep;
                keep.CopyFrom(source);
                target.Clear();
                target.AppendRecordFrom(keep, 0);
                target.AppendRecordFrom(keep, 2);
                return true;
            });
            ASSERT_EQ(dlg_->LiveData().GetCount(), 3);
            const std::string saved = dir.filePath(QString("saved-%1.csv").arg(++n)).toStdString();
            answers.SavePath(reply == YesButNoSave ? std::string() : saved);
            answers.OpenPath(other);
            answers.Answer(reply == Cancel ? IDCANCEL : reply == No ? IDNO : IDYES);
            answers.Forget();

            way.run();
            ASSERT_FALSE(answers.Asked().empty());
            EXPECT_EQ(answers.Asked()[0].id, IDS_CONFIRM_SAVE_UNSAVED);
            EXPECT_EQ(answers.Asked()[0].style, 35);
            EXPECT_EQ(fs::exists(saved), reply == Yes);
            const bool goesOn = reply == No || reply == Yes;
            if (!goesOn) {
                EXPECT_TRUE(dlg_->isVisible());
                EXPECT_EQ(dlg_->LiveData().GetCount(), 3);
                EXPECT_EQ(selections, 0);
                EXPECT_EQ(dlg_->windowTitle(), "*" + Title());
                ExpectJournalOfLiveData();
            } else if (way.result == Closes) {
                EXPECT_FALSE(dlg_->isVisible());
                EXPECT_FALSE(JournalExists());
            } else if (way.result == Opens) {
                // The file's records, saved as they are.
                EXPECT_EQ(dlg_->LiveData().GetCount(), 1);
                EXPECT_EQ(dlg_->windowTitle(), Title("other.csv"));
                EXPECT_FALSE(JournalExists());
            } else {
                // New unsaved records with a journal of their own.
                EXPECT_EQ(selections, 1);
                EXPECT_EQ(dlg_->LiveData().GetCount(), 2);
                EXPECT_EQ(dlg_->windowTitle(), "*" + Title());
                ExpectJournalOfLiveData();
            }
            if (reply == Yes) {
                const std::string file = ReadBytes(saved);
                EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 2 + 3);
            }
            dlg_.reset();
            fs::remove(journalPath_);
        }
    }
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

// A damaged line in the middle costs that line only: every later record
// comes back, the user is told how many lines were lost, and the damaged
// file is kept aside while the restored records get a sound journal.
TEST_F(JournalWindow, ADamagedJournalRestoresEveryIntactRecordAndIsKeptAside) {
    LeaveJournal(153);
    const std::string intact = ReadBytes(journalPath_);
    // Line 52 (record 49) loses a stretch in its middle.
    std::size_t start = 0;
    for (int line = 1; line < 52; ++line) {
        start = intact.find('\n', start) + 1;
    }
    std::string damaged = intact;
    damaged.erase(start + 60, 40);
    std::ofstream(journalPath_, std::ios::binary | std::ios::trunc) << damaged;

    std::vector<std::string> texts;
    SetMessageResponder([&](QWidget*, int id, int) {
        texts.push_back(std::to_string(id) + ":" + ShownMessageText());
        return IDOK;
    });
    OpenWindow();
    SetMessageResponder({});
    ASSERT_EQ(texts.size(), 1u);
    const std::string expected =
        std::to_string(IDS_CONFIRM_RESTORE) + ":" + LoadText(IDS_CONFIRM_RESTORE) + "\n\n" +
        QString::fromStdString(LoadText(IDS_RESTORE_UNREADABLE)).arg(1).arg(152).toStdString() + "\n\n" +
        LoadText(IDS_JOURNAL_FOLDER) + folder_->Folder();
    EXPECT_EQ(texts[0], expected);

    CMeasDataSet live;
    live.CopyFrom(dlg_->LiveData());
    ASSERT_EQ(live.GetCount(), 152);
    CMeasDataSet records;
    for (int i = 0; i < 153; ++i) {
        ASSERT_TRUE(records.AddLiveRecord(test::LiveReply(test::NormalBlocks(i))));
    }
    // Lines without their record number, which closes the gap.
    auto fields = [](const std::string& line) { return line.substr(line.find(',')); };
    for (int r = 0; r < 152; ++r) {
        EXPECT_EQ(fields(live.FormatRecordLine(r)), fields(records.FormatRecordLine(r < 49 ? r : r + 1)))
            << r;
    }
    EXPECT_EQ(dlg_->windowTitle(), "*" + Title());
    ASSERT_EQ(Aside().size(), 1u);
    EXPECT_EQ(ReadBytes(Aside()[0]), damaged);
    ExpectJournalOfLiveData();

    // A journal of which nothing can be read is kept aside, and the user told.
    dlg_.reset();
    fs::remove(Aside()[0]);
    std::string noHeader = intact;
    noHeader.erase(intact.find('\n') + 10, 30);
    std::ofstream(journalPath_, std::ios::binary | std::ios::trunc) << noHeader;
    Responder answers;
    OpenWindow();
    EXPECT_EQ(answers.Ids(), (std::vector<int>{IDS_JOURNAL_UNREADABLE}));
    EXPECT_EQ(answers.Asked()[0].style, 48);
    EXPECT_EQ(dlg_->LiveData().GetCount(), 0);
    EXPECT_FALSE(JournalExists());
    ASSERT_EQ(Aside().size(), 1u);
    EXPECT_EQ(ReadBytes(Aside()[0]), noHeader);
}

// Where the journal cannot be written the user hears it once, and the
// capture runs all the same.
TEST_F(JournalWindow, AReadOnlySettingsFolderGivesANoticeAndTheCaptureGoesOn) {
    OpenWindow();
    Responder answers;
    fs::permissions(folder_->Folder(), fs::perms::owner_read | fs::perms::owner_exec);
    {
        test::AsPlainUser user;
        if (!user.Active()) {
            fs::permissions(folder_->Folder(), fs::perms::owner_all);
            GTEST_SKIP() << "file permissions cannot be made to bind this process";
        }
        std::vector<std::string> notices;
        SetMessageResponder([&](QWidget*, int id, int) {
            notices.push_back(std::to_string(id) + ":" + ShownMessageText());
            return IDOK;
        });
        Find<QPushButton>(IDC_CAPTURE)->click();
        EXPECT_EQ(dlg_->GetState(), CMainDlg::Capturing);
        EXPECT_TRUE(WaitFor([&] { return dlg_->LiveData().GetCount() >= 5; }));
        Find<QPushButton>(IDC_CAPTURE)->click();
        EXPECT_TRUE(WaitFor([&] { return dlg_->GetState() == CMainDlg::Idle; }));
        SetMessageResponder({});
        ASSERT_EQ(notices.size(), 3u);
        EXPECT_EQ(notices[1], std::to_string(IDS_JOURNAL_NOT_WRITTEN) + ":" +
                                  LoadText(IDS_JOURNAL_NOT_WRITTEN) + "\n\n" + LoadText(IDS_JOURNAL_FOLDER) +
                                  folder_->Folder());
        EXPECT_EQ(notices[2].substr(0, 5), std::to_string(IDS_CONFIRM_STOP) + ":");
    }
    fs::permissions(folder_->Folder(), fs::perms::owner_all);
    EXPECT_FALSE(JournalExists());
    EXPECT_GE(dlg_->LiveData().GetCount(), 5);
    EXPECT_EQ(dlg_->windowTitle(), "*" + Title());
}

// The disk fills during a capture (here: a file size limit), or the folder
// of the journal goes: the user hears it at once, the journal keeps every
// record it took, and a save at Exit that fails keeps the window and its
// data.
TEST_F(JournalWindow, AFullDiskOrARemovedFolderKeepsTheJournalWholeAndTheWindowOpen) {
    OpenWindow();
    Responder answers;
    QTemporaryDir dir;
    Find<QPushButton>(IDC_CAPTURE)->click();
    ASSERT_TRUE(WaitFor([&] { return dlg_->LiveData().GetCount() >= 5; }));

    auto full = std::make_unique<test::FileSizeLimit>(static_cast<rlim_t>(fs::file_size(journalPath_)) + 100);
    ASSERT_TRUE(full->Ok());
    const int before = dlg_->LiveData().GetCount();
    const auto noticed = [&] {
        const auto ids = answers.Ids();
        return std::count(ids.begin(), ids.end(), IDS_JOURNAL_NOT_WRITTEN);
    };
    EXPECT_TRUE(WaitFor([&] { return dlg_->LiveData().GetCount() >= before + 20 && noticed() > 0; }));
    Find<QPushButton>(IDC_CAPTURE)->click();
    EXPECT_TRUE(WaitFor([&] { return dlg_->GetState() == CMainDlg::Idle; }));
    EXPECT_EQ(noticed(), 1);
    const std::string journal = ReadBytes(journalPath_);
    CMeasDataSet kept;
    const int inJournal = CCaptureJournal(folder_->Folder()).Read(kept);
    EXPECT_GE(inJournal, before);
    EXPECT_LT(inJournal, dlg_->LiveData().GetCount());

    const int records = dlg_->LiveData().GetCount();
    answers.Forget();
    answers.Answer(IDYES);
    answers.SavePath(dir.filePath("field.csv").toStdString());
    Action(ID_EXIT)->trigger();
    WaitFor([] { return false; }, 50);
    full.reset();
    ASSERT_EQ(answers.Ids().size(), 2u);
    EXPECT_EQ(answers.Ids()[0], IDS_CONFIRM_SAVE_UNSAVED);
    EXPECT_EQ(answers.Asked()[1].style, kStyleError);
    EXPECT_TRUE(dlg_->isVisible());
    EXPECT_EQ(dlg_->LiveData().GetCount(), records);
    EXPECT_EQ(ReadBytes(journalPath_), journal);
    Action(ID_FILE_SAVE)->trigger();
    EXPECT_EQ(RecordsIn(dir.filePath("field.csv").toStdString()), records);
    EXPECT_FALSE(JournalExists());

    // The folder goes in the middle of the next capture.
    answers.Forget();
    Find<QPushButton>(IDC_CAPTURE)->click();
    ASSERT_TRUE(WaitFor([&] { return dlg_->LiveData().GetCount() >= 3; }));
    fs::remove_all(folder_->Folder());
    EXPECT_TRUE(WaitFor([&] { return noticed() > 0; }));
    Find<QPushButton>(IDC_CAPTURE)->click();
    EXPECT_TRUE(WaitFor([&] { return dlg_->GetState() == CMainDlg::Idle; }));
    EXPECT_FALSE(fs::exists(folder_->Folder()));
    answers.Answer(IDYES);
    answers.SavePath(dir.filePath("after.csv").toStdString());
    dlg_->close();
    EXPECT_FALSE(dlg_->isVisible());
    EXPECT_EQ(RecordsIn(dir.filePath("after.csv").toStdString()), dlg_->LiveData().GetCount());
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
