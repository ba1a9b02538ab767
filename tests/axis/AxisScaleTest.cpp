#include "ui/graphs/AxisScale.h"
#include "ui/graphs/ClockTicks.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace kelp {
namespace {

TEST(MapToPixel, MapsLinearlyAndPutsTheUpperBoundOnTopForVerticalAxes) {
    EXPECT_EQ(MapToPixel(5, 0, 10, 100, 200), 150);
    EXPECT_EQ(MapToPixel(10, 10, 0, 20, 120), 20);
    EXPECT_EQ(MapToPixel(0, 10, 0, 20, 120), 120);
    EXPECT_EQ(MapToPixel(2.5, 10, 0, 20, 120), 95);
    // Truncation toward zero, also below the interval.
    EXPECT_EQ(MapToPixel(0.99, 0, 10, 0, 10), 0);
    EXPECT_EQ(MapToPixel(-0.99, 0, 10, 0, 10), 0);
    EXPECT_EQ(MapToPixel(-5, 0, 10, 100, 200), 50);
    EXPECT_EQ(MapToPixel(20, 0, 10, 100, 200), 300);
}

TEST(MapToPixel, ReversedPixelIntervalStillPutsAOnTheSmallerPixel) {
    // d < 0: a still lands on the smaller pixel and b on the larger.
    EXPECT_EQ(MapToPixel(0, 0, 10, 200, 100), 100);
    EXPECT_EQ(MapToPixel(10, 0, 10, 200, 100), 200);
    EXPECT_EQ(MapToPixel(3, 0, 10, 200, 100), 130);
}

TEST(MapToPixel, EmptyIntervalAndUnrepresentableValuesGiveSafePixels) {
    EXPECT_EQ(MapToPixel(123.0, 4.0, 4.0, 17, 90), 17);
    EXPECT_EQ(MapToPixel(-1e300, 4.0, 4.0, 17, 90), 17);
    EXPECT_EQ(MapToPixel(std::numeric_limits<double>::quiet_NaN(), 0, 1, 5, 50), 5);
    // Far outside: clamped well away from the window instead of overflowing.
    EXPECT_LT(MapToPixel(-1e300, 0, 1, 0, 100), -100000);
    EXPECT_GT(MapToPixel(1e300, 0, 1, 0, 100), 100000);
}

TEST(MapToPixels, GivesTheSamePixelsAsMapToPixel) {
    // Ends, ticks and values between them on axes of awkward extents, both
    // ways round; every quotient that lands on or next to a whole number is
    // where a shortcut would show.
    struct Axis {
        double a, b;
        int p0, p1;
    };
    for (const Axis axis :
         {Axis{0.0, 10.0, 100, 637}, Axis{41.7, 29.3, 64, 517}, Axis{6.9888, 7.0112, 517, 64},
          Axis{-1234.5, 10.0, 0, 3}, Axis{0.1, 0.3, 10, 10010}}) {
        std::vector<double> values;
        for (int k = -300; k <= 1300; ++k) {
            values.push_back(axis.a + (axis.b - axis.a) * k / 1000.0);
            values.push_back(std::nextafter(values.back(), 1e300));
            values.push_back(static_cast<float>(values[values.size() - 2]));  // as stored
        }
        values.push_back(axis.a);
        values.push_back(axis.b);
        std::vector<double> pixels(values.size());
        MapToPixels(
            static_cast<int>(values.size()), [&](int i) { return values[static_cast<std::size_t>(i)]; },
            axis.a, axis.b, axis.p0, axis.p1, pixels.data());
        for (std::size_t i = 0; i < values.size(); ++i) {
            ASSERT_EQ(pixels[i], MapToPixel(values[i], axis.a, axis.b, axis.p0, axis.p1))
                << values[i] << " on " << axis.a << ".." << axis.b;
        }
    }
    // Far off, the pixel is kept where MapToPixel would clamp it.
    double far = 0.0;
    MapToPixels(
        1, [](int) { return 1.0e12; }, 0.0, 1.0, 0, 100, &far);
    EXPECT_DOUBLE_EQ(far, 1.0e14);
}

struct StepCase {
    double lo, hi;
    int decimals;
    double step, first;
};

TEST(ComputeTickStep, WorkedExamples) {
    const StepCase cases[] = {
        {0, 37, 0, 5, 0},
        {0, 10, 0, 1, 0},
        {0, 100, 0, 10, 0},
        {0, 3600, 0, 500, 0},
        {12.3, 14.1, 2, 0.25, 12},
        {12.3, 14.1, 1, 0.3, 12},
        {0, 1, 0, 1, 0},  // 0.1 rounded up to a whole unit
        {6.9888, 7.0112, 2, 0.01, 6.98},
        {-7, 3, 0, 1, -7},
        // Whole within the rounding of the arithmetic: a step of ten label
        // units, a range of three coarse steps, a power-of-ten range.
        {0, 0.1, 3, 0.01, 0},
        {0, 0.3, 3, 0.05, 0},
        {1.2, 2.2, 2, 0.1, 1.2},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lo << ".." << c.hi << " d" << c.decimals);
        TickStep ts;
        ASSERT_TRUE(ComputeTickStep(c.lo, c.hi, c.decimals, ts));
        EXPECT_NEAR(ts.step, c.step, 1e-12);
        EXPECT_NEAR(ts.first, c.first, 1e-12);
    }
}

