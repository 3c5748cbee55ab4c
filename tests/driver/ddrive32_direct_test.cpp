// The simulated board's own entries, called directly where the bridge would
// stand in the way: configuration records, clean-up after a careless caller,
// stopping and breaking requests, posted messages, single values.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "bridge/low_memory.h"
#include "driver/sim_codes.h"
#include "tests/bridge/daq_test_support.h"

namespace morva::test {
namespace {

struct Heard {
    uint16_t request, code, data;
};
std::vector<Heard> heard;
void listen(uint16_t request, uint16_t code, uint16_t data) {
    heard.push_back({request, code, data});
}

template <typename T>
T field(const std::vector<uint8_t>& record, size_t offset) {
    T value;
    std::memcpy(&value, record.data() + offset, sizeof value);
    return value;
}

class Ddrive32 : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(boardCounts(), (BoardCounts{0, 0, 0}));
        heard.clear();
        gains_[0] = 1.0f;
    }
    void TearDown() override { EXPECT_EQ(boardCounts(), (BoardCounts{0, 0, 0})); }

    uint16_t open(const std::vector<std::string>& extra = {}) {
        uint16_t device = 0;
        const std::string path = writeBoardConfig(folder_.path(), "daqdirect.dat", extra);
        EXPECT_EQ(api_.DaqOpenDevice("ddrive32", &device, "SimDAQ", path.c_str()), kDaqOk);
        return device;
    }

    // Allocates and submits an A/D request straight at the driver.
    uint16_t submit(uint16_t device, DaqAllocRecord& alloc) {
        alloc = allocRecord(kDaqKindAnalogInput, 1, 200);
        EXPECT_EQ(api_.DaqAllocateRequest(device, &alloc), kDaqOk);
        auto* record = daqPointer<DaqADRequestRecord>(alloc.requestRecordAddress);
        std::memcpy(daqPointer<void>(record->gainListAddress), gains_.data(), 4);
        record->samplingRate = 36000;
        record->samplesPerChannel = 100;
        uint16_t handle = 0;
        EXPECT_EQ(api_.DaqAnalogInput(device, record, &handle), kDaqOk);
        return handle;
    }

    const DaqLibraries& api_ = DaqLibraries::get();
    TempFolder folder_;
    LowMemoryArray<float> gains_{1};
};

TEST_F(Ddrive32, ConfigurationRecordsDescribeTheConfiguredBoard) {
    const uint16_t device =
        open({"Resolution = 12", "Channels = 4", "FullScaleCount = 2000", "DASubsystems = 0"});
    std::vector<uint8_t> record(52, 0xEE);
    ASSERT_EQ(api_.DaqGetDeviceCfgInfo(device, record.data()), kDaqOk);
    EXPECT_EQ(field<uint16_t>(record, 2), 4);
    EXPECT_EQ(field<uint16_t>(record, kDaqDeviceCfgADCountOffset), 1);
    EXPECT_EQ(field<uint16_t>(record, kDaqDeviceCfgDACountOffset), 0);
    EXPECT_EQ(record[kDaqDeviceCfgInfoSize], 0xEE) << "the record is at most 16 bytes";
    ASSERT_EQ(api_.DaqGetADCfgInfo(device, 0, record.data()), kDaqOk);
    EXPECT_EQ(field<uint16_t>(record, 0), 12);
    EXPECT_EQ(field<int32_t>(record, 8), -2048);
    EXPECT_EQ(field<int32_t>(record, 12), 2047);
    EXPECT_EQ(field<uint32_t>(record, 20), 2000u);
    EXPECT_EQ(api_.DaqGetDACfgInfo(device, 0, record.data()), sim::kSimNotSupported);
    EXPECT_EQ(api_.DaqGetADCfgInfo(device, 0, nullptr), sim::kSimBadArgument);
    EXPECT_EQ(api_.DaqGetDeviceCfgInfo(static_cast<uint16_t>(device + 1), record.data()), sim::kSimBadDevice);
    EXPECT_EQ(api_.DaqCloseDevice(device), kDaqOk);
    EXPECT_EQ(api_.DaqCloseDevice(device), sim::kSimBadDevice);
}

TEST_F(Ddrive32, ClosingCleansUpWhatTheCallerLeftAndCountsIt) {
    const uint16_t device = open();
    DaqAllocRecord alloc;
    submit(device, alloc);
    EXPECT_EQ(boardCounts(), (BoardCounts{1, 1, 1}));
    const uint32_t before = api_.SimDaqForcedCleanupCount();
    EXPECT_EQ(api_.DaqCloseDevice(device), kDaqOk);
    EXPECT_EQ(api_.SimDaqForcedCleanupCount(), before + 2);
}

