// MORVA installed in a folder the operator cannot write: the per-user
// program folder is made from the installed start-up files, the window loads
// and measures from it with the bridge library still taken from the
// installation, and a later start keeps what the user changed.

#include <filesystem>
#include <string>

#include "files/program_folder.h"
#include "tests/app/operator_fixture.h"

namespace morva::test {
namespace {

namespace fs = std::filesystem;

class InstalledCopy : public OperatorRoad {
  protected:
    // The fixture's folder stands for /usr/lib/morva: demo files, the two
    // libraries, and an executable that must stay where it is.
    ProgramFolderEnvironment readOnlyInstallation(const std::string& xdgDataHome, const std::string& home) {
        writeLines("morva", {"#!/bin/sh"});
        fs::permissions(path("morva"), fs::perms::owner_exec, fs::perm_options::add);
        ProgramFolderEnvironment env;
        env.XdgDataHome = xdgDataHome;
        env.Home = home;
        const std::string installed = programFolder();
        env.isWritable = [installed](const std::string& folder) { return folder != installed; };
        return env;
    }
};

TEST_F(InstalledCopy, MeasuresFromThePerUserFolderAndKeepsTheUsersFiles) {
    const std::string xdg = (folder_ / "xdg").string();
    const ProgramFolderChoice choice =
        Choose_ProgramFolder(programFolder(), readOnlyInstallation(xdg, "/nowhere"));
    const std::string user = xdg + "/morva/";
    ASSERT_EQ(choice.ProgramFolder, user);
    EXPECT_EQ(choice.LibraryFolder, programFolder());
    EXPECT_EQ(choice.Note, "Program folder : " + user + " (" + programFolder() + " is read-only)");
    for (const char* f : {"MORVA Parameters.dat", "MORVA StartupSetting.dat", "VTR Parameters.dat",
                          "MORVA MasterTape.dat", "daqsim.dat", "WorkList", "SpecLine_Lin"})
        EXPECT_TRUE(fs::exists(user + f)) << f;
    for (const char* f : {"morva", "libhalvex.so", "libddrive32.so", "xdg"})
        EXPECT_FALSE(fs::exists(user + f)) << f;

    installedFolders = {choice.ProgramFolder, choice.LibraryFolder, {choice.Note, choice.NoteJapanese}};
    FrmMain& win = start();
    ASSERT_TRUE(dialogs.shown().empty());
    ASSERT_EQ(win.lst_Version.listCount(), 5);
    EXPECT_EQ(win.lst_Version.items().back(), choice.Note);
    EXPECT_EQ(win.st.settings.Path_DataFile, user + "Data/");
    EXPECT_TRUE(fs::is_directory(user + "Data"));
    EXPECT_FALSE(fs::exists(path("Data")));

    // The board's configuration comes from the user's folder, the bridge
    // from the installation.
    measureSensitivity();
    EXPECT_EQ(acquisitions, 2);
    EXPECT_NEAR(win.st.sens.SensVal[0], 40.0, 0.02 * 40.0);
    EXPECT_TRUE(dialogs.shown().empty());

    // A later start copies nothing over the user's own files, but brings
    // back what they deleted.
    writeLines("xdg/morva/daqsim.dat", {"; the user's own board"});
    fs::remove_all(user + "WorkList");
    Choose_ProgramFolder(programFolder(), readOnlyInstallation(xdg, "/nowhere"));
    EXPECT_EQ(readLines("xdg/morva/daqsim.dat"), (std::vector<std::string>{"; the user's own board"}));
    EXPECT_FALSE(fs::is_empty(user + "WorkList"));
}

TEST_F(InstalledCopy, WithoutAHomeRunsFromTheInstallationAndSaysSo) {
    // No XDG_DATA_HOME (a relative one does not count) and no HOME.
    const ProgramFolderChoice choice =
        Choose_ProgramFolder(programFolder(), readOnlyInstallation("relative", ""));
    EXPECT_EQ(choice.ProgramFolder, programFolder());
    EXPECT_NE(choice.Note.find("settings are not saved"), std::string::npos) << choice.Note;
    EXPECT_NE(choice.NoteJapanese.find("設定は保存されません"), std::string::npos);
    // A writable folder serves as it is, without a word.
    ProgramFolderEnvironment writable = readOnlyInstallation("", "");
    writable.isWritable = [](const std::string&) { return true; };
    const ProgramFolderChoice bench = Choose_ProgramFolder(programFolder(), writable);
    EXPECT_EQ(bench.ProgramFolder, programFolder());
    EXPECT_TRUE(bench.Note.empty());
}

}  // namespace
}  // namespace morva::test
