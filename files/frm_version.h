#pragma once
// frmVersion: the program's version and the versions of the files read at
// start-up (the lines of the main window's lst_Version).

#include "forms/control_array.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/lists.h"
#include "window/frm_main.h"

namespace morva {

class FrmVersion : public forms::Form {
  public:
    explicit FrmVersion(FrmMain& main);

    FrmMain& main;
    forms::ControlArray<forms::Label> Lbl_Version{"Lbl_Version"};  // 0 the program, 1 its version
    forms::ListBox& list_DatVer;
    forms::CommandButton& Cmd_VerInfo;

  private:
    void Form_Load();
};

}  // namespace morva
