#pragma once
// A fresh main window on the deterministic loop, with a fresh temporary
// program folder, for the tests of the start-up files and the selections.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/application.h"
#include "forms/scripted_dialogs.h"
#include "forms/test_loop.h"
#include "tests/files/temp_folder.h"
#include "window/frm_main.h"

namespace morva::test {

class WindowTest : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        w = std::make_unique<FrmMain>(app);
        w->st.ProgramFolder = programFolder();
    }
    void TearDown() override {
        w.reset();
        TempFolderTest::TearDown();
    }

    std::string programFolder() const { return folder_.string() + "/"; }

    // Writes lines ended by CR LF; `name` may name a sub-folder.
    std::filesystem::path writeLines(std::string_view name, const std::vector<std::string>& lines) const {
        std::filesystem::create_directories(path(name).parent_path());
        std::string bytes;
        for (const auto& line : lines)
            bytes += line + "\r\n";
        return writeBytes(name, bytes);
    }

    // The lines of a file as the program wrote them (CR LF ends).
    std::vector<std::string> readLines(std::string_view name) const {
        const std::string bytes = readBytes(path(name));
        std::vector<std::string> lines;
        size_t begin = 0;
        while (begin < bytes.size()) {
            const size_t end = bytes.find("\r\n", begin);
            if (end == std::string::npos) {
                lines.push_back(bytes.substr(begin));
                break;
            }
            lines.push_back(bytes.substr(begin, end - begin));
            begin = end + 2;
        }
        return lines;
    }

    const std::vector<std::string>& versions() const { return w->lst_Version.items(); }

    forms::TestLoop loop;
    forms::ScriptedDialogs dialogs;
    forms::Application app{loop, dialogs};
    std::unique_ptr<FrmMain> w;
};

}  // namespace morva::test
