#pragma once
#include <memory>
#include <string>

#include "data/FileReplacement.h"

namespace kelp {

class CCsvFile;
class CMeasDataSet;
class IProgressDialog;

// Results of the file jobs.
constexpr int FILEJOB_OK = 0;           // all read or written, or cancelled by the user
constexpr int FILEJOB_OPEN_FAILED = 1;  // not opened or created, or not one of our files
constexpr int FILEJOB_FAILED = 2;       // load: a line broke the format; save: writing failed

// Loads the data file at `path` into `data` (which must be empty) on a worker
// thread while `dialog` runs modally on the calling thread. Only a regular
// file is opened (a pipe or device at the name gives FILEJOB_OPEN_FAILED). A cancelled load
// keeps the records read so far and gives FILEJOB_OK. On FILEJOB_FAILED the
// records read before the broken line stay in `data`. FILEJOB_OPEN_FAILED
// comes back before the dialog is shown.
int LoadDataFile(const std::string& path, CMeasDataSet& data, IProgressDialog& dialog);

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
