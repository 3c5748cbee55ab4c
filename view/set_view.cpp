#include "view/set_view.h"

#include <algorithm>
#include <string>

#include "core/numbers.h"
#include "view/main_layout.h"
#include "view/panel_design.h"
#include "window/frm_main.h"

namespace morva {

namespace {

using forms::Twips;

constexpr Twips kMinFrameWidth = 2000;
constexpr Twips kMinFrameHeight = 3000;
constexpr Twips kRightGap = 150;  // between a graph and the page's right edge
constexpr Twips kGap = 60;
constexpr Twips kWorkListPitch = 240;

// Visibility only changes where a rule decides it.
void show(forms::Control& c, bool v) {
    if (c.visible() != v) c.setVisible(v);
}

void placeSensPage(FrmMain& w, Twips W, Twips H) {
    const Twips valueHeight = w.pic_SensVal(0).height();
    const Twips A = H - valueHeight - 250;
    const Twips graphWidth = W - kRightGap;
    const Twips upper = A * 2 / 3;
    w.pic_Graph_Sens.move(0, 0, graphWidth, upper);
    w.pic_Graph_SensDiv.move(0, upper + 100, graphWidth, A / 3);
    const Twips valueTop = upper + 100 + A / 3 + 50;
    const Twips panelWidth = w.pic_SensVal(0).width();
    w.pic_SensVal(0).move(0, valueTop, panelWidth, valueHeight);
    w.pic_SensVal(1).move(panelWidth + kGap, valueTop, panelWidth, valueHeight);
    const MsrSettings& m = w.st.msr;
    show(w.pic_SensVal(1), m.nType_SensWF * m.n_Msr_channel_Sens > 2);
    // The head legends beside the value panels: the waveforms on the upper
    // line, the differences on the lower.
    const Twips legendLeft = 2 * (panelWidth + kGap) + kGap;
    for (int i = 0; i <= 7; ++i) {
        forms::Label& l = w.lbl_Name_SensWF(i);
        const Twips pitch = l.width() + 30;
        l.move(legendLeft + (i % 4) * pitch, valueTop + (i / 4) * (valueHeight / 2), l.width(),
               valueHeight / 2);
    }
    w.pic_Graph_Sens.scale(0.9, -3600, 0.9 + 139.5, 0);
    w.pic_Graph_SensDiv.scale(1, -250, 1 + 139.5, 250);
}

void linVisibility(FrmMain& w) {
    const MainState& st = w.st;
    const int channels = st.msr.n_Msr_channel_Lin;
    if (channels != 1 && channels != 2) return;
    const bool multi = st.flg_Dsp_LinWF_MultiLine != 0;
    const bool held = st.flags.flg_PeakHold != 0;
    const bool loaded = st.flags.flg_DataLoaded != 0;
    show(w.pic_Graph_Lin(0), true);
    show(w.pic_LinVal(0), true);
    show(w.pic_Graph_Lin_mlt(0), multi);
    show(w.pic_Name_LinWF(0), multi);
    show(w.pic_WavVal(0), held || loaded);
    const bool two = channels == 2;
    show(w.pic_Graph_Lin(1), two);
    show(w.lbl_Name_LinWF(1), two);
    show(w.pic_LinVal(1), two);
    show(w.pic_Graph_Lin_mlt(1), two && multi);
    show(w.pic_Name_LinWF(1), two && multi);
    // The second channel's waving value: shown with a loaded file's
    // multi-line view, and while the run holds the peaks of both channels.
    show(w.pic_WavVal(1), two && ((loaded && multi) || held));
    for (int k = 0; k <= 3; ++k)
        show(w.txt_StartPos_LinWF(k), k < 2 * channels);
}

void placeLinPage(FrmMain& w, Twips W, Twips H) {
    const MainState& st = w.st;
    const int rows = st.msr.n_Msr_channel_Lin == 2 ? 2 : 1;
    const bool multi = st.flg_Dsp_LinWF_MultiLine != 0;
    const Twips titleHeight = w.pic_Name_LinWF(0).height();
    const Twips valueHeight = w.pic_LinVal(0).height();
    const Twips rowHeight = (H - kGap) / rows;
    const Twips usable = W - kRightGap;
    const Twips graphWidth = multi ? (usable - kGap) / 2 : usable;
    const Twips panelWidth = w.pic_LinVal(0).width();
    const Twips boxWidth = w.txt_StartPos_LinWF(0).width();
    const LinScale scale = Lin_Scale(st.msr.Adj_LinEnt, st.params.nData_LinWF);
    for (int c = 0; c <= 1; ++c) {
        const int row = std::min(c, rows - 1);
        const Twips top = row * rowHeight;
        const Twips graphTop = top + titleHeight + 30;
        const Twips valueTop = top + rowHeight - valueHeight - kGap;
        const Twips graphHeight = std::max<Twips>(1, valueTop - kGap - graphTop);
        forms::Label& title = w.lbl_Name_LinWF(c);
        title.move(0, top + (titleHeight - title.height()) / 2, title.width(), title.height());
        w.pic_Graph_Lin(c).move(0, graphTop, graphWidth, graphHeight);
        w.pic_Graph_Lin_mlt(c).move(graphWidth + kGap, graphTop, graphWidth, graphHeight);
        w.pic_Name_LinWF(c).move(graphWidth + kGap, top, graphWidth, titleHeight);
        w.pic_LinVal(c).move(0, valueTop, panelWidth, valueHeight);
        w.pic_WavVal(c).move(panelWidth + kGap, valueTop, panelWidth, valueHeight);
        const Twips boxesLeft = 2 * (panelWidth + kGap) + kGap;
        const Twips boxTop = valueTop + (valueHeight - w.txt_StartPos_LinWF(0).height()) / 2;
        for (int k = 0; k <= 1; ++k) {
            forms::TextBox& box = w.txt_StartPos_LinWF(2 * c + k);
            box.move(boxesLeft + k * (boxWidth + 30), boxTop, boxWidth, box.height());
        }
        for (forms::PictureBox* g : {&w.pic_Graph_Lin(c), &w.pic_Graph_Lin_mlt(c)})
            g->scale(scale.left, -500, scale.left + scale.width, 510);
    }
    // The multi-line switch at the right end of the first row's values.
    forms::CheckBox& multiLine = w.chk_Dsp_LinWF_MultiLine;
    const Twips firstValueTop = rowHeight - valueHeight - kGap;
    const Twips switchLeft = 2 * (panelWidth + kGap) + kGap + 2 * (boxWidth + 30) + kGap;
    multiLine.move(std::max<Twips>(switchLeft, usable - multiLine.width()),
                   firstValueTop + (valueHeight - multiLine.height()) / 2, multiLine.width(),
                   multiLine.height());
}

void linCaptions(FrmMain& w) {
    switch (w.st.model.nHead) {
        case 2:
        case 4:
            w.lbl_Name_LinWF(0).setCaption("Lch");
            w.lbl_Name_LinWF(2).setCaption("L1 Linearity");
            w.lbl_Name_LinWF(3).setCaption("L2 Linearity");
            break;
        case 8: {
            const char* captions[] = {"L1L3ch",       "L2L4ch",       "L1 Linearity",
                                      "L3 Linearity", "L2 Linearity", "L4 Linearity"};
            for (int i = 0; i <= 5; ++i)
                w.lbl_Name_LinWF(i).setCaption(captions[i]);
            break;
        }
        default:
            break;
    }
}

void placeMonitorPage(FrmMain& w, Twips W, Twips H) {
    w.pic_Graph_Moni.move(0, 0, W - kRightGap, H - 250);
    const double points = parseLeadingNumber(w.lbl_Moni(1).caption());
    const double width = points > 0 ? points : 500;
    w.pic_Graph_Moni.scale(1, -5000, 1 + width, 0);
}

void placeMainPage(FrmMain& w, Twips W, Twips H) {
    // The two hidden-feature labels and the switch in the bottom right corner.
    forms::Label& a = w.lbl_AdvMode(0);
    forms::Label& b = w.lbl_AdvMode(1);
    forms::CheckBox& chk = w.chk_AdvMode;
    const Twips bottom = H - kGap;
    b.move(W - kGap - b.width(), bottom - b.height(), b.width(), b.height());
    a.move(b.left() - a.width(), bottom - a.height(), a.width(), a.height());
    chk.move(std::max<Twips>(0, a.left() - kGap - chk.width()), bottom - chk.height(), chk.width(),
             chk.height());

    // The face: name, version and road across the page, centred, a third
    // of the free height from the top, clear of the corner's switch.
    Twips total = 0;
    for (int i = 0; i <= 2; ++i)
        total += w.lbl_MainFace(i).height();
    const Twips room = std::max<Twips>(0, chk.top() - kGap);
    Twips top = std::max<Twips>(kGap, std::min((H - total) / 3, room - total));
    for (int i = 0; i <= 2; ++i) {
        forms::Label& l = w.lbl_MainFace(i);
        l.move(kGap, top, std::max<Twips>(1, W - 2 * kGap), l.height());
        top += l.height();
    }
}

void recordGeometry(FrmMain& w, Twips W) {
    SettingsRecord& s = w.st.settings;
    s.Width = toInt16(w.width());
    s.Height = toInt16(w.height());
    s.Left = toInt16(w.left());
    s.Top = toInt16(w.top());
    s.Border = toInt16(W);
}

// The menu frame: function panels at the top left, the work list beside
// them, the advanced panels beside that (stacked, the parameter list taking
// what the column leaves), the remote-control panel at the bottom left.
void placeMenuFrame(FrmMain& w) {
    const Twips height = w.pic_Frame(2).height();
    const Twips menuWidth = w.pic_CmdMenu(0).width();
    const bool workList = w.st.settings.Dsp_WorkList != 0;
    w.pic_WorkList.move(menuWidth, 0, w.pic_WorkList.width(), height);
    show(w.pic_WorkList, workList);
    w.pic_CtrlPanel.move(0, std::max<Twips>(0, height - w.pic_CtrlPanel.height()), w.pic_CtrlPanel.width(),
                         w.pic_CtrlPanel.height());

    const Twips advLeft = menuWidth + (workList ? w.pic_WorkList.width() : 0);
    Twips fixed = 0;
    for (int i : {0, 1, 2, 4})
        fixed += w.pic_AdvMode(i).height();
    const Twips debugHeight =
        std::max<Twips>(kAdvDebugMinHeight * w.pic_AdvMode(0).width() / kAdvWidth, height - fixed);
    w.pic_AdvMode(3).setHeight(debugHeight);
    w.txt_debug.setHeight(std::max<Twips>(1, debugHeight - 2 * w.txt_debug.top()));
    Twips top = 0;
    for (int i = 0; i <= 4; ++i) {
        forms::PictureBox& panel = w.pic_AdvMode(i);
        panel.move(advLeft, top, panel.width(), panel.height());
        top += panel.height();
        show(panel, w.st.settings.AdvMode != 0);
    }
}

// The work-list rows that hold a text, stacked from the top of their area
// (below the list).
void placeWorkListRows(FrmMain& w) {
    const forms::ListBox& list = w.lst_WorkList;
    Twips top = list.top() + list.height() + kGap;
    for (int i = 0; i <= 5; ++i) {
        forms::Label& l = w.lbl_WorkList(i);
        const bool used = !l.caption().empty();
        show(l, used);
        if (!used) continue;
        // 240 apart, or the row's own height where it holds more lines.
        l.move(l.left(), top, l.width(), l.height());
        top += std::max(kWorkListPitch, l.height());
    }
}

}  // namespace

LinScale Lin_Scale(int32_t Adj_LinEnt, int32_t nData_LinWF) {
    const double left = static_cast<double>(Adj_LinEnt) + 1;
    const double right = nData_LinWF <= 80 ? 80.2 : nData_LinWF + 0.2;
    return {left, std::max(1.0, right - left)};
}

void Set_View(FrmMain& w, ViewRuntime& rt, bool keepWaves) {
    // 1-2: not while the window is being rebuilt; not in a frame too small.
    if (w.st.flags.flg_Busy == 1) return;
    if (rt.depth >= 2) return;
    const Twips W = w.pic_Frame(1).width();
    const Twips H = w.pic_Frame(1).height();
    if (W < kMinFrameWidth || H < kMinFrameHeight) return;
    ++rt.depth;
    ++rt.calls;

    // 3: the pages fill the frame.
    for (int i = 0; i <= 3; ++i)
        w.pic_Page(i).move(0, 0, W, H);
    // 4: the option summary against the right edge (of its panel), never
    // over the board line beside it when the graph frame is narrow.
    forms::Label& summary = w.lbl_Info(3);
    const Twips right = std::min(W, w.pic_Info(0).width());
    const Twips besideBoard = w.lbl_Info(5).left() + w.lbl_Info(5).width() + kGap;
    summary.setLeft(std::max(besideBoard, right - summary.width()));
    // 5-8: the pages.
    placeMainPage(w, W, H);
    placeSensPage(w, W, H);
    placeLinPage(w, W, H);
    linVisibility(w);
    linCaptions(w);
    placeMonitorPage(w, W, H);
    // 9: geometry for the settings file.
    recordGeometry(w, W);
    // 10: splitter and menu frame (their resizes are this layout's own).
    const bool docking = rt.docking;
    rt.docking = true;
    Place_Frames(w);
    rt.docking = docking;
    placeMenuFrame(w);
    // 11: work-list rows.
    placeWorkListRows(w);
    // 12: the graph backgrounds, and the waveforms again after a resize.
    w.proc.Draw_LinGrid();
    w.proc.Draw_SensGrid();
    if (keepWaves) {
        if (w.st.flg_SensWF_Shown) w.proc.Draw_SensWF();
        if (w.st.flg_LinWF_Shown) w.proc.Draw_LinWF();
    } else {
        w.st.flg_SensWF_Shown = 0;
        w.st.flg_LinWF_Shown = 0;
    }
    --rt.depth;
}

}  // namespace morva
