#include "files/waveform_csv.h"

#include <algorithm>

#include "core/numbers.h"
#include "files/export_file.h"
#include "files/text_file.h"

namespace morva {

namespace {

constexpr ExportTexts kTexts{"Export Waveforms (CSV)", "波形ﾃﾞｰﾀ出力(CSV)",
                             "File name of the waveform table ?", "波形ﾃﾞｰﾀのﾌｧｲﾙ名 ?"};

std::string hundredths(int32_t stored) {
    return formatFixed(stored / 100.0, 2);
}

}  // namespace

WaveformTables CurrentWaveformTables(const MainState& st) {
    const RunFlags& f = st.flags;
    const bool loaded = f.flg_DataLoaded == 1;
    WaveformTables t;
    if (loaded || f.flg_SensAvgDone == 1) {
        t.sensHeads = std::clamp(st.msr.nType_SensWF * st.msr.n_Msr_channel_Sens, 0, 4);
        t.sensPoints = std::clamp(st.params.nData_SensWF, 0, kMaxSensPoint);
    }
    if (loaded || f.flg_PeakHold == 1) {
        t.linChannels = std::clamp(st.msr.n_Msr_channel_Lin, 0, 2);
        t.linPoints = std::clamp(st.params.nData_LinWF, 0, kMaxLinPoint);
    }
    if (t.sensHeads == 0) t.sensPoints = 0;
    if (t.linChannels == 0) t.linPoints = 0;
    return t;
}

std::string WaveformCsvText(const MainState& st, const WaveformTables& t) {
    // The arrays' bounds, whatever the counts say.
    const int heads = std::clamp(t.sensHeads, 0, 4);
    const int sensPoints = std::clamp(t.sensPoints, 0, kMaxSensPoint);
    const int channels = std::clamp(t.linChannels, 0, 2);
    const int linPoints = std::clamp(t.linPoints, 0, kMaxLinPoint);

    std::string header = "No.";
    for (const char* name : {"SensWF", "SensDifWF"})
        for (int h = 0; h < heads; ++h)
            header += "," + std::string(name) + std::to_string(h) + " [mV]";
    for (int c = 0; c < channels; ++c)
        for (const std::string& name :
             {"LinAvg" + std::to_string(c), "WavMax" + std::to_string(c), "WavMin" + std::to_string(c),
              "Lin" + std::to_string(2 * c), "Lin" + std::to_string(2 * c + 1)})
            header += "," + name + " [um]";
    std::string text;
    appendCrLfLine(text, header);

    const LinState& lin = st.lin;
    for (int i = 1; i <= std::max(heads > 0 ? sensPoints : 0, channels > 0 ? linPoints : 0); ++i) {
        const auto p = static_cast<size_t>(i);
        std::string row = numberText(i);
        for (const auto* grid : {&st.sens.SensWF, &st.sens.SensDifWF})
            for (int h = 0; h < heads; ++h)
                row += "," + (i <= sensPoints ? formatFixed((*grid)[static_cast<size_t>(h)][p], 3) : "");
        for (int c = 0; c < channels; ++c) {
            const auto g = static_cast<size_t>(c);
            for (int32_t v : {lin.LinAvg[g][p], lin.WavMax[g][p], lin.WavMin[g][p], lin.Lin[2 * g][p],
                              lin.Lin[2 * g + 1][p]})
                row += "," + (i <= linPoints ? hundredths(v) : "");
        }
        appendCrLfLine(text, row);
    }
    return text;
}

bool Has_WaveformsToExport(const FrmMain& w) {
    return !CurrentWaveformTables(w.st).empty();
}

void Export_WaveformCsv(FrmMain& w) {
    if (RefuseExportDuringRun(w)) return;
    const WaveformTables tables = CurrentWaveformTables(w.st);
    if (tables.empty()) {
        w.msgBox(InJapanese(w) ? "出力する波形ﾃﾞｰﾀがありません。測定するか、ﾃﾞｰﾀを呼び出してください。"
                               : "There are no waveforms to export. Measure or load a data file first.",
                 forms::msg::Exclamation);
        return;
    }
    const std::optional<std::string> path = AskExportPath(w, ".csv", kTexts);
    // The input box let events run: the result is read as it is now.
    if (!path || RefuseExportDuringRun(w)) return;
    WriteExportFile(w, *path, WaveformCsvText(w.st, CurrentWaveformTables(w.st)));
}

}  // namespace morva
