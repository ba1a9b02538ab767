#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>

#include "data/MeasDataSet.h"
#include "resources/Texts.h"
#include "tests/csv/CsvTestUtil.h"

namespace kelp {
namespace {

using test::Split;
using Fields = std::vector<std::string>;

// A record line as a person would write it from the column table: slots 0
// to 10 hold values, 11 and 12 have no element.
Fields RecordFields() {
    Fields f = {"1", "SITE A", "2026/01/02", "03:04:05", "35 12 34 N", "139 45 07 E", "x"};
    for (int s = 0; s < 13; ++s) {
        if (s < 11) {
            f.insert(f.end(), {"12.34", "u", "e"});
        } else {
            f.insert(f.end(), {"-", "-", "-"});
        }
    }
    f.insert(f.end(), {"12.3V", "P30", "D260102", "T030405", "U0000000000000", "F2222222222222",
                       "S1111111111111", "A0000000000000"});
    return f;
}

class ParseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        set_.GetFieldList() = Split(test::HeaderFor(1).substr(test::HeaderFor(1).find("\r\n") + 2));
        set_.GetFieldList().back().resize(set_.GetFieldList().back().size() - 2);  // its line end
        set_.ParseColumnLine();
    }
    // Parses `f` as a record line; the error value, or 0 when it was accepted.
    int ParseRecord(const Fields& f) {
        set_.GetFieldList() = f;
        try {
            set_.ParseRecordLine();
        } catch (EMemError e) {
            return static_cast<int>(e);
        }
        return 0;
    }
    int Last() const { return set_.GetCount() - 1; }

    CMeasDataSet set_;
};

TEST(CsvSplit, FollowsTheQuotingRule) {
    EXPECT_EQ(Split("\"a\",\"b\""), (Fields{"a", "b"}));
    EXPECT_EQ(Split("a,b,"), (Fields{"a", "b", ""}));
    EXPECT_EQ(Split("a,\"\""), (Fields{"a"}));
    EXPECT_EQ(Split("\"x,y\",z"), (Fields{"x,y", "z"}));
    EXPECT_EQ(Split("\"un\"closed,\"q"), (Fields{"unclosed", "q"}));
    EXPECT_EQ(Split(","), (Fields{"", ""}));
}

TEST(CsvFirstLine, AcceptsOnlyOurMagicAndANumericCount) {
    CMeasDataSet set;
    auto parse = [&](const std::string& line) {
        set.GetFieldList() = Split(line);
        try {
            return set.ParseFirstLine();
        } catch (EMemError e) {
            return -static_cast<int>(e);
        }
    };
    EXPECT_EQ(parse("\"KelpPC DataFile\",\"Version\",\"1.00\",\"3\""), 3);
    EXPECT_EQ(parse("\"KelpPC DataFile\",\"Version\",\" -2.5 \",\" 20000 \",\"extra\""), 20000);
    EXPECT_EQ(parse("\"KelpPC DataFile\",\"Version\",\"1.00\",\"0\""), 0);
    EXPECT_EQ(parse("\"kelppc datafile\",\"Version\",\"1.00\",\"3\""), -2);
    EXPECT_EQ(parse("\"KelpPC DataFile\",\"Version\",\"1.00\""), -2);
    EXPECT_EQ(parse("\"KelpPC DataFile\",\"Version\",\"\",\"3\""), -2);
    EXPECT_EQ(parse("\"KelpPC DataFile\",\"Version\",\"1.0.0\",\"3\""), -2);
    EXPECT_EQ(parse("\"KelpPC DataFile\",\"Version\",\"1.00\",\"-3\""), -2);
    EXPECT_EQ(parse("\"KelpPC DataFile\",\"Version\",\"1.00\",\" \""), -2);
    // A count too long for an int is still more than any file can hold.
    EXPECT_GT(parse("\"KelpPC DataFile\",\"Version\",\"1\",\"99999999999999999999\""), 10000);
}

