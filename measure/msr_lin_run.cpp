#include "measure/msr_lin_run.h"

#include "core/numbers.h"
#include "measure/lin_assembly.h"
#include "measure/lin_average.h"
#include "measure/run_steps.h"
#include "window/run_controls.h"

namespace morva {

namespace {

enum class Step { Go, Stop, Failed };

int32_t channelCount(const MainState& st) {
    const int32_t c = st.settings.n_AD_Channel;
    return c < 1 ? 1 : (c > 2 ? 2 : c);
}

int32_t usedPoints(const MainState& st) {
    const int32_t n = st.params.nData_LinWF;
    return n < 0 ? 0 : (n > kMaxLinPoint ? kMaxLinPoint : n);
}

class LinRun {
  public:
    explicit LinRun(FrmMain& w) : w_(w), st_(w.st), f_(w.st.flags) {}

    void run();

  private:
    // One acquisition assembled into LinWF_Raw.
    Step acquire();
    void showProgress(const char* title, int32_t s, int32_t count);
    void showValues(bool drawEach);
    Step bufferFill();
    Step realTimePasses();
    bool finalData();
    void seedEnvelopeFromLinAvg();
    void finishedEndState();
    void autoSave();

    FrmMain& w_;
    MainState& st_;
    RunFlags& f_;
    int32_t ring_ = 1;  // nLoop_LinRealTime as the last buffer fill took it
    bool envelopeSeeded_ = false;
};

Step LinRun::acquire() {
    if (!Acquire_Once(w_)) return Step::Failed;
    if (!Assemble_LinWaveform(st_)) {
        // A line without a sensitivity would be flat 0: nothing to measure.
        w_.msgBox(NoSensitivityMessage(w_.lbl_Language.caption()), forms::msg::Exclamation);
        return Step::Failed;
    }
    return Step::Go;
}

void LinRun::showProgress(const char* title, int32_t s, int32_t count) {
    w_.lbl_Info(0).setCaption(title);
    w_.lbl_Info(1).setCaption(numberText(s) + " / " + numberText(count));
    Show_ProgBar(w_, ProgressPercent(s, count));
}

void LinRun::showValues(bool drawEach) {
    for (int32_t c = 0; c < channelCount(st_); ++c) {
        const auto i = static_cast<size_t>(c);
        w_.lbl_LinVal(c).setCaption(LinValueText(st_.lin.LinVal[i]));
        if (f_.flg_PeakHold == 1) w_.lbl_WavVal(c).setCaption(LinValueText(st_.lin.WavVal[i]));
        if (drawEach) {
            w_.proc.Draw_LinGrid();
            w_.proc.Draw_LinWF();
        }
    }
}

// Fills the moving-average ring from slot 1; Stop when the operator
// stopped or finished meanwhile.
Step LinRun::bufferFill() {
    ring_ = LinRingSize(st_.msr.nLoop_LinRealTime);
    HeldValue<int32_t> held(st_.msr.nLoop_LinRealTime, ring_);
    Show_ProgBar(w_, 0);
    w_.lbl_Info(0).setCaption("Getting Data");
    w_.pic_Info(2).setVisible(true);
    Clear_Lin(st_);
    for (int32_t s = 1; s <= ring_; ++s) {
        showProgress("Getting Data", s, ring_);
        const Step got = acquire();
        if (got == Step::Failed) return got;
        if (f_.flg_Measuring == 0) return Step::Stop;
        held.apply();
        Fill_LinBuffer(st_, s);
    }
    if (f_.flg_Measuring == 0) return Step::Stop;
    for (int32_t c = 0; c < channelCount(st_); ++c)
        Calc_LinOffsetAvg(st_, c, true);
    envelopeSeeded_ = true;
    w_.pic_Info(2).setVisible(false);
    f_.flg_LinReset = 0;
    return Step::Go;
}

// Moving-average passes until a reset (Go: fill again), a stop or finish
// (Stop) or a failure.
Step LinRun::realTimePasses() {
    HeldValue<int32_t> held(st_.msr.nLoop_LinRealTime, ring_);
    int32_t s = 1;
    for (;;) {
        const Step got = acquire();
        if (got == Step::Failed) return got;
        held.apply();
        MovAvg_LinWaveform(st_, s);
        showValues(true);
        if (f_.flg_LinReset == 1) return Step::Go;
        if (f_.flg_MsrLin == 0) return Step::Stop;
        s = s % ring_ + 1;
    }
}

void LinRun::seedEnvelopeFromLinAvg() {
    const int32_t N = usedPoints(st_);
    for (int32_t c = 0; c < channelCount(st_); ++c) {
        const auto ci = static_cast<size_t>(c);
        for (int32_t i = 1; i <= N; ++i) {
            const auto ii = static_cast<size_t>(i);
            st_.lin.WavMax[ci][ii] = st_.lin.LinAvg[ci][ii];
            st_.lin.WavMin[ci][ii] = st_.lin.LinAvg[ci][ii];
        }
        st_.lin.WavVal[ci] = 0;
    }
}

// The final acquisitions; false when one failed (nothing is shown then).
bool LinRun::finalData() {
    const int32_t count = LinFinalCount(st_.msr.nLoop_LinFinalData);
    HeldValue<int32_t> held(st_.msr.nLoop_LinFinalData, count);
    Show_ProgBar(w_, 0);
    w_.lbl_Info(0).setCaption("Averaging");
    Clear_Lin(st_);
    for (int32_t s = 1; s <= count; ++s) {
        showProgress("Averaging", s, count);
        if (acquire() != Step::Go) return false;
        held.apply();
        Add_LinFinalData(st_);
    }
    held.apply();
    Finish_LinFinalData(st_);
    // Finished before the buffer fill was through: the envelope starts at
    // the result rather than at another run's lines.
    if (!envelopeSeeded_) seedEnvelopeFromLinAvg();
    showValues(false);
    return true;
}

void LinRun::finishedEndState() {
    f_.flg_PeakHold = 1;
    w_.proc.Draw_LinGrid();
    w_.proc.Draw_LinWF();
    w_.pic_Info(2).setVisible(false);
    w_.timer_PeakHold.setEnabled(false);
    f_.flg_LinReset = 0;
    f_.flg_Measuring = 0;
    f_.flg_LinFinish = 0;
    f_.flg_MsrLin = 0;
    f_.flg_Unsaved = 1;

    w_.lbl_Info(6).setVisible(true);
    w_.lbl_FuncCondition(2).setCaption("STOP");
    w_.lbl_FuncCondition(3).setCaption("OFF");
    w_.cmd_StartFunction(2).setEnabled(true);
    w_.cmd_StartFunction(22).setEnabled(false);
    w_.cmd_StartFunction(23).setEnabled(true);
    w_.cmd_StartFunction(25).setEnabled(false);
    w_.cmd_StartFunction(26).setEnabled(false);
    if (w_.cmd_StartFunction(23).visible()) w_.cmd_StartFunction(23).setFocus();
    Set_SelectionsEnabled(w_, true);
    w_.lst_WorkList.setEnabled(true);
    w_.proc.Show_LimitVerdict(kLimitLin);
}

void LinRun::autoSave() {
    if (st_.settings.AutoSave != 1 || Program_Ended(w_)) return;
    if (st_.settings.Message_CommentInput == 1) {
        const std::string answer =
            w_.app().inputBox("Input Comment ?", "For MORVA Data File", w_.lbl_MsrInfo(1).caption());
        if (Program_Ended(w_)) return;
        if (!answer.empty()) w_.lbl_MsrInfo(1).setCaption(answer);
    }
    w_.proc.Make_AutoFileName();
    w_.proc.Write_DataFile();
}

void LinRun::run() {
    // The live values carry no verdict; the finished result gets its own.
    w_.proc.Clear_LimitVerdict(kLimitLin);
    f_.flg_LinFinish = 0;
    f_.flg_LinReset = 0;
    st_.settings.n_AD_Channel = static_cast<int16_t>(st_.model.n_AD_channel_Lin);
    st_.msr.n_Msr_channel_Lin = st_.model.n_AD_channel_Lin;
    if (f_.flg_DataLoaded == 1) Reload_ModelKeepingMode(w_);
    st_.settings.n_AD_Channel = static_cast<int16_t>(st_.model.n_AD_channel_Lin);
    st_.daq.AD_SamplingRate = st_.model.AD_SplRate_Lin;
    st_.daq.n_AD_Sample = st_.model.nADdata_Lin;

    while (f_.flg_Measuring == 1 && !Program_Ended(w_)) {
        if (f_.flg_MsrLin != 1) break;
        Step step = bufferFill();
        if (step == Step::Go) step = realTimePasses();
        if (step == Step::Failed) {
            End_FailedRun(w_);
            return;
        }
        // Go after a reset: fill again. Stop: the loop head decides.
    }
    if (Program_Ended(w_)) return;
    if (f_.flg_LinFinish == 1) {
        if (!finalData()) {
            End_FailedRun(w_);
            return;
        }
        finishedEndState();
        if (Program_Ended(w_)) return;
        Send_OSP(w_);
        autoSave();
    }
    w_.timer_PeakHold.setEnabled(false);
}

}  // namespace

void Run_MsrLin(FrmMain& w) {
    RunScope scope(w);
    if (!scope.started()) return;
    LinRun(w).run();
    w.timer_PeakHold.setEnabled(false);
    if (!Program_Ended(w) && w.st.flags.flg_Measuring != 1) Set_SelectionsEnabled(w, true);
}

}  // namespace morva
