// The input monitor on the simulated board (instant timing, a test ramp per
// channel) on the deterministic loop: what each pass draws, the options and
// their labels, the grids, stopping and the trigger time-out.

#include "io/input_monitor.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "forms/application.h"
#include "forms/scripted_dialogs.h"
#include "forms/test_loop.h"
#include "io/daq_acquisition.h"
#include "window/frm_main.h"

namespace morva {
namespace {

namespace fs = std::filesystem;

const std::string kProgramFolder = MORVA_TEST_PROGRAM_FOLDER;

// The time spans the label shows, by rate (60 kHz .. 1.67 kHz) and range
// (5000 .. 100 points), worked out on paper: 1000 / rate x points, two
// decimals, trailing zeros dropped.
const char* const kSpans[10][6] = {
    {"83.33", "41.67", "16.67", "8.33", "4.17", "1.67"},
    {"100", "50", "20", "10", "5", "2"},
    {"125", "62.5", "25", "12.5", "6.25", "2.5"},
    {"200", "100", "40", "20", "10", "4"},
    {"400", "200", "80", "40", "20", "8"},
    {"625", "312.5", "125", "62.5", "31.25", "12.5"},
    {"749.96", "374.98", "149.99", "75", "37.5", "15"},
    {"1000", "500", "200", "100", "50", "20"},
    {"1500.15", "750.08", "300.03", "150.02", "75.01", "30"},
    {"2999.4", "1499.7", "599.88", "299.94", "149.97", "59.99"},
};

struct Vertex {
    double x, y;
};

class InputMonitor : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "morva-moni-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        MainState& s = w->st;
        s.ProgramFolder = kProgramFolder;
        s.settings.Path_DaqConfigFile = folder;
        s.settings.n_AD_Entry = 1;
        s.settings.AD_DeviceType[0] = "SimDAQ";
        s.settings.AD_DllName[0] = "ddrive32";
        s.settings.AD_ConfigFile[0] = "moni.dat";
        s.settings.AD_Resolution_Default[0] = 32672;
        s.settings.AD_nChannel[0] = 2;
        s.settings.Interval_Timer_AD_TRG = 400;
        s.ADChannelList = {0, 1, 2, 3};
        s.ADGainList = {1.0f, 1.0f, 1.0f, 1.0f};
        s.Color_Head = kColorHead;
        Wire_Acquisition(*w);
        Wire_InputMonitor(*w);
        // Count the acquisitions and what each asked for.
        w->proc.Run_DaqAcquisition.bind([this] {
            requested.push_back(w->st.daq.n_AD_Sample);
            Run_DaqAcquisition(*w);
        });
        // The stop click of the monitor's run button, as the sequencer does it.
        w->cmd_StartFunction(31).Click = [this] {
            stopClickedAtPass = static_cast<int>(requested.size());
            w->st.flags.flg_Measuring = 0;
        };
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    void useBoard(int channels, const std::string& extra = "") {
        std::ofstream(fs::path(folder) / "moni.dat")
            << "[MORVA Simulated A/D Board] Ver.1.00\nTiming = instant\nChannels = 2\nNoise = 0\n"
               "Section = ramp\nFullScaleCount = 32672\n"
            << extra;
        w->lbl_Name_AD_DeviceType.setCaption("SimDAQ");
        w->st.settings.n_AD_Channel = static_cast<int16_t>(channels);
        ASSERT_TRUE(dialogs.shown().empty());
    }

    // Runs the monitor until the stop click at `stopAtMs` (virtual time).
    void runUntilStop(int64_t stopAtMs) {
        loop.at(
            stopAtMs, [this] { w->cmd_StartFunction(31).userClick(); }, "stop");
        w->st.flags.flg_Measuring = 1;
        w->proc.Run_InputMonitor();
    }

