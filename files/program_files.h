#pragma once
// The start-up files of the program folder, by their file names, and the
// entry a reader puts into lst_Version when its file cannot be read.

#include <string>
#include <string_view>

namespace morva {

inline constexpr const char* kParameterFileName = "MORVA Parameters.dat";
inline constexpr const char* kStartupSettingFileName = "MORVA StartupSetting.dat";
inline constexpr const char* kVTRParameterFileName = "VTR Parameters.dat";
inline constexpr const char* kMasterTapeListFileName = "MORVA MasterTape.dat";

// "<file name> : not found": what the version list shows for a missing file.
inline std::string notFoundLine(std::string_view fileName) {
    std::string line(fileName);
    line += " : not found";
    return line;
}

}  // namespace morva
