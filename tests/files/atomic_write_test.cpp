#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

// The program dying in the middle of a rewrite, imitated by a hook that
// throws at that step.
struct ProgramDied {};

class AtomicWriteInterrupted : public AtomicWrite {
  protected:
    void TearDown() override {
        setAtomicWriteHook({});
        AtomicWrite::TearDown();
    }
    // The target holds the old bytes or all of the new ones, never a mix.
    void expectOldOrNew(const std::string& oldBytes, const std::string& newBytes) {
        const std::string now = readBytes(path("MORVA StartupSetting.dat"));
        EXPECT_TRUE(now == oldBytes || now == newBytes) << "a half-written file: " << now.size() << " bytes";
    }
};

// Every step failing (the error a full disk or a lost device gives) and the
// program dying at every step: the old file or the complete new one is
// there, and after the next start no temporary file is left.
TEST_F(AtomicWriteInterrupted, EveryStepLeavesTheOldOrTheCompleteNewFile) {
    const std::string oldBytes = "[MORVA Setting] old\r\n" + std::string(5000, 'o');
    const std::string newBytes = "[MORVA Setting] new\r\n" + std::string(9000, 'n');
    const AtomicWriteStep steps[] = {AtomicWriteStep::CreateTemporary, AtomicWriteStep::Write,
                                     AtomicWriteStep::SyncFile, AtomicWriteStep::Rename,
                                     AtomicWriteStep::SyncFolder};
    for (const AtomicWriteStep step : steps) {
        SCOPED_TRACE("step " + std::to_string(static_cast<int>(step)));
        std::vector<AtomicWriteStep> reached;

        // The step fails: the writer says so and cleans up after itself.
        writeBytes("MORVA StartupSetting.dat", oldBytes);
        setAtomicWriteHook([&](AtomicWriteStep s) {
            reached.push_back(s);
            return s == step ? EIO : 0;
        });
        std::string error;
        EXPECT_FALSE(writeFileAtomically(path("MORVA StartupSetting.dat"), newBytes, &error));
        EXPECT_EQ(error,
                  "Cannot write " + path("MORVA StartupSetting.dat").string() + ": Input/output error");
        EXPECT_EQ(reached.back(), step) << "no step after the failed one";
        if (step == AtomicWriteStep::SyncFolder)
            expectOldOrNew(newBytes, newBytes);  // renamed already: the new file stays
        else
            expectOldOrNew(oldBytes, oldBytes);
        EXPECT_EQ(folderEntries(), std::vector<std::string>({"MORVA StartupSetting.dat"}));

        // The program dies at the step: whatever lies about, the target is whole.
        writeBytes("MORVA StartupSetting.dat", oldBytes);
        setAtomicWriteHook([&](AtomicWriteStep s) {
            if (s == step) throw ProgramDied{};
            return 0;
        });
        EXPECT_THROW(writeFileAtomically(path("MORVA StartupSetting.dat"), newBytes, nullptr), ProgramDied);
        setAtomicWriteHook({});
        expectOldOrNew(oldBytes, newBytes);
        const bool leftTemporary = step == AtomicWriteStep::Write || step == AtomicWriteStep::SyncFile ||
                                   step == AtomicWriteStep::Rename;
        EXPECT_EQ(folderEntries().size(), leftTemporary ? 2u : 1u);

        // The next start clears what the dead program left.
        EXPECT_EQ(removeStaleTemporaryFiles(folder_), leftTemporary ? 1 : 0);
        EXPECT_EQ(folderEntries(), std::vector<std::string>({"MORVA StartupSetting.dat"}));
    }
}

TEST_F(AtomicWriteInterrupted, StartUpRemovesOnlyTheProgramsOwnStaleTemporaries) {
    writeBytes("data.dat", "keep");
    writeBytes("data.dat.morva-tmp-999999999-3", "stale: no such process");
    writeBytes("data.dat.morva-tmp-" + std::to_string(::getppid()) + "-0", "a running writer");
    writeBytes("notes.tmp-1-2", "not ours");
    writeBytes("data.dat.morva-tmp-12x-1", "not ours either");
    EXPECT_EQ(removeStaleTemporaryFiles(folder_), 1);
    // Sorted as the entries are: where the running writer's name falls
    // depends on its process number.
    std::vector<std::string> kept = {"data.dat", "data.dat.morva-tmp-12x-1",
                                     "data.dat.morva-tmp-" + std::to_string(::getppid()) + "-0",
                                     "notes.tmp-1-2"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(folderEntries(), kept);
    EXPECT_EQ(removeStaleTemporaryFiles(folder_ / "no such folder"), 0);
}

// A settings file kept elsewhere and linked into the program folder stays
// a link; the file it points to gets the new contents.
TEST_F(AtomicWrite, ALinkedFileIsWrittenThroughTheLink) {
    std::filesystem::create_directory(path("shared"));
    writeBytes("shared/settings.dat", "old");
    std::filesystem::create_symlink("shared/settings.dat", path("MORVA StartupSetting.dat"));
    ASSERT_TRUE(writeFileAtomically(path("MORVA StartupSetting.dat"), "new", nullptr));
    EXPECT_TRUE(std::filesystem::is_symlink(path("MORVA StartupSetting.dat")));
    EXPECT_EQ(readBytes(path("shared/settings.dat")), "new");
    EXPECT_EQ(folderEntries(), std::vector<std::string>({"MORVA StartupSetting.dat", "shared"}));
}

// The operator made the file read-only to protect it: the rename would
// replace it anyway, so the writer refuses with a reason.
TEST_F(AtomicWrite, AReadOnlyFileIsNotReplaced) {
    writeBytes("MORVA StartupSetting.dat", "protected");
    std::filesystem::permissions(path("MORVA StartupSetting.dat"),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    std::string error;
    EXPECT_FALSE(writeFileAtomically(path("MORVA StartupSetting.dat"), "new", &error));
    EXPECT_EQ(error, "Cannot write " + path("MORVA StartupSetting.dat").string() + ": the file is read-only");
    EXPECT_EQ(readBytes(path("MORVA StartupSetting.dat")), "protected");
    EXPECT_EQ(folderEntries(), std::vector<std::string>({"MORVA StartupSetting.dat"}));

    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    EXPECT_FALSE(writeFileAtomically(path("fifo"), "new", &error));
    EXPECT_TRUE(std::filesystem::is_fifo(path("fifo"))) << "a FIFO is not replaced by a file";
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
