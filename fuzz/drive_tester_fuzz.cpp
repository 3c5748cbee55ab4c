// The reply texts of the serial line on hostile bytes: the cut of a
// collected reply, the drive tester's identity and counter conversions, and
// the simulator's framing of what the program sends.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "io/drive_tester.h"
#include "io/rs232c.h"
#include "sim/frame_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace morva;
    const std::string bytes(fuzz::asText(data, size));
    const std::string reply = ReplyText(bytes);
    for (const std::string& text : {bytes, reply}) {
        (void)IdentityEntry(text, "DD1:");
        (void)IdentityEntry(text, "DD0:");
        (void)TrimBlanks(text);
        (void)CounterHex(text);
        (void)HoursCounterEntry(text);
        (void)ThreeCounts(text);
        (void)SingleCount(text);
        (void)HexValue(text);
    }
    sim::FrameReader frames;
    for (size_t at = 0; at < bytes.size(); at += 3)
        (void)frames.feed(std::string_view(bytes).substr(at, 3));
    return 0;
}
