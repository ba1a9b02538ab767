#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <ctime>
#include <string>
#include <thread>

#include "link/CaptureRun.h"
#include "link/Frames.h"
#include "link/SerialPort.h"
#include "tests/link_runs/RunTestSupport.h"
#include "tests/link_support/MessageLoop.h"
#include "tests/link_support/SimProcess.h"

namespace kelp {
namespace {

using namespace std::chrono_literals;
using test::CRecordingTarget;
using test::CSimProcess;
using test::Received;

bool IsFinal(const Received& r) {
    return r.message.message == WM_APP_CAPTURE && r.message.wParam != 4;
}

bool HasFinal(const std::vector<Received>& list) {
    return !list.empty() && IsFinal(list.back());
}

std::size_t RecordCount(const std::vector<Received>& list) {
    std::size_t n = 0;
    for (const auto& r : list) {
        n += r.message.wParam == 4 ? 1 : 0;
    }
    return n;
}

// Every message is a WM_APP_CAPTURE; the records come first, each a checked
// live record, and exactly one final message ends the list.
void ExpectWellFormedRun(const std::vector<Received>& list, RunEnd end) {
    ASSERT_FALSE(list.empty());
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
        EXPECT_EQ(list[i].message.message, WM_APP_CAPTURE);
        ASSERT_EQ(list[i].message.wParam, 4u) << "message " << i << " of " << list.size();
        ASSERT_EQ(list[i].message.text.size(), 188u);
        EXPECT_EQ(list[i].message.text.substr(0, 3), "#RD");
    }
    EXPECT_EQ(list.back().message.message, WM_APP_CAPTURE);
    EXPECT_EQ(list.back().message.wParam, static_cast<std::uintptr_t>(end));
    EXPECT_TRUE(list.back().message.text.empty());
}

class CaptureRunTest : public ::testing::Test {
  protected:
    // Starts kelp-sim with `args` (plus a request log) and a capture on it.
    void Start(std::vector<std::string> args, int interval) {
        logPath_ = test::TempLogPath();
        args.push_back("--log");
        args.push_back(logPath_);
        sim_ = std::make_unique<CSimProcess>(args);
        ASSERT_TRUE(sim_->Ok()) << "kelp-sim did not start";
        startWall_ = std::time(nullptr);
        thread_ = StartCapture(window_, stop_, test::DefaultPort(), test::DeviceOf(sim_->Path()), interval);
    }

    std::vector<Received> WaitForEnd(int timeoutMs) {
        EXPECT_TRUE(window_.WaitUntil(HasFinal, timeoutMs)) << "the run did not end";
        if (thread_.joinable()) {
            thread_.join();
        }
        return window_.Snapshot();
    }

    void TearDown() override {
        stop_.Set();
        if (thread_.joinable()) {
            thread_.join();
        }
        sim_.reset();
        test::RemoveLog(logPath_);
    }

    CRecordingTarget window_;
    CEvent stop_;
    std::unique_ptr<CSimProcess> sim_;
    std::jthread thread_;
    std::string logPath_;
    std::time_t startWall_ = 0;
};

TEST_F(CaptureRunTest, PortThatCannotBeOpenedEndsWithCode1) {
    CEvent stop;
    CRecordingTarget window;
    std::jthread t =
        StartCapture(window, stop, test::DefaultPort(), test::DeviceOf("/dev/no-such-kelp-port"), 1);
    ASSERT_TRUE(window.WaitUntil(HasFinal, 5000));
    t.join();
    const auto list = window.Snapshot();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].message.wParam, static_cast<std::uintptr_t>(RunEnd::PortOpenFailed));
    // The reason travels with the failure: the window need not open the port again.
    EXPECT_EQ(list[0].message.lParam, ENOENT);
}

