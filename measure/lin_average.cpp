#include "measure/lin_average.h"

#include <algorithm>
#include <limits>

#include "core/numbers.h"
#include "measure/lin_assembly.h"

namespace morva {

namespace {

int32_t usedPoints(const MainState& state) {
    return std::clamp(state.params.nData_LinWF, 0, kMaxLinPoint);
}

int32_t channelCount(const MainState& state) {
    return LinLineCount(state.settings.n_AD_Channel) / 2;
}

// The corrected line value of one point (kept within the 32-bit range).
int32_t corrected(int32_t raw, int32_t correction) {
    return toInt32(static_cast<double>(raw) + correction);
}

// Lin(l, i) = near(delta / divisor + Lin(l, i)).
void addShare(int32_t& lin, double delta, int32_t divisor) {
    lin = toInt32(delta / divisor + static_cast<double>(lin));
}

void fixedOffset(MainState& state, int32_t c) {
    const int32_t N = usedPoints(state);
    if (N < 1) return;
    const size_t P = static_cast<size_t>(std::clamp(state.params.Pos_FixOfs_LinWF, 1, N));
    const auto& lin = state.lin.Lin;
    const double sum =
        static_cast<double>(lin[static_cast<size_t>(2 * c + 1)][P]) + lin[static_cast<size_t>(2 * c)][P];
    state.lin.ofs_LinWF_avg[static_cast<size_t>(c)] = toInt32(sum / 2);
}

void channelAverage(MainState& state, int32_t c) {
    const int32_t N = usedPoints(state);
    LinState& lin = state.lin;
    const auto& even = lin.Lin[static_cast<size_t>(2 * c)];
    const auto& odd = lin.Lin[static_cast<size_t>(2 * c + 1)];
    const double offset = lin.ofs_LinWF_avg[static_cast<size_t>(c)];
    auto& avg = lin.LinAvg[static_cast<size_t>(c)];
    for (int32_t i = 1; i <= N; ++i) {
        const size_t p = static_cast<size_t>(i);
        avg[p] = toInt32((static_cast<double>(odd[p]) + even[p]) / 2 - offset);
    }
}

void linValue(MainState& state, int32_t c) {
    LinState& lin = state.lin;
    lin.LinVal[static_cast<size_t>(c)] =
        LinSpan(lin.LinAvg[static_cast<size_t>(c)], state.msr.Adj_LinEnt, usedPoints(state));
}

// Stores this acquisition's corrected lines in ring slot s and adds its share
// to the averaged lines; when `replacing`, the share of the acquisition the
// slot held before is taken out again (the moving average).
void storeSlot(MainState& state, int32_t s, bool replacing) {
    LinState& lin = state.lin;
    const int32_t ring = LinRingSize(state.msr.nLoop_LinRealTime);
    const int32_t N = usedPoints(state);
    auto& slot = lin.LinWF_Buf[static_cast<size_t>(s)];
    for (int32_t l = 0; l < LinLineCount(state.settings.n_AD_Channel); ++l) {
        const size_t line = static_cast<size_t>(l);
        for (int32_t i = 1; i <= N; ++i) {
            const size_t p = static_cast<size_t>(i);
            const int32_t old = replacing ? slot[line][p] : 0;
            slot[line][p] = corrected(lin.LinWF_Raw[line][p], lin.CorWF[p]);
            addShare(lin.Lin[line][p], static_cast<double>(slot[line][p]) - old, ring);
        }
    }
}

void holdPeak(MainState& state, int32_t c) {
    LinState& lin = state.lin;
    const size_t ch = static_cast<size_t>(c);
    const auto& avg = lin.LinAvg[ch];
    auto& hi = lin.WavMax[ch];
    auto& lo = lin.WavMin[ch];
    const int32_t first = std::clamp(state.msr.Adj_LinEnt, -1, kMaxLinPoint) + 1;  // clamped before the + 1
    for (int32_t i = first; i <= usedPoints(state); ++i) {
        const size_t p = static_cast<size_t>(i);
        if (avg[p] > hi[p]) hi[p] = avg[p];
        if (avg[p] < lo[p]) lo[p] = avg[p];
        const int64_t width = static_cast<int64_t>(hi[p]) - lo[p];
        if (width > lin.WavVal[ch])
            lin.WavVal[ch] =
                static_cast<int32_t>(std::min<int64_t>(width, std::numeric_limits<int32_t>::max()));
    }
}

}  // namespace

int32_t LinRingSize(int32_t nLoop_LinRealTime) {
    return std::clamp(nLoop_LinRealTime, 1, kMaxSlot);
}

int32_t LinSpan(const std::array<int32_t, kMaxLinPoint + 1>& wf, int32_t Adj_LinEnt, int32_t N) {
    int32_t max = -5000;
    int32_t min = 5000;
    const int32_t first = std::clamp(Adj_LinEnt, -1, kMaxLinPoint) + 1;  // clamped before the + 1
    const int32_t last = std::min(N, kMaxLinPoint);
    for (int32_t i = first; i <= last; ++i) {
        const int32_t v = wf[static_cast<size_t>(i)];
        if (v > max) max = v;
        if (v < min) min = v;
    }
    return static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(max) - min,
                                                    std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

std::string LinValueText(int32_t hundredths) {
    return formatFixed(static_cast<double>(hundredths) / 100, 1);
}

void Clear_Lin(MainState& state) {
    const int32_t N = usedPoints(state);
    for (int32_t l = 0; l < LinLineCount(state.settings.n_AD_Channel); ++l)
        for (int32_t i = 1; i <= N; ++i)
            state.lin.Lin[static_cast<size_t>(l)][static_cast<size_t>(i)] = 0;
}

void Fill_LinBuffer(MainState& state, int32_t s) {
    if (s < 1 || s > kMaxSlot) return;
    storeSlot(state, s, false);
}

void Calc_LinOffsetAvg(MainState& state, int32_t c, bool seedEnvelope) {
    if (c < 0 || c >= channelCount(state)) return;
    LinState& lin = state.lin;
    const int32_t N = usedPoints(state);
    const int32_t cut = std::max(state.params.nCut_CalcLinOfs, 0);
    const int64_t K = static_cast<int64_t>(N) - 2 * static_cast<int64_t>(cut);
    const size_t even = static_cast<size_t>(2 * c);
    const size_t odd = even + 1;

    int64_t s0 = 0;
    int64_t s1 = 0;
    for (int64_t i = static_cast<int64_t>(cut) + 1; i <= N - cut; ++i) {
        s0 += lin.Lin[even][static_cast<size_t>(i)];
        s1 += lin.Lin[odd][static_cast<size_t>(i)];
    }
    lin.ofs_LinWF_mlt[even] = K > 0 ? toInt32(static_cast<double>(s0) / static_cast<double>(K)) : 0;
    lin.ofs_LinWF_mlt[odd] = K > 0 ? toInt32(static_cast<double>(s1) / static_cast<double>(K)) : 0;
    if (lin.flg_LinOfsFix == 0) {
        lin.ofs_LinWF_avg[static_cast<size_t>(c)] =
            K > 0 ? toInt32(static_cast<double>(s1 + s0) / 2 / static_cast<double>(K)) : 0;
    } else {
        fixedOffset(state, c);
    }
    channelAverage(state, c);

    if (seedEnvelope) {
        const size_t ch = static_cast<size_t>(c);
        for (int32_t i = 1; i <= N; ++i) {
            const size_t p = static_cast<size_t>(i);
            lin.WavMax[ch][p] = lin.LinAvg[ch][p];
            lin.WavMin[ch][p] = lin.LinAvg[ch][p];
        }
        lin.WavVal[ch] = 0;
    }
}

void MovAvg_LinWaveform(MainState& state, int32_t s) {
    if (s < 1 || s > kMaxSlot) return;
    LinState& lin = state.lin;
    storeSlot(state, s, true);
    for (int32_t c = 0; c < channelCount(state); ++c) {
        if (lin.flg_LinOfsFix == 1) fixedOffset(state, c);
        channelAverage(state, c);
        linValue(state, c);
        if (state.flags.flg_PeakHold == 1) holdPeak(state, c);
    }
}

void Add_LinFinalData(MainState& state) {
    LinState& lin = state.lin;
    const int32_t n = std::max(state.msr.nLoop_LinFinalData, 1);
    const int32_t N = usedPoints(state);
    for (int32_t l = 0; l < LinLineCount(state.settings.n_AD_Channel); ++l) {
        const size_t line = static_cast<size_t>(l);
        for (int32_t i = 1; i <= N; ++i) {
            const size_t p = static_cast<size_t>(i);
            addShare(lin.Lin[line][p], static_cast<double>(lin.LinWF_Raw[line][p]) + lin.CorWF[p], n);
        }
    }
}

void Finish_LinFinalData(MainState& state) {
    for (int32_t c = 0; c < channelCount(state); ++c) {
        Calc_LinOffsetAvg(state, c, false);
        linValue(state, c);
    }
}

}  // namespace morva
