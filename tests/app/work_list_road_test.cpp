// The work-list guidance: the demo VK-450's list walked with Enter and Esc
// alone, each item measured in its own tape mode.

#include <string>
#include <vector>

#include "core/numbers.h"
#include "measure/msr_lin_run.h"
#include "measure/msr_sens_run.h"
#include "tests/app/operator_fixture.h"

namespace morva::test {
namespace {

using WorkListRoad = OperatorRoad;

// After the first pick, Enter answers every step (start, averaging or peak
// hold, "Next") and Esc goes back to the main menu. "Next" on the last item
// wraps to the first.
TEST_F(WorkListRoad, TheWholeListIsWalkedWithEnterAndEscAlone) {
    FrmMain& win = start();
    win.st.settings.PeakHoldTime = 1;
    std::vector<std::string> runs;
    const auto where = [&win] {
        return win.cmb_VTRmode_List.text() + " " + numberTextSingle(win.st.model.TrackPitch);
    };
    win.proc.Run_MsrSens.bind([&] {
        runs.push_back("Sens " + where());
        Run_MsrSens(win);
        if (win.st.flags.flg_SensAvgDone != 1) runs.back() += " unfinished";
    });
    win.proc.Run_MsrLin.bind([&] {
        runs.push_back("Lin " + where());
        Run_MsrLin(win);
        if (!win.lbl_Info(6).visible()) runs.back() += " unfinished";
    });
    ASSERT_EQ(win.lst_WorkList.listCount(), 5);

    win.lst_WorkList.userSelect(0);
    EXPECT_TRUE(win.pic_CmdMenu(1).visible());
    EXPECT_TRUE(win.cmd_StartFunction(11).hasFocus());
    EXPECT_EQ(win.lbl_WorkList(0).caption(), "CH1: TP201 (RF-A)");
    EXPECT_EQ(win.lbl_WorkList(1).caption(), "CH2: TP201 (RF-B)");
    EXPECT_EQ(win.lbl_WorkList(2).caption(), "GND: TP203 (GND)");

    // Five items of three steps each, 2 s apart, then Esc.
    const int64_t t0 = loop.nowMs();
    constexpr int kEnters = 15;
    for (int k = 1; k <= kEnters; ++k)
        loop.at(
            t0 + 2000 * k, [&win] { win.userReturn(); }, "Enter");
    loop.at(
        t0 + 2000 * (kEnters + 1), [&win] { win.userEscape(); }, "Esc");
    loop.runUntil(t0 + 2000 * (kEnters + 2));

    EXPECT_EQ(runs, (std::vector<std::string>{"Sens STD 10", "Lin STD 10", "Sens LONG 6.7", "Lin LONG 6.7",
                                              "Lin EXT 5"}));
    // The wrap picked the first item again; Esc then left its function.
    EXPECT_TRUE(win.pic_CmdMenu(0).visible());
    EXPECT_TRUE(win.pic_Page(0).visible());
    EXPECT_EQ(win.lst_WorkList.listIndex(), -1);
    EXPECT_FALSE(win.cmd_StartFunction(13).visible());
    EXPECT_EQ(win.st.flags.RunDepth, 0);
    EXPECT_TRUE(dialogs.shown().empty());
}

// The channel count changing (in the options) refreshes the connection
// texts of the selected item and enters no function.
TEST_F(WorkListRoad, ChannelCountChangeRefreshesTheTextsOnly) {
    FrmMain& win = start();
    // An item selected while the window was busy: no function entered.
    win.st.flags.flg_Busy = 1;
    win.lst_WorkList.setListIndex(2);
    win.st.flags.flg_Busy = 0;
    ASSERT_TRUE(win.pic_CmdMenu(0).visible());

    win.lbl_n_AD_Channel.setCaption("1");
    EXPECT_EQ(win.lbl_WorkList(0).caption(), "TP201 (RF-A)");
    EXPECT_EQ(win.lbl_WorkList(1).caption(), "");
    EXPECT_EQ(win.lbl_WorkList(2).caption(), "TP203 (GND)");
    win.lbl_n_AD_Channel.setCaption("2");
    EXPECT_EQ(win.lbl_WorkList(0).caption(), "CH1: TP201 (RF-A)");
    EXPECT_EQ(win.lbl_WorkList(1).caption(), "CH2: TP201 (RF-B)");
    EXPECT_TRUE(win.pic_CmdMenu(0).visible());
    EXPECT_FALSE(win.pic_CmdMenu(1).visible());
    EXPECT_EQ(acquisitions, 0);
    EXPECT_TRUE(dialogs.shown().empty());
}

}  // namespace
}  // namespace morva::test
