#pragma once
// The per-slot sensitivity computation of one acquisition: smoothing, level
// range, difference waveform, crossings and period, steepest rising and
// falling parts and the straight-line fits whose slopes are the positive and
// negative sensitivities.

#include <cstdint>

#include "core/state.h"

namespace morva {

// Limits of the per-call work lists.
inline constexpr int kMaxCrossings = 20;      // entries 1..20 of each crossing list
inline constexpr int kMaxKeptCrossings = 15;  // ZerX_Pos entries 1..15
inline constexpr int kMaxFitPoints = 40;      // fit buffer entries 1..40

// The fit half-width actually used around `centre`: h limited so that the
// fit has at most 39 points (2h + 1 <= 40) and reads only points 0..150. A
// negative h stays (the fit is then empty and its slope 0).
int32_t LimitSensFitHalfWidth(int32_t h, int32_t centre);

// Computes SensWF, SensDifWF_Pre, SensDifWF, C_val, Th_Lvl, ramda, nZerX,
// ZerX_Pos, P_max, P_min of slot `ch` (0..3) and stores Sval_P(ch, iLoop)
// and Sval_N(ch, iLoop) (iLoop 0..20). A slot or acquisition number outside
// those ranges does nothing. Crossings past the 20th of a list are not
// recorded; the fit half-width is limited so that the fit has at most 39
// points and stays within points 0..150; a mask width below 1 counts as 1;
// a slope or period that would not be a finite number is stored as 0.
void Calc_SensWaveform(MainState& state, int32_t ch, int32_t iLoop);

}  // namespace morva
