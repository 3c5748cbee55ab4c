#include "measure/wire_measure.h"

#include "measure/lin_adjust.h"
#include "measure/master_tape_correction.h"
#include "measure/msr_lin_run.h"
#include "measure/msr_sens_run.h"
#include "measure/peak_hold_timer.h"

namespace morva {

void Read_CorWF_MasterTape(FrmMain& w) {
    const CorWFDisplay shown = morva::Read_CorWF_MasterTape(w.st, w.cmb_MasterTapeList.text());
    if (!shown.ok) w.msgBox(shown.failureText, forms::msg::Exclamation);
    if (shown.drawCorWF) {
        w.proc.Draw_LinGrid();
        w.proc.Draw_CorWF();
        w.lbl_LinVal(0).setCaption(shown.linValText);
    }
}

void chk_Dsp_LinWF_MultiLine_Click(FrmMain& w) {
    w.st.flg_Dsp_LinWF_MultiLine = static_cast<int16_t>(w.chk_Dsp_LinWF_MultiLine.value() == 1 ? 1 : 0);
    w.proc.Set_View();
    w.proc.Draw_LinGrid();
    w.proc.Draw_LinWF();
    w.proc.Draw_SensWF();
}

namespace {

void cmd_Pos_LinWF(FrmMain& w, int Index) {
    if (!cmd_Pos_LinWF_Click(w.st, Index)) return;
    for (int k = 0; k <= 3; ++k)
        w.txt_StartPos_LinWF(k).setText(StartPos_LinWF_Text(w.st.msr, k));
}

}  // namespace

void Wire_Measure(FrmMain& w) {
    w.proc.Run_MsrSens.bind([&w] { Run_MsrSens(w); });
    w.proc.Run_MsrLin.bind([&w] { Run_MsrLin(w); });
    w.proc.Read_CorWF_MasterTape.bind([&w] { Read_CorWF_MasterTape(w); });
    w.proc.Smooth_CorWF_MasterTape.bind(
        [&w] { Smooth_CorWF_MasterTape(w.st.lin, w.st.params.nData_LinWF, w.st.params.Mask_SmoothCorWF); });
    w.timer_PeakHold.Tick = [&w] { timer_PeakHold_Timer(w); };
    w.chk_Dsp_LinWF_MultiLine.Click = [&w] { chk_Dsp_LinWF_MultiLine_Click(w); };
    w.chk_LinOfsFix.Click = [&w] {
        w.st.lin.flg_LinOfsFix = static_cast<int16_t>(w.chk_LinOfsFix.value() == 1 ? 1 : 0);
    };
    w.cmd_Pos_LinWF.on(&forms::Control::Click, [&w](int i) { cmd_Pos_LinWF(w, i); });
}

}  // namespace morva
