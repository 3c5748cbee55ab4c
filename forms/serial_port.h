#pragma once
// The serial port as the program sees it: a platform interface, like the
// window system. The program opens it, throws away stale input, writes one
// framed command and then collects what arrives while its loop waits.
// Production uses QSerialPort (qt/serial/); tests use ScriptedSerialPort on
// the test loop.
//
// Arriving characters must reach the program's event loop: a wait of the
// loop (EventLoop::waitEvents) returns when characters have arrived, so a
// caller that polls readAvailable() after each wait sees them.

#include <cstdint>
#include <string>

namespace forms {

// Line settings of a port: its name (the device path, "/dev/ttyUSB0") and
// the usual RS-232C parameters.
struct SerialSettings {
    enum class Parity { None, Even, Odd, Mark, Space };
    enum class StopBits { One, OneAndHalf, Two };
    enum class Handshake { None, RtsCts, XonXoff };

    std::string portName = "/dev/ttyS0";
    int32_t baudRate = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;  // 5..8
    StopBits stopBits = StopBits::One;
    Handshake handshake = Handshake::None;

    bool operator==(const SerialSettings&) const = default;
};

class SerialPort {
  public:
    virtual ~SerialPort() = default;

    // The port's name as the operator knows it, for messages.
    virtual std::string name() const = 0;

    // Opens the port with its line settings. False with a reason ("no such
    // device", "in use by another program") when it cannot be opened.
    virtual bool open(std::string& error) = 0;
    // Closes the port; what has not been read is lost. Closing a closed port
    // does nothing.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Throws away whatever has arrived and not been read yet.
    virtual void discardInput() = 0;
    // Sends the bytes. False with a reason when the port is not open or the
    // line fails.
    virtual bool write(const std::string& bytes, std::string& error) = 0;
    // Everything that has arrived since the last read (empty when nothing).
    virtual std::string readAvailable() = 0;

    // Why the open line stopped working (the device vanished, an I/O error);
    // empty while it works. Cleared by close().
    virtual std::string lineError() const = 0;
};

}  // namespace forms
