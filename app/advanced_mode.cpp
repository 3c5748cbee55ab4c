#include "app/advanced_mode.h"

#include <algorithm>

#include "forms/controls.h"
#include "io/daq_acquisition.h"

namespace morva {

namespace {

constexpr forms::Twips kWindowChrome = 120;
constexpr forms::Twips kMenuFrameMargin = 50;

// The window widened (or narrowed) to hold frame 1, the splitter and frame
// 2, kept on the screen: when it would be wider than the screen the graph
// frame gives up the difference (down to a least width), and a window that
// would reach past the right or bottom edge moves back.
void fitWindow(FrmMain& w, forms::Twips height) {
    const forms::Screen& screen = w.app().screen();
    forms::PictureBox& graphs = w.pic_Frame(1);
    const forms::Twips others = w.pic_Frame(2).width() + w.pic_Border.width() + kWindowChrome;
    forms::Twips width = others + graphs.width();
    if (width > screen.width && graphs.width() > kAdvModeMinGraphFrame) {
        graphs.setWidth(std::max(kAdvModeMinGraphFrame, screen.width - others));
        width = others + graphs.width();
    }
    const forms::Twips left = std::max(0, std::min(w.left(), screen.width - width));
    const forms::Twips top = std::max(0, std::min(w.top(), screen.height - height));
    w.move(left, top, width, height);
}

}  // namespace

void lbl_AdvMode_DblClick(FrmMain& w, int Index) {
    if (Index == 0) {
        w.chk_AdvMode.setVisible(true);
    } else if (Index == 1) {
        w.st.flg_OptionEdit = 1;
        w.lbl_AdvMode(1).setCaption(" *");
    }
}

void chk_AdvMode_Click(FrmMain& w) {
    MainState& s = w.st;
    s.flags.flg_Busy = 1;
    const auto mode = static_cast<int16_t>(w.chk_AdvMode.value());
    s.settings.AdvMode = mode;
    s.flg_OptionEdit = mode;
    for (int i = 0; i <= 4; ++i)
        w.pic_AdvMode(i).setVisible(mode != 0);

    const forms::Twips height =
        (w.height() < kAdvModeWindowHeight && mode == 1) ? kAdvModeWindowHeight : w.height();
    w.pic_Frame(2).setWidth(s.settings.Dsp_WorkList * w.pic_WorkList.width() + w.pic_CmdMenu(0).width() +
                            mode * w.pic_AdvMode(0).width() + kMenuFrameMargin);
    fitWindow(w, height);

    w.pic_Border.setMousePointer(mode != 0 ? forms::MousePointer::SizeWE : forms::MousePointer::Default);
    Derive_ADChannelCounts(w);

    s.flags.flg_Busy = 0;
    w.proc.Set_View();
}

void Wire_AdvancedMode(FrmMain& w) {
    w.lbl_AdvMode.on(&forms::Control::DblClick, [&w](int i) { lbl_AdvMode_DblClick(w, i); });
    w.chk_AdvMode.Click = [&w] { chk_AdvMode_Click(w); };
}

}  // namespace morva
