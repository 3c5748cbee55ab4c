#pragma once
// "MORVA StartupSetting.dat": the state the operator left at the end of the
// previous run, read at start-up and written back in full at the end.

#include <functional>
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
// The board named in the file (or the first-start board) is selected after
// every other line is read, once `beforeBoard` has run (start-up repairs the
// folders there, so the board's configuration file is looked for in the
// folder actually used).
//
// A missing file adds "MORVA StartupSetting.dat : not found" to lst_Version
// (": could not be read" for one that exists but cannot be read) and starts
// with Apply_StartupDefaults; so does a file without a single setting
// (empty, cut short, or not a settings file at all).
void Read_StartupSettingFile(FrmMain& w, const std::function<void()>& beforeBoard = {});

// The settings of a first start (no settings file): English, the window's
// font, the first model of the list in PAL, the work list shown, a peak hold
// of 10 s, and the first board of the A/D catalogue with its channel count.
// Geometry, folders and master tape are left to the start-up's own repair.
void Apply_StartupDefaults(FrmMain& w);

// Writes the file anew (temporary file renamed over the old one). When that
// fails, the operator is told which file could not be written and why, and
// the old file stays as it was; the result is then false. A folder inside
// the program folder is written relative to it; a folder name with a line
// break is refused (it would split its line). With an empty model or
// master-tape list (its file could not be read) the stored choice is kept.
bool Write_StartupSettingFile(FrmMain& w);

// A folder setting as the program uses it: an absolute path as it is, a
// relative one below the program folder (normalised, a trailing separator
// kept), an empty one empty.
std::string Resolve_SettingFolder(const std::string& programFolder, const std::string& folder);

}  // namespace morva
