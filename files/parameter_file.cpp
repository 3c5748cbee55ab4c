#include "files/parameter_file.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "core/numbers.h"
#include "files/program_files.h"
#include "files/text_file.h"

namespace morva {

namespace {

int16_t int16Of(std::string_view value) {
    return toInt16(parseLeadingNumber(value));
}
int32_t int32Of(std::string_view value) {
    return toInt32(parseLeadingNumber(value));
}
// The A/D mode keys and the trigger interval take only the first five
// characters of their value.
std::string_view firstFive(std::string_view value) {
    return value.substr(0, std::min<size_t>(5, value.size()));
}

// The simple keys: true when `kv` was one of them and its value is stored.
bool storeSimpleKey(FrmMain& w, const KeyValue& kv) {
    ParameterRecord& p = w.st.params;
    SettingsRecord& s = w.st.settings;
    const std::string& k = kv.key;
    const std::string_view v = kv.value;
    if (k == "Default_AD_SamplingRate_Sens = ")
        p.Default_AD_SamplingRate_Sens = parseLeadingNumber(v);
    else if (k == "Default_AD_SamplingRate_Lin = ")
        p.Default_AD_SamplingRate_Lin = parseLeadingNumber(v);
    else if (k == "Default_CylRot = ")
        p.Default_CylRot = static_cast<float>(parseLeadingNumber(v));
    else if (k == "Default_nHead = ")
        p.Default_nHead = int32Of(v);
    else if (k == "nData_SensWF = ")
        p.nData_SensWF = int32Of(v);
    else if (k == "StartPos_SensWFSample = ")
        p.StartPos_SensWFSample = int32Of(v);
    else if (k == "nPoint_SensWFSample = ")
        p.nPoint_SensWFSample = int32Of(v);
    else if (k == "Mask_SmoothSensWF = ")
        p.Mask_SmoothSensWF = int32Of(v);
    else if (k == "Area_CalcSensVal = ")
        p.Area_CalcSensVal = int32Of(v);
    else if (k == "Area_MsrSensMaxMinPos = ")
        p.Area_MsrSensMaxMinPos = int32Of(v);
    else if (k == "Thresh_ChkSensVal = ")
        p.Thresh_ChkSensVal = int32Of(v);
    else if (k == "flg_SmoothSensWF = ")
        s.flg_SmoothSensWF = int16Of(v);
    else if (k == "nData_LinWF = ")
        p.nData_LinWF = int32Of(v);
    else if (k == "StartPos_LinWFSample = ")
        p.StartPos_LinWFSample = int32Of(v);
    else if (k == "Pos_FixOfs_LinWF = ")
        p.Pos_FixOfs_LinWF = int32Of(v);
    else if (k == "nCut_CalcLinOfs = ")
        p.nCut_CalcLinOfs = int32Of(v);
    else if (k == "Mask_SmoothLinWF = ")
        p.Mask_SmoothLinWF = int32Of(v);
    else if (k == "Mask_SmoothCorWF = ")
        p.Mask_SmoothCorWF = int32Of(v);
    else if (k == "nLoop_SmoothCorWF = ")
        p.nLoop_SmoothCorWF = int32Of(v);
    else if (k == "flg_SmoothLinWF = ")
        s.flg_SmoothLinWF = int16Of(v);
    else if (k == "AD_IOmode = ")
        s.AD_IOmode = int16Of(firstFive(v));
    else if (k == "AD_TriggerType = ")
        s.AD_TriggerType = int16Of(firstFive(v));
    else if (k == "AD_TriggerSlope = ")
        s.AD_TriggerSlope = int16Of(firstFive(v));
    else if (k == "Interval_Timer_AD_TRG = ") {
        s.Interval_Timer_AD_TRG = int32Of(firstFive(v));
        w.timer_chk_AD_TRG.setInterval(s.Interval_Timer_AD_TRG);
    } else {
        return false;
    }
    return true;
}

// The `count` lines after "nType_MasterTape = " are type names, whatever
// their keys. Names past the 11 slots are read over; the end of the file
// ends the names early. nType_MasterTape becomes the number of names kept.
void readMasterTapeTypes(LineReader& in, SettingsRecord& s, int count) {
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        const std::optional<std::string> line = in.next();
        if (!line) break;
        if (i < kMasterTapeTypeSlots) {
            s.MasterTapeTypeName[static_cast<size_t>(i)] = splitKeyValue(*line).value;
            kept = i + 1;
        }
    }
    s.nType_MasterTape = static_cast<int16_t>(kept);
}

constexpr std::array<std::string_view, 5> kADBlockKeys = {
    "AD_DeviceType = ", "AD_DllName = ", "AD_ConfigFile = ", "AD_Resolution_Default = ", "AD_nChannel = "};

void storeADEntry(SettingsRecord& s, size_t key, size_t slot, const std::string& value) {
    switch (key) {
        case 0:
            s.AD_DeviceType[slot] = value;
            break;
        case 1:
            s.AD_DllName[slot] = value;
            break;
        case 2:
            s.AD_ConfigFile[slot] = value;
            break;
        case 3:
            s.AD_Resolution_Default[slot] = int32Of(value);
            break;
        default:
            s.AD_nChannel[slot] = int16Of(value);
            break;
    }
}

// The A/D entry block after "n_AD_Entry = ": at least one line, until each
// of the five keys was seen `count` times; the k-th occurrence of a key fills
// slot k of its list. Occurrences past `count` are not counted, so one key
// named too often cannot keep the block open; slots past the 11 of the lists
// are read over. n_AD_Entry becomes the number of boards described
// completely (at most 11).
void readADEntryBlock(LineReader& in, SettingsRecord& s, int count) {
    const int target = std::max(0, count);
    std::array<int, kADBlockKeys.size()> fill{};
    const auto complete = [&] {
        return std::all_of(fill.begin(), fill.end(), [&](int n) { return n == target; });
    };
    do {
        const std::optional<std::string> line = in.next();
        if (!line) break;
        const KeyValue kv = splitKeyValue(*line);
        for (size_t k = 0; k < kADBlockKeys.size(); ++k) {
            if (kv.key != kADBlockKeys[k]) continue;
            if (fill[k] < target) {
                if (fill[k] < kADEntrySlots) storeADEntry(s, k, static_cast<size_t>(fill[k]), kv.value);
                ++fill[k];
            }
            break;
        }
    } while (!complete());
    const int boards = *std::min_element(fill.begin(), fill.end());
    s.n_AD_Entry = static_cast<int16_t>(std::min(boards, kADEntrySlots));
}

}  // namespace

void Read_ParameterFile(FrmMain& w) {
    const std::optional<std::vector<std::string>> lines =
        readTextLines(std::string(w.st.ProgramFolder) + kParameterFileName);
    if (!lines) {
        w.lst_Version.addItem(
            unreadableFileLine(kParameterFileName, w.st.ProgramFolder + kParameterFileName));
    } else {
        LineReader in(*lines);
        w.lst_Version.addItem(versionLine(kParameterFileName, in.next().value_or("")));
        while (const std::optional<std::string> line = in.next()) {
            const KeyValue kv = splitKeyValue(*line);
            if (storeSimpleKey(w, kv)) continue;
            if (kv.key == "nType_MasterTape = ") {
                readMasterTapeTypes(in, w.st.settings, int16Of(kv.value));
            } else if (kv.key == "n_AD_Entry = ") {
                readADEntryBlock(in, w.st.settings, int16Of(kv.value));
            }
        }
    }
    w.Text3.setText(numberText(w.st.params.Pos_FixOfs_LinWF));
}

}  // namespace morva
