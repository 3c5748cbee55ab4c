#include "files/wire_data_file.h"

#include "files/data_file.h"
#include "files/frm_data_load.h"
#include "files/frm_data_save.h"

namespace morva {

void Wire_DataFile(FrmMain& w) {
    w.proc.Write_DataFile.bind([&w] { Write_DataFile(w); });
    w.proc.Read_DataFile.bind([&w] { Read_DataFile(w); });
    w.proc.Make_AutoFileName.bind([&w] { Make_AutoFileName(w); });
    w.proc.Show_DataSave.bind([&w] { Show_DataSave(w); });
    w.proc.Show_DataLoad.bind([&w] { Show_DataLoad(w); });
}

}  // namespace morva
