#pragma once
// The sensitivity measurement run: real-time passes until the operator
// starts averaging, then nLoop_MsrSens averaged acquisitions and the final
// result.

#include "window/frm_main.h"

namespace morva {

// Runs inside the click of the sensitivity "Waveform" button and returns
// when the run has ended: stopped by the operator (no result), ended by a
// failed acquisition (no result, the labels reset), or finished after the
// averaged acquisitions (final SensVal, "Finish !!", OSP when remote
// controlled). Does nothing while another run is in progress.
void Run_MsrSens(FrmMain& w);

}  // namespace morva
