// The paths users wait on, timed whole, each beside a peer where one exists:
// the command line as separate processes (start-up included) against the
// Python script that does the same, pair by pair; the window's File > Open
// and Save with the real progress dialog and event loop; the depth graph
// adding files; the parser against Python's csv module. The peers run on
// Debian's /usr/bin/python3 with python3-pandas and python3-matplotlib
// (./run bench installs them); a missing one is named in the label and
// only our side is timed.
//
// Goals (ratios from the same run):
//   info of 10000 records          ratio <= 0.50 against Python csv reading the file
//   export of 10000 records        ratio <= 0.25 against pandas read + write
//   plot --depth of 20 x 500       ratio <= 0.50 against matplotlib drawing the same
//   File > Open, 10000 records     open_ms <= 100 (dialog's OK to the data painted)
//   File > Save, 10000 records     save_ms - sync_ms <= 60
//   depth graph adding 20 files    add_ms_max <= 30
//   plot --depth, 20 one-record files   peak_ratio near 1 against one file
//   the parser (10000 records)     ratio <= 0.10 against Python csv as a process
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/SettingsStore.h"
#include "bench/files/NullDialog.h"
#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "tests/ui_graphwin/CastData.h"
#include "ui/dialogs/ProgressDlg.h"
#include "ui/graphs/DepthGraphDlg.h"
#include "ui/main/MainDlg.h"
#include "ui/main/MessageBox.h"

extern char** environ;

namespace {

using namespace kelp;
using Clock = std::chrono::steady_clock;

constexpr const char* kPython = "/usr/bin/python3";
constexpr int kPairs = 11;
constexpr int kCasts = 20;
constexpr int kCastRecords = 500;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// One run of a program to its end, as a shell would start it: its wall
// time, its peak memory and what it printed on standard output.
struct Run {
    bool ok = false;
    double ms = 0.0;
    long peakKb = 0;
    std::string out;
};

Run Start(const std::vector<std::string>& args, const std::vector<std::string>& environment) {
    Run run;
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> argvText = args;
    std::vector<std::string> envText = environment;
    std::vector<char*> argv;
    std::vector<char*> envp;
    for (auto& a : argvText) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    for (auto& e : envText) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    const auto start = Clock::now();
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return run;
    }
    char buffer[4096];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) != 0;) {
        if (n > 0) {
            run.out.append(buffer, static_cast<std::size_t>(n));
        } else if (errno != EINTR) {
            break;
        }
    }
    ::close(out[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    run.ms = Ms(Clock::now() - start);
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.peakKb = usage.ru_maxrss;
    return run;
}

// The data files of every benchmark, written once into a folder of their
// own, and the environment the program runs in there.
class Files {
  public:
    static Files& Get() {
        static Files files;
        return files;
    }
    std::string Path(const std::string& name) const {
        return folder_.filePath(QString::fromStdString(name)).toStdString();
    }
    const std::string& Long() const { return long_; }
    const std::vector<std::string>& Casts() const { return casts_; }
    const std::vector<std::string>& Singles() const { return singles_; }
    // Ours: no display, a home of its own, the C locale's language (English).
    const std::vector<std::string>& Environment() const { return environment_; }

  private:
    Files() {
        CMeasDataSet all;
        std::vector<CMeasDataSet> casts(kCasts);
        for (int c = 0; c < kCasts; ++c) {
            testing::FillCast(casts[static_cast<std::size_t>(c)], 38.0 + c * 0.1, kCastRecords, 0.1 * c);
            for (int r = 0; r < kCastRecords; ++r) {
                all.AppendRecordFrom(casts[static_cast<std::size_t>(c)], r);
            }
            char name[32];
            std::snprintf(name, sizeof name, "cast%02d.csv", c + 1);
            casts_.push_back(Write(name, casts[static_cast<std::size_t>(c)]));
            CMeasDataSet single;
            single.AppendRecordFrom(casts[static_cast<std::size_t>(c)], kCastRecords / 2);
            std::snprintf(name, sizeof name, "one%02d.csv", c + 1);
            singles_.push_back(Write(name, single));
        }
        long_ = Write("long.csv", all);
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string entry = *e;
            const std::string name = entry.substr(0, entry.find('='));
            if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM" &&
                name != "LANG" && name != "LANGUAGE" && name.rfind("LC_", 0) != 0 && name != "HOME" &&
                name != "XDG_CONFIG_HOME") {
                environment_.push_back(entry);
            }
        }
        environment_.push_back("LANG=C.UTF-8");
        environment_.push_back("HOME=" + folder_.path().toStdString());
        environment_.push_back("XDG_CONFIG_HOME=" + folder_.path().toStdString() + "/config");
    }

    // The bytes a save writes.
    std::string Write(const std::string& name, CMeasDataSet& data) const {
        const std::string path = Path(name);
        std::ofstream out(path, std::ios::binary);
        out << data.FormatHeaderLines();
        for (int r = 0; r < data.GetCount(); ++r) {
            out << data.FormatRecordLine(r);
        }
        return path;
    }

    QTemporaryDir folder_;
    std::string long_;
    std::vector<std::string> casts_;
    std::vector<std::string> singles_;
    std::vector<std::string> environment_;
};

