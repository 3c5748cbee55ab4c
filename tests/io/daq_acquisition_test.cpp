// One acquisition against the simulated board (instant timing) on the
// deterministic loop: the bridge and the driver are the built libraries of
// the program folder, loaded as the program loads them.

#include "io/daq_acquisition.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "forms/application.h"
#include "forms/scripted_dialogs.h"
#include "forms/test_loop.h"
#include "window/frm_main.h"

namespace morva {
namespace {

namespace fs = std::filesystem;

const std::string kProgramFolder = MORVA_TEST_PROGRAM_FOLDER;
constexpr int16_t kSentinel = 0x7777;
const std::string kDriverError = "Daqdrive returns error. Please check daqdrive manual!\r\nError Code = ";

// The simulated board's counters of what is open right now.
struct BoardCounts {
    using Counter = uint32_t (*)();
    Counter open = nullptr, live = nullptr, allocated = nullptr;
    BoardCounts() {
        void* lib = dlopen((kProgramFolder + "libddrive32.so").c_str(), RTLD_NOW);
        if (lib == nullptr) return;
        open = reinterpret_cast<Counter>(dlsym(lib, "SimDaqOpenDeviceCount"));
        live = reinterpret_cast<Counter>(dlsym(lib, "SimDaqLiveRequestCount"));
        allocated = reinterpret_cast<Counter>(dlsym(lib, "SimDaqAllocatedRequestCount"));
    }
    bool usable() const { return open && live && allocated; }
};

std::string makeTempFolder() {
    std::string pattern = (fs::temp_directory_path() / "morva-daqio-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return {};
    return pattern;
}

class DaqAcquisitionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(board.usable()) << "libddrive32.so with its test hooks in " << kProgramFolder;
        folder = makeTempFolder();
        ASSERT_FALSE(folder.empty());
        MainState& s = w->st;
        s.ProgramFolder = kProgramFolder;
        s.settings.Path_DaqConfigFile = folder;  // no trailing separator on purpose
        s.settings.n_AD_Entry = 1;
        s.settings.AD_DeviceType[0] = "SimDAQ";
        s.settings.AD_DllName[0] = "ddrive32";
        s.settings.AD_ConfigFile[0] = "daqtest.dat";
        s.settings.AD_Resolution_Default[0] = 32672;
        s.settings.AD_nChannel[0] = 2;
        s.settings.Interval_Timer_AD_TRG = 400;
        s.settings.AD_TriggerType = 3;
        s.settings.AD_TriggerSlope = 1;
        s.settings.AD_IOmode = 5;
        s.ADChannelList = {0, 1, 2, 3};
        s.ADGainList = {1.0f, 1.0f, 1.0f, 1.0f};
        s.settings.n_AD_Channel = 2;
        s.daq.n_AD_Sample = 1000;
        s.daq.AD_SamplingRate = 100000.0;  // linearity section of the simulated signal
        s.ADData.fill(kSentinel);
        Wire_Acquisition(*w);
    }
    void TearDown() override {
        std::error_code ec;
        if (!folder.empty()) fs::remove_all(folder, ec);
    }

    void writeConfig(const std::string& extra = "", const std::string& name = "daqtest.dat") {
        std::ofstream out(fs::path(folder) / name);
        out << "[MORVA Simulated A/D Board] Ver.1.00\nDeviceType = SimDAQ\nTiming = instant\nChannels = 2\n"
               "Noise = 0\nFullScaleCount = 32672\n"
            << extra;
    }
    void select() { w->lbl_Name_AD_DeviceType.setCaption("SimDAQ"); }
    void prepare(const std::string& extra = "") {
        writeConfig(extra);
        select();
        ASSERT_TRUE(dialogs.shown().empty());
    }

    void expectReleased() const {
        EXPECT_EQ(w->st.daq.DaqBusy, 0);
        EXPECT_EQ(w->st.daq.DaqDeviceHandle, 0);
        EXPECT_EQ(w->st.daq.DaqRequestHandle, 0);
        EXPECT_FALSE(w->timer_chk_AD_TRG.enabled());
        EXPECT_EQ(board.open(), 0u);
        EXPECT_EQ(board.live(), 0u);
        EXPECT_EQ(board.allocated(), 0u);
    }

