#include "files/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <system_error>

namespace morva {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string errnoText(int error) {
    return std::generic_category().message(error);
}

// Closes a descriptor once, however the function that opened it is left.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports the error close() gives (a delayed write error).
    int closeNow() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

  private:
    int fd_;
};

std::optional<std::string> readWholeFile(const std::filesystem::path& file, size_t maxBytes) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || S_ISDIR(info.st_mode)) return std::nullopt;
    std::string bytes;
    char chunk[65536];
    while (bytes.size() <= maxBytes) {
        const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        bytes.append(chunk, static_cast<size_t>(got));
    }
    return bytes;
}

// Lines ended by LF or CR LF; a last line without an ending still counts, an
// ending at the very end of the text does not start another line. A CR as the
// very last byte (a CR LF cut short) ends the last line as well.
std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        begin = end + 1;
    }
    return lines;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

std::filesystem::path temporaryPathFor(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    std::string name = target.filename().string();
    const std::string suffix =
        ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
    // A target name near the longest the file system takes still leaves
    // room for the suffix: the name is cut (at a character boundary).
    constexpr size_t kMaxNameBytes = 255;
    if (name.size() + suffix.size() > kMaxNameBytes) {
        size_t keep = kMaxNameBytes - suffix.size();
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
            --keep;
        name.resize(keep);
    }
    return target.parent_path() / (name + suffix);
}

}  // namespace

KeyValue splitKeyValue(std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {std::string(), std::string(line)};
    const size_t keyLength = std::min(equals + 2, line.size());
    return {std::string(line.substr(0, keyLength)), std::string(line.substr(keyLength))};
}

std::string versionText(std::string_view headerLine) {
    const size_t ver = headerLine.find("Ver");
    return std::string(ver == std::string_view::npos ? headerLine : headerLine.substr(ver));
}

std::string versionLine(std::string_view fileName, std::string_view headerLine) {
    std::string line(fileName);
    line += " : ";
    line += versionText(headerLine);
    return line;
}

std::optional<std::vector<std::string>> readTextLines(const std::filesystem::path& file) {
    return readTextLines(file, SIZE_MAX - 1);
}

std::optional<std::vector<std::string>> readTextLines(const std::filesystem::path& file, size_t maxBytes) {
    const std::optional<std::string> bytes = readWholeFile(file, maxBytes);
    if (!bytes) return std::nullopt;
    std::string_view text = *bytes;
    if (text.size() > maxBytes) {
        // Cut: keep only whole lines, so no character is split either.
        text = text.substr(0, maxBytes);
        const size_t lastEnd = text.rfind('\n');
        text = lastEnd == std::string_view::npos ? std::string_view() : text.substr(0, lastEnd + 1);
    }
    return textLinesOf(text);
}

std::vector<std::string> textLinesOf(std::string_view bytes) {
    if (bytes.starts_with(kUtf8ByteOrderMark)) bytes.remove_prefix(kUtf8ByteOrderMark.size());
    return splitLines(decodeLegacyText(bytes));
}

std::optional<std::string> LineReader::next() {
    if (pos_ >= lines_.size()) return std::nullopt;
    return lines_[pos_++];
}

void appendCrLfLine(std::string& text, std::string_view line) {
    text += line;
    text += "\r\n";
}

void TextFileWriter::line(std::string_view text) {
    appendCrLfLine(buffer_, text);
}

bool TextFileWriter::commit() {
    error_.clear();
    return writeFileAtomically(target_, buffer_, &error_);
}

bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string* error) {
    const auto fail = [&](int code) {
        if (error) *error = "Cannot write " + target.string() + ": " + errnoText(code);
        return false;
    };
    if (target.filename().empty()) return fail(EISDIR);

    const std::filesystem::path temporary = temporaryPathFor(target);
    FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd.valid()) return fail(errno);

    int code = 0;
    // A rewritten file keeps the permissions the old one had.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd.get(), old.st_mode & 07777);
    if (!writeAll(fd.get(), bytes) || ::fsync(fd.get()) != 0) code = errno;
    const int closeError = fd.closeNow();
    if (code == 0) code = closeError;
    if (code == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) code = errno;
    if (code != 0) {
        ::unlink(temporary.c_str());
        return fail(code);
    }

    // Make the rename itself durable; the new file is in place either way.
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.valid()) ::fsync(folderFd.get());
    return true;
}

std::string executableFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.parent_path().empty())
        return withTrailingSeparator(std::filesystem::current_path(ec).string());
    return withTrailingSeparator(exe.parent_path().string());
}

std::string withTrailingSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace morva
