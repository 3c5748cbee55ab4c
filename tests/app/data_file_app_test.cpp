// The data file in the program as it is built: the automatic save at the end
// of a measurement, then the same file loaded through the load dialog and
// drawn on the linearity page, then a model selection giving the program's
// own counts back.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "files/frm_data_load.h"
#include "tests/app/app_fixture.h"

namespace morva::test {
namespace {

class DataFileInProgram : public AppTest {};

TEST_F(DataFileInProgram, SaveAutomaticallyThenLoadAndDraw) {
    writeProgramFolder({"StartupModelName = VK-210", "StartupMode_PN = PAL", "StartupTape = MT-A", "[File]",
                        " AutoFileName_Year = 1", " AutoFileName_Month = 1", " AutoFileName_Day = 1"});
    FrmMain& win = build();
    win.load();
    win.st.datafile.WallClock = [] { return LocalDateTime{2026, 12, 8, 23, 59, 59}; };
    ASSERT_EQ(win.st.settings.DataFileExt, ".Morva_210");

    // A finished linearity measurement: what the end of the run does.
    MainState& st = win.st;
    for (size_t p = 1; p <= 100; ++p) {
        st.lin.LinAvg[0][p] = static_cast<int32_t>(p) * 3 - 150;
        st.lin.Lin[0][p] = static_cast<int32_t>(p);
    }
    st.lin.LinVal[0] = 297;
    win.lbl_MsrInfo(0).setCaption("SN/77");
    st.flags.flg_Unsaved = 1;
    win.proc.Make_AutoFileName();
    win.proc.Write_DataFile();
    const std::string name = "SN_77(PAL SP)261208.Morva_210";
    ASSERT_EQ(st.DataFileName, name);
    ASSERT_TRUE(std::filesystem::is_regular_file(st.settings.Path_DataFile + name))
        << st.settings.Path_DataFile;
    EXPECT_EQ(st.flags.flg_Unsaved, 0);

    // The file as an installation with 60 points would have written it;
    // something else in memory; then the file through the dialog.
    const std::string file = st.settings.Path_DataFile + name;
    std::string bytes = readBytes(file);
    bytes.replace(bytes.find("nData_LinWF =  100 "), 19, "nData_LinWF =  60 ");
    writeBytes(std::filesystem::relative(file, folder_).string(), bytes);
    st.lin.LinAvg[0][50] = 77;
    st.lin.LinAvg[0][70] = 77;
    loop.at(100, [&] {
        for (forms::Form* f : app.forms())
            if (f->name() == "frmDataLoad") {
                auto& d = *static_cast<FrmDataLoad*>(f);
                d.flst_Load.userSelect(0);
                d.cmd_Load(0).userClick();
            }
    });
    win.proc.Show_DataLoad();

    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(st.params.nData_LinWF, 60);
    EXPECT_EQ(st.lin.LinAvg[0][50], 0);
    EXPECT_EQ(st.lin.LinAvg[0][51], 3);
    EXPECT_EQ(st.lin.LinAvg[0][70], 0);  // past the file's points
    EXPECT_EQ(win.lbl_LinVal(0).caption(), "3.0");
    EXPECT_EQ(win.lbl_DatInfo(6).caption(), "SN/77");
    EXPECT_TRUE(win.pic_CmdMenu(4).visible());
    EXPECT_TRUE(win.pic_Page(2).visible());
    EXPECT_TRUE(win.pic_Info(1).visible());
    EXPECT_FALSE(win.pic_Graph_Lin(0).displayList().empty());

    // Choosing the model again gives the parameter file's counts back.
    win.cmb_ModelNameList.setListIndex(1);
    win.cmb_ModelNameList.setListIndex(0);
    EXPECT_EQ(st.flags.flg_DataLoaded, 0);
    EXPECT_EQ(st.params.nData_LinWF, 100);
}

// A load that fails (not a data file, then a missing file) says so and
// leaves the screen on the page the operator was on.
TEST_F(DataFileInProgram, AFailedLoadKeepsTheScreen) {
    writeProgramFolder({"StartupModelName = VK-210", "StartupMode_PN = PAL", "StartupTape = MT-A"});
    FrmMain& win = build();
    win.load();
    writeLines("Data/notes.Morva_210", {"just some notes", "nothing = here"});
    win.st.DataFileName = "notes.Morva_210";
    for (const char* name : {"notes.Morva_210", "gone.Morva_210"}) {
        win.st.DataFileName = name;
        win.cmd_StartFunction(52).setValue(true);
        EXPECT_TRUE(win.pic_Page(0).visible()) << name;
        EXPECT_FALSE(win.pic_Page(2).visible()) << name;
        EXPECT_FALSE(win.pic_Info(1).visible()) << name;
        EXPECT_EQ(win.st.flags.flg_DataLoaded, 0) << name;
    }
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_NE(dialogs.shown()[0].prompt.find("is not a MORVA data file"), std::string::npos);
    EXPECT_NE(dialogs.shown()[1].prompt.find("Cannot read the data file"), std::string::npos);
}

}  // namespace
}  // namespace morva::test
