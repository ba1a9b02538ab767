// A whole capture run at interval 0 from kelp-sim into the main window:
// records stored per second, and the longest time the window thread spent
// on one event (the window must stay responsive while records pour in).
// The argument is the number of trend panes on show, each redrawing its
// whole curve as the records grow.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <chrono>
#include <fstream>
#include <functional>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/SettingsStore.h"
#include "resources/ResourceIds.h"
#include "tests/ui_main/WaitFor.h"
#include "ui/main/MainDlg.h"
#include "ui/main/MessageBox.h"

namespace {

using namespace kelp;
using test::WaitFor;

// Times every event the window thread dispatches at the outermost level.
class TimingApplication final : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        if (depth_++ > 0) {
            const bool handled = QApplication::notify(receiver, event);
            --depth_;
            return handled;
        }
        const auto start = std::chrono::steady_clock::now();
        const bool handled = QApplication::notify(receiver, event);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (ms > longestMs) {
            longestMs = ms;
        }
        --depth_;
        return handled;
    }

    double longestMs = 0.0;

  private:
    int depth_ = 0;
};

TimingApplication* g_app = nullptr;

void BM_CaptureIntoMainWindow(benchmark::State& state) {
    QTemporaryDir work;
    std::string tty = work.filePath(QStringLiteral("tty")).toStdString();
    std::string program = std::string(KELP_BINARY_DIR) + "/bin/kelp-sim";
    const pid_t sim = fork();
    if (sim == 0) {
        std::string link = "--link";
        char* argv[] = {program.data(), link.data(), tty.data(), nullptr};
        std::freopen("/dev/null", "w", stdout);
        execv(program.c_str(), argv);
        _exit(127);
    }
    if (!WaitFor([&] { return QFileInfo::exists(QString::fromStdString(tty)); }, 5000)) {
        state.SkipWithError("kelp-sim did not start");
        return;
    }
    const std::string ini = work.filePath(QStringLiteral("Kelp-Win.ini")).toStdString();
    std::ofstream(ini) << "[PortDevices]\nCOM3=" << tty << "\n[MeasureSettings]\nMeasCycle=0\n";
    CSettingsStore settings(ini);
    SetMessageResponder([](QWidget*, int, int) { return IDOK; });

    double seconds = 0.0;
    int records = 0;
    for (auto _ : state) {
        CMainDlg dlg(settings, "/nowhere/kelp-collector");
        dlg.show();
        dlg.SetPaneCount(static_cast<int>(state.range(0)), 0);
        WaitFor([] { return false; }, 100);
        g_app->longestMs = 0.0;
        const auto start = std::chrono::steady_clock::now();
        dlg.findChild<QPushButton*>(QString::number(IDC_CAPTURE))->click();
        // The run ends by itself after 10000 records.
        if (!WaitFor([&] { return dlg.GetState() == CMainDlg::Idle; }, 300000)) {
            state.SkipWithError("the capture did not end");
            break;
        }
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        records = dlg.LiveData().GetCount();
        state.SetIterationTime(seconds);
    }
    SetMessageResponder({});
    kill(sim, SIGTERM);
    waitpid(sim, nullptr, 0);
    state.counters["records"] = records;
    state.counters["records_per_second"] = seconds > 0 ? records / seconds : 0.0;
    state.counters["longest_event_ms"] = g_app->longestMs;
    state.counters["panes"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_CaptureIntoMainWindow)
    ->Arg(1)
    ->Arg(3)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TimingApplication app(argc, argv);
    g_app = &app;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
