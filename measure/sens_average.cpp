#include "measure/sens_average.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "measure/sens_assembly.h"

namespace morva {

double Avg_SensValue(int32_t ch, const SensLoopValues& values, int32_t nLoop_MsrSens,
                     int32_t Thresh_ChkSensVal) {
    if (ch < 0 || ch > 3 || nLoop_MsrSens < 1) return 0.0;
    const int32_t n = std::min(nLoop_MsrSens, kMaxSlot);
    const auto& row = values[static_cast<size_t>(ch)];

    int32_t sum = 0;
    for (int32_t k = 1; k <= n; ++k)
        sum = toInt32(static_cast<double>(sum) + static_cast<double>(row[static_cast<size_t>(k)]));
    const float mean = static_cast<float>(static_cast<double>(sum) / n);
    if (mean == 0.0f) return 0.0;

    int32_t count = 0;
    int32_t kept = 0;
    for (int32_t k = 1; k <= n; ++k) {
        const float v = row[static_cast<size_t>(k)];
        const float deviation = std::fabs(1.0f - v / mean) * 100.0f;
        if (static_cast<double>(deviation) <= static_cast<double>(Thresh_ChkSensVal)) {
            count = count + 1;
            kept = toInt32(static_cast<double>(kept) + static_cast<double>(v));
        }
    }
    if (count == 0) count = 1000;
    return static_cast<double>(kept) / count;
}

void Combine_SensValue(SensState& sens, int32_t nHead, const std::array<float, 4>& P,
                       const std::array<float, 4>& N) {
    if (nHead == 2) {
        sens.SensVal[0] = (P[0] + P[1] - N[0] - N[1]) / 4.0f;
        sens.SensVal[1] = (P[2] + P[3] - N[2] - N[3]) / 4.0f;
    } else if (nHead == 4 || nHead == 8) {
        sens.SensVal[0] = (P[1] - N[0]) / 2.0f;
        sens.SensVal[1] = (P[3] - N[2]) / 2.0f;
    }
}

void Calc_SensValue_Loop(MainState& state, int32_t iLoop) {
    if (iLoop < 0 || iLoop > kMaxSlot) return;
    std::array<float, 4> P{};
    std::array<float, 4> N{};
    for (size_t slot = 0; slot < 4; ++slot) {
        P[slot] = state.sens.Sval_P[slot][static_cast<size_t>(iLoop)];
        N[slot] = state.sens.Sval_N[slot][static_cast<size_t>(iLoop)];
    }
    Combine_SensValue(state.sens, state.model.nHead, P, N);
}

void Calc_SensValue_Final(MainState& state) {
    SensState& sens = state.sens;
    const int32_t nSlot = SensSlotCount(state.msr.nType_SensWF, state.settings.n_AD_Channel);
    for (int32_t ch = 0; ch < nSlot; ++ch) {
        const size_t c = static_cast<size_t>(ch);
        sens.Sens_posi[c] = static_cast<float>(
            Avg_SensValue(ch, sens.Sval_P, state.msr.nLoop_MsrSens, state.params.Thresh_ChkSensVal));
        sens.Sens_nega[c] = static_cast<float>(
            Avg_SensValue(ch, sens.Sval_N, state.msr.nLoop_MsrSens, state.params.Thresh_ChkSensVal));
        sens.Sens_Slot[c] = (sens.Sens_posi[c] - sens.Sens_nega[c]) / 2.0f;
    }
    Combine_SensValue(sens, state.model.nHead, sens.Sens_posi, sens.Sens_nega);
}

}  // namespace morva
