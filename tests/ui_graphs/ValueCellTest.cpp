#include <gtest/gtest.h>

#include <QFontMetrics>

#include "tests/ui_graphs/GuiApp.h"
#include "ui/main/ColorLamp.h"
#include "ui/main/Fonts.h"
#include "ui/main/ValueCell.h"

namespace kelp {
namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kBlack = 0x00000000;
constexpr std::uint32_t kRed = 0x000000FF;

// Pixels in the rectangle that differ from the background.
int Ink(const QImage& image, const QRect& r, QRgb background) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF)) {
                ++n;
            }
        }
    }
    return n;
}

class ValueCellTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { test::GuiApp(); }
    void SetUp() override {
        parent_.setFont(QFont(QStringLiteral("IPAPGothic"), 9));
        parent_.resize(400, 200);
    }
    CValueCell* MakeCell(bool valueMode, int w, int h) {
        auto* cell = new CValueCell(&parent_);
        cell->SetValueMode(valueMode);
        cell->SetAutoFont(true);
        cell->resize(w, h);
        return cell;
    }
    QWidget parent_;
};

TEST_F(ValueCellTest, ValueFontTakesTheCellHeightAndASixthOfTheWidth) {
    const QFont f = CValueCell::ValueFont(parent_.font(), 60, 20);
    EXPECT_EQ(f.pixelSize(), 20);
    EXPECT_EQ(f.family(), QStringLiteral("IPAGothic"));
    // trunc(60 x 0.147...) = 8 pixels of average character width.
    EXPECT_NEAR(QFontMetrics(f).averageCharWidth(), 8, 1);
    const QFont wide = CValueCell::ValueFont(parent_.font(), 120, 20);
    EXPECT_NEAR(QFontMetrics(wide).averageCharWidth(), 17, 1);
}

TEST_F(ValueCellTest, LabelFontIsFourSeventhsOfTheCellHeight) {
    EXPECT_EQ(CValueCell::LabelFont(parent_.font(), 35).pixelSize(), 20);
    EXPECT_EQ(CValueCell::LabelFont(parent_.font(), 20).pixelSize(), 11);  // 80 / 7
    // Too small a cell for a scaled font keeps the dialog font.
    EXPECT_EQ(CValueCell::LabelFont(parent_.font(), 1).pointSize(), 9);
}

