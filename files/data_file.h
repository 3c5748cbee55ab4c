#pragma once
// The measurement data file: one finished measurement as text (the recorder
// and drive-tester identity, the settings it ran with, the results and the
// sensitivity and linearity waveforms as comma-separated tables), written by
// Write_DataFile and read back by Read_DataFile into the result storage.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/state.h"
#include "core/wall_clock.h"
#include "window/frm_main.h"

namespace morva {

inline constexpr std::string_view kDataFileHeader = "[MORVA Windows - MORVA Data File] Ver.0.3";
inline constexpr std::string_view kSensSettingMarker = "*** Sensitivity Setting ***";
inline constexpr std::string_view kSensTableMarker = "*** Sensitivity Waveform Data ***";
inline constexpr std::string_view kLinTableMarker = "*** Linearity Waveform Data ***";
// Reading stops here: no data file comes near it.
inline constexpr size_t kMaxDataFileBytes = 16u << 20;

// The whole file for the current results, stamped with `t`, CR LF lines.
std::string DataFileText(const FrmMain& w, const LocalDateTime& t);

// What a data file holds, parsed without touching the window: the reader
// fills this first and applies it only when the file is a data file.
struct DataFileContents {
    bool recognised = false;  // at least one known key
    std::string MachineType, ModelName, Mode_PN;
    // Captions of lbl_DatInfo 1 mode, 3 master tape, 4 date, 5 time, 6 serial, 7 comment.
    std::array<std::string, 8> DatInfo{};
    // The counts as the file gives them, clamped to what the arrays hold.
    std::optional<int32_t> n_Msr_channel_Sens, n_Msr_channel_Lin, nData_SensWF, nType_SensWF, Adj_LinEnt,
        nData_LinWF;
    std::array<int32_t, 2> ofs_LinWF_avg{};
    std::array<int32_t, 4> ofs_LinWF_mlt{};
    // Captions ("0.0") of the results; empty when the file has none.
    std::array<std::string, 2> LinVal{}, WavVal{}, SensVal{};
    Grid<float, 4, kMaxSensPoint> SensWF{}, SensDifWF{};
    Grid<int32_t, 2, kMaxLinPoint> LinAvg{}, WavMax{}, WavMin{};
    Grid<int32_t, 4, kMaxLinPoint> Lin{};
};

// The counts a file may announce, clamped so its tables stay inside the arrays.
struct DataFileCounts {
    int32_t nData_SensWF = 0, nData_LinWF = 0, n_Msr_channel_Lin = 1;
};

// Parses the lines of a data file. Tables whose count the file does not
// give before them use `current` (the program's counts).
DataFileContents ParseDataFile(const std::vector<std::string>& lines, const DataFileCounts& current);

// The identification lines the load dialog shows: read up to the sensitivity
// settings marker, at most 64 lines.
struct DataFileInfo {
    std::string MachineType, ModelName, VTRmode, Mode_PN, Serial, Comment, SaveDate, SaveTime;
};
inline constexpr size_t kMaxInfoLines = 64;
inline constexpr size_t kMaxInfoBytes = 64u << 10;
DataFileInfo ParseDataFileInfo(const std::vector<std::string>& lines);

// The program's procedures.
void Write_DataFile(FrmMain& w);
void Read_DataFile(FrmMain& w);
void Make_AutoFileName(FrmMain& w);

// The automatic name of the switches chk_AutoFileName(0..5) (year, month,
// day, hour, minute, second) for a serial, at time `t`, extension included
// and made safe. Used by Make_AutoFileName and the save dialog.
std::string AutoFileName(const FrmMain& w, std::string_view serial, const LocalDateTime& t);

// The time of the save now starting: the pinned clock or the system's.
LocalDateTime ReadSaveClock(const MainState& st);

// The folder data files go to: Path_DataFile, or the program folder when none is set.
std::string DataFileFolder(const MainState& st);

// The counts of the parameter file and the sequencer back in place of the
// ones a loaded file brought; called where flg_DataLoaded is cleared.
void Restore_CountsBeforeLoad(MainState& st);

}  // namespace morva
