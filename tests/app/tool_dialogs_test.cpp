// The options, folder-chooser and version dialogs on the program's own
// window (demo folder with a second, one-channel board), opened modal
// through the procedure table as the Tool and Help menus open them; each
// change checked through the settings file the program writes.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "files/frm_find_path.h"
#include "files/frm_option.h"
#include "files/frm_version.h"
#include "files/startup_setting_file.h"
#include "tests/app/app_fixture.h"

namespace morva::test {
namespace {

namespace fs = std::filesystem;
using forms::MsgResult;

class ToolDialogs : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        fs::copy(fs::path(MORVA_TEST_SOURCE_DIR) / "demo", folder_, fs::copy_options::recursive);
        // A second board with one input.
        std::string params = readBytes(path("MORVA Parameters.dat"));
        const auto replace = [&params](const std::string& from, const std::string& to) {
            params.replace(params.find(from), from.size(), to);
        };
        replace("n_AD_Entry = 1", "n_AD_Entry = 2");
        replace("AD_nChannel = 2",
                "AD_nChannel = 2\r\nAD_DeviceType = SIM-1CH\r\nAD_DllName = ddrive32\r\n"
                "AD_ConfigFile = daqsim.dat\r\nAD_Resolution_Default = 32672\r\nAD_nChannel = 1");
        writeBytes("MORVA Parameters.dat", params);
        build().load();
        w->proc.Set_InfoWindow.bind([this] { ++infoWindowDrawn; });
        dialogs.clear();
    }

    template <typename F>
    F* openForm() const {
        for (forms::Form* f : app.forms())
            if (auto* d = dynamic_cast<F*>(f); d && d->visible()) return d;
        return nullptr;
    }

    // Opens the options as the Tool menu does and lets `script` work the
    // dialog; the script ends by closing it (update or Cancel).
    void withOptions(const std::function<void(FrmOption&)>& script) {
        loop.at(loop.nowMs() + 10, [this, script] {
            FrmOption* o = openForm<FrmOption>();
            ASSERT_NE(o, nullptr);
            script(*o);
            if (o->visible()) o->cmd_OptionSetting(1).userClick();  // a failed check must not hang the test
        });
        w->proc.Show_Options();
        EXPECT_EQ(openForm<FrmOption>(), nullptr);
    }

    std::string settingsBytes() {
        EXPECT_TRUE(Write_StartupSettingFile(*w));
        return readBytes(path("MORVA StartupSetting.dat"));
    }

    int infoWindowDrawn = 0;
};