TEST_F(ValueCellTest, ValueCellPaintsItsBackgroundAndRightAlignedText) {
    CValueCell* cell = MakeCell(true, 120, 20);
    cell->SetBackgroundColour(kWhite);
    cell->SetTextColour(kBlack);
    cell->SetText(QStringLiteral("7.25"));
    const QImage image = test::Render(*cell);
    EXPECT_EQ(image.pixel(1, 1) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(Ink(image, QRect(0, 0, 50, 20), qRgb(255, 255, 255)), 0);
    EXPECT_GT(Ink(image, QRect(80, 0, 40, 20), qRgb(255, 255, 255)), 20);

    cell->SetBackgroundColour(kRed);
    EXPECT_EQ(test::Render(*cell).pixel(1, 1) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(ValueCellTest, LabelTooWideForTheScaledFontFallsBackToTheDialogFont) {
    const QString text = QStringLiteral("Conductivity");
    CValueCell* scaled = MakeCell(false, 70, 40);
    scaled->SetText(text);
    CValueCell* plain = MakeCell(false, 70, 40);
    plain->SetAutoFont(false);
    plain->SetText(text);
    EXPECT_EQ(test::Render(*scaled), test::Render(*plain));

    // A short label keeps the scaled font, so it paints differently.
    scaled->SetText(QStringLiteral("pH"));
    plain->SetText(QStringLiteral("pH"));
    EXPECT_NE(test::Render(*scaled), test::Render(*plain));
}

TEST_F(ValueCellTest, TwoLineLabelDrawsBothHalvesEvenWhenTheyDoNotFit) {
    CValueCell* cell = MakeCell(false, 40, 40);
    cell->SetBackgroundColour(kWhite);
    cell->SetTextColour(kBlack);
    cell->SetText(QStringLiteral("Optical\nDissolvedOxygen"));
    const QImage image = test::Render(*cell);
    const QRgb white = qRgb(255, 255, 255);
    EXPECT_GT(Ink(image, QRect(0, 0, 40, 20), white), 10);
    EXPECT_GT(Ink(image, QRect(0, 20, 40, 20), white), 10);

    // One line in a cell of the same size draws nothing in the top quarter:
    // the line feed is what splits the text.
    cell->SetText(QStringLiteral("DO"));
    EXPECT_EQ(Ink(test::Render(*cell), QRect(0, 0, 40, 5), white), 0);
}

TEST_F(ValueCellTest, TwoLineLabelKeepsClearOfItsEdgesWhereItFits) {
    // A panel row of the 800 x 600 window: the English two-line labels stay
    // inside their cell instead of touching the rows above and below.
    for (const char* text : {"Specific\nGravity", "Water\nTemp."}) {
        CValueCell* cell = MakeCell(false, 130, 30);
        cell->SetBackgroundColour(kWhite);
        cell->SetTextColour(kBlack);
        cell->SetText(QString::fromUtf8(text));
        const QImage image = test::Render(*cell);
        const QRgb white = qRgb(255, 255, 255);
        EXPECT_EQ(Ink(image, QRect(0, 0, 130, 1), white), 0) << text;
        EXPECT_EQ(Ink(image, QRect(0, 29, 130, 1), white), 0) << text;
        EXPECT_EQ(Ink(image, QRect(0, 0, 2, 30), white), 0) << text;
        EXPECT_GT(Ink(image, QRect(0, 0, 130, 15), white), 20) << text;
        EXPECT_GT(Ink(image, QRect(0, 15, 130, 15), white), 20) << text;
    }
}

TEST(ColorLampTest, BackgroundAndTextColoursAreWhatWasSetLast) {
    test::GuiApp();
    CColorLamp lamp(QStringLiteral("異常"), nullptr);
    lamp.resize(60, 20);
    EXPECT_EQ(lamp.GetBackgroundColour(), ButtonFaceColour());
    lamp.SetBackgroundColour(0x0000FF00);
    lamp.SetBackgroundColour(kRed);
    lamp.SetTextColour(kWhite);
    QImage image = test::Render(lamp);
    test::SaveShot(image, QStringLiteral("lamp.png"));
    EXPECT_EQ(image.pixel(1, 1) & 0xFFFFFF, 0xFF0000u);
    EXPECT_GT(Ink(image, QRect(0, 0, 60, 20), qRgb(255, 0, 0)), 10);
    bool anyWhite = false;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 60; ++x) {
            anyWhite = anyWhite || qGreen(image.pixel(x, y)) > 160;
        }
    }
    EXPECT_TRUE(anyWhite);

    // Disabled: the text turns grey, the background stays.
    lamp.setEnabled(false);
    const QImage enabled = image;
    image = test::Render(lamp);
    EXPECT_NE(image, enabled);
    EXPECT_EQ(image.pixel(1, 1) & 0xFFFFFF, 0xFF0000u);
    bool whiteLeft = false;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 60; ++x) {
            whiteLeft = whiteLeft || (qGreen(image.pixel(x, y)) > 240 && qBlue(image.pixel(x, y)) > 240);
        }
    }
    EXPECT_FALSE(whiteLeft);
}

}  // namespace
}  // namespace kelp

namespace kelp {
namespace {

TEST(MapFontFace, JapaneseWindowsFacesMapToTheInstalledGothics) {
    EXPECT_EQ(MapFontFace(QStringLiteral("MS UI Gothic")), QStringLiteral("IPAGothic"));
    EXPECT_EQ(MapFontFace(QStringLiteral("ＭＳ Ｐゴシック")), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(MapFontFace(QStringLiteral("MS Pゴシック")), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(MapFontFace(QStringLiteral("ＭＳ ゴシック")), QStringLiteral("IPAGothic"));
    EXPECT_EQ(MapFontFace(QStringLiteral("Arial")), QStringLiteral("Arial"));
}

}  // namespace
}  // namespace kelp
