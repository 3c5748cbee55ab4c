// Which samples of the interleaved buffer each sensitivity slot reads, and
// what the assembly does at its limits.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "measure/sens_assembly.h"
#include "synthetic_signal.h"

namespace morva {
namespace {

// Every sample carries its channel and head-scan number: 1000 x channel +
// scan, scans of the second head group starting one stagger later.
void fillScanNumbers(MainState& state, const test::SensScene& scene) {
    const int32_t C = scene.channels;
    const double T = 60.0 / scene.cylRot / 2.0 * scene.samplingRate;
    const double stagger = scene.headStagger / 180.0 * T;
    for (int32_t c = 0; c < C; ++c) {
        const double origin = (c == 1 || (scene.nHead == 8 && C == 1)) ? stagger : 0.0;
        for (int64_t k = 0; k * C + c <= kMaxADData; ++k)
            state.ADData[static_cast<size_t>(k * C + c)] =
                static_cast<int16_t>(1000 * c + std::floor((static_cast<double>(k) - origin) / T));
    }
}

struct SlotReading {
    int32_t scan;     // head scan of point 1
    int32_t channel;  // A/D channel
};

struct AssemblyCase {
    int32_t nHead;
    int32_t channels;
    int32_t nType;
    int32_t nSlot;
    SlotReading slot[4];
};

class SensAssembly : public testing::TestWithParam<AssemblyCase> {};

TEST_P(SensAssembly, EachSlotReadsItsHeadScanAndChannel) {
    const AssemblyCase& expected = GetParam();
    auto state = test::makeState();
    test::SensScene scene;
    scene.nHead = expected.nHead;
    scene.channels = expected.channels;
    test::configureSens(*state, scene);
    state->AD_mVperCount = 1.0f;
    state->params.nData_SensWF = 120;
    fillScanNumbers(*state, scene);
    for (auto& slot : state->sens.SensWF_Raw)
        slot.fill(-7.0f);

    Assemble_SensWaveform(*state);

    EXPECT_EQ(state->msr.nType_SensWF, expected.nType);
    for (int32_t s = 0; s < 4; ++s) {
        SCOPED_TRACE("slot " + std::to_string(s));
        const auto& raw = state->sens.SensWF_Raw[static_cast<size_t>(s)];
        if (s >= expected.nSlot) {
            EXPECT_EQ(raw[1], -7.0f) << "a slot the arrangement does not use is left alone";
            continue;
        }
        for (int32_t i = 1; i <= 120; ++i) {
            const int32_t scan = expected.slot[s].scan + (i - 1) * expected.nType;
            ASSERT_EQ(raw[static_cast<size_t>(i)], 1000.0f * expected.slot[s].channel + scan)
                << "point " << i;
        }
        EXPECT_EQ(raw[121], -7.0f) << "points past nData_SensWF are left alone";
    }
}

INSTANTIATE_TEST_SUITE_P(Arrangements, SensAssembly,
                         testing::Values(AssemblyCase{2, 1, 4, 4, {{1, 0}, {3, 0}, {0, 0}, {2, 0}}},
                                         AssemblyCase{2, 2, 4, 4, {{1, 0}, {3, 0}, {0, 0}, {2, 0}}},
                                         AssemblyCase{4, 1, 2, 2, {{1, 0}, {0, 0}, {}, {}}},
                                         AssemblyCase{4, 2, 2, 4, {{1, 0}, {0, 0}, {1, 1}, {0, 1}}},
                                         AssemblyCase{8, 1, 2, 2, {{1, 0}, {0, 0}, {}, {}}},
                                         AssemblyCase{8, 2, 4, 4, {{1, 0}, {0, 0}, {1, 1}, {0, 1}}}),
                         [](const testing::TestParamInfo<AssemblyCase>& info) {
                             return std::to_string(info.param.nHead) + "Heads" +
                                    std::to_string(info.param.channels) + "Channels";
                         });

class SensAssemblyLimits : public testing::Test {
  protected:
    void SetUp() override {
        state = test::makeState();
        test::SensScene scene;
        test::configureSens(*state, scene);
        for (int32_t k = 0; k <= kMaxADData; ++k)
            state->ADData[static_cast<size_t>(k)] = static_cast<int16_t>(k);
        state->AD_mVperCount = 1.0f;
    }
    std::unique_ptr<MainState> state;
};

TEST_F(SensAssemblyLimits, HalfSampleIndexesGoToTheEvenNeighbour) {
    // 60 / 1920 / 2 = 1/64 s per scan: T = 6432 / 64 = 100.5 samples exactly.
    state->model.CylRot = 1920.0f;
    state->model.AD_SplRate_Sens = 6432.0;
    state->model.nHead = 4;
    state->params.StartPos_SensWFSample = 0;
    state->params.nPoint_SensWFSample = 2;
    ASSERT_EQ(SensScanSamples(state->model).T, 100.5f);

    Assemble_SensWaveform(*state);

    const auto& raw = state->sens.SensWF_Raw;
    // Point 1: slot 0 reads near(100.5) = 100 and near(101.5) = 102; slot 1 reads 0 and 1.
    EXPECT_EQ(raw[0][1], 101.0f);
    EXPECT_EQ(raw[1][1], 0.5f);
    // Point 2: base near(201) = 201; slot 0 reads near(301.5) = 302 and near(302.5) = 302.
    EXPECT_EQ(raw[0][2], 302.0f);
    EXPECT_EQ(raw[1][2], 201.5f);
}

// A scan length with a fraction of one half: rounding the interleaved index
// as a whole would land every sample of a slot on the other channel. The two
// channels carry different heads' levels, so a slot that strays shows it.
TEST_F(SensAssemblyLimits, TwoChannelSlotsReadOnlyTheirOwnChannelAtHalfSampleScans) {
    for (int32_t k = 0; k <= kMaxADData; ++k)
        state->ADData[static_cast<size_t>(k)] = static_cast<int16_t>(k % 2 == 0 ? 100 : 700);
    state->settings.n_AD_Channel = 2;
    state->model.CylRot = 1920.0f;
    state->params.StartPos_SensWFSample = 3;
    state->params.nPoint_SensWFSample = 5;
    state->params.nData_SensWF = 10;  // every point within the 6000 samples of a channel
    struct Case {
        int32_t nHead;
        double rate;  // T = rate / 64
        int32_t stagger;
        float level[4];
    };
    const Case cases[] = {
        {4, 6432.0, 90, {100, 100, 700, 700}},   // T = 100.5
        {4, 6448.0, 45, {100, 100, 700, 700}},   // T = 100.75, S = near(25.1875) = 25
        {4, 6424.0, 30, {100, 100, 700, 700}},   // T = 100.375
        {8, 6432.0, 180, {100, 100, 700, 700}},  // S = T: the stagger itself half a sample
        {2, 6432.0, 90, {100, 100, 100, 100}},   // two heads read the first channel only
        {2, 6440.0, 90, {100, 100, 100, 100}},   // T = 100.625: 2T and 3T with odd halves
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.nHead) + " heads at " + std::to_string(c.rate));
        state->model.nHead = c.nHead;
        state->model.AD_SplRate_Sens = c.rate;
        state->model.HeadStagger = c.stagger;
        Assemble_SensWaveform(*state);
        for (int32_t slot = 0; slot < 4; ++slot)
            for (int32_t i = 1; i <= 10; ++i)
                ASSERT_EQ(state->sens.SensWF_Raw[static_cast<size_t>(slot)][static_cast<size_t>(i)],
                          c.level[slot])
                    << "slot " << slot << " point " << i;
    }
}

