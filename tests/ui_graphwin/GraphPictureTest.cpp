// Pictures of the graphs as the user keeps them: one file of each format,
// checked as a reader of the file would, and a print.
#include "ui/graphs/GraphPicture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <map>

#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "tests/ui_graphwin/CastData.h"
#include "tests/ui_graphwin/DataFiles.h"
#include "tests/ui_graphwin/PictureFiles.h"
#include "ui/graphs/AxisScale.h"
#include "ui/graphs/DepthGraph.h"
#include "ui/graphs/DepthGraphDlg.h"
#include "ui/graphs/TrendGraph.h"
#include "ui/graphs/XYGraph.h"
#include "ui/graphs/XYGraphDlg.h"
#include "ui/main/Fonts.h"
#include "ui/main/MessageBox.h"

namespace kelp {
namespace {

using testing::FillCast;
using testing::TempDir;

QFont GraphFont() {
    QFont font(MapFontFace(QStringLiteral("ＭＳ Ｐゴシック")));
    font.setPointSize(9);
    return font;
}

// Answers the next save dialog with `path`.
class SaveAnswer final {
  public:
    explicit SaveAnswer(std::string path) {
        SetSaveFileResponder([path](QWidget*) { return path; });
    }
    ~SaveAnswer() { SetSaveFileResponder({}); }
    SaveAnswer(const SaveAnswer&) = delete;
    SaveAnswer& operator=(const SaveAnswer&) = delete;
};

void Trigger(QWidget& window, int command) {
    auto* action = window.findChild<QAction*>(QString::number(command));
    ASSERT_NE(action, nullptr) << command;
    action->trigger();
}

TEST(GraphPicture, PngOfTheXYGraphHasTheWindowsSizeAndItsLines) {
    TempDir dir;
    CMeasDataSet cast;
    FillCast(cast, 25.0, 200);
    CXYGraphDlg dlg(nullptr);
    dlg.SetSourceData(cast);
    const std::string path = dir.File("xy.png");
    {
        const SaveAnswer answer(path);
        Trigger(dlg, ID_SAVE_PICTURE);
    }
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(path)));
    EXPECT_EQ(image.size(), dlg.RenderClient().size());
    std::map<QRgb, int> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ++colours[image.pixel(x, y) & 0xFFFFFF];
        }
    }
    // Every drawn line shows in its colour; the X slot (temperature) has none.
    for (int k = 1; k <= 10; ++k) {
        EXPECT_GT(colours[CXYGraph::LineColour(k).rgb() & 0xFFFFFF], 20) << k;
    }
    EXPECT_EQ(colours[CXYGraph::LineColour(0).rgb() & 0xFFFFFF], 0);
}

TEST(GraphPicture, SvgOfTheXYGraphHoldsThePolylinesOfTheDrawnLinesAndItsTexts) {
    // The graph without a window, as the command line draws it.
    TempDir dir;
    CMeasDataSet cast;
    FillCast(cast, 25.0, 200);
    CXYGraph graph;
    graph.SetData(&cast);
    graph.ResetSlots();
    const int depth = cast.FindSlot(kDepthElement);
    graph.ChooseXSlot(depth);
    graph.SetChecked(4, false);
    graph.ComputeRanges();
    const QString title = QStringLiteral("X-Yグラフ [cast.csv]");
    const std::string path = dir.File("xy.svg");
    const auto widgets = QApplication::allWidgets().size();
    ASSERT_TRUE(SavePicture(
        path, PictureFormat::Svg, QSize(640, 480), title,
        [&](QPainter& painter, const QRect& rect) { graph.Render(painter, rect, GraphFont(), title); }));
    EXPECT_EQ(QApplication::allWidgets().size(), widgets);  // no window needed
    testing::SvgContents svg = testing::ReadSvg(path);
    ASSERT_TRUE(svg.parsed);
    EXPECT_EQ(svg.viewBox, QStringLiteral("0 0 640 480"));
    const auto pointsOf = [&](int k) { return svg.polylinePoints[CXYGraph::LineColour(k).name()]; };
    for (int k = 0; k < depth; ++k) {
        if (k != 4) {
            EXPECT_GT(pointsOf(k), 20) << k;
        }
    }
    EXPECT_EQ(pointsOf(4), 0);      // unchecked
    EXPECT_EQ(pointsOf(depth), 0);  // the X slot
    EXPECT_TRUE(svg.texts.contains(QString::fromStdString(graph.AxisTitle(depth))))
        << svg.texts.toStdString();
    EXPECT_TRUE(svg.texts.contains(title));
    // Every line can be read: the legend gives each its scale and unit, and
    // the first line after the Y scale's has the axis on the right.
    const std::string temperature = graph.LegendText(0);
    EXPECT_TRUE(temperature.ends_with(LoadText(UnitTextId(10, 0)))) << temperature;
    EXPECT_NE(temperature.find(FormatAxisValue(graph.AxisMin(0), 2)), std::string::npos) << temperature;
    for (int k = 0; k < depth; ++k) {
        if (k != 4) {
            EXPECT_TRUE(svg.texts.contains(QString::fromStdString(graph.LegendText(k)))) << k;
        }
    }
    ASSERT_EQ(graph.YScaleSlot(), 0);
    ASSERT_EQ(graph.RightAxisSlot(), 1);
    EXPECT_TRUE(svg.texts.contains(QString::fromStdString(graph.AxisTitle(1))));
}

