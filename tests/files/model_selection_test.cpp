#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "files/mode_parameters.h"
#include "files/model_selection.h"
#include "files/vtr_parameter_list.h"
#include "files/wire_files.h"
#include "tests/files/window_fixture.h"

namespace morva::test {
namespace {

// A model row: name, type, heads, stagger, five modes (name, pitch, rotation,
// staggers), then the loop counts and limits.
std::string row(const std::string& name, const std::string& type, int nHead, const std::string& modes,
                const std::string& tail = "5,40,10,8,10,5,3.0,1.5") {
    return name + "," + type + "," + std::to_string(nHead) + ",30," + modes + "," + tail;
}
const std::string kFiveModes = "STD,10,1800,2,*,0,0,0,LONG,5,900,0,*,0,0,0,*,0,0,0";

class ModelSelection : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Wire_Files(*w);
        w->st.params.Default_AD_SamplingRate_Sens = 720;
        w->st.params.Default_AD_SamplingRate_Lin = 7200;
        w->st.params.Default_CylRot = 1800;
        w->st.params.nData_SensWF = 100;
        w->st.params.nData_LinWF = 100;
        w->st.params.StartPos_LinWFSample = 5;
        w->st.settings.Path_WorkList = programFolder() + "WorkList/";
        w->st.settings.Path_SpecLine_Lin = programFolder() + "SpecLine_Lin/";
        w->lbl_n_AD_Channel.setCaption("2");
        w->cmd_StartFunction(14).Click = [this] { ++noWorkListPresses; };
        w->proc.Set_View.bind([this] { viewBusy.push_back(w->st.flags.flg_Busy); });
    }
    void table(const std::vector<std::string>& rows) {
        std::vector<std::string> lines = {"[MORVA Windows - VTR Parameters] Ver.1.20"};
        lines.insert(lines.end(), rows.begin(), rows.end());
        writeLines("VTR Parameters.dat", lines);
        Read_VTRParameterList(*w);
    }
    void select(const std::string& name) {
        const auto& items = w->cmb_ModelNameList.items();
        const auto it = std::find(items.begin(), items.end(), name);
        ASSERT_NE(it, items.end()) << name;
        w->cmb_ModelNameList.setListIndex(static_cast<int>(it - items.begin()));
    }
    const ModelRecord& m() const { return w->st.model; }

    int noWorkListPresses = 0;
    std::vector<int16_t> viewBusy;
};

TEST_F(ModelSelection, TheListHoldsEveryModelLineInFileOrder) {
    table({row("VK-450", "VTR", 4, kFiveModes), "", "a line without a comma", "too,few,fields",
           row("DX-4D", "Data", 4, kFiveModes), row("VK-450", "VTR", 2, kFiveModes)});
    EXPECT_EQ(w->cmb_ModelNameList.items(), (std::vector<std::string>{"VK-450", "DX-4D", "VK-450"}));
    EXPECT_EQ(versions(), std::vector<std::string>{"VTR Parameters.dat : Ver.1.20"});
}

TEST_F(ModelSelection, TheLastFieldRunsToTheEndOfTheLine) {
    const auto fields = Split_ModelRow(row("A", "VTR", 2, kFiveModes, "1,2,3,4,5,6,7,8,9"));
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ((*fields)[31], "8,9");
    EXPECT_FALSE(Split_ModelRow("").has_value());
}

