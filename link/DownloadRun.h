#pragma once
#include "link/Event.h"
#include "link/MessageTarget.h"
#include "link/PortSettings.h"
#include "link/ProgressDialog.h"
#include "link/RunEnd.h"

namespace kelp {

// A download fetches at most this many records, whatever the instrument claims.
constexpr int kMaxDownloadRecords = 10000;
// How long the download thread waits for the progress dialog to appear.
constexpr int kDialogWaitMs = 10000;
// Silence after a failed request, beyond the time of one whole record reply
// on the line, before the repeat request goes out.
constexpr int kResyncMarginMs = 200;
// Title of the progress dialog during a download: string 616 "ダウンロード中...".
constexpr int kDownloadTitleId = 616;

// Runs a whole download behind the modal progress dialog and returns when it
// is over. The download thread posts each record to `mainWindow` as
// WM_APP_DOWNLOAD code 4 with its text and ends with WM_APP_DOWNLOAD code 7
// whose lParam is the address of `dialog` (the IProgressDialog*), on which the
// receiver posts WM_APP_PROGRESS code 0 to close it. Progress goes to the
// dialog's target. A port that cannot be opened closes the dialog with
// WM_APP_PROGRESS code 1 instead, and `openError` (when given) receives the
// errno of that open (0 otherwise). Returns the run's RunEnd code. A run
// that ends as Finished holds every record of the instrument once, in order;
// `announced` (when given) receives the count the instrument gave for its
// memory before any limit (-1 when it gave none), for the receiver to
// compare with what it stored.
RunEnd RunDownload(IMessageTarget& mainWindow, IProgressDialog& dialog, const PortSettings& port,
                   const PortDeviceMap& devices, int* openError = nullptr, int* announced = nullptr);

// The download loop itself, on the calling thread: waits for the dialog
// window (at most kDialogWaitMs, ending as CommFailed without it), fetches
// the records, and returns the run's code. `cancel` set ends it as
// cancelled, also while it waits for the dialog.
RunEnd DownloadThread(IMessageTarget& mainWindow, IProgressDialog& dialog, CEvent& cancel,
                      const PortSettings& port, const PortDeviceMap& devices, int* openError = nullptr,
                      int* announced = nullptr);

}  // namespace kelp
