// The options dialog's controls, their places and their captions in both languages.

#include "files/frm_option.h"

namespace morva {

FrmOption::FrmOption(FrmMain& m, FindPathExchange& findPath)
    : forms::Form(m.app(), "frmOption"),
      main(m),
      lbl_OptItemTitle(add<forms::Label>("lbl_OptItemTitle", -1, &fra_Option(2))),
      lbl_OptionSetting(add<forms::Label>("lbl_OptionSetting", -1, &fra_Option(3))),
      findPath_(findPath) {
    for (int i = 0; i < 2; ++i)
        opt_Language_opt.add(*this, i, &fra_Option(0));
    txt_OptionSetting.add(*this, 0, &fra_Option(2));
    for (int i = 1; i <= 4; ++i) {
        txt_OptionSetting.add(*this, i, &fra_Option(1));
        lbl_OptionPath.add(*this, i - 1, &fra_Option(1));
    }
    for (int i = 0; i <= 10; ++i) {
        forms::Frame* in = i >= 4 && i <= 9 ? &fra_Option(4) : (i == 10 ? &fra_Option(2) : &fra_Option(3));
        chk_OptionSetting.add(*this, i, in);
    }
    cmb_OptionSetting.add(*this, 0, &fra_Option(5));
    for (int i = 0; i < 2; ++i)
        opt_Option.add(*this, i, &fra_Option(5));
    lbl_OptionTitle.add(*this, 0, &fra_Option(5));
    lbl_OptionTitle.add(*this, 1, &fra_Option(5));
    lbl_OptionTitle.add(*this, 2, &fra_Option(3));
    lbl_OptionTitle.add(*this, 3, &fra_Option(2));
    for (int i = 0; i <= 6; ++i)
        cmd_OptionSetting.add(*this, i, i >= 2 && i <= 5 ? &fra_Option(1) : nullptr);
    layout();
    setCaptions(InJapanese(main));
    wire();
}

int FrmOption::makeFrames() {
    for (int i = 0; i < 6; ++i)
        fra_Option.add(*this, i, i == 4 ? &fra_Option(3) : nullptr);
    return 6;
}

void FrmOption::layout() {
    // The frames keep the same margin to the right edge of the window as to
    // the left (the window's client area is 8880 wide).
    move(0, 0, 9000, 7620);
    // Language, top left.
    fra_Option(0).move(120, 60, 2700, 1000);
    opt_Language_opt(0).move(150, 280, 2400, 300);
    opt_Language_opt(1).move(150, 600, 2400, 300);
    // A/D board, top right.
    fra_Option(5).move(2940, 60, 5820, 1000);
    lbl_OptionTitle(0).move(150, 320, 1500, 270);
    cmb_OptionSetting(0).move(1680, 280, 2700, 315);
    lbl_OptionTitle(1).move(150, 660, 1500, 270);
    opt_Option(0).move(1680, 620, 700, 300);
    opt_Option(1).move(2500, 620, 700, 300);
    // Folders.
    fra_Option(1).move(120, 1140, 8640, 1900);
    for (int i = 1; i <= 4; ++i) {
        const forms::Twips y = 280 + (i - 1) * 390;
        lbl_OptionPath(i - 1).move(150, y + 40, 1500, 270);
        txt_OptionSetting(i).move(1680, y, 5700, 315);
        cmd_OptionSetting(i + 1).move(7500, y, 1000, 330);
    }
    // Measurement: peak-hold time and remote control.
    fra_Option(2).move(120, 3120, 8640, 760);
    lbl_OptItemTitle.move(150, 320, 3000, 270);
    txt_OptionSetting(0).move(3200, 280, 900, 315);
    lbl_OptionTitle(3).move(4160, 320, 500, 270);
    chk_OptionSetting(10).move(5400, 280, 3000, 300);
    // Data file: saving, messages, automatic name.
    fra_Option(3).move(120, 3960, 8640, 2280);
    for (int i = 0; i < 4; ++i)
        chk_OptionSetting(i).move(150, 280 + i * 360, 3800, 300);
    fra_Option(4).move(4100, 200, 4400, 1300);
    for (int i = 4; i <= 9; ++i) {
        const int k = i - 4;
        chk_OptionSetting(i).move(150 + (k % 3) * 1400, 300 + (k / 3) * 440, 1300, 300);
    }
    lbl_OptionTitle(2).move(150, 1820, 1200, 270);
    lbl_OptionSetting.move(1400, 1780, 7100, 330);
    lbl_OptionSetting.setBackColor(0x00FFFFFF);
    // Buttons.
    cmd_OptionSetting(0).move(5580, 6360, 1500, 420);
    cmd_OptionSetting(1).move(7260, 6360, 1500, 420);
    cmd_OptionSetting(6).move(0, 0, 100, 100);
    cmd_OptionSetting(6).setVisible(false);
}

void FrmOption::setCaptions(bool japanese) {
    const auto pick = [japanese](const char* en, const char* ja) { return std::string(japanese ? ja : en); };
    setCaption("MORVA - Option Setting");
    fra_Option(0).setCaption(pick("Language", "言語"));
    fra_Option(1).setCaption(pick("File Path", "ﾌｧｲﾙ ﾊﾟｽ"));
    fra_Option(2).setCaption(pick("Measurement Setting", "測定設定"));
    fra_Option(3).setCaption(pick("Data File Setting", "ﾃﾞｰﾀﾌｧｲﾙ設定"));
    fra_Option(4).setCaption(pick("Part - Auto File Name", "自動ﾌｧｲﾙ名の構成"));
    fra_Option(5).setCaption(pick("A/D Board Setting", "A/D ﾎﾞｰﾄﾞ設定"));
    opt_Language_opt(0).setCaption("Japanese");
    opt_Language_opt(1).setCaption("English");
    lbl_OptItemTitle.setCaption(pick("Waving Peak Hold Time", "ｳｪｰﾋﾞﾝｸﾞ ﾋﾟｰｸﾎｰﾙﾄﾞ時間"));
    lbl_OptionPath(0).setCaption("Data File:");
    lbl_OptionPath(1).setCaption("SpecLine:");
    lbl_OptionPath(2).setCaption("ServiceMenu:");
    lbl_OptionPath(3).setCaption("A/D Config");
    const char* checks[11][2] = {{"Auto Data Save", "自動ﾃﾞｰﾀ保存"},
                                 {"Message: Serial Input", "ﾒｯｾｰｼﾞ: ｼﾘｱﾙ番号入力"},
                                 {"Message: Comment Input", "ﾒｯｾｰｼﾞ: ｺﾒﾝﾄ入力"},
                                 {"Auto File Name", "自動ﾌｧｲﾙ名"},
                                 {"Year", "年"},
                                 {"Month", "月"},
                                 {"Day", "日"},
                                 {"Hour", "時"},
                                 {"Min", "分"},
                                 {"Sec", "秒"},
                                 {"Remote Control", "ﾘﾓｰﾄｺﾝﾄﾛｰﾙ"}};
    for (int i = 0; i <= 10; ++i)
        chk_OptionSetting(i).setCaption(pick(checks[i][0], checks[i][1]));
    lbl_OptionTitle(0).setCaption("Type:");
    lbl_OptionTitle(1).setCaption("Input Channel:");
    lbl_OptionTitle(2).setCaption("Sample:");
    lbl_OptionTitle(3).setCaption(pick("sec", "秒"));
    opt_Option(0).setCaption("1");
    opt_Option(1).setCaption("2");
    cmd_OptionSetting(0).setCaption("update");
    cmd_OptionSetting(1).setCaption("Cancel");
    for (int i = 2; i <= 5; ++i)
        cmd_OptionSetting(i).setCaption("Find");
}

}  // namespace morva
