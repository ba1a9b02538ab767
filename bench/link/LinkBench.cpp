// Throughput of the instrument link against kelp-sim.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "link/CaptureRun.h"
#include "link/DownloadRun.h"
#include "tests/link_support/LineRate.h"
#include "tests/link_support/MessageLoop.h"
#include "tests/link_support/SimProcess.h"

namespace kelp {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBaud = 19200;
constexpr int kTurnaroundMs = 5;
constexpr int kRecords = 300;

// Seconds of a download of `records` records over the emulated line with
// `faults` added to kelp-sim's arguments; a negative value when it did not
// bring every record.
double TimedDownload(int records, const std::vector<std::string>& faults) {
    std::vector<std::string> args{"--records",    std::to_string(records),
                                  "--baud",       std::to_string(kBaud),
                                  "--turnaround", std::to_string(kTurnaroundMs)};
    args.insert(args.end(), faults.begin(), faults.end());
    test::CSimProcess sim(args);
    if (!sim.Ok()) {
        return -1;
    }
    test::CMessageLoop loop;
    test::CLoopTarget mainWindow(loop, test::CMessageLoop::To::MainWindow);
    test::CFakeProgressDialog dialog(loop);
    const auto start = Clock::now();
    const RunEnd end = RunDownload(mainWindow, dialog, PortSettings{}, PortDeviceMap{{3, sim.Path()}});
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    int received = 0;
    for (const auto& m : dialog.mainWindow) {
        received += m.message == WM_APP_DOWNLOAD && m.wParam == 4 ? 1 : 0;
    }
    return end == RunEnd::Finished && received == records ? seconds : -1;
}

// A download of 300 records over an emulated 19200 bit/s line, against the
// least time the line allows: every byte of every command and reply at 10
// bits a byte, plus the simulator's turnaround per reply. Goal: ratio <= 1.05.
void BM_DownloadAgainstLineRate(benchmark::State& state) {
    for (auto _ : state) {
        const double seconds = TimedDownload(kRecords, {});
        if (seconds < 0) {
            state.SkipWithError("the download did not bring every record");
            return;
        }
        const double bound =
            test::DownloadLineSeconds(kRecords, kBaud) + (kRecords + 1) * kTurnaroundMs / 1000.0;
        state.SetIterationTime(seconds);
        state.counters["bound_s"] = bound;
        state.counters["ratio"] = seconds / bound;
    }
}
BENCHMARK(BM_DownloadAgainstLineRate)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// A download of 100 records with one reply 1.8 s late (at request 50),
// against the same download without it: what bringing the walk back in
// step costs beyond the delay itself. Goal: beyond_delay_s under 0.5.
void BM_DownloadWithALateReply(benchmark::State& state) {
    constexpr int kLateRecords = 100;
    constexpr int kLateMs = 1800;
    for (auto _ : state) {
        const double clean = TimedDownload(kLateRecords, {});
        const double late =
            TimedDownload(kLateRecords, {"--fault", "late=50+1", "--late", std::to_string(kLateMs)});
        if (clean < 0 || late < 0) {
            state.SkipWithError("a download did not bring every record");
            return;
        }
        state.SetIterationTime(late);
        state.counters["clean_s"] = clean;
        state.counters["beyond_delay_s"] = late - clean - kLateMs / 1000.0;
    }
}
BENCHMARK(BM_DownloadWithALateReply)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// Back-to-back capture from kelp-sim without line emulation. Goal: at least
// 2000 records a second.
void BM_CaptureIntervalZero(benchmark::State& state) {
    constexpr std::size_t kCount = 5000;
    for (auto _ : state) {
        test::CSimProcess sim({});
        if (!sim.Ok()) {
            state.SkipWithError("kelp-sim did not start");
            return;
        }
        test::CRecordingTarget window;
        CEvent stop;
        auto thread = StartCapture(window, stop, PortSettings{}, PortDeviceMap{{3, sim.Path()}}, 0);
        window.WaitUntil([](const auto& l) { return l.size() >= 1; }, 5000);
        window.WaitUntil([](const auto& l) { return l.size() >= kCount + 1; }, 60000);
        stop.Set();
        thread.join();
        const auto list = window.Snapshot();
        if (list.size() < kCount + 1 || list[0].message.wParam != 4) {
            state.SkipWithError("the capture ended early");
            return;
        }
        // From the first record to the last of kCount more: no open or close in it.
        const double seconds = std::chrono::duration<double>(list[kCount].at - list[0].at).count();
        state.SetIterationTime(seconds);
        state.counters["records_per_s"] = kCount / seconds;
    }
}
BENCHMARK(BM_CaptureIntervalZero)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelp

BENCHMARK_MAIN();
