#include <QApplication>
#include <QLocale>
#include <cstdlib>
#include <string>

#include "program/CollectorApp.h"
#include "program/cli/CommandLine.h"

namespace {

std::string g_localeName;
std::string g_platformWarning;
QtMessageHandler g_qtMessages = nullptr;

// Qt ends a start it cannot give a platform with an abort and the advice to
// reinstall. Here that becomes the program's own message and exit status;
// its warnings of the moment are kept for that message.
void StartMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::_Exit(kelp::cli::RefuseWindow(g_localeName, g_platformWarning));
    }
    const std::string category = context.category != nullptr ? context.category : "";
    if (category.starts_with("qt.qpa")) {
        if (g_platformWarning.empty()) {
            g_platformWarning = text.toStdString();
        }
        return;
    }
    if (g_qtMessages != nullptr) {
        g_qtMessages(type, context, text);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    // A subcommand works without any display: no QApplication, which would
    // connect to one. QLocale reads the user's locale from the environment
    // alone, so the language is chosen as the window chooses it.
    g_localeName = QLocale::system().name().toStdString();
    if (kelp::cli::IsCommandLine(argc, argv)) {
        return kelp::cli::RunCommandLine(argc, argv, g_localeName);
    }
    if (!kelp::cli::HasDisplay()) {
        return kelp::cli::RefuseWindow(g_localeName);
    }
    const std::string file = argc == 2 ? argv[1] : "";
    g_qtMessages = qInstallMessageHandler(StartMessages);
    QApplication application(argc, argv);
    qInstallMessageHandler(g_qtMessages);
    kelp::CCollectorApp app;
    return app.InitInstance(file);
}
