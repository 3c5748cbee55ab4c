#include "qt/serial/qt_serial_port.h"

#include <QByteArray>
#include <QString>

namespace qtview {

namespace {

QSerialPort::Parity parityOf(forms::SerialSettings::Parity p) {
    using P = forms::SerialSettings::Parity;
    switch (p) {
        case P::Even:
            return QSerialPort::EvenParity;
        case P::Odd:
            return QSerialPort::OddParity;
        case P::Mark:
            return QSerialPort::MarkParity;
        case P::Space:
            return QSerialPort::SpaceParity;
        case P::None:
            break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::DataBits dataBitsOf(int bits) {
    switch (bits) {
        case 5:
            return QSerialPort::Data5;
        case 6:
            return QSerialPort::Data6;
        case 7:
            return QSerialPort::Data7;
        default:
            return QSerialPort::Data8;
    }
}

QSerialPort::StopBits stopBitsOf(forms::SerialSettings::StopBits s) {
    using S = forms::SerialSettings::StopBits;
    switch (s) {
        case S::OneAndHalf:
            return QSerialPort::OneAndHalfStop;
        case S::Two:
            return QSerialPort::TwoStop;
        case S::One:
            break;
    }
    return QSerialPort::OneStop;
}

QSerialPort::FlowControl flowOf(forms::SerialSettings::Handshake h) {
    using H = forms::SerialSettings::Handshake;
    switch (h) {
        case H::RtsCts:
            return QSerialPort::HardwareControl;
        case H::XonXoff:
            return QSerialPort::SoftwareControl;
        case H::None:
            break;
    }
    return QSerialPort::NoFlowControl;
}

}  // namespace

QtSerialPort::QtSerialPort(forms::SerialSettings settings) : settings_(std::move(settings)) {
    QObject::connect(&port_, &QSerialPort::errorOccurred,
                     [this](QSerialPort::SerialPortError e) { onError(e); });
}

QtSerialPort::~QtSerialPort() {
    QObject::disconnect(&port_, nullptr, nullptr, nullptr);
    port_.close();
}

void QtSerialPort::applySettings() {
    // A full path ("/dev/ttyUSB0", a link) is opened as it is.
    port_.setPortName(QString::fromStdString(settings_.portName));
    port_.setBaudRate(settings_.baudRate);
    port_.setParity(parityOf(settings_.parity));
    port_.setDataBits(dataBitsOf(settings_.dataBits));
    port_.setStopBits(stopBitsOf(settings_.stopBits));
    port_.setFlowControl(flowOf(settings_.handshake));
}

bool QtSerialPort::open(std::string& error) {
    if (port_.isOpen()) return true;
    lineError_.clear();
    applySettings();
    if (!port_.open(QIODevice::ReadWrite)) {
        error = port_.errorString().toStdString();
        port_.clearError();
        return false;
    }
    return true;
}

void QtSerialPort::close() {
    if (port_.isOpen()) port_.close();
    port_.clearError();
    lineError_.clear();
}

bool QtSerialPort::isOpen() const {
    return port_.isOpen();
}

void QtSerialPort::discardInput() {
    if (!port_.isOpen()) return;
    port_.clear(QSerialPort::Input);
    port_.readAll();
}

bool QtSerialPort::write(const std::string& bytes, std::string& error) {
    if (!port_.isOpen()) {
        error = "the port is not open";
        return false;
    }
    if (!lineError_.empty()) {
        error = lineError_;
        return false;
    }
    const qint64 n = port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (n != static_cast<qint64>(bytes.size())) {
        error = port_.errorString().toStdString();
        return false;
    }
    // Hand the bytes to the device now rather than at the next loop pass.
    port_.flush();
    if (!lineError_.empty()) {
        error = lineError_;
        return false;
    }
    return true;
}

std::string QtSerialPort::readAvailable() {
    if (!port_.isOpen()) return {};
    const QByteArray data = port_.readAll();
    return std::string(data.constData(), static_cast<size_t>(data.size()));
}

void QtSerialPort::onError(QSerialPort::SerialPortError e) {
    // Errors of open() are returned by open(); a time-out belongs to the
    // blocking waits, which the program does not use.
    if (e == QSerialPort::NoError || e == QSerialPort::TimeoutError || !port_.isOpen()) return;
    if (!lineError_.empty()) return;
    switch (e) {
        case QSerialPort::ReadError:
            // A read that ends the line (the far end hung up) leaves no
            // system error of its own: the system text would mislead.
            lineError_ = "the line hung up";
            break;
        case QSerialPort::ResourceError:
            lineError_ = "the device is gone: " + port_.errorString().toStdString();
            break;
        default:
            lineError_ = port_.errorString().toStdString();
    }
}

}  // namespace qtview
