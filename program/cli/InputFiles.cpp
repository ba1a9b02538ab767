#include "program/cli/InputFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "data/Catalogue.h"
#include "data/Cp932.h"
#include "data/MeasDataSet.h"
#include "data/RegularFile.h"
#include "program/cli/CliTexts.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp::cli {

namespace {

// Fields a line needs: line 1 four, the others one per column.
constexpr int kFirstLineFields = 4;
constexpr int kLineFields = 54;
// The first fields of record lines as the data file has them.
constexpr int kSiteField = 1;
constexpr int kFirstValueField = 7;
constexpr int kLastValueField = 45;
constexpr int kBatteryField = 46;

// The descriptor of the copy of standard input, or -1 before it is made.
int g_standardInput = -1;

// Copies standard input into an unnamed file in the temporary folder: a pipe
// can be read once, and a load may read its file twice. Returns the
// descriptor, or -1 with errno set.
int CopyStandardInput() {
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
    int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        // A file system without unnamed files: a named one, unlinked at once.
        std::string name = folder + "/kelp-collector-stdin-XXXXXX";
        fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0) {
            return -1;
        }
        ::unlink(name.c_str());
    }
    char buffer[65536];
    off_t size = 0;
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 ||
            (n > 0 && !WriteAllAt(fd, std::string_view(buffer, static_cast<std::size_t>(n)), size))) {
            const int error = errno;
            ::close(fd);
            errno = error;
            return -1;
        }
        if (n == 0) {
            return fd;
        }
        size += n;
    }
}

// A text from a data file, readable in a message: converted from the file's
// code page, without control characters.
std::string Readable(const std::string& text) {
    std::string out = Cp932ToUtf8(text);
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '?';
        }
    }
    return out;
}

std::string SystemReason(int error) {
    return std::generic_category().message(error != 0 ? error : EIO);
}

// The name of field `field` (0-based) of line `line`, as the file titles it.
std::string FieldName(int line, int field, const CMeasDataSet& data) {
    if (line == 1) {
        // The file's own word for the version field, like "SITE" below.
        return field == 3 ? LoadText(IDS_CLI_INFO_RECORDS) : std::string("Version");
    }
    if (line == 2) {
        return LoadText(IDS_CLI_FIELD_ELEMENT);
    }
    if (field == kSiteField) {
        return "SITE";
    }
    if (field >= kFirstValueField && field <= kLastValueField) {
        return LoadText(ElementNameId(data.GetElement((field - kFirstValueField) / 3)));
    }
    static constexpr int kCodeTitles[] = {
        IDS_COL_BATTERY,   IDS_COL_DEVICE_CODE, IDS_COL_DATE_CODE,  IDS_COL_TIME_CODE,
        IDS_COL_UNIT_CODE, IDS_COL_FORMAT_CODE, IDS_COL_STATE_CODE, IDS_COL_COMPONENT_ERROR_CODE};
    const int code = field - kBatteryField;
    return code >= 0 && code < static_cast<int>(std::size(kCodeTitles)) ? LoadText(kCodeTitles[code])
                                                                        : std::string();
}

// Why the field of `fault` was refused.
std::string FieldReason(const ParseFault& fault) {
    const std::string text = Readable(fault.text);
    switch (fault.fault) {
        case FieldFault::NotNumber:
            return Fill(IDS_CLI_WHY_NOT_NUMBER, {text});
        case FieldFault::TooLarge:
            return Fill(IDS_CLI_WHY_TOO_LARGE, {text});
        case FieldFault::Element:
            return Fill(IDS_CLI_WHY_ELEMENT, {text});
        case FieldFault::SiteTooLong:
            return Fill(IDS_CLI_WHY_SITE, {text});
        case FieldFault::Battery:
            return Fill(IDS_CLI_WHY_BATTERY, {text});
        case FieldFault::CodeField: {
            // The letter of each code field, from the device code on.
            static constexpr char kLetters[] = "PDTUFSA";
            const int code = fault.field - kBatteryField - 1;
            const std::string letter(1, code >= 0 && code < 7 ? kLetters[code] : '?');
            return Fill(IDS_CLI_WHY_CODE, {text, letter, std::to_string(fault.limit - 1)});
        }
        case FieldFault::CodeDigit: {
            const char digit = static_cast<unsigned char>(fault.digit) < 0x80 ? fault.digit : '?';
            return Fill(IDS_CLI_WHY_CODE_DIGIT, {text, Readable(std::string(1, digit)),
                                                 std::string(1, "0123456789ABCDEF"[fault.limit & 15])});
        }
        default:
            return {};
    }
}

}  // namespace

