#include "sim/drive_counters.h"

#include <cstdio>

namespace morva::sim {

namespace {

bool setCount(uint16_t& count, uint32_t value) {
    if (value > 0xFFFF) return false;
    count = static_cast<uint16_t>(value);
    return true;
}

}  // namespace

bool setCounter(DriveCounters& counters, std::string_view name, uint32_t value) {
    if (name == "Operation") {
        counters.operationMinutes = value;
        return true;
    }
    if (name == "DumRun") {
        counters.drumRunMinutes = value;
        return true;
    }
    if (name == "TensOn") {
        counters.tensionOnMinutes = value;
        return true;
    }
    if (name == "Loading") return setCount(counters.loadingCount, value);
    if (name == "CL_SOL") return setCount(counters.clutchSolenoidCount, value);
    if (name == "Eject") return setCount(counters.ejectCount, value);
    if (name == "HalfLoad") return setCount(counters.halfLoadCount, value);
    return false;
}

std::string_view counterNames() {
    return "Operation DumRun TensOn Loading CL_SOL Eject HalfLoad";
}

std::string hexWord(uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value));
    return text;
}

std::string hoursCounterHex(uint32_t minutes) {
    if (minutes <= 0xFFFF) return hexWord(static_cast<uint16_t>(minutes));
    char text[12];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(minutes));
    return text;
}

bool isPlainReplyText(std::string_view text) {
    if (text.size() > 32) return false;
    for (char c : text) {
        if (c < 0x20 || c > 0x7E) return false;
    }
    return true;
}

}  // namespace morva::sim
