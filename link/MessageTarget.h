#pragma once
#include <cstdint>
#include <string>

namespace kelp {

// Application messages between worker threads and windows.
constexpr unsigned WM_APP_PANE_COUNT = 0x800A;     // trend pane -> main window
constexpr unsigned WM_APP_PROGRESS = 0x800B;       // worker or main window -> progress dialog
constexpr unsigned WM_APP_GRAPH_APPLIED = 0x800C;  // settings dialog -> its graph window
constexpr unsigned WM_APP_CAPTURE = 0x800E;        // capture thread -> main window
constexpr unsigned WM_APP_DOWNLOAD = 0x800F;       // download thread -> main window

// wParam codes of WM_APP_PROGRESS.
constexpr std::uintptr_t PROGRESS_FINISHED = 0;
constexpr std::uintptr_t PROGRESS_FAILED = 1;
constexpr std::uintptr_t PROGRESS_STEP = 2;   // lParam: steps done
constexpr std::uintptr_t PROGRESS_TOTAL = 3;  // lParam: total

struct AppMessage {
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    // A record text handed over with the message; the receiver owns it.
    std::string text;
};

// Where a worker delivers messages: a window, or a queue in a test. Messages
// from one sender arrive in the order they were posted or sent.
class IMessageTarget {
  public:
    virtual ~IMessageTarget() = default;
    // Queues the message for the receiver's thread and returns at once.
    virtual void Post(AppMessage message) = 0;
    // Delivers the message on the receiver's thread and returns when it has
    // been handled (after every message posted before it).
    virtual void Send(AppMessage message) = 0;
};

}  // namespace kelp
