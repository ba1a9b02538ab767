#pragma once
#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace kelp {

// Pictures what keeps unsaved measurements from being lost: the window title
// of unsaved and saved data, the question before unsaved data are closed,
// the notice of a capture without a journal, the end of a full capture, and
// the restore question after a damaged journal. Captures from the simulator
// at `tty` with settings of its own in `folder`; answers every message box
// itself (after picturing it).
void ShootUnsavedData(const std::string& tty, const std::string& folder,
                      const std::function<void(QWidget*, const QString&)>& shoot);

}  // namespace kelp
