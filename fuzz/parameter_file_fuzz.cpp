// "MORVA Parameters.dat" from hostile bytes, then one pass of the
// computations its values steer (window widths, point counts, positions).

#include <cstddef>
#include <cstdint>

#include "files/parameter_file.h"
#include "files/program_files.h"
#include "fuzz/fuzz_support.h"
#include "measure/lin_assembly.h"
#include "measure/lin_average.h"
#include "measure/sens_assembly.h"
#include "measure/sens_average.h"
#include "measure/sens_waveform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace morva;
    fuzz::writeInput(kParameterFileName, data, size);
    fuzz::FuzzWindow f;
    Read_ParameterFile(*f.w);

    MainState& st = f.w->st;
    st.model.nHead = 4;
    st.model.CylRot = 1800.0f;
    st.model.AD_SplRate_Sens = 542.4;
    st.model.AD_SplRate_Lin = 60000.0;
    st.model.TrackPitch = 6.0f;
    st.settings.MachineType = "VTR";
    st.settings.n_AD_Channel = 2;
    st.msr.nLoop_MsrSens = 1;
    st.msr.nLoop_LinRealTime = 2;
    Assemble_SensWaveform(st);
    const int32_t nSlot = SensSlotCount(st.msr.nType_SensWF, st.settings.n_AD_Channel);
    for (int32_t ch = 0; ch < nSlot; ++ch)
        Calc_SensWaveform(st, ch, 1);
    Calc_SensValue_Loop(st, 1);
    Calc_SensValue_Final(st);
    Clear_Lin(st);
    if (Assemble_LinWaveform(st)) {
        Fill_LinBuffer(st, 1);
        for (int32_t c = 0; c < LinLineCount(st.settings.n_AD_Channel) && c < 2; ++c)
            Calc_LinOffsetAvg(st, c, true);
        MovAvg_LinWaveform(st, 1);
    }
    return 0;
}
