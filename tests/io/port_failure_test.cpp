// A port that is missing, busy or vanishes under a transaction: the
// transaction is off line, nothing stays busy, and the operator is told
// once per run of failures, with the port's name.

#include "io/rs232c.h"

#include "io/remote_control.h"
#include "serial_fixture.h"

namespace morva::test {
namespace {

using PortFailure = SerialTest;

TEST_F(PortFailure, PortThatCannotOpenIsOfflineAtOnceWithOneMessage) {
    port->failOpen("Device or resource busy");
    w->serial.flg_RS232C_Reply = -1;
    EXPECT_EQ(RS232C_Command(*w, "OPL"), "Offline    ");
    EXPECT_EQ(loop.nowMs(), 0) << "nothing was sent, so there is nothing to wait for";
    EXPECT_EQ(w->serial.flg_RS232C_Reply, 0);
    EXPECT_EQ(w->serial.flg_RS232C_Busy, 0);
    EXPECT_FALSE(w->timer1.enabled());
    EXPECT_TRUE(port->writes().empty());
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_NE(dialogs.shown()[0].prompt.find("/dev/ttyUSB7"), std::string::npos) << dialogs.shown()[0].prompt;
    EXPECT_NE(dialogs.shown()[0].prompt.find("Device or resource busy"), std::string::npos);
    EXPECT_EQ(forms::msg::icon(dialogs.shown()[0].style), forms::msg::Exclamation);
}

TEST_F(PortFailure, OneMessagePerRunOfFailuresAndANewOneAfterTheLineWorkedAgain) {
    port->failOpen("No such file or directory");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(RS232C_Command(*w, "OPL"), "Offline    ");
    EXPECT_EQ(dialogs.shown().size(), 1u);

    port->failOpen("");
    port->answer("OPL", "OK");
    EXPECT_EQ(RS232C_Command(*w, "OPL"), "OK");
    EXPECT_EQ(dialogs.shown().size(), 1u);

    port->failOpen("No such file or directory");
    EXPECT_EQ(RS232C_Command(*w, "OPL"), "Offline    ");
    EXPECT_EQ(dialogs.shown().size(), 2u) << "a new run of failures is reported again";
}

TEST_F(PortFailure, LineThatVanishesMidTransactionEndsItOfflineWithoutWaitingForTheTimeOut) {
    port->answer("OPL", "OK", 500);
    port->vanishOn("OPL", 200);
    EXPECT_EQ(RS232C_Command(*w, "OPL"), "Offline    ");
    EXPECT_EQ(loop.nowMs(), 200);
    EXPECT_EQ(w->serial.flg_RS232C_Reply, 0);
    EXPECT_EQ(w->serial.flg_RS232C_Busy, 0);
    EXPECT_FALSE(w->timer1.enabled());
    EXPECT_FALSE(port->isOpen());
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_NE(dialogs.shown()[0].prompt.find("/dev/ttyUSB7"), std::string::npos);

    // Gone for good until it is plugged in again: quiet failures.
    EXPECT_EQ(RS232C_Command(*w, "OPL"), "Offline    ");
    EXPECT_EQ(dialogs.shown().size(), 1u);

    port->reconnect();
    EXPECT_EQ(RS232C_Command(*w, "OPL"), "OK");
}

TEST_F(PortFailure, WriteFailureIsOfflineAndClosesThePort) {
    port->failWrite("Input/output error");
    EXPECT_EQ(RS232C_Command(*w, "OSP"), "Offline    ");
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(w->serial.flg_RS232C_Busy, 0);
    EXPECT_EQ(dialogs.shown().size(), 1u);
}

TEST_F(PortFailure, WindowWithoutAPortIsOffline) {
    w->serial.ComBox.reset();
    EXPECT_EQ(RS232C_Command(*w, "OPL"), "Offline    ");
    EXPECT_EQ(w->serial.flg_RS232C_Busy, 0);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_NE(dialogs.shown()[0].prompt.find("no serial port"), std::string::npos);
}

TEST_F(PortFailure, MacroAgainstAnUnpluggedPortShowsOneMessageForAllItsCommands) {
    port->failOpen("No such file or directory");
    loop.at(
        0, [&] { w->cmd_Ctrl_Macro.userClick(); }, "click macro");
    loop.runUntil(20000);
    EXPECT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(w->serial.PLAYcount, 6);
    EXPECT_EQ(w->lbl_RcvCommand.caption(), "Offline    ");
    EXPECT_TRUE(w->pic_CtrlPanel.enabled());
}

TEST_F(PortFailure, BusyFlagIsClearedWhenTheWaitIsAbandoned) {
    // A wait that cannot end (no time-out handler) leaves the transaction by
    // an exception; the line must not stay busy for ever.
    w->timer1.Tick = nullptr;
    w->timer1.setInterval(0);
    EXPECT_THROW(RS232C_Command(*w, "OPL"), forms::WaitNeverEnds);
    EXPECT_EQ(w->serial.flg_RS232C_Busy, 0);
    EXPECT_FALSE(port->isOpen());
}

}  // namespace
}  // namespace morva::test
