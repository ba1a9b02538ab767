#include "tools/shots/CastTour.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <memory>

#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "tools/shots/GraphWindowTour.h"
#include "tools/shots/PlotTour.h"
#include "ui/dialogs/CastOptionsDlg.h"
#include "ui/dialogs/DataSelectDlg.h"
#include "ui/dialogs/ProgressDlg.h"
#include "ui/graphs/DepthGraphDlg.h"
#include "ui/graphs/XYGraphDlg.h"
#include "ui/main/MessageBox.h"

namespace kelp {

namespace {

using tour::Find;

// A morning at sea: stations with yo-yos and soaks, one without GPS, a
// probe without a depth sensor at the end.
const std::vector<std::string> kDay = {"--day", "--records", "1800", "--seed", "5"};

void ShootSelection(CMeasDataSet& download, const QFont* font, QWidget* parent, const std::string& folder,
                    const tour::Shoot& shoot) {
    auto target = std::make_unique<CMeasDataSet>();
    CDataSelectDlg dlg(parent);
    dlg.SetDataSets(&download, target.get());
    dlg.SetDialogFont(font);
    dlg.show();
    shoot(&dlg, QStringLiteral("casts-data-select"));
    QTreeWidget* casts = dlg.Casts();
    // The second station: every record of it selected in the list.
    if (casts->topLevelItemCount() > 1) {
        casts->setCurrentItem(casts->topLevelItem(1));
        shoot(&dlg, QStringLiteral("casts-data-select-station"));
    }
    // The down-cast of the first station's second cast.
    Find<QCheckBox>(&dlg, IDC_SELECT_DOWNCAST)->setChecked(true);
    QTreeWidgetItem* first = casts->topLevelItem(0);
    if (first != nullptr && first->childCount() > 1) {
        casts->setCurrentItem(first->child(1));
        shoot(&dlg, QStringLiteral("casts-data-select-downcast"));
    }
    QTimer::singleShot(200, &dlg, [&shoot] {
        if (auto* options = qobject_cast<CCastOptionsDlg*>(QApplication::activeModalWidget())) {
            shoot(options, QStringLiteral("casts-thresholds"));
            options->reject();
        }
    });
    dlg.OnCastOptions();
    // Save Each Cast... into a folder of the tour: its message is pictured
    // by the caller's responder.
    const std::string out = folder + "/each-cast";
    QDir().mkpath(QString::fromStdString(out));
    SetSaveFileResponder([out](QWidget*) { return out; });
    Find<QPushButton>(&dlg, IDC_SELECT_SAVE_CASTS)->click();
    SetSaveFileResponder({});
    dlg.reject();
}

void ShootDepth(const CMeasDataSet& download, const QFont* font, QWidget* parent, const tour::Shoot& shoot) {
    CDepthGraphDlg depth(parent);
    depth.SetInitialData(&download);
    depth.SetGraphFont(font);
    depth.show();
    QCoreApplication::processEvents();  // series 1 arrives once the window stands
    Find<QPushButton>(&depth, IDC_DEPTH_ADD_CASTS)->click();
    shoot(&depth, QStringLiteral("casts-depth-graph"));
    auto* menu = depth.findChild<QMenuBar*>()->findChildren<QMenu*>().value(0);
    if (menu != nullptr) {
        menu->popup(depth.mapToGlobal(QPoint(10, 24)));
        shoot(menu, QStringLiteral("casts-depth-graph-menu"));
        menu->hide();
    }
    depth.reject();
}

void ShootXY(const CMeasDataSet& download, const QFont* font, QWidget* parent, const tour::Shoot& shoot) {
    CXYGraphDlg xy(nullptr, parent);
    xy.SetSourceData(download);
    xy.SetGraphFont(font);
    xy.show();
    auto* x = Find<QComboBox>(&xy, IDC_XY_COMPONENT);
    x->setCurrentIndex(x->findData(download.FindSlot(kDepthElement)));
    // Temperature alone against depth.
    for (int k = 1; k < 13; ++k) {
        if (auto* box = Find<QCheckBox>(&xy, kXYCheckIds[k]); box->isEnabled() && box->isChecked()) {
            box->click();
        }
    }
    shoot(&xy, QStringLiteral("casts-xy-all-records"));
    auto* cast = Find<QComboBox>(&xy, IDC_XY_CAST);
    cast->setCurrentIndex(1);
    shoot(&xy, QStringLiteral("casts-xy-each-cast"));
    cast->setCurrentIndex(3);
    shoot(&xy, QStringLiteral("casts-xy-one-cast"));
    xy.reject();
}

}  // namespace

void ShootCasts(const std::string& folder, const QString& pictures, const std::string& language,
                const QFont* font, QWidget* parent, const tour::Shoot& shoot) {
    QDir().mkpath(QString::fromStdString(folder));
    CMeasDataSet download;
    if (!DownloadFromSimulator(kDay, folder, parent, download)) {
        std::fprintf(stderr, "kelp-shots: the field day was not downloaded\n");
        return;
    }
    ShootDepth(download, font, parent, shoot);
    ShootXY(download, font, parent, shoot);
    // What a script draws of the same download.
    const QString day = QDir(QString::fromStdString(folder)).filePath(QStringLiteral("day.csv"));
    {
        CProgressDlg progress;
        if (SaveDataFile(day.toStdString(), download, progress) != FILEJOB_OK) {
            std::fprintf(stderr, "kelp-shots: %s not saved\n", qPrintable(day));
        }
    }
    const QString plot = QDir(pictures).filePath(QStringLiteral("plot-depth-casts.png"));
    if (RunPlot({QStringLiteral("--depth"), QStringLiteral("temp"), QStringLiteral("--casts"),
                 QStringLiteral("--downcast"), day, QStringLiteral("-o"), plot},
                folder, language)) {
        std::printf("%s\n", qPrintable(plot));
    }
    const QString xyPlot = QDir(pictures).filePath(QStringLiteral("plot-xy-casts.png"));
    if (RunPlot({QStringLiteral("--xy"), QStringLiteral("depth:temp"), QStringLiteral("--casts"),
                 QStringLiteral("--downcast"), day, QStringLiteral("-o"), xyPlot},
                folder, language)) {
        std::printf("%s\n", qPrintable(xyPlot));
    }
    // Last: the selection deletes nothing, but works on the download itself.
    ShootSelection(download, font, parent, folder, shoot);
}

}  // namespace kelp
