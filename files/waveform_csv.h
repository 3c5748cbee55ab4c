#pragma once
// The current result's waveforms as a CSV table for a spreadsheet: the
// sensitivity waveforms of the computed heads and the linearity waveforms
// of the measured channels, side by side by point number.

#include <string>

#include "core/state.h"
#include "window/frm_main.h"

namespace morva {

// Which tables hold a result: a loaded data file holds both; otherwise the
// sensitivity table after an averaged sensitivity measurement and the
// linearity table after a finished linearity measurement (its envelope
// held). A table with no head or channel to show counts as empty.
struct WaveformTables {
    int sensHeads = 0;    // 0..4 heads: SensWF, SensDifWF in mV
    int sensPoints = 0;   // points 1..sensPoints (0..150)
    int linChannels = 0;  // 0..2 channels: LinAvg, WavMax, WavMin and two lines each, in um
    int linPoints = 0;    // points 1..linPoints (0..100)
    bool empty() const { return (sensHeads == 0 || sensPoints == 0) && (linChannels == 0 || linPoints == 0); }
};
WaveformTables CurrentWaveformTables(const MainState& st);

// The table: a header row of column names with their units, one row per
// point number up to the longer table (cells past a table's end are empty);
// mV with three decimals, um with two, "." as the decimal point; CR LF lines.
std::string WaveformCsvText(const MainState& st, const WaveformTables& tables);

// True when there is a result to export.
bool Has_WaveformsToExport(const FrmMain& w);
// Asks for the name and writes the table, or says why not.
void Export_WaveformCsv(FrmMain& w);

}  // namespace morva
