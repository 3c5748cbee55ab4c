// Copies between the driver's buffers and the caller's memory, and the
// buffer flags.

#include <cstring>
#include <optional>

#include "bridge/halvex_api.h"
#include "bridge/halvex_table.h"

using namespace morva;
using namespace morva::halvex;

namespace {

// The first open entry whose request of kind `first`, or else of kind
// `second`, is `request` (buffer copies go one direction only).
std::optional<RequestSlot> findDirected(uint16_t request, uint32_t first, uint32_t second) {
    if (request == 0) return std::nullopt;
    for (DaqDeviceEntry& entry : deviceTable()) {
        if (entry.deviceHandle == 0) continue;
        if (entry.activeRequest[first] == request) return RequestSlot{&entry, first};
        if (entry.activeRequest[second] == request) return RequestSlot{&entry, second};
    }
    return std::nullopt;
}

// Descriptor `buffer` of a slot's request, or nullptr when the index is not
// one of the buffers allocated for it.
DaqBufferDescriptor* descriptorOf(const RequestSlot& slot, uint16_t buffer) {
    const RequestBlock& block = slot.entry->block[slot.kind];
    if (buffer >= block.bufferCount) return nullptr;
    DaqBufferDescriptor* list = descriptorList(block, slot.kind);
    return list == nullptr ? nullptr : &list[buffer];
}

}  // namespace

extern "C" {

uint16_t DaqReadBufferVB(uint16_t request, uint16_t buffer, void* destination) {
    std::lock_guard lock(tableMutex());
    const auto slot = findDirected(request, kDaqKindAnalogInput, kDaqKindDigitalInput);
    if (!slot) return kDaqErrNoRequest;
    DaqBufferDescriptor* descriptor = descriptorOf(*slot, buffer);
    if (descriptor == nullptr || descriptor->dataAddress == 0 || destination == nullptr)
        return kDaqErrBadArgument;
    const uint32_t bytes = slot->entry->block[slot->kind].bufferSize;
    std::memcpy(destination, daqPointer<const void>(descriptor->dataAddress), bytes);
    daqStoreFlag(*descriptor, kDaqBufferFree);
    return kDaqOk;
}

uint16_t DaqWriteBufferVB(uint16_t request, uint16_t buffer, uint32_t count, const void* source) {
    std::lock_guard lock(tableMutex());
    const auto slot = findDirected(request, kDaqKindAnalogOutput, kDaqKindDigitalOutput);
    if (!slot) return kDaqErrNoRequest;
    DaqBufferDescriptor* descriptor = descriptorOf(*slot, buffer);
    if (descriptor == nullptr || descriptor->dataAddress == 0 || source == nullptr) return kDaqErrBadArgument;
    const uint32_t bytes = slot->entry->block[slot->kind].bufferSize;
    std::memcpy(daqPointer<void>(descriptor->dataAddress), source, bytes);
    descriptor->writeCount = count;
    daqStoreFlag(*descriptor, kDaqBufferFilledByCaller);
    return kDaqOk;
}

uint16_t DaqReadBufferFlagVB(uint16_t request, uint16_t buffer, uint16_t* flag) {
    std::lock_guard lock(tableMutex());
    const auto slot = findRequestSlot(request);
    if (!slot) return kDaqErrNoRequest;
    DaqBufferDescriptor* descriptor = descriptorOf(*slot, buffer);
    if (descriptor == nullptr || flag == nullptr) return kDaqErrBadArgument;
    *flag = daqLoadFlag(*descriptor);
    return kDaqOk;
}

uint16_t DaqWriteBufferFlagVB(uint16_t request, uint16_t buffer, uint16_t flag) {
    std::lock_guard lock(tableMutex());
    const auto slot = findRequestSlot(request);
    if (!slot) return kDaqErrNoRequest;
    DaqBufferDescriptor* descriptor = descriptorOf(*slot, buffer);
    if (descriptor == nullptr) return kDaqErrBadArgument;
    daqStoreFlag(*descriptor, flag);
    return kDaqOk;
}

}  // extern "C"