    // The trace of one colour: its start point and the end of every line,
    // checking that each line starts where the previous one ended.
    std::vector<Vertex> trace(forms::Color color) const {
        std::vector<Vertex> v;
        for (const forms::DrawCommand& c : w->pic_Graph_Moni.displayList()) {
            if (c.color != color) continue;
            if (c.kind == forms::DrawCommand::Point) {
                EXPECT_TRUE(v.empty()) << "one start point per trace";
                v.push_back({c.x1, c.y1});
            } else if (c.kind == forms::DrawCommand::Line) {
                EXPECT_FALSE(v.empty());
                if (v.empty()) return v;
                EXPECT_EQ(c.x1, v.back().x);
                EXPECT_EQ(c.y1, v.back().y);
                v.push_back({c.x2, c.y2});
            }
        }
        return v;
    }

    // The vertical grid lines: x of the short ticks and of the full lines.
    void gridLines(std::vector<double>& ticks, std::vector<double>& full, int& horizontal) const {
        ticks.clear();
        full.clear();
        horizontal = 0;
        for (const forms::DrawCommand& c : w->pic_Graph_Moni.displayList()) {
            if (c.kind != forms::DrawCommand::Line || c.color != kMoniGridColor) continue;
            if (c.y1 == c.y2)
                ++horizontal;
            else if (c.y2 == -150)
                ticks.push_back(c.x1);
            else if (c.y2 == -5000)
                full.push_back(c.x1);
        }
    }

