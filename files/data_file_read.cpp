// Reading a measurement data file back: parsed into a staging record first,
// applied to the window only when it is a data file, every count clamped so
// that nothing the file says reaches outside the arrays.

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>

#include "core/numbers.h"
#include "files/data_file.h"
#include "files/text_file.h"

namespace morva {

namespace {

constexpr int kDataSaveButton = 2;
constexpr int kDataFilePanel = 4;
constexpr int kLinearityPage = 2;

int32_t int32Of(std::string_view value) {
    return toInt32(parseLeadingNumber(value));
}

// A hundredths value: the number × 100, nearest integer (clamped).
int32_t hundredthsOf(std::string_view value) {
    return toInt32(parseLeadingNumber(value) * 100.0);
}

// A single-precision value; what a single cannot hold (1e999, NaN) is 0.
float singleOf(std::string_view value) {
    const double v = parseLeadingNumber(value);
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max()) return 0.0f;
    return static_cast<float>(v);
}

std::string captionOf(std::string_view value) {
    const double v = parseLeadingNumber(value);
    return formatFixed(std::isfinite(v) ? v : 0.0, 1);
}

// The fields of a table row after its first ",": the point number goes.
// A row without "," has no fields.
std::vector<std::string_view> rowFields(std::string_view row) {
    std::vector<std::string_view> fields;
    size_t comma = row.find(',');
    while (comma != std::string_view::npos) {
        const size_t next = row.find(',', comma + 1);
        fields.push_back(row.substr(
            comma + 1, next == std::string_view::npos ? std::string_view::npos : next - comma - 1));
        comma = next;
    }
    return fields;
}

class Parser {
  public:
    Parser(const std::vector<std::string>& lines, const DataFileCounts& current)
        : lines_(lines), counts_(current) {
        counts_.nData_SensWF = std::clamp(counts_.nData_SensWF, 0, kMaxSensPoint);
        counts_.nData_LinWF = std::clamp(counts_.nData_LinWF, 0, kMaxLinPoint);
    }

    DataFileContents run() {
        while (pos_ < lines_.size()) {
            const std::string& line = lines_[pos_++];
            if (line == kSensTableMarker) {
                c_.recognised = true;
                sensTable();
            } else if (line == kLinTableMarker) {
                c_.recognised = true;
                linTable();
            } else {
                key(splitKeyValue(line));
            }
        }
        return std::move(c_);
    }

  private:
    void key(const KeyValue& kv) {
        const std::string& k = kv.key;
        const std::string& v = kv.value;
        bool known = true;
        if (k == "MachineType = ")
            c_.MachineType = v;
        else if (k == "ModelName = ")
            c_.ModelName = v;
        else if (k == "Mode_PN = ")
            c_.Mode_PN = v;
        else if (k == "VTRmode = ")
            c_.DatInfo[1] = v;
        else if (k == "MasterTape = ")
            c_.DatInfo[3] = v;
        else if (k == "SaveDate = ")
            c_.DatInfo[4] = v;
        else if (k == "SaveTime = ")
            c_.DatInfo[5] = v;
        else if (k == "Serial = ")
            c_.DatInfo[6] = v;
        else if (k == "Comment = ")
            c_.DatInfo[7] = v;
        else if (k == "n_Msr_channel_Sens = ")
            c_.n_Msr_channel_Sens = std::clamp(int32Of(v), 1, 2);
        else if (k == "n_Msr_channel_Lin = ") {
            // The column count follows the value as written: 1 gives one group.
            counts_.n_Msr_channel_Lin = int32Of(v) == 1 ? 1 : 2;
            c_.n_Msr_channel_Lin = counts_.n_Msr_channel_Lin;
        } else if (k == "nData_SensWF = ") {
            counts_.nData_SensWF = std::clamp(int32Of(v), 0, kMaxSensPoint);
            c_.nData_SensWF = counts_.nData_SensWF;
        } else if (k == "nType_SensWF = ")
            c_.nType_SensWF = std::clamp(int32Of(v), 0, 4);
        else if (k == "Adj_LinEnt = ")
            c_.Adj_LinEnt = std::clamp(int32Of(v), 0, kMaxLinPoint);
        else if (k == "nData_LinWF = ") {
            counts_.nData_LinWF = std::clamp(int32Of(v), 0, kMaxLinPoint);
            c_.nData_LinWF = counts_.nData_LinWF;
        } else if (k == "ofs_LinWF_avg0 = ")
            c_.ofs_LinWF_avg[0] = hundredthsOf(v);
        else if (k == "ofs_LinWF_avg1 = ")
            c_.ofs_LinWF_avg[1] = hundredthsOf(v);
        else if (k.size() == 17 && k.starts_with("ofs_LinWF_mlt") && k[13] >= '0' && k[13] <= '3' &&
                 k.ends_with(" = "))
            c_.ofs_LinWF_mlt[static_cast<size_t>(k[13] - '0')] = hundredthsOf(v);
        else if (k == "LinVal0 = ")
            c_.LinVal[0] = captionOf(v);
        else if (k == "LinVal1 = ")
            c_.LinVal[1] = captionOf(v);
        else if (k == "WavVal0 = ")
            c_.WavVal[0] = captionOf(v);
        else if (k == "WavVal1 = ")
            c_.WavVal[1] = captionOf(v);
        else if (k == "SensVal0 = ")
            c_.SensVal[0] = captionOf(v);
        else if (k == "SensVal1 = ")
            c_.SensVal[1] = captionOf(v);
        else
            known = isIgnoredKey(k);
        if (known) c_.recognised = true;
    }

