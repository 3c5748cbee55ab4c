#pragma once
// What the options dialog and the folder chooser exchange: the folder to
// start in (and the folder chosen), which setting it is for, and the files
// the chooser lists.

#include <functional>
#include <string>

namespace morva {

struct FindPathExchange {
    std::string FindPath_Path;     // start folder in, chosen folder (ending in "/") out
    std::string FindPath_Item;     // "Path_DataFile", "Path_SpecLine_Lin", "Path_WorkList", "Path_DaqConfig"
    std::string FindPath_Pattern;  // "*.Morva_*", "*.SpecLine", "*.WorkList", "daq*.dat"
    // Run when the operator accepts a folder (the options dialog takes it).
    std::function<void()> chosen;
};

}  // namespace morva
