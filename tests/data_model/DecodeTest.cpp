#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "data/MeasDataSet.h"
#include "tests/data_model/ReplyBuilder.h"

namespace kelp {
namespace {

using test::Block;
using test::LiveReply;
using test::MemoryReply;
using test::ReplyFields;

TEST(Decode, LiveRecordFields) {
    CMeasDataSet set;
    ASSERT_TRUE(set.AddLiveRecord(LiveReply()));
    ASSERT_EQ(set.GetCount(), 1);
    EXPECT_EQ(set.GetSiteName(0), "Pier 7              ");
    EXPECT_EQ(set.GetBattery(0), "12.3");
    EXPECT_EQ(set.GetDevice(0), 1);
    EXPECT_EQ(set.GetInstrumentError(0), 0);
    EXPECT_EQ(set.FormatTime(0, "%Y-%m-%d %H:%M:%S"), "2007-12-31 23:59:59");
    EXPECT_EQ(set.GetLatitude(0), 351234);
    EXPECT_EQ(set.GetLongitude(0), -1394506);
    for (int s = 0; s < kSlotCount; ++s) {
        EXPECT_EQ(set.GetElement(s), kSlotElements[s]);
    }
    EXPECT_FLOAT_EQ(static_cast<float>(set.GetValue(0, 0)), 21.35f);
    EXPECT_EQ(set.FormatValue(0, 0), "21.35");
    EXPECT_EQ(set.FormatValue(2, 0), "-12.3");
    EXPECT_EQ(set.FormatValue(3, 0), "245");
    EXPECT_EQ(set.GetState(1, 0), 1);
    EXPECT_TRUE(set.IsValueValid(10, 0));
    EXPECT_FALSE(set.IsValueValid(11, 0));
    EXPECT_FALSE(set.IsValueValid(12, 0));
}

TEST(Decode, HexadecimalHeaderAndCodeDigits) {
    ReplyFields f;
    f.device = 'E';
    f.instrumentError = 'B';
    f.blocks[1] = Block(1, '5', 'D', "7.000", '1');
    CMeasDataSet set;
    set.AddLiveRecord(LiveReply(f));
    EXPECT_EQ(set.GetDevice(0), 14);
    EXPECT_EQ(set.GetInstrumentError(0), 11);
    EXPECT_EQ(set.GetState(1, 0), 5);
    EXPECT_EQ(set.GetErrorCode(1, 0), 13);
    EXPECT_EQ(set.GetUnit(1, 0), 1);
}

TEST(Decode, MemoryRecordHasFixedHeader) {
    ReplyFields f;
    f.time = "240229061530";
    CMeasDataSet set;
    ASSERT_TRUE(set.AddMemoryRecord(MemoryReply(f)));
    EXPECT_EQ(set.GetSiteName(0), f.site);
    EXPECT_EQ(set.GetBattery(0), "    ");
    EXPECT_EQ(set.GetDevice(0), kMemoryDeviceCode);
    EXPECT_EQ(set.GetInstrumentError(0), 0);
    EXPECT_EQ(set.FormatTime(0, "%Y/%m/%d %H:%M:%S"), "2024/02/29 06:15:30");
    EXPECT_EQ(set.FormatValue(1, 0), "7.123");
}

TEST(Decode, SlotsFollowElementsNotBlockOrder) {
    ReplyFields f;
    // pH first, then temperature, the rest reversed; depth missing entirely.
    f.blocks = {
        Block(1, '1', '0', " 6.50", '0'), Block(10, '2', '0', " 18.5", '1'), Block(0, '0', '0', "00000", '0'),
        Block(9, '1', '0', " 22.1", '0'), Block(7, '1', '0', "28.13", '0'),  Block(8, '1', '0', "2.934", '0'),
        Block(4, '1', '0', " 8.21", '0'), Block(3, '1', '0', "12.34", '0'),  Block(6, '1', '0', "4.512", '0'),
        Block(2, '1', '0', "  245", '0'), Block(24, '1', '0', "-12.3", '0'), Block(1, '3', '0', " 9.99", '0'),
        Block(0, '0', '0', "00000", '0')};
    CMeasDataSet set;
    set.AddLiveRecord(LiveReply(f));
    EXPECT_EQ(set.FormatValue(0, 0), "18.5");  // temperature
    EXPECT_EQ(set.GetUnit(0, 0), 1);
    EXPECT_EQ(set.GetState(0, 0), 2);
    EXPECT_EQ(set.FormatValue(1, 0), "6.50");  // the first pH block wins
    EXPECT_EQ(set.FormatValue(3, 0), "245");
    EXPECT_EQ(set.FormatValue(9, 0), "22.1");
    // Depth (slot 10) is carried by no block: zeros, never valid.
    EXPECT_EQ(set.GetState(10, 0), 0);
    EXPECT_EQ(set.GetValue(10, 0), 0.0);
    EXPECT_EQ(set.GetUnit(10, 0), 0);
    EXPECT_FALSE(set.IsValueValid(10, 0));
    EXPECT_EQ(set.GetStats(10, 0).Count, 0);
}

TEST(Decode, DecimalsComeFromThePointPosition) {
    const struct {
        const char* text;
        int decimals;
    } cases[] = {{"7.123", 3}, {"12.34", 2}, {"-1.23", 2}, {"12345", 0}, {"1234.", 0}, {".1234", 4},
                 {"0.001", 3}, {"-.999", 3}, {"+1.50", 2}, {"99999", 0}, {"  3.3", 1}, {"-99.9", 1}};
    for (const auto& c : cases) {
        ReplyFields f;
        f.blocks[0] = Block(10, '1', '0', c.text, '0');
        CMeasDataSet set;
        set.AddLiveRecord(LiveReply(f));
        EXPECT_EQ(set.GetDecimals(0, 0), c.decimals) << c.text;
        EXPECT_EQ(static_cast<float>(set.GetValue(0, 0)), std::strtof(c.text, nullptr)) << c.text;
        EXPECT_TRUE(set.IsValueValid(0, 0)) << c.text;
    }
}

TEST(Decode, ValuesRoundLikeStrtof) {
    // A spread of 5-character values with every point position, signs included.
    static constexpr int kScale[] = {1, 10, 100, 1000};
    CMeasDataSet set;
    std::string failures;
    int tested = 0;
    for (int m = -999; m <= 99999; m += 13) {
        for (int decimals = 0; decimals < 4; ++decimals) {
            const int whole = std::abs(m) / kScale[decimals];
            const int part = std::abs(m) % kScale[decimals];
            char text[32];
            if (decimals == 0) {
                std::snprintf(text, sizeof text, "%5d", m);
            } else {
                std::snprintf(text, sizeof text, "%s%d.%0*d", m < 0 ? "-" : "", whole, decimals, part);
            }
            if (std::strlen(text) != 5) {
                continue;
            }
            ReplyFields f;
            f.blocks[0] = Block(10, '1', '0', text, '0');
            if (set.GetCount() == set.GetCapacity()) {
                set.Clear();
            }
            set.AddLiveRecord(LiveReply(f));
            ++tested;
            if (static_cast<float>(set.GetValue(0, set.GetCount() - 1)) != std::strtof(text, nullptr)) {
                failures += std::string("[") + text + "]";
            }
        }
    }
    EXPECT_GT(tested, 5000);
    EXPECT_EQ(failures, "");
}

TEST(Decode, PositionHemispheresAndAbsence) {
    CMeasDataSet set;
    ReplyFields f;
    f.position = "351234XS0050709YE";
    set.AddLiveRecord(LiveReply(f));
    EXPECT_EQ(set.GetLatitude(0), -351234);
    EXPECT_EQ(set.GetLongitude(0), 50709);
    f.position = "-12345 N1394506 W";
    set.AddLiveRecord(LiveReply(f));
    EXPECT_EQ(set.GetLatitude(1), kNoPosition);
    EXPECT_EQ(set.GetLongitude(1), kNoPosition);
}

// ---- replies the instrument should never send, but a fault might ----

TEST(DecodeFaults, OutOfRangeCodesAreStoredAsNoValue) {
    ReplyFields f;
    f.blocks[0] = Block(10, '1', '0', "21.35", '5');  // unit 5
    f.blocks[1] = Block(1, 'A', '0', "7.123", '0');   // state 10
    f.blocks[2] = Block(24, '1', 'E', "-12.3", '0');  // error 14
    f.blocks[3] = Block(2, '1', '0', "12a45", '0');   // value not a number
    f.blocks[4] = Block(6, '?', '0', "4.512", '0');   // state not a digit
    f.blocks[5] = Block(3, '1', '0', "12.34", 'x');   // unit not a digit
    f.blocks[6] = Block(4, '1', '0', "1.2.3", '0');   // two points
    f.blocks[7] = Block(8, '9', '0', "-----", '0');   // no value, already state 9
    CMeasDataSet set;
    ASSERT_TRUE(set.AddLiveRecord(LiveReply(f)));
    for (int s = 0; s < 8; ++s) {
        EXPECT_FALSE(set.IsValueValid(s, 0)) << s;
        EXPECT_LE(set.GetUnit(s, 0), 3) << s;
        EXPECT_LE(set.GetState(s, 0), 9) << s;
        EXPECT_LE(set.GetErrorCode(s, 0), 13) << s;
        EXPECT_LE(set.GetDecimals(s, 0), 4) << s;
        for (int u = 0; u < kUnitCount; ++u) {
            EXPECT_EQ(set.GetStats(s, u).Count, 0) << s;
        }
    }
    EXPECT_EQ(set.GetState(0, 0), 0);
    EXPECT_EQ(set.GetUnit(0, 0), 0);
    EXPECT_EQ(set.GetErrorCode(2, 0), 0);
    EXPECT_EQ(set.GetValue(3, 0), 0.0);
    EXPECT_EQ(set.GetState(3, 0), 0);
    EXPECT_EQ(set.GetState(7, 0), 9);
    // The sound blocks of the same reply are unaffected.
    EXPECT_TRUE(set.IsValueValid(8, 0));
    EXPECT_EQ(set.GetStats(8, 0).Count, 1);
}

TEST(DecodeFaults, ElementFieldThatIsNotANumberMatchesNoSlot) {
    ReplyFields f;
    f.blocks[11] = "xx1012.340";  // would read as element 0 by a lax conversion
    f.blocks[12] = "xx1012.340";
    f.blocks[0] = "1x1021.350";  // not element 1, not element 10
    f.blocks[1] = " 1107.0000";  // blank-padded element 1 is still pH
    CMeasDataSet set;
    set.AddLiveRecord(LiveReply(f));
    EXPECT_EQ(set.GetState(0, 0), 0);  // temperature lost with its bad block
    EXPECT_EQ(set.GetState(1, 0), 1);
    EXPECT_EQ(set.FormatValue(1, 0), "7.000");
    EXPECT_EQ(set.GetValue(11, 0), 0.0);
}

TEST(DecodeFaults, HeaderCodesWithoutTextBecomeZero) {
    ReplyFields f;
    f.device = 'F';
    f.instrumentError = 'C';
    CMeasDataSet set;
    set.AddLiveRecord(LiveReply(f));
    f.device = 'g';
    f.instrumentError = ' ';
    set.AddLiveRecord(LiveReply(f));
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(set.GetDevice(r), 0);
        EXPECT_EQ(set.GetInstrumentError(r), 0);
    }
}

TEST(DecodeFaults, ImpossibleDatesKeepTheRecordAtTheFileEpoch) {
    const char* times[] = {"000000000000", "071331120000", "070231120000", "07123124000a",
                           "0712312400  ", "071231240000", "071231236000", "0a1231120000"};
    CMeasDataSet set;
    for (const char* t : times) {
        ReplyFields f;
        f.time = t;
        ASSERT_TRUE(set.AddMemoryRecord(MemoryReply(f))) << t;
    }
    ASSERT_EQ(set.GetCount(), 8);
    for (int r = 0; r < set.GetCount(); ++r) {
        EXPECT_TRUE(set.GetTime(r).IsValid());
        EXPECT_EQ(set.FormatTime(r, "%Y/%m/%d %H:%M:%S"), "2000/01/01 00:00:00") << times[r];
    }
    // A sound record after them is measured from the fallback time.
    ReplyFields f;
    f.time = "000101000130";
    set.AddMemoryRecord(MemoryReply(f));
    EXPECT_EQ(set.GetElapsed(8), 90.0);
}

TEST(DecodeFaults, GarbledCoordinateIsNoPositionTheOtherIsKept) {
    ReplyFields f;
    f.position = "35a234 N1394506 W";
    CMeasDataSet set;
    set.AddLiveRecord(LiveReply(f));
    f.position = "351234 N13945x6 W";
    set.AddLiveRecord(LiveReply(f));
    EXPECT_EQ(set.GetLatitude(0), kNoPosition);
    EXPECT_EQ(set.GetLongitude(0), -1394506);
    EXPECT_EQ(set.GetLatitude(1), 351234);
    EXPECT_EQ(set.GetLongitude(1), kNoPosition);
}

// Number fields read as the library's conversions read them as far as
// blanks go, so that nothing the instrument pads is lost; a value of blanks
// or a lone "-" is still no value (the conversion's 0 would be a made-up
// measurement).
TEST(Decode, NumberFieldsAcceptBlanksAroundTheirDigits) {
    ReplyFields f;
    f.blocks[1] =
        "1 107.123"
        "0";  // element "1 ": pH
    f.blocks[2] = Block(24, '1', '0', "     ", '0');
    f.blocks[3] = Block(2, '1', '0', "-    ", '0');
    f.position = "51234  N  45 6  E";
    f.time = "07 1 4 3 5 9";
    CMeasDataSet set;
    set.AddMemoryRecord(MemoryReply(f));
    EXPECT_EQ(set.GetState(1, 0), 1);
    EXPECT_EQ(set.FormatValue(1, 0), "7.123");
    EXPECT_EQ(set.GetState(2, 0), 0);
    EXPECT_FALSE(set.IsValueValid(2, 0));
    EXPECT_EQ(set.GetState(3, 0), 0);
    EXPECT_EQ(set.GetLatitude(0), 51234);
    EXPECT_EQ(set.GetLongitude(0), kNoPosition);  // blanks between digits: no number
    EXPECT_EQ(set.FormatTime(0, "%Y/%m/%d %H:%M:%S"), "2007/01/04 03:05:09");
    f.position = "51234  N  4506  E";
    set.AddMemoryRecord(MemoryReply(f));
    EXPECT_EQ(set.GetLongitude(1), 4506);
}

TEST(DecodeFaults, GarbageRepliesStayWithinTheFileRanges) {
    // Whatever arrives, every stored code must be one a data file can carry.
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> byte(0, 255);
    CMeasDataSet set;
    for (int i = 0; i < 3000; ++i) {
        std::string reply = (i % 2 == 0) ? LiveReply() : MemoryReply();
        for (std::size_t k = 3; k < reply.size(); ++k) {
            if (byte(rng) < 64) {
                reply[k] = static_cast<char>(byte(rng));
            }
        }
        ASSERT_TRUE(i % 2 == 0 ? set.AddLiveRecord(reply) : set.AddMemoryRecord(reply));
    }
    for (int r = 0; r < set.GetCount(); ++r) {
        ASSERT_LE(set.GetDevice(r), 14);
        ASSERT_LE(set.GetInstrumentError(r), 11);
        const int year = set.GetTime(r).GetYear();
        ASSERT_TRUE(set.GetTime(r).IsValid() && year >= 2000 && year <= 2099);
        ASSERT_TRUE(set.GetLatitude(r) == kNoPosition || std::abs(set.GetLatitude(r)) <= 999999);
        ASSERT_TRUE(set.GetLongitude(r) == kNoPosition || std::abs(set.GetLongitude(r)) <= 9999999);
        for (int s = 0; s < kSlotCount; ++s) {
            ASSERT_LE(set.GetUnit(s, r), 3);
            ASSERT_LE(set.GetDecimals(s, r), 4);
            ASSERT_LE(set.GetState(s, r), 9);
            ASSERT_LE(set.GetErrorCode(s, r), 13);
            ASSERT_TRUE(std::isfinite(set.GetValue(s, r)));
        }
    }
}

TEST(DecodeFaults, ShortReplyIsNotAppended) {
    CMeasDataSet set;
    const std::string live = LiveReply();
    const std::string memory = MemoryReply();
    EXPECT_FALSE(set.AddLiveRecord(live.substr(0, 187)));
    EXPECT_FALSE(set.AddMemoryRecord(memory.substr(0, 181)));
    EXPECT_FALSE(set.AddLiveRecord(""));
    EXPECT_EQ(set.GetCount(), 0);
    EXPECT_TRUE(set.AddLiveRecord(live + "trailing"));
}

TEST(Decode, ShiftJisSiteNameIsKeptAsBytes) {
    ReplyFields f;
    f.site = "\x8a\x43\x8a\xdd\xb1\xb2 A\x00             ";  // 海岸, half-width ｱｲ, NUL byte
    f.site.resize(20, ' ');
    f.site[9] = '\0';
    CMeasDataSet set;
    set.AddLiveRecord(LiveReply(f));
    EXPECT_EQ(set.GetSiteName(0), f.site);
    EXPECT_EQ(set.GetSiteName(0).size(), 20u);
}

}  // namespace
}  // namespace kelp
