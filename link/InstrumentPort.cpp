#include "link/InstrumentPort.h"

#include <chrono>
#include <cstring>
#include <string_view>

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
    // With no earlier reply to tell apart, the first reply is the answer.
    std::string none;
    bool repeated = false;
    return TransactSkippingRepeat(selector, buffer, length, none, repeated);
}

LinkResult CInstrumentPort::TransactSkippingRepeat(int selector, char* buffer, int& length,
                                                   std::string& previous, bool& repeated) {
    using Clock = std::chrono::steady_clock;
    repeated = false;
    if (!SendCommand(selector)) {
        return LinkResult::SendFailed;
    }
    const int capacity = length;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kReplyTimeoutMs);
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        length = capacity;
        const LinkResult read = ReadReply(buffer, length, left > 0 ? static_cast<int>(left) : 0);
        if (read != LinkResult::Ok) {
            return read;
        }
        // The whole of the old answer, or its end when the purge before this
        // request took its beginning.
        const std::string_view received(buffer, static_cast<std::size_t>(length));
        if (!previous.empty() && std::string_view(previous).ends_with(received)) {
            repeated = true;
            continue;
        }
        std::string raw(received);
        const LinkResult judged = JudgeReply(selector, command_, expectedLength_, buffer, length);
        if (judged == LinkResult::Ok || judged == LinkResult::EndOfData) {
            previous = std::move(raw);
        }
        return judged;
    }
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
