#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <set>

#include "link/MessageTarget.h"
#include "resources/Texts.h"
#include "tests/ui_dialogs/MessageLog.h"
#include "ui/graphs/GraphSettingsDlg.h"

namespace kelp {
namespace {

using test::Control;
using test::MessageLog;

class MessageQueue final : public IMessageTarget {
  public:
    void Post(AppMessage message) override { posted.push_back(std::move(message)); }
    void Send(AppMessage message) override { posted.push_back(std::move(message)); }
    std::vector<AppMessage> posted;
};

// Instrument data: water temperature, pH, pHmV, ORP, conductivity,
// turbidity, DO, TDS, salinity, specific gravity, depth, none, none.
constexpr std::array<int, kSlotCount> kColumns = {10, 1, 24, 2, 6, 3, 4, 8, 7, 9, 11, 0, 0};

class GraphSettingsDlgTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dlg.show();
        dlg.SetSettings(&graphSlots, &graphTime);
    }

    QLineEdit* Lower(int row) { return Control<QLineEdit>(&dlg, kRangeRowLowerIds[row - 1]); }
    QLineEdit* Upper(int row) { return Control<QLineEdit>(&dlg, kRangeRowUpperIds[row - 1]); }
    QCheckBox* Auto(int row) { return Control<QCheckBox>(&dlg, kRangeRowAutoIds[row - 1]); }
    QComboBox* Component(int row) { return Control<QComboBox>(&dlg, kRangeRowComponentIds[row - 1]); }
    QComboBox* Unit(int row) { return Control<QComboBox>(&dlg, kRangeRowUnitIds[row - 1]); }
    QLineEdit* Edit(int id) { return Control<QLineEdit>(&dlg, id); }

    // Turns the automatic range of `row` off and types the bounds as pasted text.
    void FixRow(int row, const char* lower, const char* upper) {
        Auto(row)->click();
        Lower(row)->setText(QString::fromUtf8(lower));
        Upper(row)->setText(QString::fromUtf8(upper));
    }

    void ChooseRange(int id) { Control<QRadioButton>(&dlg, id)->click(); }

    // Applies with a dialog focus elsewhere, so a refusal must move it.
    bool Apply() {
        Control<QPushButton>(&dlg, IDC_APPLY)->setFocus();
        return dlg.Apply();
    }

    MessageLog log;
    MessageQueue owner;
    GraphSlotArray graphSlots = DefaultGraphSlots();
    GraphTimeSettings graphTime;
    CGraphSettingsDlg dlg{&owner, kColumns};
};

TEST_F(GraphSettingsDlgTest, FillsEveryRowFromTheSettings) {
    graphSlots[0] = GraphSlotSettings{4, 1, 0, -1.5, 20.25};  // conductivity, S/m
    graphSlots[11].ElmNo = 11;                                // a column without component
    graphTime = GraphTimeSettings{1, 2, 5, 60, 300, 0};
    dlg.SetSettings(&graphSlots, &graphTime);

    QComboBox* component = Component(1);
    ASSERT_EQ(component->count(), 13);
    EXPECT_EQ(component->itemText(0).toStdString(), LoadText(IDS_ELM_WATER_TEMP));
    EXPECT_EQ(component->itemText(4).toStdString(), LoadText(IDS_ELM_CONDUCTIVITY));
    EXPECT_EQ(component->currentIndex(), 4);
    ASSERT_EQ(Unit(1)->count(), 4);
    EXPECT_EQ(Unit(1)->itemText(3).toStdString(), LoadText(IDS_UNIT_S_M_FIX));
    EXPECT_EQ(Unit(1)->currentIndex(), 1);
    EXPECT_FALSE(Auto(1)->isChecked());
    EXPECT_TRUE(Lower(1)->isEnabled());
    EXPECT_EQ(Lower(1)->text(), QStringLiteral("-1.500"));  // conductivity in S/m: 3 decimals
    EXPECT_EQ(Upper(1)->text(), QStringLiteral("20.250"));

    EXPECT_EQ(Unit(2)->count(), 2);  // pH: "pH", "mV"
    EXPECT_EQ(Lower(2)->text(), QStringLiteral("0.00"));
    EXPECT_TRUE(Auto(2)->isChecked());
    EXPECT_FALSE(Lower(2)->isEnabled());
    EXPECT_FALSE(Upper(2)->isEnabled());

    EXPECT_EQ(Unit(12)->count(), 0);  // element 0 has no unit at all
    EXPECT_FALSE(Unit(12)->isEnabled());

    EXPECT_EQ(Control<QComboBox>(&dlg, IDC_TIME_LABEL_STYLE)->currentIndex(), 1);
    EXPECT_TRUE(Control<QRadioButton>(&dlg, IDC_RANGE_LATEST)->isChecked());
    EXPECT_EQ(Edit(IDC_X_MIN)->text(), QStringLiteral("5"));
    EXPECT_EQ(Edit(IDC_X_MAX)->text(), QStringLiteral("60"));
    EXPECT_EQ(Edit(IDC_X_RANGE)->text(), QStringLiteral("300"));
    EXPECT_FALSE(Edit(IDC_X_MIN)->isEnabled());
    EXPECT_FALSE(Edit(IDC_X_MAX)->isEnabled());
    EXPECT_TRUE(Edit(IDC_X_RANGE)->isEnabled());
    EXPECT_FALSE(Control<QCheckBox>(&dlg, IDC_SHOW_CURSOR)->isChecked());
}

