#pragma once

namespace kelp {

// Outcome of one port read or one request/reply transaction with the
// instrument. The numbers are shared with the acquisition runs and must not
// change.
enum class LinkResult : int {
    Ok = 1001,          // a complete, valid reply is in the buffer
    Timeout = 1002,     // no reply (or no completed read) within the wait
    CommError = 1003,   // the port reported an error, or the wake-up carried no data
    SendFailed = 1004,  // the command could not be written
    BadReply = 1005,    // a reply arrived but failed the frame checks
    EndOfData = 1006,   // a record request was answered with the empty 8-byte reply
};

}  // namespace kelp
