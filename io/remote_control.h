#pragma once
// Remote control of the recorder from the main window: the control-panel
// buttons, the "Unload/PLAY" macro, the repeated PLAY command and the
// wiring of the serial handlers.

#include <cstdint>
#include <string>

#include "window/frm_main.h"

namespace morva {

// The command of each remote-control button cmd_Ctrl(0..5).
inline constexpr int kCtrlButtons = 6;
inline constexpr const char* kCtrlCommand[kCtrlButtons] = {"OPL", "OSP", "OFF", "ORW", "OEJ", "$MS:00:30"};

// Sends CommandText and shows the transaction: lbl_SendCommand gets the
// command, lbl_RcvCommand the reply text.
void Show_Transaction(FrmMain& w);

void cmd_Ctrl_Click(FrmMain& w, int index);
void cmd_Ctrl_Macro_Click(FrmMain& w, int index);

// Starts sending "OPL" `times` times, one every `interval` ms, the first one
// interval after the call; returns at once.
void SendPLAYcommand(FrmMain& w, int16_t interval, int16_t times);

void timer_SendPLAYcommand_Timer(FrmMain& w);
void timer_Wait_Timer(FrmMain& w);

// Installs the serial handlers (timer1, timer_Wait, timer_SendPLAYcommand,
// cmd_Ctrl, cmd_Ctrl_Macro) and binds RS232C_Command and GetDriveInfo_VEKO.
void Wire_RemoteControl(FrmMain& w);

}  // namespace morva
