// The drawing steps of the measurement graphs, checked on the display lists
// the Qt view paints: targets, colours, end points, the sign of y, the
// points drawn, the limit curves, and a list that stays bounded however
// many passes a run draws.

#include "measure/graphs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "forms/application.h"
#include "forms/scripted_dialogs.h"
#include "forms/test_loop.h"
#include "window/frm_main.h"

namespace morva {
namespace {

using forms::DrawCommand;

std::vector<DrawCommand> linesOf(const forms::PictureBox& g, int color) {
    std::vector<DrawCommand> out;
    for (const auto& c : g.displayList())
        if (c.kind == DrawCommand::Line && c.color == static_cast<forms::Color>(color)) out.push_back(c);
    return out;
}

int count(const std::vector<DrawCommand>& lines, double x1, double y1, double x2, double y2) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const DrawCommand& c) {
        return c.x1 == x1 && c.y1 == y1 && c.x2 == x2 && c.y2 == y2;
    }));
}

class Graphs : public ::testing::Test {
  protected:
    void SetUp() override {
        st.Color_Head = kColorHead;
        st.params.nData_SensWF = 100;
        st.params.nData_LinWF = 100;
        Wire_Graphs(w);
    }
    forms::TestLoop loop;
    forms::ScriptedDialogs dialogs;
    forms::Application app{loop, dialogs};
    FrmMain w{app};
    MainState& st = w.st;
};

TEST_F(Graphs, SensitivityGridIsClearedThenDrawnInDarkGrey) {
    w.pic_Graph_Sens.line(0, 0, 1, 1, 0xFF);
    w.proc.Draw_SensGrid();
    for (forms::PictureBox* g : {&w.pic_Graph_Sens, &w.pic_Graph_SensDiv}) {
        ASSERT_EQ(g->displayList().front().kind, DrawCommand::Clear);
        EXPECT_EQ(linesOf(*g, kGridColor).size(), g->displayList().size() - 1) << g->displayName();
    }
    const auto sens = linesOf(w.pic_Graph_Sens, kGridColor);
    for (int y = -5000; y <= 0; y += 1000)
        EXPECT_EQ(count(sens, 0, y, 140, y), 1) << y;
    EXPECT_EQ(count(sens, 10, 0, 10, -80), 1);
    EXPECT_EQ(count(sens, 140, 0, 140, -80), 1);
    EXPECT_EQ(count(sens, 50, 0, 50, -120), 1);
    EXPECT_EQ(count(sens, 150, 0, 150, -120), 0);
    EXPECT_EQ(sens.size(), 6u + 15u + 3u);
    const auto div = linesOf(w.pic_Graph_SensDiv, kGridColor);
    for (int y = -200; y <= 200; y += 100)
        EXPECT_EQ(count(div, 0, y, 140, y), 1) << y;
    EXPECT_EQ(count(div, 130, 15, 130, -15), 1);
    EXPECT_EQ(count(div, 100, 30, 100, -30), 1);
    EXPECT_EQ(div.size(), 5u + 15u + 3u);
}

TEST_F(Graphs, SensitivityWaveformsPerSlotAtMinusTheNearestValue) {
    st.msr.nType_SensWF = 2;
    st.msr.n_Msr_channel_Sens = 1;
    st.params.nData_SensWF = 4;
    st.settings.flg_SmoothSensWF = 1;
    st.sens.SensWF[0] = {};
    st.sens.SensWF[0][1] = 2.5f;  // halves to the even neighbour
    st.sens.SensWF[0][2] = 3.5f;
    st.sens.SensWF[0][3] = -10.4f;
    st.sens.SensWF[0][4] = 1000.0f;
    st.sens.SensDifWF[1][1] = 7.0f;
    st.sens.SensWF_Raw[0][1] = 999.0f;  // not drawn while smoothing
    w.proc.Draw_SensGrid();
    w.proc.Draw_SensWF();
    const auto yellow = linesOf(w.pic_Graph_Sens, kColorHead[0]);
    ASSERT_EQ(yellow.size(), 3u);
    EXPECT_EQ(count(yellow, 1, -2, 2, -4), 1);
    EXPECT_EQ(count(yellow, 2, -4, 3, 10), 1);
    EXPECT_EQ(count(yellow, 3, 10, 4, -1000), 1);
    const auto redDiv = linesOf(w.pic_Graph_SensDiv, kColorHead[1]);
    ASSERT_EQ(redDiv.size(), 3u);
    EXPECT_EQ(count(redDiv, 1, -7, 2, 0), 1);
    EXPECT_TRUE(linesOf(w.pic_Graph_Sens, kColorHead[2]).empty());

    // Raw values without smoothing; four slots at most, 150 points at most.
    st.settings.flg_SmoothSensWF = 0;
    st.msr.nType_SensWF = 4;
    st.msr.n_Msr_channel_Sens = 2;
    st.params.nData_SensWF = 500;
    w.proc.Draw_SensGrid();
    w.proc.Draw_SensWF();
    const auto raw = linesOf(w.pic_Graph_Sens, kColorHead[0]);
    ASSERT_EQ(raw.size(), 149u);
    EXPECT_EQ(raw.front().y1, -999);
    EXPECT_EQ(raw.back().x2, 150);
    for (int slot = 1; slot <= 3; ++slot)
        EXPECT_EQ(linesOf(w.pic_Graph_SensDiv, kColorHead[slot]).size(), 149u) << slot;
    // A zero count draws nothing.
    st.msr.nType_SensWF = 0;
    w.proc.Draw_SensGrid();
    w.proc.Draw_SensWF();
    EXPECT_TRUE(linesOf(w.pic_Graph_Sens, kColorHead[0]).empty());
}

