#include "synthetic_signal.h"

#include <algorithm>
#include <cmath>

namespace morva::test {

namespace {

int16_t toCounts(double counts) {
    return static_cast<int16_t>(std::clamp(std::lround(counts), -32768L, 32767L));
}

// A slot's waveform takes every 4th head scan with two heads (and with eight
// heads on two channels), every 2nd otherwise.
int32_t scansPerPoint(int32_t nHead, int32_t channels) {
    return (nHead == 2 || (nHead == 8 && channels == 2)) ? 4 : 2;
}

}  // namespace

std::unique_ptr<MainState> makeState() {
    return std::make_unique<MainState>();
}

void configureSens(MainState& state, const SensScene& scene) {
    state.model.nHead = scene.nHead;
    state.model.HeadStagger = scene.headStagger;
    state.model.TrackPitch = scene.trackPitch;
    state.model.CylRot = scene.cylRot;
    state.model.AD_SplRate_Sens = scene.samplingRate;
    state.settings.n_AD_Channel = static_cast<int16_t>(scene.channels);
    state.settings.MachineType = "VTR";
    state.params.nData_SensWF = 150;
    state.params.StartPos_SensWFSample = 2;
    state.params.nPoint_SensWFSample = 5;
    state.params.Mask_SmoothSensWF = scene.mask;
    state.params.Area_CalcSensVal = scene.area;
    state.params.Area_MsrSensMaxMinPos = 5;
    state.params.Thresh_ChkSensVal = 20;
    state.msr.nLoop_MsrSens = 5;
    state.AD_mVperCount = scene.mVperCount;
}

double trapezoidLevel(const SensScene& scene, double x) {
    const double period = 4.0 * scene.trackPitch;
    double phi = x / period - std::floor(x / period);  // 0..1
    // Rising 45 %, high 5 %, falling 45 %, low 5 % of the period.
    const double slope = scene.slope;
    const double rise = 0.45 * period;
    const double p = phi * period;
    double level;
    if (phi < 0.45)
        level = slope * p;
    else if (phi < 0.5)
        level = slope * rise;
    else if (phi < 0.95)
        level = slope * rise - slope * (p - 0.5 * period);
    else
        level = 0.0;
    return scene.lowLevel + level;
}

void fillSensBuffer(MainState& state, const SensScene& scene) {
    const int32_t C = scene.channels;
    const double T = 60.0 / scene.cylRot / 2.0 * scene.samplingRate;  // samples per head scan
    const double stagger = scene.headStagger / 180.0 * T;
    const double umPerScan = 4.0 * scene.trackPitch / (scene.periodPoints * scansPerPoint(scene.nHead, C));
    const double x0 = scene.phase * 4.0 * scene.trackPitch;
    state.ADData.fill(0);
    for (int32_t c = 0; c < C; ++c) {
        // The second head group (second channel, or the only channel of an
        // eight-head machine) starts its scans one stagger later.
        const double origin = (c == 1 || (scene.nHead == 8 && C == 1)) ? stagger : 0.0;
        for (int64_t k = 0; k * C + c <= kMaxADData; ++k) {
            const double scan = std::floor((static_cast<double>(k) - origin) / T);
            const double level = trapezoidLevel(scene, x0 + scan * umPerScan);
            state.ADData[static_cast<size_t>(k * C + c)] = toCounts(level / scene.mVperCount);
        }
    }
}

void configureLin(MainState& state, const LinScene& scene) {
    state.model.nHead = scene.nHead;
    state.model.nADdata_Lin = 6000;
    state.settings.n_AD_Channel = static_cast<int16_t>(scene.channels);
    state.params.nData_LinWF = scene.points;
    state.params.nCut_CalcLinOfs = 5;
    state.params.Pos_FixOfs_LinWF = 50;
    state.msr.StartPos_LinWF = scene.startPos;
    state.msr.nLoop_LinRealTime = 4;
    state.msr.nLoop_LinFinalData = 4;
    state.msr.Adj_LinEnt = 0;
    state.AD_mVperCount = scene.mVperCount;
    for (size_t k = 0; k < 4; ++k)
        state.sens.Sens_Slot[k] = scene.sens[k];
}

void fillLinBuffer(MainState& state, const LinScene& scene, double extraCounts) {
    const int32_t C = scene.channels;
    state.ADData.fill(0);
    for (int32_t l = 0; l < 2 * C && l < 4; ++l) {
        // Head of the line and the sign of its level change with deviation.
        int32_t slot = l;
        double sign = 1.0;
        if (scene.nHead == 2) {
            const bool firstHigher = scene.baseCounts[0] >= scene.baseCounts[1];
            if (l == 0) {
                slot = firstHigher ? 1 : 0;
                sign = firstHigher ? -1.0 : 1.0;
            } else if (l == 1) {
                slot = firstHigher ? 0 : 1;
                sign = firstHigher ? 1.0 : -1.0;
            } else {
                continue;  // two heads: only channel 0's lines
            }
        } else if (scene.nHead == 4) {
            sign = (l % 2 == 0) ? -1.0 : 1.0;
        } else if (scene.nHead == 8) {
            sign = (C == 2 && l < 2) ? 1.0 : -1.0;
        }
        const int32_t c = l / 2;
        for (int32_t i = 1; i <= scene.points; ++i) {
            const int64_t k = scene.startPos[static_cast<size_t>(l)] + i - 1;
            const int64_t index = k * C + c;
            if (index < 0 || index > kMaxADData) continue;
            const double counts =
                scene.baseCounts[static_cast<size_t>(l)] +
                sign * scene.sens[static_cast<size_t>(slot)] * scene.deviation(c, i) / scene.mVperCount +
                extraCounts;
            state.ADData[static_cast<size_t>(index)] = toCounts(counts);
        }
    }
}

}  // namespace morva::test
