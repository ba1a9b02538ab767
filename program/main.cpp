#include <QApplication>
#include <QLocale>

#include "program/CollectorApp.h"
#include "program/cli/CommandLine.h"

int main(int argc, char* argv[]) {
    // A subcommand works without any display: no QApplication, which would
    // connect to one. QLocale reads the user's locale from the environment
    // alone, so the language is chosen as the window chooses it.
    if (kelp::cli::IsCommandLine(argc, argv)) {
        return kelp::cli::RunCommandLine(argc, argv, QLocale::system().name().toStdString());
    }
    QApplication application(argc, argv);
    kelp::CCollectorApp app;
    return app.InitInstance();
}
