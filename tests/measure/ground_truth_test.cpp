// The measurement recovers known physics: a sensitivity trapezoid of known
// slope and a linearity deviation profile of known shape, for every head and
// channel arrangement.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>

#include "measure/lin_assembly.h"
#include "measure/lin_average.h"
#include "measure/sens_assembly.h"
#include "measure/sens_average.h"
#include "measure/sens_waveform.h"
#include "synthetic_signal.h"

namespace morva {
namespace {

using test::LinScene;
using test::SensScene;

struct Arrangement {
    int32_t nHead;
    int32_t channels;
};

std::string arrangementName(const testing::TestParamInfo<Arrangement>& info) {
    return std::to_string(info.param.nHead) + "Heads" + std::to_string(info.param.channels) + "Channels";
}

const Arrangement kArrangements[] = {{2, 1}, {2, 2}, {4, 1}, {4, 2}, {8, 1}, {8, 2}};

class SensitivityGroundTruth : public testing::TestWithParam<Arrangement> {};

// Runs a whole averaged sensitivity measurement: nLoop_MsrSens acquisitions
// at different phases of the level pattern, every slot computed.
void measureSensitivity(MainState& state, SensScene scene) {
    test::configureSens(state, scene);
    for (int32_t loop = 1; loop <= state.msr.nLoop_MsrSens; ++loop) {
        scene.phase = 0.13 * loop;
        test::fillSensBuffer(state, scene);
        Assemble_SensWaveform(state);
        const int32_t nSlot = SensSlotCount(state.msr.nType_SensWF, state.settings.n_AD_Channel);
        for (int32_t ch = 0; ch < nSlot; ++ch)
            Calc_SensWaveform(state, ch, loop);
        Calc_SensValue_Loop(state, loop);
    }
    Calc_SensValue_Final(state);
}

TEST_P(SensitivityGroundTruth, SlopesAndResultWithinOnePercentOfTheTrueSlope) {
    for (const double period : {60.0, 40.0}) {
        SCOPED_TRACE("period " + std::to_string(period) + " points");
        auto state = test::makeState();
        SensScene scene;
        scene.nHead = GetParam().nHead;
        scene.channels = GetParam().channels;
        scene.periodPoints = period;
        measureSensitivity(*state, scene);

        const float S = scene.slope;
        const int32_t nSlot = SensSlotCount(state->msr.nType_SensWF, scene.channels);
        ASSERT_GE(nSlot, 2);
        for (int32_t ch = 0; ch < nSlot; ++ch) {
            SCOPED_TRACE("slot " + std::to_string(ch));
            EXPECT_NEAR(state->sens.Sens_posi[static_cast<size_t>(ch)], S, 0.01 * S);
            EXPECT_NEAR(state->sens.Sens_nega[static_cast<size_t>(ch)], -S, 0.01 * S);
            // The period is found from the level crossings.
            const double scansPerPoint = state->msr.nType_SensWF;
            const double periodSeconds = period * scansPerPoint * 60.0 / scene.cylRot / 2.0;
            EXPECT_NEAR(state->sens.ramda[static_cast<size_t>(ch)], periodSeconds, 0.01 * periodSeconds);
        }
        EXPECT_NEAR(state->sens.SensVal[0], S, 0.01 * S);
        if (nSlot == 4) {
            EXPECT_NEAR(state->sens.SensVal[1], S, 0.01 * S);
        }
    }
}

TEST_P(SensitivityGroundTruth, EachAcquisitionAloneIsWithinOnePercent) {
    auto state = test::makeState();
    SensScene scene;
    scene.nHead = GetParam().nHead;
    scene.channels = GetParam().channels;
    scene.slope = 37.5f;  // no whole-number averaging here, so a small slope is fine
    test::configureSens(*state, scene);
    for (const double phase : {0.0, 0.31, 0.77}) {
        scene.phase = phase;
        test::fillSensBuffer(*state, scene);
        Assemble_SensWaveform(*state);
        const int32_t nSlot = SensSlotCount(state->msr.nType_SensWF, scene.channels);
        for (int32_t ch = 0; ch < nSlot; ++ch) {
            Calc_SensWaveform(*state, ch, 1);
            EXPECT_NEAR(state->sens.Sval_P[static_cast<size_t>(ch)][1], scene.slope, 0.01 * scene.slope);
            EXPECT_NEAR(state->sens.Sval_N[static_cast<size_t>(ch)][1], -scene.slope, 0.01 * scene.slope);
        }
        Calc_SensValue_Loop(*state, 1);
        EXPECT_NEAR(state->sens.SensVal[0], scene.slope, 0.01 * scene.slope);
    }
}

INSTANTIATE_TEST_SUITE_P(Arrangements, SensitivityGroundTruth, testing::ValuesIn(kArrangements),
                         arrangementName);

// ---------------------------------------------------------------- linearity

class LinearityGroundTruth : public testing::TestWithParam<Arrangement> {
  protected:
  public:
    static double profile(int32_t c, int32_t i) {
        const double x = i / 100.0;
        return (c == 0 ? 0.9 : -0.6) * std::sin(2 * std::numbers::pi * x) + 0.35 * x * x + 0.1 * c;
    }

