// The File menu's exports on the operator's road: the waveforms of a
// measurement on the simulated board as CSV, read back against the result
// in memory; a name in use, a failing write, the greyed items during the
// run, a reloaded data file; the graphs without and with a view that draws.

#include <cerrno>
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

// The exported table: CR LF lines, "," between cells.
std::vector<std::vector<std::string>> readCsv(const std::string& bytes) {
    std::vector<std::vector<std::string>> rows;
    for (size_t begin = 0, end; (end = bytes.find("\r\n", begin)) != std::string::npos; begin = end + 2) {
        rows.emplace_back();
        const std::string line = bytes.substr(begin, end - begin);
        size_t from = 0;
        for (size_t comma; (comma = line.find(',', from)) != std::string::npos; from = comma + 1)
            rows.back().push_back(line.substr(from, comma - from));
        rows.back().push_back(line.substr(from));
    }
    return rows;
}

class ExportRoad : public OperatorRoad {
  protected:
    std::string dataFolder() const { return withTrailingSeparator(w->st.settings.Path_DataFile); }
    // Chooses a File item and returns the last box it showed.
    std::string choose(int item) {
        w->mnu_FileItem(item).userClick();
        loop.doEvents();
        return dialogs.shown().empty() ? "" : dialogs.shown().back().prompt;
    }
    bool anyExportEnabled() const {
        return w->mnu_FileItem(4).enabled() || w->mnu_FileItem(5).enabled() || w->mnu_FileItem(6).enabled();
    }
};