TEST(FormatAxisValue, NeverPrintsANegativeZero) {
    EXPECT_EQ(FormatAxisValue(-0.0, 0), "0");
    EXPECT_EQ(FormatAxisValue(-0.0, 2), "0.00");
    EXPECT_EQ(FormatAxisValue(-0.0001, 3), "0.000");
    EXPECT_EQ(FormatAxisValue(-0.25, 1), "-0.2");
    EXPECT_EQ(FormatAxisValue(-12.5, 0), "-12");
}

TEST(ComputeTickStep, FirstTickComesFromTheCoarseStepBeforeHalving) {
    // range 3.6 → coarse step 1, halved to 0.5; first is floor(12.7 / 1) = 12,
    // not 12.5.
    TickStep ts;
    ASSERT_TRUE(ComputeTickStep(12.7, 16.3, 1, ts));
    EXPECT_DOUBLE_EQ(ts.step, 0.5);
    EXPECT_DOUBLE_EQ(ts.first, 12.0);
}

TEST(ComputeTickStep, QuarterStepAskedWithoutDecimalsBecomesOne) {
    TickStep ts;
    ASSERT_TRUE(ComputeTickStep(0, 2, 0, ts));  // coarse 1, r = 2 → 0.25 → 1
    EXPECT_DOUBLE_EQ(ts.step, 1.0);
    ASSERT_TRUE(ComputeTickStep(0, 2, 2, ts));
    EXPECT_DOUBLE_EQ(ts.step, 0.25);
}

TEST(ComputeTickStep, EmptyReversedOrUnboundedIntervalsFail) {
    TickStep ts;
    EXPECT_FALSE(ComputeTickStep(5, 5, 0, ts));
    EXPECT_FALSE(ComputeTickStep(5, 4, 0, ts));
    EXPECT_FALSE(ComputeTickStep(0, std::numeric_limits<double>::infinity(), 0, ts));
    EXPECT_FALSE(ComputeTickStep(std::numeric_limits<double>::quiet_NaN(), 1, 0, ts));
}

TEST(ComputeTickStep, WideIntervalKeepsAWholePositiveStep) {
    // A step beyond the range of int must not wrap to a negative number.
    TickStep ts;
    ASSERT_TRUE(ComputeTickStep(0, 4.0e12, 0, ts));
    EXPECT_DOUBLE_EQ(ts.step, 5.0e11);
}

TEST(FitDecimals, DropsDecimalsUntilBothEndsFitSevenCharacters) {
    EXPECT_EQ(FitDecimals(3, -1234.5, 10), 1);
    EXPECT_EQ(FitDecimals(2, 0, 100000), 0);
    EXPECT_EQ(FitDecimals(2, 6.9888, 7.0112), 2);
    EXPECT_EQ(FitDecimals(4, 0, 99.9999), 4);
    EXPECT_EQ(FitDecimals(4, 0, 100.0), 3);
    EXPECT_EQ(FitDecimals(0, -123456789, 1), 0);
    EXPECT_EQ(FitDecimals(9, 0, 1), 4);  // never beyond the widest format
}

TextExtent FixedExtent(const std::string& s) {
    return {static_cast<int>(s.size()) * 7, 12};
}
std::string Plain(double v) {
    return FormatAxisValue(v, 0);
}

