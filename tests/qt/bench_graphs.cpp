// One measurement pass drawn the way the program draws it: the drawing
// steps fill the display lists, then the Qt painter renders each graph
// offscreen at a typical on-screen size. A four-slot sensitivity pass and a
// two-channel linearity pass with peak hold (and with the multi-line
// graphs as well).
//
//   QT_QPA_PLATFORM=offscreen build/tests/qt_graph_bench

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <memory>

#include "forms/application.h"
#include "forms/scripted_dialogs.h"
#include "forms/test_loop.h"
#include "measure/graphs.h"
#include "qt/picture_painter.h"
#include "window/frm_main.h"

namespace {

struct Bench {
    forms::TestLoop loop;
    forms::ScriptedDialogs dialogs;
    forms::Application app{loop, dialogs};
    morva::FrmMain w{app};

    Bench() {
        morva::MainState& st = w.st;
        st.Color_Head = morva::kColorHead;
        st.params.nData_SensWF = 150;
        st.params.nData_LinWF = 100;
        st.msr.nType_SensWF = 2;
        st.msr.n_Msr_channel_Sens = 2;
        st.msr.n_Msr_channel_Lin = 2;
        st.settings.flg_SmoothSensWF = 1;
        st.flags.flg_PeakHold = 1;
        for (int slot = 0; slot < 4; ++slot)
            for (int i = 0; i <= 150; ++i) {
                st.sens.SensWF[slot][i] = 2000.0f + 800.0f * std::sin(i / 8.0f + slot);
                st.sens.SensDifWF[slot][i] = 120.0f * std::cos(i / 8.0f + slot);
            }
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i <= 100; ++i) {
                const int v = static_cast<int>(200 * std::sin(i / 15.0 + c));
                st.lin.LinAvg[c][i] = v;
                st.lin.WavMax[c][i] = v + 30;
                st.lin.WavMin[c][i] = v - 30;
                st.lin.Lin[2 * c][i] = v + 10;
                st.lin.Lin[2 * c + 1][i] = v - 10;
            }
        for (int i = 0; i <= 100; ++i) {
            st.spec.SpecLine_Lin[0][i] = 150;
            st.spec.SpecLine_Lin[1][i] = -150;
        }
        w.pic_Graph_Sens.scale(0.9, -3600, 140.4, 0);
        w.pic_Graph_SensDiv.scale(1, -250, 140.5, 250);
        for (int c = 0; c < 2; ++c) {
            w.pic_Graph_Lin(c).scale(1, -500, 100.2, 510);
            w.pic_Graph_Lin_mlt(c).scale(1, -500, 100.2, 510);
        }
        morva::Wire_Graphs(w);
    }
};

void paint(QImage& image, const forms::PictureBox& box) {
    QPainter painter(&image);
    qtview::paintDisplayList(painter, box, image.rect());
}

void BM_SensitivityPassFourSlots(benchmark::State& state) {
    Bench b;
    QImage upper(1100, 500, QImage::Format_RGB32), lower(1100, 250, QImage::Format_RGB32);
    for (auto _ : state) {
        b.w.proc.Draw_SensGrid();
        b.w.proc.Draw_SensWF();
        paint(upper, b.w.pic_Graph_Sens);
        paint(lower, b.w.pic_Graph_SensDiv);
        benchmark::DoNotOptimize(upper.constBits());
    }
    state.counters["commands"] = static_cast<double>(b.w.pic_Graph_Sens.displayList().size() +
                                                     b.w.pic_Graph_SensDiv.displayList().size());
}
BENCHMARK(BM_SensitivityPassFourSlots)->Unit(benchmark::kMicrosecond);

void BM_LinearityPassTwoChannels(benchmark::State& state) {
    Bench b;
    b.w.st.flg_Dsp_LinWF_MultiLine = static_cast<int16_t>(state.range(0));
    const int width = state.range(0) ? 540 : 1100;
    QImage graphs[4] = {QImage(width, 330, QImage::Format_RGB32), QImage(width, 330, QImage::Format_RGB32),
                        QImage(width, 330, QImage::Format_RGB32), QImage(width, 330, QImage::Format_RGB32)};
    for (auto _ : state) {
        b.w.proc.Draw_LinGrid();
        b.w.proc.Draw_LinWF();
        for (int c = 0; c < 2; ++c) {
            paint(graphs[c], b.w.pic_Graph_Lin(c));
            if (state.range(0)) paint(graphs[2 + c], b.w.pic_Graph_Lin_mlt(c));
        }
        benchmark::DoNotOptimize(graphs[0].constBits());
    }
}
BENCHMARK(BM_LinearityPassTwoChannels)->Arg(0)->Arg(1)->ArgName("multi_line")->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
