#include "app/CastFiles.h"

#include <sys/stat.h>

#include <cerrno>

#include "app/DataFileName.h"
#include "data/Cp932.h"
#include "data/MeasDataSet.h"
#include "data/RegularFile.h"

namespace kelp {

namespace {

// For records without a site or a time.
constexpr const char* kFallbackName = "data.csv";
constexpr std::string_view kExtension = ".csv";
// Numbers tried after the proposed name before giving up.
constexpr int kMaxNumber = 9999;

// Anything at the name, a dangling link or a pipe included. A name that
// cannot be looked at is left to the save, which tells why.
bool Taken(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::vector<SplitPiece> SplitPieces(const CastList& list, SplitBy by, bool downcastOnly) {
    std::vector<SplitPiece> pieces;
    for (const Station& station : list.stations) {
        SplitPiece stationPiece;
        for (int c = station.firstCast; c < station.firstCast + station.castCount; ++c) {
            const Cast& cast = list.casts[static_cast<std::size_t>(c)];
            const RecordRange range = downcastOnly ? cast.down : cast.records;
            if (range.Empty()) {
                continue;
            }
            if (by == SplitBy::Cast) {
                pieces.push_back({{range}});
            } else {
                stationPiece.ranges.push_back(range);
            }
        }
        if (!stationPiece.ranges.empty()) {
            pieces.push_back(std::move(stationPiece));
        }
    }
    return pieces;
}

void CopyPiece(const CMeasDataSet& data, const SplitPiece& piece, CMeasDataSet& out) {
    out.Clear();
    for (const RecordRange& range : piece.ranges) {
        for (int r = range.first; r <= range.last; ++r) {
            out.AppendRecordFrom(data, r);
        }
    }
}

std::string CastName(const Cast& cast) {
    std::string site = Cp932ToUtf8(cast.site);
    site.erase(site.find_last_not_of(' ') + 1);
    for (char& c : site) {
        c = c == '/' || c == '\\' ? '_' : c;
    }
    const std::string time = cast.start.IsValid() ? cast.start.Format("%H:%M") : std::string();
    return site + (!site.empty() && !time.empty() ? " " : "") + time;
}

std::vector<std::pair<const Cast*, RecordRange>> ProfileRanges(const CastList& list, bool downcastOnly) {
    std::vector<std::pair<const Cast*, RecordRange>> ranges;
    for (const Cast& cast : list.casts) {
        if (!cast.series) {
            ranges.emplace_back(&cast, downcastOnly ? cast.down : cast.records);
        }
    }
    return ranges;
}

void CopyCast(const CMeasDataSet& data, const Cast& cast, RecordRange range, CMeasDataSet& out) {
    CopyPiece(data, {{range}}, out);
    out.SetName(CastName(cast));
}

bool SaveNewDataFile(const std::string& folder, CMeasDataSet& data, std::string& path, FileFailure& failure) {
    std::string name = ProposedFileName(data);
    if (name.empty()) {
        name = kFallbackName;
    }
    const std::string stem = name.substr(0, name.size() - kExtension.size());
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    auto candidate = [&](int n) {
        std::string path = prefix;
        path += stem;
        if (n > 1) {
            path += '-';
            path += std::to_string(n);
        }
        path += kExtension;
        return path;
    };
    int n = 1;
    while (n <= kMaxNumber && Taken(candidate(n))) {
        ++n;
    }
    CFileReplacement file;
    if (n > kMaxNumber) {
        failure = FileFailureOf(EEXIST);
        return false;
    }
    if (!file.Begin(candidate(n))) {
        failure = file.Failure();
        return false;
    }
    std::string bytes = data.FormatHeaderLines();
    for (int r = 0; r < data.GetCount(); ++r) {
        bytes += data.FormatRecordLine(r);
    }
    if (!WriteAllAt(file.Fd(), bytes, 0)) {
        failure = FileFailureOf(errno);
        return false;
    }
    // Another writer may take the name between the look and the commit:
    // the next number then.
    for (; n <= kMaxNumber; ++n) {
        if (file.CommitNew(candidate(n))) {
            path = candidate(n);
            failure = {};
            return true;
        }
        if (file.Failure().error != EEXIST) {
            break;
        }
    }
    failure = file.Failure();
    return false;
}

}  // namespace kelp
