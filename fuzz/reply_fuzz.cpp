// Any bytes as what comes off the line in answer to a request: the reply
// checks must judge them without harm, and every record they let through
// must decode into codes a data file can carry and save to a line that
// loads back and formats to the same line.
//
// Input: one byte, then the reply. The byte's low bits choose the request
// (selector = (byte & 0x7F) % 6). With its high bit set, the rest is only the body:
// it is framed as the instrument would frame a reply of the right length
// (prefix, body cut or padded with blanks, "@", checksum, CR LF), so that
// the decoder sees many records, not just the few that pass by chance.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "data/Catalogue.h"
#include "data/CsvFile.h"
#include "data/MeasDataSet.h"
#include "link/Frames.h"

namespace {

using kelp::CCsvFile;
using kelp::CMeasDataSet;
using kelp::EMemError;
using kelp::LinkResult;

// The receive buffer of a run.
constexpr std::size_t kBufferSize = 300;

[[noreturn]] void Violated(const char* what) {
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}

CMeasDataSet& Set(int which) {
    static CMeasDataSet* sets = [] {
        auto* s = new CMeasDataSet[2];
        s[0].Reserve(4);
        s[1].Reserve(4);
        return s;
    }();
    return sets[which];
}

std::string WithoutLineEnd(const std::string& line) {
    if (line.size() < 2 || line.compare(line.size() - 2, 2, "\r\n") != 0) {
        Violated("a formatted line ends without CR LF");
    }
    return line.substr(0, line.size() - 2);
}

// The line of record r without its record number.
std::string Normalised(CMeasDataSet& set, int r) {
    const std::string line = set.FormatRecordLine(r);
    return line.substr(line.find(','));
}

// The body framed as a good reply of `expected` bytes to `command`.
std::string Framed(const char* command, int expected, std::string body) {
    std::string reply(command, 3);
    reply += body;
    reply.resize(static_cast<std::size_t>(expected - 5), ' ');
    reply += '@';
    char digits[2];
    kelp::FormatChecksum(kelp::FrameChecksum(reply.data(), reply.size()), digits);
    reply.append(digits, 2);
    reply += "\r\n";
    return reply;
}

void CheckCodes(const CMeasDataSet& set, int r) {
    if (set.GetDevice(r) >= kelp::kDeviceCount || set.GetInstrumentError(r) >= kelp::kInstrumentErrorCount) {
        Violated("a header code out of its range");
    }
    for (int s = 0; s < kelp::kSlotCount; ++s) {
        if (set.GetState(s, r) >= kelp::kStateCount || set.GetErrorCode(s, r) >= kelp::kComponentErrorCount ||
            set.GetUnit(s, r) >= kelp::kUnitCount || set.GetDecimals(s, r) >= kelp::kDecimalsCount) {
            Violated("a component code out of its range");
        }
    }
}

// The record saves to a line that loads back and formats to the same line.
void CheckRoundTrip(CMeasDataSet& set, int r) {
    CMeasDataSet& again = Set(1);
    again.Clear();
    const std::string header = set.FormatHeaderLines();
    CCsvFile::SplitCsvLine(WithoutLineEnd(header.substr(header.find("\r\n") + 2)), again.GetFieldList());
    try {
        again.ParseColumnLine();
        CCsvFile::SplitCsvLine(WithoutLineEnd(set.FormatRecordLine(r)), again.GetFieldList());
        again.ParseRecordLine();
    } catch (EMemError) {
        std::fprintf(stderr, "line: %s\n", set.FormatRecordLine(r).c_str());
        Violated("a stored record saves to a line that does not load");
    }
    if (again.GetCount() != 1 || Normalised(again, 0) != Normalised(set, r)) {
        std::fprintf(stderr, "saved:  %s\nloaded: %s\n", set.FormatRecordLine(r).c_str(),
                     again.GetCount() == 1 ? again.FormatRecordLine(0).c_str() : "(none)");
        Violated("a stored record changed on its way through a file");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int selector = (data[0] & 0x7F) % 6;
    const bool frame = (data[0] & 0x80) != 0;
    char command[kelp::kCommandBufferSize];
    const int expected = kelp::BuildCommandFrame(selector, command);

    std::string reply(reinterpret_cast<const char*>(data + 1), size - 1);
    if (frame) {
        reply = Framed(command, expected, reply);
    }
    if (reply.size() >= kBufferSize) {
        reply.resize(kBufferSize - 1);  // what a read of the buffer's capacity takes
    }
    char buffer[kBufferSize] = {};
    std::memcpy(buffer, reply.data(), reply.size());
    char before[kBufferSize];
    std::memcpy(before, buffer, sizeof buffer);
    const int length = static_cast<int>(reply.size());

    const LinkResult judged = kelp::JudgeReply(selector, command, expected, buffer, length);
    const bool recordRequest = selector >= kelp::kSelectFirstRecord && selector <= kelp::kSelectSameRecord;
    switch (judged) {
        case LinkResult::BadReply:
            if (std::memcmp(before, buffer, sizeof buffer) != 0) {
                Violated("a rejected reply was changed");
            }
            if (frame && reply.find_first_of(std::string("@\0", 2)) >= reply.size() - 5) {
                Violated("a well-framed reply was rejected");
            }
            return 0;
        case LinkResult::EndOfData:
            if (!recordRequest || length != kelp::kEndOfDataLength || std::strcmp(buffer, "#RM") != 0) {
                Violated("end of data where there is none");
            }
            return 0;
        case LinkResult::Ok:
            break;
        default:
            Violated("a reply judged as a line failure");
    }
    if (std::strncmp(buffer, command, 3) != 0) {
        Violated("an accepted reply with the wrong prefix");
    }
    // The check reads the reply as a C string: what follows a NUL is not part of it.
    const std::size_t text = std::strlen(buffer);
    if (text + 5 != std::strlen(before) || before[text] != '@' || buffer[text + 1] != before[text + 1]) {
        Violated("an accepted reply not cut at its \"@\"");
    }

    CMeasDataSet& set = Set(0);
    set.Clear();
    switch (selector) {
        case kelp::kSelectRecordCount: {
            const int count = kelp::RecordCountOf(buffer);
            if (count < -9999 || count > 99999) {
                Violated("a count beyond its five characters");
            }
            return 0;
        }
        case kelp::kSelectReadData: {
            std::tm stamp{};
            stamp.tm_year = 126;
            stamp.tm_mon = 4;
            stamp.tm_mday = 17;
            kelp::StampReplyTime(buffer, stamp);
            if (!set.AddLiveRecord(buffer)) {
                Violated("a checked live reply was not stored");
            }
            break;
        }
        default:
            if (!set.AddMemoryRecord(buffer)) {
                Violated("a checked memory reply was not stored");
            }
            break;
    }
    CheckCodes(set, 0);
    CheckRoundTrip(set, 0);
    return 0;
}
