#pragma once
#include <array>
#include <string>

#include "data/MeasDataSet.h"
#include "ui/graphs/DepthLegend.h"

namespace kelp {

// One column of the depth-profile graph: a full copy of a data set and the
// mean of the chosen component in each of the 60 depth bins (bin k covers
// k x step to (k + 1) x step; row r shows bins 2r and 2r + 1).
class CDepthSeries final {
  public:
    CDepthSeries() = default;
    CDepthSeries(const CDepthSeries&) = delete;
    CDepthSeries& operator=(const CDepthSeries&) = delete;

    // Result of one binning pass: how many records were used and the range
    // and largest decimals of their values (meaningless when used is 0).
    struct BinResult {
        int used = 0;
        double minimum = 0.0;
        double maximum = 0.0;
        int decimals = 0;
    };

    // Rebins the series; a bin with count 0 stays white.
    BinResult Rebin(double step, int depthUnit, int element, int unit);

    // The text of the series in the list: "%2d:" with `position` + 1, then the
    // part of the name after its last path separator (or the whole name).
    std::string ListText(int position) const;

    CMeasDataSet data;
    std::array<double, kDepthBins> binMean{};
    std::array<int, kDepthBins> binCount{};
};

}  // namespace kelp
