// The serial transaction and the drive-tester query through the program's
// production port (QSerialPort) and event loop, against morva-vtrsim on a
// pseudo-terminal: normal replies, replies in pieces, silence, noise, empty
// and short replies, and a line that drops in the middle of a transaction.

#include <gtest/gtest.h>
#include <unistd.h>
#include <QCoreApplication>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "forms/application.h"
#include "forms/scripted_dialogs.h"
#include "io/drive_tester.h"
#include "io/remote_control.h"
#include "io/rs232c.h"
#include "qt/qt_event_loop.h"
#include "qt/serial/qt_serial_port.h"
#include "tests/sim/vtrsim_process.h"
#include "window/frm_main.h"

namespace morva::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr milliseconds kStartTimeout{5000};
constexpr milliseconds kControlTimeout{2000};

QCoreApplication& qtApplication() {
    static int argc = 1;
    static char name[] = "qt_serial_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

int64_t msSince(Clock::time_point start) {
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start).count();
}

class VtrsimLine : public ::testing::Test {
  protected:
    void SetUp() override {
        qtApplication();
        std::string pattern = (fs::temp_directory_path() / "morva-qtserial-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        // A name of its own per test: QSerialPort locks the port by its name.
        linkPath_ = (folder_ / ("vtr-port-" + std::to_string(::getpid()) + "-" +
                                ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                        .string();
        sim_ = std::make_unique<sim::testing::VtrsimProcess>(
            std::vector<std::string>{"--link", linkPath_, "--reply-delay-ms", "10", "--piece-gap-ms", "30"});
        ASSERT_TRUE(sim_->started());
        ASSERT_TRUE(sim_->portPath(kStartTimeout).has_value()) << "morva-vtrsim did not open its line";

        loop_ = std::make_unique<qtview::QtEventLoop>();
        app_ = std::make_unique<forms::Application>(*loop_, dialogs_);
        w_ = std::make_unique<FrmMain>(*app_);
        forms::SerialSettings settings;
        settings.portName = linkPath_;
        w_->serial.ComBox = std::make_unique<qtview::QtSerialPort>(settings);
        Wire_RemoteControl(*w_);
    }

    void TearDown() override {
        w_.reset();
        app_.reset();
        loop_.reset();
        sim_.reset();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    // Switches the simulator's fault mode and waits for its answer.
    void fault(const std::string& mode) {
        sim_->writeLine("fault " + mode);
        ASSERT_TRUE(sim_->lineStartingWith("ok fault " + mode, kControlTimeout).has_value()) << mode;
    }

    std::string command(const std::string& text) { return RS232C_Command(*w_, text); }

    FrmMain& w() { return *w_; }
    const forms::ScriptedDialogs& dialogs() const { return dialogs_; }
    sim::testing::VtrsimProcess& sim() { return *sim_; }
    const std::string& linkPath() const { return linkPath_; }

  private:
    fs::path folder_;
    std::string linkPath_;
    std::unique_ptr<sim::testing::VtrsimProcess> sim_;
    std::unique_ptr<qtview::QtEventLoop> loop_;
    forms::ScriptedDialogs dialogs_;
    std::unique_ptr<forms::Application> app_;
    std::unique_ptr<FrmMain> w_;
};

const std::array<std::string, 10> kDefaultDriveInfo = {"VS40217",
                                                       "VDT-5100",
                                                       "V2.13",
                                                       "12345min (205.8Hr)",
                                                       "40000min (666.7Hr)",
                                                       "100000min (1666.7Hr)",
                                                       "1234",
                                                       "200",
                                                       "35000",
                                                       "10"};

TEST_F(VtrsimLine, TransportCommandsAreAnsweredAndThePortIsClosedBetweenThem) {
    EXPECT_EQ(command("OPL"), "PLAY");
    EXPECT_EQ(w().serial.flg_RS232C_Reply, -1);
    EXPECT_FALSE(w().serial.ComBox->isOpen());
    EXPECT_EQ(command("$MS:00:33"), "PLAY MODE33");
    EXPECT_EQ(command("OSP"), "STOP MODE33");
    EXPECT_EQ(command("OFF"), "OFF");
    EXPECT_EQ(command("QDD:7"), "NG");
    EXPECT_EQ(w().serial.flg_RS232C_Busy, 0);
    EXPECT_TRUE(dialogs().shown().empty());
}

TEST_F(VtrsimLine, ButtonShowsTheTransaction) {
    w().cmd_Ctrl(4).setValue(true);
    EXPECT_EQ(w().lbl_SendCommand.caption(), "OEJ");
    EXPECT_EQ(w().lbl_RcvCommand.caption(), "EJECT");
}

TEST_F(VtrsimLine, DriveQueryReadsIdentityAndCounters) {
    GetDriveInfo_VEKO(w());
    EXPECT_EQ(w().st.VEKO_Info, kDefaultDriveInfo);
}

TEST_F(VtrsimLine, DriveQueryJoinsRepliesThatComeInPieces) {
    fault("pieces");
    GetDriveInfo_VEKO(w());
    EXPECT_EQ(w().st.VEKO_Info, kDefaultDriveInfo);
}

TEST_F(VtrsimLine, SilentRecorderIsOfflineAfterTheTimeOut) {
    fault("silent");
    const auto start = Clock::now();
    EXPECT_EQ(command("OPL"), "Offline    ");
    const int64_t elapsed = msSince(start);
    EXPECT_GE(elapsed, 740);
    EXPECT_LT(elapsed, 3000);
    EXPECT_EQ(w().serial.flg_RS232C_Reply, 0);
    EXPECT_EQ(w().serial.flg_RS232C_Busy, 0);
    EXPECT_TRUE(dialogs().shown().empty()) << "silence is not a fault of the port";

    fault("none");
    EXPECT_EQ(command("$MS:00:00"), "STOP") << "the silent PLAY never reached the recorder";
    EXPECT_EQ(w().serial.flg_RS232C_Reply, -1);
}

TEST_F(VtrsimLine, SilentDriveQueryGivesOfflineTexts) {
    fault("silent");
    GetDriveInfo_VEKO(w());
    const std::array<std::string, 10> expected = {
        "Offline",      "Offline", "Offline", "0min (0.0Hr)", "0min (0.0Hr)",
        "0min (0.0Hr)", "-1",      "0",       "-1",           "-1"};
    EXPECT_EQ(w().st.VEKO_Info, expected);
}

TEST_F(VtrsimLine, NoiseTimesOutAndEmptyOrShortRepliesAreNoResponce) {
    fault("garbage");
    EXPECT_EQ(command("OSP"), "Offline    ");
    EXPECT_EQ(w().serial.flg_RS232C_Reply, 0);
    fault("empty");
    EXPECT_EQ(command("OSP"), "No Responce");
    EXPECT_EQ(w().serial.flg_RS232C_Reply, -1);
    fault("short");
    EXPECT_EQ(command("OSP"), "No Responce");
    fault("none");
    EXPECT_EQ(command("OSP"), "STOP");
}

TEST_F(VtrsimLine, DroppedLineEndsTheTransactionOfflineWithOneMessageAndTheNextOneWorks) {
    fault("drop");
    const auto start = Clock::now();
    EXPECT_EQ(command("OPL"), "Offline    ");
    EXPECT_LT(msSince(start), 700) << "a line that hangs up is not waited out";
    EXPECT_EQ(w().serial.flg_RS232C_Reply, 0);
    EXPECT_EQ(w().serial.flg_RS232C_Busy, 0);
    EXPECT_FALSE(w().serial.ComBox->isOpen());
    ASSERT_EQ(dialogs().shown().size(), 1u);
    EXPECT_NE(dialogs().shown()[0].prompt.find(linkPath()), std::string::npos) << dialogs().shown()[0].prompt;
    RecordProperty("message", dialogs().shown()[0].prompt);

    // The simulator plugs a new line in behind the same link.
    ASSERT_TRUE(sim().portPath(kStartTimeout).has_value());
    fault("none");
    EXPECT_EQ(command("OPL"), "PLAY");
    EXPECT_EQ(w().serial.flg_RS232C_Reply, -1);
    EXPECT_EQ(dialogs().shown().size(), 1u);
}

TEST_F(VtrsimLine, MissingPortIsOfflineWithOneMessageNamingIt) {
    forms::SerialSettings settings;
    settings.portName = linkPath() + "-missing";
    w().serial.ComBox = std::make_unique<qtview::QtSerialPort>(settings);
    EXPECT_EQ(command("OPL"), "Offline    ");
    EXPECT_EQ(command("OSP"), "Offline    ");
    EXPECT_EQ(w().serial.flg_RS232C_Busy, 0);
    ASSERT_EQ(dialogs().shown().size(), 1u);
    EXPECT_NE(dialogs().shown()[0].prompt.find(settings.portName), std::string::npos);
    RecordProperty("message", dialogs().shown()[0].prompt);
}

// Every line fault, one after another on the same window: the program stays
// responsive while it waits (a timer keeps ticking), ends every transaction
// with the busy flag clear, shows at most one message per failing line, and
// the first command after the line recovers is answered.
TEST_F(VtrsimLine, EveryLineFaultLeavesTheProgramResponsiveAndRecovers) {
    int ticks = 0;
    forms::Timer& heartbeat = w().timer_chk_AD_TRG;
    heartbeat.Tick = [&ticks] { ++ticks; };
    heartbeat.setInterval(50);
    heartbeat.setEnabled(true);

    struct Case {
        std::string mode;
        std::string reply;  // of "OSP" under the fault
        bool waitsOutTheTimeOut;
    };
    const Case cases[] = {
        {"none", "STOP", false},          {"bytes", "STOP", false},        {"pieces", "STOP", false},
        {"noisy", "STOP", false},         {"silent", "Offline    ", true}, {"partial", "Offline    ", true},
        {"garbage", "Offline    ", true}, {"empty", "No Responce", false}, {"short", "No Responce", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        fault(c.mode);
        ticks = 0;
        const auto start = Clock::now();
        EXPECT_EQ(command("OSP"), c.reply);
        const int64_t elapsed = msSince(start);
        EXPECT_EQ(w().serial.flg_RS232C_Busy, 0);
        EXPECT_FALSE(w().serial.ComBox->isOpen());
        if (c.waitsOutTheTimeOut) {
            EXPECT_GE(elapsed, 740);
            EXPECT_GE(ticks, 5) << "the user interface stood still for " << elapsed << " ms";
        }
        EXPECT_LT(elapsed, 3000);
        fault("none");
        EXPECT_EQ(command("OSP"), "STOP") << "the next command after the fault";
    }
    EXPECT_TRUE(dialogs().shown().empty()) << "none of these is a fault of the port itself";

    // The line vanishes in the middle of the drive query (eight commands):
    // one message, then the query goes on off line and the line comes back.
    fault("drop");
    ticks = 0;
    GetDriveInfo_VEKO(w());
    EXPECT_EQ(w().st.VEKO_Info[0], "Offline");
    EXPECT_EQ(w().serial.flg_RS232C_Busy, 0);
    EXPECT_EQ(dialogs().shown().size(), 1u);
    ASSERT_TRUE(sim().portPath(kStartTimeout).has_value());
    fault("none");
    EXPECT_EQ(command("OSP"), "STOP");
    EXPECT_EQ(dialogs().shown().size(), 1u);
    heartbeat.setEnabled(false);
}

// Another program holds the port: every command is off line at once with
// one message naming the port; when the port is free again the line works.
TEST_F(VtrsimLine, BusyPortIsOfflineWithOneMessageUntilItIsFree) {
    forms::SerialSettings settings;
    settings.portName = linkPath();
    auto other = std::make_unique<qtview::QtSerialPort>(settings);
    std::string error;
    ASSERT_TRUE(other->open(error)) << error;
    const auto start = Clock::now();
    EXPECT_EQ(command("OPL"), "Offline    ");
    EXPECT_EQ(command("OSP"), "Offline    ");
    EXPECT_LT(msSince(start), 700) << "a busy port is not waited out";
    EXPECT_EQ(w().serial.flg_RS232C_Busy, 0);
    ASSERT_EQ(dialogs().shown().size(), 1u);
    EXPECT_NE(dialogs().shown()[0].prompt.find(linkPath()), std::string::npos) << dialogs().shown()[0].prompt;
    other.reset();
    EXPECT_EQ(command("OSP"), "STOP");
    EXPECT_EQ(dialogs().shown().size(), 1u);
}

}  // namespace
}  // namespace morva::test