    // Keys of a data file the reader does not take: they still mark the file as one.
    static bool isIgnoredKey(std::string_view k) {
        static constexpr std::string_view kKeys[] = {
            "VEKO_Serial = ",       "VEKO_ModelName = ",     "VEKO_SoftVer = ",     "VEKO_Operation = ",
            "VEKO_DumRun = ",       "VEKO_TensOn = ",        "VEKO_Loading = ",     "VEKO_CL_SOL = ",
            "VEKO_Eject = ",        "VEKO_HalfLoad = ",      "AD_DeviceType = ",    "AD_Resolution = ",
            "n_AD_channel = ",      "Mask_SmoothSensWF = ",  "nLoop_MsrSens = ",    "flg_SmoothSensWF = ",
            "PeakHoldTime = ",      "Mask_SmoothLinWF = ",   "Mask_SmoothCorWF = ", "flg_SmoothLinWF = ",
            "nLoop_LinRealTime = ", "nLoop_LinFinalData = ", "StartPos_LinWF0 = ",  "StartPos_LinWF1 = ",
            "StartPos_LinWF2 = ",   "StartPos_LinWF3 = ",    "Sens_posi0 = ",       "Sens_nega0 = ",
            "Sens_posi1 = ",        "Sens_nega1 = ",         "Sens_posi2 = ",       "Sens_nega2 = ",
            "Sens_posi3 = ",        "Sens_nega3 = "};
        return std::find(std::begin(kKeys), std::end(kKeys), k) != std::end(kKeys);
    }

    // The next row of a table, or nothing at its end: the end of the file,
    // an empty row, or a marker line (a table cut short before the next one).
    const std::string* nextRow() {
        if (pos_ >= lines_.size()) return nullptr;
        const std::string& row = lines_[pos_];
        if (row.empty()) return nullptr;
        if (row.starts_with("***")) return nullptr;  // read again as a marker
        ++pos_;
        return &row;
    }

    void skipTitle() {
        if (pos_ < lines_.size() && !lines_[pos_].starts_with("***")) ++pos_;
    }

    void sensTable() {
        skipTitle();
        for (int i = 1; i <= counts_.nData_SensWF; ++i) {
            const std::string* row = nextRow();
            if (!row) break;
            const std::vector<std::string_view> f = rowFields(*row);
            const auto p = static_cast<size_t>(i);
            for (size_t h = 0; h < 4; ++h) {
                c_.SensWF[h][p] = h < f.size() ? singleOf(f[h]) : 0.0f;
                c_.SensDifWF[h][p] = h + 4 < f.size() ? singleOf(f[h + 4]) : 0.0f;
            }
        }
    }

