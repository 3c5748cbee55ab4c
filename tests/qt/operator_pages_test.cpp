// The operator's road in the real window on Qt's loop: the finished
// sensitivity and linearity pages saved as screenshots, the keys Return and
// Esc through the widgets, and the real-time rate of a linearity run
// against the simulated board in real-time mode.

#include <dlfcn.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <QKeyEvent>
#include <QMainWindow>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/build_main_window.h"
#include "demo_window_fixture.h"
#include "files/text_file.h"
#include "io/daq_acquisition.h"
#include "measure/msr_lin_run.h"
#include "measure/msr_sens_run.h"
#include "tests/timing_build.h"

namespace {

namespace fs = std::filesystem;
using morva::FrmMain;

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_utime.tv_usec / 1e6 + u.ru_stime.tv_sec + u.ru_stime.tv_usec / 1e6;
}

double wallSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

struct OperatorWindow : DemoWindowTest {
    void TearDown() override {
        DemoWindowTest::TearDown();
        view.reset();
    }

    // Sets the line starting with `key` of a file in the program folder.
    void setLine(const std::string& file, const std::string& key, const std::string& value) {
        auto lines = morva::readTextLines(folder / file);
        ASSERT_TRUE(lines.has_value());
        for (auto& line : *lines)
            if (line.rfind(key, 0) == 0) line = key + value;
        std::ofstream out(folder / file, std::ios::binary);
        for (const auto& line : *lines)
            out << line << "\r\n";
    }
    void setBoard(const std::string& key, const std::string& value) { setLine("daqsim.dat", key, value); }

    FrmMain& open() {
        w = morva::Build_MainWindow(app, folder.string());
        w->show();
        w->st.settings.Message_SerialInput = 0;
        settle();
        return *w;
    }

    void press(int button) { w->cmd_StartFunction(button).setValue(true); }

    // Runs `action` from the loop after `ms` (the road's next click arrives
    // while a run loops inside the click before it).
    void later(int ms, std::function<void()> action) { QTimer::singleShot(ms, std::move(action)); }

    void save(const std::string& name) {
        settle();
        QImage shot = view->windowOf(*w)->grab().toImage();
        fs::create_directories(screenshotFolder());
        const fs::path file = screenshotFolder() / name;
        ASSERT_TRUE(shot.save(QString::fromStdString(file.string()))) << file;
        EXPECT_GT(shot.width(), 600);
    }
};

// The operator's road in each language, as the README shows it: the main
// page, then Sensitivity, Waveform, Measurement gives a value on screen;
// then the linearity with peak hold and Finish. The pages are saved for a
// person to look at, with the values judged against the model's limits.
struct OperatorRoadPages : OperatorWindow, ::testing::WithParamInterface<const char*> {};

TEST_P(OperatorRoadPages, MainSensitivityAndLinearityPages) {
    const std::string language = GetParam();
    setBoard("Timing = ", "instant");
    if (language == "ja") setLine("MORVA StartupSetting.dat", "Language = ", "Japanese");
    FrmMain& win = open();
    EXPECT_EQ(win.lbl_Language.caption(), language == "ja" ? "Japanese" : "English");
    save("road_main_" + language + ".png");

    press(0);
    win.st.msr.nLoop_MsrSens = 3;
    later(300, [this] { press(12); });
    press(11);
    ASSERT_TRUE(win.lbl_Info(6).visible());
    EXPECT_NE(win.lbl_SensVal(0).caption(), "");
    // Which passes the averaging takes depends on real time here, and the
    // average is formed from whole-number sums (steps of 1/3 with three
    // acquisitions): within one step of the board's slope of 40.
    EXPECT_NEAR(win.st.sens.SensVal[0], 40.0, 1.0);
    // VK-450's limit is 40 +- 10: the value box shows the verdict.
    EXPECT_NE(win.lbl_SensLimit(0).caption(), "");
    save("road_sensitivity_" + language + ".png");

    press(19);
    later(300, [this] { press(22); });
    later(600, [this] { press(25); });
    press(21);
    ASSERT_TRUE(win.lbl_Info(6).visible());
    EXPECT_EQ(win.lbl_LinVal(0).caption().empty(), false);
    save("road_linearity_" + language + ".png");
}

INSTANTIATE_TEST_SUITE_P(Languages, OperatorRoadPages, ::testing::Values("en", "ja"));

