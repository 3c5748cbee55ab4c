#pragma once
// What the save and load dialogs share (where they open and the user's font
// are every dialog's: files/dialog_placement.h): the folder they start in,
// the rule for a typed name, and showing one of them modally, once, never
// during a run.

#include <memory>
#include <string>
#include <string_view>

#include "core/state.h"
#include "files/dialog_placement.h"
#include "forms/form.h"
#include "window/frm_main.h"

namespace morva {

// Path_DataFile when it names a folder that exists, else the program folder;
// without the trailing separator, as the folder lists give a path.
std::string StartFolder(const MainState& st);

// The file name a name typed in the save dialog stands for: a name that
// ends in the data-file extension loses exactly that extension, any other
// name is cut before its first "."; then the extension is appended and the
// whole made safe.
std::string SaveDialogFileName(std::string_view typed, std::string_view ext);

// True (after telling the operator) while a run is in progress.
bool RefuseDuringRun(FrmMain& w);

// Creates the dialog, shows it modally and unloads it when it closes. One
// instance: while one is open a second call does nothing.
template <typename Dialog>
void ShowDataDialog(FrmMain& w, const std::string& name) {
    if (RefuseDuringRun(w)) return;
    for (forms::Form* f : w.app().forms())
        if (f->name() == name) return;
    auto dialog = std::make_unique<Dialog>(w);
    dialog->show(true);
}

}  // namespace morva
