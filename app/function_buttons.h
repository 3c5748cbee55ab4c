#pragma once
// The click handler of the function buttons cmd_StartFunction (all panels).
// So far it serves the main menu's "Exit" (5); the other functions are
// added as their runs and dialogs exist.

#include "window/frm_main.h"

namespace morva {

inline constexpr int kExitButton = 5;

// Does nothing while flg_Busy is 1 (the window is loading or a selection is
// being processed).
void cmd_StartFunction_Click(FrmMain& w, int Index);

}  // namespace morva
