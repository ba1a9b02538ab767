#pragma once
#include <QString>
#include <memory>
#include <string>

#include "app/SettingsStore.h"

class QLockFile;

namespace kelp {

// The application object: single instance, language, settings path, then
// the main window until the user closes it.
class CCollectorApp final {
  public:
    CCollectorApp();
    ~CCollectorApp();
    CCollectorApp(const CCollectorApp&) = delete;
    CCollectorApp& operator=(const CCollectorApp&) = delete;

    // The program's whole life, with `file` (a data file, as given on the
    // command line) open in the window when it is not empty. Needs a
    // QApplication. Returns the process exit code: 0 also when a second
    // start gave way to the first.
    int InitInstance(const std::string& file = {});

    const std::string& ProgramPath() const { return programPath_; }
    CSettingsStore& Settings() { return settings_; }

    // Name of the per-user lock that marks the running instance, and what
    // the name of the socket beside it adds, through which a later start
    // brings the running window to the front.
    static constexpr const char* kInstanceName = "__KelpWin_App__";
    static constexpr const char* kBeaconSuffix = ".sock";
    // The lock's file name in the runtime folder: the name above with the
    // desktop session, so that each display has its own window.
    static QString InstanceName();
    // The English text file, beside the program.
    static constexpr const char* kEnglishFile = "Kelpeng.txt";
    // The English text file beside the program file at `programPath`.
    static std::string EnglishTextFile(const std::string& programPath) {
        const auto slash = programPath.rfind('/');
        return (slash == std::string::npos ? std::string(".") : programPath.substr(0, slash)) + "/" +
               kEnglishFile;
    }

  private:
    // The file name of a capture journal no other window holds, held until
    // the window has closed; empty when all are held.
    std::string TakeJournal();

    std::unique_ptr<QLockFile> instanceLock_;
    std::unique_ptr<QLockFile> journalLock_;
    CSettingsStore settings_;
    std::string programPath_;
};

}  // namespace kelp
