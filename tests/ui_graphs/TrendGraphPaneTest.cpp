#include "ui/graphs/TrendGraphPane.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>
#include <QToolButton>
#include <cstdio>
#include <memory>
#include <vector>

#include "data/MeasDataSet.h"
#include "link/MessageTarget.h"
#include "resources/ResourceIds.h"
#include "tests/ui_graphs/GuiApp.h"
#include "tests/ui_graphs/PaneData.h"

namespace kelp {
namespace {

using test::AddSample;
using test::Sample;

constexpr QRgb kGreen = qRgb(0, 255, 0);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kCyan = qRgb(0, 255, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);

QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000u;
}

bool AnyDark(const QImage& image, const QRect& r) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                return true;
            }
        }
    }
    return false;
}

bool AnyOf(const QImage& image, const QRect& r, QRgb colour) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (At(image, x, y) == (colour | 0xFF000000u)) {
                return true;
            }
        }
    }
    return false;
}

class RecordingTarget final : public IMessageTarget {
  public:
    void Post(AppMessage message) override { posted.push_back(std::move(message)); }
    void Send(AppMessage message) override { posted.push_back(std::move(message)); }
    std::vector<AppMessage> posted;
};

class TrendGraphPaneTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { test::GuiApp(); }

    void SetUp() override {
        font_.setFamily(QStringLiteral("IPAGothic"));
        font_.setPixelSize(12);
        pane_ = std::make_unique<CTrendGraphPane>();
        pane_->SetSlot(0, 0, time_, slot_);
        pane_->SetCount(0);
        pane_->SetDataSet(&data_);
    }

    // What the main window does after records arrive or settings change.
    void Feed(int column = 0) {
        pane_->SetSlot(column, column, time_, slot_);
        pane_->SetCount(data_.GetCount());
    }

    QImage Draw(QSize size = QSize(400, 300)) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        painter.setFont(font_);
        const QRect client(QPoint(0, 0), size);
        const QRect area = CTrendGraphPane::PlotAreaFor(client);
        frame_ = CTrendGraphPane::FrameFor(painter.fontMetrics(), area);
        lineHeight_ = painter.fontMetrics().height();
        pane_->DrawGraph(painter, client, area);
        return image;
    }

    int X(double t) const { return MapToPixel(t, pane_->GetXMin(), pane_->GetXMax(), frame_.X0, frame_.X1); }
    int Y(double v) const { return MapToPixel(v, pane_->GetYMax(), pane_->GetYMin(), frame_.Y0, frame_.Y1); }
    // The band below the frame where time labels and the axis title stand.
    QRect TimeLabelBand() const {
        return QRect(QPoint(frame_.X0, frame_.Y1 + 1),
                     QPoint(frame_.X1 - 1, frame_.Y1 + (5 * lineHeight_) / 2 - 1));
    }
    // True when `text` stands at (x, y) as the pane draws text: black on a
    // white box whose top-left corner is (x, y).
    bool TextAt(const QImage& image, int x, int y, const QString& text) const {
        const QFontMetrics fm(font_, &image);
        QImage expected(fm.horizontalAdvance(text), fm.height(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        QPainter p(&expected);
        p.setFont(font_);
        p.setPen(Qt::black);
        p.drawText(0, fm.ascent(), text);
        p.end();
        return image.copy(x, y, expected.width(), expected.height()) == expected;
    }
    int TextWidth(const QString& text) const { return QFontMetrics(font_).horizontalAdvance(text); }

    QRect Interior() const {
        return QRect(QPoint(frame_.X0 + 1, frame_.Y0 + 1), QPoint(frame_.X1 - 2, frame_.Y1 - 2));
    }

    QFont font_;
    CMeasDataSet data_;
    GraphTimeSettings time_;
    GraphSlotSettings slot_;
    std::unique_ptr<CTrendGraphPane> pane_;
    CTrendGraphPane::Frame frame_;
    int lineHeight_ = 0;
};

TEST_F(TrendGraphPaneTest, EmptyGraphRunsFromZeroToTenSecondsAndZeroToOne) {
    // Slot 11 holds no component.
    Feed(11);
    EXPECT_EQ(pane_->GetElement(), 0);
    EXPECT_EQ(pane_->GetXMin(), 0.0);
    EXPECT_EQ(pane_->GetXMax(), 10.0);
    EXPECT_EQ(pane_->GetYMin(), 0.0);
    EXPECT_EQ(pane_->GetYMax(), 1.0);
    EXPECT_EQ(pane_->GetReferenceTime().Format("%Y/%m/%d %H:%M:%S"), "2007/01/01 00:00:00");

    const QImage image = Draw();
    // Frame: black outline, right and bottom edges exclusive.
    EXPECT_EQ(At(image, frame_.X0, frame_.Y0), kBlack | 0xFF000000u);
    EXPECT_EQ(At(image, frame_.X1 - 1, frame_.Y1 - 1), kBlack | 0xFF000000u);
    EXPECT_NE(At(image, frame_.X1, frame_.Y0 + 5), kBlack | 0xFF000000u);
    EXPECT_EQ(At(image, frame_.X0 + 2, frame_.Y0 + 2), kWhite | 0xFF000000u);
    // Cyan grid at 5 s; none on the frame edges.
    EXPECT_EQ(At(image, X(5), frame_.Y0 + 3), kCyan | 0xFF000000u);
    // The empty graph says so in its middle.
    const QString noData = QStringLiteral("データなし");
    EXPECT_TRUE(TextAt(image, frame_.X0 + (frame_.X1 - frame_.X0 - TextWidth(noData)) / 2,
                       frame_.Y0 + (frame_.Y1 - frame_.Y0 - lineHeight_) / 2, noData));
    // Value labels 0 and 1 at the bottom and top edges, left of the frame.
    const int h = lineHeight_;
    EXPECT_TRUE(AnyDark(image, QRect(frame_.X0 - 20, frame_.Y1 - h / 2, 18, h)));
    EXPECT_TRUE(AnyDark(image, QRect(frame_.X0 - 20, frame_.Y0 - h / 2, 18, h)));
    EXPECT_TRUE(TextAt(image, frame_.X0 - TextWidth("0") - 2, frame_.Y1 - h / 2, "0"));
    EXPECT_TRUE(TextAt(image, frame_.X0 - TextWidth("1") - 2, frame_.Y0 - h / 2, "1"));
    // Time labels centred under their ticks, the axis title under them.
    EXPECT_TRUE(TextAt(image, frame_.X0 - TextWidth("0") / 2, frame_.Y1 + h / 2, "0"));
    EXPECT_TRUE(TextAt(image, X(10) - TextWidth("10") / 2, frame_.Y1 + h / 2, "10"));
    const QString seconds = QStringLiteral("時間 [秒]");
    EXPECT_TRUE(TextAt(image, frame_.X0 + (frame_.X1 - TextWidth(seconds) - frame_.X0) / 2,
                       frame_.Y1 + h + h / 2, seconds));
    // Title with the slot number padded to two places, and the unit (none).
    const QString title = QStringLiteral("12 : ---");
    EXPECT_TRUE(TextAt(image, 400 / 2 - TextWidth(title) / 2, 5, title));
    EXPECT_TRUE(TextAt(image, frame_.X0 - TextWidth("[ ]"), 21 - h - 2, "[ ]"));
}

TEST_F(TrendGraphPaneTest, TitleOfTheFirstSlotCarriesALeadingBlankAndTheUnitStandsAboveTheAxis) {
    Feed(0);
    const QImage image = Draw();
    const QString title = QStringLiteral(" 1 : 水温");
    EXPECT_TRUE(TextAt(image, 400 / 2 - TextWidth(title) / 2, 5, title));
    EXPECT_TRUE(TextAt(image, frame_.X0 - TextWidth("[℃]"), 21 - lineHeight_ - 2, "[℃]"));
}

TEST_F(TrendGraphPaneTest, ClockLabelsStartAtMidnightOfTheEmptyGraph) {
    time_.DispType = 1;
    Feed(11);
    const QImage image = Draw();
    const int h = lineHeight_;
    EXPECT_TRUE(TextAt(image, frame_.X0 - TextWidth("00:00:00") / 2, frame_.Y1 + h / 2, "00:00:00"));
    EXPECT_TRUE(TextAt(image, X(10) - TextWidth("00:00:10") / 2, frame_.Y1 + h / 2, "00:00:10"));
    const QString clock = QStringLiteral("時間");
    EXPECT_TRUE(TextAt(image, frame_.X0 + (frame_.X1 - TextWidth(clock) - frame_.X0) / 2,
                       frame_.Y1 + h + h / 2, clock));
}

TEST_F(TrendGraphPaneTest, ClockLabelsCountFromTheReferenceTime) {
    time_.DispType = 1;
    AddSample(data_, {36000, " 1.00"});
    AddSample(data_, {36030, " 1.50"});
    Feed();
    const QImage image = Draw();
    const int h = lineHeight_;
    // The first tick carries the date.
    EXPECT_TRUE(
        TextAt(image, frame_.X0 - TextWidth("01-01 10:00:00") / 2, frame_.Y1 + h / 2, "01-01 10:00:00"));
    EXPECT_TRUE(TextAt(image, X(30) - TextWidth("10:00:30") / 2, frame_.Y1 + h / 2, "10:00:30"));
    time_.DispType = 0;
    Feed();
    const QImage seconds = Draw();
    EXPECT_TRUE(TextAt(seconds, X(30) - TextWidth("30") / 2, frame_.Y1 + h / 2, "30"));
}

TEST_F(TrendGraphPaneTest, AutoRangeUnderTenSecondsSpansTenSecondsFromTheEarliestRecord) {
    AddSample(data_, {36000, " 1.00"});
    AddSample(data_, {36003, " 1.50"});
    AddSample(data_, {36006, " 1.20"});
    Feed();
    EXPECT_EQ(pane_->GetXMin(), 0.0);
    EXPECT_EQ(pane_->GetXMax(), 10.0);
    EXPECT_EQ(pane_->GetReferenceTime().Format("%H:%M:%S"), "10:00:00");
    {
        const QImage image = Draw();
        const int h = lineHeight_;
        // The axis ends 10 s after the first record; the curve stops at 6 s.
        EXPECT_TRUE(TextAt(image, X(10) - TextWidth("10") / 2, frame_.Y1 + h / 2, "10"));
        EXPECT_EQ(X(10), frame_.X1);
        EXPECT_EQ(At(image, X(4.5), Y(1.35)), kGreen | 0xFF000000u);
        EXPECT_FALSE(AnyOf(
            image, QRect(QPoint(X(6) + 2, frame_.Y0 + 1), QPoint(frame_.X1 - 2, frame_.Y1 - 2)), kGreen));
    }

    AddSample(data_, {36025, " 1.30"});
    Feed();
    EXPECT_EQ(pane_->GetXMax(), 25.0);
}

TEST_F(TrendGraphPaneTest, LatestDataWithOneRecordHasNoTimeTicksAndNoCurve) {
    time_.RangeType = 2;
    AddSample(data_, {36000, " 1.00"});
    Feed();
    pane_->SetCursorIndex(0);
    EXPECT_EQ(pane_->GetXMin(), 0.0);
    EXPECT_EQ(pane_->GetXMax(), 0.0);
    const QImage image = Draw();
    const QRgb face = At(image, 1, image.height() - 1);
    // Nothing but the button face below the frame: no labels, no title.
    for (int y = TimeLabelBand().top(); y <= TimeLabelBand().bottom(); ++y) {
        for (int x = TimeLabelBand().left(); x <= TimeLabelBand().right(); ++x) {
            ASSERT_EQ(At(image, x, y), face) << x << "," << y;
        }
    }
    EXPECT_FALSE(AnyOf(image, Interior(), kGreen));
    EXPECT_FALSE(AnyOf(image, Interior(), kRed));
}

TEST_F(TrendGraphPaneTest, FixedRangeIsCountedFromTheEarliestRecordAndNeverStartsBeforeIt) {
    // A ramp: the value is a hundredth of the second.
    for (int s = 0; s <= 300; s += 10) {
        char value[8];
        std::snprintf(value, sizeof value, "%5.2f", s / 100.0);
        AddSample(data_, {36000 + s, value});
    }
    time_.RangeType = 1;
    time_.XMin = 60;
    time_.XMax = 120;
    Feed();
    EXPECT_EQ(pane_->GetXMin(), 60.0);
    EXPECT_EQ(pane_->GetXMax(), 120.0);
    {
        // Labels count seconds from the earliest record; the curve runs
        // through the shown minute and is cut at the frame.
        const QImage image = Draw();
        const int h = lineHeight_;
        EXPECT_TRUE(TextAt(image, frame_.X0 - TextWidth("60") / 2, frame_.Y1 + h / 2, "60"));
        EXPECT_TRUE(TextAt(image, X(120) - TextWidth("120") / 2, frame_.Y1 + h / 2, "120"));
        EXPECT_EQ(At(image, X(90), Y(0.9)), kGreen | 0xFF000000u);
        EXPECT_TRUE(AnyOf(image, QRect(frame_.X0 + 1, Y(0.6) - 2, 1, 5), kGreen));
        // Nothing of the curve outside the frame.
        EXPECT_FALSE(AnyOf(image, QRect(0, 21, frame_.X0, frame_.Y1 - 21), kGreen));
        EXPECT_FALSE(AnyOf(image, QRect(frame_.X1, 21, image.width() - frame_.X1, frame_.Y1 - 21), kGreen));
    }

    time_.XMin = -30;
    Feed();
    EXPECT_EQ(pane_->GetXMin(), 0.0);
    EXPECT_EQ(pane_->GetXMax(), 120.0);
    {
        const QImage image = Draw();
        const int h = lineHeight_;
        EXPECT_TRUE(TextAt(image, frame_.X0 - TextWidth("0") / 2, frame_.Y1 + h / 2, "0"));
        EXPECT_EQ(At(image, X(30), Y(0.3)), kGreen | 0xFF000000u);
    }

    // Latest data: the last Range seconds.
    time_.RangeType = 2;
    time_.Range = 100;
    Feed();
    EXPECT_EQ(pane_->GetXMin(), 200.0);
    EXPECT_EQ(pane_->GetXMax(), 300.0);
}

TEST_F(TrendGraphPaneTest, TimeLabelsCountFromTheEarliestRecordEvenWhenItIsNotTheFirst) {
    // A file whose first record is not its earliest: elapsed seconds run
    // from -30 to 30 against record 0.
    for (const int s : {36030, 36000, 36010, 36020, 36040, 36060}) {
        AddSample(data_, {s, " 1.00"});
    }
    Feed();
    EXPECT_EQ(pane_->GetXMin(), -30.0);
    EXPECT_EQ(pane_->GetXMax(), 30.0);
    EXPECT_EQ(pane_->GetMinElapsed(), -30.0);
    QImage image = Draw();
    const int h = lineHeight_;
    EXPECT_TRUE(TextAt(image, frame_.X0 - TextWidth("0") / 2, frame_.Y1 + h / 2, "0"));
    EXPECT_TRUE(TextAt(image, X(0) - TextWidth("30") / 2, frame_.Y1 + h / 2, "30"));
    EXPECT_TRUE(TextAt(image, X(30) - TextWidth("60") / 2, frame_.Y1 + h / 2, "60"));

    time_.DispType = 1;
    Feed();
    image = Draw();
    EXPECT_TRUE(
        TextAt(image, frame_.X0 - TextWidth("01-01 10:00:00") / 2, frame_.Y1 + h / 2, "01-01 10:00:00"));
    EXPECT_TRUE(TextAt(image, X(30) - TextWidth("10:01:00") / 2, frame_.Y1 + h / 2, "10:01:00"));
}

TEST_F(TrendGraphPaneTest, ConstantValuesWidenByOneUnitOfTheirDecimals) {
    for (int s = 0; s < 5; ++s) {
        AddSample(data_, {36000 + s, " 7.00"});
    }
    Feed();
    EXPECT_NEAR(pane_->GetYMin(), 6.9888, 1e-9);
    EXPECT_NEAR(pane_->GetYMax(), 7.0112, 1e-9);
    EXPECT_EQ(pane_->GetDecimals(), 2);
    const QImage image = Draw();
    // The curve is a green line at 7.00 from the first to the last record.
    EXPECT_EQ(At(image, X(2), Y(7.0)), kGreen | 0xFF000000u);
    EXPECT_EQ(At(image, X(3.5), Y(7.0)), kGreen | 0xFF000000u);
    EXPECT_NE(At(image, X(7), Y(7.0)), kGreen | 0xFF000000u);
}

TEST_F(TrendGraphPaneTest, ASingleValueShowsAsAPoint) {
    AddSample(data_, {36000, " 7.00"});
    AddSample(data_, {36004, " 9.00", 1});  // another unit: not drawn
    Feed();
    const QImage image = Draw();
    // The point stands on the left edge of the axis, at its value.
    EXPECT_EQ(At(image, frame_.X0 + 1, Y(7.0)), kGreen | 0xFF000000u);
    EXPECT_EQ(At(image, frame_.X0 + 2, Y(7.0) + 2), kGreen | 0xFF000000u);
    EXPECT_FALSE(AnyOf(image, QRect(frame_.X0 + 4, frame_.Y0 + 1, 20, frame_.Y1 - frame_.Y0 - 2), kGreen));
    // It keeps inside the frame: the outline and what lies left of it stay.
    EXPECT_EQ(At(image, frame_.X0, Y(7.0)), kBlack | 0xFF000000u);
    EXPECT_FALSE(AnyOf(image, QRect(frame_.X0 - 3, Y(7.0) - 3, 4, 7), kGreen));
}

TEST_F(TrendGraphPaneTest, NoValueInTheUnitSaysNoDataInsteadOfAnEmptyAxis) {
    AddSample(data_, {36000, " 7.00", 1});
    AddSample(data_, {36010, " 7.50", 1});
    Feed();
    const QImage image = Draw();
    const QString noData = QStringLiteral("データなし");
    EXPECT_TRUE(TextAt(image, frame_.X0 + (frame_.X1 - frame_.X0 - TextWidth(noData)) / 2,
                       frame_.Y0 + (frame_.Y1 - frame_.Y0 - lineHeight_) / 2, noData));
    // No value labels left of the frame; the time axis is still there.
    EXPECT_FALSE(AnyDark(
        image, QRect(0, frame_.Y0 - lineHeight_ / 2, frame_.X0 - 1, frame_.Y1 - frame_.Y0 + lineHeight_)));
    EXPECT_TRUE(TextAt(image, X(10) - TextWidth("10") / 2, frame_.Y1 + lineHeight_ / 2, "10"));
    // A fixed range keeps its axis.
    slot_.YAuto = 0;
    slot_.YMin = 0.0;
    slot_.YMax = 10.0;
    Feed();
    const QString top = QString::fromStdString(FormatAxisValue(10.0, pane_->GetDecimals()));
    EXPECT_TRUE(TextAt(Draw(), frame_.X0 - TextWidth(top) - 2, frame_.Y0 - lineHeight_ / 2, top));
}

TEST_F(TrendGraphPaneTest, FixedValueRangeAndFittedDecimals) {
    AddSample(data_, {36000, " 1.00"});
    AddSample(data_, {36010, " 2.00"});
    slot_.YAuto = 0;
    slot_.YMin = -1234.5;
    slot_.YMax = 10;
    Feed();
    EXPECT_EQ(pane_->GetYMin(), -1234.5);
    EXPECT_EQ(pane_->GetYMax(), 10.0);
    // The data carry 2 decimals; "-1234.50" is too long, "-1234.5" fits.
    EXPECT_EQ(pane_->GetDecimals(), 1);

    // Labels longer than the column: the frame makes room, none is cut.
    slot_.YMin = 0;
    slot_.YMax = 20000000;
    Feed();
    const QImage image = Draw();
    const QString top = QStringLiteral("20000000");
    const int x0 = 2 + TextWidth(top) + 4;
    ASSERT_GT(x0, frame_.X0);
    EXPECT_TRUE(TextAt(image, x0 - TextWidth(top) - 2, frame_.Y0 - lineHeight_ / 2, top));
    EXPECT_EQ(At(image, x0, frame_.Y0 + 5), kBlack | 0xFF000000u);
}

TEST_F(TrendGraphPaneTest, SkippedValuesLeaveTheCurveJoiningTheirNeighbours) {
    for (const int otherUnitOrInvalid : {0, 1}) {
        SCOPED_TRACE(otherUnitOrInvalid == 0 ? "other unit" : "invalid");
        data_.Clear();
        AddSample(data_, {36000, "1.000", 0});
        if (otherUnitOrInvalid == 0) {
            AddSample(data_, {36005, "1.000", 1});
        } else {
            AddSample(data_, {36005, "1.000", 0, 0});
        }
        AddSample(data_, {36010, "2.000", 0});
        Feed();
        EXPECT_NEAR(pane_->GetYMin(), 0.94, 1e-9);
        EXPECT_NEAR(pane_->GetYMax(), 2.06, 1e-9);
        const QImage image = Draw();
        const int x = X(5);
        const int yLine = (Y(1.0) + Y(2.0)) / 2;
        EXPECT_TRUE(AnyOf(image, QRect(x - 1, yLine - 1, 3, 3), kGreen));
        EXPECT_NE(At(image, x, Y(1.0)), kGreen | 0xFF000000u);
    }
}

TEST_F(TrendGraphPaneTest, DenseCurveHasThePixelsOfALineThroughEveryPoint) {
    // Many records to a pixel column, jumping up and down, with skipped
    // values among them: what the pane draws must be what a plain line
    // through every shown point would give.
    std::vector<int> seconds;
    for (int i = 0; i < 3000; ++i) {
        char value[8];
        std::snprintf(value, sizeof value, "%5.2f", 10.0 + (i % 2) * 5.0 + (i % 17) * 0.25 + (i / 500));
        const int unit = i % 23 == 0 ? 1 : 0;
        const int state = i % 29 == 0 ? 0 : 1;
        AddSample(data_, {36000 + i, value, unit, state});
    }
    Feed();
    const QImage image = Draw();

    QImage expected(image.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPolygon line;
    for (int i = 0; i < data_.GetCount(); ++i) {
        if (data_.IsValueValid(0, i) && data_.GetUnit(0, i) == 0) {
            line.append(QPoint(X(data_.GetElapsed(i)), Y(data_.GetValue(0, i))));
        }
    }
    ASSERT_GT(line.size(), 2500);
    QPainter painter(&expected);
    painter.setClipRect(Interior());
    painter.setPen(QPen(QColor(kGreen), 0));
    painter.drawPolyline(line);
    painter.end();

    int green = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool drawn = At(image, x, y) == (kGreen | 0xFF000000u);
            ASSERT_EQ(drawn, At(expected, x, y) == (kGreen | 0xFF000000u)) << x << "," << y;
            green += drawn ? 1 : 0;
        }
    }
    EXPECT_GT(green, 1000);
}

