#pragma once
// What the fuzz targets share: one scratch program folder per process, the
// input written there as a file, and a fresh main window on the
// deterministic loop for every input (so no input depends on an earlier one).

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "forms/application.h"
#include "forms/scripted_dialogs.h"
#include "forms/test_loop.h"
#include "window/frm_main.h"

namespace morva::fuzz {

// The scratch folder (created on first use under the system's temporary
// folder, removed when the process ends), ending in "/".
const std::string& scratchFolder();

// Writes the input bytes to `name` in the scratch folder and returns its path.
std::filesystem::path writeInput(std::string_view name, const uint8_t* data, size_t size);

// The input as text.
inline std::string_view asText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A main window whose program folder and every configured folder is the
// scratch folder. Message boxes are answered at once; the loop's guards end a
// wait that could never finish instead of hanging the fuzzer.
struct FuzzWindow {
    FuzzWindow();
    forms::TestLoop loop;
    forms::ScriptedDialogs dialogs;
    forms::Application app{loop, dialogs};
    std::unique_ptr<FrmMain> w;
};

}  // namespace morva::fuzz
