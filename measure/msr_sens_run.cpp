#include "measure/msr_sens_run.h"

#include "core/numbers.h"
#include "measure/run_steps.h"
#include "measure/sens_assembly.h"
#include "measure/sens_average.h"
#include "measure/sens_text.h"
#include "measure/sens_waveform.h"
#include "window/run_controls.h"

namespace morva {

namespace {

constexpr forms::Color kValueFinal = 0xC0FFC0;  // light green: the averaged result

void showSensValues(FrmMain& w) {
    for (int i = 0; i <= 1; ++i)
        w.lbl_SensVal(i).setCaption(formatFixed(w.st.sens.SensVal[static_cast<size_t>(i)], 1));
}

// One acquisition's waveforms, slopes and values, shown; acquisition slot
// `slot` of Sval_P/Sval_N is written.
void computePass(FrmMain& w, int32_t slot) {
    MainState& st = w.st;
    Assemble_SensWaveform(st);
    const int32_t nSlot = SensSlotCount(st.msr.nType_SensWF, st.settings.n_AD_Channel);
    for (int32_t ch = 0; ch < nSlot; ++ch)
        Calc_SensWaveform(st, ch, slot);
    w.proc.Draw_SensGrid();
    w.proc.Draw_SensWF();
    Calc_SensValue_Loop(st, slot);
    showSensValues(w);
    for (int32_t ch = 0; ch < nSlot; ++ch)
        w.txt_debug_sens(ch).setText(SensDebugText(st.sens, ch, slot));
}

void showFinalResult(FrmMain& w, int32_t nLoop) {
    MainState& st = w.st;
    {
        // The average is over the acquisitions this run counted.
        HeldValue<int32_t> count(st.msr.nLoop_MsrSens, nLoop);
        Calc_SensValue_Final(st);
    }
    for (int i = 0; i <= 1; ++i)
        w.lbl_SensVal(i).setBackColor(kValueFinal);
    showSensValues(w);
    w.proc.Show_LimitVerdict(kLimitSens);
    // The progress panel lies over the information panel that holds the
    // "Finish !!" notice: it goes, as at the end of the linearity run.
    w.pic_Info(2).setVisible(false);
    w.lbl_Info(6).setVisible(true);
    w.lbl_FuncCondition(0).setCaption("STOP");
    w.lbl_FuncCondition(1).setCaption("OFF");
    w.cmd_StartFunction(12).setEnabled(false);
    w.cmd_StartFunction(13).setEnabled(true);
    Send_OSP(w);
    if (Program_Ended(w)) return;
    if (w.cmd_StartFunction(13).visible()) w.cmd_StartFunction(13).setFocus();
    const int32_t nSlot = SensSlotCount(st.msr.nType_SensWF, st.settings.n_AD_Channel);
    w.txt_debug_sens(5).setText("");
    w.txt_debug_sens(5).setText(SensSlotText(st.sens, nSlot));
    Set_SelectionsEnabled(w, true);
}

}  // namespace

void Run_MsrSens(FrmMain& w) {
    RunScope scope(w);
    if (!scope.started()) return;
    MainState& st = w.st;
    RunFlags& f = st.flags;
    // The live values carry no verdict; the finished result gets its own.
    w.proc.Clear_LimitVerdict(kLimitSens);
    if (f.flg_DataLoaded == 1) Reload_ModelKeepingMode(w);
    f.flg_SensAvgDone = 0;
    f.flg_Averaging = 0;

    st.daq.AD_SamplingRate = st.model.AD_SplRate_Sens;
    st.daq.n_AD_Sample = st.model.nADdata_Sens;
    st.settings.n_AD_Channel = static_cast<int16_t>(st.model.n_AD_channel_Sens);
    st.msr.n_Msr_channel_Sens = st.model.n_AD_channel_Sens;
    const int32_t nLoop = SensLoopCount(st.msr.nLoop_MsrSens);

    int32_t slot = 1;
    bool failed = false;
    while (f.flg_Measuring == 1 && !Program_Ended(w)) {
        // One pass; while averaging, the passes follow each other without
        // looking at the stop flag, until the count is full.
        for (;;) {
            // Not averaging: real time writes slot 1, and averaging that is
            // switched on again starts from slot 1.
            if (f.flg_Averaging != 1) slot = 1;
            if (f.flg_Averaging == 1) {
                w.lbl_Info(1).setCaption(numberText(slot) + " / " + numberText(nLoop));
                Show_ProgBar(w, ProgressPercent(slot, nLoop));
            }
            if (!Acquire_Once(w)) {
                failed = true;
                break;
            }
            computePass(w, slot);
            if (f.flg_Averaging == 1) {
                ++slot;
                if (slot > nLoop) {
                    f.flg_Measuring = 0;
                    f.flg_SensAvgDone = 1;
                }
            }
            if (f.flg_SensAvgDone == 1 || f.flg_Averaging != 1) break;
        }
        if (failed || f.flg_SensAvgDone == 1) break;
    }

    if (failed) {
        End_FailedRun(w);
    } else if (f.flg_SensAvgDone == 1 && !Program_Ended(w)) {
        showFinalResult(w, nLoop);
    }
    f.flg_Averaging = 0;
    if (!Program_Ended(w) && f.flg_Measuring != 1) Set_SelectionsEnabled(w, true);
}

}  // namespace morva
