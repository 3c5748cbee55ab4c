#include "sim/sim_options.h"

#include <charconv>
#include <sstream>

namespace morva::sim {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool setText(std::string& field, const std::string& value, std::string_view option, std::string& error) {
    if (!isPlainReplyText(value)) {
        error = std::string(option) + ": printable ASCII, at most 32 characters";
        return false;
    }
    field = value;
    return true;
}

bool setCounterOption(DriveCounters& counters, const std::string& value, std::string& error) {
    const auto equals = value.find('=');
    const std::string_view name = std::string_view(value).substr(0, equals);
    std::optional<uint32_t> number;
    if (equals != std::string::npos)
        number = parseOptionNumber(std::string_view(value).substr(equals + 1), 0xFFFFFFFF);
    if (!number || !setCounter(counters, name, *number)) {
        error = "--counter " + value + ": expected NAME=VALUE, NAME one of " + std::string(counterNames()) +
                " (counts up to 65535)";
        return false;
    }
    return true;
}

bool setMilliseconds(int& field, const std::string& value, int max, std::string_view option,
                     std::string& error) {
    const auto number = parseOptionNumber(value, static_cast<uint32_t>(max));
    if (!number) {
        error = std::string(option) + ": a number of milliseconds from 0 to " + std::to_string(max);
        return false;
    }
    field = static_cast<int>(*number);
    return true;
}

}  // namespace

std::optional<uint32_t> parseOptionNumber(std::string_view text, uint32_t max) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty()) return std::nullopt;
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || value > max) return std::nullopt;
    return static_cast<uint32_t>(value);
}

OptionsResult parseOptions(const std::vector<std::string>& arguments) {
    SimOptions options;
    OptionsResult result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> value;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--verbose") {
            options.verbose = true;
            continue;
        }
        if (!value) {
            if (i + 1 >= arguments.size()) {
                result.error = name + ": missing value";
                return result;
            }
            value = arguments[++i];
        }
        bool ok = true;
        std::string& error = result.error;
        if (name == "--link") {
            options.linkPath = *value;
            ok = !value->empty();
            if (!ok) error = "--link: empty path";
        } else if (name == "--serial") {
            ok = setText(options.identity.serial, *value, name, error);
        } else if (name == "--model") {
            ok = setText(options.identity.model, *value, name, error);
        } else if (name == "--version") {
            ok = setText(options.identity.softwareVersion, *value, name, error);
        } else if (name == "--counter") {
            ok = setCounterOption(options.counters, *value, error);
        } else if (name == "--seed") {
            const auto seed = parseOptionNumber(*value, 0xFFFFFFFF);
            ok = seed.has_value();
            if (ok)
                options.seed = *seed;
            else
                error = "--seed: a number from 0 to 4294967295";
        } else if (name == "--fault") {
            const auto fault = parseFaultMode(*value);
            ok = fault.has_value();
            if (ok)
                options.fault = *fault;
            else
                error = "--fault: one of " + std::string(faultModeNames());
        } else if (name == "--reply-delay-ms") {
            ok = setMilliseconds(options.replyDelayMs, *value, kMaxReplyDelayMs, name, error);
        } else if (name == "--piece-gap-ms") {
            ok = setMilliseconds(options.pieceGapMs, *value, kMaxPieceGapMs, name, error);
        } else {
            ok = false;
            error = "unknown option " + name;
        }
        if (!ok) return result;
    }
    result.options = options;
    return result;
}

std::string usageText() {
    std::ostringstream text;
    text << "usage: morva-vtrsim [options]\n"
            "A simulated recorder and drive tester answering on a pseudo-terminal.\n"
            "  --link PATH             make PATH a symbolic link to the pseudo-terminal\n"
            "  --serial TEXT           drive tester serial number (QDD:1)\n"
            "  --model TEXT            drive tester model name (QDD:0)\n"
            "  --version TEXT          drive tester software version (QRV:0)\n"
            "  --counter NAME=VALUE    set a life counter; NAME one of\n"
            "                          "
         << counterNames()
         << "\n"
            "  --seed N                seed of the fault modes' random choices\n"
            "  --fault MODE            "
         << faultModeNames()
         << "\n"
            "  --reply-delay-ms N      pause before each reply (default 10)\n"
            "  --piece-gap-ms N        pause between the pieces of a reply (default 40)\n"
            "  --verbose               log every command and reply on standard error\n"
            "Control lines on standard input: fault MODE | delay MS | status | quit\n";
    return text.str();
}

ControlCommand parseControlLine(std::string_view line) {
    ControlCommand command;
    line = trimmed(line);
    if (line.empty()) return command;
    const auto blank = line.find_first_of(" \t");
    const std::string_view word = line.substr(0, blank);
    const std::string_view argument = blank == std::string_view::npos ? "" : trimmed(line.substr(blank));
    if (word == "fault") {
        if (const auto fault = parseFaultMode(argument)) {
            command.kind = ControlCommand::Kind::Fault;
            command.fault = *fault;
            return command;
        }
        command.error = "fault: one of " + std::string(faultModeNames());
    } else if (word == "delay") {
        if (const auto ms = parseOptionNumber(argument, kMaxReplyDelayMs)) {
            command.kind = ControlCommand::Kind::Delay;
            command.delayMs = static_cast<int>(*ms);
            return command;
        }
        command.error = "delay: milliseconds from 0 to " + std::to_string(kMaxReplyDelayMs);
    } else if (word == "status" && argument.empty()) {
        command.kind = ControlCommand::Kind::Status;
        return command;
    } else if (word == "quit" && argument.empty()) {
        command.kind = ControlCommand::Kind::Quit;
        return command;
    } else {
        command.error = "unknown control command: " + std::string(line);
    }
    command.kind = ControlCommand::Kind::Invalid;
    return command;
}

}  // namespace morva::sim
