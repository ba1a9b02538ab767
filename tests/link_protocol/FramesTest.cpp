#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "link/Frames.h"
#include "link/InstrumentPort.h"

namespace kelp {
namespace {

std::string Frame(int selector) {
    char frame[kCommandBufferSize];
    BuildCommandFrame(selector, frame);
    return frame;
}

// A reply frame around `body`: "@", checksum digits, CR LF.
std::string Reply(const std::string& body) {
    std::string text = body + "@";
    char digits[2];
    FormatChecksum(FrameChecksum(text.data(), text.size()), digits);
    return text + std::string(digits, 2) + "\r\n";
}

std::string Blanks(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

// A reply body of the right length for each command prefix.
std::string LiveBody() {
    return "#RD" + std::string(185, '1');
}
std::string RecordBody() {
    return "#RM" + std::string(179, '2');
}

bool Check(int selector, std::string& reply, int length) {
    char command[kCommandBufferSize];
    BuildCommandFrame(selector, command);
    reply.push_back('\0');
    const bool ok = CheckReplyFrame(command, reply.data(), length);
    reply = reply.c_str();
    return ok;
}

TEST(Frames, WorkedChecksumsAndLengths) {
    EXPECT_EQ(Frame(kSelectRecordCount), "#RN@7F\r\n");
    EXPECT_EQ(Frame(kSelectReadData), "#RD@75\r\n");
    EXPECT_EQ(Frame(kSelectFirstRecord), "#RM00" + Blanks(26) + "@7C\r\n");
    EXPECT_EQ(Frame(kSelectNextRecord), "#RM20" + Blanks(26) + "@7E\r\n");
    EXPECT_EQ(Frame(kSelectSameRecord), "#RM30" + Blanks(26) + "@7F\r\n");
    EXPECT_EQ(Frame(kSelectRecordDigit1).substr(0, 5), "#RM10");
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(Frame(s).size(), 36u) << s;
    }

    char frame[kCommandBufferSize];
    EXPECT_EQ(BuildCommandFrame(kSelectReadData, frame), 193);
    EXPECT_EQ(BuildCommandFrame(kSelectFirstRecord, frame), 187);
    EXPECT_EQ(BuildCommandFrame(kSelectSameRecord, frame), 187);
    EXPECT_EQ(BuildCommandFrame(kSelectRecordCount, frame), 13);
    EXPECT_EQ(BuildCommandFrame(6, frame), 0);
    EXPECT_EQ(BuildCommandFrame(-1, frame), 0);
    EXPECT_STREQ(frame, "");
}

TEST(Frames, GoodRepliesAreCutAtTheAt) {
    std::string live = Reply(LiveBody());
    ASSERT_EQ(live.size(), 193u);
    EXPECT_TRUE(Check(kSelectReadData, live, 193));
    EXPECT_EQ(live, LiveBody());

    std::string record = Reply(RecordBody());
    ASSERT_EQ(record.size(), 187u);
    EXPECT_TRUE(Check(kSelectNextRecord, record, 187));
    EXPECT_EQ(record, RecordBody());

    std::string count = Reply("#RN00000");
    EXPECT_TRUE(Check(kSelectRecordCount, count, 13));
    EXPECT_EQ(count, "#RN00000");
    EXPECT_EQ(RecordCountOf(count.c_str()), 0);
}

TEST(Frames, RejectedRepliesStayUnchanged) {
    struct Case {
        const char* what;
        int selector;
        std::string reply;
        int length;
    };
    std::string lower = Reply(RecordBody());
    // Force a letter into the checksum so that lower case differs.
    std::string body = RecordBody();
    for (char c = 'A'; c <= 'Z'; ++c) {
        body[10] = c;
        lower = Reply(body);
        if (std::isalpha(static_cast<unsigned char>(lower[183])) ||
            std::isalpha(static_cast<unsigned char>(lower[184]))) {
            break;
        }
    }
    lower[183] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[183])));
    lower[184] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[184])));

    // Checksum computed without the "@".
    std::string noAt = RecordBody() + "@";
    char digits[2];
    FormatChecksum(FrameChecksum(noAt.data(), noAt.size() - 1), digits);
    noAt += std::string(digits, 2) + "\r\n";

    std::string wrongSum = Reply(LiveBody());
    wrongSum[190] = wrongSum[190] == '0' ? '1' : '0';

    std::string atInside = RecordBody();
    atInside[50] = '@';
    atInside = Reply(atInside);

    const Case cases[] = {
        {"one byte longer", kSelectNextRecord, Reply(RecordBody() + "2"), 187},
        {"one byte shorter", kSelectNextRecord, Reply(RecordBody().substr(0, 181)), 187},
        {"lower-case digits", kSelectNextRecord, lower, 187},
        {"checksum without the @", kSelectNextRecord, noAt, 187},
        {"wrong checksum", kSelectReadData, wrongSum, 193},
        {"#RM prefix to #RD", kSelectReadData, Reply("#RM" + std::string(185, '1')), 193},
        {"#RD prefix to #RM", kSelectFirstRecord, Reply("#RD" + std::string(179, '1')), 187},
        {"no CR LF", kSelectRecordCount, "#RN00001@4C\n\n", 13},
        {"@ in the payload", kSelectNextRecord, atInside, 187},
        {"end of data to #RD", kSelectReadData, "#RM@7C\r\n", 193},
        {"empty", kSelectReadData, "", 0},
    };
    for (const Case& c : cases) {
        std::string reply = c.reply;
        EXPECT_FALSE(Check(c.selector, reply, c.length)) << c.what;
        EXPECT_EQ(reply, c.reply) << c.what;
    }
}

