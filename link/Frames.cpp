#include "link/Frames.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kelp {
namespace {

// The record request template: "#RM", the selector digit, "0", 26 blanks, "@".
constexpr char kRecordTemplate[] = "#RM00                          @";
static_assert(sizeof kRecordTemplate - 1 == 32);

}  // namespace

std::uint8_t FrameChecksum(const char* bytes, std::size_t length) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < length; ++i) {
        sum ^= static_cast<std::uint8_t>(bytes[i]);
    }
    return sum;
}

void FormatChecksum(std::uint8_t sum, char digits[2]) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    digits[0] = kHex[sum >> 4];
    digits[1] = kHex[sum & 0x0F];
}

int BuildCommandFrame(int selector, char (&frame)[kCommandBufferSize]) {
    std::memset(frame, 0, sizeof frame);
    int replyLength = 0;
    switch (selector) {
        case kSelectReadData:
            std::strcpy(frame, "#RD@");
            replyLength = kLiveReplyLength;
            break;
        case kSelectFirstRecord:
        case kSelectRecordDigit1:
        case kSelectNextRecord:
        case kSelectSameRecord:
            std::strcpy(frame, kRecordTemplate);
            frame[3] = static_cast<char>('0' + selector - 1);
            replyLength = kRecordReplyLength;
            break;
        case kSelectRecordCount:
            std::strcpy(frame, "#RN@");
            replyLength = kCountReplyLength;
            break;
        default:
            return 0;
    }
    const std::size_t body = std::strlen(frame);
    FormatChecksum(FrameChecksum(frame, body), frame + body);
    frame[body + 2] = '\r';
    frame[body + 3] = '\n';
    return replyLength;
}

bool CheckReplyFrame(const char* command, char* reply, int length) {
    if (length < 5 || std::strlen(reply) != static_cast<std::size_t>(length)) {
        return false;
    }
    if (std::strncmp(reply, command, 3) != 0) {
        return false;
    }
    if (reply[length - 2] != '\r' || reply[length - 1] != '\n') {
        return false;
    }
    if (reply[length - 5] != '@') {
        return false;
    }
    // The sum runs to the first "@", wherever it is; an "@" inside the
    // payload therefore spoils the sum and the reply is refused.
    const char* at = std::strchr(reply, '@');
    char digits[2];
    FormatChecksum(FrameChecksum(reply, static_cast<std::size_t>(at - reply) + 1), digits);
    if (reply[length - 4] != digits[0] || reply[length - 3] != digits[1]) {
        return false;
    }
    reply[length - 5] = '\0';
    return true;
}

LinkResult JudgeReply(int selector, const char* command, int expected, char* reply, int length) {
    const bool recordRequest = selector >= kSelectFirstRecord && selector <= kSelectSameRecord;
    if (recordRequest && length == kEndOfDataLength && CheckReplyFrame(command, reply, kEndOfDataLength)) {
        return LinkResult::EndOfData;
    }
    if (expected == 0 || !CheckReplyFrame(command, reply, expected)) {
        return LinkResult::BadReply;
    }
    return LinkResult::Ok;
}

int RecordCountOf(const char* reply) {
    if (std::strlen(reply) < 3) {
        return 0;
    }
    return std::atoi(reply + 3);
}

void StampReplyTime(char* reply, const std::tm& localTime) {
    char stamp[96];
    std::snprintf(stamp, sizeof stamp, "%02d%02d%02d%02d%02d%02d", (localTime.tm_year + 1900) % 100,
                  localTime.tm_mon + 1, localTime.tm_mday, localTime.tm_hour, localTime.tm_min,
                  localTime.tm_sec);
    std::memcpy(reply + kStampOffset, stamp, kStampLength);
}

}  // namespace kelp
