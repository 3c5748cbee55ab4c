// Reading data files back: random round trips, files cut at every byte,
// hostile counts and rows, legacy text, and what a load must never destroy.

#include <gtest/gtest.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "core/numbers.h"
#include "files/data_file_fuzz.h"
#include "files/model_selection.h"
#include "tests/files/data_file_fixture.h"

namespace morva::test {
namespace {

// A result state drawn at random, with values as a measurement produces them.
void randomResult(FrmMain& m, std::mt19937& rng) {
    MainState& st = m.st;
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const auto text = [&](size_t n) {
        std::string s;
        for (size_t i = 0; i < n; ++i)
            s += static_cast<char>(pick(0, 9) == 0 ? pick(1, 31) : pick(32, 126));
        return s;
    };
    st.settings.MachineType = pick(0, 1) ? "VTR" : "Data";
    st.settings.Mode_PN = pick(0, 1) ? "PAL" : "NTSC";
    m.lbl_MsrInfo(0).setCaption(text(static_cast<size_t>(pick(0, 20))));
    m.lbl_MsrInfo(1).setCaption(text(static_cast<size_t>(pick(0, 40))));
    for (auto& v : st.VEKO_Info)
        v = text(static_cast<size_t>(pick(0, 8)));
    st.msr.n_Msr_channel_Sens = pick(1, 2);
    st.msr.n_Msr_channel_Lin = pick(1, 2);
    st.params.nData_SensWF = pick(0, kMaxSensPoint);
    st.params.nData_LinWF = pick(0, kMaxLinPoint);
    st.msr.nType_SensWF = pick(0, 4);
    st.msr.Adj_LinEnt = pick(0, kMaxLinPoint);
    for (auto& v : st.lin.ofs_LinWF_avg)
        v = pick(-500000, 500000);
    for (auto& v : st.lin.ofs_LinWF_mlt)
        v = pick(-500000, 500000);
    for (auto& v : st.lin.LinVal)
        v = pick(0, 100000);
    for (auto& v : st.lin.WavVal)
        v = pick(0, 100000);
    for (auto& v : st.sens.SensVal)
        v = static_cast<float>(pick(-100000, 100000)) / 64.0f;
    for (auto* grid : {&st.sens.SensWF, &st.sens.SensDifWF})
        for (auto& head : *grid)
            for (auto& v : head)
                v = static_cast<float>(pick(-9999999, 9999999)) / 1000.0f;
    for (auto* grid : {&st.lin.LinAvg, &st.lin.WavMax, &st.lin.WavMin})
        for (auto& g : *grid)
            for (auto& v : g)
                v = pick(-2000000, 2000000);
    for (auto& line : st.lin.Lin)
        for (auto& v : line)
            v = pick(-2000000, 2000000);
}

struct Shown {
    std::vector<std::string> captions;
    Grid<float, 4, kMaxSensPoint> SensWF, SensDifWF;
    Grid<int32_t, 2, kMaxLinPoint> LinAvg, WavMax, WavMin;
    Grid<int32_t, 4, kMaxLinPoint> Lin;
    bool operator==(const Shown&) const = default;
};

Shown shown(const FrmMain& m) {
    Shown s{
        {},          m.st.sens.SensWF, m.st.sens.SensDifWF, m.st.lin.LinAvg, m.st.lin.WavMax, m.st.lin.WavMin,
        m.st.lin.Lin};
    for (int i = 0; i <= 9; ++i)
        s.captions.push_back(m.lbl_DatInfo(i).caption());
    for (int g = 0; g < 2; ++g)
        for (auto* a : {&m.lbl_LinVal, &m.lbl_WavVal, &m.lbl_SensVal})
            s.captions.push_back((*a)(g).caption());
    return s;
}

TEST_F(DataFileTest, FiveHundredRandomResultsSurviveWriteReadWrite) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 500; ++round) {
        randomResult(*w, rng);
        const std::string first = DataFileText(*w, clock);
        writeBytes("r.Morva_210", first);
        load("r.Morva_210");
        ASSERT_TRUE(dialogs.shown().empty()) << dialogs.shown()[0].prompt;
        const Shown afterFirst = shown(*w);
        const std::string second = DataFileText(*w, clock);
        ASSERT_EQ(second, first) << "round " << round;
        writeBytes("r.Morva_210", second);
        load("r.Morva_210");
        ASSERT_TRUE(afterFirst == shown(*w)) << "round " << round;
        // Integers in hundredths come back exactly.
        ASSERT_EQ(w->st.lin.ofs_LinWF_avg[1],
                  toInt32(parseLeadingNumber(printFormDouble(w->st.lin.ofs_LinWF_avg[1] / 100.0)) * 100.0));
    }
}

