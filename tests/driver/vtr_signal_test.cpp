#include "driver/vtr_signal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace morva::sim {
namespace {

VtrSignalParams recorder(int heads = 4) {
    VtrSignalParams p;
    p.cylRot = 1800;
    p.nHead = heads;
    p.trackPitch = 10;
    p.sensSlope = 40;
    p.sensLevelLow = 1000;
    p.sensOffsetPerScan = 0.5;
    p.linCentre = 2500;
    p.linSeparation = 300;
    p.deviation = {{1.0, 0.0}, {0.0, 0.0}, {0.5, 2.0}};  // given out of order on purpose
    return p;
}

TEST(VtrSignal, TrapezoidRisesOverOnePitchStaysHighFallsAndStaysLowEveryFourPitches) {
    const VtrSignal signal(recorder());
    EXPECT_DOUBLE_EQ(signal.trapezoid(0), 0);
    EXPECT_DOUBLE_EQ(signal.trapezoid(2.5), 2.5);
    EXPECT_DOUBLE_EQ(signal.trapezoid(10), 10);
    EXPECT_DOUBLE_EQ(signal.trapezoid(17), 10);
    EXPECT_DOUBLE_EQ(signal.trapezoid(25), 5);
    EXPECT_DOUBLE_EQ(signal.trapezoid(30), 0);
    EXPECT_DOUBLE_EQ(signal.trapezoid(39.5), 0);
    EXPECT_DOUBLE_EQ(signal.trapezoid(42.5), 2.5);
    EXPECT_DOUBLE_EQ(signal.trapezoid(-37.5), 2.5);
}

TEST(VtrSignal, SensitivityLevelIsFlatAlongAScanAndClimbsWithTheSlopeFromScanToScan) {
    const VtrSignal signal(recorder());
    // Head 0 plays the even scans of group 0; scan 2j has offset j um.
    for (double position : {0.05, 0.5, 0.95}) {
        EXPECT_DOUBLE_EQ(signal.level(Section::Sensitivity, 0, 1, 4 + position), 1000 + 40 * 2.0);
    }
    EXPECT_NEAR(signal.level(Section::Sensitivity, 0, 1, 6.5) - signal.level(Section::Sensitivity, 0, 1, 4.5),
                40 * 1.0, 1e-9);
    // Head 1 plays the odd scans, its pattern one pitch further on: at scan 1
    // (offset 0.5) it sits at 10.5 um, on the flat top.
    EXPECT_DOUBLE_EQ(signal.level(Section::Sensitivity, 0, 1, 1.5), 1400);
}

TEST(VtrSignal, DeviationProfileIsLinearBetweenItsPointsAndHeldBeyondThem) {
    VtrSignalParams p = recorder();
    p.deviation = {{0.2, 1.0}, {0.6, -1.0}};
    const VtrSignal signal(p);
    EXPECT_DOUBLE_EQ(signal.deviationAt(0.0), 1.0);
    EXPECT_DOUBLE_EQ(signal.deviationAt(0.3), 0.5);
    EXPECT_NEAR(signal.deviationAt(0.4), 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(signal.deviationAt(0.9), -1.0);
    EXPECT_DOUBLE_EQ(VtrSignal(VtrSignalParams{}).deviationAt(0.5), 0.0);
}

TEST(VtrSignal, LinearityHeadsPlayAboveAndBelowTheCentreByTheDeviation) {
    const VtrSignal signal(recorder());
    // Four heads: the odd scan's head above, the even scan's head below.
    EXPECT_DOUBLE_EQ(signal.level(Section::Linearity, 0, 1, 1.25), 2500 + 300 - 40 * 1.0);
    EXPECT_DOUBLE_EQ(signal.level(Section::Linearity, 0, 1, 0.25), 2500 - 300 + 40 * 1.0);
    EXPECT_DOUBLE_EQ(signal.level(Section::Linearity, 0, 1, 0.5), 2500 - 300 + 40 * 2.0);
}

struct PolarityCase {
    int heads;
    int channel;
    int channels;
    int scan;
    int polarity;
};

class LinearityPolarity : public ::testing::TestWithParam<PolarityCase> {};

TEST_P(LinearityPolarity, FollowsTheHeadArrangement) {
    const PolarityCase c = GetParam();
    const VtrSignal signal(recorder(c.heads));
    const double level = signal.level(Section::Linearity, c.channel, c.channels, c.scan + 0.0);
    EXPECT_DOUBLE_EQ(level, 2500 + c.polarity * 300.0);
}

INSTANTIATE_TEST_SUITE_P(Heads, LinearityPolarity,
                         ::testing::Values(PolarityCase{2, 0, 1, 0, 1}, PolarityCase{2, 0, 1, 1, 1},
                                           PolarityCase{2, 0, 1, 2, -1}, PolarityCase{2, 0, 1, 3, -1},
                                           PolarityCase{2, 1, 2, 3, -1}, PolarityCase{4, 0, 1, 0, -1},
                                           PolarityCase{4, 0, 1, 1, 1}, PolarityCase{4, 1, 2, 0, -1},
                                           PolarityCase{4, 1, 2, 1, 1}, PolarityCase{8, 0, 1, 0, 1},
                                           PolarityCase{8, 0, 1, 1, 1}, PolarityCase{8, 0, 2, 1, -1},
                                           PolarityCase{8, 1, 2, 0, 1}));

TEST(VtrSignal, TheStaggeredGroupRunsBehindGroupZero) {
    VtrSignalParams p = recorder(4);
    p.headStagger = 45;  // a quarter of a scan
    const VtrSignal signal(p);
    EXPECT_EQ(signal.headGroup(1, 2), 1);
    EXPECT_EQ(signal.scanAt(1, 1.20).scan, 0);
    EXPECT_NEAR(signal.scanAt(1, 1.20).position, 0.95, 1e-12);
    EXPECT_EQ(signal.scanAt(1, 1.25).scan, 1);
    EXPECT_EQ(signal.scanAt(0, 1.20).scan, 1);
    // Eight heads on a one-channel board: that channel sees group 1.
    EXPECT_EQ(VtrSignal(recorder(8)).headGroup(0, 1), 1);
    EXPECT_EQ(VtrSignal(recorder(2)).headGroup(1, 2), 0);
}

TEST(VtrSignal, AcquisitionsStartAtTheNextCylinderPulse) {
    const VtrSignal signal(recorder());  // 1800 rpm: a pulse every 1/30 s
    EXPECT_EQ(signal.nextRevolution(0), 0);
    EXPECT_EQ(signal.nextRevolution(1.0 / 30), 1);
    EXPECT_EQ(signal.nextRevolution(1.0 / 30 + 1e-6), 2);
    EXPECT_NEAR(signal.revolutionStart(3), 0.1, 1e-12);
    EXPECT_DOUBLE_EQ(signal.samplesPerScan(3000), 50);
}

TEST(VtrSignal, FillInterleavesChannelsFromThePulseOn) {
    const VtrSignal signal(recorder());
    std::vector<double> out(2 * 100);
    signal.fill(Section::Sensitivity, 5, 3000, 2, 0, out);
    for (size_t n = 0; n < 100; ++n) {
        const double scans = 10 + n / 50.0;
        EXPECT_DOUBLE_EQ(out[2 * n], signal.level(Section::Sensitivity, 0, 2, scans)) << n;
        EXPECT_DOUBLE_EQ(out[2 * n + 1], signal.level(Section::Sensitivity, 1, 2, scans)) << n;
    }
    // Sample 50 is the first of the next scan, never the last of this one.
    EXPECT_NE(out[2 * 49], out[2 * 50]);
}

TEST(VtrSignal, NoiseIsRepeatableAndHasTheConfiguredDeviation) {
    VtrSignalParams p = recorder();
    p.noiseRms = 5;
    p.seed = 42;
    const VtrSignal signal(p);
    std::vector<double> a(20000), b(20000), c(20000);
    signal.fill(Section::Linearity, 0, 3000, 1, 7, a);
    signal.fill(Section::Linearity, 0, 3000, 1, 7, b);
    signal.fill(Section::Linearity, 0, 3000, 1, 8, c);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    const VtrSignal quiet(recorder());
    std::vector<double> clean(20000);
    quiet.fill(Section::Linearity, 0, 3000, 1, 7, clean);
    double sum = 0, squares = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        const double e = a[i] - clean[i];
        sum += e;
        squares += e * e;
    }
    EXPECT_NEAR(sum / a.size(), 0, 0.15);
    EXPECT_NEAR(std::sqrt(squares / a.size()), 5, 0.15);
}

}  // namespace
}  // namespace morva::sim
