// The editor's controls, their places and their captions in both languages.

#include "files/frm_master_tape.h"

namespace morva {

namespace {
using forms::CommandButton;
using forms::Label;
}  // namespace

FrmMasterTape::FrmMasterTape(FrmMain& m)
    : forms::Form(m.app(), "frmMasterTape"),
      main(m),
      lst_MasterTape(add<forms::ListBox>("lst_MasterTape")),
      cmb_MasterTape_Sort(add<forms::ComboBox>("cmb_MasterTape_Sort")),
      lbl_MasterTape_nEntry(add<Label>("lbl_MasterTape_nEntry")),
      chk_MasterTapeEdit(add<forms::CheckBox>("chk_MasterTapeEdit")),
      pic_MasterTapeEntry(add<forms::PictureBox>("pic_MasterTapeEntry")),
      cmb_MasterTape_Type(add<forms::ComboBox>("cmb_MasterTape_Type", -1, &pic_MasterTapeEntry)),
      txt_MasterTape_Data(add<forms::TextBox>("txt_MasterTape_Data", -1, &pic_MasterTapeEntry)),
      lbl_MasterTape_DataNo(add<Label>("lbl_MasterTape_DataNo", -1, &pic_MasterTapeEntry)),
      lbl_Message_MasterEntry(add<Label>("lbl_Message_MasterEntry", -1, &pic_MasterTapeEntry)),
      today(Today_EntryDate) {
    for (int i = 0; i < 3; ++i)
        lbl_MasterTapeTitle.add(*this, i);
    for (int i : {0, 1, 2, 3, 5, 6})
        cmd_MasterTape.add(*this, i, i >= 5 ? &pic_MasterTapeEntry : nullptr);
    for (int i = 0; i < 2; ++i) {
        lbl_MasterType.add(*this, i, &pic_MasterTapeEntry);
        txt_MasterTape.add(*this, i, &pic_MasterTapeEntry);
        lst_MasterTape_Data.add(*this, i, &pic_MasterTapeEntry);
        lbl_MasterChk.add(*this, i, &pic_MasterTapeEntry);
    }
    for (int i = 0; i < 6; ++i)
        lbl_EntryTitle.add(*this, i, &pic_MasterTapeEntry);
    layout();
    setCaptions(InJapanese(main));
    wire();
}

void FrmMasterTape::layout() {
    move(0, 0, 10200, 9540);
    lbl_MasterTapeTitle(0).move(120, 150, 2400, 270);
    lbl_MasterTapeTitle(1).move(5400, 150, 1000, 270);
    cmb_MasterTape_Sort.move(6420, 100, 1900, 315);
    lbl_MasterTapeTitle(2).move(8400, 150, 900, 270);
    lbl_MasterTape_nEntry.move(9300, 150, 660, 270);
    lbl_MasterTape_nEntry.setAlignment(1);
    lst_MasterTape.move(120, 480, 9840, 2700);
    lst_MasterTape.setFont("MS Gothic", 9);
    cmd_MasterTape(2).move(120, 3300, 1500, 420);
    cmd_MasterTape(3).move(1740, 3300, 1500, 420);
    chk_MasterTapeEdit.move(3500, 3360, 1800, 300);
    chk_MasterTapeEdit.setEnabled(false);  // shows whether the list was changed
    cmd_MasterTape(0).move(6960, 3300, 1440, 420);
    cmd_MasterTape(1).move(8520, 3300, 1440, 420);

    pic_MasterTapeEntry.move(120, 3840, 9840, 4860);
    pic_MasterTapeEntry.setVisible(false);
    lbl_Message_MasterEntry.move(120, 90, 9600, 330);
    lbl_Message_MasterEntry.setBackColor(0x00FFFFFF);
    lbl_Message_MasterEntry.setFontBold(true);
    const forms::Twips labelX = 120, boxX = 1800, rowH = 450;
    for (int i = 0; i < 4; ++i)
        lbl_EntryTitle(i).move(labelX, 560 + i * rowH, 1640, 270);
    cmb_MasterTape_Type.move(boxX, 520, 2700, 315);
    lbl_MasterType(0).move(4620, 560, 900, 270);
    lbl_MasterType(1).move(5580, 560, 1000, 270);
    txt_MasterTape(0).move(boxX, 520 + rowH, 2700, 315);
    txt_MasterTape(1).move(boxX, 520 + 2 * rowH, 1300, 315);
    lbl_MasterTape_DataNo.move(boxX, 560 + 3 * rowH, 500, 270);
    lbl_MasterTape_DataNo.setAlignment(1);
    txt_MasterTape_Data.move(boxX + 600, 520 + 3 * rowH, 1300, 315);
    lbl_EntryTitle(4).move(labelX, 560 + 4 * rowH, 1640, 270);
    lbl_MasterChk(0).move(boxX, 540 + 4 * rowH, 1300, 300);
    lbl_EntryTitle(5).move(labelX, 560 + 5 * rowH, 1640, 270);
    lbl_MasterChk(1).move(boxX, 540 + 5 * rowH, 1300, 300);
    for (int i = 0; i < 2; ++i) {
        lbl_MasterChk(i).setBackColor(0x00FFFFFF);
        lbl_MasterChk(i).setAlignment(1);
    }
    lst_MasterTape_Data(0).move(6780, 520, 2940, 4200);
    lst_MasterTape_Data(0).setFont("MS Gothic", 9);
    // The typed texts are kept, not shown.
    lst_MasterTape_Data(1).move(6780, 520, 2940, 4200);
    lst_MasterTape_Data(1).setVisible(false);
    cmd_MasterTape(5).move(120, 4140, 1800, 420);
    cmd_MasterTape(6).move(2040, 4140, 1800, 420);
}

void FrmMasterTape::setCaptions(bool japanese) {
    const auto pick = [japanese](const char* en, const char* ja) { return std::string(japanese ? ja : en); };
    setCaption(pick("MORVA - Master Tape Data", "MORVA - マスターテープ データ"));
    lbl_MasterTapeTitle(0).setCaption(pick("Master Tape List", "マスターテープ一覧"));
    lbl_MasterTapeTitle(1).setCaption(pick("Sort:", "並べ替え:"));
    lbl_MasterTapeTitle(2).setCaption(pick("Entries:", "登録数:"));
    chk_MasterTapeEdit.setCaption(pick("Edited", "変更あり"));
    cmd_MasterTape(0).setCaption("OK");
    cmd_MasterTape(1).setCaption(pick("Cancel", "ｷｬﾝｾﾙ"));
    cmd_MasterTape(2).setCaption(pick("New Entry", "新規登録"));
    cmd_MasterTape(3).setCaption(pick("Delete", "削除"));
    cmd_MasterTape(5).setCaption(pick("Complete", "登録完了"));
    cmd_MasterTape(6).setCaption(pick("Abandon", "登録中止"));
    lbl_EntryTitle(0).setCaption(pick("Type:", "ﾃｰﾌﾟ種類:"));
    lbl_EntryTitle(1).setCaption(pick("Name / ID:", "名前 / ID:"));
    lbl_EntryTitle(2).setCaption(pick("Check Sum:", "ﾁｪｯｸｻﾑ:"));
    lbl_EntryTitle(3).setCaption(pick("Data:", "ﾃﾞｰﾀ:"));
    lbl_EntryTitle(4).setCaption(pick("Points:", "ﾃﾞｰﾀ数:"));
    lbl_EntryTitle(5).setCaption(pick("Sum:", "合計:"));
}

}  // namespace morva
