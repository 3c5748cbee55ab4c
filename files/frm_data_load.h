#pragma once
// The load dialog: the folder, the data files of the model (or of every
// model), and what the selected file says about itself. Load hands the
// folder and name to the main window and presses its OpenFile button (52),
// which reads the file.

#include <string>

#include "forms/control_array.h"
#include "forms/controls.h"
#include "forms/file_lists.h"
#include "forms/form.h"
#include "forms/lists.h"
#include "window/frm_main.h"

namespace morva {

class FrmDataLoad : public forms::Form {
  public:
    explicit FrmDataLoad(FrmMain& main);

    forms::ComboBox& cmb_Load;  // 0 the model's files, 1 every model's
    forms::DriveList& drv_Load;
    forms::DirList& dir_Load;
    forms::FileList& flst_Load;
    forms::ControlArray<forms::Label> lbl_Load{"lbl_Load"};  // 0 folder, 1 number of files
    // 0 machine type, 1 file name or filter, 2 model, 3 mode, 4 PAL/NTSC,
    // 5 serial, 6 comment, 7 date, 8 time.
    forms::ControlArray<forms::Label> lbl_FileInfo{"lbl_FileInfo"};
    forms::ControlArray<forms::Label> lbl_FileInfoTitle{"lbl_FileInfoTitle"};  // their titles
    forms::ControlArray<forms::CommandButton> cmd_Load{"cmd_Load"};            // 0 load, 1 cancel

    // Shows the identification lines of the file named by lbl_FileInfo(1).
    void ShowFileInfo();

  private:
    void layout();
    void setCaptions(bool japanese);
    void open();
    void filterChosen();
    void showFolder();
    void load();

    FrmMain& w_;
    bool japanese_ = false;
};

void Show_DataLoad(FrmMain& w);

}  // namespace morva
