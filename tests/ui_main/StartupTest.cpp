#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <atomic>
#include <thread>

#include "MainTestSupport.h"
#include "program/InstanceBeacon.h"

namespace kelp {
namespace {

// The program itself, started twice with its own runtime and settings
// folders: the second start leaves at once and silently. A start on another
// display gets a window (and a capture journal) of its own.
TEST(Startup, SecondInstanceLeavesAtOnce) {
    test::App();
    const QString program = QStringLiteral(KELP_BINARY_DIR "/bin/kelp-collector");
    ASSERT_TRUE(QFileInfo::exists(program));
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QTemporaryDir config;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("XDG_CONFIG_HOME", config.path());

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(program, {});
    ASSERT_TRUE(first.waitForStarted());
    const QString lock = QDir(runtime.path()).filePath("__KelpWin_App__-offscreen");
    ASSERT_TRUE(test::WaitFor([&] { return QFileInfo::exists(lock); }, 10000));
    // The first instance has made its settings folder.
    EXPECT_TRUE(test::WaitFor([&] { return QFileInfo(config.path() + "/TARVIK/KELPWIN").isDir(); }, 5000));

    QProcess second;
    second.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
    EXPECT_EQ(first.state(), QProcess::Running);

    QProcess elsewhere;
    env.insert("QT_QPA_PLATFORM", "minimal");
    elsewhere.setProcessEnvironment(env);
    elsewhere.start(program, {});
    const QString journals = config.path() + "/TARVIK/KELPWIN/";
    EXPECT_TRUE(
        test::WaitFor([&] { return QFileInfo::exists(journals + "CaptureJournal-2.csv.lock"); }, 10000));
    EXPECT_TRUE(QFileInfo::exists(journals + "CaptureJournal.csv.lock"));
    EXPECT_TRUE(QFileInfo::exists(QDir(runtime.path()).filePath("__KelpWin_App__-minimal")));
    EXPECT_EQ(elsewhere.state(), QProcess::Running);

    for (QProcess* process : {&first, &elsewhere}) {
        process->kill();
        process->waitForFinished();
    }
}

// Starts on one display share one window, whatever way the display is
// written; another display or platform is another session.
TEST(Startup, EachDisplayIsASessionOfItsOwn) {
    const auto name = [](const char* platform, const char* wayland, const char* x11) {
        return CInstanceBeacon::SessionName(platform, wayland, x11);
    };
    EXPECT_EQ(name("", "", ":0"), "x11-0");
    EXPECT_EQ(name("", "", ":0.1"), "x11-0");
    EXPECT_EQ(name("xcb", "", "unix:0.0"), "x11-0");
    EXPECT_EQ(name("", "", "localhost:10.0"), "x11-localhost-10");
    EXPECT_NE(name("", "", ":1"), name("", "", ":0"));
    EXPECT_EQ(name("", "wayland-1", ":0"), "wayland-wayland-1");
    EXPECT_EQ(name("wayland;xcb", "wayland-1", ":0"), "wayland-wayland-1");
    EXPECT_EQ(name("xcb", "wayland-1", ":0"), "x11-0");
    EXPECT_EQ(name("offscreen", "", ":0"), "offscreen");
    EXPECT_EQ(name("vnc:size=800x600", "", ""), "vnc");
}

// The running program's side of a later start: its window, minimised and
// behind, comes back to the front. The later start waits for the answer in
// its own process; here a thread plays it.
TEST(Startup, LaterStartBringsTheRunningWindowToTheFront) {
    test::App();
    QTemporaryDir runtime;
    const QString socket = runtime.filePath(QStringLiteral("__KelpWin_App__.sock"));
    QFile(socket).open(QIODevice::WriteOnly);  // left behind by a crashed run
    QWidget window;
    window.showMinimized();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(test::WaitFor([&] { return other.isActiveWindow(); }));

    CInstanceBeacon beacon(socket);
    ASSERT_TRUE(beacon.Listen());
    beacon.SetWindow(&window);
    std::vector<std::string> opened;
    beacon.SetFileHandler([&](const std::string& path) { opened.push_back(path); });
    std::atomic<int> answered = -1;
    std::thread later([&] { answered = CInstanceBeacon::CallRunning(socket) ? 1 : 0; });
    EXPECT_TRUE(test::WaitFor([&] { return answered >= 0; }));
    later.join();
    EXPECT_EQ(answered, 1);
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(test::WaitFor([&] { return window.isActiveWindow(); }));
    EXPECT_TRUE(opened.empty());

    // A later start with a file: the running one opens it, whatever bytes
    // its name holds.
    const std::string file = "/data/bay 2026\n%41\xff.csv";
    answered = -1;
    std::thread withFile([&] { answered = CInstanceBeacon::CallRunning(socket, file) ? 1 : 0; });
    EXPECT_TRUE(test::WaitFor([&] { return answered >= 0 && !opened.empty(); }));
    withFile.join();
    EXPECT_EQ(answered, 1);
    EXPECT_EQ(opened, std::vector<std::string>{file});

    // Nobody listening: the later start is told so at once.
    EXPECT_FALSE(CInstanceBeacon::CallRunning(runtime.filePath(QStringLiteral("none.sock")), {}, 500));
}

}  // namespace
}  // namespace kelp
