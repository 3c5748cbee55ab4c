// Request submission with its field-by-field copy, event notification, the
// bridge's own event procedure and the release of a request.

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "bridge/halvex_api.h"
#include "bridge/halvex_table.h"

using namespace morva;
using namespace morva::halvex;

namespace {

using SubmitEntry = uint16_t (*)(uint16_t, void*, uint16_t*);

// Copies `count` list entries of `width` bytes between two 32-bit addresses.
bool copyList(uint32_t from, uint32_t to, uint16_t count, size_t width) {
    if (count == 0) return true;
    if (from == 0 || to == 0) return false;
    std::memcpy(daqPointer<void>(to), daqPointer<const void>(from), count * width);
    return true;
}

// The caller's fields that the driver takes: every field that is neither an
// address nor the driver's own. The sampling rate goes as its two 32-bit
// halves, so every bit pattern arrives unchanged.
bool copyRequest(const DaqADRequestRecord& from, DaqADRequestRecord& to) {
    if (!copyList(from.channelListAddress, to.channelListAddress, to.channelCount, sizeof(uint16_t)) ||
        !copyList(from.gainListAddress, to.gainListAddress, to.channelCount, sizeof(uint32_t)))
        return false;
    to.triggerType = from.triggerType;
    to.field34 = from.field34;
    to.triggerSlope = from.triggerSlope;
    to.field38 = from.field38;
    to.field40 = from.field40;
    to.field44 = from.field44;
    to.field48 = from.field48;
    to.ioMode = from.ioMode;
    to.field62 = from.field62;
    to.field64 = from.field64;
    to.field68 = from.field68;
    uint32_t halves[2];
    std::memcpy(halves, &from.samplingRate, sizeof halves);
    std::memcpy(&to.samplingRate, halves, sizeof halves);
    to.samplesPerChannel = from.samplesPerChannel;
    to.field92 = from.field92;
    to.field112 = from.field112;
    to.field114 = from.field114;
    return true;
}

bool copyRequest(const DaqRequestRecord& from, DaqRequestRecord& to, bool withField110) {
    if (!copyList(from.channelListAddress, to.channelListAddress, to.channelCount, sizeof(uint16_t)))
        return false;
    to.triggerType = from.triggerType;
    to.field30 = from.field30;
    to.triggerSlope = from.triggerSlope;
    to.field34 = from.field34;
    to.field36 = from.field36;
    to.field40 = from.field40;
    to.field44 = from.field44;
    to.ioMode = from.ioMode;
    to.field58 = from.field58;
    to.field60 = from.field60;
    to.field64 = from.field64;
    to.samplingRateLow = from.samplingRateLow;
    to.samplingRateHigh = from.samplingRateHigh;
    to.samplesPerChannel = from.samplesPerChannel;
    to.field88 = from.field88;
    to.field108 = from.field108;
    if (withField110) to.field110 = from.field110;
    return true;
}

template <typename Record>
uint16_t submit(uint32_t kind, SubmitEntry driverSubmit, uint16_t device, Record* request, uint16_t* handle) {
    if (device == 0) return kDaqErrNoDevice;
    void* driverRecord;
    {
        std::lock_guard lock(tableMutex());
        DaqDeviceEntry* entry = findDeviceEntry(device);
        if (entry == nullptr) return kDaqErrNoDevice;
        if (entry->activeRequest[kind] != 0) return kDaqErrRequestActive;
        RequestBlock& block = entry->block[kind];
        if (block.driverRecord == 0) return kDaqErrNoEntry;
        if (request == nullptr || handle == nullptr ||
            reinterpret_cast<uintptr_t>(request) % alignof(Record) != 0)
            return kDaqErrBadArgument;
        // A notification registered for an earlier request does not carry over.
        block.eventMask = 0;
        block.eventProcedure = nullptr;
        block.callerRecord = request;
        auto* target = daqPointer<Record>(block.driverRecord);
        bool copied;
        if constexpr (std::is_same_v<Record, DaqADRequestRecord>) {
            copied = copyRequest(*request, *target);
        } else {
            copied = copyRequest(*request, *target, kind == kDaqKindAnalogOutput);
        }
        if (!copied) return kDaqErrBadArgument;
        daqStoreStatus(target->status, 0);
        *handle = 0;
        driverRecord = target;
    }

    uint16_t code = driverSubmit(device, driverRecord, handle);
    if (code != kDaqOk) return code;
    uint16_t active = *handle;
    code = DaqNotifyEvent(active, &DaqEventProc, 0xFFFFFFFFu);
    if (code != kDaqOk) {
        DaqReleaseRequest(active);
        *handle = 0;
        active = 0;
    }
    std::lock_guard lock(tableMutex());
    if (DaqDeviceEntry* entry = findDeviceEntry(device)) entry->activeRequest[kind] = active;
    return code;
}

}  // namespace

