#pragma once
// The simulator's end of the line: a pseudo-terminal pair in raw mode, and
// the symbolic link that gives its changing slave path a fixed name.

#include <string>
#include <utility>

namespace morva::sim {

// Opens a pseudo-terminal: the master end (non-blocking) for the simulator,
// and the slave end kept open by the simulator as well, so that the program
// may open and close the slave for every transaction without the master
// seeing a hang-up in between. The slave is put in raw mode (no echo, no
// line editing, 8-bit characters). Throws std::system_error on failure.
class PtyPort {
  public:
    PtyPort();
    ~PtyPort();
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;

    int masterFd() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }

    // Closes both ends: a program holding the slave open sees the line vanish.
    void close();
    bool isOpen() const { return master_ >= 0; }

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

// A symbolic link at a fixed path naming the current pseudo-terminal.
// Replacing the target is atomic (a new link renamed over the old one), so a
// program opening the path never finds it missing. An existing file that is
// not a symbolic link is never replaced. The destructor removes the link
// when it still names the target set last.
class PortLink {
  public:
    explicit PortLink(std::string path) : path_(std::move(path)) {}
    ~PortLink() { remove(); }
    PortLink(const PortLink&) = delete;
    PortLink& operator=(const PortLink&) = delete;

    // Throws std::system_error or std::runtime_error when the link cannot be made.
    void pointTo(const std::string& target);
    void remove();
    const std::string& path() const { return path_; }

  private:
    std::string path_;
    std::string target_;
};

}  // namespace morva::sim
