#pragma once
// Assembly of the linearity lines from one acquisition: each line is a run of
// consecutive samples of one head scan, turned into tracking deviation in
// hundredths of a micrometre with a gain of (mV per count x 100) divided by
// the head's sensitivity, signed by the head's azimuth.

#include <array>
#include <cstdint>

#include "core/state.h"

namespace morva {

// Number of linearity lines of C channels (two per channel, at most four).
int32_t LinLineCount(int32_t nChannel);

// Gains g(0..3) of the lines by nHead and channel count, with the two-head
// rule deciding by the lines' levels at mid-window. A gain whose sensitivity
// is 0 or not a finite number is 0, and `valid` turns false.
struct LinGains {
    std::array<float, 4> g{};
    bool valid = true;
};
LinGains LinWaveformGains(const MainState& state);

// Fills LinWF_Raw (lines 0..2C-1, points 1..nData_LinWF) from ADData.
// Samples outside the buffer 0..12000 read as 0. Returns false when a line in
// use has no usable sensitivity (its gain is 0 and its line is flat 0).
bool Assemble_LinWaveform(MainState& state);

}  // namespace morva
