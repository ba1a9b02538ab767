#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <string>

#include "link/DownloadRun.h"
#include "tests/link_runs/RunTestSupport.h"
#include "tests/link_support/MessageLoop.h"
#include "tests/link_support/SimProcess.h"

namespace kelp {
namespace {

using test::CFakeProgressDialog;
using test::CLoopTarget;
using test::CMessageLoop;
using test::CSimProcess;

// Offset of the date and time in a record text.
constexpr std::size_t kRecordStamp = 153;

class DownloadRunTest : public ::testing::Test {
  protected:
    // Runs a whole download from kelp-sim started with `args`.
    RunEnd Download(std::vector<std::string> args, int cancelAfter = -1) {
        logPath_ = test::TempLogPath();
        args.push_back("--log");
        args.push_back(logPath_);
        sim_ = std::make_unique<CSimProcess>(args);
        EXPECT_TRUE(sim_->Ok()) << "kelp-sim did not start";
        dialog_.CancelAfter(cancelAfter);
        return RunDownload(mainWindow_, dialog_, test::DefaultPort(), test::DeviceOf(sim_->Path()), nullptr,
                           &announced_);
    }

    std::vector<std::string> Records() const {
        std::vector<std::string> records;
        for (const auto& m : dialog_.mainWindow) {
            if (m.message == WM_APP_DOWNLOAD && m.wParam == 4) {
                records.push_back(m.text);
            }
        }
        return records;
    }

    // The main window got the records, then exactly one code 7 naming the
    // dialog, and the dialog closed with success.
    void ExpectRecordsThenEnd(std::size_t records) {
        ASSERT_EQ(dialog_.mainWindow.size(), records + 1);
        for (std::size_t i = 0; i < records; ++i) {
            const AppMessage& m = dialog_.mainWindow[i];
            EXPECT_EQ(m.message, WM_APP_DOWNLOAD);
            ASSERT_EQ(m.wParam, 4u) << i;
            ASSERT_EQ(m.text.size(), 182u) << i;
            EXPECT_EQ(m.text.substr(0, 3), "#RM");
        }
        const AppMessage& end = dialog_.mainWindow.back();
        EXPECT_EQ(end.message, WM_APP_DOWNLOAD);
        EXPECT_EQ(end.wParam, 7u);
        EXPECT_EQ(end.lParam, reinterpret_cast<std::intptr_t>(static_cast<IProgressDialog*>(&dialog_)));
        EXPECT_EQ(dialog_.modalResult, 1);
        EXPECT_EQ(dialog_.titleId_, kDownloadTitleId);
        EXPECT_EQ(dialog_.total_, 0);
    }

    // Each record is one logging step older than the one before: nothing
    // skipped, nothing twice (within one cast of the simulator's memory).
    void ExpectConsecutive(const std::vector<std::string>& records) {
        for (std::size_t i = 1; i < records.size(); ++i) {
            const auto gap =
                test::StampOf(records[i - 1], kRecordStamp) - test::StampOf(records[i], kRecordStamp);
            EXPECT_EQ(gap, 5) << "record " << i;
        }
    }

    void TearDown() override {
        sim_.reset();
        test::RemoveLog(logPath_);
    }

