#include "files/startup_setting_file.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "core/numbers.h"
#include "files/program_files.h"
#include "files/text_file.h"

namespace morva {

namespace {

constexpr const char* kHeader = "[MORVA Windows - MORVA Setting File] Ver.0.50";
// The A/D resolution line always carries this count; the board selection
// supplies the real one.
constexpr int64_t kWrittenADResolution = 32672;
constexpr int16_t kDefaultPeakHoldTime = 10;

// The six automatic file-name keys; their leading blank is part of the key.
constexpr std::array<std::string_view, 6> kAutoFileNameKeys = {
    " AutoFileName_Year = ", " AutoFileName_Month = ",  " AutoFileName_Day = ",
    " AutoFileName_Hour = ", " AutoFileName_Minute = ", " AutoFileName_Second = "};

int16_t int16Of(std::string_view value) {
    return toInt16(parseLeadingNumber(value));
}

// A geometry, switch or time key stored as a 16-bit number; nullptr when
// `key` is none of them.
int16_t* int16Setting(SettingsRecord& s, const std::string& key) {
    if (key == "Top = ") return &s.Top;
    if (key == "Left = ") return &s.Left;
    if (key == "Height = ") return &s.Height;
    if (key == "Width = ") return &s.Width;
    if (key == "Border = ") return &s.Border;
    if (key == "RemoteControl = ") return &s.RemoteControl;
    if (key == "AutoSave = ") return &s.AutoSave;
    if (key == "Message_SerialInput = ") return &s.Message_SerialInput;
    if (key == "Message_CommentInput = ") return &s.Message_CommentInput;
    if (key == "MakeAutoFileName = ") return &s.MakeAutoFileName;
    if (key == "PeakHoldTime = ") return &s.PeakHoldTime;
    return nullptr;
}

std::string* folderSetting(SettingsRecord& s, const std::string& key) {
    if (key == "Path_DataFile = ") return &s.Path_DataFile;
    if (key == "Path_SpecLine_Lin = ") return &s.Path_SpecLine_Lin;
    if (key == "Path_WorkList = ") return &s.Path_WorkList;
    if (key == "Path_DaqConfigFile = ") return &s.Path_DaqConfigFile;
    return nullptr;
}

// Applies one line; false when its key is none of the file's keys. The
// board name is only noted in `board`: it is selected after the whole file.
bool applySetting(FrmMain& w, const KeyValue& kv, std::optional<std::string>& board) {
    MainState& st = w.st;
    SettingsRecord& s = st.settings;
    const std::string& k = kv.key;
    const std::string& v = kv.value;
    if (int16_t* target = int16Setting(s, k)) {
        *target = int16Of(v);
    } else if (std::string* folder = folderSetting(s, k)) {
        *folder = Resolve_SettingFolder(st.ProgramFolder, v);
    } else if (k == "Language = ") {
        w.lbl_Language.setCaption(v);
    } else if (k == "FontName = ") {
        s.FontName = v;
        w.lbl_FontName.setCaption(s.FontName);
    } else if (k == "FontSize = ") {
        if (const std::optional<int16_t> size = parseStrictInt16(v)) {
            s.FontSize = *size;
            w.lbl_FontSize.setCaption(numberText(s.FontSize));
        }
    } else if (k == "StartupModelName = ") {
        st.StartupModelName = v;
    } else if (k == "StartupMode_PN = ") {
        st.StartupMode_PN = v;
    } else if (k == "StartupTape = ") {
        s.StartupTape = v;
    } else if (k == "Dsp_WorkList = ") {
        w.chk_Dsp_WorkList.setValue(int16Of(v));
    } else if (k == "Dsp_CtrlPanel = ") {
        w.chk_Dsp_CtrlPanel.setValue(int16Of(v));
    } else if (k == "Name_AD_DeviceType = ") {
        board = v;
    } else if (k == "n_AD_Channel = ") {
        if (const std::optional<int16_t> n = parseStrictInt16(v)) s.n_AD_Channel = *n;
    } else if (k == "AD_Resolution1 = ") {
        st.AD_Resolution = toInt32(parseLeadingNumber(v));
    } else if (k == "AD_Resolution2 = " || k == "AD_Resolution3 = ") {
        // Kept for the file's layout; the value is not used.
    } else {
        for (size_t i = 0; i < kAutoFileNameKeys.size(); ++i) {
            if (k == kAutoFileNameKeys[i]) {
                w.chk_AutoFileName(static_cast<int>(i)).setValue(int16Of(v));
                return true;
            }
        }
        return false;
    }
    return true;
}

// A folder as it is written back: inside the program folder relative to it
// ("Data/", "./"), so a moved or copied program folder keeps using its own
// folders; elsewhere as it is.
std::string folderText(const std::string& programFolder, const std::string& folder) {
    if (programFolder.empty() || folder.empty() || !folder.starts_with(programFolder)) return folder;
    const std::string inside = folder.substr(programFolder.size());
    return inside.empty() ? "./" : inside;
}

// Folder names are written one per line: a line break would split the line.
bool hasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

std::string numberLine(std::string_view key, int64_t value) {
    std::string line(key);
    line += printForm(value);
    return line;
}

std::string textLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += value;
    return line;
}

}  // namespace

