#include "ui/graphs/AxisSettingsDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <set>

#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "tests/ui_graphwin/CastData.h"
#include "tests/ui_graphwin/MessageLog.h"
#include "ui/graphs/DepthGraphDlg.h"
#include "ui/graphs/GraphWindowUtil.h"
#include "ui/graphs/XYGraphDlg.h"

namespace kelp {
namespace {

using testing::MessageLog;

template <typename T>
T* Find(const QWidget& window, int id) {
    return window.findChild<T*>(QString::number(id));
}

// A dialog with auto off in `row` (0-based) and the given bound texts.
struct Fixture {
    Fixture() {
        testing::FillCast(data, 10.0, 12);
        dlg.SetSettings(&settings, data);
    }
    void FixRow(int row, const char* lower, const char* upper) {
        auto* box = Find<QCheckBox>(dlg, kRangeRowAutoIds[row]);
        box->click();
        Find<QLineEdit>(dlg, kRangeRowLowerIds[row])->setText(QString::fromLatin1(lower));
        Find<QLineEdit>(dlg, kRangeRowUpperIds[row])->setText(QString::fromLatin1(upper));
    }
    QLineEdit* Lower(int row) { return Find<QLineEdit>(dlg, kRangeRowLowerIds[row]); }
    QLineEdit* Upper(int row) { return Find<QLineEdit>(dlg, kRangeRowUpperIds[row]); }

