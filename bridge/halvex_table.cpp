#include "bridge/halvex_table.h"

namespace morva::halvex {

namespace {

// All zero while the library loads (constant initialisation).
DeviceTable DaqDeviceTable{};

// Library load: every entry free.
__attribute__((constructor)) void loadBridge() {
    DaqDeviceTable = DeviceTable{};
}

// Library unload: whatever request memory the devices still hold goes back
// to the driver (only kinds that hold memory call it).
__attribute__((destructor)) void unloadBridge() {
    for (DaqDeviceEntry& entry : DaqDeviceTable) {
        std::array<HeldMemory, kDaqKindCount> held;
        uint16_t device;
        {
            std::lock_guard lock(tableMutex());
            device = entry.deviceHandle;
            for (int kind = 0; kind < kDaqKindCount; ++kind)
                held[kind] = takeMemory(entry.block[kind]);
        }
        for (const HeldMemory& memory : held)
            freeHeldMemory(device, memory);
    }
}

}  // namespace

DeviceTable& deviceTable() {
    return DaqDeviceTable;
}

std::mutex& tableMutex() {
    // Never destroyed: the unload step above still needs it at process end.
    static std::mutex* mutex = new std::mutex();
    return *mutex;
}

DaqDeviceEntry* findDeviceEntry(uint16_t device) {
    for (DaqDeviceEntry& entry : DaqDeviceTable) {
        if (entry.deviceHandle == device) return &entry;
    }
    return nullptr;
}

std::optional<RequestSlot> findRequestSlot(uint16_t request) {
    if (request == 0) return std::nullopt;
    for (DaqDeviceEntry& entry : DaqDeviceTable) {
        if (entry.deviceHandle == 0) continue;
        for (uint32_t kind = 0; kind < kDaqKindCount; ++kind) {
            if (entry.activeRequest[kind] == request) return RequestSlot{&entry, kind};
        }
    }
    return std::nullopt;
}

HeldMemory takeMemory(RequestBlock& block) {
    HeldMemory memory;
    if (block.memoryId != 0) {
        memory = {block.memoryId, block.driverRecord};
        block.memoryId = 0;
        block.driverRecord = 0;
        block.bufferCount = 0;
    }
    return memory;
}

void freeHeldMemory(uint16_t device, const HeldMemory& memory) {
    if (memory.memoryId == 0) return;
    DaqFreeRequest(device, memory.memoryId, daqPointer<void>(memory.driverRecord));
}

DaqBufferDescriptor* descriptorList(const RequestBlock& block, uint32_t kind) {
    if (block.driverRecord == 0) return nullptr;
    const uint32_t address = kind == kDaqKindAnalogInput
                                 ? daqPointer<DaqADRequestRecord>(block.driverRecord)->bufferListAddress
                                 : daqPointer<DaqRequestRecord>(block.driverRecord)->bufferListAddress;
    return daqPointer<DaqBufferDescriptor>(address);
}

}  // namespace morva::halvex
