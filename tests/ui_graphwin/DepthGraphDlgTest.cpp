#include "ui/graphs/DepthGraphDlg.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "tests/ui_graphwin/CastData.h"
#include "tests/ui_graphwin/DataFiles.h"
#include "tests/ui_graphwin/MessageLog.h"
#include "ui/main/ColorLamp.h"
#include "ui/main/MessageBox.h"

namespace kelp {
namespace {

using testing::Append;
using testing::Component;
using testing::FillCast;
using testing::MessageLog;

template <typename T>
T* Find(const QWidget& window, int id) {
    return window.findChild<T*>(QString::number(id));
}

// The centre of the upper (part 0) or lower (part 1) half-cell of `row` in
// column `column`, by the geometry rules of the drawing.
QPoint HalfCellCentre(const CDepthGraphDlg& dlg, int column, int row, int part) {
    const QRect g = dlg.GraphFrameRect();
    const QRect l = dlg.RowLabelRect();
    const QRect n = dlg.ColumnNumberRect();
    const int h = CDepthGraphDlg::RowHeight(g, l);
    const int w = CDepthGraphDlg::ColumnWidth(g, n);
    const int top = l.top() + row * (h - 1) + part * (h / 2);
    return QPoint(n.left() + column * w + (w - 5) / 2, top + h / 4);
}

QRgb PixelAt(const QImage& image, QPoint p) {
    return image.pixel(p) & 0xFFFFFF;
}

QRgb Rgb(std::uint32_t colourRef) {
    return QColorFromRef(colourRef).rgb() & 0xFFFFFF;
}

// One record per depth with the same temperature everywhere.
void FillFlat(CMeasDataSet& data, const std::vector<double>& depths, double temperature, int depthUnit = 0) {
    for (double d : depths) {
        Append(data, {{10, temperature, 1}, {11, d, d >= 100 ? 1 : 2, depthUnit}});
    }
}

TEST(DepthGraphDlg, EmptyWindowShowsRowLabelsOnly) {
    CDepthGraphDlg dlg;
    EXPECT_EQ(dlg.SeriesCount(), 0);
    EXPECT_EQ(dlg.ThresholdCount(), 0);
    EXPECT_DOUBLE_EQ(dlg.DepthStep(), 0.5);
    EXPECT_EQ(dlg.RowFormatIndex(), 0);
    EXPECT_FALSE(Find<QComboBox>(dlg, IDC_DEPTH_COMPONENT)->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(dlg, IDC_DEPTH_DELETE)->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(dlg, IDC_DEPTH_ADD)->isEnabled());
    for (int k = 0; k < 16; ++k) {
        EXPECT_TRUE(Find<QLabel>(dlg, IDC_DEPTH_LEVEL_FIRST + k)->text().isEmpty()) << k;
    }
    EXPECT_EQ(Find<CColorLamp>(dlg, IDC_DEPTH_SWATCH_FIRST + 8)->GetBackgroundColour(), 0x00FF00u);
    const QImage image = dlg.RenderClient();
    // The first column's cells stay white; the row-label cells are outlined.
    EXPECT_EQ(PixelAt(image, HalfCellCentre(dlg, 0, 0, 0)), 0xFFFFFFu);
    const QRect l = dlg.RowLabelRect();
    EXPECT_EQ(PixelAt(image, QPoint(l.left(), l.top() + 3)), 0x000000u);
}

// The window as the main window opens it on `live`: shown, with the data
// handed over.
void OpenOn(CDepthGraphDlg& dlg, const CMeasDataSet& live) {
    dlg.SetInitialData(&live);
    dlg.show();
    QApplication::processEvents();
}

TEST(DepthGraphDlg, InitialDataBecomesSeriesOneWhenShown) {
    CMeasDataSet live;
    FillCast(live, 20.0, 200);
    CDepthGraphDlg dlg;
    OpenOn(dlg, live);
    ASSERT_EQ(dlg.SeriesCount(), 1);
    // Instrument data is named after the string table, not a path.
    EXPECT_EQ(dlg.Series(0).data.GetName(), LoadText(IDS_MEASURED_DATA));
    auto* list = Find<QTreeWidget>(dlg, IDC_DEPTH_SERIES_LIST);
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0).toStdString(), " 1:" + LoadText(IDS_MEASURED_DATA));
    // Components in slot order, depth left out: temperature first.
    auto* components = Find<QComboBox>(dlg, IDC_DEPTH_COMPONENT);
    EXPECT_TRUE(components->isEnabled());
    EXPECT_EQ(components->count(), 10);
    EXPECT_EQ(components->itemText(0).toStdString(), LoadText(IDS_ELM_WATER_TEMP));
    EXPECT_EQ(dlg.ComponentElement(), 10);
    for (int i = 0; i < components->count(); ++i) {
        EXPECT_NE(components->itemData(i).toInt(), kDepthElement);
    }
    EXPECT_EQ(Find<QComboBox>(dlg, IDC_DEPTH_COMPONENT_UNIT)->count(), 3);  // ℃, ゜F, K
    EXPECT_GT(dlg.ThresholdCount(), 1);
    // Warm water at the top, cold at the bottom: the top row has a higher
    // colour than the deepest row of the cast.
    const QImage image = dlg.RenderClient();
    const QRgb top = PixelAt(image, HalfCellCentre(dlg, 0, 0, 0));
    const QRgb deep = PixelAt(image, HalfCellCentre(dlg, 0, 19, 1));
    EXPECT_EQ(top, Rgb(kDepthColours[static_cast<std::size_t>(dlg.ThresholdCount())]));
    EXPECT_EQ(deep, Rgb(kDepthColours[0]));
    // Below 20 m nothing was measured.
    EXPECT_EQ(PixelAt(image, HalfCellCentre(dlg, 0, 25, 0)), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(image, HalfCellCentre(dlg, 1, 0, 0)), 0xFFFFFFu);
}

