// A model's work list from hostile bytes, read with the list shown and hidden.

#include <cstddef>
#include <cstdint>

#include "files/work_list_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace morva;
    fuzz::writeInput("VK-450.WorkList", data, size);
    for (int16_t shown = 0; shown <= 1; ++shown) {
        fuzz::FuzzWindow f;
        f.w->cmb_ModelNameList.addItem("VK-450");
        f.w->cmb_ModelNameList.setListIndex(0);
        f.w->st.settings.Dsp_WorkList = shown;
        Read_WorkListFile(*f.w);
    }
    return 0;
}
