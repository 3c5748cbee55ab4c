#pragma once
// frmFindPath: a folder chooser. Starts in FindPath_Path (the program folder
// when that does not exist), lists the files matching FindPath_Pattern, and
// on OK hands back the folder shown, ending in "/".

#include "files/find_path_exchange.h"
#include "forms/control_array.h"
#include "forms/controls.h"
#include "forms/file_lists.h"
#include "forms/form.h"
#include "window/frm_main.h"

namespace morva {

class FrmFindPath : public forms::Form {
  public:
    FrmFindPath(FrmMain& main, FindPathExchange& exchange);

    FrmMain& main;
    forms::DriveList& drv_FindPath;
    forms::DirList& dir_FindPath;
    forms::FileList& fil_FindPath;
    forms::ControlArray<forms::Label> lbl_FindPath{"lbl_FindPath"};  // 0 the folder, 1 the number of files
    // 0 OK, 1 Cancel, 2 up to the parent folder.
    forms::ControlArray<forms::CommandButton> cmd_FindPath{"cmd_FindPath"};

  private:
    void Form_Load();
    void showFolder(const std::string& folder);
    FindPathExchange& exchange_;
};

}  // namespace morva
