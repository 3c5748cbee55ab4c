#include "measure/sens_text.h"

#include <algorithm>

#include "core/numbers.h"
#include "files/text_file.h"

namespace morva {

std::string SensDebugText(const SensState& sens, int32_t ch, int32_t iLoop) {
    std::string text;
    if (ch < 0 || ch > 3 || iLoop < 0 || iLoop > kMaxSlot) return text;
    const size_t c = static_cast<size_t>(ch);
    const size_t loop = static_cast<size_t>(iLoop);
    appendCrLfLine(text, formatFixed(sens.ramda[c], 2));
    appendCrLfLine(text, numberText(int64_t{sens.nZerX[c]}));
    appendCrLfLine(text, numberText(int64_t{sens.P_max[c]}));
    appendCrLfLine(text, numberText(int64_t{sens.P_min[c]}));
    appendCrLfLine(text, formatFixed(sens.C_val[c], 0));
    appendCrLfLine(text, formatFixed(sens.Th_Lvl[c], 0));
    appendCrLfLine(text, formatFixed(sens.Sval_P[c][loop], 1));
    appendCrLfLine(text, formatFixed(sens.Sval_N[c][loop], 1));
    return text;
}

std::string SensSlotText(const SensState& sens, int32_t nSlot) {
    std::string text;
    for (int32_t slot = 0; slot < std::min(nSlot, 4); ++slot)
        appendCrLfLine(text, formatFixed(sens.Sens_Slot[static_cast<size_t>(slot)], 2));
    return text;
}

}  // namespace morva
