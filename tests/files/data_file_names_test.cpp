// File names built from operator text, and a folder the program may not write to.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "files/file_names.h"
#include "files/text_file.h"
#include "tests/files/data_file_fixture.h"

namespace morva::test {
namespace {

TEST(SafeFileName, KeepsEveryNameInsideItsFolderVisibleAndShort) {
    EXPECT_EQ(SafeFileName("../x", ".Morva_A"), "_x.Morva_A");
    EXPECT_EQ(SafeFileName("a/b\\c:d*e?f\"g<h>i|j", ".Morva_A"), "a_b_c_d_e_f_g_h_i_j.Morva_A");
    EXPECT_EQ(SafeFileName(std::string("a\rb\nc\0d\x7F", 8), ".Morva_A"), "a_b_c_d_.Morva_A");
    EXPECT_EQ(SafeFileName("  ..hidden. ", ".Morva_A"), "hidden..Morva_A");
    EXPECT_EQ(SafeFileName(" . .. ", ".Morva_A"), "NoName.Morva_A");
    EXPECT_EQ(SafeFileName("", ".Morva_A"), "NoName.Morva_A");
    EXPECT_EQ(SafeFileName("a", ".Morva_B/../x. "), "a.Morva_B_.._x");
    EXPECT_EQ(SafeFileName("caf\xC3\xA9 \xFF\xC3", ".M"), "caf\xC3\xA9 __.M");

    std::string kanji;
    for (int i = 0; i < 100; ++i)
        kanji += "漢";  // 300 bytes
    const std::string name = SafeFileName(kanji, ".Morva_210");
    EXPECT_LE(name.size(), kMaxFileNameBytes);
    EXPECT_TRUE(isValidUtf8(name));
    EXPECT_TRUE(name.ends_with(".Morva_210"));
    EXPECT_EQ(name.size(), 81 * 3 + 10u);

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("morva-names-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name).put('x');
    const std::string second = UnusedFileName(folder, name, ".Morva_210");
    EXPECT_LE(second.size(), kMaxFileNameBytes);
    EXPECT_TRUE(isValidUtf8(second));
    EXPECT_TRUE(second.ends_with("_2.Morva_210"));
    std::filesystem::remove_all(folder);

    EXPECT_TRUE(IsPlainFileName("a.Morva_A"));
    for (const char* bad : {"", ".", "..", "a/b", "../a"})
        EXPECT_FALSE(IsPlainFileName(bad)) << bad;
}

TEST_F(DataFileTest, SerialsNeverTakeTheAutomaticSaveOutOfTheFolder) {
    std::string kanji;
    for (int i = 0; i < 100; ++i)
        kanji += "漢";
    const std::string serials[] = {"../x", "a/b", "CR\rLF\n", std::string("NUL\0x", 5), kanji, "..", "/"};
    int expectedFiles = 0;
    for (const std::string& serial : serials) {
        w->lbl_MsrInfo(0).setCaption(serial);
        w->proc.Make_AutoFileName();
        const std::string name = w->st.DataFileName;
        EXPECT_TRUE(IsPlainFileName(name)) << name;
        EXPECT_TRUE(isValidUtf8(name)) << name;
        EXPECT_LE(name.size(), kMaxFileNameBytes);
        EXPECT_NE(name.front(), '.') << name;
        w->proc.Write_DataFile();
        ++expectedFiles;
        EXPECT_TRUE(std::filesystem::is_regular_file(folder_ / name)) << name;
    }
    // Every file is in the folder, none elsewhere.
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_)) {
        EXPECT_EQ(entry.path().parent_path(), folder_);
        ++files;
    }
    EXPECT_EQ(files, expectedFiles);
    EXPECT_TRUE(dialogs.shown().empty());

    // The same serial again: "_2", the first file untouched.
    w->lbl_MsrInfo(0).setCaption("a/b");
    const std::string before = readBytes(folder_ / "a_b(PAL SP).Morva_210");
    w->proc.Make_AutoFileName();
    EXPECT_EQ(w->st.DataFileName, "a_b(PAL SP)_2.Morva_210");
    w->proc.Write_DataFile();
    EXPECT_EQ(readBytes(folder_ / "a_b(PAL SP).Morva_210"), before);
}

// The write into a folder without write permission, run as a user who has
// none there (the tests may run as root, who would write anyway).
TEST_F(DataFileTest, AReadOnlyFolderKeepsTheOldFileAndTheFlag) {
    writeBytes("old.Morva_210", "old bytes\r\n");
    std::filesystem::permissions(
        folder_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                     std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
                     std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && ::setresuid(65534, 65534, 65534) != 0) ::_exit(10);
        w->st.flags.flg_Unsaved = 1;
        w->st.DataFileName = "old.Morva_210";
        w->proc.Write_DataFile();
        int code = 0;
        if (dialogs.shown().size() != 1)
            code = 1;
        else if (dialogs.shown()[0].prompt.find("old.Morva_210") == std::string::npos)
            code = 2;
        else if (dialogs.shown()[0].prompt.find("Permission denied") == std::string::npos &&
                 dialogs.shown()[0].prompt.find("read-only") == std::string::npos)
            code = 3;
        if (w->st.flags.flg_Unsaved != 1) code = 4;
        if (!w->cmd_StartFunction(2).enabled()) code = 5;
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readBytes(path("old.Morva_210")), "old bytes\r\n");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"old.Morva_210"});  // no temporary file left
}

}  // namespace
}  // namespace morva::test
