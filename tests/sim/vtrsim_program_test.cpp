// The built morva-vtrsim on a real pseudo-terminal, driven the way the
// program drives a recorder: open the port, exchange one frame, close it.

#include <signal.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "vtrsim_process.h"

namespace morva::sim {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using testing::SerialLine;
using testing::VtrsimProcess;

constexpr milliseconds kStartTimeout{5000};
constexpr milliseconds kReplyTimeout{2000};
// How long a line must stay quiet to count as silent: well past the reply
// delay and the piece gaps used here.
constexpr milliseconds kQuietTime{300};

class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "morva-vtrsim-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
        path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string operator/(const char* name) const { return (path_ / name).string(); }

  private:
    fs::path path_;
};

std::string linkTarget(const std::string& link) {
    std::error_code error;
    const auto target = fs::read_symlink(link, error);
    return error ? std::string() : target.string();
}

std::string ack(const std::string& text) {
    return "\x06\x02" + text + "\x03";
}

// One transaction as the program makes it: open, send, receive, close.
std::string transaction(const std::string& port, const std::string& command,
                        milliseconds timeout = kReplyTimeout) {
    SerialLine line(port);
    if (!line.isOpen() || !line.send(command)) return "<cannot open " + port + ">";
    return line.receiveUntilEtx(timeout);
}

TEST(VtrsimProgram, KeepsAnsweringWhileThePortIsClosedAndReopenedAndRemovesItsLinkOnTerm) {
    TemporaryFolder folder;
    const std::string link = folder / "vtr-port";
    VtrsimProcess simulator({"--link", link, "--reply-delay-ms", "0", "--serial", "AB1234"});
    ASSERT_TRUE(simulator.started());
    const auto port = simulator.portPath(kStartTimeout);
    ASSERT_TRUE(port);
    EXPECT_TRUE(port->starts_with("/dev/"));
    EXPECT_EQ(linkTarget(link), *port);

    EXPECT_EQ(transaction(link, "OEJ"), ack("EJECT"));
    // The state outlives the port's close: the eject was counted.
    EXPECT_EQ(transaction(link, "$MS:B1:0138"), ack("$MS:B1:013804D288B9000A"));
    EXPECT_EQ(transaction(*port, "QDD:1"), ack("DD1:AB1234"));
    {
        // Two requests in one open port, the second sent after the first reply.
        SerialLine line(link);
        ASSERT_TRUE(line.send("OPL"));
        EXPECT_EQ(line.receiveUntilEtx(kReplyTimeout), ack("PLAY"));
        ASSERT_TRUE(line.send("XYZ"));
        EXPECT_EQ(line.receiveUntilEtx(kReplyTimeout), "\x15\x02NG\x03");
    }

    simulator.sendSignal(SIGTERM);
    EXPECT_EQ(simulator.exitStatus(kStartTimeout), 0);
    EXPECT_FALSE(fs::is_symlink(link));
}

TEST(VtrsimProgram, ChangesItsFaultModeOnAControlLine) {
    TemporaryFolder folder;
    const std::string link = folder / "vtr-port";
    const milliseconds gap{60};
    VtrsimProcess simulator({"--link", link, "--reply-delay-ms", "0", "--piece-gap-ms",
                             std::to_string(gap.count()), "--fault", "silent"});
    ASSERT_TRUE(simulator.portPath(kStartTimeout));

    // Silent from the start: nothing comes back, and the eject never happened.
    EXPECT_EQ(transaction(link, "OEJ", kQuietTime), "");
    simulator.writeLine("status");
    EXPECT_EQ(simulator.lineStartingWith("status", kReplyTimeout),
              "status STOP; fault silent; delay 0; port " + linkTarget(link));

    simulator.writeLine("fault pieces");
    ASSERT_EQ(simulator.readLine(kReplyTimeout), "ok fault pieces");
    {
        SerialLine line(link);
        const auto sent = std::chrono::steady_clock::now();
        ASSERT_TRUE(line.send("QDD:0"));
        EXPECT_EQ(line.receiveUntilEtx(kReplyTimeout), ack("DD0:VDT-5100"));
        // At least two pieces, the last one a gap after the first.
        EXPECT_GE(std::chrono::steady_clock::now() - sent, gap);
    }

    simulator.writeLine("fault garbage");
    ASSERT_EQ(simulator.readLine(kReplyTimeout), "ok fault garbage");
    {
        SerialLine line(link);
        ASSERT_TRUE(line.send("OEJ"));
        const std::string noise = line.receiveUntilEtx(kQuietTime);
        EXPECT_GE(noise.size(), 8u);
        EXPECT_EQ(noise.find_first_of("\x02\x03"), std::string::npos);
    }

    simulator.writeLine("fault none");
    ASSERT_EQ(simulator.readLine(kReplyTimeout), "ok fault none");
    simulator.writeLine("fault sideways");
    EXPECT_TRUE(simulator.readLine(kReplyTimeout).value_or("").starts_with("error: fault:"));
    EXPECT_EQ(transaction(link, "OSP"), ack("EJECT")) << "the garbled eject was carried out";

    simulator.writeLine("quit");
    EXPECT_EQ(simulator.readLine(kReplyTimeout), "ok quit");
    EXPECT_EQ(simulator.exitStatus(kStartTimeout), 0);
    EXPECT_FALSE(fs::is_symlink(link));
}

TEST(VtrsimProgram, DroppedLineComesBackAsANewPortUnderTheSameLink) {
    TemporaryFolder folder;
    const std::string link = folder / "vtr-port";
    VtrsimProcess simulator({"--link", link, "--reply-delay-ms", "0"});
    const auto firstPort = simulator.portPath(kStartTimeout);
    ASSERT_TRUE(firstPort);

    simulator.writeLine("fault drop");
    ASSERT_EQ(simulator.readLine(kReplyTimeout), "ok fault drop");
    {
        SerialLine line(link);
        ASSERT_TRUE(line.send("OEJ"));
        EXPECT_TRUE(line.hangsUp(kReplyTimeout));
    }
    const auto secondPort = simulator.portPath(kReplyTimeout);
    ASSERT_TRUE(secondPort);
    EXPECT_EQ(linkTarget(link), *secondPort);

    simulator.writeLine("fault none");
    ASSERT_EQ(simulator.readLine(kReplyTimeout), "ok fault none");
    // The command lost with the line did not reach the recorder.
    EXPECT_EQ(transaction(link, "OSP"), ack("STOP"));

    simulator.sendSignal(SIGINT);
    EXPECT_EQ(simulator.exitStatus(kStartTimeout), 0);
    EXPECT_FALSE(fs::is_symlink(link));
}

TEST(VtrsimProgram, RefusesABadCommandLineAndAFileInPlaceOfItsLink) {
    VtrsimProcess badOption({"--fault", "sideways"});
    EXPECT_EQ(badOption.exitStatus(kStartTimeout), 2);

    TemporaryFolder folder;
    const std::string file = folder / "MORVA StartupSetting.dat";
    std::ofstream(file) << "keep";
    VtrsimProcess onAFile({"--link", file});
    EXPECT_EQ(onAFile.exitStatus(kStartTimeout), 1);
    std::ifstream in(file);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "keep");
}

}  // namespace
}  // namespace morva::sim
