// Forms: load and unload, modal shows, default and cancel buttons, and the
// message and input boxes answered by script.

#include "fixture.h"
#include "forms/controls.h"

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