  protected:
    LinScene scene() const {
        LinScene s;
        s.nHead = GetParam().nHead;
        s.channels = GetParam().channels;
        s.deviation = profile;
        return s;
    }

    // Channels whose lines carry the deviation (two heads: channel 0 only).
    int32_t measuredChannels() const { return GetParam().nHead == 2 ? 1 : GetParam().channels; }

    // Largest |LinAvg - (profile - its mean over the inner points)|, micrometres.
    double worstError(const MainState& state, const LinScene& s) const {
        return worstErrorAgainst(state, s, s.deviation);
    }
    double worstErrorAgainst(const MainState& state, const LinScene& s,
                             const std::function<double(int32_t, int32_t)>& truth) const {
        double worst = 0.0;
        const int32_t cut = state.params.nCut_CalcLinOfs;
        for (int32_t c = 0; c < measuredChannels(); ++c) {
            double mean = 0.0;
            for (int32_t i = cut + 1; i <= s.points - cut; ++i)
                mean += truth(c, i);
            mean /= s.points - 2 * cut;
            for (int32_t i = 1; i <= s.points; ++i) {
                const double measured =
                    state.lin.LinAvg[static_cast<size_t>(c)][static_cast<size_t>(i)] / 100.0;
                worst = std::max(worst, std::fabs(measured - (truth(c, i) - mean)));
            }
        }
        return worst;
    }

