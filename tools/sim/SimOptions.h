#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kelp::sim {

// What the simulator can do wrong on purpose.
enum class FaultKind {
    NoReply,    // act on the request, but its reply is lost
    Lost,       // the request never reaches the instrument: no effect, no reply
    Late,       // answer after more than the reader's 1000 ms (lateMs)
    BadSum,     // wrong checksum digits
    LowerCase,  // checksum digits in lower case
    Truncate,   // only the first half of the reply, without its LF
    Double,     // the reply twice, run together
    Garbage,    // stray bytes before the reply
    BadCodes,   // out-of-range state, error and unit codes in the blocks
};

// When a fault strikes: `count` requests from request `from` on (count 0:
// every request from there), or each request with `ratePercent` chance.
struct FaultRule {
    FaultKind kind = FaultKind::NoReply;
    int from = 0;
    int count = 0;
    double ratePercent = -1;  // < 0: by request number
};

struct SimOptions {
    std::string link;  // symbolic link to the slave side, or empty
    int records = 300;
    int claim = -1;  // count that "#RN@" reports; < 0: `records`
    int casts = 3;
    bool day = false;       // the records are a field day (PlanFieldDay)
    bool rough = false;     // ... on a rough sea (implies day)
    std::string truthPath;  // where to write the casts of the day (TruthCsv)
    bool shuffle = false;
    std::uint64_t seed = 1;
    int baud = 0;  // 0: no line emulation
    int turnaroundMs = 0;
    int lateMs = 1300;    // how late a reply with the Late fault comes
    int hangupAfter = 0;  // 0: never
    // Logged records `identicalFrom` + 1 to `identicalFrom` + `identicalCount`
    // (1 = the newest) are byte for byte record `identicalFrom`.
    int identicalFrom = 0;  // 0: none
    int identicalCount = 0;
    std::string logPath;
    std::vector<FaultRule> faults;
};

// Parses the command line. False with a message in `error` on a bad option;
// `help` is set when --help was given.
bool ParseOptions(int argc, char** argv, SimOptions& options, bool& help, std::string& error);

const char* HelpText();

// The name of a fault on the command line, for messages.
const char* FaultName(FaultKind kind);

}  // namespace kelp::sim
