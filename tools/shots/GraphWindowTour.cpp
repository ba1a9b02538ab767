#include "tools/shots/GraphWindowTour.h"

#include <QComboBox>
#include <memory>
#include <vector>

#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "ui/dialogs/ProgressDlg.h"
#include "ui/graphs/AxisSettingsDlg.h"
#include "ui/graphs/DepthGraphDlg.h"
#include "ui/graphs/XYGraphDlg.h"
#include "ui/main/MessageBox.h"

namespace kelp {

namespace {

// The records of `data` split into casts: a new cast starts where the probe
// is back near the surface after having been deeper than 5 m.
std::vector<std::unique_ptr<CMeasDataSet>> SplitCasts(const CMeasDataSet& data) {
    std::vector<std::unique_ptr<CMeasDataSet>> casts;
    const int slot = data.FindSlot(kDepthElement);
    if (slot < 0) {
        return casts;
    }
    bool deep = false;
    for (int r = 0; r < data.GetCount(); ++r) {
        const double depth = data.GetValue(slot, r);
        if (casts.empty() || (deep && depth < 1.0)) {
            casts.push_back(std::make_unique<CMeasDataSet>());
            deep = false;
        }
        deep = deep || depth > 5.0;
        casts.back()->AppendRecordFrom(data, r);
    }
    return casts;
}

}  // namespace

void ShootGraphWindows(const CMeasDataSet& data, const std::string& folder, QWidget* parent,
                       const std::function<void(QWidget*, const QString&)>& shoot) {
    std::vector<std::string> files;
    for (const auto& cast : SplitCasts(data)) {
        if (cast->GetCount() < 3) {
            continue;
        }
        const std::string path = folder + "/cast" + std::to_string(files.size() + 1) + ".csv";
        CProgressDlg progress(parent);
        if (SaveDataFile(path, *cast, progress) == FILEJOB_OK) {
            files.push_back(path);
        }
    }

    {
        CDepthGraphDlg depth(parent);
        depth.SetInitialData(&data);
        depth.show();
        shoot(&depth, QStringLiteral("depth-graph-live"));
        for (const std::string& path : files) {
            SetOpenFileResponder([path](QWidget*) { return path; });
            depth.OnAddFile();
        }
        SetOpenFileResponder({});
        shoot(&depth, QStringLiteral("depth-graph-casts"));
        auto* component = depth.findChild<QComboBox*>(QString::number(IDC_DEPTH_COMPONENT));
        const int oxygen = component->findData(4);
        if (oxygen >= 0) {
            component->setCurrentIndex(oxygen);
            shoot(&depth, QStringLiteral("depth-graph-oxygen"));
        }
        depth.reject();
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
        // Leaving with Escape: the tour keeps no settings.
        xy.reject();
    }
}

}  // namespace kelp
