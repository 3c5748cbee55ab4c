#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/form_unload.h"
#include "tests/app/app_fixture.h"
#include "view/main_layout.h"

namespace morva::test {
namespace {

class FormUnload : public AppTest {
  protected:
    FrmMain& loaded() {
        writeProgramFolder({"Width = 11000", "Height = 8000", "Left = 100", "Top = 50", "Border = 6000",
                            "StartupModelName = VK-450", "StartupTape = MT-B",
                            "Name_AD_DeviceType = SIM-VTR-ADC", "n_AD_Channel = 2", "PeakHoldTime = 15"});
        FrmMain& win = build();
        win.chk_Dsp_WorkList.Click = [&win] { win.st.settings.Dsp_WorkList = win.chk_Dsp_WorkList.value(); };
        win.proc.DaqdriveClearUp.bind([this, &win] {
            // The settings are on disk before the board is released.
            releases.push_back(writtenSetting("Border = ") + (win.app().ended() ? " ended" : " running"));
        });
        win.load();
        return win;
    }
    std::vector<std::string> releases;
};

TEST_F(FormUnload, ClosingSavesTheSettingsReleasesTheBoardAndEnds) {
    FrmMain& win = loaded();
    win.move(300, 200, 12345, 8100);
    win.pic_Frame(1).setWidth(7000);
    EXPECT_TRUE(win.unload());
    EXPECT_EQ(releases, std::vector<std::string>{" 7000  running"});
    EXPECT_TRUE(app.ended());
    // The width the panels need, not the window's own width.
    EXPECT_EQ(
        writtenSetting("Width = "),
        " " + std::to_string(win.pic_CmdMenu(0).width() + 7000 + 50 + win.pic_Border.width() + 120) + " ");
    EXPECT_EQ(writtenSetting("Height = "), " 8100 ");
    EXPECT_EQ(writtenSetting("Left = "), " 300 ");
    EXPECT_EQ(writtenSetting("Top = "), " 200 ");
    EXPECT_EQ(writtenSetting("StartupModelName = "), "VK-450");
    EXPECT_EQ(writtenSetting("StartupTape = "), "MT-B");
    EXPECT_EQ(writtenSetting("Name_AD_DeviceType = "), "SIM-VTR-ADC");
    EXPECT_EQ(writtenSetting("n_AD_Channel = "), "2");
    EXPECT_EQ(writtenSetting("PeakHoldTime = "), " 15 ");
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(FormUnload, TheSavedWidthCountsTheWorkListWhenItIsShown) {
    writeProgramFolder({"Dsp_WorkList = 1"});
    FrmMain& win = build();
    win.chk_Dsp_WorkList.Click = [&win] { win.st.settings.Dsp_WorkList = win.chk_Dsp_WorkList.value(); };
    win.load();
    win.pic_Frame(1).setWidth(5000);
    Save_WindowGeometry(win);
    EXPECT_EQ(win.st.settings.Width, win.pic_WorkList.width() + win.pic_CmdMenu(0).width() + 5000 + 50 +
                                         win.pic_Border.width() + 120);
    EXPECT_EQ(win.st.settings.Border, 5000);
}

TEST_F(FormUnload, ExitWritesTheGeometryTheLastLayoutRecorded) {
    FrmMain& win = loaded();
    win.move(300, 200, 9999, 7777);
    win.pic_Frame(1).setWidth(4000);
    win.cmd_StartFunction(5).userClick();
    EXPECT_TRUE(app.ended());
    // No panel arithmetic on this path: the window as the layout saw it.
    EXPECT_EQ(releases, std::vector<std::string>{" 4000  running"});
    EXPECT_EQ(writtenSetting("Width = "), " 9999 ");
    EXPECT_EQ(writtenSetting("Left = "), " 300 ");

    // Closing the window afterwards writes nothing more.
    std::filesystem::remove(path("MORVA StartupSetting.dat"));
    win.unload();
    EXPECT_FALSE(std::filesystem::exists(path("MORVA StartupSetting.dat")));
    EXPECT_EQ(releases.size(), 1u);
}

TEST_F(FormUnload, ASettingsFileThatCannotBeWrittenIsReportedAndTheProgramStillEnds) {
    FrmMain& win = loaded();
    std::filesystem::remove(path("MORVA StartupSetting.dat"));
    std::filesystem::create_directory(path("MORVA StartupSetting.dat"));
    win.unload();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_NE(dialogs.shown()[0].prompt.find("MORVA StartupSetting.dat"), std::string::npos);
    EXPECT_EQ(releases.size(), 1u);
    EXPECT_TRUE(app.ended());
}

}  // namespace
}  // namespace morva::test