extern "C" {

uint16_t DaqAnalogInputVB(uint16_t device, DaqADRequestRecord* request, uint16_t* handle) {
    return submit(kDaqKindAnalogInput, &DaqAnalogInput, device, request, handle);
}

uint16_t DaqAnalogOutputVB(uint16_t device, DaqRequestRecord* request, uint16_t* handle) {
    return submit(kDaqKindAnalogOutput, &DaqAnalogOutput, device, request, handle);
}

uint16_t DaqDigitalInputVB(uint16_t device, DaqRequestRecord* request, uint16_t* handle) {
    return submit(kDaqKindDigitalInput, &DaqDigitalInput, device, request, handle);
}

uint16_t DaqDigitalOutputVB(uint16_t device, DaqRequestRecord* request, uint16_t* handle) {
    return submit(kDaqKindDigitalOutput, &DaqDigitalOutput, device, request, handle);
}

uint16_t DaqNotifyEventVB(uint16_t request, DaqEventProcedure procedure, uint32_t mask) {
    std::lock_guard lock(tableMutex());
    const auto slot = findRequestSlot(request);
    if (!slot) return kDaqErrNoRequest;
    RequestBlock& block = slot->entry->block[slot->kind];
    block.eventProcedure = procedure;
    block.eventMask = mask;
    return kDaqOk;
}

void DaqEventProc(uint16_t request, uint16_t code, uint16_t data) {
    DaqEventProcedure procedure = nullptr;
    uint32_t mask = 0;
    {
        std::lock_guard lock(tableMutex());
        const auto slot = findRequestSlot(request);
        if (!slot) return;
        const RequestBlock& block = slot->entry->block[slot->kind];
        if (block.callerRecord != nullptr && block.driverRecord != 0) {
            const uint32_t status =
                daqLoadStatus(daqStatusField(daqPointer<void>(block.driverRecord), slot->kind));
            daqStoreStatus(daqStatusField(block.callerRecord, slot->kind), status);
        }
        procedure = block.eventProcedure;
        mask = block.eventMask;
    }
    if (procedure != nullptr && ((mask >> (code % 32u)) & 1u) != 0) procedure(request, code, data);
}

uint16_t DaqReleaseRequestVB(uint16_t request) {
    {
        std::lock_guard lock(tableMutex());
        const auto slot = findRequestSlot(request);
        if (!slot) return kDaqErrNoRequest;
        slot->entry->activeRequest[slot->kind] = 0;
    }
    return DaqReleaseRequest(request);
}

uint16_t DaqArmRequestVB(uint16_t request) {
    return DaqArmRequest(request);
}

uint16_t DaqTriggerRequestVB(uint16_t request) {
    return DaqTriggerRequest(request);
}

uint16_t DaqStopRequestVB(uint16_t request) {
    return DaqStopRequest(request);
}

uint16_t DaqPostMessageEventVB(uint16_t request, uint32_t value, uint16_t value2) {
    return DaqPostMessageEvent(request, value, value2);
}

uint16_t DaqUserBreakVB(uint16_t request, uint32_t value) {
    return DaqUserBreak(request, value);
}

uint16_t DaqGetRuntimeErrorVB(uint16_t request, uint32_t* code) {
    return DaqGetRuntimeError(request, code);
}

}  // extern "C"