std::string ShownName(const std::string& path, bool output) {
    if (path != kStandardStream) {
        return path;
    }
    return LoadText(output ? IDS_CLI_STDOUT : IDS_CLI_STDIN);
}

std::string ReadablePath(const std::string& path, std::string& error) {
    if (path != kStandardStream) {
        return path;
    }
    if (g_standardInput < 0) {
        g_standardInput = CopyStandardInput();
        if (g_standardInput < 0) {
            error = Fill(IDS_CLI_INPUT_UNREADABLE, {ShownName(path), SystemReason(errno)});
            return {};
        }
    }
    // The copy is opened again by its name under /proc, as any file is.
    return "/proc/self/fd/" + std::to_string(g_standardInput);
}

std::string KindOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) {
        return {};
    }
    if (S_ISDIR(info.st_mode)) {
        return LoadText(IDS_CLI_KIND_FOLDER);
    }
    if (S_ISFIFO(info.st_mode)) {
        return LoadText(IDS_CLI_KIND_FIFO);
    }
    if (S_ISSOCK(info.st_mode)) {
        return LoadText(IDS_CLI_KIND_SOCKET);
    }
    return LoadText(IDS_CLI_KIND_DEVICE);
}

std::string LoadFailureText(const std::string& path, const std::string& readPath, const LoadFailure& failure,
                            const CMeasDataSet& data) {
    const std::string name = ShownName(path);
    const ParseFault& fault = failure.fault;
    switch (failure.kind) {
        case LoadFailure::Kind::Open: {
            if (failure.error == ENOENT) {
                return Fill(IDS_CLI_INPUT_MISSING, {name});
            }
            const std::string kind = KindOf(readPath);
            if (!kind.empty()) {
                return Fill(IDS_CLI_INPUT_NOT_FILE, {name, kind});
            }
            return Fill(IDS_CLI_INPUT_UNREADABLE, {name, SystemReason(failure.error)});
        }
        case LoadFailure::Kind::Empty: {
            struct stat info {};
            if (::stat(readPath.c_str(), &info) == 0 && info.st_size == 0) {
                return Fill(IDS_CLI_INPUT_EMPTY, {name});
            }
            return Fill(IDS_CLI_INPUT_NOT_DATA, {name, ""});
        }
        case LoadFailure::Kind::Read:
            return Fill(IDS_CLI_INPUT_UNREADABLE, {name, SystemReason(failure.error)});
        case LoadFailure::Kind::TooLong:
            return Fill(IDS_CLI_INPUT_DAMAGED_LINE,
                        {name, std::to_string(failure.line), LoadText(IDS_CLI_WHY_LINE_TOO_LONG)});
        case LoadFailure::Kind::Line:
            if (fault.fault == FieldFault::NotDataFile) {
                return Fill(IDS_CLI_INPUT_NOT_DATA, {name, Readable(fault.text)});
            }
            if (fault.fault == FieldFault::FieldCount) {
                const int needs = failure.line == 1 ? kFirstLineFields : kLineFields;
                return Fill(
                    IDS_CLI_INPUT_DAMAGED_LINE,
                    {name, std::to_string(failure.line),
                     Fill(IDS_CLI_WHY_FIELD_COUNT, {std::to_string(fault.limit), std::to_string(needs)})});
            }
            return Fill(IDS_CLI_INPUT_DAMAGED,
                        {name, std::to_string(failure.line), std::to_string(fault.field + 1),
                         FieldName(failure.line, fault.field, data), FieldReason(fault)});
        case LoadFailure::Kind::None:
            break;
    }
    return name + ": " + LoadText(IDS_FILE_FORMAT_INVALID);
}

}  // namespace kelp::cli
