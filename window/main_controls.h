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
    forms::ControlArray<forms::PictureBox> pic_AdvMode{"pic_AdvMode"};  // 0..4, the advanced mode's panels

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

    // Sensitivity page (pic_Page(1)): the waveform and difference graphs and
    // the two value panels.
    forms::PictureBox& pic_Graph_Sens;
    forms::PictureBox& pic_Graph_SensDiv;
    forms::ControlArray<forms::PictureBox> pic_SensVal{"pic_SensVal"};  // 0..1
    forms::ControlArray<forms::Label> lbl_SensVal{"lbl_SensVal"};       // 0..1, in pic_SensVal(i)

    // Linearity page (pic_Page(2)): per channel a graph, the overlaid
    // multi-line graph, its name panel, the value and waving panels; the
    // start-position boxes and the multi-line switch.
    forms::ControlArray<forms::PictureBox> pic_Graph_Lin{"pic_Graph_Lin"};          // 0..1
    forms::ControlArray<forms::PictureBox> pic_Graph_Lin_mlt{"pic_Graph_Lin_mlt"};  // 0..1
    forms::ControlArray<forms::PictureBox> pic_Name_LinWF{"pic_Name_LinWF"};        // 0..1
    forms::ControlArray<forms::PictureBox> pic_LinVal{"pic_LinVal"};                // 0..1
    forms::ControlArray<forms::Label> lbl_LinVal{"lbl_LinVal"};                     // 0..1, in pic_LinVal(i)
    forms::ControlArray<forms::PictureBox> pic_WavVal{"pic_WavVal"};                // 0..1
    forms::ControlArray<forms::Label> lbl_WavVal{"lbl_WavVal"};                     // 0..1, in pic_WavVal(i)
    forms::ControlArray<forms::TextBox> txt_StartPos_LinWF{"txt_StartPos_LinWF"};   // 0..3
    forms::CheckBox& chk_Dsp_LinWF_MultiLine;

    // Input-monitor page (pic_Page(3)) and its options on the monitor's
    // function panel pic_CmdMenu(3): sampling rate, points, scale type, each
    // group in its own frame; lbl_Moni(0..2) rate (Hz), points, span (ms)
    // with their titles lbl_MoniTitle(0..2).
    forms::PictureBox& pic_Graph_Moni;
    forms::Frame& frm_SamplingRate;
    forms::Frame& frm_Range;
    forms::Frame& frm_ScaleType;
    forms::ControlArray<forms::OptionButton> opt_SamplingRate{"opt_SamplingRate"};  // 0..9
    forms::ControlArray<forms::OptionButton> opt_Range{"opt_Range"};                // 0..5
    forms::ControlArray<forms::OptionButton> opt_ScaleType{"opt_ScaleType"};        // 0 points, 1 time
    forms::ControlArray<forms::Label> lbl_Moni{"lbl_Moni"};                         // 0..2
    forms::ControlArray<forms::Label> lbl_MoniTitle{"lbl_MoniTitle"};               // 0..2

    // Loaded data file (pic_Info(1)): model, mode, ..., file name.
    forms::ControlArray<forms::Label> lbl_DatInfo{"lbl_DatInfo"};  // 0..9

    // In-place editor of the serial number and comment labels (pic_Info(0)).
    forms::TextBox& txt_Input;

    // Advanced mode: the hidden switch, the two labels that reveal it and
    // unlock the options, and the five service panels in frame 2.
    // pic_AdvMode(0): the service buttons 51..55; (1): the sensitivity
    // intermediates txt_debug_sens(0..3), their captions (4) and the final
    // per-slot sensitivities (5); (2): the linearity adjustment
    // cmd_Pos_LinWF(0..4) and chk_LinOfsFix; (3): the parameter list
    // txt_debug; (4): the version list lst_Version.
    forms::ControlArray<forms::Label> lbl_AdvMode{"lbl_AdvMode"};  // 0..1
    forms::CheckBox& chk_AdvMode;
    forms::ControlArray<forms::TextBox> txt_debug_sens{"txt_debug_sens"};      // 0..5
    forms::ControlArray<forms::CommandButton> cmd_Pos_LinWF{"cmd_Pos_LinWF"};  // 0..4
    forms::CheckBox& chk_LinOfsFix;

    // Menu bar: File, View, Measurement, Tool, Help and their items.
    forms::MenuItem& mnu_File;
    // 0..3; 4..6 the exports (graph PNG, graph PNG at 2x, waveform CSV);
    // 7, 8 separators. In the menu: 0, 1, 2, 7, 4, 5, 6, 8, 3 ("End" last).
    forms::ControlArray<forms::MenuItem> mnu_FileItem{"mnu_FileItem"};
    forms::MenuItem& mnu_View;
    forms::ControlArray<forms::MenuItem> mnu_ViewItem{"mnu_ViewItem"};  // 0..1
    forms::MenuItem& mnu_Msr;
    forms::ControlArray<forms::MenuItem> mnu_MsrItem{"mnu_MsrItem"};  // 0..2
    forms::MenuItem& mnu_Tool;
    forms::ControlArray<forms::MenuItem> mnu_ToolItem{"mnu_ToolItem"};  // 0..1
    forms::MenuItem& mnu_Help;
    forms::ControlArray<forms::MenuItem> mnu_HelpItem{"mnu_HelpItem"};  // 0

    // The main page's face (pic_Page(0)): 0 the program's name, 1 its
    // version, 2 the usual road through the functions.
    forms::ControlArray<forms::Label> lbl_MainFace{"lbl_MainFace"};  // 0..2

    // The model's limit under each value's title, shown with a verdict:
    // lbl_SensLimit(i) in pic_SensVal(i), lbl_LinLimit(i) in pic_LinVal(i),
    // lbl_WavLimit(i) in pic_WavVal(i).
    forms::ControlArray<forms::Label> lbl_SensLimit{"lbl_SensLimit"};  // 0..1
    forms::ControlArray<forms::Label> lbl_LinLimit{"lbl_LinLimit"};    // 0..1
    forms::ControlArray<forms::Label> lbl_WavLimit{"lbl_WavLimit"};    // 0..1
};

// Indexes of the function buttons on each panel.
inline constexpr int kFunctionButtons[] = {0,  1,  2,  3,  4,  5,  11, 12, 13, 14, 15, 16,
                                           17, 18, 19, 21, 22, 23, 24, 25, 26, 27, 28, 31,
                                           32, 33, 41, 42, 43, 44, 51, 52, 53, 54, 55};

}  // namespace morva
