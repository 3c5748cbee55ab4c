// Submission through the bridge: the field-by-field copy, the active request
// of a kind, events and their mask, buffers and flags.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "bridge/low_memory.h"
#include "driver/sim_codes.h"
#include "tests/bridge/daq_test_support.h"

namespace morva::test {
namespace {

// What a caller's event procedure saw (one test at a time).
struct SeenEvent {
    uint16_t request, code, data;
};
std::vector<SeenEvent> seenEvents;
void recordEvent(uint16_t request, uint16_t code, uint16_t data) {
    seenEvents.push_back({request, code, data});
}

// Fills every byte of a record with a pattern that differs per byte.
template <typename Record>
void fillPattern(Record& record, uint8_t seed) {
    auto* bytes = reinterpret_cast<uint8_t*>(&record);
    for (size_t i = 0; i < sizeof(Record); ++i)
        bytes[i] = static_cast<uint8_t>(seed + 7 * i);
}

// Byte ranges [offset, offset + width) that submission copies.
struct Field {
    size_t offset, width;
};
const std::vector<Field> kCopiedAD = {{32, 2}, {34, 2}, {36, 2}, {38, 2},  {40, 4}, {44, 4},
                                      {48, 4}, {60, 2}, {62, 2}, {64, 4},  {68, 4}, {72, 4},
                                      {76, 4}, {88, 4}, {92, 4}, {112, 2}, {114, 2}};
const std::vector<Field> kCopiedShort = {{28, 2}, {30, 2}, {32, 2}, {34, 2}, {36, 4}, {40, 4},
                                         {44, 4}, {56, 2}, {58, 2}, {60, 4}, {64, 4}, {68, 4},
                                         {72, 4}, {84, 4}, {88, 4}, {108, 2}};

bool isCopied(const std::vector<Field>& fields, size_t offset) {
    for (const Field& f : fields) {
        if (offset >= f.offset && offset < f.offset + f.width) return true;
    }
    return false;
}

class HalvexSubmit : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(boardCounts(), (BoardCounts{0, 0, 0})) << "an earlier test left the board busy";
        seenEvents.clear();
    }
    void TearDown() override { EXPECT_EQ(boardCounts(), (BoardCounts{0, 0, 0})) << "the test leaked"; }

    std::string config(const std::vector<std::string>& extra = {}) {
        return writeBoardConfig(folder_.path(), "daqtest.dat", extra);
    }

    // A caller's A/D request of `samples` per channel on the channels 0..n-1.
    DaqADRequestRecord adRequest(uint16_t channelCount, uint32_t samples, double rate) {
        for (uint16_t i = 0; i < channelCount; ++i) {
            channels_[i] = i;
            gains_[i] = 1.0f;
        }
        DaqADRequestRecord r{};
        r.channelListAddress = channels_.address();
        r.gainListAddress = gains_.address();
        r.channelCount = channelCount;
        r.samplingRate = rate;
        r.samplesPerChannel = samples;
        return r;
    }

    // Allocates and submits an A/D request; returns its handle.
    uint16_t submitAD(const BridgeDevice& device, DaqADRequestRecord& request, DaqAllocRecord& alloc) {
        EXPECT_EQ(api_.DaqAllocateRequestVB(device.handle(), &alloc), kDaqOk);
        uint16_t handle = 0;
        EXPECT_EQ(api_.DaqAnalogInputVB(device.handle(), &request, &handle), kDaqOk);
        EXPECT_NE(handle, 0);
        return handle;
    }

    void finish(uint16_t device, uint16_t request, const DaqAllocRecord& alloc) {
        EXPECT_EQ(api_.DaqReleaseRequestVB(request), kDaqOk);
        EXPECT_EQ(api_.DaqFreeRequestVB(device, alloc.memoryId, daqPointer<void>(alloc.requestRecordAddress)),
                  kDaqOk);
    }

    const DaqLibraries& api_ = DaqLibraries::get();
    TempFolder folder_;
    LowMemoryArray<uint16_t> channels_{4};
    LowMemoryArray<float> gains_{4};
};