// The main window's data come back with the next opening; files the user
// added by hand do not, so Esc, the close box and the close command ask.
TEST(DepthGraphDlg, ClosingAsksOnlyWhenTheUserAddedSeries) {
    CMeasDataSet live;
    FillCast(live, 20.0, 200);
    CDepthGraphDlg dlg;
    OpenOn(dlg, live);
    ASSERT_EQ(dlg.SeriesCount(), 1);
    {
        MessageLog log;
        QTest::keyClick(&dlg, Qt::Key_Escape);
        EXPECT_TRUE(log.ids.empty());
        EXPECT_FALSE(dlg.isVisible());
    }

    dlg.show();
    CMeasDataSet cast;
    FillCast(cast, 18.0, 60);
    ASSERT_TRUE(dlg.AddSeries(cast));
    ASSERT_TRUE(dlg.AddSeries(cast));
    int answer = IDCANCEL;
    std::vector<std::string> asked;
    SetMessageResponder([&](QWidget*, int id, int style) {
        EXPECT_EQ(id, IDS_CONFIRM_CLOSE_DEPTH);
        EXPECT_EQ(style, kStyleQuestion);
        asked.push_back(ShownMessageText());
        return answer;
    });
    dlg.close();
    EXPECT_TRUE(dlg.isVisible());
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_TRUE(dlg.isVisible());
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_NE(asked[0].find(IsEnglish() ? "The 2 data files" : "（2 件）"), std::string::npos) << asked[0];
    EXPECT_EQ(dlg.SeriesCount(), 3);
    // Without the main window's series, every one left was added by hand.
    Find<QTreeWidget>(dlg, IDC_DEPTH_SERIES_LIST)
        ->setCurrentItem(Find<QTreeWidget>(dlg, IDC_DEPTH_SERIES_LIST)->topLevelItem(0));
    dlg.OnDeleteSeries();
    answer = IDOK;
    dlg.findChild<QAction*>(QString::number(ID_CLOSE_GRAPH))->trigger();
    SetMessageResponder({});
    EXPECT_FALSE(dlg.isVisible());
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_NE(asked[2].find(IsEnglish() ? "The 2 data files" : "（2 件）"), std::string::npos) << asked[2];
}

