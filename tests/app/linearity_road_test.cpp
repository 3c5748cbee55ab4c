// The linearity road after a sensitivity measurement: buffer fill,
// real-time passes, peak hold, "Finish", final acquisitions, the automatic
// save; and what may go wrong on the way.

#include <algorithm>
#include <string>
#include <vector>

#include "core/numbers.h"
#include "measure/lin_average.h"
#include "measure/run_steps.h"
#include "tests/app/operator_fixture.h"

namespace morva::test {
namespace {

using LinearityRoad = OperatorRoad;

bool contains(const std::vector<std::string>& seen, const std::vector<std::string>& wanted) {
    auto it = seen.begin();
    for (const auto& w : wanted) {
        it = std::find(it, seen.end(), w);
        if (it == seen.end()) return false;
        ++it;
    }
    return true;
}

// Peak hold for 3 s: the third tick finishes; exactly nLoop_LinFinalData
// final acquisitions; the end state; one OSP; one save with the comment.
TEST_F(LinearityRoad, PeakHoldForThreeSecondsFinishesAtTheThirdTickAndSavesOnce) {
    FrmMain& win = start();
    win.st.settings.RemoteControl = 1;
    recorderAnswers();
    measureSensitivity();
    enterLinearity();
    ASSERT_EQ(ring, 8);
    ASSERT_EQ(finals, 10);
    EXPECT_EQ(win.lbl_MsrInfo(0).caption(), "AB1234");  // the drive tester's serial
    win.st.settings.PeakHoldTime = 3;
    win.st.settings.AutoSave = 1;
    win.st.settings.Message_CommentInput = 1;
    dialogs.type("after head swap");
    countSaves();
    recordCaptions(win.lbl_Info(1));
    const int osp = count("OSP");
    clickDuring(base + ring + 2, 22);

    click(21);
    EXPECT_EQ(win.st.PeakHold_Count, 3);
    EXPECT_TRUE(contains(captions[&win.lbl_Info(1)], {"1 / 8", "8 / 8", "0 / 3 sec", "1 / 3 sec", "2 / 3 sec",
                                                      "3 / 3 sec", "1 / 10", "10 / 10"}));
    EXPECT_EQ(finalAcquisitions, finals);
    EXPECT_EQ(count("OSP"), osp + 1);
    EXPECT_EQ(autoNames, 1);
    EXPECT_EQ(saves, 1);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.shown()[0].input);
    EXPECT_EQ(dialogs.shown()[0].prompt, "Input Comment ?");
    EXPECT_EQ(dialogs.shown()[0].title, "For MORVA Data File");
    EXPECT_EQ(win.lbl_MsrInfo(1).caption(), "after head swap");
    EXPECT_EQ(win.st.flags.flg_Unsaved, 1);

