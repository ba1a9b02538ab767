// The costly paths of the graph windows: recomputing the depth graph over
// 20 series of 10000 records (goal: under 20 ms), and painting the X-Y graph
// with 12 lines of 10000 records (goal: under 4 ms), measured beside the same
// lines drawn as they were before, a polyline through every point.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "ui/dialogs/ProgressDlg.h"
#include "ui/graphs/AxisScale.h"
#include "ui/graphs/DepthGraphDlg.h"
#include "ui/graphs/XYGraphDlg.h"
#include "ui/main/MessageBox.h"

namespace {

using namespace kelp;

// One memory reply ("#RM" up to where "@" was) with the given blocks.
std::string Reply(const std::vector<std::string>& blocks, int second) {
    std::string reply = "#RM" + std::string(20, ' ');
    for (std::size_t b = 0; b < 13; ++b) {
        reply += b < blocks.size() ? blocks[b] : std::string("0000 0.000");
    }
    char time[40];
    std::snprintf(time, sizeof time, "2606%02d%02d%02d%02d", 1 + second / 86400, second / 3600 % 24,
                  second / 60 % 60, second % 60);
    return reply + time + "-                ";
}

std::string Block(int element, double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d10%5.*f0", element, decimals, value);
    return std::string(text).substr(0, 10);
}

// A long profiling run: the probe goes up and down between 0 and 60 m.
void FillProfile(CMeasDataSet& data, int records, double phase) {
    for (int i = 0; i < records; ++i) {
        const double depth = 30.0 + 29.0 * std::sin(i * 0.01 + phase);
        const double mix = 1.0 / (1.0 + std::exp(-(depth - 20.0) / 3.0));
        data.AddMemoryRecord(
            Reply({Block(10, 24.0 - 12.0 * mix, 2), Block(1, 8.2 - 0.4 * mix, 2),
                   Block(24, -70.0 + 20.0 * mix, 0), Block(2, 180.0 + 60.0 * mix, 0),
                   Block(6, 45.0 + 8.0 * mix, 2), Block(3, 1.5 + std::sin(i * 0.05), 2),
                   Block(4, 8.5 - 4.0 * mix, 2), Block(8, 29.0 + 4.0 * mix, 2), Block(7, 30.0 + 4.0 * mix, 1),
                   Block(9, 21.0 + 4.0 * mix, 1), Block(11, depth, 2)},
                  i));
    }
}

void BM_DepthRecompute20x10000(benchmark::State& state) {
    CMeasDataSet data;
    FillProfile(data, 10000, 0.0);
    CDepthGraphDlg dlg;
    for (int i = 0; i < 20; ++i) {
        dlg.AddSeries(data);
    }
    int next = 1;
    for (auto _ : state) {
        // Each component change recomputes the whole graph.
        dlg.OnComponentChange(next);
        next = 1 - next;
        benchmark::DoNotOptimize(dlg.ThresholdCount());
    }
}
BENCHMARK(BM_DepthRecompute20x10000)->Unit(benchmark::kMillisecond);

void BM_DepthPaint20x10000(benchmark::State& state) {
    CMeasDataSet data;
    FillProfile(data, 10000, 0.0);
    CDepthGraphDlg dlg;
    for (int i = 0; i < 20; ++i) {
        dlg.AddSeries(data);
    }
    for (auto _ : state) {
        QImage image = dlg.RenderClient();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_DepthPaint20x10000)->Unit(benchmark::kMillisecond);

// Splits a line of quoted fields; the program's files quote every field.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::string current;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.push_back(current);
            current.clear();
        } else if (c != '\r') {
            current += c;
        }
    }
    fields.push_back(current);
    return fields;
}

std::string Join(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += (i ? ",\"" : "\"") + fields[i] + "\"";
    }
    return line + "\r\n";
}

// A data file whose 13 slots all hold a component: the instrument's 11 and
// chlorophyll and oxygen saturation in the last two, so that 12 lines are
// drawn against the X component.
std::string WriteThirteenComponents(const std::string& folder) {
    CMeasDataSet data;
    FillProfile(data, 10000, 0.3);
    const std::string path = folder + "/thirteen.csv";
    {
        CProgressDlg progress;
        SaveDataFile(path, data, progress);
    }
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::string out;
    for (int n = 0; std::getline(in, line); ++n) {
        if (n == 0) {
            out += line + "\n";
            continue;
        }
        std::vector<std::string> f = Fields(line);
        if (n == 1) {
            f[8 + 3 * 11] = "12";
            f[8 + 3 * 12] = "22";
        } else {
            f[7 + 3 * 11] = std::to_string(2.0 + std::sin(n * 0.003));
            f[7 + 3 * 12] = std::to_string(90.0 + 5.0 * std::cos(n * 0.002));
            f[52][12] = '1';
            f[52][13] = '1';
            f[51][12] = '3';
            f[51][13] = '1';
        }
        out += Join(f);
    }
    std::ofstream(path, std::ios::binary) << out;
    return path;
}

