#pragma once
// The master-tape correction: the selected tape's reference deviations from
// "MORVA MasterTape.dat", stretched onto the linearity grid in hundredths of
// a micrometre, optionally smoothed. Every linearity acquisition adds it to
// each line so that the result is the recorder's linearity, not the tape's.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/state.h"

namespace morva {

inline constexpr const char* kMasterTapeFileName = "MORVA MasterTape.dat";
inline constexpr int kMaxMasterTapeValue = 40;  // reference values 0..40

using CorWFPoints = std::array<int32_t, kMaxLinPoint + 1>;

// The tape's "Data" values split at ",": value(0..nPoint-2) each the number
// before the next ",", value(nPoint-1) the number of the rest. Values past the
// text read from empty text as 0. nPoint must be 1..41.
std::array<float, kMaxMasterTapeValue + 1> Split_MasterTapeData(std::string_view data, int32_t nPoint);

// Stretches nPoint reference values (micrometres) onto points 1..N of the
// grid: step = (N - 1) / (nPoint - 1) in single precision, point i takes
// value(near(floor(step / 2 + i) / step)) x 100. An index past the reference
// values (past 40) reads 0; a grid of one point takes value(0). nPoint must
// be at least 2.
void Stretch_CorWF(const std::array<float, kMaxMasterTapeValue + 1>& value, int32_t nPoint, int32_t N,
                   CorWFPoints& CorWF);

enum class MasterTapeFailure {
    None,
    FileNotOpened,  // the file is missing or unreadable
    NameNotFound,   // no complete entry of that name
    TooFewPoints,   // nPoint below 2: no profile to stretch
    TooManyPoints,  // nPoint above 41: more than the reference values held
};

struct MasterTapeCorrection {
    MasterTapeFailure failure = MasterTapeFailure::None;
    std::string failureText;  // empty when the correction was read
    int32_t nPoint = 0;
    CorWFPoints CorWF{};  // points 1..nData_LinWF, hundredths of a micrometre; 0 on failure
    bool ok() const { return failure == MasterTapeFailure::None; }
};

// Reads the entry named `tapeName` (exact, case-sensitive; a later entry of
// the same name wins; an entry cut short by the end of the file is not
// used) from `programFolder`/"MORVA MasterTape.dat" and stretches it onto
// nData_LinWF points (at most 100).
MasterTapeCorrection Read_MasterTapeCorrection(const std::filesystem::path& programFolder,
                                               std::string_view tapeName, int32_t nData_LinWF);

// One smoothing pass over CorWF(1..N): a centred moving average of
// half-width M whose window shrinks at the ends, whole-number sums read from
// the copy Smooth_Work. M is limited to 0..50 and to (N + 1) / 2, so that no
// window reaches outside points 0..N.
void Smooth_CorWF_MasterTape(LinState& lin, int32_t nData_LinWF, int32_t Mask_SmoothCorWF);

// What the caller of Read_CorWF_MasterTape shows.
struct CorWFDisplay {
    bool ok = false;
    std::string failureText;  // why no correction could be read (CorWF is then 0)
    bool drawCorWF = false;   // advanced mode: redraw the linearity grid and draw CorWF
    std::string linValText;   // advanced mode: the caption of lbl_LinVal(0)
};

// The tape selection's correction set-up: reads the tape into CorWF (0 for
// every point when it cannot be read, so no other tape's correction stays),
// smooths it nLoop_SmoothCorWF times when flg_SmoothLinWF is 1, and in
// advanced mode sets LinVal(0) to the span of CorWF over Adj_LinEnt+1..N.
CorWFDisplay Read_CorWF_MasterTape(MainState& state, std::string_view selectedTape);

}  // namespace morva