    void linTable() {
        skipTitle();
        const size_t groups = counts_.n_Msr_channel_Lin == 1 ? 1 : 2;
        for (int i = 1; i <= counts_.nData_LinWF; ++i) {
            const std::string* row = nextRow();
            if (!row) break;
            const std::vector<std::string_view> f = rowFields(*row);
            const auto p = static_cast<size_t>(i);
            const auto field = [&](size_t n) { return n < f.size() ? hundredthsOf(f[n]) : 0; };
            for (size_t g = 0; g < groups; ++g) {
                const size_t base = 5 * g;
                c_.LinAvg[g][p] = field(base);
                c_.WavMax[g][p] = field(base + 1);
                c_.WavMin[g][p] = field(base + 2);
                c_.Lin[2 * g][p] = field(base + 3);
                c_.Lin[2 * g + 1][p] = field(base + 4);
            }
        }
    }

    const std::vector<std::string>& lines_;
    size_t pos_ = 0;
    DataFileCounts counts_;
    DataFileContents c_;
};

void holdCounts(MainState& st) {
    if (st.datafile.CountsHeld) return;
    st.datafile.CountsHeld = true;
    st.datafile.nData_SensWF = st.params.nData_SensWF;
    st.datafile.nData_LinWF = st.params.nData_LinWF;
    st.datafile.nType_SensWF = st.msr.nType_SensWF;
}

void apply(FrmMain& w, const DataFileContents& c) {
    MainState& st = w.st;
    holdCounts(st);
    if (c.n_Msr_channel_Sens) st.msr.n_Msr_channel_Sens = *c.n_Msr_channel_Sens;
    if (c.n_Msr_channel_Lin) st.msr.n_Msr_channel_Lin = *c.n_Msr_channel_Lin;
    if (c.nData_SensWF) st.params.nData_SensWF = *c.nData_SensWF;
    if (c.nType_SensWF) st.msr.nType_SensWF = *c.nType_SensWF;
    if (c.Adj_LinEnt) st.msr.Adj_LinEnt = *c.Adj_LinEnt;
    if (c.nData_LinWF) st.params.nData_LinWF = *c.nData_LinWF;
    st.lin.ofs_LinWF_avg = c.ofs_LinWF_avg;
    st.lin.ofs_LinWF_mlt = c.ofs_LinWF_mlt;
    // The six waveform arrays are replaced whole: points the file does not
    // give are 0, never the previous measurement's.
    st.sens.SensWF = c.SensWF;
    st.sens.SensDifWF = c.SensDifWF;
    st.lin.LinAvg = c.LinAvg;
    st.lin.WavMax = c.WavMax;
    st.lin.WavMin = c.WavMin;
    st.lin.Lin = c.Lin;

    st.Dat_MachineType = c.MachineType;
    for (size_t i : {1u, 3u, 4u, 5u, 6u, 7u})
        w.lbl_DatInfo(static_cast<int>(i)).setCaption(c.DatInfo[i]);
    w.lbl_DatInfo(0).setCaption(c.MachineType == "VTR" ? c.ModelName + "(" + c.Mode_PN + ")" : c.ModelName);
    w.lbl_DatInfo(9).setCaption(st.DataFileName);
    for (int g = 0; g < 2; ++g) {
        const auto i = static_cast<size_t>(g);
        w.lbl_LinVal(g).setCaption(c.LinVal[i]);
        w.lbl_WavVal(g).setCaption(c.WavVal[i]);
        w.lbl_SensVal(g).setCaption(c.SensVal[i]);
    }

    st.flags.flg_DataLoaded = 1;
    ++st.datafile.ReadCount;
    st.flags.flg_PeakHold = 1;  // so the loaded waving values are shown
    // The values shown are not a measurement of this session: saving them
    // again would mix two measurements.
    st.flags.flg_Unsaved = 0;
    w.cmd_StartFunction(kDataSaveButton).setEnabled(false);
}

void showLoadedData(FrmMain& w) {
    for (int i = 0; i <= 4; ++i)
        w.pic_CmdMenu(i).setVisible(i == kDataFilePanel);
    for (int i = 0; i <= 3; ++i)
        w.pic_Page(i).setVisible(i == kLinearityPage);
    w.proc.Set_View();
    w.proc.Draw_SensGrid();
    w.proc.Draw_LinGrid();
    w.proc.Draw_SensWF();
    w.proc.Draw_LinWF();
}

}  // namespace