TEST(LayoutTicks, HorizontalAxisKeepsStepWhenLabelsFit) {
    // 0..10 over 500 px: step 1, 50 px apart; "10" is 14 px wide.
    const TickLayout l = LayoutTicks(0, 10, 0, 0, 500, AxisOrientation::Horizontal, Plain, FixedExtent);
    ASSERT_TRUE(l.valid);
    EXPECT_FALSE(l.thinned);
    EXPECT_EQ(l.Ticks(), (std::vector<double>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST(LayoutTicks, HorizontalAxisDoublesTheStepOnceWhenLabelsCrowd) {
    // 0..10 over 100 px: 10 px spacing < 14 + 10. Doubled once only,
    // although 20 px is still below 24.
    const TickLayout l = LayoutTicks(0, 10, 0, 0, 100, AxisOrientation::Horizontal, Plain, FixedExtent);
    ASSERT_TRUE(l.valid);
    EXPECT_TRUE(l.thinned);
    EXPECT_DOUBLE_EQ(l.step, 2.0);
    EXPECT_EQ(l.Ticks(), (std::vector<double>{0, 2, 4, 6, 8, 10}));
}

TEST(LayoutTicks, HorizontalThinningMeasuresTheLabelOfTheMaximum) {
    std::string measured;
    const auto spy = [&](const std::string& s) {
        measured = s;
        return TextExtent{1, 1};
    };
    const auto clock = [](double v) { return FormatAxisValue(v, 0).append("s"); };
    LayoutTicks(3, 37, 0, 0, 800, AxisOrientation::Horizontal, clock, spy);
    EXPECT_EQ(measured, "37s");
}

TEST(LayoutTicks, VerticalAxisComparesWithTwiceTheLabelHeightOfTheFirstTick) {
    std::string measured;
    const auto spy = [&](const std::string& s) {
        measured = s;
        return TextExtent{40, 12};
    };
    const auto label = [](double v) { return FormatAxisValue(v, 2); };
    // 6.9888..7.0112, step 0.01 → 0.0224 spans the pixels; first = 6.98.
    TickLayout l = LayoutTicks(6.9888, 7.0112, 2, 10, 110, AxisOrientation::Vertical, label, spy);
    EXPECT_EQ(measured, "6.98");
    ASSERT_TRUE(l.valid);
    // 0.01 of 0.0224 over 100 px is 44 px ≥ 24: no thinning.
    EXPECT_FALSE(l.thinned);
    ASSERT_EQ(l.Ticks().size(), 3u);
    EXPECT_NEAR(l.Ticks()[0], 6.99, 1e-9);
    EXPECT_NEAR(l.Ticks()[2], 7.01, 1e-9);
    // Over 40 px the spacing is 17 px < 24: doubled.
    l = LayoutTicks(6.9888, 7.0112, 2, 10, 50, AxisOrientation::Vertical, label, spy);
    EXPECT_TRUE(l.thinned);
    EXPECT_NEAR(l.step, 0.02, 1e-12);
}

TEST(LayoutTicks, EmptyIntervalHasNoTicks) {
    const TickLayout l = LayoutTicks(4, 4, 0, 0, 500, AxisOrientation::Horizontal, Plain, FixedExtent);
    EXPECT_FALSE(l.valid);
    EXPECT_TRUE(l.Ticks().empty());
}

TEST(LayoutTicks, TicksBelowTheMinimumAreSkipped) {
    const TickLayout l = LayoutTicks(
        12.3, 14.1, 2, 0, 1000, AxisOrientation::Horizontal, [](double v) { return FormatAxisValue(v, 2); },
        FixedExtent);
    const std::vector<double> t = l.Ticks();
    ASSERT_FALSE(t.empty());
    EXPECT_DOUBLE_EQ(t.front(), 12.5);
    EXPECT_DOUBLE_EQ(t.back(), 14.0);
    EXPECT_EQ(t.size(), 7u);
}

TEST(LayoutTicks, StepLostInRoundingDoesNotLoopForever) {
    // At 1e17 a step of 10 does not change a double.
    const TickLayout l =
        LayoutTicks(1e17, 1e17 + 64, 0, 0, 800, AxisOrientation::Horizontal, Plain, FixedExtent);
    EXPECT_LE(l.Ticks().size(), 1000u);
}

TEST(LayoutTicks, TopOfATenthIsLabelled) {
    const auto label = [](double v) { return FormatAxisValue(v, 3); };
    const std::vector<double> t =
        LayoutTicks(0, 0.1, 3, 0, 1000, AxisOrientation::Horizontal, label, FixedExtent).Ticks();
    ASSERT_EQ(t.size(), 11u);
    EXPECT_EQ(label(t[1]), "0.010");
    EXPECT_EQ(label(t.back()), "0.100");
}

// The labels of clock ticks, and where they stand as clock times.
std::vector<std::string> Labels(const ClockTicks& c) {
    std::vector<std::string> labels;
    for (const ClockTick& tick : c.ticks) {
        labels.push_back(tick.label);
    }
    return labels;
}

TEST(ClockTicks, StepsAlignToTheClockAndTheDateShowsWhereTheDayChanges) {
    const auto width = [](const std::string& s) { return static_cast<int>(s.size()) * 7; };

    // 23 hours from 08:00 over 560 px: every 3 hours on the clock's hours,
    // hh:mm, the date at the first tick and after midnight.
    const CDateTime morning(2026, 6, 15, 8, 0, 0);
    ClockTicks c = LayoutClockTicks(0, 23 * 3600, morning, 0, 560, width);
    EXPECT_EQ(c.step, 3 * 3600);
    EXPECT_EQ(Labels(c), (std::vector<std::string>{"06-15 09:00", "12:00", "15:00", "18:00", "21:00",
                                                   "06-16 00:00", "03:00", "06:00"}));
    EXPECT_EQ(c.ticks.front().t, 3600.0);  // seconds after the reference, as the axis counts

    // 30 seconds over New Year: every 5 s in hh:mm:ss, the year's last
    // day and then the new one.
    const CDateTime lastSecond(2026, 12, 31, 23, 59, 40);
    c = LayoutClockTicks(0, 30, lastSecond, 0, 560, width);
    EXPECT_EQ(c.step, 5);
    EXPECT_EQ(Labels(c), (std::vector<std::string>{"12-31 23:59:40", "23:59:45", "23:59:50", "23:59:55",
                                                   "01-01 00:00:00", "00:00:05", "00:00:10"}));
    // The empty graph's made-up reference gets no date.
    EXPECT_EQ(
        LayoutClockTicks(0, 10, CDateTime(2007, 1, 1, 0, 0, 0), 0, 560, width, false).ticks.front().label,
        "00:00:00");

    // Two months: weeks from Mondays, labelled with their dates.
    c = LayoutClockTicks(0, 60 * 86400.0, CDateTime(2026, 6, 1, 9, 30, 0), 0, 560, width);
    EXPECT_EQ(c.step, 7 * 86400);
    ASSERT_FALSE(c.ticks.empty());
    EXPECT_EQ(c.ticks.front().label, "06-08");  // 1 June 2026 is a Monday; 8 June the first after 09:30

    // A narrow axis takes a coarser step rather than letting labels touch;
    // no interval, no ticks.
    EXPECT_GT(LayoutClockTicks(0, 23 * 3600, morning, 0, 200, width).step, 3 * 3600);
    EXPECT_TRUE(LayoutClockTicks(5, 5, morning, 0, 560, width).ticks.empty());
    // Far-off bounds (a hand-edited settings file) still end in a few ticks.
    EXPECT_LE(LayoutClockTicks(0, 1e300, morning, 0, 560, width).ticks.size(), 56u);
}

TEST(Palette, ColoursAreStoredAsBlueGreenRed) {
    EXPECT_EQ(kGraphPalette[0], 0x00DC5A00u);  // RGB(0, 90, 220)
    EXPECT_EQ(kGridColour, 0x00FFFF00u);       // cyan
}

// CIE L*a*b* of a 0x00BBGGRR colour (sRGB, D65).
std::array<double, 3> Lab(std::uint32_t ref) {
    const auto linear = [](std::uint32_t c) {
        const double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const double r = linear(ref & 0xFF), g = linear((ref >> 8) & 0xFF), b = linear((ref >> 16) & 0xFF);
    const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
    const double fx = f((0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047);
    const double fy = f(0.2126 * r + 0.7152 * g + 0.0722 * b);
    const double fz = f((0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

double Difference(std::uint32_t a, std::uint32_t b) {
    const auto p = Lab(a);
    const auto q = Lab(b);
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

TEST(Palette, ThinLinesStayApartFromEachOtherTheGridAndThePaper) {
    for (std::size_t i = 0; i < kGraphPalette.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_LE(Lab(kGraphPalette[i])[0], 70.0);  // dark enough on white
        EXPECT_GE(Difference(kGraphPalette[i], kGridColour), 40.0);
        for (std::size_t j = i + 1; j < kGraphPalette.size(); ++j) {
            EXPECT_GE(Difference(kGraphPalette[i], kGraphPalette[j]), 25.0) << j;
        }
    }
}

}  // namespace
}  // namespace kelp
