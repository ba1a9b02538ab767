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
// folders: the second start leaves at once and silently.
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
    const QString lock = QDir(runtime.path()).filePath("__KelpWin_App__");
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

    first.kill();
    first.waitForFinished();
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
    std::atomic<int> answered = -1;
    std::thread later([&] { answered = CInstanceBeacon::CallRunning(socket) ? 1 : 0; });
    EXPECT_TRUE(test::WaitFor([&] { return answered >= 0; }));
    later.join();
    EXPECT_EQ(answered, 1);
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(test::WaitFor([&] { return window.isActiveWindow(); }));

    // Nobody listening: the later start is told so at once.
    EXPECT_FALSE(CInstanceBeacon::CallRunning(runtime.filePath(QStringLiteral("none.sock")), 500));
}

}  // namespace
}  // namespace kelp