    CMessageLoop loop_;
    CLoopTarget mainWindow_{loop_, CMessageLoop::To::MainWindow};
    CFakeProgressDialog dialog_{loop_};
    std::unique_ptr<CSimProcess> sim_;
    std::string logPath_;
    int announced_ = -1;
};

TEST_F(DownloadRunTest, WholeMemoryArrivesInOrderBeforeTheEnd) {
    EXPECT_EQ(Download({"--records", "300", "--casts", "1"}), RunEnd::Finished);
    ExpectRecordsThenEnd(300);
    ExpectConsecutive(Records());

    // Progress: the total, one step per record, then the close.
    ASSERT_EQ(dialog_.progress.size(), 302u);
    EXPECT_EQ(dialog_.progress[0].wParam, PROGRESS_TOTAL);
    EXPECT_EQ(dialog_.progress[0].lParam, 300);
    for (int i = 1; i <= 300; ++i) {
        EXPECT_EQ(dialog_.progress[i].wParam, PROGRESS_STEP);
        EXPECT_EQ(dialog_.progress[i].lParam, i);
    }
    EXPECT_EQ(dialog_.progress.back().wParam, PROGRESS_FINISHED);

    const auto log = test::ReadLines(logPath_);
    ASSERT_EQ(log.size(), 301u);
    EXPECT_EQ(log[0], "1 #RN@");
    EXPECT_EQ(log[1].substr(0, 6), "2 #RM0");
    EXPECT_EQ(log[2].substr(0, 6), "3 #RM2");
}

TEST_F(DownloadRunTest, EmptyMemoryEndsWithNoData) {
    EXPECT_EQ(Download({"--records", "0"}), RunEnd::NoData);
    ExpectRecordsThenEnd(0);
    ASSERT_EQ(dialog_.progress.size(), 2u);
    EXPECT_EQ(dialog_.progress[0].wParam, PROGRESS_TOTAL);
    EXPECT_EQ(dialog_.progress[0].lParam, 0);
}

TEST_F(DownloadRunTest, EndOfDataBeforeTheClaimedCountFinishes) {
    EXPECT_EQ(Download({"--records", "5", "--claim", "8"}), RunEnd::Finished);
    ExpectRecordsThenEnd(5);
    EXPECT_EQ(test::ReadLines(logPath_).size(), 7u);  // count, 5 records, end of data
    EXPECT_EQ(announced_, 8) << "the receiver compares what it stored with the count";
}

// Records that are byte for byte the same are each the instrument's own, in
// a clean download as much as any other.
TEST_F(DownloadRunTest, IdenticalConsecutiveRecordsAreAllKept) {
    EXPECT_EQ(Download({"--records", "20", "--casts", "1", "--identical", "4+2"}), RunEnd::Finished);
    ExpectRecordsThenEnd(20);
    const auto records = Records();
    ASSERT_EQ(records.size(), 20u);
    EXPECT_EQ(records[3], records[4]);
    EXPECT_EQ(records[3], records[5]);
    EXPECT_NE(records[5], records[6]);
    EXPECT_EQ(announced_, 20);
    EXPECT_EQ(test::ReadLines(logPath_).size(), 21u) << "no request was repeated";
}

TEST_F(DownloadRunTest, TimeoutOnNextAsksForTheSameRecordAgain) {
    // Requests: 1 count, 2 first, 3 next, 4 next (lost), 5 same again, 6 next.
    EXPECT_EQ(Download({"--records", "10", "--casts", "1", "--fault", "noreply=4+1"}), RunEnd::Finished);
    ExpectRecordsThenEnd(10);
    ExpectConsecutive(Records());
    const auto log = test::ReadLines(logPath_);
    ASSERT_EQ(log.size(), 12u);
    EXPECT_EQ(log[3].substr(0, 6), "4 #RM2");
    EXPECT_NE(log[3].find("noreply"), std::string::npos);
    EXPECT_EQ(log[4].substr(0, 6), "5 #RM3");
    EXPECT_EQ(log[5].substr(0, 6), "6 #RM2");
}

// A "next" request lost on the line leaves the instrument on the record
// already stored: the repeat requests bring that record again, which is not
// stored twice, and the walk goes on with "next".
TEST_F(DownloadRunTest, LostNextRequestNeitherRepeatsNorSkipsARecord) {
    EXPECT_EQ(Download({"--records", "10", "--casts", "1", "--fault", "lost=5+1"}), RunEnd::Finished);
    ExpectRecordsThenEnd(10);
    ExpectConsecutive(Records());
    const auto log = test::ReadLines(logPath_);
    ASSERT_GE(log.size(), 8u);
    EXPECT_EQ(log[4].substr(0, 6), "5 #RM2");
    EXPECT_NE(log[4].find(" lost"), std::string::npos);
    EXPECT_EQ(log[5].substr(0, 6), "6 #RM3");
    EXPECT_EQ(log[6].substr(0, 6), "7 #RM3");
    EXPECT_EQ(log[7].substr(0, 6), "8 #RM2");
}

// Damage scattered over the walk: every failed "next" is made good by a
// repeat request, so each record arrives once and in order.
TEST_F(DownloadRunTest, ScatteredDamageStillGivesEveryRecordOnceInOrder) {
    EXPECT_EQ(Download({"--records", "120", "--casts", "1", "--seed", "3", "--fault", "badsum=8%", "--fault",
                        "garbage=6%", "--fault", "double=4%"}),
              RunEnd::Finished);
    ExpectRecordsThenEnd(120);
    ExpectConsecutive(Records());
    const auto log = test::ReadLines(logPath_);
    const auto repeats = std::count_if(
        log.begin(), log.end(), [](const std::string& l) { return l.find("#RM3") != std::string::npos; });
    EXPECT_GT(repeats, 0) << "no \"next\" request was damaged";
}

TEST_F(DownloadRunTest, SixFailuresEndWithNoReplyKeepingTheRecords) {
    // Record 1 arrives, then every reply is damaged: repeat requests until six failures.
    EXPECT_EQ(Download({"--records", "50", "--fault", "badsum=3"}), RunEnd::NoReply);
    ExpectRecordsThenEnd(1);
    const auto log = test::ReadLines(logPath_);
    ASSERT_EQ(log.size(), 8u);
    EXPECT_EQ(log[2].substr(0, 6), "3 #RM2");
    for (std::size_t i = 3; i < 8; ++i) {
        EXPECT_EQ(log[i].substr(log[i].find(' ') + 1, 4), "#RM3") << log[i];
    }
}

TEST_F(DownloadRunTest, FailedCountRequestIsRepeatedUnchanged) {
    EXPECT_EQ(Download({"--records", "3", "--fault", "lowercase=1+2"}), RunEnd::Finished);
    ExpectRecordsThenEnd(3);
    const auto log = test::ReadLines(logPath_);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[1], "2 #RN@ lowercase");
    EXPECT_EQ(log[2], "3 #RN@");
}

TEST_F(DownloadRunTest, HungUpLineEndsWithCommFailedKeepingTheRecords) {
    // Reply 1 is the count; 49 records, then the line goes.
    EXPECT_EQ(Download({"--records", "300", "--hangup", "50"}), RunEnd::CommFailed);
    ExpectRecordsThenEnd(49);
}

TEST_F(DownloadRunTest, CancelKeepsWhatArrived) {
    EXPECT_EQ(Download({"--records", "300", "--turnaround", "2"}, 20), RunEnd::Stopped);
    const auto records = Records();
    ASSERT_GE(records.size(), 20u);
    EXPECT_LE(records.size(), 25u);
    ExpectRecordsThenEnd(records.size());
}

TEST_F(DownloadRunTest, PortThatCannotBeOpenedFailsTheDialog) {
    int openError = -1;
    EXPECT_EQ(RunDownload(mainWindow_, dialog_, test::DefaultPort(), test::DeviceOf("/dev/no-such-kelp-port"),
                          &openError),
              RunEnd::PortOpenFailed);
    EXPECT_EQ(openError, ENOENT);
    EXPECT_EQ(dialog_.modalResult, 2);
    EXPECT_TRUE(dialog_.mainWindow.empty());
    ASSERT_EQ(dialog_.progress.size(), 1u);
    EXPECT_EQ(dialog_.progress[0].wParam, PROGRESS_FAILED);
}

TEST_F(DownloadRunTest, CountAboveTenThousandFetchesTenThousand) {
    EXPECT_EQ(Download({"--records", "10005", "--claim", "12000"}), RunEnd::Finished);
    ExpectRecordsThenEnd(kMaxDownloadRecords);
    EXPECT_EQ(dialog_.progress[0].lParam, kMaxDownloadRecords);
}

TEST_F(DownloadRunTest, CancelWhileWaitingForTheDialogEndsTheWait) {
    // The dialog never appears; the cancel ends the wait, and the run says
    // it is over so that the dialog closes should it still come.
    CEvent cancel;
    cancel.Set();
    const auto start = test::Clock::now();
    EXPECT_EQ(DownloadThread(mainWindow_, dialog_, cancel, test::DefaultPort(), test::DeviceOf("/dev/null")),
              RunEnd::Stopped);
    EXPECT_LT(test::Clock::now() - start, std::chrono::milliseconds(500));
    const auto end = loop_.Pop(0);
    ASSERT_TRUE(end.has_value());
    EXPECT_EQ(end->message.message, WM_APP_DOWNLOAD);
    EXPECT_EQ(end->message.wParam, 7u);
}

// A reply that comes more than a second late, at the count request, the
// first request, a "next" and the last "next", on a line with and without
// the pacing of 19200 bit/s: the download still holds each record once, in
// order, exactly as a clean download does.
struct LateReply {
    int request;  // 1 count, 2 first, 3 to 21 "next" of 20 records
    int lateMs;
    bool paced;
};

class LateReplyTest : public DownloadRunTest, public ::testing::WithParamInterface<LateReply> {
  protected:
    static std::vector<std::string> Args() { return {"--records", "20", "--casts", "1", "--seed", "5"}; }

