#include "files/model_selection.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/numbers.h"
#include "files/data_file.h"
#include "files/mode_parameters.h"
#include "files/program_files.h"
#include "files/spec_line_file.h"
#include "files/vtr_parameter_list.h"
#include "files/work_list_file.h"

namespace morva {

namespace {

constexpr int kWorkListLabels = 6;
// The sequencer's "Main Menu" button of the sensitivity panel: pressed when
// the model has no work list.
constexpr int kNoWorkListButton = 14;

void setChannelCounts(FrmMain& w) {
    ModelRecord& m = w.st.model;
    const int32_t n = toInt32(parseLeadingNumber(w.lbl_n_AD_Channel.caption()));
    if (m.nHead == 2 || m.nHead == 4) {
        m.n_AD_channel_Lin = 1;
        m.n_AD_channel_Sens = n;
    } else if (m.nHead == 8) {
        m.n_AD_channel_Lin = n;
        m.n_AD_channel_Sens = n;
    }
    if (w.st.settings.AdvMode == 1) {
        m.n_AD_channel_Lin = n;
        m.n_AD_channel_Sens = n;
    }
    w.st.msr.n_Msr_channel_Sens = m.n_AD_channel_Sens;
    w.st.msr.n_Msr_channel_Lin = m.n_AD_channel_Lin;
}

}  // namespace

std::string DataFileExt(std::string_view modelName) {
    const size_t dash = modelName.find('-');
    std::string ext = ".Morva_";
    ext += dash == std::string_view::npos ? modelName : modelName.substr(dash + 1);
    return ext;
}

void Set_ModelParameters(FrmMain& w) {
    MainState& st = w.st;
    SettingsRecord& s = st.settings;
    // A loaded data file's counts go before anything is derived from them.
    Restore_CountsBeforeLoad(st);
    const std::string name = w.cmb_ModelNameList.text();
    Load_ModelRow(st, st.ProgramFolder + kVTRParameterFileName, name);
    w.Text1.setText(numberText(st.msr.nLoop_LinRealTime));
    w.Text2.setText(numberText(st.msr.nLoop_LinFinalData));

    if (s.MachineType == "VTR") {
        w.frm_PAL_NTSC.setVisible(true);
        s.Mode_PN = w.opt_PAL_NTSC(0).value() ? "PAL" : "NTSC";
    } else if (s.MachineType == "Data") {
        w.frm_PAL_NTSC.setVisible(false);
        s.Mode_PN = "PAL";
    }

    w.cmb_VTRmode_List.clear();
    for (int slot = 0; slot < kModeSlots - 1; ++slot) {
        const std::string& mode = st.model.VTRmode_Name[static_cast<size_t>(slot)];
        if (mode != "*") w.cmb_VTRmode_List.addItem(mode);
    }
    w.cmb_VTRmode_List.setListIndex(0);

    const int slot = ModeSlotOfEntry(st.model, w.cmb_VTRmode_List.listIndex());
    if (slot >= 0) st.model.CylRot = ModeCylRot(st.model, slot, s.Mode_PN);

    setChannelCounts(w);
    s.DataFileExt = DataFileExt(name);
    st.flags.flg_DataLoaded = 0;
    // A result judged under the row as it was keeps no verdict.
    w.proc.Clear_LimitVerdict(kLimitAll);
}

void Show_ModelLabel(FrmMain& w) {
    const std::string name = w.cmb_ModelNameList.text();
    w.lbl_Info(2).setCaption(name);
    if (w.st.settings.MachineType == "VTR")
        w.lbl_Info(2).setCaption(name + "(" + w.st.settings.Mode_PN + ")");
}

void cmb_ModelNameList_Click(FrmMain& w) {
    MainState& st = w.st;
    const bool setBusy = st.flags.flg_Busy != 1;
    if (setBusy) st.flags.flg_Busy = 1;

    Set_ModelParameters(w);
    w.doEvents();
    Show_ParameterList(w);
    Show_ModelLabel(w);

    for (int i = 0; i < kWorkListLabels; ++i)
        w.lbl_WorkList(i).setCaption("");
    w.lst_WorkList.clear();
    const std::string name = w.cmb_ModelNameList.text();
    std::error_code ec;
    if (std::filesystem::is_regular_file(WorkListFilePath(st, name), ec)) {
        Read_WorkListFile(w);
    } else {
        w.cmd_StartFunction(kNoWorkListButton).setValue(true);
    }
    if (std::filesystem::is_regular_file(SpecLineFilePath(st, name), ec)) {
        Read_SpecLineFile(w);
    } else {
        Set_DefaultSpecLine(st);
    }

    if (setBusy) st.flags.flg_Busy = 0;
    w.proc.Set_View();
}

void cmb_VTRmode_List_Click(FrmMain& w) {
    w.proc.Clear_LimitVerdict(kLimitAll);
    Calc_ModeParameters(w);
    Show_ParameterList(w);
}

void opt_PAL_NTSC_Click(FrmMain& w, int Index) {
    MainState& st = w.st;
    const std::string standard = Index == 0 ? "PAL" : "NTSC";
    const int slot = ModeSlotOfEntry(st.model, w.cmb_VTRmode_List.listIndex());
    if (slot >= 0) st.model.CylRot = ModeCylRot(st.model, slot, standard);
    st.settings.Mode_PN = standard;
    w.proc.Clear_LimitVerdict(kLimitAll);
    Calc_ModeParameters(w);
    Show_ParameterList(w);
    if (w.cmb_ModelNameList.listIndex() >= 0) Show_ModelLabel(w);
}

}  // namespace morva
