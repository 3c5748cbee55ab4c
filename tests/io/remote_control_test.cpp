// The remote-control buttons, the "Unload/PLAY" macro and the repeated PLAY
// command, on the virtual clock.

#include "io/remote_control.h"

#include "serial_fixture.h"

namespace morva::test {
namespace {

using RemoteControl = SerialTest;

TEST_F(RemoteControl, EachButtonSendsItsCommandAndShowsTheTransaction) {
    const std::vector<std::string> expected = {"OPL", "OSP", "OFF", "ORW", "OEJ", "$MS:00:30"};
    for (int i = 0; i < 6; ++i)
        port->answer(expected[i], "R" + std::to_string(i));
    for (int i = 0; i < 6; ++i) {
        w->Text1.setFocus();
        w->cmd_Ctrl(i).setValue(true);
        EXPECT_EQ(w->st.CommandText, expected[i]);
        EXPECT_EQ(w->lbl_SendCommand.caption(), expected[i]);
        EXPECT_EQ(w->lbl_RcvCommand.caption(), "R" + std::to_string(i));
        EXPECT_EQ(w->pic_Info(0).hasFocus(), i >= 1) << "button " << i;
        EXPECT_TRUE(w->pic_CtrlPanel.enabled());
    }
    EXPECT_EQ(port->commands(), expected);
}

TEST_F(RemoteControl, PanelIsDisabledWhileTheTransactionWaitsSoASecondClickIsIgnored) {
    port->answer("OSP", "STOP", 300);
    port->answer("OPL", "PLAY");
    bool panelEnabledDuringWait = true;
    loop.at(
        0, [&] { w->cmd_Ctrl(1).userClick(); }, "click stop");
    loop.at(
        100,
        [&] {
            panelEnabledDuringWait = w->pic_CtrlPanel.enabled();
            w->cmd_Ctrl(0).userClick();
        },
        "click play");
    loop.runUntil(2000);
    EXPECT_FALSE(panelEnabledDuringWait);
    EXPECT_TRUE(w->pic_CtrlPanel.enabled());
    EXPECT_EQ(port->commands(), std::vector<std::string>{"OSP"});
    EXPECT_EQ(w->lbl_RcvCommand.caption(), "STOP");
}

TEST_F(RemoteControl, SilentRecorderShowsOffline) {
    w->cmd_Ctrl(3).setValue(true);
    EXPECT_EQ(w->lbl_SendCommand.caption(), "ORW");
    EXPECT_EQ(w->lbl_RcvCommand.caption(), "Offline    ");
    EXPECT_EQ(loop.nowMs(), 750);
}

TEST_F(RemoteControl, UnloadPlayMacroEjectsPausesOneSecondThenPlaysSixTimesTwoSecondsApart) {
    port->answer("OEJ", "EJECT", 20);
    port->answer("OPL", "PLAY", 20);
    loop.at(
        0, [&] { w->cmd_Ctrl_Macro.userClick(); }, "click Unload/PLAY");
    loop.runUntil(30000);
    EXPECT_EQ(timesOf("OEJ"), std::vector<int64_t>{0});
    // The pause starts when the eject reply is in (t=20) and lasts 1 s; the
    // first PLAY follows one PLAY interval later.
    EXPECT_EQ(timesOf("OPL"), (std::vector<int64_t>{3020, 5020, 7020, 9020, 11020, 13020}));
    EXPECT_EQ(port->commands().size(), 7u);
    EXPECT_EQ(w->lbl_SendCommand.caption(), "OPL");
    EXPECT_EQ(w->lbl_RcvCommand.caption(), "PLAY");
    EXPECT_FALSE(w->timer_SendPLAYcommand.enabled());
    EXPECT_EQ(w->st.flags.flg_WaitElapsed, 0);
    EXPECT_EQ(w->timer_Wait.interval(), 500);
    EXPECT_FALSE(w->timer_Wait.enabled());
}

TEST_F(RemoteControl, MacroHandsTheControlPanelBackBeforeThePlaysAreSent) {
    port->answer("OEJ", "EJECT", 20);
    port->answer("OPL", "PLAY", 20);
    bool enabledBetweenPlays = false;
    bool focusOnInfo = false;
    loop.at(
        0, [&] { w->cmd_Ctrl_Macro.userClick(); }, "click Unload/PLAY");
    loop.at(
        2000,
        [&] {
            enabledBetweenPlays = w->pic_CtrlPanel.enabled();
            focusOnInfo = w->pic_Info(0).hasFocus();
        },
        "look");
    loop.runUntil(2500);
    EXPECT_TRUE(enabledBetweenPlays);
    EXPECT_TRUE(focusOnInfo);
    EXPECT_TRUE(w->timer_SendPLAYcommand.enabled());
    EXPECT_EQ(w->serial.PLAYtimes, 6);
    EXPECT_EQ(w->serial.PLAYcount, 0);
}

// STOP (or any other button) pressed while the macro's PLAYs are pending
// cancels them: the recorder ends up stopped, not playing.
TEST_F(RemoteControl, AnyButtonCancelsTheMacrosPendingPlays) {
    port->answer("OEJ", "EJECT", 20);
    port->answer("OPL", "PLAY", 20);
    port->answer("OSP", "STOP", 20);
    loop.at(
        0, [&] { w->cmd_Ctrl_Macro.userClick(); }, "click Unload/PLAY");
    loop.at(
        4000, [&] { w->cmd_Ctrl(1).userClick(); }, "click STOP");
    loop.runUntil(30000);
    EXPECT_EQ(timesOf("OPL"), std::vector<int64_t>{3020});
    EXPECT_EQ(timesOf("OSP"), std::vector<int64_t>{4000});
    EXPECT_EQ(port->commands().back(), "OSP");
    EXPECT_EQ(w->lbl_SendCommand.caption(), "OSP");
    EXPECT_FALSE(w->timer_SendPLAYcommand.enabled());

    // A new macro starts afresh.
    loop.at(
        31000, [&] { w->cmd_Ctrl_Macro.userClick(); }, "click Unload/PLAY again");
    loop.runUntil(60000);
    EXPECT_EQ(timesOf("OPL").size(), 7u);
}

TEST_F(RemoteControl, SendPlayCommandSendsTheCountOneIntervalApartAndStops) {
    port->answer("OPL", "PLAY", 20);
    SendPLAYcommand(*w, 500, 3);
    EXPECT_TRUE(port->writes().empty()) << "it returns at once";
    loop.runUntil(10000);
    EXPECT_EQ(timesOf("OPL"), (std::vector<int64_t>{500, 1000, 1500}));
    EXPECT_EQ(w->serial.PLAYcount, 3);
}

TEST_F(RemoteControl, SendPlayCommandWithNothingToSendSendsNothing) {
    SendPLAYcommand(*w, 500, 0);
    EXPECT_FALSE(w->timer_SendPLAYcommand.enabled());
    SendPLAYcommand(*w, 500, -2);
    EXPECT_FALSE(w->timer_SendPLAYcommand.enabled());
    loop.at(
        5000, [] {}, "later");
    loop.runUntil(5000);
    EXPECT_TRUE(port->writes().empty());
}

}  // namespace
}  // namespace morva::test
