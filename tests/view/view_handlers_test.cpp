// The information window, the tuning text boxes, the splitter bar and the
// View switches, operated as the technician does; and the start-up
// settings surviving a start followed by Exit.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "app/build_main_window.h"
#include "tests/view/view_fixture.h"
#include "view/view_handlers.h"

namespace morva::test {
namespace {

forms::MouseEvent at(double x) {
    forms::MouseEvent e;
    e.button = 1;
    e.x = x;
    return e;
}

TEST_F(ViewTest, TheOptionSummaryAndTheDataSaveButton) {
    FrmMain& win =
        loadOn(1600, 1000, 15, {"AutoSave = 0", "Message_SerialInput = 1", "Message_CommentInput = 0"});
    EXPECT_EQ(win.lbl_Info(3).caption(), "Msg_Ser:ON  ");
    EXPECT_TRUE(win.cmd_StartFunction(27).visible());
    win.st.settings.AutoSave = 1;
    win.st.settings.Message_SerialInput = 0;
    win.proc.Set_InfoWindow();
    EXPECT_EQ(win.lbl_Info(3).caption(), "Save:Auto \r\n");
    EXPECT_FALSE(win.cmd_StartFunction(27).visible());
    win.st.settings.AutoSave = 2;  // only 1 means on
    win.st.settings.Message_CommentInput = 1;
    win.proc.Set_InfoWindow();
    EXPECT_EQ(win.lbl_Info(3).caption(), "Msg_Cmt:ON ");
    EXPECT_TRUE(win.cmd_StartFunction(27).visible());
}

TEST_F(ViewTest, TuningBoxesStoreTheNumberAsTyped) {
    FrmMain& win = loadOn(1600, 1000, 15);
    const struct {
        std::string text;
        int32_t value;
    } cases[] = {{"12", 12},   {"abc", 0},   {"0", 0},           {"-7", -7},
                 {"12.5", 12}, {"13.5", 14}, {"1e12", INT32_MAX}};
    for (const auto& c : cases) {
        win.Text1.setText(c.text);
        win.Text2.setText(c.text);
        win.Text3.setText(c.text);
        loop.doEvents();
        EXPECT_EQ(win.st.msr.nLoop_LinRealTime, c.value) << c.text;
        EXPECT_EQ(win.st.msr.nLoop_LinFinalData, c.value) << c.text;
        EXPECT_EQ(win.st.params.Pos_FixOfs_LinWF, c.value) << c.text;
        win.Text1.setText("x");  // the next text is a change
        win.Text2.setText("x");
        win.Text3.setText("x");
    }
}

class Splitter : public ViewTest {
  protected:
    FrmMain& advanced() {
        FrmMain& win = loadOn(1920, 1080, 15);
        win.cmd_StartFunction(53).Click = [this] { ++refreshes; };
        win.st.settings.AdvMode = 1;
        return win;
    }
    void drag(FrmMain& win, double x) {
        win.pic_Border.userMouseDown(at(0));
        win.pic_Border.userMouseMove(at(x));
        loop.doEvents();
    }
    int refreshes = 0;
};

TEST_F(Splitter, DragsWithinItsBoundsAndRefreshesOnRelease) {
    FrmMain& win = advanced();
    const forms::Twips client = win.scaleWidth() - win.pic_Border.width();
    const forms::Twips start = win.pic_Frame(1).width();

    win.pic_Border.userMouseDown(at(0));
    loop.doEvents();
    EXPECT_EQ(win.pic_Border.backColor(), static_cast<forms::Color>(kSplitterDragColor));
    const int before = layouts;
    win.pic_Border.userMouseMove(at(-1000.4));
    loop.doEvents();
    EXPECT_EQ(win.pic_Frame(1).width(), start - 1000);
    EXPECT_EQ(win.pic_Frame(2).width(), client - (start - 1000));
    EXPECT_EQ(win.pic_Border.left(), win.pic_Frame(1).width());
    EXPECT_EQ(win.pic_Page(1).width(), start - 1000);
    EXPECT_LE(layouts - before, 2);

    // Far left: the graphs stop at 1500.
    win.pic_Border.userMouseMove(at(-100000));
    loop.doEvents();
    EXPECT_EQ(win.pic_Frame(1).width(), 1500);
    // Far right: the menu frame keeps its function panel and margin.
    win.pic_Border.userMouseMove(at(100000));
    loop.doEvents();
    EXPECT_EQ(win.pic_Frame(2).width(), win.pic_CmdMenu(0).width() + 50);
    EXPECT_EQ(win.pic_Frame(1).width(), client - win.pic_CmdMenu(0).width() - 50);

    win.pic_Border.userMouseUp(at(0));
    loop.doEvents();
    EXPECT_EQ(win.pic_Border.backColor(), static_cast<forms::Color>(kSplitterIdleColor));
    EXPECT_EQ(refreshes, 1);
    // Released, the bar no longer drags.
    const forms::Twips width = win.pic_Frame(1).width();
    win.pic_Border.userMouseMove(at(-500));
    loop.doEvents();
    EXPECT_EQ(win.pic_Frame(1).width(), width);
}

TEST_F(Splitter, OutsideTheAdvancedModeNothingMoves) {
    FrmMain& win = advanced();
    win.st.settings.AdvMode = 0;
    const forms::Twips width = win.pic_Frame(1).width();
    drag(win, -1000);
    EXPECT_EQ(win.pic_Border.backColor(), static_cast<forms::Color>(kSplitterIdleColor));
    EXPECT_EQ(win.pic_Frame(1).width(), width);
    win.pic_Border.userMouseUp(at(0));
    loop.doEvents();
    EXPECT_EQ(refreshes, 0);
}

TEST_F(Splitter, AnAcquisitionStopsTheDragAndReleaseStillRestoresTheColour) {
    FrmMain& win = advanced();
    const forms::Twips width = win.pic_Frame(1).width();
    win.pic_Border.userMouseDown(at(0));
    loop.doEvents();
    win.st.daq.DaqBusy = 1;
    win.pic_Border.userMouseMove(at(-800));
    win.pic_Border.userMouseUp(at(0));
    loop.doEvents();
    EXPECT_EQ(win.pic_Frame(1).width(), width);
    EXPECT_EQ(win.pic_Border.backColor(), static_cast<forms::Color>(kSplitterIdleColor));
    EXPECT_EQ(refreshes, 0);
    // Pressed while busy, the bar does not turn grey.
    win.pic_Border.userMouseDown(at(0));
    loop.doEvents();
    EXPECT_EQ(win.pic_Border.backColor(), static_cast<forms::Color>(kSplitterIdleColor));
}

TEST_F(ViewTest, PanelsSwitchedOffInTheSettingsStayHidden) {
    FrmMain& win = loadOn(1600, 1000, 15, {"Dsp_WorkList = 0", "Dsp_CtrlPanel = 0"});
    EXPECT_EQ(win.st.settings.Dsp_WorkList, 0);
    EXPECT_FALSE(win.pic_WorkList.visible());
    EXPECT_FALSE(win.pic_CtrlPanel.visible());
    EXPECT_FALSE(win.mnu_ViewItem(0).checked());
    EXPECT_FALSE(win.mnu_ViewItem(1).checked());
    // The menu frame holds the function panel only.
    EXPECT_LT(win.pic_Frame(2).width(), win.pic_CmdMenu(0).width() + win.pic_WorkList.width());
}

TEST_F(ViewTest, ViewSwitchesSetTheirPanelsAndMenuMarks) {
    FrmMain& win = loadOn(1600, 1000, 15);
    EXPECT_TRUE(win.mnu_ViewItem(0).checked());
    EXPECT_TRUE(win.mnu_ViewItem(1).checked());
    // The hidden switches are set by the View menu.
    win.chk_Dsp_CtrlPanel.setValue(0);
    EXPECT_EQ(win.st.settings.Dsp_CtrlPanel, 0);
    EXPECT_FALSE(win.pic_CtrlPanel.visible());
    EXPECT_FALSE(win.mnu_ViewItem(1).checked());
    win.chk_Dsp_WorkList.setValue(0);
    EXPECT_EQ(win.st.settings.Dsp_WorkList, 0);
    EXPECT_FALSE(win.pic_WorkList.visible());
    EXPECT_FALSE(win.mnu_ViewItem(0).checked());
    const forms::Twips menus = win.pic_Frame(2).width();
    win.chk_Dsp_WorkList.setValue(1);
    EXPECT_TRUE(win.pic_WorkList.visible());
    EXPECT_EQ(win.pic_Frame(2).width(), menus + win.pic_WorkList.width());
    EXPECT_EQ(win.pic_WorkList.left() + win.pic_WorkList.width() <= win.pic_Frame(2).width(), true);
    win.chk_Dsp_CtrlPanel.setValue(1);
    EXPECT_TRUE(win.pic_CtrlPanel.visible());
    EXPECT_TRUE(win.mnu_ViewItem(1).checked());
}

// Started with both panels shown, the program writes every setting back as
// it read it at Exit, the window geometry aside; and a second start from
// that file shows the work list in full.
TEST_F(ViewTest, StartAndExitWriteTheSettingsBackUnchanged) {
    FrmMain& first = loadOn(1600, 1000, 15, {"AutoSave = 1", "PeakHoldTime = 12"});
    EXPECT_EQ(first.st.settings.Dsp_WorkList, 1);
    EXPECT_EQ(first.st.settings.Dsp_CtrlPanel, 1);
    first.cmd_StartFunction(5).userClick();
    loop.doEvents();
    ASSERT_TRUE(app.ended());
    const std::vector<std::string> written = readLines("MORVA StartupSetting.dat");
    EXPECT_EQ(writtenSetting("Dsp_WorkList = "), " 1 ");
    EXPECT_EQ(writtenSetting("Dsp_CtrlPanel = "), " 1 ");
    EXPECT_EQ(writtenSetting("AutoSave = "), " 1 ");
    EXPECT_EQ(writtenSetting("PeakHoldTime = "), " 12 ");
    w.reset();

    // Again, from the file the program wrote.
    forms::TestLoop loop2;
    forms::ScriptedDialogs dialogs2;
    forms::Application app2{loop2, dialogs2};
    app2.screen() = app.screen();
    auto second = Build_MainWindow(app2, folder_.string());
    second->load();
    EXPECT_TRUE(second->pic_WorkList.effectivelyVisible());
    EXPECT_GE(second->pic_Frame(2).width(),
              second->pic_CmdMenu(0).width() + second->pic_WorkList.width() + 50);
    second->cmd_StartFunction(5).userClick();
    loop2.doEvents();
    const std::vector<std::string> again = readLines("MORVA StartupSetting.dat");
    ASSERT_EQ(again.size(), written.size());
    for (size_t i = 0; i < written.size(); ++i) {
        const std::string& line = written[i];
        const bool geometry = line.rfind("Top = ", 0) == 0 || line.rfind("Left = ", 0) == 0 ||
                              line.rfind("Height = ", 0) == 0 || line.rfind("Width = ", 0) == 0 ||
                              line.rfind("Border = ", 0) == 0;
        if (!geometry) {
            EXPECT_EQ(again[i], line);
        }
    }
}

}  // namespace
}  // namespace morva::test
