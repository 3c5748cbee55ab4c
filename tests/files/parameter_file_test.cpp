#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "files/parameter_file.h"
#include "tests/files/window_fixture.h"

namespace morva::test {
namespace {

class ParameterFile : public WindowTest {
  protected:
    void read(const std::vector<std::string>& lines) {
        writeLines("MORVA Parameters.dat", lines);
        Read_ParameterFile(*w);
    }
    const ParameterRecord& p() const { return w->st.params; }
    const SettingsRecord& s() const { return w->st.settings; }
};

TEST_F(ParameterFile, EveryKeyReachesItsVariableWithItsConversion) {
    read({"[MORVA Windows - MORVA Parameter File] Ver.0.50",
          "Default_AD_SamplingRate_Sens = 720.25",
          "Default_AD_SamplingRate_Lin = 7200.5",
          "Default_CylRot = 1798.2",
          "Default_nHead = 4",
          "nData_SensWF = 100",
          "StartPos_SensWFSample = 2",
          "nPoint_SensWFSample = 8",
          "Mask_SmoothSensWF = 5",
          "Area_CalcSensVal = 10",
          "Area_MsrSensMaxMinPos = 6",
          "Thresh_ChkSensVal = 2.5",
          "flg_SmoothSensWF = 1",
          "nData_LinWF = 100",
          "StartPos_LinWFSample = 5",
          "Pos_FixOfs_LinWF = 48",
          "nCut_CalcLinOfs = 7",
          "Mask_SmoothLinWF = 3.5",
          "Mask_SmoothCorWF = 3",
          "nLoop_SmoothCorWF = 2",
          "flg_SmoothLinWF = 1",
          "AD_IOmode = 123456",
          "AD_TriggerType = 1",
          "AD_TriggerSlope = 0",
          "Interval_Timer_AD_TRG = 123456"});
    EXPECT_EQ(versions(), std::vector<std::string>{"MORVA Parameters.dat : Ver.0.50"});
    EXPECT_DOUBLE_EQ(p().Default_AD_SamplingRate_Sens, 720.25);
    EXPECT_DOUBLE_EQ(p().Default_AD_SamplingRate_Lin, 7200.5);
    EXPECT_FLOAT_EQ(p().Default_CylRot, 1798.2f);
    EXPECT_EQ(p().Default_nHead, 4);
    EXPECT_EQ(p().nData_SensWF, 100);
    EXPECT_EQ(p().StartPos_SensWFSample, 2);
    EXPECT_EQ(p().nPoint_SensWFSample, 8);
    EXPECT_EQ(p().Mask_SmoothSensWF, 5);
    EXPECT_EQ(p().Area_CalcSensVal, 10);
    EXPECT_EQ(p().Area_MsrSensMaxMinPos, 6);
    EXPECT_EQ(p().Thresh_ChkSensVal, 2);  // halves go to the even neighbour
    EXPECT_EQ(p().Mask_SmoothLinWF, 4);
    EXPECT_EQ(s().flg_SmoothSensWF, 1);
    EXPECT_EQ(p().nData_LinWF, 100);
    EXPECT_EQ(p().StartPos_LinWFSample, 5);
    EXPECT_EQ(p().Pos_FixOfs_LinWF, 48);
    EXPECT_EQ(p().nCut_CalcLinOfs, 7);
    EXPECT_EQ(p().Mask_SmoothCorWF, 3);
    EXPECT_EQ(p().nLoop_SmoothCorWF, 2);
    EXPECT_EQ(s().flg_SmoothLinWF, 1);
    EXPECT_EQ(s().AD_IOmode, 12345);  // first five characters only
    EXPECT_EQ(s().AD_TriggerType, 1);
    EXPECT_EQ(s().AD_TriggerSlope, 0);
    EXPECT_EQ(s().Interval_Timer_AD_TRG, 12345);
    EXPECT_EQ(w->timer_chk_AD_TRG.interval(), 12345);
    EXPECT_EQ(w->Text3.text(), "48");
}

TEST_F(ParameterFile, KeysMatchExactlyAndTheLaterLineWins) {
    w->st.params.nData_SensWF = 77;
    read({"header without the word", "nData_SensWF=100", "ndata_senswf = 100", "[Sensitivity]", "",
          "nData_LinWF = 50", "nData_LinWF = 60"});
    EXPECT_EQ(p().nData_SensWF, 77);
    EXPECT_EQ(p().nData_LinWF, 60);
    EXPECT_EQ(versions(), std::vector<std::string>{"MORVA Parameters.dat : header without the word"});
}

TEST_F(ParameterFile, TypeNamesAreTheLinesAfterTheCountWhateverTheirKeys) {
    w->st.params.Thresh_ChkSensVal = 20;
    read({"Ver.1", "nType_MasterTape = 2", "Type0 = SD Master,21,20", "Thresh_ChkSensVal = 9",
          "Thresh_ChkSensVal = 30"});
    EXPECT_EQ(s().nType_MasterTape, 2);
    EXPECT_EQ(s().MasterTapeTypeName[0], "SD Master,21,20");
    EXPECT_EQ(s().MasterTapeTypeName[1], "9");
    EXPECT_EQ(p().Thresh_ChkSensVal, 30);  // only the line after the names counts
}

TEST_F(ParameterFile, TypeNamesPastTheElevenSlotsAreReadOver) {
    std::vector<std::string> lines = {"Ver.1", "nType_MasterTape = 12"};
    for (int i = 0; i < 12; ++i)
        lines.push_back("T = name" + std::to_string(i));
    lines.push_back("nData_LinWF = 90");
    read(lines);
    EXPECT_EQ(s().nType_MasterTape, 11);
    EXPECT_EQ(s().MasterTapeTypeName[10], "name10");
    EXPECT_EQ(p().nData_LinWF, 90);
}

TEST_F(ParameterFile, AFileEndingInsideTheTypeNamesStopsThere) {
    read({"Ver.1", "nType_MasterTape = 3", "T = first", "T = second"});
    EXPECT_EQ(s().nType_MasterTape, 2);
    EXPECT_EQ(s().MasterTapeTypeName[1], "second");
}

TEST_F(ParameterFile, ADBlockGroupedByKeyFillsTheListsLikeABlockGroupedByBoard) {
    const std::vector<std::string> byBoard = {"Ver.1",
                                              "n_AD_Entry = 2",
                                              "AD_DeviceType = A",
                                              "AD_DllName = da",
                                              "AD_ConfigFile = a.dat",
                                              "AD_Resolution_Default = 4096",
                                              "AD_nChannel = 1",
                                              "AD_DeviceType = B",
                                              "AD_DllName = db",
                                              "AD_ConfigFile = b.dat",
                                              "AD_Resolution_Default = 32672",
                                              "AD_nChannel = 2",
                                              "nData_LinWF = 80"};
    const std::vector<std::string> byKey = {"Ver.1",
                                            "n_AD_Entry = 2",
                                            "AD_DeviceType = A",
                                            "AD_DeviceType = B",
                                            "AD_DllName = da",
                                            "AD_DllName = db",
                                            "comment inside the block",
                                            "AD_ConfigFile = a.dat",
                                            "AD_ConfigFile = b.dat",
                                            "AD_Resolution_Default = 4096",
                                            "AD_Resolution_Default = 32672",
                                            "AD_nChannel = 1",
                                            "AD_nChannel = 2",
                                            "nData_LinWF = 80"};
    for (const auto& lines : {byBoard, byKey}) {
        w = std::make_unique<FrmMain>(app);
        w->st.ProgramFolder = programFolder();
        read(lines);
        EXPECT_EQ(s().n_AD_Entry, 2);
        EXPECT_EQ(s().AD_DeviceType[0], "A");
        EXPECT_EQ(s().AD_DeviceType[1], "B");
        EXPECT_EQ(s().AD_DllName[1], "db");
        EXPECT_EQ(s().AD_ConfigFile[0], "a.dat");
        EXPECT_EQ(s().AD_Resolution_Default[0], 4096);
        EXPECT_EQ(s().AD_Resolution_Default[1], 32672);
        EXPECT_EQ(s().AD_nChannel[0], 1);
        EXPECT_EQ(s().AD_nChannel[1], 2);
        EXPECT_EQ(p().nData_LinWF, 80);  // the block ended with its last entry
    }
}

TEST_F(ParameterFile, AKeyNamedTooOftenDoesNotKeepTheBlockOpen) {
    read({"Ver.1", "n_AD_Entry = 1", "AD_DeviceType = A", "AD_DeviceType = B", "AD_DllName = d",
          "AD_ConfigFile = c", "AD_Resolution_Default = 1", "AD_nChannel = 2", "nData_LinWF = 70"});
    EXPECT_EQ(s().n_AD_Entry, 1);
    EXPECT_EQ(s().AD_DeviceType[0], "A");
    EXPECT_EQ(s().AD_DeviceType[1], "");
    EXPECT_EQ(p().nData_LinWF, 70);
}

TEST_F(ParameterFile, AFileEndingInsideTheADBlockCountsOnlyCompleteBoards) {
    read({"Ver.1", "n_AD_Entry = 2", "AD_DeviceType = A", "AD_DllName = da", "AD_ConfigFile = a.dat",
          "AD_Resolution_Default = 4096", "AD_nChannel = 1", "AD_DeviceType = B", "AD_DllName = db"});
    EXPECT_EQ(s().n_AD_Entry, 1);
    EXPECT_EQ(s().AD_DeviceType[1], "B");
}

TEST_F(ParameterFile, AnEmptyADBlockStillTakesOneLine) {
    read({"Ver.1", "n_AD_Entry = 0", "nData_LinWF = 70", "nData_SensWF = 90"});
    EXPECT_EQ(s().n_AD_Entry, 0);
    EXPECT_EQ(p().nData_LinWF, 0);
    EXPECT_EQ(p().nData_SensWF, 90);
}

TEST_F(ParameterFile, MoreThanElevenBoardsKeepTheFirstEleven) {
    std::vector<std::string> lines = {"Ver.1", "n_AD_Entry = 12"};
    for (int i = 0; i < 12; ++i) {
        const std::string n = std::to_string(i);
        lines.insert(lines.end(), {"AD_DeviceType = T" + n, "AD_DllName = d", "AD_ConfigFile = c",
                                   "AD_Resolution_Default = 1", "AD_nChannel = 2"});
    }
    lines.push_back("nData_LinWF = 70");
    read(lines);
    EXPECT_EQ(s().n_AD_Entry, 11);
    EXPECT_EQ(s().AD_DeviceType[10], "T10");
    EXPECT_EQ(p().nData_LinWF, 70);
}

TEST_F(ParameterFile, ValuesTooLargeForTheirTargetAreClamped) {
    read({"Ver.1", "flg_SmoothSensWF = 70000", "flg_SmoothLinWF = -99999", "nData_SensWF = 1E12",
          "Default_nHead = -5E20"});
    EXPECT_EQ(s().flg_SmoothSensWF, std::numeric_limits<int16_t>::max());
    EXPECT_EQ(s().flg_SmoothLinWF, std::numeric_limits<int16_t>::min());
    EXPECT_EQ(p().nData_SensWF, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(p().Default_nHead, std::numeric_limits<int32_t>::min());
}

TEST_F(ParameterFile, AMissingFileIsListedAndChangesNothing) {
    w->st.params.nData_LinWF = 100;
    Read_ParameterFile(*w);
    EXPECT_EQ(versions(), std::vector<std::string>{"MORVA Parameters.dat : not found"});
    EXPECT_EQ(p().nData_LinWF, 100);
}

}  // namespace
}  // namespace morva::test
