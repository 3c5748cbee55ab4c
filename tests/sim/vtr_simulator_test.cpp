// The command table and the transport state the recorder reports.

#include "sim/vtr_simulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <string>
#include <vector>

namespace morva::sim {
namespace {

using std::chrono::milliseconds;
using std::chrono::minutes;
using std::chrono::seconds;

VtrSimulator freshSimulator() {
    return VtrSimulator(DriveIdentity{}, DriveCounters{}, 1);
}

// The single reply frame the simulator sends for a command.
std::string replyTo(VtrSimulator& simulator, const std::string& command) {
    const auto replies = simulator.receive("\x02" + command + "\x03");
    if (replies.size() != 1 || replies[0].pieces.size() != 1) return "<no single reply>";
    return replies[0].pieces[0];
}

std::string ack(const std::string& text) {
    return "\x06\x02" + text + "\x03";
}

struct CommandCase {
    std::string command;
    std::string text;
};

TEST(VtrSimulator, AnswersEveryCommandOfTheProgramWithAckStxTextEtx) {
    const std::vector<CommandCase> cases = {
        {"OPL", "PLAY"},
        {"OSP", "STOP"},
        {"OFF", "OFF"},
        {"ORW", "REW"},
        {"OEJ", "EJECT"},
        {"$MS:00:30", "STOP MODE30"},
        {"$MS:00:32", "STOP MODE32"},
        {"$MS:00:33", "STOP MODE33"},
        {"QDD:1", "DD1:VS40217"},
        {"QDD:0", "DD0:VDT-5100"},
        {"QRV:0", "V2.13   "},
        {"$MS:B1:013A", "$MS:B1:013A3039"},
        {"$MS:B1:013B", "$MS:B1:013B9C40"},
        {"$MS:B1:013C", "$MS:B1:013C000186A0"},
        {"$MS:B1:0138", "$MS:B1:013804D288B8000A"},
        {"$MS:B1:0137", "$MS:B1:013700C8FFFF"},
    };
    for (const auto& c : cases) {
        VtrSimulator simulator = freshSimulator();
        EXPECT_EQ(replyTo(simulator, c.command), ack(c.text)) << c.command;
    }
}

TEST(VtrSimulator, RefusesUnknownCommandsWithNakAndKeepsItsState) {
    VtrSimulator simulator = freshSimulator();
    simulator.receive("\x02OPL\x03");
    for (const char* command : {"opl", "OPL ", "", "QDD:2", "QRV:1", "$MS:B1:0139", "$MS:B1:013", "$MS:00:3G",
                                "$MS:00:300", "$MS:01:30"}) {
        EXPECT_EQ(replyTo(simulator, command), "\x15\x02NG\x03") << command;
    }
    EXPECT_EQ(simulator.transport(), Transport::Play);
    EXPECT_EQ(simulator.driveMode(), 0);
}

TEST(VtrSimulator, EjectAndPlayUnloadAndReloadTheTapeAndCountIt) {
    VtrSimulator simulator = freshSimulator();
    EXPECT_EQ(replyTo(simulator, "OEJ"), ack("EJECT"));
    EXPECT_FALSE(simulator.tapeLoaded());
    EXPECT_EQ(replyTo(simulator, "OEJ"), ack("EJECT"));  // nothing left to eject
    // Without a tape, stop and rewind leave the drive empty.
    EXPECT_EQ(replyTo(simulator, "OSP"), ack("EJECT"));
    EXPECT_EQ(replyTo(simulator, "ORW"), ack("EJECT"));
    EXPECT_EQ(simulator.counters().ejectCount, 35001);
    EXPECT_EQ(replyTo(simulator, "OPL"), ack("PLAY"));
    EXPECT_TRUE(simulator.tapeLoaded());
    EXPECT_EQ(replyTo(simulator, "OPL"), ack("PLAY"));
    EXPECT_EQ(simulator.counters().loadingCount, 1235);
    EXPECT_EQ(replyTo(simulator, "$MS:B1:0138"), ack("$MS:B1:013804D388B9000A"));
}

TEST(VtrSimulator, OffRemembersTheTapeAndClearsTheDriveMode) {
    VtrSimulator simulator = freshSimulator();
    EXPECT_EQ(replyTo(simulator, "$MS:00:33"), ack("STOP MODE33"));
    EXPECT_EQ(replyTo(simulator, "OPL"), ack("PLAY MODE33"));
    EXPECT_EQ(replyTo(simulator, "OFF"), ack("OFF"));
    EXPECT_EQ(simulator.driveMode(), 0);
    EXPECT_EQ(replyTo(simulator, "OSP"), ack("STOP"));
    EXPECT_EQ(replyTo(simulator, "$MS:00:30"), ack("STOP MODE30"));
    EXPECT_EQ(replyTo(simulator, "$MS:00:00"), ack("STOP"));
    EXPECT_EQ(replyTo(simulator, "$MS:00:a5"), ack("STOP MODEA5"));
}

TEST(VtrSimulator, EventCountersWrapAtSixteenBits) {
    DriveCounters counters;
    counters.ejectCount = 0xFFFF;
    VtrSimulator simulator(DriveIdentity{}, counters, 1);
    simulator.receive("\x02OEJ\x03");
    EXPECT_EQ(simulator.counters().ejectCount, 0);
    EXPECT_EQ(replyTo(simulator, "$MS:B1:0138"), ack("$MS:B1:013804D20000000A"));
}

TEST(VtrSimulator, HoursCountersCountTheMinutesOfTheirStates) {
    VtrSimulator simulator = freshSimulator();
    const DriveCounters start = simulator.counters();
    // Stopped: powered, drum and tension idle. Half minutes carry over.
    simulator.advanceTime(seconds(30));
    simulator.advanceTime(seconds(45));
    EXPECT_EQ(simulator.counters().operationMinutes, start.operationMinutes + 1);
    EXPECT_EQ(simulator.counters().drumRunMinutes, start.drumRunMinutes);
    EXPECT_EQ(simulator.counters().tensionOnMinutes, start.tensionOnMinutes);
    // 15 s left over from stop + 45 s of play make the second operation minute.
    simulator.receive("\x02OPL\x03");
    simulator.advanceTime(seconds(45));
    EXPECT_EQ(simulator.counters().operationMinutes, start.operationMinutes + 2);
    EXPECT_EQ(simulator.counters().drumRunMinutes, start.drumRunMinutes);
    simulator.advanceTime(seconds(15));
    EXPECT_EQ(simulator.counters().drumRunMinutes, start.drumRunMinutes + 1);
    EXPECT_EQ(simulator.counters().tensionOnMinutes, start.tensionOnMinutes + 1);
    simulator.receive("\x02ORW\x03");
    simulator.advanceTime(minutes(2));
    EXPECT_EQ(simulator.counters().drumRunMinutes, start.drumRunMinutes + 1);
    EXPECT_EQ(simulator.counters().tensionOnMinutes, start.tensionOnMinutes + 3);
    simulator.receive("\x02OFF\x03");
    simulator.advanceTime(minutes(10));
    EXPECT_EQ(simulator.counters().operationMinutes, start.operationMinutes + 4);
    simulator.advanceTime(milliseconds(-5000));  // a clock going back changes nothing
    EXPECT_EQ(simulator.counters().operationMinutes, start.operationMinutes + 4);
}

TEST(VtrSimulator, HoursCountersStopAtTheirLargestValue) {
    DriveCounters counters;
    counters.operationMinutes = std::numeric_limits<uint32_t>::max() - 1;
    VtrSimulator simulator(DriveIdentity{}, counters, 1);
    simulator.advanceTime(minutes(5));
    EXPECT_EQ(simulator.counters().operationMinutes, std::numeric_limits<uint32_t>::max());
    EXPECT_EQ(replyTo(simulator, "$MS:B1:013A"), ack("$MS:B1:013AFFFFFFFF"));
}

TEST(VtrSimulator, ANewLineForgetsAFrameCutOffByTheOldOne) {
    VtrSimulator simulator = freshSimulator();
    EXPECT_TRUE(simulator.receive("\x02OE").empty());
    simulator.resetLine();
    EXPECT_TRUE(simulator.receive("J\x03").empty());
    EXPECT_TRUE(simulator.tapeLoaded());
}

}  // namespace
}  // namespace morva::sim
