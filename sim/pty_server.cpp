#include "sim/pty_server.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <exception>

namespace morva::sim {

namespace {

constexpr std::size_t kMaxControlLine = 1024;

}  // namespace

std::string visibleBytes(const std::string& bytes) {
    std::string text;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == kStx) {
            text += "<STX>";
        } else if (c == kEtx) {
            text += "<ETX>";
        } else if (c == kAck) {
            text += "<ACK>";
        } else if (c == kNak) {
            text += "<NAK>";
        } else if (byte < 0x20 || byte > 0x7E) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<%02X>", static_cast<unsigned>(byte));
            text += hex;
        } else {
            text.push_back(c);
        }
    }
    return text;
}

PtyServer::PtyServer(VtrSimulator& simulator, const SimOptions& options, std::ostream& out, std::ostream& log)
    : simulator_(simulator),
      out_(out),
      log_(log),
      replyDelay_(options.replyDelayMs),
      pieceGap_(options.pieceGapMs),
      verbose_(options.verbose),
      lastTick_(Clock::now()) {
    if (!options.linkPath.empty()) link_ = std::make_unique<PortLink>(options.linkPath);
}

PtyServer::~PtyServer() = default;

const std::string& PtyServer::portPath() const {
    static const std::string none;
    return port_ ? port_->slavePath() : none;
}

void PtyServer::start() {
    openLine();
}

void PtyServer::openLine() {
    port_.reset();
    port_ = std::make_unique<PtyPort>();
    simulator_.resetLine();
    if (link_) link_->pointTo(port_->slavePath());
    out_ << "morva-vtrsim: " << port_->slavePath() << std::endl;
}

int PtyServer::run(int stopFd, int controlFd) {
    lastTick_ = Clock::now();
    for (;;) {
        pollfd fds[3] = {{stopFd, POLLIN, 0}, {port_->masterFd(), POLLIN, 0}, {controlFd, POLLIN, 0}};
        const nfds_t count = controlFd >= 0 ? 3 : 2;
        const int ready = ::poll(fds, count, pollTimeoutMs());
        if (ready < 0 && errno != EINTR) {
            log_ << "morva-vtrsim: poll failed" << std::endl;
            return 1;
        }
        tick();
        if (ready > 0) {
            if (fds[0].revents != 0) return 0;
            if (fds[1].revents != 0) readRequests();
            if (count == 3 && fds[2].revents != 0) {
                const ControlState control = readControl(controlFd);
                if (control == ControlState::Quit) return 0;
                if (control == ControlState::Ended) controlFd = -1;
            }
        }
        if (!sendDue()) return 1;
    }
}

void PtyServer::tick() {
    const auto now = Clock::now();
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - lastTick_);
    simulator_.advanceTime(elapsed);
    lastTick_ += elapsed;
}

int PtyServer::pollTimeoutMs() const {
    if (pending_.empty()) return -1;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(pending_.front().due - Clock::now());
    return static_cast<int>(std::clamp<int64_t>(wait.count(), 0, 60'000));
}

void PtyServer::readRequests() {
    char buffer[256];
    for (;;) {
        const ssize_t length = ::read(port_->masterFd(), buffer, sizeof buffer);
        if (length > 0) {
            for (const Reply& reply :
                 simulator_.receive(std::string_view(buffer, static_cast<std::size_t>(length)))) {
                schedule(reply);
            }
            continue;
        }
        if (length < 0 && errno == EINTR) continue;
        if (length < 0 && errno == EAGAIN) return;
        // The master reports an error although the simulator holds the slave
        // open: the line is gone. Replace it like a dropped line.
        log_ << "morva-vtrsim: line lost, opening a new one" << std::endl;
        pending_.clear();
        pending_.push_back({Clock::now(), {}, true});
        return;
    }
}

void PtyServer::schedule(const Reply& reply) {
    if (verbose_) log_ << "<- " << visibleBytes(reply.command) << std::endl;
    auto due = Clock::now() + replyDelay_;
    if (!pending_.empty()) due = std::max(due, pending_.back().due + pieceGap_);
    if (reply.dropLine) {
        pending_.push_back({due, {}, true});
        return;
    }
    for (const std::string& piece : reply.pieces) {
        pending_.push_back({due, piece, false});
        due += pieceGap_;
    }
}

bool PtyServer::sendDue() {
    while (!pending_.empty() && pending_.front().due <= Clock::now()) {
        Pending next = std::move(pending_.front());
        pending_.pop_front();
        if (!next.dropLine) {
            writeBytes(next.bytes);
            continue;
        }
        if (verbose_) log_ << "-- line dropped" << std::endl;
        pending_.clear();
        try {
            openLine();
        } catch (const std::exception& error) {
            log_ << "morva-vtrsim: cannot open a new line: " << error.what() << std::endl;
            return false;
        }
    }
    return true;
}

void PtyServer::writeBytes(const std::string& bytes) {
    if (verbose_) log_ << "-> " << visibleBytes(bytes) << std::endl;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(port_->masterFd(), bytes.data() + done, bytes.size() - done);
        if (written > 0) {
            done += static_cast<std::size_t>(written);
        } else if (written < 0 && errno == EINTR) {
            continue;
        } else {
            // Nobody reads the line and its buffer is full: the rest is lost,
            // as on a real line with nothing listening.
            log_ << "morva-vtrsim: reply lost, the line does not take it" << std::endl;
            return;
        }
    }
}

PtyServer::ControlState PtyServer::readControl(int controlFd) {
    char buffer[256];
    const ssize_t length = ::read(controlFd, buffer, sizeof buffer);
    if (length < 0 && (errno == EINTR || errno == EAGAIN)) return ControlState::Open;
    if (length <= 0) {
        // End of input, or a terminal of which the simulator is not the foreground.
        controlBuffer_.clear();
        return ControlState::Ended;
    }
    controlBuffer_.append(buffer, static_cast<std::size_t>(length));
    std::size_t end;
    while ((end = controlBuffer_.find('\n')) != std::string::npos) {
        const std::string line = controlBuffer_.substr(0, end);
        controlBuffer_.erase(0, end + 1);
        if (!handleControlLine(line)) return ControlState::Quit;
    }
    if (controlBuffer_.size() > kMaxControlLine) controlBuffer_.clear();
    return ControlState::Open;
}

bool PtyServer::handleControlLine(const std::string& line) {
    const ControlCommand command = parseControlLine(line);
    switch (command.kind) {
        case ControlCommand::Kind::Nothing:
            return true;
        case ControlCommand::Kind::Fault:
            simulator_.setFaultMode(command.fault);
            out_ << "ok fault " << faultModeName(command.fault) << std::endl;
            return true;
        case ControlCommand::Kind::Delay:
            replyDelay_ = std::chrono::milliseconds(command.delayMs);
            out_ << "ok delay " << command.delayMs << std::endl;
            return true;
        case ControlCommand::Kind::Status:
            out_ << "status " << simulator_.statusText() << "; fault "
                 << faultModeName(simulator_.faultMode()) << "; delay " << replyDelay_.count() << "; port "
                 << portPath() << std::endl;
            return true;
        case ControlCommand::Kind::Quit:
            out_ << "ok quit" << std::endl;
            return false;
        case ControlCommand::Kind::Invalid:
            out_ << "error: " << command.error << std::endl;
            return true;
    }
    return true;
}

}  // namespace morva::sim
