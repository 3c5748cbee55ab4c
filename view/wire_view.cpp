#include <memory>

#include "view/limit_verdict.h"
#include "view/main_layout.h"
#include "view/set_view.h"
#include "view/view_handlers.h"
#include "window/frm_main.h"

namespace morva {

void Wire_View(FrmMain& w) {
    // The layout's re-entry guard lives as long as the handlers that use it.
    auto rt = std::make_shared<ViewRuntime>();
    w.proc.Set_View.bind([&w, rt] { Set_View(w, *rt, false); });
    w.proc.Set_InfoWindow.bind([&w] { Set_InfoWindow(w); });
    // The colours the value labels had before their verdicts.
    auto limits = std::make_shared<LimitRuntime>();
    w.proc.Show_LimitVerdict.bind([&w, limits](int panels) { Show_LimitVerdict(w, *limits, panels); });
    w.proc.Clear_LimitVerdict.bind([&w, limits](int panels) { Clear_LimitVerdict(w, *limits, panels); });

    // A resize of the window fits the frames to it and lays out once; the
    // frames' own resizes (the splitter, another handler) lay out as well,
    // keeping the waveforms on screen.
    w.Resize = [&w, rt] {
        const bool docking = rt->docking;
        rt->docking = true;
        Fit_Frames(w);
        rt->docking = docking;
        Set_View(w, *rt, true);
    };
    w.pic_Frame.on(&forms::Control::Resize, [&w, rt](int) {
        if (!rt->docking) Set_View(w, *rt, true);
    });

    w.pic_Border.MouseDown = [&w](const forms::MouseEvent&) { pic_Border_MouseDown(w); };
    w.pic_Border.MouseMove = [&w, rt](const forms::MouseEvent& e) { pic_Border_MouseMove(w, *rt, e.x); };
    w.pic_Border.MouseUp = [&w](const forms::MouseEvent&) { pic_Border_MouseUp(w); };

    w.Text1.Change = [&w] { Text1_Change(w); };
    w.Text2.Change = [&w] { Text2_Change(w); };
    w.Text3.Change = [&w] { Text3_Change(w); };

    w.chk_Dsp_WorkList.Click = [&w, rt] { chk_Dsp_WorkList_Click(w, *rt); };
    w.chk_Dsp_CtrlPanel.Click = [&w] { chk_Dsp_CtrlPanel_Click(w); };
}

}  // namespace morva
