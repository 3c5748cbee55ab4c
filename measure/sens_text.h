#pragma once
// Texts of the sensitivity intermediates for the advanced panel's text boxes.

#include <cstdint>
#include <string>

#include "core/state.h"

namespace morva {

// The captions beside the intermediates, one per line.
inline constexpr const char* kSensDebugCaptions =
    "ramda\r\nnZerX\r\nP_max\r\nP_min\r\nC_val\r\nTh_Lvl\r\nSval_P\r\nSval_N\r\n";

// The intermediates of slot `ch` (0..3) after acquisition iLoop (0..20), one
// line each ended by CR LF: ramda "0.00", nZerX, P_max, P_min as integers,
// C_val and Th_Lvl "0", Sval_P and Sval_N of that acquisition "0.0". Empty
// for a slot or acquisition outside the ranges.
std::string SensDebugText(const SensState& sens, int32_t ch, int32_t iLoop);

// The final per-slot sensitivities: Sens_Slot of slots 0..nSlot-1 in "0.00",
// one line each ended by CR LF.
std::string SensSlotText(const SensState& sens, int32_t nSlot);

}  // namespace morva
