#include "tools/shots/PlotTour.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <cstdio>

#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "tools/shots/PictureTour.h"
#include "ui/dialogs/ProgressDlg.h"

namespace kelp {

bool RunPlot(const QStringList& args, const std::string& folder, const std::string& language) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE", "LC_ALL", "LC_MESSAGES"}) {
        environment.remove(QString::fromLatin1(name));
    }
    environment.insert(QStringLiteral("LANG"),
                       language == "ja" ? QStringLiteral("ja_JP.UTF-8") : QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(folder + "/plot-config"));
    QProcess plot;
    plot.setProcessEnvironment(environment);
    plot.setProcessChannelMode(QProcess::ForwardedChannels);
    plot.start(QStringLiteral(KELP_BIN_DIR "/kelp-collector"), QStringList{QStringLiteral("plot")} + args);
    const bool ok =
        plot.waitForFinished(60000) && plot.exitStatus() == QProcess::NormalExit && plot.exitCode() == 0;
    if (!ok) {
        std::fprintf(stderr, "kelp-shots: kelp-collector plot %s failed\n", qPrintable(args.join(u' ')));
    }
    return ok;
}

void ShootPlots(const CMeasDataSet& data, const std::string& folder, const QString& pictures,
                const std::string& language) {
    const bool japanese = language == "ja";
    const QDir work(QString::fromStdString(folder));
    const QDir out(pictures);
    const QString downloaded = work.filePath(QStringLiteral("downloaded.csv"));
    {
        CMeasDataSet copy;
        copy.CopyFrom(data);
        CProgressDlg progress;
        if (SaveDataFile(downloaded.toStdString(), copy, progress) != FILEJOB_OK) {
            std::fprintf(stderr, "kelp-shots: %s not saved\n", qPrintable(downloaded));
            return;
        }
    }
    // The casts under station names a user would give them: in Japanese,
    // the series list shows Japanese file names.
    QStringList casts;
    for (int i = 1; QFile::exists(work.filePath(QStringLiteral("cast%1.csv").arg(i))); ++i) {
        const QString name =
            japanese ? QStringLiteral("定点%1.csv").arg(i) : QStringLiteral("station %1.csv").arg(i);
        QFile::copy(work.filePath(QStringLiteral("cast%1.csv").arg(i)), work.filePath(name));
        casts.push_back(work.filePath(name));
    }

    struct Shot {
        QString file;
        QStringList args;
    };
    const std::vector<Shot> shots = {
        // Three panes' worth, as the main window stacks them.
        {QStringLiteral("plot-trend.png"),
         {QStringLiteral("--trend"),
          japanese ? QStringLiteral("水温,DO,水深") : QStringLiteral("temp,do,depth"), downloaded}},
        // What the X-Y graph window shows once X is depth.
        {QStringLiteral("plot-xy.png"), {QStringLiteral("--xy"), QStringLiteral("depth"), downloaded}},
        {QStringLiteral("plot-xy.svg"),
         {QStringLiteral("--xy"),
          japanese ? QStringLiteral("水深:水温,塩分") : QStringLiteral("Depth:Water Temp.,Salinity"),
          downloaded}},
        // Four lines against depth: two on axes of their own, two read by
        // the scales in the legend.
        {QStringLiteral("plot-xy-four-lines.png"),
         {QStringLiteral("--xy"),
          japanese ? QStringLiteral("水深:水温,塩分,DO,pH") : QStringLiteral("depth:temp,sal,do,ph"),
          downloaded}},
        {QStringLiteral("plot-trend-wide.svg"),
         {QStringLiteral("--trend"), QStringLiteral("sal"), QStringLiteral("--size"),
          QStringLiteral("1200x300"), downloaded}},
        {QStringLiteral("plot-depth.png"),
         QStringList{QStringLiteral("--depth"), QStringLiteral("temp")} + casts},
        {QStringLiteral("plot-depth.pdf"), QStringList{QStringLiteral("--depth"), QStringLiteral("do"),
                                                       QStringLiteral("--size"), QStringLiteral("1200x860")} +
                                               casts},
    };
    for (const Shot& shot : shots) {
        const QString path = out.filePath(shot.file);
        if (!RunPlot(shot.args + QStringList{QStringLiteral("-o"), path}, folder, language)) {
            continue;
        }
        std::printf("%s\n", qPrintable(path));
        if (path.endsWith(QStringLiteral(".svg"))) {
            RasteriseSvg(path);
        }
    }
}

}  // namespace kelp