// The rounding within the channel still takes halves to the even sample:
// with T = 100.5, slot 0 of point 1 reads channel samples near(100.5 + j).
TEST_F(SensAssemblyLimits, TwoChannelHalfSamplesGoToTheEvenSampleOfTheChannel) {
    for (int32_t k = 0; k <= kMaxADData; ++k)
        state->ADData[static_cast<size_t>(k)] = static_cast<int16_t>(k % 2 == 0 ? k / 2 : 10000 + k / 2);
    state->settings.n_AD_Channel = 2;
    state->model.nHead = 4;
    state->model.CylRot = 1920.0f;
    state->model.AD_SplRate_Sens = 6432.0;
    state->model.HeadStagger = 0;
    state->params.StartPos_SensWFSample = 0;
    state->params.nPoint_SensWFSample = 2;
    Assemble_SensWaveform(*state);
    const auto& raw = state->sens.SensWF_Raw;
    EXPECT_EQ(raw[0][1], (100.0f + 102.0f) / 2);  // near(100.5) = 100, near(101.5) = 102
    EXPECT_EQ(raw[1][1], 0.5f);
    EXPECT_EQ(raw[2][1], 10000.0f + 101.0f);  // the same samples of the second channel
    EXPECT_EQ(raw[3][1], 10000.0f + 0.5f);
}

TEST_F(SensAssemblyLimits, LevelIsTheWindowMeanTimesTheCountScale) {
    state->model.CylRot = 1920.0f;
    state->model.AD_SplRate_Sens = 6400.0;  // T = 100
    state->model.nHead = 4;
    state->params.StartPos_SensWFSample = 10;
    state->params.nPoint_SensWFSample = 3;
    state->AD_mVperCount = 2.5f;
    Assemble_SensWaveform(*state);
    // Slot 1, point 3: base 100 x 2 x 2 = 400, samples 410, 411, 412 -> mean 411 -> 1027.5 mV.
    EXPECT_EQ(state->sens.SensWF_Raw[1][3], 1027.5f);
}

