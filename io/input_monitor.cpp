#include "io/input_monitor.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"

namespace morva {

namespace {

double labelNumber(const forms::Label& label) {
    return parseLeadingNumber(label.caption());
}

// The points of lbl_Moni(1) as the graph's width; at least 1.
int32_t monitorPoints(const FrmMain& w) {
    return std::max<int32_t>(1, toInt32(labelNumber(w.lbl_Moni(1))));
}

void updateTimeSpan(FrmMain& w) {
    w.lbl_Moni(2).setCaption(Moni_TimeSpanText(labelNumber(w.lbl_Moni(0)), labelNumber(w.lbl_Moni(1))));
}

int32_t timeStepPoints(int32_t points, double stepMs, double spanMs) {
    return std::max<int32_t>(1, toInt32(points * stepMs / spanMs));
}

// The option of the range group that shows the label's point count (-1: none).
int rangeIndexOf(int32_t points) {
    for (int i = 0; i < kMoniRangeCount; ++i)
        if (kMoniRanges[i] == points) return i;
    return -1;
}

}  // namespace

std::string Moni_TimeSpanText(double rate, double points) {
    if (!(rate > 0)) return "0";
    // Two decimals first, then the plain number: trailing zeros go.
    return numberTextDouble(parseLeadingNumber(formatFixed(1000.0 / rate * points, 2)));
}

MoniGridSteps Moni_PointSteps(int32_t points) {
    if (points >= 2500) return {100, 500};
    if (points >= 500) return {10, 100};
    return {10, 50};
}

MoniGridSteps Moni_TimeSteps(int32_t points, double spanMs) {
    // A span that is not a positive time has no time grid: one step each.
    if (!(spanMs > 0) || !std::isfinite(spanMs)) return {std::max(1, points), std::max(1, points)};
    double minorMs = 0.1;
    double majorMs = 1;
    if (spanMs >= 1000) {
        minorMs = 100;
        majorMs = 1000;
    } else if (spanMs >= 100) {
        minorMs = 10;
        majorMs = 100;
    } else if (spanMs >= 10) {
        minorMs = 1;
        majorMs = 10;
    }
    return {timeStepPoints(points, minorMs, spanMs), timeStepPoints(points, majorMs, spanMs)};
}

void Draw_MoniGrid(FrmMain& w) {
    Draw_MoniGridFor(w, monitorPoints(w), labelNumber(w.lbl_Moni(2)));
}

void Draw_MoniGridFor(FrmMain& w, int32_t points, double spanMs) {
    forms::PictureBox& g = w.pic_Graph_Moni;
    points = std::max<int32_t>(1, points);
    g.cls();
    g.scale(1, -kMoniFullScaleMv, 1 + points, 0);
    for (int mv = 5000; mv >= 0; mv -= 1000)
        g.line(1, -mv, 1 + points, -mv, kMoniGridColor);

    const MoniGridSteps steps =
        w.opt_ScaleType(1).value() ? Moni_TimeSteps(points, spanMs) : Moni_PointSteps(points);
    for (int32_t x = 0; x <= points; x += steps.minor)
        g.line(x, 0, x, -150, kMoniGridColor);
    for (int32_t x = 0; x <= points; x += steps.major)
        g.line(x, 0, x, -kMoniFullScaleMv, kMoniGridColor);
}

void Draw_MoniTraces(FrmMain& w, int32_t points) {
    MainState& s = w.st;
    forms::PictureBox& g = w.pic_Graph_Moni;
    const int32_t n = s.settings.n_AD_Channel;
    const float mvPerCount = s.AD_mVperCount;
    const auto sampleY = [&](int64_t index) { return -(s.ADData[static_cast<size_t>(index)] * mvPerCount); };
    for (int32_t c = 1; c <= n; ++c) {
        // Channel c is drawn in element c of the head colours (wrapping
        // past the fourth).
        const auto color =
            static_cast<forms::Color>(s.Color_Head[static_cast<size_t>(c) % s.Color_Head.size()]);
        const int64_t first = c - 1;
        if (first > kMaxADData) break;
        g.pset(1, sampleY(first), color);
        double lastY = sampleY(first);
        for (int32_t k = 2; k <= points; ++k) {
            const int64_t index = static_cast<int64_t>(n) * (k - 1) + c - 1;
            if (index > kMaxADData) break;
            const double y = sampleY(index);
            g.line(k - 1, lastY, k, y, color);
            lastY = y;
        }
    }
}

void Run_InputMonitor(FrmMain& w) {
    MainState& s = w.st;
    // The pass acquired last: its grid and traces. An option clicked while
    // it waited applies from the next pass on.
    const auto drawPass = [&w, &s] {
        const int32_t points = std::max<int32_t>(0, s.daq.n_AD_Sample);
        const double rate = s.daq.AD_SamplingRate;
        Draw_MoniGridFor(w, points, rate > 0 ? 1000.0 / rate * points : 0.0);
        Draw_MoniTraces(w, points);
    };
    bool drawnOnce = false;
    bool undrawn = false;
    int64_t lastDrawMs = 0;
    while (s.flags.flg_Measuring == 1 && !w.app().ended()) {
        s.daq.AD_SamplingRate = labelNumber(w.lbl_Moni(0));
        s.daq.n_AD_Sample = toInt32(labelNumber(w.lbl_Moni(1)));
        w.proc.Run_DaqAcquisition();
        while (s.daq.DaqBusy != 0 && !w.app().ended())
            w.loop().waitEvents();
        if (w.app().ended()) return;

        // The screen shows at most one picture per display frame: a pass
        // that comes sooner is not drawn (the last one is, when the run ends).
        const int64_t now = w.loop().nowMs();
        undrawn = true;
        if (!drawnOnce || now - lastDrawMs >= kMoniFrameMs) {
            drawPass();
            drawnOnce = true;
            undrawn = false;
            lastDrawMs = now;
        }
        // One yield per pass: the stop click and the option clicks are
        // handled even with a board that completes at once.
        w.doEvents();
    }
    if (undrawn && !w.app().ended()) drawPass();
}

void opt_SamplingRate_Click(FrmMain& w, int Index) {
    if (Index < 0 || Index >= kMoniRateCount) return;
    w.lbl_Moni(0).setCaption(numberText(kMoniSamplingRates[Index]));
    updateTimeSpan(w);
    Draw_MoniGrid(w);
}

void opt_Range_Click(FrmMain& w, int Index) {
    if (Index < 0 || Index >= kMoniRangeCount) return;
    // 5000 points per channel fit the data array with one channel only.
    if (Index != 0 || w.st.settings.n_AD_Channel == 1) {
        w.lbl_Moni(1).setCaption(numberText(kMoniRanges[Index]));
    } else {
        // Refused: the option of the count still in use is selected again.
        const int kept = rangeIndexOf(toInt32(labelNumber(w.lbl_Moni(1))));
        if (kept >= 0 && w.opt_Range.exists(kept)) {
            w.opt_Range(kept).setValue(true);  // its click redraws
            return;
        }
        w.opt_Range(Index).setValue(false);
    }
    updateTimeSpan(w);
    Draw_MoniGrid(w);
}

void opt_ScaleType_Click(FrmMain& w) {
    Draw_MoniGrid(w);
}

void Wire_InputMonitor(FrmMain& w) {
    // The window's design values, for a window whose layout left them out.
    constexpr const char* kDesignValues[] = {"25000", "500", "20"};
    for (int i = 0; i <= 2; ++i)
        if (w.lbl_Moni(i).caption().empty()) w.lbl_Moni(i).setCaption(kDesignValues[i]);
    // The default options (25 kHz, 500 points, points grid), chosen before
    // the handlers are installed so that nothing is drawn yet.
    const auto selectDefault = [](auto& group, int index) {
        for (const auto& [i, option] : group.items())
            if (option->value()) return;
        if (group.exists(index)) group(index).setValue(true);
    };
    selectDefault(w.opt_SamplingRate, 3);
    selectDefault(w.opt_Range, 3);
    selectDefault(w.opt_ScaleType, 0);
    w.opt_SamplingRate.on(&forms::Control::Click, [&w](int i) { opt_SamplingRate_Click(w, i); });
    w.opt_Range.on(&forms::Control::Click, [&w](int i) { opt_Range_Click(w, i); });
    w.opt_ScaleType.on(&forms::Control::Click, [&w](int) { opt_ScaleType_Click(w); });
    w.proc.Run_InputMonitor.bind([&w] { Run_InputMonitor(w); });
    w.proc.Draw_MoniGrid.bind([&w] { Draw_MoniGrid(w); });
}

}  // namespace morva
