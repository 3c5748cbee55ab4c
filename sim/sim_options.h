#pragma once
// The simulator's command line and the control commands it reads on its
// standard input while it runs.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/drive_counters.h"
#include "sim/vtr_simulator.h"

namespace morva::sim {

struct SimOptions {
    std::string linkPath;  // empty: no link
    DriveIdentity identity;
    DriveCounters counters;
    uint32_t seed = 1;
    FaultMode fault = FaultMode::None;
    int replyDelayMs = 10;
    int pieceGapMs = 40;
    bool verbose = false;
    bool help = false;
};

inline constexpr int kMaxReplyDelayMs = 60'000;
inline constexpr int kMaxPieceGapMs = 10'000;

struct OptionsResult {
    std::optional<SimOptions> options;  // nothing when the command line is wrong
    std::string error;
};

// Parses the arguments after the program name. Options take their value as
// the next argument or after "=": "--seed 7" or "--seed=7".
OptionsResult parseOptions(const std::vector<std::string>& arguments);

std::string usageText();

// One line of the control input.
struct ControlCommand {
    enum class Kind { Nothing, Fault, Delay, Status, Quit, Invalid };
    Kind kind = Kind::Nothing;
    FaultMode fault = FaultMode::None;
    int delayMs = 0;
    std::string error;
};

// "fault <mode>", "delay <ms>", "status", "quit"; a blank line is Nothing.
ControlCommand parseControlLine(std::string_view line);

// A whole decimal number, or hexadecimal after "0x", within [0, max].
std::optional<uint32_t> parseOptionNumber(std::string_view text, uint32_t max);

}  // namespace morva::sim
