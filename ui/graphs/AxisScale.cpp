#include "ui/graphs/AxisScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kelp {

namespace {

// A tick list longer than this means the step no longer advances t (a step
// lost in the rounding of a huge value); drawing stops there.
constexpr int kMaxTicks = 1000;

}  // namespace

int MapToPixel(double v, double a, double b, int p0, int p1) {
    if (b - a == 0.0) {
        return p0;
    }
    const int d = p1 - p0;
    const double f = (v - a) * d / (b - a);
    if (std::isnan(f)) {
        return p0;
    }
    // Far-off values are clamped before the integer conversion, which would
    // otherwise be undefined; they land far outside any window and are clipped.
    const double t = std::clamp(std::trunc(f), -1.0e9, 1.0e9);
    return d > 0 ? p0 + static_cast<int>(t) : p1 - static_cast<int>(t);
}

bool ComputeTickStep(double lo, double hi, int decimals, TickStep& out) {
    const double range = hi - lo;
    if (!(range > 0.0) || !std::isfinite(range) || !std::isfinite(lo)) {
        return false;
    }
    const double p = std::pow(10.0, std::floor(std::log10(range)));
    if (p == 0.0) {
        return false;
    }
    double step = p;
    if (range == p) {
        step = p * 0.1;
    }
    const double first = std::floor(lo / step) * step;
    const double r = range / step;
    if (r < 5.0) {
        step *= 0.5;
        if (r < 3.0) {
            step *= 0.5;
        }
    }
    // Rounded up to whole label units; kept in double so that a wide axis
    // cannot overflow an integer conversion.
    const double m = std::pow(10.0, decimals);
    step = std::ceil(step * m) / m;
    if (!(step > 0.0) || !std::isfinite(step)) {
        return false;
    }
    out.step = step;
    out.first = first;
    return true;
}

std::string FormatAxisValue(double v, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 0, 4), v);
    return text;
}

int FitDecimals(int decimals, double lo, double hi) {
    decimals = std::min(decimals, 4);
    while (decimals > 0) {
        if (FormatAxisValue(lo, decimals).size() <= 7 && FormatAxisValue(hi, decimals).size() <= 7) {
            break;
        }
        --decimals;
    }
    return decimals;
}

std::vector<double> TickLayout::Ticks() const {
    std::vector<double> ticks;
    if (!valid) {
        return ticks;
    }
    double t = first;
    for (int n = 0; t <= max && n < kMaxTicks; ++n) {
        if (t >= min) {
            ticks.push_back(t);
        }
        const double next = t + step;
        if (next == t) {
            break;
        }
        t = next;
    }
    return ticks;
}

TickLayout LayoutTicks(double min, double max, int decimals, int p0, int p1, AxisOrientation orientation,
                       const std::function<std::string(double)>& label,
                       const std::function<TextExtent(const std::string&)>& measure) {
    TickLayout layout;
    TickStep ts;
    if (!ComputeTickStep(min, max, decimals, ts)) {
        return layout;
    }
    layout.valid = true;
    layout.first = ts.first;
    layout.step = ts.step;
    layout.min = min;
    layout.max = max;
    const bool horizontal = orientation == AxisOrientation::Horizontal;
    const auto map = [&](double v) {
        return horizontal ? MapToPixel(v, min, max, p0, p1) : MapToPixel(v, max, min, p0, p1);
    };
    const int spacing = std::abs(map(ts.first + ts.step) - map(ts.first));
    if (horizontal) {
        const TextExtent e = measure(label(max));
        layout.thinned = spacing < e.width + 10;
    } else {
        const TextExtent e = measure(label(ts.first));
        layout.thinned = spacing < 2 * e.height;
    }
    if (layout.thinned) {
        layout.step *= 2.0;
    }
    return layout;
}

}  // namespace kelp
