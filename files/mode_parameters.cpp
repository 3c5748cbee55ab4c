#include "files/mode_parameters.h"

#include <cmath>
#include <string>

#include "core/numbers.h"
#include "files/text_file.h"

namespace morva {

namespace {

constexpr double kNTSCFactor = 0.999;

// Samples per second scaled from the reference rate at the reference
// rotation; 0 when either rotation is 0 or the result is not finite.
double scaledRate(float CylRot, double defaultRate, float Default_CylRot) {
    if (CylRot == 0.0f || Default_CylRot == 0.0f) return 0.0;
    const double rate = static_cast<double>(CylRot) * defaultRate / static_cast<double>(Default_CylRot);
    return std::isfinite(rate) ? rate : 0.0;
}

// Samples per half revolution (one head scan of 180 degrees), in single
// precision.
float halfRevolution(float CylRot, double rate) {
    if (CylRot == 0.0f) return 0.0f;
    const double half = (60.0 / static_cast<double>(CylRot) / 2.0) * rate;
    return std::isfinite(half) ? static_cast<float>(half) : 0.0f;
}

}  // namespace

int ModeSlotOfEntry(const ModelRecord& model, int entry) {
    if (entry < 0) return -1;
    int seen = 0;
    for (int slot = 0; slot < kModeSlots - 1; ++slot) {
        if (model.VTRmode_Name[static_cast<size_t>(slot)] == "*") continue;
        if (seen == entry) return slot;
        ++seen;
    }
    return -1;
}

float ModeCylRot(const ModelRecord& model, int slot, const std::string& Mode_PN) {
    if (slot < 0 || slot >= kModeSlots) return 0.0f;
    const float table = model.VTRmode_CylRot[static_cast<size_t>(slot)];
    return Mode_PN == "NTSC" ? static_cast<float>(static_cast<double>(table) * kNTSCFactor) : table;
}

void Calc_ModeParameters(MainState& st, int slot) {
    if (slot < 0 || slot >= kModeSlots) return;
    ModelRecord& m = st.model;
    const ParameterRecord& p = st.params;
    MsrSettings& msr = st.msr;
    const std::string& type = st.settings.MachineType;

    m.CylRot = ModeCylRot(m, slot, st.settings.Mode_PN);
    m.TrackPitch = m.VTRmode_TrackPitch[static_cast<size_t>(slot)];

    const double rateS = scaledRate(m.CylRot, p.Default_AD_SamplingRate_Sens, p.Default_CylRot);
    const double rateL = scaledRate(m.CylRot, p.Default_AD_SamplingRate_Lin, p.Default_CylRot);
    const double halfS = halfRevolution(m.CylRot, rateS);
    const double halfL = halfRevolution(m.CylRot, rateL);
    m.AD_SplRate_Sens = std::floor(rateS + 0.5);
    m.AD_SplRate_Lin = std::floor(rateL + 0.5);

    // The stagger angle in linearity samples, and the shift of the first
    // window by the mode's number of staggers (both 16-bit).
    const int16_t stag = toInt16(halfL * m.HeadStagger / 180.0);
    const int16_t mStag = toInt16(static_cast<double>(m.VTRmode_nStagger[static_cast<size_t>(slot)]) * stag);
    const double base = p.StartPos_LinWFSample;
    const double nSens = p.nData_SensWF;
    auto& pos = msr.StartPos_LinWF;
    const auto plus = [](int32_t a, int32_t b) { return toInt32(static_cast<double>(a) + b); };

    if (type == "VTR") {
        pos[0] = toInt32(halfL + base + mStag);
        if (m.nHead == 2) {
            pos[1] = toInt32(3.0 * halfL + base);
            m.nADdata_Sens = toInt32(4.0 * halfS * nSens + 20.0);
            m.nADdata_Lin = toInt32(4.0 * halfL + 10.0);
        } else if (m.nHead == 4) {
            pos[1] = toInt32(mStag + base);
            m.nADdata_Sens = toInt32(2.0 * halfS * nSens + 20.0);
            m.nADdata_Lin = toInt32(2.0 * halfL + 10.0);
        } else if (m.nHead == 8) {
            pos[1] = toInt32(base);
            m.nADdata_Sens = toInt32(2.0 * halfS * nSens + 20.0);
            m.nADdata_Lin = toInt32((m.HeadStagger / 180.0 + 2.0) * halfL + 10.0);
            pos[2] = plus(pos[0], stag);
            pos[3] = plus(pos[1], stag);
        }
    } else if (type == "Data") {
        pos[0] = toInt32(mStag + base);
        if (m.nHead == 4) {
            pos[1] = toInt32(halfL + base + mStag);
            m.nADdata_Sens = toInt32(2.0 * halfS * nSens + 20.0);
            m.nADdata_Lin = toInt32(2.0 * halfL + 10.0);
            pos[2] = plus(pos[0], stag);
            pos[3] = plus(pos[1], stag);
        }
    }
}

void Calc_ModeParameters(FrmMain& w) {
    Calc_ModeParameters(w.st, ModeSlotOfEntry(w.st.model, w.cmb_VTRmode_List.listIndex()));
}

void Show_ParameterList(FrmMain& w) {
    const MainState& st = w.st;
    const ModelRecord& m = st.model;
    const MsrSettings& msr = st.msr;
    const SettingsRecord& s = st.settings;
    std::string text;
    const auto line = [&text](const char* name, const std::string& value) {
        appendCrLfLine(text, std::string(name) + value);
    };
    line("nHead = ", numberText(m.nHead));
    line("TrackPitch = ", numberTextSingle(m.TrackPitch));
    line("CylRot = ", numberTextSingle(m.CylRot));
    line("HeadStagger = ", numberText(m.HeadStagger));
    line("AD_SplRate_Sens = ", numberTextDouble(m.AD_SplRate_Sens));
    line("nADdata_Sens = ", numberText(m.nADdata_Sens));
    line("nLoop_MsrSens = ", numberText(msr.nLoop_MsrSens));
    line("AD_SplRate_Lin = ", numberTextDouble(m.AD_SplRate_Lin));
    line("nADdata_Lin = ", numberText(m.nADdata_Lin));
    line("nLoop_LinRealTime = ", numberText(msr.nLoop_LinRealTime));
    line("nLoop_LinFinalData = ", numberText(msr.nLoop_LinFinalData));
    line("Adj_LinEnt = ", numberText(msr.Adj_LinEnt));
    line("Spec_Sens_Centre = ", numberTextSingle(m.Spec_Sens_Centre));
    line("Spec_Sens_Tol = ", numberTextSingle(m.Spec_Sens_Tol));
    line("Spec_Lin = ", numberTextSingle(m.Spec_Lin));
    line("Spec_Wav = ", numberTextSingle(m.Spec_Wav));
    line("StartPos_LinWF0 = ", numberText(msr.StartPos_LinWF[0]));
    line("StartPos_LinWF1 = ", numberText(msr.StartPos_LinWF[1]));
    line("StartPos_LinWF2 = ", numberText(msr.StartPos_LinWF[2]));
    line("StartPos_LinWF3 = ", numberText(msr.StartPos_LinWF[3]));
    line("n_AD_channel = ", numberText(s.n_AD_Channel));
    line("n_AD_channel_Sens = ", numberText(m.n_AD_channel_Sens));
    line("n_AD_channel_Lin = ", numberText(m.n_AD_channel_Lin));
    line("n_Msr_channel_Sens = ", numberText(msr.n_Msr_channel_Sens));
    line("n_Msr_channel_Lin = ", numberText(msr.n_Msr_channel_Lin));
    line("Path_DaqConfig = ", s.Path_DaqConfigFile);
    line("Path_DataFile = ", s.Path_DataFile);
    line("Path_SpecLine_Lin = ", s.Path_SpecLine_Lin);
    line("Path_WorkList = ", s.Path_WorkList);
    line("DataFileExt = ", s.DataFileExt);
    line("DataFileName = ", st.DataFileName);
    w.txt_debug.setText(text);
}

}  // namespace morva
