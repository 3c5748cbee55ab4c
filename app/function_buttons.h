#pragma once
// The sequencer: the click handler of the function buttons
// cmd_StartFunction (every panel), the two procedures that put the panels
// back, and the work-list guidance that presses the buttons for the
// operator.

#include "window/frm_main.h"

namespace morva {

inline constexpr int kExitButton = 5;

// Does nothing while flg_Busy is 1 (the window is loading or a selection is
// being processed). While a run is in progress (RunDepth above 0) no run
// starts, no function is entered (0, 1, 4, 19, 28) and no data file is
// loaded (3, 44, 52); the stop, averaging, peak-hold, finish, reset and
// "Main Menu" buttons act on the running run.
void cmd_StartFunction_Click(FrmMain& w, int Index);

// Condition labels "STOP", "OFF", "STOP", "OFF", "STOP"; buttons 12, 13,
// 22, 23, 25, 26 disabled; the work list enabled; pic_Info(0) shown, (1)
// and (2) hidden.
void Reset_FuncCondition(FrmMain& w);

// Ends whatever runs (the run flags cleared) and shows the main menu and
// the main page; the selections and the work list enabled, no item
// selected, "Next" hidden, the peak-hold timer stopped.
void Return_MainMenu(FrmMain& w);

// Applies the picked work-list item: its connection texts, its tape mode
// (selected by name) and its measurement ("GAIN" in the name enters the
// sensitivity, "LIN" the linearity function, both in that order).
void lst_WorkList_Click(FrmMain& w);

// The connection texts of the selected item for the A/D board's channel
// count (lbl_n_AD_Channel): "1" test points 0, -, 1; "2" test points 2, 3,
// 4; another count leaves the labels.
void Show_WorkListTexts(FrmMain& w);

}  // namespace morva