TEST_F(GraphSettingsDlgTest, RangeModeEnablesItsEdits) {
    ChooseRange(IDC_RANGE_FIXED);
    EXPECT_EQ(dlg.WorkingTime().RangeType, 1);
    EXPECT_TRUE(Edit(IDC_X_MIN)->isEnabled());
    EXPECT_TRUE(Edit(IDC_X_MAX)->isEnabled());
    EXPECT_FALSE(Edit(IDC_X_RANGE)->isEnabled());
    ChooseRange(IDC_RANGE_AUTO);
    EXPECT_EQ(dlg.WorkingTime().RangeType, 0);
    EXPECT_FALSE(Edit(IDC_X_MIN)->isEnabled());
    EXPECT_FALSE(Edit(IDC_X_RANGE)->isEnabled());
}

TEST_F(GraphSettingsDlgTest, ComponentChangeResetsTheUnit) {
    Unit(1)->setCurrentIndex(2);  // water temperature in K
    EXPECT_EQ(dlg.WorkingSlots()[0].YUnit, 2);
    Component(1)->setCurrentIndex(5);  // turbidity: NTU, FNU, ppm
    EXPECT_EQ(dlg.WorkingSlots()[0].ElmNo, 5);
    EXPECT_EQ(dlg.WorkingSlots()[0].YUnit, 0);
    EXPECT_EQ(Unit(1)->count(), 3);
    EXPECT_EQ(Unit(1)->currentIndex(), 0);
    EXPECT_TRUE(Unit(1)->isEnabled());
    Component(1)->setCurrentIndex(12);  // no component, no unit
    EXPECT_EQ(Unit(1)->count(), 0);
    EXPECT_FALSE(Unit(1)->isEnabled());
    EXPECT_EQ(graphSlots[0].ElmNo, 0) << "nothing is written before Apply";
}

TEST_F(GraphSettingsDlgTest, TypedLettersHaveNoEffect) {
    FixRow(3, "", "");
    QTest::keyClicks(Lower(3), "x-1a.5b");
    EXPECT_EQ(Lower(3)->text(), QStringLiteral("-1.5"));
    ChooseRange(IDC_RANGE_FIXED);
    Edit(IDC_X_MIN)->clear();
    QTest::keyClicks(Edit(IDC_X_MIN), "-1.2s0");
    EXPECT_EQ(Edit(IDC_X_MIN)->text(), QStringLiteral("120"));  // digits only
    QTest::keyClicks(Upper(3), "1234567");
    EXPECT_EQ(Upper(3)->text().size(), CGraphSettingsDlg::kBoundChars);
}

TEST_F(GraphSettingsDlgTest, ApplyWritesBackAndNotifies) {
    QSignalSpy applied(&dlg, &CGraphSettingsDlg::applied);
    FixRow(2, "-", "14");  // a lone minus reads as 0
    FixRow(3, ".", "1");
    FixRow(4, "-10000", "100000");
    Component(5)->setCurrentIndex(10);
    ChooseRange(IDC_RANGE_LATEST);
    Edit(IDC_X_RANGE)->setText(QStringLiteral("1"));
    ASSERT_TRUE(Apply());
    EXPECT_TRUE(log.ids.empty());
    EXPECT_EQ(graphSlots[1].YAuto, 0);
    EXPECT_EQ(graphSlots[1].YMin, 0.0);
    EXPECT_EQ(graphSlots[1].YMax, 14.0);
    EXPECT_EQ(graphSlots[2].YMin, 0.0);
    EXPECT_EQ(graphSlots[3].YMin, -10000.0);
    EXPECT_EQ(graphSlots[3].YMax, 100000.0);
    EXPECT_EQ(graphSlots[4].ElmNo, 10);
    EXPECT_EQ(graphTime.RangeType, 2);
    EXPECT_EQ(graphTime.Range, 1.0);
    ASSERT_EQ(owner.posted.size(), 1u);
    EXPECT_EQ(owner.posted[0].message, WM_APP_GRAPH_APPLIED);
    EXPECT_EQ(owner.posted[0].wParam, 0u);
    EXPECT_EQ(owner.posted[0].lParam, 0);
    EXPECT_EQ(applied.count(), 1);
}