TEST_F(ModelSelection, AModelLoadsItsRowModesAndDerivedValues) {
    table({row("VK-450", "VTR", 4, kFiveModes)});
    w->opt_PAL_NTSC(0).setValue(true);
    select("VK-450");
    EXPECT_EQ(m().nHead, 4);
    EXPECT_EQ(m().HeadStagger, 30);
    EXPECT_EQ(w->st.msr.nLoop_MsrSens, 5);
    EXPECT_FLOAT_EQ(m().Spec_Sens_Centre, 40);
    EXPECT_FLOAT_EQ(m().Spec_Wav, 1.5f);
    EXPECT_EQ(w->Text1.text(), "8");
    EXPECT_EQ(w->Text2.text(), "10");
    EXPECT_TRUE(w->frm_PAL_NTSC.visible());
    EXPECT_EQ(w->st.settings.Mode_PN, "PAL");
    EXPECT_EQ(w->cmb_VTRmode_List.items(), (std::vector<std::string>{"STD", "LONG"}));
    EXPECT_EQ(w->cmb_VTRmode_List.listIndex(), 0);
    EXPECT_EQ(w->st.msr.StartPos_LinWF[0], 165);  // 120 + 5 + 2 staggers of 20
    EXPECT_EQ(m().nADdata_Lin, 250);
    EXPECT_EQ(m().n_AD_channel_Sens, 2);
    EXPECT_EQ(m().n_AD_channel_Lin, 1);
    EXPECT_EQ(w->st.msr.n_Msr_channel_Sens, 2);
    EXPECT_EQ(w->st.msr.n_Msr_channel_Lin, 1);
    EXPECT_EQ(w->st.settings.DataFileExt, ".Morva_450");
    EXPECT_EQ(w->lbl_Info(2).caption(), "VK-450(PAL)");
    EXPECT_NE(w->txt_debug.text().find("StartPos_LinWF0 = 165\r\n"), std::string::npos);
    EXPECT_EQ(viewBusy, std::vector<int16_t>{0});
}

TEST_F(ModelSelection, TheSecondModeEntryUsesItsOwnSlotPastAnEmptyOne) {
    table({row("VK-450", "VTR", 4, kFiveModes)});
    w->opt_PAL_NTSC(0).setValue(true);
    select("VK-450");
    w->cmb_VTRmode_List.setListIndex(1);  // "LONG", slot 2
    EXPECT_FLOAT_EQ(m().CylRot, 900);
    EXPECT_FLOAT_EQ(m().TrackPitch, 5);
    EXPECT_DOUBLE_EQ(m().AD_SplRate_Lin, 3600);
    EXPECT_EQ(w->st.msr.StartPos_LinWF[0], 125);  // no staggers in this mode
}

TEST_F(ModelSelection, NTSCScalesTheRotationAndBothRatesAndRenamesTheModel) {
    table({row("VK-450", "VTR", 4, kFiveModes)});
    w->opt_PAL_NTSC(0).setValue(true);
    select("VK-450");
    w->opt_PAL_NTSC(1).setValue(true);
    EXPECT_EQ(w->st.settings.Mode_PN, "NTSC");
    EXPECT_FLOAT_EQ(m().CylRot, 1798.2f);
    EXPECT_DOUBLE_EQ(m().AD_SplRate_Sens, 719);
    EXPECT_DOUBLE_EQ(m().AD_SplRate_Lin, 7193);
    EXPECT_EQ(w->lbl_Info(2).caption(), "VK-450(NTSC)");
    EXPECT_NE(w->txt_debug.text().find("CylRot = 1798.2\r\n"), std::string::npos);
}

TEST_F(ModelSelection, ADataModelHidesTheTVSystemAndRunsInPAL) {
    table({row("DX-4D", "Data", 4, kFiveModes)});
    w->opt_PAL_NTSC(1).setValue(true);
    select("DX-4D");
    EXPECT_FALSE(w->frm_PAL_NTSC.visible());
    EXPECT_EQ(w->st.settings.Mode_PN, "PAL");
    EXPECT_FLOAT_EQ(m().CylRot, 1800);
    EXPECT_EQ(w->lbl_Info(2).caption(), "DX-4D");
    EXPECT_EQ(w->st.settings.DataFileExt, ".Morva_4D");
}

TEST_F(ModelSelection, TheLaterOfTwoRowsWithOneNameIsUsed) {
    table({row("VK-1", "VTR", 2, kFiveModes), row("VK-1", "VTR", 8, kFiveModes), "VK-1,VTR,4,0,cut short"});
    select("VK-1");
    EXPECT_EQ(m().nHead, 8);
    EXPECT_EQ(m().n_AD_channel_Lin, 2);  // eight heads use every channel
    EXPECT_EQ(m().n_AD_channel_Sens, 2);
}

