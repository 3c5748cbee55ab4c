#include "measure/peak_hold_timer.h"

#include "core/numbers.h"
#include "window/run_controls.h"

namespace morva {

void Finish_LinRealTime(FrmMain& w) {
    w.timer_PeakHold.setEnabled(false);
    RunFlags& f = w.st.flags;
    f.flg_LinFinish = 1;
    f.flg_MsrLin = 0;
    f.flg_Measuring = 0;
    for (int b : {22, 25, 26})
        w.cmd_StartFunction(b).setEnabled(false);
}

void timer_PeakHold_Timer(FrmMain& w) {
    MainState& st = w.st;
    if (st.flags.flg_MsrLin != 1) {
        w.timer_PeakHold.setEnabled(false);
        return;
    }
    ++st.PeakHold_Count;
    const int32_t time = st.settings.PeakHoldTime;
    w.lbl_Info(1).setCaption(numberText(st.PeakHold_Count) + " / " + numberText(time) + " sec");
    Show_ProgBar(w, time > 0 ? ProgressPercent(st.PeakHold_Count, time) : 100);
    if (st.PeakHold_Count >= time) {
        Finish_LinRealTime(w);
        w.lbl_FuncCondition(2).setCaption("STOP");
        w.lbl_FuncCondition(3).setCaption("OFF");
    }
}

}  // namespace morva
