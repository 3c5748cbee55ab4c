// The master-tape editor and the options, folder-chooser and version
// dialogs drawn offscreen in English and in Japanese. The test checks what
// a machine can: every control lies inside its window and its frame, and
// the two languages draw different captions. (The pictures a person looks
// at, dialog_<name>_<en|ja>.png, come from the caption check of
// qt_program_tests, over the program's own main window.)

#include <unistd.h>
#include <QImage>
#include <QMainWindow>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/frm_find_path.h"
#include "files/frm_master_tape.h"
#include "files/frm_option.h"
#include "files/frm_version.h"
#include "qt_fixture.h"
#include "window/frm_main.h"

namespace {

namespace fs = std::filesystem;
using morva::FrmMain;

struct ToolDialogShots : QtFormsTest {
    FrmMain main{app};
    morva::FindPathExchange exchange;
    fs::path folder = fs::temp_directory_path() / ("morva-shots-" + std::to_string(::getpid()));

    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder / "Data" / "2026");
        std::ofstream(folder / "Data" / "VK450-0001(PAL STD)261208.Morva_450") << "x";
        std::ofstream(folder / "MORVA MasterTape.dat")
            << "[MORVA Windows - MORVA MasterTape File] Ver.1.00\r\nnEntry = 2 \r\n\r\n"
               "Tape000_Name = MT-SD-0117\r\n  EntryDate = 2023-11-06\r\n  TrackPitch = 20\r\n  nPoint = "
               "21\r\n"
               "  CheckSum = 1.6\r\n  Data = "
               "0.0,0.2,0.4,0.5,0.4,0.3,0.1,-0.1,-0.3,-0.4,-0.4,-0.3,-0.2,0.0,0.1,0.3,"
               "0.4,0.3,0.2,0.1,0.0\r\n\r\n"
               "Tape001_Name = マスター基準テープ一号\r\n  EntryDate = 2024-05-27\r\n  TrackPitch = 14\r\n"
               "  nPoint = 11\r\n  CheckSum = 0.4\r\n  Data = "
               "0.0,0.3,0.5,0.4,0.1,-0.2,-0.4,-0.3,-0.1,0.1,0.0\r\n";
        morva::MainState& st = main.st;
        st.ProgramFolder = folder.string() + "/";
        morva::SettingsRecord& s = st.settings;
        s.nType_MasterTape = 2;
        s.MasterTapeTypeName[0] = "SD Master 20um,21,20";
        s.MasterTapeTypeName[1] = "Data Master 14um,11,14";
        s.n_AD_Entry = 2;
        s.AD_DeviceType[0] = "SIM-VTR-ADC";
        s.AD_nChannel[0] = 2;
        s.AD_DeviceType[1] = "SIM-1CH";
        s.AD_nChannel[1] = 1;
        s.PeakHoldTime = 10;
        s.Path_DataFile = st.ProgramFolder + "Data/";
        s.Path_SpecLine_Lin = st.ProgramFolder + "SpecLine_Lin/";
        s.Path_WorkList = st.ProgramFolder + "WorkList/";
        s.Path_DaqConfigFile = st.ProgramFolder;
        s.MakeAutoFileName = 1;
        s.MachineType = "VTR";
        s.Mode_PN = "PAL";
        s.DataFileExt = ".Morva_450";
        main.cmb_VTRmode_List.addItem("STD");
        main.cmb_VTRmode_List.setListIndex(0);
        main.cmb_MasterTapeList.addItem("MT-SD-0117");
        main.cmb_MasterTapeList.addItem("マスター基準テープ一号");
        main.cmb_MasterTapeList.setListIndex(0);
        for (int i = 0; i < 5; ++i)
            main.chk_AutoFileName(i).setValue(1);
        main.lbl_Name_AD_DeviceType.setCaption("SIM-VTR-ADC");
        main.lbl_n_AD_Channel.setCaption("2");
        st.version = morva::ProgramVersion{6, 9, 72};
        for (const char* v : {"MORVA Parameters.dat : Ver.0.50", "VTR Parameters.dat : Ver.1.20",
                              "MORVA StartupSetting.dat : Ver.0.50", "MORVA MasterTape.dat : Ver.1.00"})
            main.lst_Version.addItem(v);
        exchange.FindPath_Path = s.Path_DataFile;
        exchange.FindPath_Item = "Path_DataFile";
        exchange.FindPath_Pattern = "*.Morva_*";
    }
    void TearDown() override { fs::remove_all(folder); }

    void setLanguage(bool japanese) { main.lbl_Language.setCaption(japanese ? "Japanese" : "English"); }

    // Shows the form and checks that no control sticks out of its
    // container. Returns its picture.
    QImage shoot(forms::Form& form, const std::string& name) {
        form.show();
        settle();
        for (const auto& c : form.controls()) {
            if (!c->visible()) continue;
            const forms::Twips right = c->left() + c->width(), bottom = c->top() + c->height();
            if (const forms::Control* box = c->container()) {
                EXPECT_LE(right, box->width())
                    << name << ": " << c->displayName() << " leaves " << box->displayName();
                EXPECT_LE(bottom, box->height())
                    << name << ": " << c->displayName() << " leaves " << box->displayName();
            } else {
                EXPECT_LE(right, form.scaleWidth()) << name << ": " << c->displayName();
                EXPECT_LE(bottom, form.scaleHeight()) << name << ": " << c->displayName();
            }
        }
        QImage shot = view->windowOf(form)->grab().toImage();
        EXPECT_FALSE(shot.isNull());
        form.hide();
        settle();
        return shot;
    }
};

