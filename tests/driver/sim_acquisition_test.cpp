// The simulated board driven through libhalvex.so as the program drives it:
// the samples follow the configured recorder, in both timing modes, and
// every injected fault comes back as its code.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "bridge/low_memory.h"
#include "driver/sim_codes.h"
#include "tests/bridge/daq_test_support.h"

namespace morva::test {
namespace {

constexpr double kMillivoltsPerCount = 10000.0 / 32672;

// One acquisition run as the program makes it; codes of every step kept.
struct Acquired {
    uint16_t open = 0, allocate = 0, submit = 0, arm = 0;
    uint32_t status = 0;
    uint32_t runtimeError = 0;
    std::vector<int16_t> samples;  // channels interleaved
};

bool waitForStatus(const uint32_t& status, uint32_t bits, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while ((daqLoadStatus(status) & bits) == 0) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::yield();
    }
    return true;
}

Acquired acquire(const std::string& config, uint16_t channelCount, double rate, uint32_t samples) {
    const auto& api = DaqLibraries::get();
    Acquired run;
    BridgeDevice device(config);
    run.open = device.openCode();
    if (run.open != kDaqOk) return run;
    DaqAllocRecord alloc =
        allocRecord(kDaqKindAnalogInput, static_cast<int16_t>(channelCount), samples * 2 * channelCount);
    run.allocate = api.DaqAllocateRequestVB(device.handle(), &alloc);
    if (run.allocate != kDaqOk) return run;
    LowMemoryArray<uint16_t> channels(channelCount);
    LowMemoryArray<float> gains(channelCount);
    for (uint16_t i = 0; i < channelCount; ++i) {
        channels[i] = i;
        gains[i] = 1.0f;
    }
    DaqADRequestRecord request{};
    request.channelListAddress = api.DaqGetAddressOfVB(channels.data());
    request.gainListAddress = api.DaqGetAddressOfVB(gains.data());
    request.channelCount = channelCount;
    request.samplingRate = rate;
    request.samplesPerChannel = samples;
    uint16_t handle = 0;
    run.submit = api.DaqAnalogInputVB(device.handle(), &request, &handle);
    if (run.submit == kDaqOk) {
        run.arm = api.DaqArmRequestVB(handle);
        if (run.arm == kDaqOk) {
            waitForStatus(request.status, kDaqStatusDone | kDaqStatusError, std::chrono::seconds(10));
            run.status = daqLoadStatus(request.status);
            if (run.status & kDaqStatusDone) {
                run.samples.resize(size_t{samples} * channelCount);
                api.DaqReadBufferVB(handle, 0, run.samples.data());
            }
            api.DaqGetRuntimeErrorVB(handle, &run.runtimeError);
        }
        api.DaqReleaseRequestVB(handle);
    }
    api.DaqFreeRequestVB(device.handle(), alloc.memoryId, daqPointer<void>(alloc.requestRecordAddress));
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

class SimAcquisition : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override { ASSERT_EQ(boardCounts(), (BoardCounts{0, 0, 0})); }
    void TearDown() override { EXPECT_EQ(boardCounts(), (BoardCounts{0, 0, 0})) << "the run leaked"; }

    // A fast cylinder (9000 rpm, a scan in 3.3 ms) keeps real-time runs short.
    std::string config(const std::vector<std::string>& extra = {}) {
        std::vector<std::string> lines = {std::string("Timing = ") + GetParam(), "CylRot = 9000", "Noise = 2",
                                          "Seed = 5"};
        lines.insert(lines.end(), extra.begin(), extra.end());
        return writeBoardConfig(folder_.path(), "daqsim" + std::to_string(++files_) + ".dat", lines);
    }

    TempFolder folder_;
    int files_ = 0;
};

// The sensitivity run: 50 samples a head scan, 200 scans. Each scan's level
// is the mean of a window inside the scan, as the program assembles it.
TEST_P(SimAcquisition, SensitivitySectionFollowsTheTrapezoidWithTheConfiguredSlope) {
    for (uint16_t channelCount : {1, 2}) {
        const Acquired run = acquire(config({"SensSlope = 35", "SensOffsetPerScan = 0.5", "TrackPitch = 10"}),
                                     channelCount, 15000, 10020);
        ASSERT_EQ(run.status, kDaqStatusTriggered | kDaqStatusDone);
        for (int channel = 0; channel < channelCount; ++channel) {
            for (int head = 0; head < 2; ++head) {
                std::vector<double> levels;  // one per scan of this head: 1 um of offset apart
                for (int scan = head; scan < 200; scan += 2) {
                    double sum = 0;
                    for (int j = 10; j < 40; ++j)
                        sum += run.samples[(scan * 50 + j) * channelCount + channel];
                    levels.push_back(sum / 30 * kMillivoltsPerCount);
                }
                // Two whole periods (80 steps of 1 um): the rises add up to
                // twice the trapezoid's height, slope x pitch, and so do the
                // falls; a whole step on a slope is the slope itself.
                double risen = 0, fallen = 0;
                std::vector<double> rising, falling;
                for (size_t i = 1; i <= 80; ++i) {
                    const double step = levels[i] - levels[i - 1];
                    if (step > 5) risen += step;
                    if (step < -5) fallen += step;
                    if (step > 0.75 * 35) rising.push_back(step);
                    if (step < -0.75 * 35) falling.push_back(step);
                    EXPECT_GE(levels[i], 1000 - 3);
                    EXPECT_LE(levels[i], 1000 + 350 + 3);
                }
                SCOPED_TRACE(testing::Message()
                             << channelCount << " channels, channel " << channel << ", head " << head);
                EXPECT_NEAR(risen, 2 * 350, 5);
                EXPECT_NEAR(fallen, -2 * 350, 5);
                ASSERT_GE(rising.size(), 18u);
                ASSERT_GE(falling.size(), 18u);
                EXPECT_NEAR(median(rising), 35, 0.7);
                EXPECT_NEAR(median(falling), -35, 0.7);
            }
        }
    }
}

// The linearity run: 120 samples a scan. For each line (a channel within one
// scan) the polarity of its head says whether it plays above or below the
// centre; the deviation it carries must be the configured profile.
struct Line {
    int channel;
    int scan;
    int polarity;  // +1 above the centre, -1 below
};

struct LinearityCase {
    int heads;
    int channels;
    std::vector<Line> lines;
};

TEST_P(SimAcquisition, LinearitySectionCarriesTheDeviationProfile) {
    const std::vector<LinearityCase> cases = {
        {4, 1, {{0, 0, -1}, {0, 1, 1}, {0, 2, -1}, {0, 3, 1}}},
        {4, 2, {{0, 0, -1}, {0, 1, 1}, {1, 0, -1}, {1, 1, 1}}},
        {8, 1, {{0, 0, 1}, {0, 1, 1}}},
        {8, 2, {{0, 0, -1}, {0, 1, -1}, {1, 0, 1}, {1, 1, 1}}},
    };
    const std::vector<std::pair<double, double>> profile = {
        {0, 0}, {0.2, 1.5}, {0.5, -1}, {0.8, 0.5}, {1, 0}};
    auto expected = [&](double position) {
        for (size_t i = 1; i < profile.size(); ++i) {
            if (position <= profile[i].first) {
                const auto [p0, d0] = profile[i - 1];
                const auto [p1, d1] = profile[i];
                return d0 + (d1 - d0) * (position - p0) / (p1 - p0);
            }
        }
        return profile.back().second;
    };
    for (const LinearityCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.heads << " heads, " << c.channels << " channels");
        const Acquired run =
            acquire(config({"nHead = " + std::to_string(c.heads), "Deviation = 0, 0", "Deviation = 0.2, 1.5",
                            "Deviation = 0.5, -1", "Deviation = 0.8, 0.5", "Deviation = 1, 0"}),
                    static_cast<uint16_t>(c.channels), 36000, 490);
        ASSERT_EQ(run.status, kDaqStatusTriggered | kDaqStatusDone);
        for (const Line& line : c.lines) {
            double largest = -10, smallest = 10, worst = 0;
            for (int n = 0; n < 120; ++n) {
                const int sample = line.scan * 120 + n;
                const double level = run.samples[sample * c.channels + line.channel] * kMillivoltsPerCount;
                // level = centre + p (separation - slope d)
                const double deviation = (2500 + line.polarity * 300 - level) / (line.polarity * 40.0);
                worst = std::max(worst, std::abs(deviation - expected(n / 120.0)));
                largest = std::max(largest, deviation);
                smallest = std::min(smallest, deviation);
            }
            EXPECT_LT(worst, 0.25) << "channel " << line.channel << " scan " << line.scan;
            EXPECT_NEAR(largest, 1.5, 0.25);
            EXPECT_NEAR(smallest, -1.0, 0.25);
        }
    }
}

