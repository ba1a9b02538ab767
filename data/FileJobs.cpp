#include "data/FileJobs.h"

#include <chrono>
#include <string_view>
#include <thread>
#include <vector>

#include "data/CsvFile.h"
#include "data/MeasDataSet.h"
#include "link/Event.h"
#include "link/ProgressDialog.h"
#include "resources/ResourceIds.h"

namespace kelp {

namespace {

// The dialog is created after the worker has started; no message may reach
// it before its window exists.
void WaitForWindow(const IProgressDialog& dialog) {
    while (!dialog.IsWindowCreated()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void SendStep(IProgressDialog& dialog, int done) {
    dialog.Target().Send(AppMessage{WM_APP_PROGRESS, PROGRESS_STEP, done, {}});
}

void PostEnd(IProgressDialog& dialog, bool failed, int done) {
    dialog.Target().Post(AppMessage{WM_APP_PROGRESS, failed ? PROGRESS_FAILED : PROGRESS_FINISHED, done, {}});
}

// Starts the worker and runs the dialog until the worker's final message.
template <typename Worker>
int RunJob(std::unique_ptr<CCsvFile> job, IProgressDialog& dialog, int titleId, Worker worker) {
    CEvent cancel;
    const int total = job->total;
    job->dialog = &dialog;
    job->cancel = &cancel;
    std::thread thread(worker, std::move(job));
    dialog.SetTotal(total);
    dialog.SetTitleId(titleId);
    dialog.SetCancelEvent(&cancel);
    const int result = dialog.DoModal();
    // The worker's last act after its final message is to end the job.
    thread.join();
    dialog.SetCancelEvent(nullptr);
    return result;
}

}  // namespace

int LoadDataFile(const std::string& path, CMeasDataSet& data, IProgressDialog& dialog) {
    auto job = std::make_unique<CCsvFile>();
    if (!job->OpenRead(path)) {
        return FILEJOB_OPEN_FAILED;
    }
    int total = 0;
    try {
        if (!job->ReadCsvLine(data.GetFieldList())) {
            return FILEJOB_OPEN_FAILED;
        }
        total = data.ParseFirstLine();
    } catch (EMemError) {
        return FILEJOB_OPEN_FAILED;
    } catch (ECsvError) {
        return FILEJOB_OPEN_FAILED;
    }
    job->total = total;
    job->dataSet = &data;
    const int result = RunJob(std::move(job), dialog, IDS_PROGRESS_LOADING, LoadThread);
    return result == 2 ? FILEJOB_FAILED : FILEJOB_OK;
}

void LoadThread(std::unique_ptr<CCsvFile> job) {
    IProgressDialog& dialog = *job->dialog;
    CMeasDataSet& data = *job->dataSet;
    WaitForWindow(dialog);
    std::vector<std::string_view> fields;
    int i = 0;
    bool failed = false;
    try {
        // A missing column line leaves no fields, which the parse rejects.
        job->ReadCsvLine(data.GetFieldList());
        data.ParseColumnLine();
        while (i < job->total && i < kMeasCapacity && !job->cancel->Wait(0) && job->ReadCsvFields(fields)) {
            data.ParseRecordLine(fields);
            ++i;
            SendStep(dialog, i);
        }
    } catch (EMemError) {
        failed = true;
    } catch (ECsvError) {
        failed = true;
    }
    job->Close();
    // The job (and with it the pointer to the caller's cancel event) ends
    // before the final message lets the caller go on.
    job.reset();
    PostEnd(dialog, failed, i);
}

int SaveDataFile(const std::string& path, CMeasDataSet& data, IProgressDialog& dialog, FileFailure* failure) {
    FileFailure reason;
    FileFailure& out = failure != nullptr ? *failure : reason;
    out = {};
    auto job = std::make_unique<CCsvFile>();
    if (!job->OpenSave(path)) {
        out = job->SaveFailure();
        return FILEJOB_OPEN_FAILED;
    }
    try {
        job->WriteText(data.FormatHeaderLines());
    } catch (ECsvError) {
        out = job->SaveFailure();
        return FILEJOB_OPEN_FAILED;
    }
    job->total = data.GetCount();
    job->dataSet = &data;
    const int result = RunJob(std::move(job), dialog, IDS_PROGRESS_SAVING,
                              [&out](std::unique_ptr<CCsvFile> j) { SaveThread(std::move(j), out); });
    return result == 2 ? FILEJOB_FAILED : FILEJOB_OK;
}

void SaveThread(std::unique_ptr<CCsvFile> job, FileFailure& failure) {
    IProgressDialog& dialog = *job->dialog;
    CMeasDataSet& data = *job->dataSet;
    WaitForWindow(dialog);
    int i = 0;
    bool failed = false;
    try {
        while (i < job->total && i < kMeasCapacity && !job->cancel->Wait(0)) {
            job->WriteText(data.FormatRecordLine(i));
            ++i;
            SendStep(dialog, i);
        }
    } catch (ECsvError) {
        failed = true;
        failure = job->SaveFailure();
    }
    // A cancelled save still replaces the file: the user gets the records
    // written so far under a line 1 that announces them all.
    if (!failed && !job->CommitSave()) {
        failed = true;
        failure = job->SaveFailure();
    }
    job->Close();
    job.reset();
    PostEnd(dialog, failed, i);
}

}  // namespace kelp
