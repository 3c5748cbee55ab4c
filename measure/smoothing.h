#pragma once
// The centred moving average of the sensitivity waveforms, shared by the
// level smoothing and both smoothings of the difference waveform.

#include <array>
#include <cstdint>

#include "core/state.h"

namespace morva {

using SensPoints = std::array<float, kMaxSensPoint + 1>;

// Reads point `index` of a waveform; a point outside 0..150 reads as 0.
inline float sensPointAt(const SensPoints& wf, int64_t index) {
    return (index >= 0 && index <= kMaxSensPoint) ? wf[static_cast<size_t>(index)] : 0.0f;
}

// dst(i) = (sum over k = 1..M of src(near(i + k - M/2))) / M for i = from..to
// (points outside 0..150 are not written). The index is formed in double
// before the conversion, so an odd M gives half-integer indexes that go to
// the even neighbour; at the first point this reaches point 0. The running
// sum is single precision. M must be at least 1.
void SmoothSensPoints(const SensPoints& src, SensPoints& dst, int32_t from, int32_t to, int32_t M);

}  // namespace morva
