// Devices, their configuration records and request memory.

#include "driver/sim_board.h"

#include <cstring>

#include "bridge/low_memory.h"
#include "driver/sim_codes.h"

namespace morva::sim {

namespace {

template <typename T>
void put(void* record, size_t offset, T value) {
    std::memcpy(static_cast<uint8_t*>(record) + offset, &value, sizeof value);
}

constexpr uint16_t kBoardId = 0x5344;  // "DS"
constexpr uint16_t kCounterTimers = 1;
// Request kind 4: a counter/timer request. The board allocates its memory
// (a short record) but has no submission for it.
constexpr uint32_t kKindCounterTimer = 4;
constexpr uint16_t kMaxBuffers = 64;
constexpr uint32_t kMaxBufferSize = 16u << 20;

int32_t maximumCount(int bits) {
    return bits >= 32 ? INT32_MAX : static_cast<int32_t>((int64_t{1} << (bits - 1)) - 1);
}

}  // namespace

SimBoard& SimBoard::instance() {
    static SimBoard* board = new SimBoard();
    return *board;
}

Device* SimBoard::findDevice(uint16_t handle) {
    const auto it = devices_.find(handle);
    return handle != 0 && it != devices_.end() ? &it->second : nullptr;
}

std::shared_ptr<Request> SimBoard::findRequest(uint16_t handle) {
    const auto it = requests_.find(handle);
    return it != requests_.end() ? it->second : nullptr;
}

RequestMemory* SimBoard::memoryOf(const Request& request) {
    const auto it = memories_.find(request.memoryId);
    return it != memories_.end() ? &it->second : nullptr;
}

uint16_t SimBoard::newDeviceHandle() {
    do {
        ++lastDevice_;
    } while (lastDevice_ == 0 || devices_.count(lastDevice_) != 0);
    return lastDevice_;
}

uint16_t SimBoard::newRequestHandle() {
    do {
        ++lastRequest_;
    } while (lastRequest_ == 0 || requests_.count(lastRequest_) != 0);
    return lastRequest_;
}

uint16_t SimBoard::openDevice(uint16_t* device, const char* deviceType, const char* configPath) {
    if (device == nullptr || configPath == nullptr) return kSimBadArgument;
    std::string error;
    std::optional<BoardConfig> config = readBoardConfig(configPath, &error);
    if (!config) return error.rfind("cannot read", 0) == 0 ? kSimConfigMissing : kSimConfigInvalid;
    if (!config->deviceType.empty() && (deviceType == nullptr || config->deviceType != deviceType))
        return kSimWrongDeviceType;
    if (config->failOpen != 0) return config->failOpen;

    Lock lock(mutex_);
    if (devices_.size() >= static_cast<size_t>(kSimMaxDevices)) return kSimTooManyDevices;
    const uint16_t handle = newDeviceHandle();
    Device& entry = devices_[handle];
    entry.handle = handle;
    entry.configPath = configPath;
    entry.config = std::move(*config);
    entry.analogOutputs.assign(static_cast<size_t>(entry.config.daChannels), 0);
    entry.digitalPorts.assign(static_cast<size_t>(entry.config.digitalPorts), 0);
    if (entry.config.timing == Timing::RealTime) entry.worker = std::make_unique<DeliveryWorker>();
    // The tape keeps playing while the board is closed: the clock of a
    // configuration starts once, at its first open.
    tapeClocks_.try_emplace(entry.configPath, entry.config.clockStart);
    *device = handle;
    return kDaqOk;
}

uint16_t SimBoard::closeDevice(uint16_t device) {
    std::unique_ptr<DeliveryWorker> worker;
    {
        Lock lock(mutex_);
        Device* entry = findDevice(device);
        if (entry == nullptr) return kSimBadDevice;
        // Its own thread cannot wait for itself to end.
        if (entry->worker && entry->worker->onWorkerThread()) return kSimBadState;
        std::vector<std::shared_ptr<Request>> left;
        for (const auto& [handle, request] : requests_) {
            if (request->device == device) left.push_back(request);
        }
        for (const auto& request : left) {
            ++forcedCleanups_;
            releaseLocked(lock, request);
        }
        std::vector<uint32_t> memory;
        for (const auto& [id, block] : memories_) {
            if (block.device == device) memory.push_back(id);
        }
        for (uint32_t id : memory) {
            ++forcedCleanups_;
            freeMemoryLocked(id);
        }
        entry = findDevice(device);
        if (entry != nullptr) {
            worker = std::move(entry->worker);
            devices_.erase(device);
        }
    }
    if (worker) worker->stop();
    return kDaqOk;
}

uint16_t SimBoard::deviceInfo(uint16_t device, void* record) {
    Lock lock(mutex_);
    const Device* entry = findDevice(device);
    if (entry == nullptr) return kSimBadDevice;
    if (record == nullptr) return kSimBadArgument;
    const BoardConfig& c = entry->config;
    std::memset(record, 0, kDaqDeviceCfgInfoSize);
    put<uint16_t>(record, 0, kBoardId);
    put<uint16_t>(record, 2, static_cast<uint16_t>(c.channels));
    put<uint32_t>(record, 4, static_cast<uint32_t>(c.maxSamplingRate));
    put<uint16_t>(record, kDaqDeviceCfgADCountOffset, static_cast<uint16_t>(c.adSubsystems));
    put<uint16_t>(record, kDaqDeviceCfgDACountOffset, static_cast<uint16_t>(c.daSubsystems));
    put<uint16_t>(record, 12, static_cast<uint16_t>(c.digitalPorts > 0 ? 1 : 0));
    put<uint16_t>(record, 14, kCounterTimers);
    return kDaqOk;
}

// A/D sub-system record: resolution in bits, channels, highest rate, the
// lowest and highest count, the input range in volts (+-10) and the count of
// +10 V.
uint16_t SimBoard::analogInputInfo(uint16_t device, uint16_t subsystem, void* record) {
    Lock lock(mutex_);
    const Device* entry = findDevice(device);
    if (entry == nullptr) return kSimBadDevice;
    const BoardConfig& c = entry->config;
    if (subsystem >= c.adSubsystems) return kSimNotSupported;
    if (record == nullptr) return kSimBadArgument;
    std::memset(record, 0, kDaqSubsystemCfgInfoSize);
    put<uint16_t>(record, 0, static_cast<uint16_t>(c.resolutionBits));
    put<uint16_t>(record, 2, static_cast<uint16_t>(c.channels));
    put<uint32_t>(record, 4, static_cast<uint32_t>(c.maxSamplingRate));
    put<int32_t>(record, 8, -maximumCount(c.resolutionBits) - 1);
    put<int32_t>(record, 12, maximumCount(c.resolutionBits));
    put<float>(record, 16, 10.0f);
    put<uint32_t>(record, 20, static_cast<uint32_t>(c.fullScaleCount));
    return kDaqOk;
}

// D/A sub-system record: resolution in bits, channels.
uint16_t SimBoard::analogOutputInfo(uint16_t device, uint16_t subsystem, void* record) {
    Lock lock(mutex_);
    const Device* entry = findDevice(device);
    if (entry == nullptr) return kSimBadDevice;
    const BoardConfig& c = entry->config;
    if (subsystem >= c.daSubsystems) return kSimNotSupported;
    if (record == nullptr) return kSimBadArgument;
    std::memset(record, 0, kDaqSubsystemCfgInfoSize);
    put<uint16_t>(record, 0, static_cast<uint16_t>(c.daResolutionBits));
    put<uint16_t>(record, 2, static_cast<uint16_t>(c.daChannels));
    return kDaqOk;
}

// Digital I/O record: ports, bits per port.
uint16_t SimBoard::digitalInfo(uint16_t device, uint16_t subsystem, void* record) {
    Lock lock(mutex_);
    const Device* entry = findDevice(device);
    if (entry == nullptr) return kSimBadDevice;
    if (entry->config.digitalPorts == 0 || subsystem != 0) return kSimNotSupported;
    if (record == nullptr) return kSimBadArgument;
    put<uint16_t>(record, 0, static_cast<uint16_t>(entry->config.digitalPorts));
    put<uint16_t>(record, 2, 32);
    return kDaqOk;
}

// Gain record: the number of gains, then the gains as singles.
uint16_t SimBoard::gainInfo(uint16_t device, uint16_t subsystem, bool input, void* record) {
    Lock lock(mutex_);
    const Device* entry = findDevice(device);
    if (entry == nullptr) return kSimBadDevice;
    if (subsystem >= (input ? entry->config.adSubsystems : entry->config.daSubsystems))
        return kSimNotSupported;
    if (record == nullptr) return kSimBadArgument;
    static constexpr float kInputGains[] = {1.0f, 2.0f, 4.0f, 8.0f};
    const uint16_t count = input ? 4 : 1;
    put<uint16_t>(record, 0, count);
    for (uint16_t i = 0; i < count; ++i)
        put<float>(record, 4 + 4 * i, kInputGains[i]);
    return kDaqOk;
}

uint16_t SimBoard::allocate(uint16_t device, DaqAllocRecord* record) {
    Lock lock(mutex_);
    const Device* entry = findDevice(device);
    if (entry == nullptr) return kSimBadDevice;
    if (record == nullptr) return kSimBadArgument;
    const BoardConfig& c = entry->config;
    if (c.failAllocate != 0) return c.failAllocate;
    const uint32_t kind = record->requestKind;
    const bool supported = kind == kDaqKindAnalogInput     ? c.adSubsystems > 0
                           : kind == kDaqKindAnalogOutput  ? c.daSubsystems > 0
                           : kind == kDaqKindDigitalInput  ? c.digitalPorts > 0
                           : kind == kDaqKindDigitalOutput ? c.digitalPorts > 0
                                                           : kind == kKindCounterTimer;
    if (kind > kKindCounterTimer) return kSimBadArgument;
    if (!supported) return kSimNotSupported;
    const int channels = kind == kDaqKindAnalogInput    ? c.channels
                         : kind == kDaqKindAnalogOutput ? c.daChannels
                                                        : std::max(c.digitalPorts, 1);
    if (record->channelCount < 1 || record->channelCount > channels) return kSimBadArgument;
    if (record->bufferCount < 1 || record->bufferCount > kMaxBuffers) return kSimBadArgument;
    if (record->bufferSize < 1 || record->bufferSize > kMaxBufferSize) return kSimBadArgument;

    RequestMemory memory;
    memory.device = device;
    memory.kind = kind;
    memory.channelCount = static_cast<uint16_t>(record->channelCount);
    memory.bufferCount = record->bufferCount;
    memory.bufferSize = record->bufferSize;
    memory.bytesPerSample = kind == kDaqKindAnalogInput    ? daqBytesPerSample(c.resolutionBits)
                            : kind == kDaqKindAnalogOutput ? daqBytesPerSample(c.daResolutionBits)
                                                           : 1;
    const bool ad = kind == kDaqKindAnalogInput;
    memory.record = lowMemoryAllocate(ad ? sizeof(DaqADRequestRecord) : sizeof(DaqRequestRecord));
    memory.channelList = lowMemoryAllocate(memory.channelCount * sizeof(uint16_t));
    memory.gainList = ad ? lowMemoryAllocate(memory.channelCount * sizeof(float)) : nullptr;
    memory.descriptors = static_cast<DaqBufferDescriptor*>(
        lowMemoryAllocate(memory.bufferCount * sizeof(DaqBufferDescriptor)));
    bool complete = memory.record && memory.channelList && memory.descriptors && (!ad || memory.gainList);
    for (uint16_t i = 0; complete && i < memory.bufferCount; ++i) {
        memory.buffers.push_back(lowMemoryAllocate(memory.bufferSize));
        complete = memory.buffers.back() != nullptr;
    }
    if (!complete) {
        lowMemoryFree(memory.record);
        lowMemoryFree(memory.channelList);
        lowMemoryFree(memory.gainList);
        lowMemoryFree(memory.descriptors);
        for (void* buffer : memory.buffers)
            lowMemoryFree(buffer);
        return kSimNoLowMemory;
    }
    do {
        ++lastMemoryId_;
    } while (lastMemoryId_ == 0 || memories_.count(lastMemoryId_) != 0);
    memory.memoryId = lastMemoryId_;

    for (uint16_t i = 0; i < memory.bufferCount; ++i) {
        DaqBufferDescriptor& d = memory.descriptors[i];
        d.dataAddress = daqLowAddress(memory.buffers[i]);
        d.sampleCount = memory.bufferSize / memory.bytesPerSample;
        daqStoreFlag(d, kDaqBufferFree);
    }
    if (ad) {
        auto* r = static_cast<DaqADRequestRecord*>(memory.record);
        r->channelListAddress = daqLowAddress(memory.channelList);
        r->gainListAddress = daqLowAddress(memory.gainList);
        r->driver08 = memory.memoryId;
        r->channelCount = memory.channelCount;
        r->driver18 = memory.bufferCount;
        r->bufferListAddress = daqLowAddress(memory.descriptors);
        r->driver24 = memory.bufferSize;
    } else {
        auto* r = static_cast<DaqRequestRecord*>(memory.record);
        r->channelListAddress = daqLowAddress(memory.channelList);
        r->driver08 = memory.memoryId;
        r->channelCount = memory.channelCount;
        r->driver14 = memory.bufferCount;
        r->bufferListAddress = daqLowAddress(memory.descriptors);
        r->driver20 = memory.bufferSize;
    }
    record->requestRecordAddress = daqLowAddress(memory.record);
    record->memoryId = memory.memoryId;
    memories_.emplace(memory.memoryId, std::move(memory));
    return kDaqOk;
}

uint16_t SimBoard::freeMemory(uint16_t device, uint32_t memoryId) {
    Lock lock(mutex_);
    if (findDevice(device) == nullptr) return kSimBadDevice;
    const auto it = memories_.find(memoryId);
    if (it == memories_.end() || it->second.device != device) return kSimBadMemoryId;
    // Memory of a request still alive: the request goes first.
    if (const auto request = findRequest(it->second.request)) {
        ++forcedCleanups_;
        releaseLocked(lock, request);
    }
    freeMemoryLocked(memoryId);
    return kDaqOk;
}

void SimBoard::freeMemoryLocked(uint32_t memoryId) {
    const auto it = memories_.find(memoryId);
    if (it == memories_.end()) return;
    RequestMemory& memory = it->second;
    lowMemoryFree(memory.record);
    lowMemoryFree(memory.channelList);
    lowMemoryFree(memory.gainList);
    lowMemoryFree(memory.descriptors);
    for (void* buffer : memory.buffers)
        lowMemoryFree(buffer);
    memories_.erase(it);
}

uint32_t SimBoard::openDeviceCount() {
    Lock lock(mutex_);
    return static_cast<uint32_t>(devices_.size());
}

uint32_t SimBoard::liveRequestCount() {
    Lock lock(mutex_);
    return static_cast<uint32_t>(requests_.size());
}

uint32_t SimBoard::allocatedMemoryCount() {
    Lock lock(mutex_);
    return static_cast<uint32_t>(memories_.size());
}

uint32_t SimBoard::forcedCleanupCount() {
    Lock lock(mutex_);
    return forcedCleanups_;
}

}  // namespace morva::sim
