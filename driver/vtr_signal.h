#pragma once
// The playback signal of a simulated video tape recorder, as the A/D board
// sees it: one envelope level per head, sampled on one or two channels.
//
// Geometry. The cylinder turns at `cylRot` revolutions per minute; a head
// scan lasts half a revolution, Ts = 60 / cylRot / 2 seconds. The cylinder
// reference pulse (the board's trigger) comes once per revolution, at
// t = m * 2 Ts, when head 0 starts its scan. Heads come in groups of two
// opposite heads; each board channel is wired to one group, and group g runs
// g * headStagger / 180 scans behind group 0. Scan k of a group (counted from
// t = 0) is played by the group's head k mod 2; the position along the scan
// runs from 0 at its start to 1 at its end.
//
// Sensitivity section: the master tape's tracking offset grows by
// `sensOffsetPerScan` micrometres per scan, x = k * sensOffsetPerScan, and
// each head's level is a periodic trapezoid of its offset with the period of
// four track pitches P: rising over one pitch with `sensSlope` mV/um, high for
// one pitch, falling over one pitch, low for one pitch. Head h's pattern is
// shifted by (h mod 4) pitches. Level = sensLevelLow + sensSlope * shape,
// shape rising from 0 to P. The level is constant along a scan.
//
// Linearity section: each head plays on one slope of its trapezoid, so its
// level follows the track deviation d(s) along the scan (the `deviation`
// profile, um, linear between its points, plus the master tape's own
// deviation `tapeDeviation`): a head "above" the centre plays
// linCentre + linSeparation - sensSlope * d(s), a head "below" plays
// linCentre - linSeparation + sensSlope * d(s). Which head is above:
//   2 heads: scans of even revolution pairs, floor(k / 2) even;
//   4 heads: the group's second head (odd scans);
//   8 heads: every head of group 1; group 0 plays below.
//
// Noise: Gaussian, `noiseRms` mV, from a generator seeded with `seed` and a
// stream number, so every acquisition is repeatable.

#include <cstdint>
#include <span>
#include <vector>

namespace morva::sim {

struct DeviationPoint {
    double position;  // along the scan, 0 .. 1
    double microns;   // track deviation there
};

struct VtrSignalParams {
    double cylRot = 1800;                   // cylinder revolutions per minute
    int nHead = 4;                          // 2, 4 or 8
    double headStagger = 0;                 // degrees from head group 0 to group 1
    double trackPitch = 10;                 // um
    double sensSlope = 40;                  // mV per um on the slopes
    double sensLevelLow = 1000;             // mV, the trapezoid's floor
    double sensOffsetPerScan = 0.5;         // um of tracking offset per scan
    double linCentre = 2500;                // mV
    double linSeparation = 300;             // mV
    std::vector<DeviationPoint> deviation;  // sorted by position; empty = straight tracks
    // The master tape's own track deviation, added to the recorder's: the
    // tape played on the bench is not perfect either (empty = a perfect tape).
    std::vector<DeviationPoint> tapeDeviation;
    double noiseRms = 0;  // mV
    uint64_t seed = 1;
};

// Ramp: a test signal instead of a recording; channel c's sample n of an
// acquisition is kRampStartMv + c * kRampChannelStepMv + n * kRampStepMv
// (noise added when configured), so every sample tells its channel and place.
enum class Section { Sensitivity, Linearity, Ramp };
inline constexpr double kRampStartMv = 500;
inline constexpr double kRampChannelStepMv = 2000;
inline constexpr double kRampStepMv = 1;

// Where a group's heads are at a moment.
struct ScanPosition {
    int64_t scan;     // k, counted from t = 0
    double position;  // 0 .. 1 along the scan
};

class VtrSignal {
  public:
    explicit VtrSignal(VtrSignalParams params);

    const VtrSignalParams& params() const { return params_; }
    double scanSeconds() const { return 30.0 / params_.cylRot; }
    // Samples per head scan at a sampling rate.
    double samplesPerScan(double rate) const { return rate * 30.0 / params_.cylRot; }

    // The first revolution whose reference pulse comes at or after `seconds`,
    // and the time of a revolution's pulse.
    int64_t nextRevolution(double seconds) const;
    double revolutionStart(int64_t revolution) const { return revolution * 2 * scanSeconds(); }

    // The head group a channel of a board with `channelCount` channels sees:
    // 2 heads: group 0; 4 heads: the channel's group; 8 heads: the channel's
    // group, and group 1 for a one-channel board.
    int headGroup(int channel, int channelCount) const;
    // Scan of a group at `scans` scan times after t = 0.
    ScanPosition scanAt(int group, double scans) const;
    // Head playing scan k of a group.
    int headOf(int group, int64_t scan) const;
    // +1 when the head of scan k of a group plays above the centre in the
    // linearity section, -1 below.
    int linearityPolarity(int group, int64_t scan) const;

    // Trapezoid shape of an offset: 0 .. trackPitch.
    double trapezoid(double offsetMicrons) const;
    // Track deviation at a position along the scan, um: the recorder's
    // profile and the tape's own, each linear between its points.
    double deviationAt(double position) const;
    double recorderDeviationAt(double position) const;
    double tapeDeviationAt(double position) const;

    // Noise-free level, mV, of a channel at `scans` scan times after t = 0.
    double level(Section section, int channel, int channelCount, double scans) const;

    // One acquisition: `out.size() / channelCount` samples per channel at
    // `rate`, starting at the reference pulse of `revolution`, interleaved
    // by channel, in mV with noise from stream `noiseStream`.
    void fill(Section section, int64_t revolution, double rate, int channelCount, uint64_t noiseStream,
              std::span<double> out) const;

  private:
    static double profileAt(const std::vector<DeviationPoint>& points, double position);
    VtrSignalParams params_;
};

// Repeatable Gaussian noise (SplitMix64 and the Box-Muller transform), the
// same on every platform.
class SignalNoise {
  public:
    SignalNoise(uint64_t seed, uint64_t stream);
    double uniform();   // (0, 1]
    double gaussian();  // mean 0, deviation 1

  private:
    uint64_t next();
    uint64_t state_;
    bool haveSpare_ = false;
    double spare_ = 0;
};

}  // namespace morva::sim
