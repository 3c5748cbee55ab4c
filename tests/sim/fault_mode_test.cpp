// How the line misbehaves in each fault mode.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "sim/vtr_simulator.h"

namespace morva::sim {
namespace {

VtrSimulator simulatorIn(FaultMode mode, uint32_t seed = 1) {
    VtrSimulator simulator(DriveIdentity{}, DriveCounters{}, seed);
    simulator.setFaultMode(mode);
    return simulator;
}

std::string joined(const Reply& reply) {
    std::string all;
    for (const auto& piece : reply.pieces)
        all += piece;
    return all;
}

TEST(FaultMode, NamesReadBackAndUnknownNamesAreRefused) {
    for (FaultMode mode :
         {FaultMode::None, FaultMode::Silent, FaultMode::Pieces, FaultMode::Garbage, FaultMode::Drop,
          FaultMode::Empty, FaultMode::Short, FaultMode::Bytes, FaultMode::Partial, FaultMode::Noisy}) {
        EXPECT_EQ(parseFaultMode(faultModeName(mode)), mode);
    }
    EXPECT_FALSE(parseFaultMode("Silent").has_value());
    EXPECT_FALSE(parseFaultMode("").has_value());
}

TEST(FaultMode, SilentLineNeitherAnswersNorPassesTheCommandOn) {
    VtrSimulator simulator = simulatorIn(FaultMode::Silent);
    const auto replies = simulator.receive("\x02OEJ\x03");
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_TRUE(replies[0].pieces.empty());
    EXPECT_FALSE(replies[0].dropLine);
    EXPECT_TRUE(simulator.tapeLoaded());
}

TEST(FaultMode, DroppedLineLosesTheCommand) {
    VtrSimulator simulator = simulatorIn(FaultMode::Drop);
    const auto replies = simulator.receive("\x02OEJ\x03");
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_TRUE(replies[0].dropLine);
    EXPECT_TRUE(replies[0].pieces.empty());
    EXPECT_TRUE(simulator.tapeLoaded());
}

TEST(FaultMode, PiecesJoinToTheNormalFrameWithTheEtxOnlyAtTheEnd) {
    VtrSimulator simulator = simulatorIn(FaultMode::Pieces);
    std::set<std::size_t> counts;
    for (int i = 0; i < 40; ++i) {
        const auto reply = simulator.answer("$MS:B1:0138");
        ASSERT_GE(reply.pieces.size(), 2u);
        ASSERT_LE(reply.pieces.size(), 4u);
        counts.insert(reply.pieces.size());
        EXPECT_EQ(joined(reply), "\x06\x02$MS:B1:013804D288B8000A\x03");
        for (std::size_t p = 0; p < reply.pieces.size(); ++p) {
            EXPECT_FALSE(reply.pieces[p].empty());
            EXPECT_EQ(reply.pieces[p].find('\x03') != std::string::npos, p + 1 == reply.pieces.size());
        }
    }
    EXPECT_GT(counts.size(), 1u) << "the number of pieces never varies";
    // The shortest frame, ACK STX ETX, still comes in pieces.
    simulator.setFaultMode(FaultMode::Pieces);
    EXPECT_GE(simulator.answer("OPL").pieces.size(), 2u);
    EXPECT_EQ(simulator.transport(), Transport::Play);
}

// The reply byte by byte, the reply without its end, and noise before it:
// the command is carried out each time.
TEST(FaultMode, BytesPartialAndNoisyRepliesAreTheNormalFrameMisdelivered) {
    const std::string frame = "\x06\x02$MS:B1:013804D288B8000A\x03";
    VtrSimulator simulator = simulatorIn(FaultMode::Bytes);
    Reply reply = simulator.answer("$MS:B1:0138");
    EXPECT_EQ(reply.pieces.size(), frame.size());
    EXPECT_EQ(joined(reply), frame);

    simulator.setFaultMode(FaultMode::Partial);
    reply = simulator.answer("OPL");
    EXPECT_EQ(joined(reply), "\x06\x02PLAY");
    EXPECT_EQ(simulator.transport(), Transport::Play);

    simulator.setFaultMode(FaultMode::Noisy);
    reply = simulator.answer("$MS:B1:0138");
    ASSERT_EQ(reply.pieces.size(), 2u);
    EXPECT_EQ(reply.pieces[0].find_first_of("\x02\x03"), std::string::npos);
    EXPECT_GE(reply.pieces[0].size(), 8u);
    EXPECT_EQ(reply.pieces[1], frame);
}

TEST(FaultMode, TheSameSeedCutsTheSamePieces) {
    VtrSimulator first = simulatorIn(FaultMode::Pieces, 42);
    VtrSimulator second = simulatorIn(FaultMode::Pieces, 42);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(first.answer("QDD:1").pieces, second.answer("QDD:1").pieces);
}

TEST(FaultMode, GarbageHasNoFrameButTheCommandIsCarriedOut) {
    VtrSimulator simulator = simulatorIn(FaultMode::Garbage, 7);
    std::set<std::string> seen;
    for (int i = 0; i < 20; ++i) {
        const auto reply = simulator.answer("OEJ");
        ASSERT_EQ(reply.pieces.size(), 1u);
        const std::string& noise = reply.pieces[0];
        EXPECT_GE(noise.size(), 8u);
        EXPECT_LE(noise.size(), 24u);
        EXPECT_EQ(noise.find_first_of("\x02\x03"), std::string::npos);
        seen.insert(noise);
    }
    EXPECT_GT(seen.size(), 1u);
    EXPECT_EQ(simulator.transport(), Transport::Eject);
    VtrSimulator other = simulatorIn(FaultMode::Garbage, 8);
    EXPECT_NE(other.answer("OEJ").pieces, simulatorIn(FaultMode::Garbage, 7).answer("OEJ").pieces);
}

TEST(FaultMode, EmptyAndShortRepliesStillCarryOutTheCommand) {
    VtrSimulator simulator = simulatorIn(FaultMode::Empty);
    EXPECT_EQ(simulator.answer("OPL").pieces, std::vector<std::string>{"\x06\x02\x03"});
    EXPECT_EQ(simulator.transport(), Transport::Play);
    simulator.setFaultMode(FaultMode::Short);
    EXPECT_EQ(simulator.answer("OSP").pieces, std::vector<std::string>{"\x03"});
    EXPECT_EQ(simulator.transport(), Transport::Stop);
    simulator.setFaultMode(FaultMode::None);
    EXPECT_EQ(simulator.answer("ORW").pieces, std::vector<std::string>{"\x06\x02REW\x03"});
}

}  // namespace
}  // namespace morva::sim
