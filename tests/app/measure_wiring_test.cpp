// The measurement subsystem's handlers in the built window: the master-tape
// correction loads with the tape selection, the linearity page's switches
// and adjustment buttons reach the state, the redraws go through the table.

#include <string>
#include <vector>

#include "core/numbers.h"
#include "measure/master_tape_correction.h"
#include "tests/app/operator_fixture.h"

namespace morva::test {
namespace {

using MeasureWiring = OperatorRoad;

TEST_F(MeasureWiring, TapeSelectionLoadsItsCorrectionAndAdvancedModeDrawsIt) {
    FrmMain& win = start();
    // At start-up the startup tape's correction is in place.
    const MasterTapeCorrection expected = Read_MasterTapeCorrection(win.st.ProgramFolder, "MT-HD-0342", 100);
    ASSERT_TRUE(expected.ok());
    EXPECT_NE(win.st.lin.CorWF, CorWFPoints{});
    std::vector<std::string> drawn;
    for (auto* entry : {&win.proc.Draw_LinGrid, &win.proc.Draw_CorWF, &win.proc.Draw_LinWF,
                        &win.proc.Draw_SensWF, &win.proc.Set_View}) {
        const std::string name = entry == &win.proc.Draw_LinGrid  ? "LinGrid"
                                 : entry == &win.proc.Draw_CorWF  ? "CorWF"
                                 : entry == &win.proc.Draw_LinWF  ? "LinWF"
                                 : entry == &win.proc.Draw_SensWF ? "SensWF"
                                                                  : "Set_View";
        entry->bind([&drawn, name] { drawn.push_back(name); });
    }

    // Advanced mode: another tape is drawn and its span shown.
    win.st.settings.AdvMode = 1;
    win.cmb_MasterTapeList.setListIndex(0);
    EXPECT_EQ(drawn, (std::vector<std::string>{"LinGrid", "CorWF"}));
    EXPECT_EQ(win.lbl_LinVal(0).caption(), formatFixed(win.st.lin.LinVal[0] / 100.0, 1));
    EXPECT_TRUE(dialogs.shown().empty());

    // A tape entry that cannot be used: one message naming it, no correction.
    writeLines("MORVA MasterTape.dat", {"[MORVA Windows - MORVA MasterTape File] Ver.1.00",
                                        "Tape000_Name = BAD", "  EntryDate = 2024-01-01", "  TrackPitch = 10",
                                        "  nPoint = 1", "  CheckSum = 0", "  Data = 0.5"});
    win.cmb_MasterTapeList.addItem("BAD");
    win.cmb_MasterTapeList.setListIndex(win.cmb_MasterTapeList.listCount() - 1);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_NE(dialogs.shown()[0].prompt.find("BAD"), std::string::npos);
    EXPECT_EQ(win.st.lin.CorWF, CorWFPoints{});

    // "Smooth" and "MasterDat" of the advanced panel (pressed: the panel
    // shows only in advanced mode's layout).
    drawn.clear();
    win.cmd_StartFunction(55).setValue(true);
    win.cmd_StartFunction(54).setValue(true);
    EXPECT_EQ(drawn, (std::vector<std::string>{"LinGrid", "CorWF", "CorWF"}));

    // The multi-line switch stores its value, then lays out and redraws.
    drawn.clear();
    win.chk_Dsp_LinWF_MultiLine.setValue(1);
    EXPECT_EQ(win.st.flg_Dsp_LinWF_MultiLine, 1);
    EXPECT_EQ(drawn, (std::vector<std::string>{"Set_View", "LinGrid", "LinWF", "SensWF"}));
    win.chk_LinOfsFix.setValue(1);
    EXPECT_EQ(win.st.lin.flg_LinOfsFix, 1);
}

TEST_F(MeasureWiring, AdjustmentButtonsMoveTheOffsetAndTheWindows) {
    FrmMain& win = start();
    win.st.lin.ofs_LinWF_avg[0] = 10;
    win.cmd_Pos_LinWF(0).setValue(true);
    EXPECT_EQ(win.st.lin.ofs_LinWF_avg[0], 60);
    win.cmd_Pos_LinWF(1).setValue(true);
    win.cmd_Pos_LinWF(1).setValue(true);
    EXPECT_EQ(win.st.lin.ofs_LinWF_avg[0], -40);
    const int32_t start1 = win.st.msr.StartPos_LinWF[1];
    win.cmd_Pos_LinWF(2).setValue(true);
    EXPECT_EQ(win.st.msr.StartPos_LinWF[1], start1 - 1);
    EXPECT_EQ(win.txt_StartPos_LinWF(1).text(), std::to_string(start1 - 1));
    win.cmd_Pos_LinWF(3).setValue(true);
    EXPECT_EQ(win.txt_StartPos_LinWF(1).text(), std::to_string(start1));
}

}  // namespace
}  // namespace morva::test
