#include "window/frm_main.h"

namespace morva {

FrmMain::FrmMain(forms::Application& app)
    : forms::Form(app, "frmMain"), MainControls(static_cast<forms::Form&>(*this)) {
    Daq_Wait_Timer.Tick = [this] { st.flags.flg_DaqWaitElapsed = 1; };
}

void Wait_Millisec(FrmMain& w, int16_t Interval) {
    auto& loop = w.loop();
    // A wait of 0 ms (or less) has no tick to wait for: it only lets
    // pending events run once.
    if (Interval <= 0) {
        w.doEvents();
        return;
    }
    int64_t deadline = loop.nowMs() + Interval;
    w.DaqWaitDeadlines.push_back(deadline);
    w.Daq_Wait_Timer.setInterval(Interval);
    w.st.flags.flg_DaqWaitElapsed = 0;
    w.Daq_Wait_Timer.setEnabled(true);
    while (w.st.flags.flg_DaqWaitElapsed != 1 && loop.nowMs() < deadline && !w.app().ended())
        loop.waitEvents();
    w.Daq_Wait_Timer.setEnabled(false);
    w.st.flags.flg_DaqWaitElapsed = 0;
    w.DaqWaitDeadlines.pop_back();
    if (!w.DaqWaitDeadlines.empty()) {
        // Re-arm for the interrupted wait: the rest of its time, at least 1 ms.
        int64_t rest = w.DaqWaitDeadlines.back() - loop.nowMs();
        w.Daq_Wait_Timer.setInterval(static_cast<int32_t>(rest < 1 ? 1 : rest));
        w.Daq_Wait_Timer.setEnabled(true);
    }
}

}  // namespace morva
