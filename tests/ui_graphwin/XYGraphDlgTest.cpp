#include "ui/graphs/XYGraphDlg.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/SettingsStore.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "tests/ui_graphwin/CastData.h"
#include "tests/ui_graphwin/DataFiles.h"
#include "tests/ui_graphwin/MessageLog.h"
#include "ui/graphs/AxisScale.h"
#include "ui/main/ColorLamp.h"

namespace kelp {
namespace {

using testing::Append;
using testing::Component;
using testing::MessageLog;
using testing::TempDir;

template <typename T>
T* Find(const QWidget& window, int id) {
    return window.findChild<T*>(QString::number(id));
}

QCheckBox* Box(const QWidget& window, int slot) {
    return Find<QCheckBox>(window, kXYCheckIds[slot]);
}

// Answers the next file dialog with `path`.
class OpenAnswer final {
  public:
    explicit OpenAnswer(std::string path) {
        SetOpenFileResponder([path](QWidget*) { return path; });
    }
    ~OpenAnswer() { SetOpenFileResponder({}); }
    OpenAnswer(const OpenAnswer&) = delete;
    OpenAnswer& operator=(const OpenAnswer&) = delete;
};

// Temperature rising over the records, pH constant at 2.5.
void FillRising(CMeasDataSet& data, int records) {
    for (int i = 0; i < records; ++i) {
        Append(data, {{10, 10.0 + i, 1}, {1, 2.5, 1}, {11, 1.0 + i, 2}});
    }
}

int CountColour(const QImage& image, const QRect& area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            n += (image.pixel(x, y) & 0xFFFFFF) == colour ? 1 : 0;
        }
    }
    return n;
}

QRgb SlotColour(int slot) {
    return QColorFromRef(kGraphPalette[static_cast<std::size_t>(slot)]).rgb() & 0xFFFFFF;
}

