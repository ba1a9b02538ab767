#include "program/CollectorApp.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QStandardPaths>

#include "program/InstanceBeacon.h"
#include "resources/Texts.h"
#include "ui/main/AutoRun.h"
#include "ui/main/Fonts.h"
#include "ui/main/MainDlg.h"
#include "ui/main/ProgramIcon.h"
#include "ui/main/QtTranslations.h"

namespace kelp {

CCollectorApp::CCollectorApp() = default;
CCollectorApp::~CCollectorApp() = default;

int CCollectorApp::InitInstance() {
    // A second start shows the first one's window and leaves, without a
    // message of its own. QLockFile notices a lock left behind by a crashed
    // run.
    QString runtimeDir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtimeDir.isEmpty()) {
        runtimeDir = QDir::tempPath();
    }
    const QString lockPath = QDir(runtimeDir).filePath(QString::fromLatin1(kInstanceName));
    const QString beaconPath = lockPath + QString::fromLatin1(kBeaconSuffix);
    instanceLock_ = std::make_unique<QLockFile>(lockPath);
    instanceLock_->setStaleLockTime(0);
    if (!instanceLock_->tryLock(0)) {
        instanceLock_.reset();
        CInstanceBeacon::CallRunning(beaconPath);
        return 0;
    }
    CInstanceBeacon beacon(beaconPath);
    beacon.Listen();

    programPath_ = QCoreApplication::applicationFilePath().toStdString();

    SelectLanguage(QLocale::system().name().toStdString(), EnglishTextFile(programPath_));
    InstallQtTranslations();

    settings_.SetPath(CSettingsStore::BuildPath(programPath_));

    // The program's texts are Japanese unless the English file took over;
    // either way the face must carry Japanese glyphs (site names are).
    QApplication::setFont(ProgramFont());
    QApplication::setWindowIcon(ProgramIcon());

    // Unattended runs (the package check, the crash test); nothing unless
    // KELP_AUTORUN is set. Its answers must be in place before the window
    // asks its first question.
    const std::unique_ptr<CAutoRun> autorun = CAutoRun::FromEnvironment();
    if (autorun) {
        autorun->InstallResponder();
    }
    CMainDlg dialog(settings_, programPath_);
    beacon.SetWindow(&dialog);
    if (autorun) {
        autorun->Attach(dialog);
    }
    dialog.exec();

    instanceLock_->unlock();
    instanceLock_.reset();
    return 0;
}

}  // namespace kelp
