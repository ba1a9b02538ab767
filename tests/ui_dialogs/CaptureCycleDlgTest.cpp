#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/SettingsStore.h"
#include "tests/ui_dialogs/MessageLog.h"
#include "ui/dialogs/CaptureCycleDlg.h"

namespace kelp {
namespace {

using test::Control;
using test::MessageLog;

struct CycleRun {
    int result = 0;
    std::uint32_t cycle = 0;
    std::vector<int> messages;
    std::vector<std::string> texts;
};

// Opens the dialog on `start`, replaces the edit's text with `text` as a
// paste would (no filter), presses OK, and cancels if it stays open.
CycleRun RunWithText(std::uint32_t start, const QString& text) {
    MessageLog log;
    CycleRun run;
    run.cycle = start;
    CCaptureCycleDlg dlg;
    dlg.SetSettings(&run.cycle);
    QTimer::singleShot(0, &dlg, [&] {
        Control<QLineEdit>(&dlg, IDC_CAPTURE_CYCLE)->setText(text);
        Control<QPushButton>(&dlg, IDOK)->setFocus();
        Control<QPushButton>(&dlg, IDOK)->click();
        if (dlg.isVisible()) {
            EXPECT_EQ(dlg.focusWidget(), Control<QLineEdit>(&dlg, IDC_CAPTURE_CYCLE));
            dlg.reject();
        }
    });
    run.result = dlg.DoModal();
    run.messages = log.ids;
    run.texts = log.texts;
    return run;
}

TEST(CaptureCycleDlg, AcceptsOneToNineThousandNineHundredNinetyNine) {
    auto run = RunWithText(5, "1");
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(run.cycle, 1u);
    EXPECT_TRUE(run.messages.empty());

    run = RunWithText(5, "9999");
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(run.cycle, 9999u);

    run = RunWithText(5, "  42 ");
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(run.cycle, 42u);
}

TEST(CaptureCycleDlg, RefusesAndKeepsTheCycle) {
    struct Case {
        const char* text;
        int message;
    };
    for (const Case& c :
         {Case{"0", IDS_RANGE_INVALID}, Case{"", IDS_ENTER_NUMBER}, Case{"  ", IDS_ENTER_NUMBER},
          Case{"-5", IDS_ENTER_NUMBER}, Case{"1.5", IDS_ENTER_NUMBER}}) {
        const auto run = RunWithText(7, QString::fromUtf8(c.text));
        EXPECT_EQ(run.result, IDCANCEL) << c.text;
        EXPECT_EQ(run.cycle, 7u) << c.text;
        EXPECT_EQ(run.messages, std::vector<int>{c.message}) << c.text;
    }
    // The range message names the range.
    const auto run = RunWithText(7, QStringLiteral("0"));
    ASSERT_EQ(run.texts.size(), 1u);
    EXPECT_NE(run.texts[0].find("1 から 9999 までの値"), std::string::npos) << run.texts[0];
}

TEST(CaptureCycleDlg, ShowsTheCycleAndTypesDigitsOnly) {
    std::uint32_t cycle = 0;  // continuous capture, as the settings file allows
    CCaptureCycleDlg dlg;
    dlg.SetSettings(&cycle);
    dlg.show();
    auto* edit = Control<QLineEdit>(&dlg, IDC_CAPTURE_CYCLE);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QStringLiteral("0"));
    edit->clear();
    QTest::keyClicks(edit, "1-.a23456");
    EXPECT_EQ(edit->text(), QStringLiteral("1234"));  // four characters at most
    dlg.reject();
    EXPECT_EQ(cycle, 0u);
}

}  // namespace
}  // namespace kelp

namespace kelp {
namespace {

TEST(CaptureCycleDlg, OkWritesTheIntervalThatReadsBack) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CSettingsStore store(dir.filePath(QStringLiteral("Kelp-Win.ini")).toStdString());
    std::uint32_t cycle = 1;
    CCaptureCycleDlg dlg;
    dlg.SetSettings(&cycle);
    dlg.SetStore(&store);
    QTimer::singleShot(0, &dlg, [&] {
        test::Control<QLineEdit>(&dlg, IDC_CAPTURE_CYCLE)->setText(QStringLiteral("600"));
        test::Control<QPushButton>(&dlg, IDOK)->click();
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(cycle, 600u);
    EXPECT_EQ(store.ReadCaptureInterval(), 600u);
}

}  // namespace
}  // namespace kelp
