#pragma once
// The shared state of the main window: the records that start-up fills from
// the settings and parameter files, the selected model, the measurement
// settings, the waveform arrays with their fixed bounds, the results and the
// run flags. One MainState lives in the main window; computation takes the
// parts it needs by reference. Nothing here is allocated per measurement.
//
// Member names are the program's own names (they are also the keys of the
// settings, parameter and data files).

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/wall_clock.h"

namespace morva {

// Fixed bounds of the waveform arrays (inclusive upper index).
inline constexpr int kMaxSensPoint = 150;  // sensitivity waveforms: points 0..150
inline constexpr int kMaxLinPoint = 100;   // linearity lines and channels: points 0..100
inline constexpr int kMaxSlot = 20;        // acquisition slots 0..20
inline constexpr int kMaxADData = 12000;   // raw samples 0..12000
inline constexpr int kADEntrySlots = 11;   // A/D board catalogue 0..10
inline constexpr int kMasterTapeTypeSlots = 11;
inline constexpr int kModeSlots = 6;  // tape modes 0..5 (0..4 filled from a row)

template <typename T, int Rows, int Points>
using Grid = std::array<std::array<T, Points + 1>, Rows>;

// Application-wide settings record ("MORVA StartupSetting.dat" and the values
// the parameter file keeps as globals).
struct SettingsRecord {
    int16_t Top = 0, Left = 0, Height = 0, Width = 0;
    int16_t Border = 0;
    std::string Language;
    std::string FontName;
    int16_t FontSize = 0;
    std::string StartupTape;
    int16_t RemoteControl = 0;
    std::string Path_DataFile, Path_SpecLine_Lin, Path_WorkList, Path_DaqConfigFile;
    int16_t AutoSave = 0, Message_SerialInput = 0, Message_CommentInput = 0, MakeAutoFileName = 0;
    int16_t Dsp_WorkList = 0, Dsp_CtrlPanel = 0;
    int16_t n_AD_Channel = 0;
    int16_t PeakHoldTime = 0;
    std::string Mode_PN;
    std::string MachineType;
    std::string DataFileExt;
    int16_t AdvMode = 0;

    // From "MORVA Parameters.dat".
    int16_t flg_SmoothSensWF = 0, flg_SmoothLinWF = 0;
    int16_t nType_MasterTape = 0;
    std::array<std::string, kMasterTapeTypeSlots> MasterTapeTypeName{};
    int16_t AD_IOmode = 0, AD_TriggerType = 0, AD_TriggerSlope = 0;
    int32_t Interval_Timer_AD_TRG = 0;

