#pragma once
// The save dialog: the folder, the files of the model's data-file type, the
// serial number, comment and file name, the automatic-name switch. Save
// hands the folder and name to the main window and presses its SaveFile
// button (51), which writes the file.

#include <string>

#include "forms/control_array.h"
#include "forms/controls.h"
#include "forms/file_lists.h"
#include "forms/form.h"
#include "forms/lists.h"
#include "window/frm_main.h"

namespace morva {

class FrmDataSave : public forms::Form {
  public:
    explicit FrmDataSave(FrmMain& main);

    forms::ControlArray<forms::TextBox> Txt_Save{"Txt_Save"};  // 0 serial/ID, 1 comment, 2 file name
    forms::CheckBox& chk_Save;                                 // build the name automatically
    forms::ComboBox& Cmb_Save;                                 // file type
    forms::DriveList& Drive_Save;
    forms::DirList& Dir_Save;
    forms::FileList& FileList_Save;
    // 0 the folder; 1..5 titles of the serial, comment, name, type and folder.
    forms::ControlArray<forms::Label> Lbl_Save{"Lbl_Save"};
    forms::ControlArray<forms::CommandButton> Cmd_Save{"Cmd_Save"};  // 0 save, 1 cancel

  private:
    void layout();
    void setCaptions(bool japanese);
    void open();
    void composeName();
    void save();
    void close();

    FrmMain& w_;
    // The name the automatic switch put into Txt_Save(2) last.
    std::string autoName_;
};

// Shows the save dialog modally; refused during a run; a second call while
// it is open brings the open one to the front.
void Show_DataSave(FrmMain& w);

}  // namespace morva
