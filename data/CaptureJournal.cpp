#include "data/CaptureJournal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

#include "data/CsvError.h"
#include "data/CsvFile.h"
#include "data/MeasDataSet.h"
#include "data/RegularFile.h"

namespace kelp {

namespace {

// Line 1 of `header` with its record count replaced by `count`; empty when
// the header does not have the shape of our line 1 (quoted fields, last one
// the count).
std::string AnnounceCount(std::string header, int count) {
    const std::size_t end = header.find('\n');
    if (end == std::string::npos) {
        return {};
    }
    std::size_t close = end;
    if (close > 0 && header[close - 1] == '\r') {
        --close;
    }
    if (close < 2 || header[close - 1] != '"') {
        return {};
    }
    --close;
    const std::size_t open = header.rfind('"', close - 1);
    if (open == std::string::npos || open == 0 || header[open - 1] != ',') {
        return {};
    }
    header.replace(open + 1, close - open - 1, std::to_string(count));
    return header;
}

bool IsAbsent(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) != 0 && errno == ENOENT;
}

bool SameFolder(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0) {
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    }
    return a == b;
}

// Reads the lines of a file (without their line ends) from a descriptor it
// owns. A line longer than any record line could be is not kept: it is
// reported as overlong, and a file beyond kMaxBytes is not read further.
class LineSource final {
  public:
    static constexpr std::size_t kMaxLine = CCsvFile::kMaxLineBytes;
    static constexpr off_t kMaxBytes = off_t{64} << 20;

    explicit LineSource(int fd) : fd_(fd), block_(std::make_unique<char[]>(kBlock)) {}
    ~LineSource() { ::close(fd_); }
    LineSource(const LineSource&) = delete;
    LineSource& operator=(const LineSource&) = delete;

    // False when no line is left. `overlong` tells that the line was too
    // long to keep (`line` is then empty).
    bool Next(std::string& line, bool& overlong) {
        line.clear();
        overlong = false;
        bool any = false;
        while (true) {
            if (pos_ == len_ && !Refill()) {
                break;
            }
            any = true;
            const char* start = block_.get() + pos_;
            const auto* end = static_cast<const char*>(std::memchr(start, '\n', len_ - pos_));
            const std::size_t n = end != nullptr ? static_cast<std::size_t>(end - start) : len_ - pos_;
            if (!overlong) {
                line.append(start, n);
                if (line.size() > kMaxLine) {
                    overlong = true;
                    line.clear();
                }
            }
            pos_ += n;
            if (end != nullptr) {
                ++pos_;
                break;
            }
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        return any;
    }

    // True when the file was not read to its end (too large, or a read error).
    bool Truncated() const { return truncated_; }

  private:
    static constexpr std::size_t kBlock = 64 * 1024;

    bool Refill() {
        if (done_) {
            return false;
        }
        if (read_ >= kMaxBytes) {
            truncated_ = true;
            done_ = true;
            return false;
        }
        ssize_t n = 0;
        do {
            n = ::read(fd_, block_.get(), kBlock);
        } while (n < 0 && errno == EINTR);
        if (n <= 0) {
            truncated_ = n < 0;
            done_ = true;
            return false;
        }
        read_ += n;
        pos_ = 0;
        len_ = static_cast<std::size_t>(n);
        return true;
    }

    int fd_;
    std::unique_ptr<char[]> block_;
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    off_t read_ = 0;
    bool done_ = false;
    bool truncated_ = false;
};

}  // namespace

CCaptureJournal::CCaptureJournal(const std::string& folder) : CCaptureJournal(folder, kFileName) {}

CCaptureJournal::CCaptureJournal(const std::string& folder, const std::string& fileName)
    : folder_(folder), path_(folder.empty() ? std::string() : folder + "/" + fileName) {}

CCaptureJournal::~CCaptureJournal() {
    Finish();
    Unlock();
}

