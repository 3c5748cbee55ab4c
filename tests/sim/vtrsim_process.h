#pragma once
// Test helpers: the built morva-vtrsim run as a child process, and the
// program's end of the serial line opened on its pseudo-terminal.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morva::sim::testing {

using std::chrono::milliseconds;

// Runs morva-vtrsim from the program folder with its standard input and
// output on pipes (standard error is inherited). The destructor kills a
// simulator that is still running.
class VtrsimProcess {
  public:
    explicit VtrsimProcess(const std::vector<std::string>& arguments);
    ~VtrsimProcess();
    VtrsimProcess(const VtrsimProcess&) = delete;
    VtrsimProcess& operator=(const VtrsimProcess&) = delete;

    bool started() const { return pid_ > 0; }

    // The next line of the simulator's output, or nothing after the timeout.
    std::optional<std::string> readLine(milliseconds timeout);
    // Skips lines until one begins with `prefix`.
    std::optional<std::string> lineStartingWith(std::string_view prefix, milliseconds timeout);
    // Reads the "morva-vtrsim: <path>" line and returns the path.
    std::optional<std::string> portPath(milliseconds timeout);

    void writeLine(const std::string& line);
    void sendSignal(int signal);
    // The exit status once the simulator has ended, or nothing after the timeout.
    std::optional<int> exitStatus(milliseconds timeout);

  private:
    bool fillBuffer(milliseconds timeout);

    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string buffer_;
    std::optional<int> status_;
};

// The program's side of the line: the pseudo-terminal slave opened (through
// the link or its own path) in raw mode, as a serial port would be.
class SerialLine {
  public:
    explicit SerialLine(const std::string& path);
    ~SerialLine();
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // STX, the command, ETX.
    bool send(const std::string& command);
    // Collects what arrives until an ETX is among it or the timeout passes.
    std::string receiveUntilEtx(milliseconds timeout);
    // True when the line hangs up (the other end vanished) within the timeout.
    bool hangsUp(milliseconds timeout);

  private:
    int fd_ = -1;
};

}  // namespace morva::sim::testing
