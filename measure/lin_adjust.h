#pragma once
// Manual adjustment of the linearity line windows and of channel 0's offset.

#include <cstdint>
#include <string>

#include "core/state.h"

namespace morva {

// Index 0: ofs_LinWF_avg(0) + 50; 1: - 50; 2: every StartPos_LinWF(k) above 0
// one sample earlier; 3: every StartPos_LinWF(k) whose window still ends
// before nADdata_Lin one sample later; 4: nothing to change. Returns true
// when the window's start-position text boxes must be refreshed (2, 3, 4);
// any other index changes nothing and returns false.
bool cmd_Pos_LinWF_Click(MainState& state, int32_t Index);

// The text of txt_StartPos_LinWF(k), k = 0..3: the start position as a
// decimal integer (empty for another k).
std::string StartPos_LinWF_Text(const MsrSettings& msr, int32_t k);

}  // namespace morva
