#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <QAction>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <tuple>

#include "app/SettingsStore.h"
#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "tests/cli/CliProcess.h"
#include "tests/csv/CsvTestUtil.h"
#include "tests/link_support/MessageLoop.h"
#include "tests/link_support/SimProcess.h"
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

// The golden data file with `from` replaced by `to` in line `line` (1-based).
std::string GoldenWith(int line, const std::string& from, const std::string& to) {
    std::string bytes = ReadBytes(KELP_TEST_DATA_DIR "/csv/golden.csv");
    std::size_t start = 0;
    for (int n = 1; n < line; ++n) {
        start = bytes.find('\n', start) + 1;
    }
    bytes.replace(bytes.find(from, start), from.size(), to);
    return bytes;
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

    // Identical records are each kept; a memory short of the count it
    // announced is saved, and the difference told with a status of its own.
    Simulator shortSim({"--records", "5", "--claim", "8", "--identical", "2+1"});
    ASSERT_TRUE(shortSim.Started());
    const auto shortRun =
        RunCli({"download", "--settings", Settings(shortSim.Path()), "-o", File("short.csv")}, Home());
    EXPECT_EQ(shortRun.status, 9) << shortRun.err;
    EXPECT_NE(shortRun.err.find("The instrument announced 8 records, but 5 arrived."), std::string::npos)
        << shortRun.err;
    CMeasDataSet got;
    ASSERT_EQ(Load(File("short.csv"), got), 5);
    EXPECT_EQ(got.GetTime(2), got.GetTime(3));
    EXPECT_LT(got.GetTime(1), got.GetTime(2));
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

    // Over a file that exists, part of the memory never takes its place:
    // the earlier file may hold a day the probe has since forgotten.
    const std::string before = ReadBytes(File("part.csv"));
    CCliProcess again({"download", "--settings", Settings(sim.Path()), "-o", File("part.csv")}, Home());
    ASSERT_TRUE(again.WaitForError([](const std::string& e) {
        return e.find("30/300 records") != std::string::npos;
    })) << again.err;
    again.Signal(SIGTERM);
    EXPECT_EQ(again.Wait(), 130) << again.err;
    EXPECT_EQ(ReadBytes(File("part.csv")), before);
    const int beside = RecordsIn(File("part.partial.csv"));
    EXPECT_GE(beside, 30);
    EXPECT_NE(again.err.find(std::to_string(beside) + " records saved in " + File("part.partial.csv") + "; " +
                             File("part.csv") + " is unchanged."),
              std::string::npos)
        << again.err;
}