std::string Collector() {
    return std::string(KELP_BINARY_DIR) + "/bin/kelp-collector";
}

// The peers run in this process's own environment.
std::vector<std::string> PeerEnvironment() {
    std::vector<std::string> environment;
    for (char** e = environ; *e != nullptr; ++e) {
        environment.emplace_back(*e);
    }
    return environment;
}

// Whether Debian's Python has the modules a peer needs.
bool HasPython(const std::string& modules) {
    return Start({kPython, "-c", "import " + modules}, PeerEnvironment()).ok;
}

// Our command against the peer's, A B A B ..., kPairs pairs: the medians
// of each and of the pair-by-pair ratios. Without the peer, ours alone.
void TimeAgainstPeer(benchmark::State& state, const std::vector<std::string>& ours,
                     const std::vector<std::string>& peer, const std::string& modules) {
    const bool withPeer = HasPython(modules);
    const std::vector<std::string> peerEnvironment = PeerEnvironment();
    for (auto _ : state) {
        std::vector<double> a, b, ratio;
        // One of each first, not counted: the files and programs come into
        // the page cache.
        Start(ours, Files::Get().Environment());
        if (withPeer) {
            Start(peer, peerEnvironment);
        }
        for (int i = 0; i < kPairs; ++i) {
            const Run mine = Start(ours, Files::Get().Environment());
            if (!mine.ok) {
                state.SkipWithError("kelp-collector failed");
                return;
            }
            a.push_back(mine.ms);
            if (withPeer) {
                const Run theirs = Start(peer, peerEnvironment);
                if (!theirs.ok) {
                    state.SkipWithError("the peer failed");
                    return;
                }
                b.push_back(theirs.ms);
                ratio.push_back(mine.ms / theirs.ms);
            }
        }
        state.SetIterationTime(Median(a) / 1000.0);
        state.counters["ms"] = Median(a);
        if (withPeer) {
            state.counters["peer_ms"] = Median(b);
            state.counters["ratio"] = Median(ratio);
        }
    }
    if (!withPeer) {
        state.SetLabel("peer skipped: " + modules + " missing in " + kPython + " (./run bench installs it)");
    }
}

