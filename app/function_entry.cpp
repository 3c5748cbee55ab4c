// Entering the sensitivity, linearity and input-monitor functions, and
// leaving them through their "Main Menu" buttons.

#include "app/function_buttons.h"
#include "app/sequencer_steps.h"
#include "window/run_controls.h"

namespace morva {

namespace {

constexpr int kPages = 4;
constexpr int kPanels = 5;

// nType_SensWF by head count and A/D channels; other combinations keep it.
void chooseSensWaveformType(MainState& st) {
    const int32_t heads = st.model.nHead;
    const int32_t channels = st.settings.n_AD_Channel;
    int32_t& type = st.msr.nType_SensWF;
    if (heads == 2) {
        type = 4;
    } else if (heads == 4 && (channels == 1 || channels == 2)) {
        type = 2;
    } else if (heads == 8 && channels == 1) {
        type = 2;
    } else if (heads == 8 && channels == 2) {
        type = 4;
    }
}

}  // namespace

void Send_RemoteCommand(FrmMain& w, const char* command) {
    if (w.st.settings.RemoteControl == 1 && !Program_Ended(w)) Send_VTRCommand(w, command);
}

void Enter_Function(FrmMain& w, int page, int panel, int runButton, int menuButton) {
    for (int i = 0; i < kPages; ++i)
        w.pic_Page(i).setVisible(i == page);
    // The data-file panel (4) lies under the others too: one panel shows.
    for (int i = 0; i < kPanels; ++i)
        w.pic_CmdMenu(i).setVisible(i == panel);
    w.cmd_StartFunction(runButton).setDefault(true);
    w.cmd_StartFunction(menuButton).setCancel(true);
    w.cmd_StartFunction(runButton).setFocus();
}

void Enter_Sensitivity(FrmMain& w) {
    if (Run_InProgress(w)) return;
    MainState& st = w.st;
    Reset_FuncCondition(w);
    Send_RemoteCommand(w, "$MS:00:30");
    if (Program_Ended(w)) return;
    Enter_Function(w, 1, 1, 11, 14);
    // The model's row again, in the tape mode selected (a work-list item
    // selected its own mode just before).
    Reload_ModelKeepingMode(w);
    st.daq.n_AD_Sample = st.model.nADdata_Sens;
    st.settings.n_AD_Channel = static_cast<int16_t>(st.model.n_AD_channel_Sens);
    st.msr.n_Msr_channel_Sens = st.model.n_AD_channel_Sens;
    chooseSensWaveformType(st);
    w.pic_SensVal(1).setVisible(st.msr.nType_SensWF * st.model.n_AD_channel_Sens > 2);
}

void Enter_Linearity(FrmMain& w) {
    if (Run_InProgress(w)) return;
    MainState& st = w.st;
    Reset_FuncCondition(w);
    Send_RemoteCommand(w, "$MS:00:30");
    if (st.settings.RemoteControl == 1 && w.serial.flg_RS232C_Reply != 0) w.proc.GetDriveInfo_VEKO();
    if (Program_Ended(w)) return;
    if (st.settings.Message_SerialInput == 1) {
        const std::string answer =
            w.app().inputBox("Input Serial No./ID ?", "For MORVA Data File", w.lbl_MsrInfo(0).caption());
        if (Program_Ended(w)) return;
        if (!answer.empty()) w.lbl_MsrInfo(0).setCaption(answer);
    } else {
        // The drive tester's serial even when empty: a stale one would label
        // this drive's data with the previous drive's number.
        w.lbl_MsrInfo(0).setCaption(st.VEKO_Info[0]);
    }
    Enter_Function(w, 2, 2, 21, 24);
}

void Enter_InputMonitor(FrmMain& w) {
    if (Run_InProgress(w)) return;
    Send_RemoteCommand(w, "$MS:00:30");
    if (Program_Ended(w)) return;
    Reset_FuncCondition(w);
    Enter_Function(w, 3, 3, 31, 32);
    w.opt_Range(0).setEnabled(w.st.settings.n_AD_Channel == 1);
}

void MainMenu_Button(FrmMain& w, int Index) {
    w.lbl_Info(6).setVisible(false);
    Return_MainMenu(w);
    // From the sensitivity panel the linearity comes next; from the others
    // the sensitivity.
    w.cmd_StartFunction(Index == 14 ? 1 : 0).setFocus();
}

}  // namespace morva
