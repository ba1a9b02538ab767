#pragma once
#include <string>

#include "data/FileJobs.h"

namespace kelp::cli {

// "-" in place of a file name: standard input where a data file is read,
// standard output where one is written.
inline constexpr const char* kStandardStream = "-";

// The name a file goes by in messages: "standard input" or "standard
// output" for "-" (`output` tells which), else the name as given.
std::string ShownName(const std::string& path, bool output = false);

// The file a load of `path` reads: `path` itself, or for "-" a copy of
// standard input. The copy is made at the first "-" and read again for
// every later one (a load that reads its file twice gets the same records
// twice). Empty, with the message in `error`, when the copy cannot be made.
std::string ReadablePath(const std::string& path, std::string& error);

// What the thing at `path` is when it is no regular file ("a folder", "a
// named pipe (FIFO)", ...), or an empty text.
std::string KindOf(const std::string& path);

// The message for a load of `path` (read from `readPath`) that failed as
// `failure` says, naming the cause: the file missing, not a file, empty, not
// a data file, or the line, the field and the rule it broke. `data` is the
// data set the load filled (its columns name the value fields).
std::string LoadFailureText(const std::string& path, const std::string& readPath, const LoadFailure& failure,
                            const CMeasDataSet& data);

}  // namespace kelp::cli