std::string Resolve_SettingFolder(const std::string& programFolder, const std::string& folder) {
    if (folder.empty() || folder.front() == '/' || programFolder.empty()) return folder;
    return (std::filesystem::path(programFolder) / folder).lexically_normal().string();
}

void Read_StartupSettingFile(FrmMain& w, const std::function<void()>& beforeBoard) {
    const std::string file = w.st.ProgramFolder + kStartupSettingFileName;
    const std::optional<std::vector<std::string>> lines = readTextLines(file);
    if (!lines) {
        w.lst_Version.addItem(unreadableFileLine(kStartupSettingFileName, file));
        if (beforeBoard) beforeBoard();
        Apply_StartupDefaults(w);
        return;
    }
    LineReader in(*lines);
    w.lst_Version.addItem(versionLine(kStartupSettingFileName, in.next().value_or("")));
    int recognised = 0;
    std::optional<std::string> board;
    while (const std::optional<std::string> line = in.next())
        recognised += applySetting(w, splitKeyValue(*line), board) ? 1 : 0;
    // An empty, truncated or foreign file holds no setting at all: start as
    // on the first start rather than with no model, board or standard.
    if (beforeBoard) beforeBoard();
    if (recognised == 0)
        Apply_StartupDefaults(w);
    else if (board)
        w.lbl_Name_AD_DeviceType.setCaption(*board);
}

void Apply_StartupDefaults(FrmMain& w) {
    MainState& st = w.st;
    SettingsRecord& s = st.settings;
    w.lbl_Language.setCaption("English");
    s.FontName = w.fontName();
    w.lbl_FontName.setCaption(s.FontName);
    s.FontSize = toInt16(w.fontSize());
    w.lbl_FontSize.setCaption(numberText(s.FontSize));
    st.StartupModelName = w.cmb_ModelNameList.list(0);
    st.StartupMode_PN = "PAL";
    w.chk_Dsp_WorkList.setValue(1);
    s.PeakHoldTime = kDefaultPeakHoldTime;
    s.n_AD_Channel = 1;
    if (s.n_AD_Entry > 0) {
        s.n_AD_Channel = std::max<int16_t>(1, s.AD_nChannel[0]);
        w.lbl_Name_AD_DeviceType.setCaption(s.AD_DeviceType[0]);
    }
}