TEST_F(SensAssemblyLimits, UnknownArrangementChangesNothing) {
    state->model.nHead = 6;
    state->msr.nType_SensWF = 3;
    state->sens.SensWF_Raw[0][5] = 42.0f;
    Assemble_SensWaveform(*state);
    EXPECT_EQ(state->msr.nType_SensWF, 3);
    EXPECT_EQ(state->sens.SensWF_Raw[0][5], 42.0f);

    state->model.nHead = 4;
    state->settings.n_AD_Channel = 3;
    Assemble_SensWaveform(*state);
    EXPECT_EQ(state->msr.nType_SensWF, 3);

    state->model.nHead = 2;
    state->settings.n_AD_Channel = 0;
    Assemble_SensWaveform(*state);
    EXPECT_EQ(state->msr.nType_SensWF, 3) << "two heads need at least one channel";
}

TEST_F(SensAssemblyLimits, SamplesPastTheBufferReadAsZero) {
    state->model.nHead = 4;
    state->settings.n_AD_Channel = 1;
    state->params.StartPos_SensWFSample = 11990;
    state->params.nPoint_SensWFSample = 20;
    state->model.CylRot = 1920.0f;
    state->model.AD_SplRate_Sens = 6400.0;  // T = 100
    Assemble_SensWaveform(*state);
    // Slot 1, point 1 reads samples 11990..12009: eleven exist, nine read 0.
    double expected = 0.0;
    for (int32_t k = 11990; k <= 12000; ++k)
        expected += k;
    EXPECT_FLOAT_EQ(state->sens.SensWF_Raw[1][1], static_cast<float>(expected / 20));
    // Point 2 and on lie wholly past the buffer.
    EXPECT_EQ(state->sens.SensWF_Raw[1][2], 0.0f);
    EXPECT_EQ(state->sens.SensWF_Raw[0][150], 0.0f);
}

TEST_F(SensAssemblyLimits, HugeWindowsAddOnlyTheSamplesThatExist) {
    state->model.nHead = 4;
    state->params.nData_SensWF = 2;
    state->params.StartPos_SensWFSample = -1000000000;
    state->params.nPoint_SensWFSample = 2000000000;
    Assemble_SensWaveform(*state);  // returns at once: the reads past the buffer add 0
    // Slot 1 reads base + j for every j: each sample once, summed in single precision.
    float all = 0.0f;
    for (int32_t k = 0; k <= kMaxADData; ++k)
        all = all + static_cast<float>(k);
    EXPECT_EQ(state->sens.SensWF_Raw[1][1], static_cast<float>(all / 2000000000.0));
}

TEST_F(SensAssemblyLimits, NoSamplesPerPointGivesZeroLevelsNotNaN) {
    state->params.nPoint_SensWFSample = 0;
    state->sens.SensWF_Raw[0][3] = 9.0f;
    Assemble_SensWaveform(*state);
    EXPECT_EQ(state->sens.SensWF_Raw[0][3], 0.0f);
}

TEST_F(SensAssemblyLimits, MoreThan150PointsWriteOnlyTheArray) {
    state->params.nData_SensWF = 400;
    state->params.StartPos_SensWFSample = 0;
    state->params.nPoint_SensWFSample = 1;
    state->model.CylRot = 1920.0f;
    state->model.AD_SplRate_Sens = 640.0;  // T = 10
    Assemble_SensWaveform(*state);
    EXPECT_EQ(state->sens.SensWF_Raw[1][150], 149.0f * 10 * 2);
}

TEST_F(SensAssemblyLimits, ZeroCylinderSpeedLeavesTheWaveformsAlone) {
    state->model.CylRot = 0.0f;
    state->sens.SensWF_Raw[0][1] = 5.0f;
    Assemble_SensWaveform(*state);
    EXPECT_EQ(state->sens.SensWF_Raw[0][1], 5.0f);
}

TEST(SensSlotCount, EightSlotsAskedForAreLimitedToFour) {
    EXPECT_EQ(SensSlotCount(4, 2), 4);  // two heads, or eight heads, on two channels
    EXPECT_EQ(SensSlotCount(2, 2), 4);
    EXPECT_EQ(SensSlotCount(2, 1), 2);
    EXPECT_EQ(SensSlotCount(4, 1), 4);
    EXPECT_EQ(SensSlotCount(0, 2), 0);
}

}  // namespace
}  // namespace morva
