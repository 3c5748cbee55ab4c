// The master-tape file as entries: reading, the old date form, the check
// sum, the name rules, the list lines, the view order and the rewrite.

#include "files/master_tape_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/numbers.h"
#include "files/text_file.h"

namespace morva {
namespace {

std::vector<std::string> entryLines(const std::string& tapeLine, const std::string& date,
                                    const std::string& pitch, const std::string& points,
                                    const std::string& sum, const std::string& data) {
    return {"",
            tapeLine,
            "  EntryDate = " + date,
            "  TrackPitch = " + pitch,
            "  nPoint = " + points,
            "  CheckSum = " + sum,
            "  Data = " + data};
}

std::vector<std::string> fileOf(std::vector<std::vector<std::string>> entries) {
    std::vector<std::string> lines = {"[MORVA Windows - MORVA MasterTape File] Ver.1.00", "nEntry = 9 "};
    for (auto& e : entries)
        lines.insert(lines.end(), e.begin(), e.end());
    return lines;
}

TEST(MasterTapeFile, EntriesAreRenumberedAndOldDatesRewrittenWithPaddedMonthAndDay) {
    const MasterTapeFile f = Parse_MasterTapeFile(fileOf({
        entryLines("Tape007_Name = A", "12-31-2005", "20", "3", "0.6", "0.1,0.2,0.3"),
        {"junk between entries", "[Section]"},
        entryLines("Tape002_Name = B", "1-5-2005", "10", "2", "0.0", "0.0,0.0"),
        entryLines("Tape099_Name = C", "2006-02-03", "10", "2", "0.0", "0.0,0.0"),
    }));
    ASSERT_EQ(f.entries.size(), 3u);
    EXPECT_TRUE(f.unreadable.empty());
    EXPECT_EQ(f.entries[0].EntryDate, "2005-12-31");
    EXPECT_EQ(f.entries[1].EntryDate, "2005-01-05");
    EXPECT_EQ(f.entries[2].EntryDate, "2006-02-03");
    EXPECT_EQ(Normalise_EntryDate("12-3-2005"), "2005-12-03");

    const std::vector<std::string> written = splitTextLines(MasterTapeFileText(f.header, f.entries));
    EXPECT_EQ(written[1], "nEntry = 3 ");
    EXPECT_EQ(written[3], "Tape000_Name = A");
    EXPECT_EQ(written[10], "Tape001_Name = B");
    EXPECT_EQ(written[17], "Tape002_Name = C");
    EXPECT_EQ(written[4], "  EntryDate = 2005-12-31");
    EXPECT_EQ(written.size(), 2u + 3 * 7);
}

TEST(MasterTapeFile, CutShortOrMisorderedEntriesAreReportedAndTheRestKept) {
    std::vector<std::string> swapped =
        entryLines("Tape001_Name = Swapped", "2020-01-01", "10", "2", "0.0", "0,0");
    std::swap(swapped[4], swapped[5]);  // CheckSum before nPoint
    std::vector<std::string> lines = fileOf({
        entryLines("Tape000_Name = Good", "2020-01-01", "10", "2", "0.3", "0.1,0.2"),
        swapped,
        {"", "Tape002_Name = Cut", "  EntryDate = 2020-01-01"},
        entryLines("Tape003_Name = After", "2020-01-02", "10", "2", "0.0", "0.0,0.0"),
        {"", "Tape004_Name = Last", "  EntryDate = 2020-01-01", "  TrackPitch = 10"},
    });
    const MasterTapeFile f = Parse_MasterTapeFile(lines);
    ASSERT_EQ(f.entries.size(), 2u);
    EXPECT_EQ(f.entries[0].Name, "Good");
    EXPECT_EQ(f.entries[1].Name, "After");
    ASSERT_EQ(f.unreadable.size(), 3u);
    EXPECT_NE(f.unreadable[0].find("Swapped"), std::string::npos);
    EXPECT_NE(f.unreadable[1].find("Cut"), std::string::npos);
    EXPECT_NE(f.unreadable[2].find("ends inside"), std::string::npos);
}

TEST(MasterTapeCheckSum, TheTrueSumIsAlwaysAcceptedAndASumOffByATenthAlwaysRefused) {
    std::mt19937 random(20240527);
    std::uniform_int_distribution<int> points(2, 41), tenths(-99, 99);
    for (int list = 0; list < 1000; ++list) {
        std::vector<std::string> typed;
        int64_t exact = 0;
        const int n = points(random);
        for (int i = 0; i < n; ++i) {
            const int t = tenths(random);
            exact += t;
            typed.push_back(formatFixed(t / 10.0, 1));
        }
        const std::string sum = formatFixed(static_cast<double>(exact) / 10.0, 1);
        ASSERT_TRUE(CheckSumMatches(typed, sum)) << "list " << list << " sum " << sum;
        ASSERT_FALSE(CheckSumMatches(typed, formatFixed((exact + 1) / 10.0, 1))) << "list " << list;
        ASSERT_FALSE(CheckSumMatches(typed, formatFixed((exact - 1) / 10.0, 1))) << "list " << list;
    }
    // Typed values are summed as typed: 1.04 + 2.04 = 3.08 gives 3.1; "3" equals 3.0.
    EXPECT_TRUE(CheckSumMatches({"1.04", "2.04"}, "3.1"));
    EXPECT_EQ(CheckSumTenths({"1.04", "2.04"}), 31);
    EXPECT_TRUE(CheckSumMatches({"1", "2", ""}, "3"));
    EXPECT_TRUE(CheckSumMatches({"1.5", "1.6"}, "3.1"));
}

TEST(MasterTapeNames, TypedNamesAreShortSingleLineAndUnique) {
    const std::vector<MasterTapeEntry> entries = {{"MT-1", "", "", "", "", ""}};
    EXPECT_FALSE(TapeNameProblem("MT-2", entries));
    EXPECT_FALSE(TapeNameProblem("マスターテープ一二三四五六七八", entries));  // 15 characters, 45 bytes
    EXPECT_TRUE(TapeNameProblem("マスターテープ一二三四五六七八九", entries));
    EXPECT_TRUE(TapeNameProblem("ABCDEFGHIJKLMNOP", entries));  // 16
    EXPECT_TRUE(TapeNameProblem("", entries));
    EXPECT_TRUE(TapeNameProblem("A\tB", entries));
    EXPECT_TRUE(TapeNameProblem("A\rB", entries));
    EXPECT_TRUE(TapeNameProblem("MT-1", entries));
}

TEST(MasterTapeList, ColumnsWidenToTheWidestValueAndTheViewSortsWithoutTouchingTheEntries) {
    const std::vector<MasterTapeEntry> entries = {
        {"B-short", "2024-02-01", "20", "21", "1.6", "0.0"},
        {"A-twenty-chars-name!", "2023-01-01", "10", "123", "-100.0", "1.0"},
        {"テープ", "2025-03-01", "7", "5", "1234.5", "2.0"},
    };
    const std::vector<std::string> lines = MasterTapeListLines(entries);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "B-short             \t2024-02-01   [ 20]\t 21pnts  (   1.6)\t0.0");
    EXPECT_EQ(lines[1], "A-twenty-chars-name!\t2023-01-01   [ 10]\t123pnts  (-100.0)\t1.0");
    EXPECT_EQ(lines[2], "テープ" + std::string(14, ' ') + "\t2025-03-01   [  7]\t  5pnts  (1234.5)\t2.0");
    EXPECT_EQ(displayWidth("ﾃｰﾌﾟ-テープ"), 11u);
    EXPECT_EQ(characterCount("ﾃｰﾌﾟ-テープ"), 8u);

