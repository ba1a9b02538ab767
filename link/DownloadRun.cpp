#include "link/DownloadRun.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "link/CaptureRun.h"
#include "link/InstrumentPort.h"

namespace kelp {
namespace {

void PostProgress(IProgressDialog& dialog, std::uintptr_t code, std::intptr_t value) {
    dialog.Target().Post({WM_APP_PROGRESS, code, value, {}});
}

void PostEnd(IMessageTarget& mainWindow, IProgressDialog& dialog) {
    mainWindow.Post({WM_APP_DOWNLOAD,
                     static_cast<std::uintptr_t>(RunEnd::Finished),
                     reinterpret_cast<std::intptr_t>(&dialog),
                     {}});
}

enum class DialogWait { Shown, Cancelled, TimedOut };

// Waits for the dialog window, as no message may reach it before it exists.
DialogWait WaitForDialog(const IProgressDialog& dialog, CEvent& cancel) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(kDialogWaitMs);
    while (!dialog.IsWindowCreated()) {
        if (cancel.Wait(10)) {
            return DialogWait::Cancelled;
        }
        if (std::chrono::steady_clock::now() >= limit) {
            return DialogWait::TimedOut;
        }
    }
    return DialogWait::Shown;
}

}  // namespace

RunEnd DownloadThread(IMessageTarget& mainWindow, IProgressDialog& dialog, CEvent& cancel,
                      const PortSettings& port, const PortDeviceMap& devices, int* openError,
                      int* announced) {
    CInstrumentPort instrument;
    if (announced != nullptr) {
        *announced = -1;
    }
    switch (WaitForDialog(dialog, cancel)) {
        case DialogWait::Shown:
            break;
        case DialogWait::Cancelled:
            PostEnd(mainWindow, dialog);
            return RunEnd::Stopped;
        case DialogWait::TimedOut:
            // Closes the dialog as failed should it still appear.
            PostProgress(dialog, PROGRESS_FAILED, 0);
            return RunEnd::CommFailed;
    }
    if (!instrument.Open(port, devices)) {
        if (openError != nullptr) {
            *openError = static_cast<int>(instrument.LastError());
        }
        PostProgress(dialog, PROGRESS_FAILED, 0);
        return RunEnd::PortOpenFailed;
    }

    // Every memory reply looks alike, so a reply that comes later than the
    // wait for it would be taken as the answer to the request after it, and
    // every record from there on would be one request behind. Two things
    // keep the walk in step:
    // - after a failed request the line must stay silent for longer than a
    //   whole record reply takes before the repeat goes out, so that a late
    //   reply still on its way is dropped rather than taken for the repeat's;
    // - a reply identical to the one taken last (the answer to a repeat whose
    //   late original was taken in its place), or the end of one cut by the
    //   purge, is dropped, and the wait goes on for the reply that belongs to
    //   the request.
    // Between a "next" request and the one after it only repeat requests go
    // out, and all of them fetch the same record, so whichever of their
    // replies is taken, it is the right record.
    // A late reply exists only where a request went unanswered: during the
    // repeats after a failed request, and in the request after the one that
    // ended them (its own answer may follow the late one it took). Anywhere
    // else a reply equal to the last is the instrument's next record, which
    // may well hold the same bytes (a logger with a stopped clock out of the
    // water), and is kept.
    const int quietMs = instrument.TransferMs(kRecordReplyLength) + kResyncMarginMs;
    const int quietLimitMs = 2 * quietMs + CSerialPort::kReplyTimeoutMs;

    int selector = kSelectRecordCount;
    int received = 0;
    int total = 0;
    int failures = 0;
    RunEnd result = RunEnd::Finished;
    bool ended = false;
    bool cancelled = false;
    char buffer[kRunBufferSize];
    std::string lastReply;
    // Repeat requests in a row that only the stored record answered.
    int answeredByStored = 0;
    // Requests since the last failed one; a late reply is possible below 2.
    int sinceFailure = 2;
    auto cancelRequested = [&cancel, &cancelled] {
        cancelled = cancelled || cancel.Wait(0);
        return cancelled;
    };

    while (!ended) {
        int length = kRunBufferSize;
        bool repeated = false;
        const bool latePossible = sinceFailure < 2;
        std::string unguarded;
        const LinkResult link = instrument.TransactSkippingRepeat(
            selector, buffer, length, latePossible ? lastReply : unguarded, repeated);
        if (!unguarded.empty()) {
            lastReply = std::move(unguarded);
        }
        bool failed = false;
        if (selector == kSelectSameRecord) {
            answeredByStored = repeated && link == LinkResult::Timeout ? answeredByStored + 1 : 0;
        }
        switch (link) {
            case LinkResult::Ok:
                if (selector == kSelectRecordCount) {
                    total = RecordCountOf(buffer);
                    if (announced != nullptr) {
                        *announced = total;
                    }
                    if (total > kMaxDownloadRecords) {
                        total = kMaxDownloadRecords;
                    }
                    if (total <= 0) {
                        // A count that is not positive cannot be walked;
                        // treat it as an empty memory.
                        total = 0;
                        result = RunEnd::NoData;
                        ended = true;
                    } else {
                        selector = kSelectFirstRecord;
                        failures = 0;
                        result = RunEnd::Finished;
                    }
                    PostProgress(dialog, PROGRESS_TOTAL, total);
                } else {
                    mainWindow.Post({WM_APP_DOWNLOAD, static_cast<std::uintptr_t>(RunEnd::RecordArrived), 0,
                                     std::string(buffer)});
                    ++received;
                    PostProgress(dialog, PROGRESS_STEP, received);
                    ended = received >= total;
                    selector = kSelectNextRecord;
                    failures = 0;
                    result = RunEnd::Finished;
                }
                break;
            case LinkResult::Timeout:
            case LinkResult::BadReply:
                result = RunEnd::NoReply;
                failed = true;
                break;
            case LinkResult::CommError:
            case LinkResult::SendFailed:
                result = RunEnd::CommFailed;
                failed = true;
                break;
            case LinkResult::EndOfData:
                result = RunEnd::Finished;
                ended = true;
                break;
        }
        sinceFailure = failed ? 0 : std::min(sinceFailure + 1, 2);
        if (failed) {
            ended = ++failures >= kMaxRunFailures;
            if (selector == kSelectNextRecord) {
                // The instrument may have moved on before the reply was
                // lost: ask for the same record rather than the next one.
                selector = kSelectSameRecord;
            } else if (answeredByStored == 2) {
                // Twice the repeat was answered with the record already
                // stored and nothing else came: the "next" before it never
                // reached the instrument, which still holds that record.
                // (Once could still be a late copy of an older answer.)
                selector = kSelectNextRecord;
                answeredByStored = 0;
            }
            if (!ended) {
                instrument.DropUntilQuiet(quietMs, quietLimitMs, cancelRequested);
            }
        }
        if (cancelRequested()) {
            ended = true;
        }
    }

    instrument.Close();
    if (cancelled) {
        result = RunEnd::Stopped;
    }
    PostEnd(mainWindow, dialog);
    return result;
}

RunEnd RunDownload(IMessageTarget& mainWindow, IProgressDialog& dialog, const PortSettings& port,
                   const PortDeviceMap& devices, int* openError, int* announced) {
    CEvent cancel;
    RunEnd result = RunEnd::Finished;
    int error = 0;
    int count = -1;
    // The thread works on its own copies of the settings.
    std::thread worker([&mainWindow, &dialog, &cancel, &result, &error, &count, port, devices] {
        result = DownloadThread(mainWindow, dialog, cancel, port, devices, &error, &count);
    });
    dialog.SetTotal(0);
    dialog.SetTitleId(kDownloadTitleId);
    dialog.SetCancelEvent(&cancel);
    dialog.DoModal();
    worker.join();
    dialog.SetCancelEvent(nullptr);
    if (openError != nullptr) {
        *openError = error;
    }
    if (announced != nullptr) {
        *announced = count;
    }
    return result;
}

}  // namespace kelp
