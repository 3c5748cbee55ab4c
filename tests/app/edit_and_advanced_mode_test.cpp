// The in-place edit of the serial number and comment, with the Enter and
// Esc roles it borrows from the function page, and the advanced mode: its
// panels, the window's size and the channel counts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/advanced_mode.h"
#include "forms/controls.h"
#include "tests/app/app_fixture.h"

namespace morva::test {
namespace {

class InPlaceEdit : public AppTest {
  protected:
    FrmMain& onSensitivityPage() {
        writeProgramFolder({"Language = English"});
        FrmMain& win = build();
        win.load();
        win.cmd_StartFunction.on(&forms::Control::Click, [this](int i) { pressed.push_back(i); });
        // The sensitivity function as the sequencer enters it.
        for (int i = 0; i <= 3; ++i) {
            win.pic_Page(i).setVisible(i == 1);
            win.pic_CmdMenu(i).setVisible(i == 1);
        }
        win.cmd_StartFunction(11).setDefault(true);
        win.cmd_StartFunction(14).setCancel(true);
        win.lbl_MsrInfo(0).setCaption("OLD-SN");
        win.lbl_MsrInfo(1).setCaption("");
        return win;
    }
    // A key as the window routes it: Enter and Esc go to the default and
    // cancel buttons when the form has them, otherwise to the focused box.
    void key(FrmMain& win, int code) {
        forms::CommandButton* b = code == forms::key::Return ? win.defaultButton() : win.cancelButton();
        if (b != nullptr && b->acceptsInput()) {
            code == forms::key::Return ? win.userReturn() : win.userEscape();
        } else if (win.activeControl() != nullptr) {
            win.activeControl()->userKeyDown(code);
        }
    }
    bool rolesOnPage(FrmMain& win) {
        return win.cmd_StartFunction(11).isDefault() && win.cmd_StartFunction(14).isCancel();
    }
    std::vector<int> pressed;
};

TEST_F(InPlaceEdit, SerialThenCommentThenEnterKeepsBothAndGivesTheRolesBack) {
    FrmMain& win = onSensitivityPage();
    int serialStores = 0;
    win.lbl_MsrInfo(0).Change = [&serialStores] { ++serialStores; };

    win.lbl_MsrInfo(0).userClick();
    EXPECT_EQ(win.st.nEditMsrInfo, 1);
    EXPECT_TRUE(win.txt_Input.visible());
    EXPECT_TRUE(win.txt_Input.hasFocus());
    EXPECT_EQ(win.txt_Input.text(), "OLD-SN");
    EXPECT_EQ(win.txt_Input.left(), win.lbl_MsrInfo(0).left());
    EXPECT_EQ(win.txt_Input.top(), win.lbl_MsrInfo(0).top());
    EXPECT_EQ(win.txt_Input.width(), win.lbl_MsrInfo(0).width());
    EXPECT_FALSE(win.cmd_StartFunction(11).isDefault());
    EXPECT_FALSE(win.cmd_StartFunction(14).isCancel());
    win.txt_Input.userSetText("VK450-0815");

    // A click on the comment stores the serial first, then edits the comment.
    win.lbl_MsrInfo(1).userClick();
    EXPECT_EQ(win.lbl_MsrInfo(0).caption(), "VK450-0815");
    EXPECT_EQ(serialStores, 1);
    EXPECT_EQ(win.st.nEditMsrInfo, 2);
    EXPECT_EQ(win.txt_Input.text(), "");
    EXPECT_EQ(win.txt_Input.top(), win.lbl_MsrInfo(1).top());
    win.txt_Input.userSetText("head 3 clogged");

    // Enter ends the edit and starts no run.
    key(win, forms::key::Return);
    EXPECT_TRUE(pressed.empty());
    EXPECT_EQ(win.lbl_MsrInfo(1).caption(), "head 3 clogged");
    EXPECT_FALSE(win.txt_Input.visible());
    EXPECT_FALSE(win.txt_Input.hasFocus());
    EXPECT_EQ(win.st.nEditMsrInfo, 0);
    EXPECT_TRUE(rolesOnPage(win));
    EXPECT_EQ(serialStores, 1);

    // Closed, Enter and Esc press the page's buttons again.
    key(win, forms::key::Return);
    key(win, forms::key::Escape);
    EXPECT_EQ(pressed, (std::vector<int>{11, 14}));
}

TEST_F(InPlaceEdit, EscAndAClickElsewhereKeepTheTypedTextOnce) {
    FrmMain& win = onSensitivityPage();
    int stores = 0;
    win.lbl_MsrInfo(0).Change = [&stores] { ++stores; };

    win.lbl_MsrInfo(0).userClick();
    win.txt_Input.userSetText("typed then Esc");
    key(win, forms::key::Escape);
    EXPECT_TRUE(pressed.empty());
    EXPECT_EQ(win.lbl_MsrInfo(0).caption(), "typed then Esc");
    EXPECT_EQ(stores, 1);
    EXPECT_FALSE(win.txt_Input.visible());
    EXPECT_TRUE(rolesOnPage(win));

    win.lbl_MsrInfo(0).userClick();
    win.txt_Input.userSetText("then a click elsewhere");
    win.cmd_StartFunction(13).setVisible(true);
    win.cmd_StartFunction(13).userFocus();
    EXPECT_EQ(win.lbl_MsrInfo(0).caption(), "then a click elsewhere");
    EXPECT_EQ(stores, 2);
    EXPECT_EQ(win.st.nEditMsrInfo, 0);
    EXPECT_TRUE(rolesOnPage(win));
}

TEST_F(InPlaceEdit, OnTheMainPageTheRolesAreLeftAlone) {
    FrmMain& win = onSensitivityPage();
    for (int i = 0; i <= 3; ++i)
        win.pic_Page(i).setVisible(i == 0);
    win.cmd_StartFunction(11).setDefault(false);
    win.cmd_StartFunction(14).setCancel(false);
    win.lbl_MsrInfo(1).userClick();
    win.txt_Input.userSetText("main page");
    key(win, forms::key::Return);
    EXPECT_EQ(win.lbl_MsrInfo(1).caption(), "main page");
    EXPECT_FALSE(win.cmd_StartFunction(11).isDefault());
    EXPECT_FALSE(win.cmd_StartFunction(14).isCancel());
}

class AdvancedMode : public AppTest {
  protected:
    FrmMain& loaded(const std::vector<std::string>& extra = {}) {
        std::vector<std::string> settings = {"StartupModelName = VK-450", "n_AD_Channel = 2",
                                             "Dsp_WorkList = 1"};
        settings.insert(settings.end(), extra.begin(), extra.end());
        writeProgramFolder(settings);
        FrmMain& win = build();
        win.chk_Dsp_WorkList.Click = [&win] { win.st.settings.Dsp_WorkList = win.chk_Dsp_WorkList.value(); };
        win.load();
        win.proc.Set_View.bind([this, &win] { views.push_back(win.st.flags.flg_Busy); });
        return win;
    }
    std::vector<int> views;
};

TEST_F(AdvancedMode, TheModeShowsThePanelsWidensTheWindowAndMeasuresOnEveryChannel) {
    FrmMain& win = loaded();
    ASSERT_EQ(win.st.model.nHead, 4);
    EXPECT_EQ(win.st.model.n_AD_channel_Lin, 1);
    // A graph frame narrow enough that the widened window stays on the
    // screen (a wider one would give up the difference).
    win.move(300, 200, 12000, 5000);
    win.pic_Frame(1).setWidth(5000);

    EXPECT_FALSE(win.chk_AdvMode.visible());
    win.chk_AdvMode.userClick();  // hidden: nothing
    EXPECT_EQ(win.chk_AdvMode.value(), 0);
    win.lbl_AdvMode(0).userDblClick();
    EXPECT_TRUE(win.chk_AdvMode.visible());
    EXPECT_EQ(win.st.flg_OptionEdit, 0);

    win.chk_AdvMode.userClick();
    EXPECT_EQ(win.st.settings.AdvMode, 1);
    EXPECT_EQ(win.st.flg_OptionEdit, 1);
    for (int i = 0; i <= 4; ++i)
        EXPECT_TRUE(win.pic_AdvMode(i).visible()) << i;
    EXPECT_EQ(win.height(), kAdvModeWindowHeight);
    const int menuFrame =
        win.pic_WorkList.width() + win.pic_CmdMenu(0).width() + win.pic_AdvMode(0).width() + 50;
    EXPECT_EQ(win.pic_Frame(2).width(), menuFrame);
    EXPECT_EQ(win.width(), menuFrame + win.pic_Border.width() + 5000 + 120);
    EXPECT_EQ(win.pic_Border.mousePointer(), forms::MousePointer::SizeWE);
    EXPECT_EQ(win.st.model.n_AD_channel_Lin, 2);
    EXPECT_EQ(win.st.msr.n_Msr_channel_Lin, 2);
    EXPECT_EQ(win.st.msr.n_Msr_channel_Sens, 2);
    EXPECT_EQ(views, (std::vector<int>{0}));
    EXPECT_EQ(win.st.flags.flg_Busy, 0);

    win.chk_AdvMode.userClick();
    EXPECT_EQ(win.st.settings.AdvMode, 0);
    EXPECT_EQ(win.st.flg_OptionEdit, 0);
    EXPECT_FALSE(win.pic_AdvMode(2).visible());
    EXPECT_EQ(win.height(), kAdvModeWindowHeight);  // never lowered
    EXPECT_EQ(win.width(), menuFrame - win.pic_AdvMode(0).width() + win.pic_Border.width() + 5000 + 120);
    EXPECT_EQ(win.pic_Border.mousePointer(), forms::MousePointer::Default);
    EXPECT_EQ(win.st.model.n_AD_channel_Lin, 1);
    EXPECT_EQ(win.st.msr.n_Msr_channel_Lin, 1);
    EXPECT_EQ(win.st.msr.n_Msr_channel_Sens, 2);
    EXPECT_EQ(views.size(), 2u);
}

TEST_F(AdvancedMode, TheOptionsUnlockWithoutTheModeAndTheCountsSurviveABadCaption) {
    FrmMain& win = loaded();
    win.lbl_AdvMode(1).userDblClick();
    EXPECT_EQ(win.st.flg_OptionEdit, 1);
    EXPECT_EQ(win.lbl_AdvMode(1).caption(), " *");
    EXPECT_EQ(win.st.settings.AdvMode, 0);

    win.lbl_AdvMode(0).userDblClick();
    win.chk_AdvMode.userClick();
    win.lbl_n_AD_Channel.setCaption("two");
    win.chk_AdvMode.userClick();  // off: the counts are kept, not set to 0
    EXPECT_EQ(win.st.flg_OptionEdit, 0);
    EXPECT_EQ(win.st.model.n_AD_channel_Lin, 2);
    EXPECT_EQ(win.st.model.n_AD_channel_Sens, 2);
    win.lbl_n_AD_Channel.setCaption("1");
    EXPECT_EQ(win.st.model.n_AD_channel_Sens, 1);
    EXPECT_EQ(win.st.model.n_AD_channel_Lin, 1);
}

TEST_F(AdvancedMode, TheWiderWindowStaysOnTheScreen) {
    FrmMain& win = loaded();
    const forms::Screen& screen = app.screen();
    win.pic_Frame(1).setWidth(screen.width - 200 - win.pic_Frame(2).width());
    win.move(screen.width - 9000, screen.height - 4000, screen.width - 100, 4000);
    win.lbl_AdvMode(0).userDblClick();
    win.chk_AdvMode.userClick();
    EXPECT_LE(win.left() + win.width(), screen.width);
    EXPECT_GE(win.left(), 0);
    EXPECT_LE(win.top() + win.height(), screen.height);
    EXPECT_EQ(win.height(), kAdvModeWindowHeight);
    EXPECT_EQ(win.width(),
              win.pic_Frame(2).width() + win.pic_Border.width() + win.pic_Frame(1).width() + 120);
    EXPECT_GE(win.pic_Frame(1).width(), kAdvModeMinGraphFrame);
}

}  // namespace
}  // namespace morva::test
