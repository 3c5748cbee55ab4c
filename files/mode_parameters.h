#pragma once
// The acquisition parameters of the selected tape mode: cylinder rotation
// and track pitch, the two sampling rates scaled from the reference rates of
// the parameter file, the samples per acquisition and the start positions of
// the linearity windows, by machine type and head count.

#include "core/state.h"
#include "window/frm_main.h"

namespace morva {

// The mode slot (0..4) shown at `entry` of the mode list: the list holds the
// named slots in slot order and leaves out the empty ones ("*"). -1 when the
// list has no such entry.
int ModeSlotOfEntry(const ModelRecord& model, int entry);

// The cylinder rotation of `slot` for the TV system: the table value, times
// 0.999 for "NTSC". 0 for a slot outside 0..5.
float ModeCylRot(const ModelRecord& model, int slot, const std::string& Mode_PN);

// Derives CylRot, TrackPitch, AD_SplRate_Sens/Lin, nADdata_Sens/Lin and
// StartPos_LinWF for mode `slot` and settings.Mode_PN. A slot outside 0..5
// changes nothing. With a rotation or reference rotation of 0 (or a rate
// that is not finite) the rates and the samples per half revolution count as
// 0, so the derived values stay finite. Products too large for their
// targets are clamped.
void Calc_ModeParameters(MainState& st, int slot);

// The same for the entry selected in cmb_VTRmode_List.
void Calc_ModeParameters(FrmMain& w);

// Rewrites txt_debug with the model, mode and path values, one "name = value"
// line each.
void Show_ParameterList(FrmMain& w);

}  // namespace morva
