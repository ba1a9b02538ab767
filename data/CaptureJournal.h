#pragma once
#include <sys/types.h>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "data/Catalogue.h"

namespace kelp {

class CMeasDataSet;

// A copy on disk of the live capture, kept so that a crash, a killed process
// or a power cut does not lose records that exist nowhere else until the
// user saves them.
//
// The file is an ordinary data file whose line 1 announces the full capacity
// (10000 records), so that the ordinary loader reads a journal of any length
// up to its end. Every record line goes to the system as soon as it is
// appended (a killed process loses nothing); a thread of the journal syncs
// the file to disk within a second of each change, and Finish syncs it once
// more. Lines are the data set's own CSV lines, in the file's code page.
//
// Life: Start when a capture starts, Append for every stored record, Finish
// when the run ends (the file stays: the data are still unsaved), Remove
// only once the user let the data go: saved them, or chose to discard them.
// Whatever else ends the process leaves the file, and at the next start
// Recover finds it.
//
// Only a regular file is ever opened at the journal's name, never through a
// symbolic link, never inherited by a child process, and never in a way
// that could wait: a link, a FIFO, a socket or a device found there is set
// aside (renamed) instead.
//
// The journal only ever grows: a write that fails (a full disk) leaves every
// complete line in place, and the next append writes what is missing. Where
// the lines must be written anew (the slot elements changed under records
// already written), a new file takes the old one's place only once it is
// complete. A journal whose file was removed under it (its folder deleted,
// its medium pulled) is lost: it takes no more lines and says so.
//
// From Start until Remove, SetAside or the end of the object, the process
// holds a lock on the file, so that another process can tell a journal that
// is being written from one that a killed process left (IsInUse).
//
// All calls come from one thread (the window's).
class CCaptureJournal final {
  public:
    static constexpr const char* kFileName = "CaptureJournal.csv";
    // The record count that line 1 announces.
    static constexpr int kAnnouncedRecords = 10000;
    // The longest time a written line stays unsynced.
    static constexpr int kSyncIntervalMs = 1000;
    // The most bytes of lines written at once.
    static constexpr std::size_t kWriteChunkBytes = 16 * 1024;

    // The journal lives in `folder` (the settings folder). An empty folder
    // (no settings folder known) gives a journal that keeps nothing.
    explicit CCaptureJournal(const std::string& folder);
    // A journal under another name in `folder` (a capture that must not
    // share the window's journal).
    CCaptureJournal(const std::string& folder, const std::string& fileName);
    ~CCaptureJournal();
    CCaptureJournal(const CCaptureJournal&) = delete;
    CCaptureJournal& operator=(const CCaptureJournal&) = delete;

    // The folder for the journal of a program at `programPath` whose settings
    // file is `settingsPath`: the settings file's folder, unless that is the
    // program's own folder (where the settings go when their folder cannot
    // be made), which is no place for the user's data. Then
    // $XDG_CACHE_HOME (else ~/.cache) /TARVIK/KELPWIN, or failing that
    // $XDG_RUNTIME_DIR/TARVIK/KELPWIN, made when missing; empty when none
    // can be had.
    static std::string FolderFor(const std::string& settingsPath, const std::string& programPath);

    const std::string& Folder() const { return folder_; }
    const std::string& Path() const { return path_; }
    bool IsOpen() const { return fd_ >= 0; }
    bool Exists() const;

    // True when another process (or another journal object) holds the
    // journal at `path`: a capture that is still running.
    static bool IsInUse(const std::string& path);

