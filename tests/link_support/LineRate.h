#pragma once
// The least time a download can take on the wire, for benchmarks that hold a
// download against it.
#include "link/Frames.h"

namespace kelp::test {

// Command frames of a download on the wire, checksum and CR LF included.
constexpr int kCountCommandLength = 8;    // "#RN@" once
constexpr int kRecordCommandLength = 36;  // one record request per record

// Seconds that every byte of every command and reply of a download of
// `records` records takes at `baud` bit/s and 10 bits a byte.
inline double DownloadLineSeconds(int records, int baud) {
    const int commandBytes = kCountCommandLength + records * kRecordCommandLength;
    const int replyBytes = kCountReplyLength + records * kRecordReplyLength;
    return (commandBytes + replyBytes) * 10.0 / baud;
}

}  // namespace kelp::test
