// What a person reads in the program's windows, measured on the real
// widgets (caption_check.h): on every page of the main window (main,
// sensitivity, linearity with one and two channels, input monitor, data
// file, advanced mode) and in every dialog (data save and load, the
// master-tape editor with its entry panel, the options, the version, the
// folder chooser), in English and Japanese, on a small and a large screen,
// the model's limits in the value panels included. The dialogs are saved
// as dialog_<name>_<en|ja>.png for a person to look at. A disabled
// control's caption stays readable on the grey face.

#include <gtest/gtest.h>

#include <unistd.h>
#include <QFileSystemModel>
#include <QImage>
#include <QMainWindow>
#include <QPushButton>
#include <QTreeView>
#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>

#include "app/build_main_window.h"
#include "caption_check.h"
#include "demo_window_fixture.h"
#include "files/data_file.h"
#include "files/find_path_exchange.h"
#include "files/frm_data_load.h"
#include "files/frm_data_save.h"
#include "files/frm_find_path.h"
#include "files/frm_master_tape.h"
#include "files/frm_option.h"
#include "files/frm_version.h"
#include "forms/controls.h"
#include "qt/dir_tree_widget.h"
#include "qt/metrics.h"
#include "window/frm_main.h"

namespace {

namespace fs = std::filesystem;
using morva::FrmMain;

struct ScreenCase {
    int width, height;
    const char* language;
};

void PrintTo(const ScreenCase& c, std::ostream* os) {
    *os << c.width << "x" << c.height << " " << c.language;
}

struct CaptionFit : DemoWindowTest, ::testing::WithParamInterface<ScreenCase> {
    FrmMain& start(int pxWidth, int pxHeight, const std::string& language) {
        const double twipsPerPixel = 1440.0 / qtview::Metrics::of(nullptr).dpiX;
        app.screen().width = static_cast<forms::Twips>(pxWidth * twipsPerPixel);
        app.screen().height = static_cast<forms::Twips>(pxHeight * twipsPerPixel);
        w = morva::Build_MainWindow(app, folder.string());
        w->load();
        w->show();
        w->lbl_Language.setCaption(language);
        settle();
        return *w;
    }

    // One page and one function panel, as the sequencer shows them, laid
    // out again.
    void showPanels(int page, int menu) {
        for (int i = 0; i <= 3; ++i)
            w->pic_Page(i).setVisible(i == page);
        for (int i = 0; i <= 4; ++i)
            w->pic_CmdMenu(i).setVisible(i == menu);
        w->proc.Set_View();
        settle();
    }

