#pragma once
// "MORVA StartupSetting.dat": the state the operator left at the end of the
// previous run, read at start-up and written back in full at the end.

#include <string>

#include "window/frm_main.h"

namespace morva {

// Reads the file from the program folder. Values kept in controls go
// through those controls, so their handlers run while reading (language,
// board type, work-list and control-panel check boxes, automatic file-name
// check boxes). A folder given relative to the program folder is made
// absolute there. "FontSize = " and "n_AD_Channel = " take strict integers:
// any other text keeps the old value. Other numbers are parsed leniently and
// clamped to their 16-bit or 32-bit target.
//
// A missing file adds "MORVA StartupSetting.dat : not found" to lst_Version
// and starts with Apply_StartupDefaults.
void Read_StartupSettingFile(FrmMain& w);

// The settings of a first start (no settings file): English, the window's
// font, the first model of the list in PAL, the work list shown, a peak hold
// of 10 s, and the first board of the A/D catalogue with its channel count.
// Geometry, folders and master tape are left to the start-up's own repair.
void Apply_StartupDefaults(FrmMain& w);

// Writes the file anew (temporary file renamed over the old one). When that
// fails, the operator is told which file could not be written and why, and
// the old file stays as it was; the result is then false.
bool Write_StartupSettingFile(FrmMain& w);

// A folder setting as the program uses it: an absolute path as it is, a
// relative one below the program folder (normalised, a trailing separator
// kept), an empty one empty.
std::string Resolve_SettingFolder(const std::string& programFolder, const std::string& folder);

}  // namespace morva
