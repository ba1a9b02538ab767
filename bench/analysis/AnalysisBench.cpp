// The finder of stations and casts on a full data set.
#include <benchmark/benchmark.h>

#include "analysis/CastFinder.h"
#include "analysis/DepthBins.h"
#include "data/MeasDataSet.h"
#include "tools/sim/RecordGenerator.h"

namespace kelp {
namespace {

// A simulated field day of 10000 records, downloaded as the program does.
CMeasDataSet* Download(sim::Sea sea) {
    auto* data = new CMeasDataSet;
    const sim::CRecordGenerator generator(23, kMeasCapacity, 1, false, true, sea);
    for (int i = 0; i < generator.Records(); ++i) {
        data->AddMemoryRecord(generator.MemoryRecord(i, false));
    }
    data->Reverse();
    return data;
}

const CMeasDataSet& FieldDay() {
    static const CMeasDataSet* day = Download(sim::Sea::Calm);
    return *day;
}

// Slow casts and a swell: longer descents, and the corner of each is
// fitted over more records.
const CMeasDataSet& RoughDay() {
    static const CMeasDataSet* day = Download(sim::Sea::Rough);
    return *day;
}

// FindCasts over the 10000 records of a field day, as the data selection
// and the casts command run it after a download. Goal: <= 2 ms.
void BM_FindCastsOfADay(benchmark::State& state) {
    const CMeasDataSet& data = state.range(0) != 0 ? RoughDay() : FieldDay();
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
BENCHMARK(BM_FindCastsOfADay)->ArgName("rough")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
