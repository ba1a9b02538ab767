#pragma once
#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace kelp {

class CMainDlg;

// Pictures what a desktop user meets around the main window holding data:
// the window at large sizes, the tooltips of the value cells and lamps, the
// window menu, the file dialogs with their start folder and proposed name,
// the machine's serial devices in the port list (a device folder of its own
// under `folder`), a refused line setting and the messages that say what to
// do. Message boxes go to the caller's message responder. The window is
// left at 800 x 600.
void ShootDesktop(CMainDlg& window, const std::string& folder,
                  const std::function<void(QWidget*, const QString&)>& shoot);

}  // namespace kelp
