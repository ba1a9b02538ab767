// The finder of stations and casts on a full data set.
#include <benchmark/benchmark.h>

#include "analysis/CastFinder.h"
#include "analysis/DepthBins.h"
#include "data/MeasDataSet.h"
#include "tools/sim/RecordGenerator.h"

namespace kelp {
namespace {

// A simulated field day of 10000 records, downloaded as the program does.
const CMeasDataSet& FieldDay() {
    static const CMeasDataSet* day = [] {
        auto* data = new CMeasDataSet;
        const sim::CRecordGenerator generator(23, kMeasCapacity, 1, false, true);
        for (int i = 0; i < generator.Records(); ++i) {
            data->AddMemoryRecord(generator.MemoryRecord(i, false));
        }
        data->Reverse();
        return data;
    }();
    return *day;
}

// FindCasts over the 10000 records of a field day, as the data selection
// and the casts command run it after a download. Goal: <= 2 ms.
void BM_FindCastsOfADay(benchmark::State& state) {
    const CMeasDataSet& data = FieldDay();
    std::size_t casts = 0;
    for (auto _ : state) {
        const CastList list = FindCasts(data);
        casts = list.casts.size();
        benchmark::DoNotOptimize(casts);
    }
    state.counters["records"] = data.GetCount();
    state.counters["casts"] = static_cast<double>(casts);
    state.counters["ms_goal"] = 2.0;
}
BENCHMARK(BM_FindCastsOfADay)->Unit(benchmark::kMillisecond);

// Every cast of the day averaged into 1 m bins over all 13 slots, as an
// export of depth bins does it.
void BM_BinEveryCastOfADay(benchmark::State& state) {
    const CMeasDataSet& data = FieldDay();
    const CastList list = FindCasts(data);
    std::vector<BinColumn> columns;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        columns.push_back({slot, 0});
    }
    for (auto _ : state) {
        std::size_t bins = 0;
        for (const Cast& cast : list.casts) {
            bins += BinByDepth(data, cast.records, 1.0, columns).size();
        }
        benchmark::DoNotOptimize(bins);
    }
}
BENCHMARK(BM_BinEveryCastOfADay)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelp

BENCHMARK_MAIN();
