#pragma once
// The drive tester's identity and life counters, and the hexadecimal forms in
// which the drive reports the counters.

#include <cstdint>
#include <string>
#include <string_view>

namespace morva::sim {

struct DriveIdentity {
    std::string serial = "VS40217";
    std::string model = "VDT-5100";
    std::string softwareVersion = "V2.13";
};

// Defaults chosen so that every reading path of the program is taken:
// operation minutes below 0x8000 (12345 = 3039), drum-run minutes in the
// 16-bit range that reads negative (40000 = 9C40), tension-on minutes past
// 16 bits (100000 = 000186A0), an eject count that reads negative as a
// 16-bit word (35000 = 88B8).
struct DriveCounters {
    uint32_t operationMinutes = 12345;
    uint32_t drumRunMinutes = 40000;
    uint32_t tensionOnMinutes = 100000;
    uint16_t loadingCount = 1234;
    uint16_t ejectCount = 35000;
    uint16_t halfLoadCount = 10;
    uint16_t clutchSolenoidCount = 200;
};

// Sets the counter named after its data-file key without the "VEKO_" prefix:
// Operation, DumRun, TensOn (minutes, 32 bits), Loading, CL_SOL, Eject,
// HalfLoad (16-bit counts). False for an unknown name or a value that does
// not fit the counter.
bool setCounter(DriveCounters& counters, std::string_view name, uint32_t value);

// The counter names setCounter accepts, separated by blanks.
std::string_view counterNames();

// Four upper-case hexadecimal digits.
std::string hexWord(uint16_t value);

// An hours counter as the drive sends it: four digits while the value fits
// 16 bits, eight digits beyond. The drive does not widen 0xFFFF, so a counter
// standing at 65535 minutes comes out as FFFF.
std::string hoursCounterHex(uint32_t minutes);

// True for a text the drive can send inside a frame: printable ASCII only,
// at most 32 characters.
bool isPlainReplyText(std::string_view text);

}  // namespace morva::sim
