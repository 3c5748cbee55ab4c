#pragma once
// A main window with a measured result in it, the data-file procedures
// bound, the clock pinned, and the SaveFile and OpenFile buttons (51, 52)
// pressing Write_DataFile and Read_DataFile as the sequencer does.

#include <string>
#include <vector>

#include "files/data_file.h"
#include "files/wire_data_file.h"
#include "tests/files/window_fixture.h"

namespace morva::test {

// A VTR model "VK-210" in PAL, mode SP, one channel; small tables.
inline void FillSampleResult(FrmMain& m) {
    MainState& st = m.st;
    st.settings.MachineType = "VTR";
    st.settings.Mode_PN = "PAL";
    st.settings.DataFileExt = ".Morva_210";
    m.cmb_ModelNameList.addItem("VK-210");
    m.cmb_ModelNameList.setListIndex(0);
    m.cmb_VTRmode_List.addItem("SP");
    m.cmb_VTRmode_List.setListIndex(0);
    m.cmb_MasterTapeList.addItem("MT-210 No.7");
    m.cmb_MasterTapeList.setListIndex(0);
    m.lbl_MsrInfo(0).setCaption("SN1234");
    m.lbl_MsrInfo(1).setCaption("after head change");
    st.VEKO_Info = {"D0042", "DT-5", "1.20", "1234", "56", "78", "910", "65547", "12", "3"};
    m.lbl_Name_AD_DeviceType.setCaption("SIM-VTR-ADC");
    m.lbl_n_AD_Channel.setCaption("1");
    st.AD_Resolution = 32672;
    st.msr.n_Msr_channel_Sens = 1;
    st.msr.n_Msr_channel_Lin = 1;
    st.params.nData_SensWF = 2;
    st.msr.nType_SensWF = 4;
    st.params.Mask_SmoothSensWF = 5;
    st.msr.nLoop_MsrSens = 10;
    st.settings.flg_SmoothSensWF = 1;
    st.settings.PeakHoldTime = 10;
    st.msr.Adj_LinEnt = 2;
    st.params.nData_LinWF = 3;
    st.params.Mask_SmoothLinWF = 3;
    st.params.Mask_SmoothCorWF = 7;
    st.settings.flg_SmoothLinWF = 0;
    st.msr.nLoop_LinRealTime = 8;
    st.msr.nLoop_LinFinalData = 16;
    st.msr.StartPos_LinWF = {100, 2350, 4600, -1};
    st.lin.ofs_LinWF_avg = {50, -125};
    st.lin.ofs_LinWF_mlt = {1, -2, 250, 0};
    st.lin.LinVal = {125, 340};
    st.lin.WavVal = {67, 0};
    st.sens.SensVal = {12.5f, 0.25f};
    st.sens.Sens_posi = {120.25f, 0.1f, 0, 3e-9f};
    st.sens.Sens_nega = {-118.5f, 1234567.0f, 12345678.0f, -0.5f};
    st.sens.SensWF[0][1] = 1.5f;
    st.sens.SensWF[1][1] = -0.0625f;
    st.sens.SensWF[2][1] = 1000.0f;
    st.sens.SensWF[3][1] = 0.0004f;
    st.sens.SensDifWF[0][1] = 2.25f;
    st.sens.SensDifWF[3][1] = -7.0f;
    st.sens.SensWF[0][2] = 3.0f;
    st.sens.SensDifWF[1][2] = -0.001f;
    for (size_t p = 1; p <= 3; ++p) {
        const auto v = static_cast<int32_t>(p);
        st.lin.LinAvg[0][p] = -125 * v;
        st.lin.WavMax[0][p] = 5 * v;
        st.lin.WavMin[0][p] = -5 * v;
        st.lin.Lin[0][p] = 100 * v;
        st.lin.Lin[1][p] = -1;
        st.lin.LinAvg[1][p] = 7 * v;
        st.lin.WavMax[1][p] = 12345;
        st.lin.WavMin[1][p] = -99999;
        st.lin.Lin[2][p] = 0;
        st.lin.Lin[3][p] = 2 * v;
    }
}

class DataFileTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Wire_DataFile(*w);
        w->cmd_StartFunction(51).Click = [this] { w->proc.Write_DataFile(); };
        w->cmd_StartFunction(52).Click = [this] { w->proc.Read_DataFile(); };
        w->st.datafile.WallClock = [this] {
            ++clockReads;
            return clock;
        };
        for (const char* name : {"Set_View", "Draw_SensGrid", "Draw_LinGrid", "Draw_SensWF", "Draw_LinWF"})
            bindTrace(name);
        FillSampleResult(*w);
        w->st.settings.Path_DataFile = programFolder();
    }

    std::string dataFile(const std::string& name) const { return programFolder() + name; }

    // Reads `name` from the program folder through the OpenFile button.
    void load(const std::string& name) {
        w->st.settings.Path_DataFile = programFolder();
        w->st.DataFileName = name;
        w->cmd_StartFunction(52).setValue(true);
    }

    void bindTrace(const std::string& name) {
        Proc<void()>* p = name == "Set_View"        ? &w->proc.Set_View
                          : name == "Draw_SensGrid" ? &w->proc.Draw_SensGrid
                          : name == "Draw_LinGrid"  ? &w->proc.Draw_LinGrid
                          : name == "Draw_SensWF"   ? &w->proc.Draw_SensWF
                                                    : &w->proc.Draw_LinWF;
        p->bind([this, name] { calls.push_back(name); });
    }

    LocalDateTime clock{2026, 3, 7, 9, 5, 3};
    int clockReads = 0;
    std::vector<std::string> calls;
};

}  // namespace morva::test
