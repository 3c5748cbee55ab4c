#pragma once
// A serial port whose far end is a script, for tests on the deterministic
// loop. The scripted device answers the commands written to it (STX,
// command, ETX) with replies in one or several pieces at virtual times after
// the write; commands without a scripted answer meet silence. The script can
// also make the port fail to open, make the line vanish in the middle of a
// transaction, and put unasked characters (stale input, noise) on the line.
//
// Characters that arrive while the port is closed are lost, as on a real
// line. Every write is recorded with its virtual time.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/serial_port.h"
#include "forms/test_loop.h"

namespace forms {

class ScriptedSerialPort : public SerialPort {
  public:
    // Bytes that arrive `afterMs` after the command was written.
    struct Piece {
        int64_t afterMs;
        std::string bytes;
    };
    struct Write {
        int64_t atMs;
        std::string bytes;
    };

    explicit ScriptedSerialPort(TestLoop& loop, std::string name = "/dev/ttyTEST0");
    ~ScriptedSerialPort() override;
    ScriptedSerialPort(const ScriptedSerialPort&) = delete;
    ScriptedSerialPort& operator=(const ScriptedSerialPort&) = delete;

    // The device's usual answer: ACK, STX, `text`, ETX in one piece,
    // `delayMs` after the command was written.
    void answer(const std::string& command, const std::string& text, int64_t delayMs = 20);
    // An answer of raw bytes in pieces (no framing added).
    void answerInPieces(const std::string& command, std::vector<Piece> pieces);
    // The device ignores `command` from now on (the default for every command).
    void ignore(const std::string& command);
    // The line vanishes `afterMs` after `command` is next written (the cable
    // is pulled, the adapter unplugged): reads give nothing, writes fail and
    // the port cannot be opened again until reconnect().
    void vanishOn(const std::string& command, int64_t afterMs);
    void vanishNow();
    void reconnect();
    // open() fails with this reason; an empty reason lets it open again.
    void failOpen(std::string reason);
    // write() fails with this reason; an empty reason lets it write again.
    void failWrite(std::string reason);
    // Unasked characters on the line, now or at a virtual time.
    void arriveNow(const std::string& bytes);
    void arriveAt(int64_t atMs, const std::string& bytes);

    // What the program did.
    const std::vector<Write>& writes() const { return writes_; }
    // The commands written, frames stripped, in order.
    std::vector<std::string> commands() const;
    int openCount() const { return opens_; }
    int closeCount() const { return closes_; }
    int discardCount() const { return discards_; }
    // Characters waiting to be read.
    const std::string& pending() const;

    // SerialPort.
    std::string name() const override { return name_; }
    bool open(std::string& error) override;
    void close() override;
    bool isOpen() const override;
    void discardInput() override;
    bool write(const std::string& bytes, std::string& error) override;
    std::string readAvailable() override;
    std::string lineError() const override;

  private:
    // The line's state, shared with the deliveries scheduled on the loop so
    // that a delivery falling due after the port is gone does nothing.
    struct Line {
        bool open = false;
        bool present = true;  // false once the line has vanished
        std::string input;
        std::string error;
    };
    static void vanish(Line& line, const std::string& name);
    void deliverAt(int64_t atMs, std::string bytes);
    void scheduleVanish(int64_t atMs);

    TestLoop& loop_;
    std::string name_;
    std::shared_ptr<Line> line_;
    std::map<std::string, std::vector<Piece>> answers_;
    std::map<std::string, int64_t> vanishOn_;
    std::string openFailure_;
    std::string writeFailure_;
    std::vector<Write> writes_;
    int opens_ = 0;
    int closes_ = 0;
    int discards_ = 0;
};

// The bytes with control characters spelled out: "<ACK><STX>OK<ETX>".
std::string visibleSerialBytes(const std::string& bytes);

}  // namespace forms
