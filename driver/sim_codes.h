#pragma once
// Result codes of the simulated board driver (the bridge passes them on
// unchanged), and its run-time error codes. All lie apart from the bridge's
// own codes (100 .. 810).

#include <cstdint>

namespace morva::sim {

inline constexpr uint16_t kSimBadDevice = 2001;        // no open device with that handle
inline constexpr uint16_t kSimBadRequest = 2002;       // no request with that handle
inline constexpr uint16_t kSimConfigMissing = 2003;    // the configuration file cannot be read
inline constexpr uint16_t kSimConfigInvalid = 2004;    // a configuration value is out of range
inline constexpr uint16_t kSimBadArgument = 2005;      // an argument is out of range or an address is 0
inline constexpr uint16_t kSimNoLowMemory = 2006;      // no memory below 4 GiB left
inline constexpr uint16_t kSimBadState = 2007;         // the request (or device) cannot do that now
inline constexpr uint16_t kSimNotSupported = 2008;     // the board has no such sub-system
inline constexpr uint16_t kSimTooManyDevices = 2009;   // all device slots are open
inline constexpr uint16_t kSimWrongDeviceType = 2010;  // the configuration names another device type
inline constexpr uint16_t kSimBuffersTooSmall = 2011;  // the samples do not fit the allocated buffers
inline constexpr uint16_t kSimBadMemoryId = 2012;      // no request memory with that identifier

// Run-time errors (status bit 31; DaqGetRuntimeError gives the code).
inline constexpr uint32_t kSimRuntimeOverrun = 3001;    // a buffer was not free when the data came
inline constexpr uint32_t kSimRuntimeUserBreak = 3002;  // DaqUserBreak with the value 0

// At most this many devices are open at a time.
inline constexpr int kSimMaxDevices = 16;

}  // namespace morva::sim
