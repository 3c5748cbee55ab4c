#pragma once
// Entry points for fuzzing the data-file readers with arbitrary bytes: the
// whole reader (parse, clamp, tables) and the load dialog's file
// information. Each returns normally for any input.

#include <cstddef>
#include <cstdint>

namespace morva {

// Parses `size` bytes as a data file (decoded and split into lines as a file
// on disk is) with a few program counts, including hostile ones.
void FuzzDataFileReader(const uint8_t* data, size_t size);
// Parses the same bytes as the load dialog's file information, cut as the
// dialog cuts a file.
void FuzzDataFileInfo(const uint8_t* data, size_t size);

}  // namespace morva
