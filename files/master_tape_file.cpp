#include "files/master_tape_file.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/numbers.h"
#include "files/text_file.h"

namespace morva {

namespace {

// The five keys after an entry's "Tape" line, in their order.
constexpr std::array<std::string_view, 5> kEntryKeys = {
    "  EntryDate = ", "  TrackPitch = ", "  nPoint = ", "  CheckSum = ", "  Data = "};

bool startsEntry(const std::string& line) {
    return line.starts_with("Tape") && !splitKeyValue(line).key.empty();
}

std::string threeDigits(size_t k) {
    std::string digits = std::to_string(k % 1000);
    return std::string(3 - digits.size(), '0') + digits;
}

std::string padRight(const std::string& text, size_t width) {
    const size_t n = displayWidth(text);
    return n >= width ? text : text + std::string(width - n, ' ');
}

std::string padLeft(const std::string& text, size_t width) {
    const size_t n = displayWidth(text);
    return n >= width ? text : std::string(width - n, ' ') + text;
}

std::string trimmed(const std::string& text) {
    const size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    const size_t e = text.find_last_not_of(' ');
    return text.substr(b, e - b + 1);
}

bool allDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

size_t characterCount(std::string_view text) {
    // Every byte that does not continue a UTF-8 sequence starts a character.
    return static_cast<size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

size_t displayWidth(std::string_view text) {
    size_t width = 0;
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        uint32_t code = byte & (length == 1 ? 0x7F : length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
        for (int k = 1; k < length && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += length;
        // Full-width forms, kana, kanji and hangul take two columns; the
        // half-width katakana (U+FF61..FF9F) one.
        const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
                          (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
                          (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
                          (code >= 0xFFE0 && code <= 0xFFE6) || (code >= 0x20000 && code <= 0x3FFFD);
        width += wide ? 2 : 1;
    }
    return width;
}

std::string Normalise_EntryDate(const std::string& date) {
    if (date.size() < 4) return date;
    const bool dashNearFront = date.substr(0, 4).find('-') != std::string::npos;
    const bool dashNearEnd = date.substr(date.size() - 4).find('-') != std::string::npos;
    if (!dashNearFront || dashNearEnd) return date;
    // Month and day get two digits before the year is moved to the front.
    const size_t first = date.find('-');
    const size_t second = date.find('-', first + 1);
    std::string padded = date;
    if (second != std::string::npos) {
        std::string month = date.substr(0, first);
        std::string day = date.substr(first + 1, second - first - 1);
        if (allDigits(month) && month.size() == 1) month = "0" + month;
        if (allDigits(day) && day.size() == 1) day = "0" + day;
        padded = month + "-" + day + date.substr(second);
    }
    return (padded.substr(padded.size() - 4) + "-" + padded).substr(0, 10);
}

MasterTapeFile Parse_MasterTapeFile(const std::vector<std::string>& lines) {
    MasterTapeFile f;
    f.found = true;
    f.header = lines.empty() ? std::string(kMasterTapeHeader) : lines.front();
    size_t i = 1;
    while (i < lines.size()) {
        if (!startsEntry(lines[i])) {
            ++i;
            continue;
        }
        MasterTapeEntry e;
        e.Name = splitKeyValue(lines[i]).value;
        std::array<std::string*, 5> fields = {&e.EntryDate, &e.TrackPitch, &e.nPoint, &e.CheckSum, &e.Data};
        size_t k = 0;
        std::string problem;
        for (; k < kEntryKeys.size(); ++k) {
            const size_t at = i + 1 + k;
            if (at >= lines.size()) {
                problem = "the file ends inside the entry";
                break;
            }
            if (startsEntry(lines[at])) {
                problem = "the entry is cut short by the next one";
                break;
            }
            const KeyValue kv = splitKeyValue(lines[at]);
            if (kv.key != kEntryKeys[k]) {
                problem = "line \"" + lines[at] + "\" is not the expected \"" +
                          trimmed(std::string(kEntryKeys[k])) + "\" line";
                break;
            }
            *fields[k] = kv.value;
        }
        if (k == kEntryKeys.size()) {
            e.EntryDate = Normalise_EntryDate(e.EntryDate);
            f.entries.push_back(std::move(e));
            i += 1 + kEntryKeys.size();
        } else {
            f.unreadable.push_back("\"" + e.Name + "\": " + problem);
            // A following entry starts where this one was cut short.
            i += 1 + k;
            if (i < lines.size() && !startsEntry(lines[i])) ++i;
        }
    }
    return f;
}

MasterTapeFile Read_MasterTapeFile(const std::filesystem::path& file) {
    const std::optional<std::vector<std::string>> lines = readTextLines(file);
    if (!lines) return MasterTapeFile{};
    return Parse_MasterTapeFile(*lines);
}

std::string MasterTapeFileText(const std::string& header, const std::vector<MasterTapeEntry>& entries) {
    std::string text;
    appendCrLfLine(text, header);
    appendCrLfLine(text, "nEntry =" + printForm(static_cast<int64_t>(entries.size())));
    for (size_t k = 0; k < entries.size(); ++k) {
        const MasterTapeEntry& e = entries[k];
        appendCrLfLine(text, "");
        appendCrLfLine(text, "Tape" + threeDigits(k) + "_Name = " + e.Name);
        const std::array<const std::string*, 5> fields = {&e.EntryDate, &e.TrackPitch, &e.nPoint, &e.CheckSum,
                                                          &e.Data};
        for (size_t f = 0; f < kEntryKeys.size(); ++f)
            appendCrLfLine(text, std::string(kEntryKeys[f]) + *fields[f]);
    }
    return text;
}

bool Write_MasterTapeFile(const std::filesystem::path& file, const std::string& header,
                          const std::vector<MasterTapeEntry>& entries, std::string* error) {
    return writeFileAtomically(file, MasterTapeFileText(header, entries), error);
}

int64_t tenthsOf(double value) {
    const double t = std::floor(value * 10.0 + 0.5);
    if (!std::isfinite(t)) return 0;
    return static_cast<int64_t>(std::clamp(t, -1e15, 1e15));
}

int64_t CheckSumTenths(const std::vector<std::string>& pointTexts) {
    float sum = 0.0f;
    for (const std::string& t : pointTexts)
        sum += static_cast<float>(parseLeadingNumber(t));
    return tenthsOf(static_cast<double>(sum));
}

bool CheckSumMatches(const std::vector<std::string>& pointTexts, const std::string& typedCheckSum) {
    return CheckSumTenths(pointTexts) == tenthsOf(parseLeadingNumber(typedCheckSum));
}

std::optional<std::string> TapeNameProblem(const std::string& name,
                                           const std::vector<MasterTapeEntry>& entries) {
    if (name.empty()) return "Input Name / ID.";
    if (name.find_first_of("\t\r\n") != std::string::npos)
        return "A Name / ID cannot hold a tab or a line break.";
    if (characterCount(name) > kMaxTypedTapeName)
        return "A Name / ID has at most " + std::to_string(kMaxTypedTapeName) + " characters.";
    for (const MasterTapeEntry& e : entries)
        if (e.Name == name) return "Name / ID [" + name + "] already exists.";
    return std::nullopt;
}

std::vector<std::string> MasterTapeListLines(const std::vector<MasterTapeEntry>& entries) {
    size_t wName = 15, wDate = 10, wPitch = 3, wPoints = 2, wSum = 5;
    for (const MasterTapeEntry& e : entries) {
        wName = std::max(wName, displayWidth(e.Name));
        wDate = std::max(wDate, displayWidth(e.EntryDate));
        wPitch = std::max(wPitch, displayWidth(e.TrackPitch));
        wPoints = std::max(wPoints, displayWidth(trimmed(e.nPoint)));
        wSum = std::max(wSum, displayWidth(trimmed(e.CheckSum)));
    }
    std::vector<std::string> lines;
    lines.reserve(entries.size());
    for (const MasterTapeEntry& e : entries) {
        lines.push_back(padRight(e.Name, wName) + "\t" + padRight(e.EntryDate, wDate) + "   [" +
                        padLeft(e.TrackPitch, wPitch) + "]\t" + padLeft(trimmed(e.nPoint), wPoints) +
                        "pnts  (" + padLeft(trimmed(e.CheckSum), wSum) + ")\t" + e.Data);
    }
    return lines;
}

std::vector<size_t> MasterTapeViewOrder(const std::vector<MasterTapeEntry>& entries, int sortIndex) {
    std::vector<size_t> order(entries.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    const auto by = [&](auto key, bool descending) {
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            return descending ? key(entries[b]) < key(entries[a]) : key(entries[a]) < key(entries[b]);
        });
    };
    const auto date = [](const MasterTapeEntry& e) -> const std::string& { return e.EntryDate; };
    const auto name = [](const MasterTapeEntry& e) -> const std::string& { return e.Name; };
    switch (sortIndex) {
        case 0:
            by(date, true);
            break;
        case 1:
            by(date, false);
            break;
        case 2:
            by(name, false);
            break;
        case 3:
            by(name, true);
            break;
        default:
            break;
    }
    return order;
}

void MasterTape_FuzzOne(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const MasterTapeFile f = Parse_MasterTapeFile(splitTextLines(bytes));
    const std::vector<std::string> shown = MasterTapeListLines(f.entries);
    for (int sort = 0; sort < 5; ++sort)
        (void)MasterTapeViewOrder(f.entries, sort);
    const std::string text = MasterTapeFileText(f.header, f.entries);
    // Written entries read back to themselves.
    const MasterTapeFile again = Parse_MasterTapeFile(splitTextLines(text));
    if (again.entries.size() != f.entries.size() || shown.size() != f.entries.size()) __builtin_trap();
}

}  // namespace morva
