#include <cstdio>
#include "tests/app/operator_fixture.h"
namespace morva::test {
TEST_F(OperatorRoad, DebugLin) {
    FrmMain& win = start();
    click(0);
    win.st.msr.nLoop_MsrSens = 3;
    clickDuring(2, 12);
    runActionsDuringAcquisitions();
    click(11);
    printf("Sens %f %f slots %f %f %f %f\n", win.st.sens.SensVal[0], win.st.sens.SensVal[1],
           win.st.sens.Sens_Slot[0], win.st.sens.Sens_Slot[1], win.st.sens.Sens_Slot[2],
           win.st.sens.Sens_Slot[3]);
    click(19);
    win.st.settings.PeakHoldTime = 2;
    actionsDuring.clear();
    clickDuring(acquisitions + 12, 22);
    click(21);
    auto& l = win.st.lin;
    printf("LinVal %d WavVal %d ch %d acq %d pos %d %d nLin %d\n", l.LinVal[0], l.WavVal[0],
           win.st.settings.n_AD_Channel, acquisitions, win.st.msr.StartPos_LinWF[0],
           win.st.msr.StartPos_LinWF[1], win.st.params.nData_LinWF);
    for (int i = 1; i <= 100; i += 3)
        printf("%d:%d/%d ", i, l.LinAvg[0][i], l.CorWF[i]);
    printf("\n");
    for (auto& b : dialogs.shown())
        printf("box %s\n", b.prompt.c_str());
}
}  // namespace morva::test
