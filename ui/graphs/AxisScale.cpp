#include "ui/graphs/AxisScale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "data/Catalogue.h"

namespace kelp {

namespace {

// A tick list longer than this means the step no longer advances t (a step
// lost in the rounding of a huge value); drawing stops there.
constexpr int kMaxTicks = 1000;

// Relative error the tick arithmetic carries: 0.1 × 0.1 × 1000 is
// 10.000000000000002 and 0.3 ÷ 0.1 is 2.9999999999999996. Quantities that
// meet a whole number or a limit within it are taken as meeting it exactly.
constexpr double kRoundingError = 1.0e-9;

bool NearlyEqual(double a, double b) {
    return std::fabs(a - b) <= kRoundingError * std::max(std::fabs(a), std::fabs(b));
}

// floor(v), but v itself when it is a whole number up to rounding.
double WholeOrFloor(double v) {
    const double whole = std::round(v);
    return NearlyEqual(v, whole) ? whole : std::floor(v);
}

// ceil(v), but v itself when it is a whole number up to rounding.
double WholeOrCeil(double v) {
    const double whole = std::round(v);
    return NearlyEqual(v, whole) ? whole : std::ceil(v);
}

bool Below(double a, double limit) {
    return a < limit && !NearlyEqual(a, limit);
}

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
    // A range that is a power of ten up to rounding (2.2 - 1.2) counts as
    // one; otherwise the power of ten at or below it.
    const double exponent = std::log10(range);
    double p = std::pow(10.0, std::round(exponent));
    const bool powerOfTen = NearlyEqual(range, p);
    if (!powerOfTen) {
        p = std::pow(10.0, std::floor(exponent));
    }
    if (p == 0.0) {
        return false;
    }
    double step = powerOfTen ? p * 0.1 : p;
    const double first = WholeOrFloor(lo / step) * step;
    const double r = range / step;
    if (Below(r, 5.0)) {
        step *= 0.5;
        if (Below(r, 3.0)) {
            step *= 0.5;
        }
    }
    // Rounded up to whole label units, unless it is a whole number of them
    // already; kept in double so that a wide axis cannot overflow an
    // integer conversion.
    const double m = std::pow(10.0, decimals);
    step = WholeOrCeil(step * m) / m;
    if (!(step > 0.0) || !std::isfinite(step)) {
        return false;
    }
    out.step = step;
    out.first = first;
    return true;
}

std::string FormatAxisValue(double v, int decimals) {
    return WithoutNegativeZero(FormatDecimals(v, decimals));
}

std::string WithoutNegativeZero(std::string number) {
    if (!number.empty() && number.front() == '-' && number.find_first_not_of("0.", 1) == std::string::npos) {
        number.erase(0, 1);
    }
    return number;
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
    // Ticks are counted off from the first rather than summed up, and the
    // ends are met within rounding, so that the top tick of 0..0.1 in steps
    // of 0.01 is not lost to 0.1 + 1e-17.
    const double slack = step * kRoundingError;
    double previous = first;
    for (int n = 0; n < kMaxTicks; ++n) {
        const double t = first + n * step;
        if (t > max + slack) {
            break;
        }
        if (n > 0 && t == previous) {
            break;  // the step no longer moves t
        }
        if (t >= min - slack) {
            ticks.push_back(t);
        }
        previous = t;
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
