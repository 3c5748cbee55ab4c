// The File menu's exports on the operator's road: a sensitivity and a
// linearity measurement on the simulated board, then the waveforms as CSV
// read back and compared with the result in memory, a name in use, a write
// that fails, the greyed items during the run, and the graph export without
// and with a view that draws.

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "app/menus.h"
#include "core/numbers.h"
#include "files/text_file.h"
#include "tests/app/operator_fixture.h"

namespace morva::test {
namespace {

namespace fs = std::filesystem;

// A small reader for the exported table: CR LF lines, "," between cells.
std::vector<std::vector<std::string>> readCsv(const std::string& bytes) {
    std::vector<std::vector<std::string>> rows;
    size_t begin = 0;
    while (begin < bytes.size()) {
        const size_t end = bytes.find("\r\n", begin);
        EXPECT_NE(end, std::string::npos) << "a line without CR LF";
        if (end == std::string::npos) break;
        const std::string line = bytes.substr(begin, end - begin);
        std::vector<std::string> cells;
        size_t from = 0;
        for (size_t comma; (comma = line.find(',', from)) != std::string::npos; from = comma + 1)
            cells.push_back(line.substr(from, comma - from));
        cells.push_back(line.substr(from));
        rows.push_back(cells);
        begin = end + 2;
    }
    return rows;
}

double cellValue(const std::string& cell) {
    size_t used = 0;
    const double v = std::stod(cell, &used);
    EXPECT_EQ(used, cell.size()) << cell;
    return v;
}

class ExportRoad : public OperatorRoad {
  protected:
    std::string dataFolder() const { return withTrailingSeparator(w->st.settings.Path_DataFile); }
    bool exportsEnabled(bool any) const {
        bool on = !any;
        for (int i = 4; i <= 6; ++i)
            on = any ? on || w->mnu_FileItem(i).enabled() : on && w->mnu_FileItem(i).enabled();
        return on;
    }
    std::string lastPrompt() const { return dialogs.shown().empty() ? "" : dialogs.shown().back().prompt; }
};

TEST_F(ExportRoad, WaveformsAsCsvReadBackEqualTheResultAndNoFileIsReplacedSilently) {
    FrmMain& win = start();
    // Nothing measured yet: the items are grey, and chosen anyway they say so.
    win.mnu_File.userClick();
    EXPECT_FALSE(exportsEnabled(true));
    mnu_FileItem_Click(win, 6);
    EXPECT_EQ(lastPrompt(), "There are no waveforms to export. Measure or load a data file first.");
    mnu_FileItem_Click(win, 4);
    EXPECT_EQ(lastPrompt(), "This page shows no graph to export.");

    measureSensitivity();
    enterLinearity();
    std::vector<bool> enabledDuringRun;
    std::string refusal;
    actionsDuring.emplace(base + 2, [&] {
        win.mnu_File.userClick();
        enabledDuringRun.push_back(exportsEnabled(true));
        mnu_FileItem_Click(win, 6);  // should it come through anyway
        refusal = lastPrompt();
    });
    clickDuring(base + ring + 2, 25);
    click(21);
    ASSERT_EQ(win.st.flags.flg_PeakHold, 1);
    EXPECT_EQ(enabledDuringRun, std::vector<bool>{false});
    EXPECT_EQ(refusal, "Stop the measurement before exporting.");
    win.mnu_File.userClick();
    EXPECT_TRUE(exportsEnabled(false));
    win.lbl_MsrInfo(0).setCaption("SN 42");

    // A linearity table shorter than the sensitivity table (as a parameter
    // file may give): rows past its end have empty cells.
    win.st.params.nData_LinWF = 80;
    // The proposal is a free name of the automatic kind; the operator types another.
    dialogs.clear();
    dialogs.type("report");
    win.mnu_FileItem(6).userClick();
    loop.doEvents();
    ASSERT_EQ(dialogs.shown().size(), 2u);
    const forms::ShownBox& box = dialogs.shown()[0];
    EXPECT_TRUE(box.input);
    EXPECT_EQ(box.title, "Export Waveforms (CSV)");
    EXPECT_TRUE(box.defaultText.starts_with("SN 42(")) << box.defaultText;
    EXPECT_TRUE(box.defaultText.ends_with(".csv")) << box.defaultText;
    EXPECT_FALSE(fs::exists(dataFolder() + box.defaultText));
    const std::string file = dataFolder() + "report.csv";
    EXPECT_EQ(dialogs.shown()[1].prompt, "Written: [" + file + "]");
    const std::string written = readBytes(file);

    // Every value of the file against the arrays; exactly the valid points.
    const MainState& st = win.st;
    const int heads = st.msr.nType_SensWF * st.msr.n_Msr_channel_Sens;
    const int channels = st.msr.n_Msr_channel_Lin;
    ASSERT_EQ(heads, 4);
    ASSERT_EQ(channels, 1);
    const auto rows = readCsv(written);
    const int nSens = st.params.nData_SensWF, nLin = 80;
    ASSERT_EQ(nSens, 100);
    ASSERT_EQ(rows.size(), static_cast<size_t>(nSens) + 1);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"No.", "SensWF0 [mV]", "SensWF1 [mV]", "SensWF2 [mV]",
                                                 "SensWF3 [mV]", "SensDifWF0 [mV]", "SensDifWF1 [mV]",
                                                 "SensDifWF2 [mV]", "SensDifWF3 [mV]", "LinAvg0 [um]",
                                                 "WavMax0 [um]", "WavMin0 [um]", "Lin0 [um]", "Lin1 [um]"}));
    constexpr size_t kLinColumn = 9;
    int nonZero = 0;
    for (int i = 1; i <= nSens; ++i) {
        const auto& r = rows[static_cast<size_t>(i)];
        ASSERT_EQ(r.size(), 14u) << i;
        EXPECT_EQ(r[0], std::to_string(i));
        for (int h = 0; h < heads; ++h) {
            EXPECT_NEAR(cellValue(r[1 + h]), st.sens.SensWF[h][i],
                        0.0005 + 1e-6 * std::fabs(st.sens.SensWF[h][i]));
            EXPECT_NEAR(cellValue(r[5 + h]), st.sens.SensDifWF[h][i], 0.0005);
        }
        const int32_t lin[] = {st.lin.LinAvg[0][i], st.lin.WavMax[0][i], st.lin.WavMin[0][i],
                               st.lin.Lin[0][i], st.lin.Lin[1][i]};
        for (int k = 0; k < 5; ++k) {
            const std::string& cell = r[kLinColumn + static_cast<size_t>(k)];
            if (i > nLin) {
                EXPECT_EQ(cell, "") << i;
                continue;
            }
            EXPECT_EQ(toInt32(cellValue(cell) * 100), lin[k]) << "row " << i << " column " << k;
            EXPECT_NE(cell.find('.'), std::string::npos);
            nonZero += lin[k] != 0;
        }
    }
    EXPECT_GT(nonZero, nLin);

    // The same name again: asked, refused by default, the file as it was;
    // the operator's Yes replaces it.
    win.st.lin.LinAvg[0][1] += 1234;
    dialogs.clear();
    dialogs.type("report.csv");
    win.mnu_FileItem(6).userClick();
    loop.doEvents();
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[1].prompt, "File [report.csv] already exists. Overwrite ?");
    EXPECT_EQ(dialogs.shown()[1].answer, forms::MsgResult::No);
    EXPECT_EQ(readBytes(file), written);
    dialogs.type("report");
    dialogs.answer(forms::MsgResult::Yes);
    win.mnu_FileItem(6).userClick();
    loop.doEvents();
    EXPECT_EQ(readCsv(readBytes(file))[1][kLinColumn], formatFixed(win.st.lin.LinAvg[0][1] / 100.0, 2));

    // A write that fails at the rename: the reason, and no file left behind.
    setAtomicWriteHook([](AtomicWriteStep step) { return step == AtomicWriteStep::Rename ? EIO : 0; });
    dialogs.clear();
    dialogs.type("broken");
    win.mnu_FileItem(6).userClick();
    loop.doEvents();
    setAtomicWriteHook({});
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_TRUE(dialogs.shown()[1].prompt.starts_with("Cannot write " + dataFolder() + "broken.csv"))
        << dialogs.shown()[1].prompt;
    EXPECT_EQ(forms::msg::icon(dialogs.shown()[1].style), forms::msg::Exclamation);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dataFolder()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"report.csv"});

    // Saved as a data file and loaded back: the same table, its name
    // proposed after the loaded file.
    const std::string measured = readBytes(file);
    win.proc.Make_AutoFileName();
    win.proc.Write_DataFile();
    const std::string dataName = win.st.DataFileName;
    win.proc.Read_DataFile();
    ASSERT_EQ(win.st.flags.flg_DataLoaded, 1);
    dialogs.clear();
    win.mnu_FileItem(6).userClick();  // the proposal as it stands
    loop.doEvents();
    ASSERT_EQ(dialogs.shown().size(), 2u);
    const std::string proposal = dialogs.shown()[0].defaultText;
    EXPECT_EQ(proposal, dataName.substr(0, dataName.rfind('.')) + ".csv");
    EXPECT_EQ(readBytes(dataFolder() + proposal), measured);

    // In Japanese the boxes speak Japanese; cancelling writes nothing.
    win.lbl_Language.setCaption("Japanese");
    dialogs.clear();
    dialogs.cancelInput();
    win.mnu_FileItem(6).userClick();
    loop.doEvents();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].title, "波形ﾃﾞｰﾀ出力(CSV)");
    EXPECT_EQ(win.mnu_FileItem(6).caption(), "波形ﾃﾞｰﾀ出力(CSV)");
}

