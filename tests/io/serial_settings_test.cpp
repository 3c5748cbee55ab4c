// The serial port's settings in the parameter file.

#include "io/serial_settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace morva::test {
namespace {

using forms::SerialSettings;

TEST(SerialSettingsFile, KeysSetThePortAndItsLine) {
    const SerialSettings s = SerialSettingsFromLines({
        "[MORVA Windows - Parameters] Ver.0.5",
        "nData_SensWF = 100",
        "ComPort = /dev/ttyUSB0 ",
        "ComBaudRate =  38400 ",
        "ComParity = Even",
        "ComDataBits = 7",
        "ComStopBits = 2",
        "ComHandshake = RTS/CTS",
    });
    EXPECT_EQ(s.portName, "/dev/ttyUSB0");
    EXPECT_EQ(s.baudRate, 38400);
    EXPECT_EQ(s.parity, SerialSettings::Parity::Even);
    EXPECT_EQ(s.dataBits, 7);
    EXPECT_EQ(s.stopBits, SerialSettings::StopBits::Two);
    EXPECT_EQ(s.handshake, SerialSettings::Handshake::RtsCts);
}

TEST(SerialSettingsFile, MissingOrUnusableValuesKeepTheirDefaults) {
    const SerialSettings defaults;
    EXPECT_EQ(defaults.portName, "/dev/ttyS0");
    EXPECT_EQ(defaults.baudRate, 9600);
    EXPECT_EQ(defaults.dataBits, 8);
    EXPECT_EQ(SerialSettingsFromLines({"ComPort = /dev/ttyACM0"}), defaults) << "line 1 is the header";
    const SerialSettings s = SerialSettingsFromLines({
        "header", "ComPort =    ", "ComBaudRate = fast", "ComParity = sometimes", "ComDataBits = 9",
        "ComStopBits = 3", "ComHandshake = maybe",
        "ComBaudRate=19200",  // no blanks around "=": not this key
    });
    EXPECT_EQ(s, defaults);
}

TEST(SerialSettingsFile, RelativePortPathsLieInTheProgramFolder) {
    EXPECT_EQ(PortPathInFolder("./vtr-port", "/opt/morva/"), "/opt/morva/vtr-port");
    EXPECT_EQ(PortPathInFolder("links/port", "/opt/morva/"), "/opt/morva/links/port");
    EXPECT_EQ(PortPathInFolder("/dev/ttyUSB0", "/opt/morva/"), "/dev/ttyUSB0");
    EXPECT_EQ(PortPathInFolder("ttyUSB0", "/opt/morva/"), "ttyUSB0") << "a device name in /dev";
}

TEST(SerialSettingsFile, AcceptsShortAndMixedCaseWordsAndOneAndAHalfStopBits) {
    const SerialSettings s = SerialSettingsFromLines({
        "header",
        "ComParity = o",
        "ComStopBits = 1.5",
        "ComHandshake = xon/xoff",
        "ComDataBits = 5",
    });
    EXPECT_EQ(s.parity, SerialSettings::Parity::Odd);
    EXPECT_EQ(s.stopBits, SerialSettings::StopBits::OneAndHalf);
    EXPECT_EQ(s.handshake, SerialSettings::Handshake::XonXoff);
    EXPECT_EQ(s.dataBits, 5);
}

TEST(SerialSettingsFile, ReadsTheParameterFileInTheProgramFolder) {
    const auto folder = std::filesystem::temp_directory_path() / ("morva-io-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    {
        std::ofstream out(folder / "MORVA Parameters.dat", std::ios::binary);
        out << "[MORVA Windows - Parameters] Ver.0.5\r\nComPort = /dev/ttyUSB3\r\nComBaudRate =  4800 \r\n";
    }
    const SerialSettings s = Read_SerialSettings(folder.string() + "/");
    EXPECT_EQ(s.portName, "/dev/ttyUSB3");
    EXPECT_EQ(s.baudRate, 4800);
    EXPECT_EQ(Read_SerialSettings(folder.string() + "/missing/"), SerialSettings{});
    {
        std::ofstream out(folder / "MORVA Parameters.dat", std::ios::binary);
        out << "header\r\nComPort = ./vtr-port\r\n";
    }
    EXPECT_EQ(Read_SerialSettings(folder.string() + "/").portName, folder.string() + "/vtr-port");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace morva::test
