#pragma once
// The main window as the program builds it (layout, every handler wired) in
// a fresh temporary program folder, on the deterministic loop.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/build_main_window.h"
#include "tests/files/window_fixture.h"

namespace morva::test {

class AppTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        w.reset();
    }

    // Builds the window (after the test has set up the screen and files).
    FrmMain& build() {
        w = Build_MainWindow(
            app, installedFolders.ProgramFolder.empty() ? folder_.string() : installedFolders.ProgramFolder);
        w->st.LibraryFolder = installedFolders.LibraryFolder;
        w->st.ProgramFolderNote = installedFolders.Note;
        return *w;
    }

    // Set by a test that runs the window as an installed copy: the program
    // folder apart from the folder of the executable and its libraries.
    struct {
        std::string ProgramFolder, LibraryFolder;
        std::array<std::string, 2> Note;
    } installedFolders;

    // A small program folder: two models, two tapes and the given settings
    // lines after the header.
    void writeProgramFolder(const std::vector<std::string>& settings) {
        writeLines("MORVA Parameters.dat",
                   {"[MORVA Windows - MORVA Parameter File] Ver.0.50", "Default_AD_SamplingRate_Sens = 720",
                    "Default_AD_SamplingRate_Lin = 7200", "Default_CylRot = 1800", "nData_SensWF = 100",
                    "nData_LinWF = 100", "StartPos_LinWFSample = 5", "Pos_FixOfs_LinWF = 50"});
        writeLines("VTR Parameters.dat",
                   {"[MORVA Windows - VTR Parameters] Ver.1.20",
                    "VK-210,VTR,2,0,SP,20,1800,0,LP,10,1800,0,*,0,0,0,*,0,0,0,*,0,0,0,5,40,10,8,10,5,3.0,1.5",
                    "VK-450,VTR,4,0,STD,10,1800,0,*,0,0,0,*,0,0,0,*,0,0,0,*,0,0,0,5,40,10,8,10,5,2.5,1.2"});
        writeLines(
            "MORVA MasterTape.dat",
            {"[MORVA Windows - MORVA MasterTape File] Ver.1.00", "nEntry = 2 ", "", "Tape000_Name = MT-A",
             "  EntryDate = 2024-01-02", "  TrackPitch = 10", "  nPoint = 3", "  CheckSum = 0.6",
             "  Data = 0.1,0.2,0.3", "", "Tape001_Name = MT-B", "  EntryDate = 2024-01-03",
             "  TrackPitch = 10", "  nPoint = 3", "  CheckSum = 0.0", "  Data = 0.0,0.0,0.0"});
        std::vector<std::string> lines = {"[MORVA Windows - MORVA Setting File] Ver.0.50"};
        lines.insert(lines.end(), settings.begin(), settings.end());
        writeLines("MORVA StartupSetting.dat", lines);
    }

    // The value after `key` in the settings file the program wrote.
    std::string writtenSetting(const std::string& key) const {
        if (!std::filesystem::is_regular_file(path("MORVA StartupSetting.dat"))) return "<no file>";
        for (const auto& line : readLines("MORVA StartupSetting.dat"))
            if (line.rfind(key, 0) == 0) return line.substr(key.size());
        return "<missing>";
    }
};

}  // namespace morva::test
