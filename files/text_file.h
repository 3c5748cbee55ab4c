#pragma once
// Conventions shared by every key-and-value text file of the program
// (settings, parameters, model table, master tapes, work lists, spec lines,
// data files): the key split, the version line, CR LF lines, the encoding,
// the atomic rewrite and the program folder.

#include <cstddef>
#include <filesystem>
#include <functional>
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

// A text file read as lines (see splitTextLines). Returns nothing when the
// file cannot be opened, is not a regular file (a folder, a FIFO, a device
// such as /dev/zero: reading those could hang or never end) or is larger
// than kMaxTextFileBytes.
inline constexpr size_t kMaxTextFileBytes = 32 * 1024 * 1024;
std::optional<std::vector<std::string>> readTextLines(const std::filesystem::path& file);
// The same, reading at most `maxBytes` of the file: a longer file is cut
// there, and the line the cut falls into is left out whole.
std::optional<std::vector<std::string>> readTextLines(const std::filesystem::path& file, size_t maxBytes);

// The lines of a file's bytes. A line ends at CR LF, LF or a lone CR (files
// edited on old systems end lines with CR alone); an ending at the very end
// does not start another line. A UTF-8 byte-order mark at the start is
// dropped. Each line is decoded on its own: UTF-8 where the line is valid
// UTF-8, the Japanese Windows code page (CP932) otherwise, so one legacy
// byte garbles no other line. A byte that is not CP932 either becomes "?"
// and the rest of the line is kept.
std::vector<std::string> splitTextLines(std::string_view bytes);

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

// Collects lines and writes them with CR LF endings, UTF-8, through
// writeFileAtomically. commit() returns false (and leaves the old file
// untouched) when the file cannot be written; errorText() then says why.
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

// Writes `bytes` to `target` so that a crash or a full disk at any moment
// leaves either the old file or the complete new one: the bytes go to a
// temporary file in the same folder, which is synced to the disk, renamed
// over the target, and then the folder is synced so the rename itself lasts.
// False with a reason on failure: "Cannot write <path>: <why>"; the temporary
// file is removed and the old file stays as it was.
// - A rewritten file keeps the old one's permissions.
// - A target that is a symbolic link is written through: the file the link
//   points to is replaced and the link stays.
// - A read-only target is refused ("... : the file is read-only"), as is a
//   target that is not a regular file.
// `error` may be null.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string* error);

// The steps of writeFileAtomically, in order, for tests that interrupt it.
enum class AtomicWriteStep { CreateTemporary, Write, SyncFile, Rename, SyncFolder };
// A test's interruption point, called at each step (Write: after half of the
// bytes). It returns 0 to let the step go on or an errno value to make the
// step fail with it; a hook that throws imitates the program dying right
// there (nothing is cleaned up). An empty hook removes it.
using AtomicWriteHook = std::function<int(AtomicWriteStep)>;
void setAtomicWriteHook(AtomicWriteHook hook);

// The temporary files writeFileAtomically leaves when the program dies in
// the middle of a rewrite ("<name>.morva-tmp-<process>-<n>" beside the
// target): removes those in `folder` whose process is no longer running (or
// is this one: called at start-up, before anything is written). Returns how
// many were removed.
int removeStaleTemporaryFiles(const std::filesystem::path& folder);

// The folder of the running executable, ending in the platform's separator
// (the current folder should the executable's path be unreadable).
std::string executableFolder();
// Ensures a folder text ends in the separator ("/"). An empty text stays
// empty: an unset folder must not turn into the root folder.
std::string withTrailingSeparator(std::string folder);

}  // namespace morva
