#pragma once
// The records that cross the A/D library boundary, shared by the main
// program (io/), the bridge library halvex (bridge/) and the board driver
// (driver/). Layouts are byte-exact and little-endian, as the driver lays them
// out: every offset is checked below. Every address held in a record field is
// 32 bits wide, so whatever such a field points to lives below 4 GiB (see
// bridge/low_memory.h); addresses passed as function arguments are
// pointer-width.
//
// Also here: the request kinds, the request status bits and event codes the
// driver reports, the bridge's own result codes, and the helpers that turn a
// 32-bit field into a pointer and back without ever truncating one.

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace morva {

// ---------------------------------------------------------------- kinds

// Request kinds: the 32-bit value at offset 0 of the allocation record.
inline constexpr uint32_t kDaqKindAnalogInput = 0;    // A/D request record
inline constexpr uint32_t kDaqKindAnalogOutput = 1;   // short request record
inline constexpr uint32_t kDaqKindDigitalInput = 2;   // short request record
inline constexpr uint32_t kDaqKindDigitalOutput = 3;  // short request record
inline constexpr int kDaqKindCount = 4;

// ---------------------------------------------------------------- result codes

inline constexpr uint16_t kDaqOk = 0;
// The bridge's own codes; every other non-zero code is the driver's.
inline constexpr uint16_t kDaqErrNoDevice = 100;  // handle 0, or no open device with that handle
inline constexpr uint16_t kDaqErrNoEntry =
    120;  // no free device entry / no memory for the kind / unknown kind
inline constexpr uint16_t kDaqErrNoRequest =
    150;  // no active request (of the right direction) with that handle
inline constexpr uint16_t kDaqErrBadArgument = 160;    // a required address is 0, a buffer index out of range
inline constexpr uint16_t kDaqErrUnknownMemory = 310;  // the memory identifier matches no kind of the device
inline constexpr uint16_t kDaqErrRequestActive = 810;  // a request of that kind is still active

// ---------------------------------------------------------------- status and events

// Bits of the 32-bit request status the driver keeps in its request record
// and the bridge copies into the caller's record at every event.
inline constexpr uint32_t kDaqStatusArmed = 0x00000001u;
inline constexpr uint32_t kDaqStatusDone = 0x00000002u;  // the acquisition has filled its buffers
inline constexpr uint32_t kDaqStatusTriggered = 0x00000004u;
inline constexpr uint32_t kDaqStatusStopped = 0x00000008u;
inline constexpr uint32_t kDaqStatusError = 0x80000000u;  // run-time error: DaqGetRuntimeError gives the code

// Event codes the driver passes to an event procedure; bit (code mod 32) of
// an event mask selects the code.
inline constexpr uint16_t kDaqEventArmed = 1;
inline constexpr uint16_t kDaqEventTriggered = 2;
inline constexpr uint16_t kDaqEventBufferDone = 3;  // data = buffer index
inline constexpr uint16_t kDaqEventRequestDone = 4;
inline constexpr uint16_t kDaqEventStopped = 5;
inline constexpr uint16_t kDaqEventRuntimeError = 31;  // data = low 16 bits of the error code

// Buffer flags (offset 0 of a buffer descriptor).
inline constexpr uint16_t kDaqBufferFilledByCaller = 1;  // output data written by the caller
inline constexpr uint16_t kDaqBufferFree = 2;            // free for the driver
inline constexpr uint16_t kDaqBufferFilledByDriver = 4;  // input data delivered by the driver

// ---------------------------------------------------------------- records

// Allocation record (24 bytes): what to allocate, and the two outputs.
struct DaqAllocRecord {
    uint32_t requestKind;           // 0: kDaqKind...
    int16_t channelCount;           // 4
    uint16_t bufferCount;           // 6: the bridge initialises this many descriptors
    uint32_t bufferSize;            // 8: bytes of one buffer
    int32_t driverParameter;        // 12: passed to the driver unchanged
    uint32_t requestRecordAddress;  // 16: out: the driver's request record
    uint32_t memoryId;              // 20: out: request memory identifier
};

// A/D request record (120 bytes). Fields named fieldNN carry values the
// caller passes through (the main program sets them to 0); driverNN fields
// belong to the driver and are never copied.
struct alignas(8) DaqADRequestRecord {
    uint32_t channelListAddress;  // 0: 16-bit channel numbers
    uint32_t gainListAddress;     // 4: 32-bit gains
    uint32_t driver08;
    uint32_t driver12;
    uint16_t channelCount;  // 16: set by the driver at allocation
    uint16_t driver18;
    uint32_t bufferListAddress;  // 20: buffer descriptors, driver memory
    uint32_t driver24;
    uint32_t driver28;
    uint16_t triggerType;  // 32
    uint16_t field34;
    uint16_t triggerSlope;  // 36
    uint16_t field38;
    uint32_t field40;
    uint32_t field44;
    uint32_t field48;
    uint32_t driver52;
    uint32_t driver56;
    uint16_t ioMode;  // 60
    uint16_t field62;
    uint32_t field64;
    uint32_t field68;
    double samplingRate;  // 72: samples per second and channel
    uint32_t driver80;
    uint32_t driver84;
    uint32_t samplesPerChannel;  // 88
    uint32_t field92;
    uint8_t driver96[16];
    uint16_t field112;
    uint16_t field114;
    uint32_t status;  // 116
};

// Short request record (116 bytes) for D/A output, digital input and digital
// output: the A/D layout without the gain-list address, so every later field
// sits 4 bytes earlier. The sampling rate is a double stored as two 32-bit
// halves at 68 and 72 (unaligned for a double).
struct alignas(4) DaqRequestRecord {
    uint32_t channelListAddress;  // 0
    uint32_t driver04;
    uint32_t driver08;
    uint16_t channelCount;  // 12
    uint16_t driver14;
    uint32_t bufferListAddress;  // 16
    uint32_t driver20;
    uint32_t driver24;
    uint16_t triggerType;  // 28
    uint16_t field30;
    uint16_t triggerSlope;  // 32
    uint16_t field34;
    uint32_t field36;
    uint32_t field40;
    uint32_t field44;
    uint32_t driver48;
    uint32_t driver52;
    uint16_t ioMode;  // 56
    uint16_t field58;
    uint32_t field60;
    uint32_t field64;
    uint32_t samplingRateLow;   // 68: low half of the double
    uint32_t samplingRateHigh;  // 72: high half
    uint32_t driver76;
    uint32_t driver80;
    uint32_t samplesPerChannel;  // 84
    uint32_t field88;
    uint8_t driver92[16];
    uint16_t field108;
    uint16_t field110;  // copied at submission for D/A output only
    uint32_t status;    // 112
};

// Buffer descriptor (20 bytes); a request record points to an array of them.
struct DaqBufferDescriptor {
    uint16_t flag;  // 0: kDaqBuffer...
    uint16_t driver02;
    uint32_t dataAddress;  // 4: the buffer's data, driver memory
    uint32_t sampleCount;  // 8: buffer size / bytes per sample
    uint32_t writeCount;   // 12: count given with the last buffer write
    uint32_t driver16;
};

static_assert(sizeof(DaqAllocRecord) == 24);
static_assert(offsetof(DaqAllocRecord, requestKind) == 0);
static_assert(offsetof(DaqAllocRecord, channelCount) == 4);
static_assert(offsetof(DaqAllocRecord, bufferCount) == 6);
static_assert(offsetof(DaqAllocRecord, bufferSize) == 8);
static_assert(offsetof(DaqAllocRecord, driverParameter) == 12);
static_assert(offsetof(DaqAllocRecord, requestRecordAddress) == 16);
static_assert(offsetof(DaqAllocRecord, memoryId) == 20);

static_assert(sizeof(DaqADRequestRecord) == 120);
static_assert(offsetof(DaqADRequestRecord, channelListAddress) == 0);
static_assert(offsetof(DaqADRequestRecord, gainListAddress) == 4);
static_assert(offsetof(DaqADRequestRecord, driver08) == 8);
static_assert(offsetof(DaqADRequestRecord, driver12) == 12);
static_assert(offsetof(DaqADRequestRecord, channelCount) == 16);
static_assert(offsetof(DaqADRequestRecord, driver18) == 18);
static_assert(offsetof(DaqADRequestRecord, bufferListAddress) == 20);
static_assert(offsetof(DaqADRequestRecord, driver24) == 24);
static_assert(offsetof(DaqADRequestRecord, driver28) == 28);
static_assert(offsetof(DaqADRequestRecord, triggerType) == 32);
static_assert(offsetof(DaqADRequestRecord, field34) == 34);
static_assert(offsetof(DaqADRequestRecord, triggerSlope) == 36);
static_assert(offsetof(DaqADRequestRecord, field38) == 38);
static_assert(offsetof(DaqADRequestRecord, field40) == 40);
static_assert(offsetof(DaqADRequestRecord, field44) == 44);
static_assert(offsetof(DaqADRequestRecord, field48) == 48);
static_assert(offsetof(DaqADRequestRecord, driver52) == 52);
static_assert(offsetof(DaqADRequestRecord, driver56) == 56);
static_assert(offsetof(DaqADRequestRecord, ioMode) == 60);
static_assert(offsetof(DaqADRequestRecord, field62) == 62);
static_assert(offsetof(DaqADRequestRecord, field64) == 64);
static_assert(offsetof(DaqADRequestRecord, field68) == 68);
static_assert(offsetof(DaqADRequestRecord, samplingRate) == 72);
static_assert(offsetof(DaqADRequestRecord, driver80) == 80);
static_assert(offsetof(DaqADRequestRecord, driver84) == 84);
static_assert(offsetof(DaqADRequestRecord, samplesPerChannel) == 88);
static_assert(offsetof(DaqADRequestRecord, field92) == 92);
static_assert(offsetof(DaqADRequestRecord, driver96) == 96);
static_assert(offsetof(DaqADRequestRecord, field112) == 112);
static_assert(offsetof(DaqADRequestRecord, field114) == 114);
static_assert(offsetof(DaqADRequestRecord, status) == 116);

static_assert(sizeof(DaqRequestRecord) == 116);
static_assert(offsetof(DaqRequestRecord, channelListAddress) == 0);
static_assert(offsetof(DaqRequestRecord, driver04) == 4);
static_assert(offsetof(DaqRequestRecord, driver08) == 8);
static_assert(offsetof(DaqRequestRecord, channelCount) == 12);
static_assert(offsetof(DaqRequestRecord, driver14) == 14);
static_assert(offsetof(DaqRequestRecord, bufferListAddress) == 16);
static_assert(offsetof(DaqRequestRecord, driver20) == 20);
static_assert(offsetof(DaqRequestRecord, driver24) == 24);
static_assert(offsetof(DaqRequestRecord, triggerType) == 28);
static_assert(offsetof(DaqRequestRecord, field30) == 30);
static_assert(offsetof(DaqRequestRecord, triggerSlope) == 32);
static_assert(offsetof(DaqRequestRecord, field34) == 34);
static_assert(offsetof(DaqRequestRecord, field36) == 36);
static_assert(offsetof(DaqRequestRecord, field40) == 40);
static_assert(offsetof(DaqRequestRecord, field44) == 44);
static_assert(offsetof(DaqRequestRecord, driver48) == 48);
static_assert(offsetof(DaqRequestRecord, driver52) == 52);
static_assert(offsetof(DaqRequestRecord, ioMode) == 56);
static_assert(offsetof(DaqRequestRecord, field58) == 58);
static_assert(offsetof(DaqRequestRecord, field60) == 60);
static_assert(offsetof(DaqRequestRecord, field64) == 64);
static_assert(offsetof(DaqRequestRecord, samplingRateLow) == 68);
static_assert(offsetof(DaqRequestRecord, samplingRateHigh) == 72);
static_assert(offsetof(DaqRequestRecord, driver76) == 76);
static_assert(offsetof(DaqRequestRecord, driver80) == 80);
static_assert(offsetof(DaqRequestRecord, samplesPerChannel) == 84);
static_assert(offsetof(DaqRequestRecord, field88) == 88);
static_assert(offsetof(DaqRequestRecord, driver92) == 92);
static_assert(offsetof(DaqRequestRecord, field108) == 108);
static_assert(offsetof(DaqRequestRecord, field110) == 110);
static_assert(offsetof(DaqRequestRecord, status) == 112);

static_assert(sizeof(DaqBufferDescriptor) == 20);
static_assert(offsetof(DaqBufferDescriptor, flag) == 0);
static_assert(offsetof(DaqBufferDescriptor, dataAddress) == 4);
static_assert(offsetof(DaqBufferDescriptor, sampleCount) == 8);
static_assert(offsetof(DaqBufferDescriptor, writeCount) == 12);
static_assert(offsetof(DaqBufferDescriptor, driver16) == 16);

// Configuration records the driver fills: the device record (at most 16
// bytes) carries the A/D and D/A sub-system counts; a sub-system record (at
// most 52 bytes) starts with the converter resolution in bits.
inline constexpr size_t kDaqDeviceCfgInfoSize = 16;
inline constexpr size_t kDaqDeviceCfgADCountOffset = 8;
inline constexpr size_t kDaqDeviceCfgDACountOffset = 10;
inline constexpr size_t kDaqSubsystemCfgInfoSize = 52;

// Bytes one sample of a converter takes in a buffer.
constexpr uint16_t daqBytesPerSample(uint16_t resolutionBits) {
    return resolutionBits <= 8 ? 1 : resolutionBits <= 16 ? 2 : 4;
}

// ---------------------------------------------------------------- addresses

// The 32-bit form of an address, or 0 when the address lies at or above
// 4 GiB: a pointer is never truncated.
inline uint32_t daqLowAddress(const void* pointer) {
    const auto value = reinterpret_cast<uintptr_t>(pointer);
    return value <= UINT32_MAX ? static_cast<uint32_t>(value) : 0;
}

// The pointer a 32-bit record field holds (nullptr for 0).
template <typename T>
T* daqPointer(uint32_t address) {
    return reinterpret_cast<T*>(static_cast<uintptr_t>(address));
}

// ---------------------------------------------------------------- status access

// The status field is written on the driver's thread and polled on the
// caller's: every access goes through these (acquire/release), so data the
// driver wrote before setting a bit is visible once the bit is seen. Records
// are naturally aligned (the bridge refuses a misaligned caller record).
inline uint32_t daqLoadStatus(const uint32_t& field) {
    return std::atomic_ref<uint32_t>(const_cast<uint32_t&>(field)).load(std::memory_order_acquire);
}

inline void daqStoreStatus(uint32_t& field, uint32_t value) {
    std::atomic_ref<uint32_t>(field).store(value, std::memory_order_release);
}

// A buffer flag is read and written on both sides of the boundary too.
inline uint16_t daqLoadFlag(const DaqBufferDescriptor& descriptor) {
    return std::atomic_ref<uint16_t>(const_cast<uint16_t&>(descriptor.flag)).load(std::memory_order_acquire);
}

inline void daqStoreFlag(DaqBufferDescriptor& descriptor, uint16_t value) {
    std::atomic_ref<uint16_t>(descriptor.flag).store(value, std::memory_order_release);
}

// The status of a request record of either layout, by kind.
inline uint32_t& daqStatusField(void* record, uint32_t kind) {
    return kind == kDaqKindAnalogInput ? static_cast<DaqADRequestRecord*>(record)->status
                                       : static_cast<DaqRequestRecord*>(record)->status;
}

}  // namespace morva
