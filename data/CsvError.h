#pragma once

namespace kelp {

// Thrown by CCsvFile when the file itself fails (as opposed to EMemError, a
// line that breaks the format): a read or write error of the system, or a
// line too long to be one of ours.
enum class ECsvError : int {
    ReadFailed = 1,
    WriteFailed = 2,
    LineTooLong = 3,
};

}  // namespace kelp
