// Opening, closing, allocating and freeing through the bridge's exports.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>

#include "bridge/low_memory.h"
#include "driver/sim_codes.h"
#include "tests/bridge/daq_test_support.h"

namespace morva::test {
namespace {

class HalvexDevice : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(boardCounts(), (BoardCounts{0, 0, 0})) << "an earlier test left the board busy";
    }
    void TearDown() override { EXPECT_EQ(boardCounts(), (BoardCounts{0, 0, 0})) << "the test leaked"; }

    std::string config(const std::vector<std::string>& extra = {}) {
        return writeBoardConfig(folder_.path(), "daqtest.dat", extra);
    }

    const DaqLibraries& api_ = DaqLibraries::get();
    TempFolder folder_;
};

TEST_F(HalvexDevice, OpensAndClosesADevice) {
    BridgeDevice device(config());
    ASSERT_EQ(device.openCode(), kDaqOk);
    EXPECT_NE(device.handle(), 0);
    EXPECT_EQ(api_.SimDaqOpenDeviceCount(), 1u);
    EXPECT_EQ(device.close(), kDaqOk);
    EXPECT_EQ(api_.SimDaqOpenDeviceCount(), 0u);
}

TEST_F(HalvexDevice, FifthOpenReturns120AndClosesTheDriverDeviceAgain) {
    const std::string path = config();
    std::vector<std::unique_ptr<BridgeDevice>> open;
    for (int i = 0; i < 4; ++i) {
        open.push_back(std::make_unique<BridgeDevice>(path));
        ASSERT_EQ(open.back()->openCode(), kDaqOk) << "open " << i + 1;
    }
    uint16_t fifth = 0xBEEF;
    EXPECT_EQ(api_.DaqOpenDeviceVB("ddrive32", &fifth, "SimDAQ", path.c_str()), kDaqErrNoEntry);
    EXPECT_EQ(fifth, 0);
    EXPECT_EQ(api_.SimDaqOpenDeviceCount(), 4u);
    // A closed entry is free again.
    EXPECT_EQ(open[1]->close(), kDaqOk);
    BridgeDevice again(path);
    EXPECT_EQ(again.openCode(), kDaqOk);
}

TEST_F(HalvexDevice, DriverCodesAtOpenPassThroughUnchanged) {
    uint16_t handle = 0xBEEF;
    EXPECT_EQ(api_.DaqOpenDeviceVB("ddrive32", &handle, "SimDAQ", config({"FailOpen = 2100"}).c_str()), 2100);
    EXPECT_EQ(handle, 0);
    handle = 0xBEEF;
    const std::string missing = (folder_.path() / "daqnone.dat").string();
    EXPECT_EQ(api_.DaqOpenDeviceVB("ddrive32", &handle, "SimDAQ", missing.c_str()), sim::kSimConfigMissing);
    EXPECT_EQ(handle, 0);
    EXPECT_EQ(api_.DaqOpenDeviceVB("ddrive32", &handle, "Other", config({"DeviceType = SimDAQ"}).c_str()),
              sim::kSimWrongDeviceType);
    EXPECT_EQ(api_.DaqOpenDeviceVB("ddrive32", &handle, "SimDAQ", config({"nHead = 3"}).c_str()),
              sim::kSimConfigInvalid);
    EXPECT_EQ(api_.DaqOpenDeviceVB("ddrive32", nullptr, "SimDAQ", config().c_str()), kDaqErrBadArgument);
}

TEST_F(HalvexDevice, TheEmergencyClearUpWithNothingOpenHarmsNothing) {
    // Reset, release, free and close with handles 0, as after a failed open.
    EXPECT_EQ(api_.DaqResetDeviceVB(0), sim::kSimBadDevice);
    EXPECT_EQ(api_.DaqReleaseRequestVB(0), kDaqErrNoRequest);
    EXPECT_EQ(api_.DaqFreeRequestVB(0, 0, nullptr), kDaqOk);
    EXPECT_EQ(api_.DaqCloseDeviceVB(0), sim::kSimBadDevice);
    BridgeDevice device(config());
    EXPECT_EQ(device.openCode(), kDaqOk) << "the table is intact";
}

TEST_F(HalvexDevice, HandleZeroOrUnknownIsCode100) {
    BridgeDevice device(config());
    DaqAllocRecord record = allocRecord(kDaqKindAnalogInput, 1, 200);
    EXPECT_EQ(api_.DaqAllocateRequestVB(0, &record), kDaqErrNoDevice);
    EXPECT_EQ(api_.DaqAllocateRequestVB(device.handle() + 1, &record), kDaqErrNoDevice);
    EXPECT_EQ(api_.DaqCloseDeviceVB(device.handle() + 1), kDaqErrNoDevice);
    EXPECT_EQ(api_.DaqFreeRequestVB(device.handle() + 1, 5, nullptr), kDaqErrNoDevice);
    DaqADRequestRecord request{};
    uint16_t handle = 0;
    EXPECT_EQ(api_.DaqAnalogInputVB(0, &request, &handle), kDaqErrNoDevice);
    EXPECT_EQ(record.memoryId, 0u);
}

