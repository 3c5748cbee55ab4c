#include "app/build_main_window.h"

#include "app/advanced_mode.h"
#include "app/form_load.h"
#include "app/form_unload.h"
#include "app/function_buttons.h"
#include "app/in_place_edit.h"
#include "app/language_table.h"
#include "app/menus.h"
#include "files/text_file.h"
#include "files/tool_dialogs.h"
#include "files/wire_data_file.h"
#include "files/wire_files.h"
#include "io/daq_acquisition.h"
#include "io/input_monitor.h"
#include "io/remote_control.h"
#include "measure/graphs.h"
#include "measure/wire_measure.h"
#include "view/main_layout.h"
#include "view/view_handlers.h"

namespace morva {

void Wire_App(FrmMain& w) {
    w.Load = [&w] { Form_Load(w); };
    w.Unload = [&w](int&) { Form_Unload(w); };
    w.cmd_StartFunction.on(&forms::Control::Click, [&w](int i) { cmd_StartFunction_Click(w, i); });
    w.lst_WorkList.Click = [&w] { lst_WorkList_Click(w); };
    w.proc.Reset_FuncCondition.bind([&w] { Reset_FuncCondition(w); });
    w.proc.Return_MainMenu.bind([&w] { Return_MainMenu(w); });
    w.proc.Show_WorkListTexts.bind([&w] { Show_WorkListTexts(w); });
}

std::unique_ptr<FrmMain> Build_MainWindow(forms::Application& app, const std::string& programFolder) {
    auto w = std::make_unique<FrmMain>(app);
    w->st.ProgramFolder = withTrailingSeparator(programFolder);
    Layout_MainWindow(*w);
    // Each subsystem installs its handlers and binds its procedures.
    Wire_Files(*w);
    Wire_DataFile(*w);
    Wire_ToolDialogs(*w);
    Wire_Acquisition(*w);
    Wire_RemoteControl(*w);
    Wire_InputMonitor(*w);
    Wire_Graphs(*w);
    Wire_View(*w);
    Wire_Measure(*w);
    Wire_App(*w);
    Wire_Language(*w);
    Wire_InPlaceEdit(*w);
    Wire_AdvancedMode(*w);
    // Last: the menus follow the run procedures the subsystems bound above.
    Wire_Menus(*w);
    return w;
}

}  // namespace morva
