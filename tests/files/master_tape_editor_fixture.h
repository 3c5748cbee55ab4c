#pragma once
// A main window with the tape list, the tape types and the tool dialogs
// wired, its tape selection reloading the correction, in a temporary
// program folder holding the demo master-tape file.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "files/frm_master_tape.h"
#include "files/master_tape_list.h"
#include "files/tool_dialogs.h"
#include "files/wire_files.h"
#include "measure/master_tape_correction.h"
#include "tests/files/window_fixture.h"

namespace morva::test {

class MasterTapeEditorTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        SettingsRecord& s = w->st.settings;
        s.nType_MasterTape = 3;
        s.MasterTapeTypeName[0] = "SD Master 20um,21,20";
        s.MasterTapeTypeName[1] = "Data Master 14um,11,14";
        s.MasterTapeTypeName[2] = "Odd Master,1,5";
        w->st.params.nData_LinWF = 100;
        Wire_Files(*w);
        Wire_ToolDialogs(*w);
        w->proc.Read_CorWF_MasterTape.bind(
            [this] { Read_CorWF_MasterTape(w->st, w->cmb_MasterTapeList.text()); });
    }

    void useDemoFile() {
        std::filesystem::copy_file(
            std::filesystem::path(MORVA_TEST_SOURCE_DIR) / "demo" / "MORVA MasterTape.dat",
            path("MORVA MasterTape.dat"));
    }
    // The main window's list as start-up leaves it, with tape `current` selected.
    void loadTapeList(int current) {
        Read_MasterTapeList(*w);
        w->cmb_MasterTapeList.setListIndex(current);
    }
    std::string tapeFile() const { return readBytes(path("MORVA MasterTape.dat")); }

    // The correction the measurement code reads for a tape of the file.
    CorWFPoints correctionOf(const std::string& name) const {
        return Read_MasterTapeCorrection(folder_, name, 100).CorWF;
    }

    // The open editor among the application's forms (shown modal by the
    // procedure table), or nullptr.
    FrmMasterTape* openEditor() const {
        for (forms::Form* f : app.forms())
            if (auto* e = dynamic_cast<FrmMasterTape*>(f); e && e->visible()) return e;
        return nullptr;
    }
};

}  // namespace morva::test