struct ResolutionCase {
    int bits;
    uint32_t samples;
};

class HalvexResolution : public HalvexDevice, public ::testing::WithParamInterface<ResolutionCase> {};

TEST_P(HalvexResolution, EveryDescriptorGetsBufferSizeOverBytesPerSampleAndFlag2) {
    BridgeDevice device(config({"Resolution = " + std::to_string(GetParam().bits)}));
    ASSERT_EQ(device.openCode(), kDaqOk);
    DaqAllocRecord record = allocRecord(kDaqKindAnalogInput, 1, 8000, 3);
    ASSERT_EQ(api_.DaqAllocateRequestVB(device.handle(), &record), kDaqOk);
    ASSERT_NE(record.requestRecordAddress, 0u);
    ASSERT_NE(record.memoryId, 0u);
    const auto* driverRecord = daqPointer<DaqADRequestRecord>(record.requestRecordAddress);
    const auto* descriptors = daqPointer<DaqBufferDescriptor>(driverRecord->bufferListAddress);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(descriptors[i].sampleCount, GetParam().samples) << "buffer " << i;
        EXPECT_EQ(descriptors[i].flag, kDaqBufferFree) << "buffer " << i;
    }
    EXPECT_EQ(api_.DaqFreeRequestVB(device.handle(), record.memoryId, nullptr), kDaqOk);
}

INSTANTIATE_TEST_SUITE_P(Converters, HalvexResolution,
                         ::testing::Values(ResolutionCase{12, 4000}, ResolutionCase{8, 8000},
                                           ResolutionCase{16, 4000}, ResolutionCase{9, 4000},
                                           ResolutionCase{24, 2000}),
                         [](const auto& info) { return std::to_string(info.param.bits) + "bit"; });

TEST_F(HalvexDevice, OutputAndDigitalKindsTakeTheirOwnSampleWidths) {
    BridgeDevice device(config({"DAResolution = 12"}));
    DaqAllocRecord analogOut = allocRecord(kDaqKindAnalogOutput, 1, 100);
    DaqAllocRecord digitalIn = allocRecord(kDaqKindDigitalInput, 1, 100);
    ASSERT_EQ(api_.DaqAllocateRequestVB(device.handle(), &analogOut), kDaqOk);
    ASSERT_EQ(api_.DaqAllocateRequestVB(device.handle(), &digitalIn), kDaqOk);
    auto firstDescriptor = [](const DaqAllocRecord& r) {
        return *daqPointer<DaqBufferDescriptor>(
            daqPointer<DaqRequestRecord>(r.requestRecordAddress)->bufferListAddress);
    };
    EXPECT_EQ(firstDescriptor(analogOut).sampleCount, 50u);
    EXPECT_EQ(firstDescriptor(digitalIn).sampleCount, 100u);
    EXPECT_EQ(api_.SimDaqAllocatedRequestCount(), 2u);
    // Closing hands back what the device still holds, before the driver's
    // device goes: the driver never had to clean up after the bridge.
    const uint32_t forced = api_.SimDaqForcedCleanupCount();
    EXPECT_EQ(device.close(), kDaqOk);
    EXPECT_EQ(api_.SimDaqForcedCleanupCount(), forced);
}

TEST_F(HalvexDevice, UnknownKindReturns120AndHandsTheNewMemoryBack) {
    BridgeDevice device(config());
    DaqAllocRecord record = allocRecord(4, 1, 100);
    EXPECT_EQ(api_.DaqAllocateRequestVB(device.handle(), &record), kDaqErrNoEntry);
    EXPECT_EQ(api_.SimDaqAllocatedRequestCount(), 0u);
    EXPECT_EQ(record.requestRecordAddress, 0u);
    EXPECT_EQ(record.memoryId, 0u);
}

TEST_F(HalvexDevice, ASecondAllocationOfAKindFreesTheFirst) {
    BridgeDevice device(config());
    DaqAllocRecord first = allocRecord(kDaqKindAnalogInput, 1, 100);
    DaqAllocRecord second = allocRecord(kDaqKindAnalogInput, 2, 400);
    ASSERT_EQ(api_.DaqAllocateRequestVB(device.handle(), &first), kDaqOk);
    ASSERT_EQ(api_.DaqAllocateRequestVB(device.handle(), &second), kDaqOk);
    EXPECT_NE(first.memoryId, second.memoryId);
    EXPECT_EQ(api_.SimDaqAllocatedRequestCount(), 1u);
    EXPECT_EQ(api_.DaqFreeRequestVB(device.handle(), first.memoryId, nullptr), kDaqErrUnknownMemory);
    EXPECT_EQ(api_.DaqFreeRequestVB(device.handle(), second.memoryId, nullptr), kDaqOk);
}

