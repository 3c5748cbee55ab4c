#include "window/main_controls.h"

namespace morva {

using namespace forms;

namespace {
int panelOf(int button) {
    return button >= 51 ? -1 : button / 10;
}

// A frame holds panels that are created before the frames' own turn: the
// first use creates it.
PictureBox& frame(Form& f, ControlArray<PictureBox>& frames, int i) {
    if (!frames.exists(i)) frames.add(f, i);
    return frames(i);
}
}  // namespace

MainControls::MainControls(Form& f)
    : pic_Border(f.add<PictureBox>("pic_Border")),
      cmb_ModelNameList(f.add<ComboBox>("cmb_ModelNameList")),
      cmb_VTRmode_List(f.add<ComboBox>("cmb_VTRmode_List")),
      frm_PAL_NTSC(f.add<Frame>("frm_PAL_NTSC")),
      cmb_MasterTapeList(f.add<ComboBox>("cmb_MasterTapeList")),
      lst_Version(f.add<ListBox>("lst_Version")),
      lbl_ProgBar(f.add<Label>("lbl_ProgBar")),
      txt_debug(f.add<TextBox>("txt_debug")),
      Text1(f.add<TextBox>("Text1")),
      Text2(f.add<TextBox>("Text2")),
      Text3(f.add<TextBox>("Text3")),
      pic_WorkList(f.add<PictureBox>("pic_WorkList", -1, &frame(f, pic_Frame, 2))),
      lbl_TtlWorkList(f.add<Label>("lbl_TtlWorkList", -1, &pic_WorkList)),
      lst_WorkList(f.add<ListBox>("lst_WorkList", -1, &pic_WorkList)),
      pic_CtrlPanel(f.add<PictureBox>("pic_CtrlPanel", -1, &frame(f, pic_Frame, 2))),
      lbl_Language(f.add<Label>("lbl_Language")),
      lbl_FontName(f.add<Label>("lbl_FontName")),
      lbl_FontSize(f.add<Label>("lbl_FontSize")),
      chk_Dsp_WorkList(f.add<CheckBox>("chk_Dsp_WorkList")),
      chk_Dsp_CtrlPanel(f.add<CheckBox>("chk_Dsp_CtrlPanel")),
      lbl_Name_AD_DeviceType(f.add<Label>("lbl_Name_AD_DeviceType")),
      lbl_n_AD_Channel(f.add<Label>("lbl_n_AD_Channel")),
      cmd_Ctrl_Macro(f.add<CommandButton>("cmd_Ctrl_Macro", -1, &pic_CtrlPanel)),
      lbl_SendCommand(f.add<Label>("lbl_SendCommand", -1, &pic_CtrlPanel)),
      lbl_RcvCommand(f.add<Label>("lbl_RcvCommand", -1, &pic_CtrlPanel)),
      timer1(f.add<Timer>("timer1")),
      Daq_Wait_Timer(f.add<Timer>("Daq_Wait_Timer")),
      timer_Wait(f.add<Timer>("timer_Wait")),
      timer_SendPLAYcommand(f.add<Timer>("timer_SendPLAYcommand")),
      timer_chk_AD_TRG(f.add<Timer>("timer_chk_AD_TRG")),
      timer_PeakHold(f.add<Timer>("timer_PeakHold")) {
    for (int i = 1; i <= 2; ++i)
        frame(f, pic_Frame, i);
    for (int i = 0; i <= 3; ++i)
        pic_Page.add(f, i, &pic_Frame(1));
    // The information panels lie on top of each other at the origin of a
    // band of their own (the function panels take the origin of frame 2).
    frame(f, pic_Frame, 0);
    for (int i = 0; i <= 2; ++i)
        pic_Info.add(f, i, &pic_Frame(0));
    for (int i = 0; i <= 4; ++i) {
        pic_CmdMenu.add(f, i, &pic_Frame(2));
        lbl_MenuTitle.add(f, i, &pic_CmdMenu(i));
    }
    for (int b : kFunctionButtons) {
        int panel = panelOf(b);
        cmd_StartFunction.add(f, b, panel >= 0 ? &pic_CmdMenu(panel) : nullptr);
    }
    for (int i = 0; i <= 3; ++i)
        lbl_FuncCondition.add(f, i, &pic_CmdMenu(i < 2 ? 1 : 2));
    lbl_FuncCondition.add(f, 4, &pic_CmdMenu(3));
    for (int i = 0; i <= 1; ++i)
        opt_PAL_NTSC.add(f, i, &frm_PAL_NTSC);
    for (int i = 0; i <= 6; ++i)
        lbl_Info.add(f, i, &pic_Info(i <= 1 ? 2 : 0));
    for (int i = 0; i <= 1; ++i)
        lbl_MsrInfo.add(f, i, &pic_Info(0));
    for (int i = 0; i <= 6; ++i) {
        const bool besideSelection = i == 0 || i == 1 || i == 3;
        lbl_ItemTitle.add(f, i, besideSelection ? nullptr : &pic_Info(0));
    }
    for (int i = 0; i <= 5; ++i)
        lbl_WorkList.add(f, i, &pic_WorkList);
    for (int i = 0; i <= 5; ++i)
        chk_AutoFileName.add(f, i, &pic_CtrlPanel);
    for (int i = 0; i <= 7; ++i)
        lbl_Name_SensWF.add(f, i, &pic_Page(1));
    for (int i = 0; i <= 5; ++i)
        lbl_Name_LinWF.add(f, i, &pic_Page(2));
    for (int i = 0; i <= 5; ++i)
        cmd_Ctrl.add(f, i, &pic_CtrlPanel);

    timer1.setInterval(750);
    timer_Wait.setInterval(500);
    timer_PeakHold.setInterval(1000);
}

}  // namespace morva
