// Time of one acquisition's computation: the sensitivity assembly with every
// slot's Calc_SensWaveform on 150 points, and the linearity assembly with a
// moving-average pass on two channels of 100 points.

#include <benchmark/benchmark.h>

#include "measure/lin_assembly.h"
#include "measure/lin_average.h"
#include "measure/sens_assembly.h"
#include "measure/sens_average.h"
#include "measure/sens_waveform.h"
#include "synthetic_signal.h"

namespace morva {
namespace {

void SensitivityAcquisition(benchmark::State& bench) {
    auto state = test::makeState();
    test::SensScene scene;
    scene.nHead = static_cast<int32_t>(bench.range(0));
    scene.channels = static_cast<int32_t>(bench.range(1));
    test::configureSens(*state, scene);
    test::fillSensBuffer(*state, scene);
    for (auto _ : bench) {
        Assemble_SensWaveform(*state);
        const int32_t nSlot = SensSlotCount(state->msr.nType_SensWF, state->settings.n_AD_Channel);
        for (int32_t ch = 0; ch < nSlot; ++ch)
            Calc_SensWaveform(*state, ch, 1);
        Calc_SensValue_Loop(*state, 1);
        benchmark::DoNotOptimize(state->sens.SensVal);
    }
}
BENCHMARK(SensitivityAcquisition)->Args({4, 1})->Args({4, 2})->Args({2, 1})->Args({8, 2});

void LinearityAcquisition(benchmark::State& bench) {
    auto state = test::makeState();
    test::LinScene scene;
    scene.channels = 2;
    scene.deviation = [](int32_t c, int32_t i) { return 0.01 * i - 0.3 * c; };
    test::configureLin(*state, scene);
    test::fillLinBuffer(*state, scene);
    state->flags.flg_PeakHold = 1;
    Clear_Lin(*state);
    for (int32_t s = 1; s <= state->msr.nLoop_LinRealTime; ++s) {
        Assemble_LinWaveform(*state);
        Fill_LinBuffer(*state, s);
    }
    for (int32_t c = 0; c < 2; ++c)
        Calc_LinOffsetAvg(*state, c, true);
    int32_t slot = 1;
    for (auto _ : bench) {
        Assemble_LinWaveform(*state);
        MovAvg_LinWaveform(*state, slot);
        slot = slot % state->msr.nLoop_LinRealTime + 1;
        benchmark::DoNotOptimize(state->lin.LinVal);
    }
}
BENCHMARK(LinearityAcquisition);

}  // namespace
}  // namespace morva

BENCHMARK_MAIN();
