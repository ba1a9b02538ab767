// The data selection list at full capacity: opening, a column click with a
// large selection carried across it, and one batch deletion.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QItemSelectionModel>
#include <QTableView>
#include <cstdio>

#include "data/MeasDataSet.h"
#include "tests/data_model/ReplyBuilder.h"
#include "ui/dialogs/DataSelectDlg.h"
#include "ui/dialogs/DataSelectModel.h"

namespace {

using kelp::CDataSelectDlg;
using kelp::CMeasDataSet;

// A full data set: sites, times and positions vary so that every sort works.
const CMeasDataSet& FullSet() {
    static CMeasDataSet* set = [] {
        auto* s = new CMeasDataSet;
        for (int i = 0; i < kelp::kMeasCapacity; ++i) {
            kelp::test::ReplyFields f;
            char text[64];
            std::snprintf(text, sizeof text, "SITE-%05d           ", (i * 7919) % 10007);
            f.site.assign(text, 20);
            const int seconds = (i * 37) % 86400;
            std::snprintf(text, sizeof text, "070615%02d%02d%02d", seconds / 3600, seconds / 60 % 60,
                          seconds % 60);
            f.time = text;
            std::snprintf(text, sizeof text, "%02d%02d%02d N%03d%02d%02d E", i % 90, i % 60, (i / 60) % 60,
                          (i * 13) % 180, i % 60, (i / 7) % 60);
            f.position = text;
            s->AddMemoryRecord(kelp::test::MemoryReply(f));
        }
        return s;
    }();
    return *set;
}

void SelectEveryOtherRow(CDataSelectDlg& dlg) {
    QItemSelection selection;
    for (int row = 0; row < dlg.Model().rowCount(); row += 2) {
        selection.select(dlg.Model().index(row, 0),
                         dlg.Model().index(row, kelp::CDataSelectModel::ColumnCount - 1));
    }
    dlg.List()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

// Goal: under 100 ms from construction to a painted list of 10000 records.
void BM_OpenWith10000Records(benchmark::State& state) {
    CMeasDataSet source;
    source.CopyFrom(FullSet());
    CMeasDataSet target;
    for (auto _ : state) {
        CDataSelectDlg dlg;
        dlg.SetDataSets(&source, &target);
        dlg.show();
        dlg.List()->viewport()->repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dlg.Model().rowCount());
    }
    state.counters["rows"] = source.GetCount();
}
BENCHMARK(BM_OpenWith10000Records)->Unit(benchmark::kMillisecond);

// Goal: a column click under 50 ms, with 5000 selected rows carried over.
void BM_SortClickWith5000Selected(benchmark::State& state) {
    CMeasDataSet source;
    source.CopyFrom(FullSet());
    CMeasDataSet target;
    CDataSelectDlg dlg;
    dlg.SetDataSets(&source, &target);
    dlg.show();
    QApplication::processEvents();
    SelectEveryOtherRow(dlg);
    int column = 0;
    for (auto _ : state) {
        column = column % 4 + 1;  // site, latitude, longitude and time in turn
        dlg.OnColumnClick(column);
        dlg.List()->viewport()->repaint();
    }
    state.counters["selected"] = static_cast<double>(dlg.List()->selectionModel()->selectedRows().size());
}
BENCHMARK(BM_SortClickWith5000Selected)->Unit(benchmark::kMillisecond);

// Goal: deleting 5000 selected records of 10000 under 100 ms.
void BM_Delete5000Of10000(benchmark::State& state) {
    CMeasDataSet source;
    CMeasDataSet target;
    CDataSelectDlg dlg;
    dlg.SetDataSets(&source, &target);
    dlg.show();
    for (auto _ : state) {
        state.PauseTiming();
        source.CopyFrom(FullSet());
        dlg.SetDataSets(&source, &target);
        SelectEveryOtherRow(dlg);
        state.ResumeTiming();
        dlg.OnDeleteSelected();
        dlg.List()->viewport()->repaint();
    }
    state.counters["left"] = source.GetCount();
}
BENCHMARK(BM_Delete5000Of10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