TEST(XYGraphDlg, WithoutDataEverythingIsDisabled) {
    CXYGraphDlg dlg(nullptr);
    EXPECT_FALSE(Find<QComboBox>(dlg, IDC_XY_COMPONENT)->isEnabled());
    EXPECT_FALSE(Find<QComboBox>(dlg, IDC_XY_Y_SCALE)->isEnabled());
    for (int k = 0; k < 13; ++k) {
        EXPECT_FALSE(Box(dlg, k)->isEnabled());
        EXPECT_EQ(Box(dlg, k)->text().toStdString(), LoadText(IDS_ELM_NONE));
    }
    EXPECT_EQ(dlg.YScaleSlot(), -1);
    EXPECT_EQ(dlg.windowTitle().toStdString(), LoadText(IDS_XY_GRAPH_TITLE));
    EXPECT_DOUBLE_EQ(dlg.AxisMin(0), 0.0);
    EXPECT_DOUBLE_EQ(dlg.AxisMax(0), 10.0);
    // The plot rectangle is white inside a black outline.
    const QImage image = dlg.RenderClient();
    const QRect p = dlg.PlotRect(dlg.GraphFrameRect());
    EXPECT_EQ(image.pixel(p.left(), p.center().y()) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(image.pixel(p.right(), p.center().y()) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(image.pixel(p.left() + 3, p.top() + 3) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(XYGraphDlg, GrowingTheWindowGrowsTheGraphAndTheMenuBar) {
    CXYGraphDlg dlg(nullptr);
    dlg.show();
    const QRect frame = dlg.GraphFrameRect();
    dlg.resize(1100, 750);
    EXPECT_EQ(dlg.GraphFrameRect().width(), frame.width() + 300);
    EXPECT_EQ(dlg.GraphFrameRect().height(), frame.height() + 150);
    EXPECT_EQ(dlg.findChild<QMenuBar*>()->width(), 1100);
}

TEST(XYGraphDlg, FillingFromInstrumentData) {
    CMeasDataSet data;
    FillRising(data, 20);
    CXYGraphDlg dlg(nullptr);
    dlg.SetSourceData(data);
    auto* x = Find<QComboBox>(dlg, IDC_XY_COMPONENT);
    auto* y = Find<QComboBox>(dlg, IDC_XY_Y_SCALE);
    EXPECT_EQ(x->count(), 11);  // slots 11 and 12 hold no component
    EXPECT_EQ(dlg.XSlot(), 0);
    EXPECT_FALSE(Box(dlg, 0)->isEnabled());
    EXPECT_FALSE(Box(dlg, 0)->isChecked());
    EXPECT_TRUE(Box(dlg, 1)->isChecked());
    EXPECT_FALSE(Box(dlg, 11)->isEnabled());
    EXPECT_EQ(y->count(), 10);
    EXPECT_EQ(dlg.YScaleSlot(), 1);
    EXPECT_EQ(dlg.windowTitle().toStdString(), LoadText(IDS_XY_GRAPH_TITLE));
    // Temperature 10.0 to 29.0 with a 2 % margin on each side.
    EXPECT_NEAR(dlg.AxisMin(0), 10.0 - 0.38, 1e-9);
    EXPECT_NEAR(dlg.AxisMax(0), 29.0 + 0.38, 1e-9);

    // The colour strip has a line for each slot that can be drawn, none for
    // the X slot or a slot without a component.
    const QImage image = dlg.RenderClient();
    const QRect s = dlg.LegendRect();
    const auto rows = dlg.CheckBoxRects();
    const auto stripAt = [&](int k) {
        const QRect& b = rows[static_cast<std::size_t>(k)];
        return image.pixel(s.center().x(), b.top() + (b.y() + b.height() - b.top()) / 2 - 1) & 0xFFFFFF;
    };
    EXPECT_EQ(stripAt(1), SlotColour(1));
    EXPECT_EQ(stripAt(10), SlotColour(10));
    EXPECT_EQ(stripAt(0), 0xFFFFFFu);
    EXPECT_EQ(stripAt(11), 0xFFFFFFu);
    // The Y axis title stands behind a sample of the Y scale's colour (pH).
    const QRect g = dlg.GraphFrameRect();
    const QRect p = dlg.PlotRect(g);
    const int h = QFontMetrics(dlg.font()).height();
    EXPECT_EQ(image.pixel(g.left() + 5 + 8, p.top() - 2 * h + h / 2) & 0xFFFFFF, SlotColour(1));
}

TEST(XYGraphDlg, LongEnglishNamesFitTheirBoxes) {
    ASSERT_TRUE(SelectLanguage("en_US", KELP_ENGLISH_TEXT));
    CMeasDataSet data;
    for (int i = 0; i < 3; ++i) {
        Append(data, {{10, 10.0 + i, 1}, {9, 25.0 + i, 2}, {7, 30.0, 2}});
    }
    CXYGraphDlg dlg(nullptr);
    dlg.SetSourceData(data);
    dlg.show();
    const int frameLeft = Find<QWidget>(dlg, IDC_XY_FRAME)->geometry().left();
    QStringList names;
    for (int slot = 0; slot < 13; ++slot) {
        QCheckBox* box = Box(dlg, slot);
        names << box->text();
        EXPECT_LT(box->geometry().right(), frameLeft) << slot;
        // The name ends inside the box: its last columns carry no ink.
        const QImage image = box->grab().toImage();
        const QRgb background = image.pixel(image.width() - 1, 0);
        int ink = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = image.width() - 3; x < image.width(); ++x) {
                ink += image.pixel(x, y) != background ? 1 : 0;
            }
        }
        EXPECT_EQ(ink, 0) << box->text().toStdString();
    }
    EXPECT_TRUE(names.contains(QStringLiteral("Specific Gravity"))) << names.join(',').toStdString();
    EXPECT_TRUE(names.contains(QStringLiteral("Water Temp."))) << names.join(',').toStdString();
    SelectLanguage("ja_JP", KELP_ENGLISH_TEXT);
}

TEST(XYGraphDlg, ConstantValuesWidenByOneUnitAndTwoPercent) {
    CMeasDataSet data;
    FillRising(data, 5);
    CXYGraphDlg dlg(nullptr);
    dlg.SetSourceData(data);
    EXPECT_NEAR(dlg.AxisMin(1), 2.396, 1e-9);
    EXPECT_NEAR(dlg.AxisMax(1), 2.604, 1e-9);
    EXPECT_EQ(dlg.RangeCount(1), 5);
    // The pH line runs level through the middle of the plot.
    const QRect p = dlg.PlotRect(dlg.GraphFrameRect());
    const auto pieces = dlg.Polylines(1, p);
    ASSERT_EQ(pieces.size(), 1u);
    ASSERT_EQ(pieces[0].size(), 5u);
    const int middle = MapToPixel(2.5, dlg.AxisMax(1), dlg.AxisMin(1), p.top(), p.y() + p.height());
    for (const QPointF& pt : pieces[0]) {
        EXPECT_EQ(pt.y(), middle);
    }
    const QImage image = dlg.RenderClient();
    EXPECT_EQ(image.pixel(p.center().x(), middle) & 0xFFFFFF, SlotColour(1));
}

TEST(XYGraphDlg, FixedBoundsAreUsedAndTheLinesClipped) {
    CMeasDataSet data;
    FillRising(data, 10);
    CXYGraphDlg dlg(nullptr);
    dlg.SetSourceData(data);
    GraphSlotSettings& ph = dlg.MutableSettings()[1];
    ph.YAuto = 0;
    ph.YMin = 0.0;
    ph.YMax = 1.0;
    dlg.OnSettingsApplied();
    EXPECT_DOUBLE_EQ(dlg.AxisMin(1), 0.0);
    EXPECT_DOUBLE_EQ(dlg.AxisMax(1), 1.0);
    const QRect g = dlg.GraphFrameRect();
    const QRect p = dlg.PlotRect(g);
    // Every point lies above the plot; nothing of the pH colour shows
    // outside the plot rectangle shrunk by one pixel, nor inside it.
    for (const auto& piece : dlg.Polylines(1, p)) {
        for (const QPointF& pt : piece) {
            EXPECT_LT(pt.y(), p.top());
        }
    }
    const QImage image = dlg.RenderClient();
    EXPECT_EQ(CountColour(image, QRect(p.left(), g.top(), p.width(), p.height() + p.top() - g.top()),
                          SlotColour(1)),
              0);
    // With bounds around the data the line is there.
    ph.YMax = 5.0;
    dlg.OnSettingsApplied();
    EXPECT_GT(CountColour(dlg.RenderClient(), p, SlotColour(1)), p.width() / 2);
}

TEST(XYGraphDlg, ChangingTheXSlotMovesTheBoxes) {
    CMeasDataSet data;
    FillRising(data, 10);
    CXYGraphDlg dlg(nullptr);
    dlg.SetSourceData(data);
    auto* x = Find<QComboBox>(dlg, IDC_XY_COMPONENT);
    Box(dlg, 4)->setChecked(false);
    dlg.OnComponentCheck();
    EXPECT_FALSE(dlg.IsSlotChecked(4));
    x->setCurrentIndex(x->findData(10));
    EXPECT_EQ(dlg.XSlot(), 10);
    EXPECT_FALSE(Box(dlg, 10)->isEnabled());
    EXPECT_FALSE(Box(dlg, 10)->isChecked());
    EXPECT_FALSE(dlg.IsSlotChecked(10));
    EXPECT_TRUE(Box(dlg, 0)->isEnabled());
    EXPECT_TRUE(Box(dlg, 0)->isChecked());
    EXPECT_TRUE(dlg.IsSlotChecked(0));
    EXPECT_FALSE(dlg.IsSlotChecked(4));  // the user's choice stays
    auto* y = Find<QComboBox>(dlg, IDC_XY_Y_SCALE);
    EXPECT_EQ(y->findData(10), -1);
    EXPECT_EQ(y->itemData(0).toInt(), 0);
    EXPECT_EQ(y->itemText(0).toStdString(), LoadText(IDS_ELM_WATER_TEMP));
    EXPECT_EQ(dlg.YScaleSlot(), 0);
    // Depth 1..10 is now the X range, temperature a Y range.
    EXPECT_NEAR(dlg.AxisMin(10), 1.0 - 0.18, 1e-9);
    EXPECT_NEAR(dlg.AxisMin(0), 10.0 - 0.18, 1e-9);
}

TEST(XYGraphDlg, InvalidValuesBreakTheLineAndStayOutOfTheRanges) {
    CMeasDataSet data;
    Append(data, {{10, 10.0, 1}, {1, 7.0, 1}});
    Append(data, {{10, 11.0, 1, 0, 9}, {1, 7.5, 1}});     // X: no value
    Append(data, {{10, 12.0, 1, 0, 1, 1}, {1, 7.2, 1}});  // X: data error
    Append(data, {{10, 13.0, 1}, {1, 7.4, 1, 0, 0}});     // Y: no value, read back as 0
    Append(data, {{10, 14.0, 1}, {1, 7.1, 1}});
    Append(data, {{10, 15.0, 1, 1}, {1, 7.3, 1}});  // X in ゜F: passed over
    Append(data, {{10, 16.0, 1}, {1, 7.2, 1}});
    Append(data, {{10, 17.0, 1}, {1, -5.0, 1, 0, 1, 1}});  // Y: data error
    CXYGraphDlg dlg(nullptr);
    dlg.SetSourceData(data);
    // Only the valid pairs count: pH 7.0 to 7.2, not 0 or -5.
    EXPECT_EQ(dlg.RangeCount(1), 3);
    EXPECT_NEAR(dlg.AxisMin(1), 7.0 - 0.004, 1e-6);
    EXPECT_NEAR(dlg.AxisMax(1), 7.2 + 0.004, 1e-6);
    const QRect p = dlg.PlotRect(dlg.GraphFrameRect());
    const auto x = [&](double v) {
        return MapToPixel(v, dlg.AxisMin(0), dlg.AxisMax(0), p.left(), p.x() + p.width());
    };
    const auto pieces = dlg.Polylines(1, p);
    ASSERT_EQ(pieces.size(), 2u);
    ASSERT_EQ(pieces[0].size(), 1u);
    EXPECT_EQ(pieces[0][0].x(), x(10.0));
    ASSERT_EQ(pieces[1].size(), 2u);  // 14 and 16: the other unit does not break it
    EXPECT_EQ(pieces[1][0].x(), x(14.0));
    EXPECT_EQ(pieces[1][1].x(), x(16.0));
    // No line across the break; the lone first point still shows.
    const QImage image = dlg.RenderClient();
    const int y = MapToPixel(7.05, dlg.AxisMax(1), dlg.AxisMin(1), p.top(), p.y() + p.height());
    EXPECT_EQ(CountColour(image, QRect(x(12.0) - 2, y - 3, 5, 7), SlotColour(1)), 0);
    EXPECT_EQ(image.pixel(pieces[0][0].toPoint()) & 0xFFFFFF, SlotColour(1));
    EXPECT_EQ(image.pixel(pieces[0][0].toPoint() + QPoint(1, 1)) & 0xFFFFFF, SlotColour(1));
}

TEST(XYGraphDlg, DenseLinesHaveThePixelsOfPlainPolylines) {
    // A probe going up and down through the same water many times, with
    // values missing here and there: what the graph draws must be what
    // plain polylines through every point of each piece would give.
    CMeasDataSet data;
    for (int i = 0; i < 3000; ++i) {
        const double depth = 15.0 + 14.0 * std::sin(i * 0.02);
        const int state = i % 37 == 0 ? 0 : 1;
        Append(data, {{10, 20.0 - depth * 0.3, 2, 0, state},
                      {1, 8.0 - depth * 0.01, 2},
                      {7, 30.0 + i % 7, 1},
                      {11, depth, 2}});
    }
    CXYGraphDlg dlg(nullptr);
    dlg.SetSourceData(data);
    auto* x = Find<QComboBox>(dlg, IDC_XY_COMPONENT);
    const int depth = data.FindSlot(kDepthElement);
    x->setCurrentIndex(x->findData(depth));
    ASSERT_EQ(dlg.XSlot(), depth);
    // Without a right axis the plot keeps its width when the lines go.
    dlg.SetRightAxisSlot(CXYGraph::kNoRightAxis);
    const QImage drawn = dlg.RenderClient();

    const QRect p = dlg.PlotRect(dlg.GraphFrameRect());
    std::vector<int> order;
    for (int k = 0; k < 13; ++k) {
        if (dlg.IsSlotChecked(k) && k != dlg.YScaleSlot()) {
            order.push_back(k);
        }
    }
    order.push_back(dlg.YScaleSlot());
    for (int k = 0; k < 13; ++k) {
        Box(dlg, k)->setChecked(false);
    }
    dlg.OnComponentCheck();
    QImage expected = dlg.RenderClient();
    QPainter painter(&expected);
    painter.setClipRect(p.adjusted(1, 1, -1, -1));
    int pieces = 0;
    for (const int k : order) {
        painter.setPen(QPen(QColor(SlotColour(k)), 1));
        for (const auto& piece : dlg.Polylines(k, p)) {
            ++pieces;
            if (std::all_of(piece.begin(), piece.end(),
                            [&](const QPointF& q) { return q == piece.front(); })) {
                painter.fillRect(QRectF(piece.front() - QPointF(1, 1), QSizeF(3, 3)), QColor(SlotColour(k)));
            } else {
                painter.drawPolyline(piece.data(), static_cast<int>(piece.size()));
            }
        }
    }
    painter.end();
    EXPECT_GT(pieces, 80);
    ASSERT_EQ(drawn.size(), expected.size());
    int differing = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            differing += drawn.pixel(x, y) != expected.pixel(x, y) ? 1 : 0;
            if (drawn.pixel(x, y) != expected.pixel(x, y))
                fprintf(stderr, "%d,%d drawn %x expected %x\n", x, y, drawn.pixel(x, y),
                        expected.pixel(x, y));
        }
    }
    EXPECT_EQ(differing, 0);
}