    BoardCounts board;
    std::string folder;
    forms::TestLoop loop;
    forms::ScriptedDialogs dialogs;
    forms::Application app{loop, dialogs};
    std::unique_ptr<FrmMain> w = std::make_unique<FrmMain>(app);
};

TEST_F(DaqAcquisitionTest, CompleteRunCopiesTheSamplesAndReleasesTheBoard) {
    prepare();
    w->proc.Run_DaqAcquisition();
    EXPECT_TRUE(dialogs.shown().empty());
    expectReleased();
    EXPECT_EQ(w->st.daq.DaqError, 0);
    // 2100..2900 mV on both channels: about 6860..9480 counts.
    for (int i = 0; i < 2000; ++i) {
        ASSERT_GE(w->st.ADData[i], 6000) << i;
        ASSERT_LE(w->st.ADData[i], 10000) << i;
    }
    EXPECT_TRUE(std::all_of(w->st.ADData.begin() + 2000, w->st.ADData.end(),
                            [](int16_t v) { return v == kSentinel; }));

    const DaqCallerRecords* r = DaqCallerRecordsOf(*w);
    ASSERT_NE(r, nullptr);
    EXPECT_LT(reinterpret_cast<uintptr_t>(r), uintptr_t{1} << 32);
    EXPECT_EQ(r->DaqAllocReq.requestKind, kDaqKindAnalogInput);
    EXPECT_EQ(r->DaqAllocReq.channelCount, 2);
    EXPECT_EQ(r->DaqAllocReq.bufferCount, 1);
    EXPECT_EQ(r->DaqAllocReq.bufferSize, 4000u);
    EXPECT_EQ(r->DaqAllocReq.driverParameter, 1);
    EXPECT_EQ(r->DaqADReq.channelListAddress, daqLowAddress(&r->ADChannelList[0]));
    EXPECT_EQ(r->DaqADReq.gainListAddress, daqLowAddress(&r->ADGainList[0]));
    EXPECT_EQ(r->DaqADReq.triggerType, 3);
    EXPECT_EQ(r->DaqADReq.triggerSlope, 1);
    EXPECT_EQ(r->DaqADReq.ioMode, 5);
    EXPECT_EQ(r->DaqADReq.samplesPerChannel, 1000u);
}

TEST_F(DaqAcquisitionTest, RunsBackToBackAndFillsExactlyTheWholeDataArray) {
    prepare();
    w->st.settings.n_AD_Channel = 1;
    w->st.daq.n_AD_Sample = static_cast<int32_t>(w->st.ADData.size());
    w->proc.Run_DaqAcquisition();
    w->proc.Run_DaqAcquisition();
    EXPECT_TRUE(dialogs.shown().empty());
    expectReleased();
    EXPECT_NE(w->st.ADData.back(), kSentinel);
}

TEST_F(DaqAcquisitionTest, RefusesCountsThatDoNotFitTheDataArray) {
    prepare();
    w->st.flags.flg_Measuring = 1;
    w->st.daq.n_AD_Sample = 6001;  // 2 x 6001 > 12001
    w->proc.Run_DaqAcquisition();
    w->st.daq.n_AD_Sample = 10;
    w->st.settings.n_AD_Channel = 5;  // the lists hold 4 channels
    w->proc.Run_DaqAcquisition();
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_NE(dialogs.shown()[0].prompt.find("6001"), std::string::npos);
    EXPECT_EQ(dialogs.shown()[1].style, forms::msg::Exclamation);
    EXPECT_EQ(w->st.flags.flg_Measuring, 0);
    expectReleased();
    EXPECT_EQ(w->st.ADData[0], kSentinel);
}

TEST_F(DaqAcquisitionTest, DriverErrorAtEachStepIsReportedAndClearedUp) {
    const std::pair<const char*, int> faults[] = {
        {"FailOpen", 2100}, {"FailAllocate", 2101}, {"FailSubmit", 2102}, {"FailArm", 2103}};
    prepare();
    for (const auto& [key, code] : faults) {
        SCOPED_TRACE(key);
        dialogs.clear();
        writeConfig(std::string(key) + " = " + std::to_string(code) + "\n");
        w->st.flags.flg_Measuring = 1;
        w->proc.Run_DaqAcquisition();
        ASSERT_EQ(dialogs.shown().size(), 1u);
        EXPECT_EQ(dialogs.shown()[0].prompt, kDriverError + std::to_string(code));
        EXPECT_EQ(dialogs.shown()[0].style, forms::msg::Exclamation);
        EXPECT_EQ(w->st.flags.flg_Measuring, 0);
        EXPECT_EQ(w->st.daq.DaqError, 0);
        expectReleased();
        EXPECT_EQ(w->st.ADData[0], kSentinel);
    }
}

TEST_F(DaqAcquisitionTest, MissingTriggerEndsAfterTheIntervalWithTheBoardReleased) {
    prepare("NoTrigger = 1\n");
    w->st.flags.flg_Measuring = 1;
    w->st.flags.flg_MsrLin = 1;
    w->proc.Run_DaqAcquisition();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].prompt, "Error: No Trigger signal.(wait for 400ms)");
    // The time-out runs from its start after the 1 ms and 2 ms waits of
    // allocation and submission.
    const auto& trace = loop.trace();
    const auto tick = std::find_if(trace.begin(), trace.end(), [](const std::string& t) {
        return t.find("timer_chk_AD_TRG") != std::string::npos;
    });
    ASSERT_NE(tick, trace.end());
    EXPECT_EQ(*tick, "t=403 timer_chk_AD_TRG");
    EXPECT_EQ(
        std::count_if(trace.begin(), trace.end(),
                      [](const std::string& t) { return t.find("timer_chk_AD_TRG") != std::string::npos; }),
        1);
    EXPECT_EQ(w->st.flags.flg_Measuring, 0);
    EXPECT_EQ(w->st.flags.flg_MsrLin, 0);
    EXPECT_EQ(w->st.daq.flg_AD_TRG_Timeout, 0);
    expectReleased();
    EXPECT_EQ(w->st.ADData[0], kSentinel);
}

