#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <set>

#include "app/SettingsStore.h"
#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "resources/Texts.h"
#include "tests/data_model/ReplyBuilder.h"
#include "tests/ui_dialogs/MessageLog.h"
#include "tests/ui_graphwin/CastData.h"
#include "ui/dialogs/CastOptionsDlg.h"
#include "ui/dialogs/DataSelectDlg.h"
#include "ui/dialogs/DataSelectModel.h"
#include "ui/dialogs/DialogText.h"
#include "ui/dialogs/ProgressDlg.h"

namespace kelp {
namespace {

using test::Control;

void AddRecord(CMeasDataSet& set, std::string site, const char* time, const char* position) {
    test::ReplyFields fields;
    site.resize(20, ' ');
    fields.site = site;
    fields.time = time;
    fields.position = position;
    set.AddMemoryRecord(test::MemoryReply(fields));
}

class DataSelectDlgTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Records 1 to 5 (indices 0 to 4) with ties in time, site and latitude.
        AddRecord(source, "Bravo", "070101100020", "351234 N1394506 E");
        AddRecord(source, "Alpha", "070101100010", "-                ");
        AddRecord(source, "Charlie", "070101100010", "100000 S0100000 W");
        AddRecord(source, "Alpha", "070101100000", "200000 N0200000 E");
        AddRecord(source, "Delta", "070101100030", "351234 N1000000 E");
        ASSERT_EQ(source.GetCount(), 5);
        AddRecord(target, "Old", "070101090000", "-                ");
        dlg.SetDataSets(&source, &target);
        dlg.show();
    }

    QTableView* List() { return dlg.List(); }
    const CDataSelectModel& Model() { return dlg.Model(); }

    // The records shown, top to bottom.
    std::vector<int> Shown() {
        std::vector<int> records;
        for (int row = 0; row < Model().rowCount(); ++row) {
            records.push_back(Model().RecordAt(row));
        }
        return records;
    }

    // The records of the selected rows, in any order.
    std::set<int> SelectedRecords() {
        std::set<int> records;
        for (const QModelIndex& index : List()->selectionModel()->selectedRows()) {
            records.insert(Model().RecordAt(index.row()));
        }
        return records;
    }

