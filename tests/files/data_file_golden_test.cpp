// The written data file, byte for byte, against files put together by hand
// from the file layout; and the procedures around the write.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/files/data_file_fixture.h"

namespace morva::test {
namespace {

std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines)
        text += l + "\r\n";
    return text;
}

std::vector<std::string> headAndSettings(const std::string& nAdChannel, const std::string& nLin) {
    return {"[MORVA Windows - MORVA Data File] Ver.0.3",
            "MachineType = VTR",
            "ModelName = VK-210",
            "VTRmode = SP",
            "Mode_PN = PAL",
            "Serial = SN1234",
            "Comment = after head change",
            "SaveDate = 03-07-2026",
            "SaveTime = 09:05:03",
            "MasterTape = MT-210 No.7",
            "VEKO_Serial = D0042",
            "VEKO_ModelName = DT-5",
            "VEKO_SoftVer = 1.20",
            "VEKO_Operation = 1234",
            "VEKO_DumRun = 56",
            "VEKO_TensOn = 78",
            "VEKO_Loading = 910",
            "VEKO_CL_SOL = 65547",
            "VEKO_Eject = 12",
            "VEKO_HalfLoad = 3",
            "AD_DeviceType = SIM-VTR-ADC",
            "AD_Resolution =  32672 ",
            "n_AD_channel = " + nAdChannel,
            "n_Msr_channel_Sens =  1 ",
            "n_Msr_channel_Lin = " + nLin,
            "",
            "*** Sensitivity Setting ***",
            "nData_SensWF =  2 ",
            "nType_SensWF =  4 ",
            "Mask_SmoothSensWF =  5 ",
            "nLoop_MsrSens =  10 ",
            "flg_SmoothSensWF =  1 ",
            "",
            "*** Linearity Setting ***",
            "PeakHoldTime =  10 ",
            "Adj_LinEnt =  2 ",
            "nData_LinWF =  3 ",
            "Mask_SmoothLinWF =  3 ",
            "Mask_SmoothCorWF =  7 ",
            "flg_SmoothLinWF =  0 ",
            "Mask_SmoothLinWF =  3 ",
            "Mask_SmoothCorWF =  7 ",
            "nLoop_LinRealTime =  8 ",
            "nLoop_LinFinalData =  16 ",
            "StartPos_LinWF0 =  100 ",
            "StartPos_LinWF1 =  2350 ",
            "StartPos_LinWF2 =  4600 ",
            "StartPos_LinWF3 = -1 ",
            "ofs_LinWF_avg0 =  .5 ",
            "ofs_LinWF_mlt0 =  .01 ",
            "ofs_LinWF_mlt1 = -.02 ",
            "ofs_LinWF_avg1 = -1.25 ",
            "ofs_LinWF_mlt2 =  2.5 ",
            "ofs_LinWF_mlt3 =  0 ",
            "",
            "*** Measurement Result ***",
            "LinVal0 = 1.3",
            "WavVal0 = 0.7",
            "LinVal1 = 3.4",
            "WavVal1 = 0.0",
            "SensVal0 =  12.5 ",
            "SensVal1 =  .25 ",
            "Sens_posi0 =  120.25 ",
            "Sens_nega0 = -118.5 ",
            "Sens_posi1 =  .1 ",
            "Sens_nega1 =  1234567 ",
            "Sens_posi2 =  0 ",
            "Sens_nega2 =  1.234568E+07 ",
            "Sens_posi3 =  3E-09 ",
            "Sens_nega3 = -.5 ",
            "",
            "*** Sensitivity Waveform Data ***",
            "No.,SensWF0,SensWF1,SensWF2,SensWF3,SensDifWF0,SensDifWF1,SensDifWF2,SensDifWF3",
            " 1 ,1.500,-0.063,1000.000,0.000,2.250,0.000,0.000,-7.000",
            " 2 ,3.000,0.000,0.000,0.000,0.000,-0.001,0.000,0.000",
            "",
            "*** Linearity Waveform Data ***"};
}

