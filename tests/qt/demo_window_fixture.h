#pragma once
// The real main window on the demo program folder: the demo's start-up
// files with the built bridge and simulated board beside them, copied into
// a fresh temporary folder per test.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "qt_fixture.h"
#include "window/frm_main.h"

struct DemoWindowTest : QtFormsTest {
    std::filesystem::path folder;
    std::unique_ptr<morva::FrmMain> w;

    void SetUp() override {
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "morva-qt-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        fs::copy(fs::path(MORVA_TEST_SOURCE_DIR) / "demo", folder, fs::copy_options::recursive);
        for (const char* lib : {"libhalvex.so", "libddrive32.so"})
            fs::copy_file(fs::path(MORVA_TEST_PROGRAM_FOLDER) / lib, folder / lib);
    }
    void TearDown() override {
        w.reset();
        settle();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};
