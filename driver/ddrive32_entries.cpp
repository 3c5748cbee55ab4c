// The driver entries on the acquisition path, and the test hooks.

#include "bridge/ddrive32_api.h"
#include "driver/sim_board.h"
#include "driver/sim_hooks.h"

using morva::DaqAllocRecord;
using morva::kDaqKindAnalogInput;
using morva::kDaqKindAnalogOutput;
using morva::kDaqKindDigitalInput;
using morva::kDaqKindDigitalOutput;
using morva::sim::SimBoard;

extern "C" {

uint16_t DaqOpenDevice(const char* /*dllName*/, uint16_t* device, const char* deviceType,
                       const char* configPath) {
    return SimBoard::instance().openDevice(device, deviceType, configPath);
}
uint16_t DaqGetDeviceCfgInfo(uint16_t device, void* record) {
    return SimBoard::instance().deviceInfo(device, record);
}
uint16_t DaqGetADCfgInfo(uint16_t device, uint16_t subsystem, void* record) {
    return SimBoard::instance().analogInputInfo(device, subsystem, record);
}
uint16_t DaqGetDACfgInfo(uint16_t device, uint16_t subsystem, void* record) {
    return SimBoard::instance().analogOutputInfo(device, subsystem, record);
}
uint16_t DaqAllocateRequest(uint16_t device, DaqAllocRecord* record) {
    return SimBoard::instance().allocate(device, record);
}
uint16_t DaqAnalogInput(uint16_t device, void* requestRecord, uint16_t* handle) {
    return SimBoard::instance().submit(device, kDaqKindAnalogInput, requestRecord, handle);
}
uint16_t DaqAnalogOutput(uint16_t device, void* requestRecord, uint16_t* handle) {
    return SimBoard::instance().submit(device, kDaqKindAnalogOutput, requestRecord, handle);
}
uint16_t DaqDigitalInput(uint16_t device, void* requestRecord, uint16_t* handle) {
    return SimBoard::instance().submit(device, kDaqKindDigitalInput, requestRecord, handle);
}
uint16_t DaqDigitalOutput(uint16_t device, void* requestRecord, uint16_t* handle) {
    return SimBoard::instance().submit(device, kDaqKindDigitalOutput, requestRecord, handle);
}
uint16_t DaqNotifyEvent(uint16_t request, DaqEventProcedure procedure, uint32_t mask) {
    return SimBoard::instance().notify(request, procedure, mask);
}
uint16_t DaqArmRequest(uint16_t request) {
    return SimBoard::instance().arm(request);
}
uint16_t DaqTriggerRequest(uint16_t request) {
    return SimBoard::instance().trigger(request);
}
uint16_t DaqStopRequest(uint16_t request) {
    return SimBoard::instance().stop(request);
}
uint16_t DaqReleaseRequest(uint16_t request) {
    return SimBoard::instance().release(request);
}
uint16_t DaqGetRuntimeError(uint16_t request, uint32_t* code) {
    return SimBoard::instance().runtimeError(request, code);
}
uint16_t DaqFreeRequest(uint16_t device, uint32_t memoryId, void* /*requestRecord*/) {
    return SimBoard::instance().freeMemory(device, memoryId);
}
uint16_t DaqResetDevice(uint16_t device) {
    return SimBoard::instance().resetDevice(device);
}
uint16_t DaqCloseDevice(uint16_t device) {
    return SimBoard::instance().closeDevice(device);
}
uint16_t DaqPostMessageEvent(uint16_t request, uint32_t value, uint16_t value2) {
    return SimBoard::instance().postMessage(request, value, value2);
}
uint16_t DaqUserBreak(uint16_t request, uint32_t value) {
    return SimBoard::instance().userBreak(request, value);
}
uint32_t DaqGetAddressOf(const void* variable) {
    return morva::daqLowAddress(variable);
}

uint32_t SimDaqOpenDeviceCount() {
    return SimBoard::instance().openDeviceCount();
}
uint32_t SimDaqLiveRequestCount() {
    return SimBoard::instance().liveRequestCount();
}
uint32_t SimDaqAllocatedRequestCount() {
    return SimBoard::instance().allocatedMemoryCount();
}
uint32_t SimDaqForcedCleanupCount() {
    return SimBoard::instance().forcedCleanupCount();
}

}  // extern "C"
