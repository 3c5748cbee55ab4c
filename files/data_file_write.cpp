// Writing the measurement data file, and the automatic file name of a save.

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "core/numbers.h"
#include "files/data_file.h"
#include "files/file_names.h"
#include "files/text_file.h"

namespace morva {

namespace {

// The button the written file disables: Data Save on the main menu.
constexpr int kDataSaveButton = 2;

// A text value on one line: CR, LF and the other control characters an
// operator may type or a drive tester may answer become blanks, so no text
// can start a line of its own.
std::string oneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return out;
}

std::string twoDigits(int value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", value);
    return digits;
}

std::string saveDate(const LocalDateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", t.Month, t.Day, t.Year);
    return text;
}

std::string saveTime(const LocalDateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.Hour, t.Minute, t.Second);
    return text;
}

std::string hundredths(int32_t stored, int decimals) {
    return formatFixed(stored / 100.0, decimals);
}

class DataFileLines {
  public:
    void line(std::string_view text) { appendCrLfLine(text_, text); }
    void text(std::string_view key, std::string_view value) { line(std::string(key) + oneLine(value)); }
    void number(std::string_view key, int64_t value) { line(std::string(key) + printForm(value)); }
    void single(std::string_view key, float value) { line(std::string(key) + printFormSingle(value)); }
    const std::string& bytes() const { return text_; }

  private:
    std::string text_;
};

void writeHeader(DataFileLines& out, const FrmMain& w, const LocalDateTime& t) {
    const MainState& st = w.st;
    out.line(kDataFileHeader);
    out.text("MachineType = ", st.settings.MachineType);
    out.text("ModelName = ", w.cmb_ModelNameList.text());
    out.text("VTRmode = ", w.cmb_VTRmode_List.text());
    out.text("Mode_PN = ", st.settings.Mode_PN);
    out.text("Serial = ", w.lbl_MsrInfo(0).caption());
    out.text("Comment = ", w.lbl_MsrInfo(1).caption());
    out.line("SaveDate = " + saveDate(t));
    out.line("SaveTime = " + saveTime(t));
    out.text("MasterTape = ", w.cmb_MasterTapeList.text());
    static constexpr std::array<std::string_view, 10> kVekoKeys = {
        "VEKO_Serial = ", "VEKO_ModelName = ", "VEKO_SoftVer = ", "VEKO_Operation = ", "VEKO_DumRun = ",
        "VEKO_TensOn = ", "VEKO_Loading = ",   "VEKO_CL_SOL = ",  "VEKO_Eject = ",     "VEKO_HalfLoad = "};
    for (size_t i = 0; i < kVekoKeys.size(); ++i)
        out.text(kVekoKeys[i], st.VEKO_Info[i]);
    out.text("AD_DeviceType = ", w.lbl_Name_AD_DeviceType.caption());
    out.number("AD_Resolution = ", st.AD_Resolution);
    out.text("n_AD_channel = ", w.lbl_n_AD_Channel.caption());
    out.number("n_Msr_channel_Sens = ", st.msr.n_Msr_channel_Sens);
    out.number("n_Msr_channel_Lin = ", st.msr.n_Msr_channel_Lin);
}

void writeSettings(DataFileLines& out, const MainState& st) {
    const ParameterRecord& p = st.params;
    const MsrSettings& m = st.msr;
    out.line("");
    out.line("*** Sensitivity Setting ***");
    out.number("nData_SensWF = ", p.nData_SensWF);
    out.number("nType_SensWF = ", m.nType_SensWF);
    out.number("Mask_SmoothSensWF = ", p.Mask_SmoothSensWF);
    out.number("nLoop_MsrSens = ", m.nLoop_MsrSens);
    out.number("flg_SmoothSensWF = ", st.settings.flg_SmoothSensWF);
    out.line("");
    out.line("*** Linearity Setting ***");
    out.number("PeakHoldTime = ", st.settings.PeakHoldTime);
    out.number("Adj_LinEnt = ", m.Adj_LinEnt);
    out.number("nData_LinWF = ", p.nData_LinWF);
    out.number("Mask_SmoothLinWF = ", p.Mask_SmoothLinWF);
    out.number("Mask_SmoothCorWF = ", p.Mask_SmoothCorWF);
    out.number("flg_SmoothLinWF = ", st.settings.flg_SmoothLinWF);
    // These two come twice: older readers and peers expect the lines as they are.
    out.number("Mask_SmoothLinWF = ", p.Mask_SmoothLinWF);
    out.number("Mask_SmoothCorWF = ", p.Mask_SmoothCorWF);
    out.number("nLoop_LinRealTime = ", m.nLoop_LinRealTime);
    out.number("nLoop_LinFinalData = ", m.nLoop_LinFinalData);
    for (size_t i = 0; i < 4; ++i)
        out.number("StartPos_LinWF" + std::to_string(i) + " = ", m.StartPos_LinWF[i]);
    const LinState& lin = st.lin;
    const auto offset = [&](std::string_view key, int32_t stored) {
        out.line(std::string(key) + printFormDouble(stored / 100.0));
    };
    offset("ofs_LinWF_avg0 = ", lin.ofs_LinWF_avg[0]);
    offset("ofs_LinWF_mlt0 = ", lin.ofs_LinWF_mlt[0]);
    offset("ofs_LinWF_mlt1 = ", lin.ofs_LinWF_mlt[1]);
    offset("ofs_LinWF_avg1 = ", lin.ofs_LinWF_avg[1]);
    offset("ofs_LinWF_mlt2 = ", lin.ofs_LinWF_mlt[2]);
    offset("ofs_LinWF_mlt3 = ", lin.ofs_LinWF_mlt[3]);
}

