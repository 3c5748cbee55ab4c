#include "app/function_buttons.h"

#include "app/form_unload.h"

namespace morva {

void cmd_StartFunction_Click(FrmMain& w, int Index) {
    if (w.st.flags.flg_Busy == 1) return;
    switch (Index) {
        case kExitButton:
            Exit_Program(w);
            break;
        default:
            break;
    }
}

}  // namespace morva