TEST_F(TrendGraphPaneTest, CursorLineStandsAtTheSelectedRecordOnlyWhenAllowed) {
    AddSample(data_, {36000, "1.000"});
    AddSample(data_, {36005, "1.000"});
    AddSample(data_, {36010, "1.000"});
    Feed();
    const auto redAtCursor = [&] {
        const QImage image = Draw();
        return AnyOf(image, QRect(X(5), frame_.Y0 + 1, 1, frame_.Y1 - frame_.Y0 - 2), kRed);
    };
    pane_->SetCursorIndex(1);
    EXPECT_TRUE(redAtCursor());
    {
        const QImage image = Draw();
        // The line spans the inside of the frame only.
        EXPECT_EQ(At(image, X(5), frame_.Y0 + 1), kRed | 0xFF000000u);
        EXPECT_EQ(At(image, X(5), frame_.Y1 - 2), kRed | 0xFF000000u);
        EXPECT_EQ(At(image, X(5), frame_.Y1 - 1), kBlack | 0xFF000000u);
        // The curve goes on through the cursor.
        EXPECT_EQ(At(image, X(7), Y(1.0)), kGreen | 0xFF000000u);
    }
    pane_->ShowCursor(0);
    EXPECT_FALSE(redAtCursor());
    pane_->ShowCursor(1);
    time_.Cursol = 0;
    Feed();
    EXPECT_FALSE(redAtCursor());
    time_.Cursol = 1;
    Feed();
    pane_->SetCursorIndex(3);  // beyond the records
    EXPECT_FALSE(AnyOf(Draw(), Interior(), kRed));
    pane_->SetCursorIndex(-1);
    EXPECT_FALSE(AnyOf(Draw(), Interior(), kRed));
}

