#pragma once
#include <vector>

#include "analysis/CastFinder.h"

namespace kelp {

class CMeasDataSet;

// A component to average: a slot of the data set and one unit code of it
// (a slot may hold values in several units; each is a column of its own).
struct BinColumn {
    int slot = 0;
    int unit = 0;
};

// The records of one depth bin of a cast.
struct DepthBin {
    double centreMetres = 0.0;
    int records = 0;            // records with their depth in the bin
    std::vector<double> means;  // per column; NaN when the bin has no valid value of it
    std::vector<int> counts;    // per column, the valid values averaged
};

// Averages the records of `range` over depth bins of `binMetres` from the
// surface, as profile tables are published: bin b holds the depths from
// b x binMetres up to (b + 1) x binMetres, and a depth above the surface
// counts as 0. Only records with a valid depth (metres or feet, taken in
// metres) enter a bin; each column averages its valid values in its unit.
// Returns the bins that hold records, shallowest first (none when
// binMetres is not a positive number, or the data set has no depth slot).
// A depth more than a billion bins down is no depth and is left out.
std::vector<DepthBin> BinByDepth(const CMeasDataSet& data, RecordRange range, double binMetres,
                                 const std::vector<BinColumn>& columns);

}  // namespace kelp
