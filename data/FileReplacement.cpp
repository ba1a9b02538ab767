#include "data/FileReplacement.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <random>
#include <string_view>
#include <system_error>
#include <vector>

#include "data/RegularFile.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp {

namespace {

// Links followed before the name counts as a loop, as the kernel counts.
constexpr int kMaxLinkHops = 40;
// Free space kept beyond the growth of a file written in place, when the
// file system cannot reserve the blocks themselves.
constexpr off_t kSpaceMarginBytes = 64 * 1024;
// The longest part of the target's name that goes into a temporary name,
// so that the whole stays within the 255 bytes of a name.
constexpr std::size_t kMaxStemBytes = 200;
constexpr std::string_view kTemporarySuffix = ".tmp";

// The folder of `path` to open or to put names into: "." for a bare name.
std::string FolderToUse(const std::string& path) {
    std::string folder = FolderOf(path);
    return folder.empty() ? std::string(".") : folder;
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool AllDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The process id in a temporary name ".NAME.PID-N-R.tmp", or 0 for any
// other name.
pid_t TemporaryOwner(std::string_view name) {
    if (name.size() < 2 || name.front() != '.' || !name.ends_with(kTemporarySuffix)) {
        return 0;
    }
    name.remove_suffix(kTemporarySuffix.size());
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) {
        return 0;
    }
    const std::string_view tag = name.substr(dot + 1);
    const auto first = tag.find('-');
    const auto second = first == std::string_view::npos ? first : tag.find('-', first + 1);
    if (second == std::string_view::npos || !AllDigits(tag.substr(0, first)) ||
        !AllDigits(tag.substr(first + 1, second - first - 1)) || !AllDigits(tag.substr(second + 1)) ||
        first > 9) {
        return 0;
    }
    long long pid = 0;
    for (const char c : tag.substr(0, first)) {
        pid = pid * 10 + (c - '0');
    }
    return pid > 0 && pid <= 0x7fffffff ? static_cast<pid_t>(pid) : 0;
}

// A file only in memory (or, without that, an unnamed one in /tmp), for the
// content that is written over a target in place.
int CreateStagingFile() {
    const int fd = ::memfd_create("kelp-save", MFD_CLOEXEC);
    if (fd >= 0) {
        return fd;
    }
    return ::open("/tmp", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
}

}  // namespace

FileFailure FileFailureOf(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return {FileProblem::NoPermission, error};
        case ENOSPC:
        case EDQUOT:
            return {FileProblem::DiskFull, error};
        case EROFS:
            return {FileProblem::ReadOnlyDisk, error};
        case ENOENT:
        case ENOTDIR:
            return {FileProblem::NoFolder, error};
        case EISDIR:
        case ENXIO:
            return {FileProblem::NotRegularFile, error};
        default:
            return {FileProblem::Other, error};
    }
}

std::string DescribeFileFailure(const FileFailure& failure) {
    switch (failure.problem) {
        case FileProblem::None:
            return {};
        case FileProblem::NotRegularFile:
            return LoadText(IDS_FILE_REASON_NOT_REGULAR);
        case FileProblem::UntrustedLink:
            return LoadText(IDS_FILE_REASON_UNTRUSTED_LINK);
        case FileProblem::NoPermission:
            return LoadText(IDS_FILE_REASON_PERMISSION);
        case FileProblem::DiskFull:
            return LoadText(IDS_FILE_REASON_DISK_FULL);
        case FileProblem::ReadOnlyDisk:
            return LoadText(IDS_FILE_REASON_READ_ONLY);
        case FileProblem::NoFolder:
            return LoadText(IDS_FILE_REASON_NO_FOLDER);
        case FileProblem::Other:
            break;
    }
    // generic_category().message is strerror without its shared buffer.
    return LoadText(IDS_FILE_REASON_OTHER) + std::generic_category().message(failure.error);
}

std::string FileFailureMessage(int stringId, const FileFailure& failure) {
    const std::string reason = DescribeFileFailure(failure);
    return reason.empty() ? LoadText(stringId) : LoadText(stringId) + "\n\n" + reason;
}

CFileReplacement::~CFileReplacement() {
    Abandon();
}

bool CFileReplacement::Fail(FileProblem problem, int error) {
    failure_ = FileFailure{problem, error};
    Abandon();
    return false;
}

