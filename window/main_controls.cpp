#include "window/main_controls.h"

namespace morva {

using namespace forms;

namespace {
int panelOf(int button) {
    return button >= 51 ? -1 : button / 10;
}

// Element i of a control array, created on its first use: a container is
// needed by controls created before the array's own turn.
template <typename T>
T& element(Form& f, ControlArray<T>& array, int i, Control* container = nullptr) {
    if (!array.exists(i)) array.add(f, i, container);
    return array(i);
}
PictureBox& frame(Form& f, ControlArray<PictureBox>& frames, int i) {
    return element(f, frames, i);
}
PictureBox& page(Form& f, ControlArray<PictureBox>& frames, ControlArray<PictureBox>& pages, int i) {
    return element(f, pages, i, &frame(f, frames, 1));
}
}  // namespace

MainControls::MainControls(Form& f)
    : pic_Border(f.add<PictureBox>("pic_Border")),
      cmb_ModelNameList(f.add<ComboBox>("cmb_ModelNameList")),
      cmb_VTRmode_List(f.add<ComboBox>("cmb_VTRmode_List")),
      frm_PAL_NTSC(f.add<Frame>("frm_PAL_NTSC")),
      cmb_MasterTapeList(f.add<ComboBox>("cmb_MasterTapeList")),
      lst_Version(f.add<ListBox>("lst_Version", -1, &element(f, pic_AdvMode, 4, &frame(f, pic_Frame, 2)))),
      lbl_ProgBar(f.add<Label>("lbl_ProgBar")),
      txt_debug(f.add<TextBox>("txt_debug", -1, &element(f, pic_AdvMode, 3, &frame(f, pic_Frame, 2)))),
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
      timer_PeakHold(f.add<Timer>("timer_PeakHold")),
      pic_Graph_Sens(f.add<PictureBox>("pic_Graph_Sens", -1, &page(f, pic_Frame, pic_Page, 1))),
      pic_Graph_SensDiv(f.add<PictureBox>("pic_Graph_SensDiv", -1, &page(f, pic_Frame, pic_Page, 1))),
      chk_Dsp_LinWF_MultiLine(
          f.add<CheckBox>("chk_Dsp_LinWF_MultiLine", -1, &page(f, pic_Frame, pic_Page, 2))),
      pic_Graph_Moni(f.add<PictureBox>("pic_Graph_Moni", -1, &page(f, pic_Frame, pic_Page, 3))),
      frm_SamplingRate(
          f.add<Frame>("frm_SamplingRate", -1, &element(f, pic_CmdMenu, 3, &frame(f, pic_Frame, 2)))),
      frm_Range(f.add<Frame>("frm_Range", -1, &element(f, pic_CmdMenu, 3, &frame(f, pic_Frame, 2)))),
      frm_ScaleType(f.add<Frame>("frm_ScaleType", -1, &element(f, pic_CmdMenu, 3, &frame(f, pic_Frame, 2)))),
      txt_Input(f.add<TextBox>("txt_Input", -1, &element(f, pic_Info, 0, &frame(f, pic_Frame, 0)))),
      chk_AdvMode(f.add<CheckBox>("chk_AdvMode", -1, &page(f, pic_Frame, pic_Page, 0))),
      chk_LinOfsFix(
          f.add<CheckBox>("chk_LinOfsFix", -1, &element(f, pic_AdvMode, 2, &frame(f, pic_Frame, 2)))),
      mnu_File(f.add<MenuItem>("mnu_File")),
      mnu_View(f.add<MenuItem>("mnu_View")),
      mnu_Msr(f.add<MenuItem>("mnu_Msr")),
      mnu_Tool(f.add<MenuItem>("mnu_Tool")),
      mnu_Help(f.add<MenuItem>("mnu_Help")) {
    for (int i = 1; i <= 2; ++i)
        frame(f, pic_Frame, i);
    for (int i = 0; i <= 3; ++i)
        page(f, pic_Frame, pic_Page, i);
    // The information panels lie on top of each other at the origin of a
    // band of their own (the function panels take the origin of frame 2).
    frame(f, pic_Frame, 0);
    for (int i = 0; i <= 2; ++i)
        element(f, pic_Info, i, &pic_Frame(0));
    for (int i = 0; i <= 4; ++i) {
        element(f, pic_CmdMenu, i, &pic_Frame(2));
        lbl_MenuTitle.add(f, i, &pic_CmdMenu(i));
    }
    for (int b : kFunctionButtons) {
        int panel = panelOf(b);
        cmd_StartFunction.add(f, b,
                              panel >= 0 ? &pic_CmdMenu(panel) : &element(f, pic_AdvMode, 0, &pic_Frame(2)));
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
        cmd_Ctrl.add(f, i, &pic_CtrlPanel);

    // Sensitivity page.
    for (int i = 0; i <= 1; ++i) {
        pic_SensVal.add(f, i, &pic_Page(1));
        lbl_SensVal.add(f, i, &pic_SensVal(i));
    }
    // Linearity page.
    for (int i = 0; i <= 1; ++i) {
        pic_Graph_Lin.add(f, i, &pic_Page(2));
        pic_Graph_Lin_mlt.add(f, i, &pic_Page(2));
        pic_Name_LinWF.add(f, i, &pic_Page(2));
        pic_LinVal.add(f, i, &pic_Page(2));
        lbl_LinVal.add(f, i, &pic_LinVal(i));
        pic_WavVal.add(f, i, &pic_Page(2));
        lbl_WavVal.add(f, i, &pic_WavVal(i));
    }
    for (int i = 0; i <= 3; ++i)
        txt_StartPos_LinWF.add(f, i, &pic_Page(2));
    // Channel titles 0, 1 on the page; the line legends 2, 3 (channel 0) and
    // 4, 5 (channel 1) in the name panel above the multi-line graph.
    for (int i = 0; i <= 5; ++i)
        lbl_Name_LinWF.add(f, i, i <= 1 ? &pic_Page(2) : &pic_Name_LinWF(i <= 3 ? 0 : 1));
    // Input monitor options.
    for (int i = 0; i <= 9; ++i)
        opt_SamplingRate.add(f, i, &frm_SamplingRate);
    for (int i = 0; i <= 5; ++i)
        opt_Range.add(f, i, &frm_Range);
    for (int i = 0; i <= 1; ++i)
        opt_ScaleType.add(f, i, &frm_ScaleType);
    for (int i = 0; i <= 2; ++i) {
        lbl_Moni.add(f, i, &pic_CmdMenu(3));
        lbl_MoniTitle.add(f, i, &pic_CmdMenu(3));
    }
    // Loaded data file.
    for (int i = 0; i <= 9; ++i)
        lbl_DatInfo.add(f, i, &pic_Info(1));
    // Advanced mode.
    for (int i = 0; i <= 1; ++i)
        lbl_AdvMode.add(f, i, &pic_Page(0));
    for (int i = 0; i <= 4; ++i)
        element(f, pic_AdvMode, i, &pic_Frame(2));
    for (int i = 0; i <= 5; ++i)
        txt_debug_sens.add(f, i, &pic_AdvMode(1));
    for (int i = 0; i <= 4; ++i)
        cmd_Pos_LinWF.add(f, i, &pic_AdvMode(2));
    // Menus.
    // A menu shows its items in the order they are created.
    for (int i : {0, 1, 2, 7, 4, 5, 6, 8, 3})
        mnu_FileItem.add(f, i, &mnu_File);
    mnu_FileItem(7).setCaption("-");
    mnu_FileItem(8).setCaption("-");
    for (int i = 0; i <= 1; ++i)
        mnu_ViewItem.add(f, i, &mnu_View);
    for (int i = 0; i <= 2; ++i)
        mnu_MsrItem.add(f, i, &mnu_Msr);
    for (int i = 0; i <= 1; ++i)
        mnu_ToolItem.add(f, i, &mnu_Tool);
    mnu_HelpItem.add(f, 0, &mnu_Help);
    // The main page's face.
    for (int i = 0; i <= 2; ++i)
        lbl_MainFace.add(f, i, &pic_Page(0));
    // The limits inside the value panels.
    for (int i = 0; i <= 1; ++i) {
        lbl_SensLimit.add(f, i, &pic_SensVal(i));
        lbl_LinLimit.add(f, i, &pic_LinVal(i));
        lbl_WavLimit.add(f, i, &pic_WavVal(i));
    }
    f.menuHeight = 300;  // the menu bar takes a line of the window's height

    timer1.setInterval(750);
    timer_Wait.setInterval(500);
    timer_PeakHold.setInterval(1000);
}

}  // namespace morva
