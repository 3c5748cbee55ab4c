#include "core/numbers.h"
#include "view/view_handlers.h"
#include "window/frm_main.h"

namespace morva {

void Set_InfoWindow(FrmMain& w) {
    const SettingsRecord& s = w.st.settings;
    std::string text;
    if (s.AutoSave == 1) text = "Save:Auto \r\n";
    if (s.Message_SerialInput == 1) text += "Msg_Ser:ON  ";
    if (s.Message_CommentInput == 1) text += "Msg_Cmt:ON ";
    w.lbl_Info(3).setCaption(text);
    w.cmd_StartFunction(27).setVisible(s.AutoSave != 1);
}

namespace {
int32_t typedNumber(const forms::TextBox& box) {
    return toInt32(parseLeadingNumber(box.text()));
}
}  // namespace

void Text1_Change(FrmMain& w) {
    w.st.msr.nLoop_LinRealTime = typedNumber(w.Text1);
}

void Text2_Change(FrmMain& w) {
    w.st.msr.nLoop_LinFinalData = typedNumber(w.Text2);
}

void Text3_Change(FrmMain& w) {
    w.st.params.Pos_FixOfs_LinWF = typedNumber(w.Text3);
}

}  // namespace morva
