#include "app/SettingsStore.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "app/IniFile.h"
#include "tests/settings/AsPlainUser.h"
#include "tests/settings/NonRegularFiles.h"
#include "tests/settings/TempDir.h"

namespace kelp {
namespace {

class SettingsStoreTest : public ::testing::Test {
  protected:
    void WriteFile(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
    std::string ReadFile() {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    test::TempDir dir_;
    std::string path_ = dir_.File("Kelp-Win.ini");
    CSettingsStore store_{path_};
};

TEST_F(SettingsStoreTest, PortSettingsChecksAndDeviceOverrides) {
    WriteFile(
        "[PortSettings]\nPortNo=19\nBaudRate=9600\nByteSize=263\nParity=2\nStopBits=1\n"
        "[PortDevices]\nCOM3=/dev/pts/7\ncom19 = /dev/serial/by-id/x\nCOM20=/dev/null\nCOM4=\n");
    PortSettings port;
    PortDeviceMap devices{{5, "stale"}};
    store_.ReadPortSettings(port, devices);
    EXPECT_EQ(port.PortNo, 19);
    EXPECT_EQ(port.BaudRate, 9600);
    EXPECT_EQ(port.ByteSize, 7);  // kept in 8 bits
    EXPECT_EQ(port.Parity, 2);
    EXPECT_EQ(port.StopBits, 1);
    EXPECT_EQ(devices, (PortDeviceMap{{3, "/dev/pts/7"}, {19, "/dev/serial/by-id/x"}}));

    for (const char* bad : {"0", "20", "-3", "x"}) {
        WriteFile(std::string("[PortSettings]\nPortNo=") + bad + "\n");
        store_.ReadPortSettings(port, devices);
        EXPECT_EQ(port.PortNo, 3) << bad;
        EXPECT_EQ(port.BaudRate, 19200);
        EXPECT_EQ(port.ByteSize, 8);
    }
}

TEST_F(SettingsStoreTest, PortSettingsWriteInOrderAndReadBack) {
    WriteFile("[PortDevices]\nCOM2=/dev/pts/3\n");
    PortSettings port{12, 4800, 7, 1, 2};
    ASSERT_TRUE(store_.WritePortSettings(port));
    EXPECT_EQ(ReadFile(),
              "[PortDevices]\nCOM2=/dev/pts/3\n"
              "[PortSettings]\nPortNo=12\nBaudRate=4800\nByteSize=7\nParity=1\nStopBits=2\n");
    PortSettings back;
    PortDeviceMap devices;
    store_.ReadPortSettings(back, devices);
    EXPECT_EQ(back.PortNo, 12);
    EXPECT_EQ(back.BaudRate, 4800);
    EXPECT_EQ(back.ByteSize, 7);
    EXPECT_EQ(back.Parity, 1);
    EXPECT_EQ(back.StopBits, 2);
    EXPECT_EQ(devices.at(2), "/dev/pts/3");
}

TEST_F(SettingsStoreTest, ChosenDeviceAndLastFolderReadBack) {
    WriteFile("[PortDevices]\nCOM3=/dev/pts/7\n");
    ASSERT_TRUE(store_.WritePortDevice(5, "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"));
    ASSERT_TRUE(store_.WriteLastFolder("/home/field/2026 June"));
    PortSettings port;
    PortDeviceMap devices;
    store_.ReadPortSettings(port, devices);
    EXPECT_EQ(devices,
              (PortDeviceMap{{3, "/dev/pts/7"}, {5, "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"}}));
    EXPECT_EQ(store_.ReadLastFolder(), "/home/field/2026 June");
    // Names that would not read back as written are not stored.
    EXPECT_FALSE(store_.WriteLastFolder("/tmp/a\n[PortSettings]"));
    EXPECT_FALSE(store_.WriteLastFolder("/tmp/ends in a blank "));
    EXPECT_FALSE(store_.WritePortDevice(20, "/dev/ttyUSB0"));
    EXPECT_EQ(store_.ReadLastFolder(), "/home/field/2026 June");
}

TEST_F(SettingsStoreTest, CaptureIntervalRange) {
    EXPECT_EQ(store_.ReadCaptureInterval(), 1u);  // no file
    for (auto [text, expected] : std::vector<std::pair<std::string, std::uint32_t>>{
             {"0", 0}, {"9999", 9999}, {"10000", 1}, {"-1", 1}, {"60", 60}}) {
        WriteFile("[MeasureSettings]\nMeasCycle=" + text + "\n");
        EXPECT_EQ(store_.ReadCaptureInterval(), expected) << text;
    }
    ASSERT_TRUE(store_.WriteCaptureInterval(30));
    EXPECT_EQ(store_.ReadCaptureInterval(), 30u);
    EXPECT_NE(ReadFile().find("MeasCycle=30\n"), std::string::npos);
}

TEST_F(SettingsStoreTest, CastFinderThresholdsReadBackAndFallBackOneByOne) {
    EXPECT_EQ(store_.ReadCastOptions(), CastOptions{});  // no file
    ASSERT_TRUE(store_.WriteCastOptions(
        {.gapSeconds = 900, .distanceMetres = 750.4, .minHeightMetres = 1.55, .minRecords = 8}));
    EXPECT_NE(ReadFile().find("[CastFinder]\nGapSeconds=900\nDistanceMetres=750\nMinHeightCentimetres=155\n"
                              "MinRecords=8\n"),
              std::string::npos)
        << ReadFile();
    CastOptions back = store_.ReadCastOptions();
    EXPECT_EQ(back.gapSeconds, 900);
    EXPECT_DOUBLE_EQ(back.distanceMetres, 750.0);
    EXPECT_DOUBLE_EQ(back.minHeightMetres, 1.55);
    EXPECT_EQ(back.minRecords, 8);

    WriteFile(
        "[CastFinder]\nGapSeconds=0\nDistanceMetres=2000\nMinHeightCentimetres=abc\nMinRecords=100000\n");
    back = store_.ReadCastOptions();
    EXPECT_EQ(back.gapSeconds, 600);
    EXPECT_DOUBLE_EQ(back.distanceMetres, 2000.0);
    EXPECT_DOUBLE_EQ(back.minHeightMetres, 1.0);
    EXPECT_EQ(back.minRecords, 5);
}

TEST_F(SettingsStoreTest, GraphSlotsGateAndChecks) {
    GraphSlotArray slots = DefaultGraphSlots();
    slots[4].YMax = 55.0;
    // The gate is ElmNo1: a section with YAuto1 alone changes nothing.
    WriteFile("[GraphSettings]\nYAuto1=0\nYMin1=3\n");
    store_.ReadGraphSlots("GraphSettings", slots);
    EXPECT_EQ(slots[0].YAuto, 1);
    EXPECT_EQ(slots[4].YMax, 55.0);

    WriteFile(
        "[XYGraphSettings]\nElmNo1=12\nYAuto1=0\nYUnit1=3\nYMin1=-20000\nYMax1=200000\n"
        "ElmNo2=13\nYUnit2=4\nYMin2=5\nYMax2=5\n"
        "ElmNo3=-1\nYMin3=nan\nYMax3=abc\n");
    store_.ReadGraphSlots("XYGraphSettings", slots);
    EXPECT_EQ(slots[0].ElmNo, 12);
    EXPECT_EQ(slots[0].YAuto, 0);
    EXPECT_EQ(slots[0].YUnit, 3);
    EXPECT_EQ(slots[0].YMin, -10000.0);
    EXPECT_EQ(slots[0].YMax, 100000.0);
    EXPECT_EQ(slots[1].ElmNo, 0);
    EXPECT_EQ(slots[1].YUnit, 0);
    EXPECT_EQ(slots[1].YMin, 0.0);  // equal limits read as 0 and 1
    EXPECT_EQ(slots[1].YMax, 1.0);
    EXPECT_EQ(slots[2].ElmNo, 0);
    EXPECT_EQ(slots[2].YMin, 0.0);  // not a number: the key default
    EXPECT_EQ(slots[2].YMax, 1.0);  // "abc" reads as 0, so the limits are mended
    // Slots the file does not mention take the key defaults once the gate is open.
    EXPECT_EQ(slots[4].ElmNo, 4);
    EXPECT_EQ(slots[4].YAuto, 1);
    EXPECT_EQ(slots[4].YMax, 10.0);
    EXPECT_EQ(slots[12].ElmNo, 12);
}

TEST_F(SettingsStoreTest, GraphSlotsRoundTripWithFourDecimals) {
    GraphSlotArray slots = DefaultGraphSlots();
    slots[0] = {7, 2, 0, -3.25, 1234.56789};
    slots[12] = {1, 1, 0, 0.00004, 0.5};
    ASSERT_TRUE(store_.WriteGraphSlots("GraphSettings", slots));
    const auto text = ReadFile();
    EXPECT_NE(
        text.find(
            "[GraphSettings]\nElmNo1=7\nYAuto1=0\nYUnit1=2\nYMin1=-3.2500\nYMax1=1234.5679\nElmNo2=1\n"),
        std::string::npos)
        << text;
    GraphSlotArray back = DefaultGraphSlots();
    store_.ReadGraphSlots("GraphSettings", back);
    EXPECT_EQ(back[0].ElmNo, 7);
    EXPECT_EQ(back[0].YUnit, 2);
    EXPECT_EQ(back[0].YAuto, 0);
    EXPECT_DOUBLE_EQ(back[0].YMax, 1234.5679);
    EXPECT_DOUBLE_EQ(back[12].YMin, 0.0);  // below the written precision
    // The other window's section is separate.
    GraphSlotArray xy = DefaultGraphSlots();
    xy[0].YMax = 77.0;
    store_.ReadGraphSlots("XYGraphSettings", xy);
    EXPECT_EQ(xy[0].YMax, 77.0);

    // A window that closes with its settings as they were read leaves the
    // file alone, instead of waiting for the disk to take the same bytes.
    struct stat before {};
    ASSERT_EQ(::stat(path_.c_str(), &before), 0);
    ASSERT_TRUE(store_.WriteGraphSlots("GraphSettings", slots));
    ASSERT_TRUE(store_.WriteTimeAxis(GraphTimeSettings{}));
    struct stat after {};
    ASSERT_EQ(::stat(path_.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);  // the time axis was new: one replacement
    const ino_t once = after.st_ino;
    ASSERT_TRUE(store_.WriteGraphSlots("GraphSettings", slots));
    ASSERT_TRUE(store_.WriteTimeAxis(GraphTimeSettings{}));
    ASSERT_EQ(::stat(path_.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, once);
}

TEST_F(SettingsStoreTest, TimeAxisGateChecksAndWholeNumbers) {
    GraphTimeSettings time;
    time.XMax = 42.0;
    WriteFile("[GraphSettings]\nDispType=2\n");
    store_.ReadTimeAxis(time);
    EXPECT_EQ(time.DispType, 0);  // no Cursol: untouched
    EXPECT_EQ(time.XMax, 42.0);

    WriteFile("[GraphSettings]\nCursol=0\nXMin=20\nXMax=20\nRange=0.5\n");
    store_.ReadTimeAxis(time);
    EXPECT_EQ(time.Cursol, 0);
    EXPECT_EQ(time.DispType, 1);  // key defaults behind an open gate
    EXPECT_EQ(time.RangeType, 1);
    EXPECT_EQ(time.XMin, 0.0);
    EXPECT_EQ(time.XMax, 10.0);
    EXPECT_EQ(time.Range, 1.0);

    WriteFile("[GraphSettings]\nCursol=1\nDispType=3\nRangeType=-1\nXMin=1.5e1\nXMax=inf\n");
    store_.ReadTimeAxis(time);
    EXPECT_EQ(time.DispType, 0);
    EXPECT_EQ(time.RangeType, 0);
    // An infinite XMax is refused (key default 10), and 10 <= 15 mends the pair.
    EXPECT_EQ(time.XMin, 0.0);
    EXPECT_EQ(time.XMax, 10.0);

    time = GraphTimeSettings{2, 3, 12.7, 99.2, 3600.4, 1};
    ASSERT_TRUE(store_.WriteTimeAxis(time));
    const auto text = ReadFile();
    EXPECT_NE(text.find("Cursol=1\nDispType=2\nRangeType=3\nXMin=13\nXMax=99\nRange=3600\n"),
              std::string::npos)
        << text;
}

TEST_F(SettingsStoreTest, RealNumbersIgnoreTheProcessLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    // A locale with a decimal comma, when the system has one.
    const bool switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    GraphSlotArray slots = DefaultGraphSlots();
    slots[0].YMax = 2.5;
    ASSERT_TRUE(store_.WriteGraphSlots("GraphSettings", slots));
    GraphSlotArray back = DefaultGraphSlots();
    store_.ReadGraphSlots("GraphSettings", back);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_NE(ReadFile().find("YMax1=2.5000\n"), std::string::npos);
    EXPECT_EQ(back[0].YMax, 2.5);
    if (!switched) {
        GTEST_SKIP() << "no de_DE locale on this system; checked in the C locale only";
    }
}

TEST_F(SettingsStoreTest, NonsenseFilesGiveTheDefaults) {
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        std::string junk(static_cast<std::size_t>(rng() % 4000), '\0');
        for (auto& c : junk) {
            c = static_cast<char>(rng());
        }
        if (round % 2) {
            junk.insert(junk.size() / 2, "\n[GraphSettings]\n");  // a gate-less section amid noise
        }
        WriteFile(junk);
        PortSettings port;
        PortDeviceMap devices;
        store_.ReadPortSettings(port, devices);
        EXPECT_GE(port.PortNo, 1);
        EXPECT_LE(port.PortNo, 19);
        GraphSlotArray slots = DefaultGraphSlots();
        store_.ReadGraphSlots("GraphSettings", slots);
        GraphTimeSettings time;
        store_.ReadTimeAxis(time);
        EXPECT_EQ(slots[3].ElmNo, 3);
        EXPECT_EQ(time.XMax, 100.0);
        EXPECT_LE(store_.ReadCaptureInterval(), 9999u);
    }
    // A settings path that is a folder reads as defaults and refuses writes.
    CSettingsStore folder(dir_.Path());
    EXPECT_EQ(folder.ReadCaptureInterval(), 1u);
    EXPECT_FALSE(folder.WriteCaptureInterval(5));
}

TEST_F(SettingsStoreTest, AFileThatCannotBeReadIsNotOverwritten) {
    const std::string kept = "[PortSettings]\nPortNo=7\n[GraphSettings]\nCursol=0\n";
    WriteFile(kept);
    ::chmod(path_.c_str(), 0);
    {
        test::AsPlainUser user;
        if (!user.Active()) {
            GTEST_SKIP() << "file permissions cannot be made to bind this process";
        }
        EXPECT_EQ(store_.ReadCaptureInterval(), 1u);
        // Writing only the capture interval would lose the port and graph keys.
        EXPECT_FALSE(store_.WriteCaptureInterval(5));
        PortSettings port;
        port.PortNo = 4;
        EXPECT_FALSE(store_.WritePortSettings(port));
    }
    ::chmod(path_.c_str(), 0600);
    EXPECT_EQ(ReadFile(), kept);
}

TEST_F(SettingsStoreTest, AFileTooLargeToBeOursIsSetAsideBeforeANewOneIsWritten) {
    const std::string large(CIniFile::kMaxFileSize + 1, 'z');
    WriteFile(large);
    EXPECT_EQ(store_.ReadCaptureInterval(), 1u);
    EXPECT_TRUE(store_.WriteCaptureInterval(5));
    EXPECT_EQ(ReadFile(), "[MeasureSettings]\nMeasCycle=5\n");
    std::vector<std::string> aside;
    for (const auto& e : std::filesystem::directory_iterator(dir_.Path())) {
        if (e.path().filename() != "Kelp-Win.ini") {
            aside.push_back(e.path().filename().string());
        }
    }
    ASSERT_EQ(aside.size(), 1u);
    // Kelp-Win.ini.YYYYMMDD-hhmmss
    EXPECT_EQ(aside[0].size(), std::string("Kelp-Win.ini.20260101-120000").size()) << aside[0];
    EXPECT_EQ(aside[0].rfind("Kelp-Win.ini.20", 0), 0u) << aside[0];
    std::ifstream in(dir_.File(aside[0]), std::ios::binary);
    std::stringstream kept;
    kept << in.rdbuf();
    EXPECT_EQ(kept.str(), large);
}

// A pipe, socket or device at the settings file's name is never opened in a
// way that could wait: the program starts with the defaults, and no write
// replaces what is there.
TEST_F(SettingsStoreTest, PipesSocketsAndDevicesAtTheNameGiveDefaultsAndStayAsTheyAre) {
    const test::NonRegularFiles nonRegular(path_);
    ASSERT_TRUE(nonRegular.Ok());
    for (const auto& name : nonRegular.Paths()) {
        CSettingsStore store(name);
        PortSettings port;
        port.PortNo = 11;
        PortDeviceMap devices;
        store.ReadPortSettings(port, devices);
        EXPECT_EQ(port.PortNo, 3) << name;
        EXPECT_EQ(store.ReadCaptureInterval(), 1u) << name;
        EXPECT_FALSE(store.WriteCaptureInterval(5)) << name;
        EXPECT_FALSE(store.WritePortSettings(port)) << name;
    }
    struct stat st {};
    ASSERT_EQ(::stat(nonRegular.Paths()[0].c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(::stat(nonRegular.Paths()[1].c_str(), &st), 0);
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    ASSERT_EQ(::lstat(nonRegular.Paths()[2].c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

class SettingsPathTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        hadXdg_ = old != nullptr;
        if (hadXdg_) {
            oldXdg_ = old;
        }
        ::setenv("XDG_CONFIG_HOME", (dir_.Path() + "/config").c_str(), 1);
    }
    void TearDown() override {
        if (hadXdg_) {
            ::setenv("XDG_CONFIG_HOME", oldXdg_.c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
    }

    test::TempDir dir_;
    bool hadXdg_ = false;
    std::string oldXdg_;
    std::string program_ = dir_.Path() + "/bin/kelp-collector";
};

TEST_F(SettingsPathTest, MakesTheFoldersUnderTheConfigurationHome) {
    const auto path = CSettingsStore::BuildPath(program_);
    EXPECT_EQ(path, dir_.Path() + "/config/TARVIK/KELPWIN/Kelp-Win.ini");
    EXPECT_TRUE(std::filesystem::is_directory(dir_.Path() + "/config/TARVIK/KELPWIN"));
    // Existing folders are fine.
    EXPECT_EQ(CSettingsStore::BuildPath(program_), path);
}

TEST_F(SettingsPathTest, APlainFileNamedTarvikSendsTheFileBesideTheProgram) {
    std::filesystem::create_directories(dir_.Path() + "/config");
    std::ofstream(dir_.Path() + "/config/TARVIK") << "not a folder";
    EXPECT_EQ(CSettingsStore::BuildPath(program_), dir_.Path() + "/bin/Kelp-Win.ini");

    std::filesystem::remove(dir_.Path() + "/config/TARVIK");
    std::filesystem::create_directories(dir_.Path() + "/config/TARVIK");
    std::ofstream(dir_.Path() + "/config/TARVIK/KELPWIN") << "not a folder";
    EXPECT_EQ(CSettingsStore::BuildPath(program_), dir_.Path() + "/bin/Kelp-Win.ini");
}

TEST_F(SettingsPathTest, FallsBackToHomeConfigWithoutXdg) {
    ::unsetenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::string oldHome = home ? home : "";
    ::setenv("HOME", (dir_.Path() + "/home").c_str(), 1);
    const auto path = CSettingsStore::BuildPath(program_);
    if (home) {
        ::setenv("HOME", oldHome.c_str(), 1);
    } else {
        ::unsetenv("HOME");
    }
    EXPECT_EQ(path, dir_.Path() + "/home/.config/TARVIK/KELPWIN/Kelp-Win.ini");
}

}  // namespace
}  // namespace kelp
