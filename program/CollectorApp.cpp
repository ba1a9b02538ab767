#include "program/CollectorApp.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "data/CaptureJournal.h"
#include "program/InstanceBeacon.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/main/AutoRun.h"
#include "ui/main/Fonts.h"
#include "ui/main/MainDlg.h"
#include "ui/main/ProgramIcon.h"
#include "ui/main/QtTranslations.h"

namespace kelp {

namespace {

// How long a later start waits for the lock when the running instance did
// not answer: it may have been ending, its window already closed.
constexpr int kHandOverWaitMs = 5000;
// Windows on as many displays at once keep a capture journal each.
constexpr int kJournalCount = 9;

std::string JournalName(int n) {
    return n == 1 ? std::string(CCaptureJournal::kFileName) : "CaptureJournal-" + std::to_string(n) + ".csv";
}

}  // namespace

CCollectorApp::CCollectorApp() = default;
CCollectorApp::~CCollectorApp() = default;

QString CCollectorApp::InstanceName() {
    return QString::fromLatin1(kInstanceName) + u'-' + CInstanceBeacon::SessionName();
}

std::string CCollectorApp::TakeJournal() {
    const std::string folder = CCaptureJournal::FolderFor(settings_.Path(), programPath_);
    if (folder.empty()) {
        return CCaptureJournal::kFileName;
    }
    // A journal that a window left behind comes first, so that its records
    // are offered again; then the first one nobody holds.
    for (const bool leftBehind : {true, false}) {
        for (int n = 1; n <= kJournalCount; ++n) {
            const std::string name = JournalName(n);
            std::error_code error;
            if (leftBehind && !std::filesystem::exists(folder + "/" + name, error)) {
                continue;
            }
            auto lock = std::make_unique<QLockFile>(QString::fromStdString(folder + "/" + name + ".lock"));
            lock->setStaleLockTime(0);
            if (lock->tryLock(0)) {
                journalLock_ = std::move(lock);
                return name;
            }
        }
    }
    return {};
}

int CCollectorApp::InitInstance(const std::string& file) {
    programPath_ = QCoreApplication::applicationFilePath().toStdString();
    SelectLanguage(QLocale::system().name().toStdString(), EnglishTextFile(programPath_));

    // A second start in the same desktop session shows the first one's
    // window (with its file opened there) and leaves, without a message of
    // its own. QLockFile notices a lock left behind by a crashed run.
    QString runtimeDir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtimeDir.isEmpty()) {
        runtimeDir = QDir::tempPath();
    }
    const QString lockPath = QDir(runtimeDir).filePath(InstanceName());
    const QString beaconPath = lockPath + QString::fromLatin1(kBeaconSuffix);
    // By its full path (the running window works in another folder), in
    // the file system's bytes, which need not be UTF-8.
    std::error_code error;
    const std::string filePath =
        file.empty() ? std::string() : std::filesystem::absolute(file, error).string();
    instanceLock_ = std::make_unique<QLockFile>(lockPath);
    instanceLock_->setStaleLockTime(0);
    if (!instanceLock_->tryLock(0)) {
        if (CInstanceBeacon::CallRunning(beaconPath, filePath)) {
            instanceLock_.reset();
            return 0;
        }
        if (!instanceLock_->tryLock(kHandOverWaitMs)) {
            instanceLock_.reset();
            std::fprintf(stderr, "kelp-collector: %s\n", LoadText(IDS_CLI_RUNNING_NO_ANSWER).c_str());
            return 1;
        }
    }
    CInstanceBeacon beacon(beaconPath);
    beacon.Listen();

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
    {
        CMainDlg dialog(settings_, programPath_, nullptr, TakeJournal());
        beacon.SetWindow(&dialog);
        beacon.SetFileHandler([&dialog](const std::string& path) { dialog.OpenDataFile(path); });
        QTimer::singleShot(0, &dialog, [&] {
            if (!filePath.empty()) {
                dialog.OpenDataFile(filePath);
            }
            if (autorun) {
                autorun->Attach(dialog);
            }
        });
        dialog.exec();
        beacon.SetFileHandler({});
        beacon.SetWindow(nullptr);
    }
    // Only now, with the window's settings written, may a later start take
    // over.
    journalLock_.reset();
    instanceLock_->unlock();
    instanceLock_.reset();
    return 0;
}

}  // namespace kelp
