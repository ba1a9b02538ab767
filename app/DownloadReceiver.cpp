#include "app/DownloadReceiver.h"

#include "data/MeasDataSet.h"
#include "link/ProgressDialog.h"
#include "link/RunEnd.h"

namespace kelp {

void ReceiveDownloadMessage(const AppMessage& message, CMeasDataSet& downloaded, IProgressDialog* fallback) {
    if (message.message != WM_APP_DOWNLOAD) {
        return;
    }
    const auto code = static_cast<RunEnd>(message.wParam);
    if (code == RunEnd::RecordArrived) {
        downloaded.AddMemoryRecord(message.text);
    } else if (code == RunEnd::Finished) {
        // Every record posted before this one is stored already: messages
        // arrive in order.
        auto* dialog = reinterpret_cast<IProgressDialog*>(message.lParam);
        if (dialog == nullptr) {
            dialog = fallback;
        }
        if (dialog != nullptr) {
            dialog->Target().Post(AppMessage{WM_APP_PROGRESS, PROGRESS_FINISHED, 0, {}});
        }
        downloaded.Reverse();
    }
}

}  // namespace kelp