TEST_F(Graphs, LinearityGridWithTheLimitCurvesAtMinusTheLimit) {
    st.msr.n_Msr_channel_Lin = 2;
    st.msr.Adj_LinEnt = 4;
    st.params.nData_LinWF = 90;
    for (int i = 0; i <= kMaxLinPoint; ++i) {
        st.spec.SpecLine_Lin[0][i] = 150 + i;
        st.spec.SpecLine_Lin[1][i] = -150 - i;
    }
    st.flg_Dsp_LinWF_MultiLine = 0;
    w.pic_Graph_Lin_mlt(0).line(0, 0, 1, 1, 0xFF);
    w.proc.Draw_LinGrid();
    // The multi-line graphs are not touched while hidden.
    EXPECT_EQ(w.pic_Graph_Lin_mlt(0).displayList().size(), 2u);
    st.flg_Dsp_LinWF_MultiLine = 1;
    w.proc.Draw_LinGrid();
    for (forms::PictureBox* g :
         {&w.pic_Graph_Lin(0), &w.pic_Graph_Lin(1), &w.pic_Graph_Lin_mlt(0), &w.pic_Graph_Lin_mlt(1)}) {
        ASSERT_EQ(g->displayList().front().kind, DrawCommand::Clear);
        const auto grid = linesOf(*g, kGridColor);
        EXPECT_EQ(grid.size(), 11u + 21u + 11u + 1u) << g->displayName();
        EXPECT_EQ(count(grid, 0, -500, 100, -500), 1);
        EXPECT_EQ(count(grid, 0, 500, 100, 500), 1);
        EXPECT_EQ(count(grid, 5, 15, 5, -15), 1);
        EXPECT_EQ(count(grid, 10, 25, 10, -25), 1);
        EXPECT_EQ(count(grid, 0, 0, 100, 0), 2);  // the 0 line and the axis
        const auto limits = linesOf(*g, kLimitColor);
        // Two polylines over points 5..90, each led in from x = 1.
        ASSERT_EQ(limits.size(), 2u * (90 - 5 + 1));
        EXPECT_EQ(count(limits, 1, -155, 5, -155), 1);
        EXPECT_EQ(count(limits, 5, -155, 6, -156), 1);
        EXPECT_EQ(count(limits, 89, -239, 90, -240), 1);
        EXPECT_EQ(count(limits, 89, 239, 90, 240), 1);
    }
    // One channel: the second graph is left alone.
    st.msr.n_Msr_channel_Lin = 1;
    w.pic_Graph_Lin(1).cls();
    w.proc.Draw_LinGrid();
    EXPECT_EQ(w.pic_Graph_Lin(1).displayList().size(), 1u);
}