struct Refusal {
    int row;
    const char* lower;
    const char* upper;
    int message;
    bool focusLower;
    const char* guidance = "";  // what the message adds to say what is accepted
};

TEST_F(GraphSettingsDlgTest, RefusedBoundsApplyNothing) {
    const Refusal cases[] = {
        {1, "-10001", "0", IDS_RANGE_INVALID, true, "-10000 から 100000 までの値"},
        {1, "5", "5", IDS_RANGE_INVALID, true, "下限には上限より小さい値"},
        {1, "0", "100001", IDS_RANGE_INVALID, false, "-10000 から 100000 までの値"},
        {1, "", "1", IDS_ENTER_NUMBER, true},
        {1, "1", "1-", IDS_ENTER_NUMBER, false},
        {1, "1..", "2", IDS_ENTER_NUMBER, true},
    };
    for (const Refusal& c : cases) {
        dlg.SetSettings(&graphSlots, &graphTime);
        log.ids.clear();
        FixRow(c.row, c.lower, c.upper);
        EXPECT_FALSE(Apply()) << c.lower << " .. " << c.upper;
        EXPECT_EQ(log.ids, std::vector<int>{c.message}) << c.lower << " .. " << c.upper;
        EXPECT_NE(log.texts.back().find(c.guidance), std::string::npos) << log.texts.back();
        EXPECT_EQ(log.styles.back() & MB_ICONSTOP, MB_ICONSTOP);
        EXPECT_EQ(dlg.focusWidget(), c.focusLower ? Lower(c.row) : Upper(c.row))
            << c.lower << " .. " << c.upper;
        EXPECT_EQ(graphSlots[c.row - 1].YAuto, 1) << "nothing applied";
    }
    EXPECT_TRUE(owner.posted.empty());
}

TEST_F(GraphSettingsDlgTest, FailureInRowSevenAppliesNoEarlierRow) {
    for (int row = 1; row <= 6; ++row) {
        FixRow(row, "1", "2");
    }
    FixRow(7, "3", "abc");
    FixRow(8, "junk", "junk");  // never reached
    EXPECT_FALSE(Apply());
    EXPECT_EQ(log.ids, std::vector<int>{IDS_ENTER_NUMBER});
    EXPECT_EQ(dlg.focusWidget(), Upper(7));
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(graphSlots[i].YAuto, 1) << i;
        EXPECT_EQ(graphSlots[i].YMin, 0.0) << i;
    }
    EXPECT_TRUE(owner.posted.empty());
    // What was read stays in the working copy until the next SetSettings.
    EXPECT_EQ(dlg.WorkingSlots()[6].YMin, 3.0);
    dlg.SetSettings(&graphSlots, &graphTime);
    EXPECT_EQ(dlg.WorkingSlots()[6].YMin, 0.0);
    EXPECT_EQ(dlg.WorkingSlots()[6].YAuto, 1);
}

TEST_F(GraphSettingsDlgTest, LongStoredBoundsSurviveAnUnchangedApply) {
    // Longer than the edits' typing limits once printed; cutting them to the
    // limit would change the range the user never touched.
    graphSlots[0] = GraphSlotSettings{4, 1, 0, -9876.5432, 12345.678};  // S/m: 3 decimals
    graphTime = GraphTimeSettings{0, 1, 1234567890.0, 98765432100.0, 10, 1};
    dlg.SetSettings(&graphSlots, &graphTime);
    EXPECT_EQ(Lower(1)->text(), QStringLiteral("-9876.543"));
    EXPECT_EQ(Upper(1)->text(), QStringLiteral("12345.678"));
    EXPECT_EQ(Edit(IDC_X_MAX)->text(), QStringLiteral("98765432100"));
    ASSERT_TRUE(Apply());
    EXPECT_EQ(graphSlots[0].YMin, -9876.543);
    EXPECT_EQ(graphSlots[0].YMax, 12345.678);
    EXPECT_EQ(graphTime.XMin, 1234567890.0);
    EXPECT_EQ(graphTime.XMax, 98765432100.0);

    // Typing still stops at the limit once the long text is replaced.
    graphSlots[0] = GraphSlotSettings{4, 1, 0, 0.0, 1.0};
    dlg.SetSettings(&graphSlots, &graphTime);
    Lower(1)->clear();
    QTest::keyClicks(Lower(1), "12345678");
    EXPECT_EQ(Lower(1)->text(), QStringLiteral("123456"));
}

