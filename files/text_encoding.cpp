// Text encodings of the program's files: UTF-8 as written today, the Japanese
// Windows code page (CP932) of files that come from the original installations.

#include <iconv.h>

#include <cerrno>
#include <string>
#include <string_view>

#include "files/text_file.h"

namespace morva {

namespace {

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence at the start of `bytes`, 0 when
// there is none (overlong forms, surrogates and values past U+10FFFF fail).
size_t utf8SequenceLength(std::string_view bytes) {
    const auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(0);
    if (lead < 0x80) return 1;
    size_t length = 0;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) secondLow = 0xA0;
        if (lead == 0xED) secondHigh = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) secondLow = 0x90;
        if (lead == 0xF4) secondHigh = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() < length) return 0;
    if (at(1) < secondLow || at(1) > secondHigh) return 0;
    for (size_t i = 2; i < length; ++i)
        if (!isContinuation(at(i))) return 0;
    return length;
}

// Without a converter, keep what is plain ASCII and mark the rest.
std::string asciiOnly(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (char c : bytes)
        text += static_cast<unsigned char>(c) < 0x80 ? c : '?';
    return text;
}

std::string decodeCp932(std::string_view bytes) {
    const iconv_t converter = ::iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) return asciiOnly(bytes);

    std::string input(bytes);  // iconv takes a non-const input pointer
    char* in = input.data();
    size_t inLeft = input.size();
    // A CP932 character of one or two bytes becomes at most three UTF-8 bytes.
    std::string output(input.size() * 3 + 4, '\0');
    char* out = output.data();
    size_t outLeft = output.size();

    while (inLeft > 0) {
        if (::iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            const size_t used = output.size() - outLeft;
            output.resize(output.size() * 2);
            out = output.data() + used;
            outLeft = output.size() - used;
            continue;
        }
        // A byte that is no CP932 character (or a lead byte cut off at the
        // end): one "?" for it, and go on with the next byte.
        if (outLeft == 0) {
            const size_t used = output.size();
            output.resize(output.size() + 16);
            out = output.data() + used;
            outLeft = output.size() - used;
        }
        *out++ = '?';
        --outLeft;
        ++in;
        --inLeft;
    }
    ::iconv_close(converter);
    output.resize(output.size() - outLeft);
    return output;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const size_t length = utf8SequenceLength(bytes);
        if (length == 0) return false;
        bytes.remove_prefix(length);
    }
    return true;
}

std::string decodeLegacyText(std::string_view bytes) {
    if (isValidUtf8(bytes)) return std::string(bytes);
    return decodeCp932(bytes);
}

}  // namespace morva
