#pragma once
// Ticks of a time axis that reads as a clock: at the steps a clock shows
// (10 s, 15 min, 6 h, a day ...), on the clock's own marks (a 15-minute step
// falls on :00, :15, :30 and :45), each label as short as its step allows,
// and the date wherever a reader could not tell the day otherwise. Pure
// computations: no window code, so it builds and is tested without Qt.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "data/DateTime.h"

namespace kelp {

// The clock steps in seconds, smallest first: 1, 2, 5, 10, 15, 30 s;
// 1, 2, 5, 10, 15, 30 min; 1, 2, 3, 6, 12 h; 1, 2, 7 days. Beyond a week
// the steps go on as whole numbers of weeks.
inline constexpr std::array<int, 20> kClockSteps = {
    1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400, 172800, 604800,
};

struct ClockTick {
    // Seconds after the reference time, as the axis counts them.
    double t = 0.0;
    std::string label;
};

struct ClockTicks {
    double step = 0.0;  // seconds
    std::vector<ClockTick> ticks;
};

// The ticks of the axis min..max (seconds after `reference`) drawn on the
// pixels p0..p1: those of the smallest clock step at which every two
// neighbouring labels stand at least 10 pixels apart (`width` measures a
// label). Steps of days start at midnight, weeks on Mondays. A label reads
// "hh:mm" when the step is whole minutes, "hh:mm:ss" otherwise, "MM-DD" for
// steps of days; with `dates`, the first tick and every tick on a later day
// than the one before carry the date in front ("12-31 23:59:50"). Empty
// when max is not above min.
ClockTicks LayoutClockTicks(double min, double max, const CDateTime& reference, int p0, int p1,
                            const std::function<int(const std::string&)>& width, bool dates = true);

}  // namespace kelp
