#pragma once
// Linear axis scaling shared by the trend panes and the X-Y graph. Pure
// computations: no window code, so it builds and is tested without Qt.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kelp {

// Colours are 0x00BBGGRR values throughout the program.
constexpr std::uint32_t ColourRef(int r, int g, int b) {
    return static_cast<std::uint32_t>(r & 0xFF) | (static_cast<std::uint32_t>(g & 0xFF) << 8) |
           (static_cast<std::uint32_t>(b & 0xFF) << 16);
}

// One colour per component row of the X-Y graph, chosen so that any twelve
// of them stay apart as thin lines on white paper and from the cyan grid.
inline constexpr std::array<std::uint32_t, 13> kGraphPalette = {
    ColourRef(0, 90, 220),    ColourRef(220, 30, 30), ColourRef(0, 150, 40),   ColourRef(240, 130, 0),
    ColourRef(120, 40, 170),  ColourRef(130, 80, 30), ColourRef(255, 60, 220), ColourRef(0, 0, 0),
    ColourRef(0, 130, 130),   ColourRef(140, 140, 0), ColourRef(100, 0, 40),   ColourRef(130, 130, 130),
    ColourRef(240, 120, 140),
};

// The plot frame is filled white and outlined black; grid lines are cyan.
constexpr std::uint32_t kFrameFillColour = ColourRef(255, 255, 255);
constexpr std::uint32_t kFrameLineColour = ColourRef(0, 0, 0);
constexpr std::uint32_t kGridColour = ColourRef(0, 255, 255);

// Pixel coordinate of v on the pixel interval p0..p1 for the value interval
// a..b. Vertical axes pass the upper bound first so that larger values stand
// higher. Values outside a..b map outside p0..p1; callers clip.
int MapToPixel(double v, double a, double b, int p0, int p1);

// MapToPixel for valueAt(0) ... valueAt(n - 1), written to out[0 .. n) as
// doubles: the same arithmetic in loops the compiler runs several values
// at a time (the quotients first, then, when all of them fit an int, as
// they do unless fixed bounds lie far from the data, the truncation by
// conversion), for the thousands of points of a graph line. Where
// MapToPixel clamps a far-off pixel (more than a billion pixels away) this
// keeps it, so that a segment towards it keeps its direction; callers clip.
template <class ValueAt>
void MapToPixels(int n, const ValueAt& valueAt, double a, double b, int p0, int p1, double* out) {
    if (n <= 0) {
        return;
    }
    if (b - a == 0.0) {
        std::fill(out, out + n, static_cast<double>(p0));
        return;
    }
    const double d = p1 - p0;
    const double range = b - a;
    for (int r = 0; r < n; ++r) {
        out[r] = (valueAt(r) - a) * d / range;
    }
    bool fits = true;  // false as well for a NaN
    for (int r = 0; r < n; ++r) {
        fits &= std::fabs(out[r]) < 2147483647.0;
    }
    const double base = d > 0 ? p0 : p1;
    const double sign = d > 0 ? 1.0 : -1.0;
    if (fits) {
        for (int r = 0; r < n; ++r) {
            out[r] = base + sign * static_cast<double>(static_cast<int>(out[r]));
        }
        return;
    }
    for (int r = 0; r < n; ++r) {
        const double f = std::trunc(out[r]);
        out[r] = std::isnan(f) ? p0 : base + sign * f;
    }
}

struct TickStep {
    double step = 0.0;
    double first = 0.0;
};

// Chooses the tick step and the first tick (a multiple of the coarse step, at
// most lo) for lo..hi, rounded up to whole units of the given decimals.
// Quantities that are whole (a power-of-ten range, a step of whole label
// units, a range of exactly 3 or 5 steps, lo a whole number of steps) are
// taken as whole within the rounding error of the arithmetic: 0..0.1 at 3
// decimals has step 0.01, and 1.2..2.2 starts at 1.2.
// False when no ticks can be drawn (an empty or reversed interval).
bool ComputeTickStep(double lo, double hi, int decimals, TickStep& out);

// Axis label text of v with 0 to 4 decimals ("%.0f" to "%.4f"), with a
// point whatever the locale, and never a negative zero ("-0.00" is "0.00").
std::string FormatAxisValue(double v, int decimals);

// A printed number without the sign of a negative zero: "-0", "-0.000"
// and "-.0" lose their minus; anything else is returned unchanged.
std::string WithoutNegativeZero(std::string number);

// The number of decimals (at most the given one) with which both ends of
// lo..hi print in 7 characters or fewer; 0 if none does.
int FitDecimals(int decimals, double lo, double hi);

struct TextExtent {
    int width = 0;
    int height = 0;
};

enum class AxisOrientation { Horizontal, Vertical };

// Ticks of one axis after thinning: t = first, first + step, ... while
// t <= max, drawn only where t >= min. Empty when the interval has no ticks.
struct TickLayout {
    bool valid = false;
    double first = 0.0;
    double step = 0.0;
    double min = 0.0;
    double max = 0.0;
    bool thinned = false;
    // The tick values to draw, each at or above min.
    std::vector<double> Ticks() const;
};

// Lays out the ticks of the axis min..max drawn on pixels p0..p1 (left to
// right, or top to bottom with max at the top). The step is doubled once when
// labels would crowd: horizontally when the spacing is below the width of the
// label of max + 10, vertically when it is below twice the height of the label
// of first. `label` gives a tick's text and `measure` its extent.
TickLayout LayoutTicks(double min, double max, int decimals, int p0, int p1, AxisOrientation orientation,
                       const std::function<std::string(double)>& label,
                       const std::function<TextExtent(const std::string&)>& measure);

}  // namespace kelp
