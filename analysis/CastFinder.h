#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "data/DateTime.h"

namespace kelp {

class CMeasDataSet;

// The thresholds of FindCasts. The defaults suit a probe logging every one
// or two seconds from a boat that stops at each station.
struct CastOptions {
    // A new station begins after a silence longer than this between two
    // records (or when the time runs backwards).
    int gapSeconds = 600;
    // ... or when a record's position lies farther than this from the last
    // position of the station.
    double distanceMetres = 500.0;
    // A descent is a cast when it goes down at least the larger of these two
    // (the share of the station's depth span) ...
    double minHeightMetres = 1.0;
    double minHeightShare = 0.10;
    // ... over at least this many records with a valid depth.
    int minRecords = 5;

    friend bool operator==(const CastOptions&, const CastOptions&) = default;
};

// What the settings file and the command line accept; other values give
// the defaults (settings) or a usage error (command line).
constexpr int kMinCastGapSeconds = 1;
constexpr int kMaxCastGapSeconds = 7 * 86400;
constexpr double kMinCastDistanceMetres = 1.0;
constexpr double kMaxCastDistanceMetres = 1000000.0;
constexpr double kMinCastHeightMetres = 0.01;
constexpr double kMaxCastHeightMetres = 10000.0;
constexpr int kMinCastRecords = 2;
constexpr int kMaxCastRecords = 10000;

// Record indices first..last of a data set, both included; empty when last
// is below first.
struct RecordRange {
    int first = 0;
    int last = -1;

    bool Empty() const { return last < first; }
    int Count() const { return Empty() ? 0 : last - first + 1; }
    bool Contains(int record) const { return record >= first && record <= last; }
    friend bool operator==(const RecordRange&, const RecordRange&) = default;
};

// One cast: the probe lowered from the top to its deepest point and brought
// back. A station where no cast is found (no depth sensor, a probe hanging
// at one depth) is one series instead, a time series at a fixed point; it
// takes a number among the casts so that every record belongs to one entry.
struct Cast {
    int number = 0;   // 1, 2, ... over the data set
    int station = 0;  // number of its station
    bool series = false;
    std::string site;  // of its first record, as stored (padded, Shift JIS)
    // Every record of the cast: from the first record of the station (for
    // the first cast, so that the soak at the surface belongs to it) or the
    // last record at the top before its descent, to the last record before
    // the next cast's top or the end of the station.
    RecordRange records;
    // From the last record at the top to the deepest record, and from the
    // deepest record to the end of the cast; both hold the deepest record.
    // Empty for a series.
    RecordRange down;
    RecordRange up;
    // The record with the greatest valid depth (the first of equal ones),
    // and that depth in metres; -1 and 0 when no record has a depth.
    int deepest = -1;
    double maxDepthMetres = 0.0;
    // Times of the first and the last record.
    CDateTime start;
    CDateTime end;
    // The median latitude and longitude (ddmmss as stored) of the records
    // with a position, or kNoPosition for both when none has one.
    std::int32_t latitude = 0;
    std::int32_t longitude = 0;

    int Records() const { return records.Count(); }
    bool HasPosition() const;
};

struct Station {
    int number = 0;  // 1, 2, ...
    std::string site;
    RecordRange records;
    // Its entries in CastList::casts: casts[firstCast .. firstCast+castCount-1].
    int firstCast = 0;
    int castCount = 0;
    // Whether any of its records has a valid depth.
    bool hasDepth = false;
};

struct CastList {
    std::vector<Station> stations;
    std::vector<Cast> casts;  // in record order; every record in exactly one

    // The casts that are series (no profile).
    int SeriesCount() const;
};

// Splits the records of `data`, in the order they are stored (a download's
// order is the order of time), into stations and casts.
//
// A station ends where the site name changes (trailing blanks do not
// count), where the time between two records exceeds the gap, or where a
// record with a position lies farther than the distance from the last
// record of the station that had one.
//
// Within a station, casts are found on the depth (element 11, metres or
// feet, compared in metres; records without a valid depth are passed over):
// a running median over five records smooths the noise, and turning points
// are taken where the smoothed depth has come back by the minimum height.
// Each descent between a top and a bottom that spans at least the minimum
// height and the minimum number of records starts a cast. Its top is the
// last record still at the top: the probe may wait there (the soak before
// the first descent, a pause between the casts of a yo-yo). It is the
// corner where a level line and the line of the descent's first part fit
// the depths best; the depths counted as level follow the noise of the
// station (three spreads of it about the running median, from 5 cm up to a
// quarter of the minimum height), so that a swell on the cable or a probe
// sinking a few centimetres a record still gives the record where the
// descent began.
//
// Deterministic, and linear in the number of records.
CastList FindCasts(const CMeasDataSet& data, const CastOptions& options = {});

// The depth of a record in metres, when its depth slot holds a valid value
// in metres or feet.
bool DepthMetres(const CMeasDataSet& data, int depthSlot, int record, double& metres);

}  // namespace kelp
