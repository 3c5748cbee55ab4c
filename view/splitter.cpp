#include <algorithm>

#include "core/numbers.h"
#include "view/main_layout.h"
#include "view/set_view.h"
#include "view/view_handlers.h"
#include "window/frm_main.h"

namespace morva {

namespace {

constexpr forms::Twips kMinGraphWidth = 1500;

bool splitterActive(const FrmMain& w) {
    return w.st.settings.AdvMode != 0 && w.st.daq.DaqBusy != 1;
}

}  // namespace

void pic_Border_MouseDown(FrmMain& w) {
    if (!splitterActive(w)) return;
    w.pic_Border.setBackColor(kSplitterDragColor);
}

void pic_Border_MouseMove(FrmMain& w, ViewRuntime& rt, double X) {
    if (!splitterActive(w)) return;
    forms::PictureBox& graphs = w.pic_Frame(1);
    forms::PictureBox& menus = w.pic_Frame(2);
    if (w.pic_Border.backColor() != static_cast<forms::Color>(kSplitterDragColor) || w.st.daq.DaqBusy != 0 ||
        graphs.width() < kMinGraphWidth)
        return;
    // The menu frame keeps the function panel and its margin.
    const forms::Twips client = w.width() - w.pic_Border.width() - 120;
    const forms::Twips widest = client - (w.pic_CmdMenu(0).width() + kMenuFrameMargin);
    forms::Twips width = toInt32(graphs.width() + X);
    width = std::max(kMinGraphWidth, std::min(width, widest));
    if (width != graphs.width()) {
        const bool docking = rt.docking;
        rt.docking = true;
        graphs.setWidth(width);
        menus.setWidth(std::max<forms::Twips>(0, client - width));
        Dock_Frames(w);
        rt.docking = docking;
        Set_View(w, rt, true);
    }
    w.doEvents();
}

void pic_Border_MouseUp(FrmMain& w) {
    // The idle colour comes back whatever runs, so the bar never stays
    // marked as dragged.
    w.pic_Border.setBackColor(kSplitterIdleColor);
    if (!splitterActive(w)) return;
    w.cmd_StartFunction(53).setValue(true);
}

}  // namespace morva
