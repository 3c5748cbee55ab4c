// The drive-tester query: the order of the eight queries, and the
// conversions of identity, version, hours counters and counts.

#include "io/drive_tester.h"

#include "serial_fixture.h"

namespace morva::test {
namespace {

// A counter reply: 11 characters the program does not examine, then the hex part.
std::string counterReply(const std::string& hex) {
    return "MS:B1:0000=" + hex;
}

TEST(DriveTesterConversion, IdentityLosesItsPrefixOrPassesWhole) {
    EXPECT_EQ(IdentityEntry("DD1:AB1234", "DD1:"), "AB1234");
    EXPECT_EQ(IdentityEntry("  DD0:VDT-5100 ", "DD0:"), "VDT-5100");
    EXPECT_EQ(IdentityEntry("AB1234", "DD1:"), "AB1234");
    EXPECT_EQ(IdentityEntry("DD0:X", "DD1:"), "DD0:X") << "the other query's prefix is not removed";
    EXPECT_EQ(IdentityEntry("Offline    ", "DD1:"), "Offline");
    EXPECT_EQ(IdentityEntry("No Responce", "DD0:"), "No Responce");
    EXPECT_EQ(IdentityEntry("DD1:", "DD1:"), "");
    EXPECT_EQ(TrimBlanks("  V2.13  "), "V2.13");
    EXPECT_EQ(TrimBlanks("   "), "");
}

TEST(DriveTesterConversion, HexPartStartsAtTheTwelfthCharacter) {
    EXPECT_EQ(CounterHex("12345678901ABCD"), "ABCD");
    EXPECT_EQ(CounterHex("Offline    "), "");
    EXPECT_EQ(CounterHex("No Responce"), "");
    EXPECT_EQ(CounterHex(""), "");
}

TEST(DriveTesterConversion, HexValueReadsUpToFourDigitsAsSixteenBitsAndMoreAsThirtyTwo) {
    EXPECT_EQ(HexValue(""), 0);
    EXPECT_EQ(HexValue("XYZ"), 0);
    EXPECT_EQ(HexValue("7D"), 125);
    EXPECT_EQ(HexValue("7fff"), 32767);
    EXPECT_EQ(HexValue("8000"), -32768);
    EXPECT_EQ(HexValue("FFFF"), -1);
    EXPECT_EQ(HexValue("000186A0"), 100000);
    EXPECT_EQ(HexValue("0000FFFF"), 65535);
    EXPECT_EQ(HexValue("FFFFFFFF"), -1);
    EXPECT_EQ(HexValue("12G4"), 0x12) << "reading stops at the first non-hexadecimal character";
}

TEST(DriveTesterConversion, HoursCounterShowsMinutesAndHours) {
    EXPECT_EQ(HoursCounterEntry(counterReply("007D")), "125min (2.1Hr)");
    EXPECT_EQ(HoursCounterEntry(counterReply("8000")), "32768min (546.1Hr)");
    EXPECT_EQ(HoursCounterEntry(counterReply("9C40")), "40000min (666.7Hr)");
    EXPECT_EQ(HoursCounterEntry(counterReply("000186A0")), "100000min (1666.7Hr)");
    EXPECT_EQ(HoursCounterEntry(counterReply("FFFF")), "-1min (0.0Hr)");
    EXPECT_EQ(HoursCounterEntry(counterReply("000000001")), "-1min (0.0Hr)") << "more than 8 digits";
    EXPECT_EQ(HoursCounterEntry("Offline    "), "0min (0.0Hr)");
}

TEST(DriveTesterConversion, ThreeCountsComeFromTwelveOrFourDigits) {
    EXPECT_EQ(ThreeCounts(counterReply("000A00140001")), (std::array<int32_t, 3>{10, 20, 1}));
    EXPECT_EQ(ThreeCounts(counterReply("FFFE88B8FFFF")), (std::array<int32_t, 3>{65534, 35000, -1}));
    EXPECT_EQ(ThreeCounts(counterReply("04D2")), (std::array<int32_t, 3>{1234, -1, -1}));
    EXPECT_EQ(ThreeCounts(counterReply("000A0014")), (std::array<int32_t, 3>{-1, -1, -1}));
    EXPECT_EQ(ThreeCounts(counterReply("000A001400011")), (std::array<int32_t, 3>{-1, -1, -1}));
    EXPECT_EQ(ThreeCounts("Offline    "), (std::array<int32_t, 3>{-1, -1, -1}));
}

TEST(DriveTesterConversion, SingleCountReadsOnlyTheFirstFourDigits) {
    EXPECT_EQ(SingleCount(counterReply("00C8FFFF")), 200);
    EXPECT_EQ(SingleCount(counterReply("C8")), 200);
    EXPECT_EQ(SingleCount(counterReply("8000")), 32768) << "a count past 32767 is not negative";
    EXPECT_EQ(SingleCount(counterReply("FFFF")), -1);
    EXPECT_EQ(SingleCount("No Responce"), 0);
}

using DriveQuery = SerialTest;

TEST_F(DriveQuery, AsksTheEightQueriesInOrderAndFillsTheTenTexts) {
    port->answer("QDD:1", "DD1:AB1234");
    port->answer("QDD:0", "DD0:VDT-5100");
    port->answer("QRV:0", " V2.13 ");
    port->answer("$MS:B1:013A", counterReply("3039"));
    port->answer("$MS:B1:013B", counterReply("9C40"));
    port->answer("$MS:B1:013C", counterReply("000186A0"));
    port->answer("$MS:B1:0138", counterReply("04D288B8000A"));
    port->answer("$MS:B1:0137", counterReply("00C8FFFF"));
    w->lbl_SendCommand.setCaption("before");
    w->lbl_RcvCommand.setCaption("before");

    w->proc.GetDriveInfo_VEKO();

    EXPECT_EQ(port->commands(),
              (std::vector<std::string>{"QDD:1", "QDD:0", "QRV:0", "$MS:B1:013A", "$MS:B1:013B",
                                        "$MS:B1:013C", "$MS:B1:0138", "$MS:B1:0137"}));
    const std::array<std::string, 10> expected = {"AB1234",
                                                  "VDT-5100",
                                                  "V2.13",
                                                  "12345min (205.8Hr)",
                                                  "40000min (666.7Hr)",
                                                  "100000min (1666.7Hr)",
                                                  "1234",
                                                  "200",
                                                  "35000",
                                                  "10"};
    EXPECT_EQ(w->st.VEKO_Info, expected);
    EXPECT_EQ(w->lbl_SendCommand.caption(), "before") << "the drive query is not shown";
    EXPECT_EQ(w->lbl_RcvCommand.caption(), "before");
    EXPECT_EQ(w->serial.flg_RS232C_Reply, -1);
}

TEST_F(DriveQuery, SilentDeviceGivesOfflineTextsAndEmptyCounters) {
    w->st.VEKO_Info.fill("old");
    GetDriveInfo_VEKO(*w);
    const std::array<std::string, 10> expected = {
        "Offline",      "Offline", "Offline", "0min (0.0Hr)", "0min (0.0Hr)",
        "0min (0.0Hr)", "-1",      "0",       "-1",           "-1"};
    EXPECT_EQ(w->st.VEKO_Info, expected);
    EXPECT_EQ(loop.nowMs(), 8 * 750);
    EXPECT_EQ(w->serial.flg_RS232C_Reply, 0);
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(DriveQuery, UnpluggedPortGivesTheSameTextsAndOneMessage) {
    port->failOpen("No such file or directory");
    GetDriveInfo_VEKO(*w);
    EXPECT_EQ(w->st.VEKO_Info[0], "Offline");
    EXPECT_EQ(w->st.VEKO_Info[6], "-1");
    EXPECT_EQ(dialogs.shown().size(), 1u);
}

}  // namespace
}  // namespace morva::test