TEST_F(ToolDialogs, AnUpdateWithoutChangesLeavesTheSettingsFileByteIdentical) {
    const std::string before = settingsBytes();
    withOptions([](FrmOption& o) {
        EXPECT_EQ(o.caption(), "MORVA - Option Setting");
        EXPECT_TRUE(o.opt_Language_opt(1).value());
        EXPECT_EQ(o.txt_OptionSetting(0).text(), "10");
        EXPECT_EQ(o.cmb_OptionSetting(0).text(), "SIM-VTR-ADC");
        EXPECT_TRUE(o.opt_Option(1).value());
        o.cmd_OptionSetting(0).userClick();
    });
    EXPECT_EQ(settingsBytes(), before);
    EXPECT_EQ(infoWindowDrawn, 1);
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(ToolDialogs, EveryControlReachesItsSettingInTheWrittenFile) {
    w->st.flg_OptionEdit = 1;  // the locked entries opened
    fs::create_directories(path("AD"));
    fs::copy_file(path("daqsim.dat"), path("AD/daqsim.dat"));
    const std::string specFolder = (folder_ / "SpecLine_Lin").string();
    withOptions([&](FrmOption& o) {
        o.opt_Language_opt(0).userClick();
        EXPECT_EQ(o.chk_OptionSetting(0).caption(), "自動ﾃﾞｰﾀ保存");  // the dialog speaks Japanese at once
        o.txt_OptionSetting(0).userSetText("25");
        o.txt_OptionSetting(1).userSetText("NewData");
        o.txt_OptionSetting(2).userSetText(specFolder);
        o.txt_OptionSetting(3).userSetText(" WorkList ");
        o.txt_OptionSetting(4).userSetText("AD");
        o.chk_OptionSetting(0).userClick();  // AutoSave 0 -> 1
        o.chk_OptionSetting(1).userClick();  // Message_SerialInput 1 -> 0
        o.chk_OptionSetting(2).userClick();  // Message_CommentInput 0 -> 1
        o.chk_OptionSetting(4).userClick();  // Year 1 -> 0
        o.chk_OptionSetting(9).userClick();  // Sec 0 -> 1
        o.chk_OptionSetting(10).userClick();
        o.cmb_OptionSetting(0).userSelect(1);
        EXPECT_TRUE(o.opt_Option(0).value());
        EXPECT_FALSE(o.opt_Option(1).enabled());

        // The new data folder is offered for creation; No keeps the dialog and every setting.
        dialogs.answer(MsgResult::No);
        o.cmd_OptionSetting(0).userClick();
        EXPECT_TRUE(o.visible());
        EXPECT_EQ(dialogs.shown().back().prompt,
                  "Folder [" + programFolder() + "NewData/] does not exist. Create it ?");
        EXPECT_EQ(w->st.settings.PeakHoldTime, 10);
        dialogs.answer(MsgResult::Yes);
        o.cmd_OptionSetting(0).userClick();
        EXPECT_FALSE(o.visible());
    });
    EXPECT_TRUE(fs::is_directory(path("NewData")));
    EXPECT_EQ(w->lbl_Language.caption(), "Japanese");
    EXPECT_EQ(w->st.settings.RemoteControl, 1);
    EXPECT_EQ(infoWindowDrawn, 1);
    settingsBytes();
    EXPECT_EQ(writtenSetting("PeakHoldTime = "), " 25 ");
    // Folders inside the program folder are written relative to it, so a
    // copied program folder keeps its own.
    EXPECT_EQ(writtenSetting("Path_DataFile = "), "NewData/");
    EXPECT_EQ(writtenSetting("Path_SpecLine_Lin = "), "SpecLine_Lin/");
    EXPECT_EQ(writtenSetting("Path_WorkList = "), "WorkList/");
    EXPECT_EQ(writtenSetting("Path_DaqConfigFile = "), "AD/");
    EXPECT_EQ(writtenSetting("AutoSave = "), " 1 ");
    EXPECT_EQ(writtenSetting("Message_SerialInput = "), " 0 ");
    EXPECT_EQ(writtenSetting("Message_CommentInput = "), " 1 ");
    EXPECT_EQ(writtenSetting("MakeAutoFileName = "), " 1 ");
    EXPECT_EQ(writtenSetting(" AutoFileName_Year = "), " 0 ");
    EXPECT_EQ(writtenSetting(" AutoFileName_Month = "), " 1 ");
    EXPECT_EQ(writtenSetting(" AutoFileName_Second = "), " 1 ");
    EXPECT_EQ(writtenSetting("RemoteControl = "), " 0 ");  // never stored switched on
    EXPECT_EQ(writtenSetting("Name_AD_DeviceType = "), "SIM-1CH");
    EXPECT_EQ(writtenSetting("n_AD_Channel = "), "1");
    EXPECT_EQ(w->st.daq.CurDeviceType, "SIM-1CH");
    EXPECT_EQ(w->st.daq.CurConfigPath, programFolder() + "AD/daqsim.dat");
    EXPECT_TRUE(dialogs.shown().size() == 2u);  // the two folder questions, no board error
}

TEST_F(ToolDialogs, APeakHoldTimeOutside1To32767IsRefusedWithAMessage) {
    for (const char* bad : {"", "abc", "0", "-5", "1.5", "40000", "12s"}) {
        dialogs.clear();
        withOptions([&](FrmOption& o) {
            o.txt_OptionSetting(0).userSetText(bad);
            o.cmd_OptionSetting(0).userClick();
            EXPECT_TRUE(o.visible()) << bad;
            EXPECT_TRUE(o.txt_OptionSetting(0).hasFocus());
            o.cmd_OptionSetting(1).userClick();
        });
        ASSERT_EQ(dialogs.shown().size(), 1u) << bad;
        EXPECT_EQ(dialogs.shown()[0].prompt,
                  "Waving Peak Hold Time must be a whole number of seconds from 1 to 32767.");
        EXPECT_EQ(w->st.settings.PeakHoldTime, 10);
    }
    withOptions([](FrmOption& o) {
        o.txt_OptionSetting(0).userSetText(" 32767 ");
        o.cmd_OptionSetting(0).userClick();
    });
    EXPECT_EQ(w->st.settings.PeakHoldTime, 32767);
}

TEST_F(ToolDialogs, LockedEntriesOneChannelBoardsAndTheAutoNameSwitches) {
    withOptions([](FrmOption& o) {
        // Locked: board, channels and three folders; the data folder stays open.
        EXPECT_FALSE(o.cmb_OptionSetting(0).enabled());
        EXPECT_FALSE(o.opt_Option(0).enabled());
        EXPECT_FALSE(o.opt_Option(1).enabled());
        for (int box = 2; box <= 4; ++box) {
            EXPECT_FALSE(o.txt_OptionSetting(box).enabled());
            EXPECT_FALSE(o.cmd_OptionSetting(box + 1).enabled());
        }
        EXPECT_TRUE(o.txt_OptionSetting(1).enabled());
        EXPECT_TRUE(o.cmd_OptionSetting(2).enabled());
        o.cmd_OptionSetting(1).userClick();
    });
    w->st.flg_OptionEdit = 1;
    withOptions([this](FrmOption& o) {
        o.now = [] {
            std::tm t{};
            t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 8, t.tm_hour = 9, t.tm_min = 5, t.tm_sec = 7;
            return t;
        };
        o.chk_OptionSetting(9).userClick();  // seconds on: the preview follows
        EXPECT_EQ(o.lbl_OptionSetting.caption(),
                  "[serial/ID](PAL STD)261208-090507" + w->st.settings.DataFileExt);
        o.chk_OptionSetting(3).userClick();  // Auto File Name off greys the parts
        for (int i = 4; i <= 9; ++i)
            EXPECT_FALSE(o.chk_OptionSetting(i).enabled());
        EXPECT_TRUE(o.opt_Option(1).enabled());
        o.cmb_OptionSetting(0).userSelect(1);  // one input only
        EXPECT_TRUE(o.opt_Option(0).value());
        EXPECT_FALSE(o.opt_Option(1).enabled());
        o.opt_Option(1).userClick();
        EXPECT_TRUE(o.opt_Option(0).value());
        o.cmb_OptionSetting(0).userSelect(0);
        EXPECT_TRUE(o.opt_Option(1).enabled());
        o.cmb_OptionSetting(0).userSelect(1);
        o.cmd_OptionSetting(0).userClick();
    });
    EXPECT_EQ(w->lbl_Name_AD_DeviceType.caption(), "SIM-1CH");
    EXPECT_EQ(w->lbl_n_AD_Channel.caption(), "1");
    EXPECT_EQ(w->st.settings.MakeAutoFileName, 0);
}

TEST_F(ToolDialogs, CancelKeepsEverythingEvenAfterALanguageSwitchAndAChosenFolder) {
    const std::string before = settingsBytes();
    fs::create_directories(path("Data/bench2"));
    writeBytes("Data/bench2/a.Morva_450", "x");
    writeBytes("Data/bench2/b.txt", "x");
    withOptions([&](FrmOption& o) {
        o.opt_Language_opt(0).userClick();
        o.txt_OptionSetting(0).userSetText("99");
        // Find for the data folder: the chooser starts in it, enters bench2 and hands it back.
        loop.at(loop.nowMs() + 10, [&] {
            FrmFindPath* f = openForm<FrmFindPath>();
            ASSERT_NE(f, nullptr);
            EXPECT_EQ(f->caption(), "Find File Path - Path_DataFile");
            EXPECT_EQ(f->lbl_FindPath(0).caption(), programFolder() + "Data");
            const auto& dirs = f->dir_FindPath.items();
            const int bench = static_cast<int>(std::find(dirs.begin(), dirs.end(), "bench2") - dirs.begin());
            f->dir_FindPath.userSelect(bench);
            f->dir_FindPath.userDblClick();
            EXPECT_EQ(f->fil_FindPath.items(), (std::vector<std::string>{"a.Morva_450"}));
            EXPECT_EQ(f->lbl_FindPath(1).caption(), "1 files");
            f->cmd_FindPath(0).userClick();
        });
        o.cmd_OptionSetting(2).userClick();
        EXPECT_EQ(o.txt_OptionSetting(1).text(), programFolder() + "Data/bench2/");
        EXPECT_TRUE(o.txt_OptionSetting(1).hasFocus());
        o.cmd_OptionSetting(1).userClick();
    });
    EXPECT_EQ(w->lbl_Language.caption(), "English");
    EXPECT_EQ(infoWindowDrawn, 0);
    EXPECT_EQ(settingsBytes(), before);
}

// A small main window in the screen's corner: the chooser still opens on
// the screen.
TEST_F(ToolDialogs, TheFolderChooserStartsInTheProgramFolderWhenTheFolderIsGoneAndCancelReturnsNothing) {
    const forms::Screen& screen = app.screen();
    w->move(screen.width - 8000, screen.height - 6000, 8000, 6000);
    withOptions([&](FrmOption& o) {
        o.txt_OptionSetting(1).userSetText("/no/such/folder");
        loop.at(loop.nowMs() + 10, [&] {
            FrmFindPath* f = openForm<FrmFindPath>();
            ASSERT_NE(f, nullptr);
            EXPECT_GE(f->left(), 0);
            EXPECT_LE(f->left() + f->width(), screen.width);
            EXPECT_LE(f->top() + f->height(), screen.height);
            EXPECT_EQ(f->lbl_FindPath(0).caption() + "/", programFolder());
            f->cmd_FindPath(2).userClick();  // up one folder
            EXPECT_EQ(f->lbl_FindPath(0).caption() + "/", folder_.parent_path().string() + "/");
            f->cmd_FindPath(1).userClick();
        });
        o.cmd_OptionSetting(2).userClick();
        EXPECT_EQ(o.txt_OptionSetting(1).text(), "/no/such/folder");
        o.cmd_OptionSetting(1).userClick();
    });
}

TEST_F(ToolDialogs, OptionsDoNotOpenWhileAMeasurementRunsAndVersionListsTheFiles) {
    w->st.flags.flg_Measuring = 1;
    w->proc.Show_Options();  // would wait for ever if it opened
    w->st.flags.flg_Measuring = 0;
    w->st.flags.RunDepth = 2;
    w->proc.Show_Options();
    EXPECT_EQ(openForm<FrmOption>(), nullptr);

    // The version dialog opens during a run too.
    w->st.version = ProgramVersion{6, 9, 72};
    loop.at(loop.nowMs() + 10, [this] {
        FrmVersion* v = openForm<FrmVersion>();
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->caption(), "MORVA - Version Information");
        EXPECT_EQ(v->Lbl_Version(0).caption(), "VEKO MORVA");
        EXPECT_EQ(v->Lbl_Version(1).caption(), "Version 6.972");
        EXPECT_EQ(v->list_DatVer.items(), w->lst_Version.items());
        EXPECT_EQ(v->list_DatVer.listCount(), 4);
        v->Cmd_VerInfo.userClick();
    });
    w->proc.Show_Version();
    EXPECT_EQ(openForm<FrmVersion>(), nullptr);
}

}  // namespace
}  // namespace morva::test
