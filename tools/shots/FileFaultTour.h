#pragma once
#include <string>

namespace kelp {

class CMainDlg;

// Saves the main window's data where no save can be made (a pipe at the
// name, a folder that does not exist), as a user would through the File
// menu: the messages, which the caller's message responder pictures, say
// why. `folder` is a scratch folder for the names.
void ShootSaveFailures(CMainDlg& dlg, const std::string& folder);

}  // namespace kelp
