#pragma once
// The advanced mode: a check box, revealed by a double click on a hidden
// label, that shows the five service panels pic_AdvMode(0..4) beside the
// function panel, widens the window for them, lets the splitter be dragged
// and measures linearity on every A/D channel. A double click on the second
// label unlocks the locked entries of the options dialog.

#include "window/frm_main.h"

namespace morva {

// The least window height that shows the service panels.
inline constexpr forms::Twips kAdvModeWindowHeight = 5500;
// The graph frame never gives up more than this to keep the window on
// the screen.
inline constexpr forms::Twips kAdvModeMinGraphFrame = 2000;

void lbl_AdvMode_DblClick(FrmMain& w, int Index);
void chk_AdvMode_Click(FrmMain& w);

// Installs the handlers above.
void Wire_AdvancedMode(FrmMain& w);

}  // namespace morva
