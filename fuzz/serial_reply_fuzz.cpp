// Serial replies from hostile bytes: the transaction collecting a reply that
// arrives in pieces (garbage, stray ETX, silence), then the drive-tester
// conversions of the reply texts. The input's first byte chooses the piece
// length; the rest is what the device sends.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "forms/scripted_serial_port.h"
#include "fuzz/fuzz_support.h"
#include "io/drive_tester.h"
#include "io/remote_control.h"
#include "io/rs232c.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace morva;
    if (size == 0) return 0;
    const size_t piece = 1 + data[0] % 8;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    fuzz::FuzzWindow f;
    auto scripted = std::make_unique<forms::ScriptedSerialPort>(f.loop, "/dev/ttyFUZZ");
    forms::ScriptedSerialPort& port = *scripted;
    f.w->serial.ComBox = std::move(scripted);
    Wire_RemoteControl(*f.w);

    std::vector<forms::ScriptedSerialPort::Piece> pieces;
    for (size_t at = 0; at < bytes.size(); at += piece)
        pieces.push_back({static_cast<int64_t>(at / piece) * 5, bytes.substr(at, piece)});
    port.answerInPieces("$MS:B1:0138", pieces);
    const std::string reply = RS232C_Command(*f.w, "$MS:B1:0138");
    (void)ThreeCounts(reply);

    // The conversions on the raw text as well, whatever the framing did.
    (void)ReplyText(bytes);
    (void)IdentityEntry(bytes, "DD1:");
    (void)TrimBlanks(bytes);
    (void)HoursCounterEntry(bytes);
    (void)ThreeCounts(bytes);
    (void)SingleCount(bytes);
    (void)HexValue(bytes);
    return 0;
}
