// Limits at a glance on the operator's roads: the value panels judged
// against the model's limits when a measurement finishes, plain while a run
// is live, cleared by the next run and by another model; the data file
// untouched by the verdict; a file read back judged only under its model.

#include <fstream>
#include <iterator>
#include <string>

#include "files/data_file.h"
#include "tests/app/operator_fixture.h"
#include "view/limit_verdict.h"

namespace morva::test {
namespace {

constexpr forms::Color kSensFinished = 0xC0FFC0;  // the run's own colour of a final result
constexpr forms::Color kPlain = 0xFFFFFF;

class LimitVerdictRoad : public OperatorRoad {
  protected:
    // The demo's VK-450 row with other sensitivity limits (no linearity ones).
    void setSensLimits(const std::string& centre, const std::string& tol) {
        auto lines = readLines("VTR Parameters.dat");
        ASSERT_EQ(lines[2].rfind("VK-450,", 0), 0u);
        lines[2] = "VK-450,VTR,4,0,STD,10,1800,0,LONG,6.7,1800,0,EXT,5,1800,0,*,0,0,0,*,0,0,0,5," + centre +
                   "," + tol + ",8,10,5,0,0";
        writeLines("VTR Parameters.dat", lines);
    }
    void selectModel(int index, const std::string& name) {
        w->cmb_ModelNameList.setListIndex(index);
        ASSERT_EQ(w->cmb_ModelNameList.text(), name);
    }
    // Sensitivity from the main menu (the row loaded again) unless `again`;
    // Waveform, averaging two passes.
    void sensitivityRun(bool again = false) {
        if (!again && w->pic_CmdMenu(1).visible()) click(14);
        if (!again) click(0);
        w->st.msr.nLoop_MsrSens = 2;
        clickDuring(acquisitions + 1, 12);
        runActionsDuringAcquisitions();
        click(11);
        ASSERT_TRUE(w->lbl_Info(6).visible());
    }
    static bool plain(forms::Label& value, forms::Label& limit, forms::Color normal) {
        return value.backColor() == normal && !limit.visible() && limit.caption().empty();
    }
};

// 40 ± 10 (the demo's) against the board's slope of 40: green, and again
// after a run that showed its live values grey without verdict. 30 ± 5 in
// the table: cleared when the row is loaded again, red at the finish.
// Another model clears it; no tolerance leaves the run's own colour.
TEST_F(LimitVerdictRoad, SensitivityJudgedWhenFinishedClearedByTheNextRunAndAnotherModel) {
    FrmMain& win = start();
    sensitivityRun();
    ASSERT_TRUE(win.pic_SensVal(1).visible());
    for (int i = 0; i <= 1; ++i) {
        EXPECT_EQ(win.lbl_SensVal(i).backColor(), kWithinLimitColor) << i;
        EXPECT_TRUE(win.lbl_SensLimit(i).visible()) << i;
        EXPECT_EQ(win.lbl_SensLimit(i).caption(), "40.0 \u00B1 10.0") << i;
    }
    bool plainLive = false;
    actionsDuring.emplace(acquisitions + 1,
                          [&] { plainLive = plain(win.lbl_SensVal(1), win.lbl_SensLimit(1), 0xE0E0E0); });
    sensitivityRun(true);
    EXPECT_TRUE(plainLive);
    EXPECT_EQ(win.lbl_SensVal(1).backColor(), kWithinLimitColor);

    setSensLimits("30", "5");
    click(14);
    click(0);
    EXPECT_TRUE(plain(win.lbl_SensVal(0), win.lbl_SensLimit(0), kSensFinished));
    sensitivityRun();
    EXPECT_EQ(win.lbl_SensVal(1).backColor(), kOutsideLimitColor);
    EXPECT_EQ(win.lbl_SensLimit(1).caption(), "30.0 \u00B1 5.0");

    setSensLimits("40", "0");
    selectModel(0, "VK-210");
    EXPECT_TRUE(plain(win.lbl_SensVal(1), win.lbl_SensLimit(1), kSensFinished));
    selectModel(1, "VK-450");
    sensitivityRun();
    EXPECT_TRUE(plain(win.lbl_SensVal(0), win.lbl_SensLimit(0), kSensFinished));
}

// Linearity within a generous limit, waving outside a tight one; the next
// run plain during its passes and, its waving now without a limit, plain
// there at the finish. The automatic save is byte for byte the file
// without the verdict; read back it is judged under VK-450, not VK-210.
TEST_F(LimitVerdictRoad, LinearityAndWavingJudgedAtTheFinishAndTheFileKeepsNoLimit) {
    FrmMain& win = start();
    measureSensitivity();
    enterLinearity();
    const LocalDateTime t{2026, 12, 8, 14, 30, 0};
    win.st.datafile.WallClock = [t] { return t; };
    win.st.settings.AutoSave = 1;
    win.st.settings.Message_CommentInput = 0;
    win.st.settings.PeakHoldTime = 3;
    win.st.model.Spec_Lin = 50.0f;
    win.st.model.Spec_Wav = 0.05f;
    clickDuring(base + ring + 2, 22);
    click(21);
    ASSERT_GE(win.st.lin.WavVal[0], 10) << "the premise: a waving shown as 0.1 or more";
    EXPECT_EQ(win.lbl_LinVal(0).backColor(), kWithinLimitColor);
    EXPECT_EQ(win.lbl_LinLimit(0).caption(), "\u2264 50.0");
    EXPECT_EQ(win.lbl_WavVal(0).backColor(), kOutsideLimitColor);
    EXPECT_EQ(win.lbl_WavLimit(0).caption(), "\u2264 0.05");
    EXPECT_TRUE(plain(win.lbl_LinVal(1), win.lbl_LinLimit(1), kPlain));  // no second channel shown

    win.st.model.Spec_Wav = 0;
    base = acquisitions;
    bool plainLive = false;
    actionsDuring.emplace(base + ring + 1, [&] {
        plainLive = plain(win.lbl_LinVal(0), win.lbl_LinLimit(0), kPlain) &&
                    plain(win.lbl_WavVal(0), win.lbl_WavLimit(0), kPlain);
    });
    clickDuring(base + ring + 2, 22);
    click(21);
    EXPECT_TRUE(plainLive);
    EXPECT_EQ(win.lbl_LinVal(0).backColor(), kWithinLimitColor);
    EXPECT_TRUE(plain(win.lbl_WavVal(0), win.lbl_WavLimit(0), kPlain));

    std::ifstream in(DataFileFolder(win.st) + win.st.DataFileName, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(bytes.empty());
    win.proc.Clear_LimitVerdict(kLimitAll);
    EXPECT_EQ(DataFileText(win, t), bytes);

    win.st.model.Spec_Wav = 0.05f;
    win.proc.Read_DataFile();
    EXPECT_EQ(win.lbl_LinVal(0).backColor(), kWithinLimitColor);
    EXPECT_EQ(win.lbl_WavVal(0).backColor(), kOutsideLimitColor);
    EXPECT_EQ(win.lbl_SensVal(0).backColor(), kWithinLimitColor);
    selectModel(0, "VK-210");
    win.proc.Read_DataFile();
    EXPECT_EQ(win.st.flags.flg_DataLoaded, 1);
    EXPECT_TRUE(plain(win.lbl_LinVal(0), win.lbl_LinLimit(0), kPlain));
    EXPECT_TRUE(plain(win.lbl_WavVal(0), win.lbl_WavLimit(0), kPlain));
}

}  // namespace
}  // namespace morva::test
