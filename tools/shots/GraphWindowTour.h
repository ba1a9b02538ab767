#pragma once
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace kelp {

class CMeasDataSet;

// Downloads the memory of a simulator of its own, started with the options
// `simulator`, through the program's download run, as the main window
// does: records arrive newest first and are put in time order at the end.
bool DownloadFromSimulator(const std::vector<std::string>& simulator, const std::string& folder,
                           QWidget* parent, CMeasDataSet& data);

// Pictures the depth-profile graph, the X-Y graph and its axis settings
// window over data downloaded from the simulator: the casts in `data` are
// saved as data files of their own in `folder` and added as series through
// the depth graph's add command, as a user would.
void ShootGraphWindows(const CMeasDataSet& data, const std::string& folder, QWidget* parent,
                       const std::function<void(QWidget*, const QString&)>& shoot);

}  // namespace kelp
