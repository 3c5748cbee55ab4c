#pragma once
// What the sequencer and the measurement runs both do to the window: lock
// the selections while a run measures, send the recorder one command and
// show the exchange, place the progress bar, keep count of the runs in
// progress, and keep the selected tape mode across a reload of the model.

#include <cstdint>
#include <string>

#include "window/frm_main.h"

namespace morva {

// The tape-mode list and, with it, the model list, the PAL/NTSC frame and
// the master-tape list: a run measures with the selections it started with.
void Set_SelectionsEnabled(FrmMain& w, bool enabled);

// CommandText = `command`, shown in lbl_SendCommand; the reply of the serial
// transaction is shown in lbl_RcvCommand.
void Send_VTRCommand(FrmMain& w, const std::string& command);

// ProgBarStep = `percent` (0..100) and the bar's left edge placed at that
// share of the progress panel.
void Show_ProgBar(FrmMain& w, int32_t percent);

// near(part / whole x 100); 0 for a whole below 1.
int32_t ProgressPercent(int32_t part, int32_t whole);

// True once the program has ended (the window was closed or "Exit"):
// every run loop stops at once.
bool Program_Ended(FrmMain& w);

// Counts a run in progress for its lifetime (also when a wait of the test
// loop throws). A run is started only when no other is in progress:
// `started()` is false when one was, and the scope then counts nothing.
class RunScope {
  public:
    explicit RunScope(FrmMain& w);
    ~RunScope();
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;
    bool started() const { return started_; }

  private:
    FrmMain& w_;
    bool started_;
};

// Selects `mode` in cmb_VTRmode_List when the list holds it and it is not
// selected already (the selection derives the mode's parameters); false
// when the list does not hold it.
bool Select_VTRmode(FrmMain& w, const std::string& mode);

// Set_ModelParameters rebuilds the mode list and selects its first entry;
// this reloads the model and selects again the mode that was selected.
void Reload_ModelKeepingMode(FrmMain& w);

}  // namespace morva
