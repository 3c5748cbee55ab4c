#include "files/vtr_parameter_list.h"

#include <vector>

#include "core/numbers.h"
#include "files/program_files.h"
#include "files/text_file.h"

namespace morva {

namespace {

// Field numbers (1-based, as the table counts them) of the row's values.
constexpr int kFieldFirstMode = 5;  // name, track pitch, rotation, stagger count per mode
constexpr int kFieldsPerMode = 4;
constexpr int kModesInRow = 5;

const std::string& field(const ModelRowFields& row, int number) {
    return row[static_cast<size_t>(number - 1)];
}
int32_t int32Field(const ModelRowFields& row, int number) {
    return toInt32(parseLeadingNumber(field(row, number)));
}
float singleField(const ModelRowFields& row, int number) {
    return static_cast<float>(parseLeadingNumber(field(row, number)));
}

}  // namespace

std::optional<ModelRowFields> Split_ModelRow(std::string_view line) {
    ModelRowFields row;
    size_t pos = 0;
    for (int i = 0; i < kModelRowFields - 1; ++i) {
        const size_t comma = line.find(',', pos);
        if (comma == std::string_view::npos) return std::nullopt;
        row[static_cast<size_t>(i)] = std::string(line.substr(pos, comma - pos));
        pos = comma + 1;
    }
    row[kModelRowFields - 1] = std::string(line.substr(pos));
    return row;
}

void Store_ModelRow(MainState& st, const ModelRowFields& row) {
    ModelRecord& m = st.model;
    MsrSettings& msr = st.msr;
    m.ModelName = field(row, 1);
    st.settings.MachineType = field(row, 2);
    m.nHead = int32Field(row, 3);
    m.HeadStagger = int32Field(row, 4);
    for (int slot = 0; slot < kModeSlots; ++slot) {
        const auto s = static_cast<size_t>(slot);
        if (slot >= kModesInRow) {
            m.VTRmode_Name[s].clear();
            m.VTRmode_TrackPitch[s] = 0;
            m.VTRmode_CylRot[s] = 0;
            m.VTRmode_nStagger[s] = 0;
            continue;
        }
        const int first = kFieldFirstMode + slot * kFieldsPerMode;
        m.VTRmode_Name[s] = field(row, first);
        m.VTRmode_TrackPitch[s] = singleField(row, first + 1);
        m.VTRmode_CylRot[s] = singleField(row, first + 2);
        m.VTRmode_nStagger[s] = toInt16(parseLeadingNumber(field(row, first + 3)));
    }
    msr.nLoop_MsrSens = int32Field(row, 25);
    m.Spec_Sens_Centre = singleField(row, 26);
    m.Spec_Sens_Tol = singleField(row, 27);
    msr.nLoop_LinRealTime = int32Field(row, 28);
    msr.nLoop_LinFinalData = int32Field(row, 29);
    msr.Adj_LinEnt = int32Field(row, 30);
    m.Spec_Lin = singleField(row, 31);
    m.Spec_Wav = singleField(row, 32);
}

bool Load_ModelRow(MainState& st, const std::filesystem::path& file, std::string_view modelName) {
    const std::optional<std::vector<std::string>> lines = readTextLines(file);
    if (!lines) return false;
    std::optional<ModelRowFields> found;
    for (size_t i = 1; i < lines->size(); ++i) {
        std::optional<ModelRowFields> row = Split_ModelRow((*lines)[i]);
        if (row && (*row)[0] == modelName) found = std::move(row);
    }
    if (!found) return false;
    Store_ModelRow(st, *found);
    return true;
}

void Read_VTRParameterList(FrmMain& w) {
    const std::optional<std::vector<std::string>> lines =
        readTextLines(std::string(w.st.ProgramFolder) + kVTRParameterFileName);
    if (!lines) {
        w.lst_Version.addItem(
            unreadableFileLine(kVTRParameterFileName, w.st.ProgramFolder + kVTRParameterFileName));
        return;
    }
    w.lst_Version.addItem(versionLine(kVTRParameterFileName, lines->empty() ? "" : lines->front()));
    for (size_t i = 1; i < lines->size(); ++i) {
        if (const std::optional<ModelRowFields> row = Split_ModelRow((*lines)[i]))
            w.cmb_ModelNameList.addItem((*row)[0]);
    }
}

}  // namespace morva
