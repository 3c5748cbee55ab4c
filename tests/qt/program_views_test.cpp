// The main window as the program builds it, drawn by Qt offscreen with
// waveforms the simulated board delivered, saved under the build folder's
// "screenshots" for a person to judge: the empty window at 1024 x 768, the
// sensitivity page with four slots, the linearity page with one channel
// and with two (multi-line), peak hold on. The machine checks what it can:
// every head colour and the limit curves reach the screen, no graph
// paints outside its own box, and the judged value panels (English and
// Japanese at 1024 x 768) show their verdict colours.

#include <gtest/gtest.h>

#include <unistd.h>
#include <QGuiApplication>
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/build_main_window.h"
#include "core/numbers.h"
#include "demo_window_fixture.h"
#include "files/text_file.h"
#include "measure/graphs.h"
#include "measure/lin_assembly.h"
#include "measure/lin_average.h"
#include "measure/sens_assembly.h"
#include "measure/sens_average.h"
#include "measure/sens_waveform.h"
#include "qt/metrics.h"
#include "qt/picture_widget.h"
#include "view/limit_verdict.h"
#include "window/frm_main.h"

namespace {

namespace fs = std::filesystem;
using morva::FrmMain;
using morva::MainState;

int pixelsOf(const QImage& image, QRgb color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == color) ++n;
    return n;
}

