#include "files/text_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <mutex>
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

// A regular file's bytes, at most `limit` + 1 of them (so a caller sees
// that the file is longer than it takes). The file is opened without
// blocking, so a FIFO without a writer cannot hang the open, and anything
// but a regular file is refused before a byte is read.
std::optional<std::string> readWholeFile(const std::filesystem::path& file, size_t limit) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    if (info.st_size < 0) return std::nullopt;
    std::string bytes;
    bytes.reserve(std::min(static_cast<size_t>(info.st_size), limit) + 1);
    char chunk[65536];
    while (bytes.size() <= limit) {
        const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        bytes.append(chunk, std::min(static_cast<size_t>(got), limit + 1 - bytes.size()));
    }
    return bytes;
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

constexpr std::string_view kTemporaryMark = ".morva-tmp-";

std::filesystem::path temporaryPathFor(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    std::string name = target.filename().string();
    name += kTemporaryMark;
    const std::string suffix = std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
    // A target name near the longest the file system takes still leaves
    // room for the mark and the suffix: the name is cut (at a character
    // boundary) before the mark.
    constexpr size_t kMaxNameBytes = 255;
    if (name.size() + suffix.size() > kMaxNameBytes) {
        size_t keep = kMaxNameBytes - suffix.size() - kTemporaryMark.size();
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
            --keep;
        name.resize(keep);
        name += kTemporaryMark;
    }
    return target.parent_path() / (name + suffix);
}

// The process id in a temporary file's name, or nothing when the name is
// not one of ours.
std::optional<pid_t> temporaryFileProcess(const std::string& name) {
    const size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::string::npos || mark == 0) return std::nullopt;
    const std::string_view rest = std::string_view(name).substr(mark + kTemporaryMark.size());
    const size_t dash = rest.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 >= rest.size()) return std::nullopt;
    const auto allDigits = [](std::string_view t) {
        return std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!allDigits(rest.substr(0, dash)) || !allDigits(rest.substr(dash + 1)) || dash > 9)
        return std::nullopt;
    return static_cast<pid_t>(std::stol(std::string(rest.substr(0, dash))));
}

std::mutex hookMutex;
AtomicWriteHook& hookSlot() {
    static AtomicWriteHook hook;
    return hook;
}

// 0 to go on, or the errno value a test's hook gives the step.
int interruption(AtomicWriteStep step) {
    AtomicWriteHook hook;
    {
        const std::lock_guard<std::mutex> lock(hookMutex);
        hook = hookSlot();
    }
    return hook ? hook(step) : 0;
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
    const std::optional<std::string> bytes = readWholeFile(file, kMaxTextFileBytes);
    if (!bytes || bytes->size() > kMaxTextFileBytes) return std::nullopt;
    return splitTextLines(*bytes);
}

std::optional<std::vector<std::string>> readTextLines(const std::filesystem::path& file, size_t maxBytes) {
    const std::optional<std::string> bytes = readWholeFile(file, maxBytes);
    if (!bytes) return std::nullopt;
    std::string_view text = *bytes;
    if (text.size() > maxBytes) {
        // Cut: keep only whole lines, so no character is split either.
        text = text.substr(0, maxBytes);
        const size_t lastEnd = text.find_last_of("\r\n");
        text = lastEnd == std::string_view::npos ? std::string_view() : text.substr(0, lastEnd + 1);
    }
    return splitTextLines(text);
}

std::vector<std::string> splitTextLines(std::string_view text) {
    if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
    std::vector<std::string> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) end = text.size();
        // CR and LF never occur inside a CP932 character, so the split is
        // safe before the decoding.
        lines.push_back(decodeLegacyText(text.substr(begin, end - begin)));
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
        begin = end + 1;
    }
    return lines;
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

bool writeFileAtomically(const std::filesystem::path& requested, std::string_view bytes, std::string* error) {
    const auto failWith = [&](const std::string& why) {
        if (error) *error = "Cannot write " + requested.string() + ": " + why;
        return false;
    };
    const auto fail = [&](int code) { return failWith(errnoText(code)); };
    if (requested.filename().empty()) return fail(EISDIR);

    // A symbolic link is written through: its target is the file replaced.
    std::filesystem::path target = requested;
    struct stat linkInfo {};
    if (::lstat(requested.c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode)) {
        std::error_code ec;
        target = std::filesystem::weakly_canonical(requested, ec);
        if (ec || target.filename().empty()) return fail(ec ? ec.value() : EISDIR);
    }
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return fail(S_ISDIR(old.st_mode) ? EISDIR : EINVAL);
    // The rename would replace a read-only file as easily as any other: the
    // file's own write permission is what the operator set to protect it.
    if (exists && ((old.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
        return failWith("the file is read-only");

    const std::filesystem::path temporary = temporaryPathFor(target);
    int code = interruption(AtomicWriteStep::CreateTemporary);
    if (code != 0) return fail(code);
    FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd.valid()) return fail(errno);

    // A rewritten file keeps the permissions the old one had.
    if (exists) ::fchmod(fd.get(), old.st_mode & 07777);
    const size_t half = bytes.size() / 2;
    if (!writeAll(fd.get(), bytes.substr(0, half))) code = errno;
    if (code == 0) code = interruption(AtomicWriteStep::Write);
    if (code == 0 && !writeAll(fd.get(), bytes.substr(half))) code = errno;
    if (code == 0) code = interruption(AtomicWriteStep::SyncFile);
    if (code == 0 && ::fsync(fd.get()) != 0) code = errno;
    const int closeError = fd.closeNow();
    if (code == 0) code = closeError;
    if (code == 0) code = interruption(AtomicWriteStep::Rename);
    if (code == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) code = errno;
    if (code != 0) {
        ::unlink(temporary.c_str());
        return fail(code);
    }

    // Make the rename itself durable. The new file is in place by now, so a
    // failure here is reported but the file is not taken back.
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    code = interruption(AtomicWriteStep::SyncFolder);
    if (code == 0) {
        FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!folderFd.valid() || ::fsync(folderFd.get()) != 0) code = errno;
    }
    if (code != 0) return fail(code);
    return true;
}

void setAtomicWriteHook(AtomicWriteHook hook) {
    const std::lock_guard<std::mutex> lock(hookMutex);
    hookSlot() = std::move(hook);
}

int removeStaleTemporaryFiles(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    if (ec) return 0;
    int removed = 0;
    for (const auto& entry : it) {
        const std::string name = entry.path().filename().string();
        const std::optional<pid_t> pid = temporaryFileProcess(name);
        if (!pid) continue;
        const bool running = *pid != ::getpid() && *pid > 0 && (::kill(*pid, 0) == 0 || errno == EPERM);
        if (running) continue;  // another instance is writing it right now
        std::error_code removeError;
        if (entry.is_regular_file(removeError) && std::filesystem::remove(entry.path(), removeError))
            ++removed;
    }
    return removed;
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
