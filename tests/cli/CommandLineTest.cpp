#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>

#include "app/SettingsStore.h"
#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "tests/cli/CliProcess.h"
#include "tests/link_support/MessageLoop.h"
#include "tests/ui_graphwin/CastData.h"
#include "tests/ui_graphwin/PictureFiles.h"
#include "tests/ui_main/MainTestSupport.h"
#include "ui/graphs/TrendGraph.h"
#include "ui/graphs/XYGraph.h"
#include "ui/main/MainDlg.h"

namespace kelp {
namespace {

using test::CCliProcess;
using test::RunCli;
using test::Simulator;

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

// Loads a data file as the window does; the number of records, or -1 when
// the file cannot be loaded.
int Load(const std::string& path, CMeasDataSet& data) {
    data.Clear();
    test::CMessageLoop loop;
    test::CFakeProgressDialog dialog(loop);
    return LoadDataFile(path, data, dialog) == FILEJOB_OK ? data.GetCount() : -1;
}

bool Save(const std::string& path, CMeasDataSet& data) {
    test::CMessageLoop loop;
    test::CFakeProgressDialog dialog(loop);
    return SaveDataFile(path, data, dialog) == FILEJOB_OK;
}

int RecordsIn(const std::string& path) {
    CMeasDataSet data;
    return Load(path, data);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const auto end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (auto comma = line.find(','); comma != std::string::npos; comma = line.find(',', at)) {
        fields.push_back(line.substr(at, comma - at));
        at = comma + 1;
    }
    fields.push_back(line.substr(at));
    return fields;
}

class CommandLine : public ::testing::Test {
  protected:
    std::string Home() const { return home_.path().toStdString(); }
    std::string File(const std::string& name) const {
        return home_.filePath(QString::fromStdString(name)).toStdString();
    }
    // A settings file whose COM3 (the default port) is `device`.
    std::string Settings(const std::string& device) {
        folders_.push_back(std::make_unique<test::SettingsFolder>(device));
        return folders_.back()->File();
    }

