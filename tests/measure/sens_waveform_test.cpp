// The per-slot sensitivity computation: smoothing indexes, crossings,
// period, steepest points, fits, and its limits.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "measure/sens_assembly.h"
#include "measure/sens_waveform.h"
#include "synthetic_signal.h"

namespace morva {
namespace {

class SensWaveform : public testing::Test {
  protected:
    void SetUp() override {
        state = test::makeState();
        test::SensScene scene;
        test::configureSens(*state, scene);
        state->msr.nType_SensWF = 2;
    }
    auto& raw(int32_t ch = 0) { return state->sens.SensWF_Raw[static_cast<size_t>(ch)]; }
    std::unique_ptr<MainState> state;
};

TEST_F(SensWaveform, OddMaskAveragesHalfIndexesToTheEvenNeighbour) {
    state->params.Mask_SmoothSensWF = 5;
    for (int32_t i = 1; i <= 150; ++i)
        raw()[static_cast<size_t>(i)] = static_cast<float>(i);
    Calc_SensWaveform(*state, 0, 1);
    // i = 10: points near(8.5 .. 12.5) = 8, 10, 10, 12, 12.
    EXPECT_FLOAT_EQ(state->sens.SensWF[0][10], (8 + 10 + 10 + 12 + 12) / 5.0f);
    // The first point i = near(2.5) = 2 reads point 0, which holds 0.
    EXPECT_FLOAT_EQ(state->sens.SensWF[0][2], (0 + 2 + 2 + 4 + 4) / 5.0f);
}

TEST_F(SensWaveform, EvenMaskAveragesTheWholeWindow) {
    state->params.Mask_SmoothSensWF = 4;
    for (int32_t i = 1; i <= 150; ++i)
        raw()[static_cast<size_t>(i)] = static_cast<float>(i * i);
    Calc_SensWaveform(*state, 0, 1);
    // i = 20: points 19, 20, 21, 22.
    EXPECT_FLOAT_EQ(state->sens.SensWF[0][20], (361 + 400 + 441 + 484) / 4.0f);
}

TEST_F(SensWaveform, FlatWaveformHasNoCrossingsAndZeroSlopes) {
    raw().fill(500.0f);
    Calc_SensWaveform(*state, 0, 3);
    const SensState& s = state->sens;
    EXPECT_EQ(s.nZerX[0], 0);
    EXPECT_EQ(s.C_val[0], 500.0f);
    EXPECT_EQ(s.Th_Lvl[0], 500.0f);
    EXPECT_EQ(s.ramda[0], 3.0f) << "a period of 0 becomes 3 before the conversion";
    EXPECT_EQ(s.Sval_P[0][3], 0.0f);
    EXPECT_EQ(s.Sval_N[0][3], 0.0f);
}

TEST_F(SensWaveform, SingleCrossingShowsTenThousand) {
    for (int32_t i = 0; i <= 150; ++i)
        raw()[static_cast<size_t>(i)] = i < 70 ? 100.0f : 1000.0f;
    Calc_SensWaveform(*state, 0, 1);
    EXPECT_EQ(state->sens.nZerX[0], 10000);
    EXPECT_EQ(state->sens.ramda[0], 3.0f);
    EXPECT_EQ(state->sens.ZerX_Pos[0][1], 68) << "the centre crossing nearest the threshold crossing";
}

TEST_F(SensWaveform, PeriodIsTwiceTheMeanCrossingDistance) {
    // Square-ish wave, 20 points high, 20 low: centre crossings every 20 points.
    for (int32_t i = 0; i <= 150; ++i)
        raw()[static_cast<size_t>(i)] = ((i / 20) % 2 == 0) ? 200.0f : 1200.0f;
    Calc_SensWaveform(*state, 0, 1);
    const SensState& s = state->sens;
    ASSERT_GE(s.nZerX[0], 2);
    for (int32_t k = 1; k < s.nZerX[0]; ++k)
        EXPECT_EQ(s.ZerX_Pos[0][static_cast<size_t>(k + 1)] - s.ZerX_Pos[0][static_cast<size_t>(k)], 20);
    // 40 points per period, every 2nd scan of 1/60 s.
    EXPECT_FLOAT_EQ(s.ramda[0], HalfScanSeconds(1800.0f) * 40.0f * 2);
}

// A steep rise wholly above 1600 mV near the start, then a fall and a gentle
// rise at a low level.
void twoRamps(std::array<float, kMaxSensPoint + 1>& wf) {
    for (int32_t i = 0; i <= 150; ++i) {
        float v;
        if (i < 10)
            v = 1700.0f;
        else if (i < 18)
            v = 1700.0f + 150.0f * (i - 10);  // steep, 1700 -> 2900
        else if (i < 30)
            v = 2900.0f - 225.0f * (i - 18);  // down to 200
        else if (i < 60)
            v = 200.0f + 10.0f * (i - 30);  // gentle, 200 -> 500
        else
            v = 500.0f;
        wf[static_cast<size_t>(i)] = v;
    }
}

TEST_F(SensWaveform, RisingPointAbove1600IsNotTheSteepestForFourHeadRecorders) {
    twoRamps(raw());
    state->model.nHead = 4;
    state->settings.MachineType = "VTR";
    Calc_SensWaveform(*state, 0, 1);
    EXPECT_GE(state->sens.P_max[0], 30);
    EXPECT_LE(state->sens.P_max[0], 62) << "the gentle ramp below 1600 mV";

    state->settings.MachineType = "Data";
    Calc_SensWaveform(*state, 0, 1);
    EXPECT_GE(state->sens.P_max[0], 8);
    EXPECT_LE(state->sens.P_max[0], 20) << "data recorders have no level limit";

    state->settings.MachineType = "VTR";
    state->model.nHead = 8;
    Calc_SensWaveform(*state, 0, 1);
    EXPECT_LE(state->sens.P_max[0], 20) << "the limit is for four-head recorders only";
}

TEST_F(SensWaveform, OtherMachineTypeRefinesFromTheWaveformStart) {
    // Rising faster and faster: the largest window sum is the last one allowed.
    for (int32_t i = 0; i <= 150; ++i)
        raw()[static_cast<size_t>(i)] = 0.05f * static_cast<float>(i * i);
    state->settings.MachineType = "Tape";
    state->params.Area_MsrSensMaxMinPos = 5;
    state->params.Mask_SmoothSensWF = 3;
    Calc_SensWaveform(*state, 0, 1);
    // Steepest positions 0: windows start at 0 .. 5 (a = -5 pulled up to 0);
    // centre floor(2.5 + i): the largest sum at i = 5, the smallest at i = 0.
    EXPECT_EQ(state->sens.P_max[0], 7);
    EXPECT_EQ(state->sens.P_min[0], 2);
}

TEST_F(SensWaveform, ManyCrossingsStayWithinTheLists) {
    // Mask 1 keeps a zig-zag of +-30 mV every two points around each ramp's
    // threshold: far more than 20 crossings in each list.
    state->params.Mask_SmoothSensWF = 1;
    for (int32_t i = 0; i <= 150; ++i) {
        const int32_t p = i % 36;
        const float tri = p < 18 ? 10.0f * p : 10.0f * (36 - p);
        raw()[static_cast<size_t>(i)] = 300.0f + tri + ((i % 4 < 2) ? 30.0f : -30.0f);
    }
    Calc_SensWaveform(*state, 0, 1);
    const SensState& s = state->sens;
    EXPECT_GE(s.nZerX[0], 2);
    EXPECT_LE(s.nZerX[0], kMaxKeptCrossings);
    for (int32_t k = 1; k <= s.nZerX[0]; ++k) {
        EXPECT_GE(s.ZerX_Pos[0][static_cast<size_t>(k)], 0);
        EXPECT_LE(s.ZerX_Pos[0][static_cast<size_t>(k)], 150);
    }
    EXPECT_TRUE(std::isfinite(s.Sval_P[0][1]));
    EXPECT_TRUE(std::isfinite(s.ramda[0]));
}

TEST(SensFitWindow, LimitedToThirtyNinePointsInsideTheWaveform) {
    EXPECT_EQ(LimitSensFitHalfWidth(5, 75), 5);
    EXPECT_EQ(LimitSensFitHalfWidth(250, 75), 19);
    EXPECT_EQ(LimitSensFitHalfWidth(10, 4), 4) << "the window may reach point 0, not below";
    EXPECT_EQ(LimitSensFitHalfWidth(10, 146), 4);
    EXPECT_EQ(LimitSensFitHalfWidth(-2, 75), -2) << "an empty fit stays empty";
}

TEST_F(SensWaveform, WideFitUsesThirtyNinePoints) {
    // A long straight rise of 3 mV per point through a trapezoid-free stretch:
    // any window of up to 39 points on it gives exactly that slope.
    test::SensScene scene;
    scene.periodPoints = 120.0;
    scene.area = 100;  // h = floor(120 / 24 x 100) = 500
    test::configureSens(*state, scene);
    test::fillSensBuffer(*state, scene);
    Assemble_SensWaveform(*state);
    Calc_SensWaveform(*state, 0, 1);
    const SensState& s = state->sens;
    const int32_t centre = s.P_max[0];
    // Least squares over the 39 points around the centre, in double.
    const int32_t h = LimitSensFitHalfWidth(500, centre);
    ASSERT_EQ(h, 19);
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (int32_t k = -h; k <= h; ++k) {
        const double y = s.SensWF[0][static_cast<size_t>(centre + k)];
        sx += k;
        sy += y;
        sxx += k * k;
        sxy += k * y;
    }
    const double W = 2 * h + 1;
    const double slopePerPoint = (sxy - sx * sy / W) / (sxx - sx * sx / W);
    const double umPerPoint = 4.0 * scene.trackPitch / (s.ramda[0] / (HalfScanSeconds(scene.cylRot) * 2));
    EXPECT_NEAR(s.Sval_P[0][1], slopePerPoint / umPerPoint, 1e-3 * std::fabs(slopePerPoint / umPerPoint));
}

TEST_F(SensWaveform, SlotOrAcquisitionOutsideTheArraysChangesNothing) {
    for (int32_t i = 0; i <= 150; ++i)
        raw(3)[static_cast<size_t>(i)] = static_cast<float>(i % 30);
    const auto before = std::make_unique<SensState>(state->sens);
    Calc_SensWaveform(*state, 4, 1);
    Calc_SensWaveform(*state, -1, 1);
    Calc_SensWaveform(*state, 3, 21);
    Calc_SensWaveform(*state, 3, -1);
    EXPECT_EQ(std::memcmp(before.get(), &state->sens, sizeof(SensState)), 0);
}

TEST_F(SensWaveform, MaskBelowOneCountsAsOne) {
    test::SensScene scene;
    test::fillSensBuffer(*state, scene);
    Assemble_SensWaveform(*state);
    state->params.Mask_SmoothSensWF = 1;
    Calc_SensWaveform(*state, 0, 1);
    const float withOne = state->sens.Sval_P[0][1];
    state->params.Mask_SmoothSensWF = 0;
    Calc_SensWaveform(*state, 0, 2);
    EXPECT_EQ(state->sens.Sval_P[0][2], withOne);
    EXPECT_TRUE(std::isfinite(withOne));
}

TEST_F(SensWaveform, ZeroCylinderSpeedOrPitchGivesZeroNotInfinity) {
    test::SensScene scene;
    test::fillSensBuffer(*state, scene);
    Assemble_SensWaveform(*state);
    state->model.CylRot = 0.0f;
    Calc_SensWaveform(*state, 0, 1);
    EXPECT_TRUE(std::isfinite(state->sens.Sval_P[0][1]));
    EXPECT_TRUE(std::isfinite(state->sens.ramda[0]));
    state->model.CylRot = 1800.0f;
    state->model.TrackPitch = 0.0f;
    Calc_SensWaveform(*state, 0, 1);
    EXPECT_EQ(state->sens.Sval_P[0][1], 0.0f);
    EXPECT_EQ(state->sens.Sval_N[0][1], 0.0f);
}

}  // namespace
}  // namespace morva
