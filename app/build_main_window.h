#pragma once
// Building the main window: the form with its controls, its layout, the
// handlers of every subsystem, and the load and unload handlers.

#include <memory>
#include <string>

#include "forms/application.h"
#include "window/frm_main.h"

namespace morva {

// Creates the main window for the program folder `programFolder` (ending in
// the separator or not), lays it out and wires it. Showing it (or load())
// runs Form_Load.
std::unique_ptr<FrmMain> Build_MainWindow(forms::Application& app, const std::string& programFolder);

// The application's own handlers: Load, Unload, the function buttons, and
// the docking of the frames when the window is resized.
void Wire_App(FrmMain& w);

}  // namespace morva
