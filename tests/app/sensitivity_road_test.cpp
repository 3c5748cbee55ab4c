// The sensitivity road: Sensitivity, Waveform, Measurement on the demo's
// VK-450 with the simulated board, in virtual time.

#include <string>
#include <vector>

#include "core/numbers.h"
#include "tests/app/operator_fixture.h"
#include "view/limit_verdict.h"

namespace morva::test {
namespace {

using SensitivityRoad = OperatorRoad;

// Averaging switched on while the fifth pass acquires: that pass and the
// next two fill slots 1..3, then the run ends by itself with the average.
// The recorder gets its commands in order and one OSP; the value is the
// board's slope.
TEST_F(SensitivityRoad, AveragingStartedInTheFifthPassTakesThreeAcquisitionsThenFinishes) {
    FrmMain& win = start();
    win.st.settings.RemoteControl = 1;
    recorderAnswers();
    recordCaptions(win.lbl_Info(1));
    clickDuring(5, 12);
    runActionsDuringAcquisitions();

    click(0);  // loads the model's row: nLoop_MsrSens 5
    EXPECT_EQ(win.st.msr.nLoop_MsrSens, 5);
    win.st.msr.nLoop_MsrSens = 3;
    EXPECT_TRUE(win.pic_Page(1).visible());
    EXPECT_TRUE(win.pic_CmdMenu(1).visible());
    for (int i : {0, 2, 3})
        EXPECT_FALSE(win.pic_Page(i).visible()) << i;
    for (int i : {0, 2, 3, 4})
        EXPECT_FALSE(win.pic_CmdMenu(i).visible()) << i;
    EXPECT_EQ(win.defaultButton(), &win.cmd_StartFunction(11));
    EXPECT_EQ(win.cancelButton(), &win.cmd_StartFunction(14));
    EXPECT_TRUE(win.cmd_StartFunction(11).hasFocus());

    click(11);  // returns when the run has ended
    EXPECT_EQ(acquisitions, 7);
    EXPECT_EQ(captions[&win.lbl_Info(1)], (std::vector<std::string>{"1 / 3", "2 / 3", "3 / 3"}));
    EXPECT_EQ(win.st.ProgBarStep, 100);
    EXPECT_EQ(commands(), (std::vector<std::string>{"$MS:00:30", "$MS:00:32", "OPL", "OSP"}));
    EXPECT_TRUE(win.lbl_Info(6).visible());
    EXPECT_TRUE(win.pic_Info(0).visible());
    EXPECT_FALSE(win.pic_Info(2).visible());
    EXPECT_EQ(win.lbl_FuncCondition(0).caption(), "STOP");
    EXPECT_EQ(win.lbl_FuncCondition(1).caption(), "OFF");
    EXPECT_FALSE(win.cmd_StartFunction(12).enabled());
    EXPECT_TRUE(win.cmd_StartFunction(13).enabled());
    EXPECT_EQ(win.lbl_SensVal(0).backColor(), kWithinLimitColor);  // the demo's 40 ± 10
    EXPECT_EQ(win.lbl_SensVal(0).caption(), formatFixed(win.st.sens.SensVal[0], 1));
    EXPECT_NEAR(win.st.sens.SensVal[0], 40.0, 0.02 * 40.0);
    EXPECT_NEAR(win.st.sens.SensVal[1], 40.0, 0.02 * 40.0);
    EXPECT_FALSE(win.txt_debug_sens(5).text().empty());
    EXPECT_EQ(win.st.flags.flg_Measuring, 0);
    EXPECT_EQ(win.st.flags.flg_Averaging, 0);
    EXPECT_EQ(win.st.flags.flg_SensAvgDone, 1);
    EXPECT_EQ(win.st.flags.RunDepth, 0);
    EXPECT_TRUE(win.cmb_VTRmode_List.enabled());
    EXPECT_TRUE(win.cmb_ModelNameList.enabled());
    EXPECT_TRUE(win.cmb_MasterTapeList.enabled());
    EXPECT_TRUE(dialogs.shown().empty());
}

// Averaging on, off, on again: the count starts again at 1, so the average
// holds only the passes of the last averaging. The board's slope changes
// between the two averagings: a mixed average would be off by 3 %.
TEST_F(SensitivityRoad, AveragingOffAndOnAgainRestartsTheCountAtOne) {
    FrmMain& win = start();
    setBoard("SensSlope = ", "36");
    recordCaptions(win.lbl_Info(1));
    clickDuring(3, 12);  // on
    clickDuring(4, 12);  // off
    actionsDuring.emplace(6, [this] { setBoard("SensSlope = ", "40"); });
    clickDuring(6, 12);  // on again
    runActionsDuringAcquisitions();

    click(0);
    win.st.msr.nLoop_MsrSens = 3;
    click(11);
    EXPECT_EQ(acquisitions, 8);
    EXPECT_EQ(captions[&win.lbl_Info(1)],
              (std::vector<std::string>{"1 / 3", "2 / 3", "1 / 3", "2 / 3", "3 / 3"}));
    EXPECT_NEAR(win.st.sens.SensVal[0], 40.0, 0.01 * 40.0);
    EXPECT_TRUE(win.lbl_Info(6).visible());
}

// Stopped while not averaging: the last pass's value stays, the run sets
// no end state; with a count of 0 in the model row one acquisition counts.
// Then a stored count of 0 averages over one acquisition.
TEST_F(SensitivityRoad, StopKeepsTheLastValueAndACountOfZeroAveragesOnePass) {
    FrmMain& win = start();
    clickDuring(4, 11);
    runActionsDuringAcquisitions();
    click(0);
    click(11);
    EXPECT_EQ(acquisitions, 4);
    EXPECT_EQ(win.lbl_FuncCondition(0).caption(), "STOP");
    EXPECT_FALSE(win.lbl_Info(6).visible());
    EXPECT_EQ(win.lbl_SensVal(0).backColor(), 0xE0E0E0);
    EXPECT_EQ(win.lbl_SensVal(0).caption(), formatFixed(win.st.sens.SensVal[0], 1));
    EXPECT_EQ(win.st.flags.flg_SensAvgDone, 0);
    EXPECT_TRUE(win.cmb_VTRmode_List.enabled());

    win.st.msr.nLoop_MsrSens = 0;
    actionsDuring.clear();
    clickDuring(6, 12);
    click(11);
    EXPECT_EQ(acquisitions, 6);
    EXPECT_EQ(win.lbl_Info(1).caption(), "1 / 1");
    EXPECT_EQ(win.st.msr.nLoop_MsrSens, 0);  // the stored value stays as typed
    EXPECT_TRUE(win.lbl_Info(6).visible());
    EXPECT_NEAR(win.st.sens.SensVal[0], 40.0, 0.02 * 40.0);
}

}  // namespace
}  // namespace morva::test
