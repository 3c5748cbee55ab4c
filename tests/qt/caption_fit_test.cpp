// What a person reads in the main window, measured on the real widgets: on
// every page (main, sensitivity, linearity with one and two channels, input
// monitor, data file, advanced mode) in English and Japanese, on a small
// and a large screen, every visible caption (labels, buttons, check and
// option buttons, frame titles, the model's limits in the value panels)
// fits its control at the control's font and every visible control lies
// inside the window. A disabled control's caption stays readable on the
// grey face.

#include <gtest/gtest.h>

#include <unistd.h>
#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

#include "app/build_main_window.h"
#include "forms/controls.h"
#include "qt/metrics.h"
#include "qt_fixture.h"
#include "window/frm_main.h"

namespace {

namespace fs = std::filesystem;
using morva::FrmMain;

QString withoutAccessKeys(QString text) {
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

// The room a button's caption has: what the style leaves beside the check
// or option indicator, or inside a push button's frame.
int captionRoom(QAbstractButton& b) {
    QStyleOptionButton opt;
    opt.initFrom(&b);
    opt.text = b.text();
    QStyle::SubElement part = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(&b)) part = QStyle::SE_CheckBoxContents;
    if (qobject_cast<QRadioButton*>(&b)) part = QStyle::SE_RadioButtonContents;
    return b.style()->subElementRect(part, &opt, &b).width();
}

// One line per fault: a caption its control cuts, a control outside the
// window.
std::string captionFaults(qtview::QtFormView& view, FrmMain& w) {
    std::ostringstream out;
    QWidget* client = view.windowOf(w)->centralWidget();
    for (const auto& c : w.controls()) {
        QWidget* widget = view.widgetOf(*c);
        if (!widget || !widget->isVisible()) continue;
        const QRect r(widget->mapTo(client, QPoint(0, 0)), widget->size());
        if (!client->rect().contains(r))
            out << c->displayName() << " lies outside the window (" << r.x() << "," << r.y() << " "
                << r.width() << "x" << r.height() << ")\n";
        const QFontMetrics fm(widget->font());
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (label->text().isEmpty()) continue;
            const QRect room = label->contentsRect();
            const QRect need =
                fm.boundingRect(QRect(0, 0, room.width(), 1 << 20),
                                static_cast<int>(Qt::TextWordWrap | label->alignment()), label->text());
            if (need.width() > room.width() || need.height() > room.height())
                out << c->displayName() << " \"" << label->text().toStdString() << "\" needs " << need.width()
                    << "x" << need.height() << ", has " << room.width() << "x" << room.height() << "\n";
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            QStyleOptionGroupBox opt;
            opt.initFrom(frame);
            opt.text = frame->title();
            opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const int room = frame->style()
                                 ->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxFrame, frame)
                                 .width();
            const int need = fm.horizontalAdvance(withoutAccessKeys(frame->title()));
            if (need > room)
                out << c->displayName() << " \"" << frame->title().toStdString() << "\" needs " << need
                    << ", has " << room << "\n";
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            const QString text = withoutAccessKeys(button->text());
            if (text.isEmpty()) continue;
            const int need = fm.horizontalAdvance(text);
            const int room = captionRoom(*button);
            if (need > room)
                out << c->displayName() << " \"" << text.toStdString() << "\" needs " << need << ", has "
                    << room << "\n";
        }
    }
    return out.str();
}

struct ScreenCase {
    int width, height;
    const char* language;
};

void PrintTo(const ScreenCase& c, std::ostream* os) {
    *os << c.width << "x" << c.height << " " << c.language;
}

struct CaptionFit : QtFormsTest, ::testing::WithParamInterface<ScreenCase> {
    fs::path folder;
    std::unique_ptr<FrmMain> w;

    void SetUp() override {
        folder = fs::temp_directory_path() / ("morva-captions-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::copy(fs::path(MORVA_TEST_SOURCE_DIR) / "demo", folder, fs::copy_options::recursive);
        for (const char* lib : {"libhalvex.so", "libddrive32.so"})
            fs::copy_file(fs::path(MORVA_TEST_PROGRAM_FOLDER) / lib, folder / lib);
    }
    void TearDown() override {
        w.reset();
        settle();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

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
};

TEST_P(CaptionFit, EveryCaptionFitsOnEveryPage) {
    const auto [width, height, language] = GetParam();
    FrmMain& win = start(width, height, language);
    ASSERT_TRUE(dialogs.shown().empty());
    const auto check = [&](const std::string& state) {
        EXPECT_EQ(captionFaults(*view, win), "")
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
    check("advanced mode");
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