    EXPECT_EQ(MasterTapeViewOrder(entries, 0), (std::vector<size_t>{2, 0, 1}));  // date descending
    EXPECT_EQ(MasterTapeViewOrder(entries, 1), (std::vector<size_t>{1, 0, 2}));
    EXPECT_EQ(MasterTapeViewOrder(entries, 2), (std::vector<size_t>{1, 0, 2}));  // name ascending
    EXPECT_EQ(MasterTapeViewOrder(entries, 3), (std::vector<size_t>{2, 0, 1}));
    EXPECT_EQ(MasterTapeViewOrder(entries, 4), (std::vector<size_t>{0, 1, 2}));  // original
}

TEST(MasterTapeFuzzEntry, OddBytesNeitherCrashNorLoseTheRoundTrip) {
    const std::vector<std::string> inputs = {
        "",
        "Tape",
        "Tape=\r\nTape=",
        "h\r\nTape000_Name = x\r\n  EntryDate = 1-\r\n  TrackPitch = \r\n  nPoint = \r\n  CheckSum = \r\n  "
        "Data = ",
        std::string("\xEF\xBB\xBFTape000_Name = \x82\xA0\n\n\n\n\n\n"),
        "x\nTape1 = a\r\r\n  EntryDate = 12-31-2005\n  TrackPitch = \n  nPoint = \n  CheckSum = \n  Data = "
        "\n",
    };
    for (const std::string& in : inputs)
        MasterTape_FuzzOne(reinterpret_cast<const uint8_t*>(in.data()), in.size());
    SUCCEED();
}

}  // namespace
}  // namespace morva
