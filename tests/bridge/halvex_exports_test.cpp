// The two libraries export exactly the names of their module-definition
// files, and the bridge finds the driver beside itself.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "tests/bridge/daq_test_support.h"
#include "tests/bridge/elf_symbols.h"

namespace morva::test {
namespace {

struct LibraryCase {
    const char* library;
    const char* defFile;
};

class LibraryExports : public ::testing::TestWithParam<LibraryCase> {};

TEST_P(LibraryExports, EveryNameOfTheDefinitionFileIsExported) {
    const DaqLibraries& api = DaqLibraries::get();
    void* handle = std::string(GetParam().library) == "libhalvex.so" ? api.halvex : api.driver;
    const auto names = readDefExports(std::string(MORVA_TEST_SOURCE_DIR) + GetParam().defFile);
    ASSERT_GT(names.size(), 40u);
    for (const std::string& name : names)
        EXPECT_NE(::dlsym(handle, name.c_str()), nullptr) << name;
}

TEST_P(LibraryExports, NothingElseIsExported) {
    const auto names = readDefExports(std::string(MORVA_TEST_SOURCE_DIR) + GetParam().defFile);
    const ElfExports exports = readElfExports(std::string(MORVA_TEST_PROGRAM_FOLDER) + GetParam().library);
    EXPECT_EQ(exports.symbols, names);
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, LibraryExports,
    ::testing::Values(LibraryCase{"libhalvex.so", "bridge/halvex.def"},
                      LibraryCase{"libddrive32.so", "driver/ddrive32.def"}),
    [](const auto& info) {
        return std::string(info.param.library).substr(3, info.param.library[3] == 'h' ? 6 : 8);
    });

TEST(HalvexLibrary, FindsTheDriverBesideItself) {
    const ElfExports exports = readElfExports(std::string(MORVA_TEST_PROGRAM_FOLDER) + "libhalvex.so");
    EXPECT_EQ(exports.runPath, "$ORIGIN");
}

}  // namespace
}  // namespace morva::test
