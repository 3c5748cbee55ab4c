#include "view/main_layout.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "core/numbers.h"
#include "view/panel_design.h"
#include "window/frm_main.h"

namespace morva {

namespace {

using forms::Twips;

constexpr Twips kMaxTwips = 32767;  // the settings keep geometry in 16 bits
constexpr Twips kTextHeight = 255;
constexpr Twips kComboHeight = 315;
constexpr forms::Color kSplitterIdle = 0xE0E0E0;
constexpr forms::Color kPanelFace = 0xC0C0C0;
constexpr forms::Color kConditionFace = 0xFFFFFF;

// Function panels: a bold title, then rows of buttons 540 apart.
constexpr Twips kPanelPad = 90;
constexpr Twips kTitleHeight = 300;
constexpr Twips kFirstRow = 420;
constexpr Twips kRowPitch = 540;
constexpr Twips kButtonHeight = 450;
constexpr Twips kRunButtonWidth = 1500;  // a run or toggle button with its condition label
constexpr Twips kConditionWidth = kMenuWidth - 2 * kPanelPad - kRunButtonWidth - 60;

Twips screenShare(Twips screen) {
    return std::clamp<Twips>(toInt32(screen * 0.98), 0, kMaxTwips);
}

// The captions of the function buttons as the window is designed (the
// language switch may replace some of them).
const char* designCaption(int button) {
    switch (button) {
        case 0:
            return "Sensitivity";
        case 1:
            return "Linearity";
        case 2:
            return "Data Save";
        case 3:
            return "Data Load";
        case 4:
            return "Input Monitor";
        case 5:
            return "Exit";
        case 11:
            return "Measurement";
        case 12:
            return "Averaging";
        case 13:
            return "Next";
        case 14:
            return "Main Menu";
        case 15:
            return "<<";
        case 16:
            return ">>";
        case 17:
            return "<";
        case 18:
            return ">";
        case 19:
            return "Linearity";
        case 21:
            return "Measurement";
        case 22:
            return "Waving";
        case 23:
            return "Next";
        case 24:
            return "Main Menu";
        case 25:
            return "Finish";
        case 26:
            return "Reset";
        case 27:
            return "Data Save";
        case 28:
            return "Sensitivity";
        case 31:
            return "Measurement";
        case 32:
            return "Main Menu";
        case 33:
            return "Calibration";
        case 41:
            return "Linearity";
        case 42:
            return "Sensitivity";
        case 43:
            return "Main Menu";
        case 44:
            return "Data Load";
        case 51:
            return "SaveFile";
        case 52:
            return "OpenFile";
        case 53:
            return "Refresh";
        case 54:
            return "MasterDat";
        case 55:
            return "Smooth";
        default:
            return "";
    }
}

constexpr const char* kMenuTitles[] = {"Main Menu", "Sensitivity", "Linearity", "Input Monitor", "Data File"};

Twips rowTop(int row) {
    return kFirstRow + row * kRowPitch;
}

void fullRow(FrmMain& w, int button, int row) {
    w.cmd_StartFunction(button).move(kPanelPad, rowTop(row), kMenuWidth - 2 * kPanelPad, kButtonHeight);
}

// A run or toggle button with its condition label beside it.
void conditionRow(FrmMain& w, int button, int condition, int row) {
    w.cmd_StartFunction(button).move(kPanelPad, rowTop(row), kRunButtonWidth, kButtonHeight);
    forms::Label& label = w.lbl_FuncCondition(condition);
    label.move(kPanelPad + kRunButtonWidth + 60, rowTop(row) + (kButtonHeight - kTextHeight) / 2,
               kConditionWidth, kTextHeight);
    label.setAlignment(2);
    label.setBackColor(kConditionFace);
    label.setFontBold(true);
}

void layoutFunctionPanels(FrmMain& w) {
    for (int i = 0; i <= 4; ++i) {
        forms::PictureBox& panel = w.pic_CmdMenu(i);
        panel.move(0, 0, kMenuWidth, kMenuHeight);
        panel.setBackColor(kPanelFace);
        panel.setVisible(i == 0);
        forms::Label& title = w.lbl_MenuTitle(i);
        title.move(kPanelPad, 60, kMenuWidth - 2 * kPanelPad, kTitleHeight);
        title.setCaption(kMenuTitles[i]);
        title.setAlignment(2);
        title.setFontBold(true);
    }
    for (int b : kFunctionButtons)
        w.cmd_StartFunction(b).setCaption(designCaption(b));

    // Main menu: the six functions.
    for (int b = 0; b <= 5; ++b)
        fullRow(w, b, b);

    // Sensitivity: run, averaging, next, to linearity, the four step
    // buttons in one row, back to the main menu.
    conditionRow(w, 11, 0, 0);
    conditionRow(w, 12, 1, 1);
    fullRow(w, 13, 2);
    fullRow(w, 19, 3);
    const Twips stepWidth = (kMenuWidth - 2 * kPanelPad - 3 * 60) / 4;
    for (int k = 0; k < 4; ++k)
        w.cmd_StartFunction(15 + k).move(kPanelPad + k * (stepWidth + 60), rowTop(4), stepWidth,
                                         kButtonHeight);
    fullRow(w, 14, 5);

    // Linearity: run, peak hold, finish, reset, next, save, to sensitivity,
    // back to the main menu.
    conditionRow(w, 21, 2, 0);
    conditionRow(w, 22, 3, 1);
    fullRow(w, 25, 2);
    fullRow(w, 26, 3);
    fullRow(w, 23, 4);
    fullRow(w, 27, 5);
    fullRow(w, 28, 6);
    fullRow(w, 24, 7);

    // Input monitor: run, calibration and back side by side; the options
    // below them.
    conditionRow(w, 31, 4, 0);
    const Twips halfWidth = (kMenuWidth - 2 * kPanelPad - 60) / 2;
    w.cmd_StartFunction(33).move(kPanelPad, rowTop(1), halfWidth, kButtonHeight);
    w.cmd_StartFunction(32).move(kPanelPad + halfWidth + 60, rowTop(1), halfWidth, kButtonHeight);

    // Data file.
    fullRow(w, 41, 0);
    fullRow(w, 42, 1);
    fullRow(w, 44, 2);
    fullRow(w, 43, 3);

    const char* conditions[] = {"STOP", "OFF", "STOP", "OFF", "STOP"};
    for (int i = 0; i <= 4; ++i)
        w.lbl_FuncCondition(i).setCaption(conditions[i]);

    // The idle state of the panels: "Next" only with a work list in use, the
    // toggles only while their run is active.
    for (int b : {13, 23})
        w.cmd_StartFunction(b).setVisible(false);
    for (int b : {12, 22, 25, 26})
        w.cmd_StartFunction(b).setEnabled(false);
}

void layoutSelections(FrmMain& w) {
    const Twips titleLeft = 120, titleWidth = 1230;
    const Twips listLeft = 1410, listWidth = 2700;
    const Twips rightTitleLeft = 4230, rightTitleWidth = 1200;
    const Twips rightListLeft = 5460, rightListWidth = kSelectionWidth - 120 - 5460;
    const Twips row1 = 90, row2 = 510;
    const Twips titleDrop = (kComboHeight - kTextHeight) / 2;

    w.lbl_ItemTitle(0).move(titleLeft, row1 + titleDrop, titleWidth, kTextHeight);
    w.cmb_ModelNameList.move(listLeft, row1, listWidth, kComboHeight);
    w.lbl_ItemTitle(1).move(rightTitleLeft, row1 + titleDrop, rightTitleWidth, kTextHeight);
    w.cmb_MasterTapeList.move(rightListLeft, row1, rightListWidth, kComboHeight);

    w.lbl_ItemTitle(3).move(titleLeft, row2 + titleDrop, titleWidth, kTextHeight);
    w.cmb_VTRmode_List.move(listLeft, row2, listWidth, kComboHeight);
    w.frm_PAL_NTSC.move(rightTitleLeft, row2 - 60, kSelectionWidth - 120 - rightTitleLeft, 600);
    w.frm_PAL_NTSC.setCaption("PAL / NTSC");
    w.opt_PAL_NTSC(0).move(240, 240, 1200, 270);
    w.opt_PAL_NTSC(0).setCaption("PAL");
    w.opt_PAL_NTSC(1).move(1560, 240, 1200, 270);
    w.opt_PAL_NTSC(1).setCaption("NTSC");
}

void layoutInfoPanels(FrmMain& w) {
    for (int i = 0; i <= 2; ++i) {
        w.pic_Info(i).move(0, 0, kInfoWidth, kBandHeight);
        w.pic_Info(i).setVisible(i == 0);
    }
    const Twips colA = 60, colB = 3720, titleWidth = 1170, valueWidth = 2400;
    const auto row = [](int r) { return 60 + r * 270; };
    const auto pair = [&](int title, forms::Label& value, Twips col, int r) {
        w.lbl_ItemTitle(title).move(col, row(r), titleWidth, kTextHeight);
        value.move(col + titleWidth + 30, row(r), valueWidth, kTextHeight);
    };
    // Model and master tape, serial number and comment.
    pair(2, w.lbl_Info(2), colA, 0);
    pair(4, w.lbl_Info(4), colA, 1);
    pair(5, w.lbl_MsrInfo(0), colB, 0);
    pair(6, w.lbl_MsrInfo(1), colB, 1);
    for (int i = 0; i <= 1; ++i)
        w.lbl_MsrInfo(i).setBackColor(0xFFFFFF);
    // The A/D board, the finish notice; the option summary (two lines).
    w.lbl_Info(5).move(colA, row(2), colB - colA - 90, kTextHeight);
    w.lbl_Info(6).move(colA, row(3), colB - colA - 90, kTextHeight);
    w.lbl_Info(6).setCaption("Finish !!");
    w.lbl_Info(6).setFontBold(true);
    w.lbl_Info(6).setForeColor(0x0000FF);
    w.lbl_Info(6).setVisible(false);
    w.lbl_Info(3).move(colB, row(2), kInfoWidth - colB - 60, 2 * kTextHeight);

    // Progress panel: what runs and how far.
    w.lbl_Info(0).move(colA, row(0), kInfoWidth - 120, kTextHeight);
    w.lbl_Info(1).move(colA, row(1), kInfoWidth - 120, kTextHeight);
    w.lbl_Info(0).setFontBold(true);
}

void layoutWorkList(FrmMain& w) {
    const Twips inner = kWorkListWidth - 120;
    w.pic_WorkList.move(kMenuWidth, 0, kWorkListWidth, kMenuHeight);
    w.lbl_TtlWorkList.move(60, 60, inner, kTextHeight);
    w.lbl_TtlWorkList.setCaption("Work List");
    w.lbl_TtlWorkList.setFontBold(true);
    w.lst_WorkList.move(60, 360, inner, 2880);
    // Model, control and cable of the list, then the connections of the
    // picked item: two lines each.
    for (int i = 3; i <= 5; ++i)
        w.lbl_WorkList(i).move(60, 3330 + (i - 3) * 540, inner, 480);
    for (int i = 0; i <= 2; ++i)
        w.lbl_WorkList(i).move(60, 5040 + i * 540, inner, 480);
}

void layoutCtrlPanel(FrmMain& w) {
    w.pic_CtrlPanel.move(0, 0, kMenuWidth, kCtrlPanelHeight);
    w.pic_CtrlPanel.setBackColor(kPanelFace);
    const char* captions[] = {"PLAY", "STOP", "OFF", "REW", "EJECT", "*"};
    const Twips width = (kMenuWidth - 2 * 60 - 2 * 60) / 3;
    for (int i = 0; i <= 5; ++i) {
        forms::CommandButton& b = w.cmd_Ctrl(i);
        b.move(60 + (i % 3) * (width + 60), 60 + (i / 3) * 465, width, 405);
        b.setCaption(captions[i]);
    }
    w.cmd_Ctrl(5).setToolTip("Drive: Adj. Mode");
    w.cmd_Ctrl_Macro.move(60, 1005, kMenuWidth - 120, 405);
    w.cmd_Ctrl_Macro.setCaption("Unload/PLAY");
    w.lbl_SendCommand.move(60, 1500, kMenuWidth - 120, kTextHeight);
    w.lbl_RcvCommand.move(60, 1785, kMenuWidth - 120, kTextHeight);
    for (int i = 0; i <= 5; ++i) {
        w.chk_AutoFileName(i).move(60, 60, 1200, kTextHeight);
        w.chk_AutoFileName(i).setVisible(false);
    }
}

// Controls that hold a setting or a diagnostic text: not shown in the
// window (the options and version dialogs and the advanced panels show what
// they hold).
void layoutHolders(FrmMain& w) {
    const auto hide = [](forms::Control& c, Twips width, Twips height) {
        c.move(120, 90, width, height);
        c.setVisible(false);
    };
    hide(w.Text1, 900, kComboHeight);
    hide(w.Text2, 900, kComboHeight);
    hide(w.Text3, 900, kComboHeight);
    hide(w.lbl_Language, 1200, kTextHeight);
    hide(w.lbl_FontName, 1200, kTextHeight);
    hide(w.lbl_FontSize, 600, kTextHeight);
    hide(w.chk_Dsp_WorkList, 1200, kTextHeight);
    hide(w.chk_Dsp_CtrlPanel, 1200, kTextHeight);
    hide(w.lbl_Name_AD_DeviceType, 2400, kTextHeight);
    hide(w.lbl_n_AD_Channel, 600, kTextHeight);
    hide(w.lbl_ProgBar, 100, 120);
    // The work list and the remote-control panel show as their switches say
    // (both off until the settings set them).
    w.pic_WorkList.setVisible(w.chk_Dsp_WorkList.value() != 0);
    w.pic_CtrlPanel.setVisible(w.chk_Dsp_CtrlPanel.value() != 0);
    // The in-place editor shows only while a label is edited.
    hide(w.txt_Input, 2400, kTextHeight);
}

// Every control's design geometry and font scaled by k (the frames and
// pages are sized from the window afterwards). Value panels keep their
// printed titles in design units.
void scaleDesign(FrmMain& w, double k) {
    if (k >= 1.0) return;
    const auto scaled = [k](Twips v) { return static_cast<Twips>(toInt32(v * k)); };
    for (const auto& c : w.controls()) {
        switch (c->kind()) {
            case forms::ControlKind::Timer:
            case forms::ControlKind::MenuItem:
                continue;
            default:
                break;
        }
        if (c->name() == "pic_Frame" || c->name() == "pic_Page") continue;
        if (auto* pic = dynamic_cast<forms::PictureBox*>(c.get());
            pic && pic->userScale().width > 0 && pic->displayList().size() > 1)
            pic->scale(0, 0, pic->width(), pic->height());
        // Edges scale, not lengths: controls that touch keep touching.
        const Twips left = scaled(c->left()), top = scaled(c->top());
        c->move(left, top, scaled(c->left() + c->width()) - left, scaled(c->top() + c->height()) - top);
        // Small type is hinted wider than its size: a tenth less keeps the
        // captions inside their scaled boxes.
        c->setFont(c->fontName(), c->fontSize() * k * 0.9);
    }
    w.pic_Frame(0).move(scaled(w.pic_Frame(0).left()), 0, scaled(w.pic_Frame(0).width()),
                        scaled(w.pic_Frame(0).height()));
}

constexpr const char* kItemTitles[] = {
    "Model Name :", "Master Tape :", "Model :", "Mode :", "Master Tape :", "Serial/ID :", "Comment :"};

}  // namespace

double Design_Scale(const forms::Screen& screen) {
    // The window takes 98 % of the screen; its client area must hold the
    // band's width and, below the band, a function panel over the remote
    // control panel.
    const double clientWidth = screenShare(screen.width) - 120.0;
    const double clientHeight = screenShare(screen.height) - 990.0;
    const double needWidth = kSelectionWidth + kInfoWidth;
    const double needHeight = kBandHeight + kMenuHeight + kCtrlPanelHeight;
    return std::clamp(std::min(clientWidth / needWidth, clientHeight / needHeight), 0.25, 1.0);
}

void Layout_MainWindow(FrmMain& w) {
    const forms::Screen& screen = w.app().screen();
    const Twips width = screenShare(screen.width);
    const Twips height = screenShare(screen.height);
    w.move((screen.width - width) / 5, (screen.height - height) / 5, width, height);
    w.setCaption("MORVA");

    for (int i = 0; i <= 6; ++i)
        w.lbl_ItemTitle(i).setCaption(kItemTitles[i]);
    layoutSelections(w);
    layoutInfoPanels(w);
    layoutFunctionPanels(w);
    layoutWorkList(w);
    layoutCtrlPanel(w);
    layoutHolders(w);
    Design_GraphPages(w);
    Design_MonitorOptions(w);
    Design_DataFileInfo(w);
    Design_AdvancedPanels(w);
    w.pic_Border.setBackColor(kSplitterIdle);
    w.pic_Border.move(0, 0, kSplitterWidth, 1000);
    w.pic_Border.borderStyle = 0;
    w.pic_Frame(0).move(kSelectionWidth, 0, kInfoWidth, kBandHeight);
    for (int i = 0; i <= 2; ++i)
        w.pic_Frame(i).borderStyle = 0;
    scaleDesign(w, Design_Scale(screen));

    const Twips menuFrame = w.pic_WorkList.width() + w.pic_CmdMenu(0).width() + kMenuFrameMargin;
    w.pic_Frame(2).setWidth(menuFrame);
    w.pic_Frame(1).setWidth(std::max<Twips>(0, width - menuFrame - w.pic_Border.width() - 340));
    Dock_Frames(w);

    const forms::PictureBox& graphs = w.pic_Frame(1);
    for (int i = 0; i <= 3; ++i) {
        w.pic_Page(i).move(0, 0, graphs.width(), graphs.height());
        w.pic_Page(i).setVisible(i == 0);
    }
    w.pic_CtrlPanel.setTop(std::max<Twips>(0, w.pic_Frame(2).height() - w.pic_CtrlPanel.height()));
}

void Dock_Frames(FrmMain& w) {
    const Twips clientWidth = w.scaleWidth();
    const Twips band = w.pic_Frame(0).height();
    const Twips selections = w.pic_Frame(0).left();
    const Twips below = std::max<Twips>(0, w.scaleHeight() - band);
    w.pic_Frame(0).move(selections, 0, std::max<Twips>(0, clientWidth - selections), band);
    forms::PictureBox& graphs = w.pic_Frame(1);
    graphs.move(0, band, graphs.width(), below);
    w.pic_Border.move(graphs.width(), band, w.pic_Border.width(), below);
    forms::PictureBox& menus = w.pic_Frame(2);
    menus.move(graphs.width() + w.pic_Border.width(), band, menus.width(), below);
}

Twips Menu_FrameWidth(const FrmMain& w) {
    return static_cast<Twips>(w.st.settings.Dsp_WorkList != 0 ? w.pic_WorkList.width() : 0) +
           w.pic_CmdMenu(0).width() + (w.st.settings.AdvMode != 0 ? w.pic_AdvMode(0).width() : 0) +
           kMenuFrameMargin;
}

void Place_Frames(FrmMain& w) {
    forms::PictureBox& graphs = w.pic_Frame(1);
    forms::PictureBox& menus = w.pic_Frame(2);
    const Twips rest = std::max<Twips>(0, w.scaleWidth() - w.pic_Border.width());
    const Twips widest = std::max<Twips>(0, rest - (w.pic_CmdMenu(0).width() + kMenuFrameMargin));
    const Twips graphWidth = std::min(graphs.width(), widest);
    if (graphs.width() != graphWidth) graphs.setWidth(graphWidth);
    if (menus.width() != rest - graphWidth) menus.setWidth(rest - graphWidth);
    Dock_Frames(w);
}

void Fit_Frames(FrmMain& w) {
    forms::PictureBox& graphs = w.pic_Frame(1);
    forms::PictureBox& menus = w.pic_Frame(2);
    const Twips rest = std::max<Twips>(0, w.scaleWidth() - w.pic_Border.width());
    const Twips menuWidth =
        std::min(rest, std::max(menus.width(), w.pic_CmdMenu(0).width() + kMenuFrameMargin));
    if (menus.width() != menuWidth) menus.setWidth(menuWidth);
    if (graphs.width() != rest - menuWidth) graphs.setWidth(rest - menuWidth);
    Dock_Frames(w);
}

}  // namespace morva
