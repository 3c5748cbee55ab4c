#include "files/tool_dialogs.h"

#include <memory>

#include "files/find_path_exchange.h"
#include "files/frm_find_path.h"
#include "files/frm_master_tape.h"
#include "files/frm_option.h"
#include "files/frm_version.h"

namespace morva {

bool RunInProgress(const FrmMain& w) {
    return w.st.flags.flg_Measuring == 1 || w.st.flags.RunDepth > 0;
}

void Wire_ToolDialogs(FrmMain& w) {
    // The folder chooser's exchange lives as long as the bindings.
    auto exchange = std::make_shared<FindPathExchange>();
    w.proc.Show_MasterTapeEditor.bind([&w] {
        if (RunInProgress(w)) return;
        FrmMasterTape editor(w);
        editor.show(true);
    });
    w.proc.Show_Options.bind([&w, exchange] {
        if (RunInProgress(w)) return;
        FrmOption options(w, *exchange);
        options.show(true);
    });
    w.proc.Show_Version.bind([&w] {
        FrmVersion version(w);
        version.show(true);
    });
    w.proc.Show_FindPath.bind([&w, exchange] {
        FrmFindPath chooser(w, *exchange);
        chooser.show(true);
    });
}

}  // namespace morva
