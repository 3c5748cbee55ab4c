// Averaging of the per-acquisition slopes, the displayed results and the
// texts of the intermediates.

#include <gtest/gtest.h>

#include "measure/sens_average.h"
#include "measure/sens_text.h"
#include "synthetic_signal.h"

namespace morva {
namespace {

SensLoopValues valuesOf(std::initializer_list<float> acquisitions, size_t slot = 0) {
    SensLoopValues values{};
    size_t k = 1;
    for (const float v : acquisitions)
        values[slot][k++] = v;
    return values;
}

TEST(AvgSensValue, PartialSumsAreWholeNumbersAndOutliersAreLeftOut) {
    // S = 10 + 10 + 30 = 50, mean 16.67; deviations 37.6 %, 37.6 %, 80 %.
    EXPECT_EQ(Avg_SensValue(0, valuesOf({10.4f, 10.4f, 30.0f}), 3, 50), 10.0);
    // Each partial sum rounds: 10.6 -> 11, 21.6 -> 22; both kept: 22 / 2.
    EXPECT_EQ(Avg_SensValue(0, valuesOf({10.6f, 10.6f}), 2, 5), 11.0);
    // Halves go to the even neighbour: 2.5 -> 2, 2 + 2.5 = 4.5 -> 4.
    EXPECT_EQ(Avg_SensValue(0, valuesOf({2.5f, 2.5f}), 2, 100), 2.0);
    // Negative slopes average the same way.
    EXPECT_EQ(Avg_SensValue(1, valuesOf({-40.2f, -39.9f, -40.4f}, 1), 3, 10), -40.0);
}

TEST(AvgSensValue, NoValueWithinTheLimitGivesZero) {
    EXPECT_EQ(Avg_SensValue(0, valuesOf({10.0f, 50.0f}), 2, 1), 0.0);
}

TEST(AvgSensValue, WholeNumberMeanOfZeroGivesZero) {
    EXPECT_EQ(Avg_SensValue(0, valuesOf({0.4f, 0.3f, -0.2f}), 3, 50), 0.0);
    EXPECT_EQ(Avg_SensValue(0, valuesOf({5.0f, -5.0f}), 2, 50), 0.0);
}

TEST(AvgSensValue, AcquisitionZeroIsNeverAveraged) {
    SensLoopValues values = valuesOf({20.0f, 20.0f});
    values[0][0] = 1000.0f;
    EXPECT_EQ(Avg_SensValue(0, values, 2, 10), 20.0);
}

TEST(AvgSensValue, CountsOutsideTheAcquisitionsAreLimited) {
    SensLoopValues values{};
    for (size_t k = 1; k <= 20; ++k)
        values[2][k] = 30.0f;
    EXPECT_EQ(Avg_SensValue(2, values, 25, 10), 30.0) << "at most 20 acquisitions";
    EXPECT_EQ(Avg_SensValue(2, values, 0, 10), 0.0);
    EXPECT_EQ(Avg_SensValue(4, values, 3, 10), 0.0);
}

TEST(CombineSensValue, TwoHeadsAverageFourSlopesFourAndEightHeadsTwo) {
    SensState sens{};
    const std::array<float, 4> P = {10, 20, 30, 40};
    const std::array<float, 4> N = {-1, -2, -3, -4};
    Combine_SensValue(sens, 2, P, N);
    EXPECT_EQ(sens.SensVal[0], 8.25f);
    EXPECT_EQ(sens.SensVal[1], 19.25f);
    Combine_SensValue(sens, 4, P, N);
    EXPECT_EQ(sens.SensVal[0], 10.5f);
    EXPECT_EQ(sens.SensVal[1], 21.5f);
    Combine_SensValue(sens, 8, P, N);
    EXPECT_EQ(sens.SensVal[0], 10.5f);
    Combine_SensValue(sens, 6, {0, 0, 0, 0}, {0, 0, 0, 0});
    EXPECT_EQ(sens.SensVal[0], 10.5f) << "other head counts leave the values";
}

TEST(CombineSensValue, FinalResultAveragesEveryComputedSlot) {
    auto state = test::makeState();
    state->model.nHead = 2;
    state->settings.n_AD_Channel = 2;  // asks for 8 slots; 4 exist
    state->msr.nType_SensWF = 4;
    state->msr.nLoop_MsrSens = 3;
    state->params.Thresh_ChkSensVal = 10;
    for (size_t slot = 0; slot < 4; ++slot)
        for (size_t k = 1; k <= 3; ++k) {
            state->sens.Sval_P[slot][k] = 40.0f + 10.0f * slot;
            state->sens.Sval_N[slot][k] = -(38.0f + 10.0f * slot);
        }
    state->sens.Sval_P[3][2] = 90.0f;  // 17 % off the mean of 70, 90, 70: left out
    Calc_SensValue_Final(*state);
    EXPECT_EQ(state->sens.Sens_posi[3], 70.0f);
    EXPECT_EQ(state->sens.Sens_nega[3], -68.0f);
    EXPECT_EQ(state->sens.Sens_Slot[0], 39.0f);
    EXPECT_EQ(state->sens.Sens_Slot[3], 69.0f);
    EXPECT_EQ(state->sens.SensVal[0], (40.0f + 50.0f + 38.0f + 48.0f) / 4);
    EXPECT_EQ(state->sens.SensVal[1], (60.0f + 70.0f + 58.0f + 68.0f) / 4);
}

TEST(CombineSensValue, PerAcquisitionUsesThatAcquisitionsSlopes) {
    auto state = test::makeState();
    state->model.nHead = 4;
    state->sens.Sval_P[1][5] = 33.0f;
    state->sens.Sval_N[0][5] = -31.0f;
    state->sens.Sval_P[1][1] = 99.0f;
    Calc_SensValue_Loop(*state, 5);
    EXPECT_EQ(state->sens.SensVal[0], 32.0f);
    Calc_SensValue_Loop(*state, 21);  // no such acquisition
    EXPECT_EQ(state->sens.SensVal[0], 32.0f);
}

TEST(SensText, IntermediatesOneLineEach) {
    SensState sens{};
    sens.ramda[1] = 2.125f;
    sens.nZerX[1] = 10000;
    sens.P_max[1] = 47;
    sens.P_min[1] = -3;
    sens.C_val[1] = 812.5f;
    sens.Th_Lvl[1] = 540.4f;
    sens.Sval_P[1][4] = 37.46f;
    sens.Sval_N[1][4] = -37.44f;
    EXPECT_EQ(SensDebugText(sens, 1, 4), "2.13\r\n10000\r\n47\r\n-3\r\n813\r\n540\r\n37.5\r\n-37.4\r\n");
    EXPECT_EQ(SensDebugText(sens, 4, 4), "");
    EXPECT_EQ(std::string(kSensDebugCaptions),
              "ramda\r\nnZerX\r\nP_max\r\nP_min\r\nC_val\r\nTh_Lvl\r\nSval_P\r\nSval_N\r\n");
}

TEST(SensText, FinalSlotSensitivities) {
    SensState sens{};
    sens.Sens_Slot = {40.0f, 41.255f, 39.5f, 0.0f};
    EXPECT_EQ(SensSlotText(sens, 3), "40.00\r\n41.26\r\n39.50\r\n");
    EXPECT_EQ(SensSlotText(sens, 8), "40.00\r\n41.26\r\n39.50\r\n0.00\r\n");
}

}  // namespace
}  // namespace morva
