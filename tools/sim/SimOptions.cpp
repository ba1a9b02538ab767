#include "tools/sim/SimOptions.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace kelp::sim {
namespace {

struct FaultNameEntry {
    const char* name;
    FaultKind kind;
};

constexpr FaultNameEntry kFaultNames[] = {
    {"noreply", FaultKind::NoReply}, {"lost", FaultKind::Lost},           {"late", FaultKind::Late},
    {"badsum", FaultKind::BadSum},   {"lowercase", FaultKind::LowerCase}, {"truncate", FaultKind::Truncate},
    {"double", FaultKind::Double},   {"garbage", FaultKind::Garbage},     {"badcodes", FaultKind::BadCodes},
};

bool ParseInt(std::string_view text, long long minimum, long long maximum, long long& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc{} && ptr == end && value >= minimum && value <= maximum;
}

// KIND=N, KIND=N+C or KIND=P%
bool ParseFault(std::string_view text, FaultRule& rule, std::string& error) {
    const auto eq = text.find('=');
    if (eq == std::string_view::npos) {
        error = "--fault needs KIND=WHEN";
        return false;
    }
    const std::string_view name = text.substr(0, eq);
    std::string_view when = text.substr(eq + 1);
    bool known = false;
    for (const auto& entry : kFaultNames) {
        if (name == entry.name) {
            rule.kind = entry.kind;
            known = true;
        }
    }
    if (!known) {
        error = "unknown fault: " + std::string(name);
        return false;
    }
    if (!when.empty() && when.back() == '%') {
        const std::string number(when.substr(0, when.size() - 1));
        char* end = nullptr;
        rule.ratePercent = std::strtod(number.c_str(), &end);
        if (number.empty() || *end != '\0' || rule.ratePercent < 0 || rule.ratePercent > 100) {
            error = "bad fault rate: " + std::string(when);
            return false;
        }
        return true;
    }
    long long from = 0;
    long long count = 0;
    const auto plus = when.find('+');
    if (!ParseInt(when.substr(0, plus), 1, 1'000'000'000, from) ||
        (plus != std::string_view::npos && !ParseInt(when.substr(plus + 1), 1, 1'000'000'000, count))) {
        error = "bad fault position: " + std::string(when);
        return false;
    }
    rule.from = static_cast<int>(from);
    rule.count = static_cast<int>(count);
    return true;
}

}  // namespace

const char* FaultName(FaultKind kind) {
    for (const auto& entry : kFaultNames) {
        if (entry.kind == kind) {
            return entry.name;
        }
    }
    return "?";
}

const char* HelpText() {
    return R"(Usage: kelp-sim [OPTION]...
An instrument simulator for the Kelp data collector. It opens a pseudo-terminal,
prints the path of its slave side on the first line of standard output, and
answers the instrument's requests there until SIGINT or SIGTERM:
  "#RD@"  the current values (11 components drifting slowly, stamped with the
          simulator's clock)
  "#RN@"  the number of logged records
  "#RM"   first / next / same-again logged record, newest first; past the
          oldest record it answers the 8-byte end-of-data reply
The logged records form depth casts (0 m to about 40 m and back) with a
thermocline: temperature and dissolved oxygen fall, conductivity and salinity
rise with depth. Most records carry a GPS position, some carry "-".

Options:
  --link PATH         also make a symbolic link PATH to the slave side
  --records N         logged records in memory (default 300)
  --claim N           count that "#RN@" reports (default: the records); a
                      larger claim ends the walk with the end-of-data reply
  --casts N           depth casts the records form (default 3)
  --day               the records are a field day instead: stations with and
                      without GPS, a soak at the surface, down- and up-casts,
                      yo-yos of 2 to 4 casts, a few centimetres of noise on
                      the depth, and probes without a depth sensor logging a
                      time series (--casts does not count then)
  --rough             a field day on a rough sea: --day, with slow casts
                      (0.05 to 0.2 m a record) and a swell of up to 10 cm
                      either way moving the probe on its cable
  --truth PATH        write the casts of the day as CSV to PATH: cast,
                      station, kind (cast or series), and the record numbers
                      (No. of the downloaded file) of its first record, its
                      top before the descent, its deepest and its last record
  --shuffle           send the 13 component blocks in a shuffled order
  --seed N            seed of the data and of rate faults (default 1)
  --baud B            pace commands and replies like a line of B bit/s
                      (10 bits a byte; default: no line emulation)
  --turnaround MS     delay each reply by MS milliseconds (default 0)
  --late MS           how late a reply with the late fault comes (default 1300)
  --fault KIND=WHEN   inject a fault; may be repeated. WHEN is
                        N     every request from request N on (1 = first)
                        N+C   C requests from request N on
                        P%    each request with a chance of P percent
                      KIND is one of
                        noreply    no reply at all (the request still acts:
                                   a "next" moves on)
                        lost       the request is lost on the way: it has
                                   no effect and gets no reply
                        late       the reply after 1300 ms (see --late)
                        badsum     wrong checksum digits
                        lowercase  checksum digits in lower case
                        truncate   the first half of the reply, without LF
                        double     two replies run together
                        garbage    stray bytes before the reply
                        badcodes   out-of-range state, error, unit and
                                   instrument error codes (a valid frame)
  --hangup N          after N replies, close the pseudo-terminal at the next
                      request and exit
  --identical N[+C]   logged record N (1 = the newest, the first a download
                      fetches) is followed by C (default 1) records that are
                      byte for byte the same, as a logger with a stopped
                      clock out of the water leaves them
  --log PATH          append one line per request: its number, the command
                      body and the fault applied, if any
  --help              show this text and exit

Requests are numbered from 1 across the simulator's whole life.
)";
}

bool ParseOptions(int argc, char** argv, SimOptions& options, bool& help, std::string& error) {
    help = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&](std::string_view& out) {
            if (i + 1 >= argc) {
                error = std::string(arg) + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        auto number = [&](long long minimum, long long maximum, long long& out) {
            std::string_view text;
            if (!value(text)) {
                return false;
            }
            if (!ParseInt(text, minimum, maximum, out)) {
                error = "bad value for " + std::string(arg) + ": " + std::string(text);
                return false;
            }
            return true;
        };
        long long n = 0;
        std::string_view text;
        if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--link") {
            if (!value(text))
                return false;
            options.link = text;
        } else if (arg == "--records") {
            if (!number(0, 99999, n))
                return false;
            options.records = static_cast<int>(n);
        } else if (arg == "--claim") {
            if (!number(0, 99999, n))
                return false;
            options.claim = static_cast<int>(n);
        } else if (arg == "--casts") {
            if (!number(1, 1000, n))
                return false;
            options.casts = static_cast<int>(n);
        } else if (arg == "--day") {
            options.day = true;
        } else if (arg == "--rough") {
            options.day = true;
            options.rough = true;
        } else if (arg == "--truth") {
            if (!value(text))
                return false;
            options.truthPath = text;
        } else if (arg == "--shuffle") {
            options.shuffle = true;
        } else if (arg == "--seed") {
            if (!number(0, 1LL << 62, n))
                return false;
            options.seed = static_cast<std::uint64_t>(n);
        } else if (arg == "--baud") {
            if (!number(50, 4'000'000, n))
                return false;
            options.baud = static_cast<int>(n);
        } else if (arg == "--turnaround") {
            if (!number(0, 60'000, n))
                return false;
            options.turnaroundMs = static_cast<int>(n);
        } else if (arg == "--late") {
            if (!number(1, 60'000, n))
                return false;
            options.lateMs = static_cast<int>(n);
        } else if (arg == "--hangup") {
            if (!number(1, 1'000'000'000, n))
                return false;
            options.hangupAfter = static_cast<int>(n);
        } else if (arg == "--identical") {
            if (!value(text))
                return false;
            const auto plus = text.find('+');
            long long from = 0;
            long long count = 1;
            if (!ParseInt(text.substr(0, plus), 1, 99999, from) ||
                (plus != std::string_view::npos && !ParseInt(text.substr(plus + 1), 1, 99999, count))) {
                error = "bad value for --identical: " + std::string(text);
                return false;
            }
            options.identicalFrom = static_cast<int>(from);
            options.identicalCount = static_cast<int>(count);
        } else if (arg == "--log") {
            if (!value(text))
                return false;
            options.logPath = text;
        } else if (arg == "--fault") {
            if (!value(text))
                return false;
            FaultRule rule;
            if (!ParseFault(text, rule, error))
                return false;
            options.faults.push_back(rule);
        } else {
            error = "unknown option: " + std::string(arg);
            return false;
        }
    }
    return true;
}

}  // namespace kelp::sim