    // The records of a download without faults, fetched once.
    static const std::vector<std::string>& Clean() {
        static const std::vector<std::string> records = [] {
            test::CMessageLoop loop;
            test::CLoopTarget window(loop, test::CMessageLoop::To::MainWindow);
            test::CFakeProgressDialog dialog(loop);
            CSimProcess sim(Args());
            EXPECT_EQ(RunDownload(window, dialog, test::DefaultPort(), test::DeviceOf(sim.Path())),
                      RunEnd::Finished);
            std::vector<std::string> texts;
            for (const auto& m : dialog.mainWindow) {
                if (m.message == WM_APP_DOWNLOAD && m.wParam == 4) {
                    texts.push_back(m.text);
                }
            }
            return texts;
        }();
        return records;
    }
};

TEST_P(LateReplyTest, DownloadEqualsTheCleanOne) {
    const LateReply c = GetParam();
    ASSERT_EQ(Clean().size(), 20u);
    auto args = Args();
    args.insert(args.end(),
                {"--fault", "late=" + std::to_string(c.request) + "+1", "--late", std::to_string(c.lateMs)});
    // Without pacing, a moment to answer, as any instrument takes: an
    // answer sent at once would mostly meet the purge of the next request.
    if (c.paced) {
        args.insert(args.end(), {"--baud", "19200"});
    } else {
        args.insert(args.end(), {"--turnaround", "30"});
    }
    EXPECT_EQ(Download(args), RunEnd::Finished);
    EXPECT_EQ(Records(), Clean());
    ExpectRecordsThenEnd(20);
    const auto log = test::ReadLines(logPath_);
    ASSERT_GE(log.size(), static_cast<std::size_t>(c.request));
    EXPECT_NE(log[static_cast<std::size_t>(c.request - 1)].find(" late"), std::string::npos)
        << "the late reply did not happen";
}

std::string LateReplyName(const ::testing::TestParamInfo<LateReply>& info) {
    const LateReply& c = info.param;
    const char* where = c.request == 1    ? "Count"
                        : c.request == 2  ? "First"
                        : c.request == 21 ? "LastNext"
                                          : "Next";
    return std::string(where) + std::to_string(c.lateMs) + "ms" + (c.paced ? "Paced" : "Unpaced");
}

std::vector<LateReply> LateReplyCases() {
    std::vector<LateReply> cases;
    for (const bool paced : {false, true}) {
        for (const int request : {1, 2, 8, 21}) {
            for (const int lateMs : {1200, 1800}) {
                cases.push_back({request, lateMs, paced});
            }
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Positions, LateReplyTest, ::testing::ValuesIn(LateReplyCases()), LateReplyName);

}  // namespace
}  // namespace kelp
