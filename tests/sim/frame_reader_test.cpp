#include "sim/frame_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morva::sim {
namespace {

using Commands = std::vector<std::string>;

TEST(FrameReader, ReturnsTheTextBetweenStxAndEtx) {
    FrameReader reader;
    EXPECT_EQ(reader.feed("\x02OPL\x03"), Commands{"OPL"});
    EXPECT_FALSE(reader.inFrame());
    EXPECT_EQ(reader.feed("\x02\x03"), Commands{""});
}

TEST(FrameReader, JoinsAFrameThatArrivesByteByByte) {
    FrameReader reader;
    const std::string frame = "\x02$MS:B1:0138\x03";
    Commands all;
    for (char c : frame) {
        for (auto& command : reader.feed(std::string(1, c)))
            all.push_back(command);
        if (c != '\x03') {
            EXPECT_TRUE(all.empty());
        }
    }
    EXPECT_EQ(all, Commands{"$MS:B1:0138"});
}

TEST(FrameReader, IgnoresNoiseOutsideFramesAndRestartsOnANewStx) {
    FrameReader reader;
    EXPECT_EQ(reader.feed("junk\x03\r\n\x02OSP\x03tail"), Commands{"OSP"});
    // A frame cut off by a new STX is forgotten; only the complete one counts.
    EXPECT_EQ(reader.feed("\x02OP\x02ORW\x03"), Commands{"ORW"});
}

TEST(FrameReader, ReturnsEveryFrameOfOneReadInOrder) {
    FrameReader reader;
    EXPECT_EQ(reader.feed("\x02$MS:00:33\x03\x02OPL\x03\x02QDD"), (Commands{"$MS:00:33", "OPL"}));
    EXPECT_TRUE(reader.inFrame());
    EXPECT_EQ(reader.feed(":1\x03"), Commands{"QDD:1"});
}

TEST(FrameReader, DiscardsAnOverlongFrameAndTakesTheNextOne) {
    FrameReader reader;
    const std::string longest(FrameReader::kMaxCommandLength, 'A');
    EXPECT_EQ(reader.feed("\x02" + longest + "\x03"), Commands{longest});
    EXPECT_TRUE(reader.feed("\x02" + longest + "B\x03").empty());
    EXPECT_FALSE(reader.inFrame());
    EXPECT_EQ(reader.feed("\x02OEJ\x03"), Commands{"OEJ"});
}

}  // namespace
}  // namespace morva::sim
