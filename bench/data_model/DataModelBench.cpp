#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "data/MeasDataSet.h"
#include "tests/data_model/ReplyBuilder.h"

namespace kelp {
namespace {

// 10000 live replies with varied sites, times, depths and values, as a long
// capture would deliver them.
const std::vector<std::string>& Replies() {
    static const std::vector<std::string> replies = [] {
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> d(0, 9999);
        std::vector<std::string> out;
        out.reserve(kMeasCapacity);
        for (int i = 0; i < kMeasCapacity; ++i) {
            test::ReplyFields f;
            char text[64];
            std::snprintf(text, sizeof text, "\x8a\x43\x8a\xdd %-15d", d(rng) % 50);
            f.site = std::string(text).substr(0, 20);
            std::snprintf(text, sizeof text, "24%02d%02d%02d%02d%02d", 1 + d(rng) % 12, 1 + d(rng) % 28,
                          d(rng) % 24, d(rng) % 60, d(rng) % 60);
            f.time = text;
            std::snprintf(text, sizeof text, "%02d%02d%02d N%03d%02d%02d E", d(rng) % 90, d(rng) % 60,
                          d(rng) % 60, d(rng) % 180, d(rng) % 60, d(rng) % 60);
            f.position = text;
            for (int b = 0; b < 11; ++b) {
                std::snprintf(text, sizeof text, "%5.2f", d(rng) / 100.0);
                f.blocks[static_cast<std::size_t>(b)] = test::Block(kSlotElements[b], '1', '0', text, '0');
            }
            out.push_back(test::LiveReply(f));
        }
        return out;
    }();
    return replies;
}

std::unique_ptr<CMeasDataSet> FullSet() {
    auto set = std::make_unique<CMeasDataSet>();
    for (const auto& reply : Replies()) {
        set->AddLiveRecord(reply);
    }
    return set;
}

void BM_DecodeAndAppend10000LiveReplies(benchmark::State& state) {
    const auto& replies = Replies();
    CMeasDataSet set;
    for (auto _ : state) {
        set.Clear();
        for (const auto& reply : replies) {
            set.AddLiveRecord(reply);
        }
        benchmark::DoNotOptimize(set.GetCount());
    }
}
BENCHMARK(BM_DecodeAndAppend10000LiveReplies)->Unit(benchmark::kMillisecond);

void BM_Reverse10000(benchmark::State& state) {
    auto set = FullSet();
    for (auto _ : state) {
        set->Reverse();
        benchmark::DoNotOptimize(set->GetElapsed(0));
    }
}
BENCHMARK(BM_Reverse10000)->Unit(benchmark::kMillisecond);

void BM_Delete5000MarkedOf10000(benchmark::State& state) {
    const auto source = FullSet();
    CMeasDataSet set;
    std::vector<int> marked;
    for (int i = 0; i < kMeasCapacity; i += 2) {
        marked.push_back(i);
    }
    for (auto _ : state) {
        state.PauseTiming();
        set.CopyFrom(*source);
        state.ResumeTiming();
        set.DeleteRecords(marked);
        benchmark::DoNotOptimize(set.GetCount());
    }
}
BENCHMARK(BM_Delete5000MarkedOf10000)->Unit(benchmark::kMillisecond);

template <void (CMeasDataSet::*Sort)(int*) const>
void BM_Sort10000(benchmark::State& state) {
    const auto set = FullSet();
    std::vector<int> out(kMeasCapacity);
    for (auto _ : state) {
        (set.get()->*Sort)(out.data());
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK_TEMPLATE(BM_Sort10000, &CMeasDataSet::SortByElapsed)
    ->Name("BM_SortByElapsed10000")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Sort10000, &CMeasDataSet::SortBySite)
    ->Name("BM_SortBySite10000")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Sort10000, &CMeasDataSet::SortByLatitude)
    ->Name("BM_SortByLatitude10000")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Sort10000, &CMeasDataSet::SortByLongitude)
    ->Name("BM_SortByLongitude10000")
    ->Unit(benchmark::kMillisecond);

void BM_DepthProfile10000(benchmark::State& state) {
    const auto set = FullSet();
    constexpr int kBins = 100;
    std::vector<double> sums(kBins);
    std::vector<int> counts(kBins);
    for (auto _ : state) {
        double lo = 0;
        double hi = 0;
        int decimals = 0;
        const int used =
            set->GetDepthProfile(1.0, 0, 4, 0, sums.data(), counts.data(), kBins, lo, hi, decimals);
        benchmark::DoNotOptimize(used);
    }
}
BENCHMARK(BM_DepthProfile10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kelp

BENCHMARK_MAIN();
