#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/form_load.h"
#include "tests/app/app_fixture.h"
#include "view/main_layout.h"

namespace morva::test {
namespace {

class FormLoad : public AppTest {
  protected:
    // Records what the start-up sets off, with the busy flag at that moment.
    void record(FrmMain& win) {
        const auto note = [this, &win](const std::string& what) {
            events.push_back(what + (win.st.flags.flg_Busy == 1 ? " busy" : " idle"));
        };
        win.Text3.Change = [note] { note("Text3"); };
        win.lbl_Language.Change = [note, &win] { note("Language " + win.lbl_Language.caption()); };
        win.lbl_Name_AD_DeviceType.Change = [note] { note("Board"); };
        win.lbl_n_AD_Channel.Change = [note, &win] { note("Channels " + win.lbl_n_AD_Channel.caption()); };
        win.lbl_Info(2).Change = [note, &win] { note("Model " + win.lbl_Info(2).caption()); };
        win.proc.Read_CorWF_MasterTape.bind([note, &win] { note("Tape " + win.cmb_MasterTapeList.text()); });
        win.proc.Set_InfoWindow.bind([note] { note("Set_InfoWindow"); });
        win.proc.Set_View.bind([note] { note("Set_View"); });
    }
    size_t at(const std::string& event) const {
        return static_cast<size_t>(std::find(events.begin(), events.end(), event) - events.begin());
    }

