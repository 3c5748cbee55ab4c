#include "view/panel_design.h"

#include <string>

#include "view/main_layout.h"
#include "window/frm_main.h"

namespace morva {

namespace {

using forms::Twips;

constexpr Twips kTextHeight = 255;
constexpr forms::Color kPanelFace = 0xC0C0C0;
constexpr forms::Color kWhite = 0xFFFFFF;

// A value panel: its title printed at the top left, the model's limit (shown
// with a verdict) under it, the value label at the right.
void valuePanel(forms::PictureBox& panel, forms::Label& value, forms::Label& limit,
                const std::string& title) {
    panel.move(0, 0, kValuePanelWidth, kValuePanelHeight);
    panel.setBackColor(kPanelFace);
    panel.cls();
    panel.currentX = 90;
    panel.currentY = 45;
    panel.print(title, 0x000000);
    limit.move(90, kValuePanelHeight - 300, kValuePanelWidth - 1080, 255);
    limit.setBackColor(kPanelFace);
    limit.setFont(limit.fontName(), 8);
    limit.setCaption("");
    limit.setVisible(false);
    value.move(kValuePanelWidth - 900, 90, 810, kValuePanelHeight - 180);
    value.setBackColor(kWhite);
    value.setAlignment(1);
    value.setFont(value.fontName(), 12);
    value.setFontBold(true);
    value.setCaption("0.0");
}

void graph(forms::PictureBox& g) {
    g.setBackColor(kGraphBack);
    g.borderStyle = 1;
    g.cls();
}

// A legend label: the head colour on black, like the graph.
void legend(forms::Label& l, Twips width, const std::string& caption) {
    l.move(0, 0, width, 240);
    l.setBackColor(kGraphBack);
    l.setCaption(caption);
}

}  // namespace

void Design_GraphPages(FrmMain& w) {
    for (int i = 0; i <= 3; ++i)
        w.pic_Page(i).borderStyle = 0;

    // Sensitivity page.
    graph(w.pic_Graph_Sens);
    graph(w.pic_Graph_SensDiv);
    for (int i = 0; i <= 1; ++i)
        valuePanel(w.pic_SensVal(i), w.lbl_SensVal(i), w.lbl_SensLimit(i),
                   "Sens " + std::to_string(i + 1) + " [mV/um]");
    for (int i = 0; i <= 3; ++i) {
        legend(w.lbl_Name_SensWF(i), 780, "Sens " + std::to_string(i + 1));
        legend(w.lbl_Name_SensWF(i + 4), 780, "Diff " + std::to_string(i + 1));
    }

    // Linearity page.
    const char* titles[] = {"Lch", "Rch"};
    const char* lines[] = {"L1 Linearity", "L2 Linearity", "R1 Linearity", "R2 Linearity"};
    for (int c = 0; c <= 1; ++c) {
        graph(w.pic_Graph_Lin(c));
        graph(w.pic_Graph_Lin_mlt(c));
        valuePanel(w.pic_LinVal(c), w.lbl_LinVal(c), w.lbl_LinLimit(c), "Linearity [um]");
        valuePanel(w.pic_WavVal(c), w.lbl_WavVal(c), w.lbl_WavLimit(c), "Waving [um]");
        forms::PictureBox& names = w.pic_Name_LinWF(c);
        names.move(0, 0, 3300, kNamePanelHeight);
        names.setBackColor(kGraphBack);
        names.borderStyle = 0;
        names.cls();
        forms::Label& title = w.lbl_Name_LinWF(c);
        title.move(0, 0, 1500, kTextHeight);
        title.setCaption(titles[c]);
        title.setFontBold(true);
        for (int k = 0; k <= 1; ++k) {
            forms::Label& l = w.lbl_Name_LinWF(2 + 2 * c + k);
            legend(l, 1500, lines[2 * c + k]);
            l.move(60 + k * 1620, 30, 1500, 240);
        }
        w.pic_WavVal(c).setVisible(false);
        w.pic_Graph_Lin_mlt(c).setVisible(false);
        names.setVisible(false);
    }
    for (int k = 0; k <= 3; ++k) {
        forms::TextBox& box = w.txt_StartPos_LinWF(k);
        box.move(0, 0, kStartPosWidth, 285);
        box.setToolTip("Start position of line " + std::to_string(k + 1));
    }
    w.chk_Dsp_LinWF_MultiLine.move(0, 0, 1320, kTextHeight);
    w.chk_Dsp_LinWF_MultiLine.setCaption("Multi Line");

    // Input-monitor page.
    graph(w.pic_Graph_Moni);

    // Main page: the two labels that unlock the advanced mode and its switch,
    // small, in the bottom right corner (Set_View places them).
    w.lbl_AdvMode(0).move(0, 0, 240, 240);
    w.lbl_AdvMode(1).move(0, 0, 240, 240);
    w.chk_AdvMode.move(0, 0, 1860, kTextHeight);
    w.chk_AdvMode.setCaption("Advanced Mode");
    w.chk_AdvMode.setVisible(false);

    // The main page's face: the program's name large, its version below,
    // and the usual road through the functions (Set_View centres them).
    const struct {
        Twips height;
        double points;
        bool bold;
        const char* caption;
    } face[] = {{960, 36, true, "MORVA"},
                {420, 14, false, ""},
                {360, 12, false, "Sensitivity → Linearity → Data Save"}};
    for (int i = 0; i <= 2; ++i) {
        forms::Label& l = w.lbl_MainFace(i);
        l.move(0, 0, 6000, face[i].height);
        l.setFont(l.fontName(), face[i].points);
        l.setFontBold(face[i].bold);
        l.setAlignment(2);
        if (*face[i].caption != 0) l.setCaption(face[i].caption);
    }
    w.lbl_MainFace(0).setForeColor(0x404040);
    w.lbl_MainFace(2).setForeColor(0x404040);
}

void Design_MonitorOptions(FrmMain& w) {
    // Below the run, calibration and back buttons: the rates in two columns
    // (the list runs down the first and on down the second), the point
    // ranges in one column, the scale types side by side, then the three
    // values. Each frame spans the panel, so every caption has its room.
    const Twips frameLeft = 60;
    const Twips frameWidth = kMenuWidth - 2 * frameLeft;
    const Twips optionLeft = 60;
    const Twips optionPitch = 240;
    const Twips titleRoom = 240;
    const Twips column = (frameWidth - 2 * optionLeft) / 2;
    const Twips columnWidth = column - 15;
    const Twips fullWidth = frameWidth - 2 * optionLeft;

    const char* rateCaptions[] = {"60 kHz", "50 kHz",   "40 kHz", "25 kHz",   "12.5 kHz",
                                  "8 kHz",  "6.67 kHz", "5 kHz",  "3.33 kHz", "1.67 kHz"};
    Twips top = kMonitorOptionsTop;
    w.frm_SamplingRate.move(frameLeft, top, frameWidth, titleRoom + 5 * optionPitch + 60);
    w.frm_SamplingRate.setCaption("Sampling Rate");
    for (int i = 0; i <= 9; ++i) {
        forms::OptionButton& o = w.opt_SamplingRate(i);
        o.move(optionLeft + (i / 5) * column, titleRoom + (i % 5) * optionPitch, columnWidth, optionPitch);
        o.setCaption(rateCaptions[i]);
    }
    top += w.frm_SamplingRate.height() + 60;

    const char* ranges[] = {"5000 points", "2500 points", "1000 points",
                            "500 points",  "250 points",  "100 points"};
    w.frm_Range.move(frameLeft, top, frameWidth, titleRoom + 6 * optionPitch + 60);
    w.frm_Range.setCaption("Range");
    for (int i = 0; i <= 5; ++i) {
        forms::OptionButton& o = w.opt_Range(i);
        o.move(optionLeft, titleRoom + i * optionPitch, fullWidth, optionPitch);
        o.setCaption(ranges[i]);
    }
    top += w.frm_Range.height() + 60;

    w.frm_ScaleType.move(frameLeft, top, frameWidth, titleRoom + optionPitch + 60);
    w.frm_ScaleType.setCaption("Scale");
    const char* types[] = {"Points", "Time"};
    for (int i = 0; i <= 1; ++i) {
        forms::OptionButton& o = w.opt_ScaleType(i);
        o.move(optionLeft + i * column, titleRoom, columnWidth, optionPitch);
        o.setCaption(types[i]);
    }
    top += w.frm_ScaleType.height() + 60;

    // The defaults: 25 kHz, 500 points, points.
    w.opt_SamplingRate(3).setValue(true);
    w.opt_Range(3).setValue(true);
    w.opt_ScaleType(0).setValue(true);

    const char* titles[] = {"Rate [Hz] :", "Points :", "Time [ms] :"};
    const char* values[] = {"25000", "500", "20"};
    for (int i = 0; i <= 2; ++i) {
        w.lbl_MoniTitle(i).move(90, top + i * 270, 1080, kTextHeight);
        w.lbl_MoniTitle(i).setCaption(titles[i]);
        w.lbl_Moni(i).move(90 + 1110, top + i * 270, kMenuWidth - 2 * 90 - 1110, kTextHeight);
        w.lbl_Moni(i).setCaption(values[i]);
        w.lbl_Moni(i).setBackColor(kWhite);
        w.lbl_Moni(i).setAlignment(1);
    }
}

void Design_DataFileInfo(FrmMain& w) {
    // Two columns of four rows: model (mode), tape mode, master tape, date
    // and time; serial, comment, the file's name.
    const Twips colA = 60, colB = 3720, width = 3600, half = 1770;
    const auto row = [](int r) { return 60 + r * 270; };
    w.lbl_DatInfo(0).move(colA, row(0), width, kTextHeight);
    w.lbl_DatInfo(1).move(colA, row(1), width, kTextHeight);
    w.lbl_DatInfo(3).move(colA, row(2), width, kTextHeight);
    w.lbl_DatInfo(4).move(colA, row(3), half, kTextHeight);
    w.lbl_DatInfo(5).move(colA + half + 60, row(3), width - half - 60, kTextHeight);
    w.lbl_DatInfo(6).move(colB, row(0), width - 60, kTextHeight);
    w.lbl_DatInfo(7).move(colB, row(1), width - 60, kTextHeight);
    w.lbl_DatInfo(2).move(colB, row(2), 1020, kTextHeight);
    w.lbl_DatInfo(2).setCaption("Data File :");
    w.lbl_DatInfo(9).move(colB + 1050, row(2), width - 1110, kTextHeight);
    w.lbl_DatInfo(8).move(colB, row(3), width - 60, kTextHeight);
    w.lbl_DatInfo(0).setFontBold(true);
    for (int i : {6, 7, 9})
        w.lbl_DatInfo(i).setBackColor(kWhite);
}

void Design_AdvancedPanels(FrmMain& w) {
    const Twips pad = 60;
    const Twips inner = kAdvWidth - 2 * pad;
    for (int i = 0; i <= 4; ++i) {
        w.pic_AdvMode(i).setBackColor(kPanelFace);
        w.pic_AdvMode(i).setVisible(false);
    }
    // The service buttons: three and two in a row.
    w.pic_AdvMode(0).move(0, 0, kAdvWidth, kAdvButtonsHeight);
    const Twips button = (inner - 2 * pad) / 3;
    for (int k = 0; k < 5; ++k)
        w.cmd_StartFunction(51 + k).move(pad + (k % 3) * (button + pad), pad + (k / 3) * 435, button, 375);

    // The sensitivity intermediates: their captions, one box per slot, and
    // the final per-slot sensitivities.
    w.pic_AdvMode(1).move(0, 0, kAdvWidth, kAdvSensHeight);
    const Twips box = (inner - 5 * 30) / 6;
    const int order[] = {4, 0, 1, 2, 3, 5};
    for (int k = 0; k < 6; ++k) {
        forms::TextBox& t = w.txt_debug_sens(order[k]);
        t.move(pad + k * (box + 30), pad, box, kAdvSensHeight - 2 * pad);
        t.setMultiLine(true);
        t.setLocked(true);
        t.setScrollBars(forms::TextBox::ScrollBars::None);  // eight lines, all in view
        t.setFont(t.fontName(), 8);
    }
    w.txt_debug_sens(4).setText("ramda\r\nnZerX\r\nP_max\r\nP_min\r\nC_val\r\nTh_Lvl\r\nSval_P\r\nSval_N");

    // The linearity adjustment: offset up and down, windows left and right,
    // refresh; the fixed-offset switch.
    w.pic_AdvMode(2).move(0, 0, kAdvWidth, kAdvLinHeight);
    const char* captions[] = {"Ofs +", "Ofs -", "<", ">", "Pos"};
    const Twips small = (inner - 4 * 30) / 5;
    for (int k = 0; k <= 4; ++k) {
        w.cmd_Pos_LinWF(k).move(pad + k * (small + 30), pad, small, 375);
        w.cmd_Pos_LinWF(k).setCaption(captions[k]);
    }
    w.chk_LinOfsFix.move(pad, pad + 375 + 60, inner, kTextHeight);
    w.chk_LinOfsFix.setCaption("Fixed Offset");

    // The parameter list (height by Set_View) and the version list.
    w.pic_AdvMode(3).move(0, 0, kAdvWidth, 1200);
    w.txt_debug.move(pad, pad, inner, 1200 - 2 * pad);
    w.txt_debug.setMultiLine(true);
    w.txt_debug.setLocked(true);
    w.pic_AdvMode(4).move(0, 0, kAdvWidth, kAdvVersionHeight);
    w.lst_Version.move(pad, pad, inner, kAdvVersionHeight - 2 * pad);
}

}  // namespace morva
