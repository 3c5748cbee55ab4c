#pragma once
// The sequencer's steps, one file per seam: entering a function
// (function_entry.cpp), the run buttons (run_buttons.cpp), the data-file
// and service buttons (data_file_buttons.cpp) and the work list
// (work_list.cpp). cmd_StartFunction_Click dispatches to them.

#include "window/frm_main.h"

namespace morva {

// True while a run is in progress: nothing may start.
bool Run_InProgress(const FrmMain& w);

// Shows exactly one page and one function panel, makes the run button the
// default (Enter) and the "Main Menu" button the cancel button (Esc), and
// gives the run button the focus.
void Enter_Function(FrmMain& w, int page, int panel, int runButton, int menuButton);

// Sends a command to the recorder when RemoteControl is 1.
void Send_RemoteCommand(FrmMain& w, const char* command);

// Function entries and the "Main Menu" buttons.
void Enter_Sensitivity(FrmMain& w);           // 0
void Enter_Linearity(FrmMain& w);             // 1
void Enter_InputMonitor(FrmMain& w);          // 4
void MainMenu_Button(FrmMain& w, int Index);  // 14, 24, 32

// Run buttons.
void SensWaveform_Button(FrmMain& w);     // 11
void SensAveraging_Button(FrmMain& w);    // 12
void LinWaveform_Button(FrmMain& w);      // 21
void LinPeakHold_Button(FrmMain& w);      // 22
void LinFinish_Button(FrmMain& w);        // 25
void MonitorWaveform_Button(FrmMain& w);  // 31

// Data file and service buttons: 2, 3, 27, 41..44, 51..55.
void DataFile_Button(FrmMain& w, int Index);

// "Next" (13, 23): the next work-list item, the first after the last.
void WorkList_Next(FrmMain& w);

}  // namespace morva
