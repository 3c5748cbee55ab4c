#include "files/file_names.h"

#include <system_error>

#include "files/text_file.h"

namespace morva {

namespace {

constexpr std::string_view kReserved = "\\/:*?\"<>|";

bool isUnsafeByte(unsigned char c) {
    return c < 0x20 || c == 0x7F || kReserved.find(static_cast<char>(c)) != std::string_view::npos;
}

// Length of the UTF-8 character at `i`, 0 when the bytes there are not one.
size_t characterLength(std::string_view text, size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) return 1;
    size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
    if (n == 0 || i + n > text.size()) return 0;
    return isValidUtf8(text.substr(i, n)) ? n : 0;
}

// Reserved and control characters and broken UTF-8 replaced by "_".
std::string replaceUnsafe(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t n = characterLength(text, i);
        if (n == 0 || (n == 1 && isUnsafeByte(static_cast<unsigned char>(text[i])))) {
            out += '_';
            i += n == 0 ? 1 : n;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

// The longest prefix of `text` of at most `bytes` bytes that ends at a
// character boundary (the text is valid UTF-8 here).
std::string_view cutAtCharacter(std::string_view text, size_t bytes) {
    if (text.size() <= bytes) return text;
    size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

std::string joined(std::string_view stem, std::string_view ext) {
    if (ext.size() >= kMaxFileNameBytes) ext = cutAtCharacter(ext, kMaxFileNameBytes - 1);
    std::string name(cutAtCharacter(stem, kMaxFileNameBytes - ext.size()));
    name += ext;
    return name;
}

}  // namespace

std::string SafeFileName(std::string_view stemText, std::string_view extText) {
    std::string stem = replaceUnsafe(stemText);
    std::string ext = replaceUnsafe(extText);
    const size_t first = stem.find_first_not_of(" .");
    stem = first == std::string::npos ? std::string() : stem.substr(first);
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    if (stem.empty()) stem = "NoName";
    while (!ext.empty() && (ext.back() == ' ' || ext.back() == '.'))
        ext.pop_back();
    std::string name = joined(stem, ext);
    while (name.size() > 1 && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    return name;
}

std::string UnusedFileName(const std::filesystem::path& folder, std::string_view name, std::string_view ext) {
    std::error_code ec;
    // A folder that cannot be looked into: the write that follows says why.
    if (!std::filesystem::exists(folder / std::string(name), ec) || ec) return std::string(name);
    const std::string_view stem =
        name.size() > ext.size() && name.ends_with(ext) ? name.substr(0, name.size() - ext.size()) : name;
    const std::string_view tail = stem.size() == name.size() ? std::string_view() : ext;
    for (long n = 2;; ++n) {
        const std::string suffix = "_" + std::to_string(n);
        std::string candidate(cutAtCharacter(stem, kMaxFileNameBytes - suffix.size() - tail.size()));
        candidate += suffix;
        candidate += tail;
        if (!std::filesystem::exists(folder / candidate, ec) || ec) return candidate;
        if (n > 1000000) return candidate;  // a folder this full: the write will say so
    }
}

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

}  // namespace morva
