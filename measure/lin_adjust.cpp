#include "measure/lin_adjust.h"

#include "core/numbers.h"

namespace morva {

bool cmd_Pos_LinWF_Click(MainState& state, int32_t Index) {
    auto& startPos = state.msr.StartPos_LinWF;
    switch (Index) {
        case 0:
            state.lin.ofs_LinWF_avg[0] = toInt32(static_cast<double>(state.lin.ofs_LinWF_avg[0]) + 50);
            return false;
        case 1:
            state.lin.ofs_LinWF_avg[0] = toInt32(static_cast<double>(state.lin.ofs_LinWF_avg[0]) - 50);
            return false;
        case 2:
            for (int32_t& pos : startPos)
                if (pos > 0) pos = pos - 1;
            return true;
        case 3:
            for (int32_t& pos : startPos)
                if (static_cast<int64_t>(state.params.nData_LinWF) + pos < state.model.nADdata_Lin)
                    pos = pos + 1;
            return true;
        case 4:
            return true;
        default:
            return false;
    }
}

std::string StartPos_LinWF_Text(const MsrSettings& msr, int32_t k) {
    if (k < 0 || k > 3) return {};
    return numberText(int64_t{msr.StartPos_LinWF[static_cast<size_t>(k)]});
}

}  // namespace morva
