#include "measure/graphs.h"

#include <algorithm>
#include <array>

#include "core/numbers.h"
#include "window/frm_main.h"

namespace morva {

namespace {

using forms::Color;
using forms::PictureBox;

Color color(int32_t c) {
    return static_cast<Color>(c);
}

// The first and last point of the linearity waveforms, within the arrays.
struct PointRange {
    int first = 1, last = 0;
};

PointRange linRange(const MainState& st) {
    PointRange r;
    r.first = std::clamp(st.msr.Adj_LinEnt + 1, 1, kMaxLinPoint + 1);
    r.last = std::clamp(st.params.nData_LinWF, 0, kMaxLinPoint);
    return r;
}

// A polyline over points first..last at y = value(i), led in from x = 1 at
// the first value (the lead-in lies left of the scale when the window starts
// later and is cut there).
template <typename Value>
void polyline(PictureBox& pic, PointRange r, Color c, Value value) {
    if (r.first > r.last) return;
    double prevX = 1, prevY = value(r.first);
    for (int i = r.first; i <= r.last; ++i) {
        const double y = value(i);
        pic.line(prevX, prevY, i, y, c);
        prevX = i;
        prevY = y;
    }
}

int linChannels(const MainState& st) {
    return std::clamp(st.msr.n_Msr_channel_Lin, 0, 2);
}

void drawLinGridOn(PictureBox& pic, const MainState& st) {
    pic.cls();
    const Color grid = color(kGridColor);
    for (int y = -500; y <= 500; y += 100)
        pic.line(0, y, 100, y, grid);
    for (int x = 0; x <= 100; x += 5)
        pic.line(x, 15, x, -15, grid);
    for (int x = 0; x <= 100; x += 10)
        pic.line(x, 25, x, -25, grid);
    pic.line(0, 0, 100, 0, grid);
    // The model's limit curves (0 upper, 1 lower).
    for (int curve = 0; curve <= 1; ++curve) {
        const auto& limit = st.spec.SpecLine_Lin[curve];
        polyline(pic, linRange(st), color(kLimitColor),
                 [&](int i) { return -static_cast<double>(limit[i]); });
    }
}

}  // namespace

void Draw_SensGrid(FrmMain& w) {
    const Color grid = color(kGridColor);
    PictureBox& sens = w.pic_Graph_Sens;
    sens.cls();
    for (int y = -5000; y <= 0; y += 1000)
        sens.line(0, y, 140, y, grid);
    for (int x = 0; x <= 140; x += 10)
        sens.line(x, 0, x, -80, grid);
    for (int x = 0; x <= 140; x += 50)
        sens.line(x, 0, x, -120, grid);

    PictureBox& div = w.pic_Graph_SensDiv;
    div.cls();
    for (int y = -200; y <= 200; y += 100)
        div.line(0, y, 140, y, grid);
    for (int x = 0; x <= 140; x += 10)
        div.line(x, 15, x, -15, grid);
    for (int x = 0; x <= 140; x += 50)
        div.line(x, 30, x, -30, grid);
}

void Draw_SensWF(FrmMain& w) {
    const MainState& st = w.st;
    const SensState& s = st.sens;
    const int slots = std::min(st.msr.nType_SensWF * st.msr.n_Msr_channel_Sens, 4);
    const int last = std::clamp(st.params.nData_SensWF, 0, kMaxSensPoint);
    const bool smooth = st.settings.flg_SmoothSensWF == 1;
    const auto& upper = smooth ? s.SensWF : s.SensWF_Raw;
    const auto& lower = smooth ? s.SensDifWF : s.SensDifWF_Pre;
    for (int slot = 0; slot < slots; ++slot) {
        const Color c = color(st.Color_Head[slot]);
        const auto near = [](float v) { return -static_cast<double>(toInt32(v)); };
        for (int i = 2; i <= last; ++i) {
            w.pic_Graph_Sens.line(i - 1, near(upper[slot][i - 1]), i, near(upper[slot][i]), c);
            w.pic_Graph_SensDiv.line(i - 1, near(lower[slot][i - 1]), i, near(lower[slot][i]), c);
        }
    }
    w.st.flg_SensWF_Shown = 1;
}

void Draw_LinGrid(FrmMain& w) {
    const int channels = linChannels(w.st);
    for (int c = 0; c < channels; ++c) {
        drawLinGridOn(w.pic_Graph_Lin(c), w.st);
        if (w.st.flg_Dsp_LinWF_MultiLine == 1) drawLinGridOn(w.pic_Graph_Lin_mlt(c), w.st);
    }
}

void Draw_LinWF(FrmMain& w) {
    const MainState& st = w.st;
    const LinState& lin = st.lin;
    const PointRange r = linRange(st);
    const int channels = linChannels(st);
    for (int c = 0; c < channels; ++c) {
        PictureBox& pic = w.pic_Graph_Lin(c);
        if (st.flags.flg_PeakHold == 1) {
            polyline(pic, r, color(kEnvelopeColor), [&](int i) { return lin.WavMax[c][i]; });
            polyline(pic, r, color(kEnvelopeColor), [&](int i) { return lin.WavMin[c][i]; });
        }
        polyline(pic, r, color(kLinAvgColor), [&](int i) { return lin.LinAvg[c][i]; });
        if (st.flg_Dsp_LinWF_MultiLine == 1) {
            PictureBox& mlt = w.pic_Graph_Lin_mlt(c);
            for (int k = 0; k <= 1; ++k) {
                const int line = 2 * c + k;
                polyline(mlt, r, color(st.Color_Head[2 + k]),
                         [&](int i) { return lin.Lin[line][i] - lin.ofs_LinWF_mlt[line]; });
            }
        }
    }
    w.st.flg_LinWF_Shown = 1;
}

void Draw_CorWF(FrmMain& w) {
    const LinState& lin = w.st.lin;
    polyline(w.pic_Graph_Lin(0), linRange(w.st), color(kCorWFColor), [&](int i) { return lin.CorWF[i]; });
}

void Wire_Graphs(FrmMain& w) {
    w.proc.Draw_SensGrid.bind([&w] { Draw_SensGrid(w); });
    w.proc.Draw_SensWF.bind([&w] { Draw_SensWF(w); });
    w.proc.Draw_LinGrid.bind([&w] { Draw_LinGrid(w); });
    w.proc.Draw_LinWF.bind([&w] { Draw_LinWF(w); });
    w.proc.Draw_CorWF.bind([&w] { Draw_CorWF(w); });
}

}  // namespace morva
