#pragma once
#include <cstddef>
#include <cstdint>
#include <ctime>

#include "link/LinkResult.h"

namespace kelp {

// Command selectors of the instrument protocol.
enum CommandSelector : int {
    kSelectReadData = 0,      // "#RD@": the current measured values
    kSelectFirstRecord = 1,   // "#RM0": the first logged record
    kSelectRecordDigit1 = 2,  // "#RM1": accepted by the builder, sent by no run
    kSelectNextRecord = 3,    // "#RM2": the next logged record
    kSelectSameRecord = 4,    // "#RM3": the same record again, after a failed "next"
    kSelectRecordCount = 5,   // "#RN@": the number of logged records
};

// Room for the longest frame (36 characters) and its NUL.
constexpr std::size_t kCommandBufferSize = 52;

// Good reply lengths on the wire, checksum and CR LF included.
constexpr int kLiveReplyLength = 193;
constexpr int kRecordReplyLength = 187;
constexpr int kCountReplyLength = 13;
constexpr int kEndOfDataLength = 8;

// Where StampTime writes YYMMDDhhmmss in a live reply.
constexpr int kStampOffset = 159;
constexpr int kStampLength = 12;

// XOR of `length` bytes.
std::uint8_t FrameChecksum(const char* bytes, std::size_t length);

// The two upper-case hex digits of `sum`.
void FormatChecksum(std::uint8_t sum, char digits[2]);

// Builds the wire frame of `selector` (body, two checksum digits, CR LF,
// NUL) into `frame`. Returns the exact length of a good reply to it, or 0 for
// a selector that does not exist (the frame is then empty).
int BuildCommandFrame(int selector, char (&frame)[kCommandBufferSize]);

// Checks a NUL-terminated reply against the command frame it answers: exact
// length, the command's three-character prefix, CR LF at the end, "@" five
// from the end, and the checksum of everything up to the first "@" in
// upper-case hex. On success the reply is cut at the "@"; on failure it is
// left as it was.
bool CheckReplyFrame(const char* command, char* reply, int length);

// What a reply of `length` bytes (NUL-terminated) means as the answer to
// `command`, the frame of `selector` whose good reply is `expected` bytes
// long (what BuildCommandFrame returned for it): EndOfData for the 8-byte
// empty reply to a record request, Ok for a reply that passes
// CheckReplyFrame with the expected length (cut at its "@"), BadReply
// otherwise (the reply left as it was).
LinkResult JudgeReply(int selector, const char* command, int expected, char* reply, int length);

// The record count of a checked "#RN" reply (decimal from its fourth
// character; leading blanks and zeros allowed, stops at a non-digit).
int RecordCountOf(const char* reply);

// Overwrites the date and time of a checked live reply with `localTime` as
// YYMMDDhhmmss.
void StampReplyTime(char* reply, const std::tm& localTime);

}  // namespace kelp
