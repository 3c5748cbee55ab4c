#include "measure/smoothing.h"

#include <algorithm>

#include "core/numbers.h"

namespace morva {

void SmoothSensPoints(const SensPoints& src, SensPoints& dst, int32_t from, int32_t to, int32_t M) {
    if (M < 1) return;
    const NearShift shift(-(M / 2.0));  // index near(i + k - M/2)
    const int32_t first = std::max(from, 0);
    const int32_t last = std::min(to, kMaxSensPoint);
    for (int32_t i = first; i <= last; ++i) {
        float sum = 0.0f;
        // Points outside 0..150 add 0: only the k whose point lies in the
        // array are visited (the index grows with k), so a huge M costs no
        // more than the array is long.
        int64_t kFirst = std::max<int64_t>(1, M / 2 - i - 1);
        int64_t kLast = std::min<int64_t>(M, kMaxSensPoint + M / 2 - i + 2);
        while (kFirst <= kLast && shift.at(i + kFirst) < 0)
            ++kFirst;
        while (kLast >= kFirst && shift.at(i + kLast) > kMaxSensPoint)
            --kLast;
        for (int64_t k = kFirst; k <= kLast; ++k)
            sum = sum + src[static_cast<size_t>(shift.at(i + k))];
        dst[static_cast<size_t>(i)] = static_cast<float>(static_cast<double>(sum) / M);
    }
}

}  // namespace morva
