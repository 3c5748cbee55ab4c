#pragma once
// A form with every kind of control, shown through the view: a frame with
// two option buttons, a third option on the form, a picture box with a
// label on it, a menu with a submenu, and one of each other kind.

#include <QMainWindow>
#include <QWidget>

#include "forms/controls.h"
#include "forms/file_lists.h"
#include "forms/lists.h"
#include "forms/picture.h"
#include "forms/timer.h"
#include "qt_fixture.h"

struct AllControlsTest : QtFormsTest {
    forms::Form form{app, "frmAll"};
    forms::Label& lbl = form.add<forms::Label>("lbl_Info", 1);
    forms::CommandButton& cmd = form.add<forms::CommandButton>("cmd_StartFunction", 12);
    forms::CheckBox& chk = form.add<forms::CheckBox>("chk_Smooth_SensWF", 0);
    forms::Frame& fra = form.add<forms::Frame>("fra_SamplingRate");
    forms::OptionButton& opt0 = form.add<forms::OptionButton>("opt_SamplingRate", 0, &fra);
    forms::OptionButton& opt1 = form.add<forms::OptionButton>("opt_SamplingRate", 1, &fra);
    forms::OptionButton& optOther = form.add<forms::OptionButton>("opt_Mode", 0);
    forms::TextBox& txt = form.add<forms::TextBox>("txt_Input", 0);
    forms::ListBox& lst = form.add<forms::ListBox>("lst_WorkList");
    forms::ComboBox& cmb = form.add<forms::ComboBox>("cmb_ModelNameList");
    forms::PictureBox& pic = form.add<forms::PictureBox>("pic_Graph_Lin", 0);
    forms::Label& picLabel = form.add<forms::Label>("lbl_GraphTitle", 0, &pic);
    forms::MenuItem& mnuFile = form.add<forms::MenuItem>("mnu_File");
    forms::MenuItem& mnuOpen = form.add<forms::MenuItem>("mnu_FileItem", 0, &mnuFile);
    forms::MenuItem& mnuSep = form.add<forms::MenuItem>("mnu_FileItem", 1, &mnuFile);
    forms::MenuItem& mnuAdvanced = form.add<forms::MenuItem>("mnu_FileItem", 2, &mnuFile);
    forms::Timer& tmr = form.add<forms::Timer>("timer1");
    forms::DriveList& drv = form.add<forms::DriveList>("Drive1");
    forms::DirList& dir = form.add<forms::DirList>("Dir1");
    forms::FileList& fil = form.add<forms::FileList>("File1");

    AllControlsTest() {
        form.move(600, 600, 9000, 6600);
        form.setCaption("MORVA");
        lbl.move(120, 120, 2400, 300);
        lbl.setCaption("Offline    ");
        cmd.move(120, 480, 1200, 375);
        cmd.setCaption("Start");
        chk.move(120, 960, 2000, 300);
        chk.setCaption("Smooth");
        fra.move(120, 1320, 2400, 1200);
        fra.setCaption("Sampling");
        opt0.move(120, 300, 2000, 300);
        opt0.setCaption("20 kHz");
        opt1.move(120, 720, 2000, 300);
        opt1.setCaption("40 kHz");
        optOther.move(120, 2640, 2000, 300);
        optOther.setCaption("NTSC");
        txt.move(2760, 120, 2400, 315);
        lst.move(2760, 480, 2400, 1200);
        for (const char* item : {"Point 1", "Point 2", "Point 3"})
            lst.addItem(item);
        cmb.move(2760, 1800, 2400, 315);
        for (const char* item : {"VX-1000", "VX-2000"})
            cmb.addItem(item);
        pic.move(5400, 120, 3000, 2250);
        picLabel.move(60, 60, 1200, 240);
        picLabel.setCaption("Lin");
        mnuFile.setCaption("&File");
        mnuOpen.setCaption("&Open...");
        mnuSep.setCaption("-");
        mnuAdvanced.setCaption("&Advanced mode");
        drv.move(2760, 2280, 2400, 315);
        dir.move(2760, 2700, 2400, 900);
        fil.move(2760, 3720, 2400, 900);
    }

    QWidget* widget(forms::Control& c) { return view->widgetOf(c); }
    template <typename W>
    W* widgetAs(forms::Control& c) {
        return qobject_cast<W*>(view->widgetOf(c));
    }
    QMainWindow* window() { return view->windowOf(form); }
};
