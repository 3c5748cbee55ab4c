#include <gtest/gtest.h>

#include <string>

#include "core/state.h"
#include "files/mode_parameters.h"

namespace morva {
namespace {

// Reference rates chosen so that a head scan at the reference rotation has
// 12 sensitivity and 120 linearity samples; a stagger of 30 degrees is then
// 20 linearity samples, and a mode with two staggers shifts by 40.
class ModeParameters : public ::testing::Test {
  protected:
    ModeParameters() {
        st.params.Default_AD_SamplingRate_Sens = 720;
        st.params.Default_AD_SamplingRate_Lin = 7200;
        st.params.Default_CylRot = 1800;
        st.params.nData_SensWF = 100;
        st.params.StartPos_LinWFSample = 5;
        st.model.HeadStagger = 30;
        st.model.VTRmode_Name[1] = "STD";
        st.model.VTRmode_TrackPitch[1] = 10;
        st.model.VTRmode_CylRot[1] = 1800;
        st.model.VTRmode_nStagger[1] = 2;
        st.settings.Mode_PN = "PAL";
        st.msr.StartPos_LinWF = {-1, -2, -3, -4};  // "unchanged" shows as these
        st.model.nADdata_Sens = -5;
        st.model.nADdata_Lin = -6;
    }
    void calc(const std::string& type, int nHead) {
        st.settings.MachineType = type;
        st.model.nHead = nHead;
        Calc_ModeParameters(st, 1);
    }
    const std::array<int32_t, 4>& pos() const { return st.msr.StartPos_LinWF; }

