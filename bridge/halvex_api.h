#pragma once
// The exports of the bridge library halvex. The main program binds them by
// name (decltype of these declarations gives the pointer types); the
// library's sources define them against these declarations.

#include <cstdint>

#include "bridge/daq_records.h"
#include "bridge/ddrive32_api.h"

extern "C" {

// Request handling.
uint16_t DaqOpenDeviceVB(const char* dllName, uint16_t* device, const char* deviceType,
                         const char* configPath);
uint16_t DaqArmRequestVB(uint16_t request);
uint16_t DaqTriggerRequestVB(uint16_t request);
uint16_t DaqStopRequestVB(uint16_t request);
uint16_t DaqReleaseRequestVB(uint16_t request);
uint16_t DaqNotifyEventVB(uint16_t request, DaqEventProcedure procedure, uint32_t mask);
uint16_t DaqPostMessageEventVB(uint16_t request, uint32_t value, uint16_t value2);
uint16_t DaqUserBreakVB(uint16_t request, uint32_t value);
uint16_t DaqGetRuntimeErrorVB(uint16_t request, uint32_t* code);
uint16_t DaqResetDeviceVB(uint16_t device);
uint16_t DaqCloseDeviceVB(uint16_t device);
uint16_t DaqAllocateRequestVB(uint16_t device, morva::DaqAllocRecord* record);
uint16_t DaqFreeRequestVB(uint16_t device, uint32_t memoryId, void* requestRecord);
uint16_t DaqReadBufferVB(uint16_t request, uint16_t buffer, void* destination);
uint16_t DaqWriteBufferVB(uint16_t request, uint16_t buffer, uint32_t count, const void* source);
uint16_t DaqReadBufferFlagVB(uint16_t request, uint16_t buffer, uint16_t* flag);
uint16_t DaqWriteBufferFlagVB(uint16_t request, uint16_t buffer, uint16_t flag);

// Request submission.
uint16_t DaqAnalogInputVB(uint16_t device, morva::DaqADRequestRecord* request, uint16_t* handle);
uint16_t DaqAnalogOutputVB(uint16_t device, morva::DaqRequestRecord* request, uint16_t* handle);
uint16_t DaqDigitalInputVB(uint16_t device, morva::DaqRequestRecord* request, uint16_t* handle);
uint16_t DaqDigitalOutputVB(uint16_t device, morva::DaqRequestRecord* request, uint16_t* handle);

// Pass-through to the driver entry of the same name without "VB".
uint16_t DaqSingleAnalogInputVB(uint16_t device, uint16_t channel, uint32_t gain, uint32_t value);
uint16_t DaqSingleAnalogInputScanVB(uint16_t device, uint32_t channels, uint32_t gains, uint16_t count,
                                    uint32_t values);
uint16_t DaqSingleSigConInputVB(uint16_t device, uint16_t channel, uint32_t gain, uint32_t value);
uint16_t DaqSingleSigConInputScanVB(uint16_t device, uint32_t channels, uint32_t gains, uint16_t count,
                                    uint32_t values);
uint16_t DaqSingleAnalogOutputVB(uint16_t device, uint16_t channel, uint32_t value);
uint16_t DaqSingleAnalogOutputScanVB(uint16_t device, uint32_t channels, uint16_t count, uint32_t values);
uint16_t DaqSingleDigitalInputVB(uint16_t device, uint16_t port, uint32_t value);
uint16_t DaqSingleDigitalInputScanVB(uint16_t device, uint32_t ports, uint16_t count, uint32_t values);
uint16_t DaqSingleDigitalOutputVB(uint16_t device, uint16_t port, uint32_t value);
uint16_t DaqSingleDigitalOutputScanVB(uint16_t device, uint32_t ports, uint16_t count, uint32_t values);
uint16_t DaqGetDeviceCfgInfoVB(uint16_t device, uint32_t record);
uint16_t DaqGetADCfgInfoVB(uint16_t device, uint16_t subsystem, uint32_t record);
uint16_t DaqGetADGainInfoVB(uint16_t device, uint16_t subsystem, uint32_t record);
uint16_t DaqGetDACfgInfoVB(uint16_t device, uint16_t subsystem, uint32_t record);
uint16_t DaqGetDAGainInfoVB(uint16_t device, uint16_t subsystem, uint32_t record);
uint16_t DaqGetExpCfgInfoVB(uint16_t device, uint16_t subsystem, uint16_t expansion, uint32_t record);
uint16_t DaqGetExpGainInfoVB(uint16_t device, uint16_t subsystem, uint16_t expansion, uint32_t record);
uint16_t DaqGetSigConCfgInfoVB(uint16_t device, uint16_t subsystem, uint32_t record);
uint16_t DaqGetSigConParamInfoVB(uint16_t device, uint16_t subsystem, uint32_t record);
uint16_t DaqVersionNumberVB(uint16_t device, uint32_t major, uint32_t minor, uint32_t revision);
uint16_t DaqWordsToBytesVB(uint32_t words, uint32_t bytesPerWord, uint32_t bytes);
uint16_t DaqBytesToWordsVB(uint32_t bytes, uint32_t bytesPerWord, uint32_t words);
uint16_t DaqConvertBufferVB(uint16_t request, uint32_t buffer);
uint16_t DaqConvertPointVB(uint16_t device, uint16_t channel, uint32_t count, uint32_t gain, uint32_t volts);
uint16_t DaqConvertScanVB(uint16_t device, uint32_t channels, uint32_t counts, uint16_t count, uint32_t gains,
                          uint32_t volts);
uint16_t DaqGetDigioCfgInfoVB(uint16_t device, uint16_t subsystem, uint32_t record);
// 0 when the variable lies at or above 4 GiB; otherwise the driver's result.
uint32_t DaqGetAddressOfVB(const void* variable);

// The bridge's own event procedure, registered with the driver for every
// submitted request.
void DaqEventProc(uint16_t request, uint16_t code, uint16_t data);

}  // extern "C"
