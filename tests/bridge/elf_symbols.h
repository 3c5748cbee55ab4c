#pragma once
// Reads what a 64-bit ELF shared library exports (its defined global and
// weak dynamic symbols), its run-time search path, and the names of a
// module-definition file.

#include <filesystem>
#include <set>
#include <string>

namespace morva::test {

struct ElfExports {
    std::set<std::string> symbols;
    std::string runPath;  // DT_RUNPATH, or DT_RPATH when there is none
};

// Throws std::runtime_error when the file is not a 64-bit ELF file.
ElfExports readElfExports(const std::filesystem::path& library);

// The names under EXPORTS of a .def file, with their ordinals checked to be
// unique (throws otherwise).
std::set<std::string> readDefExports(const std::filesystem::path& defFile);

}  // namespace morva::test
