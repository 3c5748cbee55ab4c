#pragma once
// The start-up files of the program folder, by their file names, and the
// entry a reader puts into lst_Version when its file cannot be read.

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

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

// The entry for a start-up file that could not be read: "not found" when
// it does not exist, "<file name> : could not be read" when it exists but
// cannot be read (no permission, not a regular file, too large).
inline std::string unreadableFileLine(std::string_view fileName, const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return notFoundLine(fileName);
    std::string line(fileName);
    line += " : could not be read";
    return line;
}

}  // namespace morva
