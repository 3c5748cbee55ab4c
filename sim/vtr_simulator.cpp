#include "sim/vtr_simulator.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace morva::sim {

namespace {

constexpr int64_t kMillisecondsPerMinute = 60'000;

constexpr std::array<std::pair<FaultMode, std::string_view>, 10> kFaultNames{{
    {FaultMode::None, "none"},
    {FaultMode::Silent, "silent"},
    {FaultMode::Pieces, "pieces"},
    {FaultMode::Garbage, "garbage"},
    {FaultMode::Drop, "drop"},
    {FaultMode::Empty, "empty"},
    {FaultMode::Short, "short"},
    {FaultMode::Bytes, "bytes"},
    {FaultMode::Partial, "partial"},
    {FaultMode::Noisy, "noisy"},
}};

// Adds elapsed time to a counter kept in whole minutes, carrying the part of
// a minute in `carry`. The counter stops at its largest value.
void countMinutes(int64_t& carry, uint32_t& minutes, int64_t elapsedMs) {
    carry += elapsedMs;
    const int64_t whole = carry / kMillisecondsPerMinute;
    carry %= kMillisecondsPerMinute;
    const int64_t room = std::numeric_limits<uint32_t>::max() - minutes;
    minutes += static_cast<uint32_t>(std::min(whole, room));
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}

}  // namespace

std::string_view faultModeName(FaultMode mode) {
    for (const auto& [m, name] : kFaultNames) {
        if (m == mode) return name;
    }
    return "none";
}

std::optional<FaultMode> parseFaultMode(std::string_view name) {
    for (const auto& [m, n] : kFaultNames) {
        if (n == name) return m;
    }
    return std::nullopt;
}

std::string_view faultModeNames() {
    return "none|silent|pieces|garbage|drop|empty|short";
}

std::string_view transportName(Transport transport) {
    switch (transport) {
        case Transport::Off:
            return "OFF";
        case Transport::Stop:
            return "STOP";
        case Transport::Play:
            return "PLAY";
        case Transport::Rewind:
            return "REW";
        case Transport::Eject:
            return "EJECT";
    }
    return "STOP";
}

std::string replyFrame(char lead, std::string_view text) {
    std::string frame;
    frame.reserve(text.size() + 3);
    frame.push_back(lead);
    frame.push_back(kStx);
    frame.append(text);
    frame.push_back(kEtx);
    return frame;
}

VtrSimulator::VtrSimulator(DriveIdentity identity, DriveCounters counters, uint32_t seed)
    : identity_(std::move(identity)), counters_(counters), random_(seed) {}

std::vector<Reply> VtrSimulator::receive(std::string_view bytes) {
    std::vector<Reply> replies;
    for (const std::string& command : reader_.feed(bytes))
        replies.push_back(answer(command));
    return replies;
}

Reply VtrSimulator::answer(std::string_view command) {
    Reply reply;
    reply.command = std::string(command);
    switch (faultMode_) {
        case FaultMode::Silent:
            return reply;
        case FaultMode::Drop:
            reply.dropLine = true;
            return reply;
        default:
            break;
    }
    const Answer answer = execute(command);
    const std::string frame = replyFrame(answer.lead, answer.text);
    switch (faultMode_) {
        case FaultMode::Pieces:
            reply.pieces = cutIntoPieces(frame);
            break;
        case FaultMode::Garbage:
            reply.pieces.push_back(noise());
            break;
        case FaultMode::Empty:
            reply.pieces.push_back(replyFrame(kAck, ""));
            break;
        case FaultMode::Short:
            reply.pieces.push_back(std::string(1, kEtx));
            break;
        case FaultMode::Bytes:
            for (const char c : frame)
                reply.pieces.push_back(std::string(1, c));
            break;
        case FaultMode::Partial:
            reply.pieces.push_back(frame.substr(0, frame.size() - 1));
            break;
        case FaultMode::Noisy:
            reply.pieces.push_back(noise());
            reply.pieces.push_back(frame);
            break;
        default:
            reply.pieces.push_back(frame);
            break;
    }
    return reply;
}

