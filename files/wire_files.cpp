#include "files/wire_files.h"

#include "files/graph_export.h"
#include "files/master_tape_list.h"
#include "files/mode_parameters.h"
#include "files/model_selection.h"
#include "files/spec_line_file.h"
#include "files/waveform_csv.h"
#include "files/work_list_file.h"

namespace morva {

void Wire_Files(FrmMain& w) {
    w.cmb_ModelNameList.Click = [&w] { cmb_ModelNameList_Click(w); };
    w.cmb_VTRmode_List.Click = [&w] { cmb_VTRmode_List_Click(w); };
    w.opt_PAL_NTSC.on(&forms::Control::Click, [&w](int i) { opt_PAL_NTSC_Click(w, i); });
    w.cmb_MasterTapeList.Click = [&w] { cmb_MasterTapeList_Click(w); };

    w.proc.Read_WorkListFile.bind([&w] { Read_WorkListFile(w); });
    w.proc.Read_SpecLineFile.bind([&w] { Read_SpecLineFile(w); });
    w.proc.Show_ParameterList.bind([&w] { Show_ParameterList(w); });
    w.proc.Set_ModelParameters.bind([&w] { Set_ModelParameters(w); });
    w.proc.Export_GraphPng.bind([&w](int scale) { Export_GraphPng(w, scale); });
    w.proc.Export_WaveformCsv.bind([&w] { Export_WaveformCsv(w); });
    w.proc.Has_GraphToExport.bind([&w] { return Has_GraphToExport(w); });
    w.proc.Has_WaveformsToExport.bind([&w] { return Has_WaveformsToExport(w); });
}

}  // namespace morva