DataFileContents ParseDataFile(const std::vector<std::string>& lines, const DataFileCounts& current) {
    return Parser(lines, current).run();
}

DataFileInfo ParseDataFileInfo(const std::vector<std::string>& lines) {
    DataFileInfo info;
    const size_t n = std::min(lines.size(), kMaxInfoLines);
    for (size_t i = 0; i < n; ++i) {
        const KeyValue kv = splitKeyValue(lines[i]);
        if (kv.key == "MachineType = ")
            info.MachineType = kv.value;
        else if (kv.key == "ModelName = ")
            info.ModelName = kv.value;
        else if (kv.key == "VTRmode = ")
            info.VTRmode = kv.value;
        else if (kv.key == "Mode_PN = ")
            info.Mode_PN = kv.value;
        else if (kv.key == "Serial = ")
            info.Serial = kv.value;
        else if (kv.key == "Comment = ")
            info.Comment = kv.value;
        else if (kv.key == "SaveDate = ")
            info.SaveDate = kv.value;
        else if (kv.key == "SaveTime = ")
            info.SaveTime = kv.value;
        if (lines[i] == kSensSettingMarker) break;
    }
    return info;
}

void Read_DataFile(FrmMain& w) {
    MainState& st = w.st;
    if (st.flags.RunDepth > 0 || st.flags.flg_Measuring == 1) {
        w.msgBox("A data file cannot be loaded during a measurement.", forms::msg::Exclamation);
        return;
    }
    const std::string& name = st.DataFileName;
    if (name.empty()) return;  // no file chosen: nothing to read
    if (st.flags.flg_Unsaved == 1 &&
        w.msgBox("The last measurement has not been saved. Load [" + name + "] and discard it ?",
                 forms::msg::YesNo | forms::msg::Exclamation | forms::msg::DefaultButton2) !=
            forms::MsgResult::Yes)
        return;
    const std::string file = DataFileFolder(st) + name;
    const auto lines = readTextLines(file, kMaxDataFileBytes);
    if (!lines) {
        std::error_code ec;
        const bool exists = std::filesystem::exists(file, ec);
        w.msgBox("Cannot read the data file [" + file +
                     "]: " + (exists ? "the file cannot be opened." : "no such file."),
                 forms::msg::Exclamation);
        return;
    }
    DataFileCounts current;
    current.nData_SensWF = st.params.nData_SensWF;
    current.nData_LinWF = st.params.nData_LinWF;
    current.n_Msr_channel_Lin = st.msr.n_Msr_channel_Lin;
    const DataFileContents contents = ParseDataFile(*lines, current);
    if (!contents.recognised) {
        w.msgBox("[" + name + "] is not a MORVA data file.", forms::msg::Exclamation);
        return;
    }
    apply(w, contents);
    showLoadedData(w);
    // The selected model's limits judge only a file of that model.
    if (contents.ModelName == w.cmb_ModelNameList.text())
        w.proc.Show_LimitVerdict(kLimitAll);
    else
        w.proc.Clear_LimitVerdict(kLimitAll);
}

void Restore_CountsBeforeLoad(MainState& st) {
    if (!st.datafile.CountsHeld) return;
    st.params.nData_SensWF = st.datafile.nData_SensWF;
    st.params.nData_LinWF = st.datafile.nData_LinWF;
    st.msr.nType_SensWF = st.datafile.nType_SensWF;
    st.datafile.CountsHeld = false;
}

}  // namespace morva
