#include "app/language_table.h"

#include <array>

#include "forms/controls.h"

namespace morva {

namespace {

constexpr const char* kFunction = "cmd_StartFunction";
// The tool tips of the editable information labels are Japanese in both
// languages.
constexpr const char* kSerialTip = "Serial No./ID Name etcを入力 --> [ENTER]で完了";
constexpr const char* kCommentTip = "コメントを入力 --> [ENTER]で完了";

constexpr std::array kTable = {
    // Menus.
    CaptionRow{"mnu_File", -1, false, "File(&F)", "ﾌｧｲﾙ(&F)"},
    CaptionRow{"mnu_FileItem", 0, false, "Data Save", "ﾃﾞｰﾀ保存"},
    CaptionRow{"mnu_FileItem", 1, false, "Data Load", "ﾃﾞｰﾀ呼出"},
    CaptionRow{"mnu_FileItem", 2, false, "Print Out", "印刷"},
    CaptionRow{"mnu_FileItem", 3, false, "End", "終了"},
    CaptionRow{"mnu_FileItem", 4, false, "Export Graph (PNG)", "ｸﾞﾗﾌ画像出力(PNG)"},
    CaptionRow{"mnu_FileItem", 5, false, "Export Graph (PNG, 2x)", "ｸﾞﾗﾌ画像出力(PNG, 2倍)"},
    CaptionRow{"mnu_FileItem", 6, false, "Export Waveforms (CSV)", "波形ﾃﾞｰﾀ出力(CSV)"},
    CaptionRow{"mnu_View", -1, false, "View(&V)", "表示(&V)"},
    CaptionRow{"mnu_ViewItem", 0, false, "Work List", "ﾜｰｸﾘｽﾄ(&W)"},
    CaptionRow{"mnu_ViewItem", 1, false, "Control Panel", "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ(&3)"},
    CaptionRow{"mnu_Msr", -1, false, "Measurement(&M)", "測定(&M)"},
    CaptionRow{"mnu_MsrItem", 0, false, "Sensitivity", "感度"},
    CaptionRow{"mnu_MsrItem", 1, false, "Linearity", "ﾘﾆｱﾘﾃｨ"},
    CaptionRow{"mnu_MsrItem", 2, false, "Input Monitor", "波形ﾓﾆﾀｰ"},
    CaptionRow{"mnu_Tool", -1, false, "Tool(&T)", "ﾂｰﾙ(&T)"},
    CaptionRow{"mnu_ToolItem", 0, false, "Master Tape Edit", "ﾏｽﾀｰﾃｰﾌﾟ編集"},
    CaptionRow{"mnu_ToolItem", 1, false, "Option", "ｵﾌﾟｼｮﾝ"},
    CaptionRow{"mnu_Help", -1, false, "Help(&H)", "ﾍﾙﾌﾟ(&H)"},
    CaptionRow{"mnu_HelpItem", 0, false, "Version", "ﾊﾞｰｼﾞｮﾝ情報"},
    // Titles of the function panels.
    CaptionRow{"lbl_MenuTitle", 0, false, "Main Menu", "メインメニュー"},
    CaptionRow{"lbl_MenuTitle", 1, false, "Sensitivity", "感度"},
    CaptionRow{"lbl_MenuTitle", 2, false, "Linearity", "リニアリティ"},
    CaptionRow{"lbl_MenuTitle", 3, false, "Input Monitor", "波形ﾓﾆﾀｰ"},
    CaptionRow{"lbl_MenuTitle", 4, false, "Data File", "ﾃﾞｰﾀﾌｧｲﾙ"},
    // Item titles of the selections and the information panel.
    CaptionRow{"lbl_ItemTitle", 0, false, "Model Name :", "機種名 :"},
    CaptionRow{"lbl_ItemTitle", 1, false, "Master Tape :", "ﾏｽﾀｰﾃｰﾌﾟ :"},
    CaptionRow{"lbl_ItemTitle", 2, false, "Model :", "機種名 :"},
    CaptionRow{"lbl_ItemTitle", 3, false, "Mode :", "ﾓｰﾄﾞ :"},
    CaptionRow{"lbl_ItemTitle", 4, false, "Master Tape :", "ﾏｽﾀｰﾃｰﾌﾟ :"},
    CaptionRow{"lbl_ItemTitle", 5, false, "Serial/ID :", "ｼﾘｱﾙ/ID :"},
    CaptionRow{"lbl_ItemTitle", 6, false, "Comment :", "ｺﾒﾝﾄ :"},
    // Function buttons: main menu.
    CaptionRow{kFunction, 0, false, "Sensitivity", "感度"},
    CaptionRow{kFunction, 1, false, "Linearity", "リニアリティ"},
    CaptionRow{kFunction, 2, false, "Data Save", "データ保存"},
    CaptionRow{kFunction, 3, false, "Data Load", "データ呼出"},
    CaptionRow{kFunction, 4, false, "Input Monitor", "波形モニター"},
    CaptionRow{kFunction, 5, false, "Exit", "終了"},
    // Sensitivity.
    CaptionRow{kFunction, 11, false, "Waveform", "波形表示"},
    CaptionRow{kFunction, 12, false, "Measurement", "測定開始"},
    CaptionRow{kFunction, 13, false, "Next", "次項目へ"},
    CaptionRow{kFunction, 14, false, "Main Menu", "ﾒｲﾝﾒﾆｭｰへ"},
    CaptionRow{kFunction, 15, false, "<<", "<<"},
    CaptionRow{kFunction, 16, false, ">>", ">>"},
    CaptionRow{kFunction, 17, false, "<", "<"},
    CaptionRow{kFunction, 18, false, ">", ">"},
    CaptionRow{kFunction, 19, false, "Linearity", "ﾘﾆｱ測定へ"},
    // Linearity.
    CaptionRow{kFunction, 21, false, "Waveform", "波形表示"},
    CaptionRow{kFunction, 22, false, "Measurement", "測定開始"},
    CaptionRow{kFunction, 23, false, "Next", "次項目へ"},
    CaptionRow{kFunction, 24, false, "Main Menu", "ﾒｲﾝﾒﾆｭｰへ"},
    CaptionRow{kFunction, 25, false, "Finish", "強制終了"},
    CaptionRow{kFunction, 26, false, "Reset", "リセット"},
    CaptionRow{kFunction, 27, false, "Data Save", "データ保存"},
    CaptionRow{kFunction, 28, false, "Sensitivity", "感度測定へ"},
    // Input monitor.
    CaptionRow{kFunction, 31, false, "Waveform", "波形表示"},
    CaptionRow{kFunction, 32, false, "Main Menu", "ﾒｲﾝﾒﾆｭｰへ"},
    CaptionRow{kFunction, 33, false, "Calibration", "校正"},
    // Data file; "Data Load" has no Japanese caption and keeps its own.
    CaptionRow{kFunction, 41, false, "Linearity", "ﾘﾆｱﾃﾞｰﾀ表示"},
    CaptionRow{kFunction, 42, false, "Sensitivity", "感度ﾃﾞｰﾀ表示"},
    CaptionRow{kFunction, 43, false, "Main Menu", "ﾒｲﾝﾒﾆｭｰへ"},
    CaptionRow{kFunction, 44, false, "Data Load", nullptr},
    // Tool tips.
    CaptionRow{"lbl_MsrInfo", 0, true, kSerialTip, kSerialTip},
    CaptionRow{"lbl_MsrInfo", 1, true, kCommentTip, kCommentTip},
};

void setCaption(forms::Control& c, const std::string& text) {
    switch (c.kind()) {
        case forms::ControlKind::Label:
            static_cast<forms::Label&>(c).setCaption(text);
            break;
        case forms::ControlKind::CommandButton:
            static_cast<forms::CommandButton&>(c).setCaption(text);
            break;
        case forms::ControlKind::MenuItem:
            static_cast<forms::MenuItem&>(c).setCaption(text);
            break;
        default:
            break;
    }
}

}  // namespace

std::span<const CaptionRow> Language_CaptionTable() {
    return kTable;
}

void lbl_Language_Change(FrmMain& w) {
    SettingsRecord& s = w.st.settings;
    s.Language = w.lbl_Language.caption();
    const bool japanese = s.Language == "Japanese";
    if (!japanese && s.Language != "English") return;
    for (const CaptionRow& row : kTable) {
        const char* text = japanese ? row.japanese : row.english;
        forms::Control* c = w.find(row.control, row.index);
        if (text == nullptr || c == nullptr) continue;
        if (row.toolTip)
            c->setToolTip(text);
        else
            setCaption(*c, text);
    }
}

void Wire_Language(FrmMain& w) {
    w.lbl_Language.Change = [&w] { lbl_Language_Change(w); };
}

}  // namespace morva
