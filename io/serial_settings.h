#pragma once
// The serial port's name and line settings, kept in "MORVA Parameters.dat"
// (the program only reads that file) under these keys:
//
//   ComPort = /dev/ttyS0        the device path of the port; a bare name
//                               ("ttyUSB0") is a device in /dev, a relative
//                               path ("./vtr-port") lies in the program folder
//   ComBaudRate = 9600          bits per second
//   ComParity = None            None, Even, Odd, Mark or Space
//   ComDataBits = 8             5 to 8
//   ComStopBits = 1             1, 1.5 or 2
//   ComHandshake = None         None, RTS/CTS or XON/XOFF
//
// A key that is missing, or whose value is not one of these, keeps its
// default (the values above).

#include <filesystem>
#include <string>
#include <vector>

#include "forms/serial_port.h"

namespace morva {

inline constexpr const char* kSerialSettingsFile = "MORVA Parameters.dat";

// The settings read from the lines of a parameter file (line 1, the header,
// is not read).
forms::SerialSettings SerialSettingsFromLines(const std::vector<std::string>& lines);

// The settings of the parameter file in the program folder; the defaults
// when the file cannot be read.
forms::SerialSettings Read_SerialSettings(const std::string& programFolder);
// The port name with a relative path ("./vtr-port", "links/port") taken in
// the program folder; absolute paths and bare device names stay as they are.
std::string PortPathInFolder(const std::string& portName, const std::string& programFolder);
forms::SerialSettings Read_SerialSettingsFile(const std::filesystem::path& file);

}  // namespace morva