TEST_P(SimAcquisition, TwoHeadsAlternateAboveAndBelowFromRevolutionToRevolution) {
    const Acquired run =
        acquire(config({"nHead = 2", "Deviation = 0, 1", "Deviation = 1, 1"}), 1, 36000, 480);
    ASSERT_EQ(run.status, kDaqStatusTriggered | kDaqStatusDone);
    auto meanOfScan = [&](int scan) {
        double sum = 0;
        for (int n = 0; n < 120; ++n)
            sum += run.samples[scan * 120 + n] * kMillivoltsPerCount;
        return sum / 120;
    };
    // Scans 1 and 3 (the second head, one revolution apart): one sits at
    // 2500 + 300 - 40, the other at 2500 - 300 + 40.
    const double first = meanOfScan(1), second = meanOfScan(3);
    EXPECT_NEAR(std::max(first, second), 2760, 2);
    EXPECT_NEAR(std::min(first, second), 2240, 2);
    EXPECT_NEAR(meanOfScan(0), first, 2) << "both heads of a revolution play alike";
}

TEST_P(SimAcquisition, AStaggeredGroupIsDelayedByTheStaggerAngle) {
    // 30 degrees of 180 at 120 samples a scan: 20 samples.
    const Acquired run = acquire(config({"HeadStagger = 30", "Section = linearity"}), 2, 36000, 250);
    ASSERT_EQ(run.status, kDaqStatusTriggered | kDaqStatusDone);
    auto level = [&](int sample, int channel) {
        return run.samples[sample * 2 + channel] * kMillivoltsPerCount;
    };
    // Channel 1's scan 0 starts at sample 20: below the centre from there,
    // above before it (the end of the previous, odd scan).
    EXPECT_GT(level(19, 1), 2500);
    EXPECT_LT(level(20, 1), 2500);
    EXPECT_GT(level(140, 1), 2500);
    EXPECT_LT(level(139, 1), 2500);
    EXPECT_GT(level(120, 0), 2500);
    EXPECT_LT(level(119, 0), 2500);
}