// A capture's names are its own for the whole run: a second capture is
// refused at once, and a file that appears at a name it was going to use
// is never replaced.
TEST_F(CommandLine, CaptureNamesAreReservedForTheWholeRun) {
    Simulator sim;
    ASSERT_TRUE(sim.Started());
    const std::string settings = Settings(sim.Path());
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::string name = File("both" + std::to_string(attempt) + ".csv");
        const std::vector<std::string> args{"capture", "--settings", settings, "--interval", "0",
                                            "--count", "300",        "-o",     name};
        CCliProcess first(args, Home());
        CCliProcess second(args, Home());
        const int a = first.Wait();
        const int b = second.Wait();
        EXPECT_EQ(std::min(a, b), 0) << first.err << second.err;
        EXPECT_EQ(std::max(a, b), 8) << first.err << second.err;
        const std::string& refused = a == 8 ? first.err : second.err;
        EXPECT_NE(refused.find("A capture into " + name + " is running"), std::string::npos) << refused;
        EXPECT_EQ(RecordsIn(name), 300);
    }

    CMeasDataSet earlier;
    testing::Append(earlier, {{10, 20.5, 1}});
    ASSERT_TRUE(Save(File("planted.csv"), earlier));
    CCliProcess cli(
        {"capture", "--settings", settings, "--interval", "1", "--count", "3", "-o", File("day.csv")},
        Home());
    ASSERT_TRUE(cli.WaitForError([](const std::string& e) {
        return e.find("1/3 records") != std::string::npos;
    })) << cli.err;
    std::filesystem::copy_file(File("planted.csv"), File("day.csv"));
    EXPECT_EQ(cli.Wait(), 0) << cli.err;
    EXPECT_EQ(ReadBytes(File("day.csv")), ReadBytes(File("planted.csv")));
    EXPECT_EQ(RecordsIn(File("day.capture.csv")), 3);
    EXPECT_NE(
        cli.err.find(File("day.csv") + " appeared during the capture and is left alone; the records go to " +
                     File("day.capture.csv")),
        std::string::npos)
        << cli.err;
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
    const std::string journal = File("killed.journal.csv");
    EXPECT_GE(RecordsIn(journal), 2000);
    const auto refused = RunCli({"capture", "--settings", settings, "-o", File("killed.csv")}, Home());
    EXPECT_EQ(refused.status, 8);
    EXPECT_NE(refused.err.find(journal + " is the journal"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("kelp-collector recover " + journal), std::string::npos) << refused.err;

    // The command it names: every intact record, line 1 counting them, and
    // the damaged line counted; such a journal is kept.
    std::ofstream(journal, std::ios::app | std::ios::binary) << "\"damaged\r\n";
    const auto recovered = RunCli({"recover", journal}, Home());
    ASSERT_EQ(recovered.status, 0) << recovered.err;
    const int kept = RecordsIn(File("killed.csv"));
    EXPECT_GE(kept, 2000);
    EXPECT_EQ(ReadBytes(File("killed.csv"))
                  .rfind("\"KelpPC DataFile\",\"Version\",\"1.00\",\"" + std::to_string(kept) + "\"\r\n", 0),
              0u);
    EXPECT_NE(recovered.err.find(std::to_string(kept) + " records restored from " + journal +
                                 " and saved in " + File("killed.csv") + " (1 line could not be read)"),
              std::string::npos)
        << recovered.err;
    EXPECT_TRUE(Exists(journal));
    const std::string first = ReadBytes(File("killed.csv"));
    const auto notReplaced = RunCli({"recover", journal, "-o", File("killed.csv")}, Home());
    EXPECT_EQ(notReplaced.status, 8);
    EXPECT_EQ(ReadBytes(File("killed.csv")), first);

    // Without --count or --for, Ctrl+C is how a capture ends. While it runs,
    // its journal is its own: neither a second capture nor recover takes it.
    CCliProcess cli({"capture", "--settings", settings, "--interval", "0", "-o", File("ended.csv")}, Home());
    ASSERT_TRUE(cli.WaitForError([](const std::string& e) {
        return e.find("1000 records") != std::string::npos;
    })) << cli.err;
    const auto second = RunCli({"capture", "--settings", settings, "-o", File("ended.csv")}, Home());
    EXPECT_EQ(second.status, 8);
    EXPECT_NE(second.err.find("A capture into " + File("ended.csv") + " is running (its journal " +
                              File("ended.journal.csv") + " is in use)"),
              std::string::npos)
        << second.err;
    const auto early = RunCli({"recover", File("ended.journal.csv")}, Home());
    EXPECT_EQ(early.status, 7);
    EXPECT_NE(early.err.find("still running"), std::string::npos) << early.err;
    cli.Signal(SIGINT);
    EXPECT_EQ(cli.Wait(), 0) << cli.err;
    EXPECT_GE(RecordsIn(File("ended.csv")), 1000);
    EXPECT_FALSE(Exists(File("ended.journal.csv")));
}

