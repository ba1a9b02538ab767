#pragma once
#include <string>
#include <vector>

#include "data/FileReplacement.h"

namespace kelp {

class CMeasDataSet;
class IProgressDialog;

// Alternative `n` (1, 2, ...) to `path`, with `tag` before its extension:
// "bay.csv" and "partial" give "bay.partial.csv", then "bay.partial-2.csv",
// "bay.partial-3.csv" ...
std::string NameBeside(const std::string& path, const std::string& tag, int n);
// The first NameBeside at which nothing stands; empty when none of the
// first 999 is free.
std::string FreeNameBeside(const std::string& path, const std::string& tag);

// True when `a` and `b` lead to the same file, by another name, through a
// link or as hard links of one file; false when either does not exist.
bool SameFile(const std::string& a, const std::string& b);

// The number of record lines in the data file at `path`: its lines after
// line 2, line breaks inside quoted fields not counted. -1 when the file
// cannot be read.
int RecordLinesIn(const std::string& path);

// Saves `data` (at least one record) as a new file at `path` and never
// replaces anything: the file is written in full under a private name in
// the same folder and then moved to `path`, unless something stands there
// by then; with a `tag` it then goes to FreeNameBeside(path, tag) instead.
// Returns the path of the file, which has been read back to hold every
// record; empty when it could not be saved (nothing is left behind), with
// the reason in `failure` when given.
std::string SaveNewDataFile(const std::string& path, CMeasDataSet& data, IProgressDialog& dialog,
                            const std::string& tag = {}, FileFailure* failure = nullptr);

// Where records go when the folder they belong in refuses them, in the order
// to try: $XDG_STATE_HOME/kelp-collector (else ~/.local/state/kelp-collector),
// made when missing, then the home folder, then /tmp. Only folders that
// exist are listed.
std::vector<std::string> FallbackFolders();

}  // namespace kelp
