#include "app/version.h"

#ifndef MORVA_VERSION_MAJOR
#error "the build passes MORVA_VERSION_MAJOR, MORVA_VERSION_MINOR and MORVA_VERSION_REVISION"
#endif

namespace morva {

ProgramVersion Program_Version() {
    return ProgramVersion{MORVA_VERSION_MAJOR, MORVA_VERSION_MINOR, MORVA_VERSION_REVISION};
}

std::string Version_Text(const ProgramVersion& v) {
    return std::to_string(v.Major) + "." + std::to_string(v.Minor) + std::to_string(v.Revision);
}

std::string Window_Caption(const ProgramVersion& v) {
    return "MORVA  Ver. " + Version_Text(v);
}

}  // namespace morva
