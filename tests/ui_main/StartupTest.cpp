#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "MainTestSupport.h"

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

}  // namespace
}  // namespace kelp
