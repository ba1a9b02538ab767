// The screenshot tour: runs the main window offscreen against kelp-sim,
// captures, navigates, downloads, opens the About box and the message
// boxes, and writes one PNG per state.
//
//   kelp-shots OUTPUT_FOLDER [ja|en]

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/SettingsStore.h"
#include "app/VersionInfo.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "tests/ui_main/WaitFor.h"
#include "tools/shots/CastTour.h"
#include "tools/shots/ClockTour.h"
#include "tools/shots/DesktopTour.h"
#include "tools/shots/DialogTour.h"
#include "tools/shots/FileFaultTour.h"
#include "tools/shots/GraphWindowTour.h"
#include "tools/shots/PictureTour.h"
#include "tools/shots/PlotTour.h"
#include "tools/shots/TourSupport.h"
#include "tools/shots/UnsavedTour.h"
#include "ui/dialogs/DataSelectDlg.h"
#include "ui/dialogs/ProgressDlg.h"
#include "ui/graphs/GraphSettingsDlg.h"
#include "ui/main/AboutDlg.h"
#include "ui/main/Fonts.h"
#include "ui/main/MainDlg.h"
#include "ui/main/MessageBox.h"
#include "ui/main/ProgramIcon.h"
#include "ui/main/QtTranslations.h"

namespace {

using namespace kelp;
using test::WaitFor;
using tour::Find;

QString g_folder;
int g_shot = 0;

void Settle() {
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
}

void Shoot(QWidget* widget, const QString& name) {
    Settle();
    const QString file =
        QDir(g_folder).filePath(QStringLiteral("%1-%2.png").arg(++g_shot, 2, 10, QChar('0')).arg(name));
    if (!widget->grab().save(file)) {
        std::fprintf(stderr, "kelp-shots: cannot write %s\n", qPrintable(file));
    } else {
        std::printf("%s\n", qPrintable(file));
    }
}

// A window with its menu bar, and one popup menu dropped down from it.
void ShootMenu(QWidget* window, QMenu* menu, const QString& name) {
    menu->popup(window->mapToGlobal(QPoint(10, 24)));
    Settle();
    Shoot(menu, name);
    menu->hide();
}

// Chooses the number of trend panes from the graph menu, as a user would.
void PanesFromMenu(CMainDlg* dlg, int panes) {
    dlg->UpdateCommandUi();
    Find<QAction>(dlg, ID_PANES_1 + panes - 1)->trigger();
}

pid_t StartSimulator(const std::string& link, const std::vector<std::string>& args) {
    const std::string program = std::string(KELP_BIN_DIR) + "/kelp-sim";
    std::vector<std::string> all{program, "--link", link};
    all.insert(all.end(), args.begin(), args.end());
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (auto& a : all) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        std::freopen("/dev/null", "w", stdout);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

}  // namespace

int main(int argc, char* argv[]) {
    // A line at a time, also into a file: the simulator is forked, and a
    // buffer still full at the fork would be printed by both processes.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kelp-shots OUTPUT_FOLDER [ja|en]\n");
        return 2;
    }
    g_folder = QString::fromLocal8Bit(argv[1]);
    const std::string language = argc > 2 ? argv[2] : "ja";
    QDir().mkpath(g_folder);
    QApplication::setFont(ProgramFont());
    QApplication::setWindowIcon(ProgramIcon());
    SelectLanguage(language == "en" ? "en_US" : "ja_JP", std::string(KELP_BIN_DIR) + "/Kelpeng.txt");
    InstallQtTranslations();

    QTemporaryDir work;
    const std::string tty = work.filePath(QStringLiteral("tty")).toStdString();
    const pid_t sim = StartSimulator(tty, {"--records", "120", "--turnaround", "10"});
    if (sim <= 0 || !WaitFor([&] { return QFileInfo::exists(QString::fromStdString(tty)); }, 5000)) {
        std::fprintf(stderr, "kelp-shots: kelp-sim did not start\n");
        return 1;
    }
    const std::string ini = work.filePath(QStringLiteral("Kelp-Win.ini")).toStdString();
    std::ofstream(ini) << "[PortDevices]\nCOM3=" << tty << "\n[MeasureSettings]\nMeasCycle=1\n";
    CSettingsStore settings(ini);