void BM_InfoAgainstPythonCsv(benchmark::State& state) {
    const std::string& file = Files::Get().Long();
    TimeAgainstPeer(state, {Collector(), "info", file},
                    {kPython, std::string(KELP_PEERS_DIR) + "/csv_read.py", file}, "csv");
}
BENCHMARK(BM_InfoAgainstPythonCsv)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ExportAgainstPandas(benchmark::State& state) {
    const std::string& file = Files::Get().Long();
    TimeAgainstPeer(
        state, {Collector(), "export", file, "-o", Files::Get().Path("tidy.csv")},
        {kPython, std::string(KELP_PEERS_DIR) + "/pandas_export.py", file, Files::Get().Path("pandas.csv")},
        "pandas");
}
BENCHMARK(BM_ExportAgainstPandas)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_PlotDepthAgainstMatplotlib(benchmark::State& state) {
    std::vector<std::string> ours{Collector(), "plot", "--depth", "temp"};
    std::vector<std::string> peer{kPython, std::string(KELP_PEERS_DIR) + "/matplotlib_depth.py",
                                  Files::Get().Path("matplotlib.png")};
    for (const std::string& cast : Files::Get().Casts()) {
        ours.push_back(cast);
        peer.push_back(cast);
    }
    ours.insert(ours.end(), {"-o", Files::Get().Path("depth.png")});
    TimeAgainstPeer(state, ours, peer, "matplotlib, numpy");
}
BENCHMARK(BM_PlotDepthAgainstMatplotlib)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// Peak memory of the depth plot of 20 one-record files against one: the
// data sets hold what they hold, not a full set's storage each.
void BM_PlotDepthMemoryOfSmallFiles(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<std::string> one{Collector(),
                                     "plot",
                                     "--depth",
                                     "temp",
                                     Files::Get().Singles().front(),
                                     "-o",
                                     Files::Get().Path("one.png")};
        std::vector<std::string> twenty{Collector(), "plot", "--depth", "temp"};
        twenty.insert(twenty.end(), Files::Get().Singles().begin(), Files::Get().Singles().end());
        twenty.insert(twenty.end(), {"-o", Files::Get().Path("twenty.png")});
        const Run a = Start(one, Files::Get().Environment());
        const Run b = Start(twenty, Files::Get().Environment());
        if (!a.ok || !b.ok) {
            state.SkipWithError("kelp-collector failed");
            return;
        }
        state.SetIterationTime(b.ms / 1000.0);
        state.counters["peak_kb_1"] = static_cast<double>(a.peakKb);
        state.counters["peak_kb_20"] = static_cast<double>(b.peakKb);
        state.counters["peak_ratio"] = static_cast<double>(b.peakKb) / static_cast<double>(a.peakKb);
    }
}
BENCHMARK(BM_PlotDepthMemoryOfSmallFiles)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// The parser: a load of 10000 records in this process, as the inner-loop
// benchmark of bench_files times it (a dialog that costs nothing), against
// Python's csv module reading the same file as a whole process, as a
// script would; and, for the figure beside it, timed inside Python.
void BM_ParserAgainstPythonCsv(benchmark::State& state) {
    const std::string& file = Files::Get().Long();
    const bool withPeer = HasPython("csv");
    const std::vector<std::string> peerEnvironment = PeerEnvironment();
    const std::vector<std::string> peer{kPython, std::string(KELP_PEERS_DIR) + "/csv_read.py", file};
    CMeasDataSet data;
    for (auto _ : state) {
        std::vector<double> ours, process, ratio;
        for (int i = 0; i < kPairs; ++i) {
            data.Clear();
            NullDialog dialog;
            const auto start = Clock::now();
            if (LoadDataFile(file, data, dialog) != FILEJOB_OK || data.GetCount() != kMeasCapacity) {
                state.SkipWithError("the load failed");
                return;
            }
            ours.push_back(Ms(Clock::now() - start));
            if (withPeer) {
                process.push_back(Start(peer, peerEnvironment).ms);
                ratio.push_back(ours.back() / process.back());
            }
        }
        state.SetIterationTime(Median(ours) / 1000.0);
        state.counters["ms"] = Median(ours);
        if (withPeer) {
            std::vector<std::string> timed = peer;
            timed.insert(timed.begin() + 2, "--time");
            const double inside = std::atof(Start(timed, peerEnvironment).out.c_str());
            state.counters["peer_ms"] = Median(process);
            state.counters["ratio"] = Median(ratio);
            state.counters["peer_parse_ms"] = inside;
            state.counters["parse_ratio"] = Median(ours) / inside;
        }
    }
    if (!withPeer) {
        state.SetLabel(std::string("peer skipped: no ") + kPython);
    }
}
BENCHMARK(BM_ParserAgainstPythonCsv)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// A main window of its own, settings in a folder of their own.
struct Window {
    Window()
        : settings(folder.filePath(QStringLiteral("Kelp-Win.ini")).toStdString()),
          dlg(settings, "/nowhere/kelp-collector") {
        dlg.show();
        QApplication::processEvents();
    }
    QAction* Action(int id) { return dlg.findChild<QAction*>(QString::number(id)); }
    QTemporaryDir folder;
    CSettingsStore settings;
    CMainDlg dlg;
};

