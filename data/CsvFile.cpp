#include "data/CsvFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

namespace kelp {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr std::size_t kWriteBehindBytes = 1024 * 1024;

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Opens a new file next to `target` that no one else uses. The mode is the
// target's when it exists, so that a save keeps who may read the file;
// otherwise an ordinary new file (0666 less the umask).
int CreateTemporary(const std::string& target, std::string& name) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    const std::string stem = FolderOf(target) + "/." + NameOf(target) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
               std::to_string(random() % 1000000) + ".tmp";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (exists) {
                (void)::fchmod(fd, st.st_mode & 07777);
            }
            return fd;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    name.clear();
    return -1;
}

}  // namespace

CCsvFile::~CCsvFile() {
    Close();
}

bool CCsvFile::OpenRead(const std::string& path) {
    return OpenRead(std::fopen(path.c_str(), "rb"));
}

bool CCsvFile::OpenRead(std::FILE* stream) {
    Close();
    file_ = stream;
    if (file_ == nullptr) {
        return false;
    }
    buffer_ = std::make_unique<char[]>(kBufferSize);
    bufferPos_ = bufferLen_ = 0;
    atStart_ = true;
    eof_ = false;
    return true;
}

bool CCsvFile::OpenSave(const std::string& path) {
    Close();
    // The rename replaces whatever has the name: never a device or a folder,
    // and through a link the file it points to, not the link.
    std::string target = path;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            return false;
        }
        // The rename would replace a file that the user has made read-only;
        // writing it in place would have failed, and so does the save.
        if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
            return false;
        }
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    const int fd = CreateTemporary(target, temporary_);
    if (fd < 0) {
        return false;
    }
    file_ = ::fdopen(fd, "wb");
    if (file_ == nullptr) {
        ::close(fd);
        DiscardTemporary();
        return false;
    }
    std::setvbuf(file_, nullptr, _IOFBF, kBufferSize);
    written_ = startedToDisk_ = 0;
    target_ = target;
    return true;
}

bool CCsvFile::Refill() {
    bufferPos_ = 0;
    bufferLen_ = std::fread(buffer_.get(), 1, kBufferSize, file_);
    if (bufferLen_ == 0) {
        if (std::ferror(file_)) {
            throw ECsvError::ReadFailed;
        }
        eof_ = true;
        return false;
    }
    return true;
}

bool CCsvFile::ReadLine(std::string& line) {
    line.clear();
    if (file_ == nullptr || !buffer_) {
        return false;
    }
    bool any = false;
    for (;;) {
        if (bufferPos_ == bufferLen_ && (eof_ || !Refill())) {
            break;
        }
        if (atStart_) {
            // A byte-order mark that a text editor may have added; the bytes
            // can arrive in separate reads only in a file shorter than the
            // buffer, which has them all in the first.
            atStart_ = false;
            if (bufferLen_ >= 3 && std::memcmp(buffer_.get(), "\xEF\xBB\xBF", 3) == 0) {
                bufferPos_ = 3;
                continue;
            }
        }
        any = true;
        const char* begin = buffer_.get() + bufferPos_;
        const std::size_t avail = bufferLen_ - bufferPos_;
        const void* nl = std::memchr(begin, '\n', avail);
        const std::size_t take = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - begin) : avail;
        if (line.size() + take > kMaxLineBytes) {
            throw ECsvError::LineTooLong;
        }
        line.append(begin, take);
        bufferPos_ += take;
        if (nl) {
            ++bufferPos_;
            break;
        }
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return any;
}

void CCsvFile::SplitCsvLine(std::string_view line, std::vector<std::string>& fields) {
    fields.clear();
    std::string current;
    bool quoted = false;
    bool endedByComma = false;
    for (const char c : line) {
        endedByComma = false;
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.push_back(std::move(current));
            current.clear();
            endedByComma = true;
        } else {
            current.push_back(c);
        }
    }
    if (endedByComma || !current.empty()) {
        fields.push_back(std::move(current));
    }
}

bool CCsvFile::ReadCsvLine(std::vector<std::string>& fields) {
    fields.clear();
    if (!ReadLine(line_) || line_.empty()) {
        return false;
    }
    SplitCsvLine(line_, fields);
    return true;
}

void CCsvFile::WriteText(std::string_view text) {
    if (file_ == nullptr || std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
        throw ECsvError::WriteFailed;
    }
    written_ += text.size();
    // The flush before the rename waits for every byte to reach the disk;
    // starting the disk writes of each finished megabyte now lets them run
    // while the next lines are formatted, so that wait is short.
    if (!temporary_.empty() && written_ - startedToDisk_ >= kWriteBehindBytes) {
        if (std::fflush(file_) != 0) {
            throw ECsvError::WriteFailed;
        }
        (void)::sync_file_range(::fileno(file_), static_cast<off_t>(startedToDisk_),
                                static_cast<off_t>(written_ - startedToDisk_), SYNC_FILE_RANGE_WRITE);
        startedToDisk_ = written_;
    }
}

bool CCsvFile::CommitSave() {
    if (file_ == nullptr || temporary_.empty()) {
        return false;
    }
    bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
    ok = ok && ::fsync(::fileno(file_)) == 0;
    ok = (std::fclose(file_) == 0) && ok;
    file_ = nullptr;
    ok = ok && std::rename(temporary_.c_str(), target_.c_str()) == 0;
    if (!ok) {
        DiscardTemporary();
        return false;
    }
    temporary_.clear();
    // The rename itself is made durable with the folder.
    const int dir = ::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return true;
}

void CCsvFile::DiscardTemporary() {
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

void CCsvFile::Close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    DiscardTemporary();
    buffer_.reset();
    bufferPos_ = bufferLen_ = 0;
}

}  // namespace kelp
