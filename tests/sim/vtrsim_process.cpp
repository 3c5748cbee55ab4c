#include "vtrsim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace morva::sim::testing {

namespace {

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

}  // namespace

VtrsimProcess::VtrsimProcess(const std::vector<std::string>& arguments) {
    const std::string program = std::string(MORVA_TEST_PROGRAM_FOLDER) + "morva-vtrsim";
    std::vector<std::string> all{program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int toChild[2];
    int fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0) return;
    if (::pipe2(fromChild, O_CLOEXEC) != 0) {
        ::close(toChild[0]);
        ::close(toChild[1]);
        return;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(toChild[0], STDIN_FILENO);
        ::dup2(fromChild[1], STDOUT_FILENO);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    input_ = toChild[1];
    output_ = fromChild[0];
    if (pid_ < 0) {
        ::close(input_);
        ::close(output_);
        input_ = output_ = -1;
    }
}

VtrsimProcess::~VtrsimProcess() {
    if (pid_ > 0 && !status_) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (input_ >= 0) ::close(input_);
    if (output_ >= 0) ::close(output_);
}

bool VtrsimProcess::fillBuffer(milliseconds timeout) {
    if (output_ < 0) return false;
    pollfd p{output_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(timeout.count())) <= 0) return false;
    char chunk[512];
    const ssize_t n = ::read(output_, chunk, sizeof chunk);
    if (n <= 0) {
        // The simulator closed its output: it is ending.
        ::close(output_);
        output_ = -1;
        return false;
    }
    buffer_.append(chunk, static_cast<std::size_t>(n));
    return true;
}

std::optional<std::string> VtrsimProcess::readLine(milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (const auto end = buffer_.find('\n'); end != std::string::npos) {
            std::string line = buffer_.substr(0, end);
            buffer_.erase(0, end + 1);
            return line;
        }
        if (Clock::now() >= deadline || !fillBuffer(milliseconds(remainingMs(deadline)))) return std::nullopt;
    }
}

std::optional<std::string> VtrsimProcess::lineStartingWith(std::string_view prefix, milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (auto line = readLine(milliseconds(remainingMs(deadline)))) {
        if (line->starts_with(prefix)) return line;
    }
    return std::nullopt;
}

std::optional<std::string> VtrsimProcess::portPath(milliseconds timeout) {
    const std::string prefix = "morva-vtrsim: ";
    auto line = lineStartingWith(prefix, timeout);
    if (!line) return std::nullopt;
    return line->substr(prefix.size());
}

void VtrsimProcess::writeLine(const std::string& line) {
    const std::string text = line + "\n";
    if (input_ < 0) return;
    [[maybe_unused]] const ssize_t written = ::write(input_, text.data(), text.size());
}

void VtrsimProcess::sendSignal(int signal) {
    if (pid_ > 0 && !status_) ::kill(pid_, signal);
}

std::optional<int> VtrsimProcess::exitStatus(milliseconds timeout) {
    if (status_ || pid_ <= 0) return status_;
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        int raw = 0;
        if (::waitpid(pid_, &raw, WNOHANG) == pid_) {
            status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            return status_;
        }
        if (Clock::now() >= deadline) return std::nullopt;
        // Wait on the output pipe, which ends with the process; once it has
        // ended, the process is only being reaped.
        if (output_ >= 0) {
            fillBuffer(milliseconds(std::min(20, remainingMs(deadline))));
        } else {
            std::this_thread::sleep_for(milliseconds(1));
        }
    }
}

SerialLine::SerialLine(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return;
    termios raw{};
    if (::tcgetattr(fd_, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(fd_, TCSANOW, &raw);
    }
    ::tcflush(fd_, TCIFLUSH);
}

SerialLine::~SerialLine() {
    if (fd_ >= 0) ::close(fd_);
}

bool SerialLine::send(const std::string& command) {
    const std::string frame = "\x02" + command + "\x03";
    return fd_ >= 0 && ::write(fd_, frame.data(), frame.size()) == static_cast<ssize_t>(frame.size());
}

std::string SerialLine::receiveUntilEtx(milliseconds timeout) {
    std::string bytes;
    const auto deadline = Clock::now() + timeout;
    while (fd_ >= 0 && bytes.find('\x03') == std::string::npos) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, remainingMs(deadline)) <= 0) break;
        char chunk[256];
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n <= 0) break;
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    return bytes;
}

bool SerialLine::hangsUp(milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (fd_ >= 0) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, remainingMs(deadline)) <= 0) return false;
        if (p.revents & (POLLHUP | POLLERR)) return true;
        char chunk[256];
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n == 0 || (n < 0 && errno == EIO)) return true;
    }
    return false;
}

}  // namespace morva::sim::testing
