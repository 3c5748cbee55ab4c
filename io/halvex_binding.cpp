#include "io/halvex_binding.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

namespace morva {

namespace {

struct Loaded {
    void* handle = nullptr;
    HalvexApi api;
};

std::mutex& bindingMutex() {
    static std::mutex m;
    return m;
}

// Loaded libraries by full path; entries are never removed (the library
// stays loaded).
std::map<std::string, Loaded>& loadedLibraries() {
    static auto* libraries = new std::map<std::string, Loaded>();
    return *libraries;
}

template <typename Fn>
void bindEntry(void* handle, const std::string& path, const char* name, Fn& slot) {
    dlerror();
    void* symbol = dlsym(handle, name);
    if (symbol == nullptr) {
        dlclose(handle);
        throw HalvexBindError(453, "Can't find DLL entry point " + std::string(name) + " in " + path);
    }
    slot = reinterpret_cast<Fn>(symbol);
}

}  // namespace

const HalvexApi& halvexApi(const std::string& programFolder) {
    const std::string path = programFolder + kHalvexFileName;
    std::lock_guard<std::mutex> lock(bindingMutex());
    auto& libraries = loadedLibraries();
    if (auto it = libraries.find(path); it != libraries.end()) return it->second.api;

    dlerror();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        throw HalvexBindError(
            48, "Error in loading DLL " + path + (why != nullptr ? " (" + std::string(why) + ")" : ""));
    }
    Loaded loaded;
    loaded.handle = handle;
    HalvexApi& a = loaded.api;
    bindEntry(handle, path, "DaqOpenDeviceVB", a.OpenDevice);
    bindEntry(handle, path, "DaqAllocateRequestVB", a.AllocateRequest);
    bindEntry(handle, path, "DaqGetAddressOfVB", a.GetAddressOf);
    bindEntry(handle, path, "DaqAnalogInputVB", a.AnalogInput);
    bindEntry(handle, path, "DaqArmRequestVB", a.ArmRequest);
    bindEntry(handle, path, "DaqReadBufferVB", a.ReadBuffer);
    bindEntry(handle, path, "DaqGetRuntimeErrorVB", a.GetRuntimeError);
    bindEntry(handle, path, "DaqReleaseRequestVB", a.ReleaseRequest);
    bindEntry(handle, path, "DaqFreeRequestVB", a.FreeRequest);
    bindEntry(handle, path, "DaqCloseDeviceVB", a.CloseDevice);
    bindEntry(handle, path, "DaqResetDeviceVB", a.ResetDevice);
    return libraries.emplace(path, loaded).first->second.api;
}

const HalvexApi* halvexApiIfLoaded(const std::string& programFolder) {
    std::lock_guard<std::mutex> lock(bindingMutex());
    auto& libraries = loadedLibraries();
    auto it = libraries.find(programFolder + kHalvexFileName);
    return it == libraries.end() ? nullptr : &it->second.api;
}

}  // namespace morva
