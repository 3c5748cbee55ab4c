#include "measure/master_tape_correction.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "core/numbers.h"
#include "files/text_file.h"
#include "measure/lin_average.h"

namespace morva {

namespace {

// The "nPoint" and "Data" value texts of the last complete entry named `name`.
struct EntryTexts {
    std::string nPoint;
    std::string data;
};

// An entry is a "Tape..." line whose value is the name, then EntryDate,
// TrackPitch, nPoint, CheckSum and Data lines. The five lines after a
// matching name line are taken by position, whatever their keys.
std::optional<EntryTexts> findEntry(const std::vector<std::string>& lines, std::string_view name) {
    std::optional<EntryTexts> found;
    size_t n = 0;
    while (n < lines.size()) {
        const std::string& line = lines[n++];
        if (line.compare(0, 4, "Tape") != 0) continue;
        if (splitKeyValue(line).value != name) continue;
        if (lines.size() - n < 5) break;  // cut short by the end of the file
        EntryTexts entry;
        entry.nPoint = splitKeyValue(lines[n + 2]).value;
        entry.data = splitKeyValue(lines[n + 4]).value;
        found = std::move(entry);
        n += 5;
    }
    return found;
}

MasterTapeCorrection failed(MasterTapeFailure failure, std::string text) {
    MasterTapeCorrection result;
    result.failure = failure;
    result.failureText = std::move(text);
    return result;
}

}  // namespace

std::array<float, kMaxMasterTapeValue + 1> Split_MasterTapeData(std::string_view data, int32_t nPoint) {
    std::array<float, kMaxMasterTapeValue + 1> value{};
    const int32_t count = std::min(nPoint, kMaxMasterTapeValue + 1);
    if (count < 1) return value;
    std::string_view rest = data;
    for (int32_t k = 0; k <= count - 2; ++k) {
        const size_t comma = rest.find(',');
        if (comma == std::string_view::npos) {
            value[static_cast<size_t>(k)] = static_cast<float>(parseLeadingNumber(rest));
            rest = {};
        } else {
            value[static_cast<size_t>(k)] = static_cast<float>(parseLeadingNumber(rest.substr(0, comma)));
            rest = rest.substr(comma + 1);
        }
    }
    value[static_cast<size_t>(count - 1)] = static_cast<float>(parseLeadingNumber(rest));
    return value;
}

void Stretch_CorWF(const std::array<float, kMaxMasterTapeValue + 1>& value, int32_t nPoint, int32_t N,
                   CorWFPoints& CorWF) {
    // No grid point to fill; returning here also keeps N - 1 from
    // overflowing for a hostile negative point count.
    if (nPoint < 2 || N < 1) return;
    const int32_t last = std::min(N, kMaxLinPoint);
    const float step = static_cast<float>(static_cast<double>(N - 1) / static_cast<double>(nPoint - 1));
    const float halfStep = step / 2.0f;
    for (int32_t i = 1; i <= last; ++i) {
        int32_t j = 0;
        if (step != 0.0f)
            j = toInt32(std::floor(static_cast<double>(halfStep) + i) / static_cast<double>(step));
        const float v = (j >= 0 && j <= kMaxMasterTapeValue) ? value[static_cast<size_t>(j)] : 0.0f;
        CorWF[static_cast<size_t>(i)] = toInt32(v * 100.0f);
    }
}

MasterTapeCorrection Read_MasterTapeCorrection(const std::filesystem::path& programFolder,
                                               std::string_view tapeName, int32_t nData_LinWF) {
    const std::filesystem::path file = programFolder / kMasterTapeFileName;
    const auto lines = readTextLines(file);
    if (!lines) return failed(MasterTapeFailure::FileNotOpened, "Cannot open " + file.string());
    const auto entry = findEntry(*lines, tapeName);
    if (!entry)
        return failed(MasterTapeFailure::NameNotFound,
                      "Master tape \"" + std::string(tapeName) + "\" is not in " + kMasterTapeFileName);
    const int32_t nPoint = toInt32(parseLeadingNumber(entry->nPoint));
    if (nPoint < 2)
        return failed(MasterTapeFailure::TooFewPoints, "Master tape \"" + std::string(tapeName) + "\" has " +
                                                           numberText(int64_t{nPoint}) +
                                                           " points; at least 2 are needed");
    if (nPoint > kMaxMasterTapeValue + 1)
        return failed(MasterTapeFailure::TooManyPoints, "Master tape \"" + std::string(tapeName) + "\" has " +
                                                            numberText(int64_t{nPoint}) +
                                                            " points; at most 41 are held");

    MasterTapeCorrection result;
    result.nPoint = nPoint;
    Stretch_CorWF(Split_MasterTapeData(entry->data, nPoint), nPoint, nData_LinWF, result.CorWF);
    return result;
}

void Smooth_CorWF_MasterTape(LinState& lin, int32_t nData_LinWF, int32_t Mask_SmoothCorWF) {
    const int32_t N = std::clamp(nData_LinWF, 0, kMaxLinPoint);
    const int32_t M = std::clamp(Mask_SmoothCorWF, 0, std::min(50, (N + 1) / 2));
    auto& work = lin.Smooth_Work;
    auto& cor = lin.CorWF;
    for (int32_t i = 1; i <= N; ++i)
        work[static_cast<size_t>(i)] = cor[static_cast<size_t>(i)];

    auto sum = [&work](int32_t from, int32_t to) {
        int64_t s = 0;
        for (int32_t k = from; k <= to; ++k)
            s += work[static_cast<size_t>(k)];
        return static_cast<double>(s);
    };
    for (int32_t i = 1; i <= M; ++i)
        cor[static_cast<size_t>(i)] = toInt32(sum(1, i + M) / (M + i));
    for (int32_t i = M + 1; i <= N - M; ++i)
        cor[static_cast<size_t>(i)] = toInt32(sum(i - M, i + M) / (2 * M + 1));
    for (int32_t i = N - M + 1; i <= N; ++i)
        cor[static_cast<size_t>(i)] = toInt32(sum(i - M, N) / (N + M - i + 1));
}

CorWFDisplay Read_CorWF_MasterTape(MainState& state, std::string_view selectedTape) {
    const int32_t N = std::clamp(state.params.nData_LinWF, 0, kMaxLinPoint);
    const MasterTapeCorrection correction =
        Read_MasterTapeCorrection(state.ProgramFolder, selectedTape, state.params.nData_LinWF);
    CorWFDisplay display;
    display.ok = correction.ok();
    display.failureText = correction.failureText;
    for (int32_t i = 1; i <= N; ++i)
        state.lin.CorWF[static_cast<size_t>(i)] = correction.CorWF[static_cast<size_t>(i)];

    if (state.settings.flg_SmoothLinWF == 1) {
        for (int32_t pass = 0; pass < state.params.nLoop_SmoothCorWF; ++pass) {
            const CorWFPoints before = state.lin.CorWF;
            Smooth_CorWF_MasterTape(state.lin, state.params.nData_LinWF, state.params.Mask_SmoothCorWF);
            if (state.lin.CorWF == before) break;  // settled: further passes change nothing
        }
    }
    if (state.settings.AdvMode == 1) {
        state.lin.LinVal[0] = LinSpan(state.lin.CorWF, state.msr.Adj_LinEnt, N);
        display.drawCorWF = true;
        display.linValText = LinValueText(state.lin.LinVal[0]);
    }
    return display;
}

}  // namespace morva