// File > Open of 10000 records: from the file dialog's OK (the answer of
// the responder) through the progress dialog to the panes painted.
void BM_OpenInMainWindow(benchmark::State& state) {
    Window window;
    const std::string file = Files::Get().Long();
    SetOpenFileResponder([file](QWidget*) { return file; });
    std::vector<double> times;
    for (auto _ : state) {
        const auto start = Clock::now();
        window.Action(ID_FILE_OPEN)->trigger();
        QApplication::processEvents();
        const double ms = Ms(Clock::now() - start);
        if (window.dlg.LiveData().GetCount() != kMeasCapacity) {
            state.SkipWithError("the file did not load");
            break;
        }
        times.push_back(ms);
        state.SetIterationTime(ms / 1000.0);
    }
    SetOpenFileResponder({});
    state.counters["open_ms"] = Median(times);
}
BENCHMARK(BM_OpenInMainWindow)->Iterations(11)->UseManualTime()->Unit(benchmark::kMillisecond);

// File > Save of 10000 records, beside the disk's own share: the same bytes
// written and synced to a file without the program.
void BM_SaveInMainWindow(benchmark::State& state) {
    Window window;
    SetOpenFileResponder([](QWidget*) { return Files::Get().Long(); });
    window.Action(ID_FILE_OPEN)->trigger();
    SetOpenFileResponder({});
    const std::string target = Files::Get().Path("saved.csv");
    SetSaveFileResponder([target](QWidget*) { return target; });
    std::string bytes;
    {
        std::ifstream in(Files::Get().Long(), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<double> saves, syncs;
    for (auto _ : state) {
        const auto start = Clock::now();
        window.Action(ID_FILE_SAVE)->trigger();
        QApplication::processEvents();
        const double ms = Ms(Clock::now() - start);
        saves.push_back(ms);
        state.SetIterationTime(ms / 1000.0);

        const auto syncStart = Clock::now();
        const int fd =
            ::open(Files::Get().Path("plain.csv").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const bool written = fd >= 0 &&
                             ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
                             ::fsync(fd) == 0;
        if (fd >= 0) {
            ::close(fd);
        }
        if (!written) {
            state.SkipWithError("the plain write failed");
            break;
        }
        syncs.push_back(Ms(Clock::now() - syncStart));
    }
    SetSaveFileResponder({});
    state.counters["save_ms"] = Median(saves);
    state.counters["sync_ms"] = Median(syncs);
    state.counters["save_less_sync_ms"] = Median(saves) - Median(syncs);
}
BENCHMARK(BM_SaveInMainWindow)->Iterations(11)->UseManualTime()->Unit(benchmark::kMillisecond);

// The depth graph adding 20 files of 500 records one by one, each through
// Add's file dialog answer, the progress dialog and the repaint.
void BM_DepthGraphAddsFiles(benchmark::State& state) {
    std::vector<double> adds;
    for (auto _ : state) {
        CDepthGraphDlg dlg;
        dlg.show();
        QApplication::processEvents();
        std::size_t next = 0;
        SetOpenFileResponder([&next](QWidget*) { return Files::Get().Casts()[next]; });
        double total = 0.0;
        for (next = 0; next < Files::Get().Casts().size(); ++next) {
            const auto start = Clock::now();
            dlg.OnAddFile();
            QApplication::processEvents();
            adds.push_back(Ms(Clock::now() - start));
            total += adds.back();
        }
        SetOpenFileResponder({});
        state.SetIterationTime(total / 1000.0);
    }
    state.counters["add_ms_median"] = Median(adds);
    state.counters["add_ms_max"] = adds.empty() ? 0.0 : *std::max_element(adds.begin(), adds.end());
}
BENCHMARK(BM_DepthGraphAddsFiles)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetMessageResponder([](QWidget*, int, int) { return IDOK; });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
