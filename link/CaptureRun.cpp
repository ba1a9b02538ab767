#include "link/CaptureRun.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <stop_token>
#include <string>

#include "link/InstrumentPort.h"

namespace kelp {
namespace {

// The moment a measurement slot began: the wall-clock time that the record
// is stamped with, and the monotonic time that the interval wait measures
// from, so that a clock change cannot stall or rush a run.
struct SlotStart {
    std::chrono::system_clock::time_point wall = std::chrono::system_clock::now();
    std::chrono::steady_clock::time_point mono = std::chrono::steady_clock::now();
};

std::tm LocalTime(std::chrono::system_clock::time_point t) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}

// Whole seconds since the slot began; the small addend keeps a difference
// that is a hair under a whole second (rounding of day fractions) from
// losing that second.
long long ElapsedSeconds(const SlotStart& start) {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start.mono).count();
    return static_cast<long long>(std::floor(seconds + 5.787037037037037e-6));
}

// Waits for the next due time of the interval: the first whole-second
// multiple of it since `start`. False when the stop event ended the wait.
bool WaitForNextSlot(CEvent& stop, const SlotStart& start, int intervalSeconds) {
    if (stop.Wait(kIntervalPollMs)) {
        return false;
    }
    for (;;) {
        const long long elapsed = ElapsedSeconds(start);
        if (elapsed != 0 && elapsed % intervalSeconds == 0) {
            return true;
        }
        if (stop.Wait(kIntervalPollMs)) {
            return false;
        }
    }
}

}  // namespace

RunEnd CaptureThread(IMessageTarget& mainWindow, CEvent& stop, const PortSettings& port,
                     const PortDeviceMap& devices, int intervalSeconds) {
    CInstrumentPort instrument;
    if (!instrument.Open(port, devices)) {
        mainWindow.Post({WM_APP_CAPTURE,
                         static_cast<std::uintptr_t>(RunEnd::PortOpenFailed),
                         static_cast<std::intptr_t>(instrument.LastError()),
                         {}});
        return RunEnd::PortOpenFailed;
    }

    // An interval of 0 (or a negative one from a hand-edited settings file)
    // means back-to-back requests.
    const bool continuous = intervalSeconds <= 0;
    int records = 0;
    int failures = 0;
    RunEnd lastEnd = RunEnd::Finished;
    bool stopped = false;
    bool ended = false;
    bool retrying = false;
    SlotStart slot;
    char buffer[kRunBufferSize];

    while (!ended) {
        // Back-to-back requests have no wait to move the slot start, so each
        // request starts its own slot; a retry keeps the slot of the request
        // it repeats.
        if (continuous && !retrying) {
            slot = SlotStart{};
        }
        int length = kRunBufferSize;
        const LinkResult result = instrument.Transact(kSelectReadData, buffer, length);
        switch (result) {
            case LinkResult::Ok:
                CInstrumentPort::StampTime(buffer, LocalTime(slot.wall));
                mainWindow.Post({WM_APP_CAPTURE, static_cast<std::uintptr_t>(RunEnd::RecordArrived), 0,
                                 std::string(buffer)});
                lastEnd = RunEnd::Finished;
                failures = 0;
                retrying = false;
                if (++records >= kMaxRunRecords) {
                    ended = true;
                    continue;
                }
                if (!continuous) {
                    stopped = !WaitForNextSlot(stop, slot, intervalSeconds);
                    ended = stopped;
                    slot = SlotStart{};
                    continue;  // the next request goes out at once
                }
                break;
            case LinkResult::Timeout:
            case LinkResult::BadReply:
                lastEnd = RunEnd::NoReply;
                retrying = true;
                ended = ++failures >= kMaxRunFailures;
                break;
            case LinkResult::CommError:
            case LinkResult::SendFailed:
                lastEnd = RunEnd::CommFailed;
                retrying = true;
                ended = ++failures >= kMaxRunFailures;
                break;
            case LinkResult::EndOfData:
                lastEnd = RunEnd::Finished;
                ended = true;
                break;
        }
        if (stop.Wait(0)) {
            stopped = true;
            ended = true;
        }
    }

    instrument.Close();
    const RunEnd end = stopped ? RunEnd::Stopped : lastEnd;
    mainWindow.Post({WM_APP_CAPTURE, static_cast<std::uintptr_t>(end), 0, {}});
    return end;
}

std::jthread StartCapture(IMessageTarget& mainWindow, CEvent& stop, const PortSettings& port,
                          const PortDeviceMap& devices, int intervalSeconds) {
    // The thread works on its own copies of the settings. The handle's stop
    // request (made when it is dropped, before it joins) sets the stop
    // event, so that no owner can wait on a run that has 10000 records to go.
    return std::jthread([&mainWindow, &stop, port, devices, intervalSeconds](std::stop_token token) {
        const std::stop_callback onStop(token, [&stop] { stop.Set(); });
        CaptureThread(mainWindow, stop, port, devices, intervalSeconds);
    });
}

}  // namespace kelp
