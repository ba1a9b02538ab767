#include "data/CaptureJournal.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "data/CsvError.h"
#include "data/CsvFile.h"
#include "data/MeasDataSet.h"

namespace kelp {

namespace {

// A new or renamed directory entry reaches the disk with its folder.
void SyncFolder(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
}

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

// Moves `from` to `to` unless `to` exists; false with errno EEXIST when it does.
bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // A file system without the flag: a hard link cannot replace either.
    if (::link(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    return ::unlink(from.c_str()) == 0;
}

}  // namespace

CCaptureJournal::CCaptureJournal(const std::string& folder) : CCaptureJournal(folder, kFileName) {}

CCaptureJournal::CCaptureJournal(const std::string& folder, const std::string& fileName)
    : folder_(folder), path_(folder.empty() ? std::string() : folder + "/" + fileName) {}

CCaptureJournal::~CCaptureJournal() {
    Finish();
}

bool CCaptureJournal::Exists() const {
    struct stat info {};
    return !path_.empty() && ::stat(path_.c_str(), &info) == 0;
}

bool CCaptureJournal::Start(CMeasDataSet& data) {
    Finish();
    if (path_.empty()) {
        return false;
    }
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        return false;
    }
    size_ = 0;
    recordsWritten_ = 0;
    SyncFolder(folder_);
    {
        const std::lock_guard lock(mutex_);
        stop_ = false;
        dirty_ = false;
    }
    syncer_ = std::thread(&CCaptureJournal::SyncLoop, this);
    if (!WriteHeader(data)) {
        Finish();
        return false;
    }
    return true;
}

bool CCaptureJournal::WriteHeader(CMeasDataSet& data) {
    const std::string header = AnnounceCount(data.FormatHeaderLines(), kAnnouncedRecords);
    if (header.empty() || !WriteAll(header)) {
        return false;
    }
    for (int s = 0; s < kSlotCount; ++s) {
        elements_[static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(data.GetElement(s));
    }
    return true;
}

bool CCaptureJournal::Append(CMeasDataSet& data, int record) {
    if (fd_ < 0 || record < 0 || record >= data.GetCount()) {
        return false;
    }
    bool inStep = record == recordsWritten_;
    for (int s = 0; s < kSlotCount && inStep; ++s) {
        inStep = elements_[static_cast<std::size_t>(s)] == data.GetElement(s);
    }
    if (!inStep) {
        return Rewrite(data, record);
    }
    if (!WriteAll(data.FormatRecordLine(record))) {
        return false;
    }
    ++recordsWritten_;
    return true;
}

bool CCaptureJournal::Rewrite(CMeasDataSet& data, int through) {
    if (::ftruncate(fd_, 0) != 0) {
        return false;
    }
    size_ = 0;
    recordsWritten_ = 0;
    if (!WriteHeader(data)) {
        return false;
    }
    std::string lines;
    for (int r = 0; r <= through; ++r) {
        lines += data.FormatRecordLine(r);
    }
    if (!WriteAll(lines)) {
        return false;
    }
    recordsWritten_ = through + 1;
    return true;
}

bool CCaptureJournal::WriteAll(std::string_view bytes) {
    off_t at = size_;
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd_, bytes.data(), bytes.size(), at);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            // Half a line would stop recovery there and hide every later
            // line; cut it off so that the next append can still be read.
            (void)::ftruncate(fd_, size_);
            return false;
        }
        at += n;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    size_ = at;
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
    if (::unlink(path_.c_str()) != 0) {
        return errno == ENOENT;
    }
    SyncFolder(folder_);
    return true;
}

int CCaptureJournal::Recover(CMeasDataSet& data) {
    data.Clear();
    if (IsOpen() || !Exists()) {
        return 0;
    }
    CCsvFile file;
    if (!file.OpenRead(path_)) {
        return 0;
    }
    bool headerRead = false;
    try {
        if (file.ReadCsvLine(data.GetFieldList())) {
            const int announced = data.ParseFirstLine();
            file.ReadCsvLine(data.GetFieldList());
            data.ParseColumnLine();
            headerRead = true;
            while (data.GetCount() < announced && data.GetCount() < data.GetCapacity() &&
                   file.ReadCsvLine(data.GetFieldList())) {
                data.ParseRecordLine();
            }
        }
    } catch (EMemError) {
        // The line that breaks the format ends the journal: the process
        // died while writing it. Every record before it is complete.
    } catch (ECsvError) {
    }
    file.Close();
    data.SetName("");
    const int restored = data.GetCount();
    if (restored == 0) {
        data.Clear();
        if (headerRead) {
            Remove();
        } else {
            SetAside();
        }
    }
    return restored;
}

std::string CCaptureJournal::SetAside() {
    Finish();
    struct stat info {};
    if (::stat(path_.c_str(), &info) != 0) {
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
