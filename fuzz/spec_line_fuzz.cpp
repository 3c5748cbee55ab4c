// A model's specification lines from hostile bytes: nodes read and the
// limit curves built on the linearity grid.

#include <cstddef>
#include <cstdint>

#include "files/spec_line_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace morva;
    fuzz::writeInput("VK-450.SpecLine", data, size);
    fuzz::FuzzWindow f;
    f.w->cmb_ModelNameList.addItem("VK-450");
    f.w->cmb_ModelNameList.setListIndex(0);
    f.w->st.params.nData_LinWF = 100;
    Set_DefaultSpecLine(f.w->st);
    Read_SpecLineFile(*f.w);
    return 0;
}
