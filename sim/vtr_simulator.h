#pragma once
// The simulated recorder and drive tester, without any I/O: received bytes
// go in, the bytes to send back come out. Keeps the transport state, the
// drive mode and the drive tester's counters, and applies the fault mode.
//
// Time is given from outside (advanceTime) and the random choices of the
// fault modes come from the seed, so every run with the same input is the
// same.

#include <chrono>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "sim/drive_counters.h"
#include "sim/frame_reader.h"

namespace morva::sim {

enum class Transport { Off, Stop, Play, Rewind, Eject };

// How the line misbehaves:
//   None     every command is answered with ACK, STX, text, ETX in one write;
//   Silent   nothing comes back and the command does not reach the recorder;
//   Pieces   the normal reply, cut into two to four pieces;
//   Garbage  the command is carried out, but the reply is noise without STX or ETX;
//   Drop     the line disappears when a command arrives (the command is lost);
//   Empty    the command is carried out and answered ACK, STX, ETX (no text);
//   Short    the command is carried out and answered by a bare ETX;
//   Bytes    the normal reply, every byte a piece of its own;
//   Partial  the command is carried out, but the reply stops before its ETX;
//   Noisy    line noise (without STX or ETX) comes first, then the normal reply.
enum class FaultMode { None, Silent, Pieces, Garbage, Drop, Empty, Short, Bytes, Partial, Noisy };

std::string_view faultModeName(FaultMode mode);
std::optional<FaultMode> parseFaultMode(std::string_view name);
// Every mode name, separated by "|".
std::string_view faultModeNames();

std::string_view transportName(Transport transport);

// What to do for one received command.
struct Reply {
    std::string command;              // the command answered
    std::vector<std::string> pieces;  // written in order, with a short gap between two pieces
    bool dropLine = false;            // close the line instead of answering
};

class VtrSimulator {
  public:
    VtrSimulator(DriveIdentity identity, DriveCounters counters, uint32_t seed);

    // Takes received bytes and returns one reply for every command they complete.
    std::vector<Reply> receive(std::string_view bytes);

    // Carries out one command under the current fault mode.
    Reply answer(std::string_view command);

    // A new line: a frame cut off by the old one is forgotten.
    void resetLine() { reader_ = FrameReader(); }

    // Lets the clock run: the hours counters count the minutes the drive
    // spends powered (Operation: every state but off), with its drum running
    // (DumRun: play) and with the tape under tension (TensOn: play, rewind).
    void advanceTime(std::chrono::milliseconds elapsed);

    void setFaultMode(FaultMode mode) { faultMode_ = mode; }
    FaultMode faultMode() const { return faultMode_; }

    Transport transport() const { return transport_; }
    bool tapeLoaded() const { return tapeLoaded_; }
    // The drive mode set by "$MS:00:nn" (0x30 adjustment, 0x32 and 0x33 the
    // measurement modes); 0 is the normal mode.
    int driveMode() const { return driveMode_; }
    const DriveCounters& counters() const { return counters_; }
    const DriveIdentity& identity() const { return identity_; }

    // The state as the transport commands report it: "PLAY", "STOP", "OFF",
    // "REW" or "EJECT", followed by " MODE" and the two digits of the drive
    // mode when one is set ("PLAY MODE33").
    std::string statusText() const;

  private:
    struct Answer {
        char lead;  // ACK when the command was understood, NAK otherwise
        std::string text;
    };

    Answer execute(std::string_view command);
    std::optional<std::string> counterReply(std::string_view command) const;
    std::vector<std::string> cutIntoPieces(const std::string& frame);
    std::string noise();
    unsigned draw(unsigned bound);

    DriveIdentity identity_;
    DriveCounters counters_;
    FrameReader reader_;
    FaultMode faultMode_ = FaultMode::None;
    Transport transport_ = Transport::Stop;
    bool tapeLoaded_ = true;
    int driveMode_ = 0;
    int64_t operationMs_ = 0;
    int64_t drumRunMs_ = 0;
    int64_t tensionOnMs_ = 0;
    std::mt19937 random_;
};

// ACK or NAK, STX, the text, ETX.
std::string replyFrame(char lead, std::string_view text);

}  // namespace morva::sim
