// Requests: submission, arming, the acquisition and its events, stop,
// release.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "driver/sample_format.h"
#include "driver/sim_board.h"
#include "driver/sim_codes.h"

namespace morva::sim {

namespace {

bool onlyThisThread(const Request& request) {
    const auto self = std::this_thread::get_id();
    return std::all_of(request.callers.begin(), request.callers.end(),
                       [self](std::thread::id id) { return id == self; });
}

bool isActive(RequestState state) {
    return state == RequestState::Armed || state == RequestState::Running;
}

}  // namespace

uint32_t SimBoard::status(const Request& request) {
    const RequestMemory* memory = memoryOf(request);
    return memory ? daqLoadStatus(daqStatusField(memory->record, memory->kind)) : 0;
}

void SimBoard::setStatus(const Request& request, uint32_t value) {
    if (RequestMemory* memory = memoryOf(request))
        daqStoreStatus(daqStatusField(memory->record, memory->kind), value);
}

void SimBoard::stopLocked(Request& request) {
    ++request.generation;
    request.state = RequestState::Stopped;
    setStatus(request, (status(request) & ~kDaqStatusArmed) | kDaqStatusStopped);
}

void SimBoard::releaseLocked(Lock& lock, const std::shared_ptr<Request>& request) {
    request->released = true;
    ++request->generation;
    requests_.erase(request->handle);
    if (RequestMemory* memory = memoryOf(*request)) memory->request = 0;
    // No event procedure of this request may still be running when the
    // caller frees what it writes into; one that released from inside its
    // own event procedure is not waited for.
    callbacksDone_.wait(lock, [&] { return onlyThisThread(*request); });
}

template <typename Update>
bool SimBoard::deliver(const std::shared_ptr<Request>& request, uint64_t generation, uint16_t code,
                       uint16_t data, Update update) {
    DaqEventProcedure procedure;
    {
        Lock lock(mutex_);
        if (request->released || request->generation != generation) return false;
        update(*request);
        procedure = request->procedure;
        if (procedure == nullptr || ((request->mask >> (code % 32u)) & 1u) == 0) return true;
        request->callers.push_back(std::this_thread::get_id());
    }
    procedure(request->handle, code, data);
    {
        Lock lock(mutex_);
        auto& callers = request->callers;
        callers.erase(std::find(callers.begin(), callers.end(), std::this_thread::get_id()));
    }
    callbacksDone_.notify_all();
    return true;
}

uint16_t SimBoard::submit(uint16_t device, uint32_t kind, void* record, uint16_t* handle) {
    Lock lock(mutex_);
    const Device* entry = findDevice(device);
    if (entry == nullptr) return kSimBadDevice;
    if (record == nullptr || handle == nullptr) return kSimBadArgument;
    const auto found = std::find_if(memories_.begin(), memories_.end(), [&](const auto& m) {
        return m.second.record == record && m.second.device == device && m.second.kind == kind;
    });
    if (found == memories_.end()) return kSimBadArgument;
    RequestMemory& memory = found->second;
    if (memory.request != 0) return kSimBadState;
    if (entry->config.failSubmit != 0) return entry->config.failSubmit;

    auto request = std::make_shared<Request>();
    request->device = device;
    request->memoryId = memory.memoryId;
    request->kind = kind;
    uint16_t count;
    if (kind == kDaqKindAnalogInput) {
        const auto* r = static_cast<const DaqADRequestRecord*>(record);
        std::memcpy(&request->rate, &r->samplingRate, sizeof(double));
        request->samples = r->samplesPerChannel;
        count = r->channelCount;
    } else {
        const auto* r = static_cast<const DaqRequestRecord*>(record);
        const uint32_t halves[2] = {r->samplingRateLow, r->samplingRateHigh};
        std::memcpy(&request->rate, halves, sizeof(double));
        request->samples = r->samplesPerChannel;
        count = r->channelCount;
    }
    if (count < 1 || count > memory.channelCount) return kSimBadArgument;
    request->channels.resize(count);
    std::memcpy(request->channels.data(), memory.channelList, count * sizeof(uint16_t));
    request->gains.assign(count, 1.0f);
    if (memory.gainList != nullptr)
        std::memcpy(request->gains.data(), memory.gainList, count * sizeof(float));

    const BoardConfig& c = entry->config;
    const int channels = kind == kDaqKindAnalogInput    ? c.channels
                         : kind == kDaqKindAnalogOutput ? c.daChannels
                                                        : c.digitalPorts;
    for (size_t i = 0; i < count; ++i) {
        if (request->channels[i] >= channels) return kSimBadArgument;
        if (!(std::isfinite(request->gains[i]) && request->gains[i] > 0)) return kSimBadArgument;
    }
    // A rate outside the board's range is refused: a rate near 0 would make
    // the acquisition's real-time length overflow the timer arithmetic.
    if (!(std::isfinite(request->rate) && request->rate >= c.minSamplingRate &&
          request->rate <= c.maxSamplingRate))
        return kSimBadArgument;
    if (request->samples < 1) return kSimBadArgument;
    const uint64_t bytes = uint64_t{request->samples} * count * memory.bytesPerSample;
    if (bytes > uint64_t{memory.bufferCount} * memory.bufferSize) return kSimBuffersTooSmall;

    request->handle = newRequestHandle();
    memory.request = request->handle;
    requests_.emplace(request->handle, request);
    *handle = request->handle;
    return kDaqOk;
}

uint16_t SimBoard::notify(uint16_t handle, DaqEventProcedure procedure, uint32_t mask) {
    Lock lock(mutex_);
    const auto request = findRequest(handle);
    if (!request) return kSimBadRequest;
    request->procedure = procedure;
    request->mask = mask;
    return kDaqOk;
}

uint16_t SimBoard::arm(uint16_t handle) {
    std::shared_ptr<Request> request;
    uint64_t generation;
    double delay;
    bool waitForTrigger;
    {
        Lock lock(mutex_);
        request = findRequest(handle);
        if (!request) return kSimBadRequest;
        if (isActive(request->state)) return kSimBadState;
        const Device* device = findDevice(request->device);
        if (device == nullptr) return kSimBadDevice;
        if (device->config.failArm != 0) return device->config.failArm;
        ++request->generation;
        request->state = RequestState::Armed;
        request->runtimeError = 0;
        request->started = false;
        // The acquisition starts at the next cylinder reference pulse of the
        // tape's clock, and the clock moves on by what it takes.
        VtrSignalParams timing;
        timing.cylRot = device->config.signal.cylRot;
        const VtrSignal geometry(timing);
        double& clock = tapeClocks_[device->configPath];
        request->revolution = geometry.nextRevolution(clock);
        request->duration = request->samples / request->rate;
        const double begin = geometry.revolutionStart(request->revolution);
        delay = begin - clock;
        clock = begin + request->duration;
        generation = request->generation;
        waitForTrigger = device->config.noTrigger;
    }
    deliver(request, generation, kDaqEventArmed, 0, [this](Request& r) { setStatus(r, kDaqStatusArmed); });
    if (!waitForTrigger) start(request, generation, delay + request->duration);
    return kDaqOk;
}

uint16_t SimBoard::trigger(uint16_t handle) {
    std::shared_ptr<Request> request;
    uint64_t generation;
    {
        Lock lock(mutex_);
        request = findRequest(handle);
        if (!request) return kSimBadRequest;
        if (request->state != RequestState::Armed || request->started) return kSimBadState;
        generation = request->generation;
    }
    start(request, generation, request->duration);
    return kDaqOk;
}

void SimBoard::start(const std::shared_ptr<Request>& request, uint64_t generation, double delaySeconds) {
    DeliveryWorker* worker = nullptr;
    {
        Lock lock(mutex_);
        if (request->released || request->generation != generation) return;
        request->started = true;
        if (Device* device = findDevice(request->device)) worker = device->worker.get();
    }
    if (worker == nullptr) {
        complete(request, generation);
        return;
    }
    const auto due =
        DeliveryWorker::Clock::now() + std::chrono::duration_cast<DeliveryWorker::Clock::duration>(
                                           std::chrono::duration<double>(std::max(delaySeconds, 0.0)));
    worker->schedule(due, [this, request, generation] { complete(request, generation); });
}

void SimBoard::complete(const std::shared_ptr<Request>& request, uint64_t generation) {
    std::vector<uint16_t> buffers;
    bool overrun = false;
    uint32_t injected = 0;
    {
        Lock lock(mutex_);
        if (request->released || request->generation != generation || request->state != RequestState::Armed)
            return;
        RequestMemory* memory = memoryOf(*request);
        Device* device = findDevice(request->device);
        if (memory == nullptr || device == nullptr) return;
        request->state = RequestState::Running;
        overrun = !transfer(*request, *memory, *device, &buffers);
        injected = device->config.runtimeError;
    }
    const auto triggered = [this](Request& r) { setStatus(r, kDaqStatusTriggered); };
    if (!deliver(request, generation, kDaqEventTriggered, 0, triggered)) return;
    for (uint16_t buffer : buffers) {
        if (!deliver(request, generation, kDaqEventBufferDone, buffer, [](Request&) {})) return;
    }
    const uint32_t error = overrun ? kSimRuntimeOverrun : injected;
    if (error != 0) {
        deliver(request, generation, kDaqEventRuntimeError, static_cast<uint16_t>(error),
                [this, error](Request& r) {
                    r.state = RequestState::Failed;
                    r.runtimeError = error;
                    setStatus(r, kDaqStatusTriggered | kDaqStatusError);
                });
    } else {
        deliver(request, generation, kDaqEventRequestDone, 0, [this](Request& r) {
            r.state = RequestState::Done;
            setStatus(r, kDaqStatusTriggered | kDaqStatusDone);
        });
    }
}

bool SimBoard::transfer(Request& request, RequestMemory& memory, Device& device,
                        std::vector<uint16_t>* buffers) {
    const BoardConfig& c = device.config;
    const size_t channels = request.channels.size();
    const size_t total = size_t{request.samples} * channels;
    const size_t perBuffer = memory.bufferSize / memory.bytesPerSample;
    const bool input = request.kind == kDaqKindAnalogInput || request.kind == kDaqKindDigitalInput;

    std::vector<int32_t> counts;
    if (request.kind == kDaqKindAnalogInput) {
        const VtrSignal signal(c.signal);
        // Channel i of the scan is the board's input request.channels[i]; the
        // recorder's wiring follows the number of channels sampled.
        std::vector<double> scan(size_t{request.samples} * channels);
        signal.fill(sectionFor(c, request.rate), request.revolution, request.rate, static_cast<int>(channels),
                    static_cast<uint64_t>(request.revolution), scan);
        counts.resize(total);
        for (size_t n = 0; n < request.samples; ++n) {
            for (size_t i = 0; i < channels; ++i) {
                const double mv = scan[n * channels + i] * request.gains[i];
                counts[n * channels + i] =
                    clampToConverter(mv * c.fullScaleCount / 10000.0, c.resolutionBits);
            }
        }
    } else if (request.kind == kDaqKindDigitalInput) {
        counts.resize(total);
        for (size_t n = 0; n < total; ++n) {
            counts[n] = static_cast<int32_t>(device.digitalPorts.at(request.channels[n % channels]));
        }
    }

    size_t done = 0;
    for (uint16_t b = 0; b < memory.bufferCount && done < total; ++b) {
        DaqBufferDescriptor& descriptor = memory.descriptors[b];
        const size_t take = std::min(perBuffer, total - done);
        if (input) {
            if (daqLoadFlag(descriptor) != kDaqBufferFree) return false;
            for (size_t i = 0; i < take; ++i)
                storeSample(memory.buffers[b], i, memory.bytesPerSample, counts[done + i]);
            daqStoreFlag(descriptor, kDaqBufferFilledByDriver);
        } else {
            // Output: the caller's data goes to the outputs; the last value
            // of each channel stays on it.
            if (daqLoadFlag(descriptor) != kDaqBufferFilledByCaller) return false;
            for (size_t i = 0; i < take; ++i) {
                const int32_t value = loadSample(memory.buffers[b], i, memory.bytesPerSample);
                const uint16_t channel = request.channels[(done + i) % channels];
                if (request.kind == kDaqKindAnalogOutput && channel < device.analogOutputs.size())
                    device.analogOutputs[channel] = value;
                if (request.kind == kDaqKindDigitalOutput && channel < device.digitalPorts.size())
                    device.digitalPorts[channel] = static_cast<uint32_t>(value);
            }
            daqStoreFlag(descriptor, kDaqBufferFree);
        }
        done += take;
        buffers->push_back(b);
    }
    return true;
}

uint16_t SimBoard::resetDevice(uint16_t device) {
    std::vector<std::pair<std::shared_ptr<Request>, uint64_t>> stopped;
    {
        Lock lock(mutex_);
        if (findDevice(device) == nullptr) return kSimBadDevice;
        for (const auto& [handle, request] : requests_) {
            if (request->device != device) continue;
            if (request->state == RequestState::Armed || request->state == RequestState::Running) {
                stopLocked(*request);
                stopped.emplace_back(request, request->generation);
            }
        }
    }
    for (const auto& [request, generation] : stopped) {
        deliver(request, generation, kDaqEventStopped, 0, [](Request&) {});
    }
    return kDaqOk;
}

uint16_t SimBoard::stop(uint16_t handle) {
    std::shared_ptr<Request> request;
    uint64_t generation;
    {
        Lock lock(mutex_);
        request = findRequest(handle);
        if (!request) return kSimBadRequest;
        if (!isActive(request->state)) return kDaqOk;
        stopLocked(*request);
        generation = request->generation;
    }
    deliver(request, generation, kDaqEventStopped, 0, [](Request&) {});
    return kDaqOk;
}

uint16_t SimBoard::release(uint16_t handle) {
    Lock lock(mutex_);
    const auto request = findRequest(handle);
    if (!request) return kSimBadRequest;
    releaseLocked(lock, request);
    return kDaqOk;
}

uint16_t SimBoard::runtimeError(uint16_t handle, uint32_t* code) {
    Lock lock(mutex_);
    const auto request = findRequest(handle);
    if (!request) return kSimBadRequest;
    if (code == nullptr) return kSimBadArgument;
    *code = request->runtimeError;
    return kDaqOk;
}

uint16_t SimBoard::postMessage(uint16_t handle, uint32_t value, uint16_t value2) {
    std::shared_ptr<Request> request;
    uint64_t generation;
    {
        Lock lock(mutex_);
        request = findRequest(handle);
        if (!request) return kSimBadRequest;
        if (value > UINT16_MAX) return kSimBadArgument;
        generation = request->generation;
    }
    deliver(request, generation, static_cast<uint16_t>(value), value2, [](Request&) {});
    return kDaqOk;
}

uint16_t SimBoard::userBreak(uint16_t handle, uint32_t value) {
    std::shared_ptr<Request> request;
    uint64_t generation;
    const uint32_t error = value != 0 ? value : kSimRuntimeUserBreak;
    {
        Lock lock(mutex_);
        request = findRequest(handle);
        if (!request) return kSimBadRequest;
        if (!isActive(request->state)) return kSimBadState;
        ++request->generation;
        request->state = RequestState::Failed;
        request->runtimeError = error;
        setStatus(*request, (status(*request) & kDaqStatusTriggered) | kDaqStatusError);
        generation = request->generation;
    }
    deliver(request, generation, kDaqEventRuntimeError, static_cast<uint16_t>(error), [](Request&) {});
    return kDaqOk;
}

uint16_t SimBoard::checkBuffer(uint16_t handle, uint32_t buffer) {
    Lock lock(mutex_);
    const auto request = findRequest(handle);
    if (!request) return kSimBadRequest;
    const RequestMemory* memory = memoryOf(*request);
    if (memory == nullptr || buffer >= memory->bufferCount) return kSimBadArgument;
    return kDaqOk;
}

}  // namespace morva::sim