    void SelectRecords(std::initializer_list<int> records) {
        for (int record : records) {
            for (int row = 0; row < Model().rowCount(); ++row) {
                if (Model().RecordAt(row) == record) {
                    List()->selectionModel()->select(Model().index(row, 0),
                                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
                }
            }
        }
    }

    void Click(int id) { Control<QPushButton>(&dlg, id)->click(); }
    void ClickHeader(int column) { emit List()->horizontalHeader()->sectionClicked(column); }

    std::string TargetSite(int record) { return target.GetSiteName(record).substr(0, 7); }

    CMeasDataSet source;
    CMeasDataSet target;
    CDataSelectDlg dlg;
};

TEST_F(DataSelectDlgTest, ListsTheSourceWithCellsOnDemand) {
    EXPECT_EQ(Model().columnCount(), 5);
    EXPECT_EQ(Model().headerData(0, Qt::Horizontal).toString(), QStringLiteral("No."));
    EXPECT_EQ(Model().headerData(1, Qt::Horizontal).toString().toStdString(), LoadText(IDS_COL_DATE));
    EXPECT_EQ(Model().headerData(2, Qt::Horizontal).toString(), QStringLiteral("SITE"));
    EXPECT_EQ(Model().headerData(3, Qt::Horizontal).toString().toStdString(), LoadText(IDS_COL_LATITUDE));
    EXPECT_EQ(Shown(), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(Model().CellText(0, 0), QStringLiteral("1"));
    EXPECT_EQ(Model().CellText(0, 1), QStringLiteral("2007/01/01 10:00:20"));
    EXPECT_EQ(Model().CellText(0, 2), QStringLiteral("Bravo               "));
    EXPECT_EQ(Model().CellText(0, 3), QStringLiteral("35 12 34 N"));
    EXPECT_EQ(Model().CellText(0, 4), QStringLiteral("139 45 06 E"));
    EXPECT_EQ(Model().CellText(1, 3), QStringLiteral("-- -- -- -"));
    EXPECT_EQ(Model().CellText(1, 4), QStringLiteral("--- -- -- -"));
    EXPECT_EQ(Model().CellText(5, 0), QString()) << "no row beyond the records";
    EXPECT_EQ(dlg.minimumSize(), QSize(CDataSelectDlg::kMinWidth, CDataSelectDlg::kMinHeight));
    EXPECT_GE(List()->columnWidth(2),
              List()->fontMetrics().horizontalAdvance(QStringLiteral("RRRRRRRRRRRRRRRRRRRR")));
}

TEST_F(DataSelectDlgTest, NumberColumnFirstClickShowsDescending) {
    ClickHeader(0);
    EXPECT_EQ(Shown(), (std::vector<int>{4, 3, 2, 1, 0}));
    EXPECT_EQ(Model().CellText(0, 0), QStringLiteral("5"));
    ClickHeader(0);
    EXPECT_EQ(Shown(), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(DataSelectDlgTest, EachColumnSortsWithTiesInRecordOrder) {
    ClickHeader(1);  // time; records 2 and 3 share 10:00:10
    EXPECT_EQ(Shown(), (std::vector<int>{3, 1, 2, 0, 4}));
    ClickHeader(1);
    EXPECT_EQ(Shown(), (std::vector<int>{4, 0, 2, 1, 3}));
    ClickHeader(2);  // site, ascending again after a change of column
    EXPECT_EQ(Shown(), (std::vector<int>{1, 3, 0, 2, 4}));
    ClickHeader(3);  // latitude; no position last
    EXPECT_EQ(Shown(), (std::vector<int>{2, 3, 0, 4, 1}));
    ClickHeader(4);  // longitude
    EXPECT_EQ(Shown(), (std::vector<int>{2, 3, 4, 0, 1}));
}

TEST_F(DataSelectDlgTest, SelectionSurvivesAResort) {
    SelectRecords({1, 4});  // "No." 2 and 5
    ClickHeader(2);
    EXPECT_EQ(SelectedRecords(), (std::set<int>{1, 4}));
    EXPECT_EQ(List()->selectionModel()->selectedRows().size(), 2);
    ClickHeader(2);
    EXPECT_EQ(SelectedRecords(), (std::set<int>{1, 4}));
    ClickHeader(0);
    EXPECT_EQ(SelectedRecords(), (std::set<int>{1, 4}));
}

TEST_F(DataSelectDlgTest, DeleteAsksFirstAndKeepsTheDirectionWhileDescending) {
    ClickHeader(0);
    SelectRecords({1, 3});
    // Deleted records come back only with a new download: Cancel keeps them.
    std::vector<std::string> asked;
    SetMessageResponder([&asked](QWidget*, int id, int style) {
        EXPECT_EQ(id, IDS_CONFIRM_DELETE_RECORDS);
        EXPECT_EQ(style, kStyleQuestion);
        asked.push_back(ShownMessageText());
        return IDCANCEL;
    });
    Click(IDC_SELECT_DELETE);
    SetMessageResponder({});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find(IsEnglish() ? "Delete the 2 selected records?" : "選択した 2 件"),
              std::string::npos)
        << asked[0];
    EXPECT_EQ(source.GetCount(), 5);
    EXPECT_EQ(SelectedRecords(), (std::set<int>{1, 3}));

    test::MessageLog messages;
    Click(IDC_SELECT_DELETE);
    EXPECT_EQ(messages.ids, (std::vector<int>{IDS_CONFIRM_DELETE_RECORDS}));
    ASSERT_EQ(source.GetCount(), 3);
    EXPECT_EQ(source.GetSiteName(0).substr(0, 5), "Bravo");
    EXPECT_EQ(source.GetSiteName(1).substr(0, 7), "Charlie");
    EXPECT_EQ(source.GetSiteName(2).substr(0, 5), "Delta");
    EXPECT_EQ(Shown(), (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(Model().CellText(0, 0), QStringLiteral("3"));
    EXPECT_TRUE(List()->selectionModel()->selectedRows().isEmpty());
    EXPECT_TRUE(dlg.isVisible());
    Click(IDC_SELECT_DELETE);  // nothing selected: nothing deleted
    EXPECT_EQ(source.GetCount(), 3);
}

TEST_F(DataSelectDlgTest, ImportAllCopiesTheSource) {
    Click(IDC_SELECT_ALL);
    Click(IDC_SELECT_IMPORT);
    EXPECT_TRUE(dlg.IsImported());
    EXPECT_FALSE(dlg.isVisible());
    ASSERT_EQ(target.GetCount(), source.GetCount());
    EXPECT_EQ(target.GetElapsedRange().MaxElapsed, source.GetElapsedRange().MaxElapsed);
    EXPECT_EQ(target.GetStats(0, 0).Count, source.GetStats(0, 0).Count);
    for (int r = 0; r < source.GetCount(); ++r) {
        EXPECT_EQ(target.GetSiteName(r), source.GetSiteName(r)) << r;
        EXPECT_EQ(target.GetTime(r), source.GetTime(r)) << r;
        EXPECT_EQ(target.GetElapsed(r), source.GetElapsed(r)) << r;
        EXPECT_EQ(target.GetLatitude(r), source.GetLatitude(r)) << r;
        EXPECT_EQ(target.GetLongitude(r), source.GetLongitude(r)) << r;
        EXPECT_EQ(target.GetDevice(r), source.GetDevice(r)) << r;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            EXPECT_EQ(target.GetValue(slot, r), source.GetValue(slot, r)) << r << "/" << slot;
            EXPECT_EQ(target.GetUnit(slot, r), source.GetUnit(slot, r)) << r << "/" << slot;
            EXPECT_EQ(target.GetState(slot, r), source.GetState(slot, r)) << r << "/" << slot;
        }
    }
}

TEST_F(DataSelectDlgTest, ImportTakesRecordOrderWhateverTheListOrder) {
    ClickHeader(0);  // descending: 5, 4, 3, 2, 1
    SelectRecords({4, 0, 2});
    Click(IDC_SELECT_IMPORT);
    ASSERT_TRUE(dlg.IsImported());
    ASSERT_EQ(target.GetCount(), 3);
    EXPECT_EQ(TargetSite(0), "Bravo  ");
    EXPECT_EQ(TargetSite(1), "Charlie");
    EXPECT_EQ(TargetSite(2), "Delta  ");
    EXPECT_EQ(target.GetElapsed(0), 0.0) << "the first imported record is the new reference";
    EXPECT_EQ(target.GetElapsed(2), 10.0);
    EXPECT_EQ(source.GetCount(), 5) << "importing leaves the source alone";
}

TEST_F(DataSelectDlgTest, ImportWithNothingSelectedKeepsTheDialogOpen) {
    SelectRecords({2});
    Click(IDC_SELECT_CLEAR);
    EXPECT_TRUE(List()->selectionModel()->selectedRows().isEmpty());
    Click(IDC_SELECT_IMPORT);
    EXPECT_FALSE(dlg.IsImported());
    EXPECT_TRUE(dlg.isVisible());
    ASSERT_EQ(target.GetCount(), 1);
    EXPECT_EQ(TargetSite(0), "Old    ");
}

TEST_F(DataSelectDlgTest, EnterDoesNothingAndCloseImportsNothing) {
    SelectRecords({0});
    QTest::keyClick(&dlg, Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    Click(IDCANCEL);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_FALSE(dlg.IsImported());
    EXPECT_EQ(target.GetCount(), 1);
}

TEST_F(DataSelectDlgTest, KeyboardWorksTheList) {
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    List()->setFocus();
    // The header marks the sort column and its direction.
    QHeaderView* header = List()->horizontalHeader();
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 0);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    ClickHeader(0);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    ClickHeader(2);
    EXPECT_EQ(header->sortIndicatorSection(), 2);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);

    // Delete removes the selection as the button does, once confirmed.
    SelectRecords({1});
    {
        test::MessageLog messages;
        QTest::keyClick(List(), Qt::Key_Delete);
        EXPECT_EQ(messages.ids, (std::vector<int>{IDS_CONFIRM_DELETE_RECORDS}));
    }
    EXPECT_EQ(source.GetCount(), 4);
    EXPECT_TRUE(dlg.isVisible());

    // Tab leaves the list for the buttons.
    QTest::keyClick(List(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Control<QPushButton>(&dlg, IDC_SELECT_ALL));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), List());

    // Enter imports the selection.
    SelectRecords({0});
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_TRUE(dlg.IsImported());
    EXPECT_FALSE(dlg.isVisible());
    ASSERT_EQ(target.GetCount(), 1);
}

TEST(DataSelectDlg, OpensCentredOverTheWindowThatAsked) {
    QWidget owner;
    owner.setGeometry(700, 300, 900, 700);
    owner.show();
    CMeasDataSet source;
    CMeasDataSet target;
    CDataSelectDlg dlg(&owner);
    dlg.SetDataSets(&source, &target);
    dlg.show();
    EXPECT_LE((dlg.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 8)
        << dlg.frameGeometry().x() << "," << dlg.frameGeometry().y() << " " << dlg.width() << "x"
        << dlg.height();
}

TEST(DataSelectDlg, JapaneseColumnsFitTheListAtOpening) {
    const QLocale before;
    QLocale::setDefault(QLocale(QStringLiteral("ja_JP")));
    CMeasDataSet source;
    CMeasDataSet target;
    for (int i = 0; i < 40; ++i) {
        AddRecord(source, "KELP BAY", "070101100000", "351234 N1394506 E");
    }
    const char* const wide[] = {"WWWW", "WWWWWWWWWWWWWWWWW", "WWWWWWWWWWWWWWWWWWWWWW", "WWWWWWWWW",
                                "WWWWWWWWWW"};
    const char* const fitted[] = {"WWWW", "2007/99/99 99:99:99 WW", "RRRRRRRRRRRRRRRRRRRR", "99 99 99 9 WW",
                                  "999 99 99 9 WW"};
    int narrowed = 0;
    for (int points : {7, 10, 11, 16}) {
        QFont font = QApplication::font();
        font.setFamily(QStringLiteral("IPAPGothic"));
        font.setPointSize(points);
        CDataSelectDlg dlg;
        dlg.SetDialogFont(&font);
        dlg.SetDataSets(&source, &target);
        dlg.show();
        QApplication::processEvents();  // the view lays out its scroll bars later
        QTableView* list = dlg.List();
        const QFontMetrics metrics(list->font());
        int sampled = 0;
        int needed = 0;
        int total = 0;
        for (int column = 0; column < 5; ++column) {
            sampled += metrics.horizontalAdvance(wide[column]);
            needed += metrics.horizontalAdvance(fitted[column]);
            total += list->columnWidth(column);
            EXPECT_GE(list->columnWidth(column), metrics.horizontalAdvance(fitted[column]))
                << points << "pt, column " << column << ": never below what the texts need";
        }
        const int room = list->viewport()->width();
        if (sampled <= room) {
            EXPECT_EQ(total, sampled) << points << "pt: the W samples fit as they are";
        } else if (needed <= room) {
            ++narrowed;
            EXPECT_LE(total, room) << points << "pt";
            EXPECT_GE(total, room - 5) << points << "pt: the columns fill the list";
            EXPECT_FALSE(list->horizontalScrollBar()->isVisible())
                << points << "pt: " << total << " in " << room << ", list " << list->width();
        } else {
            EXPECT_EQ(total, needed) << points << "pt: too large a face to fit";
        }
    }
    EXPECT_GT(narrowed, 0) << "no face size made the columns narrower";
    QLocale::setDefault(before);
}

TEST(DataSelectDlg, EmptySourceListsNothing) {
    CMeasDataSet source;
    CMeasDataSet target;
    CDataSelectDlg dlg;
    dlg.SetDataSets(&source, &target);
    dlg.show();
    EXPECT_EQ(dlg.Model().rowCount(), 0);
    dlg.OnColumnClick(1);
    dlg.OnSelectAll();
    dlg.OnDeleteSelected();
    dlg.OnImportSelected();
    EXPECT_FALSE(dlg.IsImported());
    EXPECT_TRUE(dlg.isVisible());
}

}  // namespace
}  // namespace kelp

namespace kelp {
namespace {

TEST(DataSelectDlg, FullSetSortsAndDeletesHalfInOneBatch) {
    CMeasDataSet source;
    CMeasDataSet target;
    for (int i = 0; i < kMeasCapacity; ++i) {
        char site[32];
        std::snprintf(site, sizeof site, "S%05d", (i * 7) % kMeasCapacity);
        AddRecord(source, site, "070101100000", "-                ");
    }
    ASSERT_EQ(source.GetCount(), kMeasCapacity);
    CDataSelectDlg dlg;
    dlg.SetDataSets(&source, &target);
    dlg.show();
    QItemSelection odd;
    for (int row = 1; row < kMeasCapacity; row += 2) {
        odd.select(dlg.Model().index(row, 0), dlg.Model().index(row, 4));
    }
    dlg.List()->selectionModel()->select(odd, QItemSelectionModel::Select);
    dlg.OnColumnClick(CDataSelectModel::ColSite);
    EXPECT_EQ(dlg.List()->selectionModel()->selectedRows().size(), kMeasCapacity / 2);
    for (const QModelIndex& index : dlg.List()->selectionModel()->selectedRows()) {
        ASSERT_EQ(dlg.Model().RecordAt(index.row()) % 2, 1);
    }
    test::MessageLog messages;
    dlg.OnDeleteSelected();
    ASSERT_EQ(source.GetCount(), kMeasCapacity / 2);
    EXPECT_EQ(dlg.Model().rowCount(), kMeasCapacity / 2);
    for (int r = 0; r < source.GetCount(); ++r) {
        char site[32];
        std::snprintf(site, sizeof site, "S%05d", (2 * r * 7) % kMeasCapacity);
        ASSERT_EQ(source.GetSiteName(r).substr(0, 6), site) << r;
    }
    // Still sorted by site after the deletion.
    EXPECT_LT(dlg.Model().CellText(0, 2), dlg.Model().CellText(1, 2));
}

}  // namespace
}  // namespace kelp

namespace kelp {
namespace {

TEST(DataSelectModel, SiteNamesAreShownFromShiftJis) {
    CMeasDataSet source;
    AddRecord(source, "\xB7\xDD\xBA\xB3 \x90\x85", "070101100000", "-                ");  // "ｷﾝｺｳ 水"
    CDataSelectModel model;
    model.SetSource(&source);
    EXPECT_EQ(model.CellText(0, CDataSelectModel::ColSite).trimmed(), QStringLiteral("ｷﾝｺｳ 水"));
}

}  // namespace
}  // namespace kelp

namespace kelp {
namespace {

// A yo-yo of two casts to 12 m, then, after a silence of half an hour, a
// station where the probe hangs at 3 m: a series of ten records.
class DataSelectCastsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::FillYoYo(source, 2, 12.0, 24);
        const int yoyo = source.GetCount();
        for (int i = 0; i < 10; ++i) {
            source.AddMemoryRecord(testing::MemoryReply({{10, 18.0, 2}, {11, 3.0, 2}}, 2000 + i));
        }
        ASSERT_EQ(source.GetCount(), yoyo + 10);
        dlg.SetDataSets(&source, &target);
        dlg.show();
        ASSERT_EQ(dlg.FoundCasts().casts.size(), 3u);
    }