// The folder of a capture fills up, or goes (a medium pulled): the journal
// keeps what it took, the records are saved where they can be, and every
// message about where they are is true.
TEST_F(CommandLine, AFullDiskOrARemovedFolderLosesNoRecord) {
    Simulator sim;
    ASSERT_TRUE(sim.Started());
    const std::string settings = Settings(sim.Path());
    const std::string state = Home() + "/state/kelp-collector/";

    // The folder removed a few records into the capture.
    std::filesystem::create_directory(File("stick"));
    CCliProcess cli(
        {"capture", "--settings", settings, "--interval", "1", "--count", "4", "-o", File("stick/gone.csv")},
        Home());
    ASSERT_TRUE(cli.WaitForError([](const std::string& e) {
        return e.find("2/4 records") != std::string::npos;
    })) << cli.err;
    std::filesystem::remove_all(File("stick"));
    EXPECT_EQ(cli.Wait(), 8) << cli.err;
    EXPECT_NE(cli.err.find("The journal " + File("stick/gone.journal.csv") + " is gone"), std::string::npos)
        << cli.err;
    EXPECT_NE(cli.err.find("The records go on in the journal " + state + "gone.journal.csv"),
              std::string::npos)
        << cli.err;
    EXPECT_NE(cli.err.find("4 records were saved in " + state + "gone.csv instead."), std::string::npos)
        << cli.err;
    EXPECT_EQ(RecordsIn(state + "gone.csv"), 4);
    EXPECT_FALSE(Exists(state + "gone.journal.csv"));

    // A file system of 1 MiB, mounted for the capture alone.
    std::filesystem::create_directory(File("small"));
    const std::vector<std::string> mount{
        "unshare",    ::geteuid() == 0 ? "-m" : "-rm",
        "--",         "sh",
        "-c",         "mount -t tmpfs -o size=1m tmpfs \"$0\" || exit 97; exec \"$@\"",
        File("small")};
    const auto full = RunCli({"capture", "--settings", settings, "--interval", "0", "--count", "3000", "-o",
                              File("small/full.csv")},
                             Home(), "C.UTF-8", mount);
    if (full.status == 97 || full.err.starts_with("unshare:")) {
        GTEST_SKIP() << "no file system of its own can be mounted here: " << full.err;
    }
    EXPECT_EQ(full.status, 8) << full.err;
    // Told while the capture runs, not only at its end.
    const auto told = full.err.find("Cannot write the journal " + File("small/full.journal.csv"));
    ASSERT_NE(told, std::string::npos) << full.err;
    EXPECT_LT(told, full.err.find("3000/3000 records")) << full.err;
    EXPECT_NE(full.err.find("3000 records were saved in " + state + "full.csv instead."), std::string::npos)
        << full.err;
    EXPECT_EQ(RecordsIn(state + "full.csv"), 3000);
}

