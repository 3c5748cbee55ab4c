// Single values: one A/D reading, the D/A and digital latches, and the
// conversion of counts to volts.

#include <algorithm>
#include <cmath>

#include "driver/sample_format.h"
#include "driver/sim_board.h"
#include "driver/sim_codes.h"

namespace morva::sim {

namespace {

bool usableGain(float gain) {
    return std::isfinite(gain) && gain > 0;
}

}  // namespace

// The level the recorder plays at the tape's clock, noise-free: the
// sensitivity section unless the configuration forces the linearity section.
uint16_t SimBoard::readAnalog(uint16_t device, uint16_t channel, float gain, int32_t* count) {
    Lock lock(mutex_);
    const Device* entry = findDevice(device);
    if (entry == nullptr) return kSimBadDevice;
    const BoardConfig& c = entry->config;
    if (c.adSubsystems == 0) return kSimNotSupported;
    if (channel >= c.channels || !usableGain(gain) || count == nullptr) return kSimBadArgument;
    const VtrSignal signal(c.signal);
    const Section section = c.section == SectionChoice::Linearity ? Section::Linearity : Section::Sensitivity;
    const double scans = tapeClocks_[entry->configPath] / signal.scanSeconds();
    const double millivolts = signal.level(section, channel, c.channels, scans) * gain;
    *count = clampToConverter(millivolts * c.fullScaleCount / 10000.0, c.resolutionBits);
    return kDaqOk;
}

uint16_t SimBoard::writeAnalog(uint16_t device, uint16_t channel, int32_t count) {
    Lock lock(mutex_);
    Device* entry = findDevice(device);
    if (entry == nullptr) return kSimBadDevice;
    if (entry->config.daSubsystems == 0) return kSimNotSupported;
    if (channel >= entry->analogOutputs.size()) return kSimBadArgument;
    entry->analogOutputs[channel] = count;
    return kDaqOk;
}

// The ports read back what was last written to them.
uint16_t SimBoard::readDigital(uint16_t device, uint16_t port, uint32_t* value) {
    Lock lock(mutex_);
    const Device* entry = findDevice(device);
    if (entry == nullptr) return kSimBadDevice;
    if (entry->digitalPorts.empty()) return kSimNotSupported;
    if (port >= entry->digitalPorts.size() || value == nullptr) return kSimBadArgument;
    *value = entry->digitalPorts[port];
    return kDaqOk;
}

uint16_t SimBoard::writeDigital(uint16_t device, uint16_t port, uint32_t value) {
    Lock lock(mutex_);
    Device* entry = findDevice(device);
    if (entry == nullptr) return kSimBadDevice;
    if (entry->digitalPorts.empty()) return kSimNotSupported;
    if (port >= entry->digitalPorts.size()) return kSimBadArgument;
    entry->digitalPorts[port] = value;
    return kDaqOk;
}

uint16_t SimBoard::countToVolts(uint16_t device, uint16_t channel, int32_t count, float gain, float* volts) {
    Lock lock(mutex_);
    const Device* entry = findDevice(device);
    if (entry == nullptr) return kSimBadDevice;
    if (channel >= entry->config.channels || !usableGain(gain) || volts == nullptr) return kSimBadArgument;
    *volts = static_cast<float>(count * 10.0 / entry->config.fullScaleCount / gain);
    return kDaqOk;
}

}  // namespace morva::sim