TEST_F(ModelSelection, ANameWithoutARowKeepsThePreviousValues) {
    table({row("VK-450", "VTR", 4, kFiveModes)});
    select("VK-450");
    w->cmb_ModelNameList.addItem("Gone");
    select("Gone");
    EXPECT_EQ(m().nHead, 4);
    EXPECT_EQ(w->cmb_VTRmode_List.items(), (std::vector<std::string>{"STD", "LONG"}));
    EXPECT_EQ(w->st.settings.DataFileExt, ".Morva_Gone");
}

TEST_F(ModelSelection, AdvancedModeUsesEveryChannelAndLoadingClearsTheDataFlag) {
    table({row("VK-210", "VTR", 2, kFiveModes)});
    w->st.settings.AdvMode = 1;
    w->st.flags.flg_DataLoaded = 1;
    select("VK-210");
    EXPECT_EQ(m().n_AD_channel_Lin, 2);
    EXPECT_EQ(w->st.msr.n_Msr_channel_Lin, 2);
    EXPECT_EQ(w->st.flags.flg_DataLoaded, 0);
}

TEST_F(ModelSelection, ABusyCallerKeepsItsBusyFlag) {
    table({row("VK-450", "VTR", 4, kFiveModes)});
    w->st.flags.flg_Busy = 1;
    select("VK-450");
    EXPECT_EQ(w->st.flags.flg_Busy, 1);
    EXPECT_EQ(viewBusy, std::vector<int16_t>{1});
}

TEST_F(ModelSelection, WithoutAWorkListTheMenuButtonIsPressedAndTheLimitsAreDefault) {
    table({row("VK-450", "VTR", 4, kFiveModes)});
    w->st.spec.SpecLine_Lin[0][0] = 7;
    w->st.params.nData_LinWF = 80;
    w->lbl_WorkList(3).setCaption("old model");
    w->lst_WorkList.addItem("old item");
    select("VK-450");
    EXPECT_EQ(noWorkListPresses, 1);
    EXPECT_EQ(w->lst_WorkList.listCount(), 0);
    EXPECT_EQ(w->lbl_WorkList(3).caption(), "");
    EXPECT_EQ(w->st.spec.SpecLine_Lin[0][1], 150);
    EXPECT_EQ(w->st.spec.SpecLine_Lin[1][80], -150);
    EXPECT_EQ(w->st.spec.SpecLine_Lin[0][81], 0);
    EXPECT_EQ(w->st.spec.SpecLine_Lin[0][0], 7);
}

TEST_F(ModelSelection, TheModelsWorkListAndLimitsAreRead) {
    table({row("VK-450", "VTR", 4, kFiveModes)});
    writeLines("WorkList/VK-450.WorkList",
               {"Ver.1", "ModelName = VK-450", "Control = service mode", "Cable = TC-45",
                "[Work List/Test Point]", "STD Gain,STD,a,b,c,d,e,f,g,h,i,j"});
    writeLines("SpecLine_Lin/VK-450.SpecLine", {"Ver.1", "n_Node = 2", "N0 = 1,2.0", "N1 = 11,1.0",
                                                "n_Node = 2", "N0 = 1,-2.0", "N1 = 11,-1.0"});
    select("VK-450");
    EXPECT_EQ(noWorkListPresses, 0);
    EXPECT_EQ(w->lst_WorkList.items(), std::vector<std::string>{"STD Gain"});
    EXPECT_EQ(w->lbl_WorkList(4).caption(), "service mode");
    EXPECT_EQ(w->st.spec.SpecLine_Lin[0][2], 190);
    EXPECT_EQ(w->st.spec.SpecLine_Lin[1][11], -100);
}

}  // namespace
}  // namespace morva::test
