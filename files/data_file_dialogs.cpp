#include "files/data_file_dialogs.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "files/file_names.h"
#include "files/tool_dialogs.h"
#include "forms/application.h"

namespace morva {

void PlaceDialog(forms::Form& dialog, const FrmMain& w) {
    const forms::Screen& screen = w.app().screen();
    const forms::Twips left = w.left() + (w.width() - dialog.width()) / 2;
    const forms::Twips top = w.top() + (w.height() - dialog.height()) / 2;
    dialog.move(std::clamp<forms::Twips>(left, 0, std::max<forms::Twips>(0, screen.width - dialog.width())),
                std::clamp<forms::Twips>(top, 0, std::max<forms::Twips>(0, screen.height - dialog.height())),
                dialog.width(), dialog.height());
}

void ApplyUserFont(forms::Form& dialog, const SettingsRecord& s) {
    if (s.FontName.empty() || s.FontSize <= 0) return;
    dialog.setFont(s.FontName, s.FontSize);
    for (const auto& c : dialog.controls())
        c->setFont(s.FontName, s.FontSize);
}

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