// The cast list: every record as one line, each cast a line of its own in
// a colour of its own, or one cast alone with the axes fitted to it.
TEST(XYGraphDlg, ACastChoiceDrawsTheProfileCastByCast) {
    CMeasDataSet data;
    testing::FillYoYo(data, 3, 12.0, 24);
    Append(data, {{10, 30.0, 2}, {11, 0.2, 2}});  // warm water at the surface after the last cast
    const CastList casts = FindCasts(data);
    ASSERT_EQ(casts.casts.size(), 3u);
    CXYGraphDlg dlg(nullptr);
    dlg.SetSourceData(data);
    dlg.show();
    auto* x = Find<QComboBox>(dlg, IDC_XY_COMPONENT);
    const int depth = data.FindSlot(kDepthElement);
    x->setCurrentIndex(x->findData(depth));
    auto* list = Find<QComboBox>(dlg, IDC_XY_CAST);
    ASSERT_EQ(list->count(), 5);
    EXPECT_TRUE(list->itemText(3).endsWith(QStringLiteral("CAST ") +
                                           QString::fromStdString(casts.casts[1].start.Format("%H:%M"))));
    const QRect p = dlg.PlotRect(dlg.GraphFrameRect());
    const auto points = [&] {
        std::vector<std::size_t> sizes;
        for (const auto& piece : dlg.Polylines(0, p)) {
            sizes.push_back(piece.size());
        }
        return sizes;
    };
    EXPECT_EQ(points(), std::vector<std::size_t>{static_cast<std::size_t>(data.GetCount())});
    EXPECT_GT(dlg.AxisMax(0), 30.0);
    const QRgb third = SlotColour(2);
    EXPECT_EQ(CountColour(dlg.RenderClient(), p, third), 0);
    list->setCurrentIndex(1);
    std::vector<std::size_t> each;
    for (const Cast& cast : casts.casts) {
        each.push_back(static_cast<std::size_t>(cast.Records()));
    }
    EXPECT_EQ(points(), each);
    // Each cast its colour, while temperature is the one line drawn.
    EXPECT_GT(CountColour(dlg.RenderClient(), p, third), 0);
    list->setCurrentIndex(3);
    EXPECT_EQ(points(), std::vector<std::size_t>{static_cast<std::size_t>(casts.casts[1].Records())});
    EXPECT_EQ(dlg.RangeCount(depth), casts.casts[1].Records());
    EXPECT_LT(dlg.AxisMax(0), 30.0) << "the warm record is the last cast's";
    EXPECT_TRUE(dlg.windowTitle().endsWith(list->itemText(3)));
    // A new file starts over at every record.
    dlg.SetSourceData(data);
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_EQ(dlg.RangeCount(0), data.GetCount());
}