    QTemporaryDir home_;
    std::vector<std::unique_ptr<test::SettingsFolder>> folders_;
};

TEST_F(CommandLine, DownloadSavesTheBytesTheWindowSaves) {
    Simulator sim({"--records", "25"});
    ASSERT_TRUE(sim.Started());
    const std::string settings = Settings(sim.Path());
    // Japanese, as this test program's window is: the column titles agree.
    const auto cli =
        RunCli({"download", "--settings", settings, "-o", File("cli.csv")}, Home(), "ja_JP.UTF-8");
    ASSERT_EQ(cli.status, 0) << cli.err;
    EXPECT_NE(cli.err.find("ダウンロード中... 0/25 件\n"), std::string::npos) << cli.err;
    EXPECT_NE(cli.err.find("ダウンロード中... 25/25 件\n"), std::string::npos) << cli.err;
    EXPECT_NE(cli.err.find("25 件を " + File("cli.csv") + " に保存しました"), std::string::npos) << cli.err;

    test::App();
    CSettingsStore store(settings);
    CMainDlg window(store, "/nowhere/kelp-collector");
    window.show();
    test::Responder answers;
    window.SetDataSelection([](QWidget*, CMeasDataSet& source, CMeasDataSet& target) {
        target.Clear();
        target.CopyFrom(source);
        return true;
    });
    window.findChild<QPushButton*>(QString::number(IDC_DOWNLOAD))->click();
    ASSERT_EQ(window.LiveData().GetCount(), 25);
    answers.SavePath(File("window.csv"));
    window.findChild<QAction*>(QString::number(ID_FILE_SAVE))->trigger();

    const std::string bytes = ReadBytes(File("cli.csv"));
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes, ReadBytes(File("window.csv")));
}

TEST_F(CommandLine, InterruptedDownloadSavesWhatHadArrived) {
    Simulator sim({"--records", "300", "--baud", "19200"});
    ASSERT_TRUE(sim.Started());
    CCliProcess cli({"download", "--settings", Settings(sim.Path()), "-o", File("part.csv")}, Home());
    // The second progress line comes at a tenth of the records.
    ASSERT_TRUE(cli.WaitForError([](const std::string& e) {
        return e.find("30/300 records") != std::string::npos;
    })) << cli.err;
    cli.Signal(SIGINT);
    EXPECT_EQ(cli.Wait(), 130) << cli.err;
    const int saved = RecordsIn(File("part.csv"));
    EXPECT_GE(saved, 30);
    EXPECT_LT(saved, 300);
    EXPECT_NE(cli.err.find("Interrupted."), std::string::npos) << cli.err;
    EXPECT_NE(cli.err.find(std::to_string(saved) + " records saved in"), std::string::npos) << cli.err;
}

TEST_F(CommandLine, CaptureRollsOverIntoCompleteFilesAndNeverOverwrites) {
    Simulator sim;
    ASSERT_TRUE(sim.Started());
    const std::string settings = Settings(sim.Path());
    const auto run = RunCli(
        {"capture", "--settings", settings, "--interval", "0", "--count", "10005", "-o", File("station.csv")},
        Home());
    ASSERT_EQ(run.status, 0) << run.err;
    CMeasDataSet first;
    CMeasDataSet second;
    ASSERT_EQ(Load(File("station.csv"), first), 10000);
    ASSERT_EQ(Load(File("station-2.csv"), second), 5);
    EXPECT_LE(first.GetTime(9999), second.GetTime(0));
    EXPECT_FALSE(Exists(File("station.journal.csv")));
    EXPECT_FALSE(Exists(File("station-2.journal.csv")));
    EXPECT_FALSE(Exists(File("station-3.csv")));

    // A second capture under the same name leaves the first one's files alone.
    const std::string before = ReadBytes(File("station-2.csv"));
    const auto again =
        RunCli({"capture", "--settings", settings, "--count", "3", "-o", File("station.csv")}, Home());
    EXPECT_EQ(again.status, 8);
    EXPECT_NE(again.err.find(File("station.csv") + " exists"), std::string::npos) << again.err;
    EXPECT_EQ(ReadBytes(File("station-2.csv")), before);
    EXPECT_EQ(RecordsIn(File("station.csv")), 10000);
}

TEST_F(CommandLine, CaptureForADurationEndsByItself) {
    Simulator sim;
    ASSERT_TRUE(sim.Started());
    const auto run = RunCli({"capture", "--settings", Settings(sim.Path()), "--interval", "1", "--for", "2s",
                             "-o", File("short.csv")},
                            Home(), "C.UTF-8");
    ASSERT_EQ(run.status, 0) << run.err;
    // Requests at 0, 1 and 2 s; the one at 2 s may come after the end.
    const int records = RecordsIn(File("short.csv"));
    EXPECT_GE(records, 2);
    EXPECT_LE(records, 3);
    EXPECT_FALSE(Exists(File("short.journal.csv")));
}

TEST_F(CommandLine, KilledCaptureKeepsItsRecordsAndAnInterruptEndsItNormally) {
    Simulator sim;
    ASSERT_TRUE(sim.Started());
    const std::string settings = Settings(sim.Path());
    {
        CCliProcess cli({"capture", "--settings", settings, "--interval", "0", "-o", File("killed.csv")},
                        Home());
        ASSERT_TRUE(cli.WaitForError([](const std::string& e) {
            return e.find("2000 records") != std::string::npos;
        })) << cli.err;
        cli.Signal(SIGKILL);
        EXPECT_EQ(cli.Wait(), -1);
    }
    EXPECT_FALSE(Exists(File("killed.csv")));
    EXPECT_GE(RecordsIn(File("killed.journal.csv")), 2000);
    const auto refused = RunCli({"capture", "--settings", settings, "-o", File("killed.csv")}, Home());
    EXPECT_EQ(refused.status, 8);
    EXPECT_NE(refused.err.find(File("killed.journal.csv") + " is the journal"), std::string::npos)
        << refused.err;

    // Without --count or --for, Ctrl+C is how a capture ends.
    CCliProcess cli({"capture", "--settings", settings, "--interval", "0", "-o", File("ended.csv")}, Home());
    ASSERT_TRUE(cli.WaitForError([](const std::string& e) {
        return e.find("1000 records") != std::string::npos;
    })) << cli.err;
    cli.Signal(SIGINT);
    EXPECT_EQ(cli.Wait(), 0) << cli.err;
    EXPECT_GE(RecordsIn(File("ended.csv")), 1000);
    EXPECT_FALSE(Exists(File("ended.journal.csv")));
}

// Every way a run can fail has its own status, and none leaves a file
// under the output name.
TEST_F(CommandLine, EachFailureHasItsExitStatusAndLeavesNoFile) {
    struct Case {
        std::vector<std::string> simulator;  // empty: no simulator
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const std::string missing = "/nonexistent/tty";
    const std::string golden = KELP_TEST_DATA_DIR "/csv/golden.csv";
    CMeasDataSet noDepth;
    testing::Append(noDepth, {{10, 20.5, 1}});
    ASSERT_TRUE(Save(File("no-depth.csv"), noDepth));
    const std::vector<Case> cases = {
        {{}, {"download", "--port", missing}, 3, "Device: " + missing},
        {{}, {"capture", "--port", missing}, 3, "Device: " + missing},
        {{"--fault", "noreply=1"}, {"download"}, 4, "does not reply"},
        {{"--records", "300", "--hangup", "5"}, {"download"}, 5, "records had arrived; none was saved"},
        {{"--records", "0"}, {"download"}, 6, "Nothing was saved."},
        {{}, {"info", KELP_TEST_DATA_DIR "/csv/golden.csv", File("nothing.csv")}, 7, "nothing.csv: "},
        {{}, {"download", "--settings", File("nothing.ini")}, 2, "nothing.ini does not exist"},
        {{}, {"download", "--port", "COM20"}, 2, "Invalid value for --port: COM20"},
        {{}, {"capture", "--count", "5", "--for", "1m"}, 2, "not both"},
        {{}, {"capture", "--for", "1h30"}, 2, "Invalid value for --for"},
        {{},
         {"download", "-o", "/nonexistent/folder/out.csv"},
         8,
         "Cannot write /nonexistent/folder/out.csv"},
        {{}, {"plotter"}, 2, "Unknown command: plotter"},
        {{}, {"casts", "--gap", "0", golden}, 2, "Invalid value for --gap: 0"},
        {{}, {"casts", "--csv", golden, golden}, 2, "--csv describes one data file at a time."},
        {{}, {"casts", golden, File("nothing.csv")}, 7, "nothing.csv: "},
        {{}, {"split", golden, "-o", Home(), "--by", "depth"}, 2, "Invalid value for --by: depth"},
        {{}, {"split", File("nothing.csv"), "-o", Home()}, 7, "nothing.csv: "},
        {{}, {"split", golden, "-o", "/nonexistent/folder"}, 8, "Cannot write into /nonexistent/folder."},
        {{},
         {"plot", "--trend", "chlorophyll", golden, "-o", File("out.png")},
         2,
         "chlorophyll fits no component of " + golden + ". Its components: Water Temp. (1), pH (2),"},
        {{}, {"plot", "--trend", "pH", golden, "-o", File("out.jpg")}, 2, "give .png, .svg or .pdf"},
        {{},
         {"plot", "--depth", "temp", File("no-depth.csv"), "-o", File("out.png")},
         7,
         "There is no depth component"},
        {{},
         {"plot", "--xy", "depth", golden, "-o", "/nonexistent/folder/out.png"},
         8,
         "Cannot write /nonexistent/folder/out.png"},
        {{}, {"export", golden, "--downcast", "-o", File("out.csv")}, 2, "--downcast goes with --bin."},
        {{}, {"export", golden, "--bin", "0", "-o", File("out.csv")}, 2, "Invalid value for --bin: 0"},
        {{}, {"export", File("nothing.csv"), "--bin", "1", "-o", File("out.csv")}, 7, "nothing.csv: "},
        {{}, {"plot", "--trend", "temp", "--casts", golden, "-o", File("out.png")}, 2, "--casts goes with"},
        {{},
         {"plot", "--depth", "temp", "--casts", golden, golden, "-o", File("out.png")},
         2,
         "--casts draws the casts of one data file."},
        {{},
         {"plot", "--depth", "temp", "--gap", "5m", golden, "-o", File("out.png")},
         2,
         "--gap goes with --casts."},
        {{},
         {"plot", "--xy", "depth:temp", "--casts", File("no-depth.csv"), "-o", File("out.png")},
         7,
         "no-depth.csv holds no cast"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<Simulator> sim;
        std::vector<std::string> args = c.args;
        if (!c.simulator.empty()) {
            sim = std::make_unique<Simulator>(c.simulator);
            ASSERT_TRUE(sim->Started());
            args.insert(args.end(), {"--settings", Settings(sim->Path())});
        }
        if (args[0] == "download" || args[0] == "capture") {
            if (std::find(args.begin(), args.end(), "-o") == args.end()) {
                args.insert(args.end(), {"-o", File("out.csv")});
            }
        }
        const auto run = RunCli(args, Home());
        EXPECT_EQ(run.status, c.status) << args[0] << " " << args[1] << "\n" << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(Exists(File("out.csv")));
        EXPECT_FALSE(Exists(File("out.journal.csv")));
        EXPECT_FALSE(Exists(File("out.png")));
    }
}

// A field day of the simulator, downloaded: casts finds the casts the
// simulator made, and split writes each as a data file of its own.
TEST_F(CommandLine, CastsAndSplitFollowTheSimulatorsFieldDay) {
    constexpr int kRecords = 1500;
    Simulator sim(
        {"--day", "--records", std::to_string(kRecords), "--seed", "11", "--truth", File("truth.csv")});
    ASSERT_TRUE(sim.Started());
    const std::string settings = Settings(sim.Path());
    ASSERT_EQ(RunCli({"download", "--settings", settings, "-o", File("day.csv")}, Home()).status, 0);
    std::vector<std::string> truth = Lines(ReadBytes(File("truth.csv")));
    ASSERT_EQ(truth.front(), "cast,station,kind,first,top,deepest,last");
    truth.erase(truth.begin());

    const auto csv = RunCli({"casts", "--csv", "--settings", settings, File("day.csv")}, Home());
    ASSERT_EQ(csv.status, 0) << csv.err;
    std::vector<std::string> rows = Lines(csv.out);
    ASSERT_EQ(rows.front(),
              "cast,station,site,first,last,deepest,max_depth_m,start,end,records,down_first,down_last");
    rows.erase(rows.begin());
    ASSERT_EQ(rows.size(), truth.size()) << csv.out;
    int series = 0;
    std::vector<int> profileStations;
    for (std::size_t c = 0; c < rows.size(); ++c) {
        const std::vector<std::string> found = Fields(rows[c]);
        const std::vector<std::string> made = Fields(truth[c]);
        ASSERT_EQ(found.size(), 12u) << rows[c];
        EXPECT_EQ(found[1], made[1]) << rows[c];  // station
        const auto near = [](const std::string& a, const std::string& b) {
            return std::abs(std::stoi(a) - std::stoi(b)) <= 1;
        };
        EXPECT_TRUE(near(found[3], made[3]) && near(found[4], made[6])) << rows[c] << " / " << truth[c];
        if (made[2] == "series") {
            ++series;
            EXPECT_EQ(found[10] + found[11], "") << rows[c];
        } else {
            EXPECT_TRUE(near(found[10], made[4]) && near(found[5], made[5]) && found[11] == found[5])
                << rows[c];
            if (profileStations.empty() || profileStations.back() != std::stoi(made[1])) {
                profileStations.push_back(std::stoi(made[1]));
            }
        }
    }
    const auto table = RunCli({"casts", "--settings", settings, File("day.csv")}, Home());
    EXPECT_NE(table.out.find(Fields(truth.back())[1] + " stations, " + std::to_string(truth.size() - series) +
                             " casts, " + std::to_string(series) + " series\n"),
              std::string::npos)
        << table.out;

    // One complete file per cast (a series counts as one), named as the
    // save dialog names them.
    std::filesystem::create_directory(File("out"));
    const auto split = RunCli({"split", File("day.csv"), "-o", File("out"), "--settings", settings}, Home());
    ASSERT_EQ(split.status, 0) << split.err;
    const std::vector<std::string> files = Lines(split.out);
    ASSERT_EQ(files.size(), truth.size());
    EXPECT_EQ(files.front(), File("out") + "/KELP BAY ST.01_20260615-0730.csv");
    int records = 0;
    for (const std::string& file : files) {
        records += std::max(0, RecordsIn(file));
    }
    EXPECT_EQ(records, kRecords);
    EXPECT_NE(split.err.find(std::to_string(files.size()) + " files (1500 records) written to "),
              std::string::npos)
        << split.err;

    // Again: every name is taken, so each file takes the next number and
    // the first files stay as they are.
    const std::string first = ReadBytes(files.front());
    const auto again = RunCli({"split", File("day.csv"), "-o", File("out"), "--settings", settings}, Home());
    ASSERT_EQ(again.status, 0) << again.err;
    for (const std::string& file : Lines(again.out)) {
        EXPECT_TRUE(file.ends_with("-2.csv")) << file;
    }
    EXPECT_EQ(ReadBytes(files.front()), first);

    // Down-casts by station: the series have none.
    const std::string down = File("down");
    std::filesystem::create_directory(down);
    const auto byStation = RunCli(
        {"split", File("day.csv"), "-o", down, "--by", "station", "--downcast", "--settings", settings},
        Home());
    ASSERT_EQ(byStation.status, 0) << byStation.err;
    EXPECT_EQ(Lines(byStation.out).size(), profileStations.size());
    EXPECT_NE(byStation.err.find(std::to_string(series) + " series without a down-cast were left out."),
              std::string::npos)
        << byStation.err;

    // The down-casts in 1 m bins: each cast's bins hold all its down-cast
    // records, deepest last.
    const auto bins = RunCli({"export", File("day.csv"), "--bin", "1", "--downcast", "-o", File("bins.csv"),
                              "--settings", settings},
                             Home());
    ASSERT_EQ(bins.status, 0) << bins.err;
    std::vector<std::string> binRows = Lines(ReadBytes(File("bins.csv")));
    ASSERT_TRUE(
        binRows.front().starts_with("\xEF\xBB\xBF"
                                    "Cast,Site,Bin centre [m],Water Temp. ["))
        << binRows.front();
    EXPECT_TRUE(binRows.front().ends_with(",Depth [m],Records\r")) << binRows.front();
    std::map<int, int> binned;
    std::map<int, double> deepestCentre;
    for (std::size_t i = 1; i < binRows.size() && !binRows[i].empty(); ++i) {
        const std::vector<std::string> f = Fields(binRows[i]);
        EXPECT_EQ(f[1], "KELP BAY ST." + f[1].substr(12)) << binRows[i];
        const double centre = std::stod(f[2]);
        EXPECT_EQ(centre - std::floor(centre), 0.5) << binRows[i];
        EXPECT_GT(centre, deepestCentre[std::stoi(f[0])]) << binRows[i];
        deepestCentre[std::stoi(f[0])] = centre;
        binned[std::stoi(f[0])] += std::stoi(f.back());
    }
    for (const std::string& row : rows) {
        const std::vector<std::string> f = Fields(row);
        if (!f[10].empty()) {
            EXPECT_EQ(binned[std::stoi(f[0])], std::stoi(f[11]) - std::stoi(f[10]) + 1) << row;
        }
    }
    EXPECT_EQ(binned.size(), static_cast<std::size_t>(rows.size() - series));
    EXPECT_NE(bins.err.find(std::to_string(binned.size()) + " casts in bins of 1 m) written to"),
              std::string::npos)
        << bins.err;
    // Never over its input, by whatever name.
    const std::string day = ReadBytes(File("day.csv"));
    std::filesystem::create_symlink(File("day.csv"), File("link.csv"));
    const auto over = RunCli({"export", File("day.csv"), "--bin", "1", "-o", File("link.csv")}, Home());
    EXPECT_EQ(over.status, 2);
    EXPECT_NE(over.err.find("link.csv is the input file"), std::string::npos) << over.err;
    EXPECT_EQ(ReadBytes(File("day.csv")), day);

    // The casts drawn as series of their own: a column each in the depth
    // graph, a line each in the X-Y graph.
    for (const std::vector<std::string>& kind :
         {std::vector<std::string>{"--depth", "temp"}, std::vector<std::string>{"--xy", "depth:temp"}}) {
        std::vector<std::string> args = {"plot",       kind[0],         kind[1], "--casts",
                                         "--downcast", File("day.csv"), "-o",    File("casts.png"),
                                         "--settings", settings};
        const auto plot = RunCli(args, Home());
        EXPECT_EQ(plot.status, 0) << plot.err;
        EXPECT_FALSE(QImage(QString::fromStdString(File("casts.png"))).isNull());
    }
}

TEST_F(CommandLine, InfoAndExportDescribeTheFile) {
    const std::string golden = KELP_TEST_DATA_DIR "/csv/golden.csv";
    const auto info = RunCli({"info", golden}, Home());
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(
        info.out,
        golden +
            "\n"
            "  Records: 3\n"
            "  First: 2026/03/14 12:00:00\n"
            "  Last: 2026/03/15 09:31:05\n"
            "  Span: 21:31:05\n"
            "  Sites: \xE6\xB0\xB4\xE8\xA9\xA6 \uFF71\uFF72 Bay-1 (1), - (1), Site 3 (1)\n"
            "  Positions: 2 records; latitude 5 12 34 S to 35 12 34 N, longitude 5 07 09 W to 139 45 07 E\n"
            "  Components (valid values, minimum, maximum):\n"
            "    Water Temp. [\u2103]         3 values  20.0 .. 25.4\n"
            "    pH [pH]                 2 values  7.05 .. 8.00\n"
            "    pHmV [mV]               3 values  100.0 .. 123.5\n"
            "    ORP [mV]                3 values  500 .. 790\n"
            "    Conductivity [S/m]      3 values  1.000 .. 1.235\n"
            "    Turbidity [NTU]         2 values  10.00 .. 12.30\n"
            "    DO [mg/L]               3 values  8.24 .. 9.00\n"
            "    TDS [g/L]               3 values  500.0 .. 613.0\n"
            "    Salinity [ppt]          3 values  0.500 .. 0.620\n"
            "    Specific Gravity [\u03C3t]   3 values  -0.40 .. -0.20\n"
            "    Depth [m]               2 values  12.50 .. 12.60\n");

    const auto exported = RunCli({"export", "--format", "utf8", golden, "-o", File("tidy.csv")}, Home());
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(
        ReadBytes(File("tidy.csv")),
        "\xEF\xBB\xBFTime,Site,Latitude,Longitude,Water Temp. [\u2103],pH [pH],pHmV [mV],ORP [mV],"
        "Conductivity [S/m],Turbidity [NTU],DO [mg/L],TDS [g/L],Salinity [ppt],Specific Gravity [\u03C3t],"
        "Depth [m]\r\n"
        "2026-03-15T09:30:05,\xE6\xB0\xB4\xE8\xA9\xA6 \uFF71\uFF72 "
        "Bay-1,35.209444,139.751944,25.3,7.05,123.4,781,"
        "1.234,12.30,8.25,612.0,0.610,-0.40,12.50\r\n"
        "2026-03-15T09:31:05,,,,25.4,,123.5,790,1.235,,8.24,613.0,0.620,-0.30,12.60\r\n"
        "2026-03-14T12:00:00,Site "
        "3,-5.209444,-5.119167,20.0,8.00,100.0,500,1.000,10.00,9.00,500.0,0.500,-0.20,"
        "\r\n");

    // A file that is not a data file: nothing under the output name.
    const auto refused = RunCli({"export", File("tidy.csv"), "-o", File("again.csv")}, Home());
    EXPECT_EQ(refused.status, 7);
    EXPECT_NE(refused.err.find("is a data file saved by this program"), std::string::npos) << refused.err;
    EXPECT_FALSE(Exists(File("again.csv")));
    EXPECT_EQ(RunCli({"export", "--format", "latin1", golden, "-o", File("again.csv")}, Home()).status, 2);
}

// One picture of each graph, read back as its reader would; the names of
// the components are typed as people type them.
TEST_F(CommandLine, PlotWritesEachGraphAsAPicture) {
    CMeasDataSet cast;
    testing::FillCast(cast, 25.0, 200);
    CMeasDataSet warmer;
    testing::FillCast(warmer, 25.0, 150, 3.0);
    ASSERT_TRUE(Save(File("cast.csv"), cast));
    ASSERT_TRUE(Save(File("warm.csv"), warmer));

    // The trend of the temperature: its curve crosses the plot.
    const auto trend = RunCli({"plot", "--trend", "temp", File("cast.csv"), "-o", File("trend.png")}, Home());
    ASSERT_EQ(trend.status, 0) << trend.err;
    EXPECT_NE(trend.err.find("Picture written to " + File("trend.png")), std::string::npos) << trend.err;
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(File("trend.png"))));
    // The graph under a title line, as the main window keeps its panes.
    EXPECT_EQ(image.size(), CTrendGraph::kPictureSize + QSize(0, CTrendGraph::kPictureTitleHeight));
    const QRgb curve = QColor(0, 255, 0).rgb();
    int curveColumns = 0;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) == curve) {
                ++curveColumns;
                break;
            }
        }
    }
    EXPECT_GT(curveColumns, image.width() * 2 / 3);

    // Temperature and oxygen against depth, and nothing else.
    const auto xy =
        RunCli({"plot", "--xy", "Depth:WATER TEMP.,do", File("cast.csv"), "-o", File("xy.svg")}, Home());
    ASSERT_EQ(xy.status, 0) << xy.err;
    testing::SvgContents svg = testing::ReadSvg(File("xy.svg"));
    ASSERT_TRUE(svg.parsed);
    EXPECT_EQ(svg.viewBox, QStringLiteral("0 0 800 600"));
    const auto pointsOf = [&](int element) {
        return svg.polylinePoints[CXYGraph::LineColour(cast.FindSlot(element)).name()];
    };
    EXPECT_GE(pointsOf(10), 100);  // water temperature
    EXPECT_GE(pointsOf(4), 100);   // DO
    EXPECT_EQ(pointsOf(1), 0);     // pH
    EXPECT_TRUE(svg.texts.contains(QStringLiteral("X-Y Graph [cast.csv]"))) << svg.texts.toStdString();
    // The second component named has the axis on the right; the legend
    // gives every line its scale.
    EXPECT_TRUE(svg.texts.contains(QStringLiteral("DO [mg/L]"))) << svg.texts.toStdString();
    EXPECT_TRUE(svg.texts.contains(QRegularExpression(QStringLiteral("Water Temp\\. [0-9.]+ to [0-9.]+ "))))
        << svg.texts.toStdString();

    // Two casts side by side, named in Japanese: one page of the size asked
    // for, its Japanese texts in an embedded font.
    const auto depth = RunCli({"plot", "--depth", "塩分", File("cast.csv"), File("warm.csv"), "--size",
                               "1000x700", "-o", File("depth.pdf")},
                              Home(), "ja_JP.UTF-8");
    ASSERT_EQ(depth.status, 0) << depth.err;
    EXPECT_NE(depth.err.find(File("depth.pdf") + " に画像を書き込みました"), std::string::npos) << depth.err;
    const std::string pdf = ReadBytes(File("depth.pdf"));
    EXPECT_EQ(testing::PdfPages(pdf), 1);
    const QSizeF page = testing::PdfPageSize(pdf);
    EXPECT_NEAR(page.width(), 750.0, 0.5);
    EXPECT_NEAR(page.height(), 525.0, 0.5);
    EXPECT_NE(pdf.find("/FontFile2"), std::string::npos);
}