// Whoever drops the run's handle ends the run first: no owner can be held
// up until the run reaches its record limit.
TEST_F(CaptureRunTest, DroppingTheHandleStopsTheRun) {
    Start({"--turnaround", "1"}, 0);
    ASSERT_TRUE(window_.WaitUntil([](const auto& l) { return RecordCount(l) >= 3; }, 5000));
    const auto dropAt = test::Clock::now();
    thread_ = std::jthread();
    EXPECT_LT(test::Clock::now() - dropAt,
              std::chrono::milliseconds(CSerialPort::kReplyTimeoutMs + CSerialPort::kCloseSettleMs + 500));
    const auto list = window_.Snapshot();
    ExpectWellFormedRun(list, RunEnd::Stopped);
    EXPECT_LT(RecordCount(list), static_cast<std::size_t>(kMaxRunRecords));
}

// Back-to-back capture: every record carries the time its own request went
// out, not the start of the run, and a stop ends the run between requests.
TEST_F(CaptureRunTest, IntervalZeroStampsEachRequestAndStops) {
    // A little turnaround keeps the run well below the record limit.
    Start({"--turnaround", "1"}, 0);
    ASSERT_TRUE(window_.WaitUntil([](const auto& l) { return RecordCount(l) >= 1; }, 5000));
    std::this_thread::sleep_for(2300ms);
    stop_.Set();
    const auto list = WaitForEnd(5000);
    ExpectWellFormedRun(list, RunEnd::Stopped);
    ASSERT_GE(list.size(), 20u);

    std::time_t previous = 0;
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
        const std::time_t stamp = test::StampOf(list[i].message.text, kStampOffset);
        EXPECT_GE(stamp, previous) << i;
        previous = stamp;
    }
    const std::time_t first = test::StampOf(list.front().message.text, kStampOffset);
    const std::time_t last = test::StampOf(list[list.size() - 2].message.text, kStampOffset);
    EXPECT_LE(std::abs(first - startWall_), 1);
    EXPECT_GE(last - first, 2) << "records keep the time of the run's start";
}

// A request that goes unanswered and is retried keeps the time at which it
// first went out, also when there is no interval wait to set that time.
TEST_F(CaptureRunTest, IntervalZeroRetryKeepsTheTimeOfItsFirstAttempt) {
    // Requests 2 and 3 time out: request 4 answers about 2 s after request 2.
    Start({"--fault", "noreply=2+2"}, 0);
    ASSERT_TRUE(window_.WaitUntil([](const auto& l) { return RecordCount(l) >= 2; }, 10000));
    const std::time_t arrived = std::time(nullptr);
    stop_.Set();
    const auto list = WaitForEnd(5000);
    ExpectWellFormedRun(list, RunEnd::Stopped);
    ASSERT_GE(RecordCount(list), 2u);
    EXPECT_GE(list[1].at - list[0].at, 2 * std::chrono::milliseconds(CSerialPort::kReplyTimeoutMs));

    const std::time_t first = test::StampOf(list[0].message.text, kStampOffset);
    const std::time_t retried = test::StampOf(list[1].message.text, kStampOffset);
    EXPECT_LE(retried - first, 1) << "request 2 went out right after record 1";
    EXPECT_GE(arrived - retried, 2) << "the retry was stamped with its own time";
    const auto log = test::ReadLines(logPath_);
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[1], "2 #RD@ noreply");
    EXPECT_EQ(log[2], "3 #RD@ noreply");
    EXPECT_EQ(log[3], "4 #RD@");
}

TEST_F(CaptureRunTest, IntervalOneSlotsAreOneSecondApart) {
    Start({}, 1);
    ASSERT_TRUE(window_.WaitUntil([](const auto& l) { return RecordCount(l) >= 4; }, 8000));
    stop_.Set();
    const auto list = WaitForEnd(5000);
    ExpectWellFormedRun(list, RunEnd::Stopped);
    for (std::size_t i = 1; i < 4; ++i) {
        const auto gap = list[i].at - list[i - 1].at;
        EXPECT_GE(gap, 950ms) << i;
        EXPECT_LE(gap, 1250ms) << i;
        const auto stampGap = test::StampOf(list[i].message.text, kStampOffset) -
                              test::StampOf(list[i - 1].message.text, kStampOffset);
        EXPECT_GE(stampGap, 1) << i;
        EXPECT_LE(stampGap, 2) << i;
    }
}

