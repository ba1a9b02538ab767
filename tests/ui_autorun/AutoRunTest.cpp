#include <gtest/gtest.h>

#include "ui/main/AutoRun.h"

namespace kelp {
namespace {

using Mode = CAutoRun::Plan::Mode;

TEST(AutoRunPlan, CaptureAndReportPlansAreRead) {
    auto plan = CAutoRun::ParsePlan("capture:3", "");
    ASSERT_NE(plan, nullptr);
    EXPECT_EQ(plan->mode, Mode::Capture);
    EXPECT_EQ(plan->records, 3);
    EXPECT_FALSE(plan->hold);
    EXPECT_TRUE(plan->restore);

    plan = CAutoRun::ParsePlan("capture:250:hold", "cancel");
    ASSERT_NE(plan, nullptr);
    EXPECT_EQ(plan->records, 250);
    EXPECT_TRUE(plan->hold);
    EXPECT_FALSE(plan->restore);

    plan = CAutoRun::ParsePlan("report", "ok");
    ASSERT_NE(plan, nullptr);
    EXPECT_EQ(plan->mode, Mode::Report);
    EXPECT_TRUE(plan->restore);
}

// A plan that is not understood must not run as something else.
TEST(AutoRunPlan, AnythingElseIsRefused) {
    for (const char* text : {"", "capture", "capture:", "capture:0", "capture:-1", "capture:x",
                             "capture:3:stop", "capture:3:", "capture:123456", "Report", "report:1"}) {
        EXPECT_EQ(CAutoRun::ParsePlan(text, ""), nullptr) << text;
    }
    EXPECT_EQ(CAutoRun::ParsePlan("report", "yes"), nullptr);
}

}  // namespace
}  // namespace kelp
