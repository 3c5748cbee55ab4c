#pragma once
// The window's texts in English and Japanese: one table of every caption
// and tool tip the language switch sets, and the switch itself, which runs
// whenever the caption of lbl_Language changes (the settings file at
// start-up, the options dialog later).

#include <span>

#include "window/frm_main.h"

namespace morva {

// One text of the window: the control (program name and array index, -1
// for a single control), whether the tool tip or the caption is meant, and
// the text in each language; nullptr keeps what the control shows.
struct CaptionRow {
    const char* control;
    int index;
    bool toolTip;
    const char* english;
    const char* japanese;
};

std::span<const CaptionRow> Language_CaptionTable();

// Language = caption of lbl_Language; "English" or "Japanese" sets that
// column of the table, any other text changes no caption.
void lbl_Language_Change(FrmMain& w);

// Installs the handler on lbl_Language.
void Wire_Language(FrmMain& w);

}  // namespace morva
