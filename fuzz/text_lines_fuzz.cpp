// The conventions every key-and-value reader shares, on hostile bytes: the
// line split and decoding, the key split, the version text, the lenient and
// strict number parses and the integer conversions.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/numbers.h"
#include "files/text_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace morva;
    const auto lines = splitTextLines(fuzz::asText(data, size));
    for (const std::string& line : lines) {
        (void)versionText(line);
        const KeyValue kv = splitKeyValue(line);
        const double value = parseLeadingNumber(kv.value);
        (void)toInt16(value);
        (void)toInt32(value);
        (void)parseStrictInt16(kv.value);
        (void)parseStrictInt32(kv.value);
        (void)printFormDouble(value);
        (void)printFormSingle(static_cast<float>(value));
        (void)formatFixed(value, 2);
    }
    return 0;
}