// A port that fails during a capture (a hang-up, the device node gone) is
// reopened until it comes back, and the capture goes on into the same file.
TEST_F(CommandLine, CaptureReopensAPortThatFails) {
    const std::string link = File("tty");
    auto first =
        std::make_unique<test::CSimProcess>(std::vector<std::string>{"--link", link, "--hangup", "5"});
    ASSERT_TRUE(first->Ok());
    CCliProcess cli({"capture", "--port", link, "--interval", "0", "--count", "8", "-o", File("long.csv")},
                    Home());
    ASSERT_TRUE(cli.WaitForError([](const std::string& e) {
        return e.find("5 records so far are kept") != std::string::npos;
    })) << cli.err;
    first.reset();
    EXPECT_FALSE(Exists(link)) << "the simulator's link went with it";
    test::CSimProcess second({"--link", link});
    ASSERT_TRUE(second.Ok());
    EXPECT_EQ(cli.Wait(), 0) << cli.err;
    CMeasDataSet data;
    ASSERT_EQ(Load(File("long.csv"), data), 8);
    EXPECT_GE(CDateTime::WholeSeconds(data.GetTime(5) - data.GetTime(4)), 2) << "the gap shows in the times";
    EXPECT_NE(cli.err.find("Reconnected to " + link + " after"), std::string::npos) << cli.err;
    EXPECT_NE(cli.err.find("1 reconnection;"), std::string::npos) << cli.err;

    // Without reconnection the capture ends with the line, its records saved.
    test::CSimProcess third({"--link", File("tty3"), "--hangup", "5"});
    const auto once = RunCli(
        {"capture", "--port", File("tty3"), "--interval", "0", "--reconnect", "0", "-o", File("once.csv")},
        Home());
    EXPECT_EQ(once.status, 5) << once.err;
    EXPECT_EQ(RecordsIn(File("once.csv")), 5);
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
    // Input files broken in every way the causes tell apart.
    ASSERT_EQ(::mkfifo(File("fifo.csv").c_str(), 0600), 0);
    test::WriteBytes(File("empty.csv"), "");
    std::filesystem::copy_file(golden, File("finished.csv"));
    test::WriteBytes(File("tidy.csv"), "time,site,temperature_degC\r\n2024-05-01T10:30:00,BAY,12.5\r\n");
    test::WriteBytes(File("nan.csv"), GoldenWith(3, "\"25.3\"", "\"nan\""));
    test::WriteBytes(File("inf.csv"), GoldenWith(4, "\"7.06\"", "\"inf\""));
    test::WriteBytes(File("big.csv"), GoldenWith(5, "\"20.0\"", "\"1e308\""));
    test::WriteBytes(File("state.csv"), GoldenWith(5, "\"S1", "\"SA"));
    test::WriteBytes(File("short.csv"), GoldenWith(4, ",\"-- -- -- -\",", "\r\n"));
    const std::vector<Case> cases = {
        {{}, {"download", "--port", missing}, 3, "Device: " + missing},
        {{}, {"capture", "--port", missing}, 3, "Device: " + missing},
        {{"--fault", "noreply=1"}, {"download"}, 4, "does not reply"},
        {{"--records", "300", "--hangup", "5"}, {"download"}, 5, "records had arrived; none was saved"},
        {{"--records", "0"}, {"download"}, 6, "Nothing was saved."},
        {{},
         {"info", KELP_TEST_DATA_DIR "/csv/golden.csv", File("nothing.csv")},
         7,
         "nothing.csv does not exist."},
        {{}, {"export", Home(), "-o", File("out.csv")}, 7, Home() + " is a folder, not a data file."},
        {{},
         {"plot", "--xy", "depth", File("fifo.csv"), "-o", File("out.png")},
         7,
         "fifo.csv is a named pipe (FIFO), not a data file."},
        {{}, {"casts", "/dev/null"}, 7, "/dev/null is a device, not a data file."},
        {{}, {"split", File("empty.csv"), "-o", Home()}, 7, "empty.csv is empty."},
        {{},
         {"plot", "--xy", "depth", "--format", "png", golden, "-o", File("fifo.csv")},
         8,
         "Cannot write " + File("fifo.csv")},
        {{}, {"recover", File("finished.csv")}, 7, "is a finished data file, not the journal"},
        {{},
         {"info", File("tidy.csv")},
         7,
         "tidy.csv is not a data file of this program: it begins with 'time,site'"},
        {{},
         {"export", File("nan.csv"), "-o", File("out.csv")},
         7,
         "nan.csv is damaged at line 3, field 8 (Water Temp.): 'nan' is not a number"},
        {{},
         {"info", File("inf.csv")},
         7,
         "inf.csv is damaged at line 4, field 11 (pH): 'inf' is not a number"},
        {{},
         {"plot", "--trend", "pH", File("big.csv"), "-o", File("out.png")},
         7,
         "big.csv is damaged at line 5, field 8 (Water Temp.): '1e308' is not a number"},
        {{},
         {"casts", File("state.csv")},
         7,
         "state.csv is damaged at line 5, field 53 (State Code): 'SA111111111000' holds the code A, and "
         "the "
         "codes there go up to 9."},
        {{},
         {"split", File("short.csv"), "-o", Home()},
         7,
         "short.csv is damaged at line 4: the line has 4 fields, and needs 54"},
        {{}, {"download", "--settings", File("nothing.ini")}, 2, "nothing.ini does not exist"},
        {{},
         {"capture", "--settings", File("fifo.csv")},
         2,
         "The settings file " + File("fifo.csv") + " is a named pipe (FIFO), not a file."},
        {{}, {"casts", "--settings", Home(), golden}, 2, "The settings file " + Home() + " is a folder"},
        {{}, {"download", "--baud", "1200"}, 2, "Invalid value for --baud: 1200\n--baud takes 4800,"},
        {{}, {"download", "--parity", "mark"}, 2, "Invalid value for --parity: mark"},
        {{}, {"capture", "-o", "-"}, 2, "No output file: give it with -o FILE."},
        {{},
         {"capture", "--data-bits", "8", "--stop-bits", "1.5"},
         2,
         "1.5 stop bits can be used with 5 data bits only."},
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
        {{}, {"casts", golden, File("nothing.csv")}, 7, "nothing.csv does not exist."},
        {{}, {"split", golden, "-o", Home(), "--by", "depth"}, 2, "Invalid value for --by: depth"},
        {{}, {"split", File("nothing.csv"), "-o", Home()}, 7, "nothing.csv does not exist."},
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
        {{},
         {"export", File("nothing.csv"), "--bin", "1", "-o", File("out.csv")},
         7,
         "nothing.csv does not exist."},
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
    // What stood at an output or was given as a journal is as it was.
    struct stat fifo {};
    EXPECT_TRUE(::stat(File("fifo.csv").c_str(), &fifo) == 0 && S_ISFIFO(fifo.st_mode));
    EXPECT_EQ(ReadBytes(File("finished.csv")), ReadBytes(golden));
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
                                    "cast,site,bin_depth_m,temperature_degC,"))
        << binRows.front();
    EXPECT_TRUE(binRows.front().ends_with(",depth_m,records\r")) << binRows.front();
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
    // The same table on standard output, without the mark and without a word.
    const auto piped = RunCli(
        {"export", File("day.csv"), "--bin", "1", "--downcast", "-o", "-", "-q", "--settings", settings},
        Home());
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ("\xEF\xBB\xBF" + piped.out, ReadBytes(File("bins.csv")));
    EXPECT_TRUE(piped.err.empty()) << piped.err;
    // Never over its input, by whatever name.
    const std::string day = ReadBytes(File("day.csv"));
    std::filesystem::create_symlink(File("day.csv"), File("link.csv"));
    const auto over = RunCli({"export", File("day.csv"), "--bin", "1", "-o", File("link.csv")}, Home());
    EXPECT_EQ(over.status, 2);
    EXPECT_NE(over.err.find("link.csv is the same file as the input"), std::string::npos) << over.err;
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

    // The titles are ASCII names with ASCII units in every language.
    const std::string records =
        "2026-03-15T09:30:05,\xE6\xB0\xB4\xE8\xA9\xA6 \uFF71\uFF72 "
        "Bay-1,35.209444,139.751944,25.3,7.05,123.4,781,"
        "1.234,12.30,8.25,612.0,0.610,-0.40,12.50\r\n"
        "2026-03-15T09:31:05,,,,25.4,,123.5,790,1.235,,8.24,613.0,0.620,-0.30,12.60\r\n"
        "2026-03-14T12:00:00,Site "
        "3,-5.209444,-5.119167,20.0,8.00,100.0,500,1.000,10.00,9.00,500.0,0.500,-0.20,"
        "\r\n";
    const std::vector<std::tuple<std::vector<std::string>, std::string, std::string>> titled = {
        {{"--format", "utf8"},
         "ja_JP.UTF-8",
         "time,site,latitude,longitude,temperature_degC,ph,ph_potential_mV,orp_mV,conductivity_S_per_m,"
         "turbidity_NTU,do_mg_per_L,tds_g_per_L,salinity_ppt,specific_gravity_sigma_t,depth_m"},
        // --titles program keeps the program's titles in its language.
        {{"--titles", "program"},
         "C.UTF-8",
         "Time,Site,Latitude,Longitude,Water Temp. [\u2103],pH [pH],pHmV [mV],ORP [mV],Conductivity [S/m],"
         "Turbidity [NTU],DO [mg/L],TDS [g/L],Salinity [ppt],Specific Gravity [\u03C3t],Depth [m]"},
    };
    for (const auto& [options, lang, titles] : titled) {
        std::vector<std::string> args{"export", golden, "-o", File("tidy.csv")};
        args.insert(args.end(), options.begin(), options.end());
        const auto exported = RunCli(args, Home(), lang);
        ASSERT_EQ(exported.status, 0) << exported.err;
        EXPECT_EQ(ReadBytes(File("tidy.csv")), "\xEF\xBB\xBF" + titles + "\r\n" + records);
    }
    // The offset of the clock's zone follows each time.
    const auto zoned = RunCli({"export", "--utc-offset", "-03:30", golden, "-o", File("zoned.csv")}, Home());
    ASSERT_EQ(zoned.status, 0) << zoned.err;
    const std::vector<std::string> lines = Lines(ReadBytes(File("zoned.csv")));
    EXPECT_EQ(lines[1].rfind("2026-03-15T09:30:05-03:30,", 0), 0u) << lines[1];
    EXPECT_EQ(lines[3].rfind("2026-03-14T12:00:00-03:30,", 0), 0u) << lines[3];
    for (const std::string bad : {"+15:00", "9", "+09:60", "JST"}) {
        const auto refused = RunCli({"export", "--utc-offset", bad, golden, "-o", File("again.csv")}, Home());
        EXPECT_EQ(refused.status, 2) << bad;
        EXPECT_NE(refused.err.find("+HH:MM"), std::string::npos) << refused.err;
    }
    EXPECT_EQ(RunCli({"export", "--titles", "english", golden, "-o", File("again.csv")}, Home()).status, 2);
    EXPECT_EQ(RunCli({"export", "--format", "latin1", golden, "-o", File("again.csv")}, Home()).status, 2);
    EXPECT_FALSE(Exists(File("again.csv")));

    // An output that is the input by any name is refused, the input untouched.
    std::filesystem::copy_file(golden, File("data.csv"));
    std::filesystem::create_symlink(File("data.csv"), File("link.csv"));
    std::filesystem::create_hard_link(File("data.csv"), File("hard.csv"));
    const std::string data = ReadBytes(File("data.csv"));
    for (const auto& [input, output] :
         std::vector<std::pair<std::string, std::string>>{{File("data.csv"), File("data.csv")},
                                                          {Home() + "/./data.csv", File("data.csv")},
                                                          {File("data.csv"), File("link.csv")},
                                                          {File("hard.csv"), File("data.csv")}}) {
        CCliProcess same({"export", input, "-o", output}, Home());
        EXPECT_EQ(same.Wait(), 2) << input << " " << output;
        EXPECT_NE(same.err.find(output + " is the same file as the input " + input), std::string::npos)
            << same.err;
    }
    // Also when it comes on standard input, or is the settings file the bins read.
    const auto piped =
        RunCli({"export", "-", "-o", File("data.csv")}, Home(), "C.UTF-8", {}, File("data.csv"));
    EXPECT_EQ(piped.status, 2) << piped.err;
    test::WriteBytes(File("set.ini"), "[CastFinder]\n");
    const auto settings = RunCli(
        {"export", File("data.csv"), "--bin", "1", "--settings", File("set.ini"), "-o", File("set.ini")},
        Home());
    EXPECT_EQ(settings.status, 2) << settings.err;
    EXPECT_EQ(ReadBytes(File("data.csv")), data);
    EXPECT_EQ(ReadBytes(File("set.ini")), "[CastFinder]\n");
}

