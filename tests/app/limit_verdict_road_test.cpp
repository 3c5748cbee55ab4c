// Limits at a glance on the operator's roads: the value panels coloured
// against the model's limits when a measurement finishes, plain while a
// run is live, cleared by the next run and by another model; the data
// file untouched by it; a file read back judged as its run was.

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "files/data_file.h"
#include "tests/app/operator_fixture.h"
#include "view/limit_verdict.h"

namespace morva::test {
namespace {

constexpr forms::Color kSensFinished = 0xC0FFC0;  // the run's own colour of a final result
constexpr forms::Color kSensRunning = 0xE0E0E0;
constexpr forms::Color kPlain = 0xFFFFFF;

class LimitVerdictRoad : public OperatorRoad {
  protected:
    // Rewrites the limits of the demo's VK-450 row (fields 26, 27, 31, 32).
    void setLimits(const std::string& centre, const std::string& tol, const std::string& lin,
                   const std::string& wav) {
        auto lines = readLines("VTR Parameters.dat");
        for (auto& line : lines) {
            if (line.rfind("VK-450,", 0) != 0) continue;
            std::vector<std::string> fields;
            std::stringstream in(line);
            for (std::string f; std::getline(in, f, ',');)
                fields.push_back(f);
            ASSERT_EQ(fields.size(), 32u);
            fields[25] = centre;
            fields[26] = tol;
            fields[30] = lin;
            fields[31] = wav;
            line.clear();
            for (size_t i = 0; i < fields.size(); ++i)
                line += (i ? "," : "") + fields[i];
        }
        writeLines("VTR Parameters.dat", lines);
    }

    void selectModel(const std::string& name) {
        const auto& items = w->cmb_ModelNameList.items();
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i] == name) w->cmb_ModelNameList.setListIndex(static_cast<int>(i));
        ASSERT_EQ(w->cmb_ModelNameList.text(), name);
    }

    // From the main menu: Sensitivity (the model's row loaded again).
    void enterSensitivity() {
        if (w->pic_CmdMenu(1).visible()) click(14);  // its Main Menu
        click(0);
        ASSERT_TRUE(w->pic_CmdMenu(1).visible());
    }

    // Sensitivity (entered again unless `again`), Waveform with averaging
    // of two from the next pass.
    void sensitivityRun(bool again = false) {
        if (!again) enterSensitivity();
        w->st.msr.nLoop_MsrSens = 2;
        clickDuring(acquisitions + 1, 12);
        runActionsDuringAcquisitions();
        click(11);
        ASSERT_TRUE(w->lbl_Info(6).visible());
    }

    // Colour and limit of one value box, as seen now.
    struct Seen {
        forms::Color color;
        bool limitShown;
        std::string limit;
    };
    static Seen seen(forms::Label& value, forms::Label& limit) {
        return {value.backColor(), limit.visible(), limit.caption()};
    }
    void expectPlain(const Seen& s, forms::Color color, const std::string& where) {
        EXPECT_EQ(s.color, color) << where;
        EXPECT_FALSE(s.limitShown) << where;
        EXPECT_EQ(s.limit, "") << where;
    }
};

// The demo's 40 ± 10 against the board's slope of 40: both values green
// with their limit; grey without verdict while the next run is live, green
// again when it finishes. The table's centre moved to 30 ± 5: cleared as
// the row is loaded again, red when the next run finishes. Another model
// takes the verdict away; a model without a tolerance gives the run's own
// colour and no limit.
TEST_F(LimitVerdictRoad, SensitivityJudgedWhenFinishedClearedByTheNextRunAndAnotherModel) {
    FrmMain& win = start();
    sensitivityRun();
    ASSERT_TRUE(win.pic_SensVal(1).visible());
    for (int i = 0; i <= 1; ++i) {
        EXPECT_EQ(win.lbl_SensVal(i).backColor(), kWithinLimitColor) << i;
        EXPECT_TRUE(win.lbl_SensLimit(i).visible()) << i;
        EXPECT_EQ(win.lbl_SensLimit(i).caption(), "40.0 \u00B1 10.0") << i;
    }
    Seen live{};
    actionsDuring.emplace(acquisitions + 1, [&] { live = seen(win.lbl_SensVal(1), win.lbl_SensLimit(1)); });
    sensitivityRun(true);
    expectPlain(live, kSensRunning, "during the run");
    EXPECT_EQ(win.lbl_SensVal(1).backColor(), kWithinLimitColor);

    setLimits("30", "5", "0", "0");
    enterSensitivity();
    expectPlain(seen(win.lbl_SensVal(0), win.lbl_SensLimit(0)), kSensFinished, "row loaded again");
    sensitivityRun();
    for (int i = 0; i <= 1; ++i) {
        EXPECT_EQ(win.lbl_SensVal(i).backColor(), kOutsideLimitColor) << i;
        EXPECT_EQ(win.lbl_SensLimit(i).caption(), "30.0 \u00B1 5.0") << i;
    }

    selectModel("VK-210");
    for (int i = 0; i <= 1; ++i)
        expectPlain(seen(win.lbl_SensVal(i), win.lbl_SensLimit(i)), kSensFinished, "another model");

    setLimits("40", "0", "0", "0");
    selectModel("VK-450");
    sensitivityRun();
    expectPlain(seen(win.lbl_SensVal(0), win.lbl_SensLimit(0)), kSensFinished, "no tolerance");
}

