// Every export of the bridge called the wrong way: null pointers, handles
// that were never issued or are no longer valid, double releases, sizes and
// indexes far out of range. Each call returns an error code; none crashes
// or touches memory it does not own (the program runs under ASan in CI).

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "bridge/low_memory.h"
#include "driver/sim_codes.h"
#include "tests/bridge/daq_test_support.h"

namespace morva::test {
namespace {

class HalvexMisuse : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(boardCounts(), (BoardCounts{0, 0, 0})); }
    void TearDown() override { EXPECT_EQ(boardCounts(), (BoardCounts{0, 0, 0})) << "misuse leaked"; }

    std::string config() { return writeBoardConfig(folder_.path(), "daqtest.dat"); }

    // Every export that takes a device handle, called with `device`.
    std::vector<uint16_t> deviceCalls(uint16_t device) {
        const auto& a = api_;
        DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 1, 200);
        DaqADRequestRecord ad{};
        DaqRequestRecord shortRecord{};
        uint16_t handle = 0;
        return {a.DaqAllocateRequestVB(device, &alloc),
                a.DaqFreeRequestVB(device, 1, nullptr),
                a.DaqResetDeviceVB(device),
                a.DaqAnalogInputVB(device, &ad, &handle),
                a.DaqAnalogOutputVB(device, &shortRecord, &handle),
                a.DaqDigitalInputVB(device, &shortRecord, &handle),
                a.DaqDigitalOutputVB(device, &shortRecord, &handle),
                a.DaqSingleAnalogInputVB(device, 0, 0, 0),
                a.DaqSingleAnalogInputScanVB(device, 0, 0, 1, 0),
                a.DaqSingleSigConInputVB(device, 0, 0, 0),
                a.DaqSingleSigConInputScanVB(device, 0, 0, 1, 0),
                a.DaqSingleAnalogOutputVB(device, 0, 0),
                a.DaqSingleAnalogOutputScanVB(device, 0, 1, 0),
                a.DaqSingleDigitalInputVB(device, 0, 0),
                a.DaqSingleDigitalInputScanVB(device, 0, 1, 0),
                a.DaqSingleDigitalOutputVB(device, 0, 0),
                a.DaqSingleDigitalOutputScanVB(device, 0, 1, 0),
                a.DaqGetDeviceCfgInfoVB(device, 0),
                a.DaqGetADCfgInfoVB(device, 0, 0),
                a.DaqGetADGainInfoVB(device, 0, 0),
                a.DaqGetDACfgInfoVB(device, 0, 0),
                a.DaqGetDAGainInfoVB(device, 0, 0),
                a.DaqGetExpCfgInfoVB(device, 0, 0, 0),
                a.DaqGetExpGainInfoVB(device, 0, 0, 0),
                a.DaqGetSigConCfgInfoVB(device, 0, 0),
                a.DaqGetSigConParamInfoVB(device, 0, 0),
                a.DaqVersionNumberVB(device, 0, 0, 0),
                a.DaqConvertPointVB(device, 0, 0, 0, 0),
                a.DaqConvertScanVB(device, 0, 0, 1, 0, 0),
                a.DaqGetDigioCfgInfoVB(device, 0, 0),
                a.DaqCloseDeviceVB(device)};
    }

    // Every export that takes a request handle, called with `request`.
    std::vector<uint16_t> requestCalls(uint16_t request) {
        const auto& a = api_;
        std::vector<uint8_t> buffer(4096);
        uint16_t flag = 0;
        uint32_t code = 0;
        return {a.DaqArmRequestVB(request),
                a.DaqTriggerRequestVB(request),
                a.DaqStopRequestVB(request),
                a.DaqNotifyEventVB(request, nullptr, 0xFFFFFFFF),
                a.DaqPostMessageEventVB(request, 1, 1),
                a.DaqUserBreakVB(request, 1),
                a.DaqGetRuntimeErrorVB(request, &code),
                a.DaqReadBufferVB(request, 0, buffer.data()),
                a.DaqWriteBufferVB(request, 0, 1, buffer.data()),
                a.DaqReadBufferFlagVB(request, 0, &flag),
                a.DaqWriteBufferFlagVB(request, 0, 2),
                a.DaqConvertBufferVB(request, 0),
                a.DaqReleaseRequestVB(request)};
    }

    static void expectAllFail(const std::vector<uint16_t>& codes, const char* what) {
        for (size_t i = 0; i < codes.size(); ++i)
            EXPECT_NE(codes[i], kDaqOk) << what << ": call " << i << " succeeded";
    }

    const DaqLibraries& api_ = DaqLibraries::get();
    TempFolder folder_;
};

