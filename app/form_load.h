#pragma once
// Start-up of the main window: the start-up files, the stored selections,
// the window geometry, the data folders, and the first screen.

#include <string>

#include "window/frm_main.h"

namespace morva {

// The load handler. flg_Busy is 1 from its first step to its last, so the
// handlers it sets off (model, mode, TV system, master tape, the settings'
// controls) and any function-button click that arrives meanwhile do not
// redraw or start anything; the screen is drawn once at the end.
void Form_Load(FrmMain& w);

// The start-up check of one folder setting: kept when it names an existing
// folder (tested without its last character, which is normally the
// separator), otherwise replaced by `fallback`; then the folder is created
// (one level) when it does not exist. A folder that cannot be created is
// not reported.
std::string Check_Folder(const std::string& path, const std::string& fallback);

}  // namespace morva
