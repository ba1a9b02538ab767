// The command line as a user runs it: the real kelp-collector against
// kelp-sim, timed and measured from outside.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>

#include "data/MeasDataSet.h"
#include "tests/cli/CliProcess.h"
#include "tests/link_support/LineRate.h"
#include "tests/link_support/SimProcess.h"
#include "tests/settings/TempDir.h"
#include "tools/sim/RecordGenerator.h"

namespace kelp {
namespace {

using Clock = std::chrono::steady_clock;

// `kelp-collector download` of the simulator's 300 records over an
// emulated 19200 bit/s line, from the start of the process to its end
// (saving the file included), against the least time the line allows:
// every byte of every command and reply at 10 bits a byte.
// Goal: ratio <= 1.02.
void BM_CommandLineDownloadAgainstLineRate(benchmark::State& state) {
    constexpr int kBaud = 19200;
    constexpr int kRecords = 300;
    for (auto _ : state) {
        test::CSimProcess sim({"--records", std::to_string(kRecords), "--baud", std::to_string(kBaud)});
        test::TempDir scratch;
        if (!sim.Ok() || scratch.Path().empty()) {
            state.SkipWithError("kelp-sim did not start");
            return;
        }
        const auto start = Clock::now();
        test::CCliProcess cli({"download", "--port", sim.Path(), "-o", scratch.Path() + "/memory.csv"},
                              scratch.Path());
        const int status = cli.Wait();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (status != 0) {
            state.SkipWithError(("the download failed: " + cli.err).c_str());
            return;
        }
        const double bound = test::DownloadLineSeconds(kRecords, kBaud);
        state.SetIterationTime(seconds);
        state.counters["bound_s"] = bound;
        state.counters["ratio"] = seconds / bound;
    }
}
BENCHMARK(BM_CommandLineDownloadAgainstLineRate)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// Peak memory of `kelp-collector capture --interval 0` from kelp-sim:
// 100000 records (ten files) against 10000 (one file).
// Goal: peak_ratio <= 1.10, that is, memory stays flat however long it runs.
void BM_CaptureMemoryStaysFlat(benchmark::State& state) {
    for (auto _ : state) {
        test::CSimProcess sim({});
        if (!sim.Ok()) {
            state.SkipWithError("kelp-sim did not start");
            return;
        }
        long peak[2] = {0, 0};
        const int counts[2] = {10000, 100000};
        for (int i = 0; i < 2; ++i) {
            test::TempDir scratch;
            test::CCliProcess cli({"capture", "--port", sim.Path(), "--interval", "0", "--count",
                                   std::to_string(counts[i]), "-o", scratch.Path() + "/station.csv"},
                                  scratch.Path());
            const auto start = Clock::now();
            if (cli.Wait(600000) != 0) {
                state.SkipWithError(("the capture failed: " + cli.err).c_str());
                return;
            }
            peak[i] = cli.PeakKilobytes();
            state.counters["records_per_s_" + std::to_string(counts[i])] =
                counts[i] / std::chrono::duration<double>(Clock::now() - start).count();
        }
        state.counters["peak_kb_10000"] = static_cast<double>(peak[0]);
        state.counters["peak_kb_100000"] = static_cast<double>(peak[1]);
        state.counters["peak_ratio"] = static_cast<double>(peak[1]) / static_cast<double>(peak[0]);
    }
}
BENCHMARK(BM_CaptureMemoryStaysFlat)->Iterations(1)->Unit(benchmark::kSecond);

// Writes a simulated field day of 10000 records to `path` as a downloaded
// data file.
bool WriteFieldDay(const std::string& path) {
    CMeasDataSet data;
    const sim::CRecordGenerator generator(23, kMeasCapacity, 1, false, true);
    for (int i = 0; i < generator.Records(); ++i) {
        data.AddMemoryRecord(generator.MemoryRecord(i, false));
    }
    data.Reverse();
    std::ofstream out(path, std::ios::binary);
    out << data.FormatHeaderLines();
    for (int r = 0; r < data.GetCount(); ++r) {
        out << data.FormatRecordLine(r);
    }
    return static_cast<bool>(out.flush());
}

// `kelp-collector split` of a field day of 10000 records into one data file
// per cast, from the start of the process to its end, every file on the
// disk.
void BM_SplitADayOf10000Records(benchmark::State& state) {
    test::TempDir scratch;
    const std::string day = scratch.Path() + "/day.csv";
    if (scratch.Path().empty() || !WriteFieldDay(day)) {
        state.SkipWithError("the day could not be written");
        return;
    }
    int run = 0;
    for (auto _ : state) {
        const std::string folder = scratch.Path() + "/casts-" + std::to_string(run++);
        ::mkdir(folder.c_str(), 0700);
        const auto start = Clock::now();
        test::CCliProcess cli({"split", day, "-o", folder}, scratch.Path());
        const int status = cli.Wait();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (status != 0) {
            state.SkipWithError(("the split failed: " + cli.err).c_str());
            return;
        }
        state.SetIterationTime(seconds);
        state.counters["files"] = static_cast<double>(std::count(cli.out.begin(), cli.out.end(), '\n'));
    }
}
BENCHMARK(BM_SplitADayOf10000Records)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelp

BENCHMARK_MAIN();
