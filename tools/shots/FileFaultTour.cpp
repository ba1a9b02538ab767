#include "tools/shots/FileFaultTour.h"

#include <sys/stat.h>

#include <QAction>

#include "resources/ResourceIds.h"
#include "ui/main/MainDlg.h"
#include "ui/main/MessageBox.h"

namespace kelp {

void ShootSaveFailures(CMainDlg& dlg, const std::string& folder) {
    const std::string pipe = folder + "/pipe.csv";
    ::mkfifo(pipe.c_str(), 0600);
    for (const std::string& path : {pipe, folder + "/no-such-folder/data.csv"}) {
        SetSaveFileResponder([path](QWidget*) { return path; });
        dlg.UpdateCommandUi();
        dlg.findChild<QAction*>(QString::number(ID_FILE_SAVE))->trigger();
    }
    SetSaveFileResponder({});
}

}  // namespace kelp