TEST_F(DataFileTest, AFileCutAtEveryByteLoadsWhatItHolds) {
    w->st.msr.n_Msr_channel_Lin = 2;
    const std::string full = DataFileText(*w, clock);
    writeBytes("full.Morva_210", full);
    load("full.Morva_210");
    const MainState complete = w->st;
    const size_t serialEnd = full.find("Serial = SN1234\r\n") + 17;
    const size_t sensRow2 = full.find(" 2 ,3.000");
    const size_t linRow1 = full.find(" 1 ,-1.25");
    const size_t linRow3 = full.find(" 3 ,-3.75");

    for (size_t cut = 0; cut <= full.size(); ++cut) {
        // Something else in memory first: the load must not show it through.
        w->st.sens.SensWF[0][2] = 55.0f;
        w->st.lin.Lin[3][3] = 55;
        dialogs.clear();
        writeBytes("cut.Morva_210", full.substr(0, cut));
        load("cut.Morva_210");
        const MainState& st = w->st;
        if (cut < serialEnd - 2) continue;  // header lines only partly there
        ASSERT_TRUE(dialogs.shown().empty()) << cut;
        ASSERT_EQ(w->lbl_DatInfo(6).caption(), "SN1234") << cut;
        if (cut < sensRow2) {
            ASSERT_EQ(st.sens.SensWF[0][2], 0.0f) << cut;
        }
        if (cut >= sensRow2 + 12) {
            ASSERT_EQ(st.sens.SensWF[0][2], 3.0f) << cut;
        }
        if (cut < linRow1) {
            ASSERT_EQ(st.lin.LinAvg[0][1], 0) << cut;
        }
        if (cut < linRow3) {
            ASSERT_EQ(st.lin.Lin[3][3], 0) << cut;
        }
        if (cut == full.size()) {
            ASSERT_EQ(st.lin.Lin, complete.lin.Lin);
        }
    }
}

TEST_F(DataFileTest, HostileCountsAndRowsStayInsideTheArrays) {
    const auto file = [&](const std::string& counts, const std::vector<std::string>& sensRows,
                          const std::vector<std::string>& linRows) {
        std::vector<std::string> lines = {"[MORVA Windows - MORVA Data File] Ver.0.3", "MachineType = VTR"};
        lines.push_back(counts);
        lines.push_back("*** Sensitivity Waveform Data ***");
        lines.push_back("No.,...");
        lines.insert(lines.end(), sensRows.begin(), sensRows.end());
        lines.push_back("");
        lines.push_back("*** Linearity Waveform Data ***");
        lines.push_back("No.,...");
        lines.insert(lines.end(), linRows.begin(), linRows.end());
        writeLines("h.Morva_210", lines);
        load("h.Morva_210");
    };
    std::vector<std::string> manyRows;
    for (int i = 1; i <= 400; ++i)
        manyRows.push_back(" " + std::to_string(i) + " ,1,2,3,4,5,6,7,8,9,10,11,12");

    for (const char* big : {"151", "2147483648", "1e999", "99999999999999999999"}) {
        w->st.params.nData_SensWF = 2;
        file(std::string("nData_SensWF = ") + big, manyRows, manyRows);
        EXPECT_EQ(w->st.params.nData_SensWF, kMaxSensPoint) << big;
        EXPECT_EQ(w->st.sens.SensWF[3][kMaxSensPoint], 4.0f) << big;
        file(std::string("nData_LinWF = ") + big, manyRows, manyRows);
        EXPECT_EQ(w->st.params.nData_LinWF, kMaxLinPoint) << big;
        EXPECT_EQ(w->st.lin.Lin[1][kMaxLinPoint], 500) << big;
    }
    file("nData_LinWF = 101", {}, manyRows);
    EXPECT_EQ(w->st.params.nData_LinWF, 100);
    for (const char* low : {"-1", "0", "-2147483649", "-1e999"}) {
        file(std::string("nData_SensWF = ") + low, manyRows, {});
        EXPECT_EQ(w->st.params.nData_SensWF, 0) << low;
        EXPECT_EQ(w->st.sens.SensWF[0][1], 0.0f) << low;
    }

    // Short rows give 0 for what is missing, long rows drop the rest, a row
    // without "," has no values, 1e999 is clamped or 0 where a single cannot hold it.
    file(
        "nData_SensWF = 5\r\nn_Msr_channel_Lin = 2\r\nnData_LinWF = 5",
        {" 1 ,1.5", " 2 ,1,2,3,4,5,6,7,8,9,10", "no comma here", " 4 ,1e999,-1e999,nan,abc", " 5 ,,,,,,,,-8"},
        {" 1 ,1.5", " 2 ,1,2,3,4,5,6,7,8,9,10,11,12", "x", " 4 ,1e999,-1e999,1e-999",
         " 5 ,0.005,0.015,-0.005"});
    const MainState& st = w->st;
    EXPECT_EQ(st.sens.SensWF[0][1], 1.5f);
    EXPECT_EQ(st.sens.SensWF[1][1], 0.0f);
    EXPECT_EQ(st.sens.SensDifWF[3][2], 8.0f);
    EXPECT_EQ(st.sens.SensWF[0][3], 0.0f);
    EXPECT_EQ(st.sens.SensWF[0][4], 0.0f);
    EXPECT_EQ(st.sens.SensWF[1][4], 0.0f);
    EXPECT_EQ(st.sens.SensDifWF[3][5], -8.0f);
    EXPECT_EQ(st.lin.LinAvg[0][1], 150);
    EXPECT_EQ(st.lin.WavMax[0][1], 0);
    EXPECT_EQ(st.lin.Lin[3][2], 1000);
    EXPECT_EQ(st.lin.LinAvg[0][3], 0);
    EXPECT_EQ(st.lin.LinAvg[0][4], INT32_MAX);
    EXPECT_EQ(st.lin.WavMax[0][4], INT32_MIN);
    EXPECT_EQ(st.lin.WavMin[0][4], 0);
    // Halves of a hundredth go to the even neighbour.
    EXPECT_EQ(st.lin.LinAvg[0][5], 0);
    EXPECT_EQ(st.lin.WavMax[0][5], 2);
    EXPECT_EQ(st.lin.WavMin[0][5], 0);
    EXPECT_TRUE(dialogs.shown().empty());

    // The count comes from the file, but only from lines before the table:
    // the program's count stands in for one that comes later.
    w->st.params.nData_LinWF = 2;
    file("n_Msr_channel_Lin = 1", {}, {" 1 ,1,2,3,4,5,6,7,8,9,10", " 2 ,1", " 3 ,1"});
    EXPECT_EQ(w->st.lin.LinAvg[1][1], 0);  // one group: the sixth column is not read
    EXPECT_EQ(w->st.lin.LinAvg[0][2], 100);
    EXPECT_EQ(w->st.lin.LinAvg[0][3], 0);
}

