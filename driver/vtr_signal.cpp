#include "driver/vtr_signal.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace morva::sim {

namespace {

// Scan counts computed from sample numbers land exactly on whole numbers at
// scan boundaries; this keeps a rounding error from moving a sample back.
constexpr double kBoundaryTolerance = 1e-9;

int64_t floorDiv(int64_t value, int64_t divisor) {
    const int64_t quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

}  // namespace

VtrSignal::VtrSignal(VtrSignalParams params) : params_(std::move(params)) {
    const auto byPosition = [](const DeviationPoint& a, const DeviationPoint& b) {
        return a.position < b.position;
    };
    std::sort(params_.deviation.begin(), params_.deviation.end(), byPosition);
    std::sort(params_.tapeDeviation.begin(), params_.tapeDeviation.end(), byPosition);
}

int64_t VtrSignal::nextRevolution(double seconds) const {
    const double revolutions = seconds / (2 * scanSeconds());
    return static_cast<int64_t>(std::ceil(revolutions - kBoundaryTolerance));
}

int VtrSignal::headGroup(int channel, int channelCount) const {
    switch (params_.nHead) {
        case 4:
            return channelCount == 1 ? 0 : channel % 2;
        case 8:
            return channelCount == 1 ? 1 : channel % 2;
        default:
            return 0;
    }
}

ScanPosition VtrSignal::scanAt(int group, double scans) const {
    const double shifted = scans - group * params_.headStagger / 180.0;
    const double whole = std::floor(shifted + kBoundaryTolerance);
    return {static_cast<int64_t>(whole), std::clamp(shifted - whole, 0.0, 1.0)};
}

int VtrSignal::headOf(int group, int64_t scan) const {
    return (2 * group + static_cast<int>(scan & 1)) % std::max(params_.nHead, 1);
}

int VtrSignal::linearityPolarity(int group, int64_t scan) const {
    switch (params_.nHead) {
        case 2:
            return floorDiv(scan, 2) % 2 == 0 ? 1 : -1;
        case 8:
            return group == 1 ? 1 : -1;
        default:
            return (scan & 1) != 0 ? 1 : -1;
    }
}

double VtrSignal::trapezoid(double offsetMicrons) const {
    const double pitch = params_.trackPitch;
    double phase = std::fmod(offsetMicrons, 4 * pitch);
    if (phase < 0) phase += 4 * pitch;
    if (phase < pitch) return phase;
    if (phase < 2 * pitch) return pitch;
    if (phase < 3 * pitch) return 3 * pitch - phase;
    return 0;
}

double VtrSignal::deviationAt(double position) const {
    return recorderDeviationAt(position) + tapeDeviationAt(position);
}

double VtrSignal::recorderDeviationAt(double position) const {
    return profileAt(params_.deviation, position);
}

double VtrSignal::tapeDeviationAt(double position) const {
    return profileAt(params_.tapeDeviation, position);
}

double VtrSignal::profileAt(const std::vector<DeviationPoint>& points, double position) {
    if (points.empty()) return 0;
    if (position <= points.front().position) return points.front().microns;
    if (position >= points.back().position) return points.back().microns;
    const auto upper =
        std::upper_bound(points.begin(), points.end(), position,
                         [](double p, const DeviationPoint& point) { return p < point.position; });
    const auto lower = upper - 1;
    const double span = upper->position - lower->position;
    if (span <= 0) return upper->microns;
    return lower->microns + (upper->microns - lower->microns) * (position - lower->position) / span;
}

double VtrSignal::level(Section section, int channel, int channelCount, double scans) const {
    if (section == Section::Ramp) return kRampStartMv + kRampChannelStepMv * channel;
    const int group = headGroup(channel, channelCount);
    const ScanPosition at = scanAt(group, scans);
    if (section == Section::Sensitivity) {
        const int head = headOf(group, at.scan);
        const double offset =
            params_.sensOffsetPerScan * static_cast<double>(at.scan) + (head % 4) * params_.trackPitch;
        return params_.sensLevelLow + params_.sensSlope * trapezoid(offset);
    }
    const double swing = params_.linSeparation - params_.sensSlope * deviationAt(at.position);
    return params_.linCentre + linearityPolarity(group, at.scan) * swing;
}

void VtrSignal::fill(Section section, int64_t revolution, double rate, int channelCount, uint64_t noiseStream,
                     std::span<double> out) const {
    if (channelCount <= 0 || rate <= 0) return;
    SignalNoise noise(params_.seed, noiseStream);
    const double perScan = samplesPerScan(rate);
    const double startScans = 2.0 * static_cast<double>(revolution);
    const size_t samples = out.size() / static_cast<size_t>(channelCount);
    for (size_t n = 0; n < samples; ++n) {
        const double scans = startScans + static_cast<double>(n) / perScan;
        for (int c = 0; c < channelCount; ++c) {
            double value = section == Section::Ramp
                               ? kRampStartMv + kRampChannelStepMv * c + kRampStepMv * static_cast<double>(n)
                               : level(section, c, channelCount, scans);
            if (params_.noiseRms > 0) value += params_.noiseRms * noise.gaussian();
            out[n * static_cast<size_t>(channelCount) + static_cast<size_t>(c)] = value;
        }
    }
}

SignalNoise::SignalNoise(uint64_t seed, uint64_t stream)
    : state_(seed * 0x9E3779B97F4A7C15ull ^ (stream + 0x632BE59BD9B4E019ull)) {}

uint64_t SignalNoise::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double SignalNoise::uniform() {
    return static_cast<double>((next() >> 11) + 1) * 0x1.0p-53;
}

double SignalNoise::gaussian() {
    if (haveSpare_) {
        haveSpare_ = false;
        return spare_;
    }
    const double radius = std::sqrt(-2.0 * std::log(uniform()));
    const double angle = 2.0 * std::numbers::pi * uniform();
    spare_ = radius * std::sin(angle);
    haveSpare_ = true;
    return radius * std::cos(angle);
}

}  // namespace morva::sim
