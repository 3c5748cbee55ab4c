// "MORVA StartupSetting.dat" from hostile bytes: every value goes through
// its control and handler as at start-up.

#include <cstddef>
#include <cstdint>

#include "files/program_files.h"
#include "files/startup_setting_file.h"
#include "files/wire_files.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace morva;
    fuzz::writeInput(kStartupSettingFileName, data, size);
    fuzz::FuzzWindow f;
    Wire_Files(*f.w);
    f.w->cmb_ModelNameList.addItem("VK-450");
    f.w->cmb_MasterTapeList.addItem("Tape A");
    Read_StartupSettingFile(*f.w);
    return 0;
}
