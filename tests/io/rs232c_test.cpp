// The serial command transaction: framing, the reply cut, the 750 ms
// time-out, pieces, re-entry and a port that cannot be used.

#include "io/rs232c.h"

#include "io/remote_control.h"
#include "serial_fixture.h"

namespace morva::test {
namespace {

using Transaction = SerialTest;

TEST_F(Transaction, FramedCommandGetsTheReplyTextAndEndsWhenTheEtxArrives) {
    port->answer("OPL", "OK", 35);
    EXPECT_EQ(RS232C_Command(*w, "OPL"), "OK");
    ASSERT_EQ(port->writes().size(), 1u);
    EXPECT_EQ(port->writes()[0].bytes, kStx + "OPL" + kEtx);
    EXPECT_EQ(loop.nowMs(), 35) << "the transaction ends with the ETX, not with the time-out";
    EXPECT_EQ(w->serial.flg_RS232C_Reply, -1);
    EXPECT_EQ(w->serial.flg_RS232C_Busy, 0);
    EXPECT_FALSE(w->timer1.enabled());
    EXPECT_FALSE(port->isOpen()) << "the port is closed between transactions";
    EXPECT_EQ(port->openCount(), 1);
    EXPECT_EQ(port->discardCount(), 1);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(Transaction, ReplyWithoutTextIsNoResponceAndTheLineIsOnLine) {
    port->answerInPieces("OSP", {{10, kAck + kStx + kEtx}});
    EXPECT_EQ(w->proc.RS232C_Command("OSP"), "No Responce");
    EXPECT_EQ(w->serial.flg_RS232C_Reply, -1);
}

TEST_F(Transaction, RepliesTooShortToCutAreNoResponce) {
    for (const std::string& reply : {kEtx, kAck + kEtx}) {
        port->answerInPieces("OFF", {{5, reply}});
        w->serial.flg_RS232C_Reply = 0;
        EXPECT_EQ(RS232C_Command(*w, "OFF"), "No Responce") << forms::visibleSerialBytes(reply);
        EXPECT_EQ(w->serial.flg_RS232C_Reply, -1) << "characters did arrive";
    }
}

TEST_F(Transaction, SilentDeviceGivesOfflineAfterExactly750ms) {
    loop.runUntil(1000);
    w->serial.flg_RS232C_Reply = -1;
    EXPECT_EQ(RS232C_Command(*w, "ORW"), "Offline    ");
    EXPECT_EQ(loop.nowMs(), 1750);
    EXPECT_EQ(w->serial.flg_RS232C_Reply, 0);
    EXPECT_EQ(w->serial.flg_RS232C_Busy, 0);
    EXPECT_FALSE(w->timer1.enabled());
    EXPECT_FALSE(port->isOpen());
    EXPECT_TRUE(boxes().empty()) << "a silent recorder is off line, not a fault of the port";
}

TEST_F(Transaction, ReplyInPiecesIsJoinedUntilItsEtx) {
    port->answerInPieces("QDD:1", {{10, kAck}, {40, kStx + "DD1:"}, {300, "AB12"}, {700, "34" + kEtx}});
    EXPECT_EQ(RS232C_Command(*w, "QDD:1"), "DD1:AB1234");
    EXPECT_EQ(loop.nowMs(), 700);
    EXPECT_EQ(w->serial.flg_RS232C_Reply, -1);
}

TEST_F(Transaction, ReplyWhoseEtxComesAfterTheTimeOutIsOffline) {
    port->answerInPieces("OPL", {{100, kAck + kStx + "PLA"}, {800, "Y" + kEtx}});
    EXPECT_EQ(RS232C_Command(*w, "OPL"), "Offline    ");
    EXPECT_EQ(loop.nowMs(), 750);
    EXPECT_EQ(w->serial.flg_RS232C_Reply, 0);
    loop.runUntil(1000);  // the late piece falls on a closed port
    EXPECT_EQ(port->pending(), "");
}

TEST_F(Transaction, GarbageWithoutEtxTimesOut) {
    port->answerInPieces("OEJ", {{20, "\x7f\x11noise"}, {200, "more noise"}});
    EXPECT_EQ(RS232C_Command(*w, "OEJ"), "Offline    ");
    EXPECT_EQ(w->serial.flg_RS232C_Reply, 0);
}

TEST_F(Transaction, CharactersAfterTheEtxAreNotPartOfTheReply) {
    port->answerInPieces("OPL", {{20, kAck + kStx + "OK" + kEtx + kAck + kStx}});
    EXPECT_EQ(RS232C_Command(*w, "OPL"), "OK");
}

TEST_F(Transaction, StaleInputIsDiscardedBeforeTheCommandGoesOut) {
    std::string error;
    ASSERT_TRUE(port->open(error));
    port->arriveNow(kAck + kStx + "OLD" + kEtx);
    port->answer("OSP", "STOP", 30);
    EXPECT_EQ(RS232C_Command(*w, "OSP"), "STOP");
    EXPECT_EQ(port->openCount(), 1) << "an open port is used as it is";
}

TEST_F(Transaction, TransactionFromATimerWhileOneWaitsReturnsEmptyAndSendsNothing) {
    port->answer("QDD:1", "DD1:X1", 300);
    port->answer("OPL", "OK");
    SendPLAYcommand(*w, 100, 1);  // the PLAY timer falls due inside the wait
    EXPECT_EQ(RS232C_Command(*w, "QDD:1"), "DD1:X1");
    EXPECT_EQ(port->commands(), std::vector<std::string>{"QDD:1"});
    EXPECT_EQ(w->lbl_SendCommand.caption(), "OPL");
    EXPECT_EQ(w->lbl_RcvCommand.caption(), "");
    EXPECT_EQ(w->serial.PLAYcount, 1);
    EXPECT_FALSE(w->timer_SendPLAYcommand.enabled());
    EXPECT_EQ(w->serial.flg_RS232C_Busy, 0);
    // The line is free again afterwards.
    EXPECT_EQ(RS232C_Command(*w, "OPL"), "OK");
}

TEST(ReplyCut, TakesTheTextBetweenTheLeadingPairAndTheFirstEtx) {
    EXPECT_EQ(ReplyText("\x06\x02OK\x03"), "OK");
    EXPECT_EQ(ReplyText("xyOK\x03"), "OK") << "the two leading characters are not examined";
    EXPECT_EQ(ReplyText("\x06\x02OK\x03junk"), "OK");
    EXPECT_EQ(ReplyText("\x06\x02\x03"), "No Responce");
    EXPECT_EQ(ReplyText("\x06\x03"), "No Responce");
    EXPECT_EQ(ReplyText("\x03"), "No Responce");
    EXPECT_EQ(ReplyText(""), "No Responce");
}

// Noise on the line before the reply would otherwise become part of the
// text the operator sees and the drive query converts.
TEST(ReplyCut, NoiseBeforeTheReplyIsNotPartOfTheText) {
    EXPECT_EQ(ReplyText("\x7f\xfe?\x06\x02PLAY\x03"), "PLAY");
    EXPECT_EQ(ReplyText("zz\x06\x02\x06\x02"
                        "DD1:AB12\x03"),
              "DD1:AB12");
    EXPECT_EQ(ReplyText("noise\x06\x02\x03"), "No Responce");
    EXPECT_EQ(ReplyText("\x02OK\x03"), "K") << "without a leading character the old cut stays";
}

}  // namespace
}  // namespace morva::test
