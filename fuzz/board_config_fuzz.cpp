// The simulated board's configuration file from hostile bytes, split into
// lines as the board's reader does.

#include <cstddef>
#include <cstdint>
#include <string>

#include "driver/board_config.h"
#include "files/text_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    const auto lines = morva::splitTextLines(morva::fuzz::asText(data, size));
    if (const auto config = morva::sim::parseBoardConfig(lines, &error)) {
        (void)morva::sim::sectionFor(*config, 1000.0);
        (void)morva::sim::sectionFor(*config, 1e9);
    }
    return 0;
}
