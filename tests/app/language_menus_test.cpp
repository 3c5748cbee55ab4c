// The language switch, its settings round trip through Exit and a restart,
// and the menu bar: each item by what it does, the check marks, and the
// items greyed while a run is active.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/language_table.h"
#include "app/menus.h"
#include "forms/controls.h"
#include "tests/app/app_fixture.h"

namespace morva::test {
namespace {

// What the controls of the table show: caption or tool tip per row.
std::vector<std::string> shownTexts(FrmMain& win) {
    std::vector<std::string> texts;
    for (const CaptionRow& row : Language_CaptionTable()) {
        forms::Control* c = win.find(row.control, row.index);
        if (c == nullptr) {
            texts.push_back("<missing>");
        } else if (row.toolTip) {
            texts.push_back(c->toolTip());
        } else if (auto* label = dynamic_cast<forms::Label*>(c)) {
            texts.push_back(label->caption());
        } else if (auto* button = dynamic_cast<forms::CommandButton*>(c)) {
            texts.push_back(button->caption());
        } else if (auto* item = dynamic_cast<forms::MenuItem*>(c)) {
            texts.push_back(item->caption());
        } else {
            texts.push_back("<no caption>");
        }
    }
    return texts;
}

std::vector<std::string> column(bool japanese, const std::vector<std::string>& before) {
    std::vector<std::string> texts;
    size_t i = 0;
    for (const CaptionRow& row : Language_CaptionTable()) {
        const char* text = japanese ? row.japanese : row.english;
        texts.push_back(text != nullptr ? text : before[i]);
        ++i;
    }
    return texts;
}

class LanguageAndMenus : public AppTest {
  protected:
    FrmMain& loaded(const std::vector<std::string>& settings) {
        writeProgramFolder(settings);
        FrmMain& win = build();
        // The views' handlers of the two panel boxes, reduced to the setting.
        win.chk_Dsp_WorkList.Click = [&win] { win.st.settings.Dsp_WorkList = win.chk_Dsp_WorkList.value(); };
        win.chk_Dsp_CtrlPanel.Click = [&win] {
            win.st.settings.Dsp_CtrlPanel = win.chk_Dsp_CtrlPanel.value();
        };
        win.load();
        return win;
    }
    // The sequencer's buttons, recorded (Exit still ends the program).
    void recordPresses(FrmMain& win) {
        win.cmd_StartFunction.on(&forms::Control::Click, [this, &win](int i) {
            pressed.push_back(i);
            if (i == 5) win.app().end();
        });
        win.proc.Show_MasterTapeEditor.bind([this] { shown.push_back("MasterTape"); });
        win.proc.Show_Options.bind([this] { shown.push_back("Options"); });
        win.proc.Show_Version.bind([this] { shown.push_back("Version"); });
    }
    std::vector<int> pressed;
    std::vector<std::string> shown;
};

TEST_F(LanguageAndMenus, SwitchingBackAndForthSetsEveryCaptionOfTheTable) {
    FrmMain& win = loaded({"Language = English"});
    for (const CaptionRow& row : Language_CaptionTable())
        EXPECT_NE(win.find(row.control, row.index), nullptr) << row.control << "(" << row.index << ")";
    const std::vector<std::string> english = shownTexts(win);
    EXPECT_EQ(english, column(false, english));

    win.lbl_Language.setCaption("Japanese");
    EXPECT_EQ(win.st.settings.Language, "Japanese");
    EXPECT_EQ(shownTexts(win), column(true, english));
    EXPECT_EQ(win.mnu_File.caption(), "ﾌｧｲﾙ(&F)");
    EXPECT_EQ(win.mnu_ViewItem(1).caption(), "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ(&3)");
    EXPECT_EQ(win.cmd_StartFunction(11).caption(), "波形表示");
    EXPECT_EQ(win.lbl_ItemTitle(5).caption(), "ｼﾘｱﾙ/ID :");
    EXPECT_EQ(win.cmd_StartFunction(44).caption(), "Data Load");
    EXPECT_EQ(win.cmd_StartFunction(51).caption(), "SaveFile");
    EXPECT_EQ(win.lbl_MsrInfo(1).toolTip(), "コメントを入力 --> [ENTER]で完了");

    win.lbl_Language.setCaption("English");
    EXPECT_EQ(shownTexts(win), english);
    EXPECT_EQ(win.cmd_StartFunction(11).caption(), "Waveform");
    EXPECT_EQ(win.lbl_MsrInfo(0).toolTip(), "Serial No./ID Name etcを入力 --> [ENTER]で完了");
}

TEST_F(LanguageAndMenus, AnUnknownOrEmptyLanguageLeavesTheDesignedCaptions) {
    // A settings file naming no language (a file without any setting would
    // be a first start, which begins in English).
    FrmMain& win = loaded({"Language = "});
    const std::vector<std::string> designed = shownTexts(win);
    EXPECT_EQ(win.cmd_StartFunction(11).caption(), "Measurement");
    for (const char* language : {"Deutsch", "", "japanese"}) {
        win.lbl_Language.setCaption(language);
        EXPECT_EQ(shownTexts(win), designed) << language;
        EXPECT_EQ(win.st.settings.Language, language);
    }
}

TEST_F(LanguageAndMenus, TheLanguageSurvivesExitAndARestartInBothLanguages) {
    for (const char* language : {"Japanese", "English"}) {
        SCOPED_TRACE(language);
        // The operator picks the language (as the options dialog does), then exits.
        {
            forms::TestLoop runLoop;
            forms::ScriptedDialogs boxes;
            forms::Application run{runLoop, boxes};
            writeProgramFolder({"Language = Deutsch"});
            auto win = Build_MainWindow(run, folder_.string());
            win->load();
            win->lbl_Language.setCaption(language);
            win->cmd_StartFunction(5).userClick();
            ASSERT_TRUE(run.ended());
        }
        EXPECT_EQ(writtenSetting("Language = "), language);
        // A restart reads it back and shows the window in it.
        forms::TestLoop runLoop;
        forms::ScriptedDialogs boxes;
        forms::Application run{runLoop, boxes};
        auto win = Build_MainWindow(run, folder_.string());
        win->load();
        EXPECT_EQ(win->st.settings.Language, language);
        EXPECT_EQ(win->mnu_Tool.caption(), std::string(language) == "Japanese" ? "ﾂｰﾙ(&T)" : "Tool(&T)");
        EXPECT_EQ(win->cmd_StartFunction(25).caption(),
                  std::string(language) == "Japanese" ? "強制終了" : "Finish");
    }
}

TEST_F(LanguageAndMenus, EveryMenuItemDoesItsJob) {
    FrmMain& win = loaded({"Dsp_WorkList = 1", "Dsp_CtrlPanel = 0"});
    recordPresses(win);
    win.mnu_View.userClick();  // opening the menu
    EXPECT_TRUE(win.mnu_ViewItem(0).checked());
    EXPECT_FALSE(win.mnu_ViewItem(1).checked());

    win.mnu_FileItem(0).userClick();
    win.mnu_FileItem(1).userClick();
    win.mnu_FileItem(2).userClick();  // greyed: nothing
    mnu_FileItem_Click(win, 2);       // and nothing even when chosen
    win.mnu_MsrItem(0).userClick();
    win.mnu_MsrItem(1).userClick();
    win.mnu_MsrItem(2).userClick();
    EXPECT_EQ(pressed, (std::vector<int>{2, 3, 0, 1, 4}));
    EXPECT_FALSE(win.mnu_FileItem(2).enabled());

    win.mnu_ViewItem(0).userClick();
    EXPECT_EQ(win.chk_Dsp_WorkList.value(), 0);
    EXPECT_FALSE(win.mnu_ViewItem(0).checked());
    win.mnu_ViewItem(1).userClick();
    EXPECT_EQ(win.chk_Dsp_CtrlPanel.value(), 1);
    EXPECT_TRUE(win.mnu_ViewItem(1).checked());
    win.mnu_ViewItem(1).userClick();
    EXPECT_EQ(win.chk_Dsp_CtrlPanel.value(), 0);
    // A stored value other than 0 or 1 is left alone.
    win.st.settings.Dsp_WorkList = 2;
    win.mnu_ViewItem(0).userClick();
    EXPECT_EQ(win.chk_Dsp_WorkList.value(), 0);

    win.mnu_ToolItem(0).userClick();
    win.mnu_ToolItem(1).userClick();
    win.mnu_HelpItem(0).userClick();
    EXPECT_EQ(shown, (std::vector<std::string>{"MasterTape", "Options", "Version"}));

    EXPECT_EQ(win.mnu_FileItem(0).shortcut(), "Ctrl+S");
    EXPECT_EQ(win.mnu_FileItem(1).shortcut(), "Ctrl+O");
    EXPECT_EQ(win.mnu_FileItem(3).shortcut(), "Ctrl+Q");
    EXPECT_EQ(win.mnu_MsrItem(2).shortcut(), "F4");

    win.mnu_FileItem(3).userClick();
    EXPECT_EQ(pressed.back(), 5);
    EXPECT_TRUE(app.ended());
}

TEST_F(LanguageAndMenus, ToolAndFunctionItemsAreGreyedWhileARunIsActive) {
    FrmMain& win = loaded({});
    recordPresses(win);
    std::vector<bool> toolEnabledDuringRun;
    int passes = 0;
    // A monitor run of three passes; the menus are looked at in each.
    win.proc.Run_DaqAcquisition.bind([&] {
        toolEnabledDuringRun.push_back(win.mnu_ToolItem(1).enabled() || win.mnu_ToolItem(0).enabled() ||
                                       win.mnu_MsrItem(0).enabled() || win.mnu_FileItem(1).enabled());
        win.mnu_ToolItem(1).userClick();  // greyed: ignored
        mnu_ToolItem_Click(win, 1);       // and inert should it come through
        if (++passes == 3) win.st.flags.flg_Measuring = 0;
    });
    win.st.flags.flg_Measuring = 1;
    win.proc.Run_InputMonitor();
    EXPECT_EQ(toolEnabledDuringRun, (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(win.mnu_ToolItem(1).enabled());
    EXPECT_TRUE(win.mnu_MsrItem(0).enabled());
    EXPECT_TRUE(win.mnu_FileItem(0).enabled());  // saving stays possible

    // A run that has not returned yet counts until it has; opening a menu
    // shows the state of the moment.
    win.st.flags.RunDepth = 1;
    win.mnu_Tool.userClick();
    EXPECT_FALSE(win.mnu_ToolItem(0).enabled());
    win.st.flags.RunDepth = 0;
    win.mnu_Tool.userClick();
    EXPECT_TRUE(win.mnu_ToolItem(0).enabled());
    win.mnu_ToolItem(0).userClick();
    EXPECT_EQ(shown, (std::vector<std::string>{"MasterTape"}));
}

}  // namespace
}  // namespace morva::test
