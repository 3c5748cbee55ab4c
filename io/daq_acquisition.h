#pragma once
// The main program's use of the A/D board through the bridge library
// libhalvex.so: choosing the device type and its configuration file, one
// acquisition run (open, allocate, submit, arm, wait for the trigger and the
// data, copy the samples into ADData, release), the trigger-wait time-out and
// the emergency clear-up.

#include <array>
#include <cstdint>

#include "bridge/daq_records.h"
#include "window/frm_main.h"

namespace morva {

// What the board reads and writes through 32-bit addresses: kept below 4 GiB
// (one block per window, allocated at the first run and kept).
struct DaqCallerRecords {
    DaqAllocRecord DaqAllocReq;
    DaqADRequestRecord DaqADReq;
    std::array<int16_t, 4> ADChannelList;
    std::array<float, 4> ADGainList;
};

// Bits of the request status that end the wait: error or data complete.
inline constexpr uint32_t kDaqDoneMask = 0x80000002u;
// How often the wait loop looks at the request status while it waits for
// the board's own thread (real-time boards).
inline constexpr int32_t kDaqPollIntervalMs = 5;

// One complete acquisition of settings.n_AD_Channel channels ×
// daq.n_AD_Sample samples at daq.AD_SamplingRate into ADData. Returns with
// DaqBusy 0 on every path.
void Run_DaqAcquisition(FrmMain& w);

// Abandons whatever the board is doing; works from any state, also when
// nothing is open or the bridge library was never loaded.
void DaqdriveClearUp(FrmMain& w);

// Handlers.
void lbl_Name_AD_DeviceType_Change(FrmMain& w);
void lbl_n_AD_Channel_Change(FrmMain& w);

// The channel counts of the model and the measurement from the number in
// lbl_n_AD_Channel: in the advanced mode every channel serves both
// measurements; otherwise 2 and 4 heads measure linearity on one channel and
// 8 heads on all, other head counts keep theirs. A caption that is not a
// number changes nothing (false).
bool Derive_ADChannelCounts(FrmMain& w);
void timer_chk_AD_TRG_Timer(FrmMain& w);

// The caller records of this window (nullptr before the first run).
DaqCallerRecords* DaqCallerRecordsOf(FrmMain& w);

// Installs the handlers above and binds w.proc.Run_DaqAcquisition and
// w.proc.DaqdriveClearUp.
void Wire_Acquisition(FrmMain& w);

}  // namespace morva
