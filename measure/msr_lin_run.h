#pragma once
// The linearity measurement run: the buffer fill, the real-time moving
// average with the optional peak hold, and after "Finish" (or the end of
// the peak-hold time) the final acquisitions, the result and the optional
// automatic save.

#include "window/frm_main.h"

namespace morva {

// Runs inside the click of the linearity "Waveform" button and returns when
// the run has ended. Does nothing while another run is in progress. A
// failed acquisition, or no measured sensitivity to build the lines with
// (one message), ends the run without a result.
void Run_MsrLin(FrmMain& w);

}  // namespace morva
