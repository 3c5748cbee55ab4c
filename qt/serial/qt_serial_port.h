#pragma once
// The program's serial port on QSerialPort. Opens the device named in the
// settings (a device path such as /dev/ttyUSB0, or a symbolic link to one)
// with the configured line settings. Characters arrive through Qt's event
// loop: the port's read notification runs while the program's loop waits,
// and readAvailable() hands out what it has collected.
//
// A line that fails while open (the adapter unplugged, the other end of a
// pseudo-terminal gone) is reported by lineError() until the port is closed.

#include <QSerialPort>
#include <string>

#include "forms/serial_port.h"

namespace qtview {

class QtSerialPort final : public forms::SerialPort {
  public:
    // Needs a QCoreApplication; belongs to the thread that creates it.
    explicit QtSerialPort(forms::SerialSettings settings);
    ~QtSerialPort() override;
    QtSerialPort(const QtSerialPort&) = delete;
    QtSerialPort& operator=(const QtSerialPort&) = delete;

    const forms::SerialSettings& settings() const { return settings_; }

    std::string name() const override { return settings_.portName; }
    bool open(std::string& error) override;
    void close() override;
    bool isOpen() const override;
    void discardInput() override;
    bool write(const std::string& bytes, std::string& error) override;
    std::string readAvailable() override;
    std::string lineError() const override { return lineError_; }

  private:
    void applySettings();
    void onError(QSerialPort::SerialPortError error);

    forms::SerialSettings settings_;
    QSerialPort port_;
    std::string lineError_;
};

}  // namespace qtview
