#pragma once
// The main window: one form that owns the whole shared state, its controls
// and the table of procedures the subsystems call each other through.
// There is exactly one per program (and one per test, on the test loop).

#include <cstdint>
#include <vector>

#include "core/state.h"
#include "forms/application.h"
#include "forms/form.h"
#include "window/main_controls.h"
#include "window/procedures.h"
#include "window/serial_line.h"

namespace morva {

class FrmMain : public forms::Form, public MainControls {
  public:
    explicit FrmMain(forms::Application& app);

    MainState st;
    Procedures proc;
    SerialLine serial;  // the port ComBox and the serial module's values
    // End times of the Wait_Millisec calls in progress, innermost last.
    std::vector<int64_t> DaqWaitDeadlines;

    forms::MsgResult msgBox(const std::string& prompt, int style = forms::msg::OkOnly) {
        return app().msgBox(prompt, style);
    }
    void doEvents() { app().doEvents(); }
};

// The window's language (the caption of lbl_Language, which the start-up
// settings and the option dialog set): the texts of every window and
// message follow it.
inline bool InJapanese(const FrmMain& w) {
    return w.lbl_Language.caption() == "Japanese";
}

// Cooperative delay: lets the user interface run until `Interval`
// milliseconds have passed on Daq_Wait_Timer. Other handlers (clicks,
// timers) run meanwhile, in this thread, and may wait in turn: a nested
// wait ends at its own time and then re-arms the timer for the wait it
// interrupted, so the outer wait still ends (one shared timer and flag
// alone would leave it waiting forever).
void Wait_Millisec(FrmMain& w, int16_t Interval);

}  // namespace morva
