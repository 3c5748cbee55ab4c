#pragma once
// The work list of a model (model name + ".WorkList" in Path_WorkList): the
// operator's test points. After the header line come key-and-value lines up
// to "[Work List/Test Point]" ("ModelName = ", "Control = ", "Cable = "),
// then one item per line: name, tape mode, five connection texts and five
// further texts, comma-separated, the last running to the end of the line.

#include <string>
#include <string_view>

#include "core/state.h"
#include "window/frm_main.h"

namespace morva {

std::string WorkListFilePath(const MainState& st, std::string_view modelName);

// Reads the work list of the model selected in cmb_ModelNameList: the header
// texts into lbl_WorkList(3..5), the item names into lst_WorkList and the
// items' texts into the work-list state. Blank item lines are skipped; an
// item line with fewer than 12 fields leaves the missing texts empty; items
// past the 21st are not taken. With the work-list panel shown no item is
// left selected. A file that cannot be read leaves an empty list.
void Read_WorkListFile(FrmMain& w);

}  // namespace morva
