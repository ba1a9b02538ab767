#include "ui/dialogs/ProgressDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "link/Event.h"
#include "resources/ResourceIds.h"
#include "tests/csv/CsvTestUtil.h"
#include "tests/csv/RecordGen.h"

namespace kelp {
namespace {

QString Name(int id) {
    return QString::number(id);
}

// The worker's side of a run: waits for the window, as every worker does.
void WaitForWindow(const IProgressDialog& dialog) {
    while (!dialog.IsWindowCreated()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

AppMessage Progress(std::uintptr_t code, std::intptr_t value) {
    return AppMessage{WM_APP_PROGRESS, code, value, {}};
}

struct Controls {
    explicit Controls(CProgressDlg& dlg)
        : bar(dlg.findChild<QProgressBar*>(Name(IDC_PROGRESS_BAR))),
          counter(dlg.findChild<QLabel*>(Name(IDC_PROGRESS_COUNTER))),
          cancel(dlg.findChild<QPushButton*>(Name(IDC_PROGRESS_CANCEL))) {}
    QProgressBar* bar;
    QLabel* counter;
    QPushButton* cancel;
};

TEST(ProgressDlg, HasTheTemplateControls) {
    CProgressDlg dlg;
    Controls c(dlg);
    EXPECT_EQ(dlg.objectName(), Name(IDD_PROGRESS));
    ASSERT_NE(c.bar, nullptr);
    ASSERT_NE(c.counter, nullptr);
    ASSERT_NE(c.cancel, nullptr);
    EXPECT_EQ(c.counter->text(), "1/10");
    EXPECT_EQ(c.cancel->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
    EXPECT_FALSE(dlg.IsWindowCreated());
}

TEST(ProgressDlg, WorkerStepsThenFinishes) {
    CProgressDlg dlg;
    Controls c(dlg);
    dlg.SetTotal(120);
    dlg.SetTitleId(IDS_PROGRESS_SAVING);
    std::thread worker([&] {
        WaitForWindow(dlg);
        for (int i = 1; i <= 25; ++i) {
            dlg.Target().Send(Progress(PROGRESS_STEP, i));
        }
        dlg.Target().Post(Progress(PROGRESS_FINISHED, 25));
    });
    EXPECT_EQ(dlg.DoModal(), 1);
    worker.join();
    EXPECT_EQ(c.counter->text(), "25 / 120");
    EXPECT_EQ(c.bar->value(), 25);
    EXPECT_EQ(c.bar->maximum(), 120);
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("ファイル保存中..."));
}

TEST(ProgressDlg, FailureEndsWithTwoAndATotalReplacesTheCounter) {
    CProgressDlg dlg;
    Controls c(dlg);
    dlg.SetTotal(0);
    dlg.SetTitleId(IDS_PROGRESS_DOWNLOADING);
    QString atStart;
    QString afterTotal;
    bool busyAtStart = true;
    std::thread worker([&] {
        WaitForWindow(dlg);
        // Sent messages run in order on the dialog's thread; read the
        // widgets there, between them.
        QMetaObject::invokeMethod(
            &dlg,
            [&] {
                atStart = c.counter->text();
                busyAtStart = c.bar->minimum() == c.bar->maximum();
            },
            Qt::BlockingQueuedConnection);
        dlg.Target().Post(Progress(PROGRESS_TOTAL, 40));
        dlg.Target().Post(Progress(99, 5));  // an unknown code is ignored
        QMetaObject::invokeMethod(
            &dlg, [&] { afterTotal = c.counter->text(); }, Qt::BlockingQueuedConnection);
        dlg.Target().Post(Progress(PROGRESS_STEP, 7));
        dlg.Target().Post(Progress(PROGRESS_FAILED, 7));
    });
    EXPECT_EQ(dlg.DoModal(), 2);
    worker.join();
    EXPECT_EQ(atStart, "0 / 0");
    EXPECT_FALSE(busyAtStart) << "a total of 0 shows an empty bar, not a busy one";
    EXPECT_EQ(afterTotal, "0 / 40");
    EXPECT_EQ(c.counter->text(), "7 / 40");
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("ダウンロード中..."));
}

TEST(ProgressDlg, EscCloseAndCancelOnlySignalTheWorker) {
    CProgressDlg dlg;
    Controls c(dlg);
    CEvent cancel;
    dlg.SetCancelEvent(&cancel);
    dlg.SetTotal(10);
    bool openAfterEsc = false;
    bool openAfterClose = false;
    bool openAfterEnter = false;
    int cancels = 0;
    std::thread worker([&] {
        WaitForWindow(dlg);
        QMetaObject::invokeMethod(
            &dlg,
            [&] {
                QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QApplication::sendEvent(&dlg, &enter);
                openAfterEnter = dlg.isVisible();
            },
            Qt::BlockingQueuedConnection);
        // Enter did not cancel.
        cancels += cancel.Wait(0) ? 1 : 0;
        QMetaObject::invokeMethod(
            &dlg,
            [&] {
                QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(&dlg, &esc);
                openAfterEsc = dlg.isVisible();
            },
            Qt::BlockingQueuedConnection);
        cancels += cancel.Wait(5000) ? 1 : 0;
        QMetaObject::invokeMethod(
            &dlg,
            [&] {
                dlg.close();
                openAfterClose = dlg.isVisible();
            },
            Qt::BlockingQueuedConnection);
        cancels += cancel.Wait(5000) ? 1 : 0;
        QMetaObject::invokeMethod(
            &dlg, [&] { c.cancel->click(); }, Qt::BlockingQueuedConnection);
        cancels += cancel.Wait(5000) ? 1 : 0;
        // The dialog advances one more step and closes only on the final message.
        dlg.Target().Send(Progress(PROGRESS_STEP, 3));
        dlg.Target().Post(Progress(PROGRESS_FINISHED, 3));
    });
    EXPECT_EQ(dlg.DoModal(), 1);
    worker.join();
    EXPECT_TRUE(openAfterEnter);
    EXPECT_TRUE(openAfterEsc);
    EXPECT_TRUE(openAfterClose);
    EXPECT_EQ(cancels, 3);
    EXPECT_EQ(c.counter->text(), "3 / 10");
}

TEST(WindowTarget, PostsAndSendsArriveInOrderOnTheReceiversThread) {
    QObject receiver;
    std::vector<std::intptr_t> seen;
    bool allOnReceiverThread = true;
    const auto* mainThread = QThread::currentThread();
    CWindowTarget target(&receiver, [&](const AppMessage& m) {
        allOnReceiverThread = allOnReceiverThread && QThread::currentThread() == mainThread;
        seen.push_back(m.lParam);
    });
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < 200; ++i) {
            AppMessage m{WM_APP_PROGRESS, PROGRESS_STEP, i, "record text"};
            if (i % 3 == 0) {
                target.Send(std::move(m));
            } else {
                target.Post(std::move(m));
            }
        }
        done = true;
    });
    while (!done || seen.size() < 200) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    worker.join();
    ASSERT_EQ(seen.size(), 200u);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(seen[static_cast<std::size_t>(i)], i);
    }
    EXPECT_TRUE(allOnReceiverThread);
}

TEST(ProgressDlg, DrivesARealFileJob) {
    test::ScratchDir dir;
    test::RecordGen gen(5);
    CMeasDataSet set;
    for (int i = 0; i < 300; ++i) {
        set.AddLiveRecord(gen.Live());
    }
    {
        CProgressDlg dlg;
        ASSERT_EQ(SaveDataFile(dir.File("job.csv"), set, dlg), FILEJOB_OK);
        EXPECT_EQ(Controls(dlg).counter->text(), "300 / 300");
    }
    CProgressDlg dlg;
    CMeasDataSet loaded;
    ASSERT_EQ(LoadDataFile(dir.File("job.csv"), loaded, dlg), FILEJOB_OK);
    EXPECT_EQ(loaded.GetCount(), 300);
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("ファイル読込中..."));
}

}  // namespace
}  // namespace kelp

int main(int argc, char** argv) {
    // Listing the tests at build time runs this program without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
