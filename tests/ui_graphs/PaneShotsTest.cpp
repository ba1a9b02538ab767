// Pictures of panes and value cells for a person to look at (build/shots/),
// each with the checks that a look would make: the labels of an axis do not
// overlap and the curve runs across the whole capture.
#include "ui/graphs/TrendGraphPane.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>

#include "data/MeasDataSet.h"
#include "resources/Texts.h"
#include "tests/ui_graphs/GuiApp.h"
#include "tests/ui_graphs/PaneData.h"
#include "tools/sim/RecordGenerator.h"
#include "ui/main/Fonts.h"
#include "ui/main/ValueCell.h"

namespace kelp {
namespace {

// A capture of `records` water temperatures, one every `interval` seconds
// from 09:00:00: a slow swing with a little noise, as a probe lowered and
// raised gives.
void FillCapture(CMeasDataSet& data, int records, int interval) {
    unsigned noise = 12345;
    for (int i = 0; i < records; ++i) {
        noise = noise * 1103515245u + 12345u;
        const double jitter = ((noise >> 16) % 100) / 1000.0;
        const double v = 18.0 + 3.5 * std::sin(i / 400.0) + 1.2 * std::sin(i / 37.0) + jitter;
        char text[16];
        std::snprintf(text, sizeof text, "%5.2f", v);
        test::AddSample(data, {32400 + i * interval, text});
    }
}

struct Shot {
    const char* name;
    int width, height;
    int records, interval;
    int dispType;
    int rangeType;
};

class PaneShots : public testing::TestWithParam<bool> {
  protected:
    static void SetUpTestSuite() { test::GuiApp(); }
    // The other tests of the program read the Japanese texts.
    void TearDown() override { SelectLanguage("ja_JP", KELP_ENGLISH_TEXT); }
};

// Draws the pane as the window would and checks what a reader relies on.
void RenderAndCheck(const Shot& s, bool english) {
    CMeasDataSet data;
    FillCapture(data, s.records, s.interval);
    GraphTimeSettings time;
    time.DispType = s.dispType;
    time.RangeType = s.rangeType;
    time.Range = 600;
    GraphSlotSettings slot;
    CTrendGraphPane pane;
    pane.SetDataSet(&data);
    pane.SetSlot(0, 0, time, slot);
    pane.SetCount(data.GetCount());
    pane.SetCursorIndex(data.GetCount() / 3);

    QFont font(MapFontFace(QStringLiteral("MS UI Gothic")));
    font.setPixelSize(12);
    QImage image(s.width, s.height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(font);
    const QRect client(0, 0, s.width, s.height);
    const QRect area = CTrendGraphPane::PlotAreaFor(client);
    pane.DrawGraph(painter, client, area);
    painter.end();
    test::SaveShot(image, QStringLiteral("pane_%1_%2.png").arg(s.name, english ? "en" : "ja"));

    // Time labels: neighbours stand clear of each other.
    const QFontMetrics fm(font, &image);
    const CTrendGraphPane::Frame f = CTrendGraphPane::FrameFor(fm, area);
    const auto label = [&](double t) {
        if (s.dispType == 0) {
            return FormatAxisValue(t - pane.GetMinElapsed(), 0);
        }
        return CDateTime::FromDays(pane.GetReferenceTime().GetDays() + std::trunc(t) / 86400.0)
            .Format("%H:%M:%S");
    };
    const auto measure = [&](const std::string& text) {
        return TextExtent{fm.horizontalAdvance(QString::fromStdString(text)), fm.height()};
    };
    const TickLayout xt = LayoutTicks(pane.GetXMin(), pane.GetXMax(), 0, f.X0, f.X1,
                                      AxisOrientation::Horizontal, label, measure);
    const std::vector<double> ticks = xt.Ticks();
    ASSERT_GE(ticks.size(), 2u);
    for (std::size_t i = 1; i < ticks.size(); ++i) {
        const int gap = MapToPixel(ticks[i], pane.GetXMin(), pane.GetXMax(), f.X0, f.X1) -
                        MapToPixel(ticks[i - 1], pane.GetXMin(), pane.GetXMax(), f.X0, f.X1);
        const int half = (measure(label(ticks[i])).width + measure(label(ticks[i - 1])).width) / 2;
        EXPECT_GT(gap, half) << s.name << " ticks " << ticks[i - 1] << " and " << ticks[i];
    }
    // Value labels: at least a label height apart.
    const auto valueLabel = [&](double v) { return FormatAxisValue(v, pane.GetDecimals()); };
    const TickLayout yt = LayoutTicks(pane.GetYMin(), pane.GetYMax(), pane.GetDecimals(), f.Y0, f.Y1,
                                      AxisOrientation::Vertical, valueLabel, measure);
    const std::vector<double> values = yt.Ticks();
    ASSERT_GE(values.size(), 2u);
    for (std::size_t i = 1; i < values.size(); ++i) {
        const int gap = MapToPixel(values[i - 1], pane.GetYMax(), pane.GetYMin(), f.Y0, f.Y1) -
                        MapToPixel(values[i], pane.GetYMax(), pane.GetYMin(), f.Y0, f.Y1);
        EXPECT_GE(gap, fm.height()) << s.name;
    }
    // The curve reaches every tenth of the plotted time.
    const int first = MapToPixel(data.GetElapsed(0), pane.GetXMin(), pane.GetXMax(), f.X0, f.X1);
    const int from = std::max(first, f.X0 + 1);
    for (int k = 0; k < 10; ++k) {
        const int x = from + (f.X1 - 2 - from) * k / 10;
        bool green = false;
        for (int y = f.Y0 + 1; y < f.Y1 - 1 && !green; ++y) {
            green = (image.pixel(x, y) & 0xFFFFFF) == 0x00FF00u;
        }
        EXPECT_TRUE(green) << s.name << " x " << x;
    }
}

TEST_P(PaneShots, LabelsStayApartAndTheCurveRunsAcrossTheCapture) {
    const bool english = GetParam();
    ASSERT_EQ(SelectLanguage(english ? "en_US" : "ja_JP", KELP_ENGLISH_TEXT), english);
    const Shot shots[] = {
        {"one_pane_long_capture", 800, 560, 5000, 2, 0, 0},
        {"two_panes_clock", 800, 280, 1200, 5, 1, 0},
        {"three_panes_latest", 800, 187, 3000, 1, 0, 2},
        {"three_panes_clock_short", 620, 187, 40, 1, 1, 0},
    };
    for (const Shot& s : shots) {
        SCOPED_TRACE(s.name);
        RenderAndCheck(s, english);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, PaneShots, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& i) {
                             return i.param ? "English" : "Japanese";
                         });

TEST(CellShots, PanelRowsShowLabelsValuesAndColours) {
    test::GuiApp();
    QWidget panel;
    panel.setFont(QFont(MapFontFace(QStringLiteral("ＭＳ Ｐゴシック")), 9));
    panel.resize(260, 4 * 26);
    panel.setStyleSheet(QString());
    struct Row {
        const char* label;
        const char* value;
        std::uint32_t background;
    };
    const Row rows[] = {{"水温", "18.25", 0x00FFFFFF},
                        {"電気伝導率", "4.512", 0x0000FF00},
                        {"Optical\nDissolvedOxygen", "8.07", 0x0000FFFF},
                        {"濁度", "---", 0x000000FF}};
    std::vector<CValueCell*> values;
    for (int i = 0; i < 4; ++i) {
        auto* label = new CValueCell(&panel);
        label->SetAutoFont(true);
        label->setGeometry(2, 2 + i * 26, 110, 24);
        label->SetText(QString::fromUtf8(rows[i].label));
        auto* value = new CValueCell(&panel);
        value->SetValueMode(true);
        value->SetAutoFont(true);
        value->setGeometry(116, 2 + i * 26, 140, 24);
        value->SetBackgroundColour(rows[i].background);
        value->SetTextColour(0);
        value->SetText(QString::fromUtf8(rows[i].value));
        values.push_back(value);
    }
    const QImage image = test::Render(panel);
    test::SaveShot(image, QStringLiteral("value_cells.png"));
    for (int i = 0; i < 4; ++i) {
        const QRgb bg = image.pixel(118, 4 + i * 26) & 0xFFFFFF;
        const std::uint32_t want = rows[i].background;
        EXPECT_EQ(bg, ((want & 0xFF) << 16) | (want & 0xFF00) | ((want >> 16) & 0xFF)) << i;
    }
}

}  // namespace
}  // namespace kelp

namespace kelp {
namespace {

TEST(PaneWindowShot, LayoutButtonsShowOneTwoAndThreeFrames) {
    test::GuiApp();
    CMeasDataSet data;
    FillCapture(data, 300, 3);
    GraphTimeSettings time;
    GraphSlotSettings slot;
    CTrendGraphPane pane;
    pane.SetDataSet(&data);
    pane.SetSlot(0, 0, time, slot);
    pane.SetCount(data.GetCount());
    pane.resize(420, 240);
    pane.show();
    const QImage image = test::Render(pane);
    test::SaveShot(image, QStringLiteral("pane_window.png"));
    // Rows of the frame outline colour in each button: 2, 4 and 6 for one,
    // two and three stacked frames.
    const auto outlineRows = [&](int left) {
        int rows = 0;
        for (int y = 2; y < 19; ++y) {
            int run = 0;
            for (int x = left; x < left + 17; ++x) {
                run += (image.pixel(x, y) & 0xFFFFFF) == 0x404040u ? 1 : 0;
            }
            rows += run >= 9 ? 1 : 0;
        }
        return rows;
    };
    EXPECT_EQ(outlineRows(420 - 57), 2);
    EXPECT_EQ(outlineRows(420 - 38), 4);
    EXPECT_EQ(outlineRows(420 - 19), 6);
}

}  // namespace
}  // namespace kelp

namespace kelp {
namespace {

// Every component of a simulator capture, as three stacked panes of the
// main window would show it: an hour of live records one second apart, and a
// download of three casts two hours apart.
class SimulatorShots : public testing::TestWithParam<bool> {
  protected:
    static void SetUpTestSuite() { test::GuiApp(); }
    // The other tests of the program read the Japanese texts.
    void TearDown() override { SelectLanguage("ja_JP", KELP_ENGLISH_TEXT); }
};

void CheckSimulatorPanes(const CMeasDataSet& data, int dispType, const QString& name) {
    GraphTimeSettings time;
    time.DispType = dispType;
    GraphSlotSettings slot;
    QFont font(MapFontFace(QStringLiteral("MS UI Gothic")));
    font.setPixelSize(12);
    // A pane beside the value panel of an 800 x 600 window, three stacked.
    constexpr int kWidth = 440;
    constexpr int kHeight = 187;
    const int components = 11;  // the simulator fills slots 0 to 10
    QImage sheet(kWidth, components * (kHeight - 1) + 1, QImage::Format_RGB32);
    QPainter painter(&sheet);
    painter.setFont(font);
    const QFontMetrics fm = painter.fontMetrics();
    for (int column = 0; column < components; ++column) {
        SCOPED_TRACE(column);
        CTrendGraphPane pane;
        pane.SetDataSet(&data);
        pane.SetSlot(column, column, time, slot);
        pane.SetCount(data.GetCount());
        ASSERT_NE(pane.GetElement(), 0);
        painter.save();
        painter.translate(0, column * (kHeight - 1));
        const QRect client(0, 0, kWidth, kHeight);
        const QRect area = CTrendGraphPane::PlotAreaFor(client);
        pane.DrawGraph(painter, client, area);
        painter.restore();
        const CTrendGraphPane::Frame f = CTrendGraphPane::FrameFor(fm, area);

        // Value labels fit the margin left of the frame and stand a label
        // height apart.
        const auto measure = [&](const std::string& text) {
            return TextExtent{fm.horizontalAdvance(QString::fromStdString(text)), fm.height()};
        };
        // Time labels stand clear of each other.
        const auto timeLabel = [&](double t) {
            if (dispType == 0) {
                return FormatAxisValue(t - pane.GetMinElapsed(), 0);
            }
            return CDateTime::FromDays(pane.GetReferenceTime().GetDays() + std::trunc(t) / 86400.0)
                .Format("%H:%M:%S");
        };
        const std::vector<double> times = LayoutTicks(pane.GetXMin(), pane.GetXMax(), 0, f.X0, f.X1,
                                                      AxisOrientation::Horizontal, timeLabel, measure)
                                              .Ticks();
        ASSERT_GE(times.size(), 3u);
        for (std::size_t i = 1; i < times.size(); ++i) {
            const int gap = MapToPixel(times[i], pane.GetXMin(), pane.GetXMax(), f.X0, f.X1) -
                            MapToPixel(times[i - 1], pane.GetXMin(), pane.GetXMax(), f.X0, f.X1);
            EXPECT_GT(gap, (measure(timeLabel(times[i])).width + measure(timeLabel(times[i - 1])).width) / 2);
        }
        const auto valueLabel = [&](double v) { return FormatAxisValue(v, pane.GetDecimals()); };
        const TickLayout yt = LayoutTicks(pane.GetYMin(), pane.GetYMax(), pane.GetDecimals(), f.Y0, f.Y1,
                                          AxisOrientation::Vertical, valueLabel, measure);
        const std::vector<double> values = yt.Ticks();
        ASSERT_GE(values.size(), 2u);
        for (std::size_t i = 0; i < values.size(); ++i) {
            EXPECT_GE(f.X0 - measure(valueLabel(values[i])).width - 2, 0) << valueLabel(values[i]);
            if (i > 0) {
                EXPECT_GE(MapToPixel(values[i - 1], pane.GetYMax(), pane.GetYMin(), f.Y0, f.Y1) -
                              MapToPixel(values[i], pane.GetYMax(), pane.GetYMin(), f.Y0, f.Y1),
                          fm.height());
            }
        }
        // Every value of the slot lies inside the value axis.
        const SlotStats& stats = data.GetStats(column, slot.YUnit);
        EXPECT_GE(stats.Min, pane.GetYMin());
        EXPECT_LE(stats.Max, pane.GetYMax());
    }
    painter.end();
    test::SaveShot(sheet, name);
}

TEST_P(SimulatorShots, EveryComponentOfALiveCaptureAndADownloadReads) {
    const bool english = GetParam();
    ASSERT_EQ(SelectLanguage(english ? "en_US" : "ja_JP", KELP_ENGLISH_TEXT), english);
    const QString language = english ? QStringLiteral("en") : QStringLiteral("ja");
    const sim::CRecordGenerator generator(7, 300, 3, false);

    CMeasDataSet live;
    const std::time_t start = 1781503200;  // 2026-06-15 06:00 UTC
    for (int s = 0; s < 3600; ++s) {
        ASSERT_TRUE(live.AddLiveRecord(generator.LiveRecord(start + s, false)));
    }
    CheckSimulatorPanes(live, 1, QStringLiteral("sim_live_clock_%1.png").arg(language));

    CMeasDataSet download;
    for (int i = 0; i < generator.Records(); ++i) {
        ASSERT_TRUE(download.AddMemoryRecord(generator.MemoryRecord(i, false)));
    }
    download.Reverse();
    CheckSimulatorPanes(download, 0, QStringLiteral("sim_download_%1.png").arg(language));
}

INSTANTIATE_TEST_SUITE_P(Languages, SimulatorShots, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& i) {
                             return i.param ? "English" : "Japanese";
                         });

}  // namespace
}  // namespace kelp
