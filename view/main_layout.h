#pragma once
// The design of the main window: where every control of the start-up, the
// function panels, the information band, the work list and the remote
// control panel sits (twips), and its design captions.
//
//   +------------------------------------------------------------------+
//   | selections (model, master tape, mode,  | pic_Frame(0): pic_Info  |
//   | PAL/NTSC)                              | (0..2) on top of each   |
//   +----------------------------------------+-------------------------+
//   | pic_Frame(1): pages 0..3 (graphs)    |B| pic_Frame(2): function  |
//   |                                      |o| panel | work list       |
//   |                                      |r|       |                 |
//   |                                      |d| remote|                 |
//   |                                      |e| ctrl  |                 |
//   +------------------------------------------------------------------+
//
// The frames 1 and 2 and the splitter pic_Border are docked side by side
// below the band and fill the window's height (Dock_Frames); their widths
// are set by the start-up, the splitter and the view.

#include "forms/application.h"
#include "forms/types.h"

namespace morva {

class FrmMain;

inline constexpr forms::Twips kBandHeight = 1140;      // the selection and information band
inline constexpr forms::Twips kSelectionWidth = 7440;  // the selections' part of the band
inline constexpr forms::Twips kInfoWidth = 7440;       // pic_Info(0..2)
inline constexpr forms::Twips kMenuWidth = 2400;       // pic_CmdMenu(0..4)
inline constexpr forms::Twips kMenuHeight = 6300;
inline constexpr forms::Twips kWorkListWidth = 3000;  // pic_WorkList
inline constexpr forms::Twips kSplitterWidth = 90;    // pic_Border
inline constexpr forms::Twips kCtrlPanelHeight = 2100;
// Frame 2 is the menu panel, the work list and a margin of 50 wide.
inline constexpr forms::Twips kMenuFrameMargin = 50;

// The share of the design size the window's controls get on this screen:
// 1 where the design fits a window of 98 % of the screen, less on a small
// screen or at a high DPI (fonts shrink with the controls).
double Design_Scale(const forms::Screen& screen);

// Sets the design geometry and captions of the main window's controls. The
// window itself gets 98 % of the screen (at most 32767 twips each way),
// frame 2 room for the function panel and the work list, frame 1 the rest.
void Layout_MainWindow(FrmMain& w);

// Docks the band, frame 1, the splitter and frame 2: the band across the top
// right of the selections, the frames below it at the window's full client
// height, left to right in that order, each keeping its width.
void Dock_Frames(FrmMain& w);

// The width the menu frame needs: the function panel, the work list when
// shown, the advanced panels when on, and the margin.
forms::Twips Menu_FrameWidth(const FrmMain& w);

// Frame 1 keeps its width (leaving frame 2 at least the function panel and
// the margin); frame 2 takes the rest of the client width; then docks them.
void Place_Frames(FrmMain& w);

// After a resize of the window: frame 2 keeps its width (at least the function panel and the margin);
// frame 1 takes the rest of the client width; then docks them.
void Fit_Frames(FrmMain& w);

}  // namespace morva