QRgb rgbOf(int bgr) {
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

struct ProgramViews : DemoWindowTest {
    void SetUp() override {
        DemoWindowTest::SetUp();
        // The board completes each acquisition at once (no cylinder wait).
        std::ifstream in(folder / "daqsim.dat");
        std::string config((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::string realtime = "Timing = realtime";
        config.replace(config.find(realtime), realtime.size(), "Timing = instant");
        std::ofstream(folder / "daqsim.dat") << config;
    }
    FrmMain& start(int pxWidth, int pxHeight) {
        // Pixels of the screen at its logical DPI (QT_FONT_DPI=192 gives the
        // high-DPI pictures, saved under names of their own).
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double ratio = screen ? screen->devicePixelRatio() : 1.0;
        const double twipsPerPixel = 1440.0 / (qtview::Metrics::of(nullptr).dpiX * ratio);
        app.screen().width = static_cast<forms::Twips>(pxWidth * twipsPerPixel);
        app.screen().height = static_cast<forms::Twips>(pxHeight * twipsPerPixel);
        w = morva::Build_MainWindow(app, folder.string());
        w->load();
        w->show();
        settle();
        EXPECT_TRUE(dialogs.shown().empty());
        return *w;
    }

    void showPanels(int page, int menu) {
        for (int i = 0; i <= 3; ++i)
            w->pic_Page(i).setVisible(i == page);
        for (int i = 0; i <= 4; ++i)
            w->pic_CmdMenu(i).setVisible(i == menu);
    }

    // Acquisitions and computation as the sensitivity run does them.
    void measureSensitivity(int passes) {
        MainState& st = w->st;
        st.daq.AD_SamplingRate = st.model.AD_SplRate_Sens;
        st.daq.n_AD_Sample = st.model.nADdata_Sens;
        st.settings.n_AD_Channel = static_cast<int16_t>(st.model.n_AD_channel_Sens);
        st.msr.n_Msr_channel_Sens = st.model.n_AD_channel_Sens;
        st.msr.nLoop_MsrSens = passes;
        for (int pass = 1; pass <= passes; ++pass) {
            w->proc.Run_DaqAcquisition();
            ASSERT_EQ(st.daq.DaqBusy, 0);
            morva::Assemble_SensWaveform(st);
            const int computed = morva::SensSlotCount(st.msr.nType_SensWF, st.settings.n_AD_Channel);
            for (int slot = 0; slot < computed; ++slot)
                morva::Calc_SensWaveform(st, slot, pass);
            morva::Calc_SensValue_Loop(st, pass);
        }
        morva::Calc_SensValue_Final(st);
        for (int i = 0; i <= 1; ++i)
            w->lbl_SensVal(i).setCaption(morva::formatFixed(st.sens.SensVal[i], 1));
    }

    // The linearity run's buffer fill and a few peak-hold passes.
    void measureLinearity(int channels) {
        MainState& st = w->st;
        st.model.n_AD_channel_Lin = channels;
        st.settings.n_AD_Channel = static_cast<int16_t>(channels);
        st.msr.n_Msr_channel_Lin = channels;
        st.daq.AD_SamplingRate = st.model.AD_SplRate_Lin;
        st.daq.n_AD_Sample = st.model.nADdata_Lin;
        const int ring = morva::LinRingSize(st.msr.nLoop_LinRealTime);
        morva::Clear_Lin(st);
        for (int s = 1; s <= ring; ++s) {
            w->proc.Run_DaqAcquisition();
            morva::Assemble_LinWaveform(st);
            morva::Fill_LinBuffer(st, s);
        }
        for (int c = 0; c < channels; ++c)
            morva::Calc_LinOffsetAvg(st, c, true);
        st.flags.flg_PeakHold = 1;
        for (int pass = 0; pass < 2 * ring; ++pass) {
            w->proc.Run_DaqAcquisition();
            morva::Assemble_LinWaveform(st);
            morva::MovAvg_LinWaveform(st, pass % ring + 1);
        }
        for (int c = 0; c < channels; ++c) {
            w->lbl_LinVal(c).setCaption(morva::LinValueText(st.lin.LinVal[c]));
            w->lbl_WavVal(c).setCaption(morva::LinValueText(st.lin.WavVal[c]));
        }
    }

    QImage save(const std::string& name) {
        settle();
        QImage shot = view->windowOf(*w)->grab().toImage();
        std::error_code ec;
        fs::create_directories(screenshotFolder(), ec);
        const int dpi = static_cast<int>(qtview::Metrics::of(nullptr).dpiX * shot.devicePixelRatio() + 0.5);
        const std::string suffix = dpi == 96 ? "" : "_" + std::to_string(dpi) + "dpi";
        const fs::path file = screenshotFolder() / (name.substr(0, name.size() - 4) + suffix + ".png");
        EXPECT_TRUE(shot.save(QString::fromStdString(file.string()))) << file;
        return shot;
    }

    QImage graphImage(forms::PictureBox& g) {
        return view->widgetOf(g)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(ProgramViews, TheEmptyMainWindowAt1024x768) {
    FrmMain& win = start(1024, 768);
    const QImage shot = save("main_window_1024x768.png");
    EXPECT_LE(shot.width(), 1024);
    EXPECT_LE(shot.height(), 768);
    // Every visible widget lies inside the window.
    QWidget* central = view->windowOf(win)->centralWidget();
    ASSERT_NE(central, nullptr);
    for (const auto& c : win.controls()) {
        QWidget* widget = view->widgetOf(*c);
        if (!widget || !c->effectivelyVisible() || c->kind() == forms::ControlKind::MenuItem) continue;
        const QRect r(widget->mapTo(central, QPoint(0, 0)), widget->size());
        EXPECT_TRUE(central->rect().contains(r)) << c->displayName();
    }
}

TEST_F(ProgramViews, SensitivityPageWithFourSlotsFromTheSimulatedBoard) {
    FrmMain& win = start(1600, 1000);
    measureSensitivity(3);
    ASSERT_EQ(win.st.msr.nType_SensWF * win.st.msr.n_Msr_channel_Sens, 4);
    showPanels(1, 1);
    win.proc.Set_View();
    win.proc.Draw_SensGrid();
    win.proc.Draw_SensWF();
    save("sensitivity_page.png");
    const QImage graph = graphImage(win.pic_Graph_Sens);
    for (int slot = 0; slot < 4; ++slot)
        EXPECT_GT(pixelsOf(graph, rgbOf(win.st.Color_Head[slot])), 100) << slot;
    EXPECT_GT(pixelsOf(graph, rgbOf(morva::kGridColor)), 500);
    EXPECT_TRUE(win.pic_SensVal(1).visible());
}

TEST_F(ProgramViews, LinearityPageOneAndTwoChannelsWithPeakHold) {
    FrmMain& win = start(1600, 1000);
    measureSensitivity(2);
    measureLinearity(1);
    showPanels(2, 2);
    win.proc.Set_View();
    win.proc.Draw_LinGrid();
    win.proc.Draw_LinWF();
    save("linearity_page_1ch.png");
    QImage graph = graphImage(win.pic_Graph_Lin(0));
    EXPECT_GT(pixelsOf(graph, rgbOf(morva::kLinAvgColor)), 200);
    EXPECT_GT(pixelsOf(graph, rgbOf(morva::kEnvelopeColor)), 200);
    EXPECT_GT(pixelsOf(graph, rgbOf(morva::kLimitColor)), 200);
    EXPECT_TRUE(win.pic_WavVal(0).visible());

    win.st.flg_Dsp_LinWF_MultiLine = 1;
    win.chk_Dsp_LinWF_MultiLine.setValue(1);
    measureLinearity(2);
    win.proc.Set_View();
    win.proc.Draw_LinGrid();
    win.proc.Draw_LinWF();
    save("linearity_page_2ch.png");
    for (int c = 0; c <= 1; ++c) {
        EXPECT_TRUE(win.pic_WavVal(c).visible()) << c;
        graph = graphImage(win.pic_Graph_Lin(c));
        EXPECT_GT(pixelsOf(graph, rgbOf(morva::kLinAvgColor)), 150) << c;
        const QImage multi = graphImage(win.pic_Graph_Lin_mlt(c));
        EXPECT_GT(pixelsOf(multi, rgbOf(win.st.Color_Head[2])), 150) << c;
        EXPECT_GT(pixelsOf(multi, rgbOf(win.st.Color_Head[3])), 150) << c;
    }
    // Nothing of a waveform spills onto the page around the graphs.
    const QImage page =
        view->widgetOf(win.pic_Page(2))->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect logical = view->widgetOf(win.pic_Graph_Lin(0))->geometry();
    const double dpr = page.devicePixelRatio();
    const QRect inside(
        QPoint(static_cast<int>(logical.left() * dpr), static_cast<int>(logical.top() * dpr)),
        QSize(static_cast<int>(logical.width() * dpr), static_cast<int>(logical.height() * dpr)));
    int outside = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (!inside.contains(x, y) && page.pixel(x, y) == rgbOf(morva::kLinAvgColor)) ++outside;
    EXPECT_LE(outside, pixelsOf(graphImage(win.pic_Graph_Lin(1)), rgbOf(morva::kLinAvgColor)));
}

// The File menu's graph export in the real window: the linearity graph at
// the window's resolution and at twice it, drawn with lines of twice the
// width rather than enlarged; the sensitivity page's two graphs in one
// image, placed as on the screen.
TEST_F(ProgramViews, GraphExportAtTheWindowsResolutionAndTwiceIt) {
    FrmMain& win = start(1600, 1000);
    measureSensitivity(2);
    measureLinearity(1);
    const std::string data = morva::withTrailingSeparator(win.st.settings.Path_DataFile);
    const auto exportPage = [&](int page, int item, const std::string& name) {
        showPanels(page, page);
        win.proc.Set_View();
        page == 1 ? win.proc.Draw_SensWF() : win.proc.Draw_LinWF();
        win.mnu_File.userClick();
        settle();
        dialogs.type(name);
        win.mnu_FileItem(item).userClick();
        settle();
        EXPECT_EQ(dialogs.shown().back().prompt, "Written: [" + data + name + "]");
        return QImage(QString::fromStdString(data + name)).convertToFormat(QImage::Format_RGB32);
    };
    const QImage one = exportPage(2, 4, "lin_1x.png");
    const QImage two = exportPage(2, 5, "lin_2x.png");
    const QSize onScreen = view->widgetOf(win.pic_Graph_Lin(0))->size();
    EXPECT_EQ(one.size(), onScreen);
    EXPECT_EQ(two.size(), onScreen * 2);
    // Twice as long and twice as wide: about four times the pixels (a thin
    // 1-pixel line drawn at 2x gives only twice).
    const int avgOne = pixelsOf(one, rgbOf(morva::kLinAvgColor));
    EXPECT_GT(avgOne, 200);
    EXPECT_GT(pixelsOf(two, rgbOf(morva::kLinAvgColor)), 3 * avgOne);
    fs::create_directories(screenshotFolder());
    EXPECT_TRUE(
        two.save(QString::fromStdString((screenshotFolder() / "graph_export_linearity_2x.png").string())));

    const QImage sens = exportPage(1, 4, "sens.png");
    const QRect graphs = view->widgetOf(win.pic_Graph_Sens)
                             ->geometry()
                             .united(view->widgetOf(win.pic_Graph_SensDiv)->geometry());
    EXPECT_EQ(sens.size(), graphs.size());
    for (int slot = 0; slot < 4; ++slot)
        EXPECT_GT(pixelsOf(sens, rgbOf(win.st.Color_Head[slot])), 100) << slot;
}

// The value panels judged against the model's limits at 1024 x 768 in both
// languages: the sensitivity within 40 +- 5 in English and outside 45 +- 2
// in Japanese (the board's slope is 40); linearity and waving against 2.0
// and 1.2 on two channels. The verdict colour reaches the screen.
TEST_F(ProgramViews, ValuePanelsColouredAgainstTheLimitsInBothLanguages) {
    for (const std::string language : {"English", "Japanese"}) {
        const bool english = language == "English";
        FrmMain& win = start(1024, 768);
        win.lbl_Language.setCaption(language);
        win.st.model.Spec_Sens_Centre = english ? 40.0f : 45.0f;
        win.st.model.Spec_Sens_Tol = english ? 5.0f : 2.0f;
        win.st.model.Spec_Lin = 2.0f;
        win.st.model.Spec_Wav = 1.2f;
        measureSensitivity(3);
        showPanels(1, 1);
        win.proc.Set_View();
        win.proc.Draw_SensWF();
        win.proc.Show_LimitVerdict(morva::kLimitSens);
        save("limits_sensitivity_" + language + ".png");
        const QImage box =
            view->widgetOf(win.lbl_SensVal(1))->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto verdict = english ? morva::kWithinLimitColor : morva::kOutsideLimitColor;
        EXPECT_GT(pixelsOf(box, rgbOf(static_cast<int>(verdict))), box.width() * box.height() / 3)
            << language;

        win.st.flg_Dsp_LinWF_MultiLine = 1;
        win.chk_Dsp_LinWF_MultiLine.setValue(1);
        measureLinearity(2);
        showPanels(2, 2);
        win.proc.Set_View();
        win.proc.Draw_LinWF();
        win.proc.Show_LimitVerdict(morva::kLimitLin);
        save("limits_linearity_" + language + ".png");
        EXPECT_TRUE(view->widgetOf(win.lbl_WavLimit(1))->isVisible()) << language;
    }
}

}  // namespace