TEST_F(DaqAcquisitionTest, SamplingRateReachesTheDriverRecordWhole) {
    prepare("NoTrigger = 1\n");
    const double rate = 123456.78901234567;  // both 32-bit halves non-zero
    w->st.daq.AD_SamplingRate = rate;
    bool seen = false;
    loop.at(100, [&] {
        const DaqCallerRecords* r = DaqCallerRecordsOf(*w);
        ASSERT_NE(r, nullptr);
        ASSERT_NE(r->DaqAllocReq.requestRecordAddress, 0u);
        const auto* driver = daqPointer<const DaqADRequestRecord>(r->DaqAllocReq.requestRecordAddress);
        EXPECT_EQ(std::memcmp(&driver->samplingRate, &rate, sizeof rate), 0);
        EXPECT_EQ(driver->samplesPerChannel, 1000u);
        seen = true;
    });
    w->proc.Run_DaqAcquisition();
    EXPECT_TRUE(seen);
    expectReleased();
}

TEST_F(DaqAcquisitionTest, RuntimeErrorShowsItsCodeAndReleasesEverything) {
    prepare("RuntimeError = 3100\n");
    w->st.flags.flg_Measuring = 1;
    w->proc.Run_DaqAcquisition();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].prompt, "Daqdrive Run-time Error = 3100");
    EXPECT_EQ(dialogs.shown()[0].style, forms::msg::Exclamation);
    EXPECT_EQ(w->st.daq.DaqRuntimeError, 3100);
    EXPECT_EQ(w->st.flags.flg_Measuring, 0);
    expectReleased();
    EXPECT_EQ(w->st.ADData[0], kSentinel);
}

