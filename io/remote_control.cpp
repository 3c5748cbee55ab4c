#include "io/remote_control.h"

#include "io/drive_tester.h"
#include "io/rs232c.h"

namespace morva {

namespace {

// timer_Wait's interval outside the macro, and the macro's pause.
constexpr int32_t kWaitInterval = 500;
constexpr int32_t kMacroPauseMs = 1000;
constexpr int16_t kMacroPlayInterval = 2000;
constexpr int16_t kMacroPlayTimes = 6;

// Lets the user interface run until timer_Wait has ticked once.
void waitOnTimerWait(FrmMain& w, int32_t ms) {
    w.timer_Wait.setInterval(ms);
    w.timer_Wait.setEnabled(true);
    while (w.st.flags.flg_WaitElapsed != -1 && !w.app().ended())
        w.loop().waitEvents();
    w.timer_Wait.setEnabled(false);
    w.st.flags.flg_WaitElapsed = 0;
    w.timer_Wait.setInterval(kWaitInterval);
}

}  // namespace

void Show_Transaction(FrmMain& w) {
    w.lbl_SendCommand.setCaption(w.st.CommandText);
    w.lbl_RcvCommand.setCaption(RS232C_Command(w, w.st.CommandText));
}

void cmd_Ctrl_Click(FrmMain& w, int index) {
    if (index < 0 || index >= kCtrlButtons) return;
    w.pic_CtrlPanel.setEnabled(false);
    // The operator's button wins over the PLAYs still pending (of the
    // "Unload/PLAY" macro): a STOP must leave the recorder stopped.
    w.timer_SendPLAYcommand.setEnabled(false);
    w.serial.PLAYtimes = w.serial.PLAYcount;
    w.st.CommandText = kCtrlCommand[index];
    if (index >= 1) w.pic_Info(0).setFocus();
    Show_Transaction(w);
    w.pic_CtrlPanel.setEnabled(true);
}

void cmd_Ctrl_Macro_Click(FrmMain& w, int index) {
    if (index != 0) return;  // "Unload/PLAY" is the only macro
    w.pic_CtrlPanel.setEnabled(false);
    w.st.CommandText = "OEJ";
    Show_Transaction(w);
    waitOnTimerWait(w, kMacroPauseMs);
    SendPLAYcommand(w, kMacroPlayInterval, kMacroPlayTimes);
    w.pic_CtrlPanel.setEnabled(true);
    w.pic_Info(0).setFocus();
}

void SendPLAYcommand(FrmMain& w, int16_t interval, int16_t times) {
    w.serial.PLAYcount = 0;
    w.serial.PLAYtimes = times;
    if (times <= 0 || interval <= 0) {
        // Nothing to send: a count that can never be reached would repeat
        // PLAY for ever.
        w.timer_SendPLAYcommand.setEnabled(false);
        return;
    }
    w.timer_SendPLAYcommand.setInterval(interval);
    w.timer_SendPLAYcommand.setEnabled(true);
}

void timer_SendPLAYcommand_Timer(FrmMain& w) {
    w.st.CommandText = "OPL";
    Show_Transaction(w);
    ++w.serial.PLAYcount;
    if (w.serial.PLAYcount >= w.serial.PLAYtimes) w.timer_SendPLAYcommand.setEnabled(false);
}

void timer_Wait_Timer(FrmMain& w) {
    w.st.flags.flg_WaitElapsed = -1;
}

void Wire_RemoteControl(FrmMain& w) {
    w.timer1.Tick = [&w] { timer1_Timer(w); };
    w.timer_Wait.Tick = [&w] { timer_Wait_Timer(w); };
    w.timer_SendPLAYcommand.Tick = [&w] { timer_SendPLAYcommand_Timer(w); };
    w.cmd_Ctrl.on(&forms::Control::Click, [&w](int i) { cmd_Ctrl_Click(w, i); });
    w.cmd_Ctrl_Macro.Click = [&w] { cmd_Ctrl_Macro_Click(w, 0); };
    w.proc.RS232C_Command.bind([&w](const std::string& command) { return RS232C_Command(w, command); });
    w.proc.GetDriveInfo_VEKO.bind([&w] { GetDriveInfo_VEKO(w); });
}

}  // namespace morva
