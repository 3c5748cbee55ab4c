// Every visible control of the main window lies inside its container (the
// window's client area for the top level) and overlaps no visible sibling,
// on the screens a technician meets, at 96 and 192 DPI, on every page and
// function panel, with one and two linearity channels, multi-line and peak
// hold, the advanced panels and without the work list.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/view/view_fixture.h"

namespace morva::test {
namespace {

struct Rect {
    forms::Twips left, top, right, bottom;
};

Rect rectOf(const forms::Control& c) {
    return {c.left(), c.top(), c.left() + c.width(), c.top() + c.height()};
}

bool overlaps(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool onScreen(const forms::Control& c) {
    return c.kind() != forms::ControlKind::Timer && c.kind() != forms::ControlKind::MenuItem &&
           c.effectivelyVisible();
}

// Every fault found, one line each, so a failing size shows them all.
std::string layoutFaults(const FrmMain& w) {
    std::ostringstream out;
    std::vector<const forms::Control*> shown;
    for (const auto& c : w.controls())
        if (onScreen(*c)) shown.push_back(c.get());
    for (const forms::Control* c : shown) {
        const forms::Control* box = c->container();
        const forms::Twips cw = box ? box->width() : w.scaleWidth();
        const forms::Twips ch = box ? box->height() : w.scaleHeight();
        const Rect r = rectOf(*c);
        if (c->width() <= 0 || c->height() <= 0 || r.left < 0 || r.top < 0 || r.right > cw || r.bottom > ch)
            out << c->displayName() << " (" << r.left << "," << r.top << "," << r.right << "," << r.bottom
                << ") outside " << (box ? box->displayName() : "the client area") << " " << cw << "x" << ch
                << "\n";
    }
    for (size_t i = 0; i < shown.size(); ++i)
        for (size_t j = i + 1; j < shown.size(); ++j)
            if (shown[i]->container() == shown[j]->container() &&
                overlaps(rectOf(*shown[i]), rectOf(*shown[j])))
                out << shown[i]->displayName() << " overlaps " << shown[j]->displayName() << "\n";
    return out.str();
}

struct ScreenCase {
    int width, height;
    double twipsPerPixel;
};

class LayoutFits : public ViewTest, public ::testing::WithParamInterface<ScreenCase> {
  protected:
    // Shows one page and one function panel, as the sequencer does.
    void showPanels(int page, int menu) {
        for (int i = 0; i <= 3; ++i)
            w->pic_Page(i).setVisible(i == page);
        for (int i = 0; i <= 4; ++i)
            w->pic_CmdMenu(i).setVisible(i == menu);
    }
    void expectFits(const std::string& state) { EXPECT_EQ(layoutFaults(*w), "") << state; }
};

TEST_P(LayoutFits, EveryVisibleControlFitsAndNothingOverlaps) {
    const ScreenCase sc = GetParam();
    FrmMain& win = loadOn(sc.width, sc.height, sc.twipsPerPixel);
    ASSERT_TRUE(dialogs.shown().empty());
    ASSERT_GE(win.pic_Frame(1).width(), 2000);
    ASSERT_GE(win.pic_Frame(1).height(), 3000);
    EXPECT_TRUE(win.pic_WorkList.visible());
    EXPECT_TRUE(win.pic_CtrlPanel.visible());
    const int menus[] = {0, 1, 2, 3};
    for (int page = 0; page <= 3; ++page) {
        showPanels(page, menus[page]);
        expectFits("page " + std::to_string(page));
    }
    showPanels(0, 4);
    expectFits("data-file panel");
    // The information panels: model, loaded file, progress.
    for (int info = 0; info <= 2; ++info) {
        for (int i = 0; i <= 2; ++i)
            win.pic_Info(i).setVisible(i == info);
        expectFits("information panel " + std::to_string(info));
    }
    win.pic_Info(0).setVisible(true);
    win.pic_Info(2).setVisible(false);

    // The linearity page in every arrangement.
    showPanels(2, 2);
    for (int channels = 1; channels <= 2; ++channels)
        for (int multi = 0; multi <= 1; ++multi)
            for (int held = 0; held <= 1; ++held) {
                win.st.msr.n_Msr_channel_Lin = channels;
                win.st.flg_Dsp_LinWF_MultiLine = static_cast<int16_t>(multi);
                win.st.flags.flg_PeakHold = static_cast<int16_t>(held);
                relayout();
                expectFits("linearity, " + std::to_string(channels) + " channels, multi-line " +
                           std::to_string(multi) + ", peak hold " + std::to_string(held));
            }
    // Four sensitivity slots show the second value panel.
    showPanels(1, 1);
    win.st.msr.nType_SensWF = 4;
    win.st.msr.n_Msr_channel_Sens = 1;
    relayout();
    EXPECT_TRUE(win.pic_SensVal(1).visible());
    expectFits("sensitivity, four slots");

    // Without the work list the graphs take its room.
    const forms::Twips graphs = win.pic_Frame(1).width();
    win.chk_Dsp_WorkList.setValue(0);
    EXPECT_EQ(win.pic_Frame(1).width(), graphs + win.pic_WorkList.width());
    expectFits("without the work list");
}

INSTANTIATE_TEST_SUITE_P(Screens, LayoutFits,
                         ::testing::Values(ScreenCase{1024, 768, 15}, ScreenCase{1600, 1000, 15},
                                           ScreenCase{1920, 1080, 15}, ScreenCase{1024, 768, 7.5},
                                           ScreenCase{1600, 1000, 7.5}, ScreenCase{1920, 1080, 7.5}),
                         [](const auto& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height) +
                                    (info.param.twipsPerPixel < 10 ? "_192dpi" : "_96dpi");
                         });

// With the advanced mode on (as its switch leaves it: the menu frame and the
// window widened by one panel) the five panels stand beside the work list.
TEST_F(ViewTest, AdvancedPanelsStandBesideTheWorkListAndFit) {
    FrmMain& win = loadOn(1920, 1080, 15);
    win.st.settings.AdvMode = 1;
    const forms::Twips extra = win.pic_AdvMode(0).width();
    win.pic_Frame(1).setWidth(win.pic_Frame(1).width() - extra);
    win.pic_Frame(2).setWidth(win.pic_Frame(2).width() + extra);
    relayout();
    for (int i = 0; i <= 4; ++i) {
        EXPECT_TRUE(win.pic_AdvMode(i).visible());
        EXPECT_EQ(win.pic_AdvMode(i).left(), win.pic_CmdMenu(0).width() + win.pic_WorkList.width());
    }
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(win.pic_AdvMode(i).top(), win.pic_AdvMode(i - 1).top() + win.pic_AdvMode(i - 1).height());
    EXPECT_EQ(layoutFaults(win), "");
    win.st.settings.AdvMode = 0;
    relayout();
    EXPECT_FALSE(win.pic_AdvMode(0).visible());
}

}  // namespace
}  // namespace morva::test
