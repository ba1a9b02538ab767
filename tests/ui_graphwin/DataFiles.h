#pragma once
// Data files for the graph window tests: written by the program's own file
// job, then, where a test needs other slot elements than the instrument's,
// patched in the column line.
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "tests/settings/TempDir.h"
#include "ui/dialogs/ProgressDlg.h"

namespace kelp::testing {

using kelp::test::TempDir;

inline bool SaveFile(const std::string& path, CMeasDataSet& data) {
    CProgressDlg progress;
    return SaveDataFile(path, data, progress) == FILEJOB_OK;
}

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Replaces the element number of the given slots in the column line
// (field 8 + 3s), so that the file declares other components.
inline void PatchElements(const std::string& path, const std::map<int, int>& elements) {
    std::string text = ReadAll(path);
    const std::size_t lineStart = text.find('\n') + 1;
    const std::size_t lineEnd = text.find('\n', lineStart);
    std::string line = text.substr(lineStart, lineEnd - lineStart);
    for (const auto& [slot, element] : elements) {
        // Fields are quoted and separated by commas; the titles hold no
        // quote or comma byte, so counting quotes finds field 8 + 3s.
        const int field = 8 + 3 * slot;
        std::size_t pos = 0;
        for (int f = 0; f < field; ++f) {
            pos = line.find("\",\"", pos) + 3;
        }
        const std::size_t end = line.find('"', pos);
        line.replace(pos, end - pos, std::to_string(element));
    }
    text.replace(lineStart, lineEnd - lineStart, line);
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace kelp::testing