    std::string folder;
    forms::TestLoop loop;
    forms::ScriptedDialogs dialogs;
    forms::Application app{loop, dialogs};
    std::unique_ptr<FrmMain> w = std::make_unique<FrmMain>(app);
    std::vector<int32_t> requested;
    int stopClickedAtPass = -1;
};

TEST_F(InputMonitor, EachPassDrawsEveryChannelFromItsOwnSamples) {
    useBoard(2);
    w->opt_SamplingRate(0).setValue(true);  // 60 kHz
    w->opt_Range(2).setValue(true);         // 1000 points
    runUntilStop(30);
    ASSERT_GE(requested.size(), 2u);
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(w->st.daq.AD_SamplingRate, 60000);

    const forms::PictureBox& g = w->pic_Graph_Moni;
    EXPECT_EQ(g.scaleLeft(), 1);
    EXPECT_EQ(g.scaleWidth(), 1000);
    EXPECT_EQ(g.scaleTop(), -5000);
    EXPECT_EQ(g.scaleHeight(), 5000);
    const MainState& s = w->st;
    for (int c = 1; c <= 2; ++c) {
        SCOPED_TRACE(c);
        const std::vector<Vertex> v = trace(static_cast<forms::Color>(kColorHead[c]));
        ASSERT_EQ(v.size(), 1000u);
        for (int k = 1; k <= 1000; ++k) {
            const int16_t sample = s.ADData[2 * (k - 1) + c - 1];
            ASSERT_EQ(v[k - 1].x, k);
            ASSERT_EQ(v[k - 1].y, -(sample * s.AD_mVperCount)) << k;
            // The board's ramp: channel c's sample k is 500 + 2000 (c - 1) + (k - 1) mV.
            ASSERT_NEAR(sample * s.AD_mVperCount, 500 + 2000 * (c - 1) + (k - 1), 0.2) << k;
        }
    }
    EXPECT_TRUE(trace(static_cast<forms::Color>(kColorHead[3])).empty());
}

TEST_F(InputMonitor, OneChannelFillsFiveThousandPointsAndReadsNothingBeyond) {
    useBoard(1);
    w->opt_Range(0).setValue(true);
    EXPECT_EQ(w->lbl_Moni(1).caption(), "5000");
    runUntilStop(10);
    const std::vector<Vertex> v = trace(static_cast<forms::Color>(kColorHead[1]));
    ASSERT_EQ(v.size(), 5000u);
    EXPECT_NEAR(-v.back().y, 500 + 4999, 0.2);

    // Counts that do not fit the data array: the acquisition refuses, the
    // pass draws at most what the array holds, and the run ends.
    dialogs.clear();
    requested.clear();
    w->st.settings.n_AD_Channel = 3;
    w->st.flags.flg_Measuring = 1;
    w->proc.Run_InputMonitor();
    EXPECT_EQ(requested.size(), 1u);
    EXPECT_EQ(dialogs.shown().size(), 1u);
    for (int c = 1; c <= 3; ++c)
        EXPECT_LE(trace(static_cast<forms::Color>(kColorHead[c])).size(), 4001u);
}

TEST_F(InputMonitor, EveryRateAndRangeGivesItsTimeSpan) {
    useBoard(1);
    EXPECT_EQ(w->lbl_Moni(0).caption(), "25000");
    EXPECT_EQ(w->lbl_Moni(1).caption(), "500");
    EXPECT_EQ(w->lbl_Moni(2).caption(), "20");
    for (int j = 0; j < kMoniRangeCount; ++j) {
        w->opt_Range(j).setValue(true);
        for (int i = 0; i < kMoniRateCount; ++i) {
            w->opt_SamplingRate(i).setValue(true);
            EXPECT_EQ(w->lbl_Moni(1).caption(), std::to_string(kMoniRanges[j]));
            EXPECT_EQ(w->lbl_Moni(0).caption(), std::to_string(kMoniSamplingRates[i]));
            EXPECT_EQ(w->lbl_Moni(2).caption(), kSpans[i][j]) << i << " " << j;
        }
    }
}

TEST_F(InputMonitor, FiveThousandPointsAreRefusedWithTwoChannels) {
    useBoard(2);
    w->opt_Range(2).setValue(true);
    w->opt_Range(0).userClick();
    EXPECT_EQ(w->lbl_Moni(1).caption(), "1000");
    EXPECT_TRUE(w->opt_Range(2).value());
    EXPECT_FALSE(w->opt_Range(0).value());
    EXPECT_EQ(w->pic_Graph_Moni.scaleWidth(), 1000);
    w->st.settings.n_AD_Channel = 1;
    w->opt_Range(0).userClick();
    EXPECT_EQ(w->lbl_Moni(1).caption(), "5000");
}

TEST_F(InputMonitor, EveryGridEndsWithRoundSteps) {
    useBoard(1);
    std::vector<double> ticks, full;
    int horizontal = 0;
    for (int type = 0; type <= 1; ++type) {
        w->opt_ScaleType(type).setValue(true);
        for (int j = 0; j < kMoniRangeCount; ++j) {
            w->opt_Range(j).setValue(true);
            for (int i = 0; i < kMoniRateCount; ++i) {
                SCOPED_TRACE(std::to_string(type) + " " + std::to_string(i) + " " + std::to_string(j));
                w->opt_SamplingRate(i).setValue(true);
                w->proc.Draw_MoniGrid();
                gridLines(ticks, full, horizontal);
                const int points = kMoniRanges[j];
                EXPECT_EQ(horizontal, 6);
                ASSERT_GE(full.size(), 2u);
                ASSERT_GE(ticks.size(), full.size());
                EXPECT_EQ(full.front(), 0);
                EXPECT_LE(full.back(), points);
                const double major = full[1] - full[0];
                const double minor = ticks[1] - ticks[0];
                EXPECT_GE(minor, 1);
                // Between 1 and about 10 major intervals across the graph,
                // and 5 to 10 minor ticks per major line.
                EXPECT_LE(full.size(), 12u);
                EXPECT_GE(ticks.size(), 6u);
                if (type == 1) {
                    // A major step is a round time: 1, 10, 100 or 1000 ms.
                    const double span = std::stod(kSpans[i][j]);
                    const double ms = major * span / points;
                    const double decade = std::pow(10.0, std::round(std::log10(ms)));
                    EXPECT_NEAR(ms / decade, 1.0, 0.26) << ms;
                    EXPECT_NEAR(major / minor, 10.0, 2.5);
                } else {
                    EXPECT_EQ(points % static_cast<int>(major), 0);
                }
            }
        }
    }
    // By points: 2500 points tick every 100 and draw a full line every 500.
    w->opt_ScaleType(0).setValue(true);
    w->opt_Range(1).setValue(true);
    gridLines(ticks, full, horizontal);
    EXPECT_EQ(ticks.size(), 26u);
    EXPECT_EQ(full, (std::vector<double>{0, 500, 1000, 1500, 2000, 2500}));
    // By time, a step below one point counts as one: 100 points over
    // 1.67 ms tick every 6 points (0.1 ms), never every 0.
    w->opt_ScaleType(1).setValue(true);
    w->opt_Range(5).setValue(true);
    w->opt_SamplingRate(0).setValue(true);
    gridLines(ticks, full, horizontal);
    EXPECT_EQ(ticks[1] - ticks[0], 6);
    EXPECT_EQ(Moni_TimeSteps(1, 100).minor, 1);
    EXPECT_EQ(Moni_TimeSteps(100, 0).minor, 100);
}

TEST_F(InputMonitor, StopEndsTheRunWithinOnePassEvenWithABoardThatNeverWaits) {
    useBoard(2);
    // An acquisition that returns at once without letting the loop run:
    // only the monitor's own yield can see the stop click.
    w->proc.Run_DaqAcquisition.bind([this] {
        requested.push_back(w->st.daq.n_AD_Sample);
        if (requested.size() > 1000) w->st.flags.flg_Measuring = 0;  // a loop that never yields
    });
    loop.setDoEventsCost(1);
    runUntilStop(40);
    ASSERT_GE(stopClickedAtPass, 1);
    EXPECT_LE(static_cast<int>(requested.size()) - stopClickedAtPass, 1);
    EXPECT_LE(loop.nowMs(), 41);

    // The same on the instant simulated board.
    requested.clear();
    stopClickedAtPass = -1;
    w->proc.Run_DaqAcquisition.bind([this] {
        requested.push_back(w->st.daq.n_AD_Sample);
        Run_DaqAcquisition(*w);
    });
    runUntilStop(loop.nowMs() + 25);
    ASSERT_GE(stopClickedAtPass, 1);
    EXPECT_LE(static_cast<int>(requested.size()) - stopClickedAtPass, 1);
}

TEST_F(InputMonitor, AnOptionClickedDuringARunAppliesAtTheNextPass) {
    useBoard(2);
    int passWhenClicked = -1;
    loop.at(21, [&] {
        passWhenClicked = static_cast<int>(requested.size());
        w->opt_Range(5).userClick();  // 100 points
        EXPECT_EQ(w->lbl_Moni(1).caption(), "100");
        EXPECT_EQ(w->lbl_Moni(2).caption(), "4");
    });
    // Pictures (each begins with a clear): one per display frame at most,
    // although a pass of this board takes 4 ms; besides them, the last pass
    // and the grid the option click redraws.
    int pictures = 0;
    size_t lastSize = 0;
    w->pic_Graph_Moni.setObserver([&](forms::Control& c, forms::Property p) {
        if (p != forms::Property::Picture) return;
        const size_t size = static_cast<forms::PictureBox&>(c).displayList().size();
        if (size == 1 && lastSize != 1) ++pictures;
        lastSize = size;
    });
    runUntilStop(50);
    EXPECT_GE(pictures, 2);
    EXPECT_LE(pictures, 50 / kMoniFrameMs + 1 + 2);
    ASSERT_GT(passWhenClicked, 0);
    ASSERT_GT(static_cast<int>(requested.size()), passWhenClicked);
    for (int p = 0; p < static_cast<int>(requested.size()); ++p)
        EXPECT_EQ(requested[p], p < passWhenClicked ? 500 : 100) << p;
    EXPECT_EQ(trace(static_cast<forms::Color>(kColorHead[1])).size(), 100u);
    EXPECT_EQ(w->pic_Graph_Moni.scaleWidth(), 100);
}

TEST_F(InputMonitor, TriggerTimeOutEndsTheRunWithOneMessage) {
    useBoard(2, "NoTrigger = 1\n");
    w->st.flags.flg_Measuring = 1;
    w->proc.Run_InputMonitor();
    EXPECT_EQ(requested.size(), 1u);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].prompt, "Error: No Trigger signal.(wait for 400ms)");
    EXPECT_EQ(w->st.flags.flg_Measuring, 0);
    EXPECT_EQ(w->st.daq.DaqBusy, 0);
}

}  // namespace
}  // namespace morva
