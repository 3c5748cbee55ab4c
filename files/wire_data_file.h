#pragma once
// Binds the data-file procedures of w.proc: Write_DataFile, Read_DataFile,
// Make_AutoFileName, Show_DataSave and Show_DataLoad.

#include "window/frm_main.h"

namespace morva {

void Wire_DataFile(FrmMain& w);

}  // namespace morva