TEST_F(HalvexSubmit, BeforeAllocationReturns120) {
    BridgeDevice device(config());
    DaqADRequestRecord request = adRequest(1, 10, 1000);
    uint16_t handle = 0xBEEF;
    EXPECT_EQ(api_.DaqAnalogInputVB(device.handle(), &request, &handle), kDaqErrNoEntry);
    DaqRequestRecord shortRequest{};
    EXPECT_EQ(api_.DaqDigitalOutputVB(device.handle(), &shortRequest, &handle), kDaqErrNoEntry);
    EXPECT_EQ(api_.SimDaqLiveRequestCount(), 0u);
}

TEST_F(HalvexSubmit, ASecondSubmissionWhileTheFirstIsActiveReturns810) {
    BridgeDevice device(config());
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 1, 200);
    DaqADRequestRecord request = adRequest(1, 100, 1000);
    const uint16_t first = submitAD(device, request, alloc);
    uint16_t second = 0xBEEF;
    EXPECT_EQ(api_.DaqAnalogInputVB(device.handle(), &request, &second), kDaqErrRequestActive);
    EXPECT_EQ(second, 0xBEEF);
    EXPECT_EQ(api_.SimDaqLiveRequestCount(), 1u);
    // After the release the kind takes a new request.
    ASSERT_EQ(api_.DaqReleaseRequestVB(first), kDaqOk);
    EXPECT_EQ(api_.DaqAnalogInputVB(device.handle(), &request, &second), kDaqOk);
    finish(device.handle(), second, alloc);
}

TEST_F(HalvexSubmit, CopiesEveryCopiedFieldOfTheADRecordByteExactlyAndClearsTheStatus) {
    BridgeDevice device(config());
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 2, 400);
    ASSERT_EQ(api_.DaqAllocateRequestVB(device.handle(), &alloc), kDaqOk);
    auto* driverRecord = daqPointer<DaqADRequestRecord>(alloc.requestRecordAddress);
    driverRecord->status = 0xFFFFFFFF;  // left over from an earlier run
    const DaqADRequestRecord before = *driverRecord;

    DaqADRequestRecord caller;
    fillPattern(caller, 0x11);
    channels_[0] = 1;
    channels_[1] = 0;
    gains_[0] = 2.0f;
    gains_[1] = 0.5f;
    caller.channelListAddress = channels_.address();
    caller.gainListAddress = gains_.address();
    caller.samplingRate = 12345.678901234;  // both halves carry bits
    caller.samplesPerChannel = 100;
    caller.status = 0x12345678;
    const DaqADRequestRecord callerBefore = caller;

    uint16_t handle = 0;
    ASSERT_EQ(api_.DaqAnalogInputVB(device.handle(), &caller, &handle), kDaqOk);
    const auto* got = reinterpret_cast<const uint8_t*>(driverRecord);
    const auto* want = reinterpret_cast<const uint8_t*>(&caller);
    const auto* kept = reinterpret_cast<const uint8_t*>(&before);
    for (size_t i = 0; i < 116; ++i) {
        if (isCopied(kCopiedAD, i)) {
            EXPECT_EQ(got[i], want[i]) << "copied byte " << i;
        } else {
            EXPECT_EQ(got[i], kept[i]) << "byte " << i << " is the driver's";
        }
    }
    uint32_t low, high;
    std::memcpy(&low, got + 72, 4);
    std::memcpy(&high, got + 76, 4);
    uint64_t bits;
    std::memcpy(&bits, &callerBefore.samplingRate, 8);
    EXPECT_EQ(low, static_cast<uint32_t>(bits));
    EXPECT_EQ(high, static_cast<uint32_t>(bits >> 32));
    EXPECT_EQ(driverRecord->status, 0u);
    EXPECT_EQ(caller.status, 0x12345678u) << "submission leaves the caller's status alone";
    // The lists' contents went into the driver's own lists.
    EXPECT_EQ(daqPointer<uint16_t>(driverRecord->channelListAddress)[0], 1);
    EXPECT_EQ(daqPointer<uint16_t>(driverRecord->channelListAddress)[1], 0);
    EXPECT_EQ(daqPointer<float>(driverRecord->gainListAddress)[0], 2.0f);
    EXPECT_EQ(daqPointer<float>(driverRecord->gainListAddress)[1], 0.5f);
    EXPECT_NE(driverRecord->channelListAddress, caller.channelListAddress);
    finish(device.handle(), handle, alloc);
}

