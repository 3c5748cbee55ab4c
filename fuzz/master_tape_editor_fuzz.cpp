// The master-tape editor's reader on hostile bytes: every entry read, written
// back from the entries and read again to the same entries.

#include <cstddef>
#include <cstdint>

#include "files/master_tape_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    morva::MasterTape_FuzzOne(data, size);
    return 0;
}
