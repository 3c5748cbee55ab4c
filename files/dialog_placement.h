#pragma once
// Where every dialog of the main window opens, and the user's font on its
// controls.

#include "core/state.h"
#include "forms/form.h"
#include "window/frm_main.h"

namespace morva {

// Centres the dialog over the main window, kept on the screen.
void PlaceDialog(forms::Form& dialog, const FrmMain& w);
// Every control of the dialog in the user's FontName and FontSize (nothing
// changes while either is unset).
void ApplyUserFont(forms::Form& dialog, const SettingsRecord& s);

}  // namespace morva
