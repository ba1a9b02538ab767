#pragma once
#include <ctime>
#include <string>

#include "link/Frames.h"
#include "link/LinkResult.h"
#include "link/SerialPort.h"

namespace kelp {

// The instrument's request/reply protocol on top of the serial line. One
// object per acquisition run, used by that run's thread alone.
class CInstrumentPort final : public CSerialPort {
  public:
    // Builds the frame of `selector`, remembers it for the reply check and
    // writes it. False for an unknown selector or a failed write.
    bool SendCommand(int selector);

    // Checks `reply` against the last command (see CheckReplyFrame); on
    // success the reply ends where its "@" was.
    bool CheckReply(char* reply, int length) const;

    // One request and its reply. `length` holds the buffer's capacity on
    // entry and the number of bytes received on return.
    LinkResult Transact(int selector, char* buffer, int& length);

    // One request and its reply on a walk through the instrument's memory,
    // where every reply looks alike. A reply byte for byte equal to
    // `previous` (the reply taken last, as it came off the line), or to its
    // end (the rest of it after the purge of this request), answers an
    // earlier request and was still on its way: it is dropped, `repeated`
    // is set, and the wait goes on for this request's own reply within the
    // same time limit. On Ok and EndOfData `previous` becomes this reply.
    LinkResult TransactSkippingRepeat(int selector, char* buffer, int& length, std::string& previous,
                                      bool& repeated);

    // Overwrites the date and time of a checked live reply with `localTime`.
    static bool StampTime(char* reply, const std::tm& localTime);

    const char* LastCommand() const { return command_; }
    int ExpectedReplyLength() const { return expectedLength_; }

  private:
    char command_[kCommandBufferSize] = {};
    int expectedLength_ = 0;
};

}  // namespace kelp
