#include "link/InstrumentPort.h"

#include <cerrno>
#include <cstring>

namespace kelp {

bool CInstrumentPort::SendCommand(int selector) {
    expectedLength_ = BuildCommandFrame(selector, command_);
    if (expectedLength_ == 0) {
        return false;
    }
    return Write(command_);
}

bool CInstrumentPort::CheckReply(char* reply, int length) const {
    return CheckReplyFrame(command_, reply, length);
}

LinkResult CInstrumentPort::Transact(int selector, char* buffer, int& length) {
    if (!SendCommand(selector)) {
        return LinkResult::SendFailed;
    }
    const LinkResult read = ReadReply(buffer, length);
    if (read != LinkResult::Ok) {
        return read;
    }
    const bool recordRequest = selector >= kSelectFirstRecord && selector <= kSelectSameRecord;
    if (recordRequest && length == kEndOfDataLength && CheckReply(buffer, kEndOfDataLength)) {
        return LinkResult::EndOfData;
    }
    if (!CheckReply(buffer, expectedLength_)) {
        return LinkResult::BadReply;
    }
    return LinkResult::Ok;
}

bool CInstrumentPort::StampTime(char* reply, const std::tm& localTime) {
    // A reply too short to hold the date field is left alone rather than
    // written past its end.
    if (std::strlen(reply) >= static_cast<std::size_t>(kStampOffset + kStampLength)) {
        StampReplyTime(reply, localTime);
    }
    return true;
}

}  // namespace kelp