bool CFileReplacement::FailWithErrno(int error) {
    const FileFailure failure = FileFailureOf(error);
    return Fail(failure.problem, failure.error);
}

bool CFileReplacement::ResolveTarget(const std::string& path, bool& exists) {
    std::string name = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(name.c_str(), &st) != 0) {
            if (errno != ENOENT) {
                return FailWithErrno(errno);
            }
            // A new file (or the missing file that a link names).
            target_ = name;
            exists = false;
            return true;
        }
        if (!S_ISLNK(st.st_mode)) {
            if (!S_ISREG(st.st_mode)) {
                return Fail(FileProblem::NotRegularFile, 0);
            }
            target_ = name;
            exists = true;
            uid_ = st.st_uid;
            gid_ = st.st_gid;
            mode_ = st.st_mode;
            links_ = st.st_nlink;
            device_ = st.st_dev;
            inode_ = st.st_ino;
            return true;
        }
        const std::string folder = FolderToUse(name);
        struct stat dir {};
        if (::stat(folder.c_str(), &dir) == 0 && (dir.st_mode & S_ISVTX) != 0 &&
            (dir.st_mode & S_IWOTH) != 0 && st.st_uid != ::geteuid() && st.st_uid != dir.st_uid) {
            return Fail(FileProblem::UntrustedLink, 0);
        }
        std::vector<char> link(static_cast<std::size_t>(std::max<off_t>(st.st_size, 255)) + 1);
        const ssize_t n = ::readlink(name.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= link.size()) {
            return FailWithErrno(n < 0 ? errno : EIO);
        }
        const std::string to(link.data(), static_cast<std::size_t>(n));
        name = to.front() == '/' ? to : folder + "/" + to;
    }
    return Fail(FileProblem::Other, ELOOP);
}

bool CFileReplacement::Begin(const std::string& path) {
    Abandon();
    failure_ = {};
    bool exists = false;
    if (!ResolveTarget(path, exists)) {
        return false;
    }
    const std::string folder = FolderToUse(target_);
    struct stat dir {};
    if (::stat(folder.c_str(), &dir) != 0) {
        return FailWithErrno(errno);
    }
    if (!S_ISDIR(dir.st_mode)) {
        return Fail(FileProblem::NoFolder, ENOTDIR);
    }
    const bool folderWritable = ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
    const int folderError = errno;
    if (folderWritable) {
        RemoveStaleTemporaries(folder);
    }
    if (!exists) {
        return folderWritable ? BeginRename(false) : FailWithErrno(folderError);
    }
    // A file the user has made read-only stays as it is: a rename could
    // replace it, but that is not what the protection asks for.
    if (::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) {
        return FailWithErrno(errno);
    }
    // In a sticky folder only the owner of the file or of the folder may
    // rename over the file.
    const uid_t me = ::geteuid();
    const bool stickyKeepsName = (dir.st_mode & S_ISVTX) != 0 && uid_ != me && dir.st_uid != me;
    if (links_ > 1 || !folderWritable || stickyKeepsName) {
        return BeginInPlace();
    }
    return BeginRename(true);
}

std::string CFileReplacement::TemporaryName(const std::string& folder, const std::string& name) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    return (folder.empty() ? std::string() : folder + "/") + "." + name.substr(0, kMaxStemBytes) + "." +
           std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(random() % 1000000) + std::string(kTemporarySuffix);
}

bool CFileReplacement::BeginRename(bool exists) {
    const std::string folder = FolderToUse(target_);
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary_ = TemporaryName(folder, NameOf(target_));
        fd = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        const int error = errno;
        temporary_.clear();
        return FailWithErrno(error);
    }
    stagingFd_ = fd;
    if (exists) {
        // Whoever owned the file keeps it, as far as the user may say so:
        // a group of the user's is always possible, another owner only for
        // the administrator. The mode comes last, as a change of owner
        // clears the set-id bits.
        if (::fchown(fd, uid_, gid_) != 0) {
            [[maybe_unused]] const int groupOnly = ::fchown(fd, static_cast<uid_t>(-1), gid_);
        }
        (void)::fchmod(fd, mode_ & 07777);
    }
    return true;
}

