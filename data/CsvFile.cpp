#include "data/CsvFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "data/RegularFile.h"

namespace kelp {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr std::size_t kWriteBehindBytes = 1024 * 1024;

}  // namespace

CCsvFile::~CCsvFile() {
    Close();
}

bool CCsvFile::OpenRead(const std::string& path) {
    const int fd = OpenRegularFile(path);
    if (fd < 0) {
        Close();
        return false;
    }
    std::FILE* stream = ::fdopen(fd, "rb");
    if (stream == nullptr) {
        ::close(fd);
    }
    return OpenRead(stream);
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
    writeError_ = 0;
    if (!replacement_.Begin(path)) {
        return false;
    }
    // The stream has a descriptor of its own, so that closing it leaves the
    // replacement's open until the commit.
    const int fd = ::fcntl(replacement_.Fd(), F_DUPFD_CLOEXEC, 0);
    file_ = fd >= 0 ? ::fdopen(fd, "wb") : nullptr;
    if (file_ == nullptr) {
        if (fd >= 0) {
            ::close(fd);
        }
        replacement_.Abandon();
        return false;
    }
    std::setvbuf(file_, nullptr, _IOFBF, kBufferSize);
    written_ = startedToDisk_ = 0;
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
        writeError_ = file_ != nullptr ? errno : EBADF;
        throw ECsvError::WriteFailed;
    }
    written_ += text.size();
    // The flush before the rename waits for every byte to reach the disk;
    // starting the disk writes of each finished megabyte now lets them run
    // while the next lines are formatted, so that wait is short.
    if (Saving() && written_ - startedToDisk_ >= kWriteBehindBytes) {
        if (std::fflush(file_) != 0) {
            writeError_ = errno;
            throw ECsvError::WriteFailed;
        }
        (void)::sync_file_range(::fileno(file_), static_cast<off_t>(startedToDisk_),
                                static_cast<off_t>(written_ - startedToDisk_), SYNC_FILE_RANGE_WRITE);
        startedToDisk_ = written_;
    }
}

bool CCsvFile::CommitSave() {
    if (file_ == nullptr || !Saving()) {
        return false;
    }
    const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
    if (!flushed) {
        writeError_ = errno != 0 ? errno : EIO;
    }
    std::fclose(file_);
    file_ = nullptr;
    if (!flushed) {
        replacement_.Abandon();
        return false;
    }
    return replacement_.Commit();
}

void CCsvFile::Close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (Saving()) {
        replacement_.Abandon();
    }
    buffer_.reset();
    bufferPos_ = bufferLen_ = 0;
}

}  // namespace kelp
