#pragma once
#include <string>

namespace kelp {

class CMeasDataSet;

// The file name (UTF-8) the save dialog proposes for `data`: the first
// record's site name and date and time, "KELP BAY ST.01_20260615-0800.csv",
// or only one of them when the other is blank or unknown; empty when there
// are no records or neither is known. Characters that a file name cannot
// hold here or on the computers the files travel to become '_'.
std::string ProposedFileName(const CMeasDataSet& data);

}  // namespace kelp
