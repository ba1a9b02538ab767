#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>

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
    for (const char* option :
         {"--link",       "--records", "--claim",  "--casts", "--shuffle", "--seed",  "--baud",
          "--turnaround", "--fault",   "--hangup", "--log",   "--help",    "noreply", "late",
          "badsum",       "lowercase", "truncate", "double",  "garbage",   "badcodes"}) {
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
