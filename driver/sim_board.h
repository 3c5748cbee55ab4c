#pragma once
// The simulated A/D board behind the driver entries of libddrive32: open
// devices, request memory in low memory, requests with their events, and the
// acquisition that fills the buffers from the simulated recorder.
//
// One board object per process, never destroyed (a library unloading after it
// may still hand memory back). All state is guarded by one lock, which is
// never held while an event procedure runs.

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bridge/daq_records.h"
#include "bridge/ddrive32_api.h"
#include "driver/board_config.h"
#include "driver/delivery_worker.h"

namespace morva::sim {

// Request memory: the request record, its channel and gain lists, the
// descriptor list and the buffers, all below 4 GiB.
struct RequestMemory {
    uint32_t memoryId = 0;
    uint16_t device = 0;
    uint32_t kind = 0;
    uint16_t channelCount = 0;
    uint16_t bufferCount = 0;
    uint32_t bufferSize = 0;
    uint16_t bytesPerSample = 1;
    void* record = nullptr;
    void* channelList = nullptr;
    void* gainList = nullptr;
    DaqBufferDescriptor* descriptors = nullptr;
    std::vector<void*> buffers;
    uint16_t request = 0;  // the live request that uses it (0 = none)
};

enum class RequestState { Submitted, Armed, Running, Done, Stopped, Failed };

struct Request {
    uint16_t handle = 0;
    uint16_t device = 0;
    uint32_t memoryId = 0;
    uint32_t kind = 0;
    RequestState state = RequestState::Submitted;
    // Bumped by stop, reset, user break and release: work scheduled for an
    // older generation does nothing.
    uint64_t generation = 0;
    DaqEventProcedure procedure = nullptr;
    uint32_t mask = 0;
    uint32_t runtimeError = 0;
    // Taken from the record at submission.
    double rate = 0;
    uint32_t samples = 0;
    std::vector<uint16_t> channels;
    std::vector<float> gains;
    // Set when armed.
    int64_t revolution = 0;
    double duration = 0;
    bool started = false;
    // Threads inside an event procedure of this request right now.
    std::vector<std::thread::id> callers;
    bool released = false;
};

struct Device {
    uint16_t handle = 0;
    std::string configPath;
    BoardConfig config;
    std::vector<int32_t> analogOutputs;
    std::vector<uint32_t> digitalPorts;
    std::unique_ptr<DeliveryWorker> worker;  // real-time mode only
};

class SimBoard {
  public:
    static SimBoard& instance();

    // Devices and configuration records.
    uint16_t openDevice(uint16_t* device, const char* deviceType, const char* configPath);
    uint16_t closeDevice(uint16_t device);
    uint16_t resetDevice(uint16_t device);
    uint16_t deviceInfo(uint16_t device, void* record);
    uint16_t analogInputInfo(uint16_t device, uint16_t subsystem, void* record);
    uint16_t analogOutputInfo(uint16_t device, uint16_t subsystem, void* record);
    uint16_t digitalInfo(uint16_t device, uint16_t subsystem, void* record);
    uint16_t gainInfo(uint16_t device, uint16_t subsystem, bool input, void* record);

    // Request memory.
    uint16_t allocate(uint16_t device, DaqAllocRecord* record);
    uint16_t freeMemory(uint16_t device, uint32_t memoryId);

    // Requests.
    uint16_t submit(uint16_t device, uint32_t kind, void* record, uint16_t* handle);
    uint16_t notify(uint16_t request, DaqEventProcedure procedure, uint32_t mask);
    uint16_t arm(uint16_t request);
    uint16_t trigger(uint16_t request);
    uint16_t stop(uint16_t request);
    uint16_t release(uint16_t request);
    uint16_t runtimeError(uint16_t request, uint32_t* code);
    uint16_t postMessage(uint16_t request, uint32_t value, uint16_t value2);
    uint16_t userBreak(uint16_t request, uint32_t value);
    uint16_t checkBuffer(uint16_t request, uint32_t buffer);

    // Single values.
    uint16_t readAnalog(uint16_t device, uint16_t channel, float gain, int32_t* count);
    uint16_t writeAnalog(uint16_t device, uint16_t channel, int32_t count);
    uint16_t readDigital(uint16_t device, uint16_t port, uint32_t* value);
    uint16_t writeDigital(uint16_t device, uint16_t port, uint32_t value);
    uint16_t countToVolts(uint16_t device, uint16_t channel, int32_t count, float gain, float* volts);

    // Test hooks: what is open and alive now, and how often a close or a
    // free had to clean up what its caller left behind.
    uint32_t openDeviceCount();
    uint32_t liveRequestCount();
    uint32_t allocatedMemoryCount();
    uint32_t forcedCleanupCount();

  private:
    using Lock = std::unique_lock<std::mutex>;

    SimBoard() = default;

    Device* findDevice(uint16_t handle);
    std::shared_ptr<Request> findRequest(uint16_t handle);
    RequestMemory* memoryOf(const Request& request);
    uint16_t newDeviceHandle();
    uint16_t newRequestHandle();

    void releaseLocked(Lock& lock, const std::shared_ptr<Request>& request);
    void freeMemoryLocked(uint32_t memoryId);
    void setStatus(const Request& request, uint32_t status);
    uint32_t status(const Request& request);
    void stopLocked(Request& request);

    // One event: the status is brought up to date by `update` (under the
    // lock), then the request's procedure is called if its mask selects the
    // code. False when the request is gone or its generation is over.
    template <typename Update>
    bool deliver(const std::shared_ptr<Request>& request, uint64_t generation, uint16_t code, uint16_t data,
                 Update update);
    void start(const std::shared_ptr<Request>& request, uint64_t generation, double delaySeconds);
    void complete(const std::shared_ptr<Request>& request, uint64_t generation);
    // Fills (input) or drains (output) the buffers; false on an overrun.
    bool transfer(Request& request, RequestMemory& memory, Device& device, std::vector<uint16_t>* buffers);

    std::mutex mutex_;
    std::condition_variable callbacksDone_;
    std::map<uint16_t, Device> devices_;
    std::map<uint32_t, RequestMemory> memories_;
    std::map<uint16_t, std::shared_ptr<Request>> requests_;
    std::map<std::string, double> tapeClocks_;  // seconds of tape play, per configuration file
    uint16_t lastDevice_ = 0;
    uint16_t lastRequest_ = 0;
    uint32_t lastMemoryId_ = 0x100;
    uint32_t forcedCleanups_ = 0;
};

}  // namespace morva::sim
