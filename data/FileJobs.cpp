#include "data/FileJobs.h"

#include <chrono>
#include <new>
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

// Hands the lines done over to the dialog as often as a person can see a
// change, not per line: a hand-over per line costs two thread switches,
// several times the work of the line itself. Every hand-over is posted, so
// the worker never waits for the dialog. Messages travel through the
// dialog's queue, which exists before its window does and is read only by
// its modal loop; nothing posted early is lost.
class CStepReporter final {
  public:
    using Clock = std::chrono::steady_clock;
    // About 60 a second, the rate a screen shows.
    static constexpr auto kInterval = std::chrono::milliseconds(16);

    // The first line is handed over at once: the counter shows the job has
    // begun.
    explicit CStepReporter(IProgressDialog& dialog) : dialog_(dialog) {}

    void Step(int done) {
        const auto now = Clock::now();
        if (now >= next_) {
            Post(PROGRESS_STEP, done);
            next_ = now + kInterval;
        }
    }

    // The count as it ends, then the end: the last bar and counter drawn
    // show what was done.
    void End(bool failed, int done) {
        if (done != reported_) {
            Post(PROGRESS_STEP, done);
        }
        Post(failed ? PROGRESS_FAILED : PROGRESS_FINISHED, done);
    }

  private:
    void Post(std::uintptr_t code, int done) {
        dialog_.Target().Post(AppMessage{WM_APP_PROGRESS, code, done, {}});
        if (code == PROGRESS_STEP) {
            reported_ = done;
        }
    }

    IProgressDialog& dialog_;
    Clock::time_point next_{};
    int reported_ = 0;
};

// Starts the worker and runs the dialog until the worker's final message.
template <typename Worker>
int RunJob(std::unique_ptr<CCsvFile> job, IProgressDialog& dialog, int titleId, Worker worker) {
    CEvent cancel;
    const int total = job->total;
    job->dialog = &dialog;
    job->cancel = &cancel;
    // Set up before the worker can post anything.
    dialog.SetTotal(total);
    dialog.SetTitleId(titleId);
    dialog.SetCancelEvent(&cancel);
    std::thread thread(worker, std::move(job));
    const int result = dialog.DoModal();
    // The worker's last act after its final message is to end the job.
    thread.join();
    dialog.SetCancelEvent(nullptr);
    return result;
}

// The record lines after the current one, up to `most`; a read error ends
// the count where it happened.
int CountRecordLines(CCsvFile& file, int most) {
    int lines = 0;
    try {
        while (lines < most && file.SkipLine()) {
            ++lines;
        }
    } catch (ECsvError) {
    }
    return lines;
}

// Where a load that failed at `line` says why: the file error `error`
// (ECsvError), or else the data set's parse fault.
void NoteFailure(LoadFailure* failure, int line, const CCsvFile& file, const CMeasDataSet& data,
                 const ECsvError* error) {
    if (failure == nullptr) {
        return;
    }
    failure->line = line;
    if (error == nullptr) {
        failure->kind = LoadFailure::Kind::Line;
        failure->fault = data.LastParseFault();
    } else if (*error == ECsvError::LineTooLong) {
        failure->kind = LoadFailure::Kind::TooLong;
    } else {
        failure->kind = LoadFailure::Kind::Read;
        failure->error = file.ReadError();
    }
}

int StartLoad(const std::string& path, CMeasDataSet& data, IProgressDialog& dialog, const FullDataSet* full,
              int* fileRecords, LoadFailure* failure) {
    if (fileRecords != nullptr) {
        *fileRecords = 0;
    }
    if (failure != nullptr) {
        *failure = {};
    }
    auto job = std::make_unique<CCsvFile>();
    if (!job->OpenRead(path)) {
        if (failure != nullptr) {
            failure->kind = LoadFailure::Kind::Open;
            failure->error = job->ReadError();
        }
        return FILEJOB_OPEN_FAILED;
    }
    int total = 0;
    try {
        if (!job->ReadCsvLine(data.GetFieldList())) {
            if (failure != nullptr) {
                failure->kind = LoadFailure::Kind::Empty;
                failure->line = 1;
            }
            return FILEJOB_OPEN_FAILED;
        }
        total = data.ParseFirstLine();
    } catch (EMemError) {
        NoteFailure(failure, 1, *job, data, nullptr);
        return FILEJOB_OPEN_FAILED;
    } catch (ECsvError error) {
        NoteFailure(failure, 1, *job, data, &error);
        return FILEJOB_OPEN_FAILED;
    }
    // One allocation for what line 1 announces; a file that holds more or
    // fewer only wastes or adds a little.
    data.MakeRoom(total);
    job->total = total;
    job->dataSet = &data;
    job->whenFull = full;
    job->fileRecords = fileRecords;
    job->failure = failure;
    const int result = RunJob(std::move(job), dialog, IDS_PROGRESS_LOADING, LoadThread);
    return result == 2 ? FILEJOB_FAILED : FILEJOB_OK;
}

}  // namespace

int LoadDataFile(const std::string& path, CMeasDataSet& data, IProgressDialog& dialog, int* fileRecords,
                 LoadFailure* failure) {
    return StartLoad(path, data, dialog, nullptr, fileRecords, failure);
}

int LoadAllRecords(const std::string& path, CMeasDataSet& data, IProgressDialog& dialog,
                   const FullDataSet& full, LoadFailure* failure) {
    return StartLoad(path, data, dialog, &full, nullptr, failure);
}

void LoadThread(std::unique_ptr<CCsvFile> job) {
    IProgressDialog& dialog = *job->dialog;
    CMeasDataSet& data = *job->dataSet;
    CStepReporter reporter(dialog);
    // A set that takes nothing cannot be handed on full again and again.
    const bool goOn = job->whenFull != nullptr && data.GetCapacity() > 0;
    std::vector<std::string_view> fields;
    int i = 0;
    bool failed = false;
    // The line being read or parsed: the column line, then record i's.
    int line = 2;
    try {
        // A missing column line leaves no fields, which the parse rejects.
        job->ReadCsvLine(data.GetFieldList());
        data.ParseColumnLine();
        while (i < job->total && !job->cancel->Wait(0)) {
            line = i + 3;
            if (!job->ReadCsvFields(fields)) {
                break;
            }
            if (data.GetCount() >= data.GetCapacity()) {
                if (!goOn) {
                    // The line just read and those after it did not fit.
                    if (job->fileRecords != nullptr) {
                        *job->fileRecords = i + 1 + CountRecordLines(*job, job->total - i - 1);
                    }
                    break;
                }
                if (!(*job->whenFull)(data)) {
                    break;
                }
                data.Clear();
            }
            data.ParseRecordLine(fields);
            ++i;
            reporter.Step(i);
        }
    } catch (EMemError) {
        failed = true;
        NoteFailure(job->failure, line, *job, data, nullptr);
    } catch (ECsvError error) {
        failed = true;
        NoteFailure(job->failure, line, *job, data, &error);
    } catch (const std::bad_alloc&) {
        failed = true;
    }
    job->Close();
    // The job (and with it the pointer to the caller's cancel event) ends
    // before the final message lets the caller go on.
    job.reset();
    reporter.End(failed, i);
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
    CStepReporter reporter(dialog);
    int i = 0;
    bool failed = false;
    try {
        while (i < job->total && i < kMeasCapacity && !job->cancel->Wait(0)) {
            job->WriteText(data.FormatRecordLine(i));
            ++i;
            reporter.Step(i);
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
    reporter.End(failed, i);
}

}  // namespace kelp
