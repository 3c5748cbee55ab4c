#include "files/frm_find_path.h"

#include <filesystem>
#include <system_error>

#include "files/dialog_placement.h"
#include "files/startup_setting_file.h"
#include "files/text_file.h"

namespace morva {

FrmFindPath::FrmFindPath(FrmMain& m, FindPathExchange& exchange)
    : forms::Form(m.app(), "frmFindPath"),
      main(m),
      drv_FindPath(add<forms::DriveList>("drv_FindPath")),
      dir_FindPath(add<forms::DirList>("dir_FindPath")),
      fil_FindPath(add<forms::FileList>("fil_FindPath")),
      exchange_(exchange) {
    for (int i = 0; i < 2; ++i)
        lbl_FindPath.add(*this, i);
    for (int i = 0; i < 3; ++i)
        cmd_FindPath.add(*this, i);
    move(0, 0, 7200, 5880);
    lbl_FindPath(0).move(120, 120, 6840, 300);
    lbl_FindPath(0).setBackColor(0x00FFFFFF);
    drv_FindPath.move(120, 540, 3300, 315);
    dir_FindPath.move(120, 960, 3300, 3240);
    fil_FindPath.move(3600, 540, 3360, 3660);
    lbl_FindPath(1).move(3600, 4260, 3360, 270);
    cmd_FindPath(2).move(120, 4620, 1200, 420);  // one row with OK and Cancel
    cmd_FindPath(0).move(4200, 4620, 1300, 420);
    cmd_FindPath(1).move(5640, 4620, 1300, 420);
    const bool japanese = InJapanese(main);
    setCaption("Find File Path - " + exchange_.FindPath_Item);
    cmd_FindPath(0).setCaption("OK");
    cmd_FindPath(1).setCaption(japanese ? "ｷｬﾝｾﾙ" : "Cancel");
    cmd_FindPath(2).setCaption(japanese ? "上へ" : "Up");

    Load = [this] { Form_Load(); };
    dir_FindPath.Change = [this] { fil_FindPath.setPath(dir_FindPath.path()); };
    dir_FindPath.DblClick = [this] {
        const int i = dir_FindPath.listIndex();
        if (i < 0) return;
        const std::string here = dir_FindPath.path();
        showFolder((here == "/" ? here : here + "/") + dir_FindPath.list(i));
    };
    fil_FindPath.PathChange = [this, japanese] {
        lbl_FindPath(0).setCaption(fil_FindPath.path());
        lbl_FindPath(1).setCaption(std::to_string(fil_FindPath.listCount()) +
                                   (japanese ? " ﾌｧｲﾙ" : " files"));
    };
    cmd_FindPath.on(&forms::Control::Click, [this](int i) {
        if (i == 0) {
            exchange_.FindPath_Path = withTrailingSeparator(lbl_FindPath(0).caption());
            if (exchange_.chosen) exchange_.chosen();
            unload();
        }
        if (i == 1) unload();
        if (i == 2) showFolder(std::filesystem::path(dir_FindPath.path()).parent_path().string());
    });
}

void FrmFindPath::Form_Load() {
    PlaceDialog(*this, main);
    ApplyUserFont(*this, main.st.settings);
    fil_FindPath.setPattern(exchange_.FindPath_Pattern);
    const std::string start =
        Resolve_SettingFolder(main.st.ProgramFolder, withTrailingSeparator(exchange_.FindPath_Path));
    std::error_code ec;
    showFolder(!start.empty() && std::filesystem::is_directory(start, ec) ? start : main.st.ProgramFolder);
}

void FrmFindPath::showFolder(const std::string& folder) {
    if (folder.empty()) return;
    dir_FindPath.setPath(folder);
    fil_FindPath.setPath(dir_FindPath.path());
}

}  // namespace morva