TEST_F(TrendGraphPaneTest, CountIsLimitedToTheDataSet) {
    AddSample(data_, {36000, "1.000"});
    AddSample(data_, {36005, "1.000"});
    pane_->SetCount(50);
    EXPECT_EQ(pane_->GetCount(), 2);
    pane_->SetCount(-4);
    EXPECT_EQ(pane_->GetCount(), 0);
    pane_->SetDataSet(nullptr);
    pane_->SetCount(2);
    EXPECT_EQ(pane_->GetCount(), 0);
    // A data set emptied behind the pane's back is drawn as empty.
    pane_->SetDataSet(&data_);
    pane_->SetCount(2);
    data_.Clear();
    EXPECT_FALSE(AnyOf(Draw(), Interior(), kGreen));
}

TEST_F(TrendGraphPaneTest, ValuesFarOutsideAFixedRangeAreClippedAway) {
    for (int s = 0; s < 100; ++s) {
        AddSample(data_, {36000 + s, s % 2 == 0 ? "1.000" : "9.000"});
    }
    slot_.YAuto = 0;
    slot_.YMin = 1.0e7;
    slot_.YMax = 1.0e7 + 1.0e-6;
    Feed();
    EXPECT_FALSE(AnyOf(Draw(), Interior(), kGreen));
}

