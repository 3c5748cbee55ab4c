// Driver entries reached through the bridge's pass-through exports: single
// readings and writes, configuration records, conversions. A 32-bit argument
// that is an address points below 4 GiB; 0 is refused. Gains are singles
// passed as their 32-bit pattern; counts are 32-bit signed.

#include <cstring>

#include "bridge/ddrive32_api.h"
#include "driver/sim_board.h"
#include "driver/sim_codes.h"

using morva::daqPointer;
using morva::kDaqOk;
using morva::sim::kSimBadArgument;
using morva::sim::kSimNotSupported;
using morva::sim::SimBoard;

namespace {

// The driver's own version, reported by DaqVersionNumber.
constexpr uint32_t kVersionMajor = 1;
constexpr uint32_t kVersionMinor = 0;
constexpr uint32_t kVersionRevision = 0;

float singleFromBits(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

template <typename T>
T readAt(uint32_t address, size_t index) {
    T value;
    std::memcpy(&value, daqPointer<const uint8_t>(address) + index * sizeof(T), sizeof value);
    return value;
}

template <typename T>
void writeAt(uint32_t address, size_t index, T value) {
    std::memcpy(daqPointer<uint8_t>(address) + index * sizeof(T), &value, sizeof value);
}

bool validBytesPerWord(uint32_t bytesPerWord) {
    return bytesPerWord == 1 || bytesPerWord == 2 || bytesPerWord == 4;
}

}  // namespace

extern "C" {

uint16_t DaqSingleAnalogInput(uint16_t device, uint16_t channel, uint32_t gain, uint32_t value) {
    if (value == 0) return kSimBadArgument;
    int32_t count = 0;
    const uint16_t code = SimBoard::instance().readAnalog(device, channel, singleFromBits(gain), &count);
    if (code == kDaqOk) writeAt<int32_t>(value, 0, count);
    return code;
}

uint16_t DaqSingleAnalogInputScan(uint16_t device, uint32_t channels, uint32_t gains, uint16_t count,
                                  uint32_t values) {
    if (channels == 0 || gains == 0 || values == 0) return kSimBadArgument;
    for (uint16_t i = 0; i < count; ++i) {
        int32_t sample = 0;
        const uint16_t code = SimBoard::instance().readAnalog(device, readAt<uint16_t>(channels, i),
                                                              readAt<float>(gains, i), &sample);
        if (code != kDaqOk) return code;
        writeAt<int32_t>(values, i, sample);
    }
    return kDaqOk;
}

// The board has no signal-conditioning or expansion modules.
uint16_t DaqSingleSigConInput(uint16_t, uint16_t, uint32_t, uint32_t) {
    return kSimNotSupported;
}
uint16_t DaqSingleSigConInputScan(uint16_t, uint32_t, uint32_t, uint16_t, uint32_t) {
    return kSimNotSupported;
}
uint16_t DaqGetExpCfgInfo(uint16_t, uint16_t, uint16_t, uint32_t) {
    return kSimNotSupported;
}
uint16_t DaqGetExpGainInfo(uint16_t, uint16_t, uint16_t, uint32_t) {
    return kSimNotSupported;
}
uint16_t DaqGetSigConCfgInfo(uint16_t, uint16_t, uint32_t) {
    return kSimNotSupported;
}
uint16_t DaqGetSigConParamInfo(uint16_t, uint16_t, uint32_t) {
    return kSimNotSupported;
}

uint16_t DaqSingleAnalogOutput(uint16_t device, uint16_t channel, uint32_t value) {
    return SimBoard::instance().writeAnalog(device, channel, static_cast<int32_t>(value));
}

uint16_t DaqSingleAnalogOutputScan(uint16_t device, uint32_t channels, uint16_t count, uint32_t values) {
    if (channels == 0 || values == 0) return kSimBadArgument;
    for (uint16_t i = 0; i < count; ++i) {
        const uint16_t code = SimBoard::instance().writeAnalog(device, readAt<uint16_t>(channels, i),
                                                               readAt<int32_t>(values, i));
        if (code != kDaqOk) return code;
    }
    return kDaqOk;
}

uint16_t DaqSingleDigitalInput(uint16_t device, uint16_t port, uint32_t value) {
    if (value == 0) return kSimBadArgument;
    uint32_t read = 0;
    const uint16_t code = SimBoard::instance().readDigital(device, port, &read);
    if (code == kDaqOk) writeAt<uint32_t>(value, 0, read);
    return code;
}

uint16_t DaqSingleDigitalInputScan(uint16_t device, uint32_t ports, uint16_t count, uint32_t values) {
    if (ports == 0 || values == 0) return kSimBadArgument;
    for (uint16_t i = 0; i < count; ++i) {
        uint32_t read = 0;
        const uint16_t code = SimBoard::instance().readDigital(device, readAt<uint16_t>(ports, i), &read);
        if (code != kDaqOk) return code;
        writeAt<uint32_t>(values, i, read);
    }
    return kDaqOk;
}

uint16_t DaqSingleDigitalOutput(uint16_t device, uint16_t port, uint32_t value) {
    return SimBoard::instance().writeDigital(device, port, value);
}

uint16_t DaqSingleDigitalOutputScan(uint16_t device, uint32_t ports, uint16_t count, uint32_t values) {
    if (ports == 0 || values == 0) return kSimBadArgument;
    for (uint16_t i = 0; i < count; ++i) {
        const uint16_t code = SimBoard::instance().writeDigital(device, readAt<uint16_t>(ports, i),
                                                                readAt<uint32_t>(values, i));
        if (code != kDaqOk) return code;
    }
    return kDaqOk;
}

uint16_t DaqGetADGainInfo(uint16_t device, uint16_t subsystem, uint32_t record) {
    return SimBoard::instance().gainInfo(device, subsystem, true, daqPointer<void>(record));
}
uint16_t DaqGetDAGainInfo(uint16_t device, uint16_t subsystem, uint32_t record) {
    return SimBoard::instance().gainInfo(device, subsystem, false, daqPointer<void>(record));
}
uint16_t DaqGetDigioCfgInfo(uint16_t device, uint16_t subsystem, uint32_t record) {
    return SimBoard::instance().digitalInfo(device, subsystem, daqPointer<void>(record));
}

// Device 0 asks for the driver's version; any other handle must be open.
uint16_t DaqVersionNumber(uint16_t device, uint32_t major, uint32_t minor, uint32_t revision) {
    if (major == 0 || minor == 0 || revision == 0) return kSimBadArgument;
    if (device != 0) {
        alignas(8) uint8_t info[morva::kDaqDeviceCfgInfoSize];
        if (const uint16_t code = SimBoard::instance().deviceInfo(device, info); code != kDaqOk) return code;
    }
    writeAt<uint32_t>(major, 0, kVersionMajor);
    writeAt<uint32_t>(minor, 0, kVersionMinor);
    writeAt<uint32_t>(revision, 0, kVersionRevision);
    return kDaqOk;
}

uint16_t DaqWordsToBytes(uint32_t words, uint32_t bytesPerWord, uint32_t bytes) {
    if (bytes == 0 || !validBytesPerWord(bytesPerWord)) return kSimBadArgument;
    const uint64_t result = uint64_t{words} * bytesPerWord;
    if (result > UINT32_MAX) return kSimBadArgument;
    writeAt<uint32_t>(bytes, 0, static_cast<uint32_t>(result));
    return kDaqOk;
}

uint16_t DaqBytesToWords(uint32_t bytes, uint32_t bytesPerWord, uint32_t words) {
    if (words == 0 || !validBytesPerWord(bytesPerWord)) return kSimBadArgument;
    writeAt<uint32_t>(words, 0, bytes / bytesPerWord);
    return kDaqOk;
}

// The converter already delivers two's complement counts: the conversion
// only checks that the buffer exists.
uint16_t DaqConvertBuffer(uint16_t request, uint32_t buffer) {
    return SimBoard::instance().checkBuffer(request, buffer);
}

uint16_t DaqConvertPoint(uint16_t device, uint16_t channel, uint32_t count, uint32_t gain, uint32_t volts) {
    if (volts == 0) return kSimBadArgument;
    float result = 0;
    const uint16_t code = SimBoard::instance().countToVolts(device, channel, static_cast<int32_t>(count),
                                                            singleFromBits(gain), &result);
    if (code == kDaqOk) writeAt<float>(volts, 0, result);
    return code;
}

uint16_t DaqConvertScan(uint16_t device, uint32_t channels, uint32_t counts, uint16_t count, uint32_t gains,
                        uint32_t volts) {
    if (channels == 0 || counts == 0 || gains == 0 || volts == 0) return kSimBadArgument;
    for (uint16_t i = 0; i < count; ++i) {
        float result = 0;
        const uint16_t code =
            SimBoard::instance().countToVolts(device, readAt<uint16_t>(channels, i),
                                              readAt<int32_t>(counts, i), readAt<float>(gains, i), &result);
        if (code != kDaqOk) return code;
        writeAt<float>(volts, i, result);
    }
    return kDaqOk;
}

}  // extern "C"
