#pragma once
// The program's version as the build gives it (major, minor, revision) and
// the window caption made from it.

#include <string>

#include "core/state.h"

namespace morva {

ProgramVersion Program_Version();

// Major, ".", minor and revision, each a plain decimal number, with nothing
// between minor and revision: 6, 9, 72 give "6.972".
std::string Version_Text(const ProgramVersion& v);

// "MORVA  Ver. " and the version text.
std::string Window_Caption(const ProgramVersion& v);

}  // namespace morva
