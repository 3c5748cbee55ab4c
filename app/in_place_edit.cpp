#include "app/in_place_edit.h"

#include "forms/controls.h"

namespace morva {

namespace {

// The run and "Main Menu" buttons of the function pages 1..3.
struct PageButtons {
    int run;
    int mainMenu;
};
constexpr PageButtons kPageButtons[] = {{11, 14}, {21, 24}, {31, 32}};

// The buttons of the visible function page; nullptr on the main page or
// when none is visible.
const PageButtons* visiblePageButtons(const FrmMain& w) {
    if (w.pic_Page(0).visible()) return nullptr;
    for (int page = 1; page <= 3; ++page)
        if (w.pic_Page(page).visible()) return &kPageButtons[page - 1];
    return nullptr;
}

void setRoles(FrmMain& w, bool onPage) {
    const PageButtons* b = visiblePageButtons(w);
    if (b == nullptr) return;
    w.cmd_StartFunction(b->run).setDefault(onPage);
    w.cmd_StartFunction(b->mainMenu).setCancel(onPage);
}

// The label being edited, or nullptr when no edit is open.
forms::Label* editedLabel(FrmMain& w) {
    const int index = w.st.nEditMsrInfo - 1;
    return w.lbl_MsrInfo.exists(index) ? &w.lbl_MsrInfo(index) : nullptr;
}

// Ends the edit by taking the focus away from the box: its LostFocus
// stores the text and hides it. Should nothing be able to take the focus,
// the edit is closed all the same.
void leaveEdit(FrmMain& w) {
    if (w.pic_Info(0).setFocus() && !w.txt_Input.hasFocus()) return;
    if (w.txt_Input.hasFocus()) w.setActiveControl(nullptr);
    txt_Input_LostFocus(w);
}

}  // namespace

void lbl_MsrInfo_Click(FrmMain& w, int Index) {
    if (!w.lbl_MsrInfo.exists(Index)) return;
    MainState& s = w.st;
    if (forms::Label* open = editedLabel(w)) {
        open->setCaption(w.txt_Input.text());
        s.nEditMsrInfo = 0;
    }
    forms::Label& label = w.lbl_MsrInfo(Index);
    s.nEditMsrInfo = static_cast<int16_t>(Index + 1);
    w.txt_Input.move(label.left(), label.top(), label.width(), label.height());
    w.txt_Input.setText(label.caption());
    w.txt_Input.setVisible(true);
    w.txt_Input.setFocus();
}

void txt_Input_GotFocus(FrmMain& w) {
    setRoles(w, false);
}

void txt_Input_KeyDown(FrmMain& w, int KeyCode) {
    // Enter and Esc both end the edit by moving the focus away; the text
    // typed so far is kept either way.
    if (KeyCode == forms::key::Return || KeyCode == forms::key::Escape) leaveEdit(w);
}

void txt_Input_LostFocus(FrmMain& w) {
    w.txt_Input.setVisible(false);
    if (forms::Label* label = editedLabel(w)) label->setCaption(w.txt_Input.text());
    setRoles(w, true);
    w.st.nEditMsrInfo = 0;
}

void Wire_InPlaceEdit(FrmMain& w) {
    w.lbl_MsrInfo.on(&forms::Control::Click, [&w](int i) { lbl_MsrInfo_Click(w, i); });
    w.txt_Input.GotFocus = [&w] { txt_Input_GotFocus(w); };
    w.txt_Input.LostFocus = [&w] { txt_Input_LostFocus(w); };
    w.txt_Input.KeyDown = [&w](int keyCode, int) { txt_Input_KeyDown(w, keyCode); };
}

}  // namespace morva