TEST(CsvColumnLine, ElementNumbersAreChecked) {
    CMeasDataSet set;
    Fields f(54, "t");
    for (int s = 0; s < 13; ++s) {
        f[static_cast<std::size_t>(8 + 3 * s)] = std::to_string(s == 12 ? 24 : s);
    }
    set.GetFieldList() = f;
    set.ParseColumnLine();
    EXPECT_EQ(set.GetElement(3), 3);
    EXPECT_EQ(set.GetElement(12), 24);
    f[8] = " 007 ";
    set.GetFieldList() = f;
    set.ParseColumnLine();
    EXPECT_EQ(set.GetElement(0), 7);
    for (const char* bad : {"25", "", " ", "-1", "1x", "99999999999999999999"}) {
        Fields g = f;
        g[8 + 3 * 5] = bad;
        set.GetFieldList() = g;
        EXPECT_THROW(set.ParseColumnLine(), EMemError) << '"' << bad << '"';
    }
    f.pop_back();
    set.GetFieldList() = f;
    EXPECT_THROW(set.ParseColumnLine(), EMemError);
}

TEST_F(ParseTest, AcceptsAHandWrittenRecord) {
    ASSERT_EQ(ParseRecord(RecordFields()), 0);
    const int r = Last();
    EXPECT_EQ(set_.GetSiteName(r), "SITE A");
    EXPECT_EQ(set_.GetBattery(r), "12.3");
    EXPECT_EQ(set_.GetDevice(r), 3);
    EXPECT_EQ(set_.GetInstrumentError(r), 0);
    EXPECT_EQ(set_.GetLatitude(r), 351234);
    EXPECT_EQ(set_.GetLongitude(r), 1394507);
    EXPECT_EQ(set_.GetTime(r).Format("%Y/%m/%d %H:%M:%S"), "2026/01/02 03:04:05");
    EXPECT_FLOAT_EQ(set_.GetValue(0, r), 12.34f);
    EXPECT_EQ(set_.GetDecimals(0, r), 2);
    EXPECT_EQ(set_.GetState(0, r), 1);
    EXPECT_EQ(set_.GetStats(0, 0).Count, 1);
}

TEST_F(ParseTest, RoundsValuesToTheirDecimalsAndReadsDashAsZero) {
    Fields f = RecordFields();
    f[51] = "F1222222222222";
    f[7] = "12.36";
    f[7 + 3] = " -";
    f[52] = "S9911111111111";
    ASSERT_EQ(ParseRecord(f), 0);
    EXPECT_FLOAT_EQ(set_.GetValue(0, Last()), 12.4f);
    EXPECT_EQ(set_.GetValue(1, Last()), 0.0f);
    EXPECT_EQ(set_.GetState(0, Last()), 9);
}

// A value blanked by hand where the codes say measured (a spreadsheet user
// taking out an outlier leaves "-" or nothing) is no measurement: neither
// drawn nor counted, and saved again as "-" with state 0.
TEST_F(ParseTest, AValueBlankedByHandLoadsAsNotMeasured) {
    Fields f = RecordFields();
    f[7] = "-";
    f[7 + 3] = "";
    f[7 + 6] = " - ";
    ASSERT_EQ(ParseRecord(f), 0);
    const int r = Last();
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(set_.GetState(s, r), 0) << "slot " << s;
        EXPECT_FALSE(set_.IsValueValid(s, r)) << "slot " << s;
        EXPECT_EQ(set_.GetStats(s, 0).Count, 0) << "slot " << s;
    }
    EXPECT_TRUE(set_.IsValueValid(3, r));
    EXPECT_EQ(set_.GetStats(3, 0).Count, 1);

    const std::string line = set_.FormatRecordLine(r);
    const Fields back = Split(line.substr(0, line.size() - 2));
    ASSERT_EQ(back.size(), 54u);
    for (int c : {7, 8, 9, 10, 13}) {
        EXPECT_EQ(back[static_cast<std::size_t>(c)], "-") << "column " << c;
    }
    EXPECT_EQ(back[52], "S0001111111111");
}

// Values of every size, read and written again: each is written as the
// library's fixed formatting writes it with the record's decimals, the
// sign of a negative value rounded to zero included.
TEST_F(ParseTest, ValuesAreWrittenAsFixedFormattingWritesThem) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-5, 7);
    std::uniform_int_distribution<int> places(0, 4);
    for (int n = 0; n < 2000; ++n) {
        Fields f = RecordFields();
        f[51] = "F";
        for (int s = 0; s < 13; ++s) {
            f[51] += static_cast<char>('0' + places(random));
            if (s < 11) {
                char text[64];
                std::snprintf(text, sizeof text, "%.9f", mantissa(random) * std::pow(10.0, exponent(random)));
                f[static_cast<std::size_t>(7 + 3 * s)] = text;
            }
        }
        ASSERT_EQ(ParseRecord(f), 0);
        const std::string line = set_.FormatRecordLine(Last());
        const Fields back = Split(line.substr(0, line.size() - 2));
        for (int s = 0; s < 11; ++s) {
            char expected[400];
            const auto r = std::to_chars(expected, expected + sizeof expected, set_.GetValue(s, Last()),
                                         std::chars_format::fixed, set_.GetDecimals(s, Last()));
            ASSERT_EQ(back[static_cast<std::size_t>(7 + 3 * s)], std::string(expected, r.ptr))
                << "read from " << f[static_cast<std::size_t>(7 + 3 * s)];
        }
    }
}

