// Any bytes as a data file: the line reader and the three parse operations
// must neither crash nor misbehave, and every record that loads must save
// to a line that loads back to the same record.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/CsvFile.h"
#include "data/MeasDataSet.h"

namespace {

using kelp::CCsvFile;
using kelp::CMeasDataSet;
using kelp::ECsvError;
using kelp::EMemError;

// Sets of a small capacity, made once: a set allocates its storage up front.
CMeasDataSet& Set(int which) {
    static CMeasDataSet* sets = [] {
        auto* s = new CMeasDataSet[2];
        s[0].Reserve(64);
        s[1].Reserve(64);
        return s;
    }();
    return sets[which];
}

// The same slot elements in both sets before each input, so that a run
// does not depend on the inputs before it.
void ResetElements(CMeasDataSet& set) {
    std::vector<std::string> fields(54, "x");
    for (int s = 0; s < 13; ++s) {
        fields[static_cast<std::size_t>(8 + 3 * s)] = std::to_string((s * 7) % 25);
    }
    set.GetFieldList() = fields;
    set.ParseColumnLine();
    set.Clear();
}

std::string WithoutLineEnd(const std::string& line) {
    if (line.size() < 2 || line.compare(line.size() - 2, 2, "\r\n") != 0) {
        std::abort();
    }
    return line.substr(0, line.size() - 2);
}

// The line of record r with its number blanked, as it must be after any
// number of saves and loads.
std::string Normalised(CMeasDataSet& set, int r) {
    std::string line = set.FormatRecordLine(r);
    return line.substr(line.find(','));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CMeasDataSet& set = Set(0);
    CMeasDataSet& again = Set(1);
    ResetElements(set);
    ResetElements(again);

    std::FILE* stream = size == 0 ? std::tmpfile() : ::fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    CCsvFile file;
    if (!file.OpenRead(stream)) {
        return 0;
    }
    auto& fields = set.GetFieldList();
    try {
        if (!file.ReadCsvLine(fields)) {
            return 0;
        }
        try {
            (void)set.ParseFirstLine();
        } catch (EMemError e) {
            if (e != EMemError::NotDataFile) {
                std::abort();
            }
        }
        file.ReadCsvLine(fields);
        try {
            set.ParseColumnLine();
        } catch (EMemError e) {
            if (e != EMemError::BadFormat) {
                std::abort();
            }
        }
        for (int i = 0; i < 64 && file.ReadCsvLine(fields); ++i) {
            const int before = set.GetCount();
            try {
                set.ParseRecordLine();
            } catch (EMemError e) {
                if (e != EMemError::BadFormat || set.GetCount() != before) {
                    std::abort();
                }
                continue;
            }
            if (set.GetCount() != before + 1) {
                std::abort();
            }
        }
    } catch (ECsvError) {
        // A line too long: the load fails; nothing to check.
    }

    // Every record that loaded saves and loads back unchanged.
    const std::string header = set.FormatHeaderLines();
    CCsvFile::SplitCsvLine(WithoutLineEnd(header.substr(header.find("\r\n") + 2)), again.GetFieldList());
    again.ParseColumnLine();
    for (int r = 0; r < set.GetCount(); ++r) {
        CCsvFile::SplitCsvLine(WithoutLineEnd(set.FormatRecordLine(r)), again.GetFieldList());
        try {
            again.ParseRecordLine();
        } catch (EMemError) {
            std::fprintf(stderr, "saved record %d does not load: %s\n", r, set.FormatRecordLine(r).c_str());
            std::abort();
        }
        if (Normalised(again, again.GetCount() - 1) != Normalised(set, r) ||
            again.GetSiteName(again.GetCount() - 1).size() > 20) {
            std::fprintf(stderr, "record %d changed on the way back\n", r);
            std::abort();
        }
    }
    return 0;
}
