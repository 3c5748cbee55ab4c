// Values a hostile or careless file can put into the computations (32-bit
// extremes, positions past the used points) and the boundaries a change of
// comparison would move without notice.

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "measure/lin_average.h"
#include "measure/master_tape_correction.h"
#include "measure/sens_average.h"
#include "measure/smoothing.h"
#include "synthetic_signal.h"

namespace morva {
namespace {

// A model field of 3000000000 is clamped to the 32-bit maximum on reading;
// the first linearity point after it must not overflow into a negative index.
TEST(HostileValues, AHugeLinearityStartPointGivesAnEmptySpanNotAWildRead) {
    std::array<int32_t, kMaxLinPoint + 1> wf{};
    wf.fill(7);
    EXPECT_EQ(LinSpan(wf, INT32_MAX, 100), -10000) << "no point in range: max -5000 minus min 5000";
    EXPECT_EQ(LinSpan(wf, INT32_MIN, 100), 0) << "a negative start counts from point 0";

    auto state = test::makeState();
    state->params.nData_LinWF = 100;
    state->settings.n_AD_Channel = 1;
    state->msr.Adj_LinEnt = INT32_MAX;
    state->lin.flg_LinOfsFix = 0;
    Calc_LinOffsetAvg(*state, 0, true);  // the envelope loop starts after Adj_LinEnt too
    state->flags.flg_PeakHold = 1;
    MovAvg_LinWaveform(*state, 1);
    EXPECT_EQ(state->lin.LinVal[0], -10000);
}

// A huge negative point count must not reach N - 1 unchecked.
TEST(HostileValues, ANegativeGridLeavesTheCorrectionAlone) {
    std::array<float, kMaxMasterTapeValue + 1> values{};
    values.fill(1.0f);
    CorWFPoints cor{};
    cor.fill(5);
    Stretch_CorWF(values, 3, INT32_MIN, cor);
    Stretch_CorWF(values, 3, 0, cor);
    EXPECT_EQ(cor[1], 5);
    Stretch_CorWF(values, 3, 1, cor);
    EXPECT_EQ(cor[1], 100);
}

// A smoothing width from the parameter file may be anything: points outside
// 0..150 add nothing, so a huge width costs no more than the array.
TEST(HostileValues, AHugeSmoothingWidthIsQuickAndReadsOnlyTheArray) {
    SensPoints src{};
    src.fill(3.0f);
    SensPoints dst{};
    SmoothSensPoints(src, dst, 0, 150, INT32_MAX);
    // Odd width: half indexes go to the even points 0..150, each read twice.
    EXPECT_FLOAT_EQ(dst[75], static_cast<float>(152.0 * 3.0 / INT32_MAX));
    SmoothSensPoints(src, dst, 0, 150, INT32_MAX - 1);  // even width, whole half
    EXPECT_FLOAT_EQ(dst[75], static_cast<float>(151.0 * 3.0 / (INT32_MAX - 1.0)));
}

// Deviations exactly on the limit are kept: the limit is "at most".
TEST(AvgSensValueLimit, ADeviationExactlyOnTheThresholdIsKept) {
    SensLoopValues values{};
    values[0][1] = 10.0f;  // sum 60, mean 20: deviations 50 %, 50 %, 100 %
    values[0][2] = 10.0f;
    values[0][3] = 40.0f;
    EXPECT_EQ(Avg_SensValue(0, values, 3, 50), 10.0);
    EXPECT_EQ(Avg_SensValue(0, values, 3, 49), 0.0);
    EXPECT_EQ(Avg_SensValue(0, values, 3, 100), 20.0);

    // A threshold of 0 keeps exactly the values equal to the mean.
    values[0][3] = 10.0f;
    EXPECT_EQ(Avg_SensValue(0, values, 3, 0), 10.0);
    values[0][3] = 13.0f;  // sum 33, mean 11: nothing equals it
    EXPECT_EQ(Avg_SensValue(0, values, 3, 0), 0.0);
}

// The fixed-offset point is taken at the nearer end of the used points: a
// point past nData_LinWF would read lines that are not in use (0 here) and
// shift the whole line; past 100 it would read outside the array.
TEST(LinFixedOffset, APointPastTheUsedPointsIsTakenAtTheLastPoint) {
    auto state = test::makeState();
    state->params.nData_LinWF = 10;
    state->settings.n_AD_Channel = 1;
    state->lin.flg_LinOfsFix = 1;
    for (int32_t p = 1; p <= 10; ++p) {
        state->lin.Lin[0][static_cast<size_t>(p)] = 10 * p;
        state->lin.Lin[1][static_cast<size_t>(p)] = 10 * p + 2;
    }
    for (const int32_t position : {10, 11, 50, 100, 101, 5000, INT32_MAX}) {
        SCOPED_TRACE(position);
        state->params.Pos_FixOfs_LinWF = position;
        Calc_LinOffsetAvg(*state, 0, false);
        EXPECT_EQ(state->lin.ofs_LinWF_avg[0], 101);
        EXPECT_EQ(state->lin.LinAvg[0][10], 0);
        EXPECT_EQ(state->lin.LinAvg[0][1], -90);
    }
    state->params.Pos_FixOfs_LinWF = -3;
    Calc_LinOffsetAvg(*state, 0, false);
    EXPECT_EQ(state->lin.ofs_LinWF_avg[0], 11) << "below 1: the first point";
}

}  // namespace
}  // namespace morva
