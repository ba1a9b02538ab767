#pragma once
#include <functional>
#include <memory>
#include <string>

#include "data/FileReplacement.h"
#include "data/MeasDataSet.h"

namespace kelp {

class CCsvFile;
class IProgressDialog;

// Results of the file jobs.
constexpr int FILEJOB_OK = 0;           // all read or written, or cancelled by the user
constexpr int FILEJOB_OPEN_FAILED = 1;  // not opened or created, or not one of our files
constexpr int FILEJOB_FAILED = 2;       // load: a line broke the format; save: writing failed

// Why a load gave FILEJOB_OPEN_FAILED or FILEJOB_FAILED.
struct LoadFailure {
    enum class Kind {
        None,
        Open,     // not opened: `error` (EINVAL: not a regular file)
        Empty,    // line 1 empty or missing
        Read,     // a read failed at `line`: `error`
        TooLong,  // `line` is longer than a line of ours can be
        Line,     // `line` breaks the format: `fault` (line 1: NotDataFile and others)
    };
    Kind kind = Kind::None;
    int error = 0;
    int line = 0;  // 1-based
    ParseFault fault;
};

// Loads the data file at `path` into `data` (which must be empty) on a worker
// thread while `dialog` runs modally on the calling thread. Only a regular
// file is opened (a pipe or device at the name gives FILEJOB_OPEN_FAILED). A cancelled load
// keeps the records read so far and gives FILEJOB_OK. On FILEJOB_FAILED the
// records read before the broken line stay in `data`. FILEJOB_OPEN_FAILED
// comes back before the dialog is shown. A file of more records than `data`
// takes fills it; `fileRecords` (when given) then receives how many records
// the file holds (its record lines up to the count of line 1, counted, not
// read), and 0 when `data` took them all. `failure` (when given) receives
// why a load failed.
int LoadDataFile(const std::string& path, CMeasDataSet& data, IProgressDialog& dialog,
                 int* fileRecords = nullptr, LoadFailure* failure = nullptr);

// Called with a full data set while more records follow; false stops the
// load as Cancel does.
using FullDataSet = std::function<bool(CMeasDataSet&)>;

// Loads every record of the file however many it holds, a data set's
// capacity at a time: LoadDataFile, except that whenever `data` is full and
// another record follows, `full` is called with it (on the worker thread,
// while the caller waits in the dialog) and `data` is emptied, its slot
// elements kept, for the records after it. The last records stay in `data`.
int LoadAllRecords(const std::string& path, CMeasDataSet& data, IProgressDialog& dialog,
                   const FullDataSet& full, LoadFailure* failure = nullptr);

// Saves `data` (at least one record) to `path` on a worker thread while
// `dialog` runs modally. The file at `path` is replaced only when the job
// ends without error (a cancelled save gives the records written so far); on
// FILEJOB_OPEN_FAILED or FILEJOB_FAILED it is untouched. `failure` (when
// given) receives the reason of a failure that the file system gave.
int SaveDataFile(const std::string& path, CMeasDataSet& data, IProgressDialog& dialog,
                 FileFailure* failure = nullptr);

// The worker functions; each owns its job and ends it.
void LoadThread(std::unique_ptr<CCsvFile> job);
void SaveThread(std::unique_ptr<CCsvFile> job, FileFailure& failure);

}  // namespace kelp
