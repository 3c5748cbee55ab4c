#pragma once
// Averaging of the linearity lines over acquisitions, the offset, the
// channel waveform LinAvg, the linearity value and the peak-hold envelope.
// The measurement run calls these in its phases: buffer fill, offset with
// envelope seeding, moving-average passes, final average.

#include <array>
#include <cstdint>
#include <string>

#include "core/state.h"

namespace morva {

// Acquisitions in the moving average: nLoop_LinRealTime limited to 1..20.
int32_t LinRingSize(int32_t nLoop_LinRealTime);

// max - min of wf(Adj_LinEnt + 1 .. N), the maximum starting at -5000 and the
// minimum at 5000 with strict comparisons (so no point examined gives
// -10000). Points below 0 are not read, points past N or 100 neither.
int32_t LinSpan(const std::array<int32_t, kMaxLinPoint + 1>& wf, int32_t Adj_LinEnt, int32_t N);

// A linearity value in hundredths shown in micrometres, format "0.0".
std::string LinValueText(int32_t hundredths);

// Lin = 0 for the lines and points in use.
void Clear_Lin(MainState& state);

// Buffer fill, acquisition s (1..20; others do nothing): LinWF_Buf(s) takes
// the corrected lines and Lin gains their share 1/nLoop_LinRealTime.
void Fill_LinBuffer(MainState& state, int32_t s);

// Offset and channel average of channel c: ofs_LinWF_mlt of its two lines and
// ofs_LinWF_avg from the inner points (nCut_CalcLinOfs left out at each
// end), or from point Pos_FixOfs_LinWF when the offset is fixed; then LinAvg.
// With seedEnvelope (after the buffer fill) the envelope starts at LinAvg
// and WavVal at 0. With no inner point (nCut_CalcLinOfs too large) the
// offsets are 0; a negative nCut_CalcLinOfs counts as 0; a fixed-offset
// point outside 1..N is taken at the nearer end.
void Calc_LinOffsetAvg(MainState& state, int32_t c, bool seedEnvelope);

// Moving-average pass with acquisition slot s (1..20; others do nothing):
// Lin moves by (new - overwritten) / nLoop_LinRealTime; then per channel the
// fixed offset (when fixed), LinAvg, LinVal and, while flg_PeakHold is 1, the
// envelope WavMax/WavMin and WavVal.
void MovAvg_LinWaveform(MainState& state, int32_t s);

// Final average: one acquisition's share 1/nLoop_LinFinalData added to Lin
// (a count below 1 counts as 1).
void Add_LinFinalData(MainState& state);
// After the final acquisitions: offsets, LinAvg and LinVal of every channel.
void Finish_LinFinalData(MainState& state);

}  // namespace morva
