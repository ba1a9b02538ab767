#include "tools/shots/PictureTour.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <string>
#include <vector>

#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "tests/ui_graphwin/CastData.h"
#include "ui/graphs/DepthGraphDlg.h"
#include "ui/graphs/TrendGraphPane.h"
#include "ui/graphs/XYGraphDlg.h"
#include "ui/main/MessageBox.h"

namespace kelp {

namespace {

using testing::Component;
using testing::MemoryReply;

// Saves the window's picture through its File > Save Picture... command.
QString SavePicture(QWidget* window, const QString& folder, const QString& name) {
    const QString path = QDir(folder).filePath(name);
    SetSaveFileResponder([path](QWidget*) { return path.toStdString(); });
    window->findChild<QAction*>(QString::number(ID_SAVE_PICTURE))->trigger();
    SetSaveFileResponder({});
    std::printf("%s\n", qPrintable(path));
    return path;
}

void ShowPane(const CMeasDataSet& data, const QString& name,
              const std::function<void(QWidget*, const QString&)>& shoot) {
    CTrendGraphPane pane;
    pane.SetDataSet(&data);
    pane.SetSlot(0, 0, GraphTimeSettings{}, GraphSlotSettings{});
    pane.SetCount(data.GetCount());
    pane.resize(560, 300);
    pane.show();
    shoot(&pane, name);
}

}  // namespace

void RasteriseSvg(const QString& svg) {
    QSvgRenderer renderer(svg);
    QImage image(renderer.defaultSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    const QString png = svg + QStringLiteral(".png");
    image.save(png);
    std::printf("%s\n", qPrintable(png));
}

void ShootGraphPictures(QWidget* mainWindow, const CMeasDataSet& data, const QString& pictures,
                        const std::function<void(QWidget*, const QString&)>& shoot) {
    SavePicture(mainWindow, pictures, QStringLiteral("picture-trend-panes.png"));
    {
        CXYGraphDlg xy(nullptr, mainWindow);
        xy.SetSourceData(data);
        auto* x = xy.findChild<QComboBox*>(QString::number(IDC_XY_COMPONENT));
        x->setCurrentIndex(x->findData(data.FindSlot(kDepthElement)));
        xy.show();
        SavePicture(&xy, pictures, QStringLiteral("picture-xy.png"));
        RasteriseSvg(SavePicture(&xy, pictures, QStringLiteral("picture-xy.svg")));
        SavePicture(&xy, pictures, QStringLiteral("picture-xy.pdf"));
        // Four lines only: temperature on the left axis, pH on the right,
        // salinity and oxygen read by their scales in the legend.
        for (int k = 0; k < 13; ++k) {
            const int element = data.GetElement(k);
            if (auto* box = xy.findChild<QCheckBox*>(QString::number(kXYCheckIds[k])); box != nullptr) {
                box->setChecked(box->isEnabled() &&
                                (element == 10 || element == 1 || element == 7 || element == 4));
            }
        }
        xy.OnComponentCheck();
        SavePicture(&xy, pictures, QStringLiteral("picture-xy-four-lines.png"));
        xy.reject();
    }
    {
        CDepthGraphDlg depth(mainWindow);
        depth.SetInitialData(&data);
        depth.show();
        QCoreApplication::processEvents();
        SavePicture(&depth, pictures, QStringLiteral("picture-depth.png"));
        depth.reject();
    }

    // Awkward data: a trend of one value, a trend with no value in its unit,
    // and salinities with a missing value and a data error among them.
    CMeasDataSet lone;
    lone.AddMemoryRecord(MemoryReply({{10, 18.25}}, 0));
    ShowPane(lone, QStringLiteral("trend-single-value"), shoot);
    CMeasDataSet otherUnit;
    for (int i = 0; i < 20; ++i) {
        otherUnit.AddMemoryRecord(MemoryReply({{10, 64.0 + i * 0.1, 1, 1}}, i * 5));
    }
    ShowPane(otherUnit, QStringLiteral("trend-no-data"), shoot);
    CMeasDataSet gaps;
    for (int i = 0; i < 40; ++i) {
        const double depth = i * 0.5;
        Component salinity{7, 30.0 + 0.3 * i, 1};
        if (i == 12) {
            salinity.state = 0;  // saved as "-", read back as 0
            salinity.value = 0.0;
        } else if (i == 25) {
            salinity.error = 1;
            salinity.value = -50.0;
        }
        gaps.AddMemoryRecord(
            MemoryReply({{10, 20.0 - 0.2 * i}, {1, 8.1 - 0.01 * i}, salinity, {11, depth}}, i * 5));
    }
    CXYGraphDlg xy(nullptr, mainWindow);
    xy.SetSourceData(gaps);
    auto* x = xy.findChild<QComboBox*>(QString::number(IDC_XY_COMPONENT));
    x->setCurrentIndex(x->findData(gaps.FindSlot(kDepthElement)));
    auto* scale = xy.findChild<QComboBox*>(QString::number(IDC_XY_Y_SCALE));
    scale->setCurrentIndex(scale->findData(gaps.FindSlot(7)));
    xy.show();
    shoot(&xy, QStringLiteral("xy-graph-invalid-values"));
    xy.reject();
}

}  // namespace kelp
