#include "measure/smoothing.h"

#include <algorithm>

#include "core/numbers.h"

namespace morva {

void SmoothSensPoints(const SensPoints& src, SensPoints& dst, int32_t from, int32_t to, int32_t M) {
    if (M < 1) return;
    const double halfMask = M / 2.0;
    const int32_t first = std::max(from, 0);
    const int32_t last = std::min(to, kMaxSensPoint);
    for (int32_t i = first; i <= last; ++i) {
        float sum = 0.0f;
        for (int32_t k = 1; k <= M; ++k) {
            const int32_t index = toInt32(static_cast<double>(i + k) - halfMask);
            sum = sum + sensPointAt(src, index);
        }
        dst[static_cast<size_t>(i)] = static_cast<float>(static_cast<double>(sum) / M);
    }
}

}  // namespace morva
