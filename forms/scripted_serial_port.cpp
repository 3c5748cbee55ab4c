#include "forms/scripted_serial_port.h"

#include <utility>

namespace forms {

namespace {

constexpr char kAck = '\x06';
constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';

// The command inside one frame written by the program (STX, command, ETX);
// bytes that are not one frame are taken as they are.
std::string commandOf(const std::string& bytes) {
    if (bytes.size() >= 2 && bytes.front() == kStx && bytes.back() == kEtx)
        return bytes.substr(1, bytes.size() - 2);
    return bytes;
}

}  // namespace

std::string visibleSerialBytes(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        switch (c) {
            case 0x02:
                out += "<STX>";
                break;
            case 0x03:
                out += "<ETX>";
                break;
            case 0x06:
                out += "<ACK>";
                break;
            case 0x15:
                out += "<NAK>";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    static const char* hex = "0123456789ABCDEF";
                    out += "<";
                    out += hex[c >> 4];
                    out += hex[c & 15];
                    out += ">";
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out;
}

ScriptedSerialPort::ScriptedSerialPort(TestLoop& loop, std::string name)
    : loop_(loop), name_(std::move(name)), line_(std::make_shared<Line>()) {}

ScriptedSerialPort::~ScriptedSerialPort() = default;

void ScriptedSerialPort::answer(const std::string& command, const std::string& text, int64_t delayMs) {
    answers_[command] = {Piece{delayMs, std::string(1, kAck) + kStx + text + kEtx}};
}

void ScriptedSerialPort::answerInPieces(const std::string& command, std::vector<Piece> pieces) {
    answers_[command] = std::move(pieces);
}

void ScriptedSerialPort::ignore(const std::string& command) {
    answers_.erase(command);
}

void ScriptedSerialPort::vanishOn(const std::string& command, int64_t afterMs) {
    vanishOn_[command] = afterMs;
}

void ScriptedSerialPort::vanishNow() {
    vanish(*line_, name_);
}

void ScriptedSerialPort::vanish(Line& line, const std::string& name) {
    line.present = false;
    if (line.open) line.error = "the device " + name + " has gone away (input/output error)";
    line.input.clear();
}

void ScriptedSerialPort::reconnect() {
    line_->present = true;
}

void ScriptedSerialPort::failOpen(std::string reason) {
    openFailure_ = std::move(reason);
}

void ScriptedSerialPort::failWrite(std::string reason) {
    writeFailure_ = std::move(reason);
}

void ScriptedSerialPort::arriveNow(const std::string& bytes) {
    if (line_->open && line_->present) line_->input += bytes;
}

void ScriptedSerialPort::arriveAt(int64_t atMs, const std::string& bytes) {
    deliverAt(atMs, bytes);
}

std::vector<std::string> ScriptedSerialPort::commands() const {
    std::vector<std::string> out;
    out.reserve(writes_.size());
    for (const Write& w : writes_)
        out.push_back(commandOf(w.bytes));
    return out;
}

const std::string& ScriptedSerialPort::pending() const {
    return line_->input;
}

bool ScriptedSerialPort::open(std::string& error) {
    if (!openFailure_.empty()) {
        error = openFailure_;
        return false;
    }
    if (!line_->present) {
        error = "No such file or directory";
        return false;
    }
    if (line_->open) return true;
    ++opens_;
    line_->open = true;
    line_->error.clear();
    line_->input.clear();
    return true;
}

void ScriptedSerialPort::close() {
    if (!line_->open) return;
    ++closes_;
    line_->open = false;
    line_->error.clear();
    line_->input.clear();
}

bool ScriptedSerialPort::isOpen() const {
    return line_->open;
}

void ScriptedSerialPort::discardInput() {
    ++discards_;
    line_->input.clear();
}

bool ScriptedSerialPort::write(const std::string& bytes, std::string& error) {
    if (!line_->open) {
        error = "the port is not open";
        return false;
    }
    if (!line_->present) {
        error = line_->error.empty() ? "input/output error" : line_->error;
        return false;
    }
    if (!writeFailure_.empty()) {
        error = writeFailure_;
        return false;
    }
    const int64_t now = loop_.nowMs();
    writes_.push_back({now, bytes});
    const std::string command = commandOf(bytes);
    if (auto v = vanishOn_.find(command); v != vanishOn_.end()) {
        scheduleVanish(now + v->second);
        vanishOn_.erase(v);
    }
    if (auto a = answers_.find(command); a != answers_.end()) {
        for (const Piece& p : a->second)
            deliverAt(now + p.afterMs, p.bytes);
    }
    return true;
}

std::string ScriptedSerialPort::readAvailable() {
    if (!line_->open) return {};
    return std::exchange(line_->input, std::string());
}

std::string ScriptedSerialPort::lineError() const {
    return line_->error;
}

void ScriptedSerialPort::deliverAt(int64_t atMs, std::string bytes) {
    std::weak_ptr<Line> weak = line_;
    const std::string label = "serial " + visibleSerialBytes(bytes);
    loop_.at(
        atMs,
        [weak, bytes = std::move(bytes)] {
            auto line = weak.lock();
            if (!line || !line->open || !line->present) return;  // lost on a closed or dead line
            line->input += bytes;
        },
        label);
}

void ScriptedSerialPort::scheduleVanish(int64_t atMs) {
    std::weak_ptr<Line> weak = line_;
    const std::string name = name_;
    loop_.at(
        atMs,
        [weak, name] {
            if (auto line = weak.lock()) vanish(*line, name);
        },
        "serial line vanishes");
}

}  // namespace forms
