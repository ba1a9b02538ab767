#include "analysis/CastFinder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "analysis/DepthBins.h"
#include "data/MeasDataSet.h"
#include "tests/data_model/ReplyBuilder.h"
#include "tools/sim/RecordGenerator.h"

namespace kelp {
namespace {

constexpr const char* kHere = "351234 N1394506 E";
constexpr const char* kNoFix = "-                ";

// One logged record, as the instrument's memory holds it.
struct Logged {
    std::string site = "ST.A";
    int second = 0;  // after 2026/06/15 08:00:00
    double depth = 0.0;
    bool hasDepth = true;
    char depthUnit = '0';  // '1': feet
    std::string position = kHere;
    std::string temperature = "20.00";
    char temperatureState = '1';
};

void Add(CMeasDataSet& data, const Logged& r) {
    test::ReplyFields f;
    f.site = r.site;
    f.site.resize(20, ' ');
    char value[32];
    std::snprintf(value, sizeof value, "%5.2f", r.depth);
    f.blocks[0] = test::Block(10, r.temperatureState, '0', r.temperature, '0');
    f.blocks[10] =
        r.hasDepth ? test::Block(11, '1', '0', value, r.depthUnit) : test::Block(0, '0', '0', "00000", '0');
    char time[32];
    std::snprintf(time, sizeof time, "260615%02d%02d%02d", 8 + r.second / 3600, r.second / 60 % 60,
                  r.second % 60);
    f.time = time;
    f.position = r.position;
    ASSERT_TRUE(data.AddMemoryRecord(test::MemoryReply(f)));
}

// Depths of a simple cast: a soak of three records, down in steps of one
// metre to `bottom`, and back up to the surface.
std::vector<double> SimpleCast(double bottom) {
    std::vector<double> depths = {0.5, 0.52, 0.48};
    for (double d = 1.0; d <= bottom; d += 1.0) {
        depths.push_back(d);
    }
    for (double d = bottom - 1.5; d > 0.0; d -= 1.5) {
        depths.push_back(d);
    }
    return depths;
}

// Appends a station logged every second from `second` on; returns the
// second after its last record.
int AddStation(CMeasDataSet& data, const std::string& site, int second, const std::vector<double>& depths,
               const std::string& position = kHere, bool hasDepth = true) {
    for (const double depth : depths) {
        Add(data,
            {.site = site, .second = second++, .depth = depth, .hasDepth = hasDepth, .position = position});
    }
    return second;
}

TEST(CastFinder, StationsEndAtANewSiteASilenceOrAMove) {
    EXPECT_TRUE(FindCasts(CMeasDataSet{}).stations.empty());

    CMeasDataSet data;
    const std::vector<double> cast = SimpleCast(12.0);
    const int n = static_cast<int>(cast.size());
    int second = AddStation(data, "ST.A", 0, cast);
    // A boat drifting by a second of latitude (31 m), and a record without a
    // fix, stay at the station.
    Add(data, {.second = second++, .depth = 0.3, .position = "351235 N1394506 E"});
    Add(data, {.second = second++, .depth = 0.3, .position = kNoFix});
    second = AddStation(data, "ST.A", second + 11 * 60, cast);                          // a silence
    second = AddStation(data, "ST.A", second + 2 * 60, cast, "351434 N1394506 E");      // 3.7 km north
    AddStation(data, "ST.D", second + 60, std::vector<double>(8, 0.0), kNoFix, false);  // no depth sensor

    CastList list = FindCasts(data);
    ASSERT_EQ(list.stations.size(), 4u);
    const std::vector<RecordRange> stations = {
        {0, n + 1}, {n + 2, 2 * n + 1}, {2 * n + 2, 3 * n + 1}, {3 * n + 2, 3 * n + 9}};
    for (std::size_t s = 0; s < 4; ++s) {
        EXPECT_EQ(list.stations[s].records, stations[s]) << s;
        EXPECT_EQ(list.stations[s].castCount, 1) << s;
        EXPECT_EQ(list.casts[s].records, stations[s]) << s;
        EXPECT_EQ(list.casts[s].station, static_cast<int>(s) + 1);
    }
    const Cast& first = list.casts[0];
    EXPECT_FALSE(first.series);
    EXPECT_EQ(first.down, (RecordRange{2, 14}));  // from the last record of the soak to 12 m
    EXPECT_EQ(first.up, (RecordRange{14, n + 1}));
    EXPECT_DOUBLE_EQ(first.maxDepthMetres, 12.0);
    EXPECT_EQ(first.site.substr(0, 5), "ST.A ");
    EXPECT_EQ(first.start.Format("%H:%M:%S"), "08:00:00");
    EXPECT_EQ(first.latitude, 351234);  // the median of the fixes
    const Cast& series = list.casts[3];
    EXPECT_TRUE(series.series);
    EXPECT_FALSE(list.stations[3].hasDepth);
    EXPECT_EQ(series.deepest, -1);
    EXPECT_TRUE(series.down.Empty());
    EXPECT_FALSE(series.HasPosition());

    // A probe switched on in the air before its soak: the descent starts
    // at the soak's last record, not at the air's.
    CMeasDataSet aired;
    std::vector<double> air(6, 0.0);
    air.insert(air.end(), cast.begin(), cast.end());
    AddStation(aired, "ST.A", 0, air);
    const CastList airList = FindCasts(aired);
    ASSERT_EQ(airList.casts.size(), 1u);
    EXPECT_EQ(airList.casts[0].down, (RecordRange{8, 20}));

    // Longer silences and moves allowed: one station of three casts.
    list = FindCasts(data, {.gapSeconds = 3600, .distanceMetres = 10000.0});
    ASSERT_EQ(list.stations.size(), 2u);
    EXPECT_EQ(list.stations[0].castCount, 3);
    EXPECT_EQ(list.casts[1].records.first, n + 4);  // the last soak record before the second descent
}

// Depths in feet; a soak, a wave on the way down, a yo-yo of three casts
// with a pause at the top before the last one, and the probe lifted out.
TEST(CastFinder, AYoYoGivesACastPerDescentFromItsLastRecordAtTheTop) {
    std::vector<double> feet = {2.0, 2.1, 1.9, 2.0};  // soak, records 0-3
    for (double d = 5.0; d <= 60.0; d += 5.0) {       // records 4-15
        feet.push_back(d);
        if (d == 30.0) {
            feet.push_back(29.0);  // a wave lifts the probe by a foot
        }
    }
    for (double d = 54.0; d >= 6.0; d -= 6.0) {  // up, turning at 6 ft (record 25)
        feet.push_back(d);
    }
    const int secondTop = static_cast<int>(feet.size()) - 1;
    for (double d = 10.0; d <= 50.0; d += 4.0) {
        feet.push_back(d);
    }
    for (double d = 45.0; d >= 5.0; d -= 5.0) {
        feet.push_back(d);
    }
    feet.insert(feet.end(), {5.1, 4.9, 5.0});  // a pause at the top
    const int thirdTop = static_cast<int>(feet.size()) - 1;
    for (double d = 9.0; d <= 57.0; d += 4.0) {
        feet.push_back(d);
    }
    for (double d = 50.0; d > 0.0; d -= 7.0) {
        feet.push_back(d);
    }
    feet.insert(feet.end(), {0.0, 0.0});  // lifted out
    CMeasDataSet data;
    for (std::size_t i = 0; i < feet.size(); ++i) {
        Add(data, {.second = static_cast<int>(i), .depth = feet[i], .depthUnit = '1'});
    }

    const CastList list = FindCasts(data);
    ASSERT_EQ(list.casts.size(), 3u);
    const Cast& a = list.casts[0];
    const Cast& b = list.casts[1];
    const Cast& c = list.casts[2];
    EXPECT_EQ(a.records, (RecordRange{0, secondTop - 1}));
    EXPECT_EQ(a.down, (RecordRange{3, 16}));  // the soak is the cast's, not its descent's
    EXPECT_NEAR(a.maxDepthMetres, 60.0 * 0.3048, 1e-4);
    EXPECT_EQ(b.records, (RecordRange{secondTop, thirdTop - 1}));
    EXPECT_EQ(b.down.first, secondTop);
    EXPECT_EQ(c.records, (RecordRange{thirdTop, data.GetCount() - 1}));
    EXPECT_EQ(c.down.first, thirdTop);
    EXPECT_EQ(c.up.last, data.GetCount() - 1);
    for (const Cast& cast : list.casts) {
        EXPECT_EQ(cast.down.last, cast.deepest);
        EXPECT_EQ(cast.up.first, cast.deepest);
    }

    // Thresholds no descent reaches leave one series at its greatest depth.
    for (const CastOptions& options : {CastOptions{.minHeightMetres = 20.0}, CastOptions{.minRecords = 20}}) {
        const CastList series = FindCasts(data, options);
        ASSERT_EQ(series.casts.size(), 1u);
        EXPECT_TRUE(series.casts[0].series);
        EXPECT_EQ(series.casts[0].deepest, a.deepest);
    }
}

TEST(DepthBins, AverageEachComponentPerBinFromTheSurface) {
    CMeasDataSet data;
    const struct {
        double depth;
        const char* temperature;
        bool valid;
    } rows[] = {{0.2, "20.00", true}, {0.7, "19.00", true},  {-0.1, "21.00", true},
                {1.2, "18.00", true}, {1.4, "99.99", false}, {2.6, "15.00", true}};
    int second = 0;
    for (const auto& row : rows) {
        Add(data, {.second = second++,
                   .depth = row.depth,
                   .temperature = row.temperature,
                   .temperatureState = row.valid ? '1' : '9'});
    }
    Add(data, {.second = second++, .hasDepth = false, .temperature = "30.00"});
    const int slot = data.FindSlot(10);

    const std::vector<DepthBin> bins = BinByDepth(data, {0, data.GetCount() - 1}, 1.0, {{slot, 0}});
    ASSERT_EQ(bins.size(), 3u);
    EXPECT_DOUBLE_EQ(bins[0].centreMetres, 0.5);
    EXPECT_EQ(bins[0].records, 3);  // above the surface counts as 0 m
    EXPECT_NEAR(bins[0].means[0], 20.0, 1e-9);
    EXPECT_EQ(bins[1].records, 2);
    EXPECT_EQ(bins[1].counts[0], 1);  // the value that is not valid stays out
    EXPECT_NEAR(bins[1].means[0], 18.0, 1e-9);
    EXPECT_DOUBLE_EQ(bins[2].centreMetres, 2.5);
    // A column in a unit the records do not use has no mean.
    EXPECT_TRUE(std::isnan(BinByDepth(data, {0, 2}, 1.0, {{slot, 1}})[0].means[0]));
    EXPECT_EQ(BinByDepth(data, {3, 5}, 0.5, {}).size(), 2u);
    EXPECT_TRUE(BinByDepth(data, {0, 5}, 0.0, {}).empty());
}

// The memory of a simulated field day, downloaded as the program does it:
// newest first, then reversed.
void Download(const sim::CRecordGenerator& generator, CMeasDataSet& data) {
    data.Clear();
    for (int i = 0; i < generator.Records(); ++i) {
        data.AddMemoryRecord(generator.MemoryRecord(i, false));
    }
    data.Reverse();
}

// Calm days hold every boundary to one record. On rough days a swell of
// up to 10 cm moves the probe faster than a slow cast sinks, and where it
// rises just as the descent begins, no record tells the start: there the
// boundary may miss by two.
TEST(CastFinderAccuracy, FindsTheSimulatorsCastsOverManyDays) {
    for (const sim::Sea sea : {sim::Sea::Calm, sim::Sea::Rough}) {
        const bool rough = sea == sim::Sea::Rough;
        int records = 0;
        int right = 0;
        int boundaries = 0;
        int exact = 0;
        int nearly = 0;  // within one record
        int worst = 0;
        double worstDay = 1.0;
        int castsSeen = 0;
        CMeasDataSet data;
        for (std::uint64_t seed = 1; seed <= 60; ++seed) {
            const int n = 1500 + static_cast<int>(seed * 7919 % 3500);
            const sim::CRecordGenerator generator(seed, n, 1, false, true, sea);
            Download(generator, data);
            ASSERT_EQ(data.GetCount(), n);
            const std::vector<sim::TrueCast>& truth = generator.Day().casts;
            const CastList found = FindCasts(data);
            ASSERT_EQ(found.casts.size(), truth.size()) << "seed " << seed << (rough ? " rough" : "");
            EXPECT_EQ(static_cast<int>(found.stations.size()), truth.back().station + 1) << "seed " << seed;
            castsSeen += static_cast<int>(truth.size());
            int dayRight = 0;
            for (std::size_t c = 0; c < truth.size(); ++c) {
                const sim::TrueCast& t = truth[c];
                const Cast& f = found.casts[c];
                EXPECT_EQ(f.series, t.series) << "seed " << seed << " cast " << c + 1;
                for (int r = f.records.first; r <= f.records.last; ++r) {
                    dayRight += t.first <= r && r <= t.last ? 1 : 0;
                }
                const std::vector<std::pair<int, int>> pairs = {
                    {f.records.first, t.first},
                    {f.records.last, t.last},
                    {f.series ? t.top : f.down.first, t.top},
                    {f.series ? t.deepest : f.deepest, t.deepest}};
                for (const auto& [a, b] : pairs) {
                    const int error = std::abs(a - b);
                    worst = std::max(worst, error);
                    ++boundaries;
                    exact += error == 0 ? 1 : 0;
                    nearly += error <= 1 ? 1 : 0;
                    EXPECT_LE(error, rough ? 2 : 1) << "seed " << seed << (rough ? " rough" : "") << " cast "
                                                    << c + 1 << ": " << a << " for " << b;
                }
            }
            records += n;
            right += dayRight;
            worstDay = std::min(worstDay, static_cast<double>(dayRight) / n);
        }
        const double share = static_cast<double>(right) / records;
        std::printf(
            "[ figures  ] %s days: %d records, %d casts: %.4f%% in the right cast (worst day %.4f%%); "
            "%d of %d boundaries exact, %d within one record, worst %d record(s) off\n",
            rough ? "rough" : "calm", records, castsSeen, 100.0 * share, 100.0 * worstDay, exact, boundaries,
            nearly, worst);
        EXPECT_GE(worstDay, 0.99);
        EXPECT_GE(static_cast<double>(nearly) / boundaries, rough ? 0.995 : 1.0);
    }
}

}  // namespace
}  // namespace kelp
