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

// Row depths to choose from, shallowest first: in metres (depth unit 0) and
// in feet (any other unit).
inline constexpr std::array<double, 6> kMetreRows = {1, 2, 5, 10, 20, 50};
inline constexpr std::array<double, 7> kFootRows = {3, 5, 10, 20, 50, 100, 200};

// The shallowest row whose 30 rows hold `maxDepth` (the deepest record
// drawn), so that a cast fills the graph whatever its depth; the deepest row
// when none does. Rows are whole metres or feet, labelled without decimals.
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
