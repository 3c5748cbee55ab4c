#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "files/startup_setting_file.h"
#include "files/text_file.h"
#include "tests/files/window_fixture.h"

namespace morva::test {
namespace {

class StartupSettingFile : public WindowTest {
  protected:
    // What the language switch and the work-list and control-panel check
    // boxes do to the settings (their full handlers live elsewhere).
    static void standInHandlers(FrmMain& win) {
        win.lbl_Language.Change = [&win] { win.st.settings.Language = win.lbl_Language.caption(); };
        win.chk_Dsp_WorkList.Click = [&win] {
            win.st.settings.Dsp_WorkList = static_cast<int16_t>(win.chk_Dsp_WorkList.value());
        };
        win.chk_Dsp_CtrlPanel.Click = [&win] {
            win.st.settings.Dsp_CtrlPanel = static_cast<int16_t>(win.chk_Dsp_CtrlPanel.value());
        };
    }

    void read(const std::vector<std::string>& lines) {
        writeLines("MORVA StartupSetting.dat", lines);
        Read_StartupSettingFile(*w);
    }

    // A window whose settings differ from every default.
    void fillSettings(FrmMain& win) {
        SettingsRecord& s = win.st.settings;
        s.Top = 120;
        s.Left = -45;
        s.Height = 9000;
        s.Width = 14000;
        s.Border = 7777;
        s.Language = "Japanese";
        s.FontName = "IPAGothic";
        s.FontSize = 11;
        s.Mode_PN = "NTSC";
        s.RemoteControl = 1;
        s.Path_DataFile = "/data/morva/";
        s.Path_SpecLine_Lin = "/data/limits/";
        s.Path_WorkList = "/data/work list/";
        s.Path_DaqConfigFile = "/opt/daq/";
        s.AutoSave = 1;
        s.Message_SerialInput = 1;
        s.Message_CommentInput = 0;
        s.MakeAutoFileName = 1;
        s.Dsp_WorkList = 1;
        s.Dsp_CtrlPanel = 0;
        s.PeakHoldTime = 25;
        for (int i = 0; i <= 5; ++i)
            win.chk_AutoFileName(i).setValue(i % 2);
        win.cmb_ModelNameList.addItem("VK-210");
        win.cmb_ModelNameList.addItem("VK-450");
        win.cmb_ModelNameList.setListIndex(1);
        win.cmb_MasterTapeList.addItem("MT-1");
        win.cmb_MasterTapeList.setListIndex(0);
        win.lbl_Name_AD_DeviceType.setCaption("SIM-VTR-ADC");
        win.lbl_n_AD_Channel.setCaption("2");
    }
};

TEST_F(StartupSettingFile, WritesExactlyTheListedLines) {
    fillSettings(*w);
    ASSERT_TRUE(Write_StartupSettingFile(*w));
    const std::vector<std::string> expected = {
        "[MORVA Windows - MORVA Setting File] Ver.0.50",
        "",
        "Top =  120 ",
        "Left = -45 ",
        "Height =  9000 ",
        "Width =  14000 ",
        "Border =  7777 ",
        "Language = Japanese",
        "FontName = IPAGothic",
        "FontSize =  11 ",
        "",
        "StartupModelName = VK-450",
        "StartupMode_PN = NTSC",
        "StartupTape = MT-1",
        "",
        "RemoteControl =  0 ",
        "",
        "[File]",
        "Path_DataFile = /data/morva/",
        "Path_SpecLine_Lin = /data/limits/",
        "Path_WorkList = /data/work list/",
        "Path_DaqConfigFile = /opt/daq/",
        "AutoSave =  1 ",
        "Message_SerialInput =  1 ",
        "Message_CommentInput =  0 ",
        "MakeAutoFileName =  1 ",
        " AutoFileName_Year =  0 ",
        " AutoFileName_Month =  1 ",
        " AutoFileName_Day =  0 ",
        " AutoFileName_Hour =  1 ",
        " AutoFileName_Minute =  0 ",
        " AutoFileName_Second =  1 ",
        "",
        "[View]",
        "Dsp_WorkList =  1 ",
        "Dsp_CtrlPanel =  0 ",
        "",
        "[A/D Board]",
        "Name_AD_DeviceType = SIM-VTR-ADC",
        "n_AD_Channel = 2",
        "AD_Resolution1 =  32672 ",
        "AD_Resolution2 = ",
        "AD_Resolution3 = ",
        "",
        "[Linearity]",
        "PeakHoldTime =  25 ",
    };
    EXPECT_EQ(readLines("MORVA StartupSetting.dat"), expected);
}

TEST_F(StartupSettingFile, WhatIsWrittenReadsBack) {
    fillSettings(*w);
    w->st.AD_Resolution = 4096;
    ASSERT_TRUE(Write_StartupSettingFile(*w));

    auto r = std::make_unique<FrmMain>(app);
    r->st.ProgramFolder = programFolder();
    standInHandlers(*r);
    r->st.settings.RemoteControl = 1;
    Read_StartupSettingFile(*r);
    const SettingsRecord& a = w->st.settings;
    const SettingsRecord& b = r->st.settings;
    EXPECT_EQ(b.Top, a.Top);
    EXPECT_EQ(b.Left, a.Left);
    EXPECT_EQ(b.Height, a.Height);
    EXPECT_EQ(b.Width, a.Width);
    EXPECT_EQ(b.Border, a.Border);
    EXPECT_EQ(b.Language, "Japanese");
    EXPECT_EQ(b.FontName, a.FontName);
    EXPECT_EQ(r->lbl_FontName.caption(), a.FontName);
    EXPECT_EQ(b.FontSize, 11);
    EXPECT_EQ(r->lbl_FontSize.caption(), "11");
    EXPECT_EQ(r->st.StartupModelName, "VK-450");
    EXPECT_EQ(r->st.StartupMode_PN, "NTSC");
    EXPECT_EQ(b.StartupTape, "MT-1");
    EXPECT_EQ(b.RemoteControl, 0);
    EXPECT_EQ(r->st.AD_Resolution, 32672);
    EXPECT_EQ(b.Path_DataFile, a.Path_DataFile);
    EXPECT_EQ(b.Path_SpecLine_Lin, a.Path_SpecLine_Lin);
    EXPECT_EQ(b.Path_WorkList, a.Path_WorkList);
    EXPECT_EQ(b.Path_DaqConfigFile, a.Path_DaqConfigFile);
    EXPECT_EQ(b.AutoSave, a.AutoSave);
    EXPECT_EQ(b.Message_SerialInput, a.Message_SerialInput);
    EXPECT_EQ(b.Message_CommentInput, a.Message_CommentInput);
    EXPECT_EQ(b.MakeAutoFileName, a.MakeAutoFileName);
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(r->chk_AutoFileName(i).value(), w->chk_AutoFileName(i).value()) << i;
    EXPECT_EQ(b.Dsp_WorkList, 1);
    EXPECT_EQ(b.Dsp_CtrlPanel, 0);
    EXPECT_EQ(r->lbl_Name_AD_DeviceType.caption(), "SIM-VTR-ADC");
    EXPECT_EQ(b.n_AD_Channel, 2);
    EXPECT_EQ(b.PeakHoldTime, 25);
    EXPECT_EQ(r->lst_Version.items(), std::vector<std::string>{"MORVA StartupSetting.dat : Ver.0.50"});
}

TEST_F(StartupSettingFile, ValuesKeptInControlsRunTheirHandlersWhileReading) {
    std::vector<std::string> fired;
    w->lbl_Language.Change = [&] { fired.push_back("Language " + w->lbl_Language.caption()); };
    w->lbl_Name_AD_DeviceType.Change = [&] {
        fired.push_back("Board " + w->lbl_Name_AD_DeviceType.caption());
    };
    w->chk_Dsp_WorkList.Click = [&] {
        fired.push_back("WorkList " + std::to_string(w->chk_Dsp_WorkList.value()));
    };
    w->chk_Dsp_CtrlPanel.Click = [&] {
        fired.push_back("CtrlPanel " + std::to_string(w->chk_Dsp_CtrlPanel.value()));
    };
    read({"Ver.1", "Language = English", "[View]", "Dsp_WorkList = 1", "Dsp_CtrlPanel = 1", "[A/D Board]",
          "Name_AD_DeviceType = SIM-VTR-ADC"});
    EXPECT_EQ(fired, (std::vector<std::string>{"Language English", "WorkList 1", "CtrlPanel 1",
                                               "Board SIM-VTR-ADC"}));
    EXPECT_EQ(w->st.settings.Language, "");  // the language switch stores it
}

TEST_F(StartupSettingFile, StrictKeysKeepTheirValueOnTextThatIsNotAnInteger) {
    w->st.settings.FontSize = 9;
    w->st.settings.n_AD_Channel = 1;
    read({"Ver.1", "FontSize = 10pt", "n_AD_Channel = two", "PeakHoldTime = 12 s", "Top = abc"});
    EXPECT_EQ(w->st.settings.FontSize, 9);
    EXPECT_EQ(w->st.settings.n_AD_Channel, 1);
    EXPECT_EQ(w->st.settings.PeakHoldTime, 12);  // lenient
    EXPECT_EQ(w->st.settings.Top, 0);

    read({"Ver.1", "FontSize =  12 ", "n_AD_Channel = 99999"});
    EXPECT_EQ(w->st.settings.FontSize, 12);
    EXPECT_EQ(w->st.settings.n_AD_Channel, 1);  // out of the 16-bit range
}

TEST_F(StartupSettingFile, NumbersTooLargeForSixteenBitsAreClamped) {
    read({"Ver.1", "Width = 99999", "Top = -40000", "PeakHoldTime = 1E9"});
    EXPECT_EQ(w->st.settings.Width, 32767);
    EXPECT_EQ(w->st.settings.Top, -32768);
    EXPECT_EQ(w->st.settings.PeakHoldTime, 32767);
}

TEST_F(StartupSettingFile, RelativeFoldersLieInTheProgramFolder) {
    read({"Ver.1", "Path_DataFile = Data/", "Path_SpecLine_Lin = ./limits/../SpecLine_Lin/",
          "Path_WorkList = ", "Path_DaqConfigFile = ./", "[File]"});
    EXPECT_EQ(w->st.settings.Path_DataFile, programFolder() + "Data/");
    EXPECT_EQ(w->st.settings.Path_SpecLine_Lin, programFolder() + "SpecLine_Lin/");
    EXPECT_EQ(w->st.settings.Path_WorkList, "");
    EXPECT_EQ(w->st.settings.Path_DaqConfigFile, programFolder());
    EXPECT_EQ(Resolve_SettingFolder(programFolder(), "/abs/x/"), "/abs/x/");
}

TEST_F(StartupSettingFile, AMissingFileStartsWithTheDefaults) {
    w->cmb_ModelNameList.addItem("VK-210");
    w->cmb_ModelNameList.addItem("VK-450");
    w->st.settings.n_AD_Entry = 1;
    w->st.settings.AD_DeviceType[0] = "SIM-VTR-ADC";
    w->st.settings.AD_nChannel[0] = 2;
    standInHandlers(*w);
    Read_StartupSettingFile(*w);
    EXPECT_EQ(versions(), std::vector<std::string>{"MORVA StartupSetting.dat : not found"});
    EXPECT_EQ(w->st.settings.Language, "English");
    EXPECT_EQ(w->st.StartupModelName, "VK-210");
    EXPECT_EQ(w->st.StartupMode_PN, "PAL");
    EXPECT_EQ(w->st.settings.Dsp_WorkList, 1);
    EXPECT_EQ(w->st.settings.PeakHoldTime, 10);
    EXPECT_EQ(w->lbl_Name_AD_DeviceType.caption(), "SIM-VTR-ADC");
    EXPECT_EQ(w->st.settings.n_AD_Channel, 2);
    EXPECT_FALSE(w->st.settings.FontName.empty());
    EXPECT_GT(w->st.settings.FontSize, 0);
}

TEST_F(StartupSettingFile, AFailedWriteTellsTheOperatorAndKeepsTheOldFile) {
    // A folder in the file's place: the rename over it fails.
    std::filesystem::create_directory(path("MORVA StartupSetting.dat"));
    EXPECT_FALSE(Write_StartupSettingFile(*w));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_NE(dialogs.shown()[0].prompt.find("MORVA StartupSetting.dat"), std::string::npos);
    EXPECT_EQ(dialogs.shown()[0].style, forms::msg::Exclamation);
    EXPECT_TRUE(std::filesystem::is_directory(path("MORVA StartupSetting.dat")));
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
        EXPECT_EQ(entry.path().filename(), "MORVA StartupSetting.dat");  // no temporary file left
}

// The settings writer interrupted at every step of the rewrite (an I/O
// error each time): the operator is told, the old settings stay whole, no
// temporary file is left; once the disk is back the new settings are written.
TEST_F(StartupSettingFile, AnInterruptedRewriteKeepsTheOldSettingsWhole) {
    fillSettings(*w);
    ASSERT_TRUE(Write_StartupSettingFile(*w));
    const std::string old = readBytes(path("MORVA StartupSetting.dat"));
    w->st.settings.PeakHoldTime = 99;
    int shown = 0;
    for (const AtomicWriteStep step : {AtomicWriteStep::CreateTemporary, AtomicWriteStep::Write,
                                       AtomicWriteStep::SyncFile, AtomicWriteStep::Rename}) {
        setAtomicWriteHook([step](AtomicWriteStep s) { return s == step ? EIO : 0; });
        EXPECT_FALSE(Write_StartupSettingFile(*w));
        EXPECT_EQ(dialogs.shown().size(), static_cast<size_t>(++shown));
        EXPECT_EQ(readBytes(path("MORVA StartupSetting.dat")), old);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
    }
    setAtomicWriteHook({});
    EXPECT_TRUE(Write_StartupSettingFile(*w));
    EXPECT_NE(readBytes(path("MORVA StartupSetting.dat")).find("PeakHoldTime =  99 "), std::string::npos);
}

}  // namespace
}  // namespace morva::test
