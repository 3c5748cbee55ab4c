#include "io/serial_settings.h"

#include <cctype>
#include <cmath>
#include <optional>
#include <string_view>

#include "core/numbers.h"
#include "files/text_file.h"

namespace morva {

namespace {

using Settings = forms::SerialSettings;

std::string trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::optional<Settings::Parity> parityOf(const std::string& value) {
    const std::string v = lowered(trimmed(value));
    if (v == "none" || v == "n") return Settings::Parity::None;
    if (v == "even" || v == "e") return Settings::Parity::Even;
    if (v == "odd" || v == "o") return Settings::Parity::Odd;
    if (v == "mark" || v == "m") return Settings::Parity::Mark;
    if (v == "space" || v == "s") return Settings::Parity::Space;
    return std::nullopt;
}

std::optional<Settings::StopBits> stopBitsOf(const std::string& value) {
    const std::string v = trimmed(value);
    if (v == "1") return Settings::StopBits::One;
    if (v == "1.5") return Settings::StopBits::OneAndHalf;
    if (v == "2") return Settings::StopBits::Two;
    return std::nullopt;
}

std::optional<Settings::Handshake> handshakeOf(const std::string& value) {
    const std::string v = lowered(trimmed(value));
    if (v == "none") return Settings::Handshake::None;
    if (v == "rts/cts" || v == "rts") return Settings::Handshake::RtsCts;
    if (v == "xon/xoff" || v == "xon") return Settings::Handshake::XonXoff;
    return std::nullopt;
}

// A whole number within [min, max], or nothing.
std::optional<int32_t> wholeNumber(const std::string& value, int32_t min, int32_t max) {
    const double number = parseLeadingNumber(value);
    if (!std::isfinite(number) || number != std::floor(number) || number < min || number > max)
        return std::nullopt;
    return toInt32(number);
}

}  // namespace

Settings SerialSettingsFromLines(const std::vector<std::string>& lines) {
    Settings s;
    for (size_t i = 1; i < lines.size(); ++i) {
        const KeyValue kv = splitKeyValue(lines[i]);
        if (kv.key == "ComPort = ") {
            if (std::string port = trimmed(kv.value); !port.empty()) s.portName = port;
        } else if (kv.key == "ComBaudRate = ") {
            if (auto baud = wholeNumber(kv.value, 50, 4'000'000)) s.baudRate = *baud;
        } else if (kv.key == "ComParity = ") {
            if (auto parity = parityOf(kv.value)) s.parity = *parity;
        } else if (kv.key == "ComDataBits = ") {
            if (auto bits = wholeNumber(kv.value, 5, 8)) s.dataBits = *bits;
        } else if (kv.key == "ComStopBits = ") {
            if (auto stop = stopBitsOf(kv.value)) s.stopBits = *stop;
        } else if (kv.key == "ComHandshake = ") {
            if (auto handshake = handshakeOf(kv.value)) s.handshake = *handshake;
        }
    }
    return s;
}

Settings Read_SerialSettingsFile(const std::filesystem::path& file) {
    auto lines = readTextLines(file);
    if (!lines) return Settings{};
    return SerialSettingsFromLines(*lines);
}

Settings Read_SerialSettings(const std::string& programFolder) {
    Settings s = Read_SerialSettingsFile(std::filesystem::path(programFolder + kSerialSettingsFile));
    s.portName = PortPathInFolder(s.portName, programFolder);
    return s;
}

std::string PortPathInFolder(const std::string& portName, const std::string& programFolder) {
    if (portName.empty() || portName.front() == '/' || portName.find('/') == std::string::npos)
        return portName;
    std::string relative = portName;
    if (relative.starts_with("./")) relative.erase(0, 2);
    return withTrailingSeparator(programFolder) + relative;
}

}  // namespace morva
