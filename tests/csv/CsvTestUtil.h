#pragma once
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "data/CsvFile.h"
#include "data/MeasDataSet.h"

namespace kelp::test {

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Splits a line as the file reader does (without its line end).
inline std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields;
    CCsvFile::SplitCsvLine(line, fields);
    return fields;
}

// A fresh folder removed with its content at the end of the test.
class ScratchDir final {
  public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelp-csv-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    std::size_t EntryCount() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(path_)) {
            ++n;
        }
        return n;
    }

  private:
    std::string path_;
};

// Line 1 and line 2 of a file whose slots hold the instrument's elements.
inline std::string HeaderFor(int count) {
    CMeasDataSet set;
    set.Reserve(1);
    set.AddLiveRecord(std::string("#RD") + std::string(20, ' ') + "00" + "12.3" + std::string(130, ' ') +
                      "260102030405" + "--------N--------");
    std::string header = set.FormatHeaderLines();
    const auto end = header.find("\r\n");
    return "\"KelpPC DataFile\",\"Version\",\"1.00\",\"" + std::to_string(count) + "\"" + header.substr(end);
}

// The records of several data sets one after another in one data file, as
// a file longer than a data set holds would be saved: line 1 announces them
// all, line 2 is the first set's.
inline std::string JoinedDataFile(std::initializer_list<CMeasDataSet*> sets) {
    int total = 0;
    for (CMeasDataSet* set : sets) {
        total += set->GetCount();
    }
    const std::string header = (*sets.begin())->FormatHeaderLines();
    std::string text = "\"KelpPC DataFile\",\"Version\",\"1.00\",\"" + std::to_string(total) + "\"" +
                       header.substr(header.find("\r\n"));
    for (CMeasDataSet* set : sets) {
        for (int r = 0; r < set->GetCount(); ++r) {
            text += set->FormatRecordLine(r);
        }
    }
    return text;
}

}  // namespace kelp::test
