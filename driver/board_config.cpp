#include "driver/board_config.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <map>

#include "core/numbers.h"
#include "files/text_file.h"

namespace morva::sim {

namespace {

std::string trimmed(std::string_view text) {
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    const size_t end = text.find_last_not_of(" \t");
    return std::string(text.substr(begin, end - begin + 1));
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

uint16_t code16(double value) {
    return static_cast<uint16_t>(std::clamp<int32_t>(toInt32(value), 0, UINT16_MAX));
}

// "position, microns"
bool parseDeviationPoint(const std::string& value, DeviationPoint* point) {
    const size_t comma = value.find(',');
    if (comma == std::string::npos) return false;
    point->position = parseLeadingNumber(value.substr(0, comma));
    point->microns = parseLeadingNumber(value.substr(comma + 1));
    return true;
}

using Setter = std::function<bool(BoardConfig&, const std::string&)>;

template <typename Field>
Setter integer(Field BoardConfig::*field) {
    return [field](BoardConfig& c, const std::string& v) {
        c.*field = toInt32(parseLeadingNumber(v));
        return true;
    };
}

Setter number(double BoardConfig::*field) {
    return [field](BoardConfig& c, const std::string& v) {
        c.*field = parseLeadingNumber(v);
        return true;
    };
}

Setter signalNumber(double VtrSignalParams::*field) {
    return [field](BoardConfig& c, const std::string& v) {
        c.signal.*field = parseLeadingNumber(v);
        return true;
    };
}

Setter faultCode(uint16_t BoardConfig::*field) {
    return [field](BoardConfig& c, const std::string& v) {
        c.*field = code16(parseLeadingNumber(v));
        return true;
    };
}

const std::map<std::string, Setter, std::less<>>& setters() {
    static const std::map<std::string, Setter, std::less<>> table = {
        {"DeviceType = ",
         [](BoardConfig& c, const std::string& v) {
             c.deviceType = trimmed(v);
             return true;
         }},
        {"Resolution = ", integer(&BoardConfig::resolutionBits)},
        {"Channels = ", integer(&BoardConfig::channels)},
        {"ADSubsystems = ", integer(&BoardConfig::adSubsystems)},
        {"DASubsystems = ", integer(&BoardConfig::daSubsystems)},
        {"DAResolution = ", integer(&BoardConfig::daResolutionBits)},
        {"DAChannels = ", integer(&BoardConfig::daChannels)},
        {"DigitalPorts = ", integer(&BoardConfig::digitalPorts)},
        {"MaxSamplingRate = ", number(&BoardConfig::maxSamplingRate)},
        {"MinSamplingRate = ", number(&BoardConfig::minSamplingRate)},
        {"FullScaleCount = ", number(&BoardConfig::fullScaleCount)},
        {"Timing = ",
         [](BoardConfig& c, const std::string& v) {
             const std::string t = lowered(trimmed(v));
             if (t == "instant") {
                 c.timing = Timing::Instant;
             } else if (t == "realtime") {
                 c.timing = Timing::RealTime;
             } else {
                 return false;
             }
             return true;
         }},
        {"Section = ",
         [](BoardConfig& c, const std::string& v) {
             const std::string t = lowered(trimmed(v));
             if (t == "auto") {
                 c.section = SectionChoice::Auto;
             } else if (t == "sensitivity") {
                 c.section = SectionChoice::Sensitivity;
             } else if (t == "linearity") {
                 c.section = SectionChoice::Linearity;
             } else if (t == "ramp") {
                 c.section = SectionChoice::Ramp;
             } else {
                 return false;
             }
             return true;
         }},
        {"SectionSwitchSamples = ", number(&BoardConfig::sectionSwitchSamples)},
        {"ClockStart = ", number(&BoardConfig::clockStart)},
        {"Seed = ",
         [](BoardConfig& c, const std::string& v) {
             const double seed = parseLeadingNumber(v);
             if (!(seed >= 0 && seed < 0x1.0p63)) return false;
             c.signal.seed = static_cast<uint64_t>(seed);
             return true;
         }},
        {"CylRot = ", signalNumber(&VtrSignalParams::cylRot)},
        {"nHead = ",
         [](BoardConfig& c, const std::string& v) {
             c.signal.nHead = toInt32(parseLeadingNumber(v));
             return true;
         }},
        {"HeadStagger = ", signalNumber(&VtrSignalParams::headStagger)},
        {"TrackPitch = ", signalNumber(&VtrSignalParams::trackPitch)},
        {"SensSlope = ", signalNumber(&VtrSignalParams::sensSlope)},
        {"SensLevelLow = ", signalNumber(&VtrSignalParams::sensLevelLow)},
        {"SensOffsetPerScan = ", signalNumber(&VtrSignalParams::sensOffsetPerScan)},
        {"LinCentre = ", signalNumber(&VtrSignalParams::linCentre)},
        {"LinSeparation = ", signalNumber(&VtrSignalParams::linSeparation)},
        {"Deviation = ",
         [](BoardConfig& c, const std::string& v) {
             DeviationPoint point{};
             if (!parseDeviationPoint(v, &point)) return false;
             c.signal.deviation.push_back(point);
             return true;
         }},
        {"TapeDeviation = ",
         [](BoardConfig& c, const std::string& v) {
             DeviationPoint point{};
             if (!parseDeviationPoint(v, &point)) return false;
             c.signal.tapeDeviation.push_back(point);
             return true;
         }},
        {"Noise = ", signalNumber(&VtrSignalParams::noiseRms)},
        {"FailOpen = ", faultCode(&BoardConfig::failOpen)},
        {"FailAllocate = ", faultCode(&BoardConfig::failAllocate)},
        {"FailSubmit = ", faultCode(&BoardConfig::failSubmit)},
        {"FailArm = ", faultCode(&BoardConfig::failArm)},
        {"NoTrigger = ",
         [](BoardConfig& c, const std::string& v) {
             c.noTrigger = parseLeadingNumber(v) != 0;
             return true;
         }},
        {"RuntimeError = ",
         [](BoardConfig& c, const std::string& v) {
             const double code = parseLeadingNumber(v);
             if (!(code >= 0 && code <= UINT32_MAX)) return false;
             c.runtimeError = static_cast<uint32_t>(roundHalfEven(code));
             return true;
         }},
    };
    return table;
}

bool within(double value, double low, double high) {
    return std::isfinite(value) && value >= low && value <= high;
}

// The first value out of its range, or an empty text.
std::string rangeError(const BoardConfig& c) {
    const VtrSignalParams& s = c.signal;
    if (c.resolutionBits < 1 || c.resolutionBits > 32) return "Resolution must be 1 to 32 bits";
    if (c.channels < 1 || c.channels > 16) return "Channels must be 1 to 16";
    if (c.adSubsystems < 0 || c.adSubsystems > 4) return "ADSubsystems must be 0 to 4";
    if (c.daSubsystems < 0 || c.daSubsystems > 4) return "DASubsystems must be 0 to 4";
    if (c.daResolutionBits < 1 || c.daResolutionBits > 32) return "DAResolution must be 1 to 32 bits";
    if (c.daChannels < 1 || c.daChannels > 16) return "DAChannels must be 1 to 16";
    if (c.digitalPorts < 0 || c.digitalPorts > 16) return "DigitalPorts must be 0 to 16";
    if (!within(c.maxSamplingRate, 1, 1e8)) return "MaxSamplingRate must be positive";
    if (!within(c.minSamplingRate, 1e-3, c.maxSamplingRate))
        return "MinSamplingRate must be positive and at most MaxSamplingRate";
    if (!within(c.fullScaleCount, 1, 2147483647.0)) return "FullScaleCount must be positive";
    if (!within(c.sectionSwitchSamples, 0, 1e9)) return "SectionSwitchSamples must not be negative";
    if (!within(c.clockStart, 0, 1e9)) return "ClockStart must not be negative";
    if (!within(s.cylRot, 1, 1e6)) return "CylRot must be positive";
    if (s.nHead != 2 && s.nHead != 4 && s.nHead != 8) return "nHead must be 2, 4 or 8";
    if (!within(s.headStagger, 0, 360)) return "HeadStagger must be 0 to 360 degrees";
    if (!within(s.trackPitch, 1e-3, 1e4)) return "TrackPitch must be positive";
    if (!within(s.sensSlope, -1e6, 1e6) || !within(s.sensLevelLow, -1e5, 1e5) ||
        !within(s.sensOffsetPerScan, -1e4, 1e4) || !within(s.linCentre, -1e5, 1e5) ||
        !within(s.linSeparation, -1e5, 1e5))
        return "a signal level is out of range";
    if (!within(s.noiseRms, 0, 1e5)) return "Noise must not be negative";
    for (const DeviationPoint& p : s.deviation) {
        if (!within(p.position, 0, 1) || !within(p.microns, -1e4, 1e4))
            return "Deviation positions must be 0 to 1";
    }
    for (const DeviationPoint& p : s.tapeDeviation) {
        if (!within(p.position, 0, 1) || !within(p.microns, -1e4, 1e4))
            return "TapeDeviation positions must be 0 to 1";
    }
    return {};
}

}  // namespace

std::optional<BoardConfig> parseBoardConfig(const std::vector<std::string>& lines, std::string* error) {
    BoardConfig config;
    const auto& table = setters();
    for (size_t i = 1; i < lines.size(); ++i) {
        const KeyValue kv = splitKeyValue(lines[i]);
        const auto setter = table.find(kv.key);
        if (setter == table.end()) continue;
        if (!setter->second(config, kv.value)) {
            if (error) *error = "line " + std::to_string(i + 1) + ": bad value for \"" + kv.key + "\"";
            return std::nullopt;
        }
    }
    if (std::string problem = rangeError(config); !problem.empty()) {
        if (error) *error = problem;
        return std::nullopt;
    }
    return config;
}

std::optional<BoardConfig> readBoardConfig(const std::filesystem::path& file, std::string* error) {
    auto lines = readTextLines(file);
    if (!lines) {
        std::string text = file.string();
        if (text.find('\\') != std::string::npos) {
            std::replace(text.begin(), text.end(), '\\', '/');
            lines = readTextLines(text);
        }
    }
    if (!lines) {
        if (error) *error = "cannot read " + file.string();
        return std::nullopt;
    }
    return parseBoardConfig(*lines, error);
}

Section sectionFor(const BoardConfig& config, double rate) {
    switch (config.section) {
        case SectionChoice::Sensitivity:
            return Section::Sensitivity;
        case SectionChoice::Linearity:
            return Section::Linearity;
        case SectionChoice::Ramp:
            return Section::Ramp;
        case SectionChoice::Auto:
            break;
    }
    const double samplesPerScan = rate * 30.0 / config.signal.cylRot;
    return samplesPerScan < config.sectionSwitchSamples ? Section::Sensitivity : Section::Linearity;
}

}  // namespace morva::sim
