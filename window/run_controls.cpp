#include "window/run_controls.h"

#include <algorithm>

#include "core/numbers.h"

namespace morva {

void Set_SelectionsEnabled(FrmMain& w, bool enabled) {
    w.cmb_VTRmode_List.setEnabled(enabled);
    w.cmb_ModelNameList.setEnabled(enabled);
    w.frm_PAL_NTSC.setEnabled(enabled);
    w.cmb_MasterTapeList.setEnabled(enabled);
}

void Send_VTRCommand(FrmMain& w, const std::string& command) {
    w.st.CommandText = command;
    w.lbl_SendCommand.setCaption(w.st.CommandText);
    w.lbl_RcvCommand.setCaption(w.proc.RS232C_Command(w.st.CommandText));
}

int32_t ProgressPercent(int32_t part, int32_t whole) {
    if (whole < 1) return 0;
    return toInt32(static_cast<double>(part) / whole * 100.0);
}

void Show_ProgBar(FrmMain& w, int32_t percent) {
    w.st.ProgBarStep = percent;
    const forms::Twips room = std::max<forms::Twips>(0, w.pic_Info(2).width() - w.lbl_ProgBar.width());
    const int32_t share = std::clamp(percent, 0, 100);
    w.lbl_ProgBar.setLeft(static_cast<forms::Twips>(static_cast<int64_t>(room) * share / 100));
}

bool Program_Ended(FrmMain& w) {
    return w.app().ended();
}

RunScope::RunScope(FrmMain& w) : w_(w), started_(w.st.flags.RunDepth == 0) {
    if (started_) ++w_.st.flags.RunDepth;
}

RunScope::~RunScope() {
    if (started_) --w_.st.flags.RunDepth;
}

bool Select_VTRmode(FrmMain& w, const std::string& mode) {
    const auto& items = w.cmb_VTRmode_List.items();
    const auto it = std::find(items.begin(), items.end(), mode);
    if (it == items.end()) return false;
    w.cmb_VTRmode_List.setListIndex(static_cast<int>(it - items.begin()));
    return true;
}

void Reload_ModelKeepingMode(FrmMain& w) {
    const std::string mode = w.cmb_VTRmode_List.text();
    w.proc.Set_ModelParameters();
    if (!mode.empty()) Select_VTRmode(w, mode);
}

}  // namespace morva
