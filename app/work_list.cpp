// The work-list guidance: picking an item selects its tape mode and enters
// its measurement; "Next" goes on to the following item.

#include <algorithm>
#include <cctype>
#include <string>

#include "app/function_buttons.h"
#include "app/sequencer_steps.h"
#include "window/run_controls.h"

namespace morva {

namespace {

std::string upperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

}  // namespace

void Show_WorkListTexts(FrmMain& w) {
    const int item = w.lst_WorkList.listIndex();
    if (item < 0 || item > kMaxWorkListItem) return;
    const auto& tp = w.st.worklist.WorkList_TestPoint[static_cast<size_t>(item)];
    const std::string channels = w.lbl_n_AD_Channel.caption();
    if (channels == "1") {
        w.lbl_WorkList(0).setCaption(tp[0]);
        w.lbl_WorkList(1).setCaption("");
        w.lbl_WorkList(2).setCaption(tp[1]);
    } else if (channels == "2") {
        w.lbl_WorkList(0).setCaption(tp[2]);
        w.lbl_WorkList(1).setCaption(tp[3]);
        w.lbl_WorkList(2).setCaption(tp[4]);
    }
}

void lst_WorkList_Click(FrmMain& w) {
    const int item = w.lst_WorkList.listIndex();
    if (w.st.flags.flg_Busy == 1 || item < 0 || item > kMaxWorkListItem) return;
    w.cmd_StartFunction(13).setVisible(true);
    w.cmd_StartFunction(23).setVisible(true);
    Show_WorkListTexts(w);
    Select_VTRmode(w, w.st.worklist.WorkList_Mode[static_cast<size_t>(item)]);
    const std::string name = upperCase(w.lst_WorkList.text());
    if (name.find("GAIN") != std::string::npos) w.cmd_StartFunction(0).setValue(true);
    if (Program_Ended(w)) return;
    if (name.find("LIN") != std::string::npos) w.cmd_StartFunction(1).setValue(true);
}

void WorkList_Next(FrmMain& w) {
    auto& list = w.lst_WorkList;
    const int next = list.listIndex() < list.listCount() - 1 ? list.listIndex() + 1 : 0;
    if (next == list.listIndex()) {
        // A list of one item: picking it again applies it again.
        lst_WorkList_Click(w);
        return;
    }
    list.setListIndex(next);
}

}  // namespace morva
