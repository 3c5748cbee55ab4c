#include "files/frm_version.h"

#include <string>

#include "files/dialog_placement.h"

namespace morva {

FrmVersion::FrmVersion(FrmMain& m)
    : forms::Form(m.app(), "frmVersion"),
      main(m),
      list_DatVer(add<forms::ListBox>("list_DatVer")),
      Cmd_VerInfo(add<forms::CommandButton>("Cmd_VerInfo")) {
    for (int i = 0; i < 2; ++i)
        Lbl_Version.add(*this, i);
    move(0, 0, 6600, 4320);
    Lbl_Version(0).move(240, 180, 6000, 360);
    Lbl_Version(0).setFont("MS UI Gothic", 14);
    Lbl_Version(0).setFontBold(true);
    Lbl_Version(1).move(240, 600, 6000, 300);
    list_DatVer.move(240, 1020, 6000, 1860);
    Cmd_VerInfo.move(5040, 3060, 1200, 420);
    setCaption("MORVA - Version Information");
    Cmd_VerInfo.setCaption(InJapanese(main) ? "閉じる" : "OK");
    Cmd_VerInfo.setDefault(true);
    Cmd_VerInfo.setCancel(true);
    Load = [this] { Form_Load(); };
    Cmd_VerInfo.Click = [this] { unload(); };
}

void FrmVersion::Form_Load() {
    PlaceDialog(*this, main);
    const ProgramVersion& v = main.st.version;
    Lbl_Version(0).setCaption("VEKO MORVA");
    Lbl_Version(1).setCaption("Version " + std::to_string(v.Major) + "." + std::to_string(v.Minor) +
                              std::to_string(v.Revision));
    for (const std::string& line : main.lst_Version.items())
        list_DatVer.addItem(line);
}

}  // namespace morva
