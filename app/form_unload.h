#pragma once
// Shut-down of the main window.

#include "window/frm_main.h"

namespace morva {

// Keeps the window geometry for the next start: the width the panels need
// (work list when shown, function panel, graph frame, splitter and frame
// margins), the window's height, left and top, and the graph frame's width
// as the splitter position.
void Save_WindowGeometry(FrmMain& w);

// The end of the program: writes the settings file, releases the A/D board
// and ends (every window closes, no further event runs). The main menu's
// "Exit" does this without saving the geometry first.
void Exit_Program(FrmMain& w);

// The unload handler: the geometry, then Exit_Program. Does nothing once the
// program has ended (the window closing after "Exit").
void Form_Unload(FrmMain& w);

}  // namespace morva