    CMeasDataSet data;
    GraphSlotArray settings = DefaultGraphSlots();
    CAxisSettingsDlg dlg;
    int applied = 0;
};

TEST(AxisSettingsDlg, EmptyDataShowsNoComponentInEveryRow) {
    GraphSlotArray settings = DefaultGraphSlots();
    CAxisSettingsDlg dlg;
    dlg.SetSettings(&settings, CMeasDataSet());
    for (int n = 0; n < 13; ++n) {
        EXPECT_EQ(Find<QLabel>(dlg, kRangeRowLabelIds[n])->text().toStdString(), LoadText(IDS_ELM_NONE));
        auto* unit = Find<QComboBox>(dlg, kRangeRowUnitIds[n]);
        EXPECT_EQ(unit->count(), 0);
        EXPECT_FALSE(unit->isEnabled());
        EXPECT_FALSE(Find<QLineEdit>(dlg, kRangeRowLowerIds[n])->isEnabled());
        EXPECT_EQ(Find<QLineEdit>(dlg, kRangeRowLowerIds[n])->maxLength(), 6);
    }
}

TEST(AxisSettingsDlg, RowsShowTheComponentsAndTheirBounds) {
    Fixture f;
    f.settings[4].YAuto = 0;
    f.settings[4].YMin = 1.5;
    f.settings[4].YMax = 50.0;
    f.settings[4].YUnit = 2;
    f.dlg.SetSettings(&f.settings, f.data);
    EXPECT_EQ(Find<QLabel>(f.dlg, kRangeRowLabelIds[0])->text().toStdString(),
              LoadText(IDS_LABEL_WATER_TEMP));
    EXPECT_EQ(f.dlg.RowElement(10), kDepthElement);
    auto* unit = Find<QComboBox>(f.dlg, kRangeRowUnitIds[4]);
    EXPECT_EQ(unit->count(), 4);  // mS/cm, S/m, mS/m, S/m(Fix)
    EXPECT_EQ(unit->currentIndex(), 2);
    // Conductivity in mS/m prints with 1 decimal.
    EXPECT_EQ(f.Lower(4)->text(), QStringLiteral("1.5"));
    EXPECT_EQ(f.Upper(4)->text(), QStringLiteral("50.0"));
    EXPECT_TRUE(f.Lower(4)->isEnabled());
    EXPECT_FALSE(f.Lower(0)->isEnabled());
    unit->setCurrentIndex(1);
    emit unit->activated(1);
    EXPECT_EQ(f.dlg.Working()[4].YUnit, 1);
    EXPECT_EQ(f.settings[4].YUnit, 2);  // nothing applied yet
}

// A stored bound longer than the typing limit shows whole, so an untouched
// Apply stores it unchanged rather than a cut copy.
TEST(AxisSettingsDlg, StoredBoundsLongerThanTheTypingLimitSurviveApply) {
    Fixture f;
    f.settings[4].YAuto = 0;
    f.settings[4].YMin = -1234.5;
    f.settings[4].YMax = 98765.4;
    f.settings[4].YUnit = 2;  // mS/m: one decimal
    f.dlg.SetSettings(&f.settings, f.data);
    EXPECT_EQ(f.Lower(4)->text(), QStringLiteral("-1234.5"));
    EXPECT_EQ(f.Upper(4)->text(), QStringLiteral("98765.4"));
    EXPECT_TRUE(f.dlg.Apply());
    EXPECT_DOUBLE_EQ(f.settings[4].YMin, -1234.5);
    EXPECT_DOUBLE_EQ(f.settings[4].YMax, 98765.4);
}

TEST(AxisSettingsDlg, OneLineLabelReplacesOnlyTheFirstBreak) {
    EXPECT_EQ(OneLineLabel("Optical\nDissolved\nOxygen"), "Optical Dissolved\nOxygen");
    EXPECT_EQ(OneLineLabel("pH"), "pH");
}

TEST(AxisSettingsDlg, OuterLimitsPassAndOneAboveIsRefused) {
    MessageLog log;
    Fixture f;
    QObject::connect(&f.dlg, &CAxisSettingsDlg::GraphApplied, [&f] { ++f.applied; });
    f.FixRow(2, "-10000", "100000");
    EXPECT_TRUE(f.dlg.Apply());
    EXPECT_EQ(f.applied, 1);
    EXPECT_DOUBLE_EQ(f.settings[2].YMin, -10000.0);
    EXPECT_DOUBLE_EQ(f.settings[2].YMax, 100000.0);
    EXPECT_EQ(f.settings[2].YAuto, 0);
    EXPECT_TRUE(log.ids.empty());

    f.Upper(2)->setText(QStringLiteral("100001"));
    EXPECT_FALSE(f.dlg.Apply());
    ASSERT_EQ(log.ids.size(), 1u);
    EXPECT_EQ(log.ids[0], IDS_RANGE_INVALID);
    EXPECT_EQ(f.dlg.focusWidget(), f.Upper(2));
    EXPECT_DOUBLE_EQ(f.settings[2].YMax, 100000.0);
    EXPECT_EQ(f.applied, 1);

    f.FixRow(3, "5", "5");
    f.Upper(2)->setText(QStringLiteral("10"));
    EXPECT_FALSE(f.dlg.Apply());
    EXPECT_EQ(log.ids.back(), IDS_RANGE_INVALID);
    EXPECT_EQ(f.dlg.focusWidget(), f.Lower(3));
    // Row 3 failed: row 2's good values were not applied either.
    EXPECT_DOUBLE_EQ(f.settings[2].YMax, 100000.0);
}

TEST(AxisSettingsDlg, AutomaticRowsAreNotRead) {
    MessageLog log;
    Fixture f;
    f.FixRow(6, "abc", "");
    Find<QCheckBox>(f.dlg, kRangeRowAutoIds[6])->click();  // automatic again
    EXPECT_EQ(f.dlg.Working()[6].YAuto, 1);
    EXPECT_TRUE(f.dlg.Apply());
    EXPECT_TRUE(log.ids.empty());

    f.FixRow(7, "-", "x");
    EXPECT_FALSE(f.dlg.Apply());
    EXPECT_EQ(log.ids.back(), IDS_ENTER_NUMBER);
    EXPECT_EQ(f.dlg.focusWidget(), f.Upper(7));
}

TEST(AxisSettingsDlg, TypedLettersNeverReachTheEdits) {
    Fixture f;
    f.FixRow(0, "1", "2");
    QLineEdit* edit = f.Lower(0);
    edit->setFocus();
    for (const QString& key :
         {QStringLiteral("a"), QStringLiteral("-"), QStringLiteral(" "), QStringLiteral("5")}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
        QApplication::sendEvent(edit, &press);
    }
    EXPECT_EQ(edit->text(), QStringLiteral("1-5"));
}

TEST(AxisSettingsDlg, OkAppliesAndHidesCancelKeepsTheSettings) {
    MessageLog log;
    Fixture f;
    f.dlg.show();
    f.FixRow(1, "0", "14");
    f.dlg.reject();
    EXPECT_FALSE(f.dlg.isVisible());
    EXPECT_EQ(f.settings[1].YAuto, 1);
    // The owner hands over its records again with every showing.
    f.dlg.show();
    f.dlg.SetSettings(&f.settings, f.data);
    EXPECT_EQ(f.dlg.Working()[1].YAuto, 1);
    f.FixRow(1, "9", "3");  // refused: OK keeps the window open
    f.dlg.accept();
    EXPECT_TRUE(f.dlg.isVisible());
    f.Upper(1)->setText(QStringLiteral("14"));
    f.dlg.accept();
    EXPECT_FALSE(f.dlg.isVisible());
    EXPECT_DOUBLE_EQ(f.settings[1].YMax, 14.0);
}

TEST(AxisSettingsDlg, ApplyingRedrawsTheXYGraph) {
    CMeasDataSet data;
    testing::FillCast(data, 10.0, 12);
    CXYGraphDlg graph(nullptr);
    graph.SetSourceData(data);
    graph.OnGraphSettings();
    CAxisSettingsDlg* dlg = graph.AxisSettings();
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(dlg->isVisible());
    Find<QCheckBox>(*dlg, kRangeRowAutoIds[1])->click();
    Find<QLineEdit>(*dlg, kRangeRowLowerIds[1])->setText(QStringLiteral("6"));
    Find<QLineEdit>(*dlg, kRangeRowUpperIds[1])->setText(QStringLiteral("9"));
    ASSERT_TRUE(dlg->Apply());
    EXPECT_EQ(graph.Settings()[1].YAuto, 0);
    EXPECT_NE(graph.AxisMax(1), 9.0);  // posted, not yet handled
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(graph.AxisMin(1), 6.0);
    EXPECT_DOUBLE_EQ(graph.AxisMax(1), 9.0);
    // The same window serves every later request.
    graph.OnGraphSettings();
    EXPECT_EQ(graph.AxisSettings(), dlg);
}

// The buttons and the labels of lists in the graph windows reach their
// control with Alt and a key of their own, in both languages.
TEST(GraphWindows, ButtonsAndListLabelsCarryMnemonicsOfTheirOwn) {
    auto expectOwnKeys = [](const QWidget& window, std::initializer_list<int> ids) {
        std::set<QKeySequence> keys;
        for (const int id : ids) {
            const QWidget* control = Find<QWidget>(window, id);
            ASSERT_NE(control, nullptr) << id;
            const auto* label = qobject_cast<const QLabel*>(control);
            const QString text =
                label != nullptr ? label->text() : qobject_cast<const QAbstractButton*>(control)->text();
            const QKeySequence key = QKeySequence::mnemonic(text);
            EXPECT_FALSE(key.isEmpty()) << id << " " << text.toStdString();
            EXPECT_TRUE(keys.insert(key).second) << id << " " << text.toStdString();
            if (label != nullptr) {
                EXPECT_NE(label->buddy(), nullptr) << id;
            }
        }
    };
    for (const bool english : {false, true}) {
        ASSERT_EQ(SelectLanguage(english ? "en_US" : "ja_JP", KELP_ENGLISH_TEXT), english);
        CDepthGraphDlg depth;
        expectOwnKeys(depth, {IDC_DEPTH_ADD, IDC_DEPTH_DELETE, IDC_LABEL_DEPTH_UNIT});
        CXYGraphDlg xy(nullptr);
        expectOwnKeys(xy, {IDC_LABEL_X_AXIS, IDC_LABEL_Y_SCALE, IDC_XY_SETTINGS});
        CAxisSettingsDlg axis;
        expectOwnKeys(axis, {IDC_APPLY});
    }
    SelectLanguage("ja_JP", KELP_ENGLISH_TEXT);
}

}  // namespace
}  // namespace kelp
