#pragma once
#include <sys/types.h>

#include <string>

namespace kelp {

// Why a file could not be written or replaced.
enum class FileProblem {
    None,
    NotRegularFile,  // a device, pipe, socket or folder has the name
    UntrustedLink,   // a link of another user in a shared sticky folder
    NoPermission,    // neither the file nor its folder may be written
    DiskFull,
    ReadOnlyDisk,
    NoFolder,
    Other,  // see the errno
};

struct FileFailure {
    FileProblem problem = FileProblem::None;
    int error = 0;  // the errno behind it, when there is one
};

// The problem that a failed system call's errno stands for.
FileFailure FileFailureOf(int error);

// The reason of a failure in plain words, in the current language, to show
// under the message that the file could not be written.
std::string DescribeFileFailure(const FileFailure& failure);
// Message `stringId` followed by a blank line and that reason (the message
// alone when there is none).
std::string FileFailureMessage(int stringId, const FileFailure& failure);

// Replaces the content of a file without losing what the user had.
//
// The new content goes to a temporary file beside the target, which Commit
// flushes to disk and renames over it: a save that fails or is killed
// leaves the old file whole. The temporary file takes the target's owner,
// group and mode as far as the user may set them, and the temporary files
// that killed saves left in the folder are removed (only those of processes
// that no longer exist). Where a rename would lose something the target
// has, the new content is staged in memory and written over the target in
// place, after the disk space for it has been secured: a target with more
// than one hard link (the other names must see the new content too), and a
// writable target in a folder that the user may not change.
//
// A link is followed to the file it names. In a folder that everyone may
// write and only owners may delete from (the sticky bit, like /tmp), a link
// is followed only when it belongs to the user or to the folder's owner, as
// the kernel's protected_symlinks rule has it: anyone could have planted it.
class CFileReplacement final {
  public:
    CFileReplacement() = default;
    ~CFileReplacement();
    CFileReplacement(const CFileReplacement&) = delete;
    CFileReplacement& operator=(const CFileReplacement&) = delete;

    // Prepares the replacement of the file at `path` (which need not exist).
    // False, with Failure() set, when it cannot be replaced; nothing is
    // changed then.
    bool Begin(const std::string& path);
    // Where the new content is written, from the start, between Begin and
    // Commit. The replacement keeps ownership of the descriptor.
    int Fd() const { return stagingFd_; }
    // Makes the content written to Fd() the file's. False, with Failure()
    // set, when it could not; the old file is then untouched, except when an
    // in-place write fails after it began (a disk error: no longer safe).
    bool Commit();
    // For a file that must replace nothing: makes the content written to
    // Fd() the file `path` (in the folder of the path given to Begin, which
    // was free then) only if nothing has that name by now. False, with
    // Failure() set; when the name has been taken (error EEXIST) the content
    // stays ready for another name.
    bool CommitNew(const std::string& path);
    // Throws the new content away; the file stays as it was.
    void Abandon();

    const FileFailure& Failure() const { return failure_; }

    // A fresh name for a temporary file named `name` in `folder`: hidden,
    // and naming this process, so that a later save into the folder removes
    // it once this process has ended without removing it itself (a kill).
    static std::string TemporaryName(const std::string& folder, const std::string& name);

  private:
    // Removes the temporary files of saves into `folder` whose process has
    // ended (owned by this user, named as this class names them).
    static void RemoveStaleTemporaries(const std::string& folder);

    bool Fail(FileProblem problem, int error);
    bool FailWithErrno(int error);
    bool ResolveTarget(const std::string& path, bool& exists);
    bool BeginRename(bool exists);
    bool BeginInPlace();
    bool CommitRename();
    bool CommitInPlace();

    std::string target_;
    std::string temporary_;
    int stagingFd_ = -1;
    int targetFd_ = -1;  // in place: the target, opened for writing
    bool inPlace_ = false;
    // The target as it was at Begin: its owner, group, mode and number of
    // hard links; its size when it is opened to be written in place.
    uid_t uid_ = 0;
    gid_t gid_ = 0;
    mode_t mode_ = 0;
    nlink_t links_ = 0;
    off_t size_ = 0;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    FileFailure failure_;
};

}  // namespace kelp
