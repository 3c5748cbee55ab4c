#pragma once
// frmOption: the bench set-up. Edits the start-up settings in memory
// (language, folders, automatic saving and naming, peak-hold time, remote
// control, A/D board and channel count); "update" stores them in the main
// window, "Cancel" changes nothing. They reach the disk when the settings
// file is written at the end of the run.

#include <array>
#include <ctime>
#include <functional>
#include <string>

#include "files/find_path_exchange.h"
#include "forms/control_array.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/lists.h"
#include "window/frm_main.h"

namespace morva {

class FrmOption : public forms::Form {
  public:
    FrmOption(FrmMain& main, FindPathExchange& findPath);

    FrmMain& main;

    // Frames: 0 "Language", 1 "File Path", 2 "Measurement Setting", 3 "Data
    // File Setting", 4 "Part - Auto File Name" (inside 3), 5 "A/D Board Setting".
    forms::ControlArray<forms::Frame> fra_Option{"fra_Option"};

  private:
    int makeFrames();
    int framesMade_ = makeFrames();  // the frames exist before the controls placed in them

  public:
    forms::ControlArray<forms::OptionButton> opt_Language_opt{"opt_Language_opt"};  // 0 Japanese, 1 English
    forms::Label& lbl_OptItemTitle;
    // 0 peak-hold time; 1..4 the data, spec-line, work-list and A/D configuration folders.
    forms::ControlArray<forms::TextBox> txt_OptionSetting{"txt_OptionSetting"};
    forms::ControlArray<forms::Label> lbl_OptionPath{"lbl_OptionPath"};  // titles of boxes 1..4 (0..3)
    // 0 AutoSave, 1 Message_SerialInput, 2 Message_CommentInput, 3 MakeAutoFileName,
    // 4..9 year, month, day, hour, minute, second of the automatic name, 10 RemoteControl.
    forms::ControlArray<forms::CheckBox> chk_OptionSetting{"chk_OptionSetting"};
    forms::ControlArray<forms::ComboBox> cmb_OptionSetting{"cmb_OptionSetting"};  // 0 the A/D board
    forms::ControlArray<forms::OptionButton> opt_Option{"opt_Option"};            // 0 one, 1 two channels
    // 0 "Type:", 1 "Input Channel:", 2 "Sample:", 3 "sec".
    forms::ControlArray<forms::Label> lbl_OptionTitle{"lbl_OptionTitle"};
    forms::Label& lbl_OptionSetting;  // preview of an automatic file name
    // 0 update, 1 Cancel, 2..5 "Find" for boxes 1..4, 6 (hidden) takes the chosen folder.
    forms::ControlArray<forms::CommandButton> cmd_OptionSetting{"cmd_OptionSetting"};

    // The clock of the preview (local time unless a test sets another).
    std::function<std::tm()> now;

  private:
    void layout();
    void setCaptions(bool japanese);
    void wire();
    void Form_Load();
    void boardChosen();
    void updatePreview();
    void findFolder(int box);
    void folderChosen();
    void update();
    bool lockedEntries() const { return main.st.flg_OptionEdit == 0; }

    FindPathExchange& findPath_;
    // The folder texts as the dialog opened: a box left as it was keeps its
    // setting exactly.
    std::array<std::string, 5> openedText_{};
};

// The automatic file name of the options preview: "[serial/ID]", the
// standard and mode in brackets, the chosen date and time digits ("-"
// before the time part) and the extension. `parts` are the year, month,
// day, hour, minute and second switches.
std::string OptionPreviewName(const std::string& machineType, const std::string& modePN,
                              const std::string& modeName, const std::array<bool, 6>& parts,
                              const std::tm& when, const std::string& ext);

}  // namespace morva
