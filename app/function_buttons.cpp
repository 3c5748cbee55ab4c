#include "app/function_buttons.h"

#include "app/form_unload.h"
#include "app/sequencer_steps.h"
#include "window/run_controls.h"

namespace morva {

bool Run_InProgress(const FrmMain& w) {
    return w.st.flags.RunDepth > 0;
}

void cmd_StartFunction_Click(FrmMain& w, int Index) {
    if (w.st.flags.flg_Busy == 1) return;
    switch (Index) {
        case 0:
            Enter_Sensitivity(w);
            break;
        case 1:
            Enter_Linearity(w);
            break;
        case 4:
            Enter_InputMonitor(w);
            break;
        case kExitButton:
            Exit_Program(w);
            break;
        case 11:
            SensWaveform_Button(w);
            break;
        case 12:
            SensAveraging_Button(w);
            break;
        case 13:
        case 23:
            w.lbl_Info(6).setVisible(false);
            WorkList_Next(w);
            break;
        case 14:
        case 24:
        case 32:
            MainMenu_Button(w, Index);
            break;
        case 19:
            if (Run_InProgress(w)) break;
            w.lbl_Info(6).setVisible(false);
            w.cmd_StartFunction(1).setValue(true);
            break;
        case 21:
            LinWaveform_Button(w);
            break;
        case 22:
            LinPeakHold_Button(w);
            break;
        case 25:
            LinFinish_Button(w);
            break;
        case 26:
            w.st.flags.flg_LinReset = 1;
            break;
        case 28:
            if (Run_InProgress(w)) break;
            w.cmd_StartFunction(0).setValue(true);
            break;
        case 31:
            MonitorWaveform_Button(w);
            break;
        case 2:
        case 3:
        case 27:
        case 41:
        case 42:
        case 43:
        case 44:
        case 51:
        case 52:
        case 53:
        case 54:
        case 55:
            DataFile_Button(w, Index);
            break;
        default:
            // 15 to 18 ("<<", ">>", "<", ">") and 33 ("Calibration") have
            // no action.
            break;
    }
}

void Reset_FuncCondition(FrmMain& w) {
    const char* captions[] = {"STOP", "OFF", "STOP", "OFF", "STOP"};
    for (int i = 0; i <= 4; ++i)
        w.lbl_FuncCondition(i).setCaption(captions[i]);
    for (int b : {12, 13, 22, 23, 25, 26})
        w.cmd_StartFunction(b).setEnabled(false);
    w.lst_WorkList.setEnabled(true);
    w.pic_Info(0).setVisible(true);
    w.pic_Info(1).setVisible(false);
    w.pic_Info(2).setVisible(false);
}

void Return_MainMenu(FrmMain& w) {
    RunFlags& f = w.st.flags;
    f.flg_Measuring = 0;
    f.flg_Averaging = 0;
    f.flg_LinReset = 0;
    f.flg_LinFinish = 0;
    f.flg_MsrLin = 0;
    w.pic_Page(0).setVisible(true);
    for (int i = 1; i <= 3; ++i)
        w.pic_Page(i).setVisible(false);
    w.pic_CmdMenu(0).setVisible(true);
    for (int i = 1; i <= 4; ++i)
        w.pic_CmdMenu(i).setVisible(false);
    w.pic_Info(2).setVisible(false);
    Set_SelectionsEnabled(w, true);
    w.lst_WorkList.setListIndex(-1);
    w.lst_WorkList.setEnabled(true);
    w.cmd_StartFunction(13).setVisible(false);
    w.cmd_StartFunction(23).setVisible(false);
    w.timer_PeakHold.setEnabled(false);
    w.lbl_Info(6).setVisible(false);
}

}  // namespace morva
