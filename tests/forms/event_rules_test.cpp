// Which property changes fire which events, synchronously, and which fire
// nothing because nothing changed.

#include <string>
#include <vector>

#include "fixture.h"
#include "forms/control_array.h"
#include "forms/controls.h"
#include "forms/lists.h"
#include "forms/picture.h"

using namespace forms;

using EventRules = FormsTest;

TEST_F(EventRules, LabelCaptionFiresChangeOnlyWhenItChanges) {
    auto& lbl = form.add<Label>("lbl_Name_AD_DeviceType");
    int changes = 0;
    lbl.Change = [&] { ++changes; };
    lbl.setCaption("SIM");
    EXPECT_EQ(changes, 1);  // synchronous: already counted
    lbl.setCaption("SIM");
    EXPECT_EQ(changes, 1);
    lbl.setCaption("");
    EXPECT_EQ(changes, 2);
}

TEST_F(EventRules, CheckBoxValueFiresClickOnChangeAndUserClickToggles) {
    auto& chk = form.add<CheckBox>("chk_Dsp_WorkList");
    std::vector<int> seen;
    chk.Click = [&] { seen.push_back(chk.value()); };
    chk.setValue(0);  // unchanged
    chk.setValue(1);
    chk.setValue(1);  // unchanged
    chk.setValue(7);  // not a check box value: ignored
    chk.userClick();
    EXPECT_EQ(seen, (std::vector<int>{1, 0}));
}

