#pragma once
// File names built from what an operator typed (a serial number, a comment,
// a name in the save dialog): one rule for all of them, so a name can never
// leave its folder, hide itself or be refused by the file system.

#include <filesystem>
#include <string>
#include <string_view>

namespace morva {

// The longest file name, in bytes, that the file systems take.
inline constexpr size_t kMaxFileNameBytes = 255;

// `stem` + `ext` made safe: path separators, the characters \ / : * ? " < > |,
// control characters, DEL and bytes that are not UTF-8 become "_"; blanks and
// dots are trimmed at the start of the stem and at the end of the name, and
// blanks at the end of the stem; an empty stem becomes "NoName"; the stem is
// cut, at a character boundary, so that the whole name takes at most 255 bytes.
std::string SafeFileName(std::string_view stem, std::string_view ext);

// `name` (= stem + `ext`) when no file of that name is in `folder`, otherwise
// the first of stem + "_2" + ext, stem + "_3" + ext, ... that is free (the
// stem cut to keep 255 bytes). An existing file is never chosen.
std::string UnusedFileName(const std::filesystem::path& folder, std::string_view name, std::string_view ext);

// True for a name that stays inside its folder: not empty, not "." or "..",
// no "/" and no NUL.
bool IsPlainFileName(std::string_view name);

}  // namespace morva
