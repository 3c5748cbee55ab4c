#pragma once
// Conventions shared by every key-and-value text file of the program
// (settings, parameters, model table, master tapes, work lists, spec lines,
// data files): the key split, the version line, CR LF lines, the encoding,
// the atomic rewrite and the program folder.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morva {

// A setting line split at its first "=": the key is the line up to and
// including the one character after that "=" (normally the blank), the value
// the rest. A line without "=" has an empty key and the whole line as value.
struct KeyValue {
    std::string key;
    std::string value;
};
KeyValue splitKeyValue(std::string_view line);

// The version text of a header line: from the first "Ver" to the end, or the
// whole line when "Ver" does not occur.
std::string versionText(std::string_view headerLine);
// "<file name> : <version text>", the entry a start-up reader adds to lst_Version.
std::string versionLine(std::string_view fileName, std::string_view headerLine);

// A text file read as lines. Accepts CR LF and LF endings (a lone CR in the
// middle of a line stays), strips a UTF-8 byte-order mark, and decodes the
// bytes as UTF-8 or, when they are not valid UTF-8, as the Japanese Windows
// code page (CP932) into UTF-8. Returns nothing when the file cannot be opened.
// The encoding is decided for the whole file: one byte that is not UTF-8 makes
// the whole file CP932. A byte that is not CP932 either becomes "?" and the
// rest of the line is kept. A CR that is the very last byte of the file ends
// the last line like CR LF.
std::optional<std::vector<std::string>> readTextLines(const std::filesystem::path& file);
// The same for bytes already in memory (a file's whole contents).
std::vector<std::string> textLinesOf(std::string_view bytes);
// The same, reading at most `maxBytes` of the file: a longer file is cut
// there, and the line the cut falls into is left out whole.
std::optional<std::vector<std::string>> readTextLines(const std::filesystem::path& file, size_t maxBytes);

// Sequential reader over the lines of a file, as the readers walk them:
// next() gives the next line or nothing at the end.
class LineReader {
  public:
    explicit LineReader(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    std::optional<std::string> next();
    bool atEnd() const { return pos_ >= lines_.size(); }
    size_t lineNumber() const { return pos_; }  // lines consumed so far

  private:
    std::vector<std::string> lines_;
    size_t pos_ = 0;
};

// Bytes to UTF-8: valid UTF-8 passes unchanged, anything else is decoded as CP932.
std::string decodeLegacyText(std::string_view bytes);
bool isValidUtf8(std::string_view bytes);

// Appends `line` and CR LF to `text`: the line ending of every file the
// program writes and of the multi-line text boxes.
void appendCrLfLine(std::string& text, std::string_view line);

// Collects lines and writes them with CR LF endings, UTF-8, through a
// temporary file in the same folder renamed over the target, so a crash
// never leaves a half-written file. commit() returns false (and leaves the
// old file untouched) when the folder is not writable or the disk is full;
// errorText() then says why.
class TextFileWriter {
  public:
    explicit TextFileWriter(std::filesystem::path target) : target_(std::move(target)) {}
    void line(std::string_view text);  // one line; CR LF is added
    bool commit();
    const std::string& errorText() const { return error_; }
    const std::string& contents() const { return buffer_; }

  private:
    std::filesystem::path target_;
    std::string buffer_;
    std::string error_;
};

// Writes `bytes` to `target` atomically (temporary file in the same folder,
// flushed, then renamed over the target). False with a reason on failure:
// "Cannot write <path>: <system message>"; the temporary file is removed and
// the old file stays as it was. A rewritten file keeps the old one's
// permissions. `error` may be null.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string* error);

// The folder of the running executable, ending in the platform's separator
// (the current folder should the executable's path be unreadable).
std::string executableFolder();
// Ensures a folder text ends in the separator ("/"). An empty text stays
// empty: an unset folder must not turn into the root folder.
std::string withTrailingSeparator(std::string folder);

}  // namespace morva
