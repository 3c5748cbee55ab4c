#include "measure/run_steps.h"

#include <algorithm>

#include "window/run_controls.h"

namespace morva {

bool Acquire_Once(FrmMain& w) {
    if (Program_Ended(w)) return false;
    w.proc.Run_DaqAcquisition();
    // The acquisition returns with DaqBusy 0 on every path of its own; a
    // busy board here means this call was refused, not that data came.
    return w.st.daq.flg_DaqDataValid == 1 && w.st.daq.DaqBusy == 0 && !Program_Ended(w);
}

void End_FailedRun(FrmMain& w) {
    RunFlags& f = w.st.flags;
    f.flg_Measuring = 0;
    f.flg_Averaging = 0;
    f.flg_MsrLin = 0;
    f.flg_PeakHold = 0;
    f.flg_LinFinish = 0;
    f.flg_LinReset = 0;
    w.timer_PeakHold.setEnabled(false);
    if (Program_Ended(w)) return;
    w.proc.Reset_FuncCondition();
    w.pic_Info(2).setVisible(false);
}

void Send_OSP(FrmMain& w) {
    if (w.st.settings.RemoteControl == 1 && !Program_Ended(w)) Send_VTRCommand(w, "OSP");
}

int32_t SensLoopCount(int32_t nLoop_MsrSens) {
    return std::clamp(nLoop_MsrSens, 1, 20);
}

int32_t LinFinalCount(int32_t nLoop_LinFinalData) {
    return std::max(nLoop_LinFinalData, 1);
}

std::string NoSensitivityMessage(const std::string& language) {
    if (language == "Japanese") return "感度が測定されていません。先に感度測定を行ってください。";
    return "No sensitivity has been measured yet. Please measure the sensitivity first.";
}

}  // namespace morva
