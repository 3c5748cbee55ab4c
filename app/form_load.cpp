#include "app/form_load.h"

#include <filesystem>
#include <system_error>

#include "app/version.h"
#include "core/numbers.h"
#include "files/master_tape_list.h"
#include "files/parameter_file.h"
#include "files/startup_setting_file.h"
#include "files/text_file.h"
#include "files/vtr_parameter_list.h"
#include "view/main_layout.h"

namespace morva {

namespace {

// Gap the start-up leaves beside the frames when it sizes them.
constexpr int32_t kFrameGap = 340;
constexpr int32_t kWindowChrome = 120;
constexpr int32_t kReplyTimeoutMs = 750;

void selectStartupModel(FrmMain& w) {
    for (int i = 0; i < w.cmb_ModelNameList.listCount(); ++i) {
        if (w.cmb_ModelNameList.list(i) == w.st.StartupModelName) {
            w.cmb_ModelNameList.setListIndex(i);
            break;
        }
    }
}

void selectStartupStandard(FrmMain& w) {
    if (w.st.StartupMode_PN == "PAL")
        w.opt_PAL_NTSC(0).setValue(true);
    else if (w.st.StartupMode_PN == "NTSC")
        w.opt_PAL_NTSC(1).setValue(true);
}

void selectStartupTape(FrmMain& w) {
    for (int i = 0; i < w.cmb_MasterTapeList.listCount(); ++i) {
        if (w.cmb_MasterTapeList.list(i) == w.st.settings.StartupTape) {
            w.cmb_MasterTapeList.setListIndex(i);
            break;
        }
    }
    if (w.cmb_MasterTapeList.listIndex() < 0) w.cmb_MasterTapeList.setListIndex(0);
}

// A stored geometry that does not fit the screen (or has no size) opens the
// window at 98 % of the screen, one fifth of the free space from the left
// and top. The graph frame then takes what the menu frame leaves of the
// window's width before the change.
void applyGeometry(FrmMain& w) {
    SettingsRecord& s = w.st.settings;
    const forms::Screen& screen = w.app().screen();
    const int32_t SW = screen.width;
    const int32_t SH = screen.height;
    if (s.Width <= 0 || s.Height <= 0 || s.Width > SW || s.Height > SH) {
        const int32_t W = w.width();
        s.Width = toInt16(SW * 0.98);
        s.Height = toInt16(SH * 0.98);
        s.Left = toInt16((SW - s.Width) / 5.0);
        s.Top = toInt16((SH - s.Height) / 5.0);
        const double menuFrame =
            static_cast<double>(s.Dsp_WorkList) * w.pic_WorkList.width() + w.pic_CmdMenu(0).width() + 50.0;
        s.Border = toInt16(W - menuFrame - w.pic_Border.width() - kFrameGap);
    }
    w.move(s.Left, s.Top, s.Width, s.Height);
}

void checkFolders(FrmMain& w) {
    SettingsRecord& s = w.st.settings;
    const std::string& folder = w.st.ProgramFolder;
    s.Path_DataFile = Check_Folder(s.Path_DataFile, folder + "Data/");
    s.Path_SpecLine_Lin = Check_Folder(s.Path_SpecLine_Lin, folder + "SpecLine_Lin/");
    s.Path_WorkList = Check_Folder(s.Path_WorkList, folder + "WorkList/");
    s.Path_DaqConfigFile = Check_Folder(s.Path_DaqConfigFile, folder);
}

void placeFramesAndPanels(FrmMain& w) {
    forms::PictureBox& graphs = w.pic_Frame(1);
    forms::PictureBox& menus = w.pic_Frame(2);
    graphs.setWidth(w.st.settings.Border);
    menus.setWidth(w.width() - graphs.width() - w.pic_Border.width() - kWindowChrome);
    Dock_Frames(w);
    w.doEvents();

    for (int i = 0; i <= 4; ++i)
        w.pic_CmdMenu(i).move(0, 0, w.pic_CmdMenu(i).width(), w.pic_CmdMenu(i).height());
    w.pic_WorkList.move(w.pic_CmdMenu(0).width(), 0, w.pic_WorkList.width(), menus.height());
    for (int i = 0; i <= 1; ++i)
        w.pic_Info(i).move(0, 0, w.pic_Info(i).width(), w.pic_Info(i).height());
    w.pic_CtrlPanel.move(0, menus.height() - w.pic_CtrlPanel.height(), w.pic_CtrlPanel.width(),
                         w.pic_CtrlPanel.height());
}

}  // namespace

std::string Check_Folder(const std::string& path, const std::string& fallback) {
    std::error_code ec;
    const auto withoutLast = [](const std::string& p) { return p.substr(0, p.empty() ? 0 : p.size() - 1); };
    std::string result = path;
    if (result.empty() || !std::filesystem::is_directory(withoutLast(result), ec)) result = fallback;
    const std::string folder = withoutLast(result);
    if (!folder.empty() && !std::filesystem::is_directory(folder, ec))
        std::filesystem::create_directory(folder, ec);
    return result;
}

void Form_Load(FrmMain& w) {
    MainState& st = w.st;
    SettingsRecord& s = st.settings;

    // 1-4: busy, caption, program folder, no A/D board open.
    st.flags.flg_Busy = 1;
    st.version = Program_Version();
    w.setCaption(Window_Caption(st.version));
    w.lbl_MainFace(1).setCaption("Ver. " + Version_Text(st.version));
    st.ProgramFolder =
        withTrailingSeparator(st.ProgramFolder.empty() ? executableFolder() : st.ProgramFolder);
    st.daq = DaqHandles{};

    // 5: the start-up files, in this order.
    Read_ParameterFile(w);
    Read_VTRParameterList(w);
    // The program's own temporary files left by a rewrite that died.
    removeStaleTemporaryFiles(st.ProgramFolder);
    // The folders are repaired before the stored board is selected, so its
    // configuration file is looked for where it will be used.
    Read_StartupSettingFile(w, [&w] { checkFolders(w); });
    removeStaleTemporaryFiles(s.Path_DataFile);
    Read_MasterTapeList(w);
    if (const std::string& note = st.ProgramFolderNote[InJapanese(w) ? 1 : 0]; !note.empty())
        w.lst_Version.addItem(note);
    st.msr.n_Msr_channel_Lin = 1;
    st.msr.n_Msr_channel_Sens = 1;

    // 6-9: the stored selections; their handlers load the model, the mode
    // parameters and the master-tape correction.
    selectStartupModel(w);
    selectStartupStandard(w);
    selectStartupTape(w);
    w.doEvents();

    // 10: window geometry.
    applyGeometry(w);

    // 11: head colours of the graph legends.
    st.Color_Head = kColorHead;
    for (int i = 0; i <= 7; ++i)
        w.lbl_Name_SensWF(i).setForeColor(static_cast<forms::Color>(st.Color_Head[i % 4]));
    for (int i : {2, 4})
        w.lbl_Name_LinWF(i).setForeColor(static_cast<forms::Color>(st.Color_Head[2]));
    for (int i : {3, 5})
        w.lbl_Name_LinWF(i).setForeColor(static_cast<forms::Color>(st.Color_Head[3]));

    // 12-13: channel and gain lists of the A/D requests; the channel count.
    st.ADChannelList = {0, 1, 2, 3};
    st.ADGainList = {1.0f, 1.0f, 1.0f, 1.0f};
    w.lbl_n_AD_Channel.setCaption(numberText(s.n_AD_Channel));

    // 14: data folders.
    checkFolders(w);

    // 15-16: frames and panels.
    placeFramesAndPanels(w);

    // 17: the serial line's characters and reply time-out.
    w.serial.STX = "\x02";
    w.serial.ETX = "\x03";
    w.serial.ACK = "\x06";
    w.timer1.setInterval(kReplyTimeoutMs);

    // 18: tool tips of the editable information labels.
    w.lbl_MsrInfo(0).setToolTip("Serial No./ID Name etcを入力 --> [ENTER]で完了");
    w.lbl_MsrInfo(1).setToolTip("コメントを入力 --> [ENTER]で完了");

    // 19: the first screen.
    st.flags.flg_Busy = 0;
    w.proc.Set_InfoWindow();
    w.proc.Set_View();
}

}  // namespace morva