TEST_F(DaqAcquisitionTest, ClearUpWithNothingOpenIsQuiet) {
    w->st.flags.flg_Averaging = 1;
    w->proc.DaqdriveClearUp();
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(loop.nowMs(), 150);
    EXPECT_EQ(w->st.flags.flg_Averaging, 0);
    expectReleased();
    // After a completed run too.
    prepare();
    w->proc.Run_DaqAcquisition();
    w->proc.DaqdriveClearUp();
    EXPECT_TRUE(dialogs.shown().empty());
    expectReleased();
}

// The callers add a pass to their sums only on this flag: set when the
// samples were copied, cleared by every failure and by a refused start.
TEST_F(DaqAcquisitionTest, DataValidFlagOnlyWhenTheSamplesWereCopied) {
    prepare();
    w->proc.Run_DaqAcquisition();
    EXPECT_EQ(w->st.daq.flg_DaqDataValid, 1);
    for (const char* fault :
         {"FailOpen = 2100\n", "FailArm = 2103\n", "RuntimeError = 3100\n", "NoTrigger = 1\n"}) {
        SCOPED_TRACE(fault);
        writeConfig(fault);
        dialogs.clear();
        w->st.daq.flg_DaqDataValid = 1;
        w->proc.Run_DaqAcquisition();
        EXPECT_EQ(w->st.daq.flg_DaqDataValid, 0);
        EXPECT_EQ(dialogs.shown().size(), 1u);
        expectReleased();
    }

    // A start while a run holds the records is refused: the board is not
    // touched and the run in flight keeps its busy flag.
    writeConfig();
    dialogs.clear();
    w->st.daq.DaqBusy = 1;
    w->st.daq.flg_DaqDataValid = 1;
    w->proc.Run_DaqAcquisition();
    EXPECT_EQ(w->st.daq.DaqBusy, 1);
    EXPECT_EQ(w->st.daq.flg_DaqDataValid, 0);
    EXPECT_EQ(board.open(), 0u);
    EXPECT_TRUE(dialogs.shown().empty());
    w->st.daq.DaqBusy = 0;
    w->proc.Run_DaqAcquisition();
    EXPECT_EQ(w->st.daq.flg_DaqDataValid, 1);
}

TEST_F(DaqAcquisitionTest, BridgeThatCannotBeBoundIsNamedAndTheRunEnds) {
    prepare();
    w->st.ProgramFolder = folder + "/";
    w->proc.Run_DaqAcquisition();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const std::string& missing = dialogs.shown()[0].prompt;
    EXPECT_EQ(missing.rfind("Error # 48 was generated by MORVA", 0), 0u) << missing;
    EXPECT_NE(missing.find(folder + "/libhalvex.so"), std::string::npos) << missing;
    EXPECT_EQ(w->st.daq.DaqBusy, 0);

    // A library without the bridge's exports (the driver under the bridge's name).
    fs::copy_file(kProgramFolder + "libddrive32.so", folder + "/libhalvex.so");
    dialogs.clear();
    w->proc.Run_DaqAcquisition();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const std::string& noEntry = dialogs.shown()[0].prompt;
    EXPECT_EQ(noEntry.rfind("Error # 453 was generated by MORVA", 0), 0u) << noEntry;
    EXPECT_NE(noEntry.find("DaqOpenDeviceVB"), std::string::npos) << noEntry;
    EXPECT_EQ(w->st.daq.DaqBusy, 0);
    EXPECT_EQ(board.open(), 0u);
}

