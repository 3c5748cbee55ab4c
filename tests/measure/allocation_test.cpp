// The per-acquisition computation allocates no heap memory: this program
// replaces the global operator new with one that counts.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "measure/lin_assembly.h"
#include "measure/lin_average.h"
#include "measure/sens_assembly.h"
#include "measure/sens_average.h"
#include "measure/sens_waveform.h"
#include "synthetic_signal.h"

namespace {
std::atomic<long> allocations{0};

void* countedAllocation(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) {
    return countedAllocation(size);
}
void* operator new[](std::size_t size) {
    return countedAllocation(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace morva {
namespace {

TEST(MeasureAllocation, CountingIsInForce) {
    const long before = allocations.load();
    auto probe = std::make_unique<int>(3);
    EXPECT_GT(allocations.load(), before);
}

TEST(MeasureAllocation, SensitivityAcquisitionAllocatesNothing) {
    auto state = test::makeState();
    test::SensScene scene;
    scene.nHead = 8;
    scene.channels = 2;
    test::configureSens(*state, scene);
    test::fillSensBuffer(*state, scene);

    const long before = allocations.load();
    for (int32_t loop = 1; loop <= state->msr.nLoop_MsrSens; ++loop) {
        Assemble_SensWaveform(*state);
        for (int32_t ch = 0; ch < SensSlotCount(state->msr.nType_SensWF, state->settings.n_AD_Channel); ++ch)
            Calc_SensWaveform(*state, ch, loop);
        Calc_SensValue_Loop(*state, loop);
    }
    Calc_SensValue_Final(*state);
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_NE(state->sens.SensVal[0], 0.0f) << "the computation ran";
}

TEST(MeasureAllocation, LinearityAcquisitionAllocatesNothing) {
    auto state = test::makeState();
    test::LinScene scene;
    scene.channels = 2;
    scene.deviation = [](int32_t c, int32_t i) { return 0.01 * i - 0.3 * c; };
    test::configureLin(*state, scene);
    test::fillLinBuffer(*state, scene);
    state->flags.flg_PeakHold = 1;

    const long before = allocations.load();
    Clear_Lin(*state);
    for (int32_t s = 1; s <= state->msr.nLoop_LinRealTime; ++s) {
        Assemble_LinWaveform(*state);
        Fill_LinBuffer(*state, s);
    }
    for (int32_t c = 0; c < 2; ++c)
        Calc_LinOffsetAvg(*state, c, true);
    for (int32_t pass = 1; pass <= 8; ++pass) {
        Assemble_LinWaveform(*state);
        MovAvg_LinWaveform(*state, (pass - 1) % state->msr.nLoop_LinRealTime + 1);
    }
    Clear_Lin(*state);
    for (int32_t s = 1; s <= state->msr.nLoop_LinFinalData; ++s) {
        Assemble_LinWaveform(*state);
        Add_LinFinalData(*state);
    }
    Finish_LinFinalData(*state);
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_NE(state->lin.LinVal[0], 0) << "the computation ran";
}

}  // namespace
}  // namespace morva