TEST_F(EventRules, OptionButtonClearsItsGroupAndFiresClickOnlyWhenSet) {
    auto& frame = form.add<Frame>("frm_PAL_NTSC");
    auto& other = form.add<Frame>("frm_Other");
    ControlArray<OptionButton> opt("opt_PAL_NTSC");
    opt.add(form, 0, &frame);
    opt.add(form, 1, &frame);
    auto& elsewhere = form.add<OptionButton>("opt_Elsewhere", -1, &other);
    elsewhere.setValue(true);
    std::vector<int> clicks;
    opt.on(&Control::Click, [&](int i) { clicks.push_back(i); });

    opt(0).setValue(true);
    opt(0).setValue(true);  // already set: nothing
    opt(1).setValue(true);
    EXPECT_EQ(clicks, (std::vector<int>{0, 1}));
    EXPECT_FALSE(opt(0).value());
    EXPECT_TRUE(opt(1).value());
    EXPECT_TRUE(elsewhere.value()) << "another container is another group";
    opt(1).setValue(false);  // clearing fires nothing
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(EventRules, ListAndComboIndexFireClickOnChangeOnly) {
    auto& cmb = form.add<ComboBox>("cmb_ModelNameList");
    auto& lst = form.add<ListBox>("lst_WorkList");
    int cmbClicks = 0, lstClicks = 0;
    cmb.Click = [&] { ++cmbClicks; };
    lst.Click = [&] { ++lstClicks; };
    for (auto* c : {static_cast<ListControl*>(&cmb), static_cast<ListControl*>(&lst)}) {
        c->addItem("A");
        c->addItem("B");
    }
    cmb.setListIndex(1);
    cmb.setListIndex(1);
    cmb.setListIndex(5);  // outside the list: ignored
    EXPECT_EQ(cmbClicks, 1);
    EXPECT_EQ(cmb.text(), "B");
    cmb.clear();  // clearing fires nothing and leaves no selection
    EXPECT_EQ(cmbClicks, 1);
    EXPECT_EQ(cmb.listIndex(), -1);
    lst.setListIndex(0);
    lst.removeItem(0);
    EXPECT_EQ(lst.listIndex(), -1);
    EXPECT_EQ(lstClicks, 1);
}

TEST_F(EventRules, TextBoxChangeFiresOnRealChangesFromProgramAndUser) {
    auto& txt = form.add<TextBox>("Text3");
    std::vector<std::string> seen;
    txt.Change = [&] { seen.push_back(txt.text()); };
    txt.setText("12");
    txt.setText("12");
    txt.userSetText("13");
    txt.setLocked(true);
    txt.userSetText("14");  // a locked box takes no typing
    EXPECT_EQ(seen, (std::vector<std::string>{"12", "13"}));
}

TEST_F(EventRules, CommandButtonValueRunsClickEvenWhenDisabledButUserClickDoesNot) {
    auto& cmd = form.add<CommandButton>("cmd_StartFunction", 14);
    int clicks = 0;
    cmd.Click = [&] { ++clicks; };
    cmd.setValue(true);
    cmd.setValue(false);
    EXPECT_EQ(clicks, 1);
    cmd.setEnabled(false);
    cmd.userClick();
    EXPECT_EQ(clicks, 1) << "a disabled button ignores the user";
    cmd.setValue(true);
    EXPECT_EQ(clicks, 2) << "the program can still press it";
}

TEST_F(EventRules, HiddenContainerBlocksUserInputButKeepsOwnFlags) {
    auto& panel = form.add<PictureBox>("pic_CmdMenu", 1);
    auto& cmd = form.add<CommandButton>("cmd_StartFunction", 11, &panel);
    int clicks = 0;
    cmd.Click = [&] { ++clicks; };
    panel.setVisible(false);
    EXPECT_TRUE(cmd.visible());
    EXPECT_FALSE(cmd.effectivelyVisible());
    cmd.userClick();
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(cmd.setFocus());
    panel.setVisible(true);
    cmd.userClick();
    EXPECT_EQ(clicks, 1);
}

TEST_F(EventRules, SetFocusFiresLostFocusThenGotFocus) {
    auto& a = form.add<TextBox>("txt_Input", 0);
    auto& b = form.add<TextBox>("txt_Input", 1);
    std::vector<std::string> order;
    a.GotFocus = [&] { order.push_back("a+"); };
    a.LostFocus = [&] { order.push_back("a-"); };
    b.GotFocus = [&] { order.push_back("b+"); };
    EXPECT_TRUE(a.setFocus());
    EXPECT_TRUE(a.setFocus());  // already there: nothing
    EXPECT_TRUE(b.setFocus());
    EXPECT_EQ(order, (std::vector<std::string>{"a+", "a-", "b+"}));
    EXPECT_EQ(form.activeControl(), &b);
}

TEST_F(EventRules, ResizeFiresWhenTheSizeChangesNotWhenItMoves) {
    auto& pic = form.add<PictureBox>("pic_Frame", 1);
    int resizes = 0;
    pic.Resize = [&] { ++resizes; };
    pic.move(0, 0, 5000, 4000);
    pic.setLeft(100);
    pic.setWidth(5000);
    pic.setWidth(6000);
    EXPECT_EQ(resizes, 2);
}

TEST_F(EventRules, KeyAndMouseEventsReachTheirHandlers) {
    auto& txt = form.add<TextBox>("txt_Input", 0);
    auto& bar = form.add<PictureBox>("pic_Border");
    int key = 0;
    double downX = -1;
    txt.KeyDown = [&](int k, int) { key = k; };
    bar.MouseDown = [&](const MouseEvent& e) { downX = e.x; };
    txt.userKeyDown(key::Return);
    bar.userMouseDown({mouse::Left, 0, 42.5, 3});
    EXPECT_EQ(key, 13);
    EXPECT_DOUBLE_EQ(downX, 42.5);
}

TEST_F(EventRules, MenuCheckedMarkAndControlArrayLookup) {
    ControlArray<MenuItem> mnu("mnu_ViewItem");
    mnu.add(form, 0);
    mnu.add(form, 1);
    mnu(1).setChecked(true);
    EXPECT_TRUE(mnu(1).checked());
    EXPECT_EQ(form.find("mnu_ViewItem", 1), &mnu(1));
    EXPECT_EQ(mnu(1).displayName(), "mnu_ViewItem(1)");
    EXPECT_THROW(mnu(7), std::out_of_range);
}