    MainState st;
};

TEST_F(ModeParameters, RatesFollowTheRotationForEveryMachineType) {
    for (const std::string type : {"VTR", "Data", "Other"}) {
        calc(type, 4);
        EXPECT_FLOAT_EQ(st.model.CylRot, 1800) << type;
        EXPECT_FLOAT_EQ(st.model.TrackPitch, 10) << type;
        EXPECT_DOUBLE_EQ(st.model.AD_SplRate_Sens, 720) << type;
        EXPECT_DOUBLE_EQ(st.model.AD_SplRate_Lin, 7200) << type;
    }
}

TEST_F(ModeParameters, VTRTwoHeads) {
    calc("VTR", 2);
    EXPECT_EQ(pos(), (std::array<int32_t, 4>{165, 365, -3, -4}));
    EXPECT_EQ(st.model.nADdata_Sens, 4820);  // 4 scans x 12 x 100 points + 20
    EXPECT_EQ(st.model.nADdata_Lin, 490);    // 4 scans x 120 + 10
}

TEST_F(ModeParameters, VTRFourHeads) {
    calc("VTR", 4);
    EXPECT_EQ(pos(), (std::array<int32_t, 4>{165, 45, -3, -4}));
    EXPECT_EQ(st.model.nADdata_Sens, 2420);
    EXPECT_EQ(st.model.nADdata_Lin, 250);
}

TEST_F(ModeParameters, VTREightHeadsPlaceTheSecondHeadGroupOneStaggerLater) {
    calc("VTR", 8);
    EXPECT_EQ(pos(), (std::array<int32_t, 4>{165, 5, 185, 25}));
    EXPECT_EQ(st.model.nADdata_Sens, 2420);
    EXPECT_EQ(st.model.nADdata_Lin, 270);  // (30/180 + 2) x 120 + 10
}

TEST_F(ModeParameters, VTRWithAnotherHeadCountSetsOnlyTheFirstWindow) {
    calc("VTR", 6);
    EXPECT_EQ(pos(), (std::array<int32_t, 4>{165, -2, -3, -4}));
    EXPECT_EQ(st.model.nADdata_Sens, -5);
    EXPECT_EQ(st.model.nADdata_Lin, -6);
}

TEST_F(ModeParameters, DataFourHeadsSwapTheFirstTwoWindows) {
    calc("Data", 4);
    EXPECT_EQ(pos(), (std::array<int32_t, 4>{45, 165, 65, 185}));
    EXPECT_EQ(st.model.nADdata_Sens, 2420);
    EXPECT_EQ(st.model.nADdata_Lin, 250);
}

TEST_F(ModeParameters, DataWithAnotherHeadCountSetsOnlyTheFirstWindow) {
    calc("Data", 2);
    EXPECT_EQ(pos(), (std::array<int32_t, 4>{45, -2, -3, -4}));
    EXPECT_EQ(st.model.nADdata_Lin, -6);
}

TEST_F(ModeParameters, AnUnknownMachineTypeDerivesNoWindows) {
    calc("Camera", 4);
    EXPECT_EQ(pos(), (std::array<int32_t, 4>{-1, -2, -3, -4}));
    EXPECT_EQ(st.model.nADdata_Sens, -5);
}

TEST_F(ModeParameters, NTSCTurnsSlowerAndScalesBothRates) {
    st.settings.Mode_PN = "NTSC";
    calc("VTR", 4);
    EXPECT_FLOAT_EQ(st.model.CylRot, 1798.2f);
    EXPECT_DOUBLE_EQ(st.model.AD_SplRate_Sens, 719);  // 719.28
    EXPECT_DOUBLE_EQ(st.model.AD_SplRate_Lin, 7193);  // 7192.8
    EXPECT_EQ(pos()[0], 165);                         // samples per scan do not change
}

TEST_F(ModeParameters, RatesRoundHalvesUpWhileCountsRoundHalvesToEven) {
    st.params.Default_AD_SamplingRate_Sens = 720.5;
    st.params.Default_AD_SamplingRate_Lin = 7230;  // 120.5 samples per scan
    st.model.HeadStagger = 0;
    calc("VTR", 2);
    EXPECT_DOUBLE_EQ(st.model.AD_SplRate_Sens, 721);
    EXPECT_EQ(pos()[0], 126);  // 125.5
    EXPECT_EQ(pos()[1], 366);  // 366.5
    EXPECT_EQ(st.model.nADdata_Lin, 492);
}

TEST_F(ModeParameters, AZeroRotationGivesZeroRatesInsteadOfInfinities) {
    st.model.VTRmode_CylRot[1] = 0;
    calc("VTR", 2);
    EXPECT_DOUBLE_EQ(st.model.AD_SplRate_Sens, 0);
    EXPECT_DOUBLE_EQ(st.model.AD_SplRate_Lin, 0);
    EXPECT_EQ(pos()[0], 5);
    EXPECT_EQ(st.model.nADdata_Sens, 20);
    EXPECT_EQ(st.model.nADdata_Lin, 10);

    st.model.VTRmode_CylRot[1] = 1800;
    st.params.Default_CylRot = 0;
    calc("VTR", 2);
    EXPECT_DOUBLE_EQ(st.model.AD_SplRate_Lin, 0);
    EXPECT_EQ(st.model.nADdata_Lin, 10);
}

TEST_F(ModeParameters, StaggerProductsBeyondSixteenBitsAreClamped) {
    st.model.HeadStagger = 100000000;  // 66.7 million samples: clamped to 32767
    calc("VTR", 2);
    EXPECT_EQ(pos()[0], 120 + 5 + 32767);
}

TEST_F(ModeParameters, ASlotOutsideTheModesChangesNothing) {
    st.settings.MachineType = "VTR";
    st.model.nHead = 2;
    Calc_ModeParameters(st, -1);
    Calc_ModeParameters(st, kModeSlots);
    EXPECT_EQ(pos()[0], -1);
    EXPECT_FLOAT_EQ(st.model.CylRot, 0);
}

TEST(ModeSlotOfEntry, TheListSkipsEmptySlotsWithoutShiftingTheirValues) {
    ModelRecord m;
    m.VTRmode_Name = {"SP", "*", "LP", "*", "EP", ""};
    EXPECT_EQ(ModeSlotOfEntry(m, 0), 0);
    EXPECT_EQ(ModeSlotOfEntry(m, 1), 2);
    EXPECT_EQ(ModeSlotOfEntry(m, 2), 4);
    EXPECT_EQ(ModeSlotOfEntry(m, 3), -1);  // slot 5 is never listed
    EXPECT_EQ(ModeSlotOfEntry(m, -1), -1);
}

}  // namespace
}  // namespace morva