// The pixel of v as the graph computed it before, point by point.
double PixelAsBefore(double v, double a, double b, int p0, int p1) {
    if (b - a == 0.0) {
        return p0;
    }
    const double d = p1 - p0;
    const double f = std::trunc((v - a) * d / (b - a));
    if (std::fabs(f) < 1.0e8) {
        return MapToPixel(v, a, b, p0, p1);
    }
    return d > 0 ? p0 + f : p1 - f;
}

// The lines as the graph drew them before: a polyline through a point for
// every record, the same pixels.
void DrawLinesAsBefore(QPainter& painter, const CXYGraphDlg& dlg, const QRect& p,
                       const std::vector<int>& lines) {
    const CMeasDataSet& data = dlg.Data();
    const int x = dlg.XSlot();
    const int xUnit = dlg.Settings()[static_cast<std::size_t>(x)].YUnit;
    std::vector<QPointF> points;
    for (const int k : lines) {
        const int unit = dlg.Settings()[static_cast<std::size_t>(k)].YUnit;
        points.clear();
        for (int r = 0; r < data.GetCount(); ++r) {
            if (!data.IsValueValid(x, r) || data.GetUnit(x, r) != xUnit || data.GetUnit(k, r) != unit) {
                continue;
            }
            points.emplace_back(PixelAsBefore(data.GetValue(x, r), dlg.AxisMin(x), dlg.AxisMax(x), p.left(),
                                              p.x() + p.width()),
                                PixelAsBefore(data.GetValue(k, r), dlg.AxisMax(k), dlg.AxisMin(k), p.top(),
                                              p.y() + p.height()));
        }
        painter.save();
        painter.setClipRect(p.adjusted(1, 1, -1, -1));
        painter.setPen(QPen(CXYGraph::LineColour(k), 1));
        painter.drawPolyline(points.data(), static_cast<int>(points.size()));
        painter.restore();
    }
}

enum class XYPaint { Repaint, Resized, AfterChange, AsBefore };

// The X-Y graph over a long profiling run, depth as X and the 12 other
// slots drawn: painted again as a window repaints (the lines kept from the
// first paint), painted at another size as a window being resized (the
// lines built anew from the data, the ranges kept: the work of the figure
// as before), painted after a change (ranges recomputed, the lines built
// anew), and, for the figure beside them, with the lines drawn as before.
void PaintXY(benchmark::State& state, XYPaint how) {
    const bool asBefore = how == XYPaint::AsBefore;
    char pattern[] = "/tmp/kelp-bench-XXXXXX";
    const std::string folder = ::mkdtemp(pattern) ? pattern : "/tmp";
    const std::string path = WriteThirteenComponents(folder);
    CXYGraphDlg dlg(nullptr);
    SetOpenFileResponder([path](QWidget*) { return path; });
    dlg.OnOpenFile();
    SetOpenFileResponder({});
    // X: depth (slot 10); every other slot is drawn.
    auto* x = dlg.findChild<QComboBox*>(QString::number(IDC_XY_COMPONENT));
    x->setCurrentIndex(x->findData(10));
    std::vector<int> lines;
    for (int k = 0; k < 13; ++k) {
        if (dlg.IsSlotChecked(k) && k != dlg.YScaleSlot()) {
            lines.push_back(k);
        }
    }
    lines.push_back(dlg.YScaleSlot());
    state.counters["lines"] = static_cast<double>(lines.size());
    state.counters["records"] = dlg.Data().GetCount();
    QImage image(dlg.size(), QImage::Format_RGB32);
    const QRect s = dlg.LegendRect();
    const QRect g = dlg.GraphFrameRect();
    const QRect p = dlg.PlotRect(g);
    // One pixel narrower every other paint.
    const QRect narrower = g.adjusted(0, 0, -1, 0);
    bool narrow = false;
    const auto boxes = dlg.CheckBoxRects();
    if (asBefore) {
        // The frame and axes without lines; the lines come after.
        for (auto* box : dlg.findChildren<QCheckBox*>()) {
            box->setChecked(false);
        }
        dlg.OnComponentCheck();
    }
    for (auto _ : state) {
        if (how == XYPaint::AfterChange) {
            dlg.OnSettingsApplied();
        }
        if (how == XYPaint::Resized) {
            narrow = !narrow;
        }
        QPainter painter(&image);
        dlg.DrawGraph(painter, s, narrow ? narrower : g, boxes);
        if (asBefore) {
            DrawLinesAsBefore(painter, dlg, p, lines);
        }
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
    std::filesystem::remove_all(folder);
}

void BM_XYPaint12Lines(benchmark::State& state) {
    PaintXY(state, XYPaint::Repaint);
}
void BM_XYPaint12LinesResized(benchmark::State& state) {
    PaintXY(state, XYPaint::Resized);
}
void BM_XYPaint12LinesAfterChange(benchmark::State& state) {
    PaintXY(state, XYPaint::AfterChange);
}
void BM_XYPaint12LinesAsBefore(benchmark::State& state) {
    PaintXY(state, XYPaint::AsBefore);
}
BENCHMARK(BM_XYPaint12Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XYPaint12LinesResized)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XYPaint12LinesAfterChange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XYPaint12LinesAsBefore)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