TEST_F(DaqAcquisitionTest, DeviceTypeSelectionChecksTheConfigurationFile) {
    select();  // no file yet
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].prompt, "Error: No A/D Board Configulation File. (daqtest.dat)");
    EXPECT_EQ(dialogs.shown()[0].style, forms::msg::Exclamation);
    // The selection holds anyway.
    const DaqHandles& d = w->st.daq;
    EXPECT_EQ(d.CurDeviceType, "SimDAQ");
    EXPECT_EQ(d.CurDllName, "ddrive32");
    EXPECT_EQ(d.CurConfigFile, "daqtest.dat");
    EXPECT_EQ(d.CurConfigPath, folder + "/daqtest.dat");
    EXPECT_EQ(w->st.AD_Resolution, 32672);
    EXPECT_FLOAT_EQ(w->st.AD_mVperCount, 10000.0f / 32672.0f);
    EXPECT_EQ(w->lbl_n_AD_Channel.caption(), "2");
    EXPECT_EQ(w->lbl_Info(5).caption(), "SimDAQ 2ch input");

    // A name that differs in case is another file.
    writeConfig("", "DAQTEST.dat");
    w->lbl_Name_AD_DeviceType.setCaption("");
    select();
    EXPECT_EQ(dialogs.shown().size(), 2u);

    writeConfig();
    w->lbl_Name_AD_DeviceType.setCaption("");
    select();
    EXPECT_EQ(dialogs.shown().size(), 2u);

    // An unknown type changes nothing.
    w->lbl_Name_AD_DeviceType.setCaption("simdaq");
    EXPECT_EQ(d.CurDeviceType, "SimDAQ");
}

TEST_F(DaqAcquisitionTest, ChannelCountFollowsTheHeadCount) {
    // The work-list texts follow each count; the item is not picked again
    // (that would enter its function from wherever the count changed).
    int refreshed = 0;
    int picked = 0;
    w->lst_WorkList.addItem("SP");
    w->lst_WorkList.setListIndex(0);
    w->lst_WorkList.Click = [&] { ++picked; };
    w->proc.Show_WorkListTexts.bind([&] { ++refreshed; });
    ModelRecord& m = w->st.model;

    m.nHead = 4;
    w->lbl_n_AD_Channel.setCaption("2");
    EXPECT_EQ(m.n_AD_channel_Lin, 1);
    EXPECT_EQ(m.n_AD_channel_Sens, 2);
    EXPECT_EQ(w->st.msr.n_Msr_channel_Sens, 2);
    EXPECT_EQ(w->st.msr.n_Msr_channel_Lin, 1);
    EXPECT_EQ(refreshed, 1);

    m.nHead = 8;
    w->lbl_n_AD_Channel.setCaption("4");
    EXPECT_EQ(m.n_AD_channel_Lin, 4);
    EXPECT_EQ(m.n_AD_channel_Sens, 4);

    m.nHead = 6;  // unknown: both unchanged
    w->lbl_n_AD_Channel.setCaption("1");
    EXPECT_EQ(m.n_AD_channel_Lin, 4);
    EXPECT_EQ(m.n_AD_channel_Sens, 4);

    m.nHead = 2;
    w->st.settings.AdvMode = 1;
    w->lbl_n_AD_Channel.setCaption("2");
    EXPECT_EQ(m.n_AD_channel_Lin, 2);
    EXPECT_EQ(m.n_AD_channel_Sens, 2);
    EXPECT_EQ(w->st.msr.n_Msr_channel_Lin, 2);
    EXPECT_EQ(refreshed, 4);
    EXPECT_EQ(picked, 0);
}

// A real-time board completes on its own thread after samples / rate (plus
// the wait for the cylinder pulse). The loop may block for real up to 20 ms
// per wait before virtual time moves on to the next poll tick, so the run
// ends by the driver's completion, long before the trigger time-out.
TEST_F(DaqAcquisitionTest, RealTimeRunCompletesOnTheDriverThread) {
    w->st.settings.Interval_Timer_AD_TRG = 30000;
    prepare("Timing = realtime\n");
    loop.allowExternalWakes(20);
    w->proc.Run_DaqAcquisition();
    EXPECT_TRUE(dialogs.shown().empty()) << (dialogs.shown().empty() ? "" : dialogs.shown()[0].prompt);
    expectReleased();
    EXPECT_EQ(w->st.daq.DaqError, 0);
    EXPECT_EQ(w->st.daq.flg_AD_TRG_Timeout, 0);
    for (int i = 0; i < 2000; ++i) {
        ASSERT_GE(w->st.ADData[i], 6000) << i;
        ASSERT_LE(w->st.ADData[i], 10000) << i;
    }
    EXPECT_LT(loop.nowMs(), 30000) << "ended by the data, not by the time-out";
}

}  // namespace
}  // namespace morva