    std::vector<std::string> events;
};

const std::vector<std::string> kFullSettings = {
    "Language = English",    "StartupModelName = VK-450",        "StartupMode_PN = PAL", "StartupTape = MT-B",
    "Path_DataFile = Data/", "Name_AD_DeviceType = SIM-VTR-ADC", "n_AD_Channel = 2",
};

TEST_F(FormLoad, StartUpRunsItsStepsInOrderAndDrawsOnceAtTheEnd) {
    writeProgramFolder(kFullSettings);
    FrmMain& win = build();
    record(win);
    win.load();

    EXPECT_EQ(win.caption(), "MORVA  Ver. 6.972");
    EXPECT_EQ(versions(), (std::vector<std::string>{
                              "MORVA Parameters.dat : Ver.0.50", "VTR Parameters.dat : Ver.1.20",
                              "MORVA StartupSetting.dat : Ver.0.50", "MORVA MasterTape.dat : Ver.1.00"}));
    const std::vector<std::string> order = {"Text3 busy",        "Language English busy",  "Board busy",
                                            "Model VK-450 busy", "Model VK-450(PAL) busy", "Tape MT-B busy",
                                            "Channels 2 busy",   "Set_InfoWindow idle",    "Set_View idle"};
    for (size_t i = 0; i + 1 < order.size(); ++i)
        EXPECT_LT(at(order[i]), at(order[i + 1])) << order[i] << " before " << order[i + 1];
    EXPECT_EQ(events.back(), "Set_View idle");
    EXPECT_EQ(std::count(events.begin(), events.end(), "Set_View idle"), 1);
    EXPECT_EQ(win.st.flags.flg_Busy, 0);
    EXPECT_EQ(win.st.settings.Mode_PN, "PAL");
    EXPECT_EQ(win.lbl_Info(4).caption(), "MT-B");
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(FormLoad, UnknownStartupNamesLeaveNoModelAndTheFirstTape) {
    writeProgramFolder({"StartupModelName = VK-999", "StartupMode_PN = SECAM", "StartupTape = MT-Z"});
    FrmMain& win = build();
    win.load();
    EXPECT_EQ(win.cmb_ModelNameList.listIndex(), -1);
    EXPECT_FALSE(win.opt_PAL_NTSC(0).value());
    EXPECT_FALSE(win.opt_PAL_NTSC(1).value());
    EXPECT_EQ(win.cmb_MasterTapeList.listIndex(), 0);
    // Step 5 sets the measurement channel counts to 1; the channel-count
    // label (step 13) then copies the A/D counts, which no model has set.
    EXPECT_EQ(win.st.msr.n_Msr_channel_Sens, win.st.model.n_AD_channel_Sens);
    EXPECT_EQ(win.st.msr.n_Msr_channel_Lin, win.st.model.n_AD_channel_Lin);
}

TEST_F(FormLoad, NTSCIsRestoredAfterTheModel) {
    writeProgramFolder({"StartupModelName = VK-210", "StartupMode_PN = NTSC", "n_AD_Channel = 1"});
    FrmMain& win = build();
    win.load();
    EXPECT_TRUE(win.opt_PAL_NTSC(1).value());
    EXPECT_FLOAT_EQ(win.st.model.CylRot, 1798.2f);
    EXPECT_EQ(win.lbl_Info(2).caption(), "VK-210(NTSC)");
}

TEST_F(FormLoad, FunctionButtonClicksWhileLoadingAreIgnored) {
    writeProgramFolder(kFullSettings);
    FrmMain& win = build();
    const std::string before = readBytes(path("MORVA StartupSetting.dat"));
    loop.at(
        0, [&win] { win.cmd_StartFunction(5).userClick(); }, "click Exit");
    win.load();
    ASSERT_EQ(loop.trace().size(), 1u);  // the click came while loading
    EXPECT_FALSE(app.ended());
    EXPECT_EQ(readBytes(path("MORVA StartupSetting.dat")), before);

    win.cmd_StartFunction(5).userClick();
    EXPECT_TRUE(app.ended());
    EXPECT_NE(readBytes(path("MORVA StartupSetting.dat")), before);
}

class Geometry : public AppTest {
  protected:
    FrmMain& loadOn(forms::Twips screenWidth, forms::Twips screenHeight,
                    const std::vector<std::string>& settings, forms::Twips designWidth = 10000) {
        app.screen().width = screenWidth;
        app.screen().height = screenHeight;
        writeProgramFolder(settings);
        FrmMain& win = build();
        // What the work-list check box does (its full handler lives elsewhere).
        win.chk_Dsp_WorkList.Click = [&win] { win.st.settings.Dsp_WorkList = win.chk_Dsp_WorkList.value(); };
        win.setWidth(designWidth);
        win.load();
        return win;
    }
    const SettingsRecord& s() const { return w->st.settings; }
};

TEST_F(Geometry, NoStoredWidthOpensAt98PercentOneFifthIn) {
    FrmMain& win = loadOn(12000, 9000, {"Width = 0", "Height = 5000", "Dsp_WorkList = 1"});
    EXPECT_EQ(s().Width, 11760);
    EXPECT_EQ(s().Height, 8820);
    EXPECT_EQ(s().Left, 48);
    EXPECT_EQ(s().Top, 36);
    // The window width before the change, less the menu frame (work list,
    // menu panel, 50), the splitter and 340.
    EXPECT_EQ(s().Border, 10000 - (win.pic_WorkList.width() + win.pic_CmdMenu(0).width() + 50) -
                              win.pic_Border.width() - 340);
    EXPECT_EQ(win.width(), 11760);
    EXPECT_EQ(win.height(), 8820);
    EXPECT_EQ(win.left(), 48);
    EXPECT_EQ(win.top(), 36);
    EXPECT_EQ(win.pic_Frame(1).width(), s().Border);
    EXPECT_EQ(win.pic_Frame(2).width(), 11760 - s().Border - win.pic_Border.width() - 120);
}

TEST_F(Geometry, ResultsRoundHalvesToTheEvenNeighbour) {
    loadOn(12025, 9025, {"Width = 0"});  // 98 %: 11784.5 and 8844.5
    EXPECT_EQ(s().Width, 11784);
    EXPECT_EQ(s().Height, 8844);
    EXPECT_EQ(s().Left, 48);  // 241 / 5 = 48.2
    EXPECT_EQ(s().Top, 36);   // 181 / 5 = 36.2
}

TEST_F(Geometry, AStoredWindowThatFitsIsUsedUnchanged) {
    FrmMain& win =
        loadOn(12000, 9000, {"Width = 12000", "Height = 9000", "Left = 15", "Top = 25", "Border = 7000"});
    EXPECT_EQ(win.width(), 12000);
    EXPECT_EQ(win.height(), 9000);
    EXPECT_EQ(win.left(), 15);
    EXPECT_EQ(win.top(), 25);
    EXPECT_EQ(win.pic_Frame(1).width(), 7000);
}

TEST_F(Geometry, AStoredWindowLargerThanTheScreenIsReplaced) {
    loadOn(12000, 9000, {"Width = 12001", "Height = 100", "Border = 7000"});
    EXPECT_EQ(s().Width, 11760);
    loadOn(12000, 9000, {"Width = 100", "Height = 9001", "Border = 7000"});
    EXPECT_EQ(s().Width, 11760);
    EXPECT_EQ(s().Height, 8820);
}

TEST_F(Geometry, AScreenBeyondSixteenBitsGivesTheLargestWindow) {
    loadOn(60000, 40000, {"Width = 0"});
    EXPECT_EQ(s().Width, 32767);
    EXPECT_EQ(s().Height, 32767);
    EXPECT_EQ(s().Left, 5447);  // 27233 / 5 = 5446.6
    EXPECT_EQ(s().Top, 1447);   // 7233 / 5 = 1446.6
}

TEST_F(Geometry, PanelsAreDockedInTheMenuFrame) {
    FrmMain& win = loadOn(12000, 9000, {"Width = 0"});
    const forms::PictureBox& menus = win.pic_Frame(2);
    for (int i = 0; i <= 4; ++i) {
        EXPECT_EQ(win.pic_CmdMenu(i).left(), 0);
        EXPECT_EQ(win.pic_CmdMenu(i).top(), 0);
    }
    EXPECT_EQ(win.pic_WorkList.left(), win.pic_CmdMenu(0).width());
    EXPECT_EQ(win.pic_WorkList.top(), 0);
    EXPECT_EQ(win.pic_WorkList.height(), menus.height());
    EXPECT_EQ(win.pic_Info(0).left(), 0);
    EXPECT_EQ(win.pic_Info(1).top(), 0);
    EXPECT_EQ(win.pic_CtrlPanel.top() + win.pic_CtrlPanel.height(), menus.height());
    EXPECT_EQ(win.pic_CtrlPanel.left(), 0);
    // The frames lie side by side below the band and fill the window.
    EXPECT_EQ(win.pic_Border.left(), win.pic_Frame(1).width());
    EXPECT_EQ(menus.left(), win.pic_Border.left() + win.pic_Border.width());
    EXPECT_EQ(menus.height(), win.scaleHeight() - win.pic_Frame(0).height());
}

TEST_F(FormLoad, LegendsTakeTheHeadColoursAndTheBoardListsAreSet) {
    writeProgramFolder({"n_AD_Channel = 2"});
    FrmMain& win = build();
    win.load();
    const uint32_t yellow = 0x00FFFF, red = 0x0000FF, green = 0x00FF00, cyan = 0xFFFF00;
    const uint32_t sens[] = {yellow, red, green, cyan, yellow, red, green, cyan};
    for (int i = 0; i <= 7; ++i)
        EXPECT_EQ(win.lbl_Name_SensWF(i).foreColor(), sens[i]) << i;
    EXPECT_EQ(win.lbl_Name_LinWF(2).foreColor(), green);
    EXPECT_EQ(win.lbl_Name_LinWF(4).foreColor(), green);
    EXPECT_EQ(win.lbl_Name_LinWF(3).foreColor(), cyan);
    EXPECT_EQ(win.lbl_Name_LinWF(5).foreColor(), cyan);
    EXPECT_EQ(win.st.ADChannelList, (std::array<int16_t, 4>{0, 1, 2, 3}));
    EXPECT_EQ(win.st.ADGainList, (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_EQ(win.lbl_n_AD_Channel.caption(), "2");
    EXPECT_EQ(win.timer1.interval(), 750);
    EXPECT_EQ(win.lbl_MsrInfo(0).toolTip(), "Serial No./ID Name etcを入力 --> [ENTER]で完了");
    EXPECT_EQ(win.lbl_MsrInfo(1).toolTip(), "コメントを入力 --> [ENTER]で完了");
}

class Folders : public AppTest {};

TEST_F(Folders, MissingFoldersAreReplacedByTheProgramsOwnAndCreated) {
    std::filesystem::create_directories(path("curves"));
    std::filesystem::create_directories(path("Dat"));
    writeProgramFolder({"Path_DataFile = /nowhere/at/all/", "Path_SpecLine_Lin = curves/",
                        // Without its separator the path is checked without its last letter.
                        "Path_WorkList = " + path("Data").string(),
                        "Path_DaqConfigFile = " + path("lists").string()});
    FrmMain& win = build();
    win.load();
    const SettingsRecord& s = win.st.settings;
    EXPECT_EQ(s.Path_DataFile, programFolder() + "Data/");
    EXPECT_TRUE(std::filesystem::is_directory(path("Data")));
    EXPECT_EQ(s.Path_SpecLine_Lin, programFolder() + "curves/");
    EXPECT_EQ(s.Path_WorkList, path("Data").string());  // "Dat" exists
    EXPECT_EQ(s.Path_DaqConfigFile, programFolder());   // "list" does not
    EXPECT_FALSE(std::filesystem::exists(path("SpecLine_Lin")));
    EXPECT_FALSE(std::filesystem::exists(path("WorkList")));
}

TEST_F(Folders, EmptyFoldersBecomeTheDefaultFolders) {
    writeProgramFolder({});
    FrmMain& win = build();
    win.load();
    EXPECT_EQ(win.st.settings.Path_SpecLine_Lin, programFolder() + "SpecLine_Lin/");
    EXPECT_EQ(win.st.settings.Path_WorkList, programFolder() + "WorkList/");
    EXPECT_TRUE(std::filesystem::is_directory(path("SpecLine_Lin")));
    EXPECT_TRUE(std::filesystem::is_directory(path("WorkList")));
}

TEST(CheckFolder, AFolderThatCannotBeCreatedIsNotReported) {
    EXPECT_EQ(Check_Folder("", "/proc/no-such-folder/"), "/proc/no-such-folder/");
    EXPECT_FALSE(std::filesystem::exists("/proc/no-such-folder"));
}

class MissingFiles : public AppTest {};

TEST_F(MissingFiles, AnEmptyProgramFolderStartsWithDefaultsAndListsWhatIsMissing) {
    FrmMain& win = build();
    win.load();
    EXPECT_EQ(versions(), (std::vector<std::string>{
                              "MORVA Parameters.dat : not found", "VTR Parameters.dat : not found",
                              "MORVA StartupSetting.dat : not found", "MORVA MasterTape.dat : not found"}));
    EXPECT_EQ(win.st.flags.flg_Busy, 0);
    EXPECT_GT(win.st.settings.Width, 0);
    EXPECT_TRUE(std::filesystem::is_directory(path("Data")));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(MissingFiles, WithoutSettingsTheFirstModelIsSelectedInPAL) {
    writeProgramFolder({});
    std::filesystem::remove(path("MORVA StartupSetting.dat"));
    FrmMain& win = build();
    win.load();
    EXPECT_EQ(win.cmb_ModelNameList.text(), "VK-210");
    EXPECT_TRUE(win.opt_PAL_NTSC(0).value());
    EXPECT_EQ(win.st.settings.Mode_PN, "PAL");
    EXPECT_EQ(win.cmb_MasterTapeList.text(), "MT-A");
}

}  // namespace
}  // namespace morva::test
