#include "fuzz/fuzz_support.h"

#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <system_error>

namespace morva::fuzz {

namespace {

struct ScratchFolder {
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "morva-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) ::abort();
        path = pattern + "/";
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

}  // namespace

const std::string& scratchFolder() {
    static const ScratchFolder folder;
    return folder.path;
}

std::filesystem::path writeInput(std::string_view name, const uint8_t* data, size_t size) {
    const std::filesystem::path file = std::filesystem::path(scratchFolder()) / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return file;
}

FuzzWindow::FuzzWindow() {
    w = std::make_unique<FrmMain>(app);
    MainState& st = w->st;
    st.ProgramFolder = scratchFolder();
    st.settings.Path_WorkList = scratchFolder();
    st.settings.Path_SpecLine_Lin = scratchFolder();
    st.settings.Path_DataFile = scratchFolder();
    st.settings.Path_DaqConfigFile = scratchFolder();
}

}  // namespace morva::fuzz