    EXPECT_TRUE(win.lbl_Info(6).visible());
    EXPECT_EQ(win.lbl_FuncCondition(2).caption(), "STOP");
    EXPECT_EQ(win.lbl_FuncCondition(3).caption(), "OFF");
    for (int b : {22, 25, 26})
        EXPECT_FALSE(win.cmd_StartFunction(b).enabled()) << b;
    EXPECT_TRUE(win.cmd_StartFunction(23).enabled());
    EXPECT_FALSE(win.timer_PeakHold.enabled());
    EXPECT_TRUE(win.cmb_VTRmode_List.enabled());
    EXPECT_TRUE(win.cmb_MasterTapeList.enabled());
    EXPECT_EQ(win.st.flags.RunDepth, 0);
    EXPECT_EQ(win.st.flags.flg_PeakHold, 1);
    EXPECT_TRUE(win.pic_WavVal(0).visible());
    EXPECT_EQ(win.lbl_LinVal(0).caption(), LinValueText(win.st.lin.LinVal[0]));
    EXPECT_EQ(win.lbl_WavVal(0).caption(), LinValueText(win.st.lin.WavVal[0]));
    EXPECT_GT(win.st.lin.WavVal[0], 0);
    const std::vector<std::string> sent = commands();
    EXPECT_EQ(std::vector<std::string>(sent.end() - 3, sent.end()),
              (std::vector<std::string>{"$MS:00:33", "OPL", "OSP"}));
}

// Reset during the real-time passes: the buffer is filled again from slot 1
// and Lin is the mean of the refill alone. The board's level moves at the
// reset, so a mean that kept anything older would differ. A ring size typed
// meanwhile takes effect at the refill, not in the middle of a ring, and
// stays as typed after the run.
TEST_F(LinearityRoad, ResetRefillsTheBufferAndLinIsTheRefillsMeanOnly) {
    FrmMain& win = start();
    measureSensitivity();
    enterLinearity();
    recordCaptions(win.lbl_Info(1));
    constexpr int kTyped = 4;
    actionsDuring.emplace(base + ring + 1, [&win] { win.st.msr.nLoop_LinRealTime = kTyped; });
    const int resetAt = base + ring + 3;
    actionsDuring.emplace(resetAt, [this] { setBoard("LinCentre = ", "2600"); });
    clickDuring(resetAt, 26);
    LinState snapshot;
    actionsDuring.emplace(resetAt + kTyped + 1, [&] { snapshot = win.st.lin; });
    clickDuring(resetAt + kTyped + 2, 25);

    click(21);
    const auto& counter = captions[&win.lbl_Info(1)];
    EXPECT_EQ(std::count(counter.begin(), counter.end(), "1 / 8"), 1);
    EXPECT_EQ(std::count(counter.begin(), counter.end(), "1 / 4"), 1);
    for (int l = 0; l < 2; ++l) {
        for (int i = 1; i <= win.st.params.nData_LinWF; ++i) {
            int32_t mean = 0;
            for (int s = 1; s <= kTyped; ++s)
                mean = toInt32(static_cast<double>(snapshot.LinWF_Buf[s][l][i]) / kTyped + mean);
            ASSERT_EQ(snapshot.Lin[l][i], mean) << "line " << l << " point " << i;
        }
    }
    EXPECT_EQ(finalAcquisitions, finals);
    EXPECT_TRUE(win.lbl_Info(6).visible());
    EXPECT_EQ(win.st.msr.nLoop_LinRealTime, kTyped);
}

// The board misses its trigger at the second final acquisition: one
// message, no "Finish !!", no OSP, no save, the board closed.
TEST_F(LinearityRoad, TimeOutAtTheSecondFinalAcquisitionEndsWithoutResult) {
    FrmMain& win = start();
    win.st.settings.RemoteControl = 1;
    recorderAnswers();
    measureSensitivity();
    enterLinearity();
    win.st.settings.AutoSave = 1;
    win.st.settings.Message_CommentInput = 1;
    countSaves();
    const int osp = count("OSP");
    missTrigger = [this](int) { return finalAcquisitions == 2; };
    clickDuring(base + ring + 2, 25);
    dialogs.clear();

    click(21);
    EXPECT_EQ(finalAcquisitions, 2);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].prompt, "Error: No Trigger signal.(wait for 15000ms)");
    EXPECT_FALSE(win.lbl_Info(6).visible());
    EXPECT_EQ(count("OSP"), osp);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(autoNames, 0);
    EXPECT_EQ(win.st.flags.flg_Unsaved, 0);
    EXPECT_EQ(openDevices(), 0u);
    EXPECT_EQ(win.st.daq.DaqBusy, 0);
    EXPECT_EQ(win.st.flags.RunDepth, 0);
    EXPECT_EQ(win.st.flags.flg_Measuring, 0);
    EXPECT_EQ(win.st.flags.flg_LinFinish, 0);
    EXPECT_FALSE(win.timer_PeakHold.enabled());
    EXPECT_TRUE(win.cmb_VTRmode_List.enabled());
    EXPECT_TRUE(win.cmb_ModelNameList.enabled());
    EXPECT_EQ(win.lbl_FuncCondition(2).caption(), "STOP");
}