struct ShortKind {
    uint32_t kind;
    bool copiesField110;
    const char* name;
};

class HalvexShortSubmit : public HalvexSubmit, public ::testing::WithParamInterface<ShortKind> {};

TEST_P(HalvexShortSubmit, CopiesTheShortRecordFieldsWithField110ForAnalogOutputOnly) {
    BridgeDevice device(config());
    const uint32_t kind = GetParam().kind;
    DaqAllocRecord alloc = allocRecord(kind, 1, 64);
    ASSERT_EQ(api_.DaqAllocateRequestVB(device.handle(), &alloc), kDaqOk);
    auto* driverRecord = daqPointer<DaqRequestRecord>(alloc.requestRecordAddress);
    driverRecord->status = 0xFFFFFFFF;
    driverRecord->field110 = 0x0BAD;
    const DaqRequestRecord before = *driverRecord;

    DaqRequestRecord caller;
    fillPattern(caller, 0x40);
    channels_[0] = 1;
    caller.channelListAddress = channels_.address();
    const double rate = 2500.125;
    std::memcpy(&caller.samplingRateLow, &rate, 8);
    caller.samplesPerChannel = 10;
    uint16_t handle = 0;
    const auto submitExport = kind == kDaqKindAnalogOutput   ? api_.DaqAnalogOutputVB
                              : kind == kDaqKindDigitalInput ? api_.DaqDigitalInputVB
                                                             : api_.DaqDigitalOutputVB;
    ASSERT_EQ(submitExport(device.handle(), &caller, &handle), kDaqOk);

    const auto* got = reinterpret_cast<const uint8_t*>(driverRecord);
    const auto* want = reinterpret_cast<const uint8_t*>(&caller);
    const auto* kept = reinterpret_cast<const uint8_t*>(&before);
    std::vector<Field> copied = kCopiedShort;
    if (GetParam().copiesField110) copied.push_back({110, 2});
    for (size_t i = 0; i < 112; ++i) {
        if (isCopied(copied, i)) {
            EXPECT_EQ(got[i], want[i]) << "copied byte " << i;
        } else {
            EXPECT_EQ(got[i], kept[i]) << "byte " << i << " is the driver's";
        }
    }
    EXPECT_EQ(driverRecord->status, 0u);
    EXPECT_EQ(daqPointer<uint16_t>(driverRecord->channelListAddress)[0], 1);
    finish(device.handle(), handle, alloc);
}

INSTANTIATE_TEST_SUITE_P(Kinds, HalvexShortSubmit,
                         ::testing::Values(ShortKind{kDaqKindAnalogOutput, true, "AnalogOutput"},
                                           ShortKind{kDaqKindDigitalInput, false, "DigitalInput"},
                                           ShortKind{kDaqKindDigitalOutput, false, "DigitalOutput"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HalvexSubmit, ADriverRefusalLeavesNoActiveRequest) {
    BridgeDevice device(config({"FailSubmit = 2102"}));
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 1, 200);
    ASSERT_EQ(api_.DaqAllocateRequestVB(device.handle(), &alloc), kDaqOk);
    DaqADRequestRecord request = adRequest(1, 100, 1000);
    uint16_t handle = 0xBEEF;
    EXPECT_EQ(api_.DaqAnalogInputVB(device.handle(), &request, &handle), 2102);
    EXPECT_EQ(handle, 0);
    // Still no active request: the next attempt reaches the driver again
    // instead of meeting 810.
    EXPECT_EQ(api_.DaqAnalogInputVB(device.handle(), &request, &handle), 2102);
    EXPECT_EQ(api_.DaqFreeRequestVB(device.handle(), alloc.memoryId, nullptr), kDaqOk);
}

TEST_F(HalvexSubmit, ListAddressesOfZeroAreRefusedBeforeTheDriverSeesThem) {
    BridgeDevice device(config());
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 1, 200);
    ASSERT_EQ(api_.DaqAllocateRequestVB(device.handle(), &alloc), kDaqOk);
    DaqADRequestRecord request = adRequest(1, 100, 1000);
    request.gainListAddress = 0;  // a list above 4 GiB has no 32-bit address
    uint16_t handle = 0;
    EXPECT_EQ(api_.DaqAnalogInputVB(device.handle(), &request, &handle), kDaqErrBadArgument);
    EXPECT_EQ(api_.DaqAnalogInputVB(device.handle(), nullptr, &handle), kDaqErrBadArgument);
    EXPECT_EQ(api_.SimDaqLiveRequestCount(), 0u);
    EXPECT_EQ(api_.DaqFreeRequestVB(device.handle(), alloc.memoryId, nullptr), kDaqOk);
}

