#pragma once
// The design of the graph pages' controls (their sizes, colours and design
// captions; Set_View places them), the input monitor's options on its
// function panel, the loaded data file's information panel, the in-place
// editor and the five advanced-mode panels.

#include "forms/types.h"

namespace morva {

class FrmMain;

inline constexpr forms::Twips kValuePanelWidth = 2400;  // pic_SensVal, pic_LinVal, pic_WavVal
inline constexpr forms::Twips kValuePanelHeight = 600;  // title and limit lines beside the value
inline constexpr forms::Twips kNamePanelHeight = 300;   // pic_Name_LinWF and the channel titles
inline constexpr forms::Twips kStartPosWidth = 600;     // txt_StartPos_LinWF
// pic_AdvMode(0..4): wide enough for the six columns of sensitivity
// intermediates, each holding its widest line ("Sval_N", "10000") at 8
// points without wrapping.
inline constexpr forms::Twips kAdvWidth = 4500;
inline constexpr forms::Color kGraphBack = 0x000000;
// The input monitor's options start below its buttons on pic_CmdMenu(3)
// and end above the panel's foot (kMenuHeight).
inline constexpr forms::Twips kMonitorOptionsTop = 1470;

// The service buttons (pic_AdvMode(0)), the sensitivity intermediates (1),
// the linearity adjustment (2), the parameter list (3), the version list (4):
// heights of the panels stacked in that order; the parameter list takes
// what the column leaves.
inline constexpr forms::Twips kAdvButtonsHeight = 930;
inline constexpr forms::Twips kAdvSensHeight = 1860;
inline constexpr forms::Twips kAdvLinHeight = 810;
inline constexpr forms::Twips kAdvVersionHeight = 1200;
inline constexpr forms::Twips kAdvDebugMinHeight = 600;

void Design_GraphPages(FrmMain& w);
void Design_MonitorOptions(FrmMain& w);
void Design_DataFileInfo(FrmMain& w);
void Design_AdvancedPanels(FrmMain& w);

}  // namespace morva