TEST_P(SimAcquisition, RunsAreRepeatableAndTheTapeMovesOn) {
    const std::vector<std::string> recorder = {"Seed = 9", "ClockStart = 1.5", "Section = sensitivity"};
    const Acquired first = acquire(config(recorder), 1, 15000, 2000);
    const Acquired twin = acquire(config(recorder), 1, 15000, 2000);  // another file: its own tape clock
    ASSERT_FALSE(first.samples.empty());
    EXPECT_EQ(first.samples, twin.samples);
    const Acquired reseeded =
        acquire(config({"Seed = 10", "ClockStart = 1.5", "Section = sensitivity"}), 1, 15000, 2000);
    EXPECT_NE(first.samples, reseeded.samples);
    // The same file again: the tape has played on, the offset has moved.
    const std::string path = config(recorder);
    const Acquired earlier = acquire(path, 1, 15000, 2000);
    const Acquired later = acquire(path, 1, 15000, 2000);
    EXPECT_EQ(earlier.samples, first.samples);
    EXPECT_NE(later.samples, earlier.samples);
}

struct Fault {
    const char* line;
    int step;  // 0 open, 1 allocate, 2 submit, 3 arm
    uint16_t code;
};

TEST_P(SimAcquisition, EveryInjectedFaultComesBackAsItsCode) {
    for (const Fault& fault : {Fault{"FailOpen = 2100", 0, 2100}, Fault{"FailAllocate = 2101", 1, 2101},
                               Fault{"FailSubmit = 2102", 2, 2102}, Fault{"FailArm = 2103", 3, 2103}}) {
        const Acquired run = acquire(config({fault.line}), 1, 15000, 100);
        const uint16_t codes[4] = {run.open, run.allocate, run.submit, run.arm};
        for (int step = 0; step < 4; ++step) {
            if (step < fault.step) {
                EXPECT_EQ(codes[step], kDaqOk) << fault.line << " step " << step;
            } else if (step == fault.step) {
                EXPECT_EQ(codes[step], fault.code) << fault.line;
            }
        }
    }
    const Acquired failed = acquire(config({"RuntimeError = 3100"}), 1, 15000, 100);
    EXPECT_EQ(failed.status, kDaqStatusTriggered | kDaqStatusError);
    EXPECT_EQ(failed.runtimeError, 3100u);
}

