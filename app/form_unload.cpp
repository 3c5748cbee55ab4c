#include "app/form_unload.h"

#include "core/numbers.h"
#include "files/startup_setting_file.h"

namespace morva {

void Save_WindowGeometry(FrmMain& w) {
    SettingsRecord& s = w.st.settings;
    const double width = static_cast<double>(s.Dsp_WorkList) * w.pic_WorkList.width() +
                         (w.pic_CmdMenu(0).width() + w.pic_Frame(1).width()) + 50.0 + w.pic_Border.width() +
                         120.0;
    s.Width = toInt16(width);
    s.Height = toInt16(w.height());
    s.Left = toInt16(w.left());
    s.Top = toInt16(w.top());
    s.Border = toInt16(w.pic_Frame(1).width());
}

void Exit_Program(FrmMain& w) {
    Write_StartupSettingFile(w);
    w.proc.DaqdriveClearUp();
    w.app().end();
}

void Form_Unload(FrmMain& w) {
    if (w.app().ended()) return;
    Save_WindowGeometry(w);
    Exit_Program(w);
}

}  // namespace morva
