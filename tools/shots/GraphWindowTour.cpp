#include "tools/shots/GraphWindowTour.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "link/DownloadRun.h"
#include "resources/ResourceIds.h"
#include "tests/ui_graphwin/CastData.h"
#include "ui/dialogs/ProgressDlg.h"
#include "ui/graphs/AxisSettingsDlg.h"
#include "ui/graphs/DepthGraphDlg.h"
#include "ui/graphs/XYGraphDlg.h"
#include "ui/main/MessageBox.h"
#include "ui/main/WindowTarget.h"

namespace kelp {

namespace {

// The records of `data` split into casts: the instrument logs a cast every
// few seconds, and the boat needs far longer to reach the next station, so a
// pause of more than ten minutes between two records starts a new cast.
std::vector<std::unique_ptr<CMeasDataSet>> SplitCasts(const CMeasDataSet& data) {
    std::vector<std::unique_ptr<CMeasDataSet>> casts;
    if (data.FindSlot(kDepthElement) < 0) {
        return casts;
    }
    constexpr double kPauseSeconds = 600.0;
    for (int r = 0; r < data.GetCount(); ++r) {
        if (casts.empty() || std::fabs(data.GetElapsed(r) - data.GetElapsed(r - 1)) > kPauseSeconds) {
            casts.push_back(std::make_unique<CMeasDataSet>());
        }
        casts.back()->AppendRecordFrom(data, r);
    }
    return casts;
}

}  // namespace

bool DownloadFromSimulator(const std::vector<std::string>& simulator, const std::string& folder,
                           QWidget* parent, CMeasDataSet& data) {
    const std::string link = folder + "/profiler-tty";
    const std::string program = std::string(KELP_BIN_DIR) + "/kelp-sim";
    std::vector<std::string> args{program, "--link", link};
    args.insert(args.end(), simulator.begin(), simulator.end());
    const pid_t sim = fork();
    if (sim == 0) {
        std::vector<char*> argv;
        for (auto& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        std::freopen("/dev/null", "w", stdout);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    if (sim < 0) {
        return false;
    }
    QElapsedTimer timer;
    timer.start();
    while (!QFileInfo::exists(QString::fromStdString(link)) && timer.elapsed() < 5000) {
        QThread::msleep(10);
    }
    bool ok = false;
    if (QFileInfo::exists(QString::fromStdString(link))) {
        CProgressDlg progress(parent);
        CWindowTarget target(&progress, [&data](const AppMessage& m) {
            if (m.message != WM_APP_DOWNLOAD) {
                return;
            }
            if (m.wParam == static_cast<std::uintptr_t>(RunEnd::RecordArrived)) {
                data.AddMemoryRecord(m.text);
            } else if (m.wParam == static_cast<std::uintptr_t>(RunEnd::Finished)) {
                reinterpret_cast<IProgressDialog*>(m.lParam)->Target().Post(
                    {WM_APP_PROGRESS, PROGRESS_FINISHED, 0, {}});
            }
        });
        PortSettings port;
        port.PortNo = 3;
        ok = RunDownload(target, progress, port, {{3, link}}) == RunEnd::Finished;
        QCoreApplication::processEvents();
        data.Reverse();
    }
    kill(sim, SIGTERM);
    waitpid(sim, nullptr, 0);
    return ok && data.GetCount() > 0;
}

namespace {

// Saves each cast of `data` with at least three records as a data file in
// `folder`; `keep` chooses the records of a cast that go into its file.
std::vector<std::string> SaveCasts(const CMeasDataSet& data, const std::string& folder,
                                   const std::string& stem, QWidget* parent,
                                   const std::function<bool(double depth)>& keep) {
    std::vector<std::string> files;
    const int slot = data.FindSlot(kDepthElement);
    for (const auto& cast : SplitCasts(data)) {
        CMeasDataSet part;
        for (int r = 0; r < cast->GetCount(); ++r) {
            if (keep(cast->GetValue(slot, r))) {
                part.AppendRecordFrom(*cast, r);
            }
        }
        if (part.GetCount() < 3) {
            continue;
        }
        const std::string path = folder + "/" + stem + std::to_string(files.size() + 1) + ".csv";
        CProgressDlg progress(parent);
        if (SaveDataFile(path, part, progress) == FILEJOB_OK) {
            files.push_back(path);
        }
    }
    return files;
}

// Adds every file through the window's add command, as a user would.
void AddFiles(CDepthGraphDlg& depth, const std::vector<std::string>& files) {
    for (const std::string& path : files) {
        SetOpenFileResponder([path](QWidget*) { return path; });
        depth.OnAddFile();
    }
    SetOpenFileResponder({});
}

void SelectComponent(CDepthGraphDlg& depth, int element) {
    auto* component = depth.findChild<QComboBox*>(QString::number(IDC_DEPTH_COMPONENT));
    component->setCurrentIndex(component->findData(element));
}

}  // namespace

void ShootGraphWindows(const CMeasDataSet& data, const std::string& folder, QWidget* parent,
                       const std::function<void(QWidget*, const QString&)>& shoot) {
    const std::vector<std::string> files =
        SaveCasts(data, folder, "cast", parent, [](double) { return true; });
    {
        // The simulator's casts reach 40 m: rows of 10 m.
        CDepthGraphDlg depth(parent);
        depth.SetInitialData(&data);
        depth.show();
        shoot(&depth, QStringLiteral("depth-graph-live"));
        AddFiles(depth, files);
        shoot(&depth, QStringLiteral("depth-graph-casts"));
        depth.reject();
    }
    {
        // A 40 m cast beside a 12 m cast: rows of 2 m, the deep cast down to
        // row 20.
        CMeasDataSet deep;
        testing::FillCast(deep, 40.0, 160);
        deep.SetName(folder + "/deep-40m.csv");
        CMeasDataSet shallow;
        testing::FillCast(shallow, 12.0, 48, 1.5);
        shallow.SetName(folder + "/shallow-12m.csv");
        CDepthGraphDlg depth(parent);
        depth.show();
        depth.AddSeries(deep);
        depth.AddSeries(shallow);
        shoot(&depth, QStringLiteral("depth-graph-40m-beside-12m"));
        depth.reject();
    }
    // A day of dense profiling (a record every few decimetres of the
    // probe's travel); each station's file keeps the upper 30 m of its cast,
    // so that the rows are 1 m deep and every half-cell holds records.
    CMeasDataSet profiler;
    std::vector<std::string> stations;
    if (DownloadFromSimulator({"--records", "2400", "--casts", "6", "--seed", "11"}, folder, parent,
                              profiler)) {
        stations = SaveCasts(profiler, folder, "station", parent, [](double depth) { return depth <= 30.0; });
        CDepthGraphDlg depth(parent);
        depth.show();
        AddFiles(depth, stations);
        shoot(&depth, QStringLiteral("depth-graph-stations"));
        SelectComponent(depth, 4);  // dissolved oxygen
        shoot(&depth, QStringLiteral("depth-graph-oxygen"));
        // The probe reports metres: in feet no record is used and the cells
        // stay white, the legend empty.
        depth.findChild<QComboBox*>(QString::number(IDC_DEPTH_UNIT))->setCurrentIndex(1);
        shoot(&depth, QStringLiteral("depth-graph-feet-no-records"));
        depth.reject();
    } else {
        std::fprintf(stderr, "kelp-shots: the profiling download failed\n");
    }
    {
        CXYGraphDlg xy(nullptr, parent);
        xy.SetSourceData(data);
        xy.show();
        shoot(&xy, QStringLiteral("xy-graph"));
        auto* x = xy.findChild<QComboBox*>(QString::number(IDC_XY_COMPONENT));
        const int slot = data.FindSlot(kDepthElement);
        if (slot >= 0 && x->findData(slot) >= 0) {
            x->setCurrentIndex(x->findData(slot));
            shoot(&xy, QStringLiteral("xy-graph-against-depth"));
        }
        xy.OnGraphSettings();
        if (xy.AxisSettings() != nullptr) {
            shoot(xy.AxisSettings(), QStringLiteral("axis-settings"));
        }
        if (!stations.empty()) {
            // One station's file replaces the data; the X slot starts over.
            SetOpenFileResponder([path = stations.front()](QWidget*) { return path; });
            xy.OnOpenFile();
            SetOpenFileResponder({});
            const int depthSlot = xy.Data().FindSlot(kDepthElement);
            x->setCurrentIndex(x->findData(depthSlot));
            shoot(&xy, QStringLiteral("xy-graph-station"));
        }
        // Leaving with Escape: the tour keeps no settings.
        xy.reject();
    }
}

}  // namespace kelp