TEST_F(HalvexMisuse, HandlesThatWereNeverIssuedOrAreStaleFailEverywhere) {
    for (const uint16_t foreign : {uint16_t{0}, uint16_t{1}, uint16_t{0x7FFF}, uint16_t{0xFFFF}}) {
        SCOPED_TRACE(foreign);
        expectAllFail(deviceCalls(foreign), "device calls");
        expectAllFail(requestCalls(foreign), "request calls");
    }
    // A device and a request that existed once.
    uint16_t device = 0;
    uint16_t request = 0;
    {
        BridgeDevice open(config());
        ASSERT_EQ(open.openCode(), kDaqOk);
        device = open.handle();
        LowMemoryArray<uint16_t> channels(1);
        LowMemoryArray<float> gains(1);
        channels[0] = 0;
        gains[0] = 1.0f;
        DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 1, 200);
        ASSERT_EQ(api_.DaqAllocateRequestVB(device, &alloc), kDaqOk);
        DaqADRequestRecord ad{};
        ad.channelListAddress = channels.address();
        ad.gainListAddress = gains.address();
        ad.channelCount = 1;
        ad.samplingRate = 1000;
        ad.samplesPerChannel = 100;
        ASSERT_EQ(api_.DaqAnalogInputVB(device, &ad, &request), kDaqOk);
        EXPECT_EQ(api_.DaqReleaseRequestVB(request), kDaqOk);
        EXPECT_EQ(api_.DaqReleaseRequestVB(request), kDaqErrNoRequest) << "double release";
        EXPECT_EQ(api_.DaqFreeRequestVB(device, alloc.memoryId, nullptr), kDaqOk);
        EXPECT_EQ(api_.DaqFreeRequestVB(device, alloc.memoryId, nullptr), kDaqErrUnknownMemory)
            << "double free";
        EXPECT_EQ(open.close(), kDaqOk);
        EXPECT_EQ(api_.DaqCloseDeviceVB(device), kDaqErrNoDevice) << "double close";
    }
    expectAllFail(deviceCalls(device), "stale device");
    expectAllFail(requestCalls(request), "stale request");
    api_.DaqEventProc(request, kDaqEventRequestDone, 0);  // an event for a stale request does nothing
}

TEST_F(HalvexMisuse, NullPointersAreRefused) {
    const std::string path = config();
    uint16_t device = 0;
    EXPECT_NE(api_.DaqOpenDeviceVB("ddrive32", nullptr, "SimDAQ", path.c_str()), kDaqOk);
    EXPECT_NE(api_.DaqOpenDeviceVB(nullptr, &device, "SimDAQ", path.c_str()), kDaqOk);
    EXPECT_NE(api_.DaqOpenDeviceVB("ddrive32", &device, nullptr, path.c_str()), kDaqOk);
    EXPECT_NE(api_.DaqOpenDeviceVB("ddrive32", &device, "SimDAQ", nullptr), kDaqOk);
    EXPECT_EQ(api_.SimDaqOpenDeviceCount(), 0u);

    BridgeDevice open(path);
    ASSERT_EQ(open.openCode(), kDaqOk);
    const uint16_t d = open.handle();
    EXPECT_NE(api_.DaqAllocateRequestVB(d, nullptr), kDaqOk);
    uint16_t handle = 0;
    EXPECT_NE(api_.DaqAnalogInputVB(d, nullptr, &handle), kDaqOk);
    EXPECT_NE(api_.DaqAnalogOutputVB(d, nullptr, &handle), kDaqOk);
    EXPECT_NE(api_.DaqDigitalInputVB(d, nullptr, &handle), kDaqOk);
    EXPECT_NE(api_.DaqDigitalOutputVB(d, nullptr, &handle), kDaqOk);

    // A submitted request whose caller passes no list, buffer or output.
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 1, 200);
    ASSERT_EQ(api_.DaqAllocateRequestVB(d, &alloc), kDaqOk);
    DaqADRequestRecord ad{};  // channel and gain list addresses 0
    ad.channelCount = 1;
    ad.samplingRate = 1000;
    ad.samplesPerChannel = 100;
    EXPECT_NE(api_.DaqAnalogInputVB(d, &ad, nullptr), kDaqOk);
    EXPECT_NE(api_.DaqAnalogInputVB(d, &ad, &handle), kDaqOk);
    LowMemoryArray<uint16_t> channels(1);
    LowMemoryArray<float> gains(1);
    channels[0] = 0;
    gains[0] = 1.0f;
    ad.channelListAddress = channels.address();
    ad.gainListAddress = gains.address();
    ASSERT_EQ(api_.DaqAnalogInputVB(d, &ad, &handle), kDaqOk);
    EXPECT_NE(api_.DaqGetRuntimeErrorVB(handle, nullptr), kDaqOk);
    EXPECT_NE(api_.DaqReadBufferVB(handle, 0, nullptr), kDaqOk);
    EXPECT_NE(api_.DaqReadBufferFlagVB(handle, 0, nullptr), kDaqOk);
    EXPECT_EQ(api_.DaqGetAddressOfVB(nullptr), 0u);
    // Pass-through exports with every address 0.
    EXPECT_NE(api_.DaqGetDeviceCfgInfoVB(d, 0), kDaqOk);
    EXPECT_NE(api_.DaqGetADCfgInfoVB(d, 0, 0), kDaqOk);
    EXPECT_NE(api_.DaqGetDACfgInfoVB(d, 0, 0), kDaqOk);
    EXPECT_NE(api_.DaqSingleAnalogInputVB(d, 0, 0, 0), kDaqOk);
    EXPECT_NE(api_.DaqSingleAnalogInputScanVB(d, 0, 0, 1, 0), kDaqOk);
    EXPECT_NE(api_.DaqVersionNumberVB(d, 0, 0, 0), kDaqOk);
    EXPECT_NE(api_.DaqWordsToBytesVB(1, 2, 0), kDaqOk);
    EXPECT_NE(api_.DaqBytesToWordsVB(2, 2, 0), kDaqOk);
    EXPECT_NE(api_.DaqConvertPointVB(d, 0, 0, 0, 0), kDaqOk);
    EXPECT_NE(api_.DaqConvertScanVB(d, 0, 0, 1, 0, 0), kDaqOk);
    EXPECT_EQ(api_.DaqReleaseRequestVB(handle), kDaqOk);
    EXPECT_EQ(api_.DaqFreeRequestVB(d, alloc.memoryId, nullptr), kDaqOk);
}

