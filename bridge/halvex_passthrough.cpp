// Exports that only forward their arguments, same order and widths, to the
// driver entry of the same name without "VB".

#include <cstdint>

#include "bridge/halvex_api.h"

using morva::daqPointer;

extern "C" {

uint16_t DaqSingleAnalogInputVB(uint16_t device, uint16_t channel, uint32_t gain, uint32_t value) {
    return DaqSingleAnalogInput(device, channel, gain, value);
}
uint16_t DaqSingleAnalogInputScanVB(uint16_t device, uint32_t channels, uint32_t gains, uint16_t count,
                                    uint32_t values) {
    return DaqSingleAnalogInputScan(device, channels, gains, count, values);
}
uint16_t DaqSingleSigConInputVB(uint16_t device, uint16_t channel, uint32_t gain, uint32_t value) {
    return DaqSingleSigConInput(device, channel, gain, value);
}
uint16_t DaqSingleSigConInputScanVB(uint16_t device, uint32_t channels, uint32_t gains, uint16_t count,
                                    uint32_t values) {
    return DaqSingleSigConInputScan(device, channels, gains, count, values);
}
uint16_t DaqSingleAnalogOutputVB(uint16_t device, uint16_t channel, uint32_t value) {
    return DaqSingleAnalogOutput(device, channel, value);
}
uint16_t DaqSingleAnalogOutputScanVB(uint16_t device, uint32_t channels, uint16_t count, uint32_t values) {
    return DaqSingleAnalogOutputScan(device, channels, count, values);
}
uint16_t DaqSingleDigitalInputVB(uint16_t device, uint16_t port, uint32_t value) {
    return DaqSingleDigitalInput(device, port, value);
}
uint16_t DaqSingleDigitalInputScanVB(uint16_t device, uint32_t ports, uint16_t count, uint32_t values) {
    return DaqSingleDigitalInputScan(device, ports, count, values);
}
uint16_t DaqSingleDigitalOutputVB(uint16_t device, uint16_t port, uint32_t value) {
    return DaqSingleDigitalOutput(device, port, value);
}
uint16_t DaqSingleDigitalOutputScanVB(uint16_t device, uint32_t ports, uint16_t count, uint32_t values) {
    return DaqSingleDigitalOutputScan(device, ports, count, values);
}
// The driver takes these three records by pointer; the 32-bit argument is a
// low address.
uint16_t DaqGetDeviceCfgInfoVB(uint16_t device, uint32_t record) {
    return DaqGetDeviceCfgInfo(device, daqPointer<void>(record));
}
uint16_t DaqGetADCfgInfoVB(uint16_t device, uint16_t subsystem, uint32_t record) {
    return DaqGetADCfgInfo(device, subsystem, daqPointer<void>(record));
}
uint16_t DaqGetDACfgInfoVB(uint16_t device, uint16_t subsystem, uint32_t record) {
    return DaqGetDACfgInfo(device, subsystem, daqPointer<void>(record));
}
uint16_t DaqGetADGainInfoVB(uint16_t device, uint16_t subsystem, uint32_t record) {
    return DaqGetADGainInfo(device, subsystem, record);
}
uint16_t DaqGetDAGainInfoVB(uint16_t device, uint16_t subsystem, uint32_t record) {
    return DaqGetDAGainInfo(device, subsystem, record);
}
uint16_t DaqGetExpCfgInfoVB(uint16_t device, uint16_t subsystem, uint16_t expansion, uint32_t record) {
    return DaqGetExpCfgInfo(device, subsystem, expansion, record);
}
uint16_t DaqGetExpGainInfoVB(uint16_t device, uint16_t subsystem, uint16_t expansion, uint32_t record) {
    return DaqGetExpGainInfo(device, subsystem, expansion, record);
}
uint16_t DaqGetSigConCfgInfoVB(uint16_t device, uint16_t subsystem, uint32_t record) {
    return DaqGetSigConCfgInfo(device, subsystem, record);
}
uint16_t DaqGetSigConParamInfoVB(uint16_t device, uint16_t subsystem, uint32_t record) {
    return DaqGetSigConParamInfo(device, subsystem, record);
}
uint16_t DaqVersionNumberVB(uint16_t device, uint32_t major, uint32_t minor, uint32_t revision) {
    return DaqVersionNumber(device, major, minor, revision);
}
uint16_t DaqWordsToBytesVB(uint32_t words, uint32_t bytesPerWord, uint32_t bytes) {
    return DaqWordsToBytes(words, bytesPerWord, bytes);
}
uint16_t DaqBytesToWordsVB(uint32_t bytes, uint32_t bytesPerWord, uint32_t words) {
    return DaqBytesToWords(bytes, bytesPerWord, words);
}
uint16_t DaqConvertBufferVB(uint16_t request, uint32_t buffer) {
    return DaqConvertBuffer(request, buffer);
}
uint16_t DaqConvertPointVB(uint16_t device, uint16_t channel, uint32_t count, uint32_t gain, uint32_t volts) {
    return DaqConvertPoint(device, channel, count, gain, volts);
}
uint16_t DaqConvertScanVB(uint16_t device, uint32_t channels, uint32_t counts, uint16_t count, uint32_t gains,
                          uint32_t volts) {
    return DaqConvertScan(device, channels, counts, count, gains, volts);
}
uint16_t DaqGetDigioCfgInfoVB(uint16_t device, uint16_t subsystem, uint32_t record) {
    return DaqGetDigioCfgInfo(device, subsystem, record);
}

uint32_t DaqGetAddressOfVB(const void* variable) {
    // A 32-bit result cannot hold a higher address: 0, never a truncation.
    if (reinterpret_cast<uintptr_t>(variable) > UINT32_MAX) return 0;
    return DaqGetAddressOf(variable);
}

}  // extern "C"
