// The drive tester's answers, in the forms the program's drive query reads:
// identity texts behind "DD1:" / "DD0:", the version as a padded text, and
// counters as hexadecimal digits after the 11 characters of the query.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/drive_counters.h"
#include "sim/vtr_simulator.h"

namespace morva::sim {
namespace {

// The reply text (between STX and ETX) of a command answered normally.
std::string replyText(VtrSimulator& simulator, const std::string& command) {
    const auto replies = simulator.receive("\x02" + command + "\x03");
    if (replies.size() != 1 || replies[0].pieces.size() != 1) return {};
    const std::string& frame = replies[0].pieces[0];
    if (frame.size() < 3 || frame[0] != '\x06' || frame[1] != '\x02' || frame.back() != '\x03') return {};
    return frame.substr(2, frame.size() - 3);
}

// Characters 12 onwards: the part the program converts.
std::string hexPart(const std::string& text) {
    return text.size() > 11 ? text.substr(11) : std::string();
}

unsigned long hexValue(const std::string& hex) {
    return std::stoul(hex, nullptr, 16);
}

bool allHexDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

TEST(DriveAnswers, CounterRepliesEchoTheQueryThenHexDigits) {
    VtrSimulator simulator(DriveIdentity{}, DriveCounters{}, 1);
    for (const std::string query :
         {"$MS:B1:013A", "$MS:B1:013B", "$MS:B1:013C", "$MS:B1:0138", "$MS:B1:0137"}) {
        const std::string text = replyText(simulator, query);
        EXPECT_EQ(text.substr(0, 11), query);
        EXPECT_TRUE(allHexDigits(hexPart(text))) << text;
    }
}

// The defaults make each reading of an hours counter happen: a plain 16-bit
// value, a 16-bit value that reads negative and needs the 65536 correction,
// and a value past 16 bits in eight digits.
TEST(DriveAnswers, DefaultHoursCountersTakeEachReadingPath) {
    VtrSimulator simulator(DriveIdentity{}, DriveCounters{}, 1);
    const std::string operation = hexPart(replyText(simulator, "$MS:B1:013A"));
    ASSERT_EQ(operation.size(), 4u);
    EXPECT_LT(hexValue(operation), 0x8000u);

    const std::string drumRun = hexPart(replyText(simulator, "$MS:B1:013B"));
    ASSERT_EQ(drumRun.size(), 4u);
    EXPECT_GE(hexValue(drumRun), 0x8000u);
    EXPECT_LE(hexValue(drumRun), 0xFFFEu);

    const std::string tensionOn = hexPart(replyText(simulator, "$MS:B1:013C"));
    ASSERT_EQ(tensionOn.size(), 8u);
    EXPECT_GT(hexValue(tensionOn), 0xFFFFu);
}

TEST(DriveAnswers, LoadingEjectAndHalfLoadComeAsThreeWordsOneOfThemAboveSignedRange) {
    DriveCounters counters;
    VtrSimulator simulator(DriveIdentity{}, counters, 1);
    const std::string hex = hexPart(replyText(simulator, "$MS:B1:0138"));
    ASSERT_EQ(hex.size(), 12u);
    EXPECT_EQ(hexValue(hex.substr(0, 4)), counters.loadingCount);
    EXPECT_EQ(hexValue(hex.substr(4, 4)), counters.ejectCount);
    EXPECT_EQ(hexValue(hex.substr(8, 4)), counters.halfLoadCount);
    EXPECT_GE(counters.ejectCount, 0x8000);
}

TEST(DriveAnswers, ClutchSolenoidCountIsTheFirstWordOfALongerRead) {
    DriveCounters counters;
    counters.clutchSolenoidCount = 0x1234;
    VtrSimulator simulator(DriveIdentity{}, counters, 1);
    const std::string hex = hexPart(replyText(simulator, "$MS:B1:0137"));
    ASSERT_GT(hex.size(), 4u);
    EXPECT_EQ(hex.substr(0, 4), "1234");
}

TEST(DriveAnswers, HoursCountersWidenToEightDigitsPastSixteenBits) {
    EXPECT_EQ(hoursCounterHex(0), "0000");
    EXPECT_EQ(hoursCounterHex(125), "007D");
    EXPECT_EQ(hoursCounterHex(0x8000), "8000");
    EXPECT_EQ(hoursCounterHex(0xFFFF), "FFFF");
    EXPECT_EQ(hoursCounterHex(0x10000), "00010000");
    EXPECT_EQ(hoursCounterHex(0xFFFFFFFF), "FFFFFFFF");
    EXPECT_EQ(hexWord(0xABC), "0ABC");
}

TEST(DriveAnswers, IdentityRepliesCarryTheConfiguredTexts) {
    DriveIdentity identity;
    identity.serial = "AB1234";
    identity.model = "X-9";
    identity.softwareVersion = "V10.02-beta";
    VtrSimulator simulator(identity, DriveCounters{}, 1);
    EXPECT_EQ(replyText(simulator, "QDD:1"), "DD1:AB1234");
    EXPECT_EQ(replyText(simulator, "QDD:0"), "DD0:X-9");
    // A version longer than its field is sent whole.
    EXPECT_EQ(replyText(simulator, "QRV:0"), "V10.02-beta");
}

// Each name sets its own counter: a swap would put a count in the wrong
// data-file key.
TEST(DriveAnswers, CountersAreSetByTheirDataFileNames) {
    DriveCounters counters;
    const char* names[] = {"Operation", "DumRun", "TensOn", "Loading", "CL_SOL", "Eject", "HalfLoad"};
    for (uint32_t i = 0; i < 7; ++i)
        EXPECT_TRUE(setCounter(counters, names[i], 0x100 + i)) << names[i];
    VtrSimulator simulator(DriveIdentity{}, counters, 1);
    EXPECT_EQ(hexPart(replyText(simulator, "$MS:B1:013A")), "0100");
    EXPECT_EQ(hexPart(replyText(simulator, "$MS:B1:013B")), "0101");
    EXPECT_EQ(hexPart(replyText(simulator, "$MS:B1:013C")), "0102");
    EXPECT_EQ(hexPart(replyText(simulator, "$MS:B1:0137")), "0104FFFF");
    EXPECT_EQ(hexPart(replyText(simulator, "$MS:B1:0138")), "010301050106");

    EXPECT_TRUE(setCounter(counters, "TensOn", 0xFFFFFFFF));
    EXPECT_FALSE(setCounter(counters, "HalfLoad", 0x10000));
    EXPECT_EQ(counters.halfLoadCount, 0x106);
    EXPECT_FALSE(setCounter(counters, "VEKO_Eject", 1));
    EXPECT_FALSE(setCounter(counters, "eject", 1));
}

}  // namespace
}  // namespace morva::sim