void writeResults(DataFileLines& out, const MainState& st) {
    out.line("");
    out.line("*** Measurement Result ***");
    for (size_t g = 0; g < 2; ++g) {
        out.line("LinVal" + std::to_string(g) + " = " + hundredths(st.lin.LinVal[g], 1));
        out.line("WavVal" + std::to_string(g) + " = " + hundredths(st.lin.WavVal[g], 1));
    }
    out.single("SensVal0 = ", st.sens.SensVal[0]);
    out.single("SensVal1 = ", st.sens.SensVal[1]);
    for (size_t h = 0; h < 4; ++h) {
        out.single("Sens_posi" + std::to_string(h) + " = ", st.sens.Sens_posi[h]);
        out.single("Sens_nega" + std::to_string(h) + " = ", st.sens.Sens_nega[h]);
    }
}

void writeTables(DataFileLines& out, const MainState& st) {
    out.line("");
    out.line(kSensTableMarker);
    out.line("No.,SensWF0,SensWF1,SensWF2,SensWF3,SensDifWF0,SensDifWF1,SensDifWF2,SensDifWF3");
    const int nSens = std::clamp(st.params.nData_SensWF, 0, kMaxSensPoint);
    for (int i = 1; i <= nSens; ++i) {
        std::string row = printForm(i);
        for (const auto* grid : {&st.sens.SensWF, &st.sens.SensDifWF})
            for (size_t h = 0; h < 4; ++h)
                row += "," + formatFixed((*grid)[h][static_cast<size_t>(i)], 3);
        out.line(row);
    }
    out.line("");
    out.line(kLinTableMarker);
    const bool oneChannel = st.msr.n_Msr_channel_Lin == 1;
    out.line(oneChannel ? "No.,LinAvg0,WavMax0,WavMin0,Lin0,Lin1"
                        : "No.,LinAvg0,WavMax0,WavMin0,Lin0,Lin1,LinAvg1,WavMax1,WavMin1,Lin2,Lin3");
    const LinState& lin = st.lin;
    const int nLin = std::clamp(st.params.nData_LinWF, 0, kMaxLinPoint);
    for (int i = 1; i <= nLin; ++i) {
        const auto p = static_cast<size_t>(i);
        std::string row = printForm(i);
        for (size_t g = 0; g < (oneChannel ? 1u : 2u); ++g)
            for (int32_t v : {lin.LinAvg[g][p], lin.WavMax[g][p], lin.WavMin[g][p], lin.Lin[2 * g][p],
                              lin.Lin[2 * g + 1][p]})
                row += "," + hundredths(v, 2);
        out.line(row);
    }
}

}  // namespace

std::string DataFileText(const FrmMain& w, const LocalDateTime& t) {
    DataFileLines out;
    writeHeader(out, w, t);
    writeSettings(out, w.st);
    writeResults(out, w.st);
    writeTables(out, w.st);
    return out.bytes();
}

LocalDateTime ReadSaveClock(const MainState& st) {
    return st.datafile.WallClock ? st.datafile.WallClock() : localDateTimeNow();
}

std::string DataFileFolder(const MainState& st) {
    return withTrailingSeparator(st.settings.Path_DataFile.empty() ? st.ProgramFolder
                                                                   : st.settings.Path_DataFile);
}

void Write_DataFile(FrmMain& w) {
    MainState& st = w.st;
    // The time this save was stamped with when its name was built, else now.
    const LocalDateTime t = st.datafile.SaveTime ? *st.datafile.SaveTime : ReadSaveClock(st);
    st.datafile.SaveTime.reset();
    const std::string& name = st.DataFileName;
    if (!IsPlainFileName(name)) {
        w.msgBox("Cannot write the data file [" + name + "]: the name is not a file name.",
                 forms::msg::Exclamation);
        return;
    }
    std::string error;
    if (!writeFileAtomically(DataFileFolder(st) + name, DataFileText(w, t), &error)) {
        // The measurement is still only in memory: the flag and the button stay.
        w.msgBox(error, forms::msg::Exclamation);
        return;
    }
    st.flags.flg_Unsaved = 0;
    ++st.datafile.WriteCount;
    w.cmd_StartFunction(kDataSaveButton).setEnabled(false);
    w.doEvents();
}

std::string AutoFileName(const FrmMain& w, std::string_view serial, const LocalDateTime& t) {
    const MainState& st = w.st;
    const std::string& type = st.settings.MachineType;
    const std::string mode = w.cmb_VTRmode_List.text();
    std::string base;
    if (type == "VTR")
        base = std::string(serial) + "(" + st.settings.Mode_PN + " " + mode + ")";
    else if (type == "Data")
        base = std::string(serial) + "(" + mode + ")";
    const auto on = [&](int i) { return w.chk_AutoFileName(i).value() == 1; };
    std::string timePart;
    if (on(3)) timePart += twoDigits(t.Hour);
    if (on(4)) timePart += twoDigits(t.Minute);
    if (on(5)) timePart += twoDigits(t.Second);
    if (!timePart.empty()) timePart = "-" + timePart;
    std::string datePart;
    if (on(0)) datePart += twoDigits(t.Year % 100);
    if (on(1)) datePart += twoDigits(t.Month);
    if (on(2)) datePart += twoDigits(t.Day);
    return SafeFileName(base + datePart + timePart, st.settings.DataFileExt);
}

void Make_AutoFileName(FrmMain& w) {
    MainState& st = w.st;
    const LocalDateTime t = ReadSaveClock(st);
    st.datafile.SaveTime = t;
    // The automatic save never replaces a file: a name in use gets "_2", "_3", ...
    st.DataFileName = UnusedFileName(DataFileFolder(st), AutoFileName(w, w.lbl_MsrInfo(0).caption(), t),
                                     SafeFileName("x", st.settings.DataFileExt).substr(1));
}

}  // namespace morva
