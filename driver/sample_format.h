#pragma once
// How the simulated converter writes samples: counts taken to the nearest
// integer (halves to even), limited to the converter's signed range, stored
// little-endian in 1, 2 or 4 bytes.

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/numbers.h"

namespace morva::sim {

inline int32_t clampToConverter(double count, int bits) {
    const int64_t high = bits >= 32 ? INT32_MAX : (int64_t{1} << (bits - 1)) - 1;
    return static_cast<int32_t>(std::clamp<int64_t>(toInt32(count), -high - 1, high));
}

inline void storeSample(void* buffer, size_t index, uint16_t bytesPerSample, int32_t value) {
    auto* at = static_cast<uint8_t*>(buffer) + index * bytesPerSample;
    if (bytesPerSample == 1) {
        const auto narrow = static_cast<int8_t>(value);
        std::memcpy(at, &narrow, 1);
    } else if (bytesPerSample == 2) {
        const auto narrow = static_cast<int16_t>(value);
        std::memcpy(at, &narrow, 2);
    } else {
        std::memcpy(at, &value, 4);
    }
}

inline int32_t loadSample(const void* buffer, size_t index, uint16_t bytesPerSample) {
    const auto* at = static_cast<const uint8_t*>(buffer) + index * bytesPerSample;
    if (bytesPerSample == 1) {
        int8_t narrow;
        std::memcpy(&narrow, at, 1);
        return narrow;
    }
    if (bytesPerSample == 2) {
        int16_t narrow;
        std::memcpy(&narrow, at, 2);
        return narrow;
    }
    int32_t value;
    std::memcpy(&value, at, 4);
    return value;
}

}  // namespace morva::sim
