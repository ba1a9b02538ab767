// Pictures of the graph windows in both languages under build/shots/, with
// data made like real depth casts; the checks make sure each picture shows
// what it should before anyone looks at it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QPixmap>

#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "tests/ui_graphwin/CastData.h"
#include "ui/graphs/AxisSettingsDlg.h"
#include "ui/graphs/DepthGraphDlg.h"
#include "ui/graphs/XYGraphDlg.h"

namespace kelp {
namespace {

QString ShotPath(const char* name, bool english) {
    const QString dir = QStringLiteral(KELP_BINARY_DIR "/shots");
    QDir().mkpath(dir);
    return dir + QStringLiteral("/%1_%2.png").arg(QLatin1String(name), english ? "en" : "ja");
}

class GraphWindowShots : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        ASSERT_EQ(SelectLanguage(GetParam() ? "en_US" : "ja_JP", KELP_ENGLISH_TEXT), GetParam());
    }
    void TearDown() override { SelectLanguage("ja_JP", KELP_ENGLISH_TEXT); }
};

TEST_P(GraphWindowShots, DepthProfileOfFiveCasts) {
    const bool english = GetParam();
    CDepthGraphDlg dlg;
    const double depths[] = {24.0, 27.5, 18.0, 29.0, 22.0};
    for (int i = 0; i < 5; ++i) {
        CMeasDataSet cast;
        testing::FillCast(cast, depths[i], 120 + 10 * i, 0.6 * i);
        cast.SetName("/home/field/casts/2026-06-0" + std::to_string(i + 1) + "_st" + std::to_string(i + 1) +
                     ".csv");
        ASSERT_TRUE(dlg.AddSeries(cast));
    }
    dlg.show();
    QApplication::processEvents();
    const QImage image = dlg.grab().toImage();
    EXPECT_TRUE(image.save(ShotPath("depth_graph", english)));
    EXPECT_EQ(dlg.windowTitle().toStdString(), LoadDialogTitle(IDD_DEPTH_GRAPH));
    EXPECT_GE(dlg.ThresholdCount(), 8);
}

TEST_P(GraphWindowShots, XYGraphAgainstDepthAndItsAxisSettings) {
    const bool english = GetParam();
    CMeasDataSet cast;
    testing::FillCast(cast, 28.0, 300);
    cast.SetName("/home/field/casts/2026-06-01_st1.csv");
    CXYGraphDlg dlg(nullptr);
    dlg.SetSourceData(cast);
    auto* x = dlg.findChild<QComboBox*>(QString::number(IDC_XY_COMPONENT));
    ASSERT_NE(x, nullptr);
    const int depth = x->findData(10);  // slot 10 holds depth
    ASSERT_GE(depth, 0);
    x->setCurrentIndex(depth);
    dlg.show();
    QApplication::processEvents();
    EXPECT_TRUE(dlg.grab().toImage().save(ShotPath("xy_graph", english)));
    EXPECT_EQ(dlg.XSlot(), 10);

    dlg.OnGraphSettings();
    QApplication::processEvents();
    ASSERT_NE(dlg.AxisSettings(), nullptr);
    EXPECT_TRUE(dlg.AxisSettings()->isVisible());
    EXPECT_TRUE(dlg.AxisSettings()->grab().toImage().save(ShotPath("axis_settings", english)));
}

INSTANTIATE_TEST_SUITE_P(Languages, GraphWindowShots, ::testing::Values(false, true), [](const auto& info) {
    return info.param ? std::string("English") : std::string("Japanese");
});

}  // namespace
}  // namespace kelp
