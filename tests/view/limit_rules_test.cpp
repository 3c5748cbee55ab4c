// The limit rules at their edges: the value as shown against the table's
// single, exact at the boundary whatever the single's binary form.

#include <gtest/gtest.h>

#include "view/limit_verdict.h"

namespace morva::test {
namespace {

TEST(LimitRules, BoundariesAreWithinZeroIsNoLimitAndTheTextShowsTheLimitsDecimals) {
    EXPECT_EQ(Judge_Band("40.6", 40.7f, 0.1f), Verdict::Within);  // 40.7f is 40.70000076...
    EXPECT_EQ(Judge_Band("40.5", 40.7f, 0.1f), Verdict::Outside);
    EXPECT_EQ(Judge_Band("40.0", 40.0f, 0.0f), Verdict::None);
    EXPECT_EQ(Judge_Band("", 40.0f, 10.0f), Verdict::None);
    EXPECT_EQ(Judge_Max("1.2", 1.2f), Verdict::Within);  // 1.2f is 1.19999998...
    EXPECT_EQ(Judge_Max("-2.6", 2.5f), Verdict::Outside);
    EXPECT_EQ(Judge_Max("0.0", 0.0004f), Verdict::None);  // below what the text could show
    EXPECT_EQ(Band_LimitText(40.7f, 0.25f), "40.7 \u00B1 0.25");
    EXPECT_EQ(Max_LimitText(0.125f), "\u2264 0.125");
}

}  // namespace
}  // namespace morva::test
