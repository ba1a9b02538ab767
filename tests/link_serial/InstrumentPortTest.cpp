#include <gtest/gtest.h>

#include <future>
#include <string>

#include "link/InstrumentPort.h"
#include "tests/link_support/PtyPair.h"

namespace kelp {
namespace {

using test::CPtyPair;

std::string Reply(const std::string& body) {
    std::string text = body + "@";
    char digits[2];
    FormatChecksum(FrameChecksum(text.data(), text.size()), digits);
    return text + std::string(digits, 2) + "\r\n";
}

class InstrumentPortTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!pty_.Ok()) {
            GTEST_SKIP() << "no pseudo-terminal available on this system";
        }
        ASSERT_TRUE(port_.OpenDevice(pty_.Path(), 19200, 8, 0, 0));
    }

    // Runs one transaction against an instrument that answers with `answer`
    // once the command has arrived; `command` receives what was sent.
    LinkResult Exchange(int selector, const std::string& answer, std::string& command) {
        auto instrument = std::async(std::launch::async, [&] {
            std::string line = pty_.ReceiveLine();
            pty_.Send(answer);
            return line;
        });
        length_ = sizeof buffer_;
        const LinkResult result = port_.Transact(selector, buffer_, length_);
        command = instrument.get();
        return result;
    }

    CPtyPair pty_;
    CInstrumentPort port_;
    char buffer_[300] = {};
    int length_ = 0;
};

TEST_F(InstrumentPortTest, GoodRepliesAreHandedOverCut) {
    std::string command;
    const std::string record = "#RM" + std::string(179, 'r');
    EXPECT_EQ(Exchange(kSelectFirstRecord, Reply(record), command), LinkResult::Ok);
    EXPECT_EQ(command, "#RM00" + std::string(26, ' ') + "@7C\r\n");
    EXPECT_EQ(length_, 187);
    EXPECT_EQ(std::string(buffer_), record);

    EXPECT_EQ(Exchange(kSelectRecordCount, Reply("#RN00042"), command), LinkResult::Ok);
    EXPECT_EQ(command, "#RN@7F\r\n");
    EXPECT_EQ(RecordCountOf(buffer_), 42);
}

TEST_F(InstrumentPortTest, EndOfDataOnlyAnswersRecordRequests) {
    std::string command;
    for (int selector : {kSelectFirstRecord, kSelectNextRecord, kSelectSameRecord}) {
        EXPECT_EQ(Exchange(selector, "#RM@7C\r\n", command), LinkResult::EndOfData) << selector;
    }
    EXPECT_EQ(Exchange(kSelectReadData, "#RM@7C\r\n", command), LinkResult::BadReply);
    EXPECT_EQ(Exchange(kSelectRecordCount, "#RM@7C\r\n", command), LinkResult::BadReply);
}

TEST_F(InstrumentPortTest, DamagedRepliesAreBadReplies) {
    const std::string live = Reply("#RD" + std::string(185, 'v'));
    std::string command;
    EXPECT_EQ(Exchange(kSelectReadData, live + live, command), LinkResult::BadReply) << "two run together";
    EXPECT_EQ(Exchange(kSelectReadData, "\x15~~" + live, command), LinkResult::BadReply) << "garbage first";
    EXPECT_EQ(Exchange(kSelectReadData, live.substr(1), command), LinkResult::BadReply) << "one byte short";
    EXPECT_EQ(Exchange(kSelectNextRecord, live, command), LinkResult::BadReply) << "wrong prefix";
    EXPECT_EQ(Exchange(kSelectReadData, live.substr(0, 100), command), LinkResult::Timeout) << "truncated";
    // After all that the line still works: each command purged the leftovers.
    EXPECT_EQ(Exchange(kSelectReadData, live, command), LinkResult::Ok);
}

TEST_F(InstrumentPortTest, UnknownSelectorIsNotSent) {
    int length = sizeof buffer_;
    EXPECT_EQ(port_.Transact(6, buffer_, length), LinkResult::SendFailed);
    EXPECT_EQ(pty_.ReceiveLine(100), "");
}

}  // namespace
}  // namespace kelp
