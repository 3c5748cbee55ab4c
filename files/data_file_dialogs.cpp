#include "files/data_file_dialogs.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "files/file_names.h"
#include "files/tool_dialogs.h"
#include "forms/application.h"

namespace morva {

std::string StartFolder(const MainState& st) {
    std::string folder = st.settings.Path_DataFile;
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec)) folder = st.ProgramFolder;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string SaveDialogFileName(std::string_view typed, std::string_view ext) {
    std::string_view stem = typed;
    if (!ext.empty() && typed.size() > ext.size() && typed.ends_with(ext))
        stem = typed.substr(0, typed.size() - ext.size());
    else if (const size_t dot = typed.find('.'); dot != std::string_view::npos)
        stem = typed.substr(0, dot);
    return SafeFileName(stem, ext);
}

bool RefuseDuringRun(FrmMain& w) {
    if (!RunInProgress(w)) return false;
    w.msgBox("Stop the measurement before saving or loading a data file.", forms::msg::Exclamation);
    return true;
}

}  // namespace morva
