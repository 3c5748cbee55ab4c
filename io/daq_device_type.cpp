// Choosing the A/D device type and the channel count (handlers of the two
// labels of the control panel).

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/numbers.h"
#include "io/daq_acquisition.h"

namespace morva {

namespace {

// The configuration file as the folder lists it: the exact name must exist
// there as a file (a different case is another file here).
bool configFileListed(const std::string& folder, const std::string& name) {
    if (name.empty()) return false;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder.empty() ? std::string(".") : folder, ec);
    if (ec) return false;
    for (const auto& entry : it) {
        if (entry.path().filename().string() != name) continue;
        return entry.is_regular_file(ec);
    }
    return false;
}

// A whole decimal number, blanks around it allowed ("2", " 2 ", "2.0").
bool isNumberText(const std::string& text) {
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return false;
    const size_t end = text.find_last_not_of(" \t") + 1;
    double value = 0;
    const char* first = text.data() + begin;
    const char* last = text.data() + end;
    if (*first == '+') ++first;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last;
}

bool endsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

}  // namespace

void lbl_Name_AD_DeviceType_Change(FrmMain& w) {
    MainState& s = w.st;
    DaqHandles& d = s.daq;
    const std::string caption = w.lbl_Name_AD_DeviceType.caption();
    const int entries = std::clamp<int>(s.settings.n_AD_Entry, 0, kADEntrySlots);
    for (int i = 0; i < entries; ++i) {
        if (caption != s.settings.AD_DeviceType[i]) continue;

        d.CurDeviceType = caption;
        d.CurDllName = s.settings.AD_DllName[i];
        d.CurConfigFile = s.settings.AD_ConfigFile[i];
        s.AD_Resolution = s.settings.AD_Resolution_Default[i];
        // A zero full-scale count would give an infinite scale.
        s.AD_mVperCount = s.AD_Resolution != 0 ? static_cast<float>(10.0 / s.AD_Resolution * 1000.0) : 0.0f;

        w.txt_debug.setText(d.CurDllName + "\r\n" + d.CurConfigFile + "\r\n" + numberText(s.AD_Resolution));

        const std::string& folder = s.settings.Path_DaqConfigFile;
        d.CurConfigPath = folder + (endsWithSeparator(folder) ? "" : "/") + d.CurConfigFile;
        const int16_t channels = s.settings.AD_nChannel[i];
        w.lbl_n_AD_Channel.setCaption(numberText(channels));
        w.lbl_Info(5).setCaption(caption + " " + numberText(channels) + "ch input");

        if (!configFileListed(folder, d.CurConfigFile))
            w.msgBox("Error: No A/D Board Configulation File. (" + d.CurConfigFile + ")",
                     forms::msg::Exclamation);
        return;
    }
}

bool Derive_ADChannelCounts(FrmMain& w) {
    MainState& s = w.st;
    const std::string& caption = w.lbl_n_AD_Channel.caption();
    // A caption that is not a number keeps the counts in use.
    if (!isNumberText(caption)) return false;
    const int32_t count = toInt16(parseLeadingNumber(caption));
    ModelRecord& m = s.model;
    if (s.settings.AdvMode == 1) {
        m.n_AD_channel_Lin = count;
        m.n_AD_channel_Sens = count;
    } else if (m.nHead == 2 || m.nHead == 4) {
        m.n_AD_channel_Lin = 1;
        m.n_AD_channel_Sens = count;
    } else if (m.nHead == 8) {
        m.n_AD_channel_Lin = count;
        m.n_AD_channel_Sens = count;
    }
    s.msr.n_Msr_channel_Lin = m.n_AD_channel_Lin;
    s.msr.n_Msr_channel_Sens = m.n_AD_channel_Sens;
    return true;
}

void lbl_n_AD_Channel_Change(FrmMain& w) {
    if (!Derive_ADChannelCounts(w)) return;
    // The connection texts of the selected work-list item follow the new
    // count; the item is not picked again (that would enter its function).
    w.proc.Show_WorkListTexts();
}

}  // namespace morva