TEST(XYGraphDlg, OneComponentOnlyDrawsNoLine) {
    TempDir dir;
    CMeasDataSet data;
    FillRising(data, 8);
    const std::string path = dir.File("one.csv");
    ASSERT_TRUE(testing::SaveFile(path, data));
    std::map<int, int> none;
    for (int s = 1; s < 13; ++s) {
        none[s] = 0;
    }
    testing::PatchElements(path, none);
    CXYGraphDlg dlg(nullptr);
    {
        const OpenAnswer answer(path);
        dlg.OnOpenFile();
    }
    ASSERT_EQ(dlg.Data().GetCount(), 8);
    EXPECT_EQ(Find<QComboBox>(dlg, IDC_XY_COMPONENT)->count(), 1);
    EXPECT_EQ(Find<QComboBox>(dlg, IDC_XY_Y_SCALE)->count(), 0);
    EXPECT_EQ(dlg.YScaleSlot(), -1);
    EXPECT_EQ(dlg.windowTitle().toStdString(), LoadText(IDS_XY_GRAPH_TITLE) + " [one.csv]");
    const QRect p = dlg.PlotRect(dlg.GraphFrameRect());
    const QImage image = dlg.RenderClient();
    for (int k = 1; k < 13; ++k) {
        EXPECT_FALSE(dlg.IsSlotChecked(k)) << k;
        EXPECT_EQ(CountColour(image, p.adjusted(1, 1, -1, -1), SlotColour(k)), 0) << k;
    }
    // The Y axis runs 0 to 10 without a title: grid lines at each unit.
    const int five = MapToPixel(5.0, 10.0, 0.0, p.top(), p.y() + p.height());
    EXPECT_EQ(image.pixel(p.center().x(), five) & 0xFFFFFF, QColorFromRef(kGridColour).rgb() & 0xFFFFFF);
}

