#pragma once
// The measurement graphs: the grids of the sensitivity and linearity graphs
// (with the model's linearity limit curves) and the waveforms drawn on
// them. Graph x is the point number; the scales are set by the view.
//
// Sensitivity values are drawn at y = -near(value) (millivolts grow upwards
// on a scale whose top is negative); linearity values at y = +value, the
// limit curves at y = -limit. Every step draws only over the points the
// arrays hold, whatever the counts in the state say.

namespace morva {

class FrmMain;

inline constexpr int kGridColor = 0x404040;
inline constexpr int kLimitColor = 0x000080;
inline constexpr int kEnvelopeColor = 0xC000C0;
inline constexpr int kLinAvgColor = 0x00FFFF;
inline constexpr int kCorWFColor = 0x0080FF;

// Clears pic_Graph_Sens and pic_Graph_SensDiv and draws their grids.
void Draw_SensGrid(FrmMain& w);
// The sensitivity waveforms of the computed slots (at most four), smoothed
// or raw by flg_SmoothSensWF, upper graph and difference graph.
void Draw_SensWF(FrmMain& w);
// Clears the linearity graphs of the measured channels (and the multi-line
// graphs while shown) and draws their grids and limit curves.
void Draw_LinGrid(FrmMain& w);
// The averaged linearity waveform per channel, the peak-hold envelope while
// held, and the channel's two lines on the multi-line graph while shown.
void Draw_LinWF(FrmMain& w);
// The master tape's correction waveform on the first linearity graph.
void Draw_CorWF(FrmMain& w);

// Binds the five drawing steps to the procedure table.
void Wire_Graphs(FrmMain& w);

}  // namespace morva