TEST_F(HalvexMisuse, HugeSizesAndIndexesOutOfRangeAreRefused) {
    BridgeDevice open(config());
    ASSERT_EQ(open.openCode(), kDaqOk);
    const uint16_t d = open.handle();
    for (const DaqAllocRecord& huge :
         {allocRecord(kDaqKindAnalogInput, 1, 0xFFFFFFFF), allocRecord(kDaqKindAnalogInput, 0x7FFF, 200),
          allocRecord(kDaqKindAnalogInput, -1, 200), allocRecord(kDaqKindAnalogInput, 1, 0x10000, 0xFFFF),
          allocRecord(0xFFFFFFFF, 1, 200), allocRecord(kDaqKindAnalogInput, 1, 0)}) {
        DaqAllocRecord record = huge;
        EXPECT_NE(api_.DaqAllocateRequestVB(d, &record), kDaqOk)
            << record.bufferSize << " bytes x " << record.bufferCount << ", " << record.channelCount
            << " channels";
    }
    EXPECT_EQ(api_.SimDaqAllocatedRequestCount(), 0u);

    // A valid request with a huge sample count, channel count and buffer index.
    LowMemoryArray<uint16_t> channels(2);
    LowMemoryArray<float> gains(2);
    channels[0] = 0;
    channels[1] = 1;
    gains[0] = gains[1] = 1.0f;
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 2, 400, 2);
    ASSERT_EQ(api_.DaqAllocateRequestVB(d, &alloc), kDaqOk);
    DaqADRequestRecord ad{};
    ad.channelListAddress = channels.address();
    ad.gainListAddress = gains.address();
    ad.channelCount = 0x7FFF;  // the bridge copies by the driver record's own count
    ad.samplingRate = 1000;
    uint16_t handle = 0;
    ad.samplesPerChannel = 0xFFFFFFFF;
    EXPECT_NE(api_.DaqAnalogInputVB(d, &ad, &handle), kDaqOk);
    ad.samplesPerChannel = 100;
    ad.samplingRate = 1e300;
    EXPECT_NE(api_.DaqAnalogInputVB(d, &ad, &handle), kDaqOk);
    ad.samplingRate = 1000;
    ASSERT_EQ(api_.DaqAnalogInputVB(d, &ad, &handle), kDaqOk);
    std::vector<uint8_t> destination(400);
    uint16_t flag = 0;
    for (const uint16_t index : {uint16_t{2}, uint16_t{0x7FFF}, uint16_t{0xFFFF}}) {
        EXPECT_EQ(api_.DaqReadBufferVB(handle, index, destination.data()), kDaqErrBadArgument) << index;
        EXPECT_EQ(api_.DaqReadBufferFlagVB(handle, index, &flag), kDaqErrBadArgument) << index;
        EXPECT_EQ(api_.DaqWriteBufferFlagVB(handle, index, 2), kDaqErrBadArgument) << index;
    }
    EXPECT_EQ(api_.DaqReadBufferVB(handle, 1, destination.data()), kDaqOk);
    EXPECT_NE(api_.DaqSingleAnalogInputScanVB(d, channels.address(), gains.address(), 0xFFFF, 0), kDaqOk);
    EXPECT_NE(api_.DaqWordsToBytesVB(0xFFFFFFFF, 0xFFFFFFFF, 0), kDaqOk);
    EXPECT_EQ(api_.DaqReleaseRequestVB(handle), kDaqOk);
    EXPECT_EQ(api_.DaqFreeRequestVB(d, alloc.memoryId, nullptr), kDaqOk);
}

}  // namespace
}  // namespace morva::test