// What a script or a person at an ssh prompt gets for a start the program
// does not understand: status 2 and one line of usage after the reason,
// never Qt's abort; and the window asked for without a display says so.
TEST_F(CommandLine, StartsItDoesNotUnderstandGetOneLineOfUsage) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"-V"}, "Unknown option: -V"},
        {{"--bogus"}, "Unknown option: --bogus"},
        {{"plotter"}, "Unknown command: plotter"},
        {{File("cast.csv"), "--print"}, "Unexpected argument: --print"},
    };
    for (const auto& [args, reason] : cases) {
        const auto run = RunCli(args, Home());
        EXPECT_EQ(run.status, 2) << args[0];
        const std::string first = "kelp-collector: " + reason + "\nUsage: kelp-collector [FILE.csv] or ";
        EXPECT_EQ(run.err.rfind(first, 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n', first.size()), run.err.size() - 1) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
    }

    for (const std::vector<std::string>& window : {std::vector<std::string>{}, {File("cast.csv")}}) {
        const auto run = RunCli(window, Home());
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("The window needs a display"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("kelp-collector --help"), std::string::npos) << run.err;
    }

    const auto version = RunCli({"--version"}, Home());
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(std::regex_match(version.out,
                                 std::regex(R"(kelp-collector \d+\.\d+\.\d+\.\d+ \(\d{4}-\d\d-\d\d\)\n)")))
        << version.out;
}

TEST_F(CommandLine, EveryCommandHasHelpInTheProgramsLanguage) {
    const auto overall = RunCli({"--help"}, Home());
    EXPECT_EQ(overall.status, 0);
    for (const std::string name : {"download", "capture", "info", "casts", "split", "export", "plot"}) {
        EXPECT_NE(overall.out.find("\n  " + name + " "), std::string::npos) << overall.out;
        const auto help = RunCli({name, "--help"}, Home());
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.out.rfind("Usage: kelp-collector " + name, 0), 0u) << help.out;
    }
    const auto japanese = RunCli({"capture", "--help"}, Home(), "ja_JP.UTF-8");
    EXPECT_EQ(japanese.out.rfind("使い方: kelp-collector capture", 0), 0u) << japanese.out;
    const auto error = RunCli({"info", "--colour"}, Home(), "ja_JP.UTF-8");
    EXPECT_EQ(error.status, 2);
    EXPECT_NE(error.err.find("不明なオプションです: --colour"), std::string::npos) << error.err;
}

}  // namespace
}  // namespace kelp
