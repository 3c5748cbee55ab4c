#pragma once
// The serial line of the main window: the port `ComBox` and the few values
// of the serial module (the line characters, the reply being collected, the
// busy and on-line flags), and the counters of the repeated PLAY command.
// io/ runs the transaction on it; the sequencer reads the on-line flag.

#include <cstdint>
#include <memory>
#include <string>

#include "forms/serial_port.h"

namespace morva {

struct SerialLine {
    // The port; set when the window is built (the Qt port in the program, a
    // scripted one in tests). Without a port every transaction is off line.
    std::unique_ptr<forms::SerialPort> ComBox;

    // Line characters.
    std::string STX = "\x02";
    std::string ETX = "\x03";
    std::string ACK = "\x06";

    // -1 while a transaction waits for its reply, 0 otherwise.
    int16_t flg_RS232C_Busy = 0;
    // -1: the last transaction received characters from the device; 0: it
    // timed out (or never reached the device).
    int16_t flg_RS232C_Reply = 0;
    // Characters read in one poll, and the reply collected so far.
    std::string RcvChunk;
    std::string RcvBuffer;

    // The repeated PLAY command: sent so far, to send.
    int16_t PLAYcount = 0;
    int16_t PLAYtimes = 0;

    // The operator has been told that the port cannot be used; the next
    // transaction that reaches the line clears it, so a run of failures
    // (a macro, the drive query) shows one message, not one per command.
    bool flg_PortFailureShown = false;
};

}  // namespace morva