    std::set<int> Selected() {
        std::set<int> records;
        for (const QModelIndex& index : dlg.List()->selectionModel()->selectedRows()) {
            records.insert(dlg.Model().RecordAt(index.row()));
        }
        return records;
    }

    static std::set<int> Span(RecordRange range) {
        std::set<int> records;
        for (int r = range.first; r <= range.last; ++r) {
            records.insert(r);
        }
        return records;
    }

    const Cast& FoundCast(int i) { return dlg.FoundCasts().casts[static_cast<std::size_t>(i)]; }

    // The csv files in `folder`, by name.
    static QStringList Files(const QString& folder) {
        return QDir(folder).entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    }

    CMeasDataSet source;
    CMeasDataSet target;
    CDataSelectDlg dlg;
};

TEST_F(DataSelectCastsTest, ChoosingACastOrStationSelectsItsRecordsForImport) {
    QTreeWidget* tree = dlg.Casts();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    ASSERT_EQ(tree->topLevelItem(0)->childCount(), 2);
    ASSERT_EQ(tree->topLevelItem(1)->childCount(), 1);
    EXPECT_EQ(tree->topLevelItem(1)->child(0)->text(0), DlgString(IDS_CAST_TREE_SERIES).arg(3));
    EXPECT_EQ(Control<QLabel>(&dlg, IDC_LABEL_CASTS)->text().toStdString(),
              IsEnglish() ? "2 stations, 2 casts, 1 series" : "測点 2、キャスト 2、時系列 1");
    // The second cast, whole; then its down-cast only.
    tree->setCurrentItem(tree->topLevelItem(0)->child(1));
    EXPECT_EQ(Selected(), Span(FoundCast(1).records));
    Control<QCheckBox>(&dlg, IDC_SELECT_DOWNCAST)->setChecked(true);
    EXPECT_EQ(Selected(), Span(FoundCast(1).down));
    EXPECT_LT(FoundCast(1).down.Count(), FoundCast(1).Records());
    // A station: all its records, whatever the check box (a series has no down-cast).
    Control<QCheckBox>(&dlg, IDC_SELECT_DOWNCAST)->setChecked(false);
    tree->setCurrentItem(tree->topLevelItem(1));
    EXPECT_EQ(Selected(), Span(dlg.FoundCasts().stations[1].records));
    Control<QPushButton>(&dlg, IDC_SELECT_IMPORT)->click();
    ASSERT_TRUE(dlg.IsImported());
    EXPECT_EQ(target.GetCount(), 10);
    // Deleting records finds the casts again.
    CDataSelectDlg again;
    CMeasDataSet into;
    again.SetDataSets(&source, &into);
    again.show();
    again.Casts()->setCurrentItem(again.Casts()->topLevelItem(1));
    {
        test::MessageLog asked;  // the delete question, answered OK
        again.OnDeleteSelected();
        EXPECT_EQ(asked.ids, (std::vector<int>{IDS_CONFIRM_DELETE_RECORDS}));
    }
    EXPECT_EQ(again.Casts()->topLevelItemCount(), 1);
    EXPECT_EQ(again.FoundCasts().casts.size(), 2u);
}

TEST_F(DataSelectCastsTest, SaveEachCastWritesNewFilesAndSaysSo) {
    QTemporaryDir dir;
    const QString folder = dir.path();
    // A file of the first cast's name is there already, and stays as it was.
    const QString taken = QDir(folder).filePath(QStringLiteral("CAST_20260601-1000.csv"));
    {
        QFile file(taken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep me\n");
    }
    test::MessageLog log;
    // Cancel in the folder dialog writes nothing.
    SetSaveFileResponder([](QWidget*) { return std::string(); });
    Control<QPushButton>(&dlg, IDC_SELECT_SAVE_CASTS)->click();
    EXPECT_TRUE(log.ids.empty());
    EXPECT_EQ(Files(folder).size(), 1);

    SetSaveFileResponder([&folder](QWidget*) { return folder.toStdString(); });
    Control<QPushButton>(&dlg, IDC_SELECT_SAVE_CASTS)->click();
    ASSERT_EQ(log.ids, std::vector<int>{IDS_CLI_SPLIT_DONE});
    const std::string all = std::to_string(source.GetCount());
    EXPECT_EQ(log.texts.back(),
              IsEnglish()
                  ? "3 files (" + all + " records) written to " + folder.toStdString()
                  : "3 個のファイル（" + all + " 件）を " + folder.toStdString() + " に書き込みました");
    EXPECT_EQ(
        Files(folder),
        (QStringList{QStringLiteral("CAST_20260601-1000-2.csv"), QStringLiteral("CAST_20260601-1000-3.csv"),
                     QStringLiteral("CAST_20260601-1000.csv"), QStringLiteral("CAST_20260601-1033.csv")}));
    QFile kept(taken);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("keep me\n"));
    // Each file holds its cast and loads back.
    CMeasDataSet back;
    CProgressDlg progress;
    ASSERT_EQ(LoadDataFile(QDir(folder).filePath(QStringLiteral("CAST_20260601-1000-3.csv")).toStdString(),
                           back, progress),
              FILEJOB_OK);
    EXPECT_EQ(back.GetCount(), FoundCast(1).Records());

    // One file a station, down-casts only: the series has none to give.
    Control<QComboBox>(&dlg, IDC_SELECT_SAVE_BY)->setCurrentIndex(1);
    Control<QCheckBox>(&dlg, IDC_SELECT_DOWNCAST)->setChecked(true);
    Control<QPushButton>(&dlg, IDC_SELECT_SAVE_CASTS)->click();
    const std::string down = std::to_string(FoundCast(0).down.Count() + FoundCast(1).down.Count());
    EXPECT_EQ(log.texts.back(), IsEnglish()
                                    ? "1 file (" + down + " records) written to " + folder.toStdString() +
                                          "\n1 series without a down-cast was left out."
                                    : "1 個のファイル（" + down + " 件）を " + folder.toStdString() +
                                          " に書き込みました\n下降のない時系列 1 個は書き出していません。");
    EXPECT_EQ(Files(folder).size(), 5);

    // A folder that is not one: said so, and no success claimed.
    SetSaveFileResponder([&taken](QWidget*) { return taken.toStdString(); });
    Control<QPushButton>(&dlg, IDC_SELECT_SAVE_CASTS)->click();
    SetSaveFileResponder({});
    EXPECT_EQ(log.ids.back(), IDS_CLI_SPLIT_CANNOT_WRITE);
    EXPECT_EQ(log.ids.size(), 3u);
}

TEST_F(DataSelectCastsTest, ThresholdsAreCheckedAppliedAndKept) {
    QTemporaryDir dir;
    const std::string ini = QDir(dir.path()).filePath(QStringLiteral("Kelp-Win.ini")).toStdString();
    const CSettingsStore store(ini);
    dlg.SetSettingsStore(&store);
    test::MessageLog log;
    // Fills the dialog when it stands, then presses `buttons` in turn.
    const auto answer = [](std::vector<std::pair<int, QString>> edits, std::vector<int> buttons) {
        QTimer::singleShot(0, [edits = std::move(edits), buttons = std::move(buttons)] {
            auto* options = qobject_cast<CCastOptionsDlg*>(QApplication::activeModalWidget());
            ASSERT_TRUE(options != nullptr);
            for (const auto& [id, text] : edits) {
                Control<QLineEdit>(options, id)->setText(text);
            }
            for (const int button : buttons) {
                Control<QPushButton>(options, button)->click();
            }
            if (options->isVisible()) {
                options->reject();  // refused: leave it as Cancel would
            }
        });
    };
    // Out of range: refused, nothing changes.
    answer({{IDC_CAST_RECORDS, QStringLiteral("1")}}, {IDOK});
    dlg.OnCastOptions();
    EXPECT_EQ(log.ids, std::vector<int>{IDS_RANGE_INVALID});
    EXPECT_EQ(dlg.Thresholds(), CastOptions{});
    // Cancel keeps what was typed out.
    answer({{IDC_CAST_HEIGHT, QStringLiteral("20")}}, {IDCANCEL});
    dlg.OnCastOptions();
    EXPECT_EQ(dlg.FoundCasts().casts.size(), 3u);
    // A height beyond the yo-yo's 12 m leaves two series, kept in the settings.
    answer({{IDC_CAST_HEIGHT, QStringLiteral("20")}, {IDC_CAST_GAP, QStringLiteral("2.5")}}, {IDOK});
    dlg.OnCastOptions();
    EXPECT_EQ(dlg.FoundCasts().casts.size(), 2u);
    EXPECT_EQ(dlg.Casts()->topLevelItem(0)->child(0)->text(0), DlgString(IDS_CAST_TREE_SERIES).arg(1));
    const CastOptions kept = CSettingsStore(ini).ReadCastOptions();
    EXPECT_EQ(kept.minHeightMetres, 20.0);
    EXPECT_EQ(kept.gapSeconds, 150);
    // Defaults, once accepted, bring the casts back.
    answer({}, {IDC_CAST_DEFAULTS, IDOK});
    dlg.OnCastOptions();
    EXPECT_EQ(dlg.Thresholds(), CastOptions{});
    EXPECT_EQ(dlg.FoundCasts().casts.size(), 3u);
    EXPECT_EQ(log.ids.size(), 1u);
}

}  // namespace
}  // namespace kelp
