#pragma once
// The peak-hold seconds of a linearity measurement ("Waving"): the timer
// counts them and, when PeakHoldTime is reached, ends the real-time passes
// as "Finish" does.

#include "window/frm_main.h"

namespace morva {

// One tick of timer_PeakHold (1000 ms). Does nothing unless a linearity
// real-time measurement is running (flg_MsrLin 1). A PeakHoldTime of 0 or
// less finishes at the first tick.
void timer_PeakHold_Timer(FrmMain& w);

// The end of the real-time passes that "Finish" and the end of the
// peak-hold time share: the timer stopped, the run told to take its final
// data, and the buttons that would change the result meanwhile ("Waving",
// "Finish", "Reset") disabled.
void Finish_LinRealTime(FrmMain& w);

}  // namespace morva
