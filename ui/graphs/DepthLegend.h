#pragma once
#include <array>
#include <cstdint>

#include "data/Catalogue.h"

namespace kelp {

// The colour map of the depth-profile graph: how deep a row is, which value
// boundaries the legend shows and which colour a mean value gets. Pure
// arithmetic, shared by the window, its tests and its benchmark.

constexpr int kDepthBins = 60;  // two half-cells per row
constexpr int kDepthRows = 30;
constexpr int kDepthMaxSeries = 20;
constexpr int kDepthThresholds = 16;  // boundaries between the 17 colours

// Legend colours as 0x00BBGGRR, index 0 for values below the first boundary.
extern const std::array<std::uint32_t, 17> kDepthColours;

// Depth units per half-cell and the kValueFormats index of the row labels.
struct DepthScale {
    double step = 0.5;
    int formatIndex = 0;
};

// Rows are 1 m deep until the deepest record lies beyond 30 m, then 10 m;
// in feet the same metric depths expressed in feet (unit code 1 or above).
DepthScale ChooseDepthScale(int depthUnit, double maxDepth);

// The legend boundaries for values from `minimum` to `maximum` shown with
// `decimals` places, as integers scaled by 10^decimals. Returns how many of
// `thresholds` are in use (1 to 16).
int ComputeThresholds(double minimum, double maximum, int decimals,
                      std::array<int, kDepthThresholds>& thresholds);

// The colour index (0 to 16) of a bin mean: the number of leading
// boundaries that do not exceed the mean scaled like the boundaries.
int ColourIndexOf(double mean, int decimals, const std::array<int, kDepthThresholds>& thresholds, int count);

// A value scaled by 10^decimals and rounded half up, held inside the int
// range so that absurd file values cannot overflow the conversion.
int ScaleToInt(double value, int decimals);

}  // namespace kelp
