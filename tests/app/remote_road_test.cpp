// What the recorder hears on the whole road, and the ground truth of the
// demo bench: the values the road measures against what the simulated
// board was configured to play.

#include <algorithm>
#include <string>
#include <vector>

#include "core/numbers.h"
#include "files/text_file.h"
#include "tests/app/operator_fixture.h"

namespace morva::test {
namespace {

using RemoteRoad = OperatorRoad;

// Sensitivity, then Linearity from its panel, Main Menu, Input Monitor: the
// exact commands with RemoteControl 1 (the drive tester queried because the
// line answered), none at all with 0.
class RemoteControlRoad : public OperatorRoad, public testing::WithParamInterface<int> {};

TEST_P(RemoteControlRoad, ExactCommandSequence) {
    const int remote = GetParam();
    FrmMain& win = start();
    win.st.settings.RemoteControl = static_cast<int16_t>(remote);
    recorderAnswers();
    measureSensitivity();
    enterLinearity();
    clickDuring(base + ring + 1, 25);
    click(21);
    click(24);
    click(4);
    const std::vector<std::string> expected =
        remote == 1 ? std::vector<std::string>{"$MS:00:30",   "$MS:00:32",   "OPL",         "OSP",
                                               "$MS:00:30",   "QDD:1",       "QDD:0",       "QRV:0",
                                               "$MS:B1:013A", "$MS:B1:013B", "$MS:B1:013C", "$MS:B1:0138",
                                               "$MS:B1:0137", "$MS:00:33",   "OPL",         "OSP",
                                               "$MS:00:30"}
                    : std::vector<std::string>{};
    EXPECT_EQ(commands(), expected);
    EXPECT_EQ(win.lbl_MsrInfo(0).caption(), remote == 1 ? "AB1234" : "");
    EXPECT_TRUE(win.pic_CmdMenu(3).visible());
}

INSTANTIATE_TEST_SUITE_P(RemoteControl, RemoteControlRoad, testing::Values(1, 0));

// With the recorder silent the line is off line: the drive tester is not
// asked, and the serial text becomes the (empty) tester's serial.
TEST_F(RemoteRoad, DriveTesterIsNotAskedWhenTheLineIsOffLine) {
    FrmMain& win = start();
    win.st.settings.RemoteControl = 1;
    win.lbl_MsrInfo(0).setCaption("previous drive");
    click(1);
    EXPECT_EQ(commands(), std::vector<std::string>{"$MS:00:30"});
    EXPECT_EQ(win.lbl_MsrInfo(0).caption(), "");
    EXPECT_TRUE(win.pic_CmdMenu(2).visible());
}

// The demo bench as shipped (noise included): the sensitivity road gives
// the board's slope within 2 %, the linearity road the span of the
// recorder's configured deviation profile within 0.1 um, the master tape's
// own deviations cancelled by its correction.
TEST_F(RemoteRoad, DemoBenchMeasuresTheConfiguredSlopeAndProfile) {
    FrmMain& win = start();
    double slope = 0;
    std::vector<std::pair<double, double>> profile;
    const auto lines = readTextLines(path("daqsim.dat"));
    ASSERT_TRUE(lines.has_value());
    for (const auto& line : *lines) {
        const KeyValue kv = splitKeyValue(line);
        if (kv.key == "SensSlope = ") slope = parseLeadingNumber(kv.value);
        if (kv.key == "Deviation = ") {
            const size_t comma = kv.value.find(',');
            profile.emplace_back(parseLeadingNumber(kv.value.substr(0, comma)),
                                 parseLeadingNumber(kv.value.substr(comma + 1)));
        }
    }
    ASSERT_GT(slope, 0);
    ASSERT_GE(profile.size(), 2u);
    std::sort(profile.begin(), profile.end());

    click(0);
    clickDuring(3, 12);
    runActionsDuringAcquisitions();
    click(11);
    EXPECT_NEAR(win.st.sens.SensVal[0], slope, 0.02 * slope);
    EXPECT_NEAR(win.st.sens.SensVal[1], slope, 0.02 * slope);

    enterLinearity();
    clickDuring(base + ring + 5, 25);
    click(21);
    ASSERT_TRUE(win.lbl_Info(6).visible());

    // The window's points along the scan: samples StartPos .. StartPos + N - 1
    // of the scan's samples, from the first point the value looks at.
    const ModelRecord& m = win.st.model;
    const double perScan = 60.0 / m.CylRot / 2.0 * m.AD_SplRate_Lin;
    const auto deviation = [&profile](double p) {
        for (size_t k = 1; k < profile.size(); ++k) {
            if (p <= profile[k].first) {
                const auto& [p0, d0] = profile[k - 1];
                const auto& [p1, d1] = profile[k];
                return d0 + (d1 - d0) * (p - p0) / (p1 - p0);
            }
        }
        return profile.back().second;
    };
    double hi = -1e9, lo = 1e9;
    for (int i = win.st.msr.Adj_LinEnt + 1; i <= win.st.params.nData_LinWF; ++i) {
        const double d = deviation((win.st.msr.StartPos_LinWF[1] + i - 1) / perScan);
        hi = std::max(hi, d);
        lo = std::min(lo, d);
    }
    EXPECT_NEAR(hi - lo, 2.5, 1e-9);  // the demo profile's extremes lie inside the window
    EXPECT_NEAR(win.st.lin.LinVal[0] / 100.0, hi - lo, 0.1);
    RecordProperty("SensVal",
                   std::to_string(win.st.sens.SensVal[0]) + " " + std::to_string(win.st.sens.SensVal[1]));
    RecordProperty("LinVal", std::to_string(win.st.lin.LinVal[0] / 100.0));
}

}  // namespace
}  // namespace morva::test
