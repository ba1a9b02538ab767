#pragma once
#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace kelp {

class CMeasDataSet;

// Pictures the depth-profile graph, the X-Y graph and its axis settings
// window over data downloaded from the simulator: the casts in `data` are
// saved as data files of their own in `folder` and added as series through
// the depth graph's add command, as a user would.
void ShootGraphWindows(const CMeasDataSet& data, const std::string& folder, QWidget* parent,
                       const std::function<void(QWidget*, const QString&)>& shoot);

}  // namespace kelp