// "-" is standard input and output, a reader that stops early ends the
// command quietly, and --quiet leaves standard error to problems alone.
TEST_F(CommandLine, StandardStreamsAndQuietRuns) {
    const std::string golden = KELP_TEST_DATA_DIR "/csv/golden.csv";
    ASSERT_EQ(RunCli({"export", golden, "-o", File("tidy.csv")}, Home()).status, 0);
    const auto piped = RunCli({"export", "-", "-o", "-", "--quiet"}, Home(), "C.UTF-8", {}, golden);
    ASSERT_EQ(piped.status, 0) << piped.err;
    // The file's lines, without the mark only a spreadsheet needs.
    EXPECT_EQ("\xEF\xBB\xBF" + piped.out, ReadBytes(File("tidy.csv")));
    EXPECT_TRUE(piped.err.empty()) << piped.err;
    const auto info = RunCli({"info", "-"}, Home(), "C.UTF-8", {}, golden);
    EXPECT_EQ(info.out.rfind("-\n  Records: 3\n", 0), 0u) << info.out << info.err;
    const auto nothing = RunCli({"info", "-"}, Home(), "C.UTF-8", {}, "/dev/null");
    EXPECT_EQ(nothing.status, 7);
    EXPECT_NE(nothing.err.find("standard input is empty."), std::string::npos) << nothing.err;

    // A picture on standard output: PNG unless --format says otherwise.
    const auto png = RunCli({"plot", "--xy", "depth", golden, "-o", "-", "-q"}, Home());
    ASSERT_EQ(png.status, 0) << png.err;
    EXPECT_TRUE(png.err.empty()) << png.err;
    QImage image;
    ASSERT_TRUE(image.loadFromData(QByteArray::fromStdString(png.out), "PNG"));
    EXPECT_EQ(image.size(), CXYGraph::kPictureSize);
    const auto svg =
        RunCli({"plot", "--xy", "depth", "--format", "svg", "-", "-o", "-"}, Home(), "C.UTF-8", {}, golden);
    ASSERT_EQ(svg.status, 0) << svg.err;
    EXPECT_NE(svg.out.find("<svg"), std::string::npos);
    EXPECT_NE(svg.err.find("Picture written to standard output"), std::string::npos) << svg.err;

    // `| head -n 1` of a long export: status 8 and not a word.
    CMeasDataSet cast;
    testing::FillCast(cast, 25.0, 3000);
    ASSERT_TRUE(Save(File("long.csv"), cast));
    CCliProcess head({"export", File("long.csv"), "-o", "-"}, Home());
    ASSERT_TRUE(head.CloseOutputAfterFirstLine());
    EXPECT_EQ(head.out.rfind("time,site,latitude,longitude,temperature_degC,", 0), 0u) << head.out;
    EXPECT_EQ(head.Wait(), 8);
    EXPECT_TRUE(head.err.empty()) << head.err;

    // Every command that succeeds says nothing with --quiet.
    Simulator sim({"--records", "20"});
    ASSERT_TRUE(sim.Started());
    const std::string settings = Settings(sim.Path());
    ::mkdir(File("casts").c_str(), 0700);
    const std::vector<std::vector<std::string>> commands = {
        {"download", "--settings", settings, "-o", File("download.csv")},
        {"capture", "--settings", settings, "--count", "3", "-o", File("capture.csv")},
        {"info", File("long.csv")},
        {"casts", File("long.csv")},
        {"split", File("long.csv"), "-o", File("casts")},
        {"export", File("long.csv"), "-o", File("long-tidy.csv")},
        {"plot", "--depth", "temp", File("long.csv"), "-o", File("long.svg")},
    };
    for (std::vector<std::string> args : commands) {
        args.push_back("--quiet");
        const auto run = RunCli(args, Home());
        EXPECT_EQ(run.status, 0) << args[0] << "\n" << run.err;
        EXPECT_TRUE(run.err.empty()) << args[0] << "\n" << run.err;
    }
    EXPECT_EQ(RecordsIn(File("download.csv")), 20);
    EXPECT_EQ(RecordsIn(File("capture.csv")), 3);
}