TEST_F(Ddrive32, FreeingTheMemoryOfALiveRequestReleasesItFirst) {
    const uint16_t device = open();
    DaqAllocRecord alloc;
    const uint16_t handle = submit(device, alloc);
    const uint32_t before = api_.SimDaqForcedCleanupCount();
    EXPECT_EQ(api_.DaqFreeRequest(device, alloc.memoryId, nullptr), kDaqOk);
    EXPECT_EQ(api_.SimDaqForcedCleanupCount(), before + 1);
    EXPECT_EQ(api_.DaqReleaseRequest(handle), sim::kSimBadRequest);
    EXPECT_EQ(api_.DaqFreeRequest(device, alloc.memoryId, nullptr), sim::kSimBadMemoryId);
    EXPECT_EQ(api_.DaqCloseDevice(device), kDaqOk);
}

TEST_F(Ddrive32, RequestsOnlyTakeRecordsOfTheirOwnKindAndDevice) {
    const uint16_t device = open();
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 1, 200);
    ASSERT_EQ(api_.DaqAllocateRequest(device, &alloc), kDaqOk);
    uint16_t handle = 0;
    DaqADRequestRecord elsewhere{};
    EXPECT_EQ(api_.DaqAnalogInput(device, &elsewhere, &handle), sim::kSimBadArgument);
    auto* record = daqPointer<DaqADRequestRecord>(alloc.requestRecordAddress);
    record->samplingRate = 36000;
    record->samplesPerChannel = 101;  // 202 bytes: one sample too many
    std::memcpy(daqPointer<void>(record->gainListAddress), gains_.data(), 4);
    EXPECT_EQ(api_.DaqAnalogInput(device, record, &handle), sim::kSimBuffersTooSmall);
    record->samplesPerChannel = 100;
    record->samplingRate = 600000;  // above the board's highest rate
    EXPECT_EQ(api_.DaqAnalogInput(device, record, &handle), sim::kSimBadArgument);
    // Below the lowest: a rate near 0 would make the acquisition last for
    // ever and overflow the real-time timing.
    for (const double rate : {1e-300, 0.5, 0.0, -36000.0})
        EXPECT_EQ((record->samplingRate = rate, api_.DaqAnalogInput(device, record, &handle)),
                  sim::kSimBadArgument)
            << rate;
    record->samplingRate = 36000;
    ASSERT_EQ(api_.DaqAnalogInput(device, record, &handle), kDaqOk);
    uint16_t second = 0;
    EXPECT_EQ(api_.DaqAnalogInput(device, record, &second), sim::kSimBadState);
    EXPECT_EQ(api_.DaqReleaseRequest(handle), kDaqOk);
    EXPECT_EQ(api_.DaqFreeRequest(device, alloc.memoryId, nullptr), kDaqOk);
    EXPECT_EQ(api_.DaqCloseDevice(device), kDaqOk);
}

TEST_F(Ddrive32, StopAndUserBreakEndAnArmedRequest) {
    const uint16_t device = open({"NoTrigger = 1"});
    DaqAllocRecord alloc;
    const uint16_t handle = submit(device, alloc);
    const auto* record = daqPointer<DaqADRequestRecord>(alloc.requestRecordAddress);
    ASSERT_EQ(api_.DaqNotifyEvent(handle, &listen, 0xFFFFFFFF), kDaqOk);
    EXPECT_EQ(api_.DaqStopRequest(handle), kDaqOk) << "nothing to stop yet";
    EXPECT_TRUE(heard.empty());
    ASSERT_EQ(api_.DaqArmRequest(handle), kDaqOk);
    EXPECT_EQ(api_.DaqArmRequest(handle), sim::kSimBadState);
    ASSERT_EQ(api_.DaqStopRequest(handle), kDaqOk);
    EXPECT_EQ(record->status, kDaqStatusStopped);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[1].code, kDaqEventStopped);

    ASSERT_EQ(api_.DaqArmRequest(handle), kDaqOk);
    ASSERT_EQ(api_.DaqUserBreak(handle, 4321), kDaqOk);
    EXPECT_EQ(record->status, kDaqStatusError);
    EXPECT_EQ(heard.back().code, kDaqEventRuntimeError);
    uint32_t code = 0;
    ASSERT_EQ(api_.DaqGetRuntimeError(handle, &code), kDaqOk);
    EXPECT_EQ(code, 4321u);
    EXPECT_EQ(api_.DaqUserBreak(handle, 0), sim::kSimBadState) << "already ended";
    ASSERT_EQ(api_.DaqArmRequest(handle), kDaqOk);
    ASSERT_EQ(api_.DaqUserBreak(handle, 0), kDaqOk);
    ASSERT_EQ(api_.DaqGetRuntimeError(handle, &code), kDaqOk);
    EXPECT_EQ(code, sim::kSimRuntimeUserBreak);

    EXPECT_EQ(api_.DaqReleaseRequest(handle), kDaqOk);
    EXPECT_EQ(api_.DaqFreeRequest(device, alloc.memoryId, nullptr), kDaqOk);
    EXPECT_EQ(api_.DaqCloseDevice(device), kDaqOk);
}

