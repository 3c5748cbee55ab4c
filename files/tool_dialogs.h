#pragma once
// The tool dialogs of the main window: the master-tape editor, the options,
// the version and the folder chooser, each shown modal and unloaded when
// closed.

#include "window/frm_main.h"

namespace morva {

// Binds w.proc.Show_MasterTapeEditor, Show_Options, Show_Version and
// Show_FindPath. The editor and the options do not open while a
// measurement runs (flg_Measuring 1 or a run in progress).
void Wire_ToolDialogs(FrmMain& w);

// True while a measurement or another run is in progress.
bool RunInProgress(const FrmMain& w);

}  // namespace morva
