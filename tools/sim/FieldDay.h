#pragma once
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace kelp::sim {

// Where and when the probe logged one record of a field day.
struct LoggedPoint {
    std::string site;
    std::time_t when = 0;
    double depth = 0.0;       // metres as the sensor reads them (noise included, 2 decimals)
    bool depthSensor = true;  // false: the probe has none, and the record carries no depth
    bool fix = false;         // the GPS receiver had a position
    double latitude = 0.0;    // degrees, north positive
    double longitude = 0.0;   // degrees, east positive
    double warmth = 0.0;      // added to the water temperature of the station
    std::uint64_t key = 0;    // draws the noise of the other components
};

// A cast as the simulator made it, in record numbers of the day counted from
// 0, oldest first (a download's order).
struct TrueCast {
    int station = 0;      // 0, 1, ...
    bool series = false;  // a station whose probe has no depth sensor
    int first = 0;        // the first record; the station's first for its first cast (the soak)
    int top = 0;          // the last record at the top before the descent (a series: first)
    int deepest = -1;     // the first record at the greatest depth (a series: -1)
    int last = 0;
};

struct FieldDay {
    std::vector<LoggedPoint> points;  // oldest first
    std::vector<TrueCast> casts;
};

// A day of work at sea in exactly `records` logged records, the same for
// the same seed. At each station the probe soaks at the surface, then goes
// down to near the bottom and back up, once or in a yo-yo of two to four
// casts (pausing at the top between them now and then), while the sensor
// adds a few centimetres of noise; on a rough day some probes also go down
// slowly (0.05 to 0.2 m a record), and at some stations a swell of up to
// 10 cm either way moves the probe on its cable. The probe is lifted out at
// the end and logging stops while the boat moves on. Some stations have no GPS fix at all; some
// probes carry no depth sensor and log a time series at a fixed point (the
// last station is such a series, cut to fit the records). A new station
// always differs from the one before by its site name, by a silence of more
// than 10 minutes, or by a position more than 500 m away.
enum class Sea { Calm, Rough };
FieldDay PlanFieldDay(std::uint64_t seed, int records, Sea sea = Sea::Calm);

// The casts of `day` as CSV for scripts and tests: the header
// "cast,station,kind,first,top,deepest,last", then one row per cast with
// record numbers from 1 (the "No." of a downloaded file); kind is "cast" or
// "series", and a series has an empty deepest.
std::string TruthCsv(const FieldDay& day);

}  // namespace kelp::sim
