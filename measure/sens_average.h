#pragma once
// Averaging of the per-acquisition sensitivities with outlier rejection, and
// the combination of the slots' slopes into the two displayed sensitivities.

#include <array>
#include <cstdint>

#include "core/state.h"

namespace morva {

using SensLoopValues = Grid<float, 4, kMaxSlot>;

// Mean of values(ch, 1..nLoop_MsrSens) over the values that deviate from the
// whole-number mean by at most Thresh_ChkSensVal percent. Both sums are whole
// numbers: every partial sum is taken to the nearest integer. No value
// inside the limit gives 0. Acquisition counts above 20 count as 20; a count
// below 1, a slot outside 0..3, or a whole-number mean of 0 (no relative
// deviation can be formed; every value would be kept and the whole-number
// sum is 0) give 0.
double Avg_SensValue(int32_t ch, const SensLoopValues& values, int32_t nLoop_MsrSens,
                     int32_t Thresh_ChkSensVal);

// SensVal from positive (P) and negative (N) slopes of slots 0..3, by nHead:
// two heads average the four slopes of each channel pair, four or eight heads
// take (P1 - N0) / 2 and (P3 - N2) / 2. Other head counts leave SensVal.
void Combine_SensValue(SensState& sens, int32_t nHead, const std::array<float, 4>& P,
                       const std::array<float, 4>& N);

// SensVal from the slopes of acquisition iLoop (0..20; others do nothing).
void Calc_SensValue_Loop(MainState& state, int32_t iLoop);

// After the last acquisition: Sens_posi, Sens_nega, Sens_Slot of every
// computed slot, then SensVal from the averaged slopes.
void Calc_SensValue_Final(MainState& state);

}  // namespace morva
