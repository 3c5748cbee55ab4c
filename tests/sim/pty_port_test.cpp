#include "sim/pty_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace morva::sim {
namespace {

namespace fs = std::filesystem;

// Reads what arrives on fd within timeoutMs, stopping early once `want` bytes came.
std::string readFor(int fd, std::size_t want, int timeoutMs) {
    std::string bytes;
    while (bytes.size() < want) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0) break;
        char buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

int openSlave(const std::string& path) {
    return ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
}

class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "morva-sim-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
        path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    fs::path operator/(const char* name) const { return path_ / name; }

  private:
    fs::path path_;
};

std::string linkTarget(const fs::path& link) {
    std::error_code error;
    const auto target = fs::read_symlink(link, error);
    return error ? std::string() : target.string();
}

TEST(PtyPort, PassesEveryByteUnchangedBothWaysWithoutEcho) {
    PtyPort port;
    const int slave = openSlave(port.slavePath());
    ASSERT_GE(slave, 0) << port.slavePath();
    termios settings{};
    ASSERT_EQ(::tcgetattr(slave, &settings), 0);
    EXPECT_EQ(settings.c_lflag & (ECHO | ICANON), 0u);

    const std::string bytes("\x06\x02\r\n\x11\x7F\xFF\x00\x03", 9);
    ASSERT_EQ(::write(port.masterFd(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    EXPECT_EQ(readFor(slave, bytes.size(), 1000), bytes);
    ASSERT_EQ(::write(slave, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    EXPECT_EQ(readFor(port.masterFd(), bytes.size(), 1000), bytes);
    // Nothing the master wrote came back to it.
    EXPECT_EQ(readFor(port.masterFd(), 1, 50), "");
    ::close(slave);
}

TEST(PtyPort, StaysUsableWhileThePeerClosesAndReopensTheSlave) {
    PtyPort port;
    for (int round = 0; round < 3; ++round) {
        const int slave = openSlave(port.slavePath());
        ASSERT_GE(slave, 0);
        ASSERT_EQ(::write(slave, "\x02OPL\x03", 5), 5);
        EXPECT_EQ(readFor(port.masterFd(), 5, 1000), "\x02OPL\x03");
        ::close(slave);
        pollfd p{port.masterFd(), POLLIN, 0};
        EXPECT_EQ(::poll(&p, 1, 0), 0) << "the master sees the slave's close";
    }
}

TEST(PtyPort, ClosingCutsOffWhoeverHoldsTheSlave) {
    PtyPort port;
    const int slave = openSlave(port.slavePath());
    ASSERT_GE(slave, 0);
    port.close();
    EXPECT_FALSE(port.isOpen());
    pollfd p{slave, POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 1000), 1);
    EXPECT_NE(p.revents & (POLLHUP | POLLERR), 0);
    char byte;
    const ssize_t n = ::read(slave, &byte, 1);
    EXPECT_TRUE(n == 0 || (n < 0 && errno == EIO));
    ::close(slave);
}

TEST(PortLink, PointsAtTheTargetAndReplacesItsOwnOrAnyOtherLink) {
    TemporaryFolder folder;
    const fs::path path = folder / "vtr-port";
    fs::create_symlink("/dev/null", path);  // left over from an earlier run
    {
        PortLink link(path.string());
        link.pointTo("/dev/pts/97");
        EXPECT_EQ(linkTarget(path), "/dev/pts/97");
        link.pointTo("/dev/pts/98");
        EXPECT_EQ(linkTarget(path), "/dev/pts/98");
        EXPECT_FALSE(fs::exists(path.string() + ".tmp" + std::to_string(::getpid())));
    }
    EXPECT_FALSE(fs::is_symlink(path)) << "the link outlived its simulator";
}

TEST(PortLink, LeavesALinkThatAnotherSimulatorTookOver) {
    TemporaryFolder folder;
    const fs::path path = folder / "vtr-port";
    PortLink link(path.string());
    link.pointTo("/dev/pts/97");
    fs::remove(path);
    fs::create_symlink("/dev/pts/12", path);
    link.remove();
    EXPECT_EQ(linkTarget(path), "/dev/pts/12");
}

TEST(PortLink, NeverReplacesAFileThatIsNotALink) {
    TemporaryFolder folder;
    const fs::path path = folder / "settings.dat";
    std::ofstream(path) << "keep me";
    PortLink link(path.string());
    EXPECT_THROW(link.pointTo("/dev/pts/97"), std::runtime_error);
    link.remove();
    std::ifstream in(path);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "keep me");
}

}  // namespace
}  // namespace morva::sim
