// Real-time acquisitions: the driver completes them on its own thread, the
// bridge's event procedure writes the caller's status there, and the caller
// polls it. Run under ThreadSanitizer (label "threads").

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "bridge/low_memory.h"
#include "tests/bridge/daq_test_support.h"

namespace morva::test {
namespace {

std::atomic<int> eventsOnOtherThreads{0};
std::thread::id testThread;
void countThread(uint16_t, uint16_t, uint16_t) {
    if (std::this_thread::get_id() != testThread) ++eventsOnOtherThreads;
}

// Polls a status the way the acquisition loop does, for at most 10 s.
bool waitForStatus(const uint32_t& status, uint32_t bits) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while ((daqLoadStatus(status) & bits) == 0) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::yield();
    }
    return true;
}

class HalvexThreads : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(boardCounts(), (BoardCounts{0, 0, 0}));
        testThread = std::this_thread::get_id();
        eventsOnOtherThreads = 0;
        // A fast cylinder (one revolution in 6.7 ms) keeps the waits short.
        path_ = writeBoardConfig(folder_.path(), "daqrt.dat",
                                 {"Timing = realtime", "CylRot = 9000", "Noise = 3"});
        channels_[0] = 0;
        channels_[1] = 1;
        gains_[0] = gains_[1] = 1.0f;
    }
    void TearDown() override { EXPECT_EQ(boardCounts(), (BoardCounts{0, 0, 0})); }

    DaqADRequestRecord request(uint32_t samples) {
        DaqADRequestRecord r{};
        r.channelListAddress = channels_.address();
        r.gainListAddress = gains_.address();
        r.channelCount = 2;
        r.samplingRate = 60000;
        r.samplesPerChannel = samples;
        return r;
    }

    const DaqLibraries& api_ = DaqLibraries::get();
    TempFolder folder_;
    std::string path_;
    LowMemoryArray<uint16_t> channels_{2};
    LowMemoryArray<float> gains_{2};
};

TEST_F(HalvexThreads, TheCallerSeesACompletionDeliveredOnTheDriversThread) {
    BridgeDevice device(path_);
    ASSERT_EQ(device.openCode(), kDaqOk);
    constexpr uint32_t kSamples = 300;
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 2, kSamples * 2 * 2);
    ASSERT_EQ(api_.DaqAllocateRequestVB(device.handle(), &alloc), kDaqOk);
    DaqADRequestRecord caller = request(kSamples);
    std::vector<int16_t> samples(kSamples * 2);
    for (int run = 0; run < 20; ++run) {
        uint16_t handle = 0;
        ASSERT_EQ(api_.DaqAnalogInputVB(device.handle(), &caller, &handle), kDaqOk);
        ASSERT_EQ(api_.DaqNotifyEventVB(handle, &countThread, 1u << kDaqEventRequestDone), kDaqOk);
        daqStoreStatus(caller.status, 0);
        ASSERT_EQ(api_.DaqArmRequestVB(handle), kDaqOk);
        ASSERT_TRUE(waitForStatus(caller.status, kDaqStatusDone | kDaqStatusError)) << "run " << run;
        EXPECT_EQ(daqLoadStatus(caller.status), kDaqStatusTriggered | kDaqStatusDone);
        std::fill(samples.begin(), samples.end(), 0);
        ASSERT_EQ(api_.DaqReadBufferVB(handle, 0, samples.data()), kDaqOk);
        // Every sample is a level of the recorder (1000 mV or more), none
        // left unwritten.
        for (int16_t s : samples)
            ASSERT_GT(s, 3000) << "run " << run;
        ASSERT_EQ(api_.DaqReleaseRequestVB(handle), kDaqOk);
    }
    EXPECT_EQ(eventsOnOtherThreads.load(), 20);
    EXPECT_EQ(api_.DaqFreeRequestVB(device.handle(), alloc.memoryId, nullptr), kDaqOk);
}