TEST(GraphPicture, PdfOfATrendGraphIsOnePageOfTheAskedSizeWithItsFontsEmbedded) {
    TempDir dir;
    CMeasDataSet cast;
    FillCast(cast, 25.0, 200);
    CTrendGraph graph;
    graph.SetDataSet(&cast);
    graph.SetSlot(0, 0, cast.GetElement(0), GraphTimeSettings{}, GraphSlotSettings{});
    graph.SetCount(cast.GetCount());
    const std::string path = dir.File("trend.pdf");
    ASSERT_TRUE(
        SavePicture(path, PictureFormat::Pdf, QSize(800, 400), QStringLiteral("trend"),
                    [&](QPainter& painter, const QRect& rect) { graph.Render(painter, rect, GraphFont()); }));
    const std::string pdf = testing::ReadAll(path);
    // One page of 800 x 400 logical pixels: 600 x 300 points.
    EXPECT_EQ(testing::PdfPages(pdf), 1);
    const QSizeF page = testing::PdfPageSize(pdf);
    EXPECT_NEAR(page.width(), 600.0, 0.5);
    EXPECT_NEAR(page.height(), 300.0, 0.5);
    // The Japanese title and labels are drawn with an embedded font.
    EXPECT_NE(pdf.find("/FontFile2"), std::string::npos);
}

TEST(GraphPicture, PrintingTheDepthGraphPrintsOnePage) {
    TempDir dir;
    CMeasDataSet cast;
    FillCast(cast, 25.0, 200);
    CDepthGraphDlg dlg;
    ASSERT_TRUE(dlg.AddSeries(cast));
    const std::string path = dir.File("printed.pdf");
    bool asked = false;
    SetPrintResponder([&](QPrinter& printer) {
        asked = true;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(path));
        return true;
    });
    Trigger(dlg, ID_PRINT_GRAPH);
    SetPrintResponder({});
    EXPECT_TRUE(asked);
    EXPECT_EQ(testing::PdfPages(testing::ReadAll(path)), 1);
}

TEST(GraphPicture, TheDepthGraphWithoutAWindowChoosesAndDrawsWhatTheWindowShows) {
    CMeasDataSet cast;
    FillCast(cast, 25.0, 200);
    CDepthGraphDlg dlg;
    ASSERT_TRUE(dlg.AddSeries(cast));
    CDepthGraph graph;
    ASSERT_EQ(graph.AddSeries(cast), CDepthGraph::AddResult::Added);
    graph.SelectDefaults();
    EXPECT_EQ(graph.Element(), dlg.ComponentElement());
    EXPECT_EQ(graph.Unit(), dlg.ComponentUnit());
    EXPECT_EQ(graph.DepthUnit(), dlg.DepthUnit());
    EXPECT_EQ(graph.Thresholds(), dlg.Thresholds());
    // At the window's size the picture's map is the window's (the depth
    // caption, a control in the window, aside).
    QImage picture(dlg.RenderClient().size(), QImage::Format_RGB32);
    QPainter painter(&picture);
    graph.Render(painter, picture.rect(), dlg.font(), QStringLiteral("depth"));
    painter.end();
    const QImage window = dlg.RenderClient();
    const QRect g = dlg.GraphFrameRect();
    const QRect rows(QPoint(g.left(), dlg.RowLabelRect().top()), g.bottomRight());
    EXPECT_EQ(picture.copy(rows), window.copy(rows));
}

TEST(GraphPicture, AFileThatCannotBeWrittenIsReported) {
    CMeasDataSet cast;
    FillCast(cast, 25.0, 50);
    CXYGraphDlg dlg(nullptr);
    dlg.SetSourceData(cast);
    std::vector<int> shown;
    SetMessageResponder([&](QWidget*, int id, int) {
        shown.push_back(id);
        return IDOK;
    });
    {
        const SaveAnswer answer("/nonexistent-folder/xy.png");
        Trigger(dlg, ID_SAVE_PICTURE);
    }
    SetMessageResponder({});
    EXPECT_EQ(shown, std::vector<int>{IDS_PICTURE_SAVE_FAILED});
}

}  // namespace
}  // namespace kelp