VtrSimulator::Answer VtrSimulator::execute(std::string_view command) {
    if (command == "OPL") {
        if (!tapeLoaded_) {
            // The operator pushed the cassette back in: play threads it again.
            tapeLoaded_ = true;
            ++counters_.loadingCount;
        }
        transport_ = Transport::Play;
    } else if (command == "OSP") {
        transport_ = tapeLoaded_ ? Transport::Stop : Transport::Eject;
    } else if (command == "OFF") {
        transport_ = Transport::Off;
        driveMode_ = 0;
    } else if (command == "ORW") {
        transport_ = tapeLoaded_ ? Transport::Rewind : Transport::Eject;
    } else if (command == "OEJ") {
        if (tapeLoaded_) {
            tapeLoaded_ = false;
            ++counters_.ejectCount;
        }
        transport_ = Transport::Eject;
    } else if (command.size() == 9 && command.starts_with("$MS:00:") && isHexDigit(command[7]) &&
               isHexDigit(command[8])) {
        driveMode_ = hexValue(command[7]) * 16 + hexValue(command[8]);
    } else if (command == "QDD:1") {
        return {kAck, "DD1:" + identity_.serial};
    } else if (command == "QDD:0") {
        return {kAck, "DD0:" + identity_.model};
    } else if (command == "QRV:0") {
        // The drive sends its version in a blank-padded field of eight.
        std::string text = identity_.softwareVersion;
        if (text.size() < 8) text.resize(8, ' ');
        return {kAck, text};
    } else if (auto counter = counterReply(command)) {
        return {kAck, *counter};
    } else {
        return {kNak, "NG"};
    }
    return {kAck, statusText()};
}

// A memory read "$MS:B1:aaaa" is answered with the 11 characters of the
// request followed by the hexadecimal contents.
std::optional<std::string> VtrSimulator::counterReply(std::string_view command) const {
    if (command.size() != 11 || !command.starts_with("$MS:B1:")) return std::nullopt;
    const std::string_view address = command.substr(7);
    std::string data;
    if (address == "013A") {
        data = hoursCounterHex(counters_.operationMinutes);
    } else if (address == "013B") {
        data = hoursCounterHex(counters_.drumRunMinutes);
    } else if (address == "013C") {
        data = hoursCounterHex(counters_.tensionOnMinutes);
    } else if (address == "0138") {
        data = hexWord(counters_.loadingCount) + hexWord(counters_.ejectCount) +
               hexWord(counters_.halfLoadCount);
    } else if (address == "0137") {
        // The clutch-solenoid count shares its read with an unused word that
        // stands at FFFF.
        data = hexWord(counters_.clutchSolenoidCount) + "FFFF";
    } else {
        return std::nullopt;
    }
    return std::string(command) + data;
}

std::string VtrSimulator::statusText() const {
    std::string text(transportName(transport_));
    if (driveMode_ != 0) {
        text += " MODE";
        text += hexWord(static_cast<uint16_t>(driveMode_)).substr(2);
    }
    return text;
}

void VtrSimulator::advanceTime(std::chrono::milliseconds elapsed) {
    const int64_t ms = elapsed.count();
    if (ms <= 0) return;
    if (transport_ != Transport::Off) countMinutes(operationMs_, counters_.operationMinutes, ms);
    if (transport_ == Transport::Play) countMinutes(drumRunMs_, counters_.drumRunMinutes, ms);
    if (transport_ == Transport::Play || transport_ == Transport::Rewind) {
        countMinutes(tensionOnMs_, counters_.tensionOnMinutes, ms);
    }
}

unsigned VtrSimulator::draw(unsigned bound) {
    return bound == 0 ? 0 : static_cast<unsigned>(random_() % bound);
}

std::vector<std::string> VtrSimulator::cutIntoPieces(const std::string& frame) {
    const std::size_t count = std::min<std::size_t>(frame.size(), 2 + draw(3));
    // count - 1 distinct cut positions strictly inside the frame.
    std::vector<std::size_t> cuts;
    while (cuts.size() + 1 < count) {
        const std::size_t cut = 1 + draw(static_cast<unsigned>(frame.size() - 1));
        if (std::find(cuts.begin(), cuts.end(), cut) == cuts.end()) cuts.push_back(cut);
    }
    std::sort(cuts.begin(), cuts.end());
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t cut : cuts) {
        pieces.push_back(frame.substr(start, cut - start));
        start = cut;
    }
    pieces.push_back(frame.substr(start));
    return pieces;
}

std::string VtrSimulator::noise() {
    std::string bytes(8 + draw(17), '\0');
    for (char& c : bytes) {
        c = static_cast<char>(draw(256));
        if (c == kStx || c == kEtx) c = '?';
    }
    return bytes;
}

}  // namespace morva::sim
