#include "tools/shots/ClockTour.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QPrinter>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/SettingsStore.h"
#include "data/DateTime.h"
#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "tests/ui_graphwin/CastData.h"
#include "tools/shots/PlotTour.h"
#include "ui/dialogs/ProgressDlg.h"
#include "ui/graphs/GraphPicture.h"
#include "ui/main/MainDlg.h"
#include "ui/main/MessageBox.h"

namespace kelp {

namespace {

using testing::Block;
using testing::Component;

// A memory record logged at `at` by a probe moored at a buoy: the water
// warms by day and cools by night.
std::string RecordAt(const CDateTime& at, double hours) {
    const double warmth = std::sin((hours - 9.0) * 3.14159265358979 / 12.0);
    std::string site = "BUOY 7";
    site.resize(20, ' ');
    std::string reply = "#RM" + site;
    for (const Component& c : std::vector<Component>{{10, 18.0 + 2.5 * warmth, 2},
                                                     {1, 8.1 + 0.1 * warmth, 2},
                                                     {4, 7.5 + 0.8 * warmth, 2},
                                                     {11, 1.5 + 0.2 * std::sin(hours), 2}}) {
        reply += Block(c);
    }
    for (int b = 4; b < 13; ++b) {
        reply += "0000 0.000";
    }
    reply += at.Format("%y%m%d%H%M%S") + "-                ";
    return reply;
}

// Records every `step` seconds for `span` seconds from `start`, saved as `path`.
bool SaveSeries(const std::string& path, const CDateTime& start, int span, int step) {
    CMeasDataSet data;
    for (int s = 0; s <= span; s += step) {
        data.AddMemoryRecord(RecordAt(CDateTime::FromDays(start.GetDays() + s / 86400.0), s / 3600.0));
    }
    CProgressDlg progress;
    return SaveDataFile(path, data, progress) == FILEJOB_OK;
}

}  // namespace

void ShootClockTime(const std::string& folder, const QString& pictures, const std::string& language,
                    const std::function<void(QWidget*, const QString&)>& shoot) {
    QDir().mkpath(QString::fromStdString(folder));
    struct Series {
        const char* name;
        CDateTime start;
        int span;
        int step;
    };
    const std::vector<Series> files = {
        {"day-23-hours.csv", CDateTime(2026, 6, 15, 8, 0, 0), 23 * 3600, 600},
        {"new-year-29-hours.csv", CDateTime(2026, 12, 30, 23, 59, 50), 29 * 3600, 900},
        {"capture-30-seconds.csv", CDateTime(2026, 6, 15, 23, 59, 45), 30, 1},
    };
    const std::string ini = folder + "/Kelp-Win.ini";
    std::ofstream(ini) << "[MeasureSettings]\nMeasCycle=1\n[" << CSettingsStore::kTrendGraphSection
                       << "]\nCursol=1\nDispType=1\nRangeType=0\n";
    CSettingsStore settings(ini);
    SetMessageResponder([](QWidget*, int, int) { return IDOK; });
    CMainDlg dlg(settings, QCoreApplication::applicationFilePath().toStdString());
    dlg.show();
    dlg.UpdateCommandUi();
    dlg.findChild<QAction*>(QString::number(ID_PANES_2))->trigger();
    for (const Series& series : files) {
        const std::string path = folder + "/" + series.name;
        if (!SaveSeries(path, series.start, series.span, series.step)) {
            std::fprintf(stderr, "kelp-shots: %s not saved\n", path.c_str());
            continue;
        }
        SetOpenFileResponder([path](QWidget*) { return path; });
        dlg.UpdateCommandUi();
        dlg.findChild<QAction*>(QString::number(ID_FILE_OPEN))->trigger();
        SetOpenFileResponder({});
        shoot(&dlg, QStringLiteral("clock-%1").arg(QString::fromLatin1(series.name).section(u'.', 0, 0)));
    }

    // The 23-hour file again: the picture the main window keeps, and its print.
    const std::string day = folder + "/" + files.front().name;
    SetOpenFileResponder([day](QWidget*) { return day; });
    dlg.findChild<QAction*>(QString::number(ID_FILE_OPEN))->trigger();
    SetOpenFileResponder({});
    const QString picture = QDir(pictures).filePath(QStringLiteral("picture-main-day.png"));
    SetSaveFileResponder([picture](QWidget*) { return picture.toStdString(); });
    dlg.findChild<QAction*>(QString::number(ID_SAVE_PICTURE))->trigger();
    SetSaveFileResponder({});
    std::printf("%s\n", qPrintable(picture));
    const QString printed = QDir(pictures).filePath(QStringLiteral("print-main-day.pdf"));
    SetPrintResponder([printed](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        return true;
    });
    dlg.findChild<QAction*>(QString::number(ID_PRINT_GRAPH))->trigger();
    SetPrintResponder({});
    std::printf("%s\n", qPrintable(printed));
    SetMessageResponder({});

    const QString newYear = QString::fromStdString(folder + "/" + files[1].name);
    const QString plot = QDir(pictures).filePath(QStringLiteral("plot-trend-new-year.png"));
    if (RunPlot({QStringLiteral("--trend"), QStringLiteral("temp,do"), newYear, QStringLiteral("--settings"),
                 QString::fromStdString(ini), QStringLiteral("-o"), plot},
                folder, language)) {
        std::printf("%s\n", qPrintable(plot));
    }
}

}  // namespace kelp