TEST_F(Graphs, LinearityWaveformEnvelopeAndMultiLine) {
    st.msr.n_Msr_channel_Lin = 2;
    st.msr.Adj_LinEnt = 2;
    st.params.nData_LinWF = 10;
    for (int i = 0; i <= kMaxLinPoint; ++i) {
        st.lin.LinAvg[1][i] = 10 * i;
        st.lin.WavMax[1][i] = 10 * i + 50;
        st.lin.WavMin[1][i] = 10 * i - 50;
        st.lin.Lin[2][i] = 100 + i;
        st.lin.Lin[3][i] = 200 - i;
    }
    st.lin.ofs_LinWF_mlt = {0, 0, 100, 200};
    st.flags.flg_PeakHold = 0;
    st.flg_Dsp_LinWF_MultiLine = 0;
    w.proc.Draw_LinGrid();
    w.proc.Draw_LinWF();
    auto avg = linesOf(w.pic_Graph_Lin(1), kLinAvgColor);
    ASSERT_EQ(avg.size(), 8u);  // lead-in from x = 1, then points 3..10
    EXPECT_EQ(count(avg, 1, 30, 3, 30), 1);
    EXPECT_EQ(count(avg, 3, 30, 4, 40), 1);
    EXPECT_EQ(avg.back().x2, 10);
    EXPECT_EQ(avg.back().y2, 100);  // +value: linearity is not negated
    EXPECT_TRUE(linesOf(w.pic_Graph_Lin(1), kEnvelopeColor).empty());
    EXPECT_EQ(w.pic_Graph_Lin_mlt(1).displayList().size(), 1u);

    st.flags.flg_PeakHold = 1;
    st.flg_Dsp_LinWF_MultiLine = 1;
    w.proc.Draw_LinGrid();
    w.proc.Draw_LinWF();
    const auto envelope = linesOf(w.pic_Graph_Lin(1), kEnvelopeColor);
    ASSERT_EQ(envelope.size(), 16u);
    EXPECT_EQ(count(envelope, 9, 140, 10, 150), 1);
    EXPECT_EQ(count(envelope, 9, 40, 10, 50), 1);
    // The average is drawn over the envelope.
    const auto& list = w.pic_Graph_Lin(1).displayList();
    EXPECT_EQ(list.back().color, static_cast<forms::Color>(kLinAvgColor));
    const auto green = linesOf(w.pic_Graph_Lin_mlt(1), kColorHead[2]);
    const auto cyan = linesOf(w.pic_Graph_Lin_mlt(1), kColorHead[3]);
    ASSERT_EQ(green.size(), 8u);
    ASSERT_EQ(cyan.size(), 8u);
    EXPECT_EQ(count(green, 9, 9, 10, 10), 1);   // Lin(2) - 100
    EXPECT_EQ(count(cyan, 9, -9, 10, -10), 1);  // Lin(3) - 200
    EXPECT_TRUE(linesOf(w.pic_Graph_Lin_mlt(0), kColorHead[3]).size() == 8u);
}

TEST_F(Graphs, CorrectionWaveformOnTheFirstGraph) {
    st.msr.n_Msr_channel_Lin = 2;
    st.msr.Adj_LinEnt = 0;
    st.params.nData_LinWF = 100;
    for (int i = 0; i <= kMaxLinPoint; ++i)
        st.lin.CorWF[i] = -i;
    w.proc.Draw_LinGrid();
    w.proc.Draw_CorWF();
    const auto cor = linesOf(w.pic_Graph_Lin(0), kCorWFColor);
    ASSERT_EQ(cor.size(), 100u);
    EXPECT_EQ(count(cor, 1, -1, 1, -1), 1);
    EXPECT_EQ(count(cor, 99, -99, 100, -100), 1);
    EXPECT_TRUE(linesOf(w.pic_Graph_Lin(1), kCorWFColor).empty());
    // Counts beyond the arrays draw only what the arrays hold.
    st.msr.Adj_LinEnt = -50;
    st.params.nData_LinWF = 1000;
    w.proc.Draw_LinGrid();
    w.proc.Draw_CorWF();
    EXPECT_EQ(linesOf(w.pic_Graph_Lin(0), kCorWFColor).back().x2, 100);
}

TEST_F(Graphs, AThousandPassesLeaveTheDisplayListsAsLongAsOne) {
    st.msr.nType_SensWF = 4;
    st.msr.n_Msr_channel_Sens = 1;
    st.msr.n_Msr_channel_Lin = 2;
    st.flags.flg_PeakHold = 1;
    st.flg_Dsp_LinWF_MultiLine = 1;
    auto pass = [&] {
        w.proc.Draw_SensGrid();
        w.proc.Draw_SensWF();
        w.proc.Draw_LinGrid();
        w.proc.Draw_LinWF();
    };
    pass();
    const std::vector<forms::PictureBox*> graphs = {&w.pic_Graph_Sens, &w.pic_Graph_SensDiv,
                                                    &w.pic_Graph_Lin(0), &w.pic_Graph_Lin(1),
                                                    &w.pic_Graph_Lin_mlt(1)};
    std::vector<size_t> one;
    for (auto* g : graphs)
        one.push_back(g->displayList().size());
    for (int i = 0; i < 999; ++i)
        pass();
    for (size_t k = 0; k < graphs.size(); ++k)
        EXPECT_EQ(graphs[k]->displayList().size(), one[k]) << graphs[k]->displayName();
}

}  // namespace
}  // namespace morva
