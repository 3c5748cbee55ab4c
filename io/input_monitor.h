#pragma once
// The input monitor: the raw A/D input drawn like an oscilloscope on
// pic_Graph_Moni, acquisition after acquisition, with the sampling rate, the
// number of points and the grid type chosen by three option groups. The
// labels lbl_Moni(0..2) hold the rate (Hz), the points per channel and the
// time span (ms); the run reads its settings from them at every pass, so an
// option changed during a run applies at the next pass.

#include <cstdint>
#include <string>

#include "window/frm_main.h"

namespace morva {

// The option values by index: sampling rates (Hz) and points per channel.
inline constexpr int32_t kMoniSamplingRates[] = {60000, 50000, 40000, 25000, 12500,
                                                 8000,  6667,  5000,  3333,  1667};
inline constexpr int32_t kMoniRanges[] = {5000, 2500, 1000, 500, 250, 100};
inline constexpr int kMoniRateCount = 10;
inline constexpr int kMoniRangeCount = 6;
// The grid's colour, RGB (64, 64, 64).
inline constexpr forms::Color kMoniGridColor = 0x404040;
// The shortest time between two pictures of the run (one display frame at
// 60 Hz), ms.
inline constexpr int64_t kMoniFrameMs = 16;
// The vertical scale: 0 mV at the bottom, 5000 mV at the top.
inline constexpr double kMoniFullScaleMv = 5000;

// The time span of `points` samples at `rate` Hz in ms, as the label shows
// it: two decimals, trailing zeros dropped ("20", "16.67", "150.02").
std::string Moni_TimeSpanText(double rate, double points);

// The grid steps in points: minor ticks and major lines, never below 1.
struct MoniGridSteps {
    int32_t minor;
    int32_t major;
};
// By points: at least 2500 points 100/500, at least 500 10/100, else 10/50.
MoniGridSteps Moni_PointSteps(int32_t points);
// By time, with the span T (ms) of `points`: the steps are chosen by the
// decade of T (T >= 1000: 100/1000 ms; >= 100: 10/100; >= 10: 1/10; below:
// 0.1/1) and converted to points, rounded; a step of 0 points counts as 1.
MoniGridSteps Moni_TimeSteps(int32_t points, double spanMs);

// Clears pic_Graph_Moni, sets its scale to the points of lbl_Moni(1) and
// draws the grid of the chosen scale type.
void Draw_MoniGrid(FrmMain& w);
// The same for `points` spanning `spanMs` (what a pass acquired).
void Draw_MoniGridFor(FrmMain& w, int32_t points, double spanMs);

// Draws channel c's trace (c = 1 .. n_AD_Channel) from ADData: the start
// point at x = 1 from the channel's first sample, then a line to each
// vertex k = 2 .. points from ADData(n × (k − 1) + c − 1); nothing is read
// beyond ADData.
void Draw_MoniTraces(FrmMain& w, int32_t points);

// The monitor loop: acquires, redraws the grid and the traces (not more
// often than once per display frame; the last pass is always drawn), and
// lets the user interface run once per pass, while flg_Measuring is 1.
void Run_InputMonitor(FrmMain& w);

// Option handlers.
void opt_SamplingRate_Click(FrmMain& w, int Index);
void opt_Range_Click(FrmMain& w, int Index);
void opt_ScaleType_Click(FrmMain& w);

// Installs the option handlers and binds w.proc.Run_InputMonitor and
// w.proc.Draw_MoniGrid.
void Wire_InputMonitor(FrmMain& w);

}  // namespace morva
