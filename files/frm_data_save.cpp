#include "files/frm_data_save.h"

#include <filesystem>
#include <system_error>

#include "files/data_file.h"
#include "files/data_file_dialogs.h"
#include "files/file_names.h"
#include "files/text_file.h"

namespace morva {

namespace {
constexpr int kSaveFileButton = 51;
constexpr const char* kOverwriteTitle = "MORVA Master Tape Data";
}  // namespace

FrmDataSave::FrmDataSave(FrmMain& main)
    : forms::Form(main.app(), "frmDataSave"),
      chk_Save(add<forms::CheckBox>("chk_Save")),
      Cmb_Save(add<forms::ComboBox>("Cmb_Save")),
      Drive_Save(add<forms::DriveList>("Drive_Save")),
      Dir_Save(add<forms::DirList>("Dir_Save")),
      FileList_Save(add<forms::FileList>("FileList_Save")),
      w_(main) {
    for (int i = 0; i <= 2; ++i)
        Txt_Save.add(*this, i);
    for (int i = 0; i <= 5; ++i)
        Lbl_Save.add(*this, i);
    for (int i = 0; i <= 1; ++i)
        Cmd_Save.add(*this, i);
    layout();
    setCaptions(InJapanese(main));

    Cmb_Save.Click = [this] { FileList_Save.setPattern("*" + w_.st.settings.DataFileExt); };
    Drive_Save.Change = [this] { Dir_Save.setPath(Drive_Save.drive()); };
    Dir_Save.Change = [this] { FileList_Save.setPath(Dir_Save.path()); };
    FileList_Save.PathChange = [this] { Lbl_Save(0).setCaption(FileList_Save.path()); };
    FileList_Save.Click = [this] {
        Txt_Save(2).setText(FileList_Save.fileName());
        Txt_Save(2).setFocus();
    };
    FileList_Save.DblClick = FileList_Save.Click;
    chk_Save.Click = [this] {
        if (chk_Save.value() == 1)
            composeName();
        else
            Txt_Save(2).setText("");
        Txt_Save(2).setFocus();
    };
    Txt_Save(0).Change = [this] {
        if (chk_Save.value() == 1) composeName();
    };
    Cmd_Save(0).Click = [this] { save(); };
    Cmd_Save(1).Click = [this] { close(); };
    Load = [this] { open(); };
    Activate = [this] { Txt_Save(2).setFocus(); };
    Unload = [](int&) {};
}

void FrmDataSave::layout() {
    move(0, 0, 8400, 6480);
    Lbl_Save(1).move(120, 120, 1500, 285);
    Txt_Save(0).move(1680, 90, 6480, 315);
    Lbl_Save(2).move(120, 540, 1500, 285);
    Txt_Save(1).move(1680, 510, 6480, 315);
    Lbl_Save(5).move(120, 1020, 1500, 285);
    Lbl_Save(0).move(1680, 1020, 6480, 285);
    Drive_Save.move(120, 1380, 3000, 315);
    Dir_Save.move(120, 1770, 3000, 2580);
    FileList_Save.move(3240, 1380, 4920, 2970);
    Lbl_Save(3).move(120, 4500, 1500, 285);
    Txt_Save(2).move(1680, 4470, 6480, 315);
    // The switch ends left of the buttons, which reach up beside it.
    chk_Save.move(1680, 4860, 3720, 285);
    Lbl_Save(4).move(120, 5250, 1500, 285);
    Cmb_Save.move(1680, 5220, 3600, 315);
    Cmd_Save(0).move(5520, 5130, 1200, 420);
    Cmd_Save(0).setDefault(true);
    Cmd_Save(1).move(6960, 5130, 1200, 420);
    Cmd_Save(1).setCancel(true);
}

void FrmDataSave::setCaptions(bool japanese) {
    const auto pick = [japanese](const char* en, const char* ja) { return std::string(japanese ? ja : en); };
    setCaption(pick("Data Save", "データ保存"));
    Lbl_Save(1).setCaption(pick("Serial No./ID", "ｼﾘｱﾙ/ID"));
    Lbl_Save(2).setCaption(pick("Comment", "ｺﾒﾝﾄ"));
    Lbl_Save(3).setCaption(pick("File Name", "ﾌｧｲﾙ名"));
    Lbl_Save(4).setCaption(pick("File Type", "ﾌｧｲﾙの種類"));
    Lbl_Save(5).setCaption(pick("Folder", "ﾌｫﾙﾀﾞ"));
    chk_Save.setCaption(pick("Make the file name automatically", "ﾌｧｲﾙ名を自動で付ける"));
    Cmd_Save(0).setCaption(pick("Save", "保存"));
    Cmd_Save(1).setCaption(pick("Cancel", "ｷｬﾝｾﾙ"));
}

void FrmDataSave::open() {
    const MainState& st = w_.st;
    PlaceDialog(*this, w_);
    ApplyUserFont(*this, st.settings);
    const std::string folder = StartFolder(st);
    Drive_Save.setDrive("/");
    Dir_Save.setPath(folder);
    FileList_Save.setPath(folder);
    Cmb_Save.clear();
    Cmb_Save.addItem("MORVA Data " + w_.cmb_ModelNameList.text() + "(*" + st.settings.DataFileExt + ")");
    Cmb_Save.setListIndex(0);
    FileList_Save.setPattern("*" + st.settings.DataFileExt);
    Lbl_Save(0).setCaption(FileList_Save.path());
    Txt_Save(0).setText(w_.lbl_MsrInfo(0).caption());
    Txt_Save(1).setText(w_.lbl_MsrInfo(1).caption());
    chk_Save.setValue(st.settings.MakeAutoFileName == 1 ? 1 : 0);
}

void FrmDataSave::composeName() {
    autoName_ = AutoFileName(w_, Txt_Save(0).text(), ReadSaveClock(w_.st));
    Txt_Save(2).setText(autoName_);
}

void FrmDataSave::save() {
    MainState& st = w_.st;
    const std::string typed = Txt_Save(2).text();
    if (typed.empty()) return;
    st.settings.Path_DataFile = withTrailingSeparator(Dir_Save.path());

    std::string name;
    if (chk_Save.value() == 1 && typed == autoName_) {
        // The automatic name and the stamp in the file come from one reading
        // of the clock, taken now.
        const LocalDateTime t = ReadSaveClock(st);
        name = AutoFileName(w_, Txt_Save(0).text(), t);
        st.datafile.SaveTime = t;
    } else {
        name = SaveDialogFileName(typed, st.settings.DataFileExt);
    }

    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::path(st.settings.Path_DataFile) / name, ec) &&
        w_.app().msgBox("File [" + name + "] already exists. Overwrite ?",
                        forms::msg::YesNo | forms::msg::Exclamation | forms::msg::DefaultButton2,
                        kOverwriteTitle) != forms::MsgResult::Yes) {
        st.datafile.SaveTime.reset();
        return;
    }

    st.DataFileName = name;
    for (int i = 0; i <= 1; ++i)
        if (w_.lbl_MsrInfo(i).caption() != Txt_Save(i).text())
            w_.lbl_MsrInfo(i).setCaption(Txt_Save(i).text());
    const int32_t writes = st.datafile.WriteCount;
    w_.cmd_StartFunction(kSaveFileButton).setValue(true);
    st.datafile.SaveTime.reset();
    // A write that failed has said why; the dialog stays for another try.
    if (st.datafile.WriteCount == writes) return;
    st.settings.MakeAutoFileName = static_cast<int16_t>(chk_Save.value() == 1 ? 1 : 0);
    close();
}

void FrmDataSave::close() {
    unload();
}

void Show_DataSave(FrmMain& w) {
    ShowDataDialog<FrmDataSave>(w, "frmDataSave");
}

}  // namespace morva