TEST_P(SimAcquisition, ATriggerThatNeverComesLeavesTheRequestArmed) {
    const auto& api = DaqLibraries::get();
    BridgeDevice device(config({"NoTrigger = 1"}));
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 1, 200);
    ASSERT_EQ(api.DaqAllocateRequestVB(device.handle(), &alloc), kDaqOk);
    LowMemoryArray<uint16_t> channels(1);
    LowMemoryArray<float> gains(1);
    gains[0] = 1.0f;
    DaqADRequestRecord request{};
    request.channelListAddress = channels.address();
    request.gainListAddress = gains.address();
    request.samplingRate = 36000;
    request.samplesPerChannel = 100;
    uint16_t handle = 0;
    ASSERT_EQ(api.DaqAnalogInputVB(device.handle(), &request, &handle), kDaqOk);
    ASSERT_EQ(api.DaqArmRequestVB(handle), kDaqOk);
    EXPECT_EQ(daqLoadStatus(request.status), kDaqStatusArmed);
    // A software trigger starts it after all.
    ASSERT_EQ(api.DaqTriggerRequestVB(handle), kDaqOk);
    EXPECT_TRUE(waitForStatus(request.status, kDaqStatusDone, std::chrono::seconds(10)));
    EXPECT_EQ(api.DaqTriggerRequestVB(handle), sim::kSimBadState);
    // Armed again, it waits once more; a reset of the device stops it.
    ASSERT_EQ(api.DaqArmRequestVB(handle), kDaqOk);
    EXPECT_EQ(daqLoadStatus(request.status), kDaqStatusArmed);
    ASSERT_EQ(api.DaqResetDeviceVB(device.handle()), kDaqOk);
    EXPECT_EQ(daqLoadStatus(request.status), kDaqStatusStopped);
    EXPECT_EQ(api.DaqReleaseRequestVB(handle), kDaqOk);
    EXPECT_EQ(api.DaqFreeRequestVB(device.handle(), alloc.memoryId, nullptr), kDaqOk);
}

TEST_P(SimAcquisition, ABufferNotReadBeforeTheNextRunIsAnOverrun) {
    const auto& api = DaqLibraries::get();
    BridgeDevice device(config());
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 1, 200);
    ASSERT_EQ(api.DaqAllocateRequestVB(device.handle(), &alloc), kDaqOk);
    LowMemoryArray<uint16_t> channels(1);
    LowMemoryArray<float> gains(1);
    gains[0] = 1.0f;
    DaqADRequestRecord request{};
    request.channelListAddress = channels.address();
    request.gainListAddress = gains.address();
    request.samplingRate = 36000;
    request.samplesPerChannel = 100;
    uint16_t handle = 0;
    ASSERT_EQ(api.DaqAnalogInputVB(device.handle(), &request, &handle), kDaqOk);
    for (int run = 0; run < 2; ++run) {
        ASSERT_EQ(api.DaqArmRequestVB(handle), kDaqOk);
        ASSERT_TRUE(
            waitForStatus(request.status, kDaqStatusDone | kDaqStatusError, std::chrono::seconds(10)));
    }
    EXPECT_EQ(daqLoadStatus(request.status), kDaqStatusTriggered | kDaqStatusError);
    uint32_t code = 0;
    ASSERT_EQ(api.DaqGetRuntimeErrorVB(handle, &code), kDaqOk);
    EXPECT_EQ(code, sim::kSimRuntimeOverrun);
    EXPECT_EQ(api.DaqReleaseRequestVB(handle), kDaqOk);
    EXPECT_EQ(api.DaqFreeRequestVB(device.handle(), alloc.memoryId, nullptr), kDaqOk);
}

INSTANTIATE_TEST_SUITE_P(Timing, SimAcquisition, ::testing::Values("instant", "realtime"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace morva::test
