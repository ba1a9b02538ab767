// Painting one trend pane of 800 x 600 with a full data set (10000 records);
// the goal is under 5 ms a paint.
#include "ui/graphs/TrendGraphPane.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <string>

#include "data/MeasDataSet.h"
#include "ui/main/Fonts.h"

namespace kelp {
namespace {

// A memory record of one water temperature at second `t` after 2007-01-01 00:00:00.
std::string Reply(int t, double value) {
    char text[200];
    std::snprintf(text, sizeof text, "#RMSITE                1010%5.2f0", value);
    std::string reply = text;
    for (int i = 1; i < 13; ++i) {
        reply += "99000.0000";
    }
    std::snprintf(text, sizeof text, "0701%02d%02d%02d%02d-                ", 1 + t / 86400, t / 3600 % 24,
                  t / 60 % 60, t % 60);
    return reply + text;
}

void FillFull(CMeasDataSet& data, bool jumpy) {
    for (int i = 0; i < kMeasCapacity; ++i) {
        // Jumpy values swing over the whole axis from one record to the
        // next, so that every segment of the curve crosses the plot.
        const double v = jumpy ? 10.0 + 10.0 * (i % 2) + (i % 13) * 0.3
                               : 18.0 + 3.0 * std::sin(i / 300.0) + (i % 7) * 0.01;
        data.AddMemoryRecord(Reply(i * 2, v));
    }
}

void PaintPane(benchmark::State& state, bool cursor, int dispType, bool jumpy = false) {
    CMeasDataSet data;
    FillFull(data, jumpy);
    GraphTimeSettings time;
    time.DispType = dispType;
    GraphSlotSettings slot;
    CTrendGraphPane pane;
    pane.SetDataSet(&data);
    pane.SetSlot(0, 0, time, slot);
    pane.SetCount(data.GetCount());
    pane.SetCursorIndex(cursor ? data.GetCount() / 2 : -1);
    pane.ShowCursor(cursor ? 1 : 0);

    QFont font(MapFontFace(QStringLiteral("MS UI Gothic")));
    font.setPixelSize(12);
    QImage image(800, 600, QImage::Format_RGB32);
    const QRect client(0, 0, 800, 600);
    const QRect area = CTrendGraphPane::PlotAreaFor(client);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(font);
        pane.DrawGraph(painter, client, area);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["records"] = data.GetCount();
}

void BM_PaintPane10000(benchmark::State& state) {
    PaintPane(state, true, 0);
}
void BM_PaintPane10000Clock(benchmark::State& state) {
    PaintPane(state, false, 1);
}

void BM_PaintPane10000Jumpy(benchmark::State& state) {
    PaintPane(state, true, 0, true);
}

// The window's own path: a shown pane of 800 x 600 painting itself through
// its paint event.
void BM_PaintPaneWindow10000(benchmark::State& state) {
    CMeasDataSet data;
    FillFull(data, false);
    GraphTimeSettings time;
    GraphSlotSettings slot;
    CTrendGraphPane pane;
    QFont font(MapFontFace(QStringLiteral("MS UI Gothic")));
    font.setPixelSize(12);
    pane.SetFont(&font);
    pane.SetDataSet(&data);
    pane.SetSlot(0, 0, time, slot);
    pane.SetCount(data.GetCount());
    pane.resize(800, 600);
    pane.show();
    QImage image(800, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        pane.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["records"] = data.GetCount();
}

BENCHMARK(BM_PaintPane10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPane10000Clock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPane10000Jumpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPaneWindow10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelp

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