    // A/D board catalogue.
    int16_t n_AD_Entry = 0;
    std::array<std::string, kADEntrySlots> AD_DeviceType{}, AD_DllName{}, AD_ConfigFile{};
    std::array<int32_t, kADEntrySlots> AD_Resolution_Default{};
    std::array<int16_t, kADEntrySlots> AD_nChannel{};
};

// Parameter record: filled once from "MORVA Parameters.dat".
struct ParameterRecord {
    double Default_AD_SamplingRate_Sens = 0, Default_AD_SamplingRate_Lin = 0;
    float Default_CylRot = 0;
    int32_t Default_nHead = 0;
    int32_t nData_SensWF = 0, StartPos_SensWFSample = 0, nPoint_SensWFSample = 0;
    int32_t Mask_SmoothSensWF = 0, Area_CalcSensVal = 0, Area_MsrSensMaxMinPos = 0, Thresh_ChkSensVal = 0;
    int32_t nData_LinWF = 0, StartPos_LinWFSample = 0, Pos_FixOfs_LinWF = 0, nCut_CalcLinOfs = 0;
    int32_t Mask_SmoothLinWF = 0, Mask_SmoothCorWF = 0, nLoop_SmoothCorWF = 0;
};

// Model record: the selected row of "VTR Parameters.dat" and what is derived
// from it for the selected tape mode and TV system.
struct ModelRecord {
    std::string ModelName;
    int32_t nHead = 0;
    int32_t HeadStagger = 0;
    std::array<std::string, kModeSlots> VTRmode_Name{};
    std::array<float, kModeSlots> VTRmode_TrackPitch{};
    std::array<float, kModeSlots> VTRmode_CylRot{};
    std::array<int16_t, kModeSlots> VTRmode_nStagger{};
    float TrackPitch = 0, CylRot = 0;
    double AD_SplRate_Sens = 0, AD_SplRate_Lin = 0;
    int32_t nADdata_Sens = 0, nADdata_Lin = 0;
    int32_t n_AD_channel_Sens = 0, n_AD_channel_Lin = 0;
    float Spec_Sens_Centre = 0, Spec_Sens_Tol = 0, Spec_Lin = 0, Spec_Wav = 0;
};

// Measurement settings (written into data files under these names).
struct MsrSettings {
    int32_t nType_SensWF = 0;
    int32_t n_Msr_channel_Sens = 0, n_Msr_channel_Lin = 0;
    int32_t nLoop_MsrSens = 0;
    int32_t nLoop_LinRealTime = 0, nLoop_LinFinalData = 0, Adj_LinEnt = 0;
    std::array<int32_t, 4> StartPos_LinWF{};
};

// Sensitivity waveforms, intermediates and results (slots 0..3).
struct SensState {
    Grid<float, 4, kMaxSensPoint> SensWF_Raw{}, SensWF{}, SensDifWF_Pre{}, SensDifWF{};
    std::array<float, 4> C_val{}, Th_Lvl{}, ramda{};
    std::array<int32_t, 4> nZerX{};
    Grid<int32_t, 4, 15> ZerX_Pos{};
    std::array<int32_t, 4> P_max{}, P_min{};
    Grid<float, 4, kMaxSlot> Sval_P{}, Sval_N{};
    std::array<float, 4> Sens_posi{}, Sens_nega{}, Sens_Slot{};
    std::array<float, 2> SensVal{};
};

// Linearity lines, averages, envelope and results, in hundredths of a
// micrometre. Lines 0, 1 belong to channel 0; lines 2, 3 to channel 1.
struct LinState {
    Grid<int32_t, 4, kMaxLinPoint> LinWF_Raw{};
    std::array<Grid<int32_t, 4, kMaxLinPoint>, kMaxSlot + 1> LinWF_Buf{};  // [slot][line][point]
    Grid<int32_t, 4, kMaxLinPoint> Lin{};
    std::array<int32_t, 4> ofs_LinWF_mlt{};
    std::array<int32_t, 2> ofs_LinWF_avg{};
    Grid<int32_t, 2, kMaxLinPoint> LinAvg{}, WavMax{}, WavMin{};
    std::array<int32_t, 2> LinVal{}, WavVal{};
    std::array<int32_t, kMaxLinPoint + 1> CorWF{};
    std::array<int32_t, kMaxLinPoint + 1> Smooth_Work{};
    int16_t flg_LinOfsFix = 0;
};

// Run-time flags of the sequencer (0 at start-up).
struct RunFlags {
    int16_t flg_Busy = 0;
    int16_t flg_Measuring = 0;
    int16_t flg_Averaging = 0;
    int16_t flg_MsrLin = 0;
    int16_t flg_PeakHold = 0;
    int16_t flg_LinFinish = 0;
    int16_t flg_LinReset = 0;
    int16_t flg_DaqWaitElapsed = 0;
    int16_t flg_WaitElapsed = 0;
    int16_t flg_DataLoaded = 0;
    // The sensitivity run has counted nLoop_MsrSens averaged acquisitions.
    int16_t flg_SensAvgDone = 0;
    // A finished measurement that is not in a data file yet.
    int16_t flg_Unsaved = 0;
    // Runs in progress, nested ones counted: while above 0 no run, function
    // entry or data load starts.
    int32_t RunDepth = 0;
};

// The selected model's work list: per item its tape mode, the connection
// texts of the test point and five further texts (read, not used).
inline constexpr int kMaxWorkListItem = 20;  // items 0..20
struct WorkListState {
    std::array<std::string, kMaxWorkListItem + 1> WorkList_Mode{};
    std::array<std::array<std::string, 5>, kMaxWorkListItem + 1> WorkList_TestPoint{};
    std::array<std::array<std::string, 5>, kMaxWorkListItem + 1> WorkList_Extra{};
};

// The linearity limit curves of the selected model (0 upper, 1 lower), in
// hundredths of a micrometre per linearity point, and the nodes they were
// built from.
inline constexpr int kMaxSpecNode = 10;  // nodes 0..9 per curve
struct SpecLineState {
    Grid<int32_t, 2, kMaxLinPoint> SpecLine_Lin{};
    std::array<int32_t, 2> n_Node{};
    std::array<std::array<int32_t, kMaxSpecNode>, 2> SpecNode_Pos{};
    std::array<std::array<float, kMaxSpecNode>, 2> SpecNode_Val{};
};

// Handles of the A/D board and the result of the last bridge call; 0 while
// nothing is open.
struct DaqHandles {
    int16_t DaqDeviceHandle = 0;
    int16_t DaqRequestHandle = 0;
    int16_t DaqError = 0;

