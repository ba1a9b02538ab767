#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "data/MeasDataSet.h"
#include "tests/data_model/ReplyBuilder.h"

namespace kelp {
namespace {

using test::Block;
using test::MemoryReply;
using test::ReplyFields;

// A memory record at hh:mm:ss on 2007-12-31 with the given temperature block.
std::string At(const char* hhmmss, const std::string& temperature = Block(10, '1', '0', " 20.0", '0')) {
    ReplyFields f;
    f.time = std::string("071231") + hhmmss;
    f.blocks[0] = temperature;
    return MemoryReply(f);
}

TEST(DataSet, StartsEmptyWithFullCapacity) {
    CMeasDataSet set;
    EXPECT_TRUE(set.IsReserved());
    EXPECT_EQ(set.GetCapacity(), kMeasCapacity);
    EXPECT_EQ(set.GetCount(), 0);
    EXPECT_EQ(set.GetName(), "");
    EXPECT_EQ(set.FindSlot(kDepthElement), -1);
}

TEST(DataSet, CapacityLimitDropsFurtherRecords) {
    CMeasDataSet set;
    const std::string reply = test::LiveReply();
    for (int i = 0; i < kMeasCapacity; ++i) {
        ASSERT_TRUE(set.AddLiveRecord(reply));
    }
    EXPECT_FALSE(set.AddLiveRecord(reply));
    EXPECT_FALSE(set.AddMemoryRecord(MemoryReply()));
    set.AppendRecordFrom(set, 0);
    EXPECT_EQ(set.GetCount(), kMeasCapacity);
    EXPECT_EQ(set.GetStats(0, 0).Count, kMeasCapacity);
}

TEST(DataSet, ReserveSetsASmallerCapacityAndEmpties) {
    CMeasDataSet set;
    set.AddMemoryRecord(At("100000"));
    ASSERT_TRUE(set.Reserve(2));
    EXPECT_EQ(set.GetCount(), 0);
    EXPECT_EQ(set.GetStats(0, 0).Count, 0);
    set.AddMemoryRecord(At("100000"));
    set.AddMemoryRecord(At("100001"));
    set.AddMemoryRecord(At("100002"));
    EXPECT_EQ(set.GetCount(), 2);
    EXPECT_FALSE(set.Reserve(-1));
    EXPECT_FALSE(set.IsReserved());
    EXPECT_EQ(set.GetCapacity(), 0);
    EXPECT_FALSE(set.AddMemoryRecord(At("100000")));
}

TEST(DataSet, StatisticsPerSlotAndUnitCode) {
    CMeasDataSet set;
    set.AddMemoryRecord(At("100000", Block(10, '1', '0', " 20.5", '0')));
    set.AddMemoryRecord(At("100001", Block(10, '2', '0', "18.25", '0')));
    set.AddMemoryRecord(At("100002", Block(10, '1', '0', " 70.1", '1')));  // degrees F
    set.AddMemoryRecord(At("100003", Block(10, '9', '0', " 99.9", '0')));  // no value
    set.AddMemoryRecord(At("100004", Block(10, '1', '1', " -5.0", '0')));  // data error
    set.AddMemoryRecord(At("100005", Block(10, '0', '0', " -9.0", '0')));  // state 0
    set.AddMemoryRecord(At("100006", Block(10, '8', '2', " 22.0", '0')));  // out of range, still valid
    const SlotStats& c = set.GetStats(0, 0);
    EXPECT_EQ(c.Count, 3);
    EXPECT_DOUBLE_EQ(c.Min, 18.25);
    EXPECT_DOUBLE_EQ(c.Max, 22.0);
    EXPECT_EQ(c.Decimals, 2);
    const SlotStats& fahrenheit = set.GetStats(0, 1);
    EXPECT_EQ(fahrenheit.Count, 1);
    EXPECT_FLOAT_EQ(static_cast<float>(fahrenheit.Max), 70.1f);
    EXPECT_EQ(set.GetStats(0, 2).Count, 0);
    EXPECT_FALSE(set.IsValueValid(0, 3));
    EXPECT_FALSE(set.IsValueValid(0, 4));
    EXPECT_FALSE(set.IsValueValid(0, 5));
    EXPECT_EQ(set.GetMaxByElement(10, 0), 22.0);
    EXPECT_EQ(set.GetMaxByElement(12, 0), 0.0);
    EXPECT_EQ(set.GetStats(13, 0).Count, 0);
    EXPECT_EQ(set.GetStats(0, 4).Count, 0);
}

TEST(DataSet, ElapsedSecondsBeforeAndAfterTheReference) {
    CMeasDataSet set;
    set.AddMemoryRecord(At("100000"));
    set.AddMemoryRecord(At("100130"));
    set.AddMemoryRecord(At("095950"));
    set.AddMemoryRecord(At("100000"));
    EXPECT_EQ(set.GetElapsed(0), 0.0);
    EXPECT_EQ(set.GetElapsed(1), 90.0);
    EXPECT_EQ(set.GetElapsed(2), -10.0);
    EXPECT_EQ(set.GetElapsed(3), 0.0);
    const TimeRange& range = set.GetElapsedRange();
    EXPECT_EQ(range.MinElapsed, -10.0);
    EXPECT_EQ(range.MaxElapsed, 90.0);
    EXPECT_EQ(range.Reference, CDateTime(2007, 12, 31, 10, 0, 0));
    set.Clear();
    EXPECT_EQ(set.GetCount(), 0);
    EXPECT_EQ(set.GetElapsedRange().MinElapsed, 0.0);
    EXPECT_EQ(set.GetElapsedRange().MaxElapsed, 0.0);
    EXPECT_EQ(set.GetStats(0, 0).Count, 0);
    EXPECT_EQ(set.GetElement(0), 10);  // slot elements stay
}

TEST(DataSet, DeleteRecomputesFromTheNewFirstRecord) {
    CMeasDataSet set;
    set.AddMemoryRecord(At("100000", Block(10, '1', '0', " 30.0", '0')));
    set.AddMemoryRecord(At("100010", Block(10, '1', '0', " 20.0", '0')));
    set.AddMemoryRecord(At("100025", Block(10, '1', '0', " 25.0", '0')));
    set.DeleteRecord(0);
    ASSERT_EQ(set.GetCount(), 2);
    EXPECT_EQ(set.GetElapsed(0), 0.0);
    EXPECT_EQ(set.GetElapsed(1), 15.0);
    EXPECT_EQ(set.GetElapsedRange().MaxElapsed, 15.0);
    EXPECT_EQ(set.GetStats(0, 0).Count, 2);
    EXPECT_EQ(set.GetStats(0, 0).Max, 25.0);
    set.DeleteRecord(2);  // beyond the count: nothing
    set.DeleteRecord(-1);
    EXPECT_EQ(set.GetCount(), 2);
}

TEST(DataSet, ReverseMakesTheLastRecordTheReference) {
    CMeasDataSet set;
    set.AddMemoryRecord(At("100000", Block(10, '1', '0', "  1.0", '0')));
    set.AddMemoryRecord(At("100010", Block(10, '1', '0', "  2.0", '0')));
    set.AddMemoryRecord(At("100020", Block(10, '1', '0', "  3.0", '0')));
    set.Reverse();
    EXPECT_EQ(set.GetElapsed(0), 0.0);
    EXPECT_EQ(set.GetElapsed(1), -10.0);
    EXPECT_EQ(set.GetElapsed(2), -20.0);
    EXPECT_EQ(set.GetElapsedRange().MinElapsed, -20.0);
    EXPECT_EQ(set.GetElapsedRange().MaxElapsed, 0.0);
    EXPECT_EQ(set.FormatValue(0, 0), "3.0");
    EXPECT_EQ(set.FormatValue(0, 2), "1.0");
    EXPECT_EQ(set.GetStats(0, 0).Count, 3);
}

TEST(DataSet, SortTiesKeepTheLowerIndexFirst) {
    CMeasDataSet set;
    const char* times[] = {"100020", "100000", "100020", "095950", "100000"};
    const char* positions[] = {"351234 N1394506 E", "101010 S1394506 W", "351234 N0000001 E",
                               "-                ", "351234 N1394506 E"};
    for (int i = 0; i < 5; ++i) {
        ReplyFields f;
        f.time = std::string("071231") + times[i];
        f.position = positions[i];
        set.AddMemoryRecord(MemoryReply(f));
    }
    int out[5];
    set.SortByElapsed(out);
    EXPECT_EQ(std::vector<int>(out, out + 5), (std::vector<int>{3, 1, 4, 0, 2}));
    set.SortByLatitude(out);
    EXPECT_EQ(std::vector<int>(out, out + 5), (std::vector<int>{1, 0, 2, 4, 3}));
    set.SortByLongitude(out);
    EXPECT_EQ(std::vector<int>(out, out + 5), (std::vector<int>{1, 2, 0, 4, 3}));
    set.SortBySite(out);  // all names equal
    EXPECT_EQ(std::vector<int>(out, out + 5), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(DataSet, SiteOrderTreatsShiftJisPairsAsOneCharacter) {
    // Half-width katakana ｱ (0xB1) is one character and sorts before any
    // double-byte character, although its byte is above the lead bytes 0x81 and 0x82.
    const std::string names[] = {
        "\x82\xa0",      // あ
        "\xb1",          // ｱ
        "A",             //
        "\x82\xa0\x41",  // あA
        "\x81\x40",      // ideographic space
        "\x88\x9f",      // 亜 (trail byte in the lead range)
        "\x82",          // a lone lead byte at the end
    };
    CMeasDataSet set;
    for (const auto& name : names) {
        ReplyFields f;
        f.site = name;
        f.site.resize(20, '\0');
        set.AddMemoryRecord(MemoryReply(f));
    }
    int out[7];
    set.SortBySite(out);
    // Units: A 0x41, lone 0x82 (no trail byte follows), ｱ 0xB1, 0x8140, 0x82A0, 0x82A0 0x41, 0x889F.
    // Plain byte order would give 2, 4, 6, 0, 3, 5, 1.
    EXPECT_EQ(std::vector<int>(out, out + 7), (std::vector<int>{2, 6, 1, 4, 0, 3, 5}));
}

// Depth in slot 10 (element 11), DO in slot 6 (element 4).
std::string DepthRecord(const char* depth, const char* oxygen, char depthUnit = '0', char oxygenState = '1') {
    ReplyFields f;
    f.blocks[10] = Block(11, '1', '0', depth, depthUnit);
    f.blocks[6] = Block(4, oxygenState, '0', oxygen, '0');
    return MemoryReply(f);
}

TEST(DataSet, DepthProfileBinsAndAverages) {
    CMeasDataSet set;
    set.AddMemoryRecord(DepthRecord("  0.2", " 8.00"));
    set.AddMemoryRecord(DepthRecord("  0.9", " 9.00"));
    set.AddMemoryRecord(DepthRecord("  1.5", "  7.5"));
    set.AddMemoryRecord(DepthRecord(" 99.0", "6.123"));            // beyond the last bin
    set.AddMemoryRecord(DepthRecord(" -0.5", " 10.0"));            // above the surface
    set.AddMemoryRecord(DepthRecord("  1.2", "  1.0", '1'));       // feet: other unit
    set.AddMemoryRecord(DepthRecord("  1.2", "  1.0", '0', '9'));  // no DO value
    double sums[3] = {-1, -1, -1};
    int counts[3] = {-1, -1, -1};
    double lo = 0;
    double hi = 0;
    int decimals = -1;
    const int used = set.GetDepthProfile(1.0, 0, 4, 0, sums, counts, 3, lo, hi, decimals);
    EXPECT_EQ(used, 5);
    EXPECT_EQ(counts[0], 3);
    EXPECT_EQ(counts[1], 1);
    EXPECT_EQ(counts[2], 1);
    EXPECT_DOUBLE_EQ(sums[0], 9.0);
    EXPECT_DOUBLE_EQ(sums[1], 7.5);
    EXPECT_FLOAT_EQ(static_cast<float>(sums[2]), 6.123f);
    EXPECT_DOUBLE_EQ(lo, static_cast<double>(6.123f));
    EXPECT_DOUBLE_EQ(hi, 10.0);
    EXPECT_EQ(decimals, 3);
}

TEST(DataSet, DepthProfileWithoutDataClearsTheBins) {
    CMeasDataSet set;
    double sums[2] = {5, 5};
    int counts[2] = {5, 5};
    double lo = 0;
    double hi = 0;
    int d = 0;
    EXPECT_EQ(set.GetDepthProfile(1.0, 0, 4, 0, sums, counts, 2, lo, hi, d), 0);
    EXPECT_EQ(sums[0], 0.0);
    EXPECT_EQ(counts[1], 0);
    set.AddMemoryRecord(DepthRecord("  0.2", " 8.00"));
    EXPECT_EQ(set.GetDepthProfile(1.0, 1, 4, 0, sums, counts, 2, lo, hi, d), 0);   // no depth in feet
    EXPECT_EQ(set.GetDepthProfile(1.0, 0, 13, 0, sums, counts, 2, lo, hi, d), 0);  // no such element
    EXPECT_EQ(set.GetDepthProfile(0.0, 0, 4, 0, sums, counts, 2, lo, hi, d), 0);   // no bin size
    EXPECT_EQ(set.GetDepthProfile(1.0, 0, 4, 0, sums, counts, 2, lo, hi, d), 1);
}

TEST(DataSet, PositionTexts) {
    CMeasDataSet set;
    ReplyFields f;
    f.position = "351234 N1394506 W";
    set.AddMemoryRecord(MemoryReply(f));
    f.position = "050709 S0050709 E";
    set.AddMemoryRecord(MemoryReply(f));
    f.position = "-                ";
    set.AddMemoryRecord(MemoryReply(f));
    EXPECT_EQ(set.FormatLatitude(0), "35 12 34 N");
    EXPECT_EQ(set.FormatLongitude(0), "139 45 06 W");
    EXPECT_EQ(set.FormatLatitude(1), " 5 07 09 S");
    EXPECT_EQ(set.FormatLongitude(1), "  5 07 09 E");
    EXPECT_EQ(set.FormatLatitude(2), "-- -- -- -");
    EXPECT_EQ(set.FormatLongitude(2), "--- -- -- -");
}

TEST(DataSet, CopyAndAppendFromAnotherSet) {
    CMeasDataSet source;
    source.SetName("/tmp/a.csv");
    source.AddMemoryRecord(At("100000", Block(10, '1', '0', " 10.0", '0')));
    source.AddMemoryRecord(At("100100", Block(10, '1', '0', " 12.0", '0')));
    CMeasDataSet copy;
    copy.CopyFrom(source);
    EXPECT_EQ(copy.GetCount(), 2);
    EXPECT_EQ(copy.GetName(), "/tmp/a.csv");
    EXPECT_EQ(copy.GetElapsed(1), 60.0);
    EXPECT_EQ(copy.GetStats(0, 0).Max, 12.0);
    EXPECT_EQ(copy.GetSiteName(1), source.GetSiteName(1));

    CMeasDataSet picked;
    picked.AppendRecordFrom(source, 1);
    picked.AppendRecordFrom(source, 0);
    picked.AppendRecordFrom(source, 2);  // no such record
    ASSERT_EQ(picked.GetCount(), 2);
    EXPECT_EQ(picked.GetElement(0), 10);
    EXPECT_EQ(picked.GetElapsed(0), 0.0);
    EXPECT_EQ(picked.GetElapsed(1), -60.0);
    EXPECT_EQ(picked.GetStats(0, 0).Count, 2);
    EXPECT_EQ(picked.GetStats(0, 0).Min, 10.0);

    CMeasDataSet small;
    ASSERT_TRUE(small.Reserve(1));
    small.CopyFrom(source);
    EXPECT_EQ(small.GetCount(), 1);
    EXPECT_EQ(small.GetStats(0, 0).Count, 1);  // only what was kept
    EXPECT_EQ(small.GetStats(0, 0).Max, 10.0);
}

// ---- batch deletion equals one DeleteRecord after another ----

void ExpectSameSets(const CMeasDataSet& a, const CMeasDataSet& b) {
    ASSERT_EQ(a.GetCount(), b.GetCount());
    EXPECT_EQ(a.GetElapsedRange().MinElapsed, b.GetElapsedRange().MinElapsed);
    EXPECT_EQ(a.GetElapsedRange().MaxElapsed, b.GetElapsedRange().MaxElapsed);
    EXPECT_EQ(a.GetElapsedRange().Reference, b.GetElapsedRange().Reference);
    for (int s = 0; s < kSlotCount; ++s) {
        for (int u = 0; u < kUnitCount; ++u) {
            const SlotStats& x = a.GetStats(s, u);
            const SlotStats& y = b.GetStats(s, u);
            ASSERT_EQ(x.Count, y.Count);
            if (x.Count > 0) {
                EXPECT_EQ(x.Min, y.Min);
                EXPECT_EQ(x.Max, y.Max);
                EXPECT_EQ(x.Decimals, y.Decimals);
            }
        }
    }
    for (int r = 0; r < a.GetCount(); ++r) {
        ASSERT_EQ(a.GetSiteName(r), b.GetSiteName(r)) << r;
        ASSERT_EQ(a.GetTime(r), b.GetTime(r)) << r;
        ASSERT_EQ(a.GetElapsed(r), b.GetElapsed(r)) << r;
        ASSERT_EQ(a.GetLatitude(r), b.GetLatitude(r)) << r;
        ASSERT_EQ(a.GetLongitude(r), b.GetLongitude(r)) << r;
        ASSERT_EQ(a.GetBattery(r), b.GetBattery(r)) << r;
        ASSERT_EQ(a.GetDevice(r), b.GetDevice(r)) << r;
        ASSERT_EQ(a.GetInstrumentError(r), b.GetInstrumentError(r)) << r;
        for (int s = 0; s < kSlotCount; ++s) {
            ASSERT_EQ(a.GetValue(s, r), b.GetValue(s, r));
            ASSERT_EQ(a.GetState(s, r), b.GetState(s, r));
            ASSERT_EQ(a.GetErrorCode(s, r), b.GetErrorCode(s, r));
            ASSERT_EQ(a.GetUnit(s, r), b.GetUnit(s, r));
            ASSERT_EQ(a.GetDecimals(s, r), b.GetDecimals(s, r));
        }
    }
}

std::string RandomReply(std::mt19937& rng, int i) {
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> state(0, 9);
    std::uniform_int_distribution<int> unit(0, 3);
    ReplyFields f;
    f.site = "Site " + std::to_string(i % 37);
    f.site.resize(20, ' ');
    char time[64];
    std::snprintf(time, sizeof time, "07%02d%02d%02d%02d%02d", 1 + digit(rng), 1 + digit(rng) * 2,
                  digit(rng) * 2, digit(rng) * 5, digit(rng) * 5);
    f.time = time;
    for (int b = 0; b < 11; ++b) {
        char value[32];
        std::snprintf(value, sizeof value, "%d.%03d", digit(rng) * 3 - 10, digit(rng) * 111);
        f.blocks[b] = Block(kSlotElements[b], static_cast<char>('0' + state(rng)), digit(rng) < 2 ? '1' : '0',
                            value, static_cast<char>('0' + unit(rng)));
    }
    return MemoryReply(f);
}

TEST(DataSetProperty, BatchDeletionEqualsRepeatedDeleteRecord) {
    std::mt19937 rng(20261207);
    for (int round = 0; round < 20; ++round) {
        auto batch = std::make_unique<CMeasDataSet>();
        auto single = std::make_unique<CMeasDataSet>();
        const int n = std::uniform_int_distribution<int>(1, 300)(rng);
        for (int i = 0; i < n; ++i) {
            const std::string reply = RandomReply(rng, i);
            batch->AddMemoryRecord(reply);
            single->AddMemoryRecord(reply);
        }
        std::vector<int> marked;
        std::vector<bool> chosen(static_cast<std::size_t>(n), false);
        const int picks = std::uniform_int_distribution<int>(0, n + 5)(rng);
        for (int k = 0; k < picks; ++k) {
            const int r =
                std::uniform_int_distribution<int>(-2, n + 2)(rng);  // some out of range, some twice
            marked.push_back(r);
            if (r >= 0 && r < n) {
                chosen[static_cast<std::size_t>(r)] = true;
            }
        }
        batch->DeleteRecords(marked);
        for (int r = n - 1; r >= 0; --r) {
            if (chosen[static_cast<std::size_t>(r)]) {
                single->DeleteRecord(r);
            }
        }
        SCOPED_TRACE(round);
        ExpectSameSets(*batch, *single);
    }
}

}  // namespace
}  // namespace kelp
