#include "io/daq_acquisition.h"

#include <memory>
#include <new>
#include <string>

#include "bridge/low_memory.h"
#include "core/numbers.h"
#include "forms/event_loop.h"
#include "io/halvex_binding.h"

namespace morva {

namespace {

constexpr const char* kPollTimerName = "timer_DaqPoll";
constexpr int32_t kDefaultTriggerWaitMs = 1000;

DaqCallerRecords& callerRecords(FrmMain& w) {
    if (DaqCallerRecords* existing = DaqCallerRecordsOf(w)) return *existing;
    auto block = std::make_shared<LowMemoryArray<DaqCallerRecords>>(1);
    DaqCallerRecords* records = block->data();
    w.st.daq.CallerRecords = std::shared_ptr<void>(block, records);
    return *records;
}

void showExclamation(FrmMain& w, const std::string& text) {
    w.msgBox(text, forms::msg::Exclamation);
}

// Open, allocate, submit or arm failed.
void reportDriverError(FrmMain& w, uint16_t code) {
    showExclamation(
        w, "Daqdrive returns error. Please check daqdrive manual!\r\nError Code = " + numberText(code));
    DaqdriveClearUp(w);
}

void fillAllocRecord(DaqAllocRecord& a, int16_t channels, int32_t samples) {
    a = DaqAllocRecord{};
    a.requestKind = kDaqKindAnalogInput;
    a.channelCount = channels;
    a.bufferCount = 1;
    a.bufferSize = static_cast<uint32_t>(samples) * 2u * static_cast<uint32_t>(channels);
    a.driverParameter = 1;
}

void fillRequestRecord(const HalvexApi& api, DaqCallerRecords& r, const MainState& s) {
    // The lists are the window's, copied into low memory for the board.
    r.ADChannelList = s.ADChannelList;
    r.ADGainList = s.ADGainList;
    DaqADRequestRecord& q = r.DaqADReq;
    q = DaqADRequestRecord{};
    q.channelListAddress = api.GetAddressOf(&r.ADChannelList[0]);
    q.gainListAddress = api.GetAddressOf(&r.ADGainList[0]);
    q.channelCount = static_cast<uint16_t>(s.settings.n_AD_Channel);
    q.triggerType = static_cast<uint16_t>(s.settings.AD_TriggerType);
    q.field34 = 0;
    q.triggerSlope = static_cast<uint16_t>(s.settings.AD_TriggerSlope);
    q.field38 = 0;
    q.field40 = 0;
    q.field44 = 0;
    q.ioMode = static_cast<uint16_t>(s.settings.AD_IOmode);
    q.field62 = 0;
    q.samplingRate = s.daq.AD_SamplingRate;
    q.samplesPerChannel = static_cast<uint32_t>(s.daq.n_AD_Sample);
    q.field92 = 0;
    q.field112 = 0;
    q.field114 = 0;
    daqStoreStatus(q.status, 0);
}

// The counts of the next run must fit the channel lists and ADData.
bool acquisitionFits(FrmMain& w) {
    const int32_t channels = w.st.settings.n_AD_Channel;
    const int64_t samples = w.st.daq.n_AD_Sample;
    if (channels < 1 || channels > static_cast<int32_t>(w.st.ADChannelList.size())) {
        showExclamation(w, "Error: A/D channel count out of range. (" + numberText(channels) + ")");
        return false;
    }
    if (samples < 1 || samples * channels > static_cast<int64_t>(w.st.ADData.size())) {
        showExclamation(w, "Error: A/D sample count does not fit the data array. (" + numberText(samples) +
                               " x " + numberText(channels) + " ch, at most " +
                               numberText(static_cast<int64_t>(w.st.ADData.size())) + " samples)");
        return false;
    }
    return true;
}

void setPolling(FrmMain& w, bool on) {
    if (auto* poll = w.findAs<forms::Timer>(kPollTimerName)) {
        poll->setInterval(kDaqPollIntervalMs);
        poll->setEnabled(on);
    }
}

// The bridge library lies beside the executable, which is the program
// folder unless an installed copy keeps a per-user program folder.
const std::string& halvexFolder(const MainState& s) {
    return s.LibraryFolder.empty() ? s.ProgramFolder : s.LibraryFolder;
}

void readBuffer(FrmMain& w, const HalvexApi& api, uint16_t request) {
    w.st.daq.DaqError = static_cast<int16_t>(api.ReadBuffer(request, 0, w.st.ADData.data()));
}

// Steps 2 to 10 of a run; DaqBusy is 1 on entry.
void runSteps(FrmMain& w) {
    MainState& s = w.st;
    DaqHandles& d = s.daq;
    const HalvexApi& api = halvexApi(halvexFolder(s));
    DaqCallerRecords& r = callerRecords(w);
    // A handler (the trigger time-out, shut-down) that cleared up while this
    // run waited has already released everything.
    auto abandoned = [&d] { return d.DaqBusy == 0; };

    uint16_t device = 0;
    uint16_t code =
        api.OpenDevice(d.CurDllName.c_str(), &device, d.CurDeviceType.c_str(), d.CurConfigPath.c_str());
    d.DaqError = static_cast<int16_t>(code);
    d.DaqDeviceHandle = static_cast<int16_t>(device);
    if (code != 0) return reportDriverError(w, code);

    fillAllocRecord(r.DaqAllocReq, s.settings.n_AD_Channel, d.n_AD_Sample);
    code = api.AllocateRequest(device, &r.DaqAllocReq);
    d.DaqError = static_cast<int16_t>(code);
    Wait_Millisec(w, 1);
    if (abandoned()) return;
    if (code != 0) return reportDriverError(w, code);

    fillRequestRecord(api, r, s);
    uint16_t request = 0;
    code = api.AnalogInput(device, &r.DaqADReq, &request);
    d.DaqError = static_cast<int16_t>(code);
    d.DaqRequestHandle = static_cast<int16_t>(request);
    Wait_Millisec(w, 2);
    if (abandoned()) return;
    if (code != 0) return reportDriverError(w, code);

    const int32_t interval = s.settings.Interval_Timer_AD_TRG;
    w.timer_chk_AD_TRG.setInterval(interval > 0 ? interval : kDefaultTriggerWaitMs);
    w.timer_chk_AD_TRG.setEnabled(true);

    code = api.ArmRequest(request);
    d.DaqError = static_cast<int16_t>(code);
    Wait_Millisec(w, 1);
    if (abandoned()) return;
    if (code != 0) return reportDriverError(w, code);

    // Wait for the trigger and the data. The board may complete on its own
    // thread; the status is read atomically on every pass.
    d.DaqDoneMask = kDaqDoneMask;
    bool copied = false;
    setPolling(w, true);
    for (;;) {
        if ((daqLoadStatus(r.DaqADReq.status) & d.DaqDoneMask) != 0) break;
        if (abandoned() || w.app().ended()) {
            setPolling(w, false);
            return;
        }
        w.loop().waitEvents();
        if ((daqLoadStatus(r.DaqADReq.status) & kDaqStatusDone) != 0) {
            readBuffer(w, api, request);
            copied = true;
        } else if (d.flg_AD_TRG_Timeout == 1) {
            setPolling(w, false);
            daqStoreStatus(r.DaqADReq.status, kDaqDoneMask);
            DaqdriveClearUp(w);
            return;
        }
    }
    setPolling(w, false);

    if (d.flg_AD_TRG_Timeout == 1) {
        // The time-out expired just as the data came.
        d.flg_AD_TRG_Timeout = 0;
        DaqdriveClearUp(w);
        return;
    }
    const uint32_t status = daqLoadStatus(r.DaqADReq.status);
    bool dataValid = false;
    if ((status & kDaqStatusError) != 0) {
        uint32_t runtimeError = 0;
        d.DaqError = static_cast<int16_t>(api.GetRuntimeError(request, &runtimeError));
        d.DaqRuntimeError = static_cast<int32_t>(runtimeError);
        showExclamation(w, "Daqdrive Run-time Error = " + numberText(static_cast<int64_t>(runtimeError)));
        s.flags.flg_Measuring = 0;
    } else {
        if (!copied) {
            // Completed before the first yield (a board that finishes inside
            // the arm call): the samples still have to be copied before the
            // release.
            readBuffer(w, api, request);
            copied = true;
        }
        dataValid = d.DaqError == 0;
    }

    d.DaqError = static_cast<int16_t>(api.ReleaseRequest(request));
    d.DaqError = static_cast<int16_t>(api.FreeRequest(device, r.DaqAllocReq.memoryId,
                                                      daqPointer<void>(r.DaqAllocReq.requestRecordAddress)));
    r.DaqAllocReq.memoryId = 0;
    r.DaqAllocReq.requestRecordAddress = 0;
    d.DaqError = static_cast<int16_t>(api.CloseDevice(device));
    d.DaqDeviceHandle = 0;
    d.DaqRequestHandle = 0;
    w.timer_chk_AD_TRG.setEnabled(false);
    d.DaqBusy = 0;
    d.flg_DaqDataValid = dataValid ? 1 : 0;
}

// Any other error inside a run: report it, release the board, end the run.
void reportRunError(FrmMain& w, int number, const std::string& description) {
    showExclamation(w, "Error # " + numberText(number) + " was generated by MORVA" + description);
    DaqdriveClearUp(w);
}

}  // namespace

DaqCallerRecords* DaqCallerRecordsOf(FrmMain& w) {
    return static_cast<DaqCallerRecords*>(w.st.daq.CallerRecords.get());
}

void Run_DaqAcquisition(FrmMain& w) {
    DaqHandles& d = w.st.daq;
    d.flg_DaqDataValid = 0;
    // One set of records serves one run: a run started from a handler while
    // another waits for its board would re-arm the records in use.
    if (d.DaqBusy == 1) return;
    d.DaqBusy = 1;
    d.flg_AD_TRG_Timeout = 0;
    if (!acquisitionFits(w)) {
        d.DaqBusy = 0;
        w.st.flags.flg_Measuring = 0;
        return;
    }
    try {
        runSteps(w);
    } catch (const forms::WaitNeverEnds&) {
        throw;  // the test loop's report of a wait that cannot end
    } catch (const HalvexBindError& e) {
        reportRunError(w, e.number(), e.what());
    } catch (const std::bad_alloc&) {
        reportRunError(w, 7, "Out of memory");
    } catch (const std::exception& e) {
        reportRunError(w, 5, e.what());
    }
}

void DaqdriveClearUp(FrmMain& w) {
    DaqHandles& d = w.st.daq;
    const auto device = static_cast<uint16_t>(d.DaqDeviceHandle);
    const auto request = static_cast<uint16_t>(d.DaqRequestHandle);
    // A library never loaded has nothing open: the board is not touched.
    const HalvexApi* api = halvexApiIfLoaded(halvexFolder(w.st));
    DaqCallerRecords* r = DaqCallerRecordsOf(w);

    if (api != nullptr) {
        api->ResetDevice(device);
        api->ReleaseRequest(request);
    }
    Wait_Millisec(w, 50);
    if (api != nullptr) {
        api->FreeRequest(device, r != nullptr ? r->DaqAllocReq.memoryId : 0,
                         r != nullptr ? daqPointer<void>(r->DaqAllocReq.requestRecordAddress) : nullptr);
    }
    if (r != nullptr) {
        r->DaqAllocReq.memoryId = 0;
        r->DaqAllocReq.requestRecordAddress = 0;
    }
    Wait_Millisec(w, 50);
    if (api != nullptr) api->CloseDevice(device);
    Wait_Millisec(w, 50);

    d.DaqDeviceHandle = 0;
    d.DaqRequestHandle = 0;
    d.DaqError = 0;
    w.timer_chk_AD_TRG.setEnabled(false);
    setPolling(w, false);
    d.flg_AD_TRG_Timeout = 0;
    d.DaqBusy = 0;
    w.st.flags.flg_Measuring = 0;
    w.st.flags.flg_Averaging = 0;
    w.st.flags.flg_MsrLin = 0;
    w.proc.Reset_FuncCondition();
}

void timer_chk_AD_TRG_Timer(FrmMain& w) {
    DaqHandles& d = w.st.daq;
    d.flg_AD_TRG_Timeout = 1;
    w.timer_chk_AD_TRG.setEnabled(false);
    w.st.flags.flg_Measuring = 0;
    d.DaqBusy = 0;
    w.st.flags.flg_Averaging = 0;
    w.st.flags.flg_MsrLin = 0;
    w.proc.Reset_FuncCondition();
    DaqdriveClearUp(w);
    // The clear-up lowers the flag; the waiting run must still see it, or
    // it would wait for a request that no longer exists.
    d.flg_AD_TRG_Timeout = 1;
    showExclamation(
        w, "Error: No Trigger signal.(wait for " + numberText(w.timer_chk_AD_TRG.interval()) + "ms)");
}

void Wire_Acquisition(FrmMain& w) {
    auto& poll = w.add<forms::Timer>(kPollTimerName);
    poll.setInterval(kDaqPollIntervalMs);
    poll.Tick = [] {};  // only wakes the wait loop to look at the status
    w.timer_chk_AD_TRG.Tick = [&w] { timer_chk_AD_TRG_Timer(w); };
    w.lbl_Name_AD_DeviceType.Change = [&w] { lbl_Name_AD_DeviceType_Change(w); };
    w.lbl_n_AD_Channel.Change = [&w] { lbl_n_AD_Channel_Change(w); };
    w.proc.Run_DaqAcquisition.bind([&w] { Run_DaqAcquisition(w); });
    w.proc.DaqdriveClearUp.bind([&w] { DaqdriveClearUp(w); });
}

}  // namespace morva
