// The master-tape correction: reading the selected entry, stretching it onto
// the linearity grid, smoothing, and what a failed read leaves.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "measure/lin_average.h"
#include "measure/master_tape_correction.h"
#include "synthetic_signal.h"

namespace morva {
namespace {

class MasterTape : public testing::Test {
  protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 ("morva-measure-" + std::to_string(::getpid()) + "-" + info->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        state = test::makeState();
        state->ProgramFolder = folder.string() + "/";
        state->params.nData_LinWF = 100;
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    // One entry in the file's layout; lines end in CR LF as the editor writes them.
    static std::string entry(int k, const std::string& name, int nPoint, const std::string& data) {
        char number[8];
        std::snprintf(number, sizeof number, "%03d", k);
        return "\r\nTape" + std::string(number) + "_Name = " + name + "\r\n  EntryDate = 2006-01-15\r\n" +
               "  TrackPitch = 20\r\n  nPoint = " + std::to_string(nPoint) + "\r\n  CheckSum = 0.0\r\n" +
               "  Data = " + data + "\r\n";
    }
    void writeFile(const std::string& body) {
        std::ofstream out(folder / kMasterTapeFileName, std::ios::binary);
        out << "[MORVA Windows - Master Tape Data] Ver.1.0\r\nnEntry = 2 \r\n" << body;
    }
    static std::string values(int n, double first, double step) {
        std::string text;
        for (int k = 0; k < n; ++k) {
            if (k > 0) text += ",";
            char v[32];
            std::snprintf(v, sizeof v, "%.1f", first + step * k);
            text += v;
        }
        return text;
    }

    std::filesystem::path folder;
    std::unique_ptr<MainState> state;
};

TEST_F(MasterTape, TwentyOnePointsStretchOntoAHundred) {
    writeFile(entry(0, "MT-1", 21, values(21, 1.0, 1.0)));  // value(k) = k + 1
    const MasterTapeCorrection c = Read_MasterTapeCorrection(folder, "MT-1", 100);
    ASSERT_TRUE(c.ok()) << c.failureText;
    EXPECT_EQ(c.nPoint, 21);
    EXPECT_EQ(c.CorWF[1], 200) << "floor(3.475) = 3, 3 / 4.95 -> 1";
    EXPECT_EQ(c.CorWF[50], 1200) << "floor(52.475) = 52, 52 / 4.95 = 10.505 -> 11";
    EXPECT_EQ(c.CorWF[100], 0) << "value(21) lies past the tape's points";
    EXPECT_EQ(c.CorWF[0], 0);
}

TEST_F(MasterTape, ValuesAreScaledInSinglePrecision) {
    // Three points from two values: step 2; point 1 takes value(near(2 / 2)) = value(1),
    // points 2 and 3 take value(2), past the data: 0. Value(0) is not reached.
    // 0.015 as a single is 0.0149999997; times 100 in single precision it is
    // 1.5 exactly, which goes to the even 2 (a double product would give 1).
    writeFile(entry(0, "S", 2, "9.0,0.015") + entry(1, "H", 2, "9.0,-0.125"));
    const MasterTapeCorrection c = Read_MasterTapeCorrection(folder, "S", 3);
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(c.CorWF[1], 2);
    EXPECT_EQ(c.CorWF[2], 0);
    EXPECT_EQ(c.CorWF[3], 0);
    EXPECT_EQ(Read_MasterTapeCorrection(folder, "H", 3).CorWF[1], -12) << "-12.5 to the even neighbour";
}

TEST_F(MasterTape, LaterEntryOfTheSameNameWinsAndNamesMatchExactly) {
    writeFile(entry(0, "MT", 2, "1.0,1.0") + entry(1, "mt", 2, "3.0,3.0") + entry(2, "MT", 2, "2.0,2.0") +
              entry(3, "MT ", 2, "4.0,4.0"));
    const MasterTapeCorrection c = Read_MasterTapeCorrection(folder, "MT", 5);
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(c.CorWF[1], 200);
    EXPECT_EQ(Read_MasterTapeCorrection(folder, "mt", 5).CorWF[1], 300);
}

TEST_F(MasterTape, FewerValuesThanPointsReadAsZero) {
    writeFile(entry(0, "Short", 5, "1.5,2.5"));
    // Five values onto five points: step 1, point i takes value(near(floor(i + 0.5) / 1)) = value(i).
    const MasterTapeCorrection c = Read_MasterTapeCorrection(folder, "Short", 5);
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(c.CorWF[1], 250);
    EXPECT_EQ(c.CorWF[2], 0);
    EXPECT_EQ(c.CorWF[4], 0);
}

TEST_F(MasterTape, MoreValuesThanPointsIgnoreTheRest) {
    writeFile(entry(0, "Long", 2, "1.0,2.0,3.0"));
    const MasterTapeCorrection c = Read_MasterTapeCorrection(folder, "Long", 3);
    ASSERT_TRUE(c.ok());
    // The last value is the number at the start of the rest, "2.0,3.0".
    EXPECT_EQ(c.CorWF[1], 200);  // step 2: point 1 -> near(2 / 2) = value(1)
    EXPECT_EQ(c.CorWF[2], 0);    // near(3 / 2) = 2 -> value(2): not one of the two points
}

TEST_F(MasterTape, FortyOnePointsReadZeroPastTheLastValue) {
    writeFile(entry(0, "Full", 41, values(41, 0.5, 0.1)));
    const MasterTapeCorrection c = Read_MasterTapeCorrection(folder, "Full", 100);
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(c.CorWF[99], 450) << "value(40) = 4.5";
    EXPECT_EQ(c.CorWF[100], 0) << "j = 41 lies past the 41 values";
}

TEST_F(MasterTape, UnusableEntriesAreClearFailures) {
    writeFile(entry(0, "One", 1, "2.0") + entry(1, "Many", 42, values(42, 0, 0.1)) + entry(2, "None", 0, ""));
    EXPECT_EQ(Read_MasterTapeCorrection(folder, "One", 100).failure, MasterTapeFailure::TooFewPoints);
    EXPECT_EQ(Read_MasterTapeCorrection(folder, "None", 100).failure, MasterTapeFailure::TooFewPoints);
    EXPECT_EQ(Read_MasterTapeCorrection(folder, "Many", 100).failure, MasterTapeFailure::TooManyPoints);
    const MasterTapeCorrection missing = Read_MasterTapeCorrection(folder, "Other", 100);
    EXPECT_EQ(missing.failure, MasterTapeFailure::NameNotFound);
    EXPECT_NE(missing.failureText.find("Other"), std::string::npos);
}

TEST_F(MasterTape, EntryCutShortByTheEndOfTheFileIsNotUsed) {
    writeFile(entry(0, "Cut", 2, "1.0,1.0") +
              "\r\nTape001_Name = Cut\r\n  EntryDate = 2006-01-15\r\n  nPoint = 2\r\n");
    const MasterTapeCorrection c = Read_MasterTapeCorrection(folder, "Cut", 4);
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(c.CorWF[1], 100) << "the complete earlier entry";
    writeFile("\r\nTape000_Name = Cut\r\n  EntryDate = 2006-01-15\r\n");
    EXPECT_EQ(Read_MasterTapeCorrection(folder, "Cut", 4).failure, MasterTapeFailure::NameNotFound);
}

TEST_F(MasterTape, MissingFileLeavesNoCorrection) {
    state->lin.CorWF.fill(77);
    const CorWFDisplay shown = Read_CorWF_MasterTape(*state, "MT-1");
    EXPECT_FALSE(shown.ok);
    EXPECT_FALSE(shown.failureText.empty());
    EXPECT_EQ(state->lin.CorWF[1], 0);
    EXPECT_EQ(state->lin.CorWF[100], 0);
    EXPECT_EQ(Read_MasterTapeCorrection(folder, "MT-1", 100).failure, MasterTapeFailure::FileNotOpened);
}

TEST_F(MasterTape, LoadSmoothsAsOftenAsSetAndShowsTheSpanInAdvancedMode) {
    writeFile(entry(0, "MT", 11, "0.0,1.0,0.0,-1.0,0.0,2.0,0.0,-2.0,0.0,1.0,0.0"));
    state->settings.flg_SmoothLinWF = 1;
    state->params.nLoop_SmoothCorWF = 2;
    state->params.Mask_SmoothCorWF = 2;
    state->settings.AdvMode = 0;
    state->lin.LinVal[0] = 5;
    const CorWFDisplay plain = Read_CorWF_MasterTape(*state, "MT");
    EXPECT_TRUE(plain.ok);
    EXPECT_FALSE(plain.drawCorWF);
    EXPECT_EQ(state->lin.LinVal[0], 5);

    // The same by hand: the stretched correction smoothed twice.
    MasterTapeCorrection c = Read_MasterTapeCorrection(folder, "MT", 100);
    LinState expected{};
    expected.CorWF = c.CorWF;
    Smooth_CorWF_MasterTape(expected, 100, 2);
    Smooth_CorWF_MasterTape(expected, 100, 2);
    EXPECT_EQ(state->lin.CorWF, expected.CorWF);
    EXPECT_NE(c.CorWF, expected.CorWF);

    state->settings.AdvMode = 1;
    state->msr.Adj_LinEnt = 0;
    const CorWFDisplay advanced = Read_CorWF_MasterTape(*state, "MT");
    EXPECT_TRUE(advanced.drawCorWF);
    const int32_t span = LinSpan(expected.CorWF, 0, 100);
    EXPECT_EQ(state->lin.LinVal[0], span);
    EXPECT_EQ(advanced.linValText, LinValueText(span));
}

class SmoothCorWF : public testing::Test {
  protected:
    LinState lin{};
    void set(std::initializer_list<int32_t> points) {
        size_t i = 1;
        for (const int32_t v : points)
            lin.CorWF[i++] = v;
    }
};

TEST_F(SmoothCorWF, WindowShrinksAtTheEndsAndReadsOnlyTheCopy) {
    set({10, 20, 40, 80, 160});
    Smooth_CorWF_MasterTape(lin, 5, 1);
    // Head (10 + 20) / 2; middle thirds; tail (80 + 160) / 2 - all of the unsmoothed values.
    EXPECT_EQ(lin.CorWF[1], 15);
    EXPECT_EQ(lin.CorWF[2], 23);  // 70 / 3
    EXPECT_EQ(lin.CorWF[3], 47);  // 140 / 3
    EXPECT_EQ(lin.CorWF[4], 93);  // 280 / 3
    EXPECT_EQ(lin.CorWF[5], 120);
}

TEST_F(SmoothCorWF, HalvesGoToTheEvenNeighbour) {
    set({1, 2, 4, 7});
    Smooth_CorWF_MasterTape(lin, 4, 1);
    EXPECT_EQ(lin.CorWF[1], 2);  // 3 / 2 = 1.5
    EXPECT_EQ(lin.CorWF[4], 6);  // 11 / 2 = 5.5
}

TEST_F(SmoothCorWF, ZeroWidthLeavesTheCorrectionUnchanged) {
    set({5, -3, 8, 13, -21});
    const auto before = lin.CorWF;
    Smooth_CorWF_MasterTape(lin, 5, 0);
    EXPECT_EQ(lin.CorWF, before);
}

TEST_F(SmoothCorWF, OverlappingEndsKeepTheTailsValue) {
    // N = 3, M = 2: head 1..2 and tail 2..3 overlap at point 2; the head
    // reads point 4 of the copy (0 here), the tail reads point 0 (0).
    set({30, 60, 90});
    Smooth_CorWF_MasterTape(lin, 3, 2);
    EXPECT_EQ(lin.CorWF[1], 60);  // (30 + 60 + 90 + 0) / 3
    EXPECT_EQ(lin.CorWF[2], 45);  // tail: (0 + 30 + 60 + 90) / 4
    EXPECT_EQ(lin.CorWF[3], 60);  // (30 + 60 + 90) / 3
}

TEST_F(SmoothCorWF, WidthsBeyondTheLineAreLimited) {
    for (size_t i = 1; i <= 100; ++i)
        lin.CorWF[i] = static_cast<int32_t>(i);
    LinState limited = lin;
    Smooth_CorWF_MasterTape(lin, 100, 80);
    Smooth_CorWF_MasterTape(limited, 100, 50);
    EXPECT_EQ(lin.CorWF, limited.CorWF);
    LinState small{};
    small.CorWF[1] = 40;
    small.CorWF[2] = 80;
    Smooth_CorWF_MasterTape(small, 2, 9);  // limited to (2 + 1) / 2 = 1
    EXPECT_EQ(small.CorWF[1], 60);
    EXPECT_EQ(small.CorWF[2], 60);
}

}  // namespace
}  // namespace morva
