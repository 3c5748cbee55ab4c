#pragma once
// Serves the simulator on a pseudo-terminal: reads the program's requests
// from the master end, writes the replies after the reply delay (pieces
// apart by the piece gap), drops and recreates the line in the "drop" fault
// mode, and takes control lines from a second descriptor (standard input).

#include <chrono>
#include <deque>
#include <memory>
#include <ostream>
#include <string>

#include "sim/pty_port.h"
#include "sim/sim_options.h"
#include "sim/vtr_simulator.h"

namespace morva::sim {

class PtyServer {
  public:
    // `out` receives the line "morva-vtrsim: <pty path>" for every line opened
    // and the answers to control lines; `log` errors and, when verbose, the
    // traffic.
    PtyServer(VtrSimulator& simulator, const SimOptions& options, std::ostream& out, std::ostream& log);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Opens the first line and makes the link. Throws when either fails.
    void start();

    // Serves until `stopFd` becomes readable, a "quit" control line, or a line
    // that cannot be recreated. `controlFd` may be -1. Returns the exit status.
    int run(int stopFd, int controlFd);

    const std::string& portPath() const;

  private:
    using Clock = std::chrono::steady_clock;

    struct Pending {
        Clock::time_point due;
        std::string bytes;
        bool dropLine = false;
    };

    void openLine();
    void readRequests();
    enum class ControlState { Open, Ended, Quit };
    ControlState readControl(int controlFd);
    bool handleControlLine(const std::string& line);  // false for "quit"
    void schedule(const Reply& reply);
    bool sendDue();  // false when a dropped line could not be recreated
    void writeBytes(const std::string& bytes);
    void tick();
    int pollTimeoutMs() const;

    VtrSimulator& simulator_;
    std::ostream& out_;
    std::ostream& log_;
    std::chrono::milliseconds replyDelay_;
    std::chrono::milliseconds pieceGap_;
    bool verbose_;
    std::unique_ptr<PtyPort> port_;
    std::unique_ptr<PortLink> link_;
    std::deque<Pending> pending_;
    std::string controlBuffer_;
    Clock::time_point lastTick_;
};

// The bytes with control characters spelled out: "<ACK><STX>PLAY<ETX>".
std::string visibleBytes(const std::string& bytes);

}  // namespace morva::sim
