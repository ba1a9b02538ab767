#include "data/CsvFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstdint>
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
        const int error = errno;
        Close();
        readError_ = error;
        return false;
    }
    std::FILE* stream = ::fdopen(fd, "rb");
    if (stream == nullptr) {
        const int error = errno;
        ::close(fd);
        readError_ = error;
        return false;
    }
    return OpenRead(stream);
}

bool CCsvFile::OpenRead(std::FILE* stream) {
    Close();
    readError_ = 0;
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

bool CCsvFile::OpenWrite(std::FILE* stream) {
    Close();
    writeError_ = 0;
    file_ = stream;
    streaming_ = stream != nullptr;
    written_ = startedToDisk_ = 0;
    return streaming_;
}

bool CCsvFile::Refill() {
    bufferPos_ = 0;
    bufferLen_ = std::fread(buffer_.get(), 1, kBufferSize, file_);
    if (bufferLen_ == 0) {
        if (std::ferror(file_)) {
            readError_ = errno != 0 ? errno : EIO;
            throw ECsvError::ReadFailed;
        }
        eof_ = true;
        return false;
    }
    return true;
}

bool CCsvFile::ReadLine(std::string_view& line) {
    line = {};
    if (file_ == nullptr || !buffer_) {
        return false;
    }
    line_.clear();
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
        const char* begin = buffer_.get() + bufferPos_;
        const std::size_t avail = bufferLen_ - bufferPos_;
        const void* nl = std::memchr(begin, '\n', avail);
        const std::size_t take = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - begin) : avail;
        if (line_.size() + take > kMaxLineBytes) {
            throw ECsvError::LineTooLong;
        }
        bufferPos_ += take;
        if (nl != nullptr && !any) {
            // The whole line is in the buffer: no copy.
            ++bufferPos_;
            line = std::string_view(begin, take);
            any = true;
            break;
        }
        any = true;
        line_.append(begin, take);
        line = line_;
        if (nl) {
            ++bufferPos_;
            break;
        }
    }
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return any;
}

bool CCsvFile::SkipLine() {
    if (file_ == nullptr || !buffer_) {
        return false;
    }
    std::size_t length = 0;
    bool endsInCr = false;
    for (;;) {
        if (bufferPos_ == bufferLen_ && (eof_ || !Refill())) {
            break;
        }
        const char* begin = buffer_.get() + bufferPos_;
        const std::size_t avail = bufferLen_ - bufferPos_;
        const void* nl = std::memchr(begin, '\n', avail);
        const std::size_t take = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - begin) : avail;
        if (take > 0) {
            length += take;
            endsInCr = begin[take - 1] == '\r';
        }
        bufferPos_ += take;
        if (nl) {
            ++bufferPos_;
            break;
        }
    }
    // A line of a lone CR is empty once its line end is gone.
    return length > (endsInCr ? 1u : 0u);
}

namespace {

// The first '"' in [p, end), or end. Most fields are a few characters
// long: eight bytes are tested at once (a word with a zero byte where the
// quote is), which spares a library call and a mispredicted branch per byte.
const char* FindQuote(const char* p, const char* end) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighs = 0x8080808080808080u;
    if constexpr (std::endian::native == std::endian::little) {
        while (end - p >= 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, p, 8);
            word ^= kOnes * '"';
            // Bytes above the first zero byte may be marked wrongly; the
            // lowest mark, the first quote, is always right.
            const std::uint64_t zeros = (word - kOnes) & ~word & kHighs;
            if (zeros != 0) {
                return p + std::countr_zero(zeros) / 8;
            }
            p += 8;
        }
    }
    while (p < end && *p != '"') {
        ++p;
    }
    return p;
}

}  // namespace

void CCsvFile::SplitCsvLine(std::string_view line, std::vector<std::string_view>& fields,
                            std::string& pieces) {
    fields.clear();
    pieces.clear();
    // Fields in one piece are views of the line; a field that quotes split
    // is put together in `pieces`, which never grows past the line and so
    // never moves.
    pieces.reserve(line.size());
    const char* fieldText = nullptr;
    std::size_t fieldLength = 0;
    bool joined = false;
    const auto addRun = [&](const char* run, std::size_t length) {
        if (length == 0) {
            return;
        }
        if (fieldLength == 0 && !joined) {
            fieldText = run;
        } else {
            if (!joined) {
                pieces.append(fieldText, fieldLength);
                fieldText = pieces.data() + pieces.size() - fieldLength;
                joined = true;
            }
            pieces.append(run, length);
        }
        fieldLength += length;
    };
    const auto endField = [&] {
        fields.emplace_back(fieldLength == 0 ? nullptr : fieldText, fieldLength);
        fieldText = nullptr;
        fieldLength = 0;
        joined = false;
    };

    bool quoted = false;
    bool endedByComma = false;
    const char* p = line.data();
    const char* const end = p + line.size();
    // Each pass takes a quote, a comma, or a run of other characters (up to
    // the closing quote inside quotes).
    while (p < end) {
        const char c = *p;
        if (c == '"' && !quoted) {
            // The common field, quoted as a whole: one view when its closing
            // quote ends it.
            const char* close = FindQuote(p + 1, end);
            if (close != end && (close + 1 == end || close[1] == ',')) {
                addRun(p + 1, static_cast<std::size_t>(close - p - 1));
                endedByComma = false;
                p = close + 1;
                continue;
            }
        }
        if (c == '"') {
            quoted = !quoted;
            endedByComma = false;
            ++p;
            continue;
        }
        if (c == ',' && !quoted) {
            endField();
            endedByComma = true;
            ++p;
            continue;
        }
        const char* q = p + 1;
        if (quoted) {
            q = FindQuote(q, end);
        } else {
            while (q < end && *q != '"' && *q != ',') {
                ++q;
            }
        }
        addRun(p, static_cast<std::size_t>(q - p));
        endedByComma = false;
        p = q;
    }
    if (endedByComma || fieldLength > 0) {
        endField();
    }
}

void CCsvFile::SplitCsvLine(std::string_view line, std::vector<std::string>& fields) {
    std::vector<std::string_view> views;
    std::string pieces;
    SplitCsvLine(line, views, pieces);
    fields.resize(views.size());
    for (std::size_t i = 0; i < views.size(); ++i) {
        fields[i].assign(views[i]);
    }
}

bool CCsvFile::ReadCsvFields(std::vector<std::string_view>& fields) {
    std::string_view line;
    if (!ReadLine(line) || line.empty()) {
        fields.clear();
        return false;
    }
    SplitCsvLine(line, fields, pieces_);
    return true;
}

bool CCsvFile::ReadCsvLine(std::vector<std::string>& fields) {
    std::string_view line;
    if (!ReadLine(line) || line.empty()) {
        fields.clear();
        return false;
    }
    SplitCsvLine(line, fields);
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
    if (file_ != nullptr && streaming_) {
        const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
        if (!flushed) {
            writeError_ = errno != 0 ? errno : EIO;
        }
        file_ = nullptr;
        streaming_ = false;
        return flushed;
    }
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
    if (file_ != nullptr && !streaming_) {
        std::fclose(file_);
    }
    file_ = nullptr;
    streaming_ = false;
    if (Saving()) {
        replacement_.Abandon();
    }
    buffer_.reset();
    bufferPos_ = bufferLen_ = 0;
}

}  // namespace kelp
