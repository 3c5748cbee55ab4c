#pragma once
// The view's handlers: the option summary, the tuning text boxes, the
// splitter bar, the work-list and control-panel switches, and the wiring
// that binds them (and Set_View) to the main window.

namespace morva {

class FrmMain;
struct ViewRuntime;

// The option summary in lbl_Info(3); the linearity panel's "Data Save"
// button only while automatic saving is off.
void Set_InfoWindow(FrmMain& w);

// Text1..Text3: the number typed (nearest integer) into nLoop_LinRealTime,
// nLoop_LinFinalData and Pos_FixOfs_LinWF, as typed (0, negative or huge
// alike; the runs clamp where they use them).
void Text1_Change(FrmMain& w);
void Text2_Change(FrmMain& w);
void Text3_Change(FrmMain& w);

// The splitter between the graph frame and the menu frame: dragged only in
// the advanced mode and while no acquisition runs. The graph frame keeps at
// least 1500, the menu frame at least the function panel and its margin.
inline constexpr int kSplitterIdleColor = 0xE0E0E0;
inline constexpr int kSplitterDragColor = 0x808080;
void pic_Border_MouseDown(FrmMain& w);
void pic_Border_MouseMove(FrmMain& w, ViewRuntime& rt, double X);
void pic_Border_MouseUp(FrmMain& w);

// The View menu's switches: Dsp_WorkList / Dsp_CtrlPanel take the box's
// value, the menu item its check mark, the panel its visibility; the work
// list's switch also gives the menu frame the width it needs (the graph
// frame takes the rest) and lays the view out again.
void chk_Dsp_WorkList_Click(FrmMain& w, ViewRuntime& rt);
void chk_Dsp_CtrlPanel_Click(FrmMain& w);

// Binds Set_View and Set_InfoWindow, installs the handlers above, the
// frames' resize handler and the window's.
void Wire_View(FrmMain& w);

}  // namespace morva