    // One acquisition run: in progress, trigger wait expired, the run-time
    // error code fetched after a failed run, the status bits that end the wait.
    int16_t DaqBusy = 0;
    int16_t flg_AD_TRG_Timeout = 0;
    int32_t DaqRuntimeError = 0;
    uint32_t DaqDoneMask = 0;
    // The selected device type: name, driver library, configuration file and
    // its full path.
    std::string CurDeviceType, CurDllName, CurConfigFile, CurConfigPath;
    // What the next run acquires (channels: settings.n_AD_Channel).
    int32_t n_AD_Sample = 0;
    double AD_SamplingRate = 0;
    // The allocation and request records and the channel and gain lists
    // handed to the board; they lie below 4 GiB and are owned by io/.
    std::shared_ptr<void> CallerRecords;

    // 1 when the last acquisition run copied its samples into ADData and
    // ended without an error; 0 from the start of every run and after any
    // failure (driver error, run-time error, trigger time-out, a run
    // refused or abandoned).
    int16_t flg_DaqDataValid = 0;
};

// The program's version (the window caption and the version dialog show it).
struct ProgramVersion {
    int32_t Major = 0, Minor = 0, Revision = 0;
};

// Colours of heads 0..3 in every graph and legend (0x00BBGGRR).
inline constexpr std::array<int32_t, 4> kColorHead = {0x00FFFF, 0x0000FF, 0x00FF00, 0xFFFF00};

// The measurement data file: the clock a save reads, the time of the save in
// progress, the successful writes, and the counts a loaded file replaced.
struct DataFileState {
    // Empty: the system's local time. Tests pin it.
    std::function<LocalDateTime()> WallClock;
    // Read once per save (by the automatic name or by the write itself) and
    // used by the write that follows.
    std::optional<LocalDateTime> SaveTime;
    // Data files written successfully; a dialog sees from it whether the
    // write it started succeeded.
    int32_t WriteCount = 0;
    // Data files read and shown; the load button sees from it whether the
    // read it started succeeded.
    int32_t ReadCount = 0;
    // The counts of the parameter file and the sequencer that a loaded file
    // replaced; given back when flg_DataLoaded is cleared.
    bool CountsHeld = false;
    int32_t nData_SensWF = 0, nData_LinWF = 0, nType_SensWF = 0;
};

// The whole shared state of the main window.
struct MainState {
    SettingsRecord settings;
    ParameterRecord params;
    ModelRecord model;
    MsrSettings msr;
    SensState sens;
    LinState lin;
    RunFlags flags;

    std::string ProgramFolder;  // folder of the executable, ending in "/"
    // Folder of libhalvex.so when it is not the program folder (an installed
    // copy with a per-user program folder); empty otherwise.
    std::string LibraryFolder;
    // The version-list line saying where the program folder is, in English
    // and Japanese; empty when it is the executable's folder.
    std::array<std::string, 2> ProgramFolderNote{};
    std::string StartupModelName, StartupMode_PN;
    int32_t AD_Resolution = 0;
    float AD_mVperCount = 0;
    int32_t ProgBarStep = 0;
    std::string CommandText;
    std::array<std::string, 10> VEKO_Info{};
    std::array<int16_t, 4> ADChannelList{};
    std::array<float, 4> ADGainList{};
    std::array<int16_t, kMaxADData + 1> ADData{};
    std::array<int32_t, 4> Color_Head{};

    WorkListState worklist;
    SpecLineState spec;
    DaqHandles daq;
    ProgramVersion version;
    std::string DataFileName;  // the data file last written or read

    // Seconds counted by the peak-hold timer.
    int32_t PeakHold_Count = 0;
    // Value of chk_Dsp_LinWF_MultiLine: the multi-line linearity graphs shown.
    int16_t flg_Dsp_LinWF_MultiLine = 0;
    // 1 unlocks the locked entries of the options dialog.
    int16_t flg_OptionEdit = 0;
    // 0: no in-place edit open; otherwise 1 + the index of the lbl_MsrInfo being edited.
    int16_t nEditMsrInfo = 0;
    // Machine type of the data file last read.
    std::string Dat_MachineType;

    // Waveforms drawn on the sensitivity and linearity graphs since the last
    // full relayout: a resize redraws them after the grids, a model change
    // (or any other relayout) clears them.
    int16_t flg_SensWF_Shown = 0;
    int16_t flg_LinWF_Shown = 0;

    // The data file being saved or loaded.
    DataFileState datafile;
};

}  // namespace morva
