#pragma once
// "MORVA MasterTape.dat" as a whole: the header line and the list of master
// tapes, each with its certified deviations and their check sum. The editor
// reads the file into entries, changes the entries and writes the file from
// them; its list lines are only a view of the entries.
//
// The file, written with CR LF lines:
//   <header line, kept as read>
//   nEntry = <count in print form>
//   (for every entry k, numbered from 000 in list order)
//   <empty line>
//   Tape<kkk>_Name = <name>
//     EntryDate = YYYY-MM-DD
//     TrackPitch = <track pitch>
//     nPoint = <number of points>
//     CheckSum = <check sum, one decimal>
//     Data = <points, one decimal each, joined by ",">

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morva {

inline constexpr const char* kMasterTapeHeader = "[MORVA Windows - MORVA MasterTape File] Ver.1.00";

// One master tape. The fields are kept as the text read from the file (the
// date brought to YYYY-MM-DD), so a rewrite reproduces every value whatever
// its width; a new entry gets them in the file's number forms.
struct MasterTapeEntry {
    std::string Name;
    std::string EntryDate;
    std::string TrackPitch;
    std::string nPoint;
    std::string CheckSum;
    std::string Data;
    bool operator==(const MasterTapeEntry&) const = default;
};

struct MasterTapeFile {
    bool found = false;  // the file could be read
    std::string header = kMasterTapeHeader;
    std::vector<MasterTapeEntry> entries;
    // Entries that could not be read whole (the file ends inside one, or a
    // line of one has another key than its place asks for): the name and
    // why. A rewrite drops them, so the operator is asked first.
    std::vector<std::string> unreadable;
};

// The entries of the file's lines (line 0 is the header). A "Tape" line
// with a key starts an entry; its next five lines must carry, in order,
// "  EntryDate = ", "  TrackPitch = ", "  nPoint = ", "  CheckSum = " and
// "  Data = ". Other lines between entries are skipped.
MasterTapeFile Parse_MasterTapeFile(const std::vector<std::string>& lines);
MasterTapeFile Read_MasterTapeFile(const std::filesystem::path& file);

// The file's text for these entries (what Write_MasterTapeFile writes).
std::string MasterTapeFileText(const std::string& header, const std::vector<MasterTapeEntry>& entries);
// Rewrites the file atomically; false with the reason when it cannot be
// written, the old file then stays as it was.
bool Write_MasterTapeFile(const std::filesystem::path& file, const std::string& header,
                          const std::vector<MasterTapeEntry>& entries, std::string* error);

// The old month-day-year form (a "-" within the first four characters and
// none within the last four) brought to year-month-day with two-digit month
// and day: "12-31-2005" and "1-5-2005" give "2005-12-31" and "2005-01-05".
// Any other text is returned as it is.
std::string Normalise_EntryDate(const std::string& date);

// Tenths of a value rounded to one decimal: floor(value x 10 + 0.5).
int64_t tenthsOf(double value);
// The check sum of typed point texts: their values summed in single
// precision (an empty text counts 0), in tenths.
int64_t CheckSumTenths(const std::vector<std::string>& pointTexts);
// True when the typed check sum equals the computed one at one decimal.
bool CheckSumMatches(const std::vector<std::string>& pointTexts, const std::string& typedCheckSum);

// Why a typed name cannot be used, or nothing when it can: not empty, at
// most 15 characters, no tab, CR or LF, and not the name of another entry.
inline constexpr size_t kMaxTypedTapeName = 15;
std::optional<std::string> TapeNameProblem(const std::string& name,
                                           const std::vector<MasterTapeEntry>& entries);

// Characters (not bytes) of a UTF-8 text.
size_t characterCount(std::string_view text);
// Columns a UTF-8 text takes in a fixed-pitch font: two for full-width
// characters (kanji, kana, full-width forms), one for the others.
size_t displayWidth(std::string_view text);

// The editor's list lines of the entries: name, tab, date, three blanks,
// "[" pitch "]", tab, points "pnts  (" check sum ")", tab, data. The
// columns are 15, 10, 3, 2 and 5 columns wide and widen to the widest value
// of the list (in display columns), so the lines keep their columns aligned.
std::vector<std::string> MasterTapeListLines(const std::vector<MasterTapeEntry>& entries);

// The order of the editor's view: "Date Descend", "Date Ascend", "Name
// Ascend", "Name Descend", "Original" (file order). Returns entry indexes;
// equal keys keep their file order.
std::vector<size_t> MasterTapeViewOrder(const std::vector<MasterTapeEntry>& entries, int sortIndex);

// Reads a whole file's bytes as the editor would and writes them back to
// text; never fails. The entry for a libFuzzer target.
void MasterTape_FuzzOne(const uint8_t* data, size_t size);

}  // namespace morva