TEST(XYGraphDlg, SlotZeroWithoutComponentStartsWithTheFirstComponentAsX) {
    TempDir dir;
    CMeasDataSet data;
    FillRising(data, 6);
    const std::string path = dir.File("noslot0.csv");
    ASSERT_TRUE(testing::SaveFile(path, data));
    testing::PatchElements(path, {{0, 0}});
    CXYGraphDlg dlg(nullptr);
    const OpenAnswer answer(path);
    dlg.OnOpenFile();
    ASSERT_EQ(dlg.Data().GetCount(), 6);
    EXPECT_EQ(dlg.XSlot(), 1);
    EXPECT_FALSE(Box(dlg, 0)->isEnabled());
    EXPECT_FALSE(Box(dlg, 1)->isEnabled());
    EXPECT_FALSE(Box(dlg, 1)->isChecked());
    EXPECT_TRUE(Box(dlg, 2)->isEnabled());
    EXPECT_TRUE(Box(dlg, 2)->isChecked());
    EXPECT_EQ(Find<QComboBox>(dlg, IDC_XY_Y_SCALE)->findData(1), -1);

    // Moving X on: the box of the new X slot goes dark, the previous X slot
    // is drawn again, and slot 0 (no component) never gets a box.
    auto* x = Find<QComboBox>(dlg, IDC_XY_COMPONENT);
    x->setCurrentIndex(x->findData(2));
    EXPECT_EQ(dlg.XSlot(), 2);
    EXPECT_FALSE(Box(dlg, 2)->isEnabled());
    EXPECT_FALSE(Box(dlg, 2)->isChecked());
    EXPECT_TRUE(Box(dlg, 1)->isEnabled());
    EXPECT_TRUE(dlg.IsSlotChecked(1));
    EXPECT_FALSE(Box(dlg, 0)->isEnabled());
    EXPECT_FALSE(dlg.IsSlotChecked(0));
    x->setCurrentIndex(x->findData(1));
    EXPECT_FALSE(Box(dlg, 1)->isEnabled());
    EXPECT_FALSE(dlg.IsSlotChecked(1));
    EXPECT_TRUE(dlg.IsSlotChecked(2));
}

