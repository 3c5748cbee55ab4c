// Forms: load and unload, modal shows, default and cancel buttons, and the
// message and input boxes answered by script.

#include "fixture.h"
#include "forms/controls.h"
#include "forms/lists.h"

using namespace forms;

using FormTest = FormsTest;

TEST_F(FormTest, LoadRunsOnceOnFirstShowAndUnloadCanBeCancelled) {
    int loads = 0, unloads = 0;
    bool cancel = true;
    form.Load = [&] { ++loads; };
    form.Unload = [&](int& c) {
        ++unloads;
        c = cancel ? 1 : 0;
    };
    form.show();
    form.hide();
    form.show();
    EXPECT_EQ(loads, 1);
    EXPECT_FALSE(form.unload());
    EXPECT_TRUE(form.visible());
    cancel = false;
    form.userClose();
    EXPECT_FALSE(form.visible());
    EXPECT_FALSE(form.loaded());
    EXPECT_EQ(unloads, 2);
}

TEST_F(FormTest, AModalShowReturnsWhenTheFormIsHidden) {
    Form dialog(app, "frmOption");
    auto& ok = dialog.add<CommandButton>("cmd_OptionSetting", 0);
    ok.setDefault(true);
    ok.Click = [&] { dialog.hide(); };
    loop.at(
        300, [&] { dialog.userReturn(); }, "Return");
    dialog.show(true);
    EXPECT_FALSE(dialog.visible());
    EXPECT_EQ(loop.nowMs(), 300);
}

TEST_F(FormTest, EscapePressesTheCancelButton) {
    auto& cancel = form.add<CommandButton>("cmd_Load", 1);
    cancel.setCancel(true);
    int clicks = 0;
    cancel.Click = [&] { ++clicks; };
    form.show();
    form.userEscape();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.cancelButton(), &cancel);
}

// A form has one default and one cancel button, whichever was given the
// role last; Return presses the focused command button before the default.
TEST_F(FormTest, DefaultAndCancelRolesMoveAndReturnPressesTheFocusedButtonFirst) {
    auto& run1 = form.add<CommandButton>("cmd_StartFunction", 11);
    auto& menu1 = form.add<CommandButton>("cmd_StartFunction", 14);
    auto& run2 = form.add<CommandButton>("cmd_StartFunction", 21);
    auto& menu2 = form.add<CommandButton>("cmd_StartFunction", 24);
    auto& other = form.add<CommandButton>("cmd_StartFunction", 22);
    auto& list = form.add<ListBox>("lst_WorkList");
    std::vector<int> clicked;
    for (auto* b : {&run1, &menu1, &run2, &menu2, &other}) {
        CommandButton* button = b;
        button->Click = [&clicked, button] { clicked.push_back(button->index()); };
    }
    form.show();
    run1.setDefault(true);
    menu1.setCancel(true);
    run2.setDefault(true);
    menu2.setCancel(true);
    EXPECT_FALSE(run1.isDefault());
    EXPECT_FALSE(menu1.isCancel());
    EXPECT_EQ(form.defaultButton(), &run2);
    EXPECT_EQ(form.cancelButton(), &menu2);

    // No button has the focus: the default answers Return.
    list.setFocus();
    form.userReturn();
    // The focused button answers Return itself, not the default.
    other.setFocus();
    form.userReturn();
    // A focused button that no longer accepts input leaves Return to the default.
    other.setEnabled(false);
    form.userReturn();
    form.userEscape();
    EXPECT_EQ(clicked, (std::vector<int>{21, 22, 21, 24}));

    run2.setDefault(false);
    EXPECT_EQ(form.defaultButton(), nullptr);
}

TEST_F(FormTest, MessageBoxesAreAnsweredByScriptAndRecorded) {
    dialogs.answer(MsgResult::No);
    auto r1 = app.msgBox("Overwrite?", msg::YesNo | msg::Question);
    auto r2 = app.msgBox("Error: No Trigger signal.", msg::Exclamation);
    auto r3 = app.msgBox("Save?", msg::OkCancel | msg::DefaultButton2);
    EXPECT_EQ(r1, MsgResult::No);
    EXPECT_EQ(r2, MsgResult::Ok);
    EXPECT_EQ(r3, MsgResult::Cancel) << "unscripted: the default button";
    ASSERT_EQ(dialogs.shown().size(), 3u);
    EXPECT_EQ(dialogs.shown()[1].style, msg::Exclamation);
    EXPECT_EQ(dialogs.shown()[0].title, "MORVA");
    dialogs.failOnUnscripted();
    EXPECT_THROW(app.msgBox("Really?", msg::YesNo), std::logic_error);
}

TEST_F(FormTest, InputBoxesGiveTheTypedTextAndCancelGivesEmpty) {
    dialogs.type("AB1234");
    dialogs.cancelInput();
    EXPECT_EQ(app.inputBox("Serial No.", "Input", "x"), "AB1234");
    EXPECT_EQ(app.inputBox("Comment", "Input", "keep"), "");
    EXPECT_EQ(app.inputBox("Again", "Input", "dflt"), "dflt") << "unscripted: the default text";
    EXPECT_EQ(dialogs.prompts(), (std::vector<std::string>{"Serial No.", "Comment", "Again"}));
}

TEST_F(FormTest, ClientAreaExcludesTheFrameAndMenuBar) {
    form.move(0, 0, 9000, 7000);
    form.menuHeight = 300;
    EXPECT_EQ(form.scaleWidth(), 9000 - form.frameWidth);
    EXPECT_EQ(form.scaleHeight(), 7000 - form.frameHeight - 300);
}