TEST_F(HalvexDevice, ADriverRefusalAtAllocationKeepsTheEarlierMemory) {
    BridgeDevice device(config());
    DaqAllocRecord first = allocRecord(kDaqKindAnalogInput, 1, 100);
    ASSERT_EQ(api_.DaqAllocateRequestVB(device.handle(), &first), kDaqOk);
    DaqAllocRecord refused = allocRecord(kDaqKindAnalogInput, 1, 100, 0);
    EXPECT_EQ(api_.DaqAllocateRequestVB(device.handle(), &refused), sim::kSimBadArgument);
    EXPECT_EQ(refused.memoryId, 0u);
    EXPECT_EQ(api_.SimDaqAllocatedRequestCount(), 1u);
    EXPECT_EQ(api_.DaqFreeRequestVB(device.handle(), first.memoryId, nullptr), kDaqOk);
}

TEST_F(HalvexDevice, AllocationFaultOfTheDriverComesBackAsItsCode) {
    BridgeDevice device(config({"FailAllocate = 2101"}));
    DaqAllocRecord record = allocRecord(kDaqKindAnalogInput, 1, 100);
    EXPECT_EQ(api_.DaqAllocateRequestVB(device.handle(), &record), 2101);
}

TEST_F(HalvexDevice, FreeWithAnIdentifierOfNoKindReturns310) {
    BridgeDevice device(config());
    DaqAllocRecord record = allocRecord(kDaqKindDigitalOutput, 1, 64);
    ASSERT_EQ(api_.DaqAllocateRequestVB(device.handle(), &record), kDaqOk);
    EXPECT_EQ(api_.DaqFreeRequestVB(device.handle(), record.memoryId + 1, nullptr), kDaqErrUnknownMemory);
    EXPECT_EQ(api_.SimDaqAllocatedRequestCount(), 1u);
    EXPECT_EQ(api_.DaqFreeRequestVB(device.handle(), record.memoryId, nullptr), kDaqOk);
    EXPECT_EQ(api_.SimDaqAllocatedRequestCount(), 0u);
    EXPECT_EQ(api_.DaqFreeRequestVB(device.handle(), record.memoryId, nullptr), kDaqErrUnknownMemory);
}

TEST_F(HalvexDevice, ConfigurationRecordsPassThroughTheirExports) {
    BridgeDevice device(config({"Resolution = 12", "Channels = 2"}));
    LowMemoryArray<uint8_t> info(52);
    ASSERT_EQ(api_.DaqGetDeviceCfgInfoVB(device.handle(), info.address()), kDaqOk);
    uint16_t analogSubsystems;
    std::memcpy(&analogSubsystems, info.data() + kDaqDeviceCfgADCountOffset, 2);
    EXPECT_EQ(analogSubsystems, 1);
    ASSERT_EQ(api_.DaqGetADCfgInfoVB(device.handle(), 0, info.address()), kDaqOk);
    uint16_t bits;
    std::memcpy(&bits, info.data(), 2);
    EXPECT_EQ(bits, 12);
    EXPECT_EQ(api_.DaqGetADCfgInfoVB(device.handle(), 1, info.address()), sim::kSimNotSupported);
    EXPECT_EQ(api_.DaqGetSigConCfgInfoVB(device.handle(), 0, info.address()), sim::kSimNotSupported);
    LowMemoryArray<uint32_t> version(3);
    ASSERT_EQ(api_.DaqVersionNumberVB(0, version.address(), version.address() + 4, version.address() + 8),
              kDaqOk);
    EXPECT_EQ(version[0], 1u);
    ASSERT_EQ(api_.DaqWordsToBytesVB(4000, 2, version.address()), kDaqOk);
    EXPECT_EQ(version[0], 8000u);
}

TEST_F(HalvexDevice, AddressOfAVariableAboveFourGiBIsZero) {
    int onTheStack = 0;
    EXPECT_EQ(api_.DaqGetAddressOfVB(&onTheStack), 0u);
    LowMemoryArray<float> gains(4);
    EXPECT_EQ(api_.DaqGetAddressOfVB(gains.data()), gains.address());
    EXPECT_EQ(api_.DaqGetAddressOfVB(&gains[2]), gains.address() + 8);
}

}  // namespace
}  // namespace morva::test
