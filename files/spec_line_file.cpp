#include "files/spec_line_file.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/numbers.h"
#include "files/text_file.h"

namespace morva {

std::string SpecLineFilePath(const MainState& st, std::string_view modelName) {
    std::string path = st.settings.Path_SpecLine_Lin;
    path += modelName;
    path += ".SpecLine";
    return path;
}

void Build_SpecLine(SpecLineState& spec, int c) {
    if (c < 0 || c > 1) return;
    const auto curve = static_cast<size_t>(c);
    const int nodes = std::clamp(spec.n_Node[curve], 0, kMaxSpecNode);
    auto& line = spec.SpecLine_Lin[curve];
    for (int k = 0; k + 1 < nodes; ++k) {
        const int32_t pos0 = spec.SpecNode_Pos[curve][static_cast<size_t>(k)];
        const int32_t pos1 = spec.SpecNode_Pos[curve][static_cast<size_t>(k + 1)];
        const float val0 = spec.SpecNode_Val[curve][static_cast<size_t>(k)];
        const float val1 = spec.SpecNode_Val[curve][static_cast<size_t>(k + 1)];
        // Node positions come from the file as any 32-bit value: their
        // difference is formed in 64 bits.
        const int64_t dx = static_cast<int64_t>(pos1) - pos0;
        if (dx <= 0) continue;
        const float slope = (val1 - val0) / static_cast<float>(dx);
        for (int32_t i = std::max(pos0, 0); i <= std::min(pos1, kMaxLinPoint); ++i) {
            const double limit =
                static_cast<double>(slope) * static_cast<double>(static_cast<int64_t>(i) - pos0) +
                static_cast<double>(val0);
            line[static_cast<size_t>(i)] = toInt32(limit * 100.0);
        }
    }
}

void Read_SpecLineFile(FrmMain& w) {
    SpecLineState& spec = w.st.spec;
    const std::optional<std::vector<std::string>> lines =
        readTextLines(SpecLineFilePath(w.st, w.cmb_ModelNameList.text()));
    if (!lines) return;
    LineReader in(*lines);
    in.next();  // header
    for (size_t c = 0; c < 2; ++c) {
        spec.n_Node[c] = 0;
        std::optional<std::string> line;
        while ((line = in.next()) && line->find("n_Node") == std::string::npos) {
        }
        if (!line) break;
        const int32_t count = toInt32(parseLeadingNumber(splitKeyValue(*line).value));
        int kept = 0;
        for (int32_t k = 0; k < count; ++k) {
            const std::optional<std::string> node = in.next();
            if (!node) break;
            if (kept >= kMaxSpecNode) continue;
            const std::string value = splitKeyValue(*node).value;
            const size_t comma = value.find(',');
            const std::string_view text = value;
            spec.SpecNode_Pos[c][static_cast<size_t>(kept)] =
                toInt32(parseLeadingNumber(text.substr(0, comma)));
            spec.SpecNode_Val[c][static_cast<size_t>(kept)] = static_cast<float>(
                parseLeadingNumber(comma == std::string::npos ? std::string_view() : text.substr(comma + 1)));
            ++kept;
        }
        spec.n_Node[c] = kept;
        Build_SpecLine(spec, static_cast<int>(c));
    }
}

void Set_DefaultSpecLine(MainState& st) {
    const int n = std::min(st.params.nData_LinWF, kMaxLinPoint);
    for (int i = 1; i <= n; ++i) {
        st.spec.SpecLine_Lin[0][static_cast<size_t>(i)] = kDefaultSpecLimit;
        st.spec.SpecLine_Lin[1][static_cast<size_t>(i)] = -kDefaultSpecLimit;
    }
}

}  // namespace morva