    // Saves the dialog as it stands; a folder tree is given a second to
    // read its folders and show the current one first (it is drawn as it
    // stands after that: the picture is for the layout).
    void shoot(forms::Form& dialog, const std::string& name, forms::DirList* folders = nullptr) {
        if (auto* tree = folders ? dynamic_cast<qtview::DirTreeWidget*>(view->widgetOf(*folders)) : nullptr) {
            const QString path = QString::fromStdString(folders->path());
            waitUntil(
                [&] {
                    const QModelIndex at = tree->tree()->currentIndex();
                    return at.isValid() && tree->model()->filePath(at) == path &&
                           tree->tree()->viewport()->rect().intersects(tree->tree()->visualRect(at));
                },
                1000);
            settle();
        }
        const QImage shot = view->windowOf(dialog)->grab().toImage();
        const std::string file = (screenshotFolder() / ("dialog_" + name + ".png")).string();
        EXPECT_TRUE(shot.save(QString::fromStdString(file))) << file;
    }
};

TEST_P(CaptionFit, EveryCaptionFitsOnEveryPage) {
    const auto [width, height, language] = GetParam();
    FrmMain& win = start(width, height, language);
    ASSERT_TRUE(dialogs.shown().empty());
    const auto check = [&](const std::string& state) {
        // The parameter list is a scrolling dump of every parameter.
        EXPECT_EQ(CaptionFaults(*view, win, {&win.txt_debug}), "")
            << state << ", " << language << " " << width << "x" << height;
    };

    showPanels(0, 0);
    ASSERT_TRUE(view->widgetOf(win.lbl_MainFace(0))->isVisible());
    EXPECT_EQ(win.lbl_MainFace(0).caption(), "MORVA");
    EXPECT_EQ(win.lbl_MainFace(1).caption().rfind("Ver. ", 0), 0u);
    EXPECT_LT(win.lbl_MainFace(2).top() + win.lbl_MainFace(2).height(), win.chk_AdvMode.top());
    check("main page");
    showPanels(0, 4);
    check("data-file panel");

    win.st.msr.nType_SensWF = 4;
    win.st.msr.n_Msr_channel_Sens = 1;
    showPanels(1, 1);
    ASSERT_TRUE(view->widgetOf(win.pic_SensVal(1))->isVisible());
    check("sensitivity page, four slots");
    // The longest limits a model row gives in practice, under the titles.
    win.st.model.Spec_Sens_Centre = 100.0f;
    win.st.model.Spec_Sens_Tol = 12.5f;
    win.st.model.Spec_Lin = 10.25f;
    win.st.model.Spec_Wav = 10.25f;
    win.proc.Show_LimitVerdict(morva::kLimitSens);
    settle();
    ASSERT_TRUE(view->widgetOf(win.lbl_SensLimit(1))->isVisible());
    check("sensitivity page with limits");

    win.st.flags.flg_PeakHold = 1;
    for (int channels = 1; channels <= 2; ++channels) {
        win.st.msr.n_Msr_channel_Lin = channels;
        win.st.flg_Dsp_LinWF_MultiLine = static_cast<int16_t>(channels - 1);
        showPanels(2, 2);
        win.proc.Show_LimitVerdict(morva::kLimitLin);
        settle();
        ASSERT_TRUE(view->widgetOf(win.lbl_WavLimit(channels - 1))->isVisible());
        check("linearity page with limits, " + std::to_string(channels) + " channels");
    }
    win.st.flags.flg_PeakHold = 0;

    showPanels(3, 3);
    ASSERT_TRUE(view->widgetOf(win.opt_SamplingRate(4))->isVisible());
    check("input monitor");

    showPanels(0, 0);
    win.lbl_AdvMode(0).userDblClick();
    settle();
    win.chk_AdvMode.setValue(1);
    settle();
    ASSERT_TRUE(view->widgetOf(win.pic_AdvMode(2))->isVisible());
    // The intermediates of a sensitivity pass, as wide as they come (no
    // crossing found counts 10000; levels in mV; slopes in mV/um).
    for (int slot = 0; slot < 4; ++slot)
        win.txt_debug_sens(slot).setText(
            "0.02\r\n10000\r\n148\r\n102\r\n-2100\r\n-2500\r\n-45.3\r\n"
            "-44.8");
    win.txt_debug_sens(5).setText("-45.32\r\n-44.87\r\n-45.32\r\n-44.87");
    settle();
    check("advanced mode");
}

// Each dialog opens over the program's own main window (its language, its
// font, the demo's files) and is checked in the states that show the most:
// a file chosen, the entry panel with its longest prompts, the options in
// the other language as well, the locked and the open entries.
TEST_P(CaptionFit, EveryCaptionFitsInEveryDialog) {
    const auto [width, height, language] = GetParam();
    FrmMain& win = start(width, height, language);
    const bool japanese = std::string(language) == "Japanese";
    const std::string lang = japanese ? "_ja" : "_en";
    const bool shots = width == 1024;  // the dialogs are drawn the same on both screens
    const auto check = [&](forms::Form& dialog, const std::string& state) {
        EXPECT_EQ(CaptionFaults(*view, dialog), "")
            << state << ", " << language << " " << width << "x" << height;
    };

    // A data file of this model in the data folder, for the load dialog.
    win.st.datafile.WallClock = [] { return morva::LocalDateTime{2026, 3, 7, 9, 5, 3}; };
    win.lbl_MsrInfo(0).setCaption("SN1241-B");
    win.lbl_MsrInfo(1).setCaption("After head cleaning, drum 2");
    win.st.DataFileName = "SN1241-B(PAL SP).Morva_450";
    morva::Write_DataFile(win);

    {
        morva::FrmDataSave save(win);
        save.show();
        settle();
        save.chk_Save.setValue(1);
        settle();
        ASSERT_FALSE(save.Txt_Save(2).text().empty());
        EXPECT_EQ(save.Cmd_Save(0).caption(), japanese ? "保存" : "Save");
        check(save, "data save");
        if (shots) shoot(save, "data_save" + lang, &save.Dir_Save);
        save.unload();
    }
    {
        morva::FrmDataLoad load(win);
        load.show();
        settle();
        ASSERT_EQ(load.flst_Load.listCount(), 1);
        load.flst_Load.setListIndex(0);
        settle();
        ASSERT_EQ(load.lbl_FileInfo(5).caption(), "SN1241-B");
        EXPECT_EQ(load.lbl_Load(1).caption(), japanese ? "1 ﾌｧｲﾙ" : "1 files");
        check(load, "data load, a file chosen");
        if (shots) shoot(load, "data_load" + lang, &load.dir_Load);
        load.cmb_Load.setListIndex(1);
        settle();
        check(load, "data load, every model");
        load.unload();
    }
    {
        morva::FrmMasterTape editor(win);
        editor.show();
        settle();
        check(editor, "master-tape list");
        editor.cmd_MasterTape(2).userClick();
        settle();
        check(editor, "entry panel, choosing the type");
        editor.cmb_MasterTape_Type.userSelect(2);  // 11 points
        editor.txt_MasterTape(0).userSetText("MT-DATA-0010");
        editor.txt_MasterTape(0).userKeyDown(forms::key::Return);
        editor.txt_MasterTape(1).userSetText("-12.5");
        editor.txt_MasterTape(1).userKeyDown(forms::key::Return);
        for (int i = 0; i < 11; ++i) {
            editor.txt_MasterTape_Data.userSetText(i % 2 ? "-1.2" : "1.1");
            editor.txt_MasterTape_Data.userKeyDown(forms::key::Return);
        }
        settle();
        ASSERT_EQ(editor.lst_MasterTape_Data(0).listCount(), 11);
        check(editor, "entry panel, check sum wrong");
        if (shots) shoot(editor, "master_tape" + lang);
        editor.txt_MasterTape(1).userSetText("0.6");
        editor.txt_MasterTape(1).userKeyDown(forms::key::Return);
        settle();
        ASSERT_TRUE(editor.cmd_MasterTape(5).enabled());
        check(editor, "entry panel, check sum right");
        editor.unload();
    }
    {
        morva::FindPathExchange exchange;
        morva::FrmOption options(win, exchange);
        options.show();
        settle();
        check(options, "options, locked");
        if (shots) shoot(options, "option" + lang);
        options.unload();
        win.st.flg_OptionEdit = 1;
        morva::FrmOption open(win, exchange);
        open.show();
        settle();
        open.opt_Language_opt(japanese ? 1 : 0).userClick();  // the other language, not stored
        settle();
        ASSERT_EQ(open.fra_Option(0).caption(), japanese ? "Language" : "言語");
        check(open, "options, open, the other language");
        open.unload();

        exchange.FindPath_Path = win.st.settings.Path_DataFile;
        exchange.FindPath_Item = "Path_SpecLine_Lin";
        exchange.FindPath_Pattern = "*.Morva_*";
        morva::FrmFindPath chooser(win, exchange);
        chooser.show();
        settle();
        ASSERT_EQ(chooser.fil_FindPath.listCount(), 1);
        check(chooser, "folder chooser");
        if (shots) shoot(chooser, "find_path" + lang, &chooser.dir_FindPath);
        chooser.unload();
    }
    {
        morva::FrmVersion version(win);
        version.show();
        settle();
        ASSERT_GE(version.list_DatVer.listCount(), 4);
        check(version, "version");
        if (shots) shoot(version, "version" + lang);
        version.unload();
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, CaptionFit,
                         ::testing::Values(ScreenCase{1024, 768, "English"},
                                           ScreenCase{1024, 768, "Japanese"},
                                           ScreenCase{1920, 1080, "English"},
                                           ScreenCase{1920, 1080, "Japanese"}),
                         [](const auto& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height) + "_" + info.param.language;
                         });

// The darkest grey of an image, 0 black to 255 white.
int darkest(const QImage& image) {
    int least = 255;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            least = std::min(least, qGray(rgb.pixel(x, y)));
    return least;
}

// A disabled caption on the grey face is drawn clearly darker than the face
// (the style's own disabled text is nearly the face's grey), yet lighter
// than the enabled caption.
using DisabledCaptions = QtFormsTest;

TEST_F(DisabledCaptions, StayReadableOnTheGreyFace) {
    forms::Form form{app, "frmDisabled"};
    auto& frame = form.add<forms::Frame>("fra_Channel");
    auto& opt = form.add<forms::OptionButton>("opt_Channel", 0, &frame);
    auto& chk = form.add<forms::CheckBox>("chk_Channel", 0, &frame);
    auto& cmd = form.add<forms::CommandButton>("cmd_Channel", 0, &frame);
    form.move(0, 0, 4000, 2400);
    frame.move(60, 60, 3600, 1800);
    frame.setBackColor(0xC0C0C0);
    opt.move(120, 240, 1800, 300);
    chk.move(120, 600, 1800, 300);
    cmd.move(120, 960, 1800, 420);
    for (forms::Control* c : std::initializer_list<forms::Control*>{&opt, &chk, &cmd})
        c->setBackColor(0xC0C0C0);
    opt.setCaption("Channel 1");
    chk.setCaption("Channel 2");
    cmd.setCaption("Measurement");
    form.show();
    settle();
    const auto captionOnly = [&](forms::Control& c) {
        QWidget* widget = view->widgetOf(c);
        const int room = qobject_cast<QPushButton*>(widget) ? 0 : 22;  // past the indicator
        const QImage shot = widget->grab().toImage();
        return shot.copy(room, 3, shot.width() - room - 3, shot.height() - 6);
    };
    for (forms::Control* c : std::initializer_list<forms::Control*>{&opt, &chk, &cmd}) {
        const int enabled = darkest(captionOnly(*c));
        c->setEnabled(false);
        settle();
        const int disabled = darkest(captionOnly(*c));
        EXPECT_LE(disabled, 192 - 64) << c->displayName();
        EXPECT_GT(disabled, enabled) << c->displayName();
    }
}

}  // namespace
