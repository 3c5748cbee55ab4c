#include "measure/sens_assembly.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"

namespace morva {

namespace {

// Which samples each slot reads, by heads and channels.
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

// One slot's samples: the scan offset (taken to the nearest sample within
// the channel), the channel count C of the interleaving and the channel.
// Sample k of the channel's scan is ADData(near(offset + k) x C + channel).
// Rounding within the channel first keeps a half-sample offset from landing
// on the other channel's sample.
struct SlotReader {
    NearShift shift;
    int64_t C = 1;
    int64_t channel = 0;
};

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

    const double T = timing.T;
    const double T2 = 2.0f * timing.T;  // the multiples of T are single products
    const double T3 = 3.0f * timing.T;
    const int64_t S = timing.S;
    const double dS = static_cast<double>(S);
    SlotReader reader[4];
    int32_t nSlot = 4;
    switch (variant) {
        case Variant::TwoHeads:
            reader[0] = {NearShift(T), C, 0};
            reader[1] = {NearShift(T3), C, 0};
            reader[2] = {NearShift(0.0), C, 0};
            reader[3] = {NearShift(T2), C, 0};
            break;
        case Variant::FourHeadsOneChannel:
            nSlot = 2;
            reader[0] = {NearShift(T), 1, 0};
            reader[1] = {NearShift(0.0), 1, 0};
            break;
        case Variant::FourHeadsTwoChannels:
        case Variant::EightHeadsTwoChannels:
            reader[0] = {NearShift(T), 2, 0};
            reader[1] = {NearShift(0.0), 2, 0};
            reader[2] = {NearShift(T + dS), 2, 1};
            reader[3] = {NearShift(dS), 2, 1};
            break;
        case Variant::EightHeadsOneChannel:
            nSlot = 2;
            reader[0] = {NearShift(T + dS), 1, 0};
            reader[1] = {NearShift(dS), 1, 0};
            break;
        case Variant::None:
            return;
    }

    const int32_t N = std::min(state.params.nData_SensWF, kMaxSensPoint);
    const int64_t start = state.params.StartPos_SensWFSample;
    const int32_t nPoint = state.params.nPoint_SensWFSample;
    const double mVperCount = state.AD_mVperCount;
    const int16_t* const samples = state.ADData.data();
    auto& raw = state.sens.SensWF_Raw;

    // Every slot reads within (base + j + [min(S, 0), 3T + max(S, 0)]) x C + 1,
    // so outside these j all reads lie past the buffer and add 0.
    const double lowOffset = std::min<double>(dS, 0.0);
    const double highOffset = 3.0 * T + std::max<double>(dS, 0.0);
    for (int32_t i = 1; i <= N; ++i) {
        const int64_t base = toInt32(T * static_cast<double>(i - 1) * static_cast<double>(nType));
        const double jLow = -2.0 - static_cast<double>(base) - highOffset;
        const double jHigh = kMaxADData + 2.0 - static_cast<double>(base) - lowOffset;
        const int64_t first = std::max<int64_t>(start, static_cast<int64_t>(std::max(jLow, -4e18)));
        const int64_t last =
            std::min<int64_t>(start + nPoint - 1, static_cast<int64_t>(std::min(jHigh, 4e18)));
        for (int32_t slot = 0; slot < nSlot; ++slot) {
            const SlotReader& r = reader[slot];
            float sum = 0.0f;
            for (int64_t j = first; j <= last; ++j) {
                const int64_t index = r.shift.at(base + j) * r.C + r.channel;
                if (index >= 0 && index <= kMaxADData) sum = sum + static_cast<float>(samples[index]);
            }
            const float level =
                nPoint >= 1 ? static_cast<float>(static_cast<double>(sum) / nPoint * mVperCount) : 0.0f;
            raw[static_cast<size_t>(slot)][static_cast<size_t>(i)] = level;
        }
    }
}

}  // namespace morva
