#include "ui/graphs/ClockTicks.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "ui/graphs/AxisScale.h"

namespace kelp {

namespace {

constexpr double kDay = 86400.0;
constexpr double kWeek = 7.0 * kDay;
// Day 0 of the date-time count, 30 December 1899, was a Saturday: weeks
// start two days later.
constexpr double kFirstMonday = 2.0 * kDay;
// Labels closer than this many pixels run into each other.
constexpr int kLabelGap = 10;

// Candidate step i: the clock steps, then 2, 4, 8 ... weeks.
double StepAt(std::size_t i) {
    if (i < kClockSteps.size()) {
        return kClockSteps[i];
    }
    return kWeek * std::ldexp(1.0, static_cast<int>(i - kClockSteps.size() + 1));
}

// The label of the clock time `second` (seconds since day 0) for `step`;
// `withDate` puts the date in front.
std::string LabelAt(double second, double step, bool withDate) {
    const CDateTime at = CDateTime::FromDays(second / kDay);
    if (step >= kDay) {
        return at.Format("%m-%d");
    }
    const bool wholeMinutes = std::fmod(step, 60.0) == 0.0;
    return at.Format(withDate ? (wholeMinutes ? "%m-%d %H:%M" : "%m-%d %H:%M:%S")
                              : (wholeMinutes ? "%H:%M" : "%H:%M:%S"));
}

// Far-off times (fixed axis bounds from a hand-edited settings file) are
// held inside the integer range; their labels are empty anyway.
std::int64_t DayOf(double second) {
    return static_cast<std::int64_t>(std::clamp(std::floor(second / kDay), -1.0e15, 1.0e15));
}

}  // namespace

ClockTicks LayoutClockTicks(double min, double max, const CDateTime& reference, int p0, int p1,
                            const std::function<int(const std::string&)>& width, bool dates) {
    ClockTicks result;
    if (!(max > min) || !std::isfinite(min) || !std::isfinite(max)) {
        return result;
    }
    // Records carry whole seconds; the day count only approximates them.
    const double base = std::round(reference.GetDays() * kDay);
    const double lo = base + min;
    const double hi = base + max;
    const double pixels = std::abs(p1 - p0);
    for (std::size_t i = 0;; ++i) {
        const double step = StepAt(i);
        const bool last = step > hi - lo;  // one tick at most: nothing to crowd
        const double offset = std::fmod(step, kWeek) == 0.0 ? kFirstMonday : 0.0;
        const double first = std::ceil((lo - offset) / step) * step + offset;
        // A step whose plainest labels cannot stand apart is passed over
        // before any label is made for it.
        const double count = std::floor((hi - first) / step) + 1.0;
        const double room = pixels / (width(LabelAt(first, step, false)) + kLabelGap) + 1.0;
        if (!last && count > room) {
            continue;
        }
        std::vector<ClockTick> ticks;
        bool apart = true;
        int previousX = 0;
        int previousWidth = 0;
        std::int64_t previousDay = 0;
        for (int k = 0; first + k * step <= hi; ++k) {
            const double second = first + k * step;
            const std::int64_t day = DayOf(second);
            const bool withDate = dates && (ticks.empty() || day != previousDay);
            ClockTick tick{second - base, LabelAt(second, step, withDate)};
            const int x = MapToPixel(tick.t, min, max, p0, p1);
            const int w = width(tick.label);
            if (!ticks.empty() && 2 * std::abs(x - previousX) < previousWidth + w + 2 * kLabelGap) {
                apart = false;
                break;
            }
            previousX = x;
            previousWidth = w;
            previousDay = day;
            ticks.push_back(std::move(tick));
        }
        if (apart || last) {
            result.step = step;
            result.ticks = std::move(ticks);
            return result;
        }
    }
}

}  // namespace kelp
