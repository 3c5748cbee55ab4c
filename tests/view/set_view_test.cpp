// Set_View on the window the program builds: the graphs' scales, the frame
// too small to lay out, the linearity captions by head count, the
// visibility rules, the layouts a resize costs, the re-entry guard, and the
// waveforms kept over a resize and cleared by a model change.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

#include "measure/graphs.h"
#include "tests/view/view_fixture.h"
#include "view/set_view.h"

namespace morva::test {
namespace {

void expectScale(const forms::PictureBox& g, double left, double top, double width, double height) {
    EXPECT_DOUBLE_EQ(g.scaleLeft(), left) << g.displayName();
    EXPECT_DOUBLE_EQ(g.scaleTop(), top) << g.displayName();
    EXPECT_NEAR(g.scaleWidth(), width, 1e-9) << g.displayName();
    EXPECT_DOUBLE_EQ(g.scaleHeight(), height) << g.displayName();
}

// Lines of one colour in a graph's display list.
int linesIn(const forms::PictureBox& g, int color) {
    int n = 0;
    for (const auto& c : g.displayList())
        if (c.kind == forms::DrawCommand::Line && c.color == static_cast<forms::Color>(color)) ++n;
    return n;
}

using Geometry = std::map<std::string, std::tuple<int, int, int, int, bool>>;
Geometry geometryOf(const FrmMain& w) {
    Geometry g;
    for (const auto& c : w.controls())
        g[c->displayName()] = {c->left(), c->top(), c->width(), c->height(), c->visible()};
    return g;
}

TEST_F(ViewTest, TheFiveScales) {
    FrmMain& win = loadOn(1600, 1000, 15);
    expectScale(win.pic_Graph_Sens, 0.9, -3600, 139.5, 3600);
    expectScale(win.pic_Graph_SensDiv, 1, -250, 139.5, 500);
    expectScale(win.pic_Graph_Moni, 1, -5000, 500, 5000);
    win.st.msr.n_Msr_channel_Lin = 2;
    win.st.msr.Adj_LinEnt = 5;
    win.st.params.nData_LinWF = 80;
    relayout();
    for (int c = 0; c <= 1; ++c) {
        // From the first point after Adj_LinEnt to the fixed edge at 80.2.
        expectScale(win.pic_Graph_Lin(c), 6, -500, 74.2, 1010);
        expectScale(win.pic_Graph_Lin_mlt(c), 6, -500, 74.2, 1010);
    }
    // More than 80 points: the scale ends past the last one, none is hidden.
    win.st.params.nData_LinWF = 100;
    relayout();
    expectScale(win.pic_Graph_Lin(0), 6, -500, 94.2, 1010);
    // An Adj_LinEnt at or past the edge leaves one point of width.
    win.st.params.nData_LinWF = 60;
    win.st.msr.Adj_LinEnt = 85;
    relayout();
    expectScale(win.pic_Graph_Lin(1), 86, -500, 1, 1010);
    // The monitor's point count replaces the width.
    win.lbl_Moni(1).setCaption("2500");
    relayout();
    expectScale(win.pic_Graph_Moni, 1, -5000, 2500, 5000);
}

TEST_F(ViewTest, AFrameTooSmallMovesNothing) {
    FrmMain& win = loadOn(1600, 1000, 15);
    const int before = layouts;
    Geometry g = geometryOf(win);
    win.pic_Frame(1).setWidth(1999);
    EXPECT_EQ(layouts, before);
    Geometry after = geometryOf(win);
    after.erase("pic_Frame(1)");
    g.erase("pic_Frame(1)");
    EXPECT_EQ(after, g);

    win.pic_Frame(1).setWidth(5000);  // lays out again
    EXPECT_EQ(layouts, before + 1);
    g = geometryOf(win);
    win.pic_Frame(1).setHeight(2999);
    after = geometryOf(win);
    after.erase("pic_Frame(1)");
    g.erase("pic_Frame(1)");
    EXPECT_EQ(after, g);
    EXPECT_EQ(layouts, before + 1);
}

TEST_F(ViewTest, LinearityCaptionsFollowTheHeadCount) {
    FrmMain& win = loadOn(1600, 1000, 15);
    auto captions = [&] {
        std::string all;
        for (int i = 0; i <= 5; ++i)
            all += win.lbl_Name_LinWF(i).caption() + "|";
        return all;
    };
    EXPECT_EQ(captions(), "Lch|Rch|L1 Linearity|L2 Linearity|R1 Linearity|R2 Linearity|");
    win.st.model.nHead = 8;
    relayout();
    EXPECT_EQ(captions(), "L1L3ch|L2L4ch|L1 Linearity|L3 Linearity|L2 Linearity|L4 Linearity|");
    // Four heads set their three captions; the others stay.
    win.st.model.nHead = 4;
    relayout();
    EXPECT_EQ(captions(), "Lch|L2L4ch|L1 Linearity|L2 Linearity|L2 Linearity|L4 Linearity|");
    // Two heads through the model selection (VK-210), as four.
    win.st.model.nHead = 8;
    relayout();
    win.cmb_ModelNameList.setListIndex(0);
    ASSERT_EQ(win.st.model.nHead, 2);
    EXPECT_EQ(captions(), "Lch|L2L4ch|L1 Linearity|L2 Linearity|L2 Linearity|L4 Linearity|");
    // Other head counts change nothing.
    win.st.model.nHead = 6;
    win.lbl_Name_LinWF(0).setCaption("x");
    relayout();
    EXPECT_EQ(win.lbl_Name_LinWF(0).caption(), "x");
}

TEST_F(ViewTest, SecondSensitivityPanelOnlyBeyondTwoWaveforms) {
    FrmMain& win = loadOn(1600, 1000, 15);
    const std::tuple<int, int, bool> cases[] = {
        {4, 1, true}, {2, 1, false}, {2, 2, true}, {4, 2, true}, {0, 2, false}};
    for (auto [types, channels, shown] : cases) {
        win.st.msr.nType_SensWF = types;
        win.st.msr.n_Msr_channel_Sens = channels;
        relayout();
        EXPECT_EQ(win.pic_SensVal(1).visible(), shown) << types << " x " << channels;
    }
    // Side by side under the graphs, inside the page.
    EXPECT_EQ(win.pic_SensVal(0).top(), win.pic_SensVal(1).top());
    EXPECT_GT(win.pic_SensVal(0).top(), win.pic_Graph_SensDiv.top() + win.pic_Graph_SensDiv.height());
    EXPECT_EQ(win.pic_Graph_SensDiv.top(), win.pic_Graph_Sens.height() + 100);
    EXPECT_EQ(win.pic_Graph_Sens.width(), win.pic_Page(1).width() - 150);
}

TEST_F(ViewTest, LinearityVisibilityByChannelsMultiLinePeakHoldAndLoadedData) {
    FrmMain& win = loadOn(1600, 1000, 15);
    for (int channels = 1; channels <= 2; ++channels)
        for (int multi = 0; multi <= 1; ++multi)
            for (int held = 0; held <= 1; ++held)
                for (int loaded = 0; loaded <= 1; ++loaded) {
                    MainState& st = win.st;
                    st.msr.n_Msr_channel_Lin = channels;
                    st.flg_Dsp_LinWF_MultiLine = static_cast<int16_t>(multi);
                    st.flags.flg_PeakHold = static_cast<int16_t>(held);
                    st.flags.flg_DataLoaded = static_cast<int16_t>(loaded);
                    relayout();
                    const bool two = channels == 2;
                    const std::string at = std::to_string(channels) + " ch, multi " + std::to_string(multi) +
                                           ", held " + std::to_string(held) + ", loaded " +
                                           std::to_string(loaded);
                    EXPECT_TRUE(win.pic_Graph_Lin(0).visible()) << at;
                    EXPECT_TRUE(win.pic_LinVal(0).visible()) << at;
                    EXPECT_EQ(win.pic_Graph_Lin_mlt(0).visible(), multi == 1) << at;
                    EXPECT_EQ(win.pic_Name_LinWF(0).visible(), multi == 1) << at;
                    EXPECT_EQ(win.pic_WavVal(0).visible(), held || loaded) << at;
                    EXPECT_EQ(win.pic_Graph_Lin(1).visible(), two) << at;
                    EXPECT_EQ(win.pic_LinVal(1).visible(), two) << at;
                    EXPECT_EQ(win.pic_Graph_Lin_mlt(1).visible(), two && multi) << at;
                    EXPECT_EQ(win.pic_Name_LinWF(1).visible(), two && multi) << at;
                    EXPECT_EQ(win.pic_WavVal(1).visible(), two && ((loaded && multi) || held)) << at;
                    // From the top: name panel, graph, values.
                    const int row = two ? 1 : 0;
                    EXPECT_LT(win.pic_Name_LinWF(row).top(), win.pic_Graph_Lin_mlt(row).top()) << at;
                    EXPECT_LT(win.pic_Graph_Lin(row).top() + win.pic_Graph_Lin(row).height(),
                              win.pic_LinVal(row).top())
                        << at;
                }
    // Another channel count leaves visibility as it was.
    Geometry before = geometryOf(win);
    win.st.msr.n_Msr_channel_Lin = 3;
    relayout();
    for (const auto& [name, g] : geometryOf(win))
        EXPECT_EQ(std::get<4>(g), std::get<4>(before[name])) << name;
}

TEST_F(ViewTest, AResizeLaysOutAtMostTwiceAndKeepsTheWaveforms) {
    FrmMain& win = loadOn(1600, 1000, 15);
    MainState& st = win.st;
    st.msr.nType_SensWF = 2;
    st.msr.n_Msr_channel_Sens = 1;
    st.msr.n_Msr_channel_Lin = 2;
    st.flags.flg_PeakHold = 1;
    for (int i = 1; i <= 100; ++i) {
        st.sens.SensWF_Raw[0][i] = 100.0f * i;
        st.lin.LinAvg[1][i] = i;
    }
    relayout();
    win.proc.Draw_SensWF();
    win.proc.Draw_LinWF();
    const int yellow = linesIn(win.pic_Graph_Sens, st.Color_Head[0]);
    const int lin = linesIn(win.pic_Graph_Lin(1), kLinAvgColor);
    ASSERT_GT(yellow, 50);
    ASSERT_GT(lin, 50);
    ASSERT_TRUE(win.pic_WavVal(1).visible());

    for (forms::Twips width : {20000, 23000, 16000}) {
        const int before = layouts;
        win.move(win.left(), win.top(), width, 14000);
        EXPECT_GE(layouts - before, 1);
        EXPECT_LE(layouts - before, 2);
        EXPECT_EQ(linesIn(win.pic_Graph_Sens, st.Color_Head[0]), yellow);
        EXPECT_EQ(linesIn(win.pic_Graph_Lin(1), kLinAvgColor), lin);
        // A two-channel peak hold keeps the second waving panel.
        EXPECT_TRUE(win.pic_WavVal(1).visible());
        // The frames share the client width; the graphs took the change.
        EXPECT_EQ(win.pic_Frame(1).width() + win.pic_Border.width() + win.pic_Frame(2).width(),
                  win.scaleWidth());
        EXPECT_EQ(win.pic_Page(2).width(), win.pic_Frame(1).width());
    }
    // A model change lays out afresh: the grids only.
    win.cmb_ModelNameList.setListIndex(0);
    EXPECT_EQ(linesIn(win.pic_Graph_Sens, st.Color_Head[0]), 0);
    EXPECT_EQ(linesIn(win.pic_Graph_Lin(0), kLinAvgColor), 0);
    EXPECT_GT(linesIn(win.pic_Graph_Sens, kGridColor), 0);
    win.move(win.left(), win.top(), 21000, 14000);
    EXPECT_EQ(linesIn(win.pic_Graph_Sens, st.Color_Head[0]), 0);
}

TEST_F(ViewTest, ALayoutThatReentersItselfNestsOnceAtMost) {
    FrmMain& win = loadOn(1600, 1000, 15);
    int grids = 0;
    win.proc.Draw_LinGrid.bind([&] {
        ++grids;
        win.proc.Set_View();  // a handler that lays out again from inside
    });
    const int before = layouts;
    relayout();
    EXPECT_EQ(grids, 2);
    EXPECT_EQ(layouts - before, 2);
}

TEST_F(ViewTest, TheOptionSummaryStaysAtTheRightEdgeOnEveryPage) {
    FrmMain& win =
        loadOn(1024, 768, 15, {"AutoSave = 1", "Message_SerialInput = 1", "Message_CommentInput = 1"});
    EXPECT_EQ(win.lbl_Info(3).caption(), "Save:Auto \r\nMsg_Ser:ON  Msg_Cmt:ON ");
    for (int page = 0; page <= 3; ++page) {
        for (int i = 0; i <= 3; ++i)
            win.pic_Page(i).setVisible(i == page);
        relayout();
        const forms::Label& summary = win.lbl_Info(3);
        EXPECT_TRUE(summary.effectivelyVisible());
        EXPECT_EQ(summary.left() + summary.width(),
                  std::min(win.pic_Frame(1).width(), win.pic_Info(0).width()));
    }
}

TEST_F(ViewTest, WorkListRowsWithTextAreStackedFromTheTop) {
    FrmMain& win = loadOn(1600, 1000, 15);
    for (int i = 0; i <= 5; ++i)
        win.lbl_WorkList(i).setCaption(i % 2 == 0 ? "text " + std::to_string(i) : "");
    relayout();
    int top = -1;
    for (int i : {0, 2, 4}) {
        EXPECT_TRUE(win.lbl_WorkList(i).visible()) << i;
        if (top >= 0) {
            EXPECT_EQ(win.lbl_WorkList(i).top(), top + 480) << i;  // two lines each
        }
        top = win.lbl_WorkList(i).top();
    }
    for (int i : {1, 3, 5})
        EXPECT_FALSE(win.lbl_WorkList(i).visible()) << i;
}

TEST(LinScale, EdgesAndTheOnePointMinimum) {
    EXPECT_DOUBLE_EQ(Lin_Scale(0, 80).left, 1);
    EXPECT_DOUBLE_EQ(Lin_Scale(0, 80).width, 79.2);
    EXPECT_DOUBLE_EQ(Lin_Scale(5, 100).width, 100.2 - 6);
    EXPECT_DOUBLE_EQ(Lin_Scale(79, 60).width, 1);
    EXPECT_DOUBLE_EQ(Lin_Scale(80, 60).width, 1);
    EXPECT_DOUBLE_EQ(Lin_Scale(200, 100).width, 1);
}

}  // namespace
}  // namespace morva::test
