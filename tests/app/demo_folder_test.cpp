#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/numbers.h"
#include "files/text_file.h"
#include "tests/app/app_fixture.h"

namespace morva::test {
namespace {

// The demo program folder of the source tree, copied into a fresh folder.
class DemoFolder : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        std::filesystem::copy(std::filesystem::path(MORVA_TEST_SOURCE_DIR) / "demo", folder_,
                              std::filesystem::copy_options::recursive);
    }
};

TEST_F(DemoFolder, LoadsWithoutAMessageAndSelectsItsStartupModel) {
    FrmMain& win = build();
    win.load();
    EXPECT_TRUE(dialogs.shown().empty());
    ASSERT_EQ(versions().size(), 4u);
    for (const auto& line : versions())
        EXPECT_NE(line.find(" : Ver."), std::string::npos) << line;
    EXPECT_EQ(win.cmb_ModelNameList.text(), "VK-450");
    EXPECT_TRUE(win.opt_PAL_NTSC(0).value());
    EXPECT_EQ(win.lbl_Info(2).caption(), "VK-450(PAL)");
    EXPECT_EQ(win.cmb_VTRmode_List.text(), "STD");
    EXPECT_EQ(win.cmb_MasterTapeList.text(), "MT-HD-0342");
    EXPECT_EQ(win.lst_WorkList.listCount(), 5);
    EXPECT_EQ(win.st.spec.SpecLine_Lin[0][1], 300);
    EXPECT_EQ(win.st.spec.SpecLine_Lin[1][50], -250);
    EXPECT_EQ(win.st.settings.n_AD_Entry, 1);
    EXPECT_EQ(win.st.settings.AD_DeviceType[0], "SIM-VTR-ADC");
    EXPECT_EQ(win.st.settings.AD_ConfigFile[0], "daqsim.dat");
    EXPECT_TRUE(std::filesystem::is_regular_file(win.st.settings.Path_DaqConfigFile + "daqsim.dat"));
    EXPECT_EQ(win.st.settings.Path_DataFile, programFolder() + "Data/");
    EXPECT_TRUE(std::filesystem::is_directory(path("Data")));
    EXPECT_EQ(win.lbl_n_AD_Channel.caption(), "2");
}

// Every model, mode and TV system of the demo fits one acquisition: the
// samples of all channels within ADData, the sensitivity window within a
// head scan, every linearity window within its acquisition; and every work
// list names modes its model has.
TEST_F(DemoFolder, EveryModelAndModeFitsTheAcquisitionBuffer) {
    FrmMain& win = build();
    win.load();
    const MainState& st = win.st;
    int checked = 0;
    for (int model = 0; model < win.cmb_ModelNameList.listCount(); ++model) {
        win.cmb_ModelNameList.setListIndex(model);
        const std::string name = win.cmb_ModelNameList.text();
        const std::vector<std::string> modes = win.cmb_VTRmode_List.items();
        EXPECT_GE(modes.size(), 2u) << name;
        for (int i = 0; i < win.lst_WorkList.listCount(); ++i) {
            const std::string& mode = st.worklist.WorkList_Mode[static_cast<size_t>(i)];
            EXPECT_NE(std::find(modes.begin(), modes.end(), mode), modes.end())
                << name << " work list: " << mode;
        }
        for (int standard = 0; standard <= 1; ++standard) {
            win.opt_PAL_NTSC(standard).setValue(true);
            for (int mode = 0; mode < static_cast<int>(modes.size()); ++mode) {
                win.cmb_VTRmode_List.setListIndex(mode);
                const std::string where =
                    name + " " + modes[static_cast<size_t>(mode)] + " " + st.settings.Mode_PN;
                const ModelRecord& m = st.model;
                EXPECT_LE(m.nADdata_Sens * m.n_AD_channel_Sens, kMaxADData + 1) << where;
                EXPECT_LE(m.nADdata_Lin * m.n_AD_channel_Lin, kMaxADData + 1) << where;
                // The trigger-wait time-out runs from the arm to the data, so
                // the longest acquisition of the real-time board must end
                // well inside it, with room for a missed first trigger.
                const double sensMs = 1000.0 * m.nADdata_Sens / m.AD_SplRate_Sens;
                const double linMs = 1000.0 * m.nADdata_Lin / m.AD_SplRate_Lin;
                EXPECT_LE(1.5 * std::max(sensMs, linMs), win.timer_chk_AD_TRG.interval()) << where;
                const double scan = 60.0 / m.CylRot / 2.0 * m.AD_SplRate_Sens;
                EXPECT_LE(st.params.StartPos_SensWFSample + st.params.nPoint_SensWFSample, std::floor(scan))
                    << where;
                for (int line = 0; line < 2 * m.n_AD_channel_Lin; ++line) {
                    const int32_t start = st.msr.StartPos_LinWF[static_cast<size_t>(line)];
                    EXPECT_GE(start, 0) << where << " line " << line;
                    EXPECT_LE(start + st.params.nData_LinWF, m.nADdata_Lin) << where << " line " << line;
                }
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 2 * (2 + 3 + 2 + 2));
}

TEST_F(DemoFolder, MasterTapeCheckSumsMatchTheirData) {
    const auto lines = readTextLines(path("MORVA MasterTape.dat"));
    ASSERT_TRUE(lines.has_value());
    int tapes = 0;
    for (size_t i = 0; i + 5 < lines->size(); ++i) {
        if ((*lines)[i].rfind("Tape", 0) != 0) continue;
        const int nPoint = toInt32(parseLeadingNumber(splitKeyValue((*lines)[i + 3]).value));
        const double checkSum = parseLeadingNumber(splitKeyValue((*lines)[i + 4]).value);
        const std::string data = splitKeyValue((*lines)[i + 5]).value;
        float sum = 0;
        int count = 0;
        for (size_t pos = 0; pos <= data.size(); ++count) {
            const size_t comma = std::min(data.find(',', pos), data.size());
            sum += static_cast<float>(parseLeadingNumber(std::string_view(data).substr(pos, comma - pos)));
            pos = comma + 1;
        }
        EXPECT_EQ(count, nPoint) << (*lines)[i];
        EXPECT_LE(nPoint, 41) << (*lines)[i];
        EXPECT_DOUBLE_EQ(std::floor(sum * 10 + 0.5) / 10, checkSum) << (*lines)[i];
        ++tapes;
    }
    EXPECT_EQ(tapes, 3);
}

}  // namespace
}  // namespace morva::test
