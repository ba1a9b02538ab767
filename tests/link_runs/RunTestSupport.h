#pragma once
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "link/PortSettings.h"

namespace kelp::test {

// The port settings of a run on `device` (any port number, remapped).
inline PortDeviceMap DeviceOf(const std::string& device) {
    return PortDeviceMap{{3, device}};
}

inline PortSettings DefaultPort() {
    return PortSettings{};
}

// A fresh file name for the simulator's request log, in a folder of its own.
inline std::string TempLogPath() {
    char dir[] = "/tmp/kelp-link-XXXXXX";
    if (::mkdtemp(dir) == nullptr) {
        return "/tmp/kelp-link-requests.log";
    }
    return std::string(dir) + "/requests.log";
}

// Removes the log and its folder.
inline void RemoveLog(const std::string& path) {
    if (path.empty()) {
        return;
    }
    ::unlink(path.c_str());
    ::rmdir(path.substr(0, path.rfind('/')).c_str());
}

// The request log: one "N BODY [faults]" line per request.
inline std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The YYMMDDhhmmss date and time at `offset` of a record text, as a time.
inline std::time_t StampOf(const std::string& record, std::size_t offset) {
    auto pair = [&](std::size_t i) { return std::atoi(record.substr(offset + i, 2).c_str()); };
    std::tm t{};
    t.tm_year = 100 + pair(0);
    t.tm_mon = pair(2) - 1;
    t.tm_mday = pair(4);
    t.tm_hour = pair(6);
    t.tm_min = pair(8);
    t.tm_sec = pair(10);
    t.tm_isdst = -1;
    return std::mktime(&t);
}

}  // namespace kelp::test
