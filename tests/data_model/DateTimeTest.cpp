#include <gtest/gtest.h>

#include <limits>

#include "data/DateTime.h"

namespace kelp {
namespace {

TEST(DateTime, CountsDaysFromTheEpoch) {
    EXPECT_DOUBLE_EQ(CDateTime(1899, 12, 30, 0, 0, 0).GetDays(), 0.0);
    EXPECT_DOUBLE_EQ(CDateTime(1900, 1, 1, 0, 0, 0).GetDays(), 2.0);
    EXPECT_DOUBLE_EQ(CDateTime(2000, 1, 1, 12, 0, 0).GetDays(), 36526.5);
    EXPECT_DOUBLE_EQ(CDateTime(1899, 12, 29, 18, 0, 0).GetDays(), -0.25);
    EXPECT_TRUE(CDateTime().IsValid());
    EXPECT_DOUBLE_EQ(CDateTime().GetDays(), 0.0);
}

TEST(DateTime, CivilFieldsRoundTrip) {
    const int cases[][6] = {{2007, 12, 31, 23, 59, 59}, {2000, 2, 29, 0, 0, 0}, {1899, 1, 1, 1, 2, 3},
                            {2099, 12, 31, 23, 59, 59}, {1, 1, 1, 0, 0, 0},     {9999, 12, 31, 12, 30, 30}};
    for (const auto& c : cases) {
        const CDateTime t(c[0], c[1], c[2], c[3], c[4], c[5]);
        ASSERT_TRUE(t.IsValid());
        const CivilTime f = t.GetCivil();
        EXPECT_EQ(f.Year, c[0]);
        EXPECT_EQ(f.Month, c[1]);
        EXPECT_EQ(f.Day, c[2]);
        EXPECT_EQ(f.Hour, c[3]);
        EXPECT_EQ(f.Minute, c[4]);
        EXPECT_EQ(f.Second, c[5]);
    }
}

TEST(DateTime, ImpossibleFieldsGiveAnInvalidValue) {
    const int cases[][6] = {{2007, 13, 1, 0, 0, 0}, {2007, 2, 29, 0, 0, 0}, {2007, 2, 31, 0, 0, 0},
                            {2007, 0, 1, 0, 0, 0},  {2007, 1, 0, 0, 0, 0},  {2007, 1, 1, 24, 0, 0},
                            {2007, 1, 1, 0, 60, 0}, {2007, 1, 1, 0, 0, 60}, {0, 1, 1, 0, 0, 0},
                            {2100, 4, 31, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {2007, 1, 1, -1, 0, 0}};
    for (const auto& c : cases) {
        const CDateTime t(c[0], c[1], c[2], c[3], c[4], c[5]);
        EXPECT_FALSE(t.IsValid()) << c[0] << "-" << c[1] << "-" << c[2] << " " << c[3] << ":" << c[4];
        EXPECT_EQ(t.Format("%Y"), "");
    }
    EXPECT_TRUE(CDateTime(2008, 2, 29, 0, 0, 0).IsValid());
    CDateTime t(2008, 1, 1, 0, 0, 0);
    EXPECT_FALSE(t.SetDateTime(2008, 6, 31, 0, 0, 0));
    EXPECT_FALSE(t.IsValid());
    EXPECT_TRUE(t.SetDateTime(2008, 6, 30, 0, 0, 0));
    EXPECT_TRUE(t.IsValid());
}

TEST(DateTime, FormatsWithStrftimePatterns) {
    const CDateTime t(2007, 12, 31, 23, 59, 5);
    EXPECT_EQ(t.Format("%Y/%m/%d %H:%M:%S"), "2007/12/31 23:59:05");
    EXPECT_EQ(t.Format("%y%m%d"), "071231");
    EXPECT_EQ(t.Format("%H%M%S"), "235905");
    EXPECT_EQ(t.Format("%a %j"), "Mon 365");
    EXPECT_EQ(CDateTime(1899, 12, 30, 0, 0, 0).Format("%a"), "Sat");
    EXPECT_EQ(t.Format(""), "");
}

TEST(DateTime, WholeSecondsSurviveRoundingOfDayCounts) {
    // Ten-second steps over a day: each difference of two day counts must
    // truncate to the whole step, not one second less.
    const CDateTime base(2024, 5, 17, 0, 0, 0);
    for (int s = 0; s < 86400; s += 7) {
        const CDateTime t(2024, 5, 17, s / 3600, s / 60 % 60, s % 60);
        ASSERT_EQ(CDateTime::WholeSeconds(t - base), s);
    }
    const CDateTime later(2024, 5, 18, 0, 0, 10);
    EXPECT_EQ(CDateTime::WholeSeconds(later - base), 86410);
}

TEST(DateTime, OrdersAndComparesByTime) {
    const CDateTime a(2007, 12, 31, 23, 59, 59);
    const CDateTime b(2008, 1, 1, 0, 0, 0);
    EXPECT_LT(a, b);
    EXPECT_GT(b, a);
    EXPECT_EQ(a, CDateTime(2007, 12, 31, 23, 59, 59));
    EXPECT_NEAR(b - a, 1.0 / 86400.0, 1e-9);
    EXPECT_LT(CDateTime(1800, 1, 1, 0, 0, 0), CDateTime(1899, 12, 30, 0, 0, 0));
}

TEST(DateTime, NowIsAValidRecentTime) {
    const CDateTime now = CDateTime::Now();
    ASSERT_TRUE(now.IsValid());
    EXPECT_GE(now.GetYear(), 2020);
    EXPECT_EQ(CDateTime::FromDays(now.GetDays()).GetCivil().Second, now.GetCivil().Second);
    EXPECT_FALSE(CDateTime::FromDays(std::numeric_limits<double>::quiet_NaN()).IsValid());
}

}  // namespace
}  // namespace kelp
