// Opening and closing devices, allocating and freeing request memory.

#include <array>
#include <cstring>

#include "bridge/halvex_api.h"
#include "bridge/halvex_table.h"

using namespace morva;
using namespace morva::halvex;

namespace {

// The converter resolution of sub-system 0 of an A/D or D/A converter, as
// bytes per sample. 0 with the driver's code when the driver refuses.
uint16_t subsystemBytesPerSample(uint16_t device, bool analogInput, uint16_t* bytesPerSample) {
    alignas(8) std::array<uint8_t, kDaqSubsystemCfgInfoSize> info{};
    const uint16_t code =
        analogInput ? DaqGetADCfgInfo(device, 0, info.data()) : DaqGetDACfgInfo(device, 0, info.data());
    if (code != kDaqOk) return code;
    uint16_t bits;
    std::memcpy(&bits, info.data(), sizeof bits);
    *bytesPerSample = daqBytesPerSample(bits);
    return kDaqOk;
}

uint16_t configField(const std::array<uint8_t, kDaqDeviceCfgInfoSize>& info, size_t offset) {
    uint16_t value;
    std::memcpy(&value, info.data() + offset, sizeof value);
    return value;
}

}  // namespace

extern "C" {

uint16_t DaqOpenDeviceVB(const char* dllName, uint16_t* device, const char* deviceType,
                         const char* configPath) {
    if (device == nullptr) return kDaqErrBadArgument;
    *device = 0;
    // Every text names something the driver needs: none may be missing.
    if (dllName == nullptr || deviceType == nullptr || configPath == nullptr) return kDaqErrBadArgument;
    uint16_t handle = 0;
    const uint16_t opened = DaqOpenDevice(dllName, &handle, deviceType, configPath);
    if (opened != kDaqOk) return opened;

    DaqDeviceEntry* entry;
    {
        std::lock_guard lock(tableMutex());
        entry = findDeviceEntry(0);
        if (entry != nullptr) {
            // Taken at once, and nothing of an earlier device carries over.
            *entry = DaqDeviceEntry{};
            entry->deviceHandle = handle;
        }
    }
    if (entry == nullptr) {
        DaqCloseDevice(handle);
        return kDaqErrNoEntry;
    }
    auto giveUp = [&](uint16_t code) {
        {
            std::lock_guard lock(tableMutex());
            *entry = DaqDeviceEntry{};
        }
        DaqCloseDevice(handle);
        return code;
    };

    alignas(8) std::array<uint8_t, kDaqDeviceCfgInfoSize> info{};
    if (const uint16_t code = DaqGetDeviceCfgInfo(handle, info.data()); code != kDaqOk) return giveUp(code);
    std::array<uint16_t, kDaqKindCount> bytesPerSample{1, 1, 1, 1};
    if (configField(info, kDaqDeviceCfgADCountOffset) > 0) {
        const uint16_t code = subsystemBytesPerSample(handle, true, &bytesPerSample[kDaqKindAnalogInput]);
        if (code != kDaqOk) return giveUp(code);
    }
    if (configField(info, kDaqDeviceCfgDACountOffset) > 0) {
        const uint16_t code = subsystemBytesPerSample(handle, false, &bytesPerSample[kDaqKindAnalogOutput]);
        if (code != kDaqOk) return giveUp(code);
    }
    {
        std::lock_guard lock(tableMutex());
        for (int kind = 0; kind < kDaqKindCount; ++kind)
            entry->block[kind].bytesPerSample = bytesPerSample[kind];
    }
    *device = handle;
    return kDaqOk;
}

uint16_t DaqCloseDeviceVB(uint16_t device) {
    std::array<HeldMemory, kDaqKindCount> held;
    {
        std::lock_guard lock(tableMutex());
        DaqDeviceEntry* entry = findDeviceEntry(device);
        if (entry == nullptr) return kDaqErrNoDevice;
        entry->deviceHandle = 0;
        for (int kind = 0; kind < kDaqKindCount; ++kind)
            held[kind] = takeMemory(entry->block[kind]);
    }
    // The memory goes back while the driver's device is still open.
    for (const HeldMemory& memory : held)
        freeHeldMemory(device, memory);
    return DaqCloseDevice(device);
}

uint16_t DaqResetDeviceVB(uint16_t device) {
    return DaqResetDevice(device);
}

uint16_t DaqAllocateRequestVB(uint16_t device, DaqAllocRecord* record) {
    if (device == 0) return kDaqErrNoDevice;
    DaqDeviceEntry* entry;
    {
        std::lock_guard lock(tableMutex());
        entry = findDeviceEntry(device);
    }
    if (entry == nullptr) return kDaqErrNoDevice;
    if (record == nullptr) return kDaqErrBadArgument;

    DaqAllocRecord copy = *record;
    if (const uint16_t code = DaqAllocateRequest(device, &copy); code != kDaqOk) return code;
    const HeldMemory fresh{copy.memoryId, copy.requestRecordAddress};
    const uint32_t kind = record->requestKind;
    if (kind >= kDaqKindCount) {
        freeHeldMemory(device, fresh);
        return kDaqErrNoEntry;
    }

    HeldMemory earlier;
    bool usable;
    {
        std::lock_guard lock(tableMutex());
        RequestBlock& block = entry->block[kind];
        earlier = takeMemory(block);
        block.driverRecord = copy.requestRecordAddress;
        block.memoryId = copy.memoryId;
        block.bufferSize = record->bufferSize;
        block.bufferCount = record->bufferCount;
        DaqBufferDescriptor* list = descriptorList(block, kind);
        usable = block.driverRecord != 0 && (block.bufferCount == 0 || list != nullptr);
        if (usable) {
            const uint16_t perSample = block.bytesPerSample == 0 ? 1 : block.bytesPerSample;
            for (uint16_t i = 0; i < block.bufferCount; ++i) {
                list[i].sampleCount = block.bufferSize / perSample;
                daqStoreFlag(list[i], kDaqBufferFree);
            }
        } else {
            takeMemory(block);
        }
    }
    freeHeldMemory(device, earlier);
    if (!usable) {
        // A driver record without a descriptor list cannot be used.
        freeHeldMemory(device, fresh);
        return kDaqErrBadArgument;
    }
    record->requestRecordAddress = copy.requestRecordAddress;
    record->memoryId = copy.memoryId;
    return kDaqOk;
}

uint16_t DaqFreeRequestVB(uint16_t device, uint32_t memoryId, void* /*requestRecord: not used*/) {
    HeldMemory held;
    uint16_t owner;
    {
        std::lock_guard lock(tableMutex());
        DaqDeviceEntry* entry = findDeviceEntry(device);
        if (entry == nullptr) return kDaqErrNoDevice;
        int match = -1;
        for (int kind = 0; kind < kDaqKindCount && match < 0; ++kind) {
            if (entry->block[kind].memoryId == memoryId) match = kind;
        }
        if (match < 0) return kDaqErrUnknownMemory;
        owner = entry->deviceHandle;
        held = takeMemory(entry->block[match]);
    }
    freeHeldMemory(owner, held);
    return kDaqOk;
}

}  // extern "C"
