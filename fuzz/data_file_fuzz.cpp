// The measurement data file on hostile bytes: the whole reader (parse,
// clamping, both waveform tables) and the load dialog's file information.

#include <cstddef>
#include <cstdint>

#include "files/data_file_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    morva::FuzzDataFileReader(data, size);
    morva::FuzzDataFileInfo(data, size);
    return 0;
}
