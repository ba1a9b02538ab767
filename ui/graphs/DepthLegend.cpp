#include "ui/graphs/DepthLegend.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace kelp {

const std::array<std::uint32_t, 17> kDepthColours = {
    0x000000, 0x660000, 0xAA0000, 0xFF0000, 0xFF9900, 0xFFFF00, 0x999900, 0x666600, 0x00FF00,
    0x44FFAA, 0x00FFFF, 0x00CCFF, 0x0099FF, 0x0066FF, 0x0000FF, 0x0000BB, 0x000099,
};

namespace {

double PowerOfTen(int decimals) {
    return std::pow(10.0, std::clamp(decimals, 0, 4));
}

int ClampToInt(double v) {
    // NaN and values beyond the int range would make the conversion undefined.
    if (!(v > static_cast<double>(INT_MIN))) {
        return INT_MIN;
    }
    if (!(v < static_cast<double>(INT_MAX))) {
        return INT_MAX;
    }
    return static_cast<int>(v);
}

}  // namespace

DepthScale ChooseDepthScale(int depthUnit, double maxDepth) {
    const auto choose = [maxDepth](const auto& rows) {
        for (const double row : rows) {
            if (maxDepth <= kDepthRows * row) {
                return row;
            }
        }
        return rows.back();
    };
    DepthScale scale;
    scale.formatIndex = 0;
    // A row holds two half-cells.
    scale.step = (depthUnit == 0 ? choose(kMetreRows) : choose(kFootRows)) / 2.0;
    return scale;
}

int ScaleToInt(double value, int decimals) {
    return ClampToInt(std::floor(PowerOfTen(decimals) * value + 0.5));
}

int ComputeThresholds(double minimum, double maximum, int decimals,
                      std::array<int, kDepthThresholds>& thresholds) {
    thresholds.fill(0);
    const double c = PowerOfTen(decimals);
    const int lo = ScaleToInt(minimum, decimals);
    const int hi = ScaleToInt(maximum, decimals);
    if (minimum == maximum) {
        thresholds[0] = lo;
        return 1;
    }
    const double f = (maximum - minimum) * 0.058823529411764705;
    const double unit = 1.0 / c;
    const double raw = unit > f ? std::ceil(c * f) : std::floor(c * f);
    // A seventeenth that rounds down to nothing would stack every boundary on
    // the minimum; one label unit is the smallest step that still separates.
    // The upper clamp only keeps absurd ranges inside the integer type.
    const long long m = static_cast<long long>(std::clamp(raw, 1.0, 4294967296.0));
    int count = 0;
    for (int i = 0; i < kDepthThresholds; ++i) {
        const long long t = static_cast<long long>(lo) + (i + 1) * m;
        if (t > hi) {
            break;
        }
        thresholds[i] = static_cast<int>(t);
        ++count;
    }
    if (count == 0) {
        thresholds[0] = lo;
        count = 1;
    }
    return count;
}

int ColourIndexOf(double mean, int decimals, const std::array<int, kDepthThresholds>& thresholds, int count) {
    const int v = ScaleToInt(mean, decimals);
    int j = 0;
    const int n = std::clamp(count, 0, kDepthThresholds);
    while (j < n && thresholds[j] <= v) {
        ++j;
    }
    return j;
}

}  // namespace kelp
