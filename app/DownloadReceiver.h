#pragma once
#include "link/MessageTarget.h"

namespace kelp {

class CMeasDataSet;
class IProgressDialog;

// The receiving side of a download run, on the thread that handles the run's
// messages (the window's or the command line's). Of WM_APP_DOWNLOAD: an
// arriving record is stored in `downloaded`; the end of a finished run closes
// the run's progress dialog (the one the message names, else `fallback`
// when given) and puts the records oldest first, as the instrument sends its
// newest first. Other messages are ignored.
void ReceiveDownloadMessage(const AppMessage& message, CMeasDataSet& downloaded,
                            IProgressDialog* fallback = nullptr);

}  // namespace kelp
