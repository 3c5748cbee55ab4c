#pragma once
// In-place editing of the serial number / ID and the comment of the
// measurement-information panel (lbl_MsrInfo(0) and (1)): one hidden text
// box, txt_Input, opens over the clicked label. While it has the focus the
// visible function page lends it the Enter and Esc roles of its run and
// "Main Menu" buttons; the edit keeps the typed text however it ends
// (Enter, Esc or a click elsewhere) and gives the roles back.

#include "window/frm_main.h"

namespace morva {

void lbl_MsrInfo_Click(FrmMain& w, int Index);
void txt_Input_GotFocus(FrmMain& w);
void txt_Input_KeyDown(FrmMain& w, int KeyCode);
void txt_Input_LostFocus(FrmMain& w);

// Installs the handlers above.
void Wire_InPlaceEdit(FrmMain& w);

}  // namespace morva