bool CFileReplacement::BeginInPlace() {
    // Non-blocking, should a pipe have taken the file's place since it was looked at.
    targetFd_ = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (targetFd_ < 0) {
        return FailWithErrno(errno);
    }
    struct stat st {};
    if (::fstat(targetFd_, &st) != 0 || !S_ISREG(st.st_mode) || st.st_dev != device_ || st.st_ino != inode_) {
        return Fail(FileProblem::NotRegularFile, 0);
    }
    size_ = st.st_size;
    stagingFd_ = CreateStagingFile();
    if (stagingFd_ < 0) {
        return FailWithErrno(errno);
    }
    inPlace_ = true;
    return true;
}

bool CFileReplacement::Commit() {
    if (stagingFd_ < 0) {
        return Fail(FileProblem::Other, EBADF);
    }
    return inPlace_ ? CommitInPlace() : CommitRename();
}

bool CFileReplacement::CommitRename() {
    int error = 0;
    if (::fsync(stagingFd_) != 0) {
        error = errno;
    }
    if (::close(stagingFd_) != 0 && error == 0) {
        error = errno;
    }
    stagingFd_ = -1;
    if (error == 0 && std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        return FailWithErrno(error);
    }
    temporary_.clear();
    // The rename itself is made durable with the folder.
    SyncFolder(FolderToUse(target_));
    return true;
}

bool CFileReplacement::CommitNew(const std::string& path) {
    if (stagingFd_ < 0 || inPlace_) {
        return Fail(FileProblem::Other, EBADF);
    }
    if (::fsync(stagingFd_) != 0) {
        return FailWithErrno(errno);
    }
    if (!RenameNoReplace(temporary_, path)) {
        if (errno == EEXIST) {
            failure_ = FileFailure{FileProblem::Other, EEXIST};
            return false;
        }
        return FailWithErrno(errno);
    }
    temporary_.clear();
    // The content was on the disk before the name appeared.
    ::close(stagingFd_);
    stagingFd_ = -1;
    SyncFolder(FolderToUse(path));
    return true;
}

bool CFileReplacement::CommitInPlace() {
    const off_t size = ::lseek(stagingFd_, 0, SEEK_END);
    if (size < 0) {
        return FailWithErrno(errno);
    }
    // Secure the space before the first byte is overwritten: a disk that
    // fills up half-way would leave neither the old content nor the new.
    if (size > size_ && ::fallocate(targetFd_, FALLOC_FL_KEEP_SIZE, 0, size) != 0) {
        const int error = errno;
        if (error != EOPNOTSUPP && error != ENOSYS && error != EINVAL) {
            return FailWithErrno(error);
        }
        struct statvfs vfs {};
        if (::fstatvfs(targetFd_, &vfs) == 0 &&
            static_cast<unsigned long long>(vfs.f_bavail) * vfs.f_frsize <
                static_cast<unsigned long long>(size - size_ + kSpaceMarginBytes)) {
            return Fail(FileProblem::DiskFull, ENOSPC);
        }
    }
    std::vector<char> chunk(256 * 1024);
    for (off_t at = 0; at < size;) {
        const ssize_t n = ::pread(stagingFd_, chunk.data(), chunk.size(), at);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return FailWithErrno(n < 0 ? errno : EIO);
        }
        if (!WriteAllAt(targetFd_, std::string_view(chunk.data(), static_cast<std::size_t>(n)), at)) {
            return FailWithErrno(errno);
        }
        at += n;
    }
    if (::ftruncate(targetFd_, size) != 0 || ::fsync(targetFd_) != 0) {
        return FailWithErrno(errno);
    }
    const int closed = ::close(targetFd_);
    targetFd_ = -1;
    if (closed != 0) {
        return FailWithErrno(errno);
    }
    Abandon();
    return true;
}

void CFileReplacement::Abandon() {
    if (stagingFd_ >= 0) {
        ::close(stagingFd_);
        stagingFd_ = -1;
    }
    if (targetFd_ >= 0) {
        ::close(targetFd_);
        targetFd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    inPlace_ = false;
}

void CFileReplacement::RemoveStaleTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    const pid_t self = ::getpid();
    const uid_t me = ::geteuid();
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t owner = TemporaryOwner(entry->d_name);
        // A process that exists, or that the user may not signal, may still
        // be writing its file.
        if (owner == 0 || owner == self || ::kill(owner, 0) == 0 || errno != ESRCH) {
            continue;
        }
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == me) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

}  // namespace kelp