TEST_F(CaptureRunTest, IntervalTwoAndAStopDuringTheWait) {
    Start({}, 2);
    ASSERT_TRUE(window_.WaitUntil([](const auto& l) { return RecordCount(l) >= 3; }, 10000));
    const auto records = window_.Snapshot();
    for (std::size_t i = 1; i < 3; ++i) {
        const auto gap = records[i].at - records[i - 1].at;
        EXPECT_GE(gap, 1950ms) << i;
        EXPECT_LE(gap, 2250ms) << i;
        const auto stampGap = test::StampOf(records[i].message.text, kStampOffset) -
                              test::StampOf(records[i - 1].message.text, kStampOffset);
        EXPECT_GE(stampGap, 2) << i;
        EXPECT_LE(stampGap, 3) << i;
    }

    // Half a second into the next wait: the wait ends within a poll, then
    // the port closes (its settle pause) before the final message.
    std::this_thread::sleep_for(500ms);
    const auto stopAt = test::Clock::now();
    stop_.Set();
    const auto list = WaitForEnd(5000);
    ExpectWellFormedRun(list, RunEnd::Stopped);
    EXPECT_EQ(RecordCount(list), 3u);
    EXPECT_LT(list.back().at - stopAt,
              150ms + std::chrono::milliseconds(CSerialPort::kCloseSettleMs) + 100ms);
}

TEST_F(CaptureRunTest, SixBadRepliesEndWithCode3AndAGoodOneResetsTheCount) {
    // Requests 1-5 bad, 6 good, 7 on bad: one record, then six more failures.
    Start({"--fault", "badsum=1+5", "--fault", "lowercase=7"}, 0);
    const auto list = WaitForEnd(15000);
    ExpectWellFormedRun(list, RunEnd::NoReply);
    EXPECT_EQ(RecordCount(list), 1u);
    EXPECT_EQ(test::ReadLines(logPath_).size(), 12u);
}

TEST_F(CaptureRunTest, EveryDamagedFormIsAFailure) {
    // Request 1 good, then six failures of six kinds end the run.
    Start({"--fault", "noreply=2+1", "--fault", "truncate=3+1", "--fault", "double=4+1", "--fault",
           "garbage=5+1", "--fault", "badsum=6+1", "--fault", "lowercase=7"},
          0);
    const auto list = WaitForEnd(15000);
    ExpectWellFormedRun(list, RunEnd::NoReply);
    EXPECT_EQ(RecordCount(list), 1u);
    EXPECT_EQ(test::ReadLines(logPath_).size(), 7u);
}

TEST_F(CaptureRunTest, HungUpLineEndsWithCode2) {
    Start({"--hangup", "3"}, 0);
    const auto list = WaitForEnd(15000);
    ExpectWellFormedRun(list, RunEnd::CommFailed);
    EXPECT_EQ(RecordCount(list), 3u);
    EXPECT_TRUE(sim_->Exited(2000));
}

TEST_F(CaptureRunTest, ShuffledBlocksAndOddCodesStillArrive) {
    Start({"--shuffle", "--fault", "badcodes=2+2"}, 0);
    ASSERT_TRUE(window_.WaitUntil([](const auto& l) { return RecordCount(l) >= 5; }, 5000));
    stop_.Set();
    const auto list = WaitForEnd(5000);
    ExpectWellFormedRun(list, RunEnd::Stopped);
    // Slot order is not block order. The order changes once a second, so all
    // records may share one; its first three blocks (10-character blocks from
    // column 29) are almost never temperature, pH and pH mV in that order.
    bool shuffled = false;
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
        const std::string& text = list[i].message.text;
        shuffled |= text.substr(29, 2) + text.substr(39, 2) + text.substr(49, 2) != "100124";
    }
    EXPECT_TRUE(shuffled);
}

TEST_F(CaptureRunTest, TenThousandRecordsEndTheRun) {
    Start({}, 0);
    const auto list = WaitForEnd(90000);
    ExpectWellFormedRun(list, RunEnd::Finished);
    EXPECT_EQ(RecordCount(list), static_cast<std::size_t>(kMaxRunRecords));
}

}  // namespace
}  // namespace kelp