TEST(DepthGraphDlg, EqualValuesGiveColourOneAndOneLabel) {
    CMeasDataSet data;
    FillFlat(data, {0.2, 1.7, 5.0}, 12.5);
    CDepthGraphDlg dlg;
    ASSERT_TRUE(dlg.AddSeries(data));
    EXPECT_EQ(dlg.ThresholdCount(), 1);
    EXPECT_EQ(dlg.Thresholds()[0], 125);
    EXPECT_EQ(dlg.ValueDecimals(), 1);
    EXPECT_EQ(Find<QLabel>(dlg, IDC_DEPTH_LEVEL_FIRST)->text(), QStringLiteral("12.5"));
    EXPECT_TRUE(Find<QLabel>(dlg, IDC_DEPTH_LEVEL_FIRST + 1)->text().isEmpty());
    const QImage image = dlg.RenderClient();
    // 0.2 m: bin 0 (row 1 upper); 1.7 m: bin 3 (row 2 lower); 5.0 m: bin 10.
    EXPECT_EQ(PixelAt(image, HalfCellCentre(dlg, 0, 0, 0)), Rgb(0x660000));
    EXPECT_EQ(PixelAt(image, HalfCellCentre(dlg, 0, 0, 1)), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(image, HalfCellCentre(dlg, 0, 1, 1)), Rgb(0x660000));
    EXPECT_EQ(PixelAt(image, HalfCellCentre(dlg, 0, 5, 0)), Rgb(0x660000));
}

TEST(DepthGraphDlg, LegendAndCaptionNameTheirUnitsAndTheEndsOfTheScale) {
    CMeasDataSet data;
    FillFlat(data, {0.5, 2.5, 4.5}, 12.0);
    Append(data, {{10, 13.0, 1}, {11, 6.5, 2}});
    CDepthGraphDlg dlg;
    ASSERT_TRUE(dlg.AddSeries(data));
    EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("legend-unit"))->text().toStdString(),
              LoadText(IDS_UNIT_CELSIUS));
    EXPECT_EQ(Find<QLabel>(dlg, IDC_DEPTH_CAPTION)->text().toStdString(),
              LoadText(IDS_ELM_DEPTH) + "\n[" + LoadText(IDS_UNIT_METRE) + "]");
    // 12.0 to 13.0 in ten boundaries: the smallest value tops the first
    // colour, the largest is the last boundary.
    ASSERT_EQ(dlg.ThresholdCount(), 10);
    EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("legend-level-top"))->text(), QStringLiteral("12.0"));
    EXPECT_EQ(Find<QLabel>(dlg, IDC_DEPTH_LEVEL_FIRST + 9)->text(), QStringLiteral("13.0"));
    EXPECT_TRUE(Find<QLabel>(dlg, IDC_DEPTH_LEVEL_FIRST + 10)->text().isEmpty());
    // With all 17 colours in use, the largest stands below the last one.
    CMeasDataSet wide;
    FillFlat(wide, {0.5, 2.5}, 12.0);
    Append(wide, {{10, 15.3, 1}, {11, 6.5, 2}});
    CDepthGraphDlg all;
    ASSERT_TRUE(all.AddSeries(wide));
    ASSERT_EQ(all.ThresholdCount(), 16);
    EXPECT_EQ(Find<QLabel>(all, IDC_DEPTH_LEVEL_FIRST + 15)->text(), QStringLiteral("13.6"));
    EXPECT_EQ(Find<QLabel>(all, IDC_DEPTH_LEVEL_SPARE)->text(), QStringLiteral("15.3"));
    EXPECT_FALSE(Find<QLabel>(all, IDC_DEPTH_LEVEL_SPARE)->isHidden());
    // In feet the caption follows.
    Find<QComboBox>(dlg, IDC_DEPTH_UNIT)->setCurrentIndex(1);
    EXPECT_EQ(Find<QLabel>(dlg, IDC_DEPTH_CAPTION)->text().toStdString(),
              LoadText(IDS_ELM_DEPTH) + "\n[" + LoadText(IDS_UNIT_FEET) + "]");
}

