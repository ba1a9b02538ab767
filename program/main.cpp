#include <QApplication>

#include "program/CollectorApp.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    kelp::CCollectorApp app;
    return app.InitInstance();
}
