#pragma once
// Synthetic A/D buffers built from known physics, for checking the
// measurement against the truth it should recover.
//
// Sensitivity: every head scan plays back at a level that follows a
// trapezoid of the tracking offset (rising and falling with slope S mV/um,
// period 4 track pitches); the offset advances by a fixed amount per scan.
// Linearity: each line's level is a base level plus the head's sensitivity
// times the track deviation, signed by the head's azimuth.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/state.h"

namespace morva::test {

std::unique_ptr<MainState> makeState();

struct SensScene {
    int32_t nHead = 4;
    int32_t channels = 1;
    float slope = 120.0f;        // S, mV/um, rising and falling
    float trackPitch = 6.0f;     // um
    float lowLevel = 150.0f;     // mV at the bottom of the trapezoid
    double periodPoints = 60.0;  // waveform points per period of 4 track pitches
    double phase = 0.1;          // fraction of a period at scan 0
    float mVperCount = 0.30517578f;
    float cylRot = 1800.0f;
    // Samples per second and channel: 9.04 per head scan.
    double samplingRate = 542.4;
    int32_t headStagger = 90;
    int32_t area = 1;  // Area_CalcSensVal, um
    int32_t mask = 3;
};

// Sets the model, parameters and settings the sensitivity steps read.
void configureSens(MainState& state, const SensScene& scene);
// Level in mV at tracking offset x (um).
double trapezoidLevel(const SensScene& scene, double x);
// Fills ADData for one acquisition (every sample of every channel).
void fillSensBuffer(MainState& state, const SensScene& scene);

struct LinScene {
    int32_t nHead = 4;
    int32_t channels = 1;
    int32_t points = 100;
    std::array<float, 4> sens = {41.0f, 55.0f, 47.0f, 62.0f};  // Sens_Slot, mV/um
    std::array<int32_t, 4> startPos = {20, 260, 40, 300};
    float mVperCount = 0.30517578f;
    std::array<double, 4> baseCounts = {3000, 1000, 2500, 1500};  // level of each line without deviation
    // Track deviation of channel c at point i, in micrometres.
    std::function<double(int32_t c, int32_t i)> deviation;
};

void configureLin(MainState& state, const LinScene& scene);
// Fills ADData so that every line reads base + sign x Sens x deviation.
// `extraCounts` adds a per-acquisition disturbance (counts) to every sample.
void fillLinBuffer(MainState& state, const LinScene& scene, double extraCounts = 0.0);

}  // namespace morva::test