TEST_F(DataFileTest, ALegacyFileInTheJapaneseCodePageShowsItsText) {
    // "Head ｱｲｳ 交換" in CP932: half-width katakana are single bytes.
    const std::string comment = "Head \xB1\xB2\xB3 \x8C\xF0\x8A\xB7";
    writeBytes("legacy.Morva_210",
               "[MORVA Windows - MORVA Data File] Ver.0.3\r\nMachineType = VTR\r\n"
               "Serial = \xB1\x32\r\nComment = " +
                   comment + "\r\n");
    load("legacy.Morva_210");
    EXPECT_EQ(w->lbl_DatInfo(7).caption(), "Head ｱｲｳ 交換");
    EXPECT_EQ(w->lbl_DatInfo(6).caption(), "ｱ2");
}

TEST_F(DataFileTest, WhatIsNotADataFileChangesNothing) {
    const MainState before = w->st;
    w->lbl_DatInfo(6).setCaption("previous");
    w->pic_CmdMenu(0).setVisible(true);
    w->pic_CmdMenu(4).setVisible(false);
    writeBytes("picture.Morva_210",
               std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) + std::string(5000, '\xFF'));
    load("picture.Morva_210");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].prompt, "[picture.Morva_210] is not a MORVA data file.");
    EXPECT_EQ(w->lbl_DatInfo(6).caption(), "previous");
    EXPECT_EQ(w->st.sens.SensWF, before.sens.SensWF);
    EXPECT_EQ(w->st.flags.flg_DataLoaded, 0);
    EXPECT_TRUE(w->pic_CmdMenu(0).visible());  // no panel switch
    EXPECT_FALSE(w->pic_CmdMenu(4).visible());
    EXPECT_TRUE(calls.empty());

    dialogs.clear();
    load("missing.Morva_210");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_NE(dialogs.shown()[0].prompt.find("missing.Morva_210"), std::string::npos);

    // No file chosen: nothing read, nothing said.
    dialogs.clear();
    load("");
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(DataFileTest, ReadingStopsAfterSixteenMebibytes) {
    std::string big = "[MORVA Windows - MORVA Data File] Ver.0.3\r\nSerial = first\r\n";
    const std::string filler(1023, 'x');
    while (big.size() < kMaxDataFileBytes)
        big += filler + "\r\n";
    big += "Serial = past the end\r\n";
    writeBytes("big.Morva_210", big);
    load("big.Morva_210");
    EXPECT_EQ(w->lbl_DatInfo(6).caption(), "first");
}

