#pragma once
#include <thread>

#include "link/Event.h"
#include "link/MessageTarget.h"
#include "link/PortSettings.h"
#include "link/RunEnd.h"

namespace kelp {

// A capture run ends by itself after this many records.
constexpr int kMaxRunRecords = 10000;
// Consecutive failed transactions that end a run.
constexpr int kMaxRunFailures = 6;
// Receive buffer of a run's transactions.
constexpr int kRunBufferSize = 300;
// How often an interval wait looks at the clock and the stop event.
constexpr int kIntervalPollMs = 100;

// Starts a live capture on a thread of its own and returns at once. The
// thread opens the port of `port` (with the device paths of `devices`),
// requests the current values every `intervalSeconds` (0: back to back),
// posts each record to `mainWindow` as WM_APP_CAPTURE code 4 with its text,
// and ends with one WM_APP_CAPTURE carrying the RunEnd code (for
// PortOpenFailed with the errno of the failed open as lParam). Setting
// `stop` ends it. The caller keeps `mainWindow` and `stop` alive until the
// thread has ended and joins the returned thread after the final message.
// Dropping the handle (or request_stop on it) sets `stop` first, so the run
// ends as stopped before the join.
std::jthread StartCapture(IMessageTarget& mainWindow, CEvent& stop, const PortSettings& port,
                          const PortDeviceMap& devices, int intervalSeconds);

// The capture loop itself, on the calling thread; returns the code of the
// final message it posted.
RunEnd CaptureThread(IMessageTarget& mainWindow, CEvent& stop, const PortSettings& port,
                     const PortDeviceMap& devices, int intervalSeconds);

}  // namespace kelp
