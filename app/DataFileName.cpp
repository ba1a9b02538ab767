#include "app/DataFileName.h"

#include <string_view>

#include "data/Cp932.h"
#include "data/MeasDataSet.h"

namespace kelp {
namespace {

std::string SafeForFileName(std::string_view text) {
    constexpr std::string_view kRefused = "/\\:*?\"<>|";
    std::string safe;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        safe += byte < 0x20 || byte == 0x7F || kRefused.find(c) != std::string_view::npos ? '_' : c;
    }
    const auto first = safe.find_first_not_of(' ');
    const auto last = safe.find_last_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    safe = safe.substr(first, last - first + 1);
    // A leading dot would hide the file from the folder's listing.
    if (safe.front() == '.') {
        safe.front() = '_';
    }
    return safe;
}

}  // namespace

std::string ProposedFileName(const CMeasDataSet& data) {
    if (data.GetCount() == 0) {
        return {};
    }
    // Site names are stored as the instrument sent them, padded with blanks.
    const std::string site = SafeForFileName(Cp932ToUtf8(data.GetSiteName(0)));
    const std::string time = data.FormatTime(0, "%Y%m%d-%H%M");
    if (site.empty() && time.empty()) {
        return {};
    }
    return site + (!site.empty() && !time.empty() ? "_" : "") + time + ".csv";
}

}  // namespace kelp
