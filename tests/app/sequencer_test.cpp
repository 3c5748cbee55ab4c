// The sequencer's rules that need no measurement: the sensitivity entry's
// waveform type and second value panel, the inert buttons, flg_Busy.

#include <string>

#include "tests/app/operator_fixture.h"

namespace morva::test {
namespace {

using Sequencer = OperatorRoad;

TEST_F(Sequencer, SensitivityEntryChoosesTheWaveformTypeAndTheSecondValuePanel) {
    FrmMain& win = start();
    // VK-210 (2 heads) on a one-channel board: type 4, 4 x 1 > 2 shows panel 1.
    win.lbl_n_AD_Channel.setCaption("1");
    win.cmb_ModelNameList.setListIndex(0);
    ASSERT_EQ(win.st.model.nHead, 2);
    click(0);
    EXPECT_EQ(win.st.msr.nType_SensWF, 4);
    EXPECT_TRUE(win.pic_SensVal(1).visible());
    click(14);

    // VK-450 (4 heads), one channel: type 2, 2 x 1 = 2 hides it.
    win.cmb_ModelNameList.setListIndex(1);
    click(0);
    EXPECT_EQ(win.st.msr.nType_SensWF, 2);
    EXPECT_FALSE(win.pic_SensVal(1).visible());
    click(14);

    // Four heads on a three-channel board: the type stays as it was.
    win.st.msr.nType_SensWF = 7;
    win.lbl_n_AD_Channel.setCaption("3");
    click(0);
    EXPECT_EQ(win.st.msr.nType_SensWF, 7);
    EXPECT_EQ(acquisitions, 0);
}

TEST_F(Sequencer, InertButtonsAndABusyWindowDoNothing) {
    FrmMain& win = start();
    click(0);
    const std::string before = win.lbl_FuncCondition(0).caption();
    for (int b : {15, 16, 17, 18, 33, 9, 99})
        win.cmd_StartFunction.exists(b) ? win.cmd_StartFunction(b).setValue(true) : void();
    EXPECT_TRUE(win.pic_CmdMenu(1).visible());
    EXPECT_EQ(win.lbl_FuncCondition(0).caption(), before);

    win.st.flags.flg_Busy = 1;
    click(11);
    click(14);
    EXPECT_TRUE(win.pic_CmdMenu(1).visible());
    EXPECT_EQ(win.st.flags.flg_Measuring, 0);
    EXPECT_EQ(acquisitions, 0);
}

}  // namespace
}  // namespace morva::test
