#pragma once
// The master-tape names of "MORVA MasterTape.dat" in the main window's list
// cmb_MasterTapeList, and what choosing one does.

#include "window/frm_main.h"

namespace morva {

// Adds the version line to lst_Version and, in file order, the name of every
// entry (the value of each line beginning with "Tape" that has a key) to
// cmb_MasterTapeList. A missing file adds
// "MORVA MasterTape.dat : not found" and no name.
void Read_MasterTapeList(FrmMain& w);

// The chosen tape's name goes to lbl_Info(4); then its correction waveform is
// read (w.proc.Read_CorWF_MasterTape).
void cmb_MasterTapeList_Click(FrmMain& w);

}  // namespace morva