TEST_F(ToolDialogShots, TheMasterTapeEditorWithItsEntryPanelInBothLanguages) {
    QImage shots[2];
    for (int japanese = 0; japanese < 2; ++japanese) {
        setLanguage(japanese == 1);
        morva::FrmMasterTape ed(main);
        ed.show();
        ed.cmd_MasterTape(2).userClick();
        ed.cmb_MasterTape_Type.userSelect(1);
        ed.txt_MasterTape(0).userSetText("MT-NEW-01");
        ed.txt_MasterTape(0).userKeyDown(forms::key::Return);
        ed.txt_MasterTape(1).userSetText("0.4");
        ed.txt_MasterTape(1).userKeyDown(forms::key::Return);
        for (const char* v : {"0.0", "0.3", "0.5", "0.4"}) {
            ed.txt_MasterTape_Data.userSetText(v);
            ed.txt_MasterTape_Data.userKeyDown(forms::key::Return);
        }
        shots[japanese] = shoot(ed, japanese ? "master_tape_editor_ja" : "master_tape_editor_en");
    }
    EXPECT_NE(shots[0], shots[1]);
}

TEST_F(ToolDialogShots, TheOptionsInBothLanguagesFollowTheLanguageOption) {
    QImage shots[2];
    for (int japanese = 0; japanese < 2; ++japanese) {
        setLanguage(japanese == 1);
        main.st.flg_OptionEdit = japanese;  // the locked entries, then the open ones
        morva::FrmOption o(main, exchange);
        shots[japanese] = shoot(o, japanese ? "option_dialog_ja" : "option_dialog_en");
        EXPECT_EQ(o.opt_Language_opt(japanese ? 0 : 1).value(), true);
    }
    EXPECT_NE(shots[0], shots[1]);
}

TEST_F(ToolDialogShots, TheVersionAndTheFolderChooserInBothLanguages) {
    for (int japanese = 0; japanese < 2; ++japanese) {
        setLanguage(japanese == 1);
        morva::FrmVersion v(main);
        shoot(v, japanese ? "version_dialog_ja" : "version_dialog_en");
        EXPECT_EQ(v.Lbl_Version(1).caption(), "Version 6.972");
        morva::FrmFindPath f(main, exchange);
        shoot(f, japanese ? "find_path_dialog_ja" : "find_path_dialog_en");
        EXPECT_EQ(f.fil_FindPath.listCount(), 1);
    }
}

}  // namespace