TEST_F(DataFileTest, OneChannelFileIsWrittenByteForByte) {
    std::vector<std::string> lines = headAndSettings("1", " 1 ");
    for (const char* row : {"No.,LinAvg0,WavMax0,WavMin0,Lin0,Lin1", " 1 ,-1.25,0.05,-0.05,1.00,-0.01",
                            " 2 ,-2.50,0.10,-0.10,2.00,-0.01", " 3 ,-3.75,0.15,-0.15,3.00,-0.01"})
        lines.push_back(row);

    w->st.flags.flg_Unsaved = 1;
    w->st.DataFileName = "SN1234(PAL SP).Morva_210";
    w->proc.Write_DataFile();

    EXPECT_EQ(readBytes(dataFile("SN1234(PAL SP).Morva_210")), crlf(lines));
    EXPECT_EQ(clockReads, 1);
    EXPECT_EQ(w->st.flags.flg_Unsaved, 0);
    EXPECT_FALSE(w->cmd_StartFunction(2).enabled());
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(DataFileTest, TwoChannelFileHasElevenLinearityColumns) {
    w->lbl_n_AD_Channel.setCaption("2");
    w->st.msr.n_Msr_channel_Lin = 2;
    std::vector<std::string> lines = headAndSettings("2", " 2 ");
    for (const char* row : {"No.,LinAvg0,WavMax0,WavMin0,Lin0,Lin1,LinAvg1,WavMax1,WavMin1,Lin2,Lin3",
                            " 1 ,-1.25,0.05,-0.05,1.00,-0.01,0.07,123.45,-999.99,0.00,0.02",
                            " 2 ,-2.50,0.10,-0.10,2.00,-0.01,0.14,123.45,-999.99,0.00,0.04",
                            " 3 ,-3.75,0.15,-0.15,3.00,-0.01,0.21,123.45,-999.99,0.00,0.06"})
        lines.push_back(row);

    w->st.DataFileName = "two.Morva_210";
    w->proc.Write_DataFile();
    EXPECT_EQ(readBytes(dataFile("two.Morva_210")), crlf(lines));

    // Read back, then written again: the same bytes.
    w->st.flags.flg_Unsaved = 0;
    load("two.Morva_210");
    w->st.DataFileName = "again.Morva_210";
    w->proc.Write_DataFile();
    EXPECT_EQ(readBytes(dataFile("again.Morva_210")), crlf(lines));
}

TEST_F(DataFileTest, OperatorTextCannotStartALineOfItsOwn) {
    w->lbl_MsrInfo(0).setCaption("SN\r\nnData_SensWF = 150");
    w->lbl_MsrInfo(1).setCaption("two\nlines\tand\x7F");
    w->st.VEKO_Info[0] = "D\r0042";
    w->st.DataFileName = "x.Morva_210";
    w->proc.Write_DataFile();
    const std::vector<std::string> lines = readLines("x.Morva_210");
    EXPECT_EQ(lines[5], "Serial = SN  nData_SensWF = 150");
    EXPECT_EQ(lines[6], "Comment = two lines and ");
    EXPECT_EQ(lines[10], "VEKO_Serial = D 0042");
    EXPECT_EQ(lines[27], "nData_SensWF =  2 ");
}

TEST_F(DataFileTest, LoadShowsTheFileAndSwitchesToTheDataFilePanel) {
    w->st.msr.n_Msr_channel_Lin = 2;
    w->st.DataFileName = "SN1234(PAL SP).Morva_210";
    w->proc.Write_DataFile();
    const MainState written = w->st;

    // Another measurement in memory, other counts, and then the load.
    w->st.sens.SensWF[0][2] = 99.0f;
    w->st.lin.Lin[3][3] = 777;
    w->st.lin.ofs_LinWF_avg = {9, 9};
    w->st.params.nData_SensWF = 100;
    w->st.params.nData_LinWF = 100;
    w->st.msr.n_Msr_channel_Lin = 1;
    w->st.msr.Adj_LinEnt = 0;
    w->cmd_StartFunction(2).setEnabled(true);
    w->pic_CmdMenu(1).setVisible(true);
    w->pic_Page(1).setVisible(true);
    load("SN1234(PAL SP).Morva_210");

    const MainState& st = w->st;
    EXPECT_EQ(st.params.nData_SensWF, 2);
    EXPECT_EQ(st.params.nData_LinWF, 3);
    EXPECT_EQ(st.msr.n_Msr_channel_Lin, 2);
    EXPECT_EQ(st.msr.Adj_LinEnt, 2);
    EXPECT_EQ(st.lin.ofs_LinWF_avg, written.lin.ofs_LinWF_avg);
    EXPECT_EQ(st.lin.ofs_LinWF_mlt, written.lin.ofs_LinWF_mlt);
    EXPECT_EQ(st.lin.Lin, written.lin.Lin);
    EXPECT_EQ(st.lin.LinAvg, written.lin.LinAvg);
    EXPECT_EQ(st.lin.WavMax, written.lin.WavMax);
    EXPECT_EQ(st.lin.WavMin, written.lin.WavMin);
    EXPECT_FLOAT_EQ(st.sens.SensWF[1][1], -0.063f);
    EXPECT_FLOAT_EQ(st.sens.SensDifWF[3][1], -7.0f);
    EXPECT_EQ(st.sens.SensWF[0][2], 3.0f);
    EXPECT_EQ(st.Dat_MachineType, "VTR");

    EXPECT_EQ(w->lbl_DatInfo(0).caption(), "VK-210(PAL)");
    EXPECT_EQ(w->lbl_DatInfo(1).caption(), "SP");
    EXPECT_EQ(w->lbl_DatInfo(3).caption(), "MT-210 No.7");
    EXPECT_EQ(w->lbl_DatInfo(4).caption(), "03-07-2026");
    EXPECT_EQ(w->lbl_DatInfo(5).caption(), "09:05:03");
    EXPECT_EQ(w->lbl_DatInfo(6).caption(), "SN1234");
    EXPECT_EQ(w->lbl_DatInfo(7).caption(), "after head change");
    EXPECT_EQ(w->lbl_DatInfo(9).caption(), "SN1234(PAL SP).Morva_210");
    EXPECT_EQ(w->lbl_LinVal(0).caption(), "1.3");
    EXPECT_EQ(w->lbl_WavVal(0).caption(), "0.7");
    EXPECT_EQ(w->lbl_LinVal(1).caption(), "3.4");
    EXPECT_EQ(w->lbl_SensVal(0).caption(), "12.5");
    EXPECT_EQ(w->lbl_SensVal(1).caption(), "0.3");

    EXPECT_EQ(st.flags.flg_DataLoaded, 1);
    EXPECT_EQ(st.flags.flg_PeakHold, 1);
    EXPECT_EQ(st.flags.flg_Unsaved, 0);
    EXPECT_FALSE(w->cmd_StartFunction(2).enabled());
    for (int i = 0; i <= 4; ++i)
        EXPECT_EQ(w->pic_CmdMenu(i).visible(), i == 4) << i;
    for (int i = 0; i <= 3; ++i)
        EXPECT_EQ(w->pic_Page(i).visible(), i == 2) << i;
    EXPECT_EQ(calls, (std::vector<std::string>{"Set_View", "Draw_SensGrid", "Draw_LinGrid", "Draw_SensWF",
                                               "Draw_LinWF"}));
}

TEST_F(DataFileTest, AutomaticNameFollowsTheSwitchesAndTheOneClockReading) {
    for (int i = 0; i <= 5; ++i)
        w->chk_AutoFileName(i).setValue(1);
    w->proc.Make_AutoFileName();
    EXPECT_EQ(w->st.DataFileName, "SN1234(PAL SP)260307-090503.Morva_210");
    // The clock moves past midnight before the write: the stamp keeps the name's time.
    clock = {2026, 3, 8, 0, 0, 1};
    w->proc.Write_DataFile();
    EXPECT_EQ(clockReads, 1);
    const std::vector<std::string> lines = readLines("SN1234(PAL SP)260307-090503.Morva_210");
    EXPECT_EQ(lines[7], "SaveDate = 03-07-2026");
    EXPECT_EQ(lines[8], "SaveTime = 09:05:03");

    // Only year, month and day: no "-" and no time part.
    w->chk_AutoFileName(3).setValue(0);
    w->chk_AutoFileName(4).setValue(0);
    w->chk_AutoFileName(5).setValue(0);
    EXPECT_EQ(AutoFileName(*w, "A1", clock), "A1(PAL SP)260308.Morva_210");
    // Minutes alone.
    for (int i = 0; i <= 5; ++i)
        w->chk_AutoFileName(i).setValue(i == 4 ? 1 : 0);
    EXPECT_EQ(AutoFileName(*w, "A1", clock), "A1(PAL SP)-00.Morva_210");
    // A "Data" machine has no standard in its name; another type no base at all.
    w->st.settings.MachineType = "Data";
    EXPECT_EQ(AutoFileName(*w, "A1", clock), "A1(SP)-00.Morva_210");
    w->st.settings.MachineType = "Audio";
    EXPECT_EQ(AutoFileName(*w, "A1", clock), "-00.Morva_210");
    w->chk_AutoFileName(4).setValue(0);
    EXPECT_EQ(AutoFileName(*w, "A1", clock), "NoName.Morva_210");
}

TEST_F(DataFileTest, AutomaticSaveNeverReplacesAFile) {
    writeBytes("SN1234(PAL SP).Morva_210", "first\r\n");
    writeBytes("SN1234(PAL SP)_2.Morva_210", "second\r\n");
    w->proc.Make_AutoFileName();
    EXPECT_EQ(w->st.DataFileName, "SN1234(PAL SP)_3.Morva_210");
    w->proc.Write_DataFile();
    EXPECT_EQ(readBytes(dataFile("SN1234(PAL SP).Morva_210")), "first\r\n");
    EXPECT_EQ(readBytes(dataFile("SN1234(PAL SP)_2.Morva_210")), "second\r\n");
    EXPECT_EQ(readLines("SN1234(PAL SP)_3.Morva_210")[0], "[MORVA Windows - MORVA Data File] Ver.0.3");
}

TEST_F(DataFileTest, AFailedWriteKeepsTheMeasurementMarkedUnsaved) {
    std::filesystem::create_directory(path("taken.Morva_210"));
    w->st.flags.flg_Unsaved = 1;
    w->st.DataFileName = "taken.Morva_210";
    w->proc.Write_DataFile();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_NE(dialogs.shown()[0].prompt.find("taken.Morva_210"), std::string::npos);
    EXPECT_EQ(w->st.flags.flg_Unsaved, 1);
    EXPECT_TRUE(w->cmd_StartFunction(2).enabled());
    EXPECT_EQ(w->st.datafile.WriteCount, 0);

    // A name that would leave the folder is not written at all.
    dialogs.clear();
    w->st.DataFileName = "../outside.Morva_210";
    w->proc.Write_DataFile();
    EXPECT_EQ(dialogs.shown().size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(folder_.parent_path() / "outside.Morva_210"));
    EXPECT_EQ(w->st.flags.flg_Unsaved, 1);
}

}  // namespace
}  // namespace morva::test
