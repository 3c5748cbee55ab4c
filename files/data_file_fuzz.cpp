#include "files/data_file_fuzz.h"

#include <string_view>

#include "files/data_file.h"
#include "files/text_file.h"

namespace morva {

void FuzzDataFileReader(const uint8_t* data, size_t size) {
    if (size > kMaxDataFileBytes) size = kMaxDataFileBytes;
    const auto lines = splitTextLines(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const DataFileCounts& current :
         {DataFileCounts{0, 0, 1}, DataFileCounts{150, 100, 2}, DataFileCounts{-1, 1 << 30, 0}}) {
        const DataFileContents c = ParseDataFile(lines, current);
        (void)c;
    }
}

void FuzzDataFileInfo(const uint8_t* data, size_t size) {
    if (size > kMaxInfoBytes) size = kMaxInfoBytes;
    const DataFileInfo info =
        ParseDataFileInfo(splitTextLines(std::string_view(reinterpret_cast<const char*>(data), size)));
    (void)info;
}

}  // namespace morva
