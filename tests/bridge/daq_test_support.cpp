#include "tests/bridge/daq_test_support.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>

namespace morva::test {

namespace {

void* openLibrary(const std::string& name) {
    const std::string path = std::string(MORVA_TEST_PROGRAM_FOLDER) + name;
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) throw std::runtime_error("cannot load " + path + ": " + ::dlerror());
    return handle;
}

template <typename Function>
void bind(Function& target, void* first, void* second, const char* name) {
    void* symbol = ::dlsym(first, name);
    if (symbol == nullptr) symbol = ::dlsym(second, name);
    if (symbol == nullptr) throw std::runtime_error(std::string("no entry ") + name);
    target = reinterpret_cast<Function>(symbol);
}

}  // namespace

DaqLibraries::DaqLibraries() {
    halvex = openLibrary("libhalvex.so");
    driver = openLibrary("libddrive32.so");
#define MORVA_DAQ_ENTRY(name) bind(name, halvex, driver, #name);
#include "tests/bridge/daq_entry_list.inc"
#undef MORVA_DAQ_ENTRY
}

const DaqLibraries& DaqLibraries::get() {
    static const DaqLibraries libraries;
    return libraries;
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "morva-daq-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string writeBoardConfig(const std::filesystem::path& folder, const std::string& name,
                             const std::vector<std::string>& extra) {
    const std::filesystem::path file = folder / name;
    std::ofstream out(file, std::ios::binary);
    out << "[Test board] Ver.1.00\r\n"
        << "Resolution = 16\r\n"
        << "Channels = 2\r\n"
        << "DASubsystems = 1\r\n"
        << "DAResolution = 12\r\n"
        << "DigitalPorts = 2\r\n"
        << "Timing = instant\r\n"
        << "CylRot = 1800\r\n"
        << "nHead = 4\r\n"
        << "TrackPitch = 10\r\n"
        << "SensSlope = 40\r\n"
        << "SensLevelLow = 1000\r\n"
        << "SensOffsetPerScan = 0.5\r\n"
        << "LinCentre = 2500\r\n"
        << "LinSeparation = 300\r\n"
        << "Noise = 0\r\n";
    for (const std::string& line : extra)
        out << line << "\r\n";
    out.close();
    if (!out) throw std::runtime_error("cannot write " + file.string());
    return file.string();
}

BridgeDevice::BridgeDevice(const std::string& configPath, const char* deviceType) {
    const auto& api = DaqLibraries::get();
    openCode_ = api.DaqOpenDeviceVB("ddrive32", &handle_, deviceType, configPath.c_str());
}

BridgeDevice::~BridgeDevice() {
    close();
}

uint16_t BridgeDevice::close() {
    if (handle_ == 0) return kDaqOk;
    const uint16_t code = DaqLibraries::get().DaqCloseDeviceVB(handle_);
    handle_ = 0;
    return code;
}

DaqAllocRecord allocRecord(uint32_t kind, int16_t channels, uint32_t bufferSize, uint16_t buffers) {
    DaqAllocRecord record{};
    record.requestKind = kind;
    record.channelCount = channels;
    record.bufferCount = buffers;
    record.bufferSize = bufferSize;
    record.driverParameter = 1;
    return record;
}

BoardCounts boardCounts() {
    const auto& api = DaqLibraries::get();
    return {api.SimDaqOpenDeviceCount(), api.SimDaqLiveRequestCount(), api.SimDaqAllocatedRequestCount()};
}

}  // namespace morva::test
