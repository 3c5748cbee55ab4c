#pragma once
// The entries of the A/D board driver library ddrive32 ("Daqdrive"), as the
// bridge imports them by name. Handles and 16-bit values are uint16_t ("w"),
// 32-bit values uint32_t ("d"); a "d" that the driver reads as an address
// holds a 32-bit address (below 4 GiB). Results are 16-bit codes, 0 = success,
// except DaqGetAddressOf.

#include <cstdint>

#include "bridge/daq_records.h"

extern "C" {

typedef void (*DaqEventProcedure)(uint16_t request, uint16_t code, uint16_t data);

// Acquisition path.
uint16_t DaqOpenDevice(const char* dllName, uint16_t* device, const char* deviceType, const char* configPath);
uint16_t DaqGetDeviceCfgInfo(uint16_t device, void* record);
uint16_t DaqGetADCfgInfo(uint16_t device, uint16_t subsystem, void* record);
uint16_t DaqGetDACfgInfo(uint16_t device, uint16_t subsystem, void* record);
uint16_t DaqAllocateRequest(uint16_t device, morva::DaqAllocRecord* record);
uint16_t DaqAnalogInput(uint16_t device, void* requestRecord, uint16_t* handle);
uint16_t DaqAnalogOutput(uint16_t device, void* requestRecord, uint16_t* handle);
uint16_t DaqDigitalInput(uint16_t device, void* requestRecord, uint16_t* handle);
uint16_t DaqDigitalOutput(uint16_t device, void* requestRecord, uint16_t* handle);
uint16_t DaqNotifyEvent(uint16_t request, DaqEventProcedure procedure, uint32_t mask);
uint16_t DaqArmRequest(uint16_t request);
uint16_t DaqTriggerRequest(uint16_t request);
uint16_t DaqStopRequest(uint16_t request);
uint16_t DaqReleaseRequest(uint16_t request);
uint16_t DaqGetRuntimeError(uint16_t request, uint32_t* code);
uint16_t DaqFreeRequest(uint16_t device, uint32_t memoryId, void* requestRecord);
uint16_t DaqResetDevice(uint16_t device);
uint16_t DaqCloseDevice(uint16_t device);
uint16_t DaqPostMessageEvent(uint16_t request, uint32_t value, uint16_t value2);
uint16_t DaqUserBreak(uint16_t request, uint32_t value);
uint32_t DaqGetAddressOf(const void* variable);

// Reached only through the bridge's pass-through exports.
uint16_t DaqSingleAnalogInput(uint16_t device, uint16_t channel, uint32_t gain, uint32_t value);
uint16_t DaqSingleAnalogInputScan(uint16_t device, uint32_t channels, uint32_t gains, uint16_t count,
                                  uint32_t values);
uint16_t DaqSingleSigConInput(uint16_t device, uint16_t channel, uint32_t gain, uint32_t value);
uint16_t DaqSingleSigConInputScan(uint16_t device, uint32_t channels, uint32_t gains, uint16_t count,
                                  uint32_t values);
uint16_t DaqSingleAnalogOutput(uint16_t device, uint16_t channel, uint32_t value);
uint16_t DaqSingleAnalogOutputScan(uint16_t device, uint32_t channels, uint16_t count, uint32_t values);
uint16_t DaqSingleDigitalInput(uint16_t device, uint16_t port, uint32_t value);
uint16_t DaqSingleDigitalInputScan(uint16_t device, uint32_t ports, uint16_t count, uint32_t values);
uint16_t DaqSingleDigitalOutput(uint16_t device, uint16_t port, uint32_t value);
uint16_t DaqSingleDigitalOutputScan(uint16_t device, uint32_t ports, uint16_t count, uint32_t values);
uint16_t DaqGetADGainInfo(uint16_t device, uint16_t subsystem, uint32_t record);
uint16_t DaqGetDAGainInfo(uint16_t device, uint16_t subsystem, uint32_t record);
uint16_t DaqGetExpCfgInfo(uint16_t device, uint16_t subsystem, uint16_t expansion, uint32_t record);
uint16_t DaqGetExpGainInfo(uint16_t device, uint16_t subsystem, uint16_t expansion, uint32_t record);
uint16_t DaqGetSigConCfgInfo(uint16_t device, uint16_t subsystem, uint32_t record);
uint16_t DaqGetSigConParamInfo(uint16_t device, uint16_t subsystem, uint32_t record);
uint16_t DaqVersionNumber(uint16_t device, uint32_t major, uint32_t minor, uint32_t revision);
uint16_t DaqWordsToBytes(uint32_t words, uint32_t bytesPerWord, uint32_t bytes);
uint16_t DaqBytesToWords(uint32_t bytes, uint32_t bytesPerWord, uint32_t words);
uint16_t DaqConvertBuffer(uint16_t request, uint32_t buffer);
uint16_t DaqConvertPoint(uint16_t device, uint16_t channel, uint32_t count, uint32_t gain, uint32_t volts);
uint16_t DaqConvertScan(uint16_t device, uint32_t channels, uint32_t counts, uint16_t count, uint32_t gains,
                        uint32_t volts);
uint16_t DaqGetDigioCfgInfo(uint16_t device, uint16_t subsystem, uint32_t record);

}  // extern "C"
