#pragma once
// "MORVA Parameters.dat": the fixed measurement and A/D-board parameters,
// read once at start-up from the program folder.

#include "window/frm_main.h"

namespace morva {

// Reads the file into the parameter record and the settings' parameter part
// (smoothing switches, master-tape type names, A/D modes, the board
// catalogue), sets the interval of timer_chk_AD_TRG, adds the version line to
// lst_Version, and finally shows Pos_FixOfs_LinWF in Text3.
//
// A missing file adds "MORVA Parameters.dat : not found" and leaves every
// value as it was. A file that ends inside the master-tape type names or the
// A/D entry block stops there: nType_MasterTape and n_AD_Entry then count
// only what was read completely (at most the 11 slots of their lists).
void Read_ParameterFile(FrmMain& w);

}  // namespace morva