TEST_F(ParseTest, PositionsThatDoNotMatchAreNoPosition) {
    auto position = [&](const std::string& lat, const std::string& lon) {
        Fields f = RecordFields();
        f[4] = lat;
        f[5] = lon;
        EXPECT_EQ(ParseRecord(f), 0);
        return std::make_pair(set_.GetLatitude(Last()), set_.GetLongitude(Last()));
    };
    EXPECT_EQ(position("35 12 34 S", "  5 07 09 W"), std::make_pair(-351234, -50709));
    EXPECT_EQ(position(" 5 12 34 N", "-- -- -- -"), std::make_pair(kNoPosition, kNoPosition));
    EXPECT_EQ(position("-- -- -- -", "--- -- -- -"), std::make_pair(kNoPosition, kNoPosition));
    EXPECT_EQ(position("35 12 34 X", "139 45 07 E "), std::make_pair(kNoPosition, kNoPosition));
    EXPECT_EQ(position("N", "E"), std::make_pair(kNoPosition, kNoPosition));
    EXPECT_EQ(position("35 12 34 NN", " 39 45 07 E"), std::make_pair(kNoPosition, 394507));
}

TEST_F(ParseTest, EachBrokenRuleIsAFormatError) {
    struct Case {
        int field;
        const char* text;
    };
    const Case cases[] = {
        {1, "123456789012345678901"},  // 21 bytes
        {48, "D26010"},
        {48, "X260102"},
        {48, "D26013"},
        {49, "t030405"},
        {46, "V12.3V"},
        {46, "12.3"},
        {46, "12V3"},
        {47, "P"},
        {47, "PF0"},
        {47, "P3C"},
        {47, "Q30"},
        {50, "U000000000000"},
        {50, "U00000000000004"},
        {50, "U0000000000004"},
        {51, "F0000000000005"},
        {52, "SA000000000000"},
        {53, "A000000000000E"},
        {53, "B0000000000000"},
        {7, "1e5"},
        {7, "1.2.3"},
        {7, "--1"},
        {7 + 3 * 10, "abc"},
        {7, "999999999999999999999999999999999999999999999999"},
    };
    for (const auto& c : cases) {
        Fields f = RecordFields();
        f[static_cast<std::size_t>(c.field)] = c.text;
        const int before = set_.GetCount();
        EXPECT_EQ(ParseRecord(f), 3) << c.field << ": " << c.text;
        EXPECT_EQ(set_.GetCount(), before);
    }
    Fields f = RecordFields();
    f.resize(53);
    EXPECT_EQ(ParseRecord(f), 3);
    // Slots without an element are not read at all.
    f = RecordFields();
    f[7 + 3 * 12] = "garbage";
    EXPECT_EQ(ParseRecord(f), 0);
    // Nor are the texts a spreadsheet reads.
    f[0] = f[2] = f[3] = f[6] = f[8] = f[9] = "??";
    EXPECT_EQ(ParseRecord(f), 0);
}

// A date or time code of the right shape that is no real time loads with
// the time that decoding falls back to; only the shape is a format rule.
TEST_F(ParseTest, DateAndTimeCodesThatAreNoTimeLoadAtTheFallbackTime) {
    const std::pair<int, const char*> cases[] = {
        {48, "D261302"}, {48, "D2601x2"}, {48, "D260230"}, {49, "T030460"}, {49, "T240000"}, {49, "T 30405"},
    };
    for (const auto& [field, text] : cases) {
        Fields f = RecordFields();
        f[static_cast<std::size_t>(field)] = text;
        ASSERT_EQ(ParseRecord(f), 0) << field << ": " << text;
        EXPECT_EQ(set_.GetTime(Last()).Format("%Y/%m/%d %H:%M:%S"), "2000/01/01 00:00:00") << text;
        EXPECT_FLOAT_EQ(set_.GetValue(0, Last()), 12.34f);
    }
}

