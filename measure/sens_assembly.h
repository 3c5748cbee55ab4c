#pragma once
// Assembly of the sensitivity waveforms from one acquisition: each point of
// a slot is the mean level of a window of samples within one head scan,
// points taken every nType_SensWF head scans.

#include <cstdint>

#include "core/state.h"

namespace morva {

// Seconds of one head scan: 60 / CylRot / 2, kept in single precision.
float HalfScanSeconds(float CylRot);

// Samples per head scan T (single) and samples of the head-group stagger S.
struct SensScanTiming {
    float T = 0;
    int32_t S = 0;
};
SensScanTiming SensScanSamples(const ModelRecord& model);

// Number of sensitivity slots computed per acquisition: nType_SensWF x the
// channel count, limited to the four slots the waveforms hold (two heads or
// eight heads with two channels would ask for eight).
int32_t SensSlotCount(int32_t nType_SensWF, int32_t nChannel);

// Fills SensWF_Raw (points 1..nData_SensWF) from ADData and sets
// nType_SensWF, by nHead and n_AD_Channel. With several channels a slot's
// sample position is rounded within its channel first and only then
// interleaved (near(T + base + j) x C + channel), so a scan length with a
// fractional sample count never reads the other channel's samples. A combination of heads and
// channels without a variant (two heads take any channel count from 1), or a
// scan length that is not a positive finite number, leaves both unchanged. Samples outside the buffer
// 0..12000 read as 0; with no samples per point (nPoint_SensWFSample < 1) the levels are 0.
void Assemble_SensWaveform(MainState& state);

}  // namespace morva