TEST(XYGraphDlg, LoadedFileOverwritesUnitsAndCloseSavesThem) {
    TempDir dir;
    const CSettingsStore store(dir.File("Kelp-Win.ini"));
    CMeasDataSet data;
    for (int i = 0; i < 4; ++i) {
        Append(data, {{10, 50.0 + i, 1, 1}, {1, 7.0, 1}, {11, 1.0 + i, 2}});  // ゜F
    }
    const std::string path = dir.File("fahrenheit.csv");
    ASSERT_TRUE(testing::SaveFile(path, data));

    GraphSlotArray before = DefaultGraphSlots();
    before[0].YUnit = 2;
    before[3].YAuto = 0;
    before[3].YMin = -5.0;
    before[3].YMax = 5.0;
    store.WriteGraphSlots(CXYGraphDlg::kSettingsSection, before);
    {
        CXYGraphDlg dlg(&store);
        EXPECT_EQ(dlg.Settings()[0].YUnit, 2);
        EXPECT_EQ(dlg.Settings()[3].YAuto, 0);
        const OpenAnswer answer(path);
        dlg.OnOpenFile();
        EXPECT_EQ(dlg.Settings()[0].YUnit, 1);
        EXPECT_EQ(dlg.Settings()[11].YUnit, 0);
        EXPECT_EQ(dlg.Settings()[3].YMin, -5.0);
        dlg.show();
        dlg.close();
    }
    GraphSlotArray after = DefaultGraphSlots();
    store.ReadGraphSlots(CXYGraphDlg::kSettingsSection, after);
    EXPECT_EQ(after[0].YUnit, 1);
    EXPECT_EQ(after[3].YAuto, 0);
    EXPECT_DOUBLE_EQ(after[3].YMax, 5.0);
}

