#pragma once
#include <string>
#include <vector>

#include "analysis/CastFinder.h"
#include "data/FileReplacement.h"

namespace kelp {

class CMeasDataSet;

// How a data set is split into files: one per cast (a series counting as a
// cast) or one per station.
enum class SplitBy { Cast, Station };

// The records of one file of a split, in record order.
struct SplitPiece {
    std::vector<RecordRange> ranges;
};

// The pieces of a split of the data set that `list` describes. With
// `downcastOnly` a piece holds only down-casts (a station's piece all of its
// down-casts), and a series, which has none, gives no piece.
std::vector<SplitPiece> SplitPieces(const CastList& list, SplitBy by, bool downcastOnly);

// Makes `out` a data set of the records of `piece` of `data`.
void CopyPiece(const CMeasDataSet& data, const SplitPiece& piece, CMeasDataSet& out);

// How a cast is named in the graphs and their lists (UTF-8): its site and
// the time of its first record, "KELP BAY ST.01 08:12"; a path separator
// in the site becomes '_', so that the graphs, which show names of files
// from their last separator on, show it whole.
std::string CastName(const Cast& cast);

// The casts of `list` drawn as profiles: every cast that is not a series,
// as the range of its down-cast or of all its records.
std::vector<std::pair<const Cast*, RecordRange>> ProfileRanges(const CastList& list, bool downcastOnly);

// Makes `out` a copy of the records `range` of `data`, named after `cast`.
void CopyCast(const CMeasDataSet& data, const Cast& cast, RecordRange range, CMeasDataSet& out);

// Writes `data` as a data file of this program into `folder`, under the
// name the save dialog proposes for it (site, date and time of its first
// record: "KELP BAY ST.01_20260615-0800.csv") or, when that name is taken,
// the next free one ("..._20260615-0800-2.csv", "-3" ...). It never
// replaces or follows anything at a name, and a file appears under its name
// only complete and on the disk, so two runs at once, or a file appearing
// meanwhile, cost nothing but a number. `path` receives the file written;
// false, with the reason in `failure`, when it cannot be written.
bool SaveNewDataFile(const std::string& folder, CMeasDataSet& data, std::string& path, FileFailure& failure);

}  // namespace kelp