std::string CCaptureJournal::FolderFor(const std::string& settingsPath, const std::string& programPath) {
    const std::string settings = FolderOf(settingsPath);
    if (!settings.empty() && !SameFolder(settings, FolderOf(programPath))) {
        return settings;
    }
    // The cache survives a logout and a power cut; the runtime folder does
    // not, but it is better than no journal.
    const char* cache = std::getenv("XDG_CACHE_HOME");
    std::string folder;
    if (cache != nullptr && cache[0] == '/') {
        folder = MakeFolderBelow(cache, "TARVIK/KELPWIN");
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        folder = MakeFolderBelow((std::string(home) + "/.cache").c_str(), "TARVIK/KELPWIN");
    }
    if (folder.empty()) {
        folder = MakeFolderBelow(std::getenv("XDG_RUNTIME_DIR"), "TARVIK/KELPWIN");
    }
    return folder;
}

bool CCaptureJournal::Exists() const {
    struct stat info {};
    return !path_.empty() && ::lstat(path_.c_str(), &info) == 0;
}

int CCaptureJournal::OpenRegular(int flags) {
    struct stat info {};
    if (::lstat(path_.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && SetAside().empty()) {
        return -1;
    }
    // Not blocking: something put at the name after the look above (a FIFO
    // without a writer) must not hold the window.
    const int fd = ::open(path_.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool CCaptureJournal::IsInUse(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

bool CCaptureJournal::Lock(int fd) {
    // A few tries: a reader that is looking whether the file is in use holds
    // it for a moment.
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            Unlock();
            lockFd_ = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
            return lockFd_ >= 0;
        }
        if (errno != EWOULDBLOCK) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

void CCaptureJournal::Unlock() {
    if (lockFd_ >= 0) {
        ::close(lockFd_);
        lockFd_ = -1;
    }
}

bool CCaptureJournal::Start(CMeasDataSet& data, bool exclusive) {
    Finish();
    Unlock();
    if (path_.empty()) {
        return false;
    }
    // A name reserved this way is taken by whatever stands there, a link or
    // a FIFO included; nothing is set aside. Otherwise the file stays whole
    // until this journal holds the lock: a journal another process is still
    // writing is not emptied under it.
    fd_ = exclusive
              ? ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600)
              : OpenRegular(O_WRONLY | O_CREAT);
    struct stat info {};
    if (fd_ >= 0 && (!Lock(fd_) || ::ftruncate(fd_, 0) != 0 || ::fstat(fd_, &info) != 0)) {
        ::close(fd_);
        fd_ = -1;
        errno = EBUSY;
    }
    if (fd_ < 0) {
        return false;
    }
    device_ = info.st_dev;
    inode_ = info.st_ino;
    size_ = 0;
    recordsWritten_ = 0;
    headerWritten_ = false;
    lost_ = false;
    SyncFolder(folder_);
    {
        const std::lock_guard lock(mutex_);
        stop_ = false;
        dirty_ = false;
    }
    syncer_ = std::thread(&CCaptureJournal::SyncLoop, this);
    if (!WriteHeader(data)) {
        Finish();
        if (exclusive) {
            // The name was free: nothing of anyone's is lost by freeing it.
            Remove();
        }
        return false;
    }
    return true;
}

bool CCaptureJournal::StartWith(CMeasDataSet& data, bool exclusive) {
    return Start(data, exclusive) && (data.GetCount() == 0 || WriteRecords(data, 0, data.GetCount() - 1));
}

bool CCaptureJournal::WriteHeader(CMeasDataSet& data) {
    const std::string header = AnnounceCount(data.FormatHeaderLines(), kAnnouncedRecords);
    if (header.empty() || !WriteAll(header)) {
        return false;
    }
    for (int s = 0; s < kSlotCount; ++s) {
        elements_[static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(data.GetElement(s));
    }
    headerWritten_ = true;
    return true;
}

bool CCaptureJournal::CheckLost() {
    struct stat open {
    }, named{};
    if (!lost_ && (::fstat(fd_, &open) != 0 || open.st_nlink == 0 || ::stat(path_.c_str(), &named) != 0 ||
                   named.st_dev != device_ || named.st_ino != inode_)) {
        lost_ = true;
    }
    return lost_;
}

bool CCaptureJournal::Holds(int records) const {
    struct stat named {};
    return fd_ >= 0 && !lost_ && headerWritten_ && recordsWritten_ == records &&
           ::stat(path_.c_str(), &named) == 0 && named.st_dev == device_ && named.st_ino == inode_ &&
           named.st_nlink > 0 && named.st_size == size_;
}

bool CCaptureJournal::Append(CMeasDataSet& data, int record) {
    if (fd_ < 0 || record < 0 || record >= data.GetCount() || CheckLost()) {
        return false;
    }
    bool inStep = headerWritten_ && record >= recordsWritten_;
    for (int s = 0; s < kSlotCount && inStep; ++s) {
        inStep = elements_[static_cast<std::size_t>(s)] == data.GetElement(s);
    }
    if (!inStep) {
        return Rewrite(data, record);
    }
    // Lines a failed write left out come first, so that the file keeps the
    // records in their order.
    return WriteRecords(data, recordsWritten_, record);
}

bool CCaptureJournal::Rewrite(CMeasDataSet& data, int through) {
    if (recordsWritten_ > 0) {
        return Replace(data, through);
    }
    // No record to lose: the header is written again where it stands.
    if (::ftruncate(fd_, 0) != 0) {
        return false;
    }
    size_ = 0;
    headerWritten_ = false;
    return WriteHeader(data) && WriteRecords(data, 0, through);
}

bool CCaptureJournal::Replace(CMeasDataSet& data, int through) {
    const std::string name = path_.substr(path_.rfind('/') + 1);
    const std::string temporary = folder_ + "/." + name + ".new";
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0) {
            ::close(fd);
        }
        return false;
    }
    std::string bytes = AnnounceCount(data.FormatHeaderLines(), kAnnouncedRecords);
    for (int r = 0; r <= through; ++r) {
        bytes += data.FormatRecordLine(r);
    }
    const int oldLock = lockFd_;
    lockFd_ = -1;
    if (!WriteAllAt(fd, bytes, 0) || ::fsync(fd) != 0 || !Lock(fd) ||
        ::rename(temporary.c_str(), path_.c_str()) != 0) {
        Unlock();
        lockFd_ = oldLock;
        ::close(fd);
        ::unlink(temporary.c_str());
        return false;
    }
    if (oldLock >= 0) {
        ::close(oldLock);
    }
    // The old descriptor is synced by the thread: it stops before the swap.
    StopSyncThread();
    ::close(fd_);
    fd_ = fd;
    device_ = info.st_dev;
    inode_ = info.st_ino;
    size_ = static_cast<off_t>(bytes.size());
    recordsWritten_ = through + 1;
    headerWritten_ = true;
    for (int s = 0; s < kSlotCount; ++s) {
        elements_[static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(data.GetElement(s));
    }
    SyncFolder(folder_);
    {
        const std::lock_guard lock(mutex_);
        stop_ = false;
        dirty_ = false;
    }
    syncer_ = std::thread(&CCaptureJournal::SyncLoop, this);
    return true;
}

bool CCaptureJournal::WriteRecords(CMeasDataSet& data, int from, int through) {
    // In pieces of bounded size, each kept once written: on a full disk the
    // lines left out pile up with every record, and trying them all again at
    // each one would cost more the longer the disk stays full. The first
    // line left out goes alone, so that a disk still full costs one line.
    std::string lines;
    for (int r = from; r <= through; ++r) {
        lines += data.FormatRecordLine(r);
        if (lines.size() >= kWriteChunkBytes || r == through || r == from) {
            if (!WriteAll(lines)) {
                return false;
            }
            recordsWritten_ = r + 1;
            lines.clear();
        }
    }
    return true;
}

bool CCaptureJournal::WriteAll(std::string_view bytes) {
    if (!WriteAllAt(fd_, bytes, size_)) {
        // Half a line would stop recovery there and hide every later line;
        // cut it off so that the next append can still be read.
        [[maybe_unused]] const int cut = ::ftruncate(fd_, size_);
        return false;
    }
    size_ += static_cast<off_t>(bytes.size());
    MarkDirty();
    return true;
}

void CCaptureJournal::MarkDirty() {
    const std::lock_guard lock(mutex_);
    dirty_ = true;
}

void CCaptureJournal::SyncNow() {
    if (::fsync(fd_) == 0) {
        ++syncs_;
    }
}

void CCaptureJournal::SyncLoop() {
    std::unique_lock lock(mutex_);
    while (!stop_) {
        wake_.wait_for(lock, std::chrono::milliseconds(kSyncIntervalMs), [this] { return stop_; });
        if (dirty_ && !stop_) {
            dirty_ = false;
            // The descriptor outlives this thread (Finish joins before it
            // closes), and the window thread may append meanwhile.
            lock.unlock();
            SyncNow();
            lock.lock();
        }
    }
}

void CCaptureJournal::StopSyncThread() {
    if (!syncer_.joinable()) {
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    syncer_.join();
}

void CCaptureJournal::Finish() {
    StopSyncThread();
    if (fd_ < 0) {
        return;
    }
    SyncNow();
    ::close(fd_);
    fd_ = -1;
    dirty_ = false;
}

bool CCaptureJournal::Remove() {
    Finish();
    recordsWritten_ = 0;
    if (path_.empty()) {
        return true;
    }
    // A journal that is no longer at the name leaves alone what is there now.
    const bool removed = lost_ || ::unlink(path_.c_str()) == 0 || errno == ENOENT;
    Unlock();
    if (removed) {
        SyncFolder(folder_);
    }
    return removed;
}

bool CCaptureJournal::WriteFrom(CMeasDataSet& data) {
    const bool written = StartWith(data);
    Finish();
    return written;
}

int CCaptureJournal::Recover(CMeasDataSet& data) {
    const int restored = Read(data);
    if (restored == 0 && !IsOpen() && Exists()) {
        if (unreadable_ == 0) {
            Remove();
        } else {
            SetAside();
        }
    }
    return restored;
}

int CCaptureJournal::Read(CMeasDataSet& data) {
    data.Clear();
    unreadable_ = 0;
    announced_ = -1;
    if (IsOpen() || !Exists()) {
        return 0;
    }
    const int fd = OpenRegular(O_RDONLY);
    if (fd < 0) {
        return 0;
    }
    LineSource source(fd);
    std::string line;
    bool overlong = false;
    // Parses `line` with `parse`; false (and the line counted) when it breaks
    // the format. Empty lines are no records and no damage either.
    auto read = [&](auto parse) {
        if (overlong) {
            ++unreadable_;
            return false;
        }
        if (line.empty()) {
            return false;
        }
        try {
            parse();
            return true;
        } catch (EMemError) {
        } catch (ECsvError) {
        }
        ++unreadable_;
        return false;
    };
    const bool first = source.Next(line, overlong) && read([&] {
                           CCsvFile::SplitCsvLine(line, data.GetFieldList());
                           announced_ = data.ParseFirstLine();
                       });
    const bool headerRead = first && source.Next(line, overlong) && read([&] {
                                CCsvFile::SplitCsvLine(line, data.GetFieldList());
                                data.ParseColumnLine();
                            });
    // Record lines are split into views and parsed as such, as a file load
    // does: no string per field.
    std::vector<std::string_view> fields;
    std::string pieces;
    if (first && !headerRead) {
        ++unreadable_;  // line 1 is of no use without line 2
    }
    while (source.Next(line, overlong)) {
        if (!headerRead || data.GetCount() >= data.GetCapacity()) {
            // Lines that cannot be placed are not restored: count them so
            // that the file is kept.
            unreadable_ += line.empty() && !overlong ? 0 : 1;
            continue;
        }
        read([&] {
            CCsvFile::SplitCsvLine(line, fields, pieces);
            data.ParseRecordLine(fields);
        });
    }
    if (source.Truncated()) {
        ++unreadable_;
    }
    data.SetName("");
    const int restored = headerRead ? data.GetCount() : 0;
    if (restored == 0) {
        data.Clear();
    }
    return restored;
}

std::string CCaptureJournal::SetAside() {
    Finish();
    Unlock();
    struct stat info {};
    if (path_.empty() || ::lstat(path_.c_str(), &info) != 0) {
        return {};
    }
    std::tm local{};
    const std::time_t when = info.st_mtime;
    char stamp[32] = "00000000-000000";
    if (localtime_r(&when, &local) != nullptr) {
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    }
    const std::string stem = folder_ + "/CaptureJournal-" + stamp;
    for (int n = 1; n < 1000; ++n) {
        const std::string target = n == 1 ? stem + ".csv" : stem + "-" + std::to_string(n) + ".csv";
        if (!IsAbsent(target)) {
            continue;
        }
        if (RenameNoReplace(path_, target)) {
            SyncFolder(folder_);
            return target;
        }
        if (errno != EEXIST) {
            return {};
        }
    }
    return {};
}

}  // namespace kelp