bool Write_StartupSettingFile(FrmMain& w) {
    const MainState& st = w.st;
    const SettingsRecord& s = st.settings;
    const std::string file = st.ProgramFolder + kStartupSettingFileName;
    for (const std::string* folder :
         {&s.Path_DataFile, &s.Path_SpecLine_Lin, &s.Path_WorkList, &s.Path_DaqConfigFile}) {
        if (!hasLineBreak(*folder)) continue;
        w.msgBox("The settings could not be saved to \"" + std::string(kStartupSettingFileName) + "\"." +
                     "\r\n" + "A folder name holds a line break: " + *folder,
                 forms::msg::Exclamation);
        return false;
    }
    // A list that could not be read at start-up (its file missing or
    // unreadable) has no entry to name: the stored choice is kept for the
    // time the file is back.
    const std::string model =
        w.cmb_ModelNameList.listCount() > 0 ? w.cmb_ModelNameList.text() : st.StartupModelName;
    const std::string tape =
        w.cmb_MasterTapeList.listCount() > 0 ? w.cmb_MasterTapeList.text() : s.StartupTape;
    const std::string& home = st.ProgramFolder;
    TextFileWriter out(file);
    out.line(kHeader);
    out.line("");
    out.line(numberLine("Top = ", s.Top));
    out.line(numberLine("Left = ", s.Left));
    out.line(numberLine("Height = ", s.Height));
    out.line(numberLine("Width = ", s.Width));
    out.line(numberLine("Border = ", s.Border));
    out.line(textLine("Language = ", s.Language));
    out.line(textLine("FontName = ", s.FontName));
    out.line(numberLine("FontSize = ", s.FontSize));
    out.line("");
    out.line(textLine("StartupModelName = ", model));
    out.line(textLine("StartupMode_PN = ", s.Mode_PN));
    out.line(textLine("StartupTape = ", tape));
    out.line("");
    // Remote control is switched on per session in the options, never at start.
    out.line(numberLine("RemoteControl = ", 0));
    out.line("");
    out.line("[File]");
    out.line(textLine("Path_DataFile = ", folderText(home, s.Path_DataFile)));
    out.line(textLine("Path_SpecLine_Lin = ", folderText(home, s.Path_SpecLine_Lin)));
    out.line(textLine("Path_WorkList = ", folderText(home, s.Path_WorkList)));
    out.line(textLine("Path_DaqConfigFile = ", folderText(home, s.Path_DaqConfigFile)));
    out.line(numberLine("AutoSave = ", s.AutoSave));
    out.line(numberLine("Message_SerialInput = ", s.Message_SerialInput));
    out.line(numberLine("Message_CommentInput = ", s.Message_CommentInput));
    out.line(numberLine("MakeAutoFileName = ", s.MakeAutoFileName));
    for (size_t i = 0; i < kAutoFileNameKeys.size(); ++i)
        out.line(numberLine(kAutoFileNameKeys[i], w.chk_AutoFileName(static_cast<int>(i)).value()));
    out.line("");
    out.line("[View]");
    out.line(numberLine("Dsp_WorkList = ", s.Dsp_WorkList));
    out.line(numberLine("Dsp_CtrlPanel = ", s.Dsp_CtrlPanel));
    out.line("");
    out.line("[A/D Board]");
    out.line(textLine("Name_AD_DeviceType = ", w.lbl_Name_AD_DeviceType.caption()));
    out.line(textLine("n_AD_Channel = ", w.lbl_n_AD_Channel.caption()));
    out.line(numberLine("AD_Resolution1 = ", kWrittenADResolution));
    out.line("AD_Resolution2 = ");
    out.line("AD_Resolution3 = ");
    out.line("");
    out.line("[Linearity]");
    out.line(numberLine("PeakHoldTime = ", s.PeakHoldTime));
    if (out.commit()) return true;
    w.msgBox("The settings could not be saved to \"" + std::string(kStartupSettingFileName) + "\"." + "\r\n" +
                 out.errorText(),
             forms::msg::Exclamation);
    return false;
}

}  // namespace morva