TEST_F(Ddrive32, PostedMessagesReachTheProcedureWithTheirValues) {
    const uint16_t device = open();
    DaqAllocRecord alloc;
    const uint16_t handle = submit(device, alloc);
    ASSERT_EQ(api_.DaqNotifyEvent(handle, &listen, 1u << 12), kDaqOk);
    EXPECT_EQ(api_.DaqPostMessageEvent(handle, 12, 777), kDaqOk);
    EXPECT_EQ(api_.DaqPostMessageEvent(handle, 13, 1), kDaqOk);
    EXPECT_EQ(api_.DaqPostMessageEvent(handle, 0x10000, 1), sim::kSimBadArgument);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].request, handle);
    EXPECT_EQ(heard[0].code, 12);
    EXPECT_EQ(heard[0].data, 777);
    EXPECT_EQ(api_.DaqReleaseRequest(handle), kDaqOk);
    EXPECT_EQ(api_.DaqFreeRequest(device, alloc.memoryId, nullptr), kDaqOk);
    EXPECT_EQ(api_.DaqCloseDevice(device), kDaqOk);
}

TEST_F(Ddrive32, SingleValuesReadTheRecorderAndTheLatchesThroughTheBridge) {
    BridgeDevice device(writeBoardConfig(folder_.path(), "daqsingle.dat", {"Section = sensitivity"}));
    LowMemoryArray<int32_t> value(1);
    float gain = 1.0f;
    uint32_t gainBits;
    std::memcpy(&gainBits, &gain, 4);
    // At the start of the tape head 0 plays offset 0: the trapezoid's floor.
    ASSERT_EQ(api_.DaqSingleAnalogInputVB(device.handle(), 0, gainBits, value.address()), kDaqOk);
    EXPECT_EQ(value[0], 3267);  // 1000 mV at 32672 counts per 10 V
    EXPECT_EQ(api_.DaqSingleAnalogInputVB(device.handle(), 2, gainBits, value.address()),
              sim::kSimBadArgument);
    EXPECT_EQ(api_.DaqSingleAnalogInputVB(device.handle(), 0, gainBits, 0), sim::kSimBadArgument);

    ASSERT_EQ(api_.DaqSingleDigitalOutputVB(device.handle(), 1, 0xA5A5), kDaqOk);
    ASSERT_EQ(api_.DaqSingleDigitalInputVB(device.handle(), 1, value.address()), kDaqOk);
    EXPECT_EQ(value[0], 0xA5A5);
    EXPECT_EQ(api_.DaqSingleDigitalOutputVB(device.handle(), 2, 1), sim::kSimBadArgument);
    EXPECT_EQ(api_.DaqSingleAnalogOutputVB(device.handle(), 1, 100), kDaqOk);
    EXPECT_EQ(api_.DaqSingleAnalogOutputVB(device.handle(), 2, 100), sim::kSimBadArgument);

    LowMemoryArray<float> volts(1);
    ASSERT_EQ(api_.DaqConvertPointVB(device.handle(), 0, 32672, gainBits, volts.address()), kDaqOk);
    EXPECT_FLOAT_EQ(volts[0], 10.0f);
}

// A procedure that tries to close its device from the board's own thread.
uint16_t closedFromProcedure = 0;
uint16_t deviceToClose = 0;
std::atomic<bool> tried{false};
void closeOnDone(uint16_t, uint16_t code, uint16_t) {
    if (code != kDaqEventRequestDone) return;
    closedFromProcedure = DaqLibraries::get().DaqCloseDevice(deviceToClose);
    tried = true;
}

TEST_F(Ddrive32, ItsOwnThreadCannotCloseTheDevice) {
    deviceToClose = open({"Timing = realtime", "CylRot = 9000"});
    DaqAllocRecord alloc;
    const uint16_t handle = submit(deviceToClose, alloc);
    ASSERT_EQ(api_.DaqNotifyEvent(handle, &closeOnDone, 0xFFFFFFFF), kDaqOk);
    ASSERT_EQ(api_.DaqArmRequest(handle), kDaqOk);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!tried && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    ASSERT_TRUE(tried);
    EXPECT_EQ(closedFromProcedure, sim::kSimBadState);
    EXPECT_EQ(api_.DaqReleaseRequest(handle), kDaqOk);
    EXPECT_EQ(api_.DaqFreeRequest(deviceToClose, alloc.memoryId, nullptr), kDaqOk);
    EXPECT_EQ(api_.DaqCloseDevice(deviceToClose), kDaqOk);
}

}  // namespace
}  // namespace morva::test
