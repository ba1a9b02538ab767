#include "link/DownloadRun.h"

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

}  // namespace

RunEnd DownloadThread(IMessageTarget& mainWindow, IProgressDialog& dialog, CEvent& cancel,
                      const PortSettings& port, const PortDeviceMap& devices) {
    CInstrumentPort instrument;
    while (!dialog.IsWindowCreated()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!instrument.Open(port, devices)) {
        PostProgress(dialog, PROGRESS_FAILED, 0);
        return RunEnd::PortOpenFailed;
    }

    int selector = kSelectRecordCount;
    int received = 0;
    int total = 0;
    int failures = 0;
    RunEnd result = RunEnd::Finished;
    bool ended = false;
    bool cancelled = false;
    char buffer[kRunBufferSize];

    while (!ended) {
        int length = kRunBufferSize;
        switch (instrument.Transact(selector, buffer, length)) {
            case LinkResult::Ok:
                if (selector == kSelectRecordCount) {
                    total = RecordCountOf(buffer);
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
                ended = ++failures >= kMaxRunFailures;
                // The instrument may have moved on before the reply was
                // lost: ask for the same record rather than the next one.
                if (selector == kSelectNextRecord) {
                    selector = kSelectSameRecord;
                }
                break;
            case LinkResult::CommError:
            case LinkResult::SendFailed:
                result = RunEnd::CommFailed;
                ended = ++failures >= kMaxRunFailures;
                if (selector == kSelectNextRecord) {
                    selector = kSelectSameRecord;
                }
                break;
            case LinkResult::EndOfData:
                result = RunEnd::Finished;
                ended = true;
                break;
        }
        if (cancel.Wait(0)) {
            cancelled = true;
            ended = true;
        }
    }

    instrument.Close();
    if (cancelled) {
        result = RunEnd::Stopped;
    }
    mainWindow.Post({WM_APP_DOWNLOAD,
                     static_cast<std::uintptr_t>(RunEnd::Finished),
                     reinterpret_cast<std::intptr_t>(&dialog),
                     {}});
    return result;
}

RunEnd RunDownload(IMessageTarget& mainWindow, IProgressDialog& dialog, const PortSettings& port,
                   const PortDeviceMap& devices) {
    CEvent cancel;
    RunEnd result = RunEnd::Finished;
    // The thread works on its own copies of the settings.
    std::thread worker([&mainWindow, &dialog, &cancel, &result, port, devices] {
        result = DownloadThread(mainWindow, dialog, cancel, port, devices);
    });
    dialog.SetTotal(0);
    dialog.SetTitleId(kDownloadTitleId);
    dialog.SetCancelEvent(&cancel);
    dialog.DoModal();
    worker.join();
    dialog.SetCancelEvent(nullptr);
    return result;
}

}  // namespace kelp