    double trueSpan(int32_t c, int32_t points) const {
        double hi = -1e9, lo = 1e9;
        for (int32_t i = 1; i <= points; ++i) {
            hi = std::max(hi, profile(c, i));
            lo = std::min(lo, profile(c, i));
        }
        return hi - lo;
    }
};

TEST_P(LinearityGroundTruth, RealTimeAverageReproducesTheProfileMinusItsOffset) {
    auto state = test::makeState();
    LinScene s = scene();
    test::configureLin(*state, s);
    Clear_Lin(*state);
    // Acquisitions differ by a common disturbance of a few counts, as real ones do.
    const double disturbance[] = {3.3, -2.1, 4.6, -3.7};
    const int32_t ring = state->msr.nLoop_LinRealTime;
    for (int32_t slot = 1; slot <= ring; ++slot) {
        test::fillLinBuffer(*state, s, disturbance[slot - 1]);
        ASSERT_TRUE(Assemble_LinWaveform(*state));
        Fill_LinBuffer(*state, slot);
    }
    for (int32_t c = 0; c < GetParam().channels; ++c)
        Calc_LinOffsetAvg(*state, c, true);
    EXPECT_LE(worstError(*state, s), 0.02) << "after the buffer fill";

    // A steady signal keeps the picture: two more rounds of the ring.
    for (int32_t pass = 0; pass < 2 * ring; ++pass) {
        const int32_t slot = pass % ring + 1;
        test::fillLinBuffer(*state, s, disturbance[slot - 1]);
        ASSERT_TRUE(Assemble_LinWaveform(*state));
        MovAvg_LinWaveform(*state, slot);
    }
    EXPECT_LE(worstError(*state, s), 0.02) << "steady signal";
    for (int32_t c = 0; c < measuredChannels(); ++c)
        EXPECT_NEAR(state->lin.LinVal[static_cast<size_t>(c)] / 100.0, trueSpan(c, s.points), 0.04);

    // The deviation changes (an adjustment) by a shape of zero mean over the
    // inner points, since the moving average keeps the offset of the buffer
    // fill. One round of the ring later the average shows the new profile.
    // Each pass takes every point to the nearest hundredth once more, so the
    // bound grows by 0.005 um per pass.
    std::array<double, kMaxLinPoint + 1> change{};
    const int32_t cut = state->params.nCut_CalcLinOfs;
    double changeMean = 0.0;
    for (int32_t i = 1; i <= s.points; ++i) {
        change[static_cast<size_t>(i)] = 0.3 * std::cos(i / 9.0) - 0.002 * i;
        if (i > cut && i <= s.points - cut) changeMean += change[static_cast<size_t>(i)];
    }
    changeMean /= s.points - 2 * cut;
    s.deviation = [change, changeMean](int32_t c, int32_t i) {
        return profile(c, i) + change[static_cast<size_t>(i)] - changeMean;
    };
    const double changed[] = {-1.4, 2.9, 0.6, -3.1};
    for (int32_t slot = 1; slot <= ring; ++slot) {
        test::fillLinBuffer(*state, s, changed[slot - 1]);
        ASSERT_TRUE(Assemble_LinWaveform(*state));
        MovAvg_LinWaveform(*state, slot);
    }
    EXPECT_LE(worstError(*state, s), 0.02 + 0.005 * ring) << "after the change";
}

TEST_P(LinearityGroundTruth, FinalAverageReproducesTheProfileMinusItsOffset) {
    auto state = test::makeState();
    const LinScene s = scene();
    test::configureLin(*state, s);
    Clear_Lin(*state);
    const double disturbance[] = {-2.5, 4.1, 0.7, -3.6};
    for (int32_t n = 0; n < state->msr.nLoop_LinFinalData; ++n) {
        test::fillLinBuffer(*state, s, disturbance[n]);
        ASSERT_TRUE(Assemble_LinWaveform(*state));
        Add_LinFinalData(*state);
    }
    Finish_LinFinalData(*state);
    EXPECT_LE(worstError(*state, s), 0.02);
    for (int32_t c = 0; c < measuredChannels(); ++c)
        EXPECT_NEAR(state->lin.LinVal[static_cast<size_t>(c)] / 100.0, trueSpan(c, s.points), 0.04);
}

TEST_P(LinearityGroundTruth, MasterTapeCorrectionRemovesTheTapesOwnDeviation) {
    auto state = test::makeState();
    LinScene s = scene();
    // The tape's own deviation is played back on top of the recorder's.
    const auto tape = [](int32_t, int32_t i) { return 0.4 * std::cos(i / 13.0); };
    s.deviation = [tape](int32_t c, int32_t i) { return profile(c, i) + tape(c, i); };
    test::configureLin(*state, s);
    for (int32_t i = 1; i <= s.points; ++i)
        state->lin.CorWF[static_cast<size_t>(i)] = static_cast<int32_t>(std::lround(-tape(0, i) * 100));
    Clear_Lin(*state);
    for (int32_t slot = 1; slot <= state->msr.nLoop_LinRealTime; ++slot) {
        test::fillLinBuffer(*state, s, 1.7 * slot - 3.0);
        ASSERT_TRUE(Assemble_LinWaveform(*state));
        Fill_LinBuffer(*state, slot);
    }
    for (int32_t c = 0; c < GetParam().channels; ++c)
        Calc_LinOffsetAvg(*state, c, true);
    EXPECT_LE(worstErrorAgainst(*state, s, profile), 0.02);
}

INSTANTIATE_TEST_SUITE_P(Arrangements, LinearityGroundTruth, testing::ValuesIn(kArrangements),
                         arrangementName);

}  // namespace
}  // namespace morva
