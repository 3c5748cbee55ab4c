#pragma once
// The configuration file of the simulated A/D board ("daq*.dat"): a header
// line, then "key = value" lines in the program's key-and-value convention
// (split at the first "=", exact keys, lenient numbers); every other line is
// a comment. demo/daqsim.dat documents every key.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "driver/vtr_signal.h"

namespace morva::sim {

enum class Timing {
    Instant,   // the whole acquisition completes inside the arm call
    RealTime,  // completion after the samples' time, on the driver's thread
};

enum class SectionChoice {
    Auto,  // by samples per head scan, see sectionSwitchSamples
    Sensitivity,
    Linearity,
    Ramp,  // a test ramp per channel (see Section::Ramp)
};

struct BoardConfig {
    std::string deviceType;  // empty: any device type name is accepted
    int resolutionBits = 16;
    int channels = 2;
    int adSubsystems = 1;
    int daSubsystems = 0;
    int daResolutionBits = 12;
    int daChannels = 2;
    int digitalPorts = 0;
    double maxSamplingRate = 500000;  // per channel
    double minSamplingRate = 1;       // per channel: below, an acquisition would last for ages
    double fullScaleCount = 32672;    // the count of +10 V
    Timing timing = Timing::Instant;
    SectionChoice section = SectionChoice::Auto;
    double sectionSwitchSamples = 80;  // below: sensitivity section; at or above: linearity
    double clockStart = 0;             // seconds of tape play when the board first opens

    // Fault injection: a non-zero code is returned by that step.
    uint16_t failOpen = 0;
    uint16_t failAllocate = 0;
    uint16_t failSubmit = 0;
    uint16_t failArm = 0;
    bool noTrigger = false;     // the external trigger never comes
    uint32_t runtimeError = 0;  // every acquisition ends with this run-time error

    VtrSignalParams signal;
};

// Parses the lines of a configuration file (line 1 is the header). nullopt
// with a reason when a value is out of its range.
std::optional<BoardConfig> parseBoardConfig(const std::vector<std::string>& lines, std::string* error);

// Reads and parses a file. A path written with "\" separators is tried
// with "/" as well.
std::optional<BoardConfig> readBoardConfig(const std::filesystem::path& file, std::string* error);

// The section that plays for an acquisition at `rate`.
Section sectionFor(const BoardConfig& config, double rate);

}  // namespace morva::sim
