#include "app/NewDataFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "data/FileJobs.h"
#include "data/FileReplacement.h"
#include "data/MeasDataSet.h"
#include "data/RegularFile.h"

namespace kelp {

namespace {

constexpr int kMaxAlternatives = 999;
constexpr const char* kStateFolder = "kelp-collector";

bool Taken(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

std::string BaseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string NameBeside(const std::string& path, const std::string& tag, int n) {
    const std::string name = BaseName(path);
    const auto dot = name.rfind('.');
    const std::size_t stemEnd =
        path.size() - name.size() + (dot != std::string::npos && dot > 0 ? dot : name.size());
    std::string candidate = path.substr(0, stemEnd);
    candidate.append(1, '.').append(tag);
    if (n > 1) {
        candidate.append(1, '-').append(std::to_string(n));
    }
    candidate.append(path, stemEnd, std::string::npos);
    return candidate;
}

std::string FreeNameBeside(const std::string& path, const std::string& tag) {
    for (int n = 1; n <= kMaxAlternatives; ++n) {
        std::string candidate = NameBeside(path, tag, n);
        if (!Taken(candidate)) {
            return candidate;
        }
    }
    return {};
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

int RecordLinesIn(const std::string& path) {
    const int fd = OpenRegularFile(path);
    if (fd < 0) {
        return -1;
    }
    constexpr std::size_t kBlock = 64 * 1024;
    const auto block = std::make_unique<char[]>(kBlock);
    long long lines = 0;
    bool quoted = false;
    bool partial = false;  // a last line without its line break
    for (;;) {
        const ssize_t n = ::read(fd, block.get(), kBlock);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ::close(fd);
            return -1;
        }
        if (n == 0) {
            break;
        }
        for (ssize_t i = 0; i < n; ++i) {
            const char c = block[static_cast<std::size_t>(i)];
            if (c == '"') {
                quoted = !quoted;  // a doubled quote inside a field toggles twice
            } else if (c == '\n' && !quoted) {
                ++lines;
            }
            partial = c != '\n';
        }
    }
    ::close(fd);
    lines += partial ? 1 : 0;
    return lines < 2 ? 0 : static_cast<int>(lines - 2);
}

std::string SaveNewDataFile(const std::string& path, CMeasDataSet& data, IProgressDialog& dialog,
                            const std::string& tag, FileFailure* failure) {
    FileFailure scratch;
    FileFailure& reason = failure != nullptr ? *failure : scratch;
    reason = {};
    const std::string folder = FolderOf(path);
    // Hidden, named after this process so that no one else writes it, and
    // removed by a later save into the folder if this process is killed
    // before the rename.
    const std::string staging = CFileReplacement::TemporaryName(folder, BaseName(path));
    const int records = data.GetCount();
    if (SaveDataFile(staging, data, dialog, &reason) != FILEJOB_OK) {
        ::unlink(staging.c_str());
        return {};
    }
    // A save cancelled half-way also ends without error.
    if (RecordLinesIn(staging) != records) {
        ::unlink(staging.c_str());
        reason = FileFailureOf(EIO);
        return {};
    }
    std::string target = path;
    for (int attempt = 0; attempt <= kMaxAlternatives && !target.empty(); ++attempt) {
        if (RenameNoReplace(staging, target)) {
            SyncFolder(folder.empty() ? "." : folder);
            return target;
        }
        if (errno != EEXIST || tag.empty()) {
            reason = FileFailureOf(errno);
            break;
        }
        target = FreeNameBeside(path, tag);
    }
    ::unlink(staging.c_str());
    return {};
}

std::vector<std::string> FallbackFolders() {
    std::vector<std::string> folders;
    const char* home = std::getenv("HOME");
    const bool homeKnown = home != nullptr && home[0] == '/';
    std::string state;
    if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg != nullptr && xdg[0] == '/') {
        state = MakeFolderBelow(xdg, kStateFolder);
    } else if (homeKnown) {
        state = MakeFolderBelow(home, (std::string(".local/state/") + kStateFolder).c_str());
    }
    for (const std::string& folder :
         {state, homeKnown ? std::string(home) : std::string(), std::string("/tmp")}) {
        struct stat info {};
        if (!folder.empty() && ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
            folders.push_back(folder);
        }
    }
    return folders;
}

}  // namespace kelp
