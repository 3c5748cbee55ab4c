#pragma once
// The bridge's table of open devices: four entries, each with the active
// request of every kind and one block per kind that remembers the driver's
// request memory and the caller's record and event procedure.
//
// The table is process-wide. The caller's thread changes it; the driver may
// call DaqEventProc on a thread of its own, so every access holds the table
// lock. The lock is never held while the bridge calls into the driver or
// into the caller's event procedure.

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>

#include "bridge/daq_records.h"
#include "bridge/ddrive32_api.h"

namespace morva::halvex {

inline constexpr int kDeviceEntries = 4;

struct RequestBlock {
    void* callerRecord = nullptr;  // recorded at submission; the status goes there
    uint32_t driverRecord = 0;     // the driver's request record (0 = nothing allocated)
    uint32_t bufferSize = 0;       // bytes of one buffer
    uint16_t bytesPerSample = 0;   // 1, 2 or 4
    uint16_t bufferCount = 0;      // descriptors initialised at allocation
    uint32_t memoryId = 0;         // request memory identifier (0 = none)
    uint32_t eventMask = 0;        // bit n selects event code n
    DaqEventProcedure eventProcedure = nullptr;
};

struct DaqDeviceEntry {
    uint16_t deviceHandle = 0;  // 0 = entry free
    std::array<uint16_t, kDaqKindCount> activeRequest{};
    std::array<RequestBlock, kDaqKindCount> block{};
};

using DeviceTable = std::array<DaqDeviceEntry, kDeviceEntries>;

// The table and its lock (take the lock before touching the table).
DeviceTable& deviceTable();
std::mutex& tableMutex();

// First entry whose device handle equals `device`: with 0, the first free entry.
DaqDeviceEntry* findDeviceEntry(uint16_t device);

struct RequestSlot {
    DaqDeviceEntry* entry;
    uint32_t kind;
};
// First open entry, and within it the first kind (A/D, D/A, digital input,
// digital output) whose active request is `request`. Handle 0 names no
// request, and free entries are skipped: the handles a closed device left
// behind never match.
std::optional<RequestSlot> findRequestSlot(uint16_t request);

// Memory that a kind held, taken out of its block (under the lock) so that
// it can be handed back to the driver after the lock is released.
struct HeldMemory {
    uint32_t memoryId = 0;
    uint32_t driverRecord = 0;
};
HeldMemory takeMemory(RequestBlock& block);
// Hands memory back to the driver; the driver's result is of no interest.
void freeHeldMemory(uint16_t device, const HeldMemory& memory);

// The driver record's buffer-descriptor list of a block (nullptr if none).
DaqBufferDescriptor* descriptorList(const RequestBlock& block, uint32_t kind);

}  // namespace morva::halvex