// Linearity within a generous limit, waving outside a tight one: judged
// at the finish, not during the real-time passes of the next run, whose
// waving (now without a limit) stays plain. The automatic save of a judged
// result is the file the same result gives without the verdict; read back
// under the same model it is judged as the run was, under another model
// not at all.
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
    ASSERT_TRUE(win.pic_WavVal(0).visible());
    ASSERT_GE(win.st.lin.WavVal[0], 10) << "the premise: a waving the panel shows as 0.1 or more";
    EXPECT_EQ(win.lbl_LinVal(0).backColor(), kWithinLimitColor);
    EXPECT_EQ(win.lbl_LinLimit(0).caption(), "\u2264 50.0");
    EXPECT_EQ(win.lbl_WavVal(0).backColor(), kOutsideLimitColor);
    EXPECT_EQ(win.lbl_WavLimit(0).caption(), "\u2264 0.05");
    EXPECT_TRUE(win.lbl_WavLimit(0).visible());
    EXPECT_FALSE(win.pic_LinVal(1).visible());
    expectPlain(seen(win.lbl_LinVal(1), win.lbl_LinLimit(1)), kPlain, "second channel not shown");

    // Waveform again on the same panel.
    win.st.model.Spec_Wav = 0;
    base = acquisitions;
    Seen liveLin{}, liveWav{};
    actionsDuring.emplace(base + ring + 1, [&] {
        liveLin = seen(win.lbl_LinVal(0), win.lbl_LinLimit(0));
        liveWav = seen(win.lbl_WavVal(0), win.lbl_WavLimit(0));
    });
    clickDuring(base + ring + 2, 22);
    click(21);
    expectPlain(liveLin, kPlain, "linearity during the passes");
    expectPlain(liveWav, kPlain, "waving during the passes");
    EXPECT_EQ(win.lbl_LinVal(0).backColor(), kWithinLimitColor);
    expectPlain(seen(win.lbl_WavVal(0), win.lbl_WavLimit(0)), kPlain, "waving without a limit");

    const std::string saved = DataFileFolder(win.st) + win.st.DataFileName;
    std::ifstream in(saved, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(bytes.empty()) << saved;
    EXPECT_EQ(bytes.find("\u2264"), std::string::npos);
    win.proc.Clear_LimitVerdict(kLimitAll);
    EXPECT_EQ(win.lbl_LinVal(0).backColor(), kPlain);
    EXPECT_EQ(DataFileText(win, t), bytes);

    // Read back under VK-450: judged as the run was (sensitivity too).
    win.st.model.Spec_Wav = 0.05f;
    win.proc.Read_DataFile();
    EXPECT_EQ(win.st.flags.flg_DataLoaded, 1);
    EXPECT_EQ(win.lbl_LinVal(0).backColor(), kWithinLimitColor);
    EXPECT_EQ(win.lbl_WavVal(0).backColor(), kOutsideLimitColor);
    EXPECT_EQ(win.lbl_SensVal(0).backColor(), kWithinLimitColor);

    // The same file under another model: no verdict.
    selectModel("VK-210");
    win.proc.Read_DataFile();
    EXPECT_EQ(win.st.flags.flg_DataLoaded, 1);
    expectPlain(seen(win.lbl_LinVal(0), win.lbl_LinLimit(0)), kPlain, "file of another model");
    expectPlain(seen(win.lbl_WavVal(0), win.lbl_WavLimit(0)), kPlain, "file of another model");
}

}  // namespace
}  // namespace morva::test
