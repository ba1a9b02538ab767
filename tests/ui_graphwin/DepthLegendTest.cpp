#include "ui/graphs/DepthLegend.h"

#include <gtest/gtest.h>

namespace kelp {
namespace {

TEST(DepthLegend, EqualValuesGiveOneThresholdAndColourOne) {
    std::array<int, kDepthThresholds> t{};
    const int n = ComputeThresholds(12.34, 12.34, 2, t);
    ASSERT_EQ(n, 1);
    EXPECT_EQ(t[0], 1234);
    EXPECT_EQ(ColourIndexOf(12.34, 2, t, n), 1);
    EXPECT_EQ(kDepthColours[1], 0x660000u);
}

TEST(DepthLegend, SeventeenthStepsWithoutDecimals) {
    // 0..170: f = 10, one label unit (1) is not above f, so m = floor(10) = 10.
    std::array<int, kDepthThresholds> t{};
    const int n = ComputeThresholds(0.0, 170.0, 0, t);
    ASSERT_EQ(n, 16);
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(t[i], 10 * (i + 1)) << i;
    }
    EXPECT_EQ(ColourIndexOf(0.0, 0, t, n), 0);  // below the first boundary
    EXPECT_EQ(ColourIndexOf(9.4, 0, t, n), 0);  // rounds to 9
    EXPECT_EQ(ColourIndexOf(9.5, 0, t, n), 1);  // rounds half up to 10
    EXPECT_EQ(ColourIndexOf(85.0, 0, t, n), 8);
    EXPECT_EQ(ColourIndexOf(170.0, 0, t, n), 16);  // the maximum takes the last colour
}

TEST(DepthLegend, DecimalsScaleTheThresholds) {
    // 10.0..11.7 with 1 decimal: c = 10, f = 0.1 (not below 0.1 -> floor), m = 1.
    std::array<int, kDepthThresholds> t{};
    const int n = ComputeThresholds(10.0, 11.7, 1, t);
    ASSERT_EQ(n, 16);
    EXPECT_EQ(t[0], 101);
    EXPECT_EQ(t[15], 116);
    EXPECT_EQ(ColourIndexOf(10.05, 1, t, n), 1);  // 100.5 rounds to 101
    EXPECT_EQ(ColourIndexOf(10.04, 1, t, n), 0);
}

TEST(DepthLegend, NarrowRangeRoundsTheStepUp) {
    // 0..1 with 0 decimals: f = 1/17 is below one label unit, so m = ceil(f) = 1,
    // and only one boundary (1) fits under hi.
    std::array<int, kDepthThresholds> t{};
    const int n = ComputeThresholds(0.0, 1.0, 0, t);
    ASSERT_EQ(n, 1);
    EXPECT_EQ(t[0], 1);
    EXPECT_EQ(ColourIndexOf(0.2, 0, t, n), 0);
    EXPECT_EQ(ColourIndexOf(0.7, 0, t, n), 1);
}

TEST(DepthLegend, RangeSmallerThanOneUnitFallsBackToTheMinimum) {
    // 5.01..5.04 shown with 1 decimal: lo = hi = 50, no boundary fits.
    std::array<int, kDepthThresholds> t{};
    const int n = ComputeThresholds(5.01, 5.04, 1, t);
    ASSERT_EQ(n, 1);
    EXPECT_EQ(t[0], 50);
}

TEST(DepthLegend, AbsurdValuesStayInsideTheIntegerRange) {
    std::array<int, kDepthThresholds> t{};
    const int n = ComputeThresholds(-1e30, 1e30, 4, t);
    EXPECT_GE(n, 1);
    EXPECT_LE(n, 16);
    for (int i = 1; i < n; ++i) {
        EXPECT_LT(t[i - 1], t[i]);
    }
    const int low = ColourIndexOf(-1e30, 4, t, n);
    const int high = ColourIndexOf(1e30, 4, t, n);
    EXPECT_LE(low, high);
    EXPECT_EQ(high, n);
}

TEST(DepthLegend, RowsAreTheShallowestWhoseThirtyHoldTheDeepestRecord) {
    // Metres: 1, 2, 5, 10, 20, 50 m rows; a half-cell is half a row.
    EXPECT_DOUBLE_EQ(ChooseDepthScale(0, -1.0).step, 0.5);  // no series yet
    EXPECT_DOUBLE_EQ(ChooseDepthScale(0, 30.0).step, 0.5);  // exactly 30 keeps 1 m rows
    EXPECT_DOUBLE_EQ(ChooseDepthScale(0, 30.01).step, 1.0);
    EXPECT_DOUBLE_EQ(ChooseDepthScale(0, 40.0).step, 1.0);  // a 40 m cast fills 20 of 30 rows
    EXPECT_DOUBLE_EQ(ChooseDepthScale(0, 120.0).step, 2.5);
    EXPECT_DOUBLE_EQ(ChooseDepthScale(0, 1500.0).step, 25.0);
    EXPECT_DOUBLE_EQ(ChooseDepthScale(0, 5000.0).step, 25.0);  // deeper still: the last row takes it
    // Feet: 3, 5, 10, 20, 50, 100, 200 ft rows, whole numbers on the labels.
    EXPECT_DOUBLE_EQ(ChooseDepthScale(1, 90.0).step, 1.5);
    EXPECT_DOUBLE_EQ(ChooseDepthScale(1, 99.0).step, 2.5);
    EXPECT_DOUBLE_EQ(ChooseDepthScale(1, 5000.0).step, 100.0);
    EXPECT_EQ(ChooseDepthScale(0, 40.0).formatIndex, 0);
    EXPECT_EQ(ChooseDepthScale(1, 10.0).formatIndex, 0);
}

}  // namespace
}  // namespace kelp
