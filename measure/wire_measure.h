#pragma once
// The measurement subsystem's part of the main window: the two runs, the
// peak-hold timer, the master-tape correction and its smoothing bound to
// the procedure table, and the handlers of the linearity page's switches
// and the manual adjustment buttons.

#include "window/frm_main.h"

namespace morva {

// The tape selection's correction: CorWF read for the tape selected in
// cmb_MasterTapeList (0 and one message naming the reason when it cannot
// be read); in advanced mode the grid is redrawn with the correction and
// lbl_LinVal(0) shows its span.
void Read_CorWF_MasterTape(FrmMain& w);

// Stores the check box's value and redraws the pages that show it.
void chk_Dsp_LinWF_MultiLine_Click(FrmMain& w);

// Binds Run_MsrSens, Run_MsrLin, Read_CorWF_MasterTape and
// Smooth_CorWF_MasterTape; installs timer_PeakHold, chk_Dsp_LinWF_MultiLine,
// chk_LinOfsFix and cmd_Pos_LinWF(0..4).
void Wire_Measure(FrmMain& w);

}  // namespace morva