TEST_F(HalvexSubmit, AnInstantAcquisitionCompletesDuringArmAndItsBufferIsReadOnce) {
    BridgeDevice device(config({"Section = sensitivity"}));
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 2, 2 * 2 * 300);
    DaqADRequestRecord request = adRequest(2, 300, 3000);
    const uint16_t handle = submitAD(device, request, alloc);
    ASSERT_EQ(api_.DaqNotifyEventVB(handle, &recordEvent, 0xFFFFFFFF), kDaqOk);
    ASSERT_EQ(api_.DaqArmRequestVB(handle), kDaqOk);
    EXPECT_EQ(daqLoadStatus(request.status), kDaqStatusTriggered | kDaqStatusDone);
    ASSERT_EQ(seenEvents.size(), 4u);
    EXPECT_EQ(seenEvents[0].code, kDaqEventArmed);
    EXPECT_EQ(seenEvents[1].code, kDaqEventTriggered);
    EXPECT_EQ(seenEvents[2].code, kDaqEventBufferDone);
    EXPECT_EQ(seenEvents[3].code, kDaqEventRequestDone);
    for (const SeenEvent& e : seenEvents)
        EXPECT_EQ(e.request, handle);

    uint16_t flag = 0;
    ASSERT_EQ(api_.DaqReadBufferFlagVB(handle, 0, &flag), kDaqOk);
    EXPECT_EQ(flag, kDaqBufferFilledByDriver);
    std::vector<int16_t> samples(600, -1);
    ASSERT_EQ(api_.DaqReadBufferVB(handle, 0, samples.data()), kDaqOk);
    ASSERT_EQ(api_.DaqReadBufferFlagVB(handle, 0, &flag), kDaqOk);
    EXPECT_EQ(flag, kDaqBufferFree);
    // Noise-free sensitivity section: every level lies between the floor
    // (1000 mV) and the top (1000 + 40 x 10 mV) of the trapezoid.
    const double countsPerMillivolt = 32672 / 10000.0;
    for (int16_t s : samples) {
        EXPECT_GE(s, std::floor(1000 * countsPerMillivolt));
        EXPECT_LE(s, std::ceil(1400 * countsPerMillivolt));
    }
    finish(device.handle(), handle, alloc);
}

