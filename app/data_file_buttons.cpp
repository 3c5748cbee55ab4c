// The data-file buttons (save and load dialogs, the "Data File" panel) and
// the advanced mode's service buttons. The file itself is written and read
// through the procedure table.

#include "app/function_buttons.h"
#include "app/sequencer_steps.h"

namespace morva {

namespace {

void showDataFilePages(FrmMain& w) {
    w.pic_Info(0).setVisible(false);
    w.pic_Info(1).setVisible(true);
    w.pic_Page(1).setVisible(false);
    w.pic_Page(2).setVisible(true);
    w.pic_Page(3).setVisible(false);
}

}  // namespace

void DataFile_Button(FrmMain& w, int Index) {
    switch (Index) {
        case 2:
        case 27:
            w.proc.Show_DataSave();
            break;
        case 3:
        case 44:
            // Loading replaces the arrays a run is filling.
            if (!Run_InProgress(w)) w.proc.Show_DataLoad();
            break;
        case 41:
            w.pic_Page(1).setVisible(false);
            w.pic_Page(2).setVisible(true);
            break;
        case 42:
            w.pic_Page(1).setVisible(true);
            w.pic_Page(2).setVisible(false);
            break;
        case 43:
            w.pic_Info(0).setVisible(true);
            w.pic_Info(1).setVisible(false);
            w.pic_CmdMenu(0).setVisible(true);
            w.pic_CmdMenu(4).setVisible(false);
            w.pic_Page(0).setVisible(true);
            w.pic_Page(1).setVisible(false);
            w.pic_Page(2).setVisible(false);
            break;
        case 51:
            w.proc.Write_DataFile();
            break;
        case 52: {
            if (Run_InProgress(w)) break;
            // A load that was declined or failed keeps the screen as it was.
            const int32_t readsBefore = w.st.datafile.ReadCount;
            w.proc.Read_DataFile();
            if (w.st.datafile.ReadCount != readsBefore) showDataFilePages(w);
            break;
        }
        case 53:
            w.proc.Draw_SensGrid();
            w.proc.Draw_LinGrid();
            w.proc.Draw_SensWF();
            w.proc.Draw_LinWF();
            break;
        case 54:
            w.proc.Draw_CorWF();
            break;
        case 55:
            w.proc.Smooth_CorWF_MasterTape();
            w.proc.Draw_LinGrid();
            w.proc.Draw_CorWF();
            break;
        default:
            break;
    }
}

}  // namespace morva