    int status = 0;
    {
        CMainDlg dlg(settings, QCoreApplication::applicationFilePath().toStdString());
        dlg.show();
        // Every message box the tour meets is pictured, then answered.
        int answer = IDOK;
        SetMessageResponder([&](QWidget* owner, int id, int style) {
            auto box = BuildMessageBox(owner, id, style, ShownMessageText());
            box->show();
            Shoot(box.get(), QStringLiteral("message-%1").arg(id));
            // The captured records give way to the download's.
            return id == IDS_CONFIRM_SAVE_UNSAVED ? IDNO : answer;
        });
        // The real data selection: pictured, then every record taken over.
        dlg.SetDataSelection([](QWidget* owner, CMeasDataSet& source, CMeasDataSet& target) {
            CDataSelectDlg selection(owner);
            selection.SetDataSets(&source, &target);
            QTimer::singleShot(300, &selection, [&selection] {
                Shoot(&selection, QStringLiteral("data-select"));
                Find<QPushButton>(&selection, IDC_SELECT_ALL)->click();
                Shoot(&selection, QStringLiteral("data-select-all"));
                Find<QPushButton>(&selection, IDC_SELECT_IMPORT)->click();
            });
            selection.DoModal();
            return selection.IsImported();
        });

        Shoot(&dlg, QStringLiteral("main-empty"));
        for (QMenu* menu :
             dlg.findChild<QMenuBar*>()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (menu->objectName().isEmpty()) {
                continue;  // the menu bar's own overflow menu
            }
            dlg.UpdateCommandUi();
            ShootMenu(&dlg, menu, QStringLiteral("menu-%1").arg(menu->objectName()));
        }

        Find<QPushButton>(&dlg, IDC_CAPTURE)->click();
        if (!WaitFor([&] { return dlg.LiveData().GetCount() >= 4; })) {
            std::fprintf(stderr, "kelp-shots: no records captured\n");
            status = 1;
        }
        Shoot(&dlg, QStringLiteral("main-capturing"));
        // The pane layouts while records keep coming, one record apart.
        for (int panes : {2, 3}) {
            PanesFromMenu(&dlg, panes);
            const int seen = dlg.LiveData().GetCount();
            WaitFor([&] { return dlg.LiveData().GetCount() > seen; });
            Shoot(&dlg, QStringLiteral("main-capturing-%1-panes").arg(panes));
        }
        WaitFor([&] { return dlg.LiveData().GetCount() >= 12; });
        Find<QPushButton>(&dlg, IDC_CAPTURE)->click();
        WaitFor([&] { return dlg.GetState() == CMainDlg::Idle; });
        Shoot(&dlg, QStringLiteral("main-stopped"));
        for (int panes : {1, 2}) {
            PanesFromMenu(&dlg, panes);
            Shoot(&dlg, QStringLiteral("main-stopped-%1-panes").arg(panes));
        }

        // The record chosen shows as the cursor line in the panes.
        Find<QSpinBox>(&dlg, IDC_RECORD_SPIN)->setValue(2);
        Shoot(&dlg, QStringLiteral("main-record-2"));

        // The graph display settings, opened from their button.
        Find<QPushButton>(&dlg, IDC_GRAPH_SETTINGS)->click();
        if (QWidget* settingsDlg = dlg.GraphSettingsDialog()) {
            Shoot(settingsDlg, QStringLiteral("graph-settings"));
            settingsDlg->hide();
        }

        // The progress dialog is pictured while the download runs.
        bool progressShot = false;
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!progressShot && modal != nullptr && modal->objectName() == QString::number(IDD_PROGRESS) &&
                modal->isVisible()) {
                progressShot = true;
                Shoot(modal, QStringLiteral("progress-download"));
            }
        });
        probe.start(20);
        Find<QPushButton>(&dlg, IDC_DOWNLOAD)->click();
        probe.stop();
        Shoot(&dlg, QStringLiteral("main-downloaded"));
        Find<QSpinBox>(&dlg, IDC_RECORD_SPIN)->setValue(60);
        Shoot(&dlg, QStringLiteral("main-downloaded-record-60"));
        ShootGraphWindows(dlg.LiveData(), work.path().toStdString(), &dlg, Shoot);
        ShootGraphPictures(&dlg, dlg.LiveData(), g_folder, Shoot);
        ShootPlots(dlg.LiveData(), work.path().toStdString(), g_folder, language);
        ShootDialogs(dlg.DownloadedData(), dlg.ColumnElements(), settings, &dlg, Shoot);
        ShootDesktop(dlg, work.path().toStdString(), Shoot);
        ShootCasts(work.filePath(QStringLiteral("casts")).toStdString(), g_folder, language, dlg.DialogFont(),
                   &dlg, Shoot);

        // The re-download question, answered Cancel.
        answer = IDCANCEL;
        Find<QPushButton>(&dlg, IDC_DOWNLOAD)->click();
        answer = IDOK;

        // The settings dialogs, opened from the menu and closed unchanged.
        for (auto [command, name] : std::vector<std::pair<int, QString>>{
                 {ID_PORT_SETTINGS, "port-settings"}, {ID_CAPTURE_CYCLE, "capture-cycle"}}) {
            QTimer::singleShot(300, [name = name] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    Shoot(modal, name);
                    QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
                }
            });
            dlg.UpdateCommandUi();
            dlg.findChild<QAction*>(QString::number(command))->trigger();
        }

        CAboutDlg about(&dlg);
        about.show();
        Shoot(&about, QStringLiteral("about"));
        about.close();

        // The remaining messages, as the user would meet them.
        for (auto [id, style] : std::vector<std::pair<int, int>>{{IDS_CONFIRM_CLEAR, kStyleQuestion},
                                                                 {IDS_PORT_OPEN_FAILED, kStyleError},
                                                                 {IDS_FILE_FORMAT_INVALID, kStyleError},
                                                                 {IDS_INSTRUMENT_EMPTY, kStyleError}}) {
            ShowMessage(&dlg, id, style);
        }
        ShowPartlyRead(&dlg, 100000, kMeasCapacity);
        ShootSaveFailures(dlg, work.path().toStdString());
        dlg.resize(1100, 760);
        Shoot(&dlg, QStringLiteral("main-large"));
        SetMessageResponder({});
    }

    if (status == 0) {
        ShootUnsavedData(tty, work.filePath(QStringLiteral("unsaved")).toStdString(), Shoot);
    }
    ShootClockTime(work.filePath(QStringLiteral("clock")).toStdString(), g_folder, language, Shoot);

    // A long capture at interval 0: thousands of records in three panes.
    if (status == 0) {
        const std::string fastIni = work.filePath(QStringLiteral("Kelp-Win-fast.ini")).toStdString();
        std::ofstream(fastIni) << "[PortDevices]\nCOM3=" << tty << "\n[MeasureSettings]\nMeasCycle=0\n";
        CSettingsStore fastSettings(fastIni);
        SetMessageResponder([](QWidget*, int, int) { return IDOK; });
        CMainDlg dlg(fastSettings, QCoreApplication::applicationFilePath().toStdString());
        dlg.show();
        PanesFromMenu(&dlg, 3);
        Find<QPushButton>(&dlg, IDC_CAPTURE)->click();
        WaitFor([&] { return dlg.LiveData().GetCount() >= 1500; }, 60000);
        Shoot(&dlg, QStringLiteral("main-long-capturing"));
        WaitFor([&] { return dlg.LiveData().GetCount() >= 3000; }, 60000);
        Find<QPushButton>(&dlg, IDC_CAPTURE)->click();
        WaitFor([&] { return dlg.GetState() == CMainDlg::Idle; });
        std::printf("kelp-shots: long capture of %d records\n", dlg.LiveData().GetCount());
        Shoot(&dlg, QStringLiteral("main-long-stopped"));
        SetMessageResponder({});
    }
    kill(sim, SIGTERM);
    waitpid(sim, nullptr, 0);
    return status;
}
