// "MORVA MasterTape.dat" from hostile bytes: the tape list, then each
// listed tape's correction read, stretched and smoothed onto a grid whose
// size and smoothing come from the input's last bytes.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "files/master_tape_list.h"
#include "files/program_files.h"
#include "fuzz/fuzz_support.h"
#include "measure/master_tape_correction.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace morva;
    FuzzedDataProvider in(data, size);
    const int32_t nData_LinWF = in.ConsumeIntegral<int32_t>();
    const int32_t mask = in.ConsumeIntegral<int32_t>();
    const int32_t loops = in.ConsumeIntegralInRange<int32_t>(0, 3);
    const int32_t adjEnt = in.ConsumeIntegral<int32_t>();
    const std::vector<uint8_t> file = in.ConsumeRemainingBytes<uint8_t>();
    fuzz::writeInput(kMasterTapeListFileName, file.data(), file.size());

    fuzz::FuzzWindow f;
    FrmMain& w = *f.w;
    Read_MasterTapeList(w);
    MainState& st = w.st;
    st.params.nData_LinWF = nData_LinWF;
    st.params.Mask_SmoothCorWF = mask;
    st.params.nLoop_SmoothCorWF = loops;
    st.settings.flg_SmoothLinWF = 1;
    st.msr.Adj_LinEnt = adjEnt;
    st.settings.AdvMode = 1;
    const int tapes = std::min(w.cmb_MasterTapeList.listCount(), 4);
    for (int t = 0; t < tapes; ++t)
        Read_CorWF_MasterTape(st, w.cmb_MasterTapeList.list(t));
    Read_CorWF_MasterTape(st, "");
    return 0;
}
