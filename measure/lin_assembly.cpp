#include "measure/lin_assembly.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"

namespace morva {

namespace {

int16_t sampleAt(const MainState& state, int64_t index) {
    return (index >= 0 && index <= kMaxADData) ? state.ADData[static_cast<size_t>(index)] : int16_t{0};
}

// sign x F / Sens_Slot(slot); a missing sensitivity gives no gain.
float gain(float F, float sign, const MainState& state, size_t slot, bool& valid) {
    const float sens = state.sens.Sens_Slot[slot];
    const float numerator = sign < 0 ? -F : F;
    const float g = numerator / sens;
    if (sens == 0.0f || !std::isfinite(g)) {
        valid = false;
        return 0.0f;
    }
    return g;
}

}  // namespace

int32_t LinLineCount(int32_t nChannel) {
    return std::clamp(2 * nChannel, 0, 4);
}

LinGains LinWaveformGains(const MainState& state) {
    LinGains gains;
    auto& g = gains.g;
    bool& ok = gains.valid;
    const float F = state.AD_mVperCount * 100.0f;
    const int32_t C = state.settings.n_AD_Channel;
    const int32_t nHead = state.model.nHead;
    if (nHead == 2) {
        // Which line carries the higher level at mid-window decides which
        // head's sensitivity and sign each line gets.
        const double halfN = state.params.nData_LinWF / 2.0;
        int32_t levelA = 0;
        int32_t levelB = 0;
        for (int32_t k = 1; k <= 2; ++k) {
            levelA += sampleAt(state, toInt32((state.msr.StartPos_LinWF[0] + k + halfN) * C));
            levelB += sampleAt(state, toInt32((state.msr.StartPos_LinWF[1] + k + halfN) * C));
        }
        if (levelA >= levelB) {
            g[0] = gain(F, -1, state, 1, ok);
            g[1] = gain(F, +1, state, 0, ok);
        } else {
            g[0] = gain(F, +1, state, 0, ok);
            g[1] = gain(F, -1, state, 1, ok);
        }
    } else if (nHead == 4 && C == 1) {
        g[0] = gain(F, -1, state, 0, ok);
        g[1] = gain(F, +1, state, 1, ok);
    } else if (nHead == 4 && C == 2) {
        g[0] = gain(F, -1, state, 0, ok);
        g[1] = gain(F, +1, state, 1, ok);
        g[2] = gain(F, -1, state, 2, ok);
        g[3] = gain(F, +1, state, 3, ok);
    } else if (nHead == 8 && C == 1) {
        g[0] = gain(F, -1, state, 0, ok);
        g[1] = gain(F, -1, state, 1, ok);
    } else if (nHead == 8 && C == 2) {
        g[0] = gain(F, +1, state, 0, ok);
        g[1] = gain(F, +1, state, 1, ok);
        g[2] = gain(F, -1, state, 2, ok);
        g[3] = gain(F, -1, state, 3, ok);
    }
    return gains;
}

bool Assemble_LinWaveform(MainState& state) {
    const LinGains gains = LinWaveformGains(state);
    const int32_t C = state.settings.n_AD_Channel;
    const int32_t nLine = LinLineCount(C);
    const int32_t N = std::min(state.params.nData_LinWF, kMaxLinPoint);
    auto& raw = state.lin.LinWF_Raw;
    for (int32_t i = 1; i <= N; ++i) {
        for (int32_t l = 0; l < nLine; ++l) {
            const int64_t index =
                l / 2 + (static_cast<int64_t>(state.msr.StartPos_LinWF[static_cast<size_t>(l)]) + i - 1) * C;
            const float value = static_cast<float>(sampleAt(state, index)) * gains.g[static_cast<size_t>(l)];
            raw[static_cast<size_t>(l)][static_cast<size_t>(i)] = toInt32(value);
        }
    }
    return gains.valid;
}

}  // namespace morva
