#include "sim/pty_port.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace morva::sim {

namespace {

[[noreturn]] void throwErrno(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void closeFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// The link's current target, or nothing when path is not a symbolic link.
std::string readLink(const std::string& path) {
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (length < 0 || static_cast<std::size_t>(length) >= buffer.size()) return {};
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

}  // namespace

PtyPort::PtyPort() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) throwErrno("posix_openpt");
    try {
        if (::grantpt(master_) != 0) throwErrno("grantpt");
        if (::unlockpt(master_) != 0) throwErrno("unlockpt");
        const char* name = ::ptsname(master_);
        if (name == nullptr) throwErrno("ptsname");
        slavePath_ = name;
        slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (slave_ < 0) throwErrno("open " + slavePath_);
        termios raw{};
        if (::tcgetattr(slave_, &raw) != 0) throwErrno("tcgetattr");
        ::cfmakeraw(&raw);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        if (::tcsetattr(slave_, TCSANOW, &raw) != 0) throwErrno("tcsetattr");
        const int flags = ::fcntl(master_, F_GETFL);
        if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) throwErrno("fcntl");
        if (::fcntl(master_, F_SETFD, FD_CLOEXEC) != 0) throwErrno("fcntl");
    } catch (...) {
        close();
        throw;
    }
}

PtyPort::~PtyPort() {
    close();
}

void PtyPort::close() {
    closeFd(slave_);
    closeFd(master_);
}

void PortLink::pointTo(const std::string& target) {
    struct stat info {};
    if (::lstat(path_.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
        throw std::runtime_error(path_ + " exists and is not a symbolic link; not replacing it");
    }
    const std::string temporary = path_ + ".tmp" + std::to_string(::getpid());
    ::unlink(temporary.c_str());
    if (::symlink(target.c_str(), temporary.c_str()) != 0) throwErrno("symlink " + temporary);
    if (::rename(temporary.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        throw std::system_error(error, std::generic_category(), "rename to " + path_);
    }
    target_ = target;
}

void PortLink::remove() {
    if (target_.empty()) return;
    // Another simulator may have taken the path over since: leave its link alone.
    if (readLink(path_) == target_) ::unlink(path_.c_str());
    target_.clear();
}

}  // namespace morva::sim
