#include "files/export_file.h"

#include <filesystem>
#include <system_error>

#include "files/data_file.h"
#include "files/data_file_dialogs.h"
#include "files/file_names.h"
#include "files/text_file.h"
#include "files/tool_dialogs.h"

namespace morva {

bool RefuseExportDuringRun(FrmMain& w) {
    if (!RunInProgress(w)) return false;
    w.msgBox(
        InJapanese(w) ? "測定を停止してから出力してください。" : "Stop the measurement before exporting.",
        forms::msg::Exclamation);
    return true;
}

std::string ExportStem(const FrmMain& w) {
    const MainState& st = w.st;
    // The data-file extension as names carry it (made safe like them).
    const std::string ext = SafeFileName("x", st.settings.DataFileExt).substr(1);
    std::string name = st.flags.flg_DataLoaded == 1 && !st.DataFileName.empty()
                           ? st.DataFileName
                           : AutoFileName(w, w.lbl_MsrInfo(0).caption(), ReadSaveClock(st));
    if (!ext.empty() && name.size() > ext.size() && name.ends_with(ext))
        name.resize(name.size() - ext.size());
    return name;
}

std::optional<std::string> AskExportPath(FrmMain& w, std::string_view ext, const ExportTexts& texts) {
    const bool japanese = InJapanese(w);
    const std::string folder = DataFileFolder(w.st);
    const std::string proposal = UnusedFileName(folder, SafeFileName(ExportStem(w), ext), ext);
    const std::string answer =
        w.app().inputBox(std::string(japanese ? texts.promptJapanese : texts.prompt),
                         std::string(japanese ? texts.titleJapanese : texts.title), proposal);
    if (answer.empty()) return std::nullopt;  // cancelled
    const std::string name = SaveDialogFileName(answer, ext);
    const std::string path = folder + name;
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, ec)) && !ec) {
        const std::string question = japanese ? "ﾌｧｲﾙ [" + name + "] は既に存在します。上書きしますか ?"
                                              : "File [" + name + "] already exists. Overwrite ?";
        if (w.msgBox(question, forms::msg::YesNo | forms::msg::Question | forms::msg::DefaultButton2) !=
            forms::MsgResult::Yes)
            return std::nullopt;
    }
    return path;
}

bool WriteExportFile(FrmMain& w, const std::string& path, std::string_view bytes) {
    const bool japanese = InJapanese(w);
    std::string error;
    if (!writeFileAtomically(path, bytes, &error)) {
        w.msgBox(japanese ? "ﾌｧｲﾙを書き込めませんでした。\r\n" + error : error, forms::msg::Exclamation);
        return false;
    }
    w.msgBox(japanese ? "[" + path + "] に出力しました。" : "Written: [" + path + "]",
             forms::msg::Information);
    return true;
}

}  // namespace morva