TEST_F(TrendGraphPaneTest, ColumnElementTableNamesTheComponent) {
    ColumnElementTable table{};
    table[3] = 6;  // conductivity
    pane_->SetColumnElements(&table);
    pane_->SetSlot(5, 3, time_, slot_);
    EXPECT_EQ(pane_->GetSlot(), 5);
    EXPECT_EQ(pane_->GetColumn(), 3);
    EXPECT_EQ(pane_->GetElement(), 6);
    pane_->SetSlot(5, 13, time_, slot_);  // no such column
    EXPECT_EQ(pane_->GetElement(), 0);
    // Drawn as the empty graph, without reading beyond the data set.
    AddSample(data_, {36000, "1.000"});
    AddSample(data_, {36005, "2.000"});
    for (const int column : {13, -1}) {
        pane_->SetSlot(5, column, time_, slot_);
        pane_->SetCount(data_.GetCount());
        EXPECT_EQ(pane_->GetXMax(), 10.0);
        EXPECT_FALSE(AnyOf(Draw(), Interior(), kGreen)) << column;
    }
}

TEST_F(TrendGraphPaneTest, LayoutButtonsAskTheMainWindowForPanesFromThisSlot) {
    RecordingTarget target;
    pane_->SetMessageTarget(&target);
    pane_->SetSlot(7, 7, time_, slot_);
    pane_->resize(300, 200);
    pane_->show();
    EXPECT_EQ(pane_->objectName(), QStringLiteral("130"));
    struct Button {
        int id, x, panes;
    };
    for (const Button b :
         {Button{IDC_PANE_ONE, 243, 1}, Button{IDC_PANE_TWO, 262, 2}, Button{IDC_PANE_THREE, 281, 3}}) {
        auto* button = pane_->findChild<QToolButton*>(QString::number(b.id));
        ASSERT_NE(button, nullptr) << b.id;
        EXPECT_EQ(button->geometry(), QRect(b.x, 2, 17, 17));
        EXPECT_FALSE(button->icon().isNull());
        button->click();
        ASSERT_FALSE(target.posted.empty());
        EXPECT_EQ(target.posted.back().message, WM_APP_PANE_COUNT);
        EXPECT_EQ(target.posted.back().wParam, static_cast<std::uintptr_t>(b.panes));
        EXPECT_EQ(target.posted.back().lParam, 7);
    }
    EXPECT_EQ(target.posted.size(), 3u);
    auto* focus = pane_->findChild<QWidget*>(QString::number(IDC_PANE_FOCUS));
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->geometry(), QRect(318, 2, 20, 17));
    auto* plot = pane_->findChild<QWidget*>(QString::number(IDC_PANE_PLOT));
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->geometry(), QRect(2, 21, 296, 177));
    EXPECT_FALSE(plot->isVisibleTo(pane_.get()));
}

TEST_F(TrendGraphPaneTest, WindowPaintMatchesTheOffScreenDrawing) {
    for (int s = 0; s < 60; ++s) {
        AddSample(data_, {36000 + s * 5, s % 3 == 0 ? " 7.50" : " 7.20"});
    }
    pane_->resize(400, 300);
    pane_->SetFont(&font_);
    Feed();
    pane_->SetCursorIndex(10);
    EXPECT_EQ(test::Render(*pane_).copy(0, 21, 300, 279), Draw().copy(0, 21, 300, 279));
}

}  // namespace
}  // namespace kelp