TEST_F(DataFileTest, LoadingNeverDestroysAnUnsavedMeasurement) {
    w->st.DataFileName = "old.Morva_210";
    w->proc.Write_DataFile();
    w->st.sens.SensWF[0][1] = 42.0f;
    w->st.flags.flg_Unsaved = 1;

    load("old.Morva_210");  // the question's default is No
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(forms::msg::defaultButton(dialogs.shown()[0].style), 1);
    EXPECT_EQ(w->st.sens.SensWF[0][1], 42.0f);
    EXPECT_EQ(w->st.flags.flg_Unsaved, 1);

    // During a run nothing is loaded, whatever the answer would be.
    dialogs.clear();
    w->st.flags.flg_Unsaved = 0;
    w->st.flags.RunDepth = 1;
    load("old.Morva_210");
    EXPECT_EQ(w->st.sens.SensWF[0][1], 42.0f);
    w->st.flags.RunDepth = 0;
    w->st.flags.flg_Measuring = 1;
    load("old.Morva_210");
    EXPECT_EQ(w->st.sens.SensWF[0][1], 42.0f);
    EXPECT_EQ(dialogs.shown().size(), 2u);

    // Yes discards it.
    dialogs.clear();
    w->st.flags.flg_Measuring = 0;
    w->st.flags.flg_Unsaved = 1;
    dialogs.answer(forms::MsgResult::Yes);
    load("old.Morva_210");
    EXPECT_EQ(w->st.sens.SensWF[0][1], 1.5f);
    EXPECT_EQ(w->st.flags.flg_Unsaved, 0);
}

TEST_F(DataFileTest, TheFilesCountsGoBackWhenAModelIsSelected) {
    std::vector<std::string> lines = {"MachineType = VTR", "nData_SensWF = 7", "nData_LinWF = 9",
                                      "nType_SensWF = 2"};
    w->st.params.nData_SensWF = 100;
    w->st.params.nData_LinWF = 80;
    w->st.msr.nType_SensWF = 4;
    writeLines("a.Morva_210", lines);
    load("a.Morva_210");
    load("a.Morva_210");  // a second load keeps the first counts held
    EXPECT_EQ(w->st.params.nData_SensWF, 7);
    Set_ModelParameters(*w);
    EXPECT_EQ(w->st.flags.flg_DataLoaded, 0);
    EXPECT_EQ(w->st.params.nData_SensWF, 100);
    EXPECT_EQ(w->st.params.nData_LinWF, 80);
    EXPECT_EQ(w->st.msr.nType_SensWF, 4);
}

TEST(DataFileFuzzEntries, TakeAnyBytes) {
    std::mt19937 rng(7);
    const std::string seed =
        "MachineType = VTR\r\nnData_SensWF = 151\r\nnData_LinWF = -1\r\nn_Msr_channel_Lin = 2\r\n"
        "*** Sensitivity Waveform Data ***\r\n\r\n 1 ,1e999\r\n*** Linearity Waveform Data ***\r\n";
    for (int i = 0; i < 2000; ++i) {
        std::string bytes = seed;
        for (int k = 0; k < 8; ++k)
            bytes[std::uniform_int_distribution<size_t>(0, bytes.size() - 1)(rng)] = static_cast<char>(rng());
        FuzzDataFileReader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        FuzzDataFileInfo(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
}

TEST(DataFileInfo, StopsAtTheMarkerOrAfterSixtyFourLines) {
    std::vector<std::string> lines = {"MachineType = VTR", "Serial = S1", "*** Sensitivity Setting ***",
                                      "Comment = after the marker"};
    DataFileInfo info = ParseDataFileInfo(lines);
    EXPECT_EQ(info.Serial, "S1");
    EXPECT_EQ(info.Comment, "");

    // No marker: the first 64 lines only.
    lines.assign(63, "noise");
    lines.push_back("Serial = line 64");
    lines.push_back("Comment = line 65");
    info = ParseDataFileInfo(lines);
    EXPECT_EQ(info.Serial, "line 64");
    EXPECT_EQ(info.Comment, "");
}

}  // namespace
}  // namespace morva::test