// info --json: the facts of the table under names that stay the same in
// every language.
TEST_F(CommandLine, InfoJsonGivesTheFactsOfTheTable) {
    const std::string golden = KELP_TEST_DATA_DIR "/csv/golden.csv";
    const auto run =
        RunCli({"info", "--json", golden, File("nothing.csv"), "-"}, Home(), "ja_JP.UTF-8", {}, golden);
    EXPECT_EQ(run.status, 7);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out;
    const QJsonArray files = document.array();
    ASSERT_EQ(files.size(), 2) << run.out;
    EXPECT_EQ(files[1]["file"].toString(), QStringLiteral("-"));
    const QJsonObject file = files[0].toObject();
    EXPECT_EQ(file["file"].toString().toStdString(), golden);
    EXPECT_EQ(file["records"].toInt(), 3);
    EXPECT_EQ(file["first"].toString(), QStringLiteral("2026-03-14T12:00:00"));
    EXPECT_EQ(file["last"].toString(), QStringLiteral("2026-03-15T09:31:05"));
    EXPECT_EQ(file["span_seconds"].toInt(), 21 * 3600 + 31 * 60 + 5);
    const QJsonArray sites = file["sites"].toArray();
    ASSERT_EQ(sites.size(), 3);
    EXPECT_EQ(sites[0]["name"].toString(), QStringLiteral("水試 ｱｲ Bay-1"));
    EXPECT_EQ(sites[1]["name"].toString(), QString());
    EXPECT_EQ(sites[2]["records"].toInt(), 1);
    const QJsonObject positions = file["positions"].toObject();
    EXPECT_EQ(positions["records"].toInt(), 2);
    EXPECT_DOUBLE_EQ(positions["south"].toDouble(), -5.209444);
    EXPECT_DOUBLE_EQ(positions["east"].toDouble(), 139.751944);
    const QJsonArray components = file["components"].toArray();
    ASSERT_EQ(components.size(), 11);
    const QJsonObject temperature = components[0].toObject();
    EXPECT_EQ(temperature["column"].toInt(), 1);
    EXPECT_EQ(temperature["name"].toString(), QStringLiteral("temperature"));
    EXPECT_EQ(temperature["unit"].toString(), QStringLiteral("degC"));
    EXPECT_EQ(temperature["title"].toString(), QStringLiteral("temperature_degC"));
    EXPECT_EQ(temperature["values"].toInt(), 3);
    EXPECT_DOUBLE_EQ(temperature["minimum"].toDouble(), 20.0);
    EXPECT_DOUBLE_EQ(temperature["maximum"].toDouble(), 25.4);
    const QJsonObject depth = components[10].toObject();
    EXPECT_EQ(depth["title"].toString(), QStringLiteral("depth_m"));
    EXPECT_EQ(depth["values"].toInt(), 2);
}

