// Start-up and exit with hostile or damaged settings and program folders:
// what the operator finds on the next start must be what they left.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/form_unload.h"
#include "files/startup_setting_file.h"
#include "tests/app/app_fixture.h"

namespace morva::test {
namespace {

class SettingsFaults : public AppTest {
  protected:
    // The program folder of the fixture plus an A/D board catalogue whose
    // configuration file lies in the program folder.
    void writeFolderWithBoard(const std::vector<std::string>& settings) {
        writeProgramFolder(settings);
        writeLines(
            "MORVA Parameters.dat",
            {"[MORVA Windows - MORVA Parameter File] Ver.0.50", "Default_AD_SamplingRate_Sens = 720",
             "Default_AD_SamplingRate_Lin = 7200", "Default_CylRot = 1800", "nData_SensWF = 100",
             "nData_LinWF = 100", "n_AD_Entry = 1", "AD_DeviceType = SIM-VTR-ADC", "AD_DllName = ddrive32",
             "AD_ConfigFile = daqsim.dat", "AD_Resolution_Default = 32672", "AD_nChannel = 2"});
        writeLines("daqsim.dat", {"[SIM board]"});
    }
    FrmMain& startAndExit() {
        FrmMain& win = build();
        win.load();
        EXPECT_TRUE(win.unload());
        return win;
    }
};

// A start with the model table or the master-tape file unreadable must not
// lose the stored choice: the next start with the files back selects it.
TEST_F(SettingsFaults, UnreadableListsKeepTheStoredSelectionAndAreNamed) {
    writeProgramFolder({"StartupModelName = VK-450", "StartupMode_PN = NTSC", "StartupTape = MT-B"});
    const std::string models = readBytes(path("VTR Parameters.dat"));
    std::filesystem::remove(path("VTR Parameters.dat"));
    ASSERT_EQ(::mkfifo(path("VTR Parameters.dat").c_str(), 0600), 0);  // unreadable, and would hang a read
    std::filesystem::remove(path("MORVA MasterTape.dat"));

    FrmMain& win = startAndExit();
    EXPECT_EQ(win.lst_Version.items()[1], "VTR Parameters.dat : could not be read");
    EXPECT_EQ(win.lst_Version.items()[3], "MORVA MasterTape.dat : not found");
    EXPECT_EQ(writtenSetting("StartupModelName = "), "VK-450");
    EXPECT_EQ(writtenSetting("StartupTape = "), "MT-B");

    std::filesystem::remove(path("VTR Parameters.dat"));
    writeBytes("VTR Parameters.dat", models);
    FrmMain& again = build();
    again.load();
    EXPECT_EQ(again.cmb_ModelNameList.text(), "VK-450");
}

// Empty, CR-only and garbage files hold no setting: the program starts as on
// its first start (a model, PAL, a board) and writes a complete file back.
class SettingsWithoutSettings : public SettingsFaults, public testing::WithParamInterface<std::string> {};

TEST_P(SettingsWithoutSettings, GiveTheFirstStartDefaults) {
    writeFolderWithBoard({});
    writeBytes("MORVA StartupSetting.dat", GetParam());
    FrmMain& win = startAndExit();
    EXPECT_EQ(win.cmb_ModelNameList.text(), "VK-210");
    EXPECT_EQ(win.st.settings.Mode_PN, "PAL");
    EXPECT_EQ(win.lbl_Language.caption(), "English");
    EXPECT_EQ(win.lbl_Name_AD_DeviceType.caption(), "SIM-VTR-ADC");
    EXPECT_EQ(writtenSetting("StartupModelName = "), "VK-210");
    EXPECT_EQ(writtenSetting("StartupMode_PN = "), "PAL");
    EXPECT_EQ(writtenSetting("Name_AD_DeviceType = "), "SIM-VTR-ADC");
    EXPECT_EQ(writtenSetting("PeakHoldTime = "), " 10 ");
}

INSTANTIATE_TEST_SUITE_P(EmptyCrOnlyAndGarbage, SettingsWithoutSettings,
                         testing::Values(std::string(""), std::string("\r\r\r"),
                                         std::string("\x7f\xff\x01 junk =x\n\n")));

// A file saved with CR line ends is read line by line, not as one line.
TEST_F(SettingsFaults, ASettingsFileWithCrLineEndsIsRead) {
    writeProgramFolder({});
    writeBytes(
        "MORVA StartupSetting.dat",
        "[MORVA Setting] Ver.0.50\rStartupModelName = VK-450\rStartupMode_PN = NTSC\rPeakHoldTime = 33\r");
    FrmMain& win = startAndExit();
    EXPECT_EQ(win.cmb_ModelNameList.text(), "VK-450");
    EXPECT_EQ(writtenSetting("StartupMode_PN = "), "NTSC");
    EXPECT_EQ(writtenSetting("PeakHoldTime = "), " 33 ");
}

// One line in the legacy code page garbles no other line.
TEST_F(SettingsFaults, OneLegacyLineLeavesTheUtf8LinesIntact) {
    writeProgramFolder({});
    std::filesystem::create_directories(path("データ"));
    writeBytes("MORVA StartupSetting.dat",
               "[MORVA Setting] Ver.0.50\r\nLanguage = English\r\n"
               "FontName = \x82\x6c\x82\x72 Gothic\r\n"  // "ＭＳ Gothic" in CP932
               "Path_DataFile = データ/\r\n");
    FrmMain& win = startAndExit();
    EXPECT_EQ(win.st.settings.FontName, "ＭＳ Gothic");
    EXPECT_EQ(win.st.settings.Path_DataFile, programFolder() + "データ/");
    EXPECT_EQ(writtenSetting("FontName = "), "ＭＳ Gothic");
    EXPECT_EQ(writtenSetting("Path_DataFile = "), "データ/");
}

// Folders inside the program folder are written relative to it, so a moved
// or copied program folder uses its own folders and finds its board's
// configuration; a stored folder that no longer exists is repaired before
// the board is looked for there.
TEST_F(SettingsFaults, AMovedProgramFolderKeepsItsFoldersAndFindsItsBoard) {
    writeFolderWithBoard({"Path_DataFile = Data/", "Path_WorkList = " + programFolder() + "WorkList/",
                          "Path_SpecLine_Lin = /nowhere/old-install/SpecLine_Lin/",
                          "Path_DaqConfigFile = /nowhere/old-install/", "Name_AD_DeviceType = SIM-VTR-ADC",
                          "n_AD_Channel = 2"});
    std::filesystem::create_directories(path("Data"));
    std::filesystem::create_directories(path("WorkList"));
    startAndExit();
    EXPECT_TRUE(dialogs.prompts().empty()) << dialogs.prompts().front();
    EXPECT_EQ(writtenSetting("Path_DataFile = "), "Data/");
    EXPECT_EQ(writtenSetting("Path_WorkList = "), "WorkList/");
    EXPECT_EQ(writtenSetting("Path_SpecLine_Lin = "), "SpecLine_Lin/");
    EXPECT_EQ(writtenSetting("Path_DaqConfigFile = "), "./");

    // The folder moves: the copy uses its own folders and board file.
    const std::filesystem::path moved = folder_.string() + "-moved";
    std::filesystem::remove_all(moved);
    std::filesystem::rename(folder_, moved);
    std::filesystem::create_directories(folder_);
    std::filesystem::copy(moved, folder_, std::filesystem::copy_options::recursive);
    std::filesystem::remove_all(moved);
    FrmMain& again = build();
    again.load();
    EXPECT_TRUE(dialogs.prompts().empty());
    EXPECT_EQ(again.st.settings.Path_DaqConfigFile, programFolder());
    EXPECT_EQ(again.st.settings.Path_DataFile, programFolder() + "Data/");
}

// Without a settings file the first-start board is checked in the repaired
// configuration folder (the program folder), wherever the program was
// started from.
TEST_F(SettingsFaults, TheFirstStartBoardIsCheckedInTheProgramFolder) {
    writeFolderWithBoard({});
    std::filesystem::remove(path("MORVA StartupSetting.dat"));
    FrmMain& win = build();
    win.load();
    EXPECT_EQ(win.lbl_Name_AD_DeviceType.caption(), "SIM-VTR-ADC");
    EXPECT_EQ(win.st.settings.Path_DaqConfigFile, programFolder());
    EXPECT_TRUE(dialogs.prompts().empty()) << dialogs.prompts().front();
}

// A start-up file that is a FIFO or a device never ends a read: the program
// starts anyway and names the file.
TEST_F(SettingsFaults, AFifoOrDeviceInPlaceOfAStartUpFileDoesNotHang) {
    writeProgramFolder({});
    std::filesystem::remove(path("MORVA StartupSetting.dat"));
    ASSERT_EQ(::mkfifo(path("MORVA StartupSetting.dat").c_str(), 0600), 0);
    std::filesystem::remove(path("MORVA Parameters.dat"));
    std::filesystem::create_symlink("/dev/zero", path("MORVA Parameters.dat"));
    FrmMain& win = build();
    win.load();
    EXPECT_EQ(win.lst_Version.items()[0], "MORVA Parameters.dat : could not be read");
    EXPECT_EQ(win.lst_Version.items()[2], "MORVA StartupSetting.dat : could not be read");
    EXPECT_EQ(win.st.settings.Mode_PN, "PAL");
}

// Exit refuses what it cannot write faithfully and says so; a linked
// settings file stays linked.
TEST_F(SettingsFaults, ExitWritesThroughLinksAndRefusesReadOnlyFilesAndBrokenFolderNames) {
    writeProgramFolder({"PeakHoldTime = 12"});
    std::filesystem::create_directories(path("shared"));
    std::filesystem::rename(path("MORVA StartupSetting.dat"), path("shared/settings.dat"));
    std::filesystem::create_symlink("shared/settings.dat", path("MORVA StartupSetting.dat"));
    FrmMain& win = build();
    win.load();
    win.st.settings.PeakHoldTime = 21;
    EXPECT_TRUE(Write_StartupSettingFile(win));
    EXPECT_TRUE(std::filesystem::is_symlink(path("MORVA StartupSetting.dat")));
    EXPECT_EQ(writtenSetting("PeakHoldTime = "), " 21 ");

    std::filesystem::permissions(path("shared/settings.dat"), std::filesystem::perms::owner_read);
    win.st.settings.PeakHoldTime = 22;
    EXPECT_FALSE(Write_StartupSettingFile(win));
    EXPECT_EQ(writtenSetting("PeakHoldTime = "), " 21 ");
    ASSERT_EQ(dialogs.prompts().size(), 1u);
    EXPECT_NE(dialogs.prompts()[0].find("the file is read-only"), std::string::npos) << dialogs.prompts()[0];

    std::filesystem::permissions(path("shared/settings.dat"),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    win.st.settings.Path_DataFile = programFolder() + "new\nfolder/";
    EXPECT_FALSE(Write_StartupSettingFile(win));
    EXPECT_EQ(writtenSetting("PeakHoldTime = "), " 21 ");
    ASSERT_EQ(dialogs.prompts().size(), 2u);
    EXPECT_NE(dialogs.prompts()[1].find("line break"), std::string::npos) << dialogs.prompts()[1];
}

// A temporary file left by a rewrite that died is gone after the next start.
TEST_F(SettingsFaults, StartUpClearsTemporariesOfADeadRewrite) {
    writeProgramFolder({"Path_DataFile = Data/"});
    std::filesystem::create_directories(path("Data"));
    writeBytes("MORVA StartupSetting.dat.morva-tmp-999999999-0", "half a settings fi");
    writeBytes("Data/VK-450_0001.Morva_450.morva-tmp-999999999-1", "half a data fi");
    FrmMain& win = build();
    win.load();
    EXPECT_FALSE(std::filesystem::exists(path("MORVA StartupSetting.dat.morva-tmp-999999999-0")));
    EXPECT_FALSE(std::filesystem::exists(path("Data/VK-450_0001.Morva_450.morva-tmp-999999999-1")));
}

}  // namespace
}  // namespace morva::test
