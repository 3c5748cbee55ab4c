#pragma once
// Choosing the recorder model, its tape mode and the TV system in the main
// window, and what each choice sets up: the model's row, the mode list, the
// channel counts, the data-file extension, the work list and the linearity
// limit curves.

#include <string>
#include <string_view>

#include "window/frm_main.h"

namespace morva {

// ".Morva_" and the model name after its first "-" (the whole name when it
// has none).
std::string DataFileExt(std::string_view modelName);

// Loads the row of the model selected in cmb_ModelNameList (no row: the
// previous values stay), shows its loop counts in Text1/Text2, sets Mode_PN
// and the PAL/NTSC frame by machine type, rebuilds the mode list and selects
// its first entry (which derives the mode's parameters), sets the channel
// counts from lbl_n_AD_Channel and DataFileExt, and clears flg_DataLoaded.
void Set_ModelParameters(FrmMain& w);

// Event handlers.
void cmb_ModelNameList_Click(FrmMain& w);
void cmb_VTRmode_List_Click(FrmMain& w);
// Index 0 PAL, 1 NTSC. Besides the mode parameters it brings the model label
// lbl_Info(2) up to date, which names the TV system of a "VTR" model.
void opt_PAL_NTSC_Click(FrmMain& w, int Index);

// lbl_Info(2): the model name, with "(PAL)" or "(NTSC)" for a "VTR" model.
void Show_ModelLabel(FrmMain& w);

}  // namespace morva
