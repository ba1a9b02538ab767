#pragma once

namespace kelp {

// How a capture or download run ended (wParam of WM_APP_CAPTURE, result of
// RunDownload). RecordArrived only travels with a record text.
enum class RunEnd : int {
    PortOpenFailed = 1,
    CommFailed = 2,  // repeated send or line errors
    NoReply = 3,     // repeated time-outs or invalid replies
    RecordArrived = 4,
    Stopped = 5,  // stopped (capture) or cancelled (download) by the user
    NoData = 6,   // the instrument holds no logged records
    Finished = 7,
};

}  // namespace kelp
