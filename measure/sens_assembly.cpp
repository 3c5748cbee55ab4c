#include "measure/sens_assembly.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"

namespace morva {

namespace {

int16_t sampleAt(const MainState& state, int64_t index) {
    return (index >= 0 && index <= kMaxADData) ? state.ADData[static_cast<size_t>(index)] : int16_t{0};
}

// Which samples each slot reads: one index function per slot. Index
// expressions that add the single T are formed in double and taken to the
// nearest integer; the purely integer ones are exact.
enum class Variant {
    None,
    TwoHeads,
    FourHeadsOneChannel,
    FourHeadsTwoChannels,
    EightHeadsOneChannel,
    EightHeadsTwoChannels
};

Variant variantOf(int32_t nHead, int32_t C) {
    if (nHead == 2 && C >= 1) return Variant::TwoHeads;
    if (nHead == 4 && C == 1) return Variant::FourHeadsOneChannel;
    if (nHead == 4 && C == 2) return Variant::FourHeadsTwoChannels;
    if (nHead == 8 && C == 1) return Variant::EightHeadsOneChannel;
    if (nHead == 8 && C == 2) return Variant::EightHeadsTwoChannels;
    return Variant::None;
}

}  // namespace

float HalfScanSeconds(float CylRot) {
    const float perRevolution = 60.0f / CylRot;
    return perRevolution / 2.0f;
}

SensScanTiming SensScanSamples(const ModelRecord& model) {
    SensScanTiming timing;
    timing.T = static_cast<float>(static_cast<double>(HalfScanSeconds(model.CylRot)) * model.AD_SplRate_Sens);
    const double stagger = static_cast<double>(model.HeadStagger) / 180.0 * static_cast<double>(timing.T);
    timing.S = std::isfinite(stagger) ? toInt32(stagger) : 0;
    return timing;
}

int32_t SensSlotCount(int32_t nType_SensWF, int32_t nChannel) {
    const int64_t slots = static_cast<int64_t>(nType_SensWF) * nChannel;
    return static_cast<int32_t>(std::clamp<int64_t>(slots, 0, 4));
}

void Assemble_SensWaveform(MainState& state) {
    const SensScanTiming timing = SensScanSamples(state.model);
    const int32_t C = state.settings.n_AD_Channel;
    const Variant variant = variantOf(state.model.nHead, C);
    if (variant == Variant::None) return;
    if (!std::isfinite(timing.T) || timing.T <= 0.0f) return;

    const int32_t nType = (variant == Variant::TwoHeads || variant == Variant::EightHeadsTwoChannels) ? 4 : 2;
    state.msr.nType_SensWF = nType;
    const int32_t nSlot =
        (variant == Variant::FourHeadsOneChannel || variant == Variant::EightHeadsOneChannel) ? 2 : 4;

    const double T = timing.T;
    const double T2 = 2.0f * timing.T;  // the multiples of T are single products
    const double T3 = 3.0f * timing.T;
    const int64_t S = timing.S;
    const int32_t N = std::min(state.params.nData_SensWF, kMaxSensPoint);
    const int64_t start = state.params.StartPos_SensWFSample;
    const int32_t nPoint = state.params.nPoint_SensWFSample;
    const double mVperCount = state.AD_mVperCount;
    auto& raw = state.sens.SensWF_Raw;

    // Every slot reads within (base + j + [min(S, 0), 3T + max(S, 0)]) x C + 1,
    // so outside these j all reads lie past the buffer and add 0.
    const double lowOffset = std::min<double>(static_cast<double>(S), 0.0);
    const double highOffset = 3.0 * T + std::max<double>(static_cast<double>(S), 0.0);
    for (int32_t i = 1; i <= N; ++i) {
        const int64_t base = toInt32(T * static_cast<double>(i - 1) * static_cast<double>(nType));
        float sum[4] = {0.0f, 0.0f, 0.0f, 0.0f};
        const double jLow = -2.0 - static_cast<double>(base) - highOffset;
        const double jHigh = kMaxADData + 2.0 - static_cast<double>(base) - lowOffset;
        const int64_t first = std::max<int64_t>(start, static_cast<int64_t>(std::max(jLow, -4e18)));
        const int64_t last =
            std::min<int64_t>(start + nPoint - 1, static_cast<int64_t>(std::min(jHigh, 4e18)));
        for (int64_t j = first; j <= last; ++j) {
            const double bj = static_cast<double>(base + j);
            int64_t index[4] = {0, 0, 0, 0};
            switch (variant) {
                case Variant::TwoHeads:
                    index[0] = toInt32((T + bj) * C);
                    index[1] = toInt32((T3 + bj) * C);
                    index[2] = (base + j) * C;
                    index[3] = toInt32((T2 + bj) * C);
                    break;
                case Variant::FourHeadsOneChannel:
                    index[0] = toInt32(T + bj);
                    index[1] = base + j;
                    break;
                case Variant::FourHeadsTwoChannels:
                case Variant::EightHeadsTwoChannels:
                    index[0] = toInt32((T + bj) * 2);
                    index[1] = (base + j) * 2;
                    index[2] = toInt32((T + bj + static_cast<double>(S)) * 2 + 1);
                    index[3] = (base + j + S) * 2 + 1;
                    break;
                case Variant::EightHeadsOneChannel:
                    index[0] = toInt32(T + bj + static_cast<double>(S));
                    index[1] = base + j + S;
                    break;
                case Variant::None:
                    break;
            }
            for (int32_t slot = 0; slot < nSlot; ++slot)
                sum[slot] = sum[slot] + static_cast<float>(sampleAt(state, index[slot]));
        }
        for (int32_t slot = 0; slot < nSlot; ++slot) {
            const float level =
                nPoint >= 1 ? static_cast<float>(static_cast<double>(sum[slot]) / nPoint * mVperCount) : 0.0f;
            raw[static_cast<size_t>(slot)][static_cast<size_t>(i)] = level;
        }
    }
}

}  // namespace morva
