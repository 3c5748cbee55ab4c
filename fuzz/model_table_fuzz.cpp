// "VTR Parameters.dat" from hostile bytes: the model list, then choosing
// each of the first models and each of its modes in PAL and NTSC, which loads
// the row and computes the mode's parameters.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

#include "files/mode_parameters.h"
#include "files/program_files.h"
#include "files/vtr_parameter_list.h"
#include "files/wire_files.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace morva;
    fuzz::writeInput(kVTRParameterFileName, data, size);
    fuzz::FuzzWindow f;
    FrmMain& w = *f.w;
    Wire_Files(w);
    w.st.params.nData_SensWF = 150;
    w.st.params.nData_LinWF = 100;
    Read_VTRParameterList(w);
    const int models = std::min(w.cmb_ModelNameList.listCount(), 3);
    for (int m = 0; m < models; ++m) {
        w.cmb_ModelNameList.setListIndex(m);
        for (int pn = 0; pn < 2; ++pn) {
            w.opt_PAL_NTSC(pn).setValue(true);
            for (int mode = 0; mode < w.cmb_VTRmode_List.listCount(); ++mode)
                w.cmb_VTRmode_List.setListIndex(mode);
        }
    }
    // A row split and stored on its own, whatever the file held.
    if (const auto row = Split_ModelRow(fuzz::asText(data, size))) {
        Store_ModelRow(w.st, *row);
        for (int slot = 0; slot <= 5; ++slot)
            Calc_ModeParameters(w.st, slot);
    }
    return 0;
}
