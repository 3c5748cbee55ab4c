// The limit rules at their edges: a value as the panel shows it (one
// decimal) against a limit as the table gives it (a single), exact at the
// boundary whatever the single's binary form; no limit at 0.

#include <gtest/gtest.h>

#include "view/limit_verdict.h"

namespace morva::test {
namespace {

TEST(LimitRules, BoundariesAreWithinAndALimitOfZeroIsNone) {
    // 40.7f is 40.70000076..., 0.1f is 0.10000000149...: compared in
    // singles and doubles as they are, 40.6 would fall outside.
    EXPECT_EQ(Judge_Band("40.6", 40.7f, 0.1f), Verdict::Within);
    EXPECT_EQ(Judge_Band("40.8", 40.7f, 0.1f), Verdict::Within);
    EXPECT_EQ(Judge_Band("40.5", 40.7f, 0.1f), Verdict::Outside);
    EXPECT_EQ(Judge_Band("30.0", 40.0f, 10.0f), Verdict::Within);
    EXPECT_EQ(Judge_Band("29.9", 40.0f, 10.0f), Verdict::Outside);
    EXPECT_EQ(Judge_Band("-40.0", 40.0f, 10.0f), Verdict::Outside);
    EXPECT_EQ(Judge_Band("40.0", 40.0f, 0.0f), Verdict::None);
    EXPECT_EQ(Judge_Band("40.0", 40.0f, -1.0f), Verdict::None);
    EXPECT_EQ(Judge_Band("", 40.0f, 10.0f), Verdict::None);

    EXPECT_EQ(Judge_Max("2.5", 2.5f), Verdict::Within);
    EXPECT_EQ(Judge_Max("2.6", 2.5f), Verdict::Outside);
    EXPECT_EQ(Judge_Max("1.2", 1.2f), Verdict::Within);  // 1.2f is 1.19999998...
    EXPECT_EQ(Judge_Max("-2.5", 2.5f), Verdict::Within);
    EXPECT_EQ(Judge_Max("-2.6", 2.5f), Verdict::Outside);
    EXPECT_EQ(Judge_Max("0.0", 0.0f), Verdict::None);
    EXPECT_EQ(Judge_Max("  ", 2.5f), Verdict::None);
    EXPECT_EQ(Judge_Max("0.0", 0.0004f), Verdict::None);  // below what the text could show
}

TEST(LimitRules, TheLimitIsWrittenWithTheDecimalsItHas) {
    EXPECT_EQ(Band_LimitText(40.0f, 10.0f), "40.0 \u00B1 10.0");
    EXPECT_EQ(Band_LimitText(40.7f, 0.25f), "40.7 \u00B1 0.25");
    EXPECT_EQ(Band_LimitText(40.0f, 0.0f), "");
    EXPECT_EQ(Max_LimitText(2.5f), "\u2264 2.5");
    EXPECT_EQ(Max_LimitText(1.2f), "\u2264 1.2");
    EXPECT_EQ(Max_LimitText(0.125f), "\u2264 0.125");
    EXPECT_EQ(Max_LimitText(0.0f), "");
}

}  // namespace
}  // namespace morva::test