    // ---- during a capture ----
    // Creates (or empties) the file and writes line 1 and line 2 from `data`.
    // With `exclusive` the file must not exist yet (errno EEXIST when it
    // does): the journal then reserves its name. False when the file cannot
    // be written; the capture may go on without.
    bool Start(CMeasDataSet& data, bool exclusive = false);
    // Start, then the lines of every record `data` holds.
    bool StartWith(CMeasDataSet& data, bool exclusive = false);
    // Appends the line of `record`, normally the record just stored, after
    // the lines of any earlier records that a failed write left out. When
    // the slot elements of `data` differ from those of line 2 (the first
    // record sets them), or `record` is one the file already holds, the
    // file is written anew up to `record`. False when the lines could not
    // all be written (the file keeps every line it held), or when the
    // journal is lost.
    bool Append(CMeasDataSet& data, int record);
    // The file was removed, or another file took its name, while it was
    // open: what is written to it is gone.
    bool IsLost() const { return lost_; }
    // True when the file at the journal's name is this journal's and holds
    // its header and the lines of exactly `records` records: what a message
    // may say before it tells the user that the records are in the journal.
    bool Holds(int records) const;
    // Syncs and closes the file; the file stays.
    void Finish();
    // Finish, then delete the file. True when no journal file remains.
    bool Remove();

    // Writes the journal anew from every record of `data` and closes it:
    // for unsaved records that did not come line by line from a capture (an
    // import, a restore from a damaged journal). False when it cannot.
    bool WriteFrom(CMeasDataSet& data);

    // ---- at start-up ----
    // Loads the journal into `data` (cleared first) as Recover does, but
    // leaves the file as it is whatever it holds.
    int Read(CMeasDataSet& data);
    // Loads the journal into `data` (cleared first) and returns the number
    // of records restored: every intact record line, wherever it stands; a
    // line that breaks the format (damaged, or cut by the end of the
    // process) is skipped and counted in UnreadableLines. Restored data have
    // no file name. The file stays, whatever was restored. A journal that
    // restores nothing is removed when it holds nothing (a plain header, an
    // empty file) and set aside otherwise. No file: 0.
    int Recover(CMeasDataSet& data);
    // Lines of the last Recover that could not be read: record lines that
    // break the format, and every line when line 1 or 2 does.
    int UnreadableLines() const { return unreadable_; }
    // The record count line 1 of the last Read or Recover announced: a
    // journal announces kAnnouncedRecords, a finished data file what it
    // holds; -1 when line 1 could not be read.
    int Announced() const { return announced_; }
    // Renames the journal to CaptureJournal-YYYYMMDD-HHMMSS.csv (the time of
    // its last change; "-2", "-3" ... added when the name is taken) in the
    // same folder and returns the new path; empty when it could not.
    std::string SetAside();

    // For tests: records written since Start, and syncs done.
    int RecordsWritten() const { return recordsWritten_; }
    int SyncCount() const { return syncs_.load(); }

  private:
    // Opens the journal's name as a regular file with `flags`; whatever
    // else stands there is set aside first. -1 on failure.
    int OpenRegular(int flags);
    bool WriteHeader(CMeasDataSet& data);
    // Writes line 1, line 2 and records 0 to `through` anew: in place while
    // the file holds no record, else into a new file that replaces it once
    // complete.
    bool Rewrite(CMeasDataSet& data, int through);
    bool Replace(CMeasDataSet& data, int through);
    // Writes the lines of records `from` to `through` at the end.
    bool WriteRecords(CMeasDataSet& data, int from, int through);
    // Notes (and returns) whether the file is no longer at the journal's name.
    bool CheckLost();
    // Takes the lock of the file open at `fd`; false when another holds it.
    bool Lock(int fd);
    void Unlock();
    // Writes at the end of what the file holds; on failure cuts the file
    // back so that no partial line stays in it.
    bool WriteAll(std::string_view bytes);
    void MarkDirty();
    void SyncNow();
    void SyncLoop();
    void StopSyncThread();

    std::string folder_;
    std::string path_;
    int fd_ = -1;
    int lockFd_ = -1;  // the lock's own descriptor: it outlives Finish
    dev_t device_ = 0;
    ino_t inode_ = 0;
    off_t size_ = 0;
    bool headerWritten_ = false;
    bool lost_ = false;
    int recordsWritten_ = 0;
    int unreadable_ = 0;
    int announced_ = -1;
    std::array<std::uint8_t, kSlotCount> elements_{};

    std::mutex mutex_;
    std::condition_variable wake_;
    bool dirty_ = false;
    bool stop_ = false;
    std::atomic<int> syncs_{0};
    std::thread syncer_;
};

}  // namespace kelp
