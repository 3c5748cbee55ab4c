// Linearity lines, their averages, offsets, values, envelope and the manual
// window adjustment.

#include <gtest/gtest.h>

#include <cmath>

#include "measure/lin_adjust.h"
#include "measure/lin_assembly.h"
#include "measure/lin_average.h"
#include "synthetic_signal.h"

namespace morva {
namespace {

class Linearity : public testing::Test {
  protected:
    void SetUp() override {
        state = test::makeState();
        test::LinScene scene;
        scene.deviation = [](int32_t, int32_t) { return 0.0; };
        test::configureLin(*state, scene);
    }
    // Sets line l of the last acquisition directly.
    void setRaw(int32_t l, int32_t value) {
        for (int32_t i = 1; i <= state->params.nData_LinWF; ++i)
            state->lin.LinWF_Raw[static_cast<size_t>(l)][static_cast<size_t>(i)] = value;
    }
    int32_t lin(int32_t l, int32_t i) const {
        return state->lin.Lin[static_cast<size_t>(l)][static_cast<size_t>(i)];
    }
    std::unique_ptr<MainState> state;
};

TEST_F(Linearity, TwoHeadsGiveTheHigherLineTheSecondHeadsSensitivityAndFallingSign) {
    state->model.nHead = 2;
    state->sens.Sens_Slot = {40.0f, 50.0f, 0.0f, 0.0f};
    const double F = state->AD_mVperCount * 100.0;
    const auto fill = [&](int16_t line0, int16_t line1) {
        state->ADData.fill(0);
        for (int32_t i = 1; i <= 100; ++i) {
            state->ADData[static_cast<size_t>(state->msr.StartPos_LinWF[0] + i - 1)] = line0;
            state->ADData[static_cast<size_t>(state->msr.StartPos_LinWF[1] + i - 1)] = line1;
        }
    };
    fill(2000, 1000);
    ASSERT_TRUE(Assemble_LinWaveform(*state));
    EXPECT_EQ(state->lin.LinWF_Raw[0][1], std::lround(-2000 * F / 50));
    EXPECT_EQ(state->lin.LinWF_Raw[1][1], std::lround(1000 * F / 40));

    fill(1000, 2000);  // swapped: the sensitivities and signs swap
    ASSERT_TRUE(Assemble_LinWaveform(*state));
    EXPECT_EQ(state->lin.LinWF_Raw[0][1], std::lround(1000 * F / 40));
    EXPECT_EQ(state->lin.LinWF_Raw[1][1], std::lround(-2000 * F / 50));
}

TEST_F(Linearity, LineValueIsTheSampleTimesTheGainToTheNearestEven) {
    // F / Sens = 100 x 0.5 / 40 = 1.25 hundredths per count.
    state->AD_mVperCount = 0.5f;
    state->sens.Sens_Slot = {40.0f, 40.0f, 40.0f, 40.0f};
    state->ADData.fill(0);
    state->ADData[static_cast<size_t>(state->msr.StartPos_LinWF[1])] = 2;      // 2.5 -> 2
    state->ADData[static_cast<size_t>(state->msr.StartPos_LinWF[1] + 1)] = 6;  // 7.5 -> 8
    state->ADData[static_cast<size_t>(state->msr.StartPos_LinWF[0])] = 2;      // -2.5 -> -2
    Assemble_LinWaveform(*state);
    EXPECT_EQ(state->lin.LinWF_Raw[1][1], 2);
    EXPECT_EQ(state->lin.LinWF_Raw[1][2], 8);
    EXPECT_EQ(state->lin.LinWF_Raw[0][1], -2);
}

TEST_F(Linearity, MissingSensitivityGivesAFlatLineAndIsReported) {
    state->sens.Sens_Slot = {0.0f, 50.0f, 0.0f, 0.0f};
    state->ADData.fill(1234);
    EXPECT_FALSE(Assemble_LinWaveform(*state));
    EXPECT_EQ(state->lin.LinWF_Raw[0][10], 0);
    EXPECT_NE(state->lin.LinWF_Raw[1][10], 0);

    state->sens.Sens_Slot = {45.0f, 50.0f, 0.0f, 0.0f};
    EXPECT_TRUE(Assemble_LinWaveform(*state));
}

TEST_F(Linearity, SamplesPastTheBufferReadAsZero) {
    state->sens.Sens_Slot = {40.0f, 40.0f, 40.0f, 40.0f};
    state->settings.n_AD_Channel = 2;
    state->msr.StartPos_LinWF = {5960, 100, 100, -30};
    state->ADData.fill(1000);
    Assemble_LinWaveform(*state);
    // Line 0 reads (5960 + i - 1) x 2: point 41 is sample 12000, point 42 past it.
    EXPECT_NE(state->lin.LinWF_Raw[0][41], 0);
    EXPECT_EQ(state->lin.LinWF_Raw[0][42], 0);
    EXPECT_EQ(state->lin.LinWF_Raw[0][100], 0);
    // Line 3 starts before the buffer: (-30 + i - 1) x 2 + 1 < 0 up to point 30.
    EXPECT_EQ(state->lin.LinWF_Raw[3][30], 0);
    EXPECT_NE(state->lin.LinWF_Raw[3][31], 0);
}

TEST_F(Linearity, FifthAcquisitionReplacesTheFirstInARingOfFour) {
    state->lin.CorWF.fill(0);
    Clear_Lin(*state);
    const int32_t raw[] = {10, 20, 30, 41};
    const int32_t expected[] = {2, 7, 14, 24};  // near(2.5), near(7), near(14.5), near(24.25)
    for (int32_t s = 1; s <= 4; ++s) {
        setRaw(0, raw[s - 1]);
        Fill_LinBuffer(*state, s);
        EXPECT_EQ(lin(0, 50), expected[s - 1]) << "acquisition " << s;
    }
    setRaw(0, 50);
    MovAvg_LinWaveform(*state, 1);
    EXPECT_EQ(state->lin.LinWF_Buf[1][0][50], 50);
    EXPECT_EQ(lin(0, 50), 34) << "24 + (50 - 10) / 4";
    setRaw(0, 23);
    MovAvg_LinWaveform(*state, 2);
    EXPECT_EQ(lin(0, 50), 35) << "34 + (23 - 20) / 4 = 34.75";
}

TEST_F(Linearity, CorrectionIsAddedToEveryLine) {
    Clear_Lin(*state);
    state->msr.nLoop_LinRealTime = 1;
    state->lin.CorWF[7] = -120;
    setRaw(0, 300);
    setRaw(1, -40);
    Fill_LinBuffer(*state, 1);
    EXPECT_EQ(lin(0, 7), 180);
    EXPECT_EQ(lin(1, 7), -160);
    EXPECT_EQ(lin(0, 8), 300);
}

TEST_F(Linearity, SlotOutsideTheBufferChangesNothing) {
    Clear_Lin(*state);
    setRaw(0, 100);
    Fill_LinBuffer(*state, 0);
    Fill_LinBuffer(*state, 21);
    MovAvg_LinWaveform(*state, 21);
    MovAvg_LinWaveform(*state, -3);
    EXPECT_EQ(lin(0, 1), 0);
    EXPECT_EQ(LinRingSize(0), 1);
    EXPECT_EQ(LinRingSize(25), 20);
}

TEST_F(Linearity, OffsetIsTheMeanOfTheInnerPoints) {
    state->params.nData_LinWF = 10;
    state->params.nCut_CalcLinOfs = 2;
    for (int32_t i = 1; i <= 10; ++i) {
        state->lin.Lin[0][static_cast<size_t>(i)] = (i <= 2 || i >= 9) ? 1000 : 10 * i;
        state->lin.Lin[1][static_cast<size_t>(i)] = 5;
    }
    Calc_LinOffsetAvg(*state, 0, true);
    // Inner points 3..8: line 0 sums 330 over 6 -> 55; line 1 -> 5.
    EXPECT_EQ(state->lin.ofs_LinWF_mlt[0], 55);
    EXPECT_EQ(state->lin.ofs_LinWF_mlt[1], 5);
    EXPECT_EQ(state->lin.ofs_LinWF_avg[0], 30);  // (330 + 30) / 2 / 6
    EXPECT_EQ(state->lin.LinAvg[0][4], -8);      // near((5 + 40) / 2 - 30) = near(-7.5)
    EXPECT_EQ(state->lin.LinAvg[0][1], 472);     // near((5 + 1000) / 2 - 30) = near(472.5)
    EXPECT_EQ(state->lin.WavMax[0][4], -8);
    EXPECT_EQ(state->lin.WavMin[0][4], -8);
    EXPECT_EQ(state->lin.WavVal[0], 0);
}

TEST_F(Linearity, OffsetWithoutInnerPointsIsZero) {
    state->params.nData_LinWF = 10;
    state->params.nCut_CalcLinOfs = 5;
    for (int32_t i = 1; i <= 10; ++i) {
        state->lin.Lin[0][static_cast<size_t>(i)] = 100;
        state->lin.Lin[1][static_cast<size_t>(i)] = 300;
    }
    Calc_LinOffsetAvg(*state, 0, false);
    EXPECT_EQ(state->lin.ofs_LinWF_avg[0], 0);
    EXPECT_EQ(state->lin.ofs_LinWF_mlt[0], 0);
    EXPECT_EQ(state->lin.LinAvg[0][5], 200);
}

TEST_F(Linearity, FixedOffsetMakesItsPointZeroInEveryPass) {
    state->lin.flg_LinOfsFix = 1;
    state->params.Pos_FixOfs_LinWF = 50;
    state->msr.nLoop_LinRealTime = 1;
    Clear_Lin(*state);
    for (int32_t i = 1; i <= 100; ++i) {
        state->lin.LinWF_Raw[0][static_cast<size_t>(i)] = i % 2 == 0 ? 3 : 17 + i;
        state->lin.LinWF_Raw[1][static_cast<size_t>(i)] = 6 - i;
    }
    // Point 50: (3 + (6 - 50)) / 2 = -20.5 -> -20; LinAvg near(-20.5 + 20) = 0.
    Fill_LinBuffer(*state, 1);
    Calc_LinOffsetAvg(*state, 0, true);
    EXPECT_EQ(state->lin.ofs_LinWF_avg[0], -20);
    EXPECT_EQ(state->lin.LinAvg[0][50], 0);
    for (int32_t pass = 0; pass < 3; ++pass) {
        state->lin.LinWF_Raw[0][50] += 7;
        MovAvg_LinWaveform(*state, 1);
        EXPECT_EQ(state->lin.LinAvg[0][50], 0) << "pass " << pass;
    }
}

TEST_F(Linearity, MovingPassKeepsTheFillOffsetAndTheManualChange) {
    state->msr.nLoop_LinRealTime = 1;
    Clear_Lin(*state);
    setRaw(0, 100);
    setRaw(1, 300);
    Fill_LinBuffer(*state, 1);
    Calc_LinOffsetAvg(*state, 0, true);
    EXPECT_EQ(state->lin.ofs_LinWF_avg[0], 200);
    cmd_Pos_LinWF_Click(*state, 0);  // + 50
    setRaw(0, 500);                  // the level moves; the offset stays
    MovAvg_LinWaveform(*state, 1);
    EXPECT_EQ(state->lin.LinAvg[0][10], (500 + 300) / 2 - 250);
}

TEST_F(Linearity, LinearityValueSpansThePointsAfterTheAdjustedEntry) {
    state->params.nData_LinWF = 20;
    auto& avg = state->lin.LinAvg[0];
    for (int32_t i = 1; i <= 20; ++i)
        avg[static_cast<size_t>(i)] = i == 2 ? 900 : i;
    EXPECT_EQ(LinSpan(avg, 0, 20), 900 - 1);
    EXPECT_EQ(LinSpan(avg, 2, 20), 20 - 3);
    EXPECT_EQ(LinSpan(avg, 20, 20), -10000) << "no point examined";
    EXPECT_EQ(LinSpan(avg, 45, 20), -10000);
    EXPECT_EQ(LinValueText(-10000), "-100.0");
    EXPECT_EQ(LinValueText(1234), "12.3");
    EXPECT_EQ(LinValueText(25), "0.3");
    EXPECT_EQ(LinSpan(avg, -1, 20), 900 - 0) << "Adj_LinEnt -1 reaches point 0";
    EXPECT_EQ(LinSpan(avg, -30, 20), 900 - 0) << "never below point 0";
}

TEST_F(Linearity, PeakHoldWidensTheEnvelopeOnlyWhileOn) {
    state->msr.nLoop_LinRealTime = 1;
    state->msr.Adj_LinEnt = 3;
    Clear_Lin(*state);
    setRaw(0, 0);
    setRaw(1, 0);
    Fill_LinBuffer(*state, 1);
    Calc_LinOffsetAvg(*state, 0, true);

    state->lin.LinWF_Raw[0][10] = 80;  // LinAvg(10) = 40
    state->lin.LinWF_Raw[0][2] = 500;  // inside the adjusted entry: ignored
    MovAvg_LinWaveform(*state, 1);
    EXPECT_EQ(state->lin.WavMax[0][10], 0) << "peak hold off";

    state->flags.flg_PeakHold = 1;
    MovAvg_LinWaveform(*state, 1);
    EXPECT_EQ(state->lin.WavMax[0][10], 40);
    EXPECT_EQ(state->lin.WavMax[0][2], 0);
    EXPECT_EQ(state->lin.WavVal[0], 40);

    state->lin.LinWF_Raw[0][10] = -60;  // LinAvg(10) = -30
    MovAvg_LinWaveform(*state, 1);
    EXPECT_EQ(state->lin.WavMax[0][10], 40);
    EXPECT_EQ(state->lin.WavMin[0][10], -30);
    EXPECT_EQ(state->lin.WavVal[0], 70);
    EXPECT_EQ(state->lin.LinVal[0], 0 - (-30));

    state->lin.LinWF_Raw[0][10] = 0;
    MovAvg_LinWaveform(*state, 1);
    EXPECT_EQ(state->lin.WavVal[0], 70) << "the widest envelope stays";
}

TEST_F(Linearity, FinalAverageStartsFromZeroAndKeepsTheEnvelope) {
    state->msr.nLoop_LinFinalData = 3;
    state->lin.WavVal[0] = 77;
    Clear_Lin(*state);
    const int32_t raw[] = {10, 11, 13};
    for (const int32_t r : raw) {
        setRaw(0, r);
        setRaw(1, r);
        Add_LinFinalData(*state);
    }
    // near(3.33) = 3, near(3 + 3.67) = 7, near(7 + 4.33) = 11.
    EXPECT_EQ(lin(0, 5), 11);
    state->lin.Lin[0][60] = 40;
    Finish_LinFinalData(*state);
    EXPECT_EQ(state->lin.ofs_LinWF_mlt[0], 11);
    // Offset near((990 + 1019) / 2 / 90) = 11; LinAvg near((11 + 40) / 2 - 11) = near(14.5).
    EXPECT_EQ(state->lin.ofs_LinWF_avg[0], 11);
    EXPECT_EQ(state->lin.LinAvg[0][60], 14);
    EXPECT_EQ(state->lin.WavVal[0], 77);
}

TEST(LinAdjust, OffsetButtonsMoveChannelZeroByHalfAMicrometre) {
    auto state = test::makeState();
    state->lin.ofs_LinWF_avg = {10, 10};
    EXPECT_FALSE(cmd_Pos_LinWF_Click(*state, 0));
    EXPECT_EQ(state->lin.ofs_LinWF_avg[0], 60);
    EXPECT_FALSE(cmd_Pos_LinWF_Click(*state, 1));
    EXPECT_FALSE(cmd_Pos_LinWF_Click(*state, 1));
    EXPECT_EQ(state->lin.ofs_LinWF_avg[0], -40);
    EXPECT_EQ(state->lin.ofs_LinWF_avg[1], 10);
}

TEST(LinAdjust, WindowsMoveWithinTheAcquisition) {
    auto state = test::makeState();
    state->params.nData_LinWF = 100;
    state->model.nADdata_Lin = 300;
    state->msr.StartPos_LinWF = {0, 1, 199, 200};
    EXPECT_TRUE(cmd_Pos_LinWF_Click(*state, 2));
    EXPECT_EQ(state->msr.StartPos_LinWF, (std::array<int32_t, 4>{0, 0, 198, 199}));
    state->msr.StartPos_LinWF = {0, 1, 199, 200};
    EXPECT_TRUE(cmd_Pos_LinWF_Click(*state, 3));
    EXPECT_EQ(state->msr.StartPos_LinWF, (std::array<int32_t, 4>{1, 2, 200, 200}));
    EXPECT_TRUE(cmd_Pos_LinWF_Click(*state, 4));
    EXPECT_EQ(state->msr.StartPos_LinWF, (std::array<int32_t, 4>{1, 2, 200, 200}));
    EXPECT_FALSE(cmd_Pos_LinWF_Click(*state, 5));
    EXPECT_EQ(StartPos_LinWF_Text(state->msr, 2), "200");
    EXPECT_EQ(StartPos_LinWF_Text(state->msr, 4), "");
}

}  // namespace
}  // namespace morva
