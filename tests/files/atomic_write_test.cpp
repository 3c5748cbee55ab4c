#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "files/text_file.h"
#include "temp_folder.h"

namespace morva {
namespace {

class AtomicWrite : public test::TempFolderTest {
  protected:
    std::vector<std::string> folderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(AtomicWrite, WriterPutsCrLfAfterEveryLine) {
    TextFileWriter writer(path("MORVA StartupSetting.dat"));
    writer.line("[MORVA Windows - MORVA Setting File] Ver.0.50");
    writer.line("");
    writer.line("Top = 120");
    EXPECT_TRUE(writer.commit()) << writer.errorText();
    EXPECT_EQ(writer.errorText(), "");
    EXPECT_EQ(readBytes(path("MORVA StartupSetting.dat")),
              "[MORVA Windows - MORVA Setting File] Ver.0.50\r\n\r\nTop = 120\r\n");
    EXPECT_EQ(readTextLines(path("MORVA StartupSetting.dat")),
              std::vector<std::string>({"[MORVA Windows - MORVA Setting File] Ver.0.50", "", "Top = 120"}));
}

TEST_F(AtomicWrite, ReplacesTheOldFileAndLeavesNoTemporaryFile) {
    writeBytes("data.dat", "old contents that are longer than the new ones\r\n");
    std::string error;
    ASSERT_TRUE(writeFileAtomically(path("data.dat"), "new\r\n", &error)) << error;
    EXPECT_EQ(readBytes(path("data.dat")), "new\r\n");
    EXPECT_EQ(folderEntries(), std::vector<std::string>({"data.dat"}));

    ASSERT_TRUE(writeFileAtomically(path("data.dat"), "", nullptr));
    EXPECT_EQ(readBytes(path("data.dat")), "");
}

TEST_F(AtomicWrite, ARewrittenFileKeepsItsPermissions) {
    writeBytes("data.dat", "old");
    std::filesystem::permissions(path("data.dat"), std::filesystem::perms::owner_read |
                                                       std::filesystem::perms::owner_write |
                                                       std::filesystem::perms::group_read);
    ASSERT_TRUE(writeFileAtomically(path("data.dat"), "new", nullptr));
    struct stat info {};
    ASSERT_EQ(::stat(path("data.dat").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(AtomicWrite, AFolderThatCannotHoldTheFileGivesAReason) {
    // The parent is a regular file, so nothing can be created below it.
    writeBytes("not a folder", "x");
    const std::filesystem::path target = path("not a folder") / "data.dat";
    std::string error;
    EXPECT_FALSE(writeFileAtomically(target, "new", &error));
    EXPECT_EQ(error, "Cannot write " + target.string() + ": Not a directory");
    EXPECT_EQ(readBytes(path("not a folder")), "x");

    TextFileWriter writer(target);
    writer.line("x");
    EXPECT_FALSE(writer.commit());
    EXPECT_EQ(writer.errorText(), error);
}

TEST_F(AtomicWrite, ATargetThatIsAFolderIsLeftAsItIs) {
    std::filesystem::create_directory(path("data.dat"));
    writeBytes("data.dat/inside", "keep");
    std::string error;
    EXPECT_FALSE(writeFileAtomically(path("data.dat"), "new", &error));
    EXPECT_TRUE(error.starts_with("Cannot write " + path("data.dat").string() + ": ")) << error;
    EXPECT_EQ(readBytes(path("data.dat/inside")), "keep");
    EXPECT_EQ(folderEntries(), std::vector<std::string>({"data.dat"}));
}

// A full disk, imitated with a file size limit: the write fails part-way.
TEST_F(AtomicWrite, AFailedWriteLeavesTheOldFileUntouched) {
    writeBytes("MORVA MasterTape.dat", "old master tapes\r\n");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);

    std::string error;
    const bool written = writeFileAtomically(path("MORVA MasterTape.dat"), std::string(100000, 'n'), &error);

    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, "Cannot write " + path("MORVA MasterTape.dat").string() + ": File too large");
    EXPECT_EQ(readBytes(path("MORVA MasterTape.dat")), "old master tapes\r\n");
    EXPECT_EQ(folderEntries(), std::vector<std::string>({"MORVA MasterTape.dat"}));
}

TEST(ProgramFolder, IsTheFolderOfTheRunningProgramWithASeparator) {
    const std::string folder = executableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::is_regular_file(folder + "files_tests")) << folder;
}

TEST(ProgramFolder, SeparatorIsAddedOnlyWhenMissing) {
    EXPECT_EQ(withTrailingSeparator("/opt/morva"), "/opt/morva/");
    EXPECT_EQ(withTrailingSeparator("/opt/morva/"), "/opt/morva/");
    EXPECT_EQ(withTrailingSeparator("/"), "/");
    EXPECT_EQ(withTrailingSeparator(""), "");
}

}  // namespace
}  // namespace morva
