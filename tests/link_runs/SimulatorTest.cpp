#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <string>
#include <thread>

#include "link/CaptureRun.h"
#include "link/DownloadRun.h"
#include "link/InstrumentPort.h"
#include "tests/link_runs/RunTestSupport.h"
#include "tests/link_support/MessageLoop.h"
#include "tests/link_support/SimProcess.h"

namespace kelp {
namespace {

using test::CSimProcess;

// Output and exit status of kelp-sim run to its end with `args`.
std::pair<std::string, int> RunToEnd(const std::string& args) {
    std::string output;
    FILE* pipe = ::popen((test::SimulatorPath() + " " + args + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return {"", -1};
    }
    char chunk[4096];
    while (std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) {
        output.append(chunk, n);
    }
    const int status = ::pclose(pipe);
    return {output, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

TEST(Simulator, HelpDocumentsEveryOption) {
    const auto [help, status] = RunToEnd("--help");
    EXPECT_EQ(status, 0);
    for (const char* option : {"--link",    "--records",    "--claim", "--casts", "--shuffle", "--seed",
                               "--baud",    "--turnaround", "--late",  "--fault", "--hangup",  "--identical",
                               "--log",     "--help",       "noreply", "lost",    "late",      "badsum",
                               "lowercase", "truncate",     "double",  "garbage", "badcodes"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(RunToEnd("--records").second, 2);
    EXPECT_EQ(RunToEnd("--fault sometimes=3").second, 2);
    EXPECT_EQ(RunToEnd("--bogus").second, 2);
}

TEST(Simulator, LinkAndCleanExitOnSignals) {
    const std::string link = test::TempLogPath() + ".tty";
    for (int signal : {SIGTERM, SIGINT}) {
        CSimProcess sim({"--link", link});
        ASSERT_TRUE(sim.Ok());
        char target[256] = {};
        ASSERT_GT(::readlink(link.c_str(), target, sizeof target - 1), 0);
        EXPECT_EQ(sim.Path(), target);
        CInstrumentPort port;
        EXPECT_TRUE(port.Open(PortSettings{}, test::DeviceOf(link)));
        port.Close();

        const int status = signal == SIGTERM ? sim.Stop() : sim.Interrupt();
        ASSERT_TRUE(WIFEXITED(status)) << signal;
        EXPECT_EQ(WEXITSTATUS(status), 0);
        struct stat st {};
        EXPECT_NE(::lstat(link.c_str(), &st), 0) << "the link outlived the simulator";
    }
    test::RemoveLog(link);
}

// A signal also ends the simulator while it holds back a reply.
TEST(Simulator, SignalEndsALongTurnaround) {
    const std::string log = test::TempLogPath();
    CSimProcess sim({"--turnaround", "30000", "--log", log});
    ASSERT_TRUE(sim.Ok());
    CInstrumentPort port;
    ASSERT_TRUE(port.Open(PortSettings{}, test::DeviceOf(sim.Path())));
    ASSERT_TRUE(port.SendCommand(kSelectRecordCount));
    const auto deadline = test::Clock::now() + std::chrono::seconds(5);
    while (test::ReadLines(log).empty() && test::Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(test::ReadLines(log).size(), 1u) << "the request did not arrive";
    const int status = sim.Stop(1000);
    ASSERT_NE(status, -1) << "still waiting out the turnaround";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    test::RemoveLog(log);
}

// Each fault, aimed at one request, damages that reply as its name says and
// leaves the others alone.
TEST(Simulator, FaultsStrikeTheRequestsTheyAreAimedAt) {
    CSimProcess sim({"--fault", "noreply=2+1", "--fault", "late=3+1", "--fault", "badsum=4+1", "--fault",
                     "lowercase=5+1", "--fault", "truncate=6+1", "--fault", "double=7+1", "--fault",
                     "garbage=8+1", "--fault", "badcodes=9+1"});
    ASSERT_TRUE(sim.Ok());
    CInstrumentPort port;
    ASSERT_TRUE(port.Open(PortSettings{}, test::DeviceOf(sim.Path())));
    char buffer[kRunBufferSize];
    int length = 0;
    auto transact = [&] {
        length = sizeof buffer;
        return port.Transact(kSelectReadData, buffer, length);
    };
    auto isHex = [](char c, bool upper) {
        return std::isdigit(static_cast<unsigned char>(c)) ||
               (upper ? (c >= 'A' && c <= 'F') : (c >= 'a' && c <= 'f'));
    };

    EXPECT_EQ(transact(), LinkResult::Ok);
    EXPECT_EQ(transact(), LinkResult::Timeout) << "noreply";

    // late: nothing within the reply wait, then the whole good reply.
    EXPECT_EQ(transact(), LinkResult::Timeout) << "late";
    length = sizeof buffer;
    ASSERT_EQ(port.ReadReply(buffer, length), LinkResult::Ok) << "late";
    EXPECT_EQ(length, kLiveReplyLength);
    EXPECT_TRUE(port.CheckReply(buffer, length)) << "late";

    ASSERT_EQ(transact(), LinkResult::BadReply) << "badsum";
    ASSERT_EQ(length, kLiveReplyLength);
    EXPECT_EQ(buffer[188], '@');
    EXPECT_TRUE(isHex(buffer[189], true) && isHex(buffer[190], true)) << "badsum";

    ASSERT_EQ(transact(), LinkResult::BadReply) << "lowercase";
    ASSERT_EQ(length, kLiveReplyLength);
    EXPECT_TRUE(isHex(buffer[189], false) && isHex(buffer[190], false)) << "lowercase";
    EXPECT_TRUE(std::islower(static_cast<unsigned char>(buffer[189])) ||
                std::islower(static_cast<unsigned char>(buffer[190])))
        << "lowercase";

    EXPECT_EQ(transact(), LinkResult::Timeout) << "truncate";

    ASSERT_EQ(transact(), LinkResult::BadReply) << "double";
    EXPECT_GT(length, kLiveReplyLength);
    EXPECT_EQ(std::string(buffer + kLiveReplyLength - 2, 5), "\r\n#RD") << "double";

    ASSERT_EQ(transact(), LinkResult::BadReply) << "garbage";
    EXPECT_GT(length, kLiveReplyLength);
    EXPECT_EQ(std::string(buffer + length - kLiveReplyLength, 3), "#RD") << "garbage";

    ASSERT_EQ(transact(), LinkResult::Ok) << "badcodes keep a valid frame";
    EXPECT_GT(std::stoi(std::string(1, buffer[24]), nullptr, 16), 11) << "instrument error code";
    int unitsOver3 = 0;
    int statesOver9 = 0;
    for (int b = 0; b < 13; ++b) {
        const char* block = buffer + 29 + 10 * b;
        unitsOver3 += block[9] > '3' ? 1 : 0;
        statesOver9 += std::isalpha(static_cast<unsigned char>(block[2])) ? 1 : 0;
    }
    EXPECT_GT(unitsOver3, 0);
    EXPECT_GT(statesOver9, 0);

    EXPECT_EQ(transact(), LinkResult::Ok);
}

// A fault given as a rate strikes about that share of the requests, and the
// same seed strikes the same ones.
TEST(Simulator, RateFaultsRepeatWithTheSeed) {
    std::string pattern[2];
    for (std::string& p : pattern) {
        CSimProcess sim({"--seed", "7", "--fault", "badsum=30%"});
        ASSERT_TRUE(sim.Ok());
        CInstrumentPort port;
        ASSERT_TRUE(port.Open(PortSettings{}, test::DeviceOf(sim.Path())));
        for (int i = 0; i < 40; ++i) {
            char buffer[kRunBufferSize];
            int length = sizeof buffer;
            p += port.Transact(kSelectRecordCount, buffer, length) == LinkResult::Ok ? 'o' : 'x';
        }
    }
    EXPECT_EQ(pattern[0], pattern[1]);
    const auto struck = std::count(pattern[0].begin(), pattern[0].end(), 'x');
    EXPECT_GE(struck, 4) << pattern[0];
    EXPECT_LE(struck, 22) << pattern[0];
}

// One component of a record text, by element number.
double ValueOf(const std::string& record, std::size_t blocks, int element) {
    for (int b = 0; b < 13; ++b) {
        const std::string block = record.substr(blocks + 10 * b, 10);
        if (std::atoi(block.substr(0, 2).c_str()) == element) {
            return std::atof(block.substr(4, 5).c_str());
        }
    }
    return -1000;
}

TEST(Simulator, LoggedRecordsFormADepthCast) {
    CSimProcess sim({"--records", "200", "--casts", "1", "--shuffle"});
    ASSERT_TRUE(sim.Ok());
    test::CMessageLoop loop;
    test::CLoopTarget mainWindow(loop, test::CMessageLoop::To::MainWindow);
    test::CFakeProgressDialog dialog(loop);
    ASSERT_EQ(RunDownload(mainWindow, dialog, PortSettings{}, test::DeviceOf(sim.Path())), RunEnd::Finished);

    struct Sample {
        double depth, temperature, oxygen, conductivity, salinity;
    };
    std::vector<Sample> shallow, deep;
    double maxDepth = 0;
    int noFix = 0;
    for (const auto& m : dialog.mainWindow) {
        if (m.wParam != 4) {
            continue;
        }
        const Sample s{ValueOf(m.text, 23, 11), ValueOf(m.text, 23, 10), ValueOf(m.text, 23, 4),
                       ValueOf(m.text, 23, 6), ValueOf(m.text, 23, 7)};
        for (int element : {10, 1, 24, 2, 6, 3, 4, 8, 7, 9, 11}) {
            EXPECT_GT(ValueOf(m.text, 23, element), -999) << "element " << element << " missing";
        }
        maxDepth = std::max(maxDepth, s.depth);
        if (s.depth < 5) {
            shallow.push_back(s);
        } else if (s.depth > 30) {
            deep.push_back(s);
        }
        noFix += m.text[165] == '-' ? 1 : 0;
    }
    EXPECT_GT(maxDepth, 38);
    EXPECT_LT(maxDepth, 42);
    ASSERT_FALSE(deep.empty());
    ASSERT_FALSE(shallow.empty());
    auto mean = [](const std::vector<Sample>& v, double Sample::*field) {
        double sum = 0;
        for (const auto& s : v)
            sum += s.*field;
        return sum / static_cast<double>(v.size());
    };
    EXPECT_LT(mean(deep, &Sample::temperature), mean(shallow, &Sample::temperature) - 5);
    EXPECT_LT(mean(deep, &Sample::oxygen), mean(shallow, &Sample::oxygen) - 1);
    EXPECT_GT(mean(deep, &Sample::conductivity), mean(shallow, &Sample::conductivity));
    EXPECT_GT(mean(deep, &Sample::salinity), mean(shallow, &Sample::salinity));
    EXPECT_GT(noFix, 0);
    EXPECT_LT(noFix, 60);
}

}  // namespace
}  // namespace kelp