TEST(Frames, EndOfDataReplyChecksOnlyAtEightBytes) {
    std::string end = "#RM@7C\r\n";
    EXPECT_EQ(Reply("#RM"), end);
    std::string copy = end;
    EXPECT_TRUE(Check(kSelectNextRecord, copy, 8));
    copy = end;
    EXPECT_FALSE(Check(kSelectNextRecord, copy, 187));
    copy = end;
    EXPECT_FALSE(Check(kSelectRecordCount, copy, 8));  // prefix #RN
}

TEST(Frames, RecordCountConversion) {
    EXPECT_EQ(RecordCountOf("#RN00300"), 300);
    EXPECT_EQ(RecordCountOf("#RN  300"), 300);
    EXPECT_EQ(RecordCountOf("#RN12000"), 12000);
    EXPECT_EQ(RecordCountOf("#RN003x0"), 3);
    EXPECT_EQ(RecordCountOf("#RNabcde"), 0);
}

TEST(Frames, StampTimeOverwritesBytes159To170) {
    std::string live = LiveBody();
    std::tm t{};
    t.tm_year = 2007 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 31;
    t.tm_hour = 23;
    t.tm_min = 59;
    t.tm_sec = 58;
    EXPECT_TRUE(CInstrumentPort::StampTime(live.data(), t));
    EXPECT_EQ(live.substr(159, 12), "071231235958");
    EXPECT_EQ(live.substr(0, 159), LiveBody().substr(0, 159));
    EXPECT_EQ(live.substr(171), LiveBody().substr(171));

    t.tm_year = 2026 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 2;
    t.tm_hour = 3;
    t.tm_min = 4;
    t.tm_sec = 5;
    CInstrumentPort::StampTime(live.data(), t);
    EXPECT_EQ(live.substr(159, 12), "260102030405");

    // Too short to hold the field: left alone.
    std::string shortText = "#RD12345";
    EXPECT_TRUE(CInstrumentPort::StampTime(shortText.data(), t));
    EXPECT_EQ(shortText, "#RD12345");
}

}  // namespace
}  // namespace kelp
