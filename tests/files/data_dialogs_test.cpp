// The save and load dialogs, worked as an operator works them: scripted
// clicks and keys on the test loop while the dialog holds the main window.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "files/frm_data_load.h"
#include "files/frm_data_save.h"
#include "tests/files/data_file_fixture.h"

namespace morva::test {
namespace {

class DataDialogs : public DataFileTest {
  protected:
    void SetUp() override {
        DataFileTest::SetUp();
        dialogs.failOnUnscripted();
    }

    template <typename Dialog>
    Dialog* open(const char* name) const {
        for (forms::Form* f : app.forms())
            if (f->name() == name) return static_cast<Dialog*>(f);
        return nullptr;
    }
    FrmDataSave& save() const {
        FrmDataSave* d = open<FrmDataSave>("frmDataSave");
        if (!d) throw std::logic_error("the save dialog is not open");
        return *d;
    }
    FrmDataLoad& loader() const {
        FrmDataLoad* d = open<FrmDataLoad>("frmDataLoad");
        if (!d) throw std::logic_error("the load dialog is not open");
        return *d;
    }
    // Schedules the operator's steps, 100 ms apart.
    void steps(std::initializer_list<std::function<void()>> actions) {
        int64_t t = loop.nowMs();
        for (const auto& a : actions)
            loop.at(t += 100, a);
    }
};

TEST_F(DataDialogs, SaveUnderATypedNameWithTheModelsExtension) {
    writeBytes("other.Morva_450", "x");
    writeBytes("old.Morva_210", "x");
    std::filesystem::create_directory(path("sub"));
    w->st.flags.flg_Unsaved = 1;
    bool focusOnName = false;
    steps({[&] {
               FrmDataSave& d = save();
               EXPECT_EQ(d.Txt_Save(0).text(), "SN1234");
               EXPECT_EQ(d.Txt_Save(1).text(), "after head change");
               EXPECT_EQ(d.Cmb_Save.listCount(), 1);
               EXPECT_EQ(d.Cmb_Save.text(), "MORVA Data VK-210(*.Morva_210)");
               EXPECT_EQ(d.FileList_Save.items(), std::vector<std::string>{"old.Morva_210"});
               EXPECT_EQ(d.Dir_Save.items(), std::vector<std::string>{"sub"});
               EXPECT_EQ(d.Lbl_Save(0).caption(), folder_.string());
               focusOnName = d.Txt_Save(2).hasFocus();
               EXPECT_TRUE(d.modal());
           },
           [&] { save().Txt_Save(0).userSetText("SN-99"); },
           [&] { save().Txt_Save(1).userSetText("new heads"); },
           [&] { save().Txt_Save(2).userSetText("report.2026.txt"); },
           [&] { save().Cmd_Save(0).userClick(); }});
    w->proc.Show_DataSave();

    EXPECT_TRUE(focusOnName);
    EXPECT_EQ(open<FrmDataSave>("frmDataSave"), nullptr);  // closed and unloaded
    EXPECT_EQ(readLines("report.Morva_210")[5], "Serial = SN-99");
    EXPECT_EQ(w->lbl_MsrInfo(0).caption(), "SN-99");
    EXPECT_EQ(w->lbl_MsrInfo(1).caption(), "new heads");
    EXPECT_EQ(w->st.settings.Path_DataFile, programFolder());
    EXPECT_EQ(w->st.DataFileName, "report.Morva_210");
    EXPECT_EQ(w->st.flags.flg_Unsaved, 0);
    EXPECT_EQ(w->st.settings.MakeAutoFileName, 0);
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(DataDialogs, TheOverwriteQuestionBothWays) {
    writeBytes("A.B(PAL SP)....Morva_210", "old\r\n");
    dialogs.answer(forms::MsgResult::No);
    dialogs.answer(forms::MsgResult::Yes);
    bool stillOpen = false;
    steps({[&] { save().FileList_Save.userSelect(0); },
           [&] { EXPECT_EQ(save().Txt_Save(2).text(), "A.B(PAL SP)....Morva_210"); },
           [&] { save().Cmd_Save(0).userClick(); },  // No
           [&] {
               stillOpen = open<FrmDataSave>("frmDataSave") != nullptr && save().visible();
               EXPECT_EQ(readBytes(path("A.B(PAL SP)....Morva_210")), "old\r\n");
           },
           [&] { save().Cmd_Save(0).userClick(); }});  // Yes
    w->proc.Show_DataSave();

    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(dialogs.shown().size(), 2u);
    const forms::ShownBox& box = dialogs.shown()[0];
    EXPECT_EQ(box.prompt, "File [A.B(PAL SP)....Morva_210] already exists. Overwrite ?");
    EXPECT_EQ(box.title, "MORVA Master Tape Data");
    EXPECT_EQ(box.style, forms::msg::YesNo | forms::msg::Exclamation | forms::msg::DefaultButton2);
    // The clicked file itself was replaced, not a file "A".
    EXPECT_EQ(readLines("A.B(PAL SP)....Morva_210")[0], "[MORVA Windows - MORVA Data File] Ver.0.3");
    EXPECT_FALSE(std::filesystem::exists(path("A.Morva_210")));
}

TEST_F(DataDialogs, TheAutomaticNameWithThePinnedClock) {
    for (int i = 0; i <= 5; ++i)
        w->chk_AutoFileName(i).setValue(1);
    w->st.settings.MakeAutoFileName = 1;
    steps({[&] { EXPECT_EQ(save().Txt_Save(2).text(), "SN1234(PAL SP)260307-090503.Morva_210"); },
           [&] {
               clock.Second = 59;
               save().Txt_Save(0).userSetText("K/7");
               EXPECT_EQ(save().Txt_Save(2).text(), "K_7(PAL SP)260307-090559.Morva_210");
           },
           [&] {
               save().chk_Save.userClick();
               EXPECT_EQ(save().Txt_Save(2).text(), "");
               EXPECT_TRUE(save().Txt_Save(2).hasFocus());
           },
           [&] { save().chk_Save.userClick(); }, [&] { clock = {2026, 3, 8, 0, 0, 0}; },
           // Enter presses Save: the name is built again at that moment, and
           // the file carries that same time.
           [&] { save().userReturn(); }});
    w->proc.Show_DataSave();

    const std::string name = "K_7(PAL SP)260308-000000.Morva_210";
    ASSERT_TRUE(std::filesystem::exists(path(name)));
    EXPECT_EQ(readLines(name)[7], "SaveDate = 03-08-2026");
    EXPECT_EQ(readLines(name)[8], "SaveTime = 00:00:00");
    EXPECT_EQ(w->st.settings.MakeAutoFileName, 1);
    EXPECT_EQ(w->lbl_MsrInfo(0).caption(), "K/7");
}

TEST_F(DataDialogs, EscapeAndCancelWriteNothing) {
    steps({[&] { save().Txt_Save(2).userSetText("never"); }, [&] { save().userEscape(); }});
    w->proc.Show_DataSave();
    steps({[&] { save().Txt_Save(2).userSetText("never"); }, [&] { save().Cmd_Save(1).userClick(); }});
    w->proc.Show_DataSave();
    // An empty name does nothing; the dialog stays until cancelled.
    steps({[&] { save().Cmd_Save(0).userClick(); }, [&] { save().userEscape(); }});
    w->proc.Show_DataSave();
    EXPECT_EQ(w->st.datafile.WriteCount, 0);
    EXPECT_FALSE(std::filesystem::exists(path("never.Morva_210")));
}

TEST_F(DataDialogs, AFailedWriteKeepsTheDialogOpen) {
    std::filesystem::create_directory(path("busy.Morva_210"));
    w->st.flags.flg_Unsaved = 1;
    dialogs.answer(forms::MsgResult::Yes);  // "already exists": it is a folder
    bool openAfterFailure = false;
    steps({[&] { save().Txt_Save(2).userSetText("busy"); }, [&] { save().Cmd_Save(0).userClick(); },
           [&] { openAfterFailure = save().visible(); }, [&] { save().Txt_Save(2).userSetText("free"); },
           [&] { save().Cmd_Save(0).userClick(); }});
    w->proc.Show_DataSave();
    EXPECT_TRUE(openAfterFailure);
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_NE(dialogs.shown()[1].prompt.find("busy.Morva_210"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(path("free.Morva_210")));
    EXPECT_EQ(w->st.flags.flg_Unsaved, 0);
}

TEST_F(DataDialogs, NeitherDialogOpensDuringARun) {
    w->st.flags.RunDepth = 1;
    w->proc.Show_DataSave();
    w->proc.Show_DataLoad();
    w->st.flags.RunDepth = 0;
    w->st.flags.flg_Measuring = 1;
    w->proc.Show_DataSave();
    EXPECT_EQ(dialogs.shown().size(), 3u);
    EXPECT_EQ(app.forms().size(), 1u);

    // One instance: a second Data Save while the dialog is open opens no other.
    w->st.flags.flg_Measuring = 0;
    size_t formsWhileOpen = 0;
    steps({[&] {
               w->proc.Show_DataSave();
               formsWhileOpen = app.forms().size();
           },
           [&] { save().userEscape(); }});
    w->proc.Show_DataSave();
    EXPECT_EQ(formsWhileOpen, 2u);
}

TEST_F(DataDialogs, LoadFiltersShowsFileInformationAndLoads) {
    w->st.DataFileName = "vtr.Morva_210";
    w->proc.Write_DataFile();
    writeLines("disk.Morva_D4",
               {"[MORVA Windows - MORVA Data File] Ver.0.3", "MachineType = Data", "ModelName = DX-4D",
                "VTRmode = HIGH", "Mode_PN = PAL", "Serial = D-1", "Comment = c", "SaveDate = 01-02-2025",
                "SaveTime = 10:11:12", "*** Sensitivity Setting ***", "Serial = after the marker"});
    writeBytes("noise.Morva_210", std::string(1 << 20, '\0'));
    writeBytes("notes.txt", "x");
    std::filesystem::create_directory(path("archive"));
    bool loadedWithoutChoice = false;
    steps({[&] {
               FrmDataLoad& d = loader();
               EXPECT_EQ(d.cmb_Load.items(),
                         (std::vector<std::string>{"VK-210(*.Morva_210)", "ALL MORVA DataFile (*.Morva_*)"}));
               EXPECT_EQ(d.flst_Load.items(), (std::vector<std::string>{"noise.Morva_210", "vtr.Morva_210"}));
               EXPECT_EQ(d.lbl_FileInfo(1).caption(), "*.Morva_210");
               EXPECT_EQ(d.lbl_Load(1).caption(), "2 files");
               EXPECT_EQ(d.lbl_Load(0).caption(), folder_.string());
           },
           // Load with a filter shown: nothing happens.
           [&] { loader().cmd_Load(0).userClick(); }, [&] { loader().cmb_Load.userSelect(1); },
           [&] {
               FrmDataLoad& d = loader();
               EXPECT_EQ(d.flst_Load.items(),
                         (std::vector<std::string>{"disk.Morva_D4", "noise.Morva_210", "vtr.Morva_210"}));
               EXPECT_EQ(d.lbl_FileInfo(1).caption(), "*.Morva_*");
               EXPECT_EQ(d.lbl_Load(1).caption(), "3 files");
               d.flst_Load.userSelect(0);
           },
           [&] {
               FrmDataLoad& d = loader();
               EXPECT_EQ(d.lbl_FileInfo(1).caption(), "disk.Morva_D4");
               EXPECT_EQ(d.lbl_FileInfo(0).caption(), "Data");
               EXPECT_EQ(d.lbl_FileInfo(2).caption(), "DX-4D");
               EXPECT_EQ(d.lbl_FileInfo(5).caption(), "D-1");
               EXPECT_EQ(d.lbl_FileInfo(7).caption(), "01-02-2025");
               EXPECT_EQ(d.lbl_FileInfo(8).caption(), "10:11:12");
               EXPECT_FALSE(d.lbl_FileInfo(3).visible());  // a "Data" machine: no mode, no standard
               EXPECT_FALSE(d.lbl_FileInfo(4).visible());
               d.flst_Load.userSelect(1);
           },
           [&] {
               // A file that is no text at all shows nothing and holds nothing up.
               EXPECT_EQ(loader().lbl_FileInfo(0).caption(), "");
               loader().flst_Load.userSelect(2);
           },
           [&] {
               FrmDataLoad& d = loader();
               EXPECT_EQ(d.lbl_FileInfo(0).caption(), "VTR");
               EXPECT_EQ(d.lbl_FileInfo(3).caption(), "SP");
               EXPECT_EQ(d.lbl_FileInfo(4).caption(), "PAL");
               EXPECT_TRUE(d.lbl_FileInfo(3).visible());
               // Another folder: the information goes, and Load has nothing to load.
               d.dir_Load.userSetPath((folder_ / "archive").string());
           },
           [&] {
               FrmDataLoad& d = loader();
               EXPECT_EQ(d.lbl_FileInfo(1).caption(), "");
               EXPECT_EQ(d.lbl_FileInfo(2).caption(), "");
               EXPECT_EQ(d.lbl_Load(1).caption(), "0 files");
               d.cmd_Load(0).userClick();
               loadedWithoutChoice = w->st.flags.flg_DataLoaded == 1 || !d.visible();
               d.dir_Load.userSetPath(folder_.string());
           },
           [&] { loader().flst_Load.userDblClick(); },  // nothing selected in the new list
           [&] {
               loader().flst_Load.userSelect(2);
               loader().flst_Load.userDblClick();
           }});
    w->st.flags.flg_Unsaved = 0;
    w->proc.Show_DataLoad();

    EXPECT_FALSE(loadedWithoutChoice);
    EXPECT_EQ(open<FrmDataLoad>("frmDataLoad"), nullptr);
    EXPECT_EQ(w->st.DataFileName, "vtr.Morva_210");
    EXPECT_EQ(w->st.settings.Path_DataFile, programFolder());
    EXPECT_EQ(w->st.flags.flg_DataLoaded, 1);
    EXPECT_EQ(w->lbl_DatInfo(9).caption(), "vtr.Morva_210");
    EXPECT_TRUE(w->pic_CmdMenu(4).visible());
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(DataDialogs, LoadButtonAndEscape) {
    w->st.DataFileName = "one.Morva_210";
    w->proc.Write_DataFile();
    steps({[&] { loader().userEscape(); }});
    w->proc.Show_DataLoad();
    EXPECT_EQ(w->st.flags.flg_DataLoaded, 0);
    steps({[&] { loader().flst_Load.userSelect(0); }, [&] { loader().userReturn(); }});
    w->proc.Show_DataLoad();
    EXPECT_EQ(w->st.flags.flg_DataLoaded, 1);
}

}  // namespace
}  // namespace morva::test