TEST_F(ParseTest, AFullSetIgnoresFurtherRecords) {
    set_.Reserve(2);
    set_.GetFieldList() = Split(test::HeaderFor(1).substr(test::HeaderFor(1).find("\r\n") + 2));
    ASSERT_EQ(ParseRecord(RecordFields()), 0);
    ASSERT_EQ(ParseRecord(RecordFields()), 0);
    Fields broken = RecordFields();
    broken.resize(3);
    EXPECT_EQ(ParseRecord(broken), 0);
    EXPECT_EQ(set_.GetCount(), 2);
}

TEST_F(ParseTest, FormattingAParsedLineGivesItBack) {
    Fields f = RecordFields();
    f[7] = "-0.50";
    f[4] = "00 00 00 N";
    f[5] = "005 07 09 W";
    f[47] = "PEB";
    f[53] = "A0000D00000000";
    ASSERT_EQ(ParseRecord(f), 0);
    const std::string line = set_.FormatRecordLine(Last());
    ASSERT_GE(line.size(), 2u);
    EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
    const Fields back = Split(line.substr(0, line.size() - 2));
    ASSERT_EQ(back.size(), 54u);
    for (int c : {1, 2, 3, 4, 5, 7, 46, 47, 48, 49, 50, 51, 52, 53}) {
        EXPECT_EQ(back[static_cast<std::size_t>(c)], f[static_cast<std::size_t>(c)]) << "column " << c;
    }
    EXPECT_EQ(back[0], std::to_string(set_.GetCount()));
    EXPECT_EQ(back[7 + 3 * 11], "-");
    EXPECT_EQ(back[7 + 3 * 11 + 1], "-");
    EXPECT_EQ(set_.FormatRecordLine(set_.GetCount()), "");
}

TEST(CsvFormat, LineOneAndTheFieldsNoReaderCouldTakeBack) {
    CMeasDataSet set;
    std::string reply = "#RD" + std::string("say \"hi\"\r\nthere     ") + "00" + "1V2V" +
                        std::string(130, ' ') + "260102030405" + "--------N--------";
    ASSERT_TRUE(set.AddLiveRecord(reply));
    ASSERT_TRUE(set.AddLiveRecord(reply));
    ASSERT_TRUE(set.AddLiveRecord(reply));
    const std::string header = set.FormatHeaderLines();
    EXPECT_EQ(header.substr(0, 40), "\"KelpPC DataFile\",\"Version\",\"1.00\",\"3\"\r\n");
    EXPECT_EQ(Split(header.substr(40, header.size() - 42)).size(), 54u);
    const std::string line = set.FormatRecordLine(1);
    const Fields f = Split(line.substr(0, line.size() - 2));
    ASSERT_EQ(f.size(), 54u);
    EXPECT_EQ(f[1], "say  hi   there     ");
    EXPECT_EQ(f[46], "1 2 V");
    EXPECT_EQ(line.find('\n'), line.size() - 1);
}

}  // namespace
}  // namespace kelp

namespace kelp {
namespace {

// Titles and error texts are those of the language in use when the file is
// written, also after a switch (texts are cached per thread).
TEST(CsvFormat, TitlesFollowTheLanguage) {
    CMeasDataSet set;
    ASSERT_TRUE(set.AddLiveRecord("#RD" + std::string(20, ' ') + "0B" + "12.3" + std::string(130, ' ') +
                                  "260102030405" + "--------N--------"));
    auto column = [&](const std::string& lines, std::size_t c) {
        const auto start = lines.find("\r\n") + 2;
        return Split(lines.substr(start, lines.size() - start - 2))[c];
    };
    auto record = [&] {
        const std::string line = set.FormatRecordLine(0);
        return Split(line.substr(0, line.size() - 2));
    };
    const std::string japanese = column(set.FormatHeaderLines(), 2);
    const std::string japaneseError = record()[6];
    EXPECT_EQ(japanese, "\x93\xFA\x95\x74");  // 日付 in CP932
    ASSERT_TRUE(SelectLanguage("en_US", KELP_ENGLISH_TEXT_SOURCE));
    EXPECT_EQ(column(set.FormatHeaderLines(), 2), "Date");
    EXPECT_NE(record()[6], japaneseError);
    SelectLanguage("ja_JP", "");
    EXPECT_EQ(column(set.FormatHeaderLines(), 2), japanese);
    EXPECT_EQ(record()[6], japaneseError);
}

}  // namespace
}  // namespace kelp