TEST_F(GraphSettingsDlgTest, EditsFollowAFontGivenAfterCreation) {
    QFont large = dlg.font();
    large.setPointSize(large.pointSize() * 2);
    dlg.setFont(large);
    const QFontMetrics metrics(large);
    EXPECT_GE(Lower(13)->width(), metrics.horizontalAdvance(QStringLiteral("-10000")));
    EXPECT_GE(Edit(IDC_X_RANGE)->width(), metrics.horizontalAdvance(QStringLiteral("999999999")));
}

TEST_F(GraphSettingsDlgTest, AutomaticRowsAreNotRead) {
    Lower(9)->setText(QStringLiteral("garbage"));
    EXPECT_TRUE(Apply());
    EXPECT_TRUE(log.ids.empty());
}

TEST_F(GraphSettingsDlgTest, TimeAxisChecks) {
    ChooseRange(IDC_RANGE_FIXED);
    Edit(IDC_X_MIN)->setText(QStringLiteral("0"));
    Edit(IDC_X_MAX)->setText(QStringLiteral("0"));
    EXPECT_FALSE(Apply());
    EXPECT_EQ(log.ids.back(), IDS_RANGE_INVALID);
    EXPECT_EQ(dlg.focusWidget(), Edit(IDC_X_MIN));

    Edit(IDC_X_MAX)->setText(QString());
    EXPECT_FALSE(Apply());
    EXPECT_EQ(log.ids.back(), IDS_ENTER_NUMBER);
    EXPECT_EQ(dlg.focusWidget(), Edit(IDC_X_MAX));

    Edit(IDC_X_MAX)->setText(QStringLiteral("999999999"));  // no upper bound on the time axis
    EXPECT_TRUE(Apply());
    EXPECT_EQ(graphTime.XMax, 999999999.0);

    ChooseRange(IDC_RANGE_LATEST);
    Edit(IDC_X_RANGE)->setText(QStringLiteral("0"));
    EXPECT_FALSE(Apply());
    EXPECT_EQ(log.ids.back(), IDS_RANGE_INVALID);
    EXPECT_NE(log.texts.back().find("1 以上の値"), std::string::npos) << log.texts.back();
    EXPECT_EQ(dlg.focusWidget(), Edit(IDC_X_RANGE));
    Edit(IDC_X_RANGE)->setText(QStringLiteral(" "));
    EXPECT_FALSE(Apply());
    EXPECT_EQ(log.ids.back(), IDS_ENTER_NUMBER);
    EXPECT_EQ(dlg.focusWidget(), Edit(IDC_X_RANGE));
    EXPECT_EQ(graphTime.RangeType, 1) << "the refused mode was not applied";
}

TEST_F(GraphSettingsDlgTest, TimeAxisChoicesAndApplyCarryMnemonicsOfTheirOwn) {
    dlg.SetSettings(&graphSlots, &graphTime);
    std::set<QKeySequence> keys;
    for (const int id : {IDC_RANGE_AUTO, IDC_RANGE_FIXED, IDC_RANGE_LATEST, IDC_SHOW_CURSOR, IDC_APPLY}) {
        const QKeySequence key = QKeySequence::mnemonic(Control<QAbstractButton>(&dlg, id)->text());
        EXPECT_FALSE(key.isEmpty()) << id;
        EXPECT_TRUE(keys.insert(key).second) << id;
    }
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    QTest::keyClick(&dlg, Qt::Key_F, Qt::AltModifier);
    // A button's mnemonic clicks it the way a mouse would, after a moment.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Control<QRadioButton>(&dlg, IDC_RANGE_FIXED)->isChecked(); }));
}

TEST_F(GraphSettingsDlgTest, OkHidesOnlyAfterSuccessAndCancelCopiesNothing) {
    FixRow(1, "9", "1");
    Control<QPushButton>(&dlg, IDOK)->click();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(log.ids, std::vector<int>{IDS_RANGE_INVALID});
    Upper(1)->setText(QStringLiteral("10"));
    Control<QPushButton>(&dlg, IDOK)->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(graphSlots[0].YMin, 9.0);
    EXPECT_EQ(owner.posted.size(), 1u);

    dlg.show();
    dlg.SetSettings(&graphSlots, &graphTime);
    Control<QCheckBox>(&dlg, IDC_SHOW_CURSOR)->click();
    Control<QComboBox>(&dlg, IDC_TIME_LABEL_STYLE)->setCurrentIndex(1);
    Control<QPushButton>(&dlg, IDCANCEL)->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(graphTime.Cursol, 1);
    EXPECT_EQ(graphTime.DispType, 0);
    EXPECT_EQ(graphSlots[0].YMin, 9.0) << "settings applied earlier stay applied";
    EXPECT_EQ(owner.posted.size(), 1u);
}

}  // namespace
}  // namespace kelp
