#pragma once
// The menu bar: File, View, Measurement, Tool and Help. Most items press a
// function button (the sequencer then runs exactly as for a click); the View
// items toggle the work-list and control-panel boxes; Tool and Help open the
// dialogs; the File menu's exports write the page's graphs (PNG) and the
// result's waveforms (CSV). The items that would do nothing during a run
// are greyed out while one is active, the exports also while there is
// nothing to export; opening a menu and the start and end of every run
// bring the marks and states up to date.

#include "window/frm_main.h"

namespace morva {

void mnu_FileItem_Click(FrmMain& w, int Index);
void mnu_ViewItem_Click(FrmMain& w, int Index);
void mnu_MsrItem_Click(FrmMain& w, int Index);
void mnu_ToolItem_Click(FrmMain& w, int Index);
void mnu_HelpItem_Click(FrmMain& w, int Index);

// A run is active: flg_Measuring is 1 or a run has not returned yet.
bool Run_Active(const FrmMain& w);

// Check marks of the View items and the enabled state of every item.
void Refresh_MenuStates(FrmMain& w);

// Installs the menu handlers and the keys; wraps the run procedures so that
// the menus follow their start and end. Call it after the subsystems have
// bound Run_MsrSens, Run_MsrLin and Run_InputMonitor.
void Wire_Menus(FrmMain& w);

}  // namespace morva
