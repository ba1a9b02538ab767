#pragma once
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/CsvError.h"
#include "data/FileReplacement.h"

namespace kelp {

class CEvent;
class CMeasDataSet;
class IProgressDialog;
struct LoadFailure;

// A data file opened for one load or save job, and the state of that job.
//
// Reading splits lines into fields (ReadCsvLine); a line may end in CR LF or
// LF, and a UTF-8 byte-order mark at the start of the file is skipped.
// Saving replaces the target through CFileReplacement: the lines go to a
// temporary file that CommitSave makes the target's content, so that a
// failed save leaves the old file as it was.
class CCsvFile final {
  public:
    CCsvFile() = default;
    ~CCsvFile();
    CCsvFile(const CCsvFile&) = delete;
    CCsvFile& operator=(const CCsvFile&) = delete;

    // Opens a regular file only, and never waits on what is at the name (a
    // pipe or a device).
    bool OpenRead(const std::string& path);
    // Reads from a stream opened by the caller (a file in memory, say); the
    // file takes it over and closes it.
    bool OpenRead(std::FILE* stream);
    // Prepares the replacement of `path`; false (see SaveFailure) when it
    // cannot be replaced.
    bool OpenSave(const std::string& path);
    // Writes straight to `stream` (standard output, say), which stays the
    // caller's: nothing is replaced, and CommitSave only flushes it.
    bool OpenWrite(std::FILE* stream);
    bool IsOpen() const { return file_ != nullptr; }
    // The errno of a failed OpenRead, or of the read that threw
    // ECsvError::ReadFailed.
    int ReadError() const { return readError_; }

    // Passes over one line without keeping it, however long; false at the
    // end of the file and for an empty line (as ReadCsvLine). Throws
    // ECsvError on a read error.
    bool SkipLine();
    // Reads one line and splits it into `fields`. False at the end of the
    // file and for an empty line. Throws ECsvError on a read error or a line
    // longer than kMaxLineBytes.
    bool ReadCsvLine(std::vector<std::string>& fields);
    // ReadCsvLine without copies: the fields are views, valid until the
    // next line is read.
    bool ReadCsvFields(std::vector<std::string_view>& fields);
    // Throws ECsvError::WriteFailed when the system refuses the bytes.
    void WriteText(std::string_view text);
    // Makes the lines written the target's content. False (and the target
    // untouched) on any failure. For OpenWrite: false when the stream
    // refuses the last bytes.
    bool CommitSave();
    // Why OpenSave, WriteText or CommitSave failed.
    FileFailure SaveFailure() const {
        return writeError_ != 0 ? FileFailureOf(writeError_) : replacement_.Failure();
    }
    // Closes the file; a save not committed is thrown away.
    void Close();

    // The splitting rule of ReadCsvLine on a line without its line end:
    // '"' toggles quoting and is dropped, ',' outside quotes ends a field; an
    // empty last field is kept only after a ','.
    static void SplitCsvLine(std::string_view line, std::vector<std::string>& fields);
    // The same rule giving views: of `line` where a field stands in one
    // piece, else of `pieces`, where the field is put together.
    static void SplitCsvLine(std::string_view line, std::vector<std::string_view>& fields,
                             std::string& pieces);

    static constexpr std::size_t kMaxLineBytes = 64 * 1024;

    // The job this file belongs to (none of them owned).
    int total = 0;  // lines to process: N of line 1, or the records to save
    CMeasDataSet* dataSet = nullptr;
    IProgressDialog* dialog = nullptr;
    CEvent* cancel = nullptr;
    // A load that goes on past a full data set, and where a load that
    // stops there says how many records the file holds.
    const std::function<bool(CMeasDataSet&)>* whenFull = nullptr;
    int* fileRecords = nullptr;
    // Where a load that fails says why (may be null).
    LoadFailure* failure = nullptr;

  private:
    // The next line without its line end: a view of the buffer, or of
    // line_ when it spans two reads; valid until the next read.
    bool ReadLine(std::string_view& line);
    bool Refill();
    // Between OpenSave and the end of the save (commit or close).
    bool Saving() const { return replacement_.Fd() >= 0; }

    std::FILE* file_ = nullptr;
    // Reading: a buffer of our own, so that any byte (NUL included) is data.
    std::unique_ptr<char[]> buffer_;
    std::size_t bufferPos_ = 0;
    std::size_t bufferLen_ = 0;
    bool atStart_ = true;
    bool eof_ = false;
    int readError_ = 0;
    std::string line_;
    std::string pieces_;  // fields that quotes split, put together
    // Saving.
    bool streaming_ = false;  // writing to the caller's stream (OpenWrite)
    CFileReplacement replacement_;
    int writeError_ = 0;  // errno of a failed write
    std::size_t written_ = 0;
    std::size_t startedToDisk_ = 0;
};

}  // namespace kelp