TEST_F(ExportRoad, WaveformsAsCsvReadBackEqualTheResultAndNoFileIsReplacedSilently) {
    FrmMain& win = start();
    win.mnu_File.userClick();
    EXPECT_FALSE(anyExportEnabled());
    mnu_FileItem_Click(win, 6);  // chosen anyway: it says why not
    EXPECT_EQ(dialogs.shown().back().prompt,
              "There are no waveforms to export. Measure or load a data file first.");

    measureSensitivity();
    enterLinearity();
    std::vector<bool> enabledDuringRun;
    actionsDuring.emplace(base + 2, [&] {
        win.mnu_File.userClick();
        enabledDuringRun.push_back(anyExportEnabled());
    });
    clickDuring(base + ring + 2, 25);
    click(21);
    EXPECT_EQ(enabledDuringRun, std::vector<bool>{false});
    win.mnu_File.userClick();
    EXPECT_TRUE(anyExportEnabled());

    // A shorter linearity table, as a parameter file may give: rows past its
    // end have empty cells there.
    win.st.params.nData_LinWF = 80;
    win.lbl_MsrInfo(0).setCaption("SN 42");
    dialogs.clear();
    dialogs.type("report");
    const std::string file = dataFolder() + "report.csv";
    EXPECT_EQ(choose(6), "Written: [" + file + "]");
    const forms::ShownBox& box = dialogs.shown()[0];
    EXPECT_EQ(box.title, "Export Waveforms (CSV)");
    EXPECT_TRUE(box.defaultText.starts_with("SN 42(") && box.defaultText.ends_with(".csv"))
        << box.defaultText;

    const MainState& st = win.st;
    ASSERT_EQ(st.msr.nType_SensWF * st.msr.n_Msr_channel_Sens, 4);
    ASSERT_EQ(st.msr.n_Msr_channel_Lin, 1);
    const auto rows = readCsv(readBytes(file));
    ASSERT_EQ(rows.size(), 101u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"No.", "SensWF0 [mV]", "SensWF1 [mV]", "SensWF2 [mV]",
                                                 "SensWF3 [mV]", "SensDifWF0 [mV]", "SensDifWF1 [mV]",
                                                 "SensDifWF2 [mV]", "SensDifWF3 [mV]", "LinAvg0 [um]",
                                                 "WavMax0 [um]", "WavMin0 [um]", "Lin0 [um]", "Lin1 [um]"}));
    for (size_t i = 1; i <= 100; ++i) {
        const auto& r = rows[i];
        ASSERT_EQ(r.size(), 14u) << i;
        EXPECT_EQ(r[0], std::to_string(i));
        for (size_t h = 0; h < 4; ++h) {
            EXPECT_NEAR(std::stod(r[1 + h]), st.sens.SensWF[h][i], 0.0006) << i;
            EXPECT_NEAR(std::stod(r[5 + h]), st.sens.SensDifWF[h][i], 0.0006) << i;
        }
        const int32_t lin[] = {st.lin.LinAvg[0][i], st.lin.WavMax[0][i], st.lin.WavMin[0][i],
                               st.lin.Lin[0][i], st.lin.Lin[1][i]};
        for (size_t k = 0; k < 5; ++k) {
            const std::string& cell = r[9 + k];
            if (i > 80)
                EXPECT_EQ(cell, "") << i;
            else
                EXPECT_EQ(toInt32(std::stod(cell) * 100), lin[k]) << i << " " << k;
        }
    }

    // The same name again: asked, refused by default, the file as it was;
    // the operator's Yes replaces it.
    const std::string first = readBytes(file);
    win.st.lin.LinAvg[0][1] += 1234;
    dialogs.type("report.csv");
    EXPECT_EQ(choose(6), "File [report.csv] already exists. Overwrite ?");
    EXPECT_EQ(readBytes(file), first);
    dialogs.type("report");
    dialogs.answer(forms::MsgResult::Yes);
    choose(6);
    EXPECT_EQ(toInt32(std::stod(readCsv(readBytes(file))[1][9]) * 100), win.st.lin.LinAvg[0][1]);

    // A write that fails at the rename: the reason, and nothing left behind.
    setAtomicWriteHook([](AtomicWriteStep step) { return step == AtomicWriteStep::Rename ? EIO : 0; });
    dialogs.type("broken");
    EXPECT_TRUE(choose(6).starts_with("Cannot write " + dataFolder() + "broken.csv"))
        << dialogs.shown().back().prompt;
    setAtomicWriteHook({});
    const std::vector<fs::path> entries{fs::directory_iterator(dataFolder()), fs::directory_iterator()};
    EXPECT_EQ(entries, std::vector<fs::path>{file});

    // Saved as a data file and loaded back: the same table, proposed under
    // the loaded file's name.
    const std::string measured = readBytes(file);
    win.proc.Make_AutoFileName();
    win.proc.Write_DataFile();
    const std::string dataName = win.st.DataFileName;
    win.proc.Read_DataFile();
    ASSERT_EQ(win.st.flags.flg_DataLoaded, 1);
    dialogs.clear();
    choose(6);  // the proposal as it stands
    const std::string proposal = dialogs.shown()[0].defaultText;
    EXPECT_EQ(proposal, dataName.substr(0, dataName.rfind('.')) + ".csv");
    EXPECT_EQ(readBytes(dataFolder() + proposal), measured);
}

TEST_F(ExportRoad, GraphsGoToTheViewAtTheChosenScaleOrTheOperatorIsToldWhyNot) {
    FrmMain& win = start();
    measureSensitivity();
    win.mnu_File.userClick();
    EXPECT_TRUE(win.mnu_FileItem(5).enabled());
    EXPECT_EQ(choose(5), "Graph images cannot be made here: there is no display.");

    std::vector<const forms::PictureBox*> drawn;
    double drawnScale = 0;
    app.renderPicturesPng = [&](const std::vector<const forms::PictureBox*>& pictures, double scale) {
        drawn = pictures;
        drawnScale = scale;
        return std::optional<std::string>("\x89PNG-bytes");
    };
    dialogs.clear();
    choose(5);
    EXPECT_EQ(drawn, (std::vector<const forms::PictureBox*>{&win.pic_Graph_Sens, &win.pic_Graph_SensDiv}));
    EXPECT_EQ(drawnScale, 2.0);
    EXPECT_TRUE(dialogs.shown()[0].defaultText.ends_with(".png"));
    EXPECT_EQ(readBytes(dataFolder() + dialogs.shown()[0].defaultText), "\x89PNG-bytes");
    app.renderPicturesPng = nullptr;
}

}  // namespace
}  // namespace morva::test