// The whole VK-450 work list walked with Return and Esc on the real
// widgets: after the first pick, Return answers every step (start,
// averaging or peak hold, "Next"), and Esc leaves the function the wrap
// entered.
TEST_F(OperatorWindow, WorkListWalkedWithReturnAndEscapeThroughTheWidgets) {
    setBoard("Timing = ", "instant");
    FrmMain& win = open();
    win.st.settings.PeakHoldTime = 1;
    QMainWindow* window = view->windowOf(win);
    window->activateWindow();
    QApplication::setActiveWindow(window);
    std::vector<std::string> runs;
    win.proc.Run_MsrSens.bind([&] {
        runs.push_back("Sens " + win.cmb_VTRmode_List.text());
        morva::Run_MsrSens(win);
    });
    win.proc.Run_MsrLin.bind([&] {
        runs.push_back("Lin " + win.cmb_VTRmode_List.text());
        morva::Run_MsrLin(win);
    });
    win.lst_WorkList.userSelect(0);  // "STD Gain"
    settle();
    ASSERT_TRUE(win.cmd_StartFunction(11).hasFocus());

    // Delays before each key: a gain item takes start, averaging, "Next";
    // a linearity item start, peak hold (1 s, then the final data), "Next".
    struct Step {
        int delayMs;
        Qt::Key key;
    };
    std::vector<Step> steps;
    for (const bool gain : {true, false, true, false, false}) {
        steps.push_back({300, Qt::Key_Return});
        steps.push_back({300, Qt::Key_Return});
        steps.push_back({gain ? 300 : 1800, Qt::Key_Return});
    }
    steps.push_back({300, Qt::Key_Escape});
    size_t next = 0;
    bool done = false;
    std::function<void()> pressNext = [&] {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
        QTest::keyClick(target, steps[next].key);
        if (++next == steps.size()) {
            done = true;
            return;
        }
        QTimer::singleShot(steps[next].delayMs, pressNext);
    };
    QTimer::singleShot(steps[0].delayMs, pressNext);
    ASSERT_TRUE(waitUntil([&] { return done; }, 30000));
    settle();
    EXPECT_EQ(runs, (std::vector<std::string>{"Sens STD", "Lin STD", "Sens LONG", "Lin LONG", "Lin EXT"}));
    EXPECT_TRUE(win.pic_CmdMenu(0).visible());
    EXPECT_EQ(win.lst_WorkList.listIndex(), -1);
    EXPECT_EQ(win.st.flags.RunDepth, 0);
}

// The board in real time: a loop of bare acquisitions against a linearity
// run on the same board, passes per second, the ratio and the processor
// time of the process during the run.
TEST_F(OperatorWindow, LinearityRunKeepsUpWithTheBoardInRealTime) {
    MORVA_SKIP_TIMING_IN_SANITIZED_BUILD();
    FrmMain& win = open();  // the demo board: Timing = realtime
    press(1);
    for (float& s : win.st.sens.Sens_Slot)
        s = 40.0f;
    auto& st = win.st;
    st.settings.n_AD_Channel = static_cast<int16_t>(st.model.n_AD_channel_Lin);
    st.daq.AD_SamplingRate = st.model.AD_SplRate_Lin;
    st.daq.n_AD_Sample = st.model.nADdata_Lin;
    constexpr double kSeconds = 3.0;

    int bare = 0;
    double t0 = wallSeconds();
    while (wallSeconds() - t0 < kSeconds) {
        morva::Run_DaqAcquisition(win);
        ASSERT_EQ(st.daq.flg_DaqDataValid, 1);
        ++bare;
    }
    const double bareRate = bare / (wallSeconds() - t0);

    int passes = 0;
    double runStart = 0, runEnd = 0, cpuStart = 0, cpuEnd = 0;
    win.proc.Run_DaqAcquisition.bind([&] {
        morva::Run_DaqAcquisition(win);
        if (st.flags.flg_MsrLin != 1 || st.flags.flg_LinFinish == 1) return;
        // Count the real-time passes after the buffer fill.
        if (++passes == st.msr.nLoop_LinRealTime + 1) {
            runStart = wallSeconds();
            cpuStart = cpuSeconds();
        }
        runEnd = wallSeconds();
        cpuEnd = cpuSeconds();
    });
    later(static_cast<int>((kSeconds + 1.5) * 1000), [this] { press(25); });
    press(21);
    ASSERT_TRUE(win.lbl_Info(6).visible());
    const int counted = passes - (st.msr.nLoop_LinRealTime + 1);
    const double runRate = counted / (runEnd - runStart);
    const double cpu = (cpuEnd - cpuStart) / (runEnd - runStart);
    std::printf(
        "bare acquisitions: %d in %.2f s = %.2f /s; linearity passes: %.2f /s; ratio %.3f; CPU %.1f %%\n",
        bare, kSeconds, bareRate, runRate, runRate / bareRate, cpu * 100);
    RecordProperty("bare_per_second", std::to_string(bareRate));
    RecordProperty("run_per_second", std::to_string(runRate));
    EXPECT_GE(runRate, 0.95 * bareRate);
}

}  // namespace