// Messages name the device given and the line settings that were used,
// and their counts agree with their nouns.
TEST_F(CommandLine, MessagesNameTheDeviceAndCountInWords) {
    Simulator sim({"--records", "1"});
    ASSERT_TRUE(sim.Started());
    const auto one = RunCli({"download", "--port", sim.Path(), "--baud", "4800", "--data-bits", "7",
                             "--parity", "even", "--stop-bits", "2", "-o", File("one.csv")},
                            Home());
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_NE(one.err.find("1 record saved in " + File("one.csv")), std::string::npos) << one.err;
    EXPECT_NE(one.err.find("1/1 record\n"), std::string::npos) << one.err;
    // The line as the run left it: the options, not the settings file (a
    // pseudo-terminal keeps the speed and the stop bits, not the character
    // size and the parity).
    const int fd = ::open(sim.Path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    termios line{};
    ASSERT_EQ(::tcgetattr(fd, &line), 0);
    ::close(fd);
    EXPECT_EQ(::cfgetospeed(&line), static_cast<speed_t>(B4800));
    EXPECT_NE(line.c_cflag & CSTOPB, 0u);

    Simulator silent({"--fault", "noreply=1"});
    ASSERT_TRUE(silent.Started());
    const auto noReply = RunCli({"download", "--port", silent.Path(), "-o", File("none.csv")}, Home());
    EXPECT_EQ(noReply.status, 4);
    EXPECT_NE(noReply.err.find("The instrument on " + silent.Path() + " does not reply."), std::string::npos)
        << noReply.err;
    EXPECT_EQ(noReply.err.find("COM"), std::string::npos) << noReply.err;
}

// A file of more records than a data set takes is never cut silently: info
// and export read every record, plot says what it drew from.
TEST_F(CommandLine, LongFilesAreReadWholeOrSaidToBeCut) {
    CMeasDataSet first;
    testing::FillCast(first, 25.0, kMeasCapacity);
    CMeasDataSet rest;
    testing::FillCast(rest, 60.0, 3);
    test::WriteBytes(File("long.csv"), test::JoinedDataFile({&first, &rest}));

    const auto info = RunCli({"info", File("long.csv")}, Home());
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("  Records: 10003\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("  Sites: CAST (10003)\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("    Depth [m]               10003 values  0.00 .. 60.00\n"), std::string::npos)
        << info.out;

    const auto exported = RunCli({"export", File("long.csv"), "-o", File("tidy.csv")}, Home());
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_NE(exported.err.find("10003 records written"), std::string::npos) << exported.err;
    const std::string tidy = ReadBytes(File("tidy.csv"));
    EXPECT_EQ(std::count(tidy.begin(), tidy.end(), '\n'), 10004);
    EXPECT_NE(tidy.find(",60.00\r\n"), std::string::npos);

    const auto plot = RunCli({"plot", "--xy", "depth", File("long.csv"), "-o", File("long.png")}, Home());
    ASSERT_EQ(plot.status, 0) << plot.err;
    EXPECT_NE(
        plot.err.find(File("long.csv") + ": The file holds 10003 records; only the first 10000 were read."),
        std::string::npos)
        << plot.err;
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

    // A unit typed with a keyboard's degree sign finds the catalogue's "゜F".
    const auto fahrenheit =
        RunCli({"plot", "--trend", "temp [°F]", File("cast.csv"), "-o", File("fahrenheit.svg")}, Home());
    ASSERT_EQ(fahrenheit.status, 0) << fahrenheit.err;
    EXPECT_TRUE(testing::ReadSvg(File("fahrenheit.svg")).texts.contains(QStringLiteral("[\u309CF]")));

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
    const QRegularExpression versionLine(
        QStringLiteral(R"(^kelp-collector \d+\.\d+\.\d+\.\d+ \(\d{4}-\d\d-\d\d\)\n$)"));
    EXPECT_TRUE(versionLine.match(QString::fromStdString(version.out)).hasMatch()) << version.out;
}

TEST_F(CommandLine, EveryCommandHasHelpInTheProgramsLanguage) {
    const auto overall = RunCli({"--help"}, Home());
    EXPECT_EQ(overall.status, 0);
    for (const std::string name :
         {"download", "capture", "info", "recover", "casts", "split", "export", "plot"}) {
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
