#pragma once
// What the A/D library tests share: the two libraries loaded from the program
// folder with dlopen (as the main program loads the bridge), their entries
// bound by name, temporary board configuration files and a device that
// closes itself.

#include <dlfcn.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bridge/daq_records.h"
#include "bridge/halvex_api.h"
#include "driver/sim_hooks.h"

namespace morva::test {

// libhalvex.so (which brings libddrive32.so along) from the program folder,
// loaded once per test program.
class DaqLibraries {
  public:
    static const DaqLibraries& get();

    void* halvex = nullptr;
    void* driver = nullptr;

#define MORVA_DAQ_ENTRY(name) decltype(&::name) name = nullptr;
#include "tests/bridge/daq_entry_list.inc"
#undef MORVA_DAQ_ENTRY

  private:
    DaqLibraries();
};

// A folder under the system's temporary folder, removed with its contents.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Writes a board configuration: a small instant-mode board (16 bits, two
// channels, one D/A sub-system, two digital ports), a noise-free 4-head
// recorder, then `extra` lines, which override what comes before. Returns
// the file's path.
std::string writeBoardConfig(const std::filesystem::path& folder, const std::string& name,
                             const std::vector<std::string>& extra = {});

// A device opened through the bridge, closed through it when it goes.
class BridgeDevice {
  public:
    explicit BridgeDevice(const std::string& configPath, const char* deviceType = "SimDAQ");
    ~BridgeDevice();
    BridgeDevice(const BridgeDevice&) = delete;
    BridgeDevice& operator=(const BridgeDevice&) = delete;

    uint16_t openCode() const { return openCode_; }
    uint16_t handle() const { return handle_; }
    uint16_t close();

  private:
    uint16_t openCode_ = 0;
    uint16_t handle_ = 0;
};

// Allocation record for `kind` with one or more buffers.
DaqAllocRecord allocRecord(uint32_t kind, int16_t channels, uint32_t bufferSize, uint16_t buffers = 1);

// Everything the simulated board holds, for the end of a test.
struct BoardCounts {
    uint32_t devices;
    uint32_t requests;
    uint32_t memory;
    bool operator==(const BoardCounts&) const = default;
};
BoardCounts boardCounts();

}  // namespace morva::test
