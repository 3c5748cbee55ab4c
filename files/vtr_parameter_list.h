#pragma once
// "VTR Parameters.dat": the table of recorder models, one line of 32
// comma-separated fields per model after the header line. The last field
// runs to the end of the line; numbers are read leniently.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/state.h"
#include "window/frm_main.h"

namespace morva {

inline constexpr int kModelRowFields = 32;
using ModelRowFields = std::array<std::string, kModelRowFields>;

// The 32 fields of a model line: fields 1..31 each up to the next comma, the
// 32nd the rest of the line. Nothing for a line with fewer fields (an empty
// line, a line without a comma): such lines describe no model.
std::optional<ModelRowFields> Split_ModelRow(std::string_view line);

// Stores a row in the model record (type, heads, stagger, mode slots 0..4 with
// slot 5 emptied, loop counts and limits; the loop counts go to the
// measurement settings, the type to MachineType).
void Store_ModelRow(MainState& st, const ModelRowFields& row);

// Reads the row of `modelName` from the table file (exact comparison of the
// first field; a later row of the same name wins) into the record. False when
// the file cannot be read or has no such row: the record is then unchanged.
bool Load_ModelRow(MainState& st, const std::filesystem::path& file, std::string_view modelName);

// Start-up: adds the version line to lst_Version and the name of every model
// line to cmb_ModelNameList, in file order. A missing file adds
// "VTR Parameters.dat : not found" and no model.
void Read_VTRParameterList(FrmMain& w);

}  // namespace morva
