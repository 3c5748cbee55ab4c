#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/text_file.h"
#include "temp_folder.h"

namespace morva {
namespace {

using Lines = std::vector<std::string>;

class TextLines : public test::TempFolderTest {
  protected:
    std::optional<Lines> read(std::string_view bytes) { return readTextLines(writeBytes("f.dat", bytes)); }
};

TEST_F(TextLines, AcceptsCrLfAndLfEndings) {
    EXPECT_EQ(read("a\r\nb\r\n"), Lines({"a", "b"}));
    EXPECT_EQ(read("a\nb\n"), Lines({"a", "b"}));
    EXPECT_EQ(read("a\r\nb\nc\r\n"), Lines({"a", "b", "c"}));
    EXPECT_EQ(read("a\r\n\r\n\nb"), Lines({"a", "", "", "b"}));
}

TEST_F(TextLines, ALastLineWithoutEndingStillCountsAndNoEmptyLineFollowsAnEnding) {
    EXPECT_EQ(read("a\r\nlast"), Lines({"a", "last"}));
    EXPECT_EQ(read("only"), Lines({"only"}));
    EXPECT_EQ(read("a\r\n"), Lines({"a"}));
    EXPECT_EQ(read("\r\n"), Lines({""}));
    EXPECT_EQ(read("a\r"), Lines({"a"}));  // CR LF cut short at the end
    EXPECT_EQ(read(""), Lines());
}

// Files saved by old editors end their lines with CR alone; read as one
// line, such a settings file would look empty of keys.
TEST_F(TextLines, ALoneCrEndsALineAndTrailingBlanksStay) {
    EXPECT_EQ(read("a\rb\r\n"), Lines({"a", "b"}));
    EXPECT_EQ(read("Ver.1\rTop = 5\rLeft = 6\r"), Lines({"Ver.1", "Top = 5", "Left = 6"}));
    EXPECT_EQ(read("a\r\rb"), Lines({"a", "", "b"}));
    EXPECT_EQ(read("a\n\rb"), Lines({"a", "", "b"}));  // LF CR is two endings
    EXPECT_EQ(read("Path_DataFile = /d/ \r\n"), Lines({"Path_DataFile = /d/ "}));
}

// One legacy byte garbles only its own line: the other lines stay UTF-8.
TEST_F(TextLines, EachLineIsDecodedOnItsOwn) {
    EXPECT_EQ(read("Language = \xE6\x97\xA5\xE6\x9C\xAC\r\nComment = \x93\xFA\r\nName = \xC3\xA9\r\n"),
              Lines({"Language = 日本", "Comment = 日", "Name = é"}));
}

// Reading a FIFO would wait for a writer forever, /dev/zero never ends, and
// a huge file would fill the memory: only regular files within the size
// limit are read.
TEST_F(TextLines, OnlyRegularFilesWithinTheSizeLimitAreRead) {
    ASSERT_EQ(::mkfifo(path("fifo.dat").c_str(), 0600), 0);
    EXPECT_EQ(readTextLines(path("fifo.dat")), std::nullopt);
    EXPECT_EQ(readTextLines("/dev/zero"), std::nullopt);
    EXPECT_EQ(readTextLines(folder_), std::nullopt);
    writeBytes("big.dat", "x");
    std::filesystem::resize_file(path("big.dat"), kMaxTextFileBytes + 1);  // sparse, costs no disk
    EXPECT_EQ(readTextLines(path("big.dat")), std::nullopt);
    std::filesystem::resize_file(path("big.dat"), 3);
    EXPECT_EQ(readTextLines(path("big.dat")), Lines({std::string("x\0\0", 3)}));
}

TEST_F(TextLines, StripsTheUtf8ByteOrderMark) {
    EXPECT_EQ(read("\xEF\xBB\xBFVer.1\r\nx\r\n"), Lines({"Ver.1", "x"}));
    EXPECT_EQ(read("\xEF\xBB\xBF"), Lines());
    // Only at the start of the file.
    EXPECT_EQ(read("a\r\n\xEF\xBB\xBF"
                   "b"),
              Lines({"a",
                     "\xEF\xBB\xBF"
                     "b"}));
}

TEST_F(TextLines, KeepsUtf8Text) {
    EXPECT_EQ(read("Comment = \xE6\x97\xA5\xE6\x9C\xAC\r\n"), Lines({"Comment = 日本"}));
}

TEST_F(TextLines, DecodesLegacyCp932Files) {
    // "日本" in the Japanese Windows code page, with a backslash path that must stay a backslash.
    EXPECT_EQ(read("Comment = \x93\xFA\x96\x7B\r\nPath = C:\\MORVA\\\r\n"),
              Lines({"Comment = 日本", "Path = C:\\MORVA\\"}));
    // Half-width katakana are single bytes in CP932.
    EXPECT_EQ(read("\xB1\xB2\r\n"), Lines({"ｱｲ"}));
}

TEST_F(TextLines, BytesThatAreNoCp932CharacterBecomeAQuestionMarkAndTheLineGoesOn) {
    EXPECT_EQ(read("a\x80z \x93\xFA\r\nnext\r\n"), Lines({"a?z 日", "next"}));
    // A lead byte cut off by the line end loses only itself.
    EXPECT_EQ(read("x = \x93\r\nComment = \x96\x7B\r\n"), Lines({"x = ?", "Comment = 本"}));
    // A lead byte at the very end of the file.
    EXPECT_EQ(read("\x93\xFA\x96"), Lines({"日?"}));
}

TEST_F(TextLines, AFileThatCannotBeReadGivesNothing) {
    EXPECT_EQ(readTextLines(path("missing.dat")), std::nullopt);
    EXPECT_EQ(readTextLines(folder_), std::nullopt);
}

TEST(Utf8Check, AcceptsWellFormedText) {
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("plain ASCII = 1"));
    EXPECT_TRUE(isValidUtf8("\xC2\xA9 \xE6\x97\xA5 \xF0\x9F\x98\x80 \xEF\xBF\xBF \xF4\x8F\xBF\xBF"));
}

TEST(Utf8Check, RejectsMalformedSequences) {
    for (const std::string bytes : {
             "\x80",              // continuation without lead
             "\xC0\x80",          // overlong NUL
             "\xC1\xBF",          // overlong
             "\xE0\x9F\xBF",      // overlong three-byte
             "\xED\xA0\x80",      // surrogate
             "\xF0\x8F\xBF\xBF",  // overlong four-byte
             "\xF4\x90\x80\x80",  // past U+10FFFF
             "\xF5\x80\x80\x80",  // lead byte never used
             "\xE6\x97",          // cut short
             "\xE6\x97x",         // continuation missing
             "\x93\xFA\x96\x7B",  // CP932
         }) {
        EXPECT_FALSE(isValidUtf8(bytes)) << ::testing::PrintToString(bytes);
    }
}

TEST(LegacyText, Utf8PassesUnchangedAndCp932IsConverted) {
    EXPECT_EQ(decodeLegacyText("\xE6\x97\xA5"), "\xE6\x97\xA5");
    EXPECT_EQ(decodeLegacyText("\x93\xFA\x96\x7B"), "日本");
    EXPECT_EQ(decodeLegacyText(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

}  // namespace
}  // namespace morva
