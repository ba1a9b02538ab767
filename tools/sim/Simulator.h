#pragma once
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>

#include "tools/sim/FaultPlan.h"
#include "tools/sim/RecordGenerator.h"
#include "tools/sim/SimOptions.h"

namespace kelp::sim {

// The instrument end of a pseudo-terminal: reads requests, answers them.
class CSimulator final {
  public:
    explicit CSimulator(const SimOptions& options);
    CSimulator(const CSimulator&) = delete;
    CSimulator& operator=(const CSimulator&) = delete;
    ~CSimulator();

    // Opens the pseudo-terminal (and the --link link). False with a message.
    bool Start(std::string& error);
    const std::string& SlavePath() const { return slavePath_; }

    // Serves requests until `quit` becomes non-zero or the line is hung up.
    // Returns the exit status.
    int Run(const volatile std::sig_atomic_t& quit);

  private:
    using Clock = std::chrono::steady_clock;

    void HandleLine(const std::string& line, Clock::time_point arrived,
                    const volatile std::sig_atomic_t& quit);
    // The reply body (without "@", checksum, CR LF) of a valid request, or
    // an empty text when the request gets no answer.
    std::string Answer(const std::string& body, bool badCodes);
    // Sends `bytes` as the line would: not before `start`, then one byte
    // every byte time.
    void Send(const std::string& bytes, Clock::time_point start, const volatile std::sig_atomic_t& quit);
    void HangUp();
    Clock::duration ByteTime() const;

    SimOptions options_;
    CRecordGenerator generator_;
    CFaultPlan faults_;
    int master_ = -1;
    int slave_ = -1;  // held open so that the line survives between a client's runs
    std::string slavePath_;
    std::FILE* log_ = nullptr;
    int requests_ = 0;
    int replies_ = 0;
    int cursor_ = -1;  // logged record of the last "#RM" answer
    bool hungUp_ = false;
};

}  // namespace kelp::sim