TEST(DepthGraphDlg, MapSaysSoWhenNoRecordHasTheChosenDepthUnit) {
    CMeasDataSet data;
    FillCast(data, 20.0, 80);  // metres
    CDepthGraphDlg dlg;
    ASSERT_TRUE(dlg.AddSeries(data));
    EXPECT_EQ(dlg.Graph().MessageId(), 0);
    Find<QComboBox>(dlg, IDC_DEPTH_UNIT)->setCurrentIndex(1);
    EXPECT_EQ(dlg.Graph().MessageId(), IDS_DEPTH_NO_DEPTH_UNIT);
    // The text stands in the middle of the otherwise white map.
    const QImage image = dlg.RenderClient();
    const QRect g = dlg.GraphFrameRect();
    const QRect n = dlg.ColumnNumberRect();
    const QRect middle(n.left(), g.center().y() - 12, g.right() - n.left(), 24);
    int dark = 0;
    for (int y = middle.top(); y <= middle.bottom(); ++y) {
        for (int x = middle.left(); x <= middle.right(); ++x) {
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 50);
    EXPECT_EQ(PixelAt(image, HalfCellCentre(dlg, 0, 2, 0)), 0xFFFFFFu);
}

TEST(DepthGraphDlg, RowsFollowTheDeepestRecordDrawn) {
    // A 40 m cast beside a 12 m cast: 2 m rows, the deep cast down to row 20.
    CMeasDataSet deep;
    FillFlat(deep, {1.0, 39.5}, 10.0);
    CMeasDataSet shallow;
    FillFlat(shallow, {1.0, 12.0}, 12.0);
    CDepthGraphDlg dlg;
    ASSERT_TRUE(dlg.AddSeries(shallow));
    EXPECT_DOUBLE_EQ(dlg.DepthStep(), 0.5);  // 12 m alone: 1 m rows
    ASSERT_TRUE(dlg.AddSeries(deep));
    EXPECT_DOUBLE_EQ(dlg.DepthStep(), 1.0);
    EXPECT_EQ(dlg.Series(1).binCount[39], 1);  // 39.5 m: row 20, lower half
    EXPECT_EQ(dlg.Series(0).binCount[12], 1);
    const QImage image = dlg.RenderClient();
    EXPECT_NE(PixelAt(image, HalfCellCentre(dlg, 1, 19, 1)), 0xFFFFFFu);

    // In feet the rows are whole feet: 3 ft rows up to 90 ft, then 5 ft.
    CMeasDataSet feet;
    FillFlat(feet, {3.0, 98.0}, 10.0, 1);
    CDepthGraphDlg inFeet;
    ASSERT_TRUE(inFeet.AddSeries(feet));
    EXPECT_EQ(inFeet.DepthUnit(), 1);  // remembered from the first record
    EXPECT_EQ(Find<QComboBox>(inFeet, IDC_DEPTH_UNIT)->currentIndex(), 1);
    EXPECT_EQ(inFeet.RowFormatIndex(), 0);
    EXPECT_DOUBLE_EQ(inFeet.DepthStep(), 2.5);
    EXPECT_EQ(inFeet.Series(0).binCount[1], 1);  // 3 ft lies in 2.5 to 5 ft
}

TEST(DepthGraphDlg, DepthsBeyondTheLastBinFillTheLowerHalfOfRowThirty) {
    CMeasDataSet data;
    FillFlat(data, {10.0, 1600.0, 1700.0}, 4.0);
    CDepthGraphDlg dlg;
    ASSERT_TRUE(dlg.AddSeries(data));
    EXPECT_DOUBLE_EQ(dlg.DepthStep(), 25.0);  // the deepest rows, 50 m
    EXPECT_EQ(dlg.Series(0).binCount[59], 2);
    const QImage image = dlg.RenderClient();
    EXPECT_EQ(PixelAt(image, HalfCellCentre(dlg, 0, 29, 0)), 0xFFFFFFu);
    EXPECT_NE(PixelAt(image, HalfCellCentre(dlg, 0, 29, 1)), 0xFFFFFFu);
}

TEST(DepthGraphDlg, OtherUnitsAndInvalidValuesLeaveBinsEmpty) {
    CMeasDataSet data;
    Append(data, {{10, 20.0, 1, 0}, {11, 0.2, 2, 0}});
    Append(data, {{10, 68.0, 1, 1}, {11, 1.2, 2, 0}});        // ゜F
    Append(data, {{10, 19.0, 1, 0}, {11, 2.2, 2, 1}});        // depth in feet
    Append(data, {{10, 18.0, 1, 0, 9}, {11, 3.2, 2, 0}});     // state 9: no value
    Append(data, {{10, 17.0, 1, 0, 1, 1}, {11, 4.2, 2, 0}});  // data error
    Append(data, {{10, 16.0, 1, 0}, {11, 5.2, 2, 0}});
    CDepthGraphDlg dlg;
    ASSERT_TRUE(dlg.AddSeries(data));
    const CDepthSeries& s = dlg.Series(0);
    EXPECT_EQ(s.binCount[0], 1);
    EXPECT_EQ(s.binCount[2], 0);
    EXPECT_EQ(s.binCount[4], 0);
    EXPECT_EQ(s.binCount[6], 0);
    EXPECT_EQ(s.binCount[8], 0);
    EXPECT_EQ(s.binCount[10], 1);
    // The legend covers only the used values, 16.0 to 20.0.
    EXPECT_EQ(Find<QLabel>(dlg, IDC_DEPTH_LEVEL_FIRST)->text(), QStringLiteral("16.2"));
    // Switching the component unit to ゜F colours only the second record.
    Find<QComboBox>(dlg, IDC_DEPTH_COMPONENT_UNIT)->setCurrentIndex(1);
    EXPECT_EQ(dlg.ComponentUnit(), 1);
    EXPECT_EQ(dlg.RememberedUnit(10), 1);
    EXPECT_EQ(s.binCount[0], 0);
    EXPECT_EQ(s.binCount[2], 1);
    EXPECT_EQ(dlg.ThresholdCount(), 1);
}

TEST(DepthGraphDlg, DataWithoutDepthIsRefusedWithMessage2014) {
    MessageLog log;
    CMeasDataSet noDepth;
    Append(noDepth, {{10, 20.0, 1}});
    CMeasDataSet invalidDepth;
    Append(invalidDepth, {{10, 20.0, 1}, {11, 3.0, 2, 0, 0}});
    CDepthGraphDlg dlg;
    EXPECT_FALSE(dlg.AddSeries(noDepth));
    EXPECT_FALSE(dlg.AddSeries(invalidDepth));
    EXPECT_FALSE(dlg.AddSeries(CMeasDataSet()));  // no records: silently ignored
    EXPECT_EQ(dlg.SeriesCount(), 0);
    ASSERT_EQ(log.ids.size(), 2u);
    EXPECT_EQ(log.ids[0], IDS_NO_DEPTH);
    EXPECT_EQ(log.styles[0], MB_ICONSTOP);
    EXPECT_EQ(Find<QTreeWidget>(dlg, IDC_DEPTH_SERIES_LIST)->topLevelItemCount(), 0);

    // The main window's data without depth: the message as the window opens.
    CDepthGraphDlg opened;
    opened.SetInitialData(&noDepth);
    opened.show();
    QApplication::processEvents();
    EXPECT_EQ(opened.SeriesCount(), 0);
    ASSERT_EQ(log.ids.size(), 3u);
    EXPECT_EQ(log.ids[2], IDS_NO_DEPTH);
}

TEST(DepthGraphDlg, TwentiethSeriesDisablesAdding) {
    CMeasDataSet data;
    FillCast(data, 12.0, 24);
    CDepthGraphDlg dlg;
    for (int i = 0; i < 19; ++i) {
        ASSERT_TRUE(dlg.AddSeries(data));
    }
    auto* add = Find<QPushButton>(dlg, IDC_DEPTH_ADD);
    auto* action = dlg.findChild<QAction*>(QString::number(ID_ADD_SERIES));
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(add->isEnabled());
    EXPECT_TRUE(action->isEnabled());
    ASSERT_TRUE(dlg.AddSeries(data));
    EXPECT_FALSE(add->isEnabled());
    EXPECT_FALSE(action->isEnabled());
    EXPECT_FALSE(dlg.AddSeries(data));
    EXPECT_EQ(dlg.SeriesCount(), 20);
    // The twentieth column still lies inside the graph frame.
    const QImage image = dlg.RenderClient();
    const QPoint last = HalfCellCentre(dlg, 19, 0, 0);
    EXPECT_LT(last.x(), dlg.GraphFrameRect().right());
    EXPECT_NE(PixelAt(image, last), 0xFFFFFFu);

    auto* list = Find<QTreeWidget>(dlg, IDC_DEPTH_SERIES_LIST);
    list->setCurrentItem(list->topLevelItem(4));
    dlg.OnDeleteSeries();
    EXPECT_EQ(dlg.SeriesCount(), 19);
    EXPECT_TRUE(add->isEnabled());
    EXPECT_TRUE(action->isEnabled());
    EXPECT_EQ(list->topLevelItem(18)->text(0).left(3), QStringLiteral("19:"));
}

// Add Casts: the casts of the data on display, their down-casts until the
// menu says otherwise, as many as there is room for.
TEST(DepthGraphDlg, AddCastsAddsTheCastsOfTheDataOnDisplay) {
    CMeasDataSet live;
    testing::FillYoYo(live, 3, 12.0, 24);
    const CastList casts = FindCasts(live);
    ASSERT_EQ(casts.casts.size(), 3u);
    CDepthGraphDlg dlg;
    dlg.SetInitialData(&live);
    dlg.show();
    QApplication::processEvents();
    ASSERT_EQ(dlg.SeriesCount(), 1);
    auto* addCasts = Find<QPushButton>(dlg, IDC_DEPTH_ADD_CASTS);
    auto* downOnly = dlg.findChild<QAction*>(QString::number(ID_DOWNCASTS_ONLY));
    ASSERT_TRUE(downOnly != nullptr && downOnly->isChecked());
    addCasts->click();
    ASSERT_EQ(dlg.SeriesCount(), 4);
    auto* list = Find<QTreeWidget>(dlg, IDC_DEPTH_SERIES_LIST);
    for (int c = 0; c < 3; ++c) {
        const Cast& cast = casts.casts[static_cast<std::size_t>(c)];
        EXPECT_EQ(dlg.Series(c + 1).data.GetCount(), cast.down.Count()) << c;
        EXPECT_EQ(
            list->topLevelItem(c + 1)->text(0),
            QStringLiteral(" %1:CAST %2").arg(c + 2).arg(QString::fromStdString(cast.start.Format("%H:%M"))));
        EXPECT_EQ(list->topLevelItem(c + 1)->toolTip(0), list->topLevelItem(c + 1)->text(0));
    }
    // Whole casts, down and up; the room left is 20.
    downOnly->trigger();
    for (int i = 0; i < 5; ++i) {
        addCasts->click();
    }
    EXPECT_EQ(dlg.Series(4).data.GetCount(), casts.casts[0].Records());
    EXPECT_EQ(dlg.SeriesCount(), 19);
    MessageLog log;
    addCasts->click();
    EXPECT_EQ(dlg.SeriesCount(), 20);
    EXPECT_EQ(log.ids, std::vector<int>{IDS_DEPTH_CASTS_LEFT_OUT});
    EXPECT_FALSE(addCasts->isEnabled());
    EXPECT_FALSE(dlg.findChild<QAction*>(QString::number(ID_ADD_CASTS))->isEnabled());

    // Data whose depth never falls by a metre hold no cast.
    CMeasDataSet still;
    FillFlat(still, {0.5, 0.6, 0.5, 0.7, 0.6, 0.5}, 20.0);
    CDepthGraphDlg none;
    none.SetInitialData(&still);
    none.show();
    QApplication::processEvents();
    Find<QPushButton>(none, IDC_DEPTH_ADD_CASTS)->click();
    EXPECT_EQ(none.SeriesCount(), 1);
    EXPECT_EQ(log.ids.back(), IDS_DEPTH_NO_CASTS);
}

TEST(DepthGraphDlg, DeletingSeriesOneResetsTheComponentChoice) {
    CMeasDataSet first;
    FillCast(first, 20.0, 40);
    CMeasDataSet second;
    FillCast(second, 15.0, 30, 2.0, 1);  // depth in feet
    CDepthGraphDlg dlg;
    ASSERT_TRUE(dlg.AddSeries(first));
    ASSERT_TRUE(dlg.AddSeries(second));
    auto* components = Find<QComboBox>(dlg, IDC_DEPTH_COMPONENT);
    components->setCurrentIndex(2);
    EXPECT_NE(dlg.ComponentElement(), 10);
    Find<QComboBox>(dlg, IDC_DEPTH_UNIT)->setCurrentIndex(1);
    EXPECT_EQ(dlg.DepthUnit(), 1);
    Find<QComboBox>(dlg, IDC_DEPTH_UNIT)->setCurrentIndex(0);

    auto* list = Find<QTreeWidget>(dlg, IDC_DEPTH_SERIES_LIST);
    list->setCurrentItem(list->topLevelItem(0));
    dlg.OnDeleteSeries();
    ASSERT_EQ(dlg.SeriesCount(), 1);
    EXPECT_EQ(components->currentIndex(), 0);
    EXPECT_EQ(dlg.ComponentElement(), 10);
    // The remembered units come from the new first series: depth in feet.
    EXPECT_EQ(dlg.RememberedUnit(kDepthElement), 1);
    EXPECT_EQ(dlg.DepthUnit(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0).left(3), QStringLiteral(" 1:"));

    // The last one gone: lists emptied and disabled, the depth units kept.
    list->setCurrentItem(list->topLevelItem(0));
    dlg.OnDeleteSeries();
    EXPECT_EQ(dlg.SeriesCount(), 0);
    EXPECT_EQ(components->count(), 0);
    EXPECT_FALSE(components->isEnabled());
    EXPECT_EQ(Find<QComboBox>(dlg, IDC_DEPTH_UNIT)->count(), 2);
    EXPECT_FALSE(Find<QPushButton>(dlg, IDC_DEPTH_DELETE)->isEnabled());
    EXPECT_EQ(dlg.ThresholdCount(), 0);
    EXPECT_DOUBLE_EQ(dlg.DepthStep(), 1.5);  // rows follow feet
}

TEST(DepthGraphDlg, DeleteNeedsASelection) {
    CMeasDataSet data;
    FillCast(data, 10.0, 20);
    CDepthGraphDlg dlg;
    ASSERT_TRUE(dlg.AddSeries(data));
    Find<QTreeWidget>(dlg, IDC_DEPTH_SERIES_LIST)->clearSelection();
    dlg.OnDeleteSeries();
    EXPECT_EQ(dlg.SeriesCount(), 1);
}

TEST(DepthGraphDlg, AddingFilesNamesTheSeriesAndRefusesBadOnes) {
    testing::TempDir dir;
    MessageLog log;
    CMeasDataSet cast;
    FillCast(cast, 18.0, 60);
    const std::string good = dir.File("station7.csv");
    ASSERT_TRUE(testing::SaveFile(good, cast));
    const std::string flat = dir.File("nodepth.csv");
    ASSERT_TRUE(testing::SaveFile(flat, cast));
    testing::PatchElements(flat, {{10, 0}});  // the depth column declares no component
    const std::string broken = dir.File("broken.csv");
    std::ofstream(broken) << "\"KelpPC DataFile\",\"Version\",\"1.00\",\"2\"\r\n\"No.\"\r\n";

    CDepthGraphDlg dlg;
    const auto add = [&dlg](const std::string& path) {
        SetOpenFileResponder([path](QWidget*) { return path; });
        dlg.OnAddFile();
        SetOpenFileResponder({});
    };
    add(good);
    ASSERT_EQ(dlg.SeriesCount(), 1);
    EXPECT_EQ(dlg.Series(0).data.GetName(), good);
    EXPECT_EQ(Find<QTreeWidget>(dlg, IDC_DEPTH_SERIES_LIST)->topLevelItem(0)->text(0),
              QStringLiteral(" 1:station7.csv"));
    EXPECT_TRUE(log.ids.empty());
    add(flat);
    add(dir.File("missing.csv"));
    add(broken);
    add("");  // cancelled: nothing at all
    EXPECT_EQ(dlg.SeriesCount(), 1);
    ASSERT_EQ(log.ids.size(), 3u);
    EXPECT_EQ(log.ids[0], IDS_NO_DEPTH);
    EXPECT_EQ(log.ids[1], IDS_FILE_OPEN_FAILED);
    EXPECT_EQ(log.ids[2], IDS_FILE_FORMAT_INVALID);

    // Several files in one go: the good ones become series in the order
    // chosen, a bad one is named in its message.
    log.ids.clear();
    add(good + "\n" + broken + "\n" + good);
    EXPECT_EQ(dlg.SeriesCount(), 3);
    ASSERT_EQ(log.ids, std::vector<int>{IDS_FILE_FORMAT_INVALID});
    EXPECT_NE(ShownMessageText().find("broken.csv"), std::string::npos);
    // More than fit: the rest are left out, and the user is told how many.
    log.ids.clear();
    std::string many;
    for (int i = 0; i < 19; ++i) {
        many += good + "\n";
    }
    add(many);
    EXPECT_EQ(dlg.SeriesCount(), 20);
    ASSERT_EQ(log.ids, std::vector<int>{IDS_DEPTH_FILES_LEFT_OUT});
    EXPECT_EQ(ShownMessageText(), Utf8(LoadText(IDS_DEPTH_FILES_LEFT_OUT)).arg(2).toStdString());
}

}  // namespace
}  // namespace kelp