// A click on "Waveform" while the final acquisitions run starts no second
// run (never two boards open); "Waving" after "Finish" is disabled.
TEST_F(LinearityRoad, WaveformClickDuringTheFinalPhaseStartsNothing) {
    FrmMain& win = start();
    measureSensitivity();
    enterLinearity();
    clickDuring(base + ring + 2, 25);
    clickDuring(base + ring + 4, 21);
    clickDuring(base + ring + 4, 22);
    click(21);
    EXPECT_EQ(acquisitions, base + ring + 2 + finals);
    EXPECT_EQ(finalAcquisitions, finals);
    EXPECT_LE(mostOpen, 1u);
    EXPECT_TRUE(win.lbl_Info(6).visible());
    EXPECT_EQ(win.st.lin.WavVal[0], 0);  // peak hold never started
    EXPECT_EQ(win.st.flags.RunDepth, 0);
}

// "Finish" during the buffer fill: the final data come at once and the
// envelope starts at the result, not at another run's lines.
TEST_F(LinearityRoad, FinishDuringTheBufferFillSeedsTheEnvelopeFromTheResult) {
    FrmMain& win = start();
    measureSensitivity();
    enterLinearity();
    for (auto& row : win.st.lin.WavMax)
        row.fill(9999);
    win.st.lin.WavVal[0] = 777;
    clickDuring(base + 2, 25);
    click(21);
    EXPECT_EQ(acquisitions, base + 2 + finals);
    for (int i = 1; i <= win.st.params.nData_LinWF; ++i) {
        ASSERT_EQ(win.st.lin.WavMax[0][i], win.st.lin.LinAvg[0][i]) << i;
        ASSERT_EQ(win.st.lin.WavMin[0][i], win.st.lin.LinAvg[0][i]) << i;
    }
    EXPECT_EQ(win.st.lin.WavVal[0], 0);
    EXPECT_TRUE(win.lbl_Info(6).visible());
}

// A peak-hold time of 0 finishes at the first tick instead of never.
TEST_F(LinearityRoad, PeakHoldTimeOfZeroFinishesAtTheFirstTick) {
    FrmMain& win = start();
    measureSensitivity();
    enterLinearity();
    win.st.settings.PeakHoldTime = 0;
    clickDuring(base + ring + 1, 22);
    click(21);
    EXPECT_EQ(win.st.PeakHold_Count, 1);
    EXPECT_EQ(finalAcquisitions, finals);
    EXPECT_TRUE(win.lbl_Info(6).visible());
}

// No sensitivity measured yet: one clear message in the window's language,
// and the run ends as after an acquisition error.
TEST_F(LinearityRoad, WithoutASensitivityOneMessageEndsTheRun) {
    FrmMain& win = start();
    click(1);
    click(21);
    EXPECT_EQ(acquisitions, 1);
    ASSERT_EQ(dialogs.prompts(), std::vector<std::string>{NoSensitivityMessage("English")});
    EXPECT_EQ(win.lbl_FuncCondition(2).caption(), "STOP");
    EXPECT_EQ(win.st.flags.flg_Measuring, 0);
    EXPECT_EQ(win.st.flags.RunDepth, 0);
    EXPECT_TRUE(win.cmb_VTRmode_List.enabled());
    EXPECT_FALSE(win.lbl_Info(6).visible());

    win.lbl_Language.setCaption("Japanese");
    dialogs.clear();
    click(21);
    EXPECT_EQ(dialogs.prompts(), std::vector<std::string>{NoSensitivityMessage("Japanese")});
    EXPECT_NE(NoSensitivityMessage("Japanese"), NoSensitivityMessage("English"));
}

// The window closed while the final acquisitions run: the run ends at once,
// with no further acquisition, prompt, OSP or save.
TEST_F(LinearityRoad, ClosingTheWindowEndsTheRunAtOnce) {
    FrmMain& win = start();
    win.st.settings.RemoteControl = 1;
    recorderAnswers();
    measureSensitivity();
    enterLinearity();
    win.st.settings.AutoSave = 1;
    win.st.settings.Message_CommentInput = 1;
    countSaves();
    const int osp = count("OSP");
    clickDuring(base + ring + 2, 25);
    actionsDuring.emplace(base + ring + 4, [this] { loop.at(loop.nowMs(), [this] { w->userClose(); }); });
    dialogs.clear();
    click(21);
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(acquisitions, base + ring + 4);
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(count("OSP"), osp);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(win.st.flags.RunDepth, 0);
    EXPECT_EQ(openDevices(), 0u);
}

}  // namespace
}  // namespace morva::test
