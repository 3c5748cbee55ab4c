#pragma once
// Installs the handlers of the model, mode, PAL/NTSC and master-tape
// selections and binds the file procedures other subsystems call
// (Read_WorkListFile, Read_SpecLineFile, Show_ParameterList).

#include "window/frm_main.h"

namespace morva {

void Wire_Files(FrmMain& w);

}  // namespace morva
