#include <algorithm>

#include "view/main_layout.h"
#include "view/set_view.h"
#include "view/view_handlers.h"
#include "window/frm_main.h"

namespace morva {

void chk_Dsp_WorkList_Click(FrmMain& w, ViewRuntime& rt) {
    const int value = w.chk_Dsp_WorkList.value();
    const bool wasShown = w.pic_WorkList.visible();
    w.st.settings.Dsp_WorkList = static_cast<int16_t>(value);
    w.mnu_ViewItem(0).setChecked(value != 0);
    w.pic_WorkList.setVisible(value != 0);
    // While the window is being built the start-up places the frames.
    if (w.st.flags.flg_Busy == 1) return;
    // The menu frame gains or gives up the list's width (keeping what the
    // splitter gave it beyond its panels); the graphs take the difference.
    forms::PictureBox& menus = w.pic_Frame(2);
    forms::Twips width = menus.width();
    if (wasShown != (value != 0)) width += value != 0 ? w.pic_WorkList.width() : -w.pic_WorkList.width();
    const bool docking = rt.docking;
    rt.docking = true;
    menus.setWidth(std::max(width, Menu_FrameWidth(w)));
    Fit_Frames(w);
    rt.docking = docking;
    Set_View(w, rt, true);
}

void chk_Dsp_CtrlPanel_Click(FrmMain& w) {
    const int value = w.chk_Dsp_CtrlPanel.value();
    w.st.settings.Dsp_CtrlPanel = static_cast<int16_t>(value);
    w.pic_CtrlPanel.setVisible(value != 0);
    w.mnu_ViewItem(1).setChecked(value != 0);
}

}  // namespace morva
