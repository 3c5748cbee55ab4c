#pragma once
// What the graph and waveform exports share: the refusals, the name the
// operator confirms, the question before replacing a file, the write and
// the message that reports it, in the window's language.

#include <optional>
#include <string>
#include <string_view>

#include "window/frm_main.h"

namespace morva {

// The texts of one kind of export.
struct ExportTexts {
    std::string_view title, titleJapanese;    // the input box's title: the menu item
    std::string_view prompt, promptJapanese;  // what the input box asks for
};

// Tells the operator (message box) and returns true while a run is active.
bool RefuseExportDuringRun(FrmMain& w);

// The stem an export's name proposal starts from: the loaded data file's
// name without its extension, else the automatic data-file name of the
// current serial and time.
std::string ExportStem(const FrmMain& w);

// Proposes stem + `ext` (a free name) in the data folder through the input
// box and makes the answer a safe file name with `ext`. Nothing when the
// operator cancels, or refuses to replace a file of that name. The full
// path otherwise.
std::optional<std::string> AskExportPath(FrmMain& w, std::string_view ext, const ExportTexts& texts);

// Writes `bytes` through the atomic writer and reports the path written or
// the reason it could not be. True on success.
bool WriteExportFile(FrmMain& w, const std::string& path, std::string_view bytes);

}  // namespace morva
