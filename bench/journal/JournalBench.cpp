// What the journal costs the window thread per record, and how long the
// start-up recovery of a full capture takes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "data/CaptureJournal.h"
#include "data/MeasDataSet.h"
#include "tests/data_model/ReplyBuilder.h"
#include "tests/settings/FileSizeLimit.h"

namespace {

using kelp::CCaptureJournal;
using kelp::CMeasDataSet;

std::string Folder() {
    char name[] = "/tmp/kelp-journal-bench-XXXXXX";
    return ::mkdtemp(name);
}

void Fill(CMeasDataSet& data, int count) {
    const std::string reply = kelp::test::LiveReply();
    for (int i = 0; i < count; ++i) {
        data.AddLiveRecord(reply);
    }
}

// A capture's journal as it stands after its first record.
void StartWithFirst(CCaptureJournal& journal, CMeasDataSet& data) {
    CMeasDataSet empty;
    journal.Start(empty);
    journal.Append(data, 0);
}

// One record line formatted and handed to the system (no sync: that runs on
// the journal's own thread).
void BM_AppendRecord(benchmark::State& state) {
    const std::string folder = Folder();
    CMeasDataSet data;
    Fill(data, kelp::kMeasCapacity);
    CCaptureJournal journal(folder);
    StartWithFirst(journal, data);
    int record = 1;
    for (auto _ : state) {
        if (record == kelp::kMeasCapacity) {
            state.PauseTiming();
            StartWithFirst(journal, data);
            record = 1;
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(journal.Append(data, record++));
    }
    journal.Remove();
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_AppendRecord);

// What one sync of the journal costs on this disk: the price the journal's
// thread pays at most once a second, and what every record would pay if
// the window thread synced each line itself.
void BM_SyncAfterAppend(benchmark::State& state) {
    const std::string folder = Folder();
    CMeasDataSet data;
    Fill(data, kelp::kMeasCapacity);
    CCaptureJournal journal(folder);
    CMeasDataSet empty;
    journal.Start(empty);
    journal.Append(data, 0);
    int record = 1;
    const int fd = ::open(journal.Path().c_str(), O_WRONLY | O_CLOEXEC);
    for (auto _ : state) {
        if (record == kelp::kMeasCapacity) {
            state.PauseTiming();
            journal.Start(empty);
            journal.Append(data, 0);
            record = 1;
            state.ResumeTiming();
        }
        journal.Append(data, record++);
        benchmark::DoNotOptimize(::fsync(fd));
    }
    ::close(fd);
    journal.Remove();
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SyncAfterAppend)->Unit(benchmark::kMicrosecond);

// One record while the disk is full (a file size limit stands in), with
// range(0) records already left out before it. Goal: the same cost however
// long the disk has been full, so that a capture at interval 0 keeps up.
void BM_AppendWhileDiskFull(benchmark::State& state) {
    const std::string folder = Folder();
    CMeasDataSet data;
    Fill(data, kelp::kMeasCapacity);
    CCaptureJournal journal(folder);
    StartWithFirst(journal, data);
    const kelp::test::FileSizeLimit full(static_cast<rlim_t>(std::filesystem::file_size(journal.Path())));
    const int missing = static_cast<int>(state.range(0));
    for (int r = 1; r <= missing; ++r) {
        journal.Append(data, r);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(journal.Append(data, missing + 1));
    }
    journal.Remove();
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_AppendWhileDiskFull)->Arg(0)->Arg(1000)->Arg(9000);

// A journal of 10000 records read back at start-up. Goal: well under a
// second, so the restore question is not kept waiting.
void BM_RecoverFullJournal(benchmark::State& state) {
    const std::string folder = Folder();
    {
        CMeasDataSet data;
        CMeasDataSet empty;
        Fill(data, kelp::kMeasCapacity);
        CCaptureJournal journal(folder);
        journal.Start(empty);
        for (int r = 0; r < kelp::kMeasCapacity; ++r) {
            journal.Append(data, r);
        }
        journal.Finish();
        state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(journal.Path()));
    }
    CMeasDataSet restored;
    for (auto _ : state) {
        CCaptureJournal journal(folder);
        benchmark::DoNotOptimize(journal.Recover(restored));
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_RecoverFullJournal)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
