#include "files/master_tape_list.h"

#include <optional>
#include <vector>

#include "files/program_files.h"
#include "files/text_file.h"

namespace morva {

void Read_MasterTapeList(FrmMain& w) {
    const std::optional<std::vector<std::string>> lines =
        readTextLines(std::string(w.st.ProgramFolder) + kMasterTapeListFileName);
    if (!lines) {
        w.lst_Version.addItem(
            unreadableFileLine(kMasterTapeListFileName, w.st.ProgramFolder + kMasterTapeListFileName));
        return;
    }
    w.lst_Version.addItem(versionLine(kMasterTapeListFileName, lines->empty() ? "" : lines->front()));
    for (size_t i = 1; i < lines->size(); ++i) {
        const std::string& line = (*lines)[i];
        if (!line.starts_with("Tape")) continue;
        const KeyValue kv = splitKeyValue(line);
        if (!kv.key.empty()) w.cmb_MasterTapeList.addItem(kv.value);
    }
}

void cmb_MasterTapeList_Click(FrmMain& w) {
    w.lbl_Info(4).setCaption(w.cmb_MasterTapeList.text());
    w.proc.Read_CorWF_MasterTape();
}

}  // namespace morva