TEST_F(HalvexThreads, AReleasedRequestNeverWritesTheCallersStatusAgain) {
    BridgeDevice device(path_);
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 2, 6000 * 2 * 2);
    ASSERT_EQ(api_.DaqAllocateRequestVB(device.handle(), &alloc), kDaqOk);
    auto caller = std::make_unique<DaqADRequestRecord>(request(6000));  // 100 ms of samples
    uint16_t handle = 0;
    ASSERT_EQ(api_.DaqAnalogInputVB(device.handle(), caller.get(), &handle), kDaqOk);
    ASSERT_EQ(api_.DaqArmRequestVB(handle), kDaqOk);
    ASSERT_EQ(api_.DaqReleaseRequestVB(handle), kDaqOk);
    daqStoreStatus(caller->status, 0x5A5A5A5A);
    ASSERT_EQ(api_.DaqFreeRequestVB(device.handle(), alloc.memoryId, nullptr), kDaqOk);
    // Closing ends the driver's thread: whatever it was going to do is done.
    ASSERT_EQ(device.close(), kDaqOk);
    EXPECT_EQ(daqLoadStatus(caller->status), 0x5A5A5A5Au);
}

// A caller that releases its request from inside its own event procedure,
// on the driver's thread.
uint16_t releasedFromProcedure = 0;
std::atomic<bool> releasedInside{false};
void releaseOnDone(uint16_t request, uint16_t code, uint16_t) {
    if (code != kDaqEventRequestDone) return;
    releasedFromProcedure = DaqLibraries::get().DaqReleaseRequestVB(request);
    releasedInside = true;
}

TEST_F(HalvexThreads, AProcedureMayReleaseItsRequestOnTheDriversThread) {
    BridgeDevice device(path_);
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 2, 100 * 2 * 2);
    ASSERT_EQ(api_.DaqAllocateRequestVB(device.handle(), &alloc), kDaqOk);
    DaqADRequestRecord caller = request(100);
    uint16_t handle = 0;
    ASSERT_EQ(api_.DaqAnalogInputVB(device.handle(), &caller, &handle), kDaqOk);
    ASSERT_EQ(api_.DaqNotifyEventVB(handle, &releaseOnDone, 0xFFFFFFFF), kDaqOk);
    ASSERT_EQ(api_.DaqArmRequestVB(handle), kDaqOk);
    ASSERT_TRUE(waitForStatus(caller.status, kDaqStatusDone));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!releasedInside && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    ASSERT_TRUE(releasedInside);
    EXPECT_EQ(releasedFromProcedure, kDaqOk);
    EXPECT_EQ(api_.SimDaqLiveRequestCount(), 0u);
    EXPECT_EQ(api_.DaqFreeRequestVB(device.handle(), alloc.memoryId, nullptr), kDaqOk);
}

TEST_F(HalvexThreads, TwoDevicesAcquireAtTheSameTime) {
    BridgeDevice first(path_);
    BridgeDevice second(
        writeBoardConfig(folder_.path(), "daqrt2.dat", {"Timing = realtime", "CylRot = 7200"}));
    ASSERT_EQ(second.openCode(), kDaqOk);
    DaqAllocRecord allocs[2] = {allocRecord(kDaqKindAnalogInput, 2, 1200),
                                allocRecord(kDaqKindAnalogInput, 2, 1200)};
    DaqADRequestRecord callers[2] = {request(300), request(300)};
    uint16_t handles[2] = {};
    const uint16_t devices[2] = {first.handle(), second.handle()};
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(api_.DaqAllocateRequestVB(devices[i], &allocs[i]), kDaqOk);
        ASSERT_EQ(api_.DaqAnalogInputVB(devices[i], &callers[i], &handles[i]), kDaqOk);
    }
    for (uint16_t handle : handles)
        ASSERT_EQ(api_.DaqArmRequestVB(handle), kDaqOk);
    for (const auto& caller : callers)
        EXPECT_TRUE(waitForStatus(caller.status, kDaqStatusDone));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(api_.DaqReleaseRequestVB(handles[i]), kDaqOk);
        EXPECT_EQ(api_.DaqFreeRequestVB(devices[i], allocs[i].memoryId, nullptr), kDaqOk);
    }
}

}  // namespace
}  // namespace morva::test
