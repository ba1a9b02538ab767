#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <initializer_list>

#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "tests/csv/CsvTestUtil.h"
#include "tests/csv/QueueDialog.h"
#include "tests/csv/RecordGen.h"

namespace kelp {
namespace {

std::string Fixed(double v, int decimals) {
    char b[400];
    const auto r = std::to_chars(b, b + sizeof b, v, std::chars_format::fixed, decimals);
    return std::string(b, r.ptr);
}

std::string Sanitised(std::string s, bool battery) {
    for (char& c : s) {
        if (c == '"' || c == '\r' || c == '\n' || (battery && c == 'V')) {
            c = ' ';
        }
    }
    return s;
}

// Every stored field of every record must come back; values to their
// decimals wherever the file carries them, else as 0.
void ExpectSameRecords(const CMeasDataSet& a, const CMeasDataSet& b) {
    ASSERT_EQ(a.GetCount(), b.GetCount());
    for (int s = 0; s < kSlotCount; ++s) {
        ASSERT_EQ(a.GetElement(s), b.GetElement(s));
    }
    for (int r = 0; r < a.GetCount(); ++r) {
        SCOPED_TRACE("record " + std::to_string(r));
        EXPECT_EQ(Sanitised(a.GetSiteName(r), false), b.GetSiteName(r));
        EXPECT_EQ(Sanitised(a.GetBattery(r), true), b.GetBattery(r));
        EXPECT_EQ(a.GetLatitude(r), b.GetLatitude(r));
        EXPECT_EQ(a.GetLongitude(r), b.GetLongitude(r));
        EXPECT_EQ(a.GetDevice(r), b.GetDevice(r));
        EXPECT_EQ(a.GetInstrumentError(r), b.GetInstrumentError(r));
        EXPECT_EQ(a.GetTime(r), b.GetTime(r));
        EXPECT_EQ(a.GetElapsed(r), b.GetElapsed(r));
        for (int s = 0; s < kSlotCount; ++s) {
            SCOPED_TRACE("slot " + std::to_string(s));
            EXPECT_EQ(a.GetUnit(s, r), b.GetUnit(s, r));
            EXPECT_EQ(a.GetDecimals(s, r), b.GetDecimals(s, r));
            EXPECT_EQ(a.GetState(s, r), b.GetState(s, r));
            EXPECT_EQ(a.GetErrorCode(s, r), b.GetErrorCode(s, r));
            const int state = a.GetState(s, r);
            if (a.GetElement(s) != kNoElement && state != 0 && state != kNoValueState) {
                EXPECT_EQ(Fixed(a.GetValue(s, r), a.GetDecimals(s, r)),
                          Fixed(b.GetValue(s, r), b.GetDecimals(s, r)));
            } else {
                EXPECT_EQ(b.GetValue(s, r), 0.0);
            }
            EXPECT_EQ(a.IsValueValid(s, r), b.IsValueValid(s, r));
        }
    }
    for (int s = 0; s < kSlotCount; ++s) {
        for (int u = 0; u < kUnitCount; ++u) {
            EXPECT_EQ(a.GetStats(s, u).Count, b.GetStats(s, u).Count);
            EXPECT_EQ(a.GetStats(s, u).Decimals, b.GetStats(s, u).Decimals);
        }
    }
    EXPECT_EQ(a.GetElapsedRange().MinElapsed, b.GetElapsedRange().MinElapsed);
    EXPECT_EQ(a.GetElapsedRange().MaxElapsed, b.GetElapsedRange().MaxElapsed);
}

void SaveAndLoad(CMeasDataSet& original, CMeasDataSet& loaded, const std::string& path) {
    test::QueueDialog saveDialog;
    ASSERT_EQ(SaveDataFile(path, original, saveDialog), FILEJOB_OK);
    test::QueueDialog loadDialog;
    ASSERT_EQ(LoadDataFile(path, loaded, loadDialog), FILEJOB_OK);
}

TEST(CsvRoundTrip, GeneratedInstrumentRecordsComeBackUnchanged) {
    test::ScratchDir dir;
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        test::RecordGen gen(seed);
        CMeasDataSet original;
        const bool live = seed != 2;
        for (int i = 0; i < 1500; ++i) {
            ASSERT_TRUE(live ? original.AddLiveRecord(gen.Live()) : original.AddMemoryRecord(gen.Memory()));
        }
        CMeasDataSet loaded;
        SaveAndLoad(original, loaded, dir.File("round.csv"));
        ExpectSameRecords(original, loaded);
        // A loaded set saves to the same bytes again.
        const std::string first = test::ReadBytes(dir.File("round.csv"));
        CMeasDataSet again;
        SaveAndLoad(loaded, again, dir.File("round2.csv"));
        EXPECT_EQ(test::ReadBytes(dir.File("round2.csv")), first);
    }
}

TEST(CsvRoundTrip, ExtremeValuesAndPositions) {
    // Hand-made lines at the edges of each column's range.
    const std::string header = test::HeaderFor(3);
    std::string lines;
    const char* rows[] = {
        "\"1\",\"\",\"\",\"\",\"99 59 59 S\",\"999 59 59 W\",\"\"",
        "\"2\",\"12345678901234567890\",\"\",\"\",\"00 00 00 N\",\"000 00 00 E\",\"\"",
        "\"3\",\" ,, \",\"\",\"\",\"-- -- -- -\",\"--- -- -- -\",\"\"",
    };
    const char* values[] = {"99999", "-9999", "0.0001"};
    const char* decimals[] = {"F0000000000000", "F0000000000000", "F4444444444444"};
    const char* tails[] = {"\"V\",\"PEB\",\"D991231\",\"T235959\",\"U3333333333333\",",
                           "\"12.3V\",\"P00\",\"D000101\",\"T000000\",\"U0000000000000\",",
                           "\"    V\",\"P3B\",\"D240229\",\"T120000\",\"U1212121212121\","};
    for (int r = 0; r < 3; ++r) {
        lines += rows[r];
        for (int s = 0; s < 13; ++s) {
            lines += std::string(",\"") + values[r] + "\",\"u\",\"e\"";
        }
        lines +=
            std::string(",") + tails[r] + "\"" + decimals[r] + "\",\"S1928374651928\",\"ADCBA987654321\"\r\n";
    }
    test::ScratchDir dir;
    test::WriteBytes(dir.File("edge.csv"), header + lines);
    CMeasDataSet loaded;
    test::QueueDialog dialog;
    ASSERT_EQ(LoadDataFile(dir.File("edge.csv"), loaded, dialog), FILEJOB_OK);
    ASSERT_EQ(loaded.GetCount(), 3);
    EXPECT_EQ(loaded.GetLatitude(0), -995959);
    EXPECT_EQ(loaded.GetLongitude(0), -9995959);
    EXPECT_EQ(loaded.GetLongitude(1), 0);
    EXPECT_EQ(loaded.GetSiteName(1), "12345678901234567890");
    EXPECT_EQ(loaded.GetSiteName(2), " ,, ");
    EXPECT_EQ(loaded.GetTime(0).Format("%Y/%m/%d %H:%M:%S"), "2099/12/31 23:59:59");
    EXPECT_EQ(loaded.GetValue(0, 0), 99999.0f);
    EXPECT_EQ(loaded.GetValue(0, 1), -9999.0f);
    EXPECT_EQ(loaded.GetValue(0, 2), 0.0001f);
    CMeasDataSet again;
    SaveAndLoad(loaded, again, dir.File("edge2.csv"));
    ExpectSameRecords(loaded, again);
    // The file we wrote is the file we read, byte for byte, but for the
    // texts that we do not read back.
    const auto written = test::ReadBytes(dir.File("edge2.csv"));
    EXPECT_NE(written.find("\"99 59 59 S\",\"999 59 59 W\""), std::string::npos);
    EXPECT_NE(written.find(
                  "\"PEB\",\"D991231\",\"T235959\",\"U3333333333333\",\"F0000000000000\",\"S1928374651928\""),
              std::string::npos);
}

TEST(CsvGolden, ASmallSetSavesToTheHandWrittenFile) {
    // One component block: element, state, error code, value (5 characters), unit.
    struct Block {
        int element;
        char state;
        char error;
        const char* value;
        char unit;
    };
    auto blocks = [](std::initializer_list<Block> list) {
        std::string out;
        for (const Block& b : list) {
            char text[16];
            std::snprintf(text, sizeof text, "%2d%c%c%5s%c", b.element, b.state, b.error, b.value, b.unit);
            out += text;
        }
        EXPECT_EQ(out.size(), 130u);
        return out;
    };
    CMeasDataSet set;
    // Two live records and one from the instrument's memory: a Shift JIS site
    // name, a slot in state 9, an error code, a unit other than 0, a missing
    // element (5 is not in any slot), positions north-east, none and south-west.
    ASSERT_TRUE(set.AddLiveRecord(std::string("#RD") + "\x90\x85\x8E\x8E \xB1\xB2 Bay-1       " + "30" +
                                  "12.6" +
                                  blocks({{10, '1', '0', " 25.3", '0'},
                                          {1, '1', '0', " 7.05", '0'},
                                          {24, '1', '0', "123.4", '0'},
                                          {2, '1', '0', "  781", '0'},
                                          {6, '1', '0', "1.234", '1'},
                                          {3, '1', '0', "12.30", '0'},
                                          {4, '1', '0', " 8.25", '0'},
                                          {8, '1', '0', "612.0", '0'},
                                          {7, '1', '0', "0.610", '0'},
                                          {9, '1', '0', "-0.40", '0'},
                                          {11, '1', '0', "12.50", '0'},
                                          {0, '0', '0', "  0.0", '0'},
                                          {0, '0', '0', "  0.0", '0'}}) +
                                  "260315093005" + "351234 N1394507 E"));
    ASSERT_TRUE(set.AddLiveRecord(std::string("#RD") + "                    " + "B1" + " 9.8" +
                                  blocks({{10, '1', '0', " 25.4", '0'},
                                          {1, '1', '1', " 7.06", '0'},
                                          {24, '1', '0', "123.5", '0'},
                                          {2, '1', '0', "  790", '0'},
                                          {6, '1', '0', "1.235", '1'},
                                          {3, '9', '4', "-----", '0'},
                                          {4, '1', 'D', " 8.24", '0'},
                                          {8, '1', '0', "613.0", '0'},
                                          {7, '1', '0', "0.620", '0'},
                                          {9, '1', '0', "-0.30", '0'},
                                          {11, '1', '0', "12.60", '0'},
                                          {0, '0', '0', "  0.0", '0'},
                                          {0, '0', '0', "  0.0", '0'}}) +
                                  "260315093105" + "--------N--------"));
    ASSERT_TRUE(set.AddMemoryRecord(std::string("#RM") + "Site 3              " +
                                    blocks({{10, '1', '0', " 20.0", '0'},
                                            {1, '1', '0', " 8.00", '0'},
                                            {24, '1', '0', "100.0", '0'},
                                            {2, '1', '0', "  500", '0'},
                                            {6, '1', '0', "1.000", '1'},
                                            {3, '1', '0', "10.00", '0'},
                                            {4, '1', '0', " 9.00", '0'},
                                            {8, '1', '0', "500.0", '0'},
                                            {7, '1', '0', "0.500", '0'},
                                            {9, '1', '0', "-0.20", '0'},
                                            {5, '1', '0', " 5.00", '0'},
                                            {0, '0', '0', "  0.0", '0'},
                                            {0, '0', '0', "  0.0", '0'}}) +
                                    "260314120000" + "051234 S0050709 W"));
    test::ScratchDir dir;
    test::QueueDialog dialog;
    ASSERT_EQ(SaveDataFile(dir.File("golden.csv"), set, dialog), FILEJOB_OK);
    const std::string expected = test::ReadBytes(std::string(KELP_TEST_DATA_DIR) + "/csv/golden.csv");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(test::ReadBytes(dir.File("golden.csv")), expected);

    // And the hand-written file, Japanese titles and Shift JIS site name
    // included, loads as the set it came from.
    CMeasDataSet loaded;
    test::QueueDialog loadDialog;
    ASSERT_EQ(LoadDataFile(std::string(KELP_TEST_DATA_DIR) + "/csv/golden.csv", loaded, loadDialog),
              FILEJOB_OK);
    ExpectSameRecords(set, loaded);
    EXPECT_EQ(loaded.GetSiteName(0), "\x90\x85\x8E\x8E \xB1\xB2 Bay-1       ");
}

}  // namespace
}  // namespace kelp