TEST_F(HalvexSubmit, AnEventOutsideTheMaskUpdatesTheStatusWithoutCallingTheProcedure) {
    BridgeDevice device(config());
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 1, 200);
    DaqADRequestRecord request = adRequest(1, 100, 1000);
    const uint16_t handle = submitAD(device, request, alloc);
    auto* driverRecord = daqPointer<DaqADRequestRecord>(alloc.requestRecordAddress);
    ASSERT_EQ(api_.DaqNotifyEventVB(handle, &recordEvent, 1u << 7), kDaqOk);

    driverRecord->status = 0xABCD0002;
    api_.DaqEventProc(handle, 6, 99);
    EXPECT_EQ(request.status, 0xABCD0002u);
    EXPECT_TRUE(seenEvents.empty());

    driverRecord->status = 0x80000000;
    api_.DaqEventProc(handle, 7, 99);
    EXPECT_EQ(request.status, 0x80000000u);
    ASSERT_EQ(seenEvents.size(), 1u);
    EXPECT_EQ(seenEvents[0].code, 7);
    EXPECT_EQ(seenEvents[0].data, 99);
    // Code 39 selects bit 39 mod 32 = 7 as well.
    api_.DaqEventProc(handle, 39, 1);
    EXPECT_EQ(seenEvents.size(), 2u);
    // An unknown handle changes nothing.
    driverRecord->status = 5;
    api_.DaqEventProc(static_cast<uint16_t>(handle + 100), 7, 0);
    EXPECT_EQ(request.status, 0x80000000u);
    EXPECT_EQ(seenEvents.size(), 2u);

    // Through the driver: the procedure hears only the armed event, yet
    // the status shows the completed acquisition.
    seenEvents.clear();
    ASSERT_EQ(api_.DaqNotifyEventVB(handle, &recordEvent, 1u << kDaqEventArmed), kDaqOk);
    ASSERT_EQ(api_.DaqArmRequestVB(handle), kDaqOk);
    ASSERT_EQ(seenEvents.size(), 1u);
    EXPECT_EQ(seenEvents[0].code, kDaqEventArmed);
    EXPECT_EQ(request.status, kDaqStatusTriggered | kDaqStatusDone);
    finish(device.handle(), handle, alloc);
}

TEST_F(HalvexSubmit, ANotificationDoesNotCarryOverToTheNextRequest) {
    BridgeDevice device(config());
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 1, 200);
    DaqADRequestRecord request = adRequest(1, 100, 1000);
    const uint16_t first = submitAD(device, request, alloc);
    ASSERT_EQ(api_.DaqNotifyEventVB(first, &recordEvent, 0xFFFFFFFF), kDaqOk);
    ASSERT_EQ(api_.DaqReleaseRequestVB(first), kDaqOk);
    uint16_t second = 0;
    ASSERT_EQ(api_.DaqAnalogInputVB(device.handle(), &request, &second), kDaqOk);
    ASSERT_EQ(api_.DaqArmRequestVB(second), kDaqOk);
    EXPECT_TRUE(seenEvents.empty());
    EXPECT_EQ(request.status, kDaqStatusTriggered | kDaqStatusDone);
    finish(device.handle(), second, alloc);
}

TEST_F(HalvexSubmit, UnknownRequestHandlesGive150OrTheDriversCode) {
    EXPECT_EQ(api_.DaqNotifyEventVB(77, &recordEvent, 1), kDaqErrNoRequest);
    EXPECT_EQ(api_.DaqReleaseRequestVB(77), kDaqErrNoRequest);
    EXPECT_EQ(api_.DaqReleaseRequestVB(0), kDaqErrNoRequest);
    uint16_t flag;
    EXPECT_EQ(api_.DaqReadBufferFlagVB(77, 0, &flag), kDaqErrNoRequest);
    EXPECT_EQ(api_.DaqWriteBufferFlagVB(77, 0, 1), kDaqErrNoRequest);
    // Arming is the driver's business: its own code comes back unchanged.
    EXPECT_EQ(api_.DaqArmRequestVB(77), sim::kSimBadRequest);
    uint32_t code;
    EXPECT_EQ(api_.DaqGetRuntimeErrorVB(77, &code), sim::kSimBadRequest);
}

