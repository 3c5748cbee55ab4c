#pragma once
// The controls of the main window that start-up, the sequencer and the
// selections work with, by their program names. Creating them here gives
// every subsystem the same names; the layout (geometry) is the view's.

#include "forms/control_array.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/lists.h"
#include "forms/picture.h"
#include "forms/timer.h"

namespace morva {

struct MainControls {
    explicit MainControls(forms::Form& f);

    // Frames beside the splitter, pages and information panels.
    forms::ControlArray<forms::PictureBox> pic_Frame{"pic_Frame"};  // 0 band, 1 graphs, 2 menus and work list
    forms::PictureBox& pic_Border;                                  // the splitter bar
    forms::ControlArray<forms::PictureBox> pic_Page{"pic_Page"};    // 0 main, 1 sens, 2 lin, 3 monitor
    forms::ControlArray<forms::PictureBox> pic_Info{"pic_Info"};    // 0 model, 1 data file, 2 progress

    // Function panels and their buttons.
    forms::ControlArray<forms::PictureBox> pic_CmdMenu{"pic_CmdMenu"};  // 0..4
    forms::ControlArray<forms::Label> lbl_MenuTitle{"lbl_MenuTitle"};
    forms::ControlArray<forms::CommandButton> cmd_StartFunction{"cmd_StartFunction"};
    forms::ControlArray<forms::Label> lbl_FuncCondition{"lbl_FuncCondition"};  // 0..4

    // Selections.
    forms::ComboBox& cmb_ModelNameList;
    forms::ComboBox& cmb_VTRmode_List;
    forms::Frame& frm_PAL_NTSC;
    forms::ControlArray<forms::OptionButton> opt_PAL_NTSC{"opt_PAL_NTSC"};  // 0 PAL, 1 NTSC
    forms::ComboBox& cmb_MasterTapeList;

    // Information.
    forms::ListBox& lst_Version;
    forms::ControlArray<forms::Label> lbl_Info{"lbl_Info"};  // 0..6
    forms::Label& lbl_ProgBar;
    forms::ControlArray<forms::Label> lbl_MsrInfo{"lbl_MsrInfo"};  // 0 serial no., 1 comment
    // Titles: 0 model list, 1 master-tape list, 3 mode list (beside the
    // selections); 2 model, 4 master tape, 5 serial/ID, 6 comment (pic_Info(0)).
    forms::ControlArray<forms::Label> lbl_ItemTitle{"lbl_ItemTitle"};
    forms::TextBox& txt_debug;
    forms::TextBox& Text1;
    forms::TextBox& Text2;
    forms::TextBox& Text3;

    // Work list.
    forms::PictureBox& pic_WorkList;
    forms::Label& lbl_TtlWorkList;
    forms::ListBox& lst_WorkList;
    forms::ControlArray<forms::Label> lbl_WorkList{"lbl_WorkList"};  // 0..5

    // Control panel and the settings that live in controls.
    forms::PictureBox& pic_CtrlPanel;
    forms::Label& lbl_Language;
    forms::Label& lbl_FontName;
    forms::Label& lbl_FontSize;
    forms::CheckBox& chk_Dsp_WorkList;
    forms::CheckBox& chk_Dsp_CtrlPanel;
    forms::ControlArray<forms::CheckBox> chk_AutoFileName{"chk_AutoFileName"};  // 0..5
    forms::Label& lbl_Name_AD_DeviceType;
    forms::Label& lbl_n_AD_Channel;

    // Graph legends.
    forms::ControlArray<forms::Label> lbl_Name_SensWF{"lbl_Name_SensWF"};  // 0..7
    forms::ControlArray<forms::Label> lbl_Name_LinWF{"lbl_Name_LinWF"};    // 0..5

    // Remote control of the recorder.
    forms::ControlArray<forms::CommandButton> cmd_Ctrl{"cmd_Ctrl"};  // 0..5
    forms::CommandButton& cmd_Ctrl_Macro;
    forms::Label& lbl_SendCommand;
    forms::Label& lbl_RcvCommand;

    // The six timers; all start disabled.
    forms::Timer& timer1;                 // serial reply time-out, 750 ms
    forms::Timer& Daq_Wait_Timer;         // Wait_Millisec, interval per call
    forms::Timer& timer_Wait;             // 500 ms (1000 in the unload/PLAY macro)
    forms::Timer& timer_SendPLAYcommand;  // interval per start
    forms::Timer& timer_chk_AD_TRG;       // trigger-wait time-out, Interval_Timer_AD_TRG
    forms::Timer& timer_PeakHold;         // 1000 ms: the peak-hold seconds
};

// Indexes of the function buttons on each panel.
inline constexpr int kFunctionButtons[] = {0,  1,  2,  3,  4,  5,  11, 12, 13, 14, 15, 16,
                                           17, 18, 19, 21, 22, 23, 24, 25, 26, 27, 28, 31,
                                           32, 33, 41, 42, 43, 44, 51, 52, 53, 54, 55};

}  // namespace morva