TEST(XYGraphDlg, EscapeSavesNothing) {
    TempDir dir;
    const CSettingsStore store(dir.File("Kelp-Win.ini"));
    {
        CXYGraphDlg dlg(&store);
        dlg.MutableSettings()[2].YAuto = 0;
        dlg.show();
        dlg.reject();
    }
    EXPECT_FALSE(std::filesystem::exists(store.Path()));
    {
        CXYGraphDlg dlg(&store);
        dlg.MutableSettings()[2].YAuto = 0;
        dlg.show();
        dlg.findChild<QAction*>(QString::number(ID_CLOSE_GRAPH))->trigger();
    }
    GraphSlotArray after = DefaultGraphSlots();
    store.ReadGraphSlots(CXYGraphDlg::kSettingsSection, after);
    EXPECT_EQ(after[2].YAuto, 0);
}

TEST(XYGraphDlg, FailedLoadsKeepTheDataAndShowTheirMessage) {
    TempDir dir;
    MessageLog log;
    CMeasDataSet data;
    FillRising(data, 3);
    CXYGraphDlg dlg(nullptr);
    dlg.SetSourceData(data);
    {
        const OpenAnswer answer(dir.File("missing.csv"));
        dlg.OnOpenFile();
    }
    const std::string broken = dir.File("broken.csv");
    std::ofstream(broken) << "\"KelpPC DataFile\",\"Version\",\"1.00\",\"2\"\r\n\"No.\"\r\n";
    {
        const OpenAnswer answer(broken);
        dlg.OnOpenFile();
    }
    ASSERT_EQ(log.ids.size(), 2u);
    EXPECT_EQ(log.ids[0], IDS_FILE_OPEN_FAILED);
    EXPECT_EQ(log.ids[1], IDS_FILE_FORMAT_INVALID);
    EXPECT_EQ(log.styles[1], MB_ICONSTOP);
    EXPECT_EQ(dlg.Data().GetCount(), 3);
}

}  // namespace
}  // namespace kelp
