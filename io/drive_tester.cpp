#include "io/drive_tester.h"

#include "core/numbers.h"
#include "io/rs232c.h"

namespace morva {

namespace {

// The hex part begins at the 12th character of a counter reply.
constexpr size_t kCounterHexStart = 11;
constexpr size_t kMaxHexDigits = 8;

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string ask(FrmMain& w, const char* query) {
    w.st.CommandText = query;
    return RS232C_Command(w, w.st.CommandText);
}

}  // namespace

std::string TrimBlanks(std::string_view reply) {
    const size_t first = reply.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = reply.find_last_not_of(' ');
    return std::string(reply.substr(first, last - first + 1));
}

std::string IdentityEntry(std::string_view reply, std::string_view prefix) {
    std::string text = TrimBlanks(reply);
    // The prefix is taken to stand at the start of the reply.
    if (!prefix.empty() && text.find(prefix) != std::string::npos) return text.substr(prefix.size());
    return text;
}

std::string CounterHex(std::string_view reply) {
    if (reply.size() <= kCounterHexStart) return {};
    return std::string(reply.substr(kCounterHexStart));
}

int32_t HexValue(std::string_view hex) {
    uint32_t value = 0;
    size_t digits = 0;
    while (digits < hex.size() && digits < kMaxHexDigits) {
        const int d = hexDigit(hex[digits]);
        if (d < 0) break;
        value = value * 16 + static_cast<uint32_t>(d);
        ++digits;
    }
    if (digits <= 4) return static_cast<int16_t>(static_cast<uint16_t>(value));
    return static_cast<int32_t>(value);
}

int32_t UnsignedReading(int32_t value) {
    return value < -1 ? value + 65536 : value;
}

std::string HoursCounterEntry(std::string_view reply) {
    const std::string hex = CounterHex(reply);
    const int32_t minutes = UnsignedReading(hex.size() <= kMaxHexDigits ? HexValue(hex) : -1);
    return numberText(minutes) + "min (" + formatFixed(minutes / 60.0, 1) + "Hr)";
}

std::array<int32_t, 3> ThreeCounts(std::string_view reply) {
    const std::string hex = CounterHex(reply);
    std::array<int32_t, 3> counts{-1, -1, -1};
    if (hex.size() == 12) {
        for (size_t i = 0; i < counts.size(); ++i)
            counts[i] = HexValue(std::string_view(hex).substr(4 * i, 4));
    } else if (hex.size() == 4) {
        counts[0] = HexValue(hex);
    }
    for (int32_t& c : counts)
        c = UnsignedReading(c);
    return counts;
}

int32_t SingleCount(std::string_view reply) {
    const std::string hex = CounterHex(reply);
    // A count of 32768 or more reads back as the count, as the three counts do.
    return UnsignedReading(HexValue(std::string_view(hex).substr(0, 4)));
}

void GetDriveInfo_VEKO(FrmMain& w) {
    auto& info = w.st.VEKO_Info;
    info[0] = IdentityEntry(ask(w, "QDD:1"), "DD1:");
    info[1] = IdentityEntry(ask(w, "QDD:0"), "DD0:");
    info[2] = TrimBlanks(ask(w, "QRV:0"));
    info[3] = HoursCounterEntry(ask(w, "$MS:B1:013A"));
    info[4] = HoursCounterEntry(ask(w, "$MS:B1:013B"));
    info[5] = HoursCounterEntry(ask(w, "$MS:B1:013C"));
    const std::array<int32_t, 3> counts = ThreeCounts(ask(w, "$MS:B1:0138"));
    info[6] = numberText(counts[0]);
    info[8] = numberText(counts[1]);
    info[9] = numberText(counts[2]);
    info[7] = numberText(SingleCount(ask(w, "$MS:B1:0137")));
}

}  // namespace morva
