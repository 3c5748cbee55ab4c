#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/numbers.h"
#include "files/text_file.h"

namespace morva {
namespace {

TEST(SplitKeyValue, KeyRunsToOneCharacterAfterTheFirstEquals) {
    KeyValue kv = splitKeyValue("nData_SensWF = 100");
    EXPECT_EQ(kv.key, "nData_SensWF = ");
    EXPECT_EQ(kv.value, "100");

    kv = splitKeyValue("Path_DataFile = /data/a = b ");
    EXPECT_EQ(kv.key, "Path_DataFile = ");
    EXPECT_EQ(kv.value, "/data/a = b ");  // later "=" and trailing blanks belong to the value

    kv = splitKeyValue(" AutoFileName_Year = 1");
    EXPECT_EQ(kv.key, " AutoFileName_Year = ");
    EXPECT_EQ(kv.value, "1");
}

TEST(SplitKeyValue, ALineWithoutBlanksAroundEqualsDoesNotGiveTheKey) {
    const KeyValue kv = splitKeyValue("nData_SensWF=100");
    EXPECT_EQ(kv.key, "nData_SensWF=1");
    EXPECT_EQ(kv.value, "00");
    EXPECT_NE(kv.key, "nData_SensWF = ");
}

TEST(SplitKeyValue, EqualsAtTheEndOfTheLine) {
    KeyValue kv = splitKeyValue("a =");
    EXPECT_EQ(kv.key, "a =");
    EXPECT_EQ(kv.value, "");

    kv = splitKeyValue("AD_Resolution2 = ");
    EXPECT_EQ(kv.key, "AD_Resolution2 = ");
    EXPECT_EQ(kv.value, "");

    kv = splitKeyValue("=");
    EXPECT_EQ(kv.key, "=");
    EXPECT_EQ(kv.value, "");
}

TEST(SplitKeyValue, LinesWithoutEqualsHaveNoKey) {
    for (const std::string line : {"", "[File]", "plain text"}) {
        const KeyValue kv = splitKeyValue(line);
        EXPECT_EQ(kv.key, "") << line;
        EXPECT_EQ(kv.value, line);
    }
}

TEST(SplitKeyValue, ValuesParseLenientlyAfterTheSplit) {
    EXPECT_EQ(toInt32(parseLeadingNumber(splitKeyValue("Thresh_ChkSensVal = 2.5").value)), 2);
    EXPECT_EQ(toInt32(parseLeadingNumber(splitKeyValue("Mask_SmoothLinWF = 3.5").value)), 4);
    // Only the first five characters of a six-digit interval.
    const std::string value = splitKeyValue("Interval_Timer_AD_TRG = 123456").value;
    EXPECT_EQ(toInt32(parseLeadingNumber(std::string_view(value).substr(0, 5))), 12345);
    // The print form a writer puts after the key reads back.
    EXPECT_EQ(parseLeadingNumber(splitKeyValue("PeakHoldTime = " + printForm(30)).value), 30);
    EXPECT_EQ(parseLeadingNumber(splitKeyValue("SensVal0 = " + printFormSingle(0.5f)).value), 0.5);
}

TEST(VersionLine, TakesTheTextFromTheFirstVer) {
    EXPECT_EQ(versionText("[MORVA Windows - MORVA Setting File] Ver.0.50"), "Ver.0.50");
    EXPECT_EQ(versionText("x Ver.1 Ver.2"), "Ver.1 Ver.2");
    EXPECT_EQ(versionLine("MORVA Parameters.dat", "[MORVA Parameters] Ver.1.2"),
              "MORVA Parameters.dat : Ver.1.2");
}

TEST(VersionLine, AHeaderWithoutVerIsTakenWhole) {
    EXPECT_EQ(versionText("[MORVA Parameters] version 3"), "[MORVA Parameters] version 3");
    EXPECT_EQ(versionLine("VTR Parameters.dat", "no version here"), "VTR Parameters.dat : no version here");
    EXPECT_EQ(versionLine("MORVA MasterTape.dat", ""), "MORVA MasterTape.dat : ");
}

TEST(LineReader, GivesTheLinesInOrderThenNothing) {
    LineReader reader({"first", "", "third"});
    EXPECT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.next(), "first");
    EXPECT_EQ(reader.lineNumber(), 1u);
    EXPECT_EQ(reader.next(), "");
    EXPECT_EQ(reader.next(), "third");
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.next(), std::nullopt);
    EXPECT_EQ(reader.next(), std::nullopt);
    EXPECT_EQ(reader.lineNumber(), 3u);

    LineReader empty({});
    EXPECT_TRUE(empty.atEnd());
    EXPECT_EQ(empty.next(), std::nullopt);
}

}  // namespace
}  // namespace morva
