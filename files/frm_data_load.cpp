#include "files/frm_data_load.h"

#include <filesystem>
#include <system_error>

#include "files/data_file.h"
#include "files/data_file_dialogs.h"
#include "files/text_file.h"

namespace morva {

namespace {
constexpr int kOpenFileButton = 52;
constexpr int kInfoLabels = 9;
}  // namespace

FrmDataLoad::FrmDataLoad(FrmMain& main)
    : forms::Form(main.app(), "frmDataLoad"),
      cmb_Load(add<forms::ComboBox>("cmb_Load")),
      drv_Load(add<forms::DriveList>("drv_Load")),
      dir_Load(add<forms::DirList>("dir_Load")),
      flst_Load(add<forms::FileList>("flst_Load")),
      w_(main) {
    for (int i = 0; i <= 1; ++i)
        lbl_Load.add(*this, i);
    for (int i = 0; i < kInfoLabels; ++i) {
        lbl_FileInfoTitle.add(*this, i);
        lbl_FileInfo.add(*this, i);
    }
    for (int i = 0; i <= 1; ++i)
        cmd_Load.add(*this, i);
    layout();
    setCaptions(InJapanese(main));

    cmb_Load.Click = [this] { filterChosen(); };
    drv_Load.Change = [this] { dir_Load.setPath(drv_Load.drive()); };
    dir_Load.Change = [this] {
        flst_Load.setPath(dir_Load.path());
        for (int i = 0; i < kInfoLabels; ++i)
            lbl_FileInfo(i).setCaption("");
    };
    flst_Load.PathChange = [this] { showFolder(); };
    flst_Load.Click = [this] {
        lbl_FileInfo(1).setCaption(flst_Load.fileName());
        ShowFileInfo();
    };
    flst_Load.DblClick = [this] {
        if (flst_Load.listIndex() < 0) return;
        lbl_FileInfo(1).setCaption(flst_Load.fileName());
        load();
    };
    cmd_Load(0).Click = [this] { load(); };
    cmd_Load(1).Click = [this] { unload(); };
    Load = [this] { open(); };
}

void FrmDataLoad::layout() {
    move(0, 0, 9600, 7560);
    drv_Load.move(120, 120, 3000, 315);
    dir_Load.move(120, 510, 3000, 2700);
    flst_Load.move(3240, 120, 4200, 3090);
    cmd_Load(0).move(7680, 120, 1680, 420);
    cmd_Load(0).setDefault(true);
    cmd_Load(1).move(7680, 660, 1680, 420);
    cmd_Load(1).setCancel(true);
    lbl_Load(0).move(120, 3330, 9240, 285);
    // Wide enough for "ALL MORVA DataFile (*.Morva_*)".
    cmb_Load.move(120, 3660, 3600, 315);
    lbl_Load(1).move(3840, 3690, 2400, 285);
    // The file name (or the filter) first, then what the file says about itself.
    const int rows[] = {1, 0, 2, 3, 4, 5, 6, 7, 8};
    for (int i = 0; i < kInfoLabels; ++i) {
        const forms::Twips top = 4140 + rows[i] * 285;
        lbl_FileInfoTitle(i).move(120, top, 1500, 270);
        lbl_FileInfo(i).move(1680, top, 7680, 270);
    }
}

void FrmDataLoad::setCaptions(bool japanese) {
    japanese_ = japanese;
    const auto pick = [japanese](const char* en, const char* ja) { return std::string(japanese ? ja : en); };
    setCaption(pick("Data Load", "データ呼出"));
    cmd_Load(0).setCaption(pick("Load", "呼出"));
    cmd_Load(1).setCaption(pick("Cancel", "ｷｬﾝｾﾙ"));
    const char* titles[kInfoLabels][2] = {
        {"Machine Type", "機器種別"}, {"File Name", "ﾌｧｲﾙ名"},  {"Model", "機種名"},
        {"VTR Mode", "VTRﾓｰﾄﾞ"},      {"PAL/NTSC", "PAL/NTSC"}, {"Serial No./ID", "ｼﾘｱﾙ/ID"},
        {"Comment", "ｺﾒﾝﾄ"},          {"Save Date", "保存日"},  {"Save Time", "保存時刻"}};
    for (int i = 0; i < kInfoLabels; ++i)
        lbl_FileInfoTitle(i).setCaption(pick(titles[i][0], titles[i][1]));
}

void FrmDataLoad::open() {
    const MainState& st = w_.st;
    PlaceDialog(*this, w_);
    ApplyUserFont(*this, st.settings);
    const std::string folder = StartFolder(st);
    drv_Load.setDrive("/");
    dir_Load.setPath(folder);
    flst_Load.setPath(folder);
    lbl_Load(0).setCaption(folder);
    cmb_Load.clear();
    cmb_Load.addItem(w_.cmb_ModelNameList.text() + "(*" + st.settings.DataFileExt + ")");
    cmb_Load.addItem("ALL MORVA DataFile (*.Morva_*)");
    cmb_Load.setListIndex(0);
}

void FrmDataLoad::filterChosen() {
    const std::string filter = cmb_Load.listIndex() == 1 ? "*.Morva_*" : "*" + w_.st.settings.DataFileExt;
    flst_Load.setPattern(filter);
    flst_Load.refresh();
    lbl_FileInfo(1).setCaption(filter);
    showFolder();
}

void FrmDataLoad::showFolder() {
    lbl_Load(0).setCaption(flst_Load.path());
    lbl_Load(1).setCaption(std::to_string(flst_Load.listCount()) + (japanese_ ? " ﾌｧｲﾙ" : " files"));
}

void FrmDataLoad::ShowFileInfo() {
    for (int i : {0, 2, 3, 4, 5, 6, 7, 8})
        lbl_FileInfo(i).setCaption("");
    const std::string name = lbl_FileInfo(1).caption();
    DataFileInfo info;
    if (!name.empty() && !name.starts_with("*")) {
        // Only the head of the file: a huge or binary file cannot hold the dialog up.
        const auto lines = readTextLines(withTrailingSeparator(lbl_Load(0).caption()) + name, kMaxInfoBytes);
        if (lines) info = ParseDataFileInfo(*lines);
    }
    lbl_FileInfo(0).setCaption(info.MachineType);
    lbl_FileInfo(2).setCaption(info.ModelName);
    lbl_FileInfo(3).setCaption(info.VTRmode);
    lbl_FileInfo(4).setCaption(info.Mode_PN);
    lbl_FileInfo(5).setCaption(info.Serial);
    lbl_FileInfo(6).setCaption(info.Comment);
    lbl_FileInfo(7).setCaption(info.SaveDate);
    lbl_FileInfo(8).setCaption(info.SaveTime);
    const bool vtr = info.MachineType == "VTR";
    for (int i : {3, 4}) {
        lbl_FileInfo(i).setVisible(vtr);
        lbl_FileInfoTitle(i).setVisible(vtr);
    }
}

void FrmDataLoad::load() {
    const std::string name = lbl_FileInfo(1).caption();
    // A filter shown, or nothing chosen since the folder changed: nothing to load.
    if (name.empty() || name.starts_with("*")) return;
    const std::string folder = withTrailingSeparator(flst_Load.path());
    std::error_code ec;
    if (!std::filesystem::is_regular_file(folder + name, ec)) return;
    MainState& st = w_.st;
    st.DataFileName = name;
    st.settings.Path_DataFile = folder;
    unload();
    w_.cmd_StartFunction(kOpenFileButton).setValue(true);
}

void Show_DataLoad(FrmMain& w) {
    ShowDataDialog<FrmDataLoad>(w, "frmDataLoad");
}

}  // namespace morva
