#include "app/menus.h"

#include <memory>

#include "forms/controls.h"
#include "forms/event_loop.h"

namespace morva {

namespace {

void press(FrmMain& w, int button) {
    w.cmd_StartFunction(button).setValue(true);
}

// The View items toggle a check box between 0 and 1; its click handler
// shows or hides the panel. Any other stored value is left alone.
void toggle(forms::CheckBox& box, int16_t shown) {
    if (shown == 0)
        box.setValue(1);
    else if (shown == 1)
        box.setValue(0);
}

// Wraps a run procedure: the menus grey out when it starts and come back
// when it returns. The caller may still count the run as active when it
// returns, so the states are looked at once more when the loop next runs
// (unless the window is gone by then: the token dies with the procedure).
void followRun(FrmMain& w, Proc<void()>& run) {
    Proc<void()> inner = run;
    auto alive = std::make_shared<int>(0);
    run.bind([&w, inner, alive] {
        Refresh_MenuStates(w);
        inner();
        Refresh_MenuStates(w);
        w.loop().post([&w, token = std::weak_ptr<int>(alive)] {
            if (!token.expired()) Refresh_MenuStates(w);
        });
    });
}

}  // namespace

void mnu_FileItem_Click(FrmMain& w, int Index) {
    switch (Index) {
        case 0:
            press(w, 2);
            break;
        case 1:
            press(w, 3);
            break;
        case 3:
            press(w, 5);
            break;
        case 4:
            w.proc.Export_GraphPng(1);
            break;
        case 5:
            w.proc.Export_GraphPng(2);
            break;
        case 6:
            w.proc.Export_WaveformCsv();
            break;
        default:  // 2 "Print Out" and the separators: nothing
            break;
    }
}

void mnu_ViewItem_Click(FrmMain& w, int Index) {
    if (Index == 0) toggle(w.chk_Dsp_WorkList, w.st.settings.Dsp_WorkList);
    if (Index == 1) toggle(w.chk_Dsp_CtrlPanel, w.st.settings.Dsp_CtrlPanel);
    Refresh_MenuStates(w);
}

void mnu_MsrItem_Click(FrmMain& w, int Index) {
    constexpr int kButtons[] = {0, 1, 4};
    if (Index >= 0 && Index <= 2) press(w, kButtons[Index]);
}

void mnu_ToolItem_Click(FrmMain& w, int Index) {
    if (Run_Active(w)) return;
    if (Index == 0) w.proc.Show_MasterTapeEditor();
    if (Index == 1) w.proc.Show_Options();
}

void mnu_HelpItem_Click(FrmMain& w, int Index) {
    if (Index == 0) w.proc.Show_Version();
}

bool Run_Active(const FrmMain& w) {
    return w.st.flags.flg_Measuring == 1 || w.st.flags.RunDepth > 0;
}

void Refresh_MenuStates(FrmMain& w) {
    const bool idle = !Run_Active(w);
    w.mnu_ViewItem(0).setChecked(w.st.settings.Dsp_WorkList != 0);
    w.mnu_ViewItem(1).setChecked(w.st.settings.Dsp_CtrlPanel != 0);
    // During a run the sequencer opens no function and loads no data, and
    // the tool dialogs stay closed.
    w.mnu_FileItem(1).setEnabled(idle);
    // The exports read the result and the graphs: not while a run changes them.
    const bool graph = idle && w.proc.Has_GraphToExport();
    w.mnu_FileItem(4).setEnabled(graph);
    w.mnu_FileItem(5).setEnabled(graph);
    w.mnu_FileItem(6).setEnabled(idle && w.proc.Has_WaveformsToExport());
    for (int i = 0; i <= 2; ++i)
        w.mnu_MsrItem(i).setEnabled(idle);
    for (int i = 0; i <= 1; ++i)
        w.mnu_ToolItem(i).setEnabled(idle);
}

void Wire_Menus(FrmMain& w) {
    w.mnu_FileItem.on(&forms::Control::Click, [&w](int i) { mnu_FileItem_Click(w, i); });
    w.mnu_ViewItem.on(&forms::Control::Click, [&w](int i) { mnu_ViewItem_Click(w, i); });
    w.mnu_MsrItem.on(&forms::Control::Click, [&w](int i) { mnu_MsrItem_Click(w, i); });
    w.mnu_ToolItem.on(&forms::Control::Click, [&w](int i) { mnu_ToolItem_Click(w, i); });
    w.mnu_HelpItem.on(&forms::Control::Click, [&w](int i) { mnu_HelpItem_Click(w, i); });
    // Opening a menu clicks its title.
    for (forms::MenuItem* title : {&w.mnu_File, &w.mnu_View, &w.mnu_Msr, &w.mnu_Tool, &w.mnu_Help})
        title->Click = [&w] { Refresh_MenuStates(w); };

    // "Print Out" has no printer behind it. At start-up the main page shows
    // no graph and there is no result to export.
    w.mnu_FileItem(2).setEnabled(false);
    for (int i = 4; i <= 6; ++i)
        w.mnu_FileItem(i).setEnabled(false);

    w.mnu_FileItem(0).setShortcut("Ctrl+S");
    w.mnu_FileItem(1).setShortcut("Ctrl+O");
    w.mnu_FileItem(3).setShortcut("Ctrl+Q");
    w.mnu_MsrItem(0).setShortcut("F2");
    w.mnu_MsrItem(1).setShortcut("F3");
    w.mnu_MsrItem(2).setShortcut("F4");
    w.mnu_ViewItem(0).setShortcut("F8");
    w.mnu_ViewItem(1).setShortcut("F9");
    w.mnu_HelpItem(0).setShortcut("F1");

    followRun(w, w.proc.Run_MsrSens);
    followRun(w, w.proc.Run_MsrLin);
    followRun(w, w.proc.Run_InputMonitor);
}

}  // namespace morva
