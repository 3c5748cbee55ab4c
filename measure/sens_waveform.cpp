#include "measure/sens_waveform.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "core/numbers.h"
#include "measure/sens_assembly.h"
#include "measure/smoothing.h"

namespace morva {

namespace {

struct CrossingList {
    std::array<int32_t, kMaxCrossings + 1> pos{};  // entries 1..count
    int32_t count = 0;
    void append(int32_t i) {
        if (count < kMaxCrossings) pos[static_cast<size_t>(++count)] = i;
    }
};

using Signs = std::array<int32_t, kMaxSensPoint + 1>;

int32_t signAt(const Signs& signs, int64_t i) {
    return (i >= 0 && i <= kMaxSensPoint) ? signs[static_cast<size_t>(i)] : 0;
}

// Points where the level crosses `level`: the sign changes between i and
// i + 1, and the points 8 before and 8 after lie on opposite sides.
void findCrossings(const SensPoints& wf, const Signs& signs, float level, int32_t from, int32_t to,
                   CrossingList& list) {
    for (int32_t i = std::max(from, 0); i <= std::min(to, kMaxSensPoint); ++i) {
        if (std::abs(signAt(signs, i) - signAt(signs, i + 1)) <= 1.5) continue;
        const float after = sensPointAt(wf, i + 8) - level;
        const float before = sensPointAt(wf, i - 8) - level;
        const float product = after * before;
        if (product < 0.0f) list.append(i);
    }
}

// Refines the steepest position: among windows of A points starting within
// A of `pos` (pulled inside lower..upper), the one with the largest (rising)
// or smallest (falling) sum gives the centre floor(A/2 + i). A window that
// would read outside points 0..150 is not considered; with no window the
// centre keeps its earlier value.
void refineSteepest(const SensPoints& dif, int32_t pos, int32_t A, int32_t M, int32_t N, bool rising,
                    int32_t& centre) {
    const int64_t lower = static_cast<int64_t>(A) + M;
    const int64_t upper = static_cast<int64_t>(N) - M - A;
    int64_t a = static_cast<int64_t>(pos) - A;
    int64_t b = static_cast<int64_t>(pos) + A;
    // A steps of at most one each toward lower and upper.
    if (A > 0) {
        if (a < lower) a = std::min(a + A, lower);
        if (b > upper) b = std::max(b - A, upper);
    }
    float best = rising ? 0.0f : 1e7f;
    for (int64_t i = std::max<int64_t>(a, 0); i <= b; ++i) {
        if (i + A - 1 > kMaxSensPoint) break;
        float s = 0.0f;
        for (int64_t k = 1; k <= A; ++k)
            s = s + dif[static_cast<size_t>(i + k - 1)];
        if (rising ? (s > best) : (s < best)) {
            best = s;
            centre = toInt32(std::floor(A / 2.0 + static_cast<double>(i)));
        }
    }
}

// Least-squares slope of SensWF over 2h + 1 points centred on `centre`, in
// mV per waveform point, as the fit sums it: x is the point number 1..W
// within the window, sums single, the products with (k - mean k) double.
float fitSlope(const SensPoints& wf, int32_t centre, int32_t h) {
    h = LimitSensFitHalfWidth(h, centre);
    const int32_t W = 2 * h + 1;
    std::array<float, kMaxFitPoints + 1> y{};
    float sumK = 0.0f;
    float sumY = 0.0f;
    for (int32_t k = 1; k <= W; ++k) {
        y[static_cast<size_t>(k)] = sensPointAt(wf, static_cast<int64_t>(centre) + k - h - 1);
        sumK = static_cast<float>(static_cast<double>(sumK) + k);
        sumY = sumY + y[static_cast<size_t>(k)];
    }
    const float meanK = static_cast<float>(static_cast<double>(sumK) / W);
    const float meanY = static_cast<float>(static_cast<double>(sumY) / W);
    float sxx = 0.0f;
    float sxy = 0.0f;
    for (int32_t k = 1; k <= W; ++k) {
        const double dk = static_cast<double>(k) - static_cast<double>(meanK);
        sxx = static_cast<float>(static_cast<double>(sxx) + dk * dk);
        const float dy = y[static_cast<size_t>(k)] - meanY;
        sxy = static_cast<float>(static_cast<double>(sxy) + static_cast<double>(dy) * dk);
    }
    if (sxx == 0.0f) sxx = 2000.0f;
    return sxy / sxx;
}

float finiteOrZero(float value) {
    return std::isfinite(value) ? value : 0.0f;
}

}  // namespace

int32_t LimitSensFitHalfWidth(int32_t h, int32_t centre) {
    if (h < 0) return h;
    return std::min({h, (kMaxFitPoints - 1) / 2, centre, kMaxSensPoint - centre});
}

void Calc_SensWaveform(MainState& state, int32_t ch, int32_t iLoop) {
    if (ch < 0 || ch > 3 || iLoop < 0 || iLoop > kMaxSlot) return;
    SensState& sens = state.sens;
    const size_t c = static_cast<size_t>(ch);
    const int32_t N = std::min(state.params.nData_SensWF, kMaxSensPoint);
    const int32_t M = std::max(state.params.Mask_SmoothSensWF, 1);
    const int32_t A = state.params.Area_MsrSensMaxMinPos;
    const double halfMask = M / 2.0;
    const int32_t nType = state.msr.nType_SensWF;
    const float halfScan = HalfScanSeconds(state.model.CylRot);
    SensPoints& wf = sens.SensWF[c];

    // 1-2. Smoothing, range, centre and threshold levels.
    const int32_t from = toInt32(halfMask);
    const int32_t to = toInt32(N - halfMask - 1);
    SmoothSensPoints(sens.SensWF_Raw[c], wf, from, to, M);
    float max = -10000.0f;
    float min = 10000.0f;
    for (int32_t i = std::max(from, 0); i <= std::min(to, kMaxSensPoint); ++i) {
        const float v = wf[static_cast<size_t>(i)];
        if (v > max) max = v;
        if (v < min) min = v;
    }
    sens.C_val[c] = (max + min) / 2.0f;
    sens.Th_Lvl[c] = (max - min) / 3.0f + min;

    // 3-5. Difference, smoothed twice.
    SensPoints dif{};
    const int32_t difFrom = std::max(toInt32(halfMask + 1), 0);
    const int32_t difTo = std::min(toInt32(N - halfMask - 2), kMaxSensPoint - 1);
    for (int32_t i = difFrom; i <= difTo; ++i)
        dif[static_cast<size_t>(i)] = wf[static_cast<size_t>(i + 1)] - wf[static_cast<size_t>(i)];
    SmoothSensPoints(dif, sens.SensDifWF_Pre[c], from, to, M);
    SmoothSensPoints(sens.SensDifWF_Pre[c], sens.SensDifWF[c], from, to, M);

    // 6. Signs against the threshold and the centre level.
    Signs signT{};
    Signs signC{};
    const int32_t signTo = std::min(toInt32(N - halfMask), kMaxSensPoint);
    for (int32_t i = std::max(from, 0); i <= signTo; ++i) {
        const float v = wf[static_cast<size_t>(i)];
        signT[static_cast<size_t>(i)] = v < sens.Th_Lvl[c] ? -1 : 1;
        signC[static_cast<size_t>(i)] = v < sens.C_val[c] ? -1 : 1;
    }

    // 7. Crossings.
    CrossingList crossTh;
    CrossingList crossC;
    const int32_t crossFrom = toInt32(halfMask + 8);
    const int32_t crossTo = toInt32(N - halfMask - 9);
    findCrossings(wf, signT, sens.Th_Lvl[c], crossFrom, crossTo, crossTh);
    findCrossings(wf, signC, sens.C_val[c], crossFrom, crossTo, crossC);

    // 8. Each threshold crossing paired with the nearest centre crossing.
    std::array<int32_t, kMaxCrossings + 1> crossNear{};
    for (int32_t p = 1; p <= crossTh.count; ++p) {
        const int32_t a = crossTh.pos[static_cast<size_t>(p)];
        int32_t dMin = 10000;
        for (int32_t q = 1; q <= crossC.count; ++q) {
            const int32_t b = crossC.pos[static_cast<size_t>(q)];
            if (std::abs(b - a) < dMin) {
                dMin = std::abs(b - a);
                crossNear[static_cast<size_t>(p)] = b;
            }
        }
    }

    // 9. Distinct crossings.
    int32_t& nZerX = sens.nZerX[c];
    auto& zerX = sens.ZerX_Pos[c];
    nZerX = 0;
    for (int32_t p = 1; p <= crossTh.count; ++p) {
        if (crossNear[static_cast<size_t>(p)] != crossNear[static_cast<size_t>(p - 1)]) {
            if (nZerX < kMaxKeptCrossings) nZerX = nZerX + 1;
        }
        zerX[static_cast<size_t>(nZerX)] = crossNear[static_cast<size_t>(p)];
    }

    // 10. Period: twice the mean distance of successive crossings.
    float sum = 0.0f;
    for (int32_t k = 1; k <= nZerX - 1; ++k)
        sum = static_cast<float>(static_cast<double>(sum) +
                                 (zerX[static_cast<size_t>(k + 1)] - zerX[static_cast<size_t>(k)]));
    float lambda = 0.0f;
    if (nZerX != 1) {
        lambda = 2.0f * static_cast<float>(static_cast<double>(sum) / (nZerX - 1));
    } else {
        nZerX = 10000;
    }
    sens.ramda[c] = finiteOrZero(static_cast<float>(static_cast<double>(halfScan * lambda) * nType));

    // 11. Steepest rising and falling points.
    int32_t posMax = 0;
    int32_t posMin = 0;
    const std::string& machine = state.settings.MachineType;
    if (machine == "VTR" || machine == "Data") {
        const bool vtr = machine == "VTR";
        float lo = 1e7f;
        float hi = 0.0f;
        const auto& difWF = sens.SensDifWF[c];
        const int64_t first = 2 * static_cast<int64_t>(M);
        const int64_t last = std::min<int64_t>(N - 2 * static_cast<int64_t>(M), kMaxSensPoint);
        for (int64_t i = first; i <= last; ++i) {
            const float d = difWF[static_cast<size_t>(i)];
            if (d < lo) {
                lo = d;
                posMin = static_cast<int32_t>(i);
            }
            const bool allowed = !(vtr && wf[static_cast<size_t>(i)] > 1600.0f && state.model.nHead == 4);
            if (allowed && d > hi) {
                hi = d;
                posMax = static_cast<int32_t>(i);
            }
        }
    }

    // 12-13. Refinement by window sums.
    refineSteepest(sens.SensDifWF[c], posMax, A, M, N, true, sens.P_max[c]);
    refineSteepest(sens.SensDifWF[c], posMin, A, M, N, false, sens.P_min[c]);

    // 14. Fit half-width: Area_CalcSensVal micrometres in waveform points.
    const double perPoint = static_cast<double>(halfScan) * nType;
    const float pitch4 = state.model.TrackPitch * 4.0f;
    const double halfWidth = static_cast<double>(sens.ramda[c]) / perPoint / static_cast<double>(pitch4) *
                             state.params.Area_CalcSensVal;
    const int32_t h = std::isfinite(halfWidth) ? toInt32(std::floor(halfWidth)) : 0;

    // 15-16. Slopes, converted from mV per point to mV per micrometre.
    if (sens.ramda[c] == 0.0f) sens.ramda[c] = 3.0f;
    const double umPerPoint = static_cast<double>(pitch4 / sens.ramda[c] * halfScan) * nType;
    const float slopeP = fitSlope(wf, sens.P_max[c], h);
    const float slopeN = fitSlope(wf, sens.P_min[c], h);
    sens.Sval_P[c][static_cast<size_t>(iLoop)] = finiteOrZero(static_cast<float>(slopeP / umPerPoint));
    sens.Sval_N[c][static_cast<size_t>(iLoop)] = finiteOrZero(static_cast<float>(slopeN / umPerPoint));
}

}  // namespace morva
