#include "tools/sim/FieldDay.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace kelp::sim {

namespace {

// A small, fast generator of its own, so that a seed gives the same day on
// every machine and library.
class CDice final {
  public:
    explicit CDice(std::uint64_t seed) : state_(seed * 0x2545F4914F6CDD1DULL + 0x5EED) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    double Uniform(double low, double high) {
        return low + (high - low) * static_cast<double>(Next() >> 11) / static_cast<double>(1ULL << 53);
    }
    int Between(int low, int high) {  // both included
        return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
    }
    bool Chance(double p) { return Uniform(0.0, 1.0) < p; }

  private:
    std::uint64_t state_;
};

// A fixed start, in local time: 15 June 2026, 07:30.
std::time_t DayStart() {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 5;
    t.tm_mday = 15;
    t.tm_hour = 7;
    t.tm_min = 30;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

constexpr double kNoiseMetres = 0.04;     // the sensor's noise, at most, either way
constexpr double kMaxSwellMetres = 0.10;  // the swell's height, either way

// The swell under the boat: the depth it adds to the record logged `k`
// records after the station's first.
struct Swell {
    double metres = 0.0;
    double periodRecords = 1.0;
    double phase = 0.0;

    double At(std::size_t k) const {
        return metres * std::sin(2 * std::numbers::pi * static_cast<double>(k) / periodRecords + phase);
    }
};
constexpr double kMetresPerDegree = 111320.0;
constexpr double kStartLatitude = 35.15;
constexpr double kStartLongitude = 139.70;

// The depths of one station, with the truth about its casts (record
// numbers counted from the station's first record).
struct StationPlan {
    std::vector<double> depths;
    std::vector<TrueCast> casts;
    bool depthSensor = true;
    int interval = 1;  // seconds between records
};

class CDayPlanner final {
  public:
    CDayPlanner(std::uint64_t seed, int records, Sea sea)
        : dice_(seed), rough_(sea == Sea::Rough), budget_(records), clock_(DayStart()) {
        latitude_ = kStartLatitude;
        longitude_ = kStartLongitude;
    }

    FieldDay Plan() {
        while (budget_ > 0) {
            StationPlan station = dice_.Chance(0.12) ? Series() : Profile();
            if (static_cast<int>(station.depths.size()) > budget_) {
                // The memory ends here: a last time series fills it exactly.
                station = Series(budget_);
            }
            Append(station);
        }
        return std::move(day_);
    }

  private:
    // The sensor's reading of a depth: noise, no depth above the surface,
    // and the two decimals the instrument sends.
    double Reading(double depth) {
        const double noise = (dice_.Uniform(-0.5, 0.5) + dice_.Uniform(-0.5, 0.5)) * kNoiseMetres;
        return std::round(std::max(0.0, depth + noise) * 100.0) / 100.0;
    }

    StationPlan Profile() {
        StationPlan plan;
        plan.interval = dice_.Chance(0.7) ? 1 : 2;
        // On a rough day some probes are lowered slowly, by hand, a few
        // centimetres a record, and at some stations a swell lifts and
        // lowers the boat, and the probe on its cable with it. A calm day
        // draws no dice for them, so that it stays the day it always was.
        const bool slow = rough_ && dice_.Chance(0.3);
        const Swell swell = rough_ && dice_.Chance(0.4) ? Swell{dice_.Uniform(0.02, kMaxSwellMetres),
                                                                dice_.Uniform(4.0, 9.0) / plan.interval,
                                                                dice_.Uniform(0.0, 2 * std::numbers::pi)}
                                                        : Swell{};
        std::vector<double>& d = plan.depths;
        const auto log = [&](double depth) { d.push_back(Reading(depth + swell.At(d.size()))); };
        // The soak: the probe hangs just under the surface until its sensors settle.
        double depth = dice_.Uniform(0.3, 1.0);
        const int soak = dice_.Between(10, 90 / plan.interval);
        for (int i = 0; i < soak; ++i) {
            log(depth);
        }
        const double bottom = slow ? dice_.Uniform(5.0, 20.0) : dice_.Uniform(8.0, 60.0);
        const int casts = dice_.Chance(0.45) ? dice_.Between(2, 4) : 1;
        for (int c = 0; c < casts; ++c) {
            TrueCast cast;
            cast.top = static_cast<int>(d.size()) - 1;
            cast.first = c == 0 ? 0 : cast.top;
            const double target = bottom * dice_.Uniform(0.7, 1.0);
            // Slow enough for ten records on the way down, however shallow.
            const double speed = slow ? dice_.Uniform(0.05, 0.2) : dice_.Uniform(0.4, 1.0) * plan.interval;
            const double down = std::min(speed, (target - depth) / 10.0);
            while (depth + down < target) {
                depth += down;
                log(depth);
            }
            depth = target;
            for (int i = dice_.Between(1, 3); i > 0; --i) {  // at the bottom for a moment
                log(depth);
            }
            const bool last = c + 1 == casts;
            const double turn = last ? dice_.Uniform(0.2, 0.5) : dice_.Uniform(0.5, 2.0);
            const double up = slow ? dice_.Uniform(0.1, 0.4) : dice_.Uniform(0.5, 1.0) * plan.interval;
            while (depth - up > turn) {
                depth -= up;
                log(depth);
            }
            depth = turn;
            log(depth);
            if (!last) {
                for (int i = dice_.Between(0, 4); i > 0; --i) {  // a pause before the next cast
                    log(depth);
                }
            } else {
                for (int i = dice_.Between(2, 6); i > 0; --i) {  // lifted out: in the air
                    d.push_back(Reading(-1.0));
                }
            }
            plan.casts.push_back(cast);
        }
        for (std::size_t c = 0; c < plan.casts.size(); ++c) {
            TrueCast& cast = plan.casts[c];
            cast.last =
                c + 1 < plan.casts.size() ? plan.casts[c + 1].top - 1 : static_cast<int>(d.size()) - 1;
            cast.deepest = cast.top;
            for (int i = cast.top; i <= cast.last; ++i) {
                if (d[static_cast<std::size_t>(i)] > d[static_cast<std::size_t>(cast.deepest)]) {
                    cast.deepest = i;
                }
            }
        }
        return plan;
    }

    // A probe without a depth sensor, logging at one point for a while.
    StationPlan Series(int records = 0) {
        StationPlan plan;
        plan.depthSensor = false;
        plan.interval = dice_.Between(5, 30);
        plan.depths.assign(static_cast<std::size_t>(records > 0 ? records : dice_.Between(40, 300)), 1.0);
        TrueCast cast;
        cast.series = true;
        cast.last = static_cast<int>(plan.depths.size()) - 1;
        plan.casts.push_back(cast);
        return plan;
    }

    void MoveBoat(double metres) {
        const double bearing = dice_.Uniform(0.0, 2 * std::numbers::pi);
        latitude_ += metres * std::cos(bearing) / kMetresPerDegree;
        longitude_ +=
            metres * std::sin(bearing) / (kMetresPerDegree * std::cos(latitude_ * std::numbers::pi / 180.0));
    }

    void Append(const StationPlan& station) {
        const bool gps = dice_.Chance(0.8);
        bool fixAtStart = false;
        if (!day_.points.empty()) {
            // How this station tells itself apart from the one before.
            const double way = dice_.Uniform(0.0, 1.0);
            const bool bothFixed = gps && lastGps_;
            bool sameSite = false;
            int gapSeconds = dice_.Between(12 * 60, 45 * 60);
            if (way < 0.15) {
                sameSite = true;  // the site name was not changed; the silence tells
            } else if (way < 0.30) {
                gapSeconds = dice_.Between(120, 360);  // a neighbouring site, soon after
            } else if (way < 0.45 && bothFixed) {
                // The same site name and soon after, but far enough away.
                sameSite = true;
                gapSeconds = dice_.Between(120, 360);
                day_.points.back().fix = true;
                fixAtStart = true;
            }
            if (!sameSite) {
                ++siteNumber_;
            }
            clock_ += gapSeconds;
            MoveBoat(dice_.Uniform(1000.0, 4000.0));
        }
        char site[32];
        std::snprintf(site, sizeof site, "KELP BAY ST.%02d", siteNumber_ % 1000 + 1);
        const double drift = dice_.Uniform(0.0, 150.0);
        const double bearing = dice_.Uniform(0.0, 2 * std::numbers::pi);
        const double warmth = dice_.Uniform(-1.5, 1.5);
        const int offset = static_cast<int>(day_.points.size());
        const std::size_t n = station.depths.size();
        for (std::size_t i = 0; i < n; ++i) {
            LoggedPoint p;
            p.site = site;
            p.when = clock_;
            p.depth = station.depths[i];
            p.depthSensor = station.depthSensor;
            p.fix = gps && (dice_.Chance(0.92) || (i == 0 && fixAtStart));
            const double along = n > 1 ? drift * static_cast<double>(i) / static_cast<double>(n - 1) : 0.0;
            p.latitude = latitude_ + along * std::cos(bearing) / kMetresPerDegree;
            p.longitude =
                longitude_ + along * std::sin(bearing) /
                                 (kMetresPerDegree * std::cos(latitude_ * std::numbers::pi / 180.0));
            p.warmth = warmth;
            p.key = 2'000'000ULL + static_cast<std::uint64_t>(offset) + i;
            day_.points.push_back(std::move(p));
            clock_ += station.interval;
        }
        clock_ -= station.interval;
        for (TrueCast cast : station.casts) {
            cast.station = station_;
            cast.first += offset;
            cast.top += offset;
            cast.last += offset;
            if (!cast.series) {
                cast.deepest += offset;
            }
            day_.casts.push_back(cast);
        }
        ++station_;
        lastGps_ = gps;
        budget_ -= static_cast<int>(n);
    }

    CDice dice_;
    bool rough_ = false;
    int budget_;
    std::time_t clock_;
    double latitude_ = 0.0;
    double longitude_ = 0.0;
    int siteNumber_ = 0;
    int station_ = 0;
    bool lastGps_ = false;
    FieldDay day_;
};

}  // namespace

FieldDay PlanFieldDay(std::uint64_t seed, int records, Sea sea) {
    return CDayPlanner(seed, std::max(0, records), sea).Plan();
}

std::string TruthCsv(const FieldDay& day) {
    std::string text = "cast,station,kind,first,top,deepest,last\n";
    int number = 1;
    for (const TrueCast& c : day.casts) {
        char line[160];
        std::snprintf(line, sizeof line, "%d,%d,%s,%d,%d,", number++, c.station + 1,
                      c.series ? "series" : "cast", c.first + 1, c.top + 1);
        text += line;
        if (!c.series) {
            text += std::to_string(c.deepest + 1);
        }
        text += ',';
        text += std::to_string(c.last + 1);
        text += '\n';
    }
    return text;
}

}  // namespace kelp::sim
