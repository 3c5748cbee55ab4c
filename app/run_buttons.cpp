// The run buttons of the function panels: start and stop of the real-time
// runs, averaging, peak hold and "Finish". A run loops inside the click
// that started it; the clicks that arrive meanwhile only change flags,
// labels and buttons.

#include <algorithm>

#include "app/function_buttons.h"
#include "app/sequencer_steps.h"
#include "core/numbers.h"
#include "measure/peak_hold_timer.h"
#include "window/run_controls.h"

namespace morva {

namespace {

constexpr forms::Color kValueRunning = 0xE0E0E0;  // light grey

void focusFirstVisible(FrmMain& w, std::initializer_list<int> buttons) {
    for (int b : buttons) {
        if (w.cmd_StartFunction(b).visible()) {
            w.cmd_StartFunction(b).setFocus();
            return;
        }
    }
}

}  // namespace

void SensWaveform_Button(FrmMain& w) {
    RunFlags& f = w.st.flags;
    if (f.flg_Measuring == 1) {
        w.lbl_FuncCondition(0).setCaption("STOP");
        w.lbl_FuncCondition(1).setCaption("OFF");
        w.cmd_StartFunction(12).setEnabled(false);
        w.cmd_StartFunction(13).setEnabled(true);
        Set_SelectionsEnabled(w, true);
        w.lst_WorkList.setEnabled(true);
        f.flg_Averaging = 0;
        f.flg_Measuring = 0;
        w.pic_Info(2).setVisible(false);
        w.lbl_Info(6).setVisible(false);
    } else if (f.flg_Measuring == 0) {
        // The run of a moment ago may still be unwinding.
        if (Run_InProgress(w)) return;
        w.lbl_FuncCondition(0).setCaption("START");
        w.lbl_FuncCondition(1).setCaption("OFF");
        w.cmd_StartFunction(12).setEnabled(true);
        w.cmd_StartFunction(13).setEnabled(false);
        w.cmd_StartFunction(12).setFocus();
        f.flg_Measuring = 1;
        for (int i = 0; i <= 1; ++i)
            w.lbl_SensVal(i).setBackColor(kValueRunning);
        w.pic_Info(2).setVisible(false);
        w.lbl_Info(6).setVisible(false);
        Set_SelectionsEnabled(w, false);
        w.lst_WorkList.setEnabled(false);
        Send_RemoteCommand(w, "$MS:00:32");
        Send_RemoteCommand(w, "OPL");
        w.proc.Run_MsrSens();
    }
}

void SensAveraging_Button(FrmMain& w) {
    RunFlags& f = w.st.flags;
    if (f.flg_Averaging == 1) {
        w.lbl_FuncCondition(1).setCaption("OFF");
        f.flg_Averaging = 0;
        w.pic_Info(2).setVisible(false);
    } else if (f.flg_Averaging == 0) {
        w.lbl_FuncCondition(1).setCaption("ON");
        focusFirstVisible(w, {13, 19, 14});
        // The count the run will take (a count of 0 in a model row counts as
        // one acquisition).
        const int32_t nLoop = std::clamp(w.st.msr.nLoop_MsrSens, 1, 20);
        Show_ProgBar(w, 0);
        Show_ProgBar(w, ProgressPercent(1, nLoop));
        w.lbl_Info(1).setCaption("1 / " + numberText(nLoop));
        w.lbl_Info(0).setCaption("Averaging");
        w.lbl_Info(6).setVisible(false);
        w.pic_Info(2).setVisible(true);
        f.flg_Averaging = 1;
    }
}

void LinWaveform_Button(FrmMain& w) {
    RunFlags& f = w.st.flags;
    if (f.flg_Measuring == 1) {
        w.lbl_FuncCondition(2).setCaption("STOP");
        w.lbl_FuncCondition(3).setCaption("OFF");
        w.cmd_StartFunction(22).setEnabled(false);
        w.cmd_StartFunction(23).setEnabled(true);
        w.cmd_StartFunction(25).setEnabled(false);
        w.cmd_StartFunction(26).setEnabled(false);
        w.timer_PeakHold.setEnabled(false);
        f.flg_Measuring = 0;
        f.flg_MsrLin = 0;
        w.pic_Info(2).setVisible(false);
        w.lbl_Info(6).setVisible(false);
        Set_SelectionsEnabled(w, true);
        w.lst_WorkList.setEnabled(true);
    } else if (f.flg_Measuring == 0 && !Run_InProgress(w)) {
        w.lbl_FuncCondition(2).setCaption("START");
        w.lbl_FuncCondition(3).setCaption("OFF");
        w.cmd_StartFunction(22).setEnabled(true);
        w.cmd_StartFunction(23).setEnabled(false);
        w.cmd_StartFunction(25).setEnabled(true);
        w.cmd_StartFunction(26).setEnabled(true);
        w.cmd_StartFunction(22).setFocus();
        f.flg_PeakHold = 0;
        f.flg_Measuring = 1;
        f.flg_MsrLin = 1;
        w.pic_Info(2).setVisible(false);
        w.pic_WavVal(0).setVisible(false);
        w.pic_WavVal(1).setVisible(false);
        w.lbl_Info(6).setVisible(false);
        Set_SelectionsEnabled(w, false);
        w.lst_WorkList.setEnabled(false);
        Send_RemoteCommand(w, "$MS:00:33");
        Send_RemoteCommand(w, "OPL");
        w.proc.Run_MsrLin();
        // The run has shown "Finish !!" when it finished: hiding it here
        // would take the notice away the moment it appeared.
        return;
    }
    w.lbl_Info(6).setVisible(false);
}

void LinPeakHold_Button(FrmMain& w) {
    MainState& st = w.st;
    RunFlags& f = st.flags;
    if (f.flg_PeakHold == 1) {
        w.lbl_FuncCondition(3).setCaption("OFF");
        f.flg_PeakHold = 0;
    } else if (f.flg_PeakHold == 0) {
        w.lbl_FuncCondition(3).setCaption("ON");
        focusFirstVisible(w, {23, 28, 24});
        const int32_t N = std::clamp(st.params.nData_LinWF, 0, kMaxLinPoint);
        for (size_t c = 0; c <= 1; ++c) {
            for (int32_t i = 1; i <= N; ++i) {
                const auto p = static_cast<size_t>(i);
                st.lin.WavMax[c][p] = st.lin.LinAvg[c][p];
                st.lin.WavMin[c][p] = st.lin.LinAvg[c][p];
            }
            st.lin.WavVal[c] = 0;
        }
        f.flg_PeakHold = 1;
        w.lbl_Info(0).setCaption("Peak Hold");
        w.lbl_Info(1).setCaption("0 / " + numberText(st.settings.PeakHoldTime) + " sec");
        w.lbl_Info(6).setVisible(false);
        Show_ProgBar(w, 0);
        st.PeakHold_Count = 0;
    }
    const bool on = f.flg_PeakHold != 0;
    w.pic_Info(2).setVisible(on);
    w.pic_WavVal(0).setVisible(on);
    w.pic_WavVal(1).setVisible((st.model.n_AD_channel_Lin - 1) * f.flg_PeakHold != 0);
    w.timer_PeakHold.setEnabled(on);
}

void LinFinish_Button(FrmMain& w) {
    w.lbl_Info(6).setVisible(false);
    // A click after the run ended finds nothing to finish; the flag would
    // otherwise stay for the next run.
    if (w.st.flags.flg_MsrLin != 1 && w.st.flags.flg_Measuring != 1) return;
    Finish_LinRealTime(w);
}

void MonitorWaveform_Button(FrmMain& w) {
    RunFlags& f = w.st.flags;
    if (f.flg_Measuring == 1) {
        w.lbl_FuncCondition(4).setCaption("STOP");
        f.flg_Measuring = 0;
    } else if (f.flg_Measuring == 0 && !Run_InProgress(w)) {
        w.lbl_FuncCondition(4).setCaption("START");
        f.flg_Measuring = 1;
        Send_RemoteCommand(w, "$MS:00:32");
        Send_RemoteCommand(w, "OPL");
        w.proc.Run_InputMonitor();
    }
}

}  // namespace morva
