#include "files/frm_option.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <optional>
#include <system_error>

#include "core/numbers.h"
#include "files/dialog_placement.h"
#include "files/startup_setting_file.h"
#include "files/text_file.h"
#include "forms/application.h"

namespace morva {

namespace {

constexpr const char* kOptionTitle = "MORVA - Option Setting";

std::string twoDigits(int v) {
    const int n = std::clamp(v, 0, 99);
    return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

std::string trimBlanks(const std::string& s) {
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::tm localNow() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

// The folder settings of boxes 1..4, the patterns and item names the
// folder chooser gets for them.
std::string* folderOf(SettingsRecord& s, int box) {
    switch (box) {
        case 1:
            return &s.Path_DataFile;
        case 2:
            return &s.Path_SpecLine_Lin;
        case 3:
            return &s.Path_WorkList;
        case 4:
            return &s.Path_DaqConfigFile;
        default:
            return nullptr;
    }
}
constexpr const char* kFindItem[5] = {"", "Path_DataFile", "Path_SpecLine_Lin", "Path_WorkList",
                                      "Path_DaqConfig"};
constexpr const char* kFindPattern[5] = {"", "*.Morva_*", "*.SpecLine", "*.WorkList", "daq*.dat"};

int16_t* switchOf(SettingsRecord& s, int box) {
    switch (box) {
        case 0:
            return &s.AutoSave;
        case 1:
            return &s.Message_SerialInput;
        case 2:
            return &s.Message_CommentInput;
        case 3:
            return &s.MakeAutoFileName;
        case 10:
            return &s.RemoteControl;
        default:
            return nullptr;
    }
}

}  // namespace

std::string OptionPreviewName(const std::string& machineType, const std::string& modePN,
                              const std::string& modeName, const std::array<bool, 6>& parts,
                              const std::tm& when, const std::string& ext) {
    std::string base;
    if (machineType == "VTR") base = "[serial/ID](" + modePN + " " + modeName + ")";
    if (machineType == "Data") base = "[serial/ID](" + modeName + ")";
    std::string date, time;
    if (parts[0]) date += twoDigits(when.tm_year % 100);
    if (parts[1]) date += twoDigits(when.tm_mon + 1);
    if (parts[2]) date += twoDigits(when.tm_mday);
    if (parts[3]) time += twoDigits(when.tm_hour);
    if (parts[4]) time += twoDigits(when.tm_min);
    if (parts[5]) time += twoDigits(when.tm_sec);
    if (!time.empty()) time = "-" + time;
    return base + date + time + ext;
}

void FrmOption::wire() {
    now = localNow;
    Load = [this] { Form_Load(); };
    opt_Language_opt.on(&forms::Control::Click, [this](int i) { setCaptions(i == 0); });
    chk_OptionSetting.on(&forms::Control::Click, [this](int) { updatePreview(); });
    cmb_OptionSetting(0).Click = [this] { boardChosen(); };
    cmd_OptionSetting.on(&forms::Control::Click, [this](int i) {
        if (i == 0) update();
        if (i == 1) unload();
        if (i >= 2 && i <= 5) findFolder(i - 1);
        if (i == 6) folderChosen();
    });
}

void FrmOption::Form_Load() {
    MainState& st = main.st;
    const SettingsRecord& s = st.settings;
    PlaceDialog(*this, main);
    const std::string language = main.lbl_Language.caption();
    if (language == "Japanese") opt_Language_opt(0).setValue(true);
    if (language == "English") opt_Language_opt(1).setValue(true);

    txt_OptionSetting(0).setText(numberText(s.PeakHoldTime));
    for (int box = 1; box <= 4; ++box) {
        openedText_[box] = *folderOf(st.settings, box);
        txt_OptionSetting(box).setText(openedText_[box]);
    }
    for (int box : {0, 1, 2, 3, 10})
        chk_OptionSetting(box).setValue(*switchOf(st.settings, box) != 0 ? 1 : 0);
    for (int i = 0; i < 6; ++i)
        chk_OptionSetting(4 + i).setValue(main.chk_AutoFileName(i).value() != 0 ? 1 : 0);

    const int entries = std::clamp<int>(s.n_AD_Entry, 0, kADEntrySlots);
    for (int i = 0; i < entries; ++i)
        cmb_OptionSetting(0).addItem(s.AD_DeviceType[i]);
    const std::string board = main.lbl_Name_AD_DeviceType.caption();
    bool oneChannelBoard = false;
    for (int i = 0; i < entries; ++i)
        if (s.AD_DeviceType[i] == board) {
            cmb_OptionSetting(0).setListIndex(i);
            oneChannelBoard = s.AD_nChannel[i] == 1;
            break;
        }
    const int channels = toInt32(parseLeadingNumber(main.lbl_n_AD_Channel.caption()));
    opt_Option(channels == 2 && !oneChannelBoard ? 1 : 0).setValue(true);

    if (lockedEntries()) {
        cmb_OptionSetting(0).setEnabled(false);
        opt_Option(0).setEnabled(false);
        opt_Option(1).setEnabled(false);
        for (int box = 2; box <= 4; ++box) {
            txt_OptionSetting(box).setEnabled(false);
            cmd_OptionSetting(box + 1).setEnabled(false);
        }
    }
    updatePreview();
    ApplyUserFont(*this, s);
}

void FrmOption::boardChosen() {
    const int i = cmb_OptionSetting(0).listIndex();
    if (i < 0 || i >= kADEntrySlots) return;
    if (main.st.settings.AD_nChannel[i] == 1) {
        opt_Option(0).setValue(true);
        opt_Option(1).setEnabled(false);
    } else if (!lockedEntries()) {
        opt_Option(0).setEnabled(true);
        opt_Option(1).setEnabled(true);
    }
}

void FrmOption::updatePreview() {
    const bool autoName = chk_OptionSetting(3).value() == 1;
    for (int i = 4; i <= 9; ++i)
        chk_OptionSetting(i).setEnabled(autoName);
    lbl_OptionSetting.setEnabled(autoName);
    std::array<bool, 6> parts{};
    for (int i = 0; i < 6; ++i)
        parts[i] = chk_OptionSetting(4 + i).value() == 1;
    const SettingsRecord& s = main.st.settings;
    lbl_OptionSetting.setCaption(OptionPreviewName(s.MachineType, s.Mode_PN, main.cmb_VTRmode_List.text(),
                                                   parts, now(), s.DataFileExt));
}

void FrmOption::findFolder(int box) {
    findPath_.FindPath_Path = txt_OptionSetting(box).text();
    findPath_.FindPath_Pattern = kFindPattern[box];
    findPath_.FindPath_Item = kFindItem[box];
    findPath_.chosen = [this] { cmd_OptionSetting(6).setValue(true); };
    txt_OptionSetting(box).setFocus();
    main.proc.Show_FindPath();
    findPath_.chosen = nullptr;
}

void FrmOption::folderChosen() {
    for (int box = 1; box <= 4; ++box)
        if (findPath_.FindPath_Item == kFindItem[box])
            txt_OptionSetting(box).setText(findPath_.FindPath_Path);
}

void FrmOption::update() {
    MainState& st = main.st;
    SettingsRecord& s = st.settings;
    // Everything is checked before anything is stored, so a refusal changes nothing.
    const std::optional<int16_t> peakHold = parseStrictInt16(txt_OptionSetting(0).text());
    if (!peakHold || *peakHold < 1) {
        app().msgBox("Waving Peak Hold Time must be a whole number of seconds from 1 to 32767.",
                     forms::msg::Exclamation, kOptionTitle);
        txt_OptionSetting(0).setFocus();
        return;
    }
    std::array<std::optional<std::string>, 5> folders{};
    for (int box = 1; box <= 4; ++box) {
        const std::string typed = trimBlanks(txt_OptionSetting(box).text());
        if (txt_OptionSetting(box).text() == openedText_[box]) continue;  // left as it was
        const std::string folder = Resolve_SettingFolder(st.ProgramFolder, withTrailingSeparator(typed));
        std::error_code ec;
        if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) {
            const forms::MsgResult answer =
                app().msgBox("Folder [" + folder + "] does not exist. Create it ?",
                             forms::msg::YesNo | forms::msg::Question, kOptionTitle);
            if (answer != forms::MsgResult::Yes) {
                txt_OptionSetting(box).setFocus();
                return;
            }
            std::filesystem::create_directories(folder, ec);
            if (ec || !std::filesystem::is_directory(folder)) {
                app().msgBox("Folder [" + folder + "] could not be created: " + ec.message(),
                             forms::msg::Exclamation, kOptionTitle);
                txt_OptionSetting(box).setFocus();
                return;
            }
        }
        folders[box] = folder;
    }
    const int board = cmb_OptionSetting(0).listIndex();
    const std::string boardName =
        board >= 0 ? cmb_OptionSetting(0).list(board) : main.lbl_Name_AD_DeviceType.caption();
    const std::string channels = opt_Option(1).value() ? "2" : "1";
    const bool boardChanges =
        boardName != main.lbl_Name_AD_DeviceType.caption() || channels != main.lbl_n_AD_Channel.caption();
    if (boardChanges && (st.flags.flg_Measuring == 1 || st.flags.RunDepth > 0)) {
        app().msgBox("The A/D board cannot be changed while a measurement runs.", forms::msg::Exclamation,
                     kOptionTitle);
        return;
    }

    s.PeakHoldTime = *peakHold;
    for (int box = 1; box <= 4; ++box)
        if (folders[box]) *folderOf(s, box) = *folders[box];
    for (int box : {0, 1, 2, 3, 10})
        *switchOf(s, box) = static_cast<int16_t>(chk_OptionSetting(box).value() == 1 ? 1 : 0);
    for (int i = 0; i < 6; ++i)
        main.chk_AutoFileName(i).setValue(chk_OptionSetting(4 + i).value() == 1 ? 1 : 0);
    // The board first: its handler sets the board's channel count, which the
    // chosen count then overrides.
    main.lbl_Name_AD_DeviceType.setCaption(boardName);
    main.lbl_n_AD_Channel.setCaption(channels);
    if (opt_Language_opt(0).value()) main.lbl_Language.setCaption("Japanese");
    if (opt_Language_opt(1).value()) main.lbl_Language.setCaption("English");
    main.proc.Set_InfoWindow();
    unload();
}

}  // namespace morva
