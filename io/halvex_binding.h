#pragma once
// The exports of the bridge library libhalvex.so that the acquisition uses,
// bound by name with dlopen/dlsym. The library is loaded from the program
// folder at the first call and stays loaded for the rest of the process (the
// board's own thread may still run code of it while a request ends).

#include <stdexcept>
#include <string>

#include "bridge/halvex_api.h"

namespace morva {

struct HalvexApi {
    decltype(&DaqOpenDeviceVB) OpenDevice = nullptr;
    decltype(&DaqAllocateRequestVB) AllocateRequest = nullptr;
    decltype(&DaqGetAddressOfVB) GetAddressOf = nullptr;
    decltype(&DaqAnalogInputVB) AnalogInput = nullptr;
    decltype(&DaqArmRequestVB) ArmRequest = nullptr;
    decltype(&DaqReadBufferVB) ReadBuffer = nullptr;
    decltype(&DaqGetRuntimeErrorVB) GetRuntimeError = nullptr;
    decltype(&DaqReleaseRequestVB) ReleaseRequest = nullptr;
    decltype(&DaqFreeRequestVB) FreeRequest = nullptr;
    decltype(&DaqCloseDeviceVB) CloseDevice = nullptr;
    decltype(&DaqResetDeviceVB) ResetDevice = nullptr;
};

// A library that could not be bound. `number` follows the classic run-time
// error numbers: 48 the library cannot be loaded, 453 an entry is missing.
class HalvexBindError : public std::runtime_error {
  public:
    HalvexBindError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }

  private:
    int number_;
};

inline constexpr const char* kHalvexFileName = "libhalvex.so";

// The bound exports of programFolder + "libhalvex.so", loading it on the
// first call for that folder. Throws HalvexBindError naming the library (and
// the entry) when it cannot be loaded or lacks an export; a failed load is
// not remembered, so a later call tries again.
const HalvexApi& halvexApi(const std::string& programFolder);

// The exports of that folder's library when it is already loaded, else
// nullptr (never loads anything).
const HalvexApi* halvexApiIfLoaded(const std::string& programFolder);

}  // namespace morva