TEST_F(HalvexSubmit, BufferCopiesGoOneWayOnlyAndStayWithinTheBuffers) {
    BridgeDevice device(config());
    DaqAllocRecord adAlloc = allocRecord(kDaqKindAnalogInput, 1, 200);
    DaqADRequestRecord adRequestRecord = adRequest(1, 100, 1000);
    const uint16_t input = submitAD(device, adRequestRecord, adAlloc);
    DaqAllocRecord daAlloc = allocRecord(kDaqKindAnalogOutput, 1, 8, 2);
    ASSERT_EQ(api_.DaqAllocateRequestVB(device.handle(), &daAlloc), kDaqOk);
    DaqRequestRecord daRequest{};
    daRequest.channelListAddress = channels_.address();
    channels_[0] = 0;
    const double rate = 1000;
    std::memcpy(&daRequest.samplingRateLow, &rate, 8);
    daRequest.samplesPerChannel = 8;
    uint16_t output = 0;
    ASSERT_EQ(api_.DaqAnalogOutputVB(device.handle(), &daRequest, &output), kDaqOk);

    std::vector<uint8_t> data(200);
    EXPECT_EQ(api_.DaqReadBufferVB(output, 0, data.data()), kDaqErrNoRequest);
    EXPECT_EQ(api_.DaqWriteBufferVB(input, 0, 4, data.data()), kDaqErrNoRequest);
    EXPECT_EQ(api_.DaqReadBufferVB(input, 1, data.data()), kDaqErrBadArgument);
    EXPECT_EQ(api_.DaqWriteBufferVB(output, 2, 4, data.data()), kDaqErrBadArgument);
    uint16_t flag;
    EXPECT_EQ(api_.DaqReadBufferFlagVB(output, 2, &flag), kDaqErrBadArgument);

    // Writing fills the buffer, flags it 1 and keeps the count; the D/A
    // request then plays it and hands it back free.
    const int16_t values[4] = {100, -200, 300, -400};
    ASSERT_EQ(api_.DaqWriteBufferVB(output, 1, 4, values), kDaqOk);
    const auto* list = daqPointer<DaqBufferDescriptor>(
        daqPointer<DaqRequestRecord>(daAlloc.requestRecordAddress)->bufferListAddress);
    EXPECT_EQ(list[1].flag, kDaqBufferFilledByCaller);
    EXPECT_EQ(list[1].writeCount, 4u);
    EXPECT_EQ(std::memcmp(daqPointer<void>(list[1].dataAddress), values, 8), 0);
    ASSERT_EQ(api_.DaqWriteBufferFlagVB(output, 0, kDaqBufferFilledByCaller), kDaqOk);
    ASSERT_EQ(api_.DaqReadBufferFlagVB(output, 0, &flag), kDaqOk);
    EXPECT_EQ(flag, kDaqBufferFilledByCaller);
    ASSERT_EQ(api_.DaqArmRequestVB(output), kDaqOk);
    EXPECT_EQ(daRequest.status, kDaqStatusTriggered | kDaqStatusDone);
    EXPECT_EQ(list[0].flag, kDaqBufferFree);
    EXPECT_EQ(list[1].flag, kDaqBufferFree);

    finish(device.handle(), input, adAlloc);
    finish(device.handle(), output, daAlloc);
}

TEST_F(HalvexSubmit, RunTimeErrorSetsStatusBit31AndItsCodeComesBack) {
    BridgeDevice device(config({"RuntimeError = 3100"}));
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 1, 200);
    DaqADRequestRecord request = adRequest(1, 100, 1000);
    const uint16_t handle = submitAD(device, request, alloc);
    ASSERT_EQ(api_.DaqArmRequestVB(handle), kDaqOk);
    EXPECT_NE(request.status & kDaqStatusError, 0u);
    EXPECT_EQ(request.status & kDaqStatusDone, 0u);
    uint32_t code = 0;
    ASSERT_EQ(api_.DaqGetRuntimeErrorVB(handle, &code), kDaqOk);
    EXPECT_EQ(code, 3100u);
    finish(device.handle(), handle, alloc);
}

TEST_F(HalvexSubmit, ClosingWithoutReleaseLeavesNoStaleRequestForTheNextDevice) {
    const std::string path = config();
    DaqAllocRecord alloc = allocRecord(kDaqKindAnalogInput, 1, 200);
    DaqADRequestRecord request = adRequest(1, 100, 1000);
    {
        BridgeDevice device(path);
        submitAD(device, request, alloc);
    }  // closed with its request still active
    BridgeDevice next(path);
    DaqAllocRecord nextAlloc = allocRecord(kDaqKindAnalogInput, 1, 200);
    const uint16_t handle = submitAD(next, request, nextAlloc);
    finish(next.handle(), handle, nextAlloc);
}

}  // namespace
}  // namespace morva::test