TEST_F(ExportRoad, GraphsGoToTheViewAtTheChosenScaleOrTheOperatorIsToldWhyNot) {
    FrmMain& win = start();
    measureSensitivity();
    ASSERT_TRUE(win.pic_Page(1).visible());
    win.mnu_File.userClick();
    EXPECT_TRUE(win.mnu_FileItem(4).enabled());
    EXPECT_TRUE(win.mnu_FileItem(5).enabled());
    // Without a display no image can be made.
    dialogs.clear();
    win.mnu_FileItem(4).userClick();
    loop.doEvents();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].prompt, "Graph images cannot be made here: there is no display.");

    // A view that draws: it gets the page's visible graphs and the scale.
    std::vector<const forms::PictureBox*> drawn;
    double drawnScale = 0;
    app.renderPicturesPng = [&](const std::vector<const forms::PictureBox*>& pictures, double scale) {
        drawn = pictures;
        drawnScale = scale;
        return std::optional<std::string>("\x89PNG-bytes");
    };
    dialogs.clear();
    dialogs.type("");  // an empty answer cancels
    win.mnu_FileItem(5).userClick();
    loop.doEvents();
    EXPECT_TRUE(drawn.empty());
    ASSERT_EQ(dialogs.shown().size(), 1u);
    dialogs.clear();
    win.mnu_FileItem(5).userClick();  // the default answer: the proposal
    loop.doEvents();
    EXPECT_EQ(drawn, (std::vector<const forms::PictureBox*>{&win.pic_Graph_Sens, &win.pic_Graph_SensDiv}));
    EXPECT_EQ(drawnScale, 2.0);
    ASSERT_EQ(dialogs.shown().size(), 2u);
    const std::string file = dataFolder() + dialogs.shown()[0].defaultText;
    EXPECT_TRUE(file.ends_with(".png"));
    EXPECT_EQ(readBytes(file), "\x89PNG-bytes");

    // The linearity page with one channel: its one graph; a view that fails.
    enterLinearity();
    clickDuring(base + ring + 2, 25);
    click(21);
    app.renderPicturesPng = [&](const std::vector<const forms::PictureBox*>& pictures, double scale) {
        drawn = pictures;
        drawnScale = scale;
        return std::optional<std::string>();
    };
    dialogs.clear();
    dialogs.type("lin");
    win.mnu_FileItem(4).userClick();
    loop.doEvents();
    EXPECT_EQ(drawn, (std::vector<const forms::PictureBox*>{&win.pic_Graph_Lin(0)}));
    EXPECT_EQ(drawnScale, 1.0);
    EXPECT_EQ(lastPrompt(), "The graph image could not be drawn.");
    EXPECT_FALSE(fs::exists(dataFolder() + "lin.png"));
    app.renderPicturesPng = nullptr;
}

}  // namespace
}  // namespace morva::test
